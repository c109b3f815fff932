#include "treelist/model/TreeListControl.h"

#include <algorithm>

TCustomTreeListControl::TCustomTreeListControl() {
  FBands.Add();
  FFont.OnChange = [this] { View().RecomputeMetrics(); };
}

TCustomTreeListControl::~TCustomTreeListControl() {
  // Nodes go first while the control is whole; the columns then leave the values alone.
  DestroyNodes();
  for (auto& column : FColumns) column->FTreeList = nullptr;
}

std::unique_ptr<TTreeListNode> TCustomTreeListControl::CreateNode() {
  return std::make_unique<TTreeListTextNode>(this);
}

TTreeListColumn* TCustomTreeListControl::Columns(int index) const {
  return index >= 0 && index < ColumnCount() ? FColumns[index].get() : nullptr;
}

int TCustomTreeListControl::IndexOfColumn(const TTreeListColumn* column) const {
  for (int i = 0; i < ColumnCount(); ++i)
    if (FColumns[i].get() == column) return i;
  return -1;
}

TTreeListColumn* TCustomTreeListControl::AddColumn(std::unique_ptr<TTreeListColumn> column) {
  if (!column) return nullptr;
  TTreeListColumn* result = column.get();
  result->FTreeList = this;
  result->FBandIndex = std::clamp(result->FBandIndex, -1, FBands.Count() - 1);
  FColumns.push_back(std::move(column));
  ColumnChanged(result);
  return result;
}

std::unique_ptr<TTreeListColumn> TCustomTreeListControl::RemoveColumn(TTreeListColumn* column) {
  const int index = IndexOfColumn(column);
  if (index < 0) return nullptr;
  // The values stored in the column's own slot go: a wrapper's value index names its reference
  // column's slot, whose values stay.
  if (!Destroying()) DeleteNodeValues(index);
  std::erase(FSortColumns, column);  // no dangling sort key
  std::unique_ptr<TTreeListColumn> result = std::move(FColumns[index]);
  FColumns.erase(FColumns.begin() + index);
  result->FTreeList = nullptr;
  CountAutoHeaderRows();
  View().ColumnsChanged();
  return result;
}

void TCustomTreeListControl::MoveColumn(int from, int to) {
  // Positions outside the list name no column: nothing moves.
  if (from < 0 || from >= ColumnCount() || to < 0 || to >= ColumnCount() || from == to) return;
  MoveNodeValues(from, to);
  auto column = std::move(FColumns[from]);
  FColumns.erase(FColumns.begin() + from);
  FColumns.insert(FColumns.begin() + to, std::move(column));
  ColumnChanged(FColumns[to].get());
}

void TCustomTreeListControl::ColumnChanged(TTreeListColumn* /*column*/) {
  CountAutoHeaderRows();
  if (!Loading()) View().ColumnsChanged();
}

// Enough rows for the highest row set (not as read, which the count itself clamps) of a
// visible column in a visible band: columns set to different rows stay apart, a row left
// empty between them included.
void TCustomTreeListControl::CountAutoHeaderRows() {
  int highest = 0;
  for (const auto& c : FColumns)
    if (c->FVisible && c->FBandIndex >= 0 && c->FBandIndex < FBands.Count() &&
        FBands.Items(c->FBandIndex)->Visible())
      highest = std::max(highest, std::min(c->FRowIndex, FHeaderPanelMaxRowCount - 1));
  FAutoHeaderRows = highest + 1;
}

void TCustomTreeListControl::BandChanged() {
  CountAutoHeaderRows();
  if (FBands.Count() != 1 && !FApplyingLayout) FDefaultLayout = false;
  if (Loading()) return FBands.DropVisibleCache();  // counted afresh until loading ends
  FBands.RebuildVisibleCache();
  FBands.NormalizeFixed();
  FBands.RebuildVisibleCache();
  View().BandsChanged();
}

void TCustomTreeListControl::Loaded() {
  // The sort keys stay in the order they were set in (a restored layout's, or the
  // program's); a column that came already sorted follows in column order.
  std::erase_if(FSortColumns, [](const TTreeListColumn* c) { return c->FSorted == csNone; });
  for (auto& c : FColumns)
    if (c->FSorted != csNone &&
        std::find(FSortColumns.begin(), FSortColumns.end(), c.get()) == FSortColumns.end())
      FSortColumns.push_back(c.get());
  FBands.RebuildVisibleCache();
  FBands.NormalizeFixed();
  FBands.RebuildVisibleCache();
  View().BandsChanged();
  View().ColumnsChanged();
  if (Locked()) return;  // the update's end relayouts
  RebuildVisibleRowIndex();
  View().RecomputeMetrics();
  View().UpdateScrollRanges();
  View().RepaintAll();
}

