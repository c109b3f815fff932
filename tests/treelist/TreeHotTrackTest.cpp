// Hot tracking: which row and cell are hot, which rows a move paints again, and the picture.
#include <functional>
#include <vector>

#include "TreeInputFixture.h"

namespace {

class TreeHotTrack : public TreeInputFixture {
 protected:
  void SetUp() override {
    TreeInputFixture::SetUp();
    SetOptionEx(tree, aoHotTrack, true);
    host.Paint(true);
    host.ClearRecords();
  }
  // The rows (by position) that the last move asked to paint again.
  std::vector<int> PaintedRows() {
    std::vector<int> rows;
    for (const TRect& r : host.Invalidations())
      rows.push_back((r.top - kHeaderBottom) / kRowHeight);
    host.ClearRecords();
    return rows;
  }
  int HighlightInk(int row) {
    int count = 0;
    for (int y = RowTop(row); y < RowTop(row) + kRowHeight; ++y)
      for (int x = 0; x < 846; ++x) count += ColorToRGB(At(x, y)) == ColorToRGB(clHighlight);
    return count;
  }
};

struct THotStep {
  int X, Y;
  int Row;     // the hot row afterwards, -1 for none
  int Column;  // the hot cell's column, -1 for none
  std::vector<int> Painted;
};

}  // namespace

TEST_F(TreeHotTrack, FollowsThePointerPaintingOnlyChangedRows) {
  const THotStep steps[] = {
      {400, RowMid(1), 1, 2, {1}},     // into a cell of the first tank
      {420, RowMid(1), 1, 2, {}},      // within the same cell: nothing
      {600, RowMid(1), 1, 3, {1}},     // the next cell of the same row
      {400, RowMid(3), 3, 2, {1, 3}},  // another row: the old and the new one
      {5, RowMid(3), 3, -1, {3}},      // the row's indentation: hot row, no hot cell
      {400, 10, -1, -1, {3}},          // the header: nothing is hot
      {400, RowMid(7), -1, -1, {}},    // below the rows
  };
  const std::vector<TTreeListNode*> rows = {site1, tank1, tank2, site2};
  for (const THotStep& s : steps) {
    host.MouseMove(s.X, s.Y);
    EXPECT_EQ(tree.Input().HotNode(), s.Row < 0 ? nullptr : rows[s.Row]) << s.X << "," << s.Y;
    EXPECT_EQ(tree.Input().HotColumn(), s.Column) << s.X << "," << s.Y;
    EXPECT_EQ(PaintedRows(), s.Painted) << s.X << "," << s.Y;
    EXPECT_TRUE(ShowsFreshPaint(host, tree));
  }
}

TEST_F(TreeHotTrack, DrawsTheHotRowAndLetsGoOfItOnLeaveDeleteAndOptionOff) {
  host.Paint(true);
  ASSERT_EQ(HighlightInk(2), 0);
  host.MouseMove(400, RowMid(2));
  host.Paint();
  EXPECT_GT(HighlightInk(2), 20);
  tree.MouseLeave();
  EXPECT_EQ(tree.Input().HotNode(), nullptr);
  host.Paint();
  EXPECT_EQ(HighlightInk(2), 0);
  host.MouseMove(400, RowMid(2));
  tank2->Delete();
  EXPECT_EQ(tree.Input().HotNode(), site2);  // now under the pointer
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  host.MouseMove(400, RowMid(1));
  SetOptionEx(tree, aoHotTrack, false);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  EXPECT_EQ(HighlightInk(1), 0);
  host.MouseMove(400, RowMid(0));
  EXPECT_EQ(tree.Input().HotNode(), nullptr);
  tree.ClearNodes();
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

// The wheel scrolls other rows under a pointer that stays put: the row now under it is hot.
TEST_F(TreeHotTrack, ScrollingUnderAStillPointerMovesTheHotRow) {
  GrowTo(40);
  host.Paint(true);
  host.MouseMove(400, RowMid(1));
  EXPECT_EQ(tree.Input().HotNode(), tree.AbsoluteNodes(1));
  host.SetWheelLines(3);
  host.Wheel(-1, 400, RowMid(1));
  EXPECT_EQ(tree.TopIndex(), 3);
  EXPECT_EQ(tree.Input().HotNode(), tree.AbsoluteNodes(4));
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

// Rows that change under a pointer that stays put: the row now under it is the hot one.
TEST_F(TreeHotTrack, ChangedRowsUnderAStillPointerMoveTheHotRow) {
  TTreeListNode* beta1 = site2->Items(0);
  struct {
    const char* name;
    std::function<void()> change;
    TTreeListNode* hot;  // at the third row afterwards
  } const steps[] = {
      {"collapse", [&] { site1->SetExpanded(false); }, nullptr},
      {"expand", [&] { site2->SetExpanded(true); }, beta1},
      {"sort", [&] { tree.Columns(0)->SetSorted(csDown); }, site1},
      {"delete", [&] { site2->Delete(); }, nullptr},
  };
  host.MouseMove(400, RowMid(2));
  ASSERT_EQ(tree.Input().HotNode(), tank2);
  for (const auto& step : steps) {
    step.change();
    EXPECT_EQ(tree.Input().HotNode(), step.hot) << step.name;
    EXPECT_TRUE(ShowsFreshPaint(host, tree)) << step.name;
  }
  // A change inside an update counts once the update ends.
  {
    const auto update = tree.UpdateScope();
    site1->SetExpanded(true);
  }
  ASSERT_GT(tree.VisibleCount(), 2);
  EXPECT_EQ(tree.Input().HotNode(), tree.AbsoluteNodes(2)) << "expand in an update";
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}
