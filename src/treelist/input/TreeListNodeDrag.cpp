// Node drag and drop. As the source (DragMode dmAutomatic): a node pressed and moved more
// than 5 pixels is dragged through the window's drag and drop, carrying its first shown text
// and a picture of its row. As a target: the row under the pointer is framed while a drop
// there would be taken; a node never lands on itself or its descendants; hovering opens a
// collapsed node (closes an open one with aoDragCollapse) and the top and bottom rows scroll.
#include <cstdlib>

#include "treelist/TreeList.h"
#include "treelist/input/TreeListInput.h"
#include "treelist/view/TreeListScreenView.h"

namespace {

// The node a drag carries when it comes from a tree-list of this program.
TTreeListNode* DraggedFrom(const TDragData& data) {
  auto* source = dynamic_cast<TTreeList*>(data.Source);
  return source ? source->Input().DraggedNode() : nullptr;
}

bool Within(const TTreeListNode* node, const TTreeListNode* ancestor) {
  for (; node; node = node->Parent())
    if (node == ancestor) return true;
  return false;
}

}  // namespace

bool TTreeListInput::StartsNodeDrag(int x, int y) const {
  return FTree.DragMode() == dmAutomatic && FPressedNode &&
         (std::abs(x - FPressPoint.x) > kDragThreshold ||
          std::abs(y - FPressPoint.y) > kDragThreshold);
}

// The press gives way to the drag: the release ends the drag, not a click.
void TTreeListInput::StartNodeDrag() {
  TTreeListNode* node = FPressedNode;
  FNodePressClick = false;
  EndGesture();
  FDragNode = node;
  const std::vector<TTreeListColumn*> shown = FTree.DisplayedColumns();
  TDragData data;
  data.Source = &FTree;
  if (!shown.empty()) data.Text = shown[0]->CellText(node);
  TBitmap image;
  TPoint hotspot;
  const TTreeListGeometry g = FTree.Geometry();
  if (const TTreeListRowPlace* row = g.RowOf(node); row && FTree.ScreenCanvas()) {
    const TRect r = g.RowContentRect(*row);
    if (!IsRectEmpty(r)) {
      image.SetSize(r.Width(), r.Height());
      image.Canvas().CopyRect(Rect(0, 0, r.Width(), r.Height()), *FTree.ScreenCanvas(), r);
      hotspot = {FPressPoint.x - r.left, FPressPoint.y - r.top};
    }
  }
  FTree.StartDrag(data, image, hotspot);
}

void TTreeListInput::EndDrag() {
  FDragNode = nullptr;
}

bool TTreeListInput::DragOver(const TDragData& data, int x, int y) {
  const TTreeListHitInfo hit = FTree.GetHitInfo({x, y});
  TTreeListNode* target = hit.Kind != HitOutside ? hit.Node : nullptr;
  TTreeListNode* dragged = DraggedFrom(data);
  bool accept = target && !(dragged && Within(target, dragged));
  FDragHover = target;
  // The handler may delete the target: the deletion clears FDragHover.
  if (FTree.OnDragOver) FTree.OnDragOver(&FTree, data.Source, dragged, target, x, y, accept);
  SetDropTarget(accept ? FDragHover : nullptr);
  UpdateDragOverTimers(y);
  return accept;
}

void TTreeListInput::DragLeave() {
  SetDropTarget(nullptr);
  FDragHover = FExpandNode = nullptr;
  FDragOverScroll = 0;
  FTree.KillTimer(kDragExpandTimer);
  FTree.KillTimer(kDragOverScrollTimer);
}

void TTreeListInput::DragDrop(const TDragData& data, int x, int y) {
  const bool accept = DragOver(data, x, y);
  TTreeListNode* target = FDropTarget;
  TTreeListNode* dragged = DraggedFrom(data);
  DragLeave();
  if (accept && FTree.OnNodeDropped)
    FTree.OnNodeDropped(&FTree, data.Source, dragged, target, data.Text);
}

void TTreeListInput::SetDropTarget(TTreeListNode* node) {
  if (node == FDropTarget) return;
  if (FDropTarget) FTree.View().RepaintRow(FDropTarget);
  FDropTarget = node;
  if (node) FTree.View().RepaintRow(node);
}

bool TTreeListInput::CanToggleOnDrag(const TTreeListNode* node) const {
  if (!node || !node->HasChildren()) return false;
  return FTree.OptionsEx().Contains(node->Expanded() ? aoDragCollapse : aoDragExpand);
}

// The expand timer starts afresh for each row hovered; the scroll timer runs while the
// pointer is over the top row (with rows above) or the last whole row (with rows below).
// When they are one row, its upper half scrolls up and its lower half down.
void TTreeListInput::UpdateDragOverTimers(int y) {
  if (FDragHover != FExpandNode) {
    FExpandNode = FDragHover;
    FTree.KillTimer(kDragExpandTimer);
    if (CanToggleOnDrag(FExpandNode))
      FTree.SetTimer(kDragExpandTimer, FTree.WaitForExpandNodeTime());
  }
  const TTreeListGeometry g = FTree.Geometry();
  FDragOverScroll = 0;
  if (FTree.OptionsEx().Contains(aoDragScroll) && !g.Rows.empty()) {
    const TTreeListRowPlace& top = g.Rows.front();
    const TTreeListRowPlace& last =
        g.Rows[std::min(g.FullRows, static_cast<int>(g.Rows.size())) - 1];
    const bool onTop =
        y >= top.Top && y < top.Bottom && (&top != &last || y < (top.Top + top.Bottom) / 2);
    const bool onLast = y >= last.Top && y < last.Bottom && !onTop;
    if (onTop && FTree.TopIndex() > 0)
      FDragOverScroll = -1;
    else if (onLast && FTree.TopIndex() + g.FullRows < FTree.VisibleCount())
      FDragOverScroll = 1;
  }
  if (FDragOverScroll != 0)
    FTree.SetTimer(kDragOverScrollTimer, kDragOverScrollInterval);
  else
    FTree.KillTimer(kDragOverScrollTimer);
}

// Toggled once, a node under a drag that may close again waits twice as long for it.
void TTreeListInput::DragExpand() {
  TTreeListNode* node = FExpandNode;
  FTree.KillTimer(kDragExpandTimer);
  if (!CanToggleOnDrag(node)) return;
  node->SetExpanded(!node->Expanded());
  if (CanToggleOnDrag(FExpandNode))
    FTree.SetTimer(kDragExpandTimer, 2 * FTree.WaitForExpandNodeTime());
}

void TTreeListInput::DragOverScroll() {
  if (FDragOverScroll == 0) return FTree.KillTimer(kDragOverScrollTimer);
  FTree.SetTopIndex(FTree.TopIndex() + FDragOverScroll);
}

void TTreeList::EndDrag(bool /*dropped*/) {
  FInput->EndDrag();
}
