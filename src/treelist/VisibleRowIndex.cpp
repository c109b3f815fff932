#include "treelist/VisibleRowIndex.h"

#include <algorithm>

#include "treelist/TreeListNode.h"

void TVisibleRowIndex::Clear() {
  FRows.clear();
  FOrder.clear();
  FBuilt = false;
}

void TVisibleRowIndex::StartRebuild() {
  Clear();
}

void TVisibleRowIndex::AppendRow(TTreeListNode* node) {
  FOrder.push_back({node->Sequence(), static_cast<int32_t>(FRows.size())});
  FRows.push_back(node);
}

void TVisibleRowIndex::FinishRebuild() {
  // Nodes are mostly created in display order, so this is usually sorted already.
  auto bySequence = [](const TEntry& a, const TEntry& b) { return a.Sequence < b.Sequence; };
  if (!std::is_sorted(FOrder.begin(), FOrder.end(), bySequence))
    std::sort(FOrder.begin(), FOrder.end(), bySequence);
  FBuilt = true;
}

template <class It>
It TVisibleRowIndex::LowerBound(It first, It last, uint64_t sequence) {
  return std::lower_bound(first, last, sequence,
                          [](const TEntry& e, uint64_t s) { return e.Sequence < s; });
}

int TVisibleRowIndex::RowOf(const TTreeListNode* node) const {
  if (!node) return -1;
  auto it = LowerBound(FOrder.begin(), FOrder.end(), node->Sequence());
  if (it == FOrder.end() || it->Sequence != node->Sequence()) return -1;
  return FRows[it->Row] == node ? it->Row : -1;
}

TTreeListNode* TVisibleRowIndex::NodeAt(int row) const {
  return row >= 0 && row < Count() ? FRows[row] : nullptr;
}

void TVisibleRowIndex::Insert(TTreeListNode* node, int row) {
  row = std::clamp(row, 0, Count());
  for (auto& e : FOrder)
    if (e.Row >= row) ++e.Row;
  auto at = LowerBound(FOrder.begin(), FOrder.end(), node->Sequence());
  FOrder.insert(at, {node->Sequence(), static_cast<int32_t>(row)});
  FRows.insert(FRows.begin() + row, node);
}

void TVisibleRowIndex::Remove(const TTreeListNode* node) {
  auto it = LowerBound(FOrder.begin(), FOrder.end(), node->Sequence());
  if (it == FOrder.end() || it->Sequence != node->Sequence()) return;
  const int32_t row = it->Row;
  FOrder.erase(it);
  for (auto& e : FOrder)
    if (e.Row >= row) --e.Row;
  FRows.erase(FRows.begin() + row);
}
