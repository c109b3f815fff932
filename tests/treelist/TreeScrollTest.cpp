#include <chrono>

#include "TreeInputFixture.h"

namespace {

class TreeScroll : public TreeInputFixture {
 protected:
  void SetUp() override {
    TreeInputFixture::SetUp();
    GrowTo(40);
    host.Paint(true);
    host.ClearRecords();
  }
};

}  // namespace

TEST_F(TreeScroll, OneWheelNotchScrollsThreeRowsAndKeepsTheFocus) {
  host.SetWheelLines(3);
  EXPECT_TRUE(host.Wheel(-1, 400, 100));  // towards the user: down
  EXPECT_EQ(tree.TopIndex(), 3);
  EXPECT_EQ(tree.FocusedNode(), site1);
  // Three one-row scrolls of the pixels, never a full repaint.
  ASSERT_EQ(host.Scrolls().size(), 3u);
  EXPECT_EQ(host.Scrolls()[0].dy, -kRowHeight);
  for (const TRect& r : host.Invalidations()) EXPECT_LE(r.Height(), kRowHeight);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  host.Wheel(1, 400, 100);
  host.ClearRecords();
  EXPECT_FALSE(host.Wheel(1, 400, 100));  // at the top already: left to the window
  EXPECT_EQ(tree.TopIndex(), 0);
  EXPECT_TRUE(host.Scrolls().empty());
  EXPECT_TRUE(host.Invalidations().empty());
}

TEST_F(TreeScroll, TopIndexClampsAndJumpsBeyondAPageRepaintEverything) {
  tree.SetTopIndex(-5);
  EXPECT_EQ(tree.TopIndex(), 0);
  tree.SetTopIndex(1000);
  EXPECT_EQ(tree.TopIndex(), 40 - 9);  // the last page stays full
  EXPECT_TRUE(host.Scrolls().empty());
  EXPECT_EQ(host.Invalidations().back(), tree.ClientRect());
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  host.ClearRecords();
  tree.SetTopIndex(29);  // two rows up: the pixels move, the strip and the focus row repaint
  ASSERT_EQ(host.Scrolls().size(), 1u);
  EXPECT_EQ(host.Scrolls()[0].dy, 2 * kRowHeight);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeScroll, ScrollBarRequestsAndRanges) {
  const TScrollInfo v = host.ScrollInfo(sbVertical);
  EXPECT_EQ(v.max, 39);
  EXPECT_EQ(v.page, 9);
  host.ScrollBarRequest(sbVertical, scPageDown, 0);
  EXPECT_EQ(tree.TopIndex(), 9);
  EXPECT_EQ(host.ScrollInfo(sbVertical).position, 9);
  host.ScrollBarRequest(sbVertical, scLineUp, 0);
  EXPECT_EQ(tree.TopIndex(), 8);
  host.ScrollBarRequest(sbVertical, scTrack, 20);
  EXPECT_EQ(tree.TopIndex(), 20);
  host.ScrollBarRequest(sbVertical, scBottom, 0);
  EXPECT_EQ(tree.TopIndex(), 31);
  host.ScrollBarRequest(sbVertical, scTop, 0);
  EXPECT_EQ(tree.TopIndex(), 0);
  // The horizontal bar's page covers its range while the columns fill the client.
  const TScrollInfo h = host.ScrollInfo(sbHorizontal);
  EXPECT_GE(h.page, h.max - h.min + 1);
  tree.SetScrollBars(ssHorizontal);
  EXPECT_GE(host.ScrollInfo(sbVertical).page, 40);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeScroll, APositionBeyondTheEndIsPulledBackAfterAChange) {
  tree.SetTopIndex(31);
  for (int i = 39; i >= 20; --i) tree.AbsoluteNodes(i)->Delete();
  EXPECT_EQ(tree.TopIndex(), 20 - 9);
  EXPECT_EQ(tree.TopVisibleNode()->AbsoluteIndex(), 11);
  EXPECT_EQ(host.ScrollInfo(sbVertical).position, 11);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeScroll, HorizontalScrollingByPixels) {
  host.Resize(300, 200);  // narrower than the five columns' minimums of 100 wide each: no
  tree.SetOptions({aoRowSelect, aoColumnSizing});  // without auto width they stay 100 wide
  host.Paint(true);
  host.ClearRecords();
  const TScrollInfo h = host.ScrollInfo(sbHorizontal);
  EXPECT_EQ(h.max, 499);
  EXPECT_EQ(h.page, 300);
  const int zero = tree.Metrics().ZeroWidth;
  host.ScrollBarRequest(sbHorizontal, scLineDown, 0);
  EXPECT_EQ(tree.LeftCoord(), zero);
  ASSERT_EQ(host.Scrolls().size(), 1u);
  EXPECT_EQ(host.Scrolls()[0].dx, -zero);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  host.ScrollBarRequest(sbHorizontal, scTrack, 50);  // snaps down to a multiple of 4
  EXPECT_EQ(tree.LeftCoord(), 48);
  host.ScrollBarRequest(sbHorizontal, scTrack, 197);
  EXPECT_EQ(tree.LeftCoord(), 196);
  host.ScrollBarRequest(sbHorizontal, scTrack, 199);  // the right end is reached exactly
  EXPECT_EQ(tree.LeftCoord(), 200);
  host.ScrollBarRequest(sbHorizontal, scPageUp, 0);
  EXPECT_EQ(tree.LeftCoord(), 0);
  // A sideways wheel moves as the bar's arrows do, a line per wheel line; at an end it is
  // left to the window.
  host.SetWheelLines(3);
  EXPECT_FALSE(tree.MouseWheelHorizontal(0, 1, 100, 100));
  EXPECT_TRUE(tree.MouseWheelHorizontal(0, -2, 100, 100));
  EXPECT_EQ(tree.LeftCoord(), 6 * zero);
  EXPECT_TRUE(tree.MouseWheelHorizontal(ssAlt, 1, 100, 100));
  EXPECT_EQ(tree.LeftCoord(), 3 * zero);
  host.SetWheelLines(0);  // a system without wheel lines still moves one
  EXPECT_TRUE(tree.MouseWheelHorizontal(0, 1, 100, 100));
  EXPECT_EQ(tree.LeftCoord(), 2 * zero);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  host.ScrollBarRequest(sbHorizontal, scBottom, 0);
  EXPECT_EQ(tree.LeftCoord(), 200);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  // Widening the client pulls the offset back.
  host.Resize(450, 200);
  EXPECT_EQ(tree.LeftCoord(), 50);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  tree.SetScrollBars(ssVertical);  // no horizontal bar: its page covers its range
  const TScrollInfo none = host.ScrollInfo(sbHorizontal);
  EXPECT_GE(none.page, none.max - none.min + 1);
}

