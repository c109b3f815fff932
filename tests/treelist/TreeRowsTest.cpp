// Rows of different heights: cells wrapped over several lines, previews, row footers, the
// footer and the indicator.
#include <random>

#include "TreeInputFixture.h"
#include "TreeInvariant.h"
#include "treelist/input/TreeListHitTest.h"

namespace {

constexpr int kFooterLine = 16 + 7;          // a line of the footers in the 16-pixel font
constexpr int kRowFooter = kFooterLine + 2;  // one row footer of one header row

class TreeRows : public TreeInputFixture {
 protected:
  void SetUp() override {
    TreeInputFixture::SetUp();
    GrowTo(30);
    tree.OnGetPreviewText = [this](TCustomTreeListControl*, TTreeListNode* node,
                                   std::string& text) { text = preview[node]; };
    tree.OnGetRowFooterText = [](TCustomTreeListControl*, TTreeListNode* group,
                                 TTreeListColumn* column, std::string& text) {
      if (column->Index() == 1) text = "sum of " + group->Strings(0);
    };
  }

  void Use(TTreeListOptions options, TTreeListOptionsEx extra, bool rowFooters) {
    const auto update = tree.UpdateScope();
    tree.SetOptions(options);
    tree.SetOptionsEx(extra);
    tree.SetShowRowFooter(rowFooters);
  }

  void UseAll() {
    Use({aoRowSelect, aoAutoWidth, aoPreview},
        TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoRowAutoHeight), true);
  }

  // What the layout shows agrees with itself and with the rules of rows and pages.
  void CheckLayout() {
    const TTreeListGeometry g = tree.Geometry();
    const int count = tree.VisibleCount();
    int y = g.RowsArea.top, full = 0;
    for (const TTreeListRowPlace& r : g.Rows) {
      ASSERT_EQ(r.Top, y);
      ASSERT_EQ(r.Bottom - r.Top, tree.NodeRowHeight(r.Node)) << r.Node->Strings(0);
      ASSERT_LE(r.CellsBottom, r.PreviewBottom);
      ASSERT_EQ(r.Bottom, r.PreviewBottom + r.Footers * RowFooter() + g.Separator);
      if (r.Bottom <= g.RowsArea.bottom) ++full;
      y = r.Bottom;
      CheckHits(g, r);
    }
    EXPECT_EQ(g.FullRows, std::max(full, 1));
    // The top row stops where the last rows just fill the area.
    int below = 0;
    for (int row = g.TopRow; row < count; ++row)
      below += tree.NodeRowHeight(tree.AbsoluteNodes(row));
    if (g.TopRow > 0) {
      EXPECT_GE(below,
                g.RowsArea.Height() - tree.NodeRowHeight(tree.AbsoluteNodes(g.TopRow - 1)) + 1);
    }
    const TScrollInfo v = host.ScrollInfo(sbVertical);
    EXPECT_EQ(v.position, g.TopRow);
    EXPECT_EQ(v.page, g.FullRows);
    EXPECT_TRUE(RowsAgree(tree));
  }

  // A point in each part of a row names that part and its node.
  void CheckHits(const TTreeListGeometry& g, const TTreeListRowPlace& r) {
    const int x = r.ContentLeft + 4;
    if (r.Bottom > g.RowsArea.bottom) return;
    const TTreeListHitInfo cell = tree.GetHitInfo({x, r.Top + 1});
    EXPECT_EQ(cell.Kind, HitCell);
    EXPECT_EQ(cell.Node, r.Node);
    if (r.PreviewBottom > r.CellsBottom) {
      const TTreeListHitInfo preview = tree.GetHitInfo({x, r.CellsBottom + 1});
      EXPECT_EQ(preview.Kind, HitPreview);
      EXPECT_EQ(preview.Node, r.Node);
    }
    // A row footer's cells stand on the lines of the header layout.
    for (int k = 0; k < r.Footers; ++k) {
      for (const TTreeListColumnPlace& place : g.Columns) {
        const int y = r.PreviewBottom + k * RowFooter() + 1 + place.Row * kFooterLine +
                      place.Lines * kFooterLine / 2;
        const TTreeListHitInfo footer = tree.GetHitInfo({place.CellRight - 5, y});
        EXPECT_EQ(footer.Kind, HitRowFooter);
        EXPECT_EQ(footer.Node, RowFooterGroup(r.Node, k));
        EXPECT_EQ(footer.FooterIndex, k);
        EXPECT_EQ(footer.Column, place.ColumnIndex);
      }
    }
  }
  int RowFooter() const { return kFooterLine * tree.HeaderPanelRowCount() + 2; }

