#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/LocaleText.h"
#include "treelist/model/TreeListControl.h"

namespace {

// A merge sort of indexes that stays inside its arrays whatever the comparison answers: a
// handler's comparison need not be consistent, and the library sorts may run off the ends
// of a range when it is not.
template <class Less>
void MergeSortIndexes(std::vector<uint32_t>& items, std::vector<uint32_t>& buffer, Less less) {
  const size_t n = items.size();
  buffer.resize(n);
  // Short runs by insertion first; the merges then double the run length.
  constexpr size_t kRun = 16;
  for (size_t start = 0; start < n; start += kRun) {
    const size_t end = std::min(start + kRun, n);
    for (size_t i = start + 1; i < end; ++i) {
      const uint32_t value = items[i];
      size_t j = i;
      while (j > start && less(value, items[j - 1])) {
        items[j] = items[j - 1];
        --j;
      }
      items[j] = value;
    }
  }
  for (size_t width = kRun; width < n; width *= 2) {
    for (size_t left = 0; left < n; left += 2 * width) {
      const size_t mid = std::min(left + width, n), right = std::min(left + 2 * width, n);
      size_t i = left, j = mid, out = left;
      while (i < mid && j < right)
        buffer[out++] = less(items[j], items[i]) ? items[j++] : items[i++];
      while (i < mid) buffer[out++] = items[i++];
      while (j < right) buffer[out++] = items[j++];
    }
    items.swap(buffer);
  }
}

}  // namespace

// Buffers that every list of one sort reuses: most lists are short, and allocating for each
// would cost more than sorting it.
struct TCustomTreeListControl::TSortScratch {
  std::vector<uint32_t> Order, Buffer;
  std::vector<uint64_t> Sequences;  // each node's identity, read once
  std::vector<std::string> Texts;
  TTreeListNode::TNodeList Nodes;
};

void TCustomTreeListControl::ColumnHeaderClick(TTreeListColumn* column, bool shift, bool ctrl) {
  if (!column || column->TreeList() != this) return;
  FMultiAdd = FOptionsEx.Contains(aoMultiSort) && shift;
  FClearFlag = ctrl;
  const auto reset = OnScopeExit([this] { FMultiAdd = FClearFlag = false; });
  if (OnColumnClick) OnColumnClick(this, column);
  if (!FOptions.Contains(aoAutoSort)) return;
  bool allow = true;
  if (OnColumnSorting) OnColumnSorting(this, column, allow);
  if (!allow) return;
  if (FClearFlag)
    column->SetSorted(csNone);
  else
    column->SetSorted(column->Sorted() == csUp ? csDown : csUp);
}

void TCustomTreeListControl::SetColumnSorted(TTreeListColumn* column, TTreeListColumnSort value) {
  if (value == column->FSorted) return;
  if (value == csNone) {
    ++FSortLockCount;
    column->FSorted = csNone;
    std::erase(FSortColumns, column);
    ColumnChanged(column);
    if (--FSortLockCount == 0) Resort();
    return;
  }
  const auto lock = UpdateScope();
  if (FOptions.Contains(aoAutoSort) && !FMultiAdd && FSortLockCount == 0) {
    FSortColumns.clear();
    for (auto& c : FColumns) c->FSorted = csNone;
  }
  column->FSorted = value;
  if (FOptionsEx.Contains(aoMultiSort) && FSortColumns.empty())
    for (auto& c : FColumns)
      if (c->FSorted != csNone) {
        FSortColumns.push_back(c.get());
        break;
      }
  if (std::find(FSortColumns.begin(), FSortColumns.end(), column) == FSortColumns.end())
    FSortColumns.push_back(column);
  ColumnChanged(column);
  if (FOptions.Contains(aoAutoSort) && FSortLockCount == 0)
    SortNodes(-1, column->ShownColumn()->ValueIndex(), value == csDown);
}

void TCustomTreeListControl::ClearSortStates() {
  FSortColumns.clear();
  for (auto& c : FColumns) c->FSorted = csNone;
}

void TCustomTreeListControl::RestoreSortColumns(
    const std::vector<std::pair<TTreeListColumn*, TTreeListColumnSort>>& sorts) {
  const auto lock = UpdateScope();
  ClearSortStates();
  for (const auto& [column, sorted] : sorts) {
    if (sorted == csNone || IndexOfColumn(column) < 0 || column->FSorted != csNone) continue;
    column->FSorted = sorted;
    FSortColumns.push_back(column);
  }
  View().ColumnsChanged();
  Resort();
}

TTreeListColumnSort TCustomTreeListControl::ColumnSortMark(TTreeListColumn* column) {
  TTreeListColumnSort sorted = column->Sorted();
  if (OnColumnSorted) OnColumnSorted(this, column, sorted);
  return sorted;
}

