#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Control.h"
#include "treelist/TreeListExport.h"
#include "treelist/input/TreeListHitTest.h"

class TTreeList;
class TTreeListBand;
class TTreeListColumn;
class TTreeListNode;
struct TTreeListCustomizingItem;

// What the mouse is doing; one gesture at a time.
enum TTreeListMouseState {
  msNone,
  msColumnSizing,
  msBandSizing,
  msHeaderPressed,
  msHeaderDragging,
  msBandPressed,
  msBandDragging,
  msNodePressed,
  msRowSizing,
  msHeaderPanelSizing,
  msBandPanelSizing,
  msPanning,
  msPanelButtonPressed
};

// Where a dragged header would land: before the column at (band, row, position) of the
// column list order. None while the drop would not move anything.
struct LISTCHART_TREELIST_API THeaderPosInfo {
  // The band of the drop, as its index among the visible bands (TTreeListGeometry::Bands); -1
  // for none.
  int BandIndex = -1;
  // The header row within the band.
  int RowIndex = -1;
  // The position within the header row the column would take.
  int ColIndex = -1;
  // Whether there is a drop position.
  bool Valid() const { return BandIndex >= 0; }
  // Equal when every field matches.
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
// An incremental search ends after this long without a key.
inline constexpr int kSearchTimer = 2;
inline constexpr int kSearchPause = 1500;
// Mouse panning: while the middle button is held the view moves towards the pointer, the
// faster the further it is from where the button went down (outside a still zone).
inline constexpr int kPanTimer = 3;
inline constexpr int kPanInterval = 20;
inline constexpr int kPanStillZone = 8;
inline constexpr int kPanSlowdown = 8;  // pixels of distance per pixel moved each tick
// A pressed pointer above or below the rows scrolls them a row a tick (aoMouseScroll).
inline constexpr int kSelectScrollTimer = 4;
inline constexpr int kSelectScrollInterval = 60;
// While a drag hovers: a collapsed node opens (and with aoDragCollapse an open one closes)
// after WaitForExpandNodeTime, and the top or bottom row scrolls the rows.
inline constexpr int kDragExpandTimer = 5;
inline constexpr int kDragOverScrollTimer = 6;
inline constexpr int kDragOverScrollInterval = 100;

// Sizing one of a row of widths (columns of a band row, or bands): the neighbours right of it,
// or left of it when it is the last, take up the difference in proportion. With minimums, a
// neighbour whose share falls below its own gets that and the others give the rest. Returns
// their new and old sum, {1, 1} when there are none.
LISTCHART_TREELIST_API std::pair<int, int> ShareOut(std::vector<int>& widths, int sized,
                                                    int newWidth,
                                                    const std::vector<int>& mins = {});

// Incremental search: the first visible row from start on (round from the top) whose text in
// the focused column starts with text, ignoring case; and how many bytes of a cell's text
// are drawn marked as the match (0 for every cell but the focused one during a search).
LISTCHART_TREELIST_API TTreeListNode* FindSearchMatch(const TTreeList& tree, TTreeListNode* start,
                                                      const std::string& text);
LISTCHART_TREELIST_API size_t SearchMarkLength(const TTreeList& tree, const TTreeListNode* node,
                                               const TTreeListColumn* column);

// The tree-list's answer to the mouse and the keyboard: one state machine (idle, node pressed,
// header pressed, column sizing, header dragging). A gesture ends on release, Esc, a right
// press, or the loss of the capture or the focus, and takes its screen feedback with it.
class LISTCHART_TREELIST_API TTreeListInput {
 public:
  // The input of a tree-list, which owns it and passes its window's events on.
  explicit TTreeListInput(TTreeList& tree);
  ~TTreeListInput();

