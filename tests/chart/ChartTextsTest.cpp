#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "chart/Chart.h"
#include "chart/series/BarSeries.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"

namespace {

// Three points whose magnitudes sum to 100, one with no label, and an infinite one that takes
// no share of the total.
class ChartTextsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    chart.AttachSeries(&series);
    series.Marks().SetVisible(false);
    series.AddPoint(1, 10, "a", clRed);
    series.AddPoint(2, 30, "", clGreen);
    series.AddPoint(3, -60, "c", clBlue);
    series.AddPoint(4, std::numeric_limits<double>::infinity(), "d", clYellow);
  }

  // The bounds of the pixels of a colour.
  TRect InkOf(TColor color) {
    TRect r{1 << 20, 1 << 20, -1, -1};
    for (int y = 0; y < host.Picture().Height(); ++y)
      for (int x = 0; x < host.Picture().Width(); ++x)
        if (host.PixelAt(x, y) == color)
          r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
               std::max(r.bottom, y + 1)};
    return r;
  }

  TSeriesOwner owner;
  TChart chart;
  TBarSeries& series = owner.CreateSeries<TBarSeries>();
  TTestWindowHost host{chart, 400, 300};
};

}  // namespace

TEST_F(ChartTextsFixture, MarksAndLegendRowsShowWhatTheirStylesSay) {
  const struct {
    TSeriesMarksStyle style;
    int index;
    const char* text;
  } marks[] = {
      {smsValue, 0, "10"},
      {smsPercent, 0, "10 %"},
      {smsLabel, 1, "30"},
      {smsLabel, 2, "c"},
      {smsLabelPercent, 2, "c 60 %"},
      {smsLabelValue, 2, "c -60"},
      {smsLegend, 0, "10 a"},
      {smsPercentTotal, 1, "30 % of 100"},
      {smsLabelPercentTotal, 0, "a 10 % of 100"},
      {smsXValue, 2, "3"},
      {smsPercent, 3, "0 %"},
  };
  // On their own light boxes, marks and legend write black whatever the desktop's colours.
  EXPECT_EQ(series.Marks().Font().Color(), clBlack);
  EXPECT_EQ(chart.Legend().Font().Color(), clBlack);
  for (const auto& m : marks) {
    series.Marks().SetStyle(m.style);
    EXPECT_EQ(series.MarkText(m.index), m.text) << "style " << m.style << ", point " << m.index;
  }
  series.SetPercentFormat("0.0'%'");
  series.Marks().SetStyle(smsPercent);
  EXPECT_EQ(series.MarkText(1), "30.0%");
  series.SetPercentFormat("##0.## %");

  // One series listed by its points: the value or percent in a column of its own.
  const struct {
    TLegendTextStyle style;
    const char* value;
    const char* text;
    bool valuesLeft;
  } rows[] = {
      {ltsPlain, "", "a", false},
      {ltsLeftValue, "10", "a", true},
      {ltsRightValue, "10", "a", false},
      {ltsLeftPercent, "10 %", "a", true},
      {ltsRightPercent, "10 %", "a", false},
      {ltsXValue, "", "1", false},
  };
  for (const auto& r : rows) {
    chart.Legend().SetTextStyle(r.style);
    host.Paint(true);
    const TLegendLayout& legend = chart.Layout().Legend;
    ASSERT_EQ(legend.Rows.size(), 4u);
    EXPECT_EQ(legend.Rows[0].Value, r.value) << "style " << r.style;
    EXPECT_EQ(legend.Rows[0].Text, r.text) << "style " << r.style;
    EXPECT_EQ(legend.ValuesLeft, r.valuesLeft) << "style " << r.style;
  }
  chart.Legend().SetTextStyle(ltsPlain);
  host.Paint(true);
  EXPECT_EQ(chart.Layout().Legend.Rows[1].Text, "30");  // no label: the value

  // Series rows: the last values beside the titles, and none for a series kept out.
  auto& other = owner.CreateSeries<TBarSeries>();
  chart.AttachSeries(&other);
  other.SetTitle("other");
  other.AddPoint(1, 5, "", clDefault);
  other.AddPoint(2, 7, "", clDefault);
  chart.Legend().SetLegendStyle(lsLastValues);
  chart.Legend().SetTextStyle(ltsRightValue);
  series.SetShowInLegend(false);
  host.Paint(true);
  ASSERT_EQ(chart.Layout().Legend.Rows.size(), 1u);
  EXPECT_EQ(chart.Layout().Legend.Rows[0].Text, "other");
  EXPECT_EQ(chart.Layout().Legend.Rows[0].Value, "7");
  chart.Legend().SetTextStyle(ltsXValue);  // the last point's X value
  host.Paint(true);
  EXPECT_EQ(chart.Layout().Legend.Rows[0].Value, "2");
  chart.Legend().SetTextStyle(ltsRightValue);
  host.Paint(true);
  {
    // The value stands right-aligned at the box's inner right edge.
    const TLegendLayout& legend = chart.Layout().Legend;
    int rightmost = 0;
    for (int y = legend.Rows[0].Top + 2; y < legend.Rows[0].Top + legend.RowHeight - 2; ++y)
      for (int x = legend.Rows[0].TextLeft; x < legend.Rect.right - 1; ++x)
        if (host.PixelAt(x, y) == clBlack) rightmost = std::max(rightmost, x);
    EXPECT_GE(rightmost, legend.Rect.right - 8);
  }
  // A handler's text replaces the whole row.
  chart.OnGetLegendText = [](TCustomChart*, int, std::string& text) {
    EXPECT_EQ(text, "other 7");
    text = "mine";
  };
  chart.Invalidate();
  host.Paint(true);
  EXPECT_EQ(chart.Layout().Legend.Rows[0].Text, "mine");
  EXPECT_EQ(chart.Layout().Legend.Rows[0].Value, "");
}

