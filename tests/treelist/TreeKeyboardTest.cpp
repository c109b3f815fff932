#include "TreeInputFixture.h"
#include "platform/Clipboard.h"

namespace {

using TreeKeys = TreeInputFixture;

}  // namespace

TEST_F(TreeKeys, LeftAndRightWalkSitesAndTanks) {
  // Left on an expanded site collapses it, then stays; on a tank it goes to the site.
  host.PressKey(vkLeft);
  EXPECT_FALSE(site1->Expanded());
  host.PressKey(vkLeft);
  EXPECT_EQ(tree.FocusedNode(), site1);
  // Right on a collapsed site expands it, then goes to its first tank.
  host.PressKey(vkRight);
  EXPECT_TRUE(site1->Expanded());
  EXPECT_EQ(tree.FocusedNode(), site1);
  host.PressKey(vkRight);
  EXPECT_EQ(tree.FocusedNode(), tank1);
  host.PressKey(vkRight);  // a tank has nothing to open: the next row
  EXPECT_EQ(tree.FocusedNode(), tank2);
  host.PressKey(vkLeft);
  EXPECT_EQ(tree.FocusedNode(), tank1);
  host.PressKey(vkLeft);
  EXPECT_EQ(tree.FocusedNode(), site1);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeKeys, UpDownHomeEndMoveTheFocusedRow) {
  EXPECT_EQ(host.PressKey(vkDown), 0);
  EXPECT_EQ(tree.FocusedNode(), tank1);
  host.PressKey(vkEnd);
  EXPECT_EQ(tree.FocusedNode(), site2);
  host.PressKey(vkDown);
  EXPECT_EQ(tree.FocusedNode(), site2);
  host.PressKey(vkUp);
  EXPECT_EQ(tree.FocusedNode(), tank2);
  host.PressKey(vkHome, ssCtrl);
  EXPECT_EQ(tree.FocusedNode(), site1);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeKeys, PagesGoToThePageEndFirstThenAPageFurther) {
  GrowTo(40);
  host.Paint(true);
  const int rows = tree.Geometry().FullRows;  // 9 whole rows of 19 in 179 pixels
  ASSERT_EQ(rows, 9);
  host.PressKey(vkDown);
  host.PressKey(vkNext);  // inside the page: to its bottom row
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), 8);
  EXPECT_EQ(tree.TopIndex(), 0);
  host.PressKey(vkNext);  // on the bottom row: a page less one further, scrolled into view
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), 16);
  EXPECT_EQ(tree.TopIndex(), 8);
  host.PressKey(vkPrior);  // on the bottom row again: a page back
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), 8);
  host.PressKey(vkDown);
  host.PressKey(vkPrior);  // strictly inside: the page's top row
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), 8);
  host.PressKey(vkEnd);
  host.PressKey(vkNext);
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), 39);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeKeys, TabLeavesTheControlUnlessItTakesTabs) {
  host.PressKey(vkTab);
  EXPECT_EQ(host.FocusMoves(), std::vector<int>{1});
  EXPECT_EQ(tree.FocusedNode(), site1);
  host.PressKey(vkTab, ssShift);
  EXPECT_EQ(host.FocusMoves(), (std::vector<int>{1, -1}));
  tree.SetOptions({aoRowSelect, aoTabs, aoAutoWidth});
  EXPECT_EQ(host.PressKey(vkTab), 0);  // taken
  EXPECT_EQ(tree.FocusedNode(), tank1);
  EXPECT_EQ(host.FocusMoves().size(), 2u);
  host.PressKey(vkReturn);  // Enter moves rows only with aoEnterThrough
  EXPECT_EQ(tree.FocusedNode(), tank1);
  tree.SetOptionsEx({aoEnterThrough});
  host.PressKey(vkReturn, ssShift);
  EXPECT_EQ(tree.FocusedNode(), site1);
}

TEST_F(TreeKeys, WithoutRowSelectionTheArrowsMoveBetweenCells) {
  tree.SetOptions({aoAutoWidth, aoTabs, aoTabThrough});
  host.PressKey(vkRight);
  EXPECT_EQ(tree.FocusedColumn(), 1);
  host.PressKey(vkEnd);
  EXPECT_EQ(tree.FocusedColumn(), 4);
  host.PressKey(vkRight);  // no aoHorzThrough: stays
  EXPECT_EQ(tree.FocusedColumn(), 4);
  EXPECT_EQ(tree.FocusedNode(), site1);
  host.PressKey(vkTab);  // through to the next row's first column
  EXPECT_EQ(tree.FocusedNode(), tank1);
  EXPECT_EQ(tree.FocusedColumn(), 0);
  host.PressKey(vkLeft, ssCtrl);
  EXPECT_EQ(tree.FocusedColumn(), 0);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));

  // Tab and Shift+Tab pass over the columns that are no tab stops, wrapping to the next row;
  // Enter moves as Tab only with aoEnterThrough.
  tree.DisplayedColumns()[1]->SetTabStop(false);
  tree.DisplayedColumns()[4]->SetTabStop(false);
  host.PressKey(vkTab);
  EXPECT_EQ(tree.FocusedColumn(), 2);
  host.PressKey(vkTab, ssShift);
  EXPECT_EQ(tree.FocusedColumn(), 0);
  TTreeListNode* row = tree.FocusedNode();
  host.PressKey(vkTab, ssShift);  // back over column 4 to the last tab stop of the row before
  EXPECT_EQ(tree.FocusedColumn(), 3);
  EXPECT_NE(tree.FocusedNode(), row);
  host.PressKey(vkReturn);
  EXPECT_EQ(tree.FocusedColumn(), 3);
  tree.SetOptionsEx(TTreeListOptionsEx(tree.OptionsEx()).Include(aoEnterThrough));
  host.PressKey(vkReturn);  // over column 4, through to the next row
  EXPECT_EQ(tree.FocusedColumn(), 0);
  EXPECT_EQ(tree.FocusedNode(), row);
  for (TTreeListColumn* column : tree.DisplayedColumns()) column->SetTabStop(false);
  host.PressKey(vkTab);  // no tab stop anywhere: stays
  EXPECT_EQ(tree.FocusedColumn(), 0);
  EXPECT_EQ(tree.FocusedNode(), row);

  // With aoVertThrough Up past the first row goes on in the column before, from the last row.
  host.PressKey(vkHome, ssCtrl);
  host.PressKey(vkRight);
  host.PressKey(vkUp);
  EXPECT_EQ(tree.FocusedColumn(), 1);  // not without it
  tree.SetOptionsEx({aoVertThrough});
  host.PressKey(vkUp);
  EXPECT_EQ(tree.FocusedColumn(), 0);
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), tree.VisibleCount() - 1);
  host.PressKey(vkDown);
  EXPECT_EQ(tree.FocusedColumn(), 1);
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), 0);
}

