#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "chart/Chart.h"
#include "chart/series/BarSeries.h"
#include "platform/Bitmap.h"
#include "platform/Exception.h"
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
  TRect fitted;  // a rectangle a case keeps between its steps
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
         c.host.Paint(true);
         c.fitted = c.chart.Layout().Title.Rect;
         c.chart.Title().SetAdjustFrame(false);
       },
       [](auto& c) {
         // The plot as the title found it: the chart less its margins.
         const TRect title = c.chart.Layout().Title.Rect;
         EXPECT_EQ(title.top, c.fitted.top);  // only its width changes
         EXPECT_EQ(title.bottom, c.fitted.bottom);
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
      {"a back picture of less than a tile's size tiled fills the whole chart",
       [&big](auto& c) {
         c.chart.SetBackImage(&big);
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
      {"a back picture tiled inside the plot stays inside it",
       [&lime](auto& c) {
         c.chart.SetBackImage(&lime);
         c.chart.SetBackImageMode(pbmTile);
         c.chart.SetBackImageInside(true);
       },
       [](auto& c) {
         const TRect plot = c.chart.PlotRect();
         const int inside = c.Count(plot, clLime);
         EXPECT_GT(inside, (plot.right - plot.left) * (plot.bottom - plot.top) / 2);
         EXPECT_EQ(c.Count(Rect(0, 0, 300, 200), clLime), inside);
       }},
      {"a back picture centred inside the plot stands in its middle",
       [&big](auto& c) {
         c.chart.SetBackImage(&big);
         c.chart.SetBackImageMode(pbmCenter);
         c.chart.SetBackImageInside(true);
       },
       [](auto& c) {
         const TRect plot = c.chart.PlotRect();
         int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
         for (int y = 0; y < 200; ++y)
           for (int x = 0; x < 300; ++x)
             if (c.host.PixelAt(x, y) == clLime)
               left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
               bottom = std::max(bottom, y);
         // The bar hides the picture's lower half: its top edge tells where it stands.
         ASSERT_GE(right, 0);
         EXPECT_NEAR((left + right + 1) / 2.0, (plot.left + plot.right) / 2.0, 1.5);
         EXPECT_NEAR(top, (plot.top + plot.bottom) / 2.0 - 15, 1.5);
         (void)bottom;
       }},
      {"a title's brush fills its frame's whole width without AdjustFrame",
       [](auto& c) {
         TChartPen pen;
         pen.color = clRed;
         c.chart.Title().SetFrame(pen);
         c.chart.Title().SetAdjustFrame(false);
         c.chart.Title().SetBrush({{clFuchsia, bsSolid, clWhite}});
       },
       [](auto& c) {
         const TRect title = c.chart.Layout().Title.Rect;
         const int y = (title.top + title.bottom) / 2;
         EXPECT_EQ(c.host.PixelAt(title.left + 2, y), clFuchsia);
         EXPECT_EQ(c.host.PixelAt(title.right - 3, y), clFuchsia);
       }},
      {"a one-pixel brush picture covers a bar",
       [](auto& c) {
         static const TPlainPicture dot(1, 1, clLime);
         TChartBrush brush = c.bars.BarBrush();
         brush.Image = &dot;
         c.bars.SetBarBrush(brush);
       },
       [](auto& c) {
         const TRect bar = c.bars.BarRect(0);
         EXPECT_EQ(c.Count(Rect(bar.left + 1, bar.top + 1, bar.right - 1, bar.bottom - 1), clLime),
                   (bar.right - bar.left - 2) * (bar.bottom - bar.top - 2));
       }},
      {"a brush picture larger than the chart is cut to the bar",
       [](auto& c) {
         static const TPlainPicture huge(3000, 2000, clLime);
         TChartBrush brush = c.bars.BarBrush();
         brush.Image = &huge;
         c.bars.SetBarBrush(brush);
       },
       [](auto& c) {
         const TRect bar = c.bars.BarRect(0);
         const int inside =
             c.Count(Rect(bar.left + 1, bar.top + 1, bar.right - 1, bar.bottom - 1), clLime);
         EXPECT_EQ(inside, (bar.right - bar.left - 2) * (bar.bottom - bar.top - 2));
         EXPECT_EQ(c.Count(Rect(0, 0, 300, 200), clLime), inside);
       }},
      {"small dots on the axis line draw one pixel wide, every other pixel",
       [](auto& c) {
         TChartPen axis = c.chart.LeftAxis().Axis();
         axis.color = clRed;
         axis.width = 4;
         axis.SmallDots = true;
         c.chart.LeftAxis().SetAxis(axis);
       },
       [](auto& c) {
         const TRect plot = c.chart.PlotRect();
         int columns = 0, most = 0;
         for (int x = plot.left - 8; x < plot.left + 8; ++x) {
           const int n = c.Count(Rect(x, plot.top + 2, x + 1, plot.bottom - 2), clRed);
           columns += n > 0;
           most = std::max(most, n);
         }
         EXPECT_EQ(columns, 1);
         EXPECT_GT(most, (plot.bottom - plot.top) / 4);
         EXPECT_LT(most, (plot.bottom - plot.top) * 2 / 3);
       }},
      {"small dots on a bar's outline leave gaps in it",
       [](auto& c) {
         TChartPen pen = c.bars.BarPen();
         pen.color = clRed;
         pen.SmallDots = true;
         c.bars.SetBarPen(pen);
       },
       [](auto& c) {
         const TRect bar = c.bars.BarRect(0);
         const int n = c.Count(Rect(bar.left, bar.top + 2, bar.left + 1, bar.bottom - 2), clRed);
         EXPECT_GT(n, (bar.bottom - bar.top) / 4);
         EXPECT_LT(n, (bar.bottom - bar.top) * 2 / 3);
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

// A page printed at any resolution, in any rectangle, holds the chart laid out as at scale 1
// and nothing outside its rectangle; afterwards the window asks for a repaint, its hit tests
// see the window's layout at once, and its picture comes back pixel for pixel.
TEST(ChartSettingsTest, PrintedPagesLeaveTheWindowAsItWas) {
  const TRect rects[] = {Rect(0, 0, 300, 200), Rect(40, 30, 640, 430)};
  for (const TRect& r : rects) {
    TRect paperPlot{};
    for (double scale : {1.0, 2.0, 3.125, 4.0}) {
      SCOPED_TRACE(testing::Message() << "scale " << scale << " at " << r.left);
      TSettingsChart c;
      c.chart.SetView3D(true);
      c.chart.Legend().SetVisible(true);
      c.bars.Marks().SetVisible(true);
      c.host.Paint(true);
      const TRect screenPlot = c.chart.PlotRect();
      std::vector<TColor> before;
      for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) before.push_back(c.host.PixelAt(x, y));

      TRect printedPlot{};
      c.chart.OnAfterDraw = [&](TCustomChartPanel* p) { printedPlot = p->PlotRect(); };
      TPlainPicture paper(700, 460, clYellow);
      paper.SetScale(scale);
      paper.Canvas().Brush() = TBrush{clYellow, bsSolid, clWhite};
      paper.Canvas().FillRect(Rect(0, 0, 700, 460));
      c.host.ClearRecords();
      c.chart.PrintTo(paper.Canvas(), r);
      c.chart.OnAfterDraw = nullptr;
      EXPECT_EQ(paper.Pixel(r.left + 2, r.top + 2), clWhite);
      EXPECT_EQ(paper.Pixel(r.right + 5, r.bottom + 5), clYellow);
      if (r.left > 0) {
        EXPECT_EQ(paper.Pixel(r.left - 5, r.top - 5), clYellow);
      }
      EXPECT_EQ(printedPlot.Width() > 0, true);
      if (scale == 1.0)
        paperPlot = printedPlot;
      else
        EXPECT_EQ(printedPlot, paperPlot);

      EXPECT_EQ(c.chart.PlotRect(), screenPlot);
      EXPECT_TRUE(c.host.HasPendingPaint());
      c.host.Paint();
      int changed = 0;
      for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) changed += c.host.PixelAt(x, y) != before[y * 300 + x];
      EXPECT_EQ(changed, 0);
    }
  }
}

namespace {
// The first bytes of a file, or "" when it cannot be read.
std::string FileText(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return "";
  std::string text;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
  std::fclose(f);
  return text;
}
// The page size a PDF's MediaBox gives, in points.
std::pair<double, double> MediaBox(const std::string& pdf) {
  const size_t at = pdf.find("/MediaBox");
  if (at == std::string::npos) return {0, 0};
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  std::sscanf(pdf.c_str() + pdf.find('[', at) + 1, "%lf %lf %lf %lf", &x0, &y0, &x1, &y1);
  return {x1 - x0, y1 - y0};
}
}  // namespace

// A picture saved as a PDF page keeps its logical size at 96 to the inch, whatever its
// scale or size; a file in the way is replaced, and a failure names the file.
TEST(ChartSettingsTest, PicturesSavedAsPdfPages) {
  EnsureGuiApplication();
  const std::string dir = testing::TempDir() + "pdf-pages";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string path = dir + "/chart.pdf";
  {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("an older file", f);
    std::fclose(f);
  }
  const struct {
    int w, h;
    double scale;
  } pages[] = {{300, 200, 1}, {300, 200, 3.125}, {40, 30, 4}, {20000, 100, 1}, {100, 20000, 2}};
  for (const auto& k : pages) {
    SCOPED_TRACE(testing::Message() << k.w << "x" << k.h << " at " << k.scale);
    TBitmap picture(k.w, k.h, k.scale);
    ASSERT_NO_THROW(picture.SaveToPdf(path));
    const std::string pdf = FileText(path);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    const auto [w, h] = MediaBox(pdf);
    // Readers refuse pages beyond 14400 units a side; a larger page is shrunk to fit, in
    // proportion.
    const double fit = std::min(1.0, 14400.0 / (std::max(k.w, k.h) * 0.75));
    EXPECT_NEAR(w, k.w * 0.75 * fit, 1);
    EXPECT_NEAR(h, k.h * 0.75 * fit, 1);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                          std::filesystem::directory_iterator{}),
            1);
  TBitmap empty, one(10, 10);
  for (const auto& [picture, target] :
       {std::pair<const TBitmap*, std::string>{&empty, path}, {&one, dir + "/missing/chart.pdf"}}) {
    try {
      picture->SaveToPdf(target);
      ADD_FAILURE() << "saved " << target;
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.what()).find(target), std::string::npos) << e.what();
    }
  }
  std::filesystem::remove_all(dir);
}

