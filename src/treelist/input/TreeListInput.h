#pragma once

#include <memory>

#include "platform/Bitmap.h"
#include "platform/Control.h"
#include "treelist/input/TreeListHitTest.h"

class TTreeList;
class TTreeListColumn;

// What the mouse is doing; one gesture at a time.
enum TTreeListMouseState {
  msNone,
  msColumnSizing,
  msHeaderPressed,
  msHeaderDragging,
  msBandPressed,
  msNodePressed
};

// Where a dragged header would land: before the column at (band, row, position) of the
// column list order. None while the drop would not move anything.
struct THeaderPosInfo {
  int BandIndex = -1;
  int RowIndex = -1;
  int ColIndex = -1;
  bool Valid() const { return BandIndex >= 0; }
  friend bool operator==(const THeaderPosInfo&, const THeaderPosInfo&) = default;
};

// A press further than this from where it started (either way) turns into a drag.
inline constexpr int kDragThreshold = 5;
// Within this distance of the scrolling header area's ends, a dragged header scrolls it.
inline constexpr int kDragScrollZone = 12;
inline constexpr int kDragScrollTimer = 1;
inline constexpr int kDragScrollInterval = 100;
// Sizing lets the line go this far right when nothing else bounds it.
inline constexpr int kUnboundedSizing = 100000;

// The tree-list's answer to the mouse and the keyboard: one state machine (idle, node pressed,
// header pressed, column sizing, header dragging). A gesture ends on release, Esc, a right
// press, or the loss of the capture or the focus, and takes its screen feedback with it.
class TTreeListInput {
 public:
  explicit TTreeListInput(TTreeList& tree);
  ~TTreeListInput();

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void KeyDown(int& key, TShiftState shift);
  void Timer(int id);
  // Ends any gesture without applying it.
  void Cancel();
  // Draws the screen feedback again over a paint pass that covered it.
  void PaintOver(TCanvas& canvas, const TRect& updateRect);

  TTreeListMouseState State() const { return FState; }
  int SizingLineX() const { return FLineX; }
  const THeaderPosInfo& DropPosition() const { return FDrop; }
  TTreeListColumn* DraggedColumn() const { return FColumn; }

 private:
  // Presses.
  void PressHeader(const TTreeListHitInfo& hit, int x, int y);
  void PressNode(const TTreeListHitInfo& hit, TMouseButton button, TShiftState shift);
  void SelectByPress(TShiftState shift);
  void PressElsewhere(const TTreeListHitInfo& hit, TShiftState shift);
  void TrackCursor(int x, int y);
  void MovePressedHeader(int x, int y);
  void ReleaseHeader(TShiftState shift, int x, int y);
  // Column sizing (TreeListColumnSizing.cpp).
  void StartSizing(const TTreeListHitInfo& hit, int x);
  void MoveSizingLine(int x);
  void FinishSizing(int x);
  int ClampSizingX(int x) const;
  void ToggleSizingLine(TCanvas& canvas) const;
  // Header dragging (TreeListHeaderDrag.cpp).
  bool CanDragHeader() const;
  void StartHeaderDrag(int x, int y);
  void MoveHeaderDrag(int x, int y);
  void FinishHeaderDrag(int x, int y);
  void CancelHeaderDrag();
  THeaderPosInfo DropPositionAt(TPoint p) const;
  bool AcceptsDrop(const TTreeListGeometry& g, TPoint p) const;
  void ShowArrows(const THeaderPosInfo& drop);
  void HideArrows();
  void DrawArrows(TCanvas& canvas) const;
  TRect ArrowBox(const THeaderPosInfo& drop) const;
  void UpdateDragScroll(int x);
  void EndGesture();

  TTreeList& FTree;
  TTreeListMouseState FState = msNone;
  TPoint FPressPoint;
  TTreeListColumn* FColumn = nullptr;  // pressed, sized or dragged
  bool FNodePressClick = false;        // the press focused a node: the release is a click
  // Column sizing.
  int FLineX = 0;
  int FLineStartX = 0;
  bool FLineShown = false;
  // Header dragging.
  THeaderPosInfo FDrop;
  TRect FArrowBox;
  TBitmap FUnderArrows;
  bool FArrowsShown = false;
  int FDragScroll = 0;  // -1 left, 1 right, 0 still
  bool FDeleteCursor = false;
};
