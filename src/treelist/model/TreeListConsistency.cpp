#include "treelist/model/TreeListConsistency.h"

#include <set>
#include <vector>

#include "treelist/model/TreeListControl.h"

namespace {

void CollectRows(TTreeListNode* node, std::vector<TTreeListNode*>& rows) {
  rows.push_back(node);
  if (node->Expanded())
    for (int i = 0; i < node->Count(); ++i) CollectRows(node->Items(i), rows);
}

void CollectAll(TTreeListNode* node, std::set<const TTreeListNode*>& nodes) {
  nodes.insert(node);
  for (int i = 0; i < node->Count(); ++i) CollectAll(node->Items(i), nodes);
}

}  // namespace

std::string RowIndexFault(const TCustomTreeList& tree) {
  std::vector<TTreeListNode*> rows;
  for (int i = 0; i < tree.Count(); ++i) CollectRows(tree.Items(i), rows);
  const int count = static_cast<int>(rows.size());
  if (tree.VisibleCount() != count)
    return "VisibleCount " + std::to_string(tree.VisibleCount()) + " but the walk finds " +
           std::to_string(count);
  for (int i = 0; i < count; ++i) {
    const std::string row = "row " + std::to_string(i);
    if (tree.AbsoluteNodes(i) != rows[i]) return "AbsoluteNodes differs at " + row;
    if (rows[i]->AbsoluteIndex() != i)
      return "AbsoluteIndex of " + row + " is " + std::to_string(rows[i]->AbsoluteIndex());
    TTreeListNode* next = i + 1 < count ? rows[i + 1] : nullptr;
    TTreeListNode* prev = i > 0 ? rows[i - 1] : nullptr;
    if (rows[i]->GetNextVisible() != next || rows[i]->GetPrevVisible() != prev)
      return "the visible neighbours of " + row + " differ";
  }
  if (tree.AbsoluteNodes(count) || tree.AbsoluteNodes(-1)) return "a row outside has a node";
  if (tree.LastVisibleNode() != (rows.empty() ? nullptr : rows.back()))
    return "LastVisibleNode differs";
  return std::string();
}

std::string NodeReferenceFault(const TCustomTreeList& tree) {
  std::set<const TTreeListNode*> live;
  for (int i = 0; i < tree.Count(); ++i) CollectAll(tree.Items(i), live);
  if (tree.FocusedNode() && !live.count(tree.FocusedNode())) return "the focus is not a live node";
  if (tree.TopVisibleNode() && !live.count(tree.TopVisibleNode()))
    return "the top row is not a live node";
  for (int i = 0; i < tree.SelectedCount(); ++i)
    if (!live.count(tree.Selections(i))) return "selection " + std::to_string(i) + " is not live";
  return std::string();
}

std::string SortColumnsFault(const TCustomTreeListControl& tree) {
  std::set<const TTreeListColumn*> seen;
  for (const TTreeListColumn* column : tree.SortColumns()) {
    if (tree.IndexOfColumn(column) < 0) return "a sort column is not a column of the control";
    if (column->Sorted() == csNone) return "an unsorted column is in the sort list";
    if (!seen.insert(column).second) return "a column is in the sort list twice";
  }
  return std::string();
}
