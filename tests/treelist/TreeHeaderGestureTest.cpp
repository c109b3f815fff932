#include <numeric>
#include <vector>

#include "TreeInputFixture.h"

namespace {

class TreeColumnSizing : public TreeInputFixture {
 protected:
  std::vector<int> Widths() {
    std::vector<int> w;
    for (int i = 0; i < tree.ColumnCount(); ++i) w.push_back(tree.ColumnWidth(i));
    return w;
  }
  int Sum() {
    const std::vector<int> w = Widths();
    return std::accumulate(w.begin(), w.end(), 0);
  }
  // The screen before the gesture; a line shows where the screen differs from it.
  void KeepScreen() {
    before.SetSize(846, 200);
    before.Canvas().CopyRect(Rect(0, 0, 846, 200), host.Picture().Canvas(), Rect(0, 0, 846, 200));
  }
  bool LineShownAt(int x) {
    return host.PixelAt(x, 100) != before.Pixel(x, 100) && host.PixelAt(x, 5) != before.Pixel(x, 5);
  }
  TBitmap before;
};

using TreeHeaderDrag = TreeInputFixture;

// "Capacity" spans 169..338; its last pixel, 337, is where its edge is taken.
constexpr int kCapacityEdge = 337;

}  // namespace

TEST_F(TreeColumnSizing, DraggingAnEdgeReproportionsTheColumnsRightOfIt) {
  int changed = 0;
  tree.OnChangedColumnsWidth = [&](TCustomTreeListControl*) { ++changed; };
  host.MouseMove(kCapacityEdge, 10);
  EXPECT_EQ(host.CursorShape(), crHSplit);
  host.MouseDown(mbLeft, kCapacityEdge, 10);
  EXPECT_EQ(tree.Input().State(), msColumnSizing);
  host.MouseMove(kCapacityEdge + 30, 10);
  EXPECT_EQ(tree.Input().SizingLineX(), kCapacityEdge + 30);
  host.MouseUp(mbLeft, kCapacityEdge + 30, 10);
  // 508 pixels of the three right columns become 478, in proportion.
  EXPECT_EQ(Widths(), (std::vector<int>{169, 199, 159, 159, 160}));
  EXPECT_EQ(Sum(), 846);
  EXPECT_EQ(changed, 1);
  EXPECT_FALSE(host.HasCapture());
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  // Without auto width the edge sets the column's own width and the others keep theirs.
  tree.SetOptions(tree.Options().Exclude(aoAutoWidth));
  SetOptionEx(tree, aoBandHeaderWidth, true);
  std::vector<int> expected = Widths();
  const int edge = 169 + expected[1] - 1;
  host.MouseDown(mbLeft, edge, 10);
  host.MouseMove(edge - 50, 10);
  host.MouseUp(mbLeft, edge - 50, 10);
  expected[1] -= 50;
  EXPECT_EQ(Widths(), expected);
  EXPECT_EQ(changed, 2);
}

// Also with the band panel shown: the lone band fills the client whatever its edge does, so
// the edge sizes the column, and the band panel offers no edge that does nothing.
TEST_F(TreeColumnSizing, TheLastColumnTakesFromTheColumnsLeftOfIt) {
  for (bool bands : {false, true}) {
    for (int i = 0; i < tree.ColumnCount(); ++i) tree.Columns(i)->SetWidth(100);
    tree.SetShowBands(bands);
    const int y = tree.Geometry().HeaderPanel.top + 10;
    host.MouseDown(mbLeft, 845, y);
    host.MouseMove(745, y);
    host.MouseUp(mbLeft, 745, y);
    const std::vector<int> w = Widths();
    EXPECT_EQ(w[4], 70) << bands;
    EXPECT_EQ(Sum(), 846);
    EXPECT_EQ(w[0], 194);  // 676 pixels become 776, in proportion
    EXPECT_TRUE(ShowsFreshPaint(host, tree));
  }
  host.MouseMove(845, 10);
  EXPECT_EQ(host.CursorShape(), crArrow);
  EXPECT_EQ(tree.GetHitInfo({845, 10}).Kind, HitBandHeader);
}

