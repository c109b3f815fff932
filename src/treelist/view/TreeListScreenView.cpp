#include "treelist/view/TreeListScreenView.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ScopeGuard.h"
#include "treelist/TreeList.h"
#include "treelist/access/TreeListAccessible.h"

const TTreeListMetrics& TTreeListScreenView::Metrics() const {
  if (FMetricsStale) {
    FMetrics = MeasureMetrics(FTree);
    // A set row height below the minimum is raised to it, and counts as not set from then on.
    FTree.ForgetRaisedRowHeight(FMetrics.MinRowHeight);
    FMetrics.RowHeight = std::max(FMetrics.MinRowHeight, FTree.RequestedRowHeight());
    FMetricsStale = false;
  }
  return FMetrics;
}

TTreeListGeometry TTreeListScreenView::Geometry() const {
  if (FEventDepth > 0 && FGeometryValid) return FGeometry;
  ++FGeometryBuilds;
  TTreeListGeometry g =
      BuildGeometry(FTree, Metrics(), FTree.ClientWidth(), FTree.ClientHeight(), &FExtents);
  if (FEventDepth == 0) return g;
  FGeometry = g;
  FGeometryValid = true;
  return g;
}

bool TTreeListScreenView::Shown() const {
  return FTree.Host() && FTree.ClientWidth() > 0 && FTree.ClientHeight() > 0;
}

int TTreeListScreenView::RowsTop() const {
  return Metrics().BandPanelHeight + Metrics().HeaderPanelHeight;
}

int TTreeListScreenView::RowsBottom() const {
  return std::max(RowsTop(), FTree.ClientHeight() - Metrics().BelowRows());
}

void TTreeListScreenView::InvalidateRows(TTreeListNode* node, bool toBottom) {
  DropGeometry();
  if (!Shown() || FTree.Locked()) return;
  const int row = node ? node->AbsoluteIndex() : -1;
  if (row < 0) return;
  if (!UniformRows(FTree)) {
    if (toBottom) UpdateScrollRanges();  // rows of other heights change the pages
    const TTreeListGeometry g = Geometry();
    const TTreeListRowPlace* place = g.RowOf(node);
    if (!place && !(toBottom && row < g.TopRow)) return;
    const int top = place ? place->Top : RowsTop();
    const int bottom = toBottom ? RowsBottom() : std::min(place->Bottom, RowsBottom());
    FTree.InvalidateRect(Rect(0, top, FTree.ClientWidth(), bottom));
    return;
  }
  const int height = std::max(UniformRowHeight(FTree, Metrics()), 1);
  const int top = FTree.TopIndex();  // as the layout shows it
  const int y = RowsTop() + (row - top) * height;
  const int bottom = toBottom ? RowsBottom() : std::min(y + height, RowsBottom());
  if (row < top) {
    if (toBottom) FTree.InvalidateRect(Rect(0, RowsTop(), FTree.ClientWidth(), bottom));
    return;
  }
  if (y < bottom) FTree.InvalidateRect(Rect(0, y, FTree.ClientWidth(), bottom));
}

// One node changed (its texts, its focus or its hot state): only what was measured of it is
// forgotten, and the rows below it repaint only when its height changed with it.
void TTreeListScreenView::RepaintRow(TTreeListNode* node) {
  if (!node) return;
  bool resized = false;
  if (!UniformRows(FTree) && Shown() && !FTree.Locked()) {
    const TTreeListGeometry g = Geometry();
    const bool known = FExtents.Knows(node->Sequence());
    const int before = RowExtent(FTree, Metrics(), g, node, &FExtents).Height;
    FExtents.Forget(node->Sequence());
    resized = !known || RowExtent(FTree, Metrics(), g, node, &FExtents).Height != before;
  } else {
    FExtents.Forget(node->Sequence());
  }
  InvalidateRows(node, resized);
}

void TTreeListScreenView::RepaintFromRow(TTreeListNode* node) {
  DropRows();
  InvalidateRows(node, true);
}

void TTreeListScreenView::RepaintAll() {
  DropGeometry();
  FTree.Invalidate();
}

