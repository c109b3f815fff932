#pragma once

#include "treelist/model/TreeListView.h"
#include "treelist/view/TreeListLayout.h"

class TTreeList;

// The tree-list's own view: it keeps the metrics, turns the model's notifications into
// invalidations of the window and pushes the scroll ranges. Without a window it only
// remembers that the metrics are stale.
class TTreeListScreenView : public TTreeListView {
 public:
  explicit TTreeListScreenView(TTreeList& tree) : FTree(tree) {}

  // Measured on first use after a change.
  const TTreeListMetrics& Metrics() const;
  TTreeListGeometry Geometry() const;

  void RepaintRow(TTreeListNode* node) override;
  void RepaintFromRow(TTreeListNode* node) override;
  void RepaintAll() override;
  void UpdateScrollRanges() override;
  void RecomputeMetrics() override;
  int PageRows() const override;
  void TopRowMoved(TTreeListNode* oldTop) override;
  void ScrollToColumn(int column) override;
  // LeftCoord moved by shift pixels (positive: the contents move right).
  void ScrolledHorizontally(int shift);
  void CancelInteraction() override;
  void EndSearch() override;
  // The busy cursor while sorting, over whatever cursor was shown.
  void SetBusyCursor(bool busy) override;
  void ColumnsChanged() override { RecomputeMetrics(); }
  void BandsChanged() override { RecomputeMetrics(); }

 private:
  bool Shown() const;
  // The rows area's top and its bottom, from the metrics alone (no geometry needed).
  int RowsTop() const;
  int RowsBottom() const;
  void InvalidateRows(TTreeListNode* node, bool toBottom);

  TTreeList& FTree;
  mutable TTreeListMetrics FMetrics;
  mutable bool FMetricsStale = true;
  int FBusyDepth = 0;
};
