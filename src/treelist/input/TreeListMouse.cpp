// The tree-list's mouse: presses on rows, expand buttons and headers, the header click with
// its sort cycle, and the dispatch into the sizing and dragging gestures.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/ScopeGuard.h"
#include "treelist/TreeList.h"
#include "treelist/input/TreeListInput.h"
#include "treelist/view/TreeListScreenView.h"

namespace {

bool IsHeaderOrEdge(TTreeListHitKind kind) {
  switch (kind) {
    case HitColumnHeader:
    case HitColumnEdge:
    case HitBandHeader:
    case HitBandEdge:
    case HitBandPanelEdge:
    case HitHeaderPanelEdge:
    case HitBandButton:
    case HitHeaderButton:
    case HitRowEdge:
      return true;
    default:
      return false;
  }
}

// The focused column is a display position.
int DisplayPosition(const TTreeList& tree, int columnIndex) {
  const std::vector<TTreeListColumn*> shown = tree.DisplayedColumns();
  const auto it = std::find(shown.begin(), shown.end(), tree.Columns(columnIndex));
  return it == shown.end() ? tree.FocusedColumn() : static_cast<int>(it - shown.begin());
}

}  // namespace

TTreeListInput::TTreeListInput(TTreeList& tree) : FTree(tree) {}

TTreeListInput::~TTreeListInput() = default;

void TTreeListInput::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (FState != msNone) {
    // A right press ends a running gesture; nothing else starts meanwhile.
    if (button == mbRight) Cancel();
    return;
  }
  FTree.SetFocus();
  if (!FTree.Focused()) {  // another window kept the focus
    FTree.SetCapture(false);
    return;
  }
  const TTreeListHitInfo hit = FTree.GetHitInfo({x, y});
  const bool twice = shift & ssDouble;
  FNodePressClick = false;
  if (button == mbMiddle) {
    if (FTree.OptionsEx().Contains(aoMouseScroll)) StartPanning(x, y);
  } else if (button == mbLeft && (hit.Kind == HitRowEdge || hit.Kind == HitHeaderPanelEdge ||
                                  hit.Kind == HitBandPanelEdge)) {
    StartEdgeSizing(hit, y);
  } else if (button == mbLeft && hit.Kind == HitColumnEdge) {
    if (twice)
      FTree.ApplyBestFit(FTree.Columns(hit.Column));
    else
      StartSizing(hit, x);
  } else if (button == mbLeft && hit.Kind == HitBandEdge) {
    if (twice)
      FitBand(hit);
    else
      StartBandSizing(hit, x);
  } else if (button == mbLeft && hit.Kind == HitColumnHeader) {
    PressHeader(hit, x, y);
  } else if (button == mbLeft && hit.Kind == HitBandHeader) {
    PressBand(hit, x, y);
  } else if (button == mbLeft && (hit.Kind == HitBandButton || hit.Kind == HitHeaderButton)) {
    PressPanelButton(hit);
  } else if (button == mbLeft && hit.Kind == HitButton) {
    hit.Node->SetExpanded(!hit.Node->Expanded());
    if (twice && FTree.OnDblClick) FTree.OnDblClick(&FTree);
  } else if ((IsNodeHit(hit.Kind) && button != mbMiddle) ||
             (hit.Kind == HitIndicator && hit.Node && button == mbLeft)) {
    PressNode(hit, button, shift);
  } else {
    PressElsewhere(hit, shift);
  }
  if (FState != msNone) FTree.SetCapture(true);
}

void TTreeListInput::PressHeader(const TTreeListHitInfo& hit, int x, int y) {
  FState = msHeaderPressed;
  FColumn = FTree.Columns(hit.Column);
  FPressPoint = {x, y};
  FTree.SetPressedHeader(FColumn);
}

void TTreeListInput::PressNode(const TTreeListHitInfo& hit, TMouseButton button,
                               TShiftState shift) {
  if (shift & ssDouble) {
    if (FTree.DblClkExpanding()) hit.Node->SetExpanded(!hit.Node->Expanded());
    if (FTree.OnDblClick) FTree.OnDblClick(&FTree);
    return;
  }
  if (button == mbLeft && hit.Kind != HitIndicator) {
    FState = msNodePressed;
    FNodePressClick = true;
    FPressedNode = hit.Node;
    FPressPoint = hit.Point;
  }
  const int column = hit.Column >= 0 ? DisplayPosition(FTree, hit.Column) : FTree.FocusedColumn();
  FTree.SetFocusedNode(hit.Node, column, true);
  if (FTree.Options().Contains(aoMultiSelect)) SelectByPress(shift);
}

