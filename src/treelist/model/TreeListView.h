#pragma once

#include <algorithm>

#include "platform/Accessible.h"
#include "treelist/TreeListExport.h"

class TTreeListNode;

// The first row shown, kept so that the last page stays full while there are rows enough:
// the one rule for every place that moves or reads the top row.
inline int ClampTopRow(int row, int rowCount, int pageRows) {
  return std::clamp(row, 0, std::max(rowCount - pageRows, 0));
}

// What the node model asks of the parts that draw, scroll and edit. The model keeps its own
// state complete; these calls only tell the rest of the control that something changed. Every
// call does nothing here, so the model runs without any of those parts.
class LISTCHART_TREELIST_API TTreeListView {
 public:
  virtual ~TTreeListView() = default;

  // Painting and scrolling.
  virtual void RepaintRow(TTreeListNode* /*node*/) {}
  // Repaint the rows from the node's row to the bottom.
  virtual void RepaintFromRow(TTreeListNode* /*node*/) {}
  // Repaint the whole control.
  virtual void RepaintAll() {}
  // The rows or widths changed: set the scroll bars' ranges again.
  virtual void UpdateScrollRanges() {}
  // Measure again what follows from the settings: fonts, row heights, band and column tables.
  virtual void RecomputeMetrics() {}
  // A row was inserted into (or removed from) the visible-row index.
  virtual void RowIndexChanged(TTreeListNode* /*node*/, bool /*inserted*/) {}
  // The nodes' view caches were cleared: rows and their heights must be found again.
  virtual void ViewCachesCleared() {}
  // The number of whole rows the data area shows, at least 1. Until a layout measures it, a
  // page size set by the owner stands in.
  virtual int PageRows() const { return FPageRows; }
  // Sets the page size that stands in until a layout measures one; at least 1.
  void SetPageRows(int rows) { FPageRows = rows < 1 ? 1 : rows; }
  // With rows of different heights the page depends on where it is: the whole rows that end
  // with the given row, those that start with it, and those that end with the last row (the
  // top row stops there).
  virtual int PageRowsEndingAt(int /*row*/) const { return PageRows(); }
  // The whole rows that start with the given row; PageRows() here.
  virtual int PageRowsStartingAt(int /*row*/) const { return PageRows(); }
  // The whole rows that end with the last row; PageRows() here.
  virtual int LastPageRows() const { return PageRows(); }
  // The node of the first row was set (the view may not show the move yet).
  virtual void TopNodeChanged() {}
  // The first displayed row moved; the view scrolls its contents.
  virtual void TopRowMoved(TTreeListNode* /*oldTop*/) {}
  // Bring a column (display position) into view horizontally.
  virtual void ScrollToColumn(int /*column*/) {}
  // An incremental search ends when the focus moves.
  virtual void EndSearch() {}
  // Show the busy cursor while sorting, and restore the previous one.
  virtual void SetBusyCursor(bool /*busy*/) {}

  // Tells assistive technology what changed, about a node's row or (null) the whole list.
  virtual void Announce(TAccessibleEvent /*event*/, TTreeListNode* /*node*/) {}

  // Input.
  virtual void CancelInteraction() {}  // any header drag, sizing or pressed state ends
  // A node is being deleted: the input lets go of it (hot-tracked, dragged, drop target).
  virtual void ForgetNode(TTreeListNode* /*node*/) {}

  // Columns and bands changed: rebuild the band/row/column tables and relayout.
  virtual void ColumnsChanged() {}
  // The bands changed: rebuild the tables and relayout.
  virtual void BandsChanged() {}

 private:
  int FPageRows = 20;
};
