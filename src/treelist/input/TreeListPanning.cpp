// Mouse panning (aoMouseScroll): with the middle button held the rows and columns move
// towards the pointer, faster the further it is from where the button went down. And the
// pressed pointer (aoMouseScroll): the focus follows it over the rows, and above or below
// them the rows scroll a row a tick.
#include <algorithm>
#include <cstdlib>

#include "treelist/TreeList.h"
#include "treelist/input/TreeListInput.h"

namespace {

// The distance beyond the still zone, with its sign.
int Beyond(int distance) {
  const int beyond = std::max(std::abs(distance) - kPanStillZone, 0);
  return distance < 0 ? -beyond : beyond;
}

}  // namespace

void TTreeListInput::StartPanning(int x, int y) {
  FState = msPanning;
  FPressPoint = {x, y};
  FPanOwed = {0, 0};
  FTree.SetCursorShape(crVSplit);
  FTree.SetTimer(kPanTimer, kPanInterval);
}

// Whole rows and pixels move; what does not make up a whole row is kept for the next tick.
void TTreeListInput::Pan() {
  if (FState != msPanning) return FTree.KillTimer(kPanTimer);
  const TPoint p = FTree.CursorPos();
  FPanOwed.x += Beyond(p.x - FPressPoint.x);
  FPanOwed.y += Beyond(p.y - FPressPoint.y);
  const int dx = FPanOwed.x / kPanSlowdown;
  FPanOwed.x %= kPanSlowdown;
  if (dx != 0) FTree.SetLeftCoord(FTree.LeftCoord() + dx);
  const int rowHeight = std::max(FTree.NodeRowHeight(FTree.TopVisibleNode()), 1);
  const int rows = FPanOwed.y / (kPanSlowdown * rowHeight);
  FPanOwed.y %= kPanSlowdown * rowHeight;
  if (rows == 0) return;
  const int top = FTree.TopIndex();
  FTree.SetTopIndex(top + rows);
  if (FTree.TopIndex() == top) FPanOwed.y = 0;  // at the end: nothing piles up
}

void TTreeListInput::StopPanning() {
  FTree.KillTimer(kPanTimer);
}

void TTreeListInput::FollowPressedPointer(int y) {
  if (!FTree.OptionsEx().Contains(aoMouseScroll)) return;
  const TTreeListGeometry g = FTree.Geometry();
  FSelectScroll = y < g.RowsArea.top ? -1 : y >= g.RowsArea.bottom ? 1 : 0;
  if (FSelectScroll != 0) {
    FTree.SetTimer(kSelectScrollTimer, kSelectScrollInterval);
    return;
  }
  FTree.KillTimer(kSelectScrollTimer);
  for (const TTreeListRowPlace& row : g.Rows)
    if (y >= row.Top && y < row.Bottom && row.Node != FTree.FocusedNode())
      FTree.SetFocusedNode(row.Node, FTree.FocusedColumn(), true);
}

// One row further each tick: the focus moves on, which brings its row into view.
void TTreeListInput::SelectScroll() {
  if (FState != msNodePressed || FSelectScroll == 0 || !FTree.FocusedNode())
    return FTree.KillTimer(kSelectScrollTimer);
  FTree.SetFocusedAbsoluteIndex(FTree.FocusedAbsoluteIndex() + FSelectScroll);
}
