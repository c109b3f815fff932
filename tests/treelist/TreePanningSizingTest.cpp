// Row and panel sizing by their bottom edges, mouse panning with the middle button, and the
// pressed pointer's scrolling: what each gesture changes, and the screen after it.
#include <functional>

#include "TreeInputFixture.h"

namespace {

using TreeEdges = TreeInputFixture;

struct TEdgeCase {
  const char* Name;
  std::function<void(TTreeList&)> Setup;
  TPoint Press;
  int ReleaseY;
  std::function<int(TTreeList&)> Result;
  int Expected;
};

int RowHeightOf(TTreeList& t) {
  return t.DefaultRowHeight();
}
int HeaderRowsOf(TTreeList& t) {
  return t.HeaderPanelRowCount();
}
int BandRowsOf(TTreeList& t) {
  return t.BandRowCount();
}

void Indicator(TTreeList& t) {
  t.SetShowIndicator(true);
  SetOptionEx(t, aoRowSizing, true);
}
// The first row of three lines (57 high), or with a preview line (19 + 18), or a footer
// under the rows (the rows area ends at 174).
void ThreeLines(TTreeList& t) {
  Indicator(t);
  SetOptionEx(t, aoRowAutoHeight, true);
  t.Items(0)->SetValues(4, "a\nb\nc");
}
void Preview(TTreeList& t) {
  t.OnGetPreviewText = [](TCustomTreeListControl*, TTreeListNode*, std::string& s) { s = "p"; };
  Indicator(t);
  t.SetOptions(t.Options().Include(aoPreview));
  t.SetPreviewLines(1);
}
void Footer(TTreeList& t) {
  Indicator(t);
  t.SetShowFooter(true);
}
int FirstRowBottom(TTreeList& t) {
  return t.Geometry().Rows[0].Bottom;
}
void BandPanel(TTreeList& t) {
  t.SetShowBands(true);
  SetOptionEx(t, aoBandPanelSizing, true);
}

// Header 21 high, rows 19 from there: the first row's bottom edge is at 40.
const TEdgeCase kEdgeCases[] = {
    {"row taller", Indicator, {5, 39}, 49, RowHeightOf, 29},
    {"row: its bottom goes where the line stands", Indicator, {5, 42}, 52, RowHeightOf, 32},
    {"row never below its minimum", Indicator, {5, 38}, 25, RowHeightOf, 19},
    {"row released where pressed", Indicator, {5, 38}, 38, RowHeightOf, 19},
    // Only the lines follow the line: 12 pixels more make each of three lines 4 higher.
    {"three-line row ends at the line", ThreeLines, {5, 77}, 89, FirstRowBottom, 90},
    {"three-line row: whole lines", ThreeLines, {5, 77}, 91, FirstRowBottom, 90},
    {"row with a preview ends at the line", Preview, {5, 57}, 67, FirstRowBottom, 68},
    {"row stops above the footer", Footer, {5, 39}, 190, FirstRowBottom, 174},
    {"no row edge without the option",
     [](TTreeList& t) { t.SetShowIndicator(true); },
     {5, 39},
     49,
     RowHeightOf,
     19},
    {"header panel two rows",
     [](TTreeList& t) { SetOptionEx(t, aoHeaderPanelSizing, true); },
     {300, 19},
     40,
     HeaderRowsOf,
     2},
    {"header panel at most its maximum",
     [](TTreeList& t) {
       SetOptionEx(t, aoHeaderPanelSizing, true);
       t.SetHeaderPanelMaxRowCount(3);
     },
     {300, 19},
     190,
     HeaderRowsOf,
     3},
    {"band panel two rows", BandPanel, {300, 19}, 35, BandRowsOf, 2},
};

}  // namespace

TEST_F(TreeEdges, EdgesSizeRowsAndPanels) {
  for (const TEdgeCase& c : kEdgeCases) {
    TTreeList t;
    TTestWindowHost h(t, 846, 200);
    t.SetFont(SixteenPixelFont());
    t.SetLookAndFeel(lfFlat);
    AddTankColumns(t);
    for (int i = 0; i < 12; ++i) AddRow(t, nullptr, {"Site", "1", "1", "1", "On"});
    c.Setup(t);
    t.SetFocus();
    h.Paint(true);
    h.MouseMove(c.Press.x, c.Press.y);
    h.MouseDown(mbLeft, c.Press.x, c.Press.y);
    h.MouseMove(c.Press.x, c.ReleaseY);
    EXPECT_TRUE(ShowsFreshPaint(h, t)) << c.Name;  // the line is drawn over a paint as well
    h.MouseUp(mbLeft, c.Press.x, c.ReleaseY);
    EXPECT_EQ(c.Result(t), c.Expected) << c.Name;
    EXPECT_EQ(t.Input().State(), msNone) << c.Name;
    EXPECT_TRUE(ShowsFreshPaint(h, t)) << c.Name;
  }
}

