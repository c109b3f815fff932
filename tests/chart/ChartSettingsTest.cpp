#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "chart/Chart.h"
#include "chart/series/BarSeries.h"
#include "platform/Bitmap.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"

namespace {

// A flat chart with one bar and a title, the legend hidden.
struct TSettingsChart {
  TSettingsChart() {
    EnsureGuiApplication();
    chart.SetView3D(false);
    chart.Legend().SetVisible(false);
    chart.Title().SetText({"Title"});
    chart.Title().SetVisible(true);
    bars.Marks().SetVisible(false);
    bars.SetSeriesColor(clBlue);
    chart.AttachSeries(&bars);
    bars.AddPoint(0, 5, "", clDefault);
    chart.LeftAxis().SetAxisRange(0, 10);
    host.Paint(true);
  }
  int Count(const TRect& r, TColor color) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += host.PixelAt(x, y) == color;
    return n;
  }
  TSeriesOwner owner;
  TChart chart;
  TBarSeries& bars = owner.CreateSeries<TBarSeries>();
  TTestWindowHost host{chart, 300, 200};
};

// A picture of one colour.
struct TPlainPicture : TBitmap {
  TPlainPicture(int w, int h, TColor color) : TBitmap(w, h) {
    Canvas().Brush() = TBrush{color, bsSolid, clWhite};
    Canvas().FillRect(Rect(0, 0, w, h));
  }
};

}  // namespace

// Each setting shows where it says, in the picture a user sees.
TEST(ChartSettingsTest, StoredSettingsShowWhereTheySay) {
  const TPlainPicture lime(3, 3, clLime), big(40, 30, clLime);
  const struct {
    const char* name;
    std::function<void(TSettingsChart&)> set;
    std::function<void(TSettingsChart&)> check;
  } cases[] = {
      {"a title's frame spans the plot without AdjustFrame",
       [](auto& c) {
         TChartPen pen;
         pen.color = clRed;
         c.chart.Title().SetFrame(pen);
         c.chart.Title().SetAdjustFrame(false);
       },
       [](auto& c) {
         // The plot as the title found it: the chart less its margins.
         const TRect title = c.chart.Layout().Title.Rect;
         EXPECT_EQ(title.left, 9);
         EXPECT_EQ(title.right, 291);
         EXPECT_EQ(c.host.PixelAt(title.left + 2, title.top), clRed);
         EXPECT_EQ(c.host.PixelAt(title.right - 3, title.top), clRed);
       }},
      {"a title's brush fills inside its frame",
       [](auto& c) {
         c.chart.Title().SetBrush({{clFuchsia, bsSolid, clWhite}});
       },
       [](auto& c) { EXPECT_GT(c.Count(c.chart.Layout().Title.Rect, clFuchsia), 10); }},
      {"a title's brush picture is tiled inside it",
       [&lime](auto& c) {
         TChartBrush brush{{clWhite, bsClear, clWhite}};
         brush.Image = &lime;
         c.chart.Title().SetBrush(brush);
       },
       [](auto& c) { EXPECT_GT(c.Count(c.chart.Layout().Title.Rect, clLime), 10); }},
      {"a bar's brush picture covers its face inside the outline",
       [&lime](auto& c) {
         TChartBrush brush = c.bars.BarBrush();
         brush.Image = &lime;
         c.bars.SetBarBrush(brush);
       },
       [](auto& c) {
         const TRect bar = c.bars.BarRect(0);
         EXPECT_EQ(c.Count(Rect(bar.left + 1, bar.top + 1, bar.right - 1, bar.bottom - 1), clLime),
                   (bar.right - bar.left - 2) * (bar.bottom - bar.top - 2));
         EXPECT_EQ(c.host.PixelAt(bar.left, bar.top + 3), clBlack);  // the outline stays
       }},
      {"the back wall's brush picture covers the plot",
       [&lime](auto& c) {
         TChartBrush brush = c.chart.BackWall().Brush();
         brush.Image = &lime;
         c.chart.BackWall().SetBrush(brush);
       },
       [](auto& c) {
         const TRect plot = c.chart.PlotRect();
         EXPECT_EQ(c.host.PixelAt(plot.left + 3, plot.top + 3), clLime);
         EXPECT_EQ(c.host.PixelAt(plot.right - 3, plot.bottom - 3), clLime);
       }},
      {"a back picture tiled fills the whole chart",
       [&lime](auto& c) {
         c.chart.SetBackImage(&lime);
         c.chart.SetBackImageMode(pbmTile);
       },
       [](auto& c) {
         EXPECT_EQ(c.host.PixelAt(1, 1), clLime);
         EXPECT_EQ(c.host.PixelAt(298, 198), clLime);
       }},
      {"a back picture centred stands once in the middle",
       [&big](auto& c) {
         c.chart.SetBackImage(&big);
         c.chart.SetBackImageMode(pbmCenter);
       },
       [](auto& c) {
         // Where the plot does not cover it, and nowhere else.
         const int inside = c.Count(Rect(130, 85, 170, 115), clLime);
         EXPECT_GT(inside, 100);
         EXPECT_EQ(c.Count(Rect(0, 0, 300, 200), clLime), inside);
       }},
      {"small dots draw every other pixel whatever the pen's style",
       [](auto& c) {
         TChartPen grid = c.chart.LeftAxis().Grid();
         grid.color = clRed;
         grid.style = psSolid;
         grid.width = 3;
         grid.SmallDots = true;
         c.chart.LeftAxis().SetGrid(grid);
       },
       [](auto& c) {
         const int y = c.chart.LeftAxis().ValueToPixel(8);
         const int x = (c.chart.PlotRect().left + c.chart.PlotRect().right) / 2;
         EXPECT_NE(c.host.PixelAt(x, y) == clRed, c.host.PixelAt(x + 1, y) == clRed);
         EXPECT_NE(c.host.PixelAt(x, y - 1), clRed);  // one pixel wide
       }},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    TSettingsChart c;
    k.set(c);
    c.host.Paint(true);
    k.check(c);
  }
}