TTreeListBand* TCustomTreeListControl::VisibleBands(int visibleIndex) const {
  return FBands.Items(FBands.VisibleIndexToIndex(visibleIndex));
}

int TCustomTreeListControl::HeaderRowsInBand(int band) const {
  std::vector<bool> used(static_cast<size_t>(FHeaderPanelRowCount), false);
  for (const auto& c : FColumns)
    if (c->Visible() && c->BandIndex() == band) used[c->RowIndex()] = true;
  return static_cast<int>(std::count(used.begin(), used.end(), true));
}

int TCustomTreeListControl::ColumnsInBandRow(int band, int row) const {
  return static_cast<int>(std::count_if(FColumns.begin(), FColumns.end(), [&](const auto& c) {
    return c->Visible() && c->BandIndex() == band && c->RowIndex() == row;
  }));
}

TTreeListColumn* TCustomTreeListControl::ColumnAt(int band, int row, int position) const {
  if (position < 0) return nullptr;
  for (const auto& c : FColumns)
    if (c->Visible() && c->BandIndex() == band && c->RowIndex() == row && position-- == 0)
      return c.get();
  return nullptr;
}

void TCustomTreeListControl::SetBandMaxRowCount(int value) {
  SetProperty(FBandMaxRowCount, std::clamp(value, 1, kMaxPanelRowCount), [this] {
    SetBandRowCount(FBandRowCount);
    View().RecomputeMetrics();
  });
}

void TCustomTreeListControl::SetBandRowCount(int value) {
  ChangeLayout(FBandRowCount, std::clamp(value, 1, FBandMaxRowCount));
}

void TCustomTreeListControl::SetHeaderMinRowCount(int value) {
  ChangeLayout(FHeaderMinRowCount, std::max(value, 1));
}

void TCustomTreeListControl::SetHeaderPanelMaxRowCount(int value) {
  SetProperty(FHeaderPanelMaxRowCount, std::clamp(value, 1, kMaxPanelRowCount), [this] {
    SetHeaderPanelRowCount(FHeaderPanelRowCount);
    CountAutoHeaderRows();
    View().RecomputeMetrics();
  });
}

void TCustomTreeListControl::SetHeaderPanelRowCount(int value) {
  SetProperty(FHeaderPanelRowCount, std::clamp(value, 1, FHeaderPanelMaxRowCount), [this] {
    if (FHeaderPanelRowCount > 1) FDefaultLayout = false;
    View().RecomputeMetrics();
  });
}

void TCustomTreeListControl::SetShowBands(bool value) {
  ChangeLayout(FShowBands, value);
}

void TCustomTreeListControl::SetDefaultLayout(bool value) {
  if (!value) {
    FDefaultLayout = false;
    return;
  }
  const auto lock = UpdateScope();
  FApplyingLayout = true;
  const auto applied = OnScopeExit([this] { FApplyingLayout = false; });
  SetShowBands(false);
  SetHeaderPanelRowCount(1);
  while (FBands.Count() > 1) FBands.Delete(FBands.Count() - 1);
  if (FBands.Count() == 0) FBands.Add();
  FBands.Items(0)->SetVisible(true);
  for (auto& column : FColumns) column->SetBandIndex(0);
  FDefaultLayout = true;
}

void TCustomTreeListControl::SetColor(TColor value) {
  ChangeLook(FColor, value);
}

void TCustomTreeListControl::SetFont(const TFont& value) {
  FFont.Assign(value);
}

void TCustomTreeListControl::SetOptions(TTreeListOptions value) {
  if (value == FOptions) return;
  // Whole-row selection and inverted selection exclude each other.
  if (value.Contains(aoRowSelect) && !FOptions.Contains(aoRowSelect))
    FOptionsEx.Exclude(aoInvertSelect);
  // Sorting starts afresh when header clicks begin to sort; no node moves.
  if (value.Contains(aoAutoSort) && !FOptions.Contains(aoAutoSort)) ClearSortStates();
  FOptions = value;
  if (!Loading()) {
    ClearSelection();
    if (TTreeListNode* focused = FocusedNode()) focused->SetSelected(true);
  }
  View().RecomputeMetrics();
}

void TCustomTreeListControl::SetOptionsEx(TTreeListOptionsEx value) {
  if (value == FOptionsEx) return;
  if (value.Contains(aoInvertSelect) && !FOptionsEx.Contains(aoInvertSelect))
    FOptions.Exclude(aoRowSelect);
  if ((FOptionsEx.Contains(aoMultiSort) && !value.Contains(aoMultiSort)) ||
      FOptionsEx.Contains(aoAnsiSort) != value.Contains(aoAnsiSort))
    ClearSortStates();
  FOptionsEx = value;
  CountAutoHeaderRows();
  View().RecomputeMetrics();
}
