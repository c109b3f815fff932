// Hot tracking: the row under the pointer, and the cell in it, are drawn hot. A move repaints
// only the row that stops being hot and the one that becomes hot.
#include "treelist/TreeList.h"
#include "treelist/input/TreeListInput.h"
#include "treelist/view/TreeListScreenView.h"

void TTreeListInput::TrackHot(int x, int y) {
  if (!FTree.OptionsEx().Contains(aoHotTrack)) return SetHot(nullptr, -1);
  const TTreeListHitInfo hit = FTree.GetHitInfo({x, y});
  const bool onRow = hit.Node && hit.Kind != HitIndicator && hit.Kind != HitRowEdge;
  SetHot(onRow ? hit.Node : nullptr, onRow && hit.Kind == HitCell ? hit.Column : -1);
}

void TTreeListInput::SetHot(TTreeListNode* node, int column) {
  if (node == FHotNode && column == FHotColumn) return;
  TTreeListNode* old = FHotNode;
  FHotNode = node;
  FHotColumn = column;
  if (old) FTree.View().RepaintRow(old);
  if (node && node != old) FTree.View().RepaintRow(node);
}

void TTreeListInput::MouseLeave() {
  SetHot(nullptr, -1);
}

void TTreeListInput::ForgetNode(TTreeListNode* node) {
  if (node == FHotNode) FHotNode = nullptr, FHotColumn = -1;
  for (TTreeListNode** held : {&FPressedNode, &FDragNode, &FDropTarget, &FDragHover, &FExpandNode})
    if (*held == node) *held = nullptr;
}

void TTreeList::MouseLeave() {
  const TTreeListEventScope scope(*FScreenView);
  FInput->MouseLeave();
}

void TTreeList::TrackHotAtPointer() {
  if (!Host() || !OptionsEx().Contains(aoHotTrack)) return;
  const TPoint p = CursorPos();
  FInput->TrackHot(p.x, p.y);
}

void TTreeList::ForgetNode(TTreeListNode* node) {
  FInput->ForgetNode(node);
}