TEST_F(TreeColumnSizing, TheLineStaysWithinItsBoundsAndLeavesNoTrace) {
  KeepScreen();
  host.MouseDown(mbLeft, kCapacityEdge, 10);
  EXPECT_TRUE(LineShownAt(kCapacityEdge));
  host.MouseMove(100, 10);
  EXPECT_EQ(tree.Input().SizingLineX(), 169 + 20);  // column left + minimum width
  EXPECT_TRUE(LineShownAt(189));
  EXPECT_FALSE(LineShownAt(kCapacityEdge));
  host.MouseMove(2000, 10);
  // The client's last pixel less the minimum widths of the three columns right of it.
  EXPECT_EQ(tree.Input().SizingLineX(), 845 - 3 * 20);
  // A paint meanwhile keeps the line on the screen exactly once.
  tree.Invalidate();
  host.Paint();
  EXPECT_TRUE(LineShownAt(785));
  host.MouseMove(300, 10);
  EXPECT_FALSE(LineShownAt(785));
  host.MouseUp(mbLeft, 300, 10);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeColumnSizing, EscRightButtonAndLostCaptureCancelWithoutChange) {
  const std::vector<int> before = Widths();
  int changed = 0;
  tree.OnChangedColumnsWidth = [&](TCustomTreeListControl*) { ++changed; };
  auto start = [&] {
    host.MouseDown(mbLeft, kCapacityEdge, 10);
    host.MouseMove(kCapacityEdge + 50, 10);
  };
  start();
  EXPECT_EQ(host.PressKey(vkEscape), 0);
  host.MouseUp(mbLeft, kCapacityEdge + 50, 10);
  start();
  host.MouseDown(mbRight, kCapacityEdge + 50, 10);
  host.MouseUp(mbRight, kCapacityEdge + 50, 10);
  host.MouseUp(mbLeft, kCapacityEdge + 50, 10);
  start();
  host.LoseCapture();
  host.MouseUp(mbLeft, kCapacityEdge + 50, 10);
  EXPECT_EQ(Widths(), before);
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(tree.Input().State(), msNone);
  EXPECT_EQ(host.CursorShape(), crArrow);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeColumnSizing, ADoubleClickOnAnEdgeFitsTheColumn) {
  int changed = 0;
  tree.OnChangedColumnsWidth = [&](TCustomTreeListControl*) { ++changed; };
  host.DoubleClick(mbLeft, kCapacityEdge, 10);
  EXPECT_EQ(tree.Columns(1)->Width(), tree.BestFitWidth(tree.Columns(1)));
  EXPECT_EQ(changed, 1);  // the first click of the pair moved nothing
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeHeaderDrag, FivePixelsKeepAClickAndSixStartADrag) {
  host.MouseDown(mbLeft, 250, 10);
  host.MouseMove(255, 15);
  EXPECT_EQ(tree.Input().State(), msHeaderPressed);
  host.MouseUp(mbLeft, 255, 15);
  EXPECT_EQ(tree.Columns(1)->Sorted(), csUp);
  host.MouseDown(mbLeft, 250, 10);
  host.MouseMove(256, 10);
  EXPECT_EQ(tree.Input().State(), msHeaderDragging);
  EXPECT_TRUE(host.DragImageActive());
  EXPECT_EQ(host.DragImageSize(), (TSize{169, 21}));
  host.MouseUp(mbLeft, 256, 10);
  EXPECT_EQ(tree.Columns(1)->Sorted(), csUp);  // a drag is no click
  EXPECT_FALSE(host.DragImageActive());
  // Handlers and the column itself may forbid the drag.
  tree.Columns(1)->SetDisableDragging(true);
  host.MouseDown(mbLeft, 250, 10);
  host.MouseMove(300, 10);
  EXPECT_EQ(tree.Input().State(), msHeaderPressed);
  host.MouseUp(mbLeft, 250, 10);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeHeaderDrag, DroppingNextToItsOwnPlaceChangesNothing) {
  int moved = 0;
  tree.OnHeaderMoved = [&](TCustomTreeListControl*, TTreeListColumn*) { ++moved; };
  // The left half of "Level" (338..507) is right after "Capacity" already.
  host.MouseDown(mbLeft, 250, 10);
  host.MouseMove(400, 10);
  EXPECT_FALSE(tree.Input().DropPosition().Valid());
  host.MouseUp(mbLeft, 400, 10);
  EXPECT_EQ(tree.Columns(1)->Caption(), "Capacity");
  EXPECT_EQ(moved, 0);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeHeaderDrag, AMoveReordersTheValuesOfEveryNode) {
  std::vector<int> moves;
  tree.OnColumnMoved = [&](TCustomTreeListControl*, int from, int to) {
    moves.push_back(from);
    moves.push_back(to);
  };
  // The right half of "Level %" (507..676): Capacity goes after it.
  host.MouseDown(mbLeft, 250, 10);
  host.MouseMove(600, 10);
  EXPECT_TRUE(tree.Input().DropPosition().Valid());
  // The arrows stand on the screen around the insertion edge at 676.
  EXPECT_EQ(host.PixelAt(676, 4), ColorToRGB(tree.ArrowsColor()));
  EXPECT_EQ(host.PixelAt(676, 34), ColorToRGB(tree.ArrowsColor()));
  host.MouseUp(mbLeft, 600, 10);
  EXPECT_EQ(tree.Columns(3)->Caption(), "Capacity");
  EXPECT_EQ(moves, (std::vector<int>{1, 3}));
  EXPECT_EQ(tree.HeaderLine(), "Site/Tank\tLevel\tLevel %\tCapacity\tStatus\r\n");
  EXPECT_EQ(tree.NodeLine(site1), "Alpha\t5\t50\t10\tOn-line");
  EXPECT_EQ(tree.NodeLine(tank2), "2/Alpha\t3\t60\t5\tOn-line");
  EXPECT_EQ(tree.NodeLine(site2->Items(0)), "1/Beta\t9\t45\t20\tOn-line");
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeHeaderDrag, EscAndAReleaseOutsideTheHeaderChangeNothing) {
  host.MouseDown(mbLeft, 250, 10);
  host.MouseMove(600, 10);
  host.PressKey(vkEscape);
  EXPECT_EQ(tree.Input().State(), msNone);
  EXPECT_FALSE(host.DragImageActive());
  EXPECT_TRUE(ShowsFreshPaint(host, tree));  // the arrows are gone
  host.MouseUp(mbLeft, 600, 10);
  host.MouseDown(mbLeft, 250, 10);
  host.MouseMove(600, 100);
  EXPECT_EQ(host.CursorShape(), crDeleteDrop);
  host.MouseUp(mbLeft, 600, 100);
  EXPECT_EQ(tree.Columns(1)->Caption(), "Capacity");
  EXPECT_TRUE(tree.Columns(1)->Visible());
  EXPECT_EQ(host.CursorShape(), crArrow);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeHeaderDrag, NearTheEndsATimerScrollsTheHeaders) {
  host.Resize(300, 200);
  tree.SetOptions({aoRowSelect, aoColumnMoving});  // 500 wide in 300
  host.Paint(true);
  host.MouseDown(mbLeft, 150, 10);
  host.MouseMove(295, 10);
  EXPECT_EQ(host.TimerInterval(kDragScrollTimer), 100);
  EXPECT_TRUE(host.FireTimer(kDragScrollTimer));
  EXPECT_EQ(tree.LeftCoord(), tree.Metrics().ZeroWidth);
  host.MouseMove(150, 10);
  EXPECT_FALSE(host.TimerActive(kDragScrollTimer));
  host.MouseMove(295, 10);
  host.LoseCapture();
  EXPECT_FALSE(host.TimerActive(kDragScrollTimer));
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

// A release that went to another window leaves no gesture behind: the next move without the
// button ends it, and nothing of it stays on screen.
TEST_F(TreeInputFixture, AGestureWhoseReleaseNeverCameEndsAtTheNextMove) {
  const TRect header = tree.Geometry().Columns.at(1).Header;
  host.MouseDown(mbLeft, header.left + 10, header.top + 5);
  host.MouseMove(header.left + 60, header.top + 5);  // dragging the header now
  ASSERT_EQ(tree.Input().State(), msHeaderDragging);
  tree.MouseMove(0, header.left + 80, header.top + 5);  // no button held any more
  EXPECT_EQ(tree.Input().State(), msNone);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}