TEST_F(ChartTextsFixture, LegendMarginsLinesAndPositionsShowWhereTheyAreSet) {
  chart.Legend().SetFrame([] {
    TChartPen pen;
    pen.color = clFuchsia;
    return pen;
  }());
  host.Paint(true);
  const TLegendLayout plain = chart.Layout().Legend;
  const TRect box = plain.Rect;
  const int between = plain.RowsTop + plain.RowHeight;  // the line under the first row
  EXPECT_NE(host.PixelAt((box.left + box.right) / 2, between), clFuchsia);

  chart.Legend().SetHorizMargin(7);
  chart.Legend().SetVertMargin(5);
  chart.Legend().SetDividingLines(true);
  host.Paint(true);
  const TLegendLayout& wide = chart.Layout().Legend;
  EXPECT_EQ(wide.Rect.right - wide.Rect.left, box.right - box.left + 14);
  EXPECT_EQ(wide.Rect.bottom - wide.Rect.top, box.bottom - box.top + 10);
  EXPECT_EQ(wide.RowsTop, wide.Rect.top + plain.RowsTop - box.top + 5);
  EXPECT_EQ(wide.Rows[0].SymbolLeft, wide.Rect.left + plain.Rows[0].SymbolLeft - box.left + 7);
  for (int row = 1; row < 4; ++row) {
    const int y = wide.RowsTop + row * wide.RowHeight;
    EXPECT_EQ(host.PixelAt(wide.Rect.left + 2, y), clFuchsia) << "line " << row;
    EXPECT_EQ(host.PixelAt(wide.Rect.right - 3, y), clFuchsia) << "line " << row;
    EXPECT_NE(host.PixelAt(wide.Rect.left - 1, y), clFuchsia) << "line " << row;
  }
  // Clicks find the rows under the margin.
  EXPECT_EQ(chart.Legend().ItemAt({wide.Rect.left + 2, wide.RowsTop + 1}), 0);
  EXPECT_EQ(chart.Legend().ItemAt({wide.Rect.left + 2, wide.RowsTop - 1}), -1);

  // A handler moves a row: its symbol is drawn where the handler put it.
  chart.OnGetLegendPos = [](TCustomChart*, int index, int& x, int& y, int& xColor) {
    if (index != 0) return;
    xColor = 5;
    x = 30;
    y = 10;
  };
  chart.Invalidate();
  host.Paint(true);
  EXPECT_EQ(chart.Layout().Legend.Rows[0].TextLeft, 30);
  EXPECT_EQ(host.PixelAt(5 + chart.Legend().ColorWidth() / 2, 10 + wide.RowHeight / 2), clRed);
  EXPECT_EQ(chart.Legend().ItemAt({6, 11}), 0);  // clicked where it is drawn
}

