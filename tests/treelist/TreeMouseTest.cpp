#include <string>
#include <vector>

#include "TreeInputFixture.h"

namespace {

using TreeHitTest = TreeInputFixture;
using TreeMouse = TreeInputFixture;

TTreeListHitKind KindAt(TTreeList& tree, int x, int y) {
  return tree.GetHitInfo({x, y}).Kind;
}

}  // namespace

TEST_F(TreeHitTest, HeadersEdgesAndTheirZones) {
  // "Site/Tank" spans 0..169 and "Capacity" 169..338.
  const TTreeListHitInfo header = tree.GetHitInfo({50, 10});
  EXPECT_EQ(header.Kind, HitColumnHeader);
  EXPECT_EQ(header.Column, 0);
  EXPECT_EQ(header.Row, 0);
  EXPECT_EQ(KindAt(tree, 164, 10), HitColumnHeader);
  EXPECT_EQ(tree.GetHitInfo({165, 10}).Kind, HitColumnEdge);
  EXPECT_EQ(tree.GetHitInfo({172, 10}).Column, 0);  // just right of the edge: still column 0
  EXPECT_EQ(KindAt(tree, 173, 10), HitColumnHeader);
  // The last column's right edge sizes the column while the band follows its columns.
  EXPECT_EQ(tree.GetHitInfo({843, 10}).Column, 4);
  EXPECT_EQ(KindAt(tree, 843, 10), HitColumnEdge);
  tree.Columns(0)->SetSizing(false);
  EXPECT_EQ(KindAt(tree, 166, 10), HitColumnHeader);
  tree.SetOptions({aoRowSelect, aoAutoWidth});
  EXPECT_EQ(KindAt(tree, 337, 10), HitColumnHeader);
}

TEST_F(TreeHitTest, TheIndentationSplitsIntoIndentButtonAndCell) {
  // A site (level 0) has its button at 0..16; a tank (level 1) is indented 32 without one.
  const TTreeListHitInfo button = tree.GetHitInfo({8, RowMid(0)});
  EXPECT_EQ(button.Kind, HitButton);
  EXPECT_EQ(button.Node, site1);
  EXPECT_EQ(KindAt(tree, 16, RowMid(0)), HitCell);
  EXPECT_EQ(KindAt(tree, 8, RowMid(1)), HitIndent);
  EXPECT_EQ(KindAt(tree, 31, RowMid(1)), HitIndent);
  const TTreeListHitInfo cell = tree.GetHitInfo({200, RowMid(1)});
  EXPECT_EQ(cell.Kind, HitCell);
  EXPECT_EQ(cell.Column, 1);
  EXPECT_EQ(cell.Node, tank1);
  tree.SetShowButtons(false);
  EXPECT_EQ(KindAt(tree, 8, RowMid(0)), HitIndent);
}

TEST_F(TreeHitTest, OutsideBelowTheRowsAndRightOfTheCells) {
  EXPECT_EQ(KindAt(tree, -1, 5), HitOutside);
  EXPECT_EQ(KindAt(tree, 846, 5), HitOutside);
  EXPECT_EQ(KindAt(tree, 100, 199), HitNowhere);
  EXPECT_EQ(tree.GetHitInfo({100, 199}).Node, nullptr);
  tree.SetOptions({aoRowSelect});  // five columns of 100: cells end at 500
  EXPECT_EQ(KindAt(tree, 600, RowMid(0)), HitRowRight);
}

TEST_F(TreeHitTest, BandsIndicatorAndPanelEdgesWhenShown) {
  tree.SetShowBands(true);
  tree.SetShowIndicator(true);
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoHeaderPanelSizing));
  const TTreeListGeometry g = tree.Geometry();
  const int bandMid = (g.BandPanel.top + g.BandPanel.bottom) / 2;
  EXPECT_EQ(KindAt(tree, 5, bandMid), HitBandButton);
  EXPECT_EQ(KindAt(tree, 100, bandMid), HitBandHeader);
  EXPECT_EQ(KindAt(tree, 5, g.HeaderPanel.top + 2), HitHeaderButton);
  // The panel's bottom 4 pixels size it; above them lies the header.
  EXPECT_EQ(KindAt(tree, 100, g.HeaderPanel.bottom - 1), HitHeaderPanelEdge);
  EXPECT_EQ(KindAt(tree, 100, g.HeaderPanel.bottom - 4), HitHeaderPanelEdge);
  EXPECT_EQ(KindAt(tree, 100, g.HeaderPanel.bottom - 5), HitColumnHeader);
  // With bands shown the last column's edge is the band's, unless the band is alone under
  // automatic width, where sizing it would change nothing: then it is the column's.
  EXPECT_EQ(KindAt(tree, 843, g.HeaderPanel.top + 2), HitColumnEdge);
  tree.Bands().Add();
  tree.Columns(4)->SetBandIndex(1);
  EXPECT_EQ(KindAt(tree, tree.Geometry().Bands[0].Right - 2, g.HeaderPanel.top + 2), HitBandEdge);
  const TTreeListHitInfo indicator = tree.GetHitInfo({5, g.RowsArea.top + 3});
  EXPECT_EQ(indicator.Kind, HitIndicator);
  EXPECT_EQ(indicator.Node, site1);
}