  std::map<const TTreeListNode*, std::string> preview;
};

}  // namespace

TEST_F(TreeRows, EachRowIsAsHighAsItsLinesPreviewAndFooters) {
  const std::string manyLines = [] {
    std::string text = "x";
    for (int i = 1; i < 3000; ++i) text += "\nx";
    return text;
  }();
  struct Case {
    const char* name;
    bool autoHeight, withPreview, rowFooters;
    int maxLines, previewLines;
    std::string text, previewText;
    bool lastTank;  // the row that closes its site, else the first tank
    int height;
  };
  const Case cases[] = {
      {"plain", false, false, false, -1, 2, "a\nb\nc", "", false, kRowHeight},
      {"three lines", true, false, false, -1, 2, "a\nb\nc", "", false, 3 * kRowHeight},
      {"at most two", true, false, false, 2, 2, "a\nb\nc", "", false, 2 * kRowHeight},
      {"wrapped", true, false, false, -1, 2,
       "a long text with many words that cannot stay on one line of a narrow column", "", false, 0},
      {"no limit", true, false, false, -1, 2, manyLines, "", false, 3000 * kRowHeight},
      {"preview of two lines", false, true, false, -1, 2, "", "p", false, kRowHeight + 16 + 2},
      {"preview as needed", false, true, false, -1, -1, "", "p\nq\nr", false,
       kRowHeight + 3 * 16 + 2},
      {"empty preview", false, true, false, -1, -1, "", "", false, kRowHeight},
      {"closes its site", false, false, true, -1, 2, "", "", true, kRowHeight + kRowFooter},
      {"not the last", false, false, true, -1, 2, "", "", false, kRowHeight},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTreeListOptions options{aoRowSelect, aoAutoWidth};
    if (c.withPreview) options.Include(aoPreview);
    TTreeListOptionsEx extra(kDefaultTreeListOptionsEx);
    if (c.autoHeight) extra.Include(aoRowAutoHeight);
    Use(options, extra, c.rowFooters);
    tree.SetMaxRowLineCount(c.maxLines);
    tree.SetPreviewLines(c.previewLines);
    TTreeListNode* node = c.lastTank ? tank2 : tank1;
    node->SetStrings(4, c.text);
    preview[node] = c.previewText;
    tree.View().RecomputeMetrics();
    const int height = tree.NodeRowHeight(node);
    if (c.height > 0)
      EXPECT_EQ(height, c.height);
    else
      EXPECT_GT(height, kRowHeight);  // wraps, whatever the font's widths
    tree.SetTopIndex(node->AbsoluteIndex());
    EXPECT_TRUE(ShowsFreshPaint(host, tree));
    node->SetStrings(4, "");
    preview.clear();
  }
}

