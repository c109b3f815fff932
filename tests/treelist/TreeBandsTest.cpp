// The tree-list with the options the application leaves off: several bands (fixed ones
// among them), several header rows, no row selection, widths that do not follow the client.
#include <algorithm>
#include <functional>
#include <numeric>
#include <stdexcept>
#include <vector>

#include "TreeInputFixture.h"
#include "treelist/customize/TreeListCustomizingBox.h"

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

// A left-fixed band wider than the window leaves no room: every band scrolls then, so each
// focused column comes into view and is what a point on it hits.
TEST_F(TreeBands, FixedBandsTooWideForTheWindowScrollWithTheRest) {
  tree.Columns(0)->SetWidth(450);
  tree.SetFocusedNode(site1, 0, true);
  for (int column = 1; column < 5; ++column) {
    host.PressKey(vkRight);
    ASSERT_EQ(tree.FocusedColumn(), column);
    const TTreeListGeometry g = tree.Geometry();
    const TRect shown =
        g.Shown(*g.PlaceOf(tree.Columns(column)), tree.CellRect(site1, tree.Columns(column)));
    ASSERT_GT(shown.Width(), 0) << column;
    EXPECT_EQ(tree.GetHitInfo({(shown.left + shown.right) / 2, Row(0)}).Column, column);
  }
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
  // A neighbour at its minimum width gives no more: the line stops, the row does not grow.
  tree.Columns(3)->SetWidth(30);
  const std::vector<int> narrow = Widths(tree);
  const int next = tree.CellRect(site1, tree.Columns(2)).right - 1;
  host.MouseDown(mbLeft, next, kHeaderY);
  host.MouseMove(next + 30, kHeaderY);
  host.MouseUp(mbLeft, next + 30, kHeaderY);
  const std::vector<int> last = Widths(tree);
  EXPECT_EQ(last[3], tree.Columns(3)->MinWidth());
  EXPECT_EQ(last[2] + last[3], narrow[2] + narrow[3]);
}