TEST_F(TreeMouse, ThePlusBoxTogglesWithoutMovingTheFocus) {
  site2->SetFocused(true);
  host.Paint();
  host.ClearRecords();
  host.Click(mbLeft, 8, RowMid(2));  // a leaf's indent: nothing
  EXPECT_TRUE(host.Invalidations().empty());
  host.Click(mbLeft, 8, RowMid(0));
  EXPECT_FALSE(site1->Expanded());
  EXPECT_EQ(tree.FocusedNode(), site2);
  host.Paint();
  host.ClearRecords();
  host.Click(mbLeft, 8, RowMid(1));  // now "Beta", focused: its tank appears below it
  EXPECT_TRUE(site2->Expanded());
  // Only the rows from the toggled one down are painted again.
  for (const TRect& r : host.Invalidations()) EXPECT_GE(r.top, RowTop(1));
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  host.Click(mbLeft, 8, RowMid(1));
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  host.Click(mbLeft, 8, RowMid(0));
  EXPECT_TRUE(site1->Expanded());
  EXPECT_EQ(tree.FocusedNode(), site2);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeMouse, DoubleClicksToggleSitesAndReportTanks) {
  int doubles = 0, clicks = 0;
  tree.OnDblClick = [&](TCustomTreeListControl*) { ++doubles; };
  tree.OnClick = [&](TCustomTreeListControl*) { ++clicks; };
  host.DoubleClick(mbLeft, 200, RowMid(1));  // a tank: nothing to toggle
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(clicks, 1);  // the first press of the pair
  EXPECT_EQ(tree.FocusedNode(), tank1);
  EXPECT_TRUE(site1->Expanded());
  host.DoubleClick(mbLeft, 200, RowMid(0));
  EXPECT_EQ(doubles, 2);
  EXPECT_FALSE(site1->Expanded());
  tree.SetDblClkExpanding(false);
  host.DoubleClick(mbLeft, 200, RowMid(0));
  EXPECT_FALSE(site1->Expanded());
  EXPECT_EQ(doubles, 3);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeMouse, PressFocusesTheRowAndTheStandardEventsComeAfter) {
  std::vector<std::string> calls;
  tree.OnMouseDown = [&](TCustomTreeListControl*, TMouseButton, TShiftState, int, int) {
    calls.push_back(tree.FocusedNode() == tank2 ? "down on tank2" : "down elsewhere");
  };
  tree.OnMouseUp = [&](TCustomTreeListControl*, TMouseButton, TShiftState, int, int) {
    calls.push_back("up");
  };
  tree.OnClick = [&](TCustomTreeListControl*) { calls.push_back("click"); };
  host.Click(mbLeft, 400, RowMid(2));
  EXPECT_EQ(calls, (std::vector<std::string>{"down on tank2", "click", "up"}));
  // A press on the empty part changes nothing and is no click, after an update too.
  calls.clear();
  tree.BeginUpdate();
  tree.EndUpdate();
  host.Click(mbLeft, 400, 190);
  EXPECT_EQ(tree.FocusedNode(), tank2);
  EXPECT_EQ(calls, (std::vector<std::string>{"down on tank2", "up"}));
  EXPECT_FALSE(host.HasCapture());
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeMouse, APressThatCannotTakeTheFocusIsIgnored) {
  host.LoseFocus();
  host.RefuseFocus(true);
  host.Click(mbLeft, 400, RowMid(2));
  EXPECT_EQ(tree.FocusedNode(), site1);
  host.MouseDown(mbLeft, 250, 10);
  EXPECT_EQ(tree.Input().State(), msNone);
  EXPECT_FALSE(host.HasCapture());
}