// Ctrl toggles the pressed node, Shift extends from the anchor, a plain press selects it alone.
void TTreeListInput::SelectByPress(TShiftState shift) {
  TTreeListNode* node = FTree.FocusedNode();
  if (!node) return;
  if (shift & ssCtrl) {
    node->SetSelected(!node->Selected());
    FTree.SetAnchorNode(node);
  } else if ((shift & ssShift) && FTree.AnchorNode()) {
    FTree.ClearSelection();
    FTree.SelectRange(FTree.AnchorNode(), node);
  } else {
    FTree.ClearSelection();
    node->SetSelected(true);
    FTree.SetAnchorNode(node);
  }
}

void TTreeListInput::PressElsewhere(const TTreeListHitInfo& hit, TShiftState shift) {
  if ((shift & ssDouble) && !IsHeaderOrEdge(hit.Kind) && hit.Kind != HitOutside && FTree.OnDblClick)
    FTree.OnDblClick(&FTree);
}

void TTreeListInput::MouseMove(TShiftState shift, int x, int y) {
  // Every gesture holds its button (the left one, the middle one for panning): one whose
  // release never came ends here.
  if (FState != msNone && !(shift & (FState == msPanning ? ssMiddle : ssLeft))) Cancel();
  switch (FState) {
    case msRowSizing:
    case msHeaderPanelSizing:
    case msBandPanelSizing:
      MoveEdgeLine(y);
      break;
    case msNodePressed:
      if (StartsNodeDrag(x, y))
        StartNodeDrag();
      else
        FollowPressedPointer(y);
      break;
    case msColumnSizing:
    case msBandSizing:
      MoveSizingLine(x);
      break;
    case msHeaderPressed:
      MovePressedHeader(x, y);
      break;
    case msHeaderDragging:
      MoveHeaderDrag(x, y);
      break;
    case msBandPressed:
      MovePressedBand(x, y);
      break;
    case msBandDragging:
      MoveBandDrag(x, y);
      break;
    case msPanelButtonPressed:
      MovePressedPanelButton(x, y);
      break;
    case msNone:
      TrackCursor(x, y);
      break;
    default:
      break;
  }
  if (FState == msNone || FState == msNodePressed) TrackHot(x, y);
}

void TTreeListInput::TrackCursor(int x, int y) {
  switch (FTree.GetHitInfo({x, y}).Kind) {
    case HitColumnEdge:
    case HitBandEdge:
      FTree.SetCursorShape(crHSplit);
      break;
    case HitRowEdge:
    case HitHeaderPanelEdge:
    case HitBandPanelEdge:
      FTree.SetCursorShape(crVSplit);
      break;
    default:
      FTree.SetCursorShape(crArrow);
      break;
  }
}

// Drawn down only while over its own header; far enough away, the press becomes a drag.
void TTreeListInput::MovePressedHeader(int x, int y) {
  const TTreeListHitInfo hit = FTree.GetHitInfo({x, y});
  const bool over = hit.Kind == HitColumnHeader && FTree.Columns(hit.Column) == FColumn;
  FTree.SetPressedHeader(over ? FColumn : nullptr);
  const bool far =
      std::abs(x - FPressPoint.x) > kDragThreshold || std::abs(y - FPressPoint.y) > kDragThreshold;
  if (far && CanDragHeader()) StartHeaderDrag(x, y);
}

void TTreeListInput::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const TTreeListMouseState state = FState;
  if (state != msNone && button != (state == msPanning ? mbMiddle : mbLeft)) return;
  {
    // The gesture ends also when a handler called on the way raises.
    const auto end = OnScopeExit([this] { EndGesture(); });
    if (state == msColumnSizing)
      FinishSizing(x);
    else if (state == msBandSizing)
      FinishBandSizing(x);
    else if (state == msHeaderDragging)
      FinishHeaderDrag(x, y);
    else if (state == msBandDragging)
      FinishBandDrag(x, y);
    else if (state == msHeaderPressed)
      ReleaseHeader(shift, x, y);
    else if (state == msRowSizing || state == msHeaderPanelSizing || state == msBandPanelSizing)
      FinishEdgeSizing(y);
    else if (state == msPanelButtonPressed)
      ReleasePanelButton(x, y);
  }
  // The cursor a gesture set gives way to the one for where the pointer is now.
  if (state != msNone) TrackCursor(x, y);
  if (std::exchange(FNodePressClick, false) && FTree.OnClick) FTree.OnClick(&FTree);
}