// Random edits, expansions, scrolling, key moves and resizes over rows of one to four lines,
// previews and footers: after each one the layout keeps its rules and the screen equals a
// fresh paint.
TEST_F(TreeRows, RulesAndScreenHoldAfterRandomOperations) {
  UseAll();
  tree.SetPreviewLines(-1);
  for (int i = 0; i < 10; ++i) AddRow(tree, tree.Items(5 + i), {"child", "1"});
  std::mt19937 random(7);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const char* texts[] = {"", "one", "one\ntwo", "one\ntwo\nthree\nfour",
                         "averyveryverylongwordthatdoesnotbreakanywhereatallinthiscolumn"};
  for (int step = 0; step < 150; ++step) {
    SCOPED_TRACE(step);
    TTreeListNode* node = tree.AbsoluteNodes(pick(tree.VisibleCount()));
    switch (pick(9)) {
      case 0:
        node->SetValues(pick(5), texts[pick(5)]);
        break;
      case 8:  // "Level" on a line of its own, or back
        tree.SetHeaderPanelRowCount(3 - tree.HeaderPanelRowCount());
        tree.Columns(2)->SetRowIndex(tree.HeaderPanelRowCount() - 1);
        break;
      case 1:
        preview[node] = texts[pick(5)];
        tree.View().RecomputeMetrics();
        break;
      case 2:
        if (node->Count() > 0) node->SetExpanded(!node->Expanded());
        break;
      case 3:
        tree.SetTopIndex(pick(tree.VisibleCount() + 3));
        break;
      case 4:
        host.ScrollBarRequest(sbVertical, pick(2) ? scPageDown : scPageUp, 0);
        break;
      case 5:
        host.PressKey(pick(2) ? vkNext : vkDown);
        break;
      case 6:
        tree.SetMaxRowLineCount(pick(4) - 1);
        break;
      case 7:
        host.Resize(500 + pick(400), 120 + pick(200));
        break;
    }
    ASSERT_NO_FATAL_FAILURE(CheckLayout());
    // Brought into view, the focused row is wholly on screen when it fits.
    tree.FocusedNode()->MakeVisible();
    const TTreeListGeometry g = tree.Geometry();
    const TTreeListRowPlace* focused = g.RowOf(tree.FocusedNode());
    ASSERT_TRUE(focused);
    if (focused->Bottom - focused->Top <= g.RowsArea.Height()) {
      EXPECT_LE(focused->Bottom, g.RowsArea.bottom);
    }
    ASSERT_TRUE(ShowsFreshPaint(host, tree));
  }
}

TEST_F(TreeRows, FooterIndicatorAndTheirHits) {
  UseAll();
  tree.SetShowFooter(true);
  tree.SetShowIndicator(true);
  tree.Columns(1)->SetFooterText("35");
  host.Paint(true);
  const TTreeListGeometry g = tree.Geometry();
  ASSERT_EQ(g.Footer.Height(), kFooterLine + 3);
  EXPECT_EQ(g.Footer.bottom, 200);
  const TTreeListColumnPlace* capacity = g.PlaceOf(tree.Columns(1));
  const TTreeListHitInfo footer = tree.GetHitInfo({capacity->CellLeft + 5, g.Footer.top + 5});
  EXPECT_EQ(footer.Kind, HitFooter);
  EXPECT_EQ(footer.Column, 1);
  // The indicator marks the focused row; a press there focuses the row.
  const TTreeListRowPlace* focused = g.RowOf(tree.FocusedNode());
  ASSERT_TRUE(focused);
  EXPECT_EQ(At(4, focused->Mid), clBlack);
  const TTreeListRowPlace& other = g.Rows[2];
  EXPECT_NE(At(4, other.Mid), clBlack);
  EXPECT_EQ(tree.GetHitInfo({4, other.Mid}).Kind, HitIndicator);
  host.MouseDown(mbLeft, 4, other.Mid);
  host.MouseUp(mbLeft, 4, other.Mid);
  EXPECT_EQ(tree.FocusedNode(), other.Node);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  // The row footer of the first site shows its text in a box.
  const TTreeListGeometry now = tree.Geometry();
  const TTreeListRowPlace* closing = now.RowOf(tank2);
  ASSERT_TRUE(closing);
  EXPECT_EQ(closing->Footers, 1);
  EXPECT_EQ(At(g.CellsRight() - 2, closing->PreviewBottom + 3), ColorToRGB(cl3DLight));
}

