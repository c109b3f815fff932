#include "treelist/TreeListScreenView.h"

#include <algorithm>

#include "treelist/TreeList.h"

const TTreeListMetrics& TTreeListScreenView::Metrics() const {
  if (FMetricsStale) {
    FMetrics = MeasureMetrics(FTree);
    // A set row height below the minimum is raised to it.
    FMetrics.RowHeight = std::max(FMetrics.MinRowHeight, FTree.FRequestedRowHeight);
    FMetricsStale = false;
  }
  return FMetrics;
}

TTreeListGeometry TTreeListScreenView::Geometry() const {
  return BuildGeometry(FTree, Metrics(), FTree.ClientWidth(), FTree.ClientHeight());
}

bool TTreeListScreenView::Shown() const {
  return FTree.Host() && FTree.ClientWidth() > 0 && FTree.ClientHeight() > 0;
}

int TTreeListScreenView::RowsTop() const {
  return Metrics().BandPanelHeight + Metrics().HeaderPanelHeight;
}

int TTreeListScreenView::RowsBottom() const {
  return std::max(RowsTop(), FTree.ClientHeight() - Metrics().FooterHeight);
}

void TTreeListScreenView::InvalidateRows(TTreeListNode* node, bool toBottom) {
  if (!Shown() || FTree.Locked()) return;
  const int row = node ? node->AbsoluteIndex() : -1;
  const TTreeListNode* topNode = FTree.TopVisibleNode();
  const int top = topNode ? std::max(topNode->AbsoluteIndex(), 0) : 0;
  if (row < 0) return;
  const int height = std::max(UniformRowHeight(FTree, Metrics()), 1);
  const int y = RowsTop() + (row - top) * height;
  const int bottom = toBottom ? RowsBottom() : std::min(y + height, RowsBottom());
  if (row < top) {
    if (toBottom) FTree.InvalidateRect(Rect(0, RowsTop(), FTree.ClientWidth(), bottom));
    return;
  }
  if (y < bottom) FTree.InvalidateRect(Rect(0, y, FTree.ClientWidth(), bottom));
}

void TTreeListScreenView::RepaintRow(TTreeListNode* node) {
  InvalidateRows(node, false);
}

void TTreeListScreenView::RepaintFromRow(TTreeListNode* node) {
  InvalidateRows(node, true);
}

void TTreeListScreenView::RepaintAll() {
  FTree.Invalidate();
}

void TTreeListScreenView::UpdateScrollRanges() {
  if (!Shown() || FTree.Locked()) return;
  const TTreeListGeometry g = Geometry();
  FTree.SetScrollInfo(sbVertical, {0, std::max(FTree.VisibleCount() - 1, 0), g.FullRows, g.TopRow});
  FTree.SetScrollInfo(sbHorizontal,
                      {0, std::max(g.TotalWidth - 1, 0), g.Client.Width(), g.LeftCoord});
}

void TTreeListScreenView::RecomputeMetrics() {
  FMetricsStale = true;
  UpdateScrollRanges();
  RepaintAll();
}

int TTreeListScreenView::PageRows() const {
  if (!Shown()) return TTreeListView::PageRows();
  const int height = std::max(UniformRowHeight(FTree, Metrics()), 1);
  return std::max((RowsBottom() - RowsTop()) / height, 1);
}

void TTreeListScreenView::TopRowMoved(TTreeListNode* /*oldTop*/) {
  UpdateScrollRanges();
  RepaintAll();
}