// On the last page, rows that vanish above the bottom pull the top row back: every row on
// screen moves, not only those below the change.
TEST_F(TreeInputFixture, CollapsingOnTheLastPageRepaintsTheRowsThatMove) {
  for (int s = 0; s < 8; ++s) {
    TTreeListNode* site = AddRow(tree, nullptr, {"Extra " + std::to_string(s)});
    for (int t = 0; t < 2; ++t) AddRow(tree, site, {"tank"});
    site->SetExpanded(true);
  }
  tree.SetTopIndex(tree.VisibleCount());
  ASSERT_TRUE(ShowsFreshPaint(host, tree));
  const int top = tree.TopIndex();
  tree.Items(tree.Count() - 1)->SetExpanded(false);
  EXPECT_LT(tree.TopIndex(), top);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

// A million rows: the far ends are reached by key and by the thumb, each in little time.
TEST_F(TreeScroll, AMillionRowsReachBothEndsByKeyAndThumb) {
  {
    const auto update = tree.UpdateScope();
    for (int i = 0; i < 1000000; ++i) tree.Add()->SetStrings(0, "r");
  }
  host.Paint(true);
  const int count = tree.VisibleCount();
  auto timed = [&](const char* what, auto&& act) {
    const auto start = std::chrono::steady_clock::now();
    act();
    host.Paint();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    EXPECT_LT(ms, 500) << what;
  };
  timed("End", [&] { host.PressKey(vkEnd); });
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), count - 1);
  EXPECT_EQ(tree.TopIndex(), count - tree.Geometry().FullRows);
  timed("PgUp", [&] { host.PressKey(vkPrior); });
  timed("Home", [&] { host.PressKey(vkHome); });
  EXPECT_EQ(tree.TopIndex(), 0);
  const TScrollInfo bar = host.ScrollInfo(sbVertical);
  timed("thumb to the end",
        [&] { host.ScrollBarRequest(sbVertical, scTrack, bar.max - bar.page + 1); });
  EXPECT_EQ(tree.TopIndex(), count - tree.Geometry().FullRows);
  timed("thumb to the start", [&] { host.ScrollBarRequest(sbVertical, scTrack, 0); });
  EXPECT_EQ(tree.TopIndex(), 0);
  timed("delete the focused row", [&] { tree.FocusedNode()->Delete(); });
}