// Settings that had no test: each shows as a user sees it.
TEST(ChartSettingsTest, AxisPlacesDepthShadesAndBevelsShowAsSet) {
  const struct {
    const char* name;
    std::function<void(TSettingsChart&)> run;
  } cases[] = {
      {"ticks stand only where labels do unless asked otherwise",
       [](TSettingsChart& c) {
         TChartPen red;
         red.color = clRed;
         c.chart.LeftAxis().SetTicks(red);
         c.chart.LeftAxis().SetLabels(false);
         c.host.Paint(true);
         const int x = c.chart.LeftAxis().AxisLinePos() - 4;
         const TRect ticks = Rect(x, c.chart.PlotRect().top, x + 2, c.chart.PlotRect().bottom);
         EXPECT_EQ(c.Count(ticks, clRed), 0);
         c.chart.LeftAxis().SetTickOnLabelsOnly(false);
         c.host.Paint(true);
         EXPECT_GT(c.Count(ticks, clRed), 4);
       }},
      {"an axis moved into the plot by PositionPercent",
       [](TSettingsChart& c) {
         TChartPen red;
         red.color = clRed;
         red.width = 1;
         c.chart.LeftAxis().SetAxis(red);
         c.chart.LeftAxis().SetPositionPercent(50);
         c.host.Paint(true);
         const TRect plot = c.chart.PlotRect();
         const int x = plot.left + static_cast<int>(std::lround((plot.right - plot.left) * 0.5));
         EXPECT_EQ(c.chart.LeftAxis().AxisLinePos(), x);
         EXPECT_EQ(c.host.PixelAt(x, plot.top + 3), clRed);  // above the bar
       }},
      {"a series on a custom axis maps through it",
       [](TSettingsChart& c) {
         c.chart.RightAxis().SetAxisRange(0, 20);
         c.bars.SetVertAxis(aCustomVertAxis);
         c.bars.SetCustomVertAxis(&c.chart.RightAxis());
         c.host.Paint(true);
         EXPECT_EQ(c.bars.BarRect(0).top, c.chart.RightAxis().ValueToPixel(5));
         EXPECT_NE(c.bars.BarRect(0).top, c.chart.LeftAxis().ValueToPixel(5));
       }},
      {"3D bars' sides are darker unless Dark3D is off",
       [](TSettingsChart& c) {
         c.chart.SetView3D(true);
         c.bars.SetBarPen(ChartHiddenPen());
         c.host.Paint(true);
         const TRect bar = c.bars.BarRect(0);
         const TPoint side = c.chart.Canvas().ProjectPoint(bar.right, (bar.top + bar.bottom) / 2,
                                                           (c.bars.StartZ() + c.bars.EndZ()) / 2);
         EXPECT_NE(c.host.PixelAt(side.x, side.y), clBlue);
         c.bars.SetDark3D(false);
         c.host.Paint(true);
         EXPECT_EQ(c.host.PixelAt(side.x, side.y), clBlue);
       }},
      {"zoomed 3D text grows with ZoomText only",
       [](TSettingsChart& c) {
         // A bar's mark, drawn in the box.
         c.chart.SetView3D(true);
         TFont red = c.bars.Marks().Font();
         red.SetColor(clRed);
         c.bars.Marks().SetFont(red);
         c.bars.Marks().SetTransparent(true);
         c.bars.Marks().SetFrame(ChartHiddenPen());
         c.bars.Marks().SetVisible(true);
         c.chart.View3DOptions().SetZoom(120);
         c.host.Paint(true);
         const int zoomed = c.Count(Rect(0, 0, 300, 200), clRed);
         c.chart.View3DOptions().SetZoomText(false);
         c.host.Paint(true);
         const int plain = c.Count(Rect(0, 0, 300, 200), clRed);
         EXPECT_GT(plain, 0);
         EXPECT_GT(zoomed, plain * 6 / 5);
       }},
      {"Tilt turns the picture in the screen plane",
       [](TSettingsChart& c) {
         c.chart.SetView3D(true);
         c.chart.View3DOptions().SetOrthogonal(false);
         c.bars.SetBarPen(ChartHiddenPen());
         // The bar's left edge as projected; its front face's middle shows the bar's colour.
         auto leftEdge = [&c] {
           c.host.Paint(true);
           const TRect bar = c.bars.BarRect(0);
           const int z = c.bars.StartZ();
           const TPoint middle = c.chart.Canvas().ProjectPoint((bar.left + bar.right) / 2,
                                                               (bar.top + bar.bottom) / 2, z);
           EXPECT_EQ(c.host.PixelAt(middle.x, middle.y), clBlue);
           const TPoint top = c.chart.Canvas().ProjectPoint(bar.left, bar.top, z);
           const TPoint bottom = c.chart.Canvas().ProjectPoint(bar.left, bar.bottom, z);
           return TPoint{std::abs(bottom.x - top.x), std::abs(bottom.y - top.y)};
         };
         const TPoint upright = leftEdge();
         EXPECT_GT(upright.y, 4 * upright.x);
         c.chart.View3DOptions().SetTilt(90);
         const TPoint turned = leftEdge();
         EXPECT_GT(turned.x, 4 * turned.y);
       }},
      {"a raised bevel is light above and dark below",
       [](TSettingsChart& c) {
         c.chart.SetBevelOuter(bvRaised);
         c.chart.SetBevelWidth(2);
         c.host.Paint(true);
         EXPECT_EQ(c.host.PixelAt(150, 0), clWhite);
         EXPECT_EQ(c.host.PixelAt(150, 199), TColor{0x808080});
         c.chart.SetBevelOuter(bvLowered);
         c.host.Paint(true);
         EXPECT_EQ(c.host.PixelAt(150, 0), TColor{0x808080});
       }},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    TSettingsChart c;
    k.run(c);
  }
}