TEST_F(TreeInputFixture, ARowHeightSetToTheMinimumCountsAsNotSet) {
  tree.SetDefaultRowHeight(19);
  TFont small = tree.Font();
  small.SetHeight(small.Height() - 4);
  tree.SetFont(small);
  EXPECT_LT(tree.DefaultRowHeight(), 19);
  tree.SetDefaultRowHeight(30);
  EXPECT_EQ(tree.DefaultRowHeight(), 30);
  // So does one a font raised to its minimum: with the old font back the rows follow it.
  tree.SetFont(SixteenPixelFont());
  tree.SetDefaultRowHeight(22);
  TFont big = tree.Font();
  big.SetHeight(big.Height() + 8);
  tree.SetFont(big);
  EXPECT_GT(tree.DefaultRowHeight(), 22);
  tree.SetFont(SixteenPixelFont());
  EXPECT_EQ(tree.DefaultRowHeight(), 19);
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

TEST_F(TreeBands, BandHeadersShowTheirCaptionsAndTheirCustomDraw) {
  const char* captions[] = {"Place", "Levels", "State"};
  for (int b = 0; b < 3; ++b) tree.Bands().Items(b)->SetCaption(captions[b]);
  std::vector<std::string> drawn;
  tree.OnCustomDrawBand = [&](TCustomTreeListControl*, TTreeListBand* band, TCanvas& canvas,
                              const TRect& rect, std::string& text, TColor& color, TFont&,
                              TAlignment&, bool& done) {
    drawn.push_back(text);
    if (band->Index() == 1) color = clYellow;
    if (band->Index() == 2) {
      canvas.Brush() = TBrush{clRed, bsSolid, clRed};
      canvas.FillRect(rect);
      done = true;
    }
  };
  host.Paint(true);
  EXPECT_EQ(drawn, (std::vector<std::string>{"Place", "Levels", "State"}));
  EXPECT_EQ(host.PixelAt(10, 10), ColorToRGB(clBtnFace));
  EXPECT_EQ(host.PixelAt(110, 10), clYellow);
  EXPECT_EQ(host.PixelAt(350, 10), clRed);
  int ink = 0;  // the caption's pixels, centred in the band
  for (int x = 30; x < 70; ++x)
    for (int y = 3; y < 18; ++y) ink += host.PixelAt(x, y) == clBlack;
  EXPECT_GT(ink, 10);
  EXPECT_EQ(host.PixelAt(101, 10), ColorToRGB(clWindowFrame));  // the fixed band's line
}

TEST_F(TreeBands, ABandEdgeSizesTheBandFitsItsColumnsAndEscCancels) {
  int changed = 0;
  tree.OnChangedColumnsWidth = [&](TCustomTreeListControl*) { ++changed; };
  host.MouseMove(98, 10);
  EXPECT_EQ(host.CursorShape(), crHSplit);
  host.MouseDown(mbLeft, 98, 10);
  host.MouseMove(118, 10);
  EXPECT_EQ(host.PressKey(vkEscape), 0);
  host.MouseUp(mbLeft, 118, 10);
  EXPECT_EQ(tree.BandWidth(0), 100);
  host.MouseDown(mbLeft, 98, 10);
  host.MouseMove(2, 10);  // not below the band's minimum
  EXPECT_EQ(tree.Input().SizingLineX(), 30);
  host.MouseMove(118, 10);
  host.MouseUp(mbLeft, 118, 10);
  EXPECT_EQ(tree.BandWidth(0), 119);
  EXPECT_EQ(tree.Columns(0)->Width(), 119);
  EXPECT_EQ(changed, 1);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  host.DoubleClick(mbLeft, tree.Geometry().Bands[0].Right - 2, 10);
  EXPECT_EQ(tree.Columns(0)->Width(), tree.BestFitWidth(tree.Columns(0)));
  EXPECT_EQ(changed, 2);
  // Under automatic width the neighbours make room and the total stays.
  tree.SetOptions(tree.Options().Include(aoAutoWidth));
  const int total = tree.TotalWidth();
  const int edge = tree.Geometry().Bands[0].Right - 2;
  host.MouseDown(mbLeft, edge, 10);
  host.MouseUp(mbLeft, edge + 30, 10);
  EXPECT_EQ(tree.TotalWidth(), total);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  // Without the option the edge is part of the band's header and promises nothing.
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Exclude(aoBandSizing));
  host.MouseMove(tree.Geometry().Bands[0].Right - 2, 10);
  EXPECT_EQ(host.CursorShape(), crArrow);
  EXPECT_EQ(tree.GetHitInfo({tree.Geometry().Bands[0].Right - 2, 10}).Kind, HitBandHeader);
}

TEST_F(TreeBands, DraggingABandMovesItWithItsColumns) {
  tree.Bands().Items(2)->SetFixed(bfNone);
  tree.SetLeftCoord(100);  // two scrolling bands: 2..302 (shown from 102) and 302..402
  host.Paint(true);
  auto bandOf = [&](int column) { return tree.Columns(column)->BandIndex(); };
  auto drag = [&](int from, int to) {
    host.MouseDown(mbLeft, from, 10);
    host.MouseMove(to, 10);
    host.MouseUp(mbLeft, to, 10);
  };
  drag(50, 200);  // the fixed band stays
  EXPECT_EQ(bandOf(0), 0);
  drag(150, 120);  // next to its own place
  EXPECT_EQ(bandOf(1), 1);
  host.MouseDown(mbLeft, 150, 10);
  host.MouseMove(380, 10);  // past the middle of the last band
  EXPECT_EQ(tree.Input().State(), msBandDragging);
  EXPECT_EQ(tree.Input().BandDropIndex(), 2);
  host.MouseUp(mbLeft, 380, 10);
  EXPECT_EQ(bandOf(1), 2);
  EXPECT_EQ(bandOf(4), 1);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Exclude(aoBandMoving));
  drag(150, 380);
  EXPECT_EQ(bandOf(4), 1);
}