  // A button went down: starts a gesture (sizing, header press, node press, panning) or, during
  // one, a right press cancels it.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  // The pointer moved: carries the gesture on, or tracks the cursor and hot row.
  void MouseMove(TShiftState shift, int x, int y);
  // A button went up: finishes the gesture and applies it.
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // A key went down: Esc cancels a gesture or search, other keys move the focus, expand, select or
  // copy; key is set to 0 when it was used.
  void KeyDown(int& key, TShiftState shift);
  // A character was typed: extends an incremental search or acts on +, - and *, and Ctrl+C; key is
  // set to 0 when it was used.
  void KeyPress(char& key);
  // One of the input's timers (search, panning, scrolling, drag expand) fired.
  void Timer(int id);
  // Ends any gesture without applying it.
  void Cancel();
  // The cursor the point calls for: a split cursor over sizing zones, the arrow elsewhere.
  void TrackCursor(int x, int y);
  // An incremental search collects typed text here; a focus move, Esc or a pause ends it.
  const std::string& SearchText() const { return FSearchText; }
  // Ends an incremental search and repaints the focused row; not while the search itself moves the
  // focus.
  void EndSearch();
  // With aoAutoSearch: extends the search by one typed byte; false when it is not taken.
  bool SearchKey(char key);
  // Hot tracking (aoHotTrack): the row under the pointer, and its cell's column index (-1 off
  // the cells). Only the rows whose state changes are painted again.
  TTreeListNode* HotNode() const { return FHotNode; }
  // The hot cell's column index; -1 off the cells.
  int HotColumn() const { return FHotColumn; }
  // Sets the hot row and column from the point (nothing without aoHotTrack).
  void TrackHot(int x, int y);
  // The pointer left the window: nothing is hot.
  void MouseLeave();
  // Node drag and drop (TreeListNodeDrag.cpp): the node this tree-list's drag carries, the
  // row a drop would land on (drawn framed), and the target's side of a drag.
  TTreeListNode* DraggedNode() const { return FDragNode; }
  // The row a drop would land on, or nullptr.
  TTreeListNode* DropTarget() const { return FDropTarget; }
  // A drag hovers at (x, y): finds the row under it (none that the dragged node holds), asks
  // OnDragOver, frames the target and runs the expand and scroll timers; true when a drop is
  // accepted.
  bool DragOver(const TDragData& data, int x, int y);
  // The drag left the window: no target, and the timers stop.
  void DragLeave();
  // A drop at (x, y): fires OnNodeDropped when DragOver accepts it.
  void DragDrop(const TDragData& data, int x, int y);
  // This tree-list's own drag ended: no node is dragged any longer.
  void EndDrag();
  // The node is being deleted: no reference to it may stay.
  void ForgetNode(TTreeListNode* node);
  // A band or column dragged out of the customizing box hovers at (x, y): the arrows mark
  // where it would land; true when a drop there is taken.
  bool BoxDragOver(const TTreeListCustomizingItem& item, int x, int y);
  // It dropped at (x, y): shown where the arrows stood.
  void BoxDrop(const TTreeListCustomizingItem& item, int x, int y);
  // It left, or no longer carries anything: the arrows go.
  void BoxDragLeave();
  // Draws the screen feedback again over a paint pass that covered it.
  void PaintOver(TCanvas& canvas, const TRect& updateRect);

  // What the mouse is doing now.
  TTreeListMouseState State() const { return FState; }
  // Whether a gesture is under way that holds the mouse (sizing, pressed or dragged header).
  bool Gesture() const { return FState != msNone && FState != msNodePressed; }
  // Screen feedback moves with nothing: scrolled pixels would carry it away.
  bool ShowsArrows() const { return FArrowsShown; }
  // Where a dragged band would land: a band collection index, -1 for nowhere.
  int BandDropIndex() const { return FBandDrop; }
  // The x of the line shown while a column or band is sized.
  int SizingLineX() const { return FLineX; }
  // Where a dragged header would land now.
  const THeaderPosInfo& DropPosition() const { return FDrop; }
  // The column pressed, sized or dragged; nullptr outside such a gesture.
  TTreeListColumn* DraggedColumn() const { return FColumn; }

