#pragma once

#include <cstdint>

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
  // Inside an event scope the record is built once and reused until a notification says
  // that something it depends on changed; outside one it is built on every call.
  TTreeListGeometry Geometry() const;
  void BeginEvent() { ++FEventDepth; }
  void EndEvent() {
    if (--FEventDepth == 0) FGeometryValid = false;
  }
  // Something the record reads changed: the scroll position, the rows, the layout.
  void DropGeometry() const { FGeometryValid = false; }
  // How many records were built, for tests that count the work of an event.
  int GeometryBuilds() const { return FGeometryBuilds; }
  void RowIndexChanged(TTreeListNode* /*node*/, bool /*inserted*/) override {
    ++FRowChanges;
    DropRows();
  }
  void ViewCachesCleared() override {
    ++FRowChanges;
    DropRows();
  }
  // How often rows came or went, so that a paint can tell other rows stand on screen.
  uint64_t RowChanges() const { return FRowChanges; }
  void TopNodeChanged() override { DropGeometry(); }

  void RepaintRow(TTreeListNode* node) override;
  void RepaintFromRow(TTreeListNode* node) override;
  void RepaintAll() override;
  void UpdateScrollRanges() override;
  void RecomputeMetrics() override;
  int PageRows() const override;
  int PageRowsEndingAt(int row) const override;
  int PageRowsStartingAt(int row) const override;
  int LastPageRows() const override;
  // The height of a node's row in the current layout.
  int RowHeightOf(const TTreeListNode* node) const;
  void TopRowMoved(TTreeListNode* oldTop) override;
  void ScrollToColumn(int column) override;
  // LeftCoord moved by shift pixels (positive: the contents move right).
  void ScrolledHorizontally(int shift);
  void CancelInteraction() override;
  void ForgetNode(TTreeListNode* node) override;
  void EndSearch() override;
  // The busy cursor while sorting, over whatever cursor was shown.
  void SetBusyCursor(bool busy) override;
  void Announce(TAccessibleEvent event, TTreeListNode* node) override;
  void ColumnsChanged() override;
  void BandsChanged() override;

 private:
  bool Shown() const;
  // The rows area's top and its bottom, from the metrics alone (no geometry needed).
  int RowsTop() const;
  int RowsBottom() const;
  void InvalidateRows(TTreeListNode* node, bool toBottom);
  // A node or the rows changed: what was measured of them is forgotten.
  void DropRows() const {
    DropGeometry();
    FExtents.Clear();
  }
  // How far the contents move when the top row goes from oldRow to the layout's top row.
  int ScrollPixels(const TTreeListGeometry& g, int oldRow) const;

  TTreeList& FTree;
  mutable TTreeListMetrics FMetrics;
  mutable bool FMetricsStale = true;
  mutable TTreeListGeometry FGeometry;
  mutable bool FGeometryValid = false;
  mutable TTreeListExtentCache FExtents;
  mutable int FGeometryBuilds = 0;
  int FEventDepth = 0;
  bool FMovingTop = false;  // the top row moves: the hot row is tracked after the scroll
  int FBusyDepth = 0;
  uint64_t FRowChanges = 0;
};

// Holds one geometry record for the length of an event or a paint.
class TTreeListEventScope {
 public:
  explicit TTreeListEventScope(TTreeListScreenView& view) : FView(view) { view.BeginEvent(); }
  ~TTreeListEventScope() { FView.EndEvent(); }
  TTreeListEventScope(const TTreeListEventScope&) = delete;
  TTreeListEventScope& operator=(const TTreeListEventScope&) = delete;

 private:
  TTreeListScreenView& FView;
};