// Each hook of the parts below the cells may paint its part itself; what it leaves shows.
TEST_F(TreeRows, CustomDrawOfPreviewFooterAndRowFooter) {
  UseAll();
  tree.SetShowFooter(true);
  preview[tank1] = "some words";
  auto paint = [](TCanvas& canvas, const TRect& rect, bool& done) {
    canvas.Brush() = TBrush{clLime, bsSolid, clLime};
    canvas.FillRect(rect);
    done = true;
  };
  tree.OnCustomDrawPreview = [&](TCustomTreeListControl*, TCanvas& canvas, const TRect& rect,
                                 TTreeListNode*, bool, const std::string&, TFont&, TColor&,
                                 bool& done) { paint(canvas, rect, done); };
  tree.OnCustomDrawFooter = [&](TCustomTreeListControl*, TCanvas& canvas, const TRect& rect,
                                TTreeListColumn*, std::string&, TColor&, TFont&, TAlignment&,
                                bool& done) { paint(canvas, rect, done); };
  tree.OnCustomDrawFooterNode = [&](TCustomTreeListControl*, TCanvas& canvas, const TRect& rect,
                                    TTreeListNode*, TTreeListColumn*, int, std::string&, TColor&,
                                    TFont&, TAlignment&, bool& done) { paint(canvas, rect, done); };
  tree.View().RecomputeMetrics();
  host.Paint(true);
  const TTreeListGeometry g = tree.Geometry();
  const TTreeListRowPlace* withPreview = g.RowOf(tank1);
  const TTreeListRowPlace* closing = g.RowOf(tank2);
  ASSERT_TRUE(withPreview && closing);
  const int x = g.PlaceOf(tree.Columns(1))->CellLeft + 10;
  EXPECT_EQ(At(x, withPreview->CellsBottom + 2), ColorToRGB(clLime));
  EXPECT_EQ(At(x, closing->PreviewBottom + 4), ColorToRGB(clLime));
  EXPECT_EQ(At(x, g.Footer.top + 5), ColorToRGB(clLime));
  EXPECT_NE(At(x, withPreview->Top + 2), ColorToRGB(clLime));
  // The preview's own text and colours, through the second hook.
  tree.OnCustomDrawPreview = nullptr;
  tree.OnCustomDrawPreviewCell = [](TCustomTreeListControl*, TCanvas&, const TRect&, TTreeListNode*,
                                    bool, std::string& text, TColor& color, TFont&, TAlignment&,
                                    bool&) {
    text.clear();
    color = clYellow;
  };
  host.Paint(true);
  EXPECT_EQ(At(x, withPreview->CellsBottom + 2), ColorToRGB(clYellow));
}

namespace {

// The rows wholly inside the rows area, as positions [first, last].
std::pair<int, int> WholeRows(const TTreeListGeometry& g) {
  return {g.TopRow, g.TopRow + g.FullRows - 1};
}

bool Within(int row, std::pair<int, int> rows) {
  return row >= rows.first && row <= rows.second;
}

}  // namespace

