#pragma once

class TTreeListNode;

// What the node model asks of the parts that draw, scroll, edit, sort and select. The model
// keeps its own state complete; these calls only tell the rest of the control that something
// changed. Every call does nothing here, so the model runs without any of those parts.
class TTreeListView {
 public:
  virtual ~TTreeListView() = default;

  // Painting and scrolling.
  virtual void RepaintRow(TTreeListNode* /*node*/) {}
  virtual void RepaintFromRow(TTreeListNode* /*node*/) {}  // the node's row to the bottom
  virtual void RepaintAll() {}
  virtual void UpdateScrollRanges() {}
  virtual void RecomputeMetrics() {}  // fonts, row heights, band and column tables
  // A row was inserted into (or removed from) the visible-row index.
  virtual void RowIndexChanged(TTreeListNode* /*node*/, bool /*inserted*/) {}
  virtual void ViewCachesCleared() {}

  // Input and editing.
  virtual void CancelInteraction() {}  // any header drag, sizing or pressed state ends
  virtual void HideEditor(bool /*takeFocus*/) {}

  // Sorting.
  virtual void RequestResort() {}
  virtual void PerformPendingResort() {}

  // Selection.
  virtual void DeselectNode(TTreeListNode* /*node*/) {}
  virtual void ClearSelection() {}
  virtual void OpenSelectionBatch() {}
  virtual void CloseSelectionBatch() {}

  // Columns and bands changed: rebuild the band/row/column tables and relayout.
  virtual void ColumnsChanged() {}
  virtual void BandsChanged() {}
};
