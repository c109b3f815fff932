#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "treelist/CustomTreeList.h"

// The visible rows by a plain recursive walk, independent of the row index.
inline void CollectRows(TTreeListNode* node, std::vector<TTreeListNode*>& rows) {
  rows.push_back(node);
  if (node->Expanded())
    for (int i = 0; i < node->Count(); ++i) CollectRows(node->Items(i), rows);
}

inline std::vector<TTreeListNode*> WalkRows(const TCustomTreeList& tree) {
  std::vector<TTreeListNode*> rows;
  for (int i = 0; i < tree.Count(); ++i) CollectRows(tree.Items(i), rows);
  return rows;
}

// After any operation every row query agrees with the walk, whether it is answered by the
// index or by walking.
inline ::testing::AssertionResult RowsAgree(const TCustomTreeList& tree) {
  const auto rows = WalkRows(tree);
  if (tree.VisibleCount() != static_cast<int>(rows.size()))
    return ::testing::AssertionFailure()
           << "VisibleCount " << tree.VisibleCount() << " but walk finds " << rows.size();
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    if (tree.AbsoluteNodes(i) != rows[i])
      return ::testing::AssertionFailure() << "AbsoluteNodes(" << i << ") differs";
    if (rows[i]->AbsoluteIndex() != i)
      return ::testing::AssertionFailure()
             << "AbsoluteIndex of row " << i << " is " << rows[i]->AbsoluteIndex();
    TTreeListNode* next = i + 1 < static_cast<int>(rows.size()) ? rows[i + 1] : nullptr;
    TTreeListNode* prev = i > 0 ? rows[i - 1] : nullptr;
    if (rows[i]->GetNextVisible() != next || rows[i]->GetPrevVisible() != prev)
      return ::testing::AssertionFailure() << "visible neighbours of row " << i << " differ";
  }
  if (tree.AbsoluteNodes(static_cast<int>(rows.size())) || tree.AbsoluteNodes(-1))
    return ::testing::AssertionFailure() << "a row outside the range has a node";
  if (tree.LastVisibleNode() != (rows.empty() ? nullptr : rows.back()))
    return ::testing::AssertionFailure() << "LastVisibleNode differs";
  return ::testing::AssertionSuccess();
}
