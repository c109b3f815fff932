#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "TreeInvariant.h"
#include "TreeTestTree.h"

namespace {

using TTexts = std::vector<std::string>;

// Sites with the texts of numbers as capacities, and tanks in a mixed order.
class Sorting : public ::testing::Test {
 protected:
  void SetUp() override {
    AddTankColumns(tree);
    tree.SetOptions({aoRowSelect, aoAutoSort});
    const char* capacities[] = {"3000", "2000", "10000", "2000", "30"};
    for (int s = 0; s < 5; ++s) {
      TTreeListNode* site = AddRow(tree, nullptr, {"S" + std::to_string(s), capacities[s]});
      for (const char* level : {"5", "40", "100"}) AddRow(tree, site, {"T", "1000", level});
    }
  }
  TTreeListColumn* Column(int i) { return tree.Columns(i); }

  TTreeList tree;
};

}  // namespace

TEST_F(Sorting, TextsCompareByteWiseAndTanksStayUnderTheirSite) {
  tree.Items(0)->SetExpanded(true);
  TTreeListNode* first2000 = tree.Items(1);
  Column(1)->SetSorted(csUp);
  EXPECT_EQ(ColumnTexts(tree, nullptr, 1), (TTexts{"10000", "2000", "2000", "30", "3000"}));
  // Equal keys keep creation order, whichever direction.
  EXPECT_EQ(tree.Items(1), first2000);
  Column(2)->SetSorted(csDown);
  EXPECT_EQ(Column(1)->Sorted(), csNone);
  for (int s = 0; s < tree.Count(); ++s) {
    EXPECT_EQ(ColumnTexts(tree, tree.Items(s), 2), (TTexts{"5", "40", "100"}));
    EXPECT_EQ(tree.Items(s)->Count(), 3);
  }
  EXPECT_TRUE(RowsAgree(tree));
}

TEST_F(Sorting, HeaderClickCycleAndVeto) {
  std::vector<TTreeListColumn*> clicks;
  tree.OnColumnClick = [&](TCustomTreeListControl*, TTreeListColumn* c) { clicks.push_back(c); };
  tree.ColumnHeaderClick(Column(1), false, false);
  EXPECT_EQ(Column(1)->Sorted(), csUp);
  tree.ColumnHeaderClick(Column(1), false, false);
  EXPECT_EQ(Column(1)->Sorted(), csDown);
  EXPECT_EQ(ColumnTexts(tree, nullptr, 1).front(), "3000");
  tree.ColumnHeaderClick(Column(1), false, false);
  EXPECT_EQ(Column(1)->Sorted(), csUp);
  const TTexts sorted = ColumnTexts(tree, nullptr, 1);
  tree.ColumnHeaderClick(Column(1), false, true);  // Ctrl: no sort, rows stay
  EXPECT_EQ(Column(1)->Sorted(), csNone);
  EXPECT_TRUE(tree.SortColumns().empty());
  EXPECT_EQ(ColumnTexts(tree, nullptr, 1), sorted);

  tree.OnColumnSorting = [](TCustomTreeListControl*, TTreeListColumn*, bool& allow) {
    allow = false;
  };
  tree.ColumnHeaderClick(Column(0), false, false);
  EXPECT_EQ(Column(0)->Sorted(), csNone);
  EXPECT_EQ(ColumnTexts(tree, nullptr, 1), sorted);
  EXPECT_EQ(clicks.size(), 5u);
}

TEST_F(Sorting, RefreshResortsOnceAtTheOutermostEndUpdate) {
  Column(1)->SetSorted(csUp);
  tree.Items(0)->SetStrings(1, "9");  // "10000" moves last only with the refresh option
  EXPECT_EQ(tree.Items(0)->Strings(1), "9");

  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoAutoSortRefresh));
  tree.BeginUpdate();
  tree.BeginUpdate();
  tree.Items(0)->SetStrings(1, "99999");
  tree.EndUpdate();
  EXPECT_EQ(tree.Items(0)->Strings(1), "99999");
  EXPECT_TRUE(tree.ResortPending());
  tree.EndUpdate();
  EXPECT_FALSE(tree.ResortPending());
  EXPECT_EQ(ColumnTexts(tree, nullptr, 1), (TTexts{"2000", "2000", "30", "3000", "99999"}));
  EXPECT_TRUE(RowsAgree(tree));
}

