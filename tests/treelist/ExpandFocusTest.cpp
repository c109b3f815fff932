#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TreeInvariant.h"
#include "TreeTestTree.h"

namespace {

struct TScrollView : TTreeListView {
  int Moves = 0;
  void TopRowMoved(TTreeListNode*) override { ++Moves; }
};

class ExpandFocus : public ::testing::Test {
 protected:
  void SetUp() override {
    tree.SetView(&view);
    view.SetPageRows(4);
    for (int s = 0; s < 6; ++s) {
      TTreeListNode* site = AddRow(tree, nullptr, {"site " + std::to_string(s)});
      for (int t = 0; t < 3; ++t) AddRow(tree, site, {std::to_string(t)});
    }
  }
  TTreeListNode* Site(int s) { return tree.Items(s); }

  TTreeList tree;
  TScrollView view;
};

}  // namespace

TEST_F(ExpandFocus, FullCollapseMovesFocusToTheSiteOnce) {
  tree.FullExpand();
  ASSERT_TRUE(RowsAgree(tree));
  EXPECT_EQ(tree.VisibleCount(), 24);
  TTreeListNode* tank = Site(2)->Items(1);
  tank->SetFocused(true);
  std::vector<std::pair<TTreeListNode*, TTreeListNode*>> changes;
  int collapsed = 0;
  tree.OnChangeNode = [&](TCustomTreeList*, TTreeListNode* o, TTreeListNode* n) {
    changes.emplace_back(o, n);
  };
  tree.OnCollapsed = [&](TCustomTreeList*, TTreeListNode*) { ++collapsed; };
  tree.FullCollapse();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].first, tank);
  EXPECT_EQ(changes[0].second, Site(2));
  EXPECT_EQ(collapsed, 6);
  EXPECT_EQ(tree.UpdateLockCount(), 0);
  EXPECT_EQ(tree.VisibleCount(), 6);
  EXPECT_TRUE(RowsAgree(tree));
}

TEST_F(ExpandFocus, ChartClickFocusesScrollsAndOpensTheSite) {
  tree.FullExpand();
  tree.FullCollapse();
  Site(5)->SetFocused(true);
  // Six rows, four shown: the site comes in as the last whole row.
  EXPECT_EQ(tree.TopVisibleNode(), Site(2));
  EXPECT_EQ(view.Moves, 1);
  Site(5)->SetExpanded(true);
  EXPECT_TRUE(Site(5)->Focused());
  EXPECT_EQ(tree.VisibleCount(), 9);
  EXPECT_TRUE(RowsAgree(tree));
  // A row above the page becomes the first row.
  Site(0)->SetFocused(true);
  EXPECT_EQ(tree.TopVisibleNode(), Site(0));
}

TEST_F(ExpandFocus, CollapsingAroundTheTopRowMakesTheNodeTheTopRow) {
  Site(1)->SetExpanded(true);
  tree.SetTopVisibleNode(Site(1)->Items(2));
  Site(1)->SetExpanded(false);
  EXPECT_EQ(tree.TopVisibleNode(), Site(1));
  EXPECT_TRUE(RowsAgree(tree));
}

TEST_F(ExpandFocus, VetoesAndChildlessNodesChangeNothing) {
  int after = 0;
  tree.OnExpanded = [&](TCustomTreeList*, TTreeListNode*) { ++after; };
  tree.OnExpanding = [](TCustomTreeList*, TTreeListNode* n, bool& allow) {
    allow = n->Index() != 1;
  };
  Site(1)->SetExpanded(true);
  EXPECT_FALSE(Site(1)->Expanded());
  Site(0)->Items(0)->SetExpanded(true);  // no children
  EXPECT_FALSE(Site(0)->Items(0)->Expanded());
  EXPECT_EQ(after, 0);
  // A vetoed node still passes a recursive expand on to its children.
  TTreeListNode* deep = AddRow(tree, Site(1)->Items(0), {"deep"});
  Site(1)->Expand(true);
  EXPECT_FALSE(Site(1)->Expanded());
  EXPECT_TRUE(deep->Parent()->Expanded());
  EXPECT_TRUE(RowsAgree(tree));
}

