#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "chart/series/BarSeries.h"
#include "chart/series/PieSeries.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"

namespace {

// A chart that counts the repaints it is asked for.
class TCountingChart : public TChart {
 public:
  int Invalidations = 0;

 protected:
  void InvalidateView() override {
    ++Invalidations;
    TChart::InvalidateView();
  }
};

struct TSetterCase {
  std::string name;
  std::function<void(TCountingChart&)> set;
};

TChartPen WidePen() {
  TChartPen pen;
  pen.width = 3;
  pen.color = clRed;
  return pen;
}

TFont BigFont() {
  TFont font;
  font.SetSize(20);
  return font;
}

std::vector<TSetterCase> PublishedSetters() {
  static const TBitmap image(2, 2);
  std::vector<TSetterCase> cases = {
      {"Gradient",
       [](auto& c) {
         c.SetGradient({true, gdLeftRight, clRed, clBlue});
       }},
      {"BackImage", [](auto& c) { c.SetBackImage(&image); }},
      {"BackImageInside", [](auto& c) { c.SetBackImageInside(true); }},
      {"BackImageMode", [](auto& c) { c.SetBackImageMode(pbmTile); }},
      {"Page", [](auto& c) { c.SetPage(2); }},
      {"ScaleLastPage", [](auto& c) { c.SetScaleLastPage(false); }},
  };
  using TWallOf = std::function<TChartWall&(TCountingChart&)>;
  for (const TWallOf& w : {TWallOf([](auto& c) -> TChartWall& { return c.BackWall(); }),
                           TWallOf([](auto& c) -> TChartWall& { return c.LeftWall(); }),
                           TWallOf([](auto& c) -> TChartWall& { return c.BottomWall(); })}) {
    cases.push_back({"wall colour", [w](auto& c) { w(c).SetColor(clRed); }});
    cases.push_back({"wall brush", [w](auto& c) { w(c).SetBrush({{clRed, bsCross, clRed}}); }});
    cases.push_back({"wall pen", [w](auto& c) { w(c).SetPen(WidePen()); }});
    cases.push_back({"wall Dark3D", [w](auto& c) { w(c).SetDark3D(false); }});
    cases.push_back({"wall size", [w](auto& c) { w(c).SetSize(4); }});
  }
  auto axis = [](TCountingChart& c) -> TCustomChartAxis& { return c.LeftAxis(); };
  cases.insert(cases.end(),
               {
                   {"LabelsFont", [axis](auto& c) { axis(c).SetLabelsFont(BigFont()); }},
                   {"LabelsSize", [axis](auto& c) { axis(c).SetLabelsSize(30); }},
                   {"TitleSize", [axis](auto& c) { axis(c).SetTitleSize(30); }},
                   {"TickLength", [axis](auto& c) { axis(c).SetTickLength(9); }},
                   {"TickInnerLength", [axis](auto& c) { axis(c).SetTickInnerLength(3); }},
                   {"MinorTickCount", [axis](auto& c) { axis(c).SetMinorTickCount(1); }},
                   {"LabelsMultiLine", [axis](auto& c) { axis(c).SetLabelsMultiLine(true); }},
                   {"GridCentered", [axis](auto& c) { axis(c).SetGridCentered(true); }},
                   {"axis title font", [axis](auto& c) { axis(c).Title().SetFont(BigFont()); }},
                   {"axis pen", [axis](auto& c) { axis(c).SetAxis(WidePen()); }},
                   {"grid pen", [axis](auto& c) { axis(c).SetGrid(WidePen()); }},
                   {"minor grid pen", [axis](auto& c) { axis(c).SetMinorGrid(WidePen()); }},
                   {"ticks pen", [axis](auto& c) { axis(c).SetTicks(WidePen()); }},
                   {"inner ticks pen", [axis](auto& c) { axis(c).SetTicksInner(WidePen()); }},
                   {"minor ticks pen", [axis](auto& c) { axis(c).SetMinorTicks(WidePen()); }},
                   {"title alignment", [](auto& c) { c.Title().SetAlignment(taLeftJustify); }},
                   {"title colour", [](auto& c) { c.Title().SetColor(clRed); }},
                   {"title font", [](auto& c) { c.Title().SetFont(BigFont()); }},
                   {"title frame", [](auto& c) { c.Title().SetFrame(WidePen()); }},
                   {"foot text", [](auto& c) { c.Foot().SetText({"foot"}); }},
                   {"legend alignment", [](auto& c) { c.Legend().SetAlignment(laBottom); }},
                   {"legend colour", [](auto& c) { c.Legend().SetColor(clRed); }},
                   {"legend colour width", [](auto& c) { c.Legend().SetColorWidth(30); }},
                   {"legend first value", [](auto& c) { c.Legend().SetFirstValue(1); }},
                   {"legend inverted", [](auto& c) { c.Legend().SetInverted(true); }},
                   {"legend rows", [](auto& c) { c.Legend().SetMaxNumRows(1); }},
                   {"legend shadow", [](auto& c) { c.Legend().SetShadowSize(8); }},
                   {"legend style", [](auto& c) { c.Legend().SetLegendStyle(lsSeries); }},
                   {"legend top", [](auto& c) { c.Legend().SetTopPos(50); }},
                   {"legend font", [](auto& c) { c.Legend().SetFont(BigFont()); }},
                   {"legend frame", [](auto& c) { c.Legend().SetFrame(WidePen()); }},
                   {"legend resizes", [](auto& c) { c.Legend().SetResizeChart(false); }},
               });
  // The pie beside the bars.
  auto pie = [](TCountingChart& c) -> TPieSeries& {
    return dynamic_cast<TPieSeries&>(*c.SeriesAt(1));
  };
  cases.insert(cases.end(),
               {
                   {"pie rotation", [pie](auto& c) { pie(c).SetRotationAngle(90); }},
                   {"pie explode", [pie](auto& c) { pie(c).SetExplodeBiggest(20); }},
                   {"slice explode", [pie](auto& c) { pie(c).SetExplodeOffset(1, 20); }},
                   {"pie circled", [pie](auto& c) { pie(c).SetCircled(true); }},
                   {"slice pen", [pie](auto& c) { pie(c).SetSlicePen(WidePen()); }},
                   {"pie dark sides", [pie](auto& c) { pie(c).SetDark3D(false); }},
               });
  return cases;
}

}  // namespace

