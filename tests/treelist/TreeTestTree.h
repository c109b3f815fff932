#pragma once

#include <string>
#include <vector>

#include "treelist/TreeList.h"

// The application's shape: five columns, site rows with tank rows under them.
// A character typed straight at the control, without a window.
inline void TypeChar(TControl& control, char c) {
  control.KeyPress(c);
}

inline void AddTankColumns(TTreeList& tree) {
  for (const char* caption : {"Site/Tank", "Capacity", "Level", "Level %", "Status"})
    tree.CreateColumn()->SetCaption(caption);
}

inline TTreeListNode* AddRow(TTreeList& tree, TTreeListNode* parent,
                             const std::vector<std::string>& texts) {
  TTreeListNode* node = parent ? parent->AddChild() : tree.Add();
  for (size_t i = 0; i < texts.size(); ++i) node->SetStrings(static_cast<int>(i), texts[i]);
  return node;
}

// The texts of one column over a list of siblings.
inline std::vector<std::string> ColumnTexts(TTreeList& tree, TTreeListNode* parent, int column) {
  std::vector<std::string> texts;
  const int count = parent ? parent->Count() : tree.Count();
  for (int i = 0; i < count; ++i)
    texts.push_back((parent ? parent->Items(i) : tree.Items(i))->Strings(column));
  return texts;
}