TEST_F(ChartTextsFixture, MarksAreFramedMovedLiftedAndClippedAsSet) {
  // One bar at the top of a fixed range, its mark framed in red on yellow.
  series.ClearPoints();
  series.AddPoint(1, 10, "first label", clBlue);
  chart.LeftAxis().SetAxisRange(0, 11);
  chart.Legend().SetVisible(false);
  chart.SetView3D(false);
  TChartPen frame;
  frame.color = clRed;
  series.Marks().SetFrame(frame);
  series.Marks().SetBackColor(clYellow);
  series.Marks().SetVisible(true);
  host.Paint(true);
  const TRect mark = InkOf(clRed);
  ASSERT_GT(mark.right, mark.left);
  // Framed around the yellow box, standing ArrowLength above the bar's top.
  const TRect inside = InkOf(clYellow);
  EXPECT_EQ(inside.left, mark.left + 1);
  EXPECT_EQ(inside.bottom, mark.bottom - 1);
  EXPECT_EQ(mark.bottom - 1, chart.LeftAxis().ValueToPixel(10) - series.Marks().ArrowLength());
  EXPECT_EQ(mark.left + mark.right, series.BarRect(0).left + series.BarRect(0).right);
  EXPECT_LT(mark.top, chart.PlotRect().top);  // beyond the plot: clipping will show

  series.Marks().SetCustomPosition(0, {25, 40});
  host.Paint(true);
  const TRect moved = InkOf(clRed);
  EXPECT_EQ(moved.left, mark.left + 25);
  EXPECT_EQ(moved.top, mark.top + 40);
  series.AddPoint(0, 2, "", clBlue);  // the position follows its point to index 1
  EXPECT_EQ(series.Marks().CustomOffset(1).x, 25);
  EXPECT_EQ(series.Marks().CustomOffset(0).x, 0);
  series.DeletePoint(0);
  series.Marks().ClearCustomPositions();

  // Clipped at the plot: nothing of the frame above its top.
  series.Marks().SetClip(true);
  host.Paint(true);
  EXPECT_GE(InkOf(clRed).top, chart.PlotRect().top + 1);
  series.Marks().SetClip(false);

  // Equal bars side by side whose marks would cover their neighbours': every other one is lifted.
  chart.LeftAxis().SetAxisRange(0, 30);
  series.ClearPoints();
  for (int i = 0; i < 6; ++i) series.AddPoint(i, 10, "a long label", clBlue);
  series.SetAutoMarkPosition(false);
  host.Paint(true);
  const TRect together = InkOf(clRed);
  series.SetAutoMarkPosition(true);
  host.Paint(true);
  const TRect apart = InkOf(clRed);
  EXPECT_EQ(apart.bottom, together.bottom);
  EXPECT_EQ(apart.top, together.top - (together.bottom - together.top));
}

// Settings at their edges leave a chart that paints: a mark handler that empties the series,
// legend margins far wider than the window.
TEST_F(ChartTextsFixture, EdgeSettingsLeaveAPaintableChart) {
  series.Marks().SetVisible(true);
  series.OnGetMarkText = [](TChartSeries* sender, int, std::string&) { sender->ClearPoints(); };
  EXPECT_NO_THROW(host.Paint(true));
  series.OnGetMarkText = nullptr;

  series.AddPoint(1, 10, "a", clRed);
  chart.Legend().SetHorizMargin(100000);
  chart.Legend().SetVertMargin(100000);
  EXPECT_NO_THROW(host.Paint(true));
  EXPECT_GE(chart.PlotRect().right, chart.PlotRect().left);
  EXPECT_GE(chart.PlotRect().bottom, chart.PlotRect().top);
}

// A mark belongs to a drawn point: none for a value a logarithmic axis cannot show.
TEST_F(ChartTextsFixture, NoMarkForAPointTheLogarithmicAxisCannotShow) {
  series.ClearPoints();
  series.AddPoint(1, -5, "neg", clBlue);
  series.AddPoint(2, 0, "zero", clBlue);
  chart.LeftAxis().SetLogarithmic(true);
  chart.LeftAxis().SetAxisRange(1, 100);
  chart.Legend().SetVisible(false);
  series.Marks().SetBackColor(clYellow);
  series.Marks().SetVisible(true);
  int texts = 0;
  series.OnGetMarkText = [&texts](TChartSeries*, int, std::string&) { ++texts; };
  host.Paint(true);
  EXPECT_EQ(InkOf(clYellow).right, -1);
  EXPECT_EQ(texts, 0);
}