// A bar the style leaves out gets a page that covers its range, which hides it.
void TTreeListScreenView::UpdateScrollRanges() {
  DropGeometry();
  if (!Shown() || FTree.Locked()) return;
  // The rows changed (a collapse, a deletion, a sort...): under a pointer that did not move
  // another row may lie now, and it becomes the hot one. A scroll does it once its pixels
  // moved, or the rows it would paint would move with them.
  const auto retrack = OnScopeExit([this] {
    if (!FMovingTop) FTree.TrackHotAtPointer();
  });
  const TTreeListGeometry g = Geometry();
  // A change that left the scroll positions beyond their ends pulls them back.
  if (FTree.TopVisibleNode() && FTree.TopVisibleNode()->AbsoluteIndex() > g.TopRow) {
    FTree.SetTopVisibleNode(FTree.AbsoluteNodes(g.TopRow));
    RepaintAll();  // every row on screen moved down
  }
  // The control owns its scroll position: asked to, it pulls it back within the new width.
  if (FTree.LeftCoord() != g.LeftCoord) return FTree.SetLeftCoord(g.LeftCoord);
  const TScrollStyle style = FTree.ScrollBars();
  const bool vertical = style == ssVertical || style == ssBoth;
  const bool horizontal = style == ssHorizontal || style == ssBoth;
  const int rows = std::max(FTree.VisibleCount(), 1);
  // Short rows at the top make a page of more rows than the last page holds: the range
  // grows by the difference, so the thumb's end is the top row of the last page.
  const int last = rows - 1 + std::max(g.FullRows - g.LastPageRows, 0);
  FTree.SetScrollInfo(sbVertical, {0, last, vertical ? g.FullRows : last + 1, g.TopRow});
  const int width = std::max(g.TotalWidth, 1);
  FTree.SetScrollInfo(sbHorizontal,
                      {0, width - 1, horizontal ? g.Client.Width() : width, g.LeftCoord});
}

void TTreeListScreenView::RecomputeMetrics() {
  DropRows();
  FMetricsStale = true;
  // Measured now when a row height is set: a font that raises the minimum over it unsets it,
  // even when a second change follows before the next layout.
  if (FTree.RequestedRowHeight() > 0) Metrics();
  UpdateScrollRanges();
  RepaintAll();
}

// The customizing box lists what is hidden: it follows every change of columns and bands.
void TTreeListScreenView::ColumnsChanged() {
  RecomputeMetrics();
  FTree.RefreshCustomizingBox();
}

void TTreeListScreenView::BandsChanged() {
  RecomputeMetrics();
  FTree.RefreshCustomizingBox();
}

int TTreeListScreenView::PageRows() const {
  if (!Shown()) return TTreeListView::PageRows();
  if (!UniformRows(FTree)) return Geometry().FullRows;
  return PageRowCount(FTree, Metrics(), FTree.ClientHeight());
}

int TTreeListScreenView::PageRowsEndingAt(int row) const {
  if (!Shown() || UniformRows(FTree)) return PageRows();
  return RowsFittingUpTo(FTree, Metrics(), Geometry(), row, &FExtents);
}

int TTreeListScreenView::PageRowsStartingAt(int row) const {
  if (!Shown() || UniformRows(FTree)) return PageRows();
  return RowsFittingFrom(FTree, Metrics(), Geometry(), row, &FExtents);
}

int TTreeListScreenView::LastPageRows() const {
  if (!Shown() || UniformRows(FTree)) return PageRows();
  return Geometry().LastPageRows;
}

int TTreeListScreenView::RowHeightOf(const TTreeListNode* node) const {
  return RowExtent(FTree, Metrics(), Geometry(), node, &FExtents).Height;
}

int TTreeListScreenView::ScrollPixels(const TTreeListGeometry& g, int oldRow) const {
  if (g.UniformRows) return (g.TopRow - oldRow) * g.RowHeight;
  const int from = std::min(oldRow, g.TopRow), to = std::max(oldRow, g.TopRow);
  const int pixels = RowsHeight(FTree, Metrics(), g, from, to, &FExtents);
  return g.TopRow > oldRow ? pixels : -pixels;
}