TEST_F(Sorting, CaseInsensitiveKeysTieInCreationOrder) {
  tree.SetOptions({aoAutoSort, aoCaseInsensitive});
  const char* names[] = {"b", "ABC", "abc", "a"};
  for (int s = 0; s < 4; ++s) tree.Items(s)->SetStrings(0, names[s]);
  tree.Items(4)->SetStrings(0, "B");
  Column(0)->SetSorted(csDown);
  EXPECT_EQ(ColumnTexts(tree, nullptr, 0), (TTexts{"b", "B", "ABC", "abc", "a"}));
}

TEST_F(Sorting, RaisingCompareLeavesTheListAsItWas) {
  tree.Items(2)->SetExpanded(true);
  const TTexts before = ColumnTexts(tree, nullptr, 1);
  int calls = 0;
  tree.OnCompare = [&](TCustomTreeListControl*, TTreeListNode* a, TTreeListNode*, int& c) {
    if (++calls == 3) throw std::runtime_error("compare");
    c = a->Level() == 0 ? 1 : -1;  // inconsistent on purpose
  };
  EXPECT_THROW(Column(1)->SetSorted(csUp), std::runtime_error);
  EXPECT_EQ(ColumnTexts(tree, nullptr, 1), before);
  EXPECT_EQ(tree.UpdateLockCount(), 0);
  EXPECT_TRUE(RowsAgree(tree));
  // An inconsistent handler gives some order, but never loses or duplicates a node.
  calls = 100;
  Column(1)->SetSorted(csDown);
  TTexts after = ColumnTexts(tree, nullptr, 1);
  std::sort(after.begin(), after.end());
  TTexts expected = before;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(after, expected);
}

TEST_F(Sorting, MultiColumnShiftClickAndOptionSwitches) {
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoMultiSort));
  tree.Items(4)->SetStrings(0, "S1");  // ties on the name, broken by capacity
  tree.ColumnHeaderClick(Column(0), false, false);
  tree.ColumnHeaderClick(Column(1), true, false);
  tree.ColumnHeaderClick(Column(1), true, false);
  ASSERT_EQ(tree.SortColumns().size(), 2u);
  EXPECT_EQ(Column(0)->Sorted(), csUp);
  EXPECT_EQ(ColumnTexts(tree, nullptr, 0), (TTexts{"S0", "S1", "S1", "S2", "S3"}));
  EXPECT_EQ(ColumnTexts(tree, nullptr, 1), (TTexts{"3000", "30", "2000", "10000", "2000"}));

  const TTexts order = ColumnTexts(tree, nullptr, 1);
  tree.SetOptionsEx(kDefaultTreeListOptionsEx);  // multi-sort off: states cleared, rows stay
  EXPECT_TRUE(tree.SortColumns().empty());
  EXPECT_EQ(Column(0)->Sorted(), csNone);
  EXPECT_EQ(ColumnTexts(tree, nullptr, 1), order);

  tree.SetOptions({});
  Column(2)->SetSorted(csUp);  // stored without sorting
  EXPECT_EQ(tree.SortColumns().size(), 1u);
  tree.SetOptions({aoAutoSort});
  EXPECT_EQ(Column(2)->Sorted(), csNone);
  EXPECT_TRUE(tree.SortColumns().empty());
  // A removed sorted column is no longer a sort key.
  Column(1)->SetSorted(csUp);
  tree.DeleteColumn(Column(1));
  EXPECT_TRUE(tree.SortColumns().empty());
  tree.Resort();
}