TEST(ChartPropertyTest, EveryPublishedSetterRepaintsOnChangeOnly) {
  EnsureGuiApplication();
  for (const TSetterCase& setter : PublishedSetters()) {
    SCOPED_TRACE(setter.name);
    TSeriesOwner owner;
    TCountingChart chart;
    TTestWindowHost host{chart, 300, 200};
    auto& series = owner.CreateSeries<TBarSeries>();
    chart.AttachSeries(&series);
    for (int x = 0; x < 3; ++x) series.AddPoint(x, x + 1, "", clDefault);
    auto& pie = owner.CreateSeries<TPieSeries>();
    chart.AttachSeries(&pie);
    for (int x = 0; x < 3; ++x) pie.AddPoint(x, x + 1, "", clDefault);
    host.Paint(true);
    chart.Invalidations = 0;
    setter.set(chart);
    EXPECT_EQ(chart.Invalidations, 1);
    EXPECT_TRUE(chart.Canvas().Stale());
    host.Paint();
    setter.set(chart);  // the same value again
    EXPECT_EQ(chart.Invalidations, 1);
    EXPECT_FALSE(chart.Canvas().Stale());
  }
}

TEST(ChartPropertyTest, AWallColourChangedAfterThePaintShowsAtTheNext) {
  EnsureGuiApplication();
  TChart chart;
  TTestWindowHost host{chart, 300, 200};
  host.Paint(true);
  const TRect plot = chart.PlotRect();
  const TPoint onLeftWall{plot.left + 2, (plot.top + plot.bottom) / 2};
  EXPECT_EQ(host.PixelAt(onLeftWall.x, onLeftWall.y), TColor{0x80FFFF});
  chart.LeftWall().SetColor(clRed);
  EXPECT_TRUE(host.Paint());
  EXPECT_EQ(host.PixelAt(onLeftWall.x, onLeftWall.y), clRed);
}

