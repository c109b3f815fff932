// The tree-list with the options the application leaves off: several bands (fixed ones
// among them), several header rows, no row selection, widths that do not follow the client.
#include <numeric>
#include <stdexcept>
#include <vector>

#include "TreeInputFixture.h"

namespace {

// Three bands in a window narrower than they are: "Site/Tank" fixed left, "Capacity",
// "Level" and "Level %" scrolling, "Status" fixed right.
class TreeBands : public TreeInputFixture {
 protected:
  void SetUp() override {
    TreeInputFixture::SetUp();
    host.Resize(400, 200);
    tree.SetOptions({aoColumnSizing, aoColumnMoving, aoAutoSort});
    tree.Bands().Add();
    tree.Bands().Add();
    for (int i = 1; i < 4; ++i) tree.Columns(i)->SetBandIndex(1);
    tree.Columns(4)->SetBandIndex(2);
    tree.Bands().Items(0)->SetFixed(bfLeft);
    tree.Bands().Items(2)->SetFixed(bfRight);
    tree.SetShowBands(true);
    host.Paint(true);
  }
  // Band panel 21, header 21: rows start at 42.
  static int Row(int row) { return 42 + row * kRowHeight + kRowHeight / 2; }
  static constexpr int kHeaderY = 30;
};

std::vector<int> Widths(TTreeList& tree) {
  std::vector<int> w;
  for (int i = 0; i < tree.ColumnCount(); ++i) w.push_back(tree.Columns(i)->Width());
  return w;
}

}  // namespace

TEST_F(TreeBands, FixedBandsPaintAndHitAboveTheScrollingColumns) {
  // Left band 0..100, its line 100..102; right line 298..300, right band 300..400.
  TBitmap before;
  before.SetSize(400, 200);
  before.Canvas().CopyRect(Rect(0, 0, 400, 200), host.Picture().Canvas(), Rect(0, 0, 400, 200));
  tree.SetLeftCoord(60);
  host.Paint();
  for (int y = 0; y < 120; ++y)
    for (int x : {0, 50, 99, 100, 101, 298, 299, 300, 399})
      ASSERT_EQ(host.PixelAt(x, y), before.Pixel(x, y)) << x << ", " << y;
  const TTreeListHitInfo right = tree.GetHitInfo({320, kHeaderY});
  EXPECT_EQ(right.Kind, HitColumnHeader);
  EXPECT_EQ(right.Column, 4);
  EXPECT_EQ(tree.GetHitInfo({50, Row(0)}).Column, 0);
  EXPECT_EQ(tree.GetHitInfo({297, Row(0)}).Column, 3);
  EXPECT_EQ(tree.GetHitInfo({299, Row(0)}).Kind, HitNowhere);  // the fixed line
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeBands, EndAndHomeBringTheFocusedColumnIntoView) {
  tree.SetFocusedNode(site1, 0, true);
  host.PressKey(vkEnd);
  EXPECT_EQ(tree.FocusedColumn(), 4);
  host.PressKey(vkLeft);  // "Level %", scrolled off on the right
  TRect cell = tree.CellRect(site1, tree.Columns(3));
  EXPECT_GE(cell.left, 102);
  EXPECT_LE(cell.right, 298);
  host.PressKey(vkHome);
  host.PressKey(vkRight);
  cell = tree.CellRect(site1, tree.Columns(1));
  EXPECT_GE(cell.left, 102);
  EXPECT_EQ(tree.LeftCoord(), 0);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeBands, APressHighlightsTheCellItHits) {
  tree.SetHeaderPanelRowCount(2);
  tree.Columns(2)->SetRowIndex(1);  // "Level" under "Capacity"
  for (int column : {3, 2, 4, 0}) {
    TRect cell = tree.CellRect(site2, tree.Columns(column));
    host.Click(mbLeft, cell.left + 20, cell.top + 3);
    host.Paint();
    cell = tree.CellRect(site2, tree.Columns(column));  // the click may have scrolled
    for (int other = 0; other < tree.ColumnCount(); ++other) {
      const TRect r = tree.Geometry().Shown(*tree.Geometry().PlaceOf(tree.Columns(other)),
                                            tree.CellRect(site2, tree.Columns(other)));
      if (IsRectEmpty(r)) continue;
      EXPECT_EQ(host.PixelAt(r.right - 3, r.bottom - 2) == ColorToRGB(clHighlight), other == column)
          << column << " " << other;
    }
  }
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeBands, SizingWithoutAutoWidthKeepsTheRowsSum) {
  // Bands as wide as their Width: 0..250 fixed, 252..502 scrolling, 504..754 fixed.
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Exclude(aoBandHeaderWidth));
  host.Resize(900, 200);
  host.Paint(true);
  const std::vector<int> before = Widths(tree);
  const int edge = tree.CellRect(site1, tree.Columns(1)).right - 1;
  host.MouseDown(mbLeft, edge, kHeaderY);
  host.MouseMove(edge + 20, kHeaderY);
  host.MouseUp(mbLeft, edge + 20, kHeaderY);
  const std::vector<int> after = Widths(tree);
  EXPECT_EQ(after[1], before[1] + 20);
  EXPECT_EQ(after[1] + after[2] + after[3], before[1] + before[2] + before[3]);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeInputFixture, ARowHeightSetToTheMinimumCountsAsNotSet) {
  tree.SetDefaultRowHeight(19);
  TFont small = tree.Font();
  small.SetHeight(small.Height() - 4);
  tree.SetFont(small);
  EXPECT_LT(tree.DefaultRowHeight(), 19);
  tree.SetDefaultRowHeight(30);
  EXPECT_EQ(tree.DefaultRowHeight(), 30);
}