 private:
  // Presses.
  void PressHeader(const TTreeListHitInfo& hit, int x, int y);
  void PressNode(const TTreeListHitInfo& hit, TMouseButton button, TShiftState shift);
  void SelectByPress(TShiftState shift);
  void PressElsewhere(const TTreeListHitInfo& hit, TShiftState shift);
  void MovePressedHeader(int x, int y);
  void ReleaseHeader(TShiftState shift, int x, int y);
  // Column sizing (TreeListColumnSizing.cpp).
  void StartSizing(const TTreeListHitInfo& hit, int x);
  void MoveSizingLine(int x);
  void FinishSizing(int x);
  int ClampSizingX(int x) const;
  void ToggleSizingLine(TCanvas& canvas) const;
  void ShowSizingLine(int x);
  void HideSizingLine();
  // Band sizing, pressing and dragging (TreeListBandGestures.cpp).
  void StartBandSizing(const TTreeListHitInfo& hit, int x);
  void FinishBandSizing(int x);
  void FitBand(const TTreeListHitInfo& hit);
  void PressBand(const TTreeListHitInfo& hit, int x, int y);
  void MovePressedBand(int x, int y);
  void StartBandDrag(int x, int y);
  void MoveBandDrag(int x, int y);
  void FinishBandDrag(int x, int y);
  void StartDragImage(const TRect& header);
  // Header dragging (TreeListHeaderDrag.cpp).
  bool CanDragHeader() const;
  void StartHeaderDrag(int x, int y);
  void MoveHeaderDrag(int x, int y);
  void FinishHeaderDrag(int x, int y);
  void PlaceDraggedColumn(TTreeListColumn* column, const TTreeListGeometry& g,
                          const THeaderPosInfo& drop);
  void HideDraggedColumn(TTreeListColumn* column, const TTreeListGeometry& g);
  void CancelHeaderDrag();
  // Where a column (shown or hidden) would land at p.
  THeaderPosInfo DropPositionAt(TPoint p, const TTreeListColumn* column) const;
  bool AcceptsDrop(const TTreeListGeometry& g, TPoint p) const;
  // Off its panel, a dragged band or column shows the delete cursor, and its picture moves
  // aside for it.
  void ShowDropCursor(bool accept, int x, int y);
  // Whether a band or column dropped off its panel goes hidden: customizing is on, it allows
  // it, and it is not the last one shown.
  bool MayHide(bool disableCustomizing, int shown) const;
  void HideDraggedBand(TTreeListBand* band);
  // The place among the collection a band (shown or hidden) would take at p, -1 for none;
  // edge, when given, gets the x the arrows mark.
  int BandDropAt(TPoint p, const TTreeListBand* band, int* edge = nullptr) const;
  TRect BandArrowBox(int edge) const;
  // The buttons left of the panels (TreeListCustomizeDrag.cpp).
  void PressPanelButton(const TTreeListHitInfo& hit);
  void MovePressedPanelButton(int x, int y);
  void ReleasePanelButton(int x, int y);
  void ShowArrows(const TRect& box);
  void HideArrows();
  // The part of the arrows' box on screen, whose pixels FUnderArrows keeps.
  TRect SavedArrowBox() const;
  void DrawArrows(TCanvas& canvas) const;
  TRect ArrowBox(const THeaderPosInfo& drop) const;
  void UpdateDragScroll(int x);
  void EndGesture();
  // Sets Hot.
  void SetHot(TTreeListNode* node, int column);
  // Row, header panel and band panel sizing (TreeListRowSizing.cpp).
  void StartEdgeSizing(const TTreeListHitInfo& hit, int y);
  int ClampEdgeY(int y) const;
  void ToggleEdgeLine(TCanvas& canvas) const;
  void MoveEdgeLine(int y);
  void HideEdgeLine();
  void FinishEdgeSizing(int y);
  // Mouse panning and the pressed pointer's scrolling (TreeListPanning.cpp).
  void StartPanning(int x, int y);
  void Pan();
  void StopPanning();
  void FollowPressedPointer(int y);
  void SelectScroll();
  // Node drag and drop (TreeListNodeDrag.cpp).
  bool StartsNodeDrag(int x, int y) const;
  void StartNodeDrag();
  // Sets DropTarget.
  void SetDropTarget(TTreeListNode* node);
  void UpdateDragOverTimers(int y);
  bool CanToggleOnDrag(const TTreeListNode* node) const;
  void DragExpand();
  void DragOverScroll();
  // Incremental search (TreeListSearch.cpp).
  void SearchFor(const std::string& text);
  bool SearchBackspace();

  TTreeList& FTree;
  TTreeListMouseState FState = msNone;
  TPoint FPressPoint;
  TTreeListColumn* FColumn = nullptr;  // pressed, sized or dragged
  TTreeListBand* FBand = nullptr;      // likewise
  int FBandDrop = -1;
  bool FNodePressClick = false;  // the press focused a node: the release is a click
  // The panel button pressed.
  TTreeListHitKind FPanelButton = HitNowhere;
  std::string FSearchText;
  std::string FSearchPending;  // the first bytes of a character still arriving
  bool FSearchMoving = false;  // the search moves the focus: that must not end it
  TTreeListNode* FHotNode = nullptr;
  int FHotColumn = -1;
  // Row and panel sizing: the horizontal line and the top of what is sized.
  int FLineY = 0;
  int FLineStartY = 0;
  int FSizedTop = 0;
  int FSizedLines = 1;  // a sized row's lines of DefaultRowHeight
  int FSizedFixed = 0;  // and the pixels of it that do not scale with them
  bool FEdgeLineShown = false;
  // Panning: pixels owed to the next tick's scroll.
  TPoint FPanOwed;
  int FSelectScroll = 0;  // -1 up, 1 down, 0 still
  // Node drag and drop.
  TTreeListNode* FPressedNode = nullptr;
  TTreeListNode* FDragNode = nullptr;
  TTreeListNode* FDropTarget = nullptr;
  TTreeListNode* FDragHover = nullptr;   // the row under a drag, taken or not
  TTreeListNode* FExpandNode = nullptr;  // the row the expand timer runs for
  int FDragOverScroll = 0;
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