TEST_F(TreeInputFixture, CustomizingHidesADraggedOffColumnAndShowsItAgain) {
  std::vector<int> hidden, shown, ends;
  tree.OnHideHeader = [&](TCustomTreeListControl*, TTreeListColumn* c, int band, int row, int col) {
    hidden = {c->Index(), band, row, col};
  };
  tree.OnShowHeader = [&](TCustomTreeListControl*, TTreeListColumn* c, int band, int row, int col) {
    shown = {c->Index(), band, row, col};
  };
  tree.OnEndDragColumn = [&](TCustomTreeListControl*, int, int, TTreeListColumn*, int& position) {
    ends.push_back(position);
  };
  auto dragOff = [&](int x) {
    host.MouseDown(mbLeft, x, 10);
    host.MouseMove(x, 120);
    host.MouseUp(mbLeft, x, 120);
  };
  dragOff(250);  // without the option nothing changes
  EXPECT_TRUE(tree.Columns(1)->Visible());
  EXPECT_EQ(ends, (std::vector<int>{1}));
  tree.SetOptions(tree.Options().Include(aoExtCustomizing));
  tree.Columns(2)->SetDisableCustomizing(true);
  dragOff(400);
  EXPECT_TRUE(tree.Columns(2)->Visible());
  dragOff(250);
  EXPECT_FALSE(tree.Columns(1)->Visible());
  EXPECT_EQ(hidden, (std::vector<int>{1, 0, 0, 1}));
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  // A handler's veto keeps a column dragged off.
  tree.OnDragEndHeader = [](TCustomTreeListControl*, TTreeListColumn*, TPoint, THeaderPosInfo&,
                            bool& accept) { accept = false; };
  dragOff(100);
  EXPECT_EQ(tree.DisplayedColumns().size(), 4u);
  tree.OnDragEndHeader = nullptr;
  tree.ShowHeader(tree.Columns(1), 0, 0, 3);
  EXPECT_EQ(shown, (std::vector<int>{3, 0, 0, 3}));
  EXPECT_EQ(tree.Columns(3)->Caption(), "Capacity");
  // The handler of the drop's end may move the column on.
  tree.OnEndDragColumn = [](TCustomTreeListControl*, int, int, TTreeListColumn*, int& position) {
    position = 0;
  };
  host.MouseDown(mbLeft, 250, 10);
  host.MouseMove(600, 10);
  host.MouseUp(mbLeft, 600, 10);
  EXPECT_EQ(tree.Columns(0)->Caption(), "Level");
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeInputFixture, SortingShowsTheBusyCursorWithItsOption) {
  std::vector<TCursorShape> during;
  tree.OnCompare = [&](TCustomTreeListControl*, TTreeListNode*, TTreeListNode*, int& compare) {
    during.push_back(host.CursorShape());
    compare = 0;
  };
  host.Click(mbLeft, 250, 10);
  ASSERT_FALSE(during.empty());
  EXPECT_EQ(during.back(), crArrow);
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoShowHourGlass));
  host.MouseMove(337, 10);  // over an edge: the split cursor comes back after the sort
  tree.Columns(1)->SetSorted(csDown);
  EXPECT_EQ(during.back(), crHourGlass);
  EXPECT_EQ(host.CursorShape(), crHSplit);
}