TEST(ChartSettingsTest, APageChangeIsAnnouncedOnce) {
  TSettingsChart c;
  int changes = 0;
  c.chart.OnPageChange = [&](TCustomChart*) { ++changes; };
  c.chart.SetPage(3);
  c.chart.SetPage(3);
  c.chart.SetPage(1);
  EXPECT_EQ(changes, 2);
}

// Printed, the chart leaves the paper white, draws white text black and cuts no point at the
// plot; the window's next picture is as before.
TEST(ChartSettingsTest, PrintingRulesHoldOnThePageOnly) {
  TSettingsChart c;
  c.chart.SetColor(clNavy);
  TFont white = c.chart.Title().Font();
  white.SetColor(clWhite);
  c.chart.Title().SetFont(white);
  c.bars.AddPoint(1, 25, "", clDefault);  // above the axis' range: cut on screen
  c.host.Paint(true);
  const TRect title = c.chart.Layout().Title.Rect;
  auto inkIn = [](TBitmap& p, const TRect& r, TColor color) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += p.Pixel(x, y) == color;
    return n;
  };
  const int screenWhite = inkIn(c.host.Picture(), title, clWhite);
  EXPECT_GT(screenWhite, 0);
  const int top = c.chart.PlotRect().top;
  const TRect aboveBar = Rect(c.bars.BarRect(1).left + 2, 0, c.bars.BarRect(1).right - 2, top - 1);
  EXPECT_EQ(inkIn(c.host.Picture(), aboveBar, clBlue), 0);

  TBitmap page(300, 200, 2.0);
  c.chart.PrintTo(page.Canvas(), Rect(0, 0, 300, 200));
  EXPECT_EQ(page.Pixel(2, 2), clWhite);
  EXPECT_EQ(inkIn(page, Rect(0, 0, 300, 200), clNavy), 0);
  EXPECT_GT(inkIn(page, title, clBlack), 0);
  EXPECT_GT(inkIn(page, aboveBar, clBlue), 0);
  EXPECT_FALSE(c.chart.Printing());

  c.host.Paint(true);
  EXPECT_EQ(inkIn(c.host.Picture(), title, clWhite), screenWhite);
  EXPECT_EQ(c.host.PixelAt(2, 2), clNavy);
}