TEST_F(TreeEdges, SizingShowsTheSplitCursorAndEscOrARightPressCancels) {
  Indicator(tree);
  host.Paint(true);
  host.MouseMove(5, 39);
  EXPECT_EQ(host.CursorShape(), crVSplit);
  EXPECT_EQ(tree.GetHitInfo({5, 39}).Node, site1);
  EXPECT_EQ(tree.GetHitInfo({5, 43}).Kind, HitRowEdge);
  EXPECT_EQ(tree.GetHitInfo({5, 44}).Kind, HitIndicator);
  host.MouseDown(mbLeft, 5, 39);
  host.MouseMove(5, 60);
  host.KeyDown(vkEscape);
  EXPECT_EQ(tree.Input().State(), msNone);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  host.MouseUp(mbLeft, 5, 60);
  EXPECT_EQ(tree.DefaultRowHeight(), 19);
  host.MouseDown(mbLeft, 5, 39);
  host.MouseMove(5, 70);
  host.MouseDown(mbRight, 5, 70);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  EXPECT_EQ(tree.DefaultRowHeight(), 19);
}

TEST_F(TreeEdges, MiddleButtonPansTowardsThePointer) {
  GrowTo(40);
  SetOptionEx(tree, aoMouseScroll, true);
  host.Paint(true);
  host.MouseDown(mbMiddle, 300, 100);
  EXPECT_EQ(host.TimerInterval(kPanTimer), 20);
  host.MouseMove(300, 105);  // within the still zone: nothing moves
  host.FireTimer(kPanTimer);
  EXPECT_EQ(tree.TopIndex(), 0);
  // One row is 8 x 19 pixels of distance beyond the zone per tick.
  host.MouseMove(300, 100 + kPanStillZone + kPanSlowdown * kRowHeight);
  for (int i = 0; i < 3; ++i) host.FireTimer(kPanTimer);
  EXPECT_EQ(tree.TopIndex(), 3);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  host.MouseMove(300, 100 - kPanStillZone - 2 * kPanSlowdown * kRowHeight);
  host.FireTimer(kPanTimer);
  EXPECT_EQ(tree.TopIndex(), 1);
  host.FireTimer(kPanTimer);
  host.FireTimer(kPanTimer);  // at the top: stays
  EXPECT_EQ(tree.TopIndex(), 0);
  host.MouseUp(mbMiddle, 300, 0);
  EXPECT_FALSE(host.TimerActive(kPanTimer));
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  SetOptionEx(tree, aoMouseScroll, false);
  host.MouseDown(mbMiddle, 300, 100);
  EXPECT_FALSE(host.TimerActive(kPanTimer));
  EXPECT_EQ(tree.Input().State(), msNone);
}

TEST_F(TreeEdges, PressedPointerMovesTheFocusAndScrollsBeyondTheRows) {
  GrowTo(40);
  SetOptionEx(tree, aoMouseScroll, true);
  host.Paint(true);
  host.MouseDown(mbLeft, 300, RowMid(1));
  host.MouseMove(300, RowMid(3));
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), 3);
  host.MouseMove(300, 230);  // below the rows
  EXPECT_EQ(host.TimerInterval(kSelectScrollTimer), 60);
  for (int i = 0; i < 10; ++i) host.FireTimer(kSelectScrollTimer);
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), 13);
  EXPECT_GT(tree.TopIndex(), 0);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  host.MouseMove(300, 5);  // over the header: upwards
  host.FireTimer(kSelectScrollTimer);
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), 12);
  host.MouseUp(mbLeft, 300, 5);
  EXPECT_FALSE(host.TimerActive(kSelectScrollTimer));
  // Deleting the focused node on the way does not stop the next tick from being safe.
  host.MouseDown(mbLeft, 300, RowMid(2));
  host.MouseMove(300, 230);
  tree.FocusedNode()->Delete();
  host.FireTimer(kSelectScrollTimer);
  tree.ClearNodes();
  host.FireTimer(kSelectScrollTimer);
  host.MouseUp(mbLeft, 300, 230);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}