// The record is built once per event and again only after something it reads changed.
TEST_F(TreeInputFixture, AnEventBuildsTheGeometryOncePerChange) {
  GrowTo(40);
  host.Paint();
  struct {
    const char* what;
    std::function<void()> event;
    int most;
  } const cases[] = {
      {"paint", [&] { host.Paint(true); }, 1},
      {"move", [&] { host.MouseMove(300, 100); }, 1},
      {"wheel of 3 lines", [&] { host.Wheel(-1, 300, 100); }, 3},
      {"page down", [&] { host.PressKey(vkNext); }, 4},
      {"click", [&] { host.Click(mbLeft, 300, RowMid(2)); }, 4},
  };
  for (const auto& c : cases) {
    const int before = tree.GeometryBuilds();
    c.event();
    EXPECT_LE(tree.GeometryBuilds() - before, c.most) << c.what;
  }
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeBands, ABandThatKeepsToItsOwnColumnsTakesNoOther) {
  auto drag = [&] {
    host.MouseDown(mbLeft, 150, kHeaderY);
    host.MouseMove(380, kHeaderY);
    host.MouseUp(mbLeft, 380, kHeaderY);
  };
  tree.Bands().Items(2)->SetOnlyOwnColumns(true);
  drag();
  EXPECT_EQ(tree.Columns(1)->BandIndex(), 1);
  tree.Bands().Items(2)->SetOnlyOwnColumns(false);
  drag();
  EXPECT_EQ(tree.Columns(4)->Caption(), "Capacity");
  EXPECT_EQ(tree.Columns(4)->BandIndex(), 2);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

namespace {

// Re-proportioned neighbours give only down to their own minimums: every column keeps its
// MinWidth and the row keeps its band's width, whatever the neighbours' proportions.
TEST_F(TreeBands, ReproportionedNeighboursKeepTheirMinimumsAndTheBandsWidth) {
  struct TCase {
    bool fullSizing;
    int drag;
  } cases[] = {{false, 60}, {true, 400}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.fullSizing ? "full sizing" : "plain");
    tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Exclude(aoBandHeaderWidth));
    SetOptionEx(tree, aoFullSizing, c.fullSizing);
    tree.Columns(4)->SetBandIndex(1);
    const int widths[] = {40, 50, 60, 100}, mins[] = {20, 34, 55, 10};
    for (int i = 0; i < 4; ++i) {
      tree.Columns(i + 1)->SetMinWidth(mins[i]);
      tree.Columns(i + 1)->SetWidth(widths[i]);
    }
    host.Resize(900, 200);
    host.Paint(true);
    const int band = tree.Geometry().Bands[1].Right - tree.Geometry().Bands[1].Left;
    const int edge = tree.CellRect(site1, tree.Columns(1)).right - 1;
    host.MouseDown(mbLeft, edge, kHeaderY);
    host.MouseMove(edge + c.drag, kHeaderY);
    host.MouseUp(mbLeft, edge + c.drag, kHeaderY);
    host.Paint(true);
    int sum = 0;
    for (int i = 1; i <= 4; ++i) {
      const TRect cell = tree.CellRect(site1, tree.Columns(i));
      EXPECT_GE(cell.Width(), tree.Columns(i)->MinWidth()) << "column " << i;
      sum += cell.Width();
    }
    EXPECT_EQ(sum, band);
    EXPECT_EQ(Widths(tree)[1] + Widths(tree)[2] + Widths(tree)[3] + Widths(tree)[4], band);
  }
}

}  // namespace

// aoKeepColumnWidth sizes the column alone: the band grows by as much and the neighbours keep
// their widths and places, where the same gesture without it re-proportions them.
TEST_F(TreeBands, KeepColumnWidthSizesTheColumnAlone) {
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Exclude(aoBandHeaderWidth));
  host.Resize(900, 200);
  for (const bool keep : {false, true}) {
    SCOPED_TRACE(keep);
    SetOptionEx(tree, aoKeepColumnWidth, keep);
    for (int i = 1; i < 4; ++i) tree.Columns(i)->SetWidth(80);
    tree.Bands().Items(1)->SetWidth(250);
    host.Paint(true);
    const std::vector<int> before = Widths(tree);
    const TRect level = tree.CellRect(site1, tree.Columns(2));
    const int edge = tree.CellRect(site1, tree.Columns(1)).right - 1;
    host.MouseDown(mbLeft, edge, kHeaderY);
    host.MouseMove(edge + 20, kHeaderY);
    host.MouseUp(mbLeft, edge + 20, kHeaderY);
    const std::vector<int> after = Widths(tree);
    EXPECT_EQ(after[1], before[1] + 20) << keep;
    EXPECT_EQ(after[2] == before[2] && after[3] == before[3], keep);
    EXPECT_EQ(tree.Bands().Items(1)->Width(), keep ? 270 : 250);
    EXPECT_EQ(tree.CellRect(site1, tree.Columns(2)).left, level.left + 20);
    EXPECT_EQ(tree.CellRect(site1, tree.Columns(2)).Width(), level.Width() - (keep ? 0 : 10));
    // The band's strip right of its columns is painted too.
    EXPECT_TRUE(ShowsFreshPaint(host, tree));
  }
}

