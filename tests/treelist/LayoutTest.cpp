#include <numeric>

#include "TreeViewTestTree.h"

TEST_F(TreeViewFixture, AutoWidthSharesTheClientWidth) {
  std::vector<int> widths;
  for (int i = 0; i < 5; ++i) widths.push_back(tree.ColumnWidth(i));
  EXPECT_EQ(widths, (std::vector<int>{169, 169, 169, 169, 170}));
  for (int width : {100, 101, 499, 500, 777, 846, 1333}) {
    host.Resize(width, 200);
    int sum = 0;
    for (int i = 0; i < 5; ++i) sum += tree.ColumnWidth(i);
    EXPECT_EQ(sum, width);
    EXPECT_EQ(tree.TotalWidth(), width);
    EXPECT_EQ(host.ScrollInfo(sbHorizontal).max, width - 1);
  }
}

TEST_F(TreeViewFixture, NarrowClientKeepsTheMinimumsAndScrolls) {
  host.Resize(80, 200);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(tree.ColumnWidth(i), 20);
  EXPECT_EQ(tree.TotalWidth(), 100);
  const TScrollInfo info = host.ScrollInfo(sbHorizontal);
  EXPECT_EQ(info.max, 99);
  EXPECT_EQ(info.page, 80);
  tree.SetLeftCoord(50);
  EXPECT_EQ(tree.LeftCoord(), 20);  // no further than the scrolling width
  EXPECT_EQ(tree.Geometry().Columns[0].CellLeft, -20);
}

TEST_F(TreeViewFixture, WithoutAutoWidthColumnsKeepTheirWidths) {
  tree.SetOptions({aoRowSelect});
  tree.Columns(1)->SetWidth(130);
  EXPECT_EQ(tree.ColumnWidth(1), 130);
  EXPECT_EQ(tree.BandWidth(0), 530);
  EXPECT_EQ(tree.TotalWidth(), 530);
  // A column that may not be sized keeps its width in the distribution too.
  tree.SetOptions({aoRowSelect, aoAutoWidth});
  tree.Columns(0)->SetSizing(false);
  EXPECT_EQ(tree.ColumnWidth(0), 100);
  int sum = 0;
  for (int i = 0; i < 5; ++i) sum += tree.ColumnWidth(i);
  EXPECT_EQ(sum, 846);
}

TEST_F(TreeViewFixture, HeaderAndRowHeightsFollowTheFontAndLook) {
  EXPECT_EQ(tree.Metrics().HeaderRowHeight, 21);
  EXPECT_EQ(tree.DefaultRowHeight(), 19);
  // Each line of a row takes its grid line, whether rows are measured one by one or not.
  for (bool measured : {false, true}) {
    if (measured) tree.SetOptionsEx(tree.OptionsEx().Include(aoRowAutoHeight));
    tank1->SetStrings(0, measured ? "two\nlines" : "1/Alpha");
    for (int lines : {1, 2}) {
      tree.SetHeaderPanelRowCount(lines);
      tree.SetShowGrid(true);
      EXPECT_EQ(tree.NodeRowHeight(site1), 20 * lines) << measured;
      tree.SetShowGrid(false);
      EXPECT_EQ(tree.NodeRowHeight(site1), 19 * lines) << measured;
    }
  }
  tree.SetOptionsEx(tree.OptionsEx().Exclude(aoRowAutoHeight));
  tree.SetHeaderPanelRowCount(1);
  tree.SetLookAndFeel(lfStandard);
  EXPECT_EQ(tree.Metrics().HeaderRowHeight, 22);
  tree.SetShowHeader(false);
  EXPECT_EQ(tree.Geometry().RowsArea.top, 0);
  // A set row height below the minimum is raised; a larger one stays.
  tree.SetDefaultRowHeight(10);
  EXPECT_EQ(tree.DefaultRowHeight(), 19);
  tree.SetDefaultRowHeight(25);
  EXPECT_EQ(tree.DefaultRowHeight(), 25);
  EXPECT_EQ(tree.NodeRowHeight(site1), 25);
  tree.SetShowGrid(true);  // the separator line, less the one shared with the preview grid
  EXPECT_EQ(tree.NodeRowHeight(site1), 25);
}

TEST_F(TreeViewFixture, SettersClampTheirValues) {
  tree.SetIndentDesc(-5);
  EXPECT_EQ(tree.IndentDesc(), 0);
  tree.SetFixedBandLineWidth(0);
  EXPECT_EQ(tree.FixedBandLineWidth(), 1);
  tree.SetRowSeparatorLineWidth(-3);
  EXPECT_EQ(tree.RowSeparatorLineWidth(), 1);
  tree.SetMaxRowLineCount(-7);
  EXPECT_EQ(tree.MaxRowLineCount(), -1);
  tree.SetPreviewLines(-2);
  EXPECT_EQ(tree.PreviewLines(), -1);
}