// Within a page the pixels move and only the uncovered strip is painted, plus the focused
// row, whose focus rectangle is drawn again; a longer jump paints everything.
void TTreeListScreenView::TopRowMoved(TTreeListNode* oldTop) {
  // Another row now lies under a pointer that did not move: it becomes the hot one.
  const auto retrack = OnScopeExit([this] {
    FMovingTop = false;
    FTree.TrackHotAtPointer();
  });
  FMovingTop = true;
  DropGeometry();
  UpdateScrollRanges();
  if (!Shown()) return;
  const TTreeListGeometry g = Geometry();
  const int oldRow = oldTop ? oldTop->AbsoluteIndex() : -1;
  const int oldFirst = ClampTopRow(oldRow, FTree.VisibleCount(), g.LastPageRows);
  const int delta = g.TopRow - oldFirst;
  // Moved pixels would carry the drop arrows along, away from the pixels saved under them.
  const bool arrows = FTree.Input().ShowsArrows();
  if (oldRow < 0 || std::abs(delta) >= g.FullRows || arrows) return RepaintAll();
  if (delta == 0) return;
  const int pixels = ScrollPixels(g, oldFirst);
  if (std::abs(pixels) >= g.RowsArea.Height()) return RepaintAll();
  const TRect area = Rect(0, g.RowsArea.top, FTree.ClientWidth(), g.RowsArea.bottom);
  FTree.ScrollWindow(0, -pixels, area);
  if (const TTreeListRowPlace* row = g.RowOf(FTree.FocusedNode())) {
    FTree.InvalidateRect(Rect(0, row->Top, FTree.ClientWidth(), row->Bottom));
    const int oldTopPixel = row->Top + pixels;
    FTree.InvalidateRect(
        Rect(0, oldTopPixel, FTree.ClientWidth(), oldTopPixel + row->Bottom - row->Top));
  }
}

void TTreeListScreenView::ScrolledHorizontally(int shift) {
  DropGeometry();
  if (!Shown()) return;
  const TTreeListGeometry g = Geometry();
  const bool fixed = !g.FixedBandLines.empty();
  if (FTree.ShowFooter() || fixed || std::abs(shift) >= g.Client.Width()) return RepaintAll();
  FTree.ScrollWindow(shift, 0, Rect(g.Client.left, 0, g.Client.right, g.RowsArea.bottom));
  // The focus rectangle's dots are laid out from the row's own left.
  if (const TTreeListRowPlace* row = g.RowOf(FTree.FocusedNode()))
    FTree.InvalidateRect(Rect(g.Client.left, row->Top, g.Client.right, row->Bottom));
}

// Scrolls the least that shows the whole column, or its left part when it is wider than the
// scrolling area; a column of a fixed band is always in view, unless the fixed bands scroll.
void TTreeListScreenView::ScrollToColumn(int column) {
  if (!Shown()) return;
  const std::vector<TTreeListColumn*> displayed = FTree.DisplayedColumns();
  if (column < 0 || column >= static_cast<int>(displayed.size())) return;
  const TTreeListGeometry g = Geometry();
  const TTreeListColumnPlace* place = g.PlaceOf(displayed[column]);
  if (!place || (g.Bands[place->BandPlace].Fixed && !g.FixedBandsScroll)) return;
  int shift = std::max(place->CellRight - g.ScrollRight, 0);
  if (place->CellLeft - shift < g.ScrollLeft) shift = place->CellLeft - g.ScrollLeft;
  if (shift != 0) FTree.SetLeftCoord(g.LeftCoord + shift);
}

void TTreeListScreenView::CancelInteraction() {
  FTree.CancelGesture();
}

void TTreeListScreenView::ForgetNode(TTreeListNode* node) {
  FTree.ForgetNode(node);
}

void TTreeListScreenView::EndSearch() {
  FTree.EndSearch();
}

// Nested sorts show it once; the end puts back the cursor for where the pointer is.
void TTreeListScreenView::SetBusyCursor(bool busy) {
  if (busy && FBusyDepth++ == 0) FTree.SetCursorShape(crHourGlass);
  if (!busy && FBusyDepth > 0 && --FBusyDepth == 0) FTree.RestoreCursor();
}

// Rows are named by where they stand on screen; a locked tree may not be laid out yet.
void TTreeListScreenView::Announce(TAccessibleEvent event, TTreeListNode* node) {
  if (!Shown()) return;
  const int child = node && !FTree.Locked() ? FTree.Accessible().ChildOfNode(node) : -1;
  FTree.NotifyAccessible(event, child);
}