namespace {

// Three bands side by side, none fixed, each as wide as its columns: "Site/Tank" (0..100),
// "Capacity", "Level", "Level %" (100..400) and "Status" (400..500).
class TreeCustomizing : public TreeInputFixture {
 protected:
  void SetUp() override {
    TreeInputFixture::SetUp();
    tree.SetOptions({aoColumnSizing, aoColumnMoving, aoAutoSort});
    tree.Bands().Add();
    tree.Bands().Add();
    for (int i = 1; i < 4; ++i) tree.Columns(i)->SetBandIndex(1);
    tree.Columns(4)->SetBandIndex(2);
    tree.SetShowBands(true);
    host.Paint(true);
  }
  // Presses a header of the band or header panel and lets it go at (x, y).
  void Drag(int fromX, int fromY, int x, int y) {
    host.MouseDown(mbLeft, fromX, fromY);
    host.MouseMove(x, y);
    host.MouseUp(mbLeft, x, y);
  }
  // Drags the box's item out onto the tree-list at (x, y); the screen shows the arrows while
  // it hovers.
  void DragBack(int item, int x, int y) {
    TTestWindowHost* box = host.ToolWindow();
    ASSERT_TRUE(box && tree.CustomizingBox());
    const TRect r = tree.CustomizingBox()->ItemRect(item);
    box->MouseDown(mbLeft, r.left + 5, r.top + 5);
    box->MouseMove(r.left + 5, r.top + 12);
    ASSERT_TRUE(box->Dragging());
    EXPECT_TRUE(box->DragOver(tree, x, y));
    EXPECT_TRUE(ShowsFreshPaint(host, tree));
    box->Drop(tree, x, y);
  }
  static constexpr int kBandY = 10, kHeaderY = 30;
};

struct TPlaces {
  std::vector<std::vector<int>> Bands, Columns;
  friend bool operator==(const TPlaces&, const TPlaces&) = default;
};

TPlaces Places(TTreeList& tree) {
  const TTreeListGeometry g = tree.Geometry();
  TPlaces p;
  for (const TTreeListBandPlace& b : g.Bands) p.Bands.push_back({b.Index, b.Left, b.Right});
  for (const TTreeListColumnPlace& c : g.Columns)
    p.Columns.push_back({c.ColumnIndex, c.BandPlace, c.Row, c.Header.left, c.Header.right,
                         c.Header.top, c.Header.bottom});
  return p;
}

}  // namespace

