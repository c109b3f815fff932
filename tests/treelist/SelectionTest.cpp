#include <gtest/gtest.h>

#include <string>

#include "TreeInvariant.h"
#include "TreeTestTree.h"

namespace {

class Selection : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.SetOptions({aoMultiSelect});
    for (int s = 0; s < 4; ++s) {
      TTreeListNode* site = AddRow(tree, nullptr, {"site " + std::to_string(s)});
      for (int t = 0; t < 3; ++t) AddRow(tree, site, {std::to_string(t)});
    }
    tree.OnSelectedCountChange = [this](TCustomTreeList*) { ++events; };
  }
  TTreeListNode* Site(int s) { return tree.Items(s); }

  TTreeList tree;
  int events = 0;
};

}  // namespace

TEST_F(Selection, SiblingsOnlyUnlessExtendedAndKeptInCreationOrder) {
  Site(2)->SetSelected(true);
  Site(0)->SetSelected(true);
  Site(1)->Items(0)->SetSelected(true);  // another parent: refused
  ASSERT_EQ(tree.SelectedCount(), 2);
  EXPECT_EQ(tree.Selections(0), Site(0));
  EXPECT_EQ(tree.Selections(1), Site(2));
  EXPECT_EQ(tree.Selections(-1), nullptr);
  EXPECT_EQ(tree.Selections(2), nullptr);
  EXPECT_FALSE(Site(1)->Items(0)->Selected());

  tree.SetOptions({aoMultiSelect, aoExtMultiSelect});  // clears, then selects the focused node
  EXPECT_EQ(tree.SelectedCount(), 1);
  Site(1)->Items(0)->SetSelected(true);
  tree.OnCanNodeSelected = [](TCustomTreeList*, TTreeListNode* n, bool& allow) {
    allow = n->Index() != 2;
  };
  Site(3)->Items(2)->SetSelected(true);
  EXPECT_EQ(tree.SelectedCount(), 2);
}

TEST_F(Selection, BatchesFireOnceAtTheEnd) {
  tree.BeginUpdate();
  for (int s = 0; s < 3; ++s) Site(s)->SetSelected(true);
  EXPECT_EQ(events, 0);
  tree.EndUpdate();
  EXPECT_EQ(events, 1);
  // An unchanged count at the end fires nothing.
  tree.BeginUpdate();
  Site(0)->SetSelected(false);
  Site(3)->SetSelected(true);
  tree.EndUpdate();
  EXPECT_EQ(events, 1);
  tree.ClearSelection();
  EXPECT_EQ(events, 2);
  EXPECT_EQ(tree.SelectedCount(), 0);
}

TEST_F(Selection, RangeMergesVisibleRowsThatPassTheTest) {
  tree.FullExpand();
  Site(1)->Items(2)->SetSelected(true);
  tree.SelectRange(Site(1)->Items(1), Site(1)->Items(0));
  EXPECT_EQ(events, 2);
  ASSERT_EQ(tree.SelectedCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(tree.Selections(i), Site(1)->Items(i));
  // Across parents only the siblings of the first selected node are taken.
  tree.SelectRange(Site(1)->Items(0), Site(2)->Items(0));
  EXPECT_EQ(tree.SelectedCount(), 3);
  EXPECT_TRUE(RowsAgree(tree));
}

TEST_F(Selection, DeletedNodesLeaveTheSelection) {
  Site(0)->SetSelected(true);
  Site(1)->SetSelected(true);
  Site(1)->Delete();
  ASSERT_EQ(tree.SelectedCount(), 1);
  EXPECT_EQ(tree.Selections(0), Site(0));
  tree.ClearNodes();
  EXPECT_EQ(tree.SelectedCount(), 0);
}

TEST_F(Selection, SingleSelectionFollowsTheFocus) {
  Site(0)->SetFocused(true);
  Site(0)->SetSelected(true);
  EXPECT_EQ(tree.MoveFocus(fmNext, false), Site(1));
  ASSERT_EQ(tree.SelectedCount(), 1);
  EXPECT_EQ(tree.Selections(0), Site(1));
  // Without multi-selection the focused node is the selected one.
  tree.SetOptions({aoRowSelect});
  EXPECT_TRUE(Site(1)->Selected());
  EXPECT_FALSE(Site(0)->Selected());
}