TEST_F(TreeKeys, PlusMinusStarAndCopyCharacters) {
  site1->SetExpanded(false);
  host.PressKey(vkAdd);
  EXPECT_TRUE(site1->Expanded());
  host.PressKey(vkSubtract);
  EXPECT_FALSE(site1->Expanded());
  host.PressKey(vkMultiply);
  EXPECT_TRUE(site1->Expanded());
  TMemoryClipboard clipboard;
  tree.SetClipboard(&clipboard);
  host.SetKey(vkControl, true);
  host.PressKey('C');  // types the copy character, which needs its option
  EXPECT_EQ(clipboard.Text(), "");
  tree.SetOptionsEx(
      TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoAutoCopySelectedToClipboard));
  host.PressKey('C');
  EXPECT_NE(clipboard.Text().find("Alpha\t10"), std::string::npos);
  clipboard.SetText("");
  host.PressKey(vkInsert);
  EXPECT_NE(clipboard.Text(), "");
  host.SetKey(vkControl, false);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeKeys, AKeyTakenByTheHandlerIsNotHandled) {
  tree.OnKeyDown = [](TCustomTreeListControl*, int& key, TShiftState) {
    if (key == vkDown) key = 0;
  };
  tree.OnKeyPress = [](TCustomTreeListControl*, char& key) {
    if (key == '-') key = 0;
  };
  host.PressKey(vkDown);
  host.PressKey(vkSubtract);
  EXPECT_EQ(tree.FocusedNode(), site1);
  EXPECT_TRUE(site1->Expanded());
  // Keys the tree uses are taken; the others go on to the window.
  tree.OnKeyDown = nullptr;
  tree.OnKeyPress = nullptr;
  EXPECT_EQ(host.PressKey(vkSubtract), 0);
  EXPECT_FALSE(site1->Expanded());
  EXPECT_EQ(host.PressKey(vkReturn), vkReturn);
  EXPECT_EQ(host.PressKey(vkEscape), vkEscape);
  EXPECT_EQ(host.PressKey(vkF1), vkF1);
}

TEST_F(TreeKeys, ShiftExtendsAMultiSelection) {
  tree.SetOptions({aoMultiSelect, aoExtMultiSelect, aoRowSelect, aoAutoWidth});
  host.PressKey(vkDown, ssShift);
  host.PressKey(vkDown, ssShift);
  EXPECT_EQ(tree.SelectedCount(), 3);
  host.PressKey(vkDown);
  EXPECT_EQ(tree.SelectedCount(), 1);
  EXPECT_TRUE(site2->Selected());
  host.PressKey(vkSpace, ssCtrl);
  EXPECT_EQ(tree.SelectedCount(), 0);
}

// A focus hidden in a collapsed parent pages from where that parent stands, as the other
// moves from a hidden focus do; an empty tree and a one-row tree take every key calmly.
TEST_F(TreeKeys, PagesFromAHiddenFocusStartAtItsParentAndTinyTreesTakeEveryKey) {
  GrowTo(40);
  TTreeListNode* parent = tree.AbsoluteNodes(20);
  TTreeListNode* hidden = AddRow(tree, parent, {"inside", "1", "1", "1", "Off"});
  for (const int key : {vkNext, vkPrior}) {
    SCOPED_TRACE(key == vkNext ? "PgDn" : "PgUp");
    parent->SetExpanded(false);
    tree.SetTopIndex(15);
    tree.SetFocusedNode(hidden, 0, false);
    host.Paint(true);
    const int row = parent->AbsoluteIndex();
    host.PressKey(key);
    const int to = tree.FocusedAbsoluteIndex();
    // The page is the one around the parent, not the first rows of the tree.
    EXPECT_TRUE(key == vkNext ? to >= row : to <= row && to > row - 2 * tree.Geometry().FullRows)
        << "from under row " << row << " to " << to;
  }

  for (const int rows : {0, 1}) {
    SCOPED_TRACE(rows);
    tree.ClearNodes();
    GrowTo(rows);
    host.Paint(true);
    for (const int key : {vkNext, vkPrior, vkEnd, vkHome, vkDown, vkUp, vkLeft, vkRight}) {
      host.PressKey(key);
      EXPECT_EQ(tree.FocusedAbsoluteIndex(), 0);
      EXPECT_EQ(tree.TopIndex(), 0);
    }
    EXPECT_TRUE(ShowsFreshPaint(host, tree));
  }
}