// A band and a column dragged off while the box is open go into the box, and dragged back
// from it to where they stood the layout is the one before.
TEST_F(TreeCustomizing, HiddenByDragAndDraggedBackFromTheBox) {
  const TPlaces original = Places(tree);
  std::vector<int> hiddenBands, shownBands;
  tree.OnHideBand = [&](TCustomTreeListControl*, TTreeListBand*, int index) {
    hiddenBands.push_back(index);
  };
  tree.OnShowBand = [&](TCustomTreeListControl*, TTreeListBand*, int index) {
    shownBands.push_back(index);
  };
  Drag(250, kBandY, 250, 150);  // no customizing yet: nothing hides
  EXPECT_TRUE(tree.Bands().Items(1)->Visible());
  tree.ShowCustomizingBox();
  ASSERT_TRUE(host.ToolWindow());
  EXPECT_TRUE(tree.CustomizingBox()->Items().empty());
  Drag(250, kBandY, 250, 150);
  EXPECT_FALSE(tree.Bands().Items(1)->Visible());
  EXPECT_EQ(hiddenBands, std::vector<int>{1});
  Drag(50, kHeaderY, 50, 150);  // "Site/Tank"
  EXPECT_FALSE(tree.Columns(0)->Visible());
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  const auto& items = tree.CustomizingBox()->Items();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].Band, tree.Bands().Items(1));
  EXPECT_EQ(items[1].Column, tree.Columns(0));
  EXPECT_EQ(items[1].Caption, "Site/Tank");
  // The band goes before "Status", the column into its empty band.
  const TTreeListGeometry g = tree.Geometry();
  DragBack(0, g.Bands[1].Left + 10, kBandY);
  EXPECT_EQ(shownBands, std::vector<int>{1});
  DragBack(0, 20, kHeaderY);
  EXPECT_TRUE(tree.CustomizingBox()->Items().empty());
  EXPECT_EQ(Places(tree), original);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  // The box closes with the user's close box, and with the control.
  host.ToolWindow()->UserCloses();
  EXPECT_FALSE(tree.CustomizingBoxVisible());
  EXPECT_FALSE(host.ToolWindow());
}