// Released over the header it pressed: a click, which sorts.
void TTreeListInput::ReleaseHeader(TShiftState shift, int x, int y) {
  TTreeListColumn* column = FColumn;
  FTree.SetPressedHeader(nullptr);
  const TTreeListHitInfo hit = FTree.GetHitInfo({x, y});
  if (hit.Kind != HitColumnHeader || FTree.Columns(hit.Column) != column) return;
  FTree.ColumnHeaderClick(column, shift & ssShift, shift & ssCtrl);
}

void TTreeListInput::EndGesture() {
  if (FState == msPanning) StopPanning();
  FSelectScroll = 0;
  FTree.KillTimer(kSelectScrollTimer);
  FPressedNode = nullptr;
  FState = msNone;
  FColumn = nullptr;
  FBand = nullptr;
  FPanelButton = HitNowhere;
  FTree.SetPressedHeader(nullptr);
  FTree.SetPressedBand(nullptr);
  FTree.SetPressedPanelButton(HitNowhere);
  FTree.SetCapture(false);
}

// Also called by every BeginUpdate: at rest it must leave the cursor and capture alone.
void TTreeListInput::Cancel() {
  FNodePressClick = false;
  if (FState == msNone) return;
  switch (FState) {
    case msColumnSizing:
    case msBandSizing:
      HideSizingLine();
      break;
    case msHeaderDragging:
    case msBandDragging:
      CancelHeaderDrag();
      break;
    case msRowSizing:
    case msHeaderPanelSizing:
    case msBandPanelSizing:
      HideEdgeLine();
      break;
    default:
      break;
  }
  FTree.SetCursorShape(crArrow);
  EndGesture();
}

void TTreeListInput::PaintOver(TCanvas& canvas, const TRect& updateRect) {
  if ((FState == msColumnSizing || FState == msBandSizing) && FLineShown) ToggleSizingLine(canvas);
  if (FEdgeLineShown) ToggleEdgeLine(canvas);
  if (FArrowsShown) {
    // The paint covered the arrows in its area: what lies under them there is new.
    TRect fresh;
    if (IntersectRect(fresh, SavedArrowBox(), updateRect))
      FUnderArrows.Canvas().CopyRect(fresh, canvas, fresh);
    DrawArrows(canvas);
  }
}

void TTreeListInput::Timer(int id) {
  if (id == kSearchTimer) return EndSearch();
  if (id == kPanTimer) return Pan();
  if (id == kSelectScrollTimer) return SelectScroll();
  if (id == kDragExpandTimer) return DragExpand();
  if (id == kDragOverScrollTimer) return DragOverScroll();
  if (id != kDragScrollTimer) return;
  const bool band = FState == msBandDragging;
  if ((FState != msHeaderDragging && !band) || FDragScroll == 0) {
    FTree.KillTimer(kDragScrollTimer);
    return;
  }
  HideArrows();
  FTree.SetLeftCoord(FTree.LeftCoord() + FDragScroll * FTree.Metrics().ZeroWidth);
  FTree.Update();
  // The drop place is found again under the pointer, and the arrows drawn anew.
  const TPoint p = FTree.CursorPos();
  FDrop = THeaderPosInfo{};
  FBandDrop = -1;
  if (band)
    MoveBandDrag(p.x, p.y);
  else
    MoveHeaderDrag(p.x, p.y);
}

TTreeListHitInfo TTreeList::GetHitInfo(TPoint p) const {
  return HitTest(*this, Geometry(), p);
}

// The standard events come after the control's own handling.
void TTreeList::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  const TTreeListEventScope scope(*FScreenView);
  FInput->MouseDown(button, shift, x, y);
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TTreeList::MouseMove(TShiftState shift, int x, int y) {
  const TTreeListEventScope scope(*FScreenView);
  FInput->MouseMove(shift, x, y);
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TTreeList::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const TTreeListEventScope scope(*FScreenView);
  FInput->MouseUp(button, shift, x, y);
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TTreeList::Timer(int id) {
  const TTreeListEventScope scope(*FScreenView);
  FInput->Timer(id);
}

void TTreeList::CaptureLost() {
  FInput->Cancel();
}