TEST_F(ExpandFocus, RaisingHandlerReleasesTheLock) {
  tree.OnExpanding = [](TCustomTreeList*, TTreeListNode* n, bool&) {
    if (n->Index() == 3) throw std::runtime_error("no");
  };
  EXPECT_THROW(tree.FullExpand(), std::runtime_error);
  EXPECT_EQ(tree.UpdateLockCount(), 0);
  EXPECT_TRUE(Site(2)->Expanded());
  EXPECT_TRUE(RowsAgree(tree));
}

TEST_F(ExpandFocus, FocusColumnAndAbsoluteIndex) {
  tree.SetOptions({aoRowSelect});
  int columnEvents = 0;
  tree.OnChangeColumn = [&](TCustomTreeList*, TTreeListNode*, int) { ++columnEvents; };
  tree.SetFocusedNode(Site(0), 3, false);
  EXPECT_EQ(tree.FocusedColumn(), 0);
  EXPECT_EQ(columnEvents, 0);
  Site(0)->SetFocused(false);
  EXPECT_TRUE(Site(0)->Focused());

  tree.SetOptions({});
  AddTankColumns(tree);
  tree.SetFocusedNode(Site(0), 3, false);
  EXPECT_EQ(tree.FocusedColumn(), 3);
  EXPECT_EQ(columnEvents, 1);
  tree.SetFocusedNode(Site(0), 9, false);  // beyond the displayed columns
  EXPECT_EQ(tree.FocusedColumn(), 0);

  tree.SetFocusedAbsoluteIndex(100);  // clamped to the last row
  EXPECT_EQ(tree.FocusedNode(), Site(5));
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), 5);
  EXPECT_EQ(tree.MoveFocus(fmFirst, false), Site(0));
  EXPECT_EQ(tree.MoveFocus(fmNext, true), Site(0)->Items(0));
  EXPECT_TRUE(Site(0)->Expanded());  // made visible
  EXPECT_EQ(tree.MoveFocus(fmLast, true), Site(5)->Items(2));
  EXPECT_TRUE(RowsAgree(tree));
}

TEST_F(ExpandFocus, PlusMinusAndStarKeys) {
  TTreeListNode* deep = AddRow(tree, Site(0)->Items(1), {"deep"});
  Site(0)->SetFocused(true);
  TypeChar(tree, '+');
  EXPECT_TRUE(Site(0)->Expanded());
  TypeChar(tree, '-');
  EXPECT_FALSE(Site(0)->Expanded());
  TypeChar(tree, '*');
  EXPECT_TRUE(Site(0)->Expanded());
  EXPECT_TRUE(deep->IsVisible());
  EXPECT_TRUE(RowsAgree(tree));
}

// Opening and closing nodes moves blocks of rows in the index without a rebuild; every query
// must still agree with a walk, also for nodes that are hidden again.
TEST_F(ExpandFocus, RowsStayRightThroughManyToggles) {
  for (int s = 0; s < 6; ++s) AddRow(tree, Site(s)->Items(1), {"deep " + std::to_string(s)});
  ASSERT_TRUE(RowsAgree(tree));
  unsigned seed = 12345;
  auto next = [&](unsigned n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
  };
  for (int step = 0; step < 700; ++step) {  // past the renumbering after many moves
    TTreeListNode* site = Site(static_cast<int>(next(6)));
    TTreeListNode* node = next(3) == 0 ? site->Items(1) : site;
    node->SetExpanded(!node->Expanded());
    if (step % 150 == 0) AddRow(tree, site, {"late"});
    ASSERT_TRUE(RowsAgree(tree)) << "step " << step;
    for (int s = 0; s < 6; ++s) {
      TTreeListNode* deep = Site(s)->Items(1)->Items(0);
      ASSERT_EQ(deep->AbsoluteIndex() >= 0, deep->IsVisible()) << "step " << step;
    }
  }
}
