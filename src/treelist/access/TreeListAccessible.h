#pragma once

#include <string>
#include <vector>

#include "platform/Accessible.h"

class TTreeList;
class TTreeListNode;
struct TTreeListGeometry;

// The tree-list as assistive technology sees it: a tree whose children are the column
// headers in display order, named with their captions and valued with their sort order, then
// the rows on screen, each named with its cells' texts and holding its cells as parts. Only
// the rows on screen are listed, so a child costs the same in a tree of any size.
class TTreeListAccessible final : public TAccessibleSource {
 public:
  explicit TTreeListAccessible(TTreeList& tree) : FTree(tree) {}

  TAccessibleRole Role() const override { return arTree; }
  std::string Name() const override { return "Tree list"; }
  std::string Description() const override;
  int ChildCount() const override;
  TAccessibleItem Child(int index) const override;
  int CellCount(int index) const override;
  TAccessibleItem Cell(int index, int cell) const override;
  std::vector<std::string> ActionNames(int index) const override;
  void DoAction(int index, const std::string& action) override;

  // The child that shows a node's row, -1 while it is not on screen.
  int ChildOfNode(const TTreeListNode* node) const;

 private:
  int HeaderCount() const;
  // The node of a row child, null for a header or an index out of range.
  TTreeListNode* NodeOf(const TTreeListGeometry& g, int index) const;
  TAccessibleItem Header(const TTreeListGeometry& g, int index) const;
  TAccessibleItem Row(const TTreeListGeometry& g, int index) const;

  TTreeList& FTree;
};