TEST_F(TreeInputFixture, AClickHandlerThatRaisesLeavesNoGestureBehind) {
  tree.OnColumnClick = [](TCustomTreeListControl*, TTreeListColumn*) {
    throw std::runtime_error("handler");
  };
  host.MouseDown(mbLeft, 250, 10);
  EXPECT_ANY_THROW(host.MouseUp(mbLeft, 250, 10));
  EXPECT_EQ(tree.Input().State(), msNone);
  EXPECT_FALSE(host.HasCapture());
  host.Click(mbLeft, 400, RowMid(3));
  EXPECT_EQ(tree.FocusedNode(), site2);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeInputFixture, TheSplitCursorEndsWithASizingReleaseAwayFromTheEdge) {
  host.MouseDown(mbLeft, 337, 10);
  host.MouseMove(100, 10);  // clamped at 189
  host.MouseUp(mbLeft, 100, 10);
  EXPECT_EQ(host.CursorShape(), crArrow);
  host.MouseDown(mbLeft, 188, 10);  // the new edge of "Capacity"
  host.MouseUp(mbLeft, 188, 10);
  EXPECT_EQ(host.CursorShape(), crHSplit);
}

TEST_F(TreeInputFixture, AWheelTurnDuringAHeaderDragLeavesTheScreenWhole) {
  GrowTo(30);
  host.Paint();
  // The arrows stand at the left edge of "Capacity", reaching down into the rows.
  host.MouseDown(mbLeft, 400, 10);
  host.MouseMove(100, 10);
  ASSERT_EQ(tree.Input().State(), msHeaderDragging);
  host.Paint();
  host.Wheel(-1, 100, 10);
  host.Paint();             // the window catches up between two events
  host.MouseMove(400, 12);  // over its own header: no drop, and no change on release
  host.MouseUp(mbLeft, 400, 12);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeInputFixture, DropHandlersDecideAndAreChecked) {
  const std::vector<std::string> order = {"Site/Tank", "Capacity", "Level", "Level %", "Status"};
  auto captions = [&] {
    std::vector<std::string> c;
    for (int i = 0; i < tree.ColumnCount(); ++i) c.push_back(tree.Columns(i)->Caption());
    return c;
  };
  auto drag = [&] {
    host.MouseDown(mbLeft, 250, 10);
    host.MouseMove(600, 10);
    host.MouseUp(mbLeft, 600, 10);
  };
  tree.OnDragOverHeader = [](TCustomTreeListControl*, TTreeListColumn*, TPoint, bool& accept) {
    accept = false;
  };
  drag();
  EXPECT_EQ(captions(), order);
  tree.OnDragOverHeader = nullptr;
  for (int band : {7, -3}) {
    tree.OnDragEndHeader = [band](TCustomTreeListControl*, TTreeListColumn*, TPoint,
                                  THeaderPosInfo& pos, bool&) { pos.BandIndex = band; };
    drag();
    EXPECT_EQ(captions(), order) << band;
  }
  tree.OnDragEndHeader = nullptr;
  drag();
  EXPECT_NE(captions(), order);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}
