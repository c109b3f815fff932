#include "treelist/model/VisibleRowIndex.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "treelist/model/TreeListNode.h"

namespace {

// Past this many pending shifts (or added pairs beyond this share of the rows) the pairs are
// renumbered: lookups stay quick, and the renumbering is paid once for many block moves.
constexpr size_t kMaxShifts = 256;

bool BySequence(uint64_t a, uint64_t b) {
  return a < b;
}

}  // namespace

void TVisibleRowIndex::Clear() {
  FRows.clear();
  FOrder.clear();
  FAdded.clear();
  FShifts.clear();
  FSegments.assign(1, {0, 0, false});
  FBuilt = false;
}

void TVisibleRowIndex::StartRebuild() {
  Clear();
}

void TVisibleRowIndex::AppendRow(TTreeListNode* node) {
  FOrder.push_back({node->Sequence(), static_cast<int32_t>(FRows.size()), 0});
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
                          [](const TEntry& e, uint64_t s) { return BySequence(e.Sequence, s); });
}

// A settled pair reads the segment table; a pair added later applies the shifts after it.
int TVisibleRowIndex::Moved(const TEntry& e) const {
  int row = e.Row;
  if (e.Epoch == 0) {
    auto seg = std::upper_bound(FSegments.begin(), FSegments.end(), row,
                                [](int r, const TSegment& s) { return r < s.Start; });
    --seg;
    return seg->Removed ? -1 : row + seg->Offset;
  }
  for (size_t i = static_cast<size_t>(e.Epoch); i < FShifts.size(); ++i) {
    const TShift& s = FShifts[i];
    if (s.Delta < 0 && row >= s.From + s.Delta && row < s.From) return -1;
    if (row >= s.From) row += s.Delta;
  }
  return row;
}

// The row the pair names now; -1 when it holds another node (a safety net: removed rows are
// already known).
int TVisibleRowIndex::Resolve(const TEntry& e, const TTreeListNode* node) const {
  const int row = Moved(e);
  return row >= 0 && row < Count() && FRows[row] == node ? row : -1;
}

// Splits the segment holding the settled row that is now at currentRow, so the rows from
// there on can move alone.
void TVisibleRowIndex::SplitAt(int currentRow) {
  for (size_t i = 0; i < FSegments.size(); ++i) {
    const TSegment& seg = FSegments[i];
    if (seg.Removed) continue;
    const int start = seg.Start + seg.Offset;
    const int end = i + 1 < FSegments.size() ? FSegments[i + 1].Start + seg.Offset : INT32_MAX;
    if (currentRow <= start || currentRow >= end) continue;
    const TSegment tail{currentRow - seg.Offset, seg.Offset, false};
    FSegments.insert(FSegments.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
    return;
  }
}

void TVisibleRowIndex::NoteShift(TShift shift) {
  FShifts.push_back(shift);
  const int removedFrom = shift.Delta < 0 ? shift.From + shift.Delta : shift.From;
  SplitAt(removedFrom);
  SplitAt(shift.From);
  for (TSegment& seg : FSegments) {
    if (seg.Removed) continue;
    const int start = seg.Start + seg.Offset;
    if (start >= shift.From)
      seg.Offset += shift.Delta;
    else if (start >= removedFrom)
      seg.Removed = true;
  }
}

int TVisibleRowIndex::RowOf(const TTreeListNode* node) const {
  if (!node) return -1;
  const uint64_t s = node->Sequence();
  auto added = LowerBound(FAdded.begin(), FAdded.end(), s);
  if (added != FAdded.end() && added->Sequence == s) {
    const int row = Resolve(*added, node);
    if (row >= 0) return row;
  }
  auto it = LowerBound(FOrder.begin(), FOrder.end(), s);
  if (it == FOrder.end() || it->Sequence != s) return -1;
  return Resolve(*it, node);
}

TTreeListNode* TVisibleRowIndex::NodeAt(int row) const {
  return row >= 0 && row < Count() ? FRows[row] : nullptr;
}

void TVisibleRowIndex::Insert(TTreeListNode* node, int row) {
  Settle();
  row = std::clamp(row, 0, Count());
  for (auto& e : FOrder)
    if (e.Row >= row) ++e.Row;
  auto at = LowerBound(FOrder.begin(), FOrder.end(), node->Sequence());
  FOrder.insert(at, {node->Sequence(), static_cast<int32_t>(row), 0});
  FRows.insert(FRows.begin() + row, node);
}

void TVisibleRowIndex::Remove(const TTreeListNode* node) {
  Settle();
  auto it = LowerBound(FOrder.begin(), FOrder.end(), node->Sequence());
  if (it == FOrder.end() || it->Sequence != node->Sequence()) return;
  const int32_t row = it->Row;
  FOrder.erase(it);
  for (auto& e : FOrder)
    if (e.Row >= row) --e.Row;
  FRows.erase(FRows.begin() + row);
}

void TVisibleRowIndex::InsertRows(int row, const std::vector<TTreeListNode*>& nodes) {
  if (nodes.empty()) return;
  row = std::clamp(row, 0, Count());
  const int count = static_cast<int>(nodes.size());
  NoteShift({row, count});
  FRows.insert(FRows.begin() + row, nodes.begin(), nodes.end());
  const int32_t epoch = static_cast<int32_t>(FShifts.size());
  std::vector<TEntry> entries;
  entries.reserve(nodes.size());
  for (int i = 0; i < count; ++i) entries.push_back({nodes[i]->Sequence(), row + i, epoch});
  auto bySequence = [](const TEntry& a, const TEntry& b) { return a.Sequence < b.Sequence; };
  std::sort(entries.begin(), entries.end(), bySequence);
  // A node added again replaces its earlier pair.
  std::vector<TEntry> merged;
  merged.reserve(FAdded.size() + entries.size());
  std::set_union(entries.begin(), entries.end(), FAdded.begin(), FAdded.end(),
                 std::back_inserter(merged), bySequence);
  FAdded.swap(merged);
  if (FShifts.size() > kMaxShifts || FAdded.size() > FRows.size() / 4 + 64) Settle();
}

void TVisibleRowIndex::RemoveRows(int row, int count) {
  row = std::clamp(row, 0, Count());
  count = std::clamp(count, 0, Count() - row);
  if (count == 0) return;
  NoteShift({row + count, -count});
  FRows.erase(FRows.begin() + row, FRows.begin() + row + count);
  if (FShifts.size() > kMaxShifts) Settle();
}

void TVisibleRowIndex::Settle() {
  if (FShifts.empty() && FAdded.empty()) return;
  std::vector<TEntry> settled;
  settled.reserve(FRows.size());
  auto keep = [&](const TEntry& e) {
    const int row = Moved(e);
    if (row >= 0 && (settled.empty() || settled.back().Sequence != e.Sequence))
      settled.push_back({e.Sequence, row, 0});
  };
  // Both lists are in sequence order; a node in both keeps the pair that still holds.
  size_t a = 0, o = 0;
  while (a < FAdded.size() || o < FOrder.size()) {
    const bool takeAdded =
        o == FOrder.size() || (a < FAdded.size() && FAdded[a].Sequence <= FOrder[o].Sequence);
    keep(takeAdded ? FAdded[a++] : FOrder[o++]);
  }
  FOrder.swap(settled);
  FAdded.clear();
  FShifts.clear();
  FSegments.assign(1, {0, 0, false});
}