TEST(ChartPropertyTest, SizesOutOfAnyWindowAreKeptInRange) {
  TChart chart;
  chart.LeftWall().SetSize(std::numeric_limits<int>::max());
  chart.LeftAxis().SetTickLength(std::numeric_limits<int>::min());
  chart.Legend().SetShadowSize(std::numeric_limits<int>::max());
  TChartPen pen;
  pen.width = -5;
  chart.LeftAxis().SetGrid(pen);
  EXPECT_EQ(chart.LeftWall().Size(), kMaxPixelSetting);
  EXPECT_EQ(chart.LeftAxis().TickLength(), -kMaxPixelSetting);
  EXPECT_EQ(chart.Legend().ShadowSize(), kMaxPixelSetting);
  EXPECT_EQ(chart.LeftAxis().Grid().width, 0);
  pen.width = std::numeric_limits<int>::max();
  chart.Title().SetFrame(pen);
  EXPECT_EQ(chart.Title().Frame().width, kMaxPenWidth);
  chart.BackWall().SetPen(pen);
  EXPECT_EQ(chart.BackWall().Pen().width, kMaxPenWidth);
  chart.View3DOptions().SetHorizOffset(std::numeric_limits<int>::max());
  chart.View3DOptions().SetZoom(std::numeric_limits<int>::min());
  chart.BottomAxis().SetStartPosition(std::numeric_limits<double>::quiet_NaN());
  chart.BottomAxis().SetEndPosition(1e300);
  EXPECT_EQ(chart.View3DOptions().HorizOffset(), kMaxPixelSetting);
  EXPECT_EQ(chart.View3DOptions().Zoom(), -TView3DOptions::kMaxZoom);
  EXPECT_EQ(chart.BottomAxis().StartPosition(), 0);
  EXPECT_EQ(chart.BottomAxis().EndPosition(), 100.0 * kMaxPixelSetting);
}

TEST(ChartPropertyTest, ExtremeSettingsAndValuesStillPaint) {
  EnsureGuiApplication();
  TSeriesOwner owner;
  TChart chart;
  TTestWindowHost host{chart, 120, 80};
  auto& series = owner.CreateSeries<TBarSeries>();
  chart.AttachSeries(&series);
  for (double y : {1e300, -1e300, 1.0, std::numeric_limits<double>::quiet_NaN()})
    series.AddPoint(series.PointCount(), y, "", clDefault);
  const int huge = std::numeric_limits<int>::max();
  chart.View3DOptions().SetVertOffset(-huge);
  chart.View3DOptions().SetZoom(huge);
  chart.BottomAxis().SetEndPosition(1e300);
  chart.LeftAxis().SetTickLength(huge);
  chart.Legend().SetColorWidth(huge);
  chart.Legend().SetTopPos(huge);
  chart.LeftWall().SetSize(huge);
  series.SetCustomBarWidth(huge);
  EXPECT_TRUE(host.Paint(true));
  // A page as large as can be, and bars over a range narrower than a pixel.
  chart.SetMaxPointsPerPage(huge);
  EXPECT_TRUE(host.Paint(true));
  chart.SetMaxPointsPerPage(0);
  series.SetAutoBarSize(true);
  chart.BottomAxis().SetAxisRange(0, 1e-300);
  EXPECT_TRUE(host.Paint(true));
  EXPECT_LE(series.BarPixelWidth(), kMaxPixelSetting);
}