// Over trees of rows of one to many lines, paging and scrolling keep their rules, checked
// against the rows the layout shows: every row a page key passes over is wholly on screen
// before or after the move; from the top row PgDn then PgUp comes back; the scroll bar's end
// shows the last row; MakeVisible shows the row wholly and moves the least.
TEST_F(TreeRows, PagingAndScrollingShowEveryRowTheyPass) {
  SetOptionEx(tree, aoRowAutoHeight, true);
  std::mt19937 random(11);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    const int count = tree.VisibleCount();
    for (int row = 0; row < count; ++row) {
      // First one-line rows, then three-line ones; later rounds mix one to eight lines.
      const int lines = round == 0 ? (row < 12 ? 1 : 3) : 1 + pick(round % 2 ? 8 : 3);
      std::string text = "x";
      for (int k = 1; k < lines; ++k) text += "\nx";
      tree.AbsoluteNodes(row)->SetValues(4, text);
    }
    host.Resize(600, round == 0 ? 200 : 150 + pick(250));
    auto height = [&](int row) { return tree.NodeRowHeight(tree.AbsoluteNodes(row)); };
    const int area = tree.Geometry().RowsArea.Height();
    // Down page by page to the last row, then up to the first.
    tree.SetTopIndex(0);
    tree.SetFocusedAbsoluteIndex(0);
    for (int key : {vkNext, vkPrior}) {
      for (int step = 0; step <= count; ++step) {
        const int from = tree.FocusedAbsoluteIndex();
        const auto before = WholeRows(tree.Geometry());
        if (from == before.first && from < count - 1) {  // PgDn then PgUp comes back
          host.PressKey(vkNext);
          host.PressKey(vkPrior);
          ASSERT_EQ(tree.FocusedAbsoluteIndex(), from);
          ASSERT_EQ(tree.TopIndex(), before.first);
        }
        host.PressKey(key);
        const int to = tree.FocusedAbsoluteIndex();
        const auto after = WholeRows(tree.Geometry());
        ASSERT_TRUE(Within(to, after));
        for (int row = std::min(from, to); row <= std::max(from, to); ++row)
          ASSERT_TRUE(Within(row, before) || Within(row, after))
              << "row " << row << " passed over from " << from << " to " << to;
        if (to == (key == vkNext ? count - 1 : 0)) break;
      }
      ASSERT_EQ(tree.FocusedAbsoluteIndex(), key == vkNext ? count - 1 : 0);
    }
    // The thumb dragged to the end of the bar shows the last row wholly.
    ASSERT_NO_FATAL_FAILURE(CheckLayout());
    const TScrollInfo bar = host.ScrollInfo(sbVertical);
    host.ScrollBarRequest(sbVertical, scTrack, bar.max - bar.page + 1);
    EXPECT_EQ(WholeRows(tree.Geometry()).second, count - 1);
    ASSERT_NO_FATAL_FAILURE(CheckLayout());
    // MakeVisible: the row wholly shown, by the least move.
    for (int i = 0; i < 6; ++i) {
      tree.SetTopIndex(pick(count));
      const auto before = WholeRows(tree.Geometry());
      const int row = pick(count);
      tree.AbsoluteNodes(row)->MakeVisible();
      const auto after = WholeRows(tree.Geometry());
      if (height(row) <= area) {
        EXPECT_TRUE(Within(row, after)) << row;
      }
      if (Within(row, before)) {
        EXPECT_EQ(after.first, before.first) << row;
      } else if (row < before.first) {
        EXPECT_EQ(after.first, row);
      } else {
        int rows = 0;  // one row higher up would leave the row below the area
        for (int r = after.first - 1; r <= row; ++r) rows += height(r);
        EXPECT_GT(rows, area) << row;
      }
    }
  }
  // A last row taller than the area: the thumb at the end shows it from its top.
  const int last = tree.VisibleCount() - 1;
  tree.AbsoluteNodes(last)->SetValues(4, "1\n2\n3\n4\n5\n6\n7\n8\n9\n10");
  host.Resize(600, 150);
  ASSERT_GT(tree.NodeRowHeight(tree.AbsoluteNodes(last)), tree.Geometry().RowsArea.Height());
  const TScrollInfo bar = host.ScrollInfo(sbVertical);
  host.ScrollBarRequest(sbVertical, scTrack, bar.max - bar.page + 1);
  ASSERT_FALSE(tree.Geometry().Rows.empty());
  EXPECT_EQ(tree.Geometry().Rows.front().Node, tree.AbsoluteNodes(last));
}

// A text that just fits its cell is measured as one line and painted as one, whatever its
// alignment: the ink spans the whole text, not its first word.
TEST_F(TreeRows, TextThatJustFitsStaysWholeInEveryAlignment) {
  Use({aoRowSelect}, TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoRowAutoHeight), false);
  const int width = MeasureText(tree.Font(), "Tank level").width;
  tree.Columns(1)->SetWidth(width + 3);
  tank1->SetValues(1, "Tank level");  // a row neither focused nor selected
  for (TAlignment alignment : {taLeftJustify, taCenter, taRightJustify}) {
    tree.Columns(1)->SetAlignment(alignment);
    EXPECT_EQ(tree.NodeRowHeight(tank1), kRowHeight) << alignment;
    host.Paint(true);
    const TRect cell = tree.CellRect(tank1, tree.Columns(1));
    const TColor back = At(cell.left, cell.top);
    int left = cell.right, right = cell.left;
    for (int x = cell.left; x < cell.right; ++x)
      for (int y = cell.top; y < cell.bottom; ++y)
        if (At(x, y) != back) left = std::min(left, x), right = x;
    EXPECT_GE(right - left + 1, width - 2) << alignment;
  }
}