TEST_F(TreeViewFixture, GeometryPlacesHeadersCellsAndRows) {
  const TTreeListGeometry g = tree.Geometry();
  EXPECT_EQ(g.HeaderPanel, Rect(0, 0, 846, 21));
  EXPECT_EQ(g.RowsArea, Rect(0, 21, 846, 200));
  ASSERT_EQ(g.Columns.size(), 5u);
  EXPECT_EQ(g.Columns[1].Header, Rect(169, 0, 338, 21));
  EXPECT_EQ(g.Columns[4].CellRight, 846);
  EXPECT_TRUE(g.Columns[0].First() && g.Columns[4].Last());
  // Site rows are indented 16, tank rows 32; the first cell starts after the indentation.
  ASSERT_EQ(g.Rows.size(), 4u);
  EXPECT_EQ(g.Rows[1].Node, tank1);
  EXPECT_EQ(g.Rows[1].Top, RowTop(1));
  EXPECT_EQ(g.Rows[0].ContentLeft, 16);
  EXPECT_EQ(g.Rows[1].ContentLeft, 32);
  EXPECT_EQ(g.Rows[1].ButtonLeft, 16);
  EXPECT_TRUE(g.Rows[0].HasButton);
  EXPECT_FALSE(g.Rows[1].HasButton);
  EXPECT_EQ(tree.CellRect(tank1, tree.Columns(0)), Rect(32, RowTop(1), 169, RowTop(2)));
  EXPECT_EQ(tree.CellRect(tank1, tree.Columns(2)), Rect(338, RowTop(1), 507, RowTop(2)));
  EXPECT_EQ(tree.NodeIndent(site2), 16);
  tree.SetShowRoot(false);
  EXPECT_EQ(tree.NodeIndent(site2), 0);
}

TEST_F(TreeViewFixture, PageSizeComesFromTheLayout) {
  EXPECT_EQ(tree.View().PageRows(), (200 - 21) / 19);
  host.Resize(846, 267);
  EXPECT_EQ(tree.View().PageRows(), 12);
  const TScrollInfo info = host.ScrollInfo(sbVertical);
  EXPECT_EQ(info.page, 12);
  EXPECT_EQ(info.max, 3);  // four rows shown
  // The footer and the status panel under the rows take their heights off the page.
  tree.SetShowStatusPanel(true);
  EXPECT_EQ(tree.Metrics().StatusPanelHeight, 21);
  EXPECT_EQ(tree.View().PageRows(), (267 - 21 - 21) / 19);
  tree.SetShowFooter(true);
  EXPECT_EQ(tree.View().PageRows(), (267 - 21 - 26 - 21) / 19);
  EXPECT_EQ(tree.Geometry().StatusPanel.top, 267 - 21);
  EXPECT_EQ(tree.Geometry().RowsArea.bottom, 267 - 21 - 26);
  tree.SetShowFooter(false);
  tree.SetShowStatusPanel(false);

  // Rows added or shown inside an update reach the scroll bar when it ends.
  tree.FullExpand();
  EXPECT_EQ(host.ScrollInfo(sbVertical).max, 4);
  tree.BeginUpdate();
  for (int i = 0; i < 20; ++i) AddRow(tree, nullptr, {"x"});
  tree.EndUpdate();
  EXPECT_EQ(host.ScrollInfo(sbVertical).max, 24);
}

// Only the rows on screen are placed, however many nodes the tree holds.
TEST_F(TreeViewFixture, GeometryHoldsOnlyTheRowsShown) {
  tree.BeginUpdate();
  for (int i = 0; i < 5000; ++i) AddRow(tree, nullptr, {"x"});
  tree.EndUpdate();
  tree.AbsoluteNodes(2500)->SetFocused(true);
  const TTreeListGeometry g = tree.Geometry();
  EXPECT_EQ(g.Rows.size(), 10u);  // 9 whole rows and one cut by the bottom edge
  EXPECT_LE(g.Rows.front().Row, 2500);
  EXPECT_GE(g.Rows.back().Row, 2500);
}

TEST_F(TreeViewFixture, BestFitMeasuresTextsIndentationAndCaption) {
  const int zero = MeasureText(tree.Font(), "0").width;
  const int pad = 2 * (zero / 2 + 1);
  const int caption = MeasureText(tree.HeaderFont(), "Status").width + 15;
  EXPECT_EQ(tree.BestFitWidth(tree.Columns(4)),
            std::max(caption, MeasureText(tree.Font(), "On-line").width) + pad);
  // The first column adds each node's indentation to its text.
  const int tank = MeasureText(tree.Font(), "1/Alpha").width + 32;
  const int site = MeasureText(tree.Font(), "Alpha").width + 16;
  EXPECT_EQ(tree.BestFitWidth(tree.Columns(0)),
            std::max({tank, site, MeasureText(tree.HeaderFont(), "Site/Tank").width + 15}) + pad);
  int changes = 0;
  tree.OnChangedColumnsWidth = [&](TCustomTreeListControl*) { ++changes; };
  tree.SetOptions({aoRowSelect});
  tree.ApplyBestFit(tree.Columns(4));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(tree.ColumnWidth(4), tree.BestFitWidth(tree.Columns(4)));
}

TEST_F(TreeViewFixture, AFixedBandStaysWhileTheOthersScroll) {
  tree.SetOptions({aoRowSelect});
  tree.Bands().Add();
  tree.Bands().Items(0)->SetFixed(bfLeft);
  for (int i = 2; i < 5; ++i) tree.Columns(i)->SetBandIndex(1);
  host.Resize(300, 200);
  EXPECT_EQ(tree.TotalWidth(), 200 + 2 + 300);
  tree.SetLeftCoord(50);
  TTreeListGeometry g = tree.Geometry();
  ASSERT_EQ(g.Bands.size(), 2u);
  EXPECT_EQ(g.Bands[0].Left, 0);
  EXPECT_EQ(g.Bands[1].Left, 202 - 50);
  ASSERT_EQ(g.FixedBandLines.size(), 1u);
  EXPECT_EQ(g.FixedBandLines[0], Rect(200, 0, 202, 200));
  EXPECT_EQ(g.PlaceOf(tree.Columns(2))->CellLeft, 152);
  tree.SetLeftCoord(1000);
  EXPECT_EQ(tree.LeftCoord(), 202);  // the scrolling part ends at the client's edge
}