// What may not be hidden stays: a band or column that disables customizing, the last band and
// the last column shown; and a hidden one that disables it is not offered.
TEST_F(TreeCustomizing, DisabledAndLastOnesStay) {
  tree.SetOptions(tree.Options().Include(aoExtCustomizing));
  tree.Bands().Items(1)->SetDisableCustomizing(true);
  Drag(250, kBandY, 250, 150);
  EXPECT_TRUE(tree.Bands().Items(1)->Visible());
  tree.Bands().Items(1)->SetDisableCustomizing(false);
  Drag(250, kBandY, 250, 150);
  EXPECT_FALSE(tree.Bands().Items(1)->Visible());
  Drag(150, kBandY, 150, 150);  // "Status", now at 100..200
  EXPECT_FALSE(tree.Bands().Items(2)->Visible());
  Drag(50, kBandY, 50, 150);  // the last band
  EXPECT_TRUE(tree.Bands().Items(0)->Visible());
  Drag(50, kHeaderY, 50, 150);  // the last column shown
  EXPECT_TRUE(tree.Columns(0)->Visible());
  tree.Columns(4)->SetDisableCustomizing(true);
  tree.Columns(4)->SetVisible(false);
  tree.ShowCustomizingBox();
  const auto& items = tree.CustomizingBox()->Items();
  EXPECT_EQ(items.size(), 2u);  // bands 1 and 2, not "Status"
  tree.Columns(3)->SetVisible(false);
  EXPECT_EQ(items.size(), 3u);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

// Handlers that close the box, delete what is dragged or delete the band just hidden leave
// nothing broken behind.
TEST_F(TreeCustomizing, HandlersThatCloseOrDeleteDuringADrag) {
  tree.ShowCustomizingBox();
  tree.OnHideBand = [&](TCustomTreeListControl*, TTreeListBand*, int index) {
    tree.Bands().Delete(index);
  };
  Drag(250, kBandY, 250, 150);
  EXPECT_EQ(tree.Bands().Count(), 2);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  Drag(50, kHeaderY, 50, 150);
  // The column dragged off, then the three the deleted band left in no band.
  ASSERT_EQ(tree.CustomizingBox()->Items().size(), 4u);
  // The dragged column goes while the drag hovers: the drop takes nothing.
  TTestWindowHost* box = host.ToolWindow();
  box->MouseDown(mbLeft, 10, 10);
  box->MouseMove(10, 20);
  ASSERT_TRUE(box->Dragging());
  EXPECT_TRUE(box->DragOver(tree, 20, kHeaderY));
  tree.DeleteColumn(tree.Columns(0));
  EXPECT_FALSE(box->DragOver(tree, 20, kHeaderY));
  box->Drop(tree, 20, kHeaderY);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  // The box closes under the drop that shows its column.
  tree.Columns(0)->SetVisible(false);  // "Capacity", in no band since its band went
  tree.OnShowHeader = [&](TCustomTreeListControl*, TTreeListColumn*, int, int, int) {
    tree.HideCustomizingBox();
  };
  const TRect r = tree.CustomizingBox()->ItemRect(0);
  box->MouseDown(mbLeft, r.left + 5, r.top + 5);
  box->MouseMove(r.left + 5, r.top + 15);
  box->Drop(tree, 20, kHeaderY);
  EXPECT_FALSE(tree.CustomizingBoxVisible());
  EXPECT_TRUE(box->Closed());
  EXPECT_EQ(tree.DisplayedColumns().size(), 2u);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

// With aoAutoHeaderPanelHeight the header has the rows the visible bands' columns are set to,
// down to the lowest.
TEST_F(TreeCustomizing, AutoHeaderPanelHeightFollowsTheRowsInUse) {
  tree.SetHeaderPanelRowCount(3);
  SetOptionEx(tree, aoAutoHeaderPanelHeight, true);
  EXPECT_EQ(tree.HeaderPanelRowCount(), 1);
  tree.Columns(2)->SetRowIndex(2);  // two rows below the others, the one between left empty
  EXPECT_EQ(tree.HeaderPanelRowCount(), 3);
  EXPECT_EQ(tree.Columns(2)->RowIndex(), 2);
  EXPECT_EQ(tree.Geometry().HeaderPanel.Height(), 3 * tree.Metrics().HeaderRowHeight);
  tree.Bands().Items(1)->SetVisible(false);
  EXPECT_EQ(tree.HeaderPanelRowCount(), 1);
  tree.Bands().Items(1)->SetVisible(true);
  tree.Columns(2)->SetVisible(false);
  EXPECT_EQ(tree.HeaderPanelRowCount(), 1);
  SetOptionEx(tree, aoAutoHeaderPanelHeight, false);
  EXPECT_EQ(tree.HeaderPanelRowCount(), 3);
}

// A band dragged near the window's edge scrolls the bands, as a header does.
TEST_F(TreeCustomizing, ADraggedBandScrollsNearTheEnds) {
  host.Resize(300, 200);
  host.Paint(true);
  host.MouseDown(mbLeft, 150, kBandY);
  host.MouseMove(295, kBandY);
  EXPECT_EQ(tree.Input().State(), msBandDragging);
  EXPECT_TRUE(host.FireTimer(kDragScrollTimer));
  EXPECT_EQ(tree.LeftCoord(), tree.Metrics().ZeroWidth);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  host.MouseMove(150, kBandY);
  EXPECT_FALSE(host.TimerActive(kDragScrollTimer));
  host.MouseUp(mbLeft, 150, kBandY);
}

// Rows set with a gap above them (1 and 3 in band 1, none at 0) still keep the columns of
// different rows apart.
TEST_F(TreeCustomizing, AutoHeaderRowsKeepRowsSetWithAGapApart) {
  SetOptionEx(tree, aoAutoHeaderPanelHeight, true);
  for (int i = 1; i < 4; ++i) tree.Columns(i)->SetRowIndex(i < 3 ? 1 : 3);
  const TTreeListGeometry g = tree.Geometry();
  const TTreeListColumnPlace* capacity = g.PlaceOf(tree.Columns(1));
  const TTreeListColumnPlace* percent = g.PlaceOf(tree.Columns(3));
  ASSERT_TRUE(capacity && percent);
  EXPECT_NE(capacity->Row, percent->Row);
}

// As the last column shown stays, so does a band that holds every column shown: the others
// are empty.
TEST_F(TreeCustomizing, TheBandOfEveryShownColumnStays) {
  tree.ShowCustomizingBox();
  tree.Columns(0)->SetBandIndex(1);
  tree.Columns(4)->SetBandIndex(1);
  const TTreeListGeometry g = tree.Geometry();
  const int middle = (g.Bands[1].Left + g.Bands[1].Right) / 2;
  Drag(middle, kBandY, middle, 150);
  EXPECT_FALSE(tree.DisplayedColumns().empty());
}

// A box asked for before the tree-list had a window shows once it has one and is asked again.
TEST_F(TreeCustomizing, ABoxAskedForBeforeTheWindowShowsWhenAskedAgain) {
  TTreeList other;
  other.ShowCustomizingBox();
  TTestWindowHost window(other, 300, 200);
  other.ShowCustomizingBox();
  EXPECT_TRUE(window.ToolWindow());
}

// Columns left in no band when their band is deleted no longer show: the box offers them.
TEST_F(TreeCustomizing, ColumnsLeftInNoBandAreOfferedInTheBox) {
  tree.ShowCustomizingBox();
  tree.Bands().Delete(2);
  ASSERT_EQ(tree.Columns(4)->BandIndex(), -1);
  const auto& items = tree.CustomizingBox()->Items();
  EXPECT_TRUE(std::any_of(items.begin(), items.end(),
                          [&](const auto& item) { return item.Column == tree.Columns(4); }));
}

// Under aoAutoWidth too, a column sized alone ends where its edge was let go, and the column
// left of it keeps its place.
TEST_F(TreeInputFixture, KeepColumnWidthUnderAutoWidthEndsWhereReleased) {
  SetOptionEx(tree, aoKeepColumnWidth, true);
  host.Paint(true);
  const int siteRight = tree.CellRect(site1, tree.Columns(0)).right;
  const int edge = tree.CellRect(site1, tree.Columns(1)).right - 1;
  host.MouseDown(mbLeft, edge, 10);
  host.MouseMove(edge + 40, 10);
  host.MouseUp(mbLeft, edge + 40, 10);
  EXPECT_EQ(tree.CellRect(site1, tree.Columns(1)).right, edge + 41);
  EXPECT_EQ(tree.CellRect(site1, tree.Columns(0)).right, siteRight);
}

// The box's edges: the first band listed once hidden, no item outside the list, a press let go
// drags nothing afterwards, arrows gone when a drag leaves, a band dropped on its own place
// staying there.
TEST_F(TreeCustomizing, TheBoxAtItsEdges) {
  tree.ShowCustomizingBox();
  const TTreeListGeometry g = tree.Geometry();
  TTreeListBand* middle = tree.Bands().Items(1);
  Drag(g.Bands[1].Left + 5, kBandY, g.Bands[1].Right - 5, kBandY);  // within its own place
  EXPECT_EQ(middle->Index(), 1);
  EXPECT_TRUE(middle->Visible());
  Drag(50, kBandY, 50, 150);
  const TTreeListCustomizingBox& box = *tree.CustomizingBox();
  ASSERT_EQ(box.Items().size(), 1u);
  EXPECT_EQ(box.Items()[0].Band, tree.Bands().Items(0));
  EXPECT_EQ(box.ItemRect(-1), TRect{});
  EXPECT_EQ(box.ItemRect(1), TRect{});
  TTestWindowHost* window = host.ToolWindow();
  const TRect r = box.ItemRect(0);
  window->MouseDown(mbLeft, r.left + 5, r.top + 5);
  window->MouseUp(mbLeft, r.left + 5, r.top + 5);
  window->MouseMove(r.left + 5, r.top + 25, ssLeft);
  EXPECT_FALSE(window->Dragging());
  window->MouseDown(mbLeft, r.left + 5, r.top + 5);
  window->MouseMove(r.left + 6, r.top + 6, ssLeft);  // a shaking hand drags nothing yet
  EXPECT_FALSE(window->Dragging());
  window->MouseMove(r.left + 5, r.top + 25, ssLeft);
  ASSERT_TRUE(window->Dragging());
  EXPECT_TRUE(window->DragOver(tree, 20, kBandY));
  window->CancelDrag(tree);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}