TEST_F(TreeMouse, HeaderClicksSortUpDownUpAndCtrlClears) {
  TTreeListColumn* capacity = tree.Columns(1);
  int clicks = 0;
  tree.OnColumnClick = [&](TCustomTreeListControl*, TTreeListColumn* c) {
    clicks += c == capacity;
  };
  std::vector<TTreeListColumnSort> states;
  for (int i = 0; i < 3; ++i) {
    host.Click(mbLeft, 250, 10);
    states.push_back(capacity->Sorted());
  }
  EXPECT_EQ(states, (std::vector<TTreeListColumnSort>{csUp, csDown, csUp}));
  host.Click(mbLeft, 250, 10, ssCtrl);
  EXPECT_EQ(capacity->Sorted(), csNone);
  EXPECT_EQ(clicks, 4);
  // Each press of a double click is a click of its own.
  host.DoubleClick(mbLeft, 250, 10);
  EXPECT_EQ(capacity->Sorted(), csDown);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeMouse, APressedHeaderIsDrawnDownOnlyWhileTheMouseIsOverIt) {
  tree.SetOptions({aoRowSelect, aoAutoWidth, aoAutoSort});  // no moving: the press stays a press
  host.MouseDown(mbLeft, 250, 10);
  EXPECT_EQ(tree.PressedHeader(), tree.Columns(1));
  host.MouseMove(450, 10);
  EXPECT_EQ(tree.PressedHeader(), nullptr);
  host.MouseMove(260, 12);
  EXPECT_EQ(tree.PressedHeader(), tree.Columns(1));
  host.MouseMove(450, 10);
  host.MouseUp(mbLeft, 450, 10);  // released elsewhere: no click
  EXPECT_EQ(tree.Columns(1)->Sorted(), csNone);
  EXPECT_EQ(tree.Columns(2)->Sorted(), csNone);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeMouse, MultiSelectionFollowsCtrlAndShiftPresses) {
  tree.SetOptions({aoMultiSelect, aoExtMultiSelect, aoAutoWidth});
  host.Click(mbLeft, 400, RowMid(0));
  host.Click(mbLeft, 400, RowMid(2), ssShift);
  EXPECT_EQ(tree.SelectedCount(), 3);
  host.Click(mbLeft, 400, RowMid(1), ssCtrl);
  EXPECT_EQ(tree.SelectedCount(), 2);
  EXPECT_FALSE(tank1->Selected());
  host.Click(mbLeft, 400, RowMid(3));
  EXPECT_EQ(tree.SelectedCount(), 1);
  EXPECT_TRUE(site2->Selected());
}

TEST_F(TreeMouse, OptionsTheApplicationLeavesOffDoNoHarmWhenOn) {
  TTreeListOptionsEx extra(kDefaultTreeListOptionsEx);
  for (TTreeListOptionEx o :
       {aoMouseScroll, aoDragScroll, aoDragCollapse, aoAutoSearch, aoRowSizing, aoBandPanelSizing,
        aoHeaderPanelSizing, aoHotTrack, aoFullSizing})
    extra.Include(o);
  tree.SetOptionsEx(extra);
  tree.SetShowBands(true);
  tree.SetShowIndicator(true);
  host.Paint(true);
  const TTreeListGeometry g = tree.Geometry();
  for (int y = 0; y < 200; y += 3) {
    host.MouseDown(mbLeft, 30, y);
    host.MouseMove(60, y + 10);
    host.MouseUp(mbLeft, 60, y + 10);
    host.DoubleClick(mbLeft, 6, y);
    host.Click(mbMiddle, 300, y);
  }
  host.PressKey('A');
  EXPECT_EQ(tree.Input().State(), msNone);
  EXPECT_FALSE(host.HasCapture());
  EXPECT_GT(g.BandPanel.Height(), 0);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

// The status panel under the rows, the indicator's column beside it included, is no row:
// clicks there leave the focus and the selection alone, wherever the rows end behind it.
TEST_F(TreeMouse, ClicksOnTheStatusPanelSelectNoRow) {
  GrowTo(30);
  tree.SetShowStatusPanel(true);
  tree.SetStatusText(std::string(5000, 'x'));
  for (const bool indicator : {false, true}) {
    tree.SetShowIndicator(indicator);
    for (const int top : {0, 3}) {
      tree.SetTopIndex(top);
      tree.SetFocusedAbsoluteIndex(top);
      host.Paint(true);
      const TTreeListGeometry g = tree.Geometry();
      TTreeListNode* focused = tree.FocusedNode();
      const int selected = tree.SelectedCount();
      for (int y = g.StatusPanel.top; y < g.StatusPanel.bottom; y += 5)
        for (const int x : {2, 8, g.StatusPanel.left + 1, 300, g.StatusPanel.right - 2}) {
          const TTreeListHitInfo hit = tree.GetHitInfo({x, y});
          EXPECT_EQ(hit.Node, nullptr) << "indicator " << indicator << " at " << x << ", " << y;
          host.Click(mbLeft, x, y);
          host.DoubleClick(mbLeft, x, y);
          ASSERT_EQ(tree.FocusedNode(), focused)
              << "indicator " << indicator << " at " << x << ", " << y;
          ASSERT_EQ(tree.SelectedCount(), selected);
        }
    }
  }
}