void TCustomTreeListControl::Resort() {
  if (!FOptions.Contains(aoAutoSort)) return;
  const auto lock = UpdateScope();
  TTreeListColumn* primary = nullptr;
  for (auto& c : FColumns)
    if (c->FSorted != csNone) {
      primary = c.get();
      break;
    }
  if (FOptionsEx.Contains(aoMultiSort)) {
    if (!FSortColumns.empty())
      primary = FSortColumns.front();
    else if (primary)
      FSortColumns.push_back(primary);
  }
  if (primary && primary->FSorted != csNone)
    SortNodes(-1, primary->ShownColumn()->ValueIndex(), primary->FSorted == csDown);
}

void TCustomTreeListControl::RequestResort() {
  if (Clearing() || Destroying() || !FOptionsEx.Contains(aoAutoSortRefresh)) return;
  if (Locked())
    FResortPending = true;
  else
    Resort();
}

void TCustomTreeListControl::PerformPendingResort() {
  const bool pending = FResortPending;
  FResortPending = false;
  if (pending && FOptionsEx.Contains(aoAutoSortRefresh)) Resort();
}

std::string TCustomTreeListControl::SortKey(const TTreeListNode* node, int valueIndex) const {
  std::string text = node->Strings(valueIndex);
  return FOptions.Contains(aoCaseInsensitive) ? AnsiUpperCase(text) : text;
}

void TCustomTreeListControl::SortNodes(int level, int valueIndex, bool descending) {
  const bool busy = FOptionsEx.Contains(aoShowHourGlass);
  if (busy) View().SetBusyCursor(true);
  const auto restore = OnScopeExit([this, busy] {
    if (busy) View().SetBusyCursor(false);
  });
  // Moved rows invalidate the row index: the lock rebuilds it once, after every list.
  const auto lock = UpdateScope(!Locked());

  std::vector<TSortKeyColumn> keys;
  if (FOptionsEx.Contains(aoMultiSort) && FSortColumns.size() > 1)
    for (TTreeListColumn* c : FSortColumns)
      keys.push_back({c->ShownColumn()->ValueIndex(), c->Sorted() == csDown});
  else
    keys.push_back({valueIndex, descending});

  // Lists of one depth at a time, so that a level argument picks its lists directly.
  TSortScratch scratch;
  std::vector<TTreeListNode*> parents{nullptr};
  for (int depth = 0; !parents.empty(); ++depth) {
    std::vector<TTreeListNode*> next;
    for (TTreeListNode* parent : parents) {
      TTreeListNode::TNodeList& list = NodeList(parent);
      if (level < 0 || level == depth) SortList(list, keys, scratch);
      if (level < 0 || depth < level)
        for (auto& child : list)
          if (!child->FChildren.empty()) next.push_back(child.get());
    }
    parents.swap(next);
  }
  View().Announce(aeReorder, nullptr);
}

void TCustomTreeListControl::SortList(TTreeListNode::TNodeList& list,
                                      const std::vector<TSortKeyColumn>& keys,
                                      TSortScratch& scratch) {
  const size_t n = list.size();
  if (n < 2) return;
  std::vector<uint32_t>& order = scratch.Order;
  std::vector<uint64_t>& sequences = scratch.Sequences;
  order.resize(n);
  sequences.resize(n);
  for (size_t i = 0; i < n; ++i) {
    order[i] = static_cast<uint32_t>(i);
    sequences[i] = list[i]->Sequence();
  }
  // The last tie-break, without going back to the nodes.
  auto byIdentity = [&sequences](uint32_t a, uint32_t b) { return sequences[a] < sequences[b]; };
  if (OnCompare) {
    MergeSortIndexes(order, scratch.Buffer, [&](uint32_t a, uint32_t b) {
      int compare = 0;
      OnCompare(this, list[a].get(), list[b].get(), compare);
      return compare != 0 ? compare < 0 : byIdentity(a, b);
    });
  } else {
    // Every key once per node, not once per comparison.
    const size_t k = keys.size();
    std::vector<std::string>& texts = scratch.Texts;
    if (texts.size() < n * k) texts.resize(n * k);
    for (size_t i = 0; i < n; ++i)
      for (size_t j = 0; j < k; ++j) texts[i * k + j] = SortKey(list[i].get(), keys[j].ValueIndex);
    const bool ansi = FOptionsEx.Contains(aoAnsiSort);
    MergeSortIndexes(order, scratch.Buffer, [&](uint32_t a, uint32_t b) {
      for (size_t j = 0; j < k; ++j) {
        const std::string &x = texts[a * k + j], &y = texts[b * k + j];
        // Char traits compare bytes as unsigned.
        int r = x.compare(y);
        if (r != 0 && ansi) r = AnsiCompareStr(x, y);
        if (r != 0) return keys[j].Descending ? r > 0 : r < 0;
      }
      return byIdentity(a, b);
    });
  }
  // Only a finished order touches the list: a comparison that raised leaves it as it was.
  TTreeListNode::TNodeList& sorted = scratch.Nodes;
  sorted.resize(n);
  for (size_t i = 0; i < n; ++i) sorted[i] = std::move(list[order[i]]);
  for (size_t i = 0; i < n; ++i) list[i] = std::move(sorted[i]);
}
