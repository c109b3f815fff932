#include <gtest/gtest.h>

#include "chart/Chart.h"
#include "chart/series/BarSeries.h"
#include "platform/Exception.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"

namespace {

// A chart that shows how its last layout began and counts its full draws.
class TProbeChart : public TChart {
 public:
  TProbeChart() {
    OnAfterDraw = [this](TCustomChartPanel*) { ++Draws; };
  }
  TRect Margins(const TRect& bounds) const { return MarginRect(bounds); }
  int Draws = 0;
};

class ChartPanelFixture : public ::testing::Test {
 protected:
  void SetUp() override { EnsureGuiApplication(); }

  TBarSeries& AddStacked(std::initializer_list<double> values) {
    TBarSeries& series = owner.CreateSeries<TBarSeries>();
    series.SetMultiBar(mbStacked);
    series.Marks().SetVisible(false);
    chart.AttachSeries(&series);
    int x = 0;
    for (double v : values) series.AddPoint(x++, v, "", clDefault);
    return series;
  }

  TColor At(int x, int y) { return host.PixelAt(x, y); }

  TSeriesOwner owner;
  TProbeChart chart;
  TTestWindowHost host{chart, 400, 250};
};

}  // namespace

TEST_F(ChartPanelFixture, MarginsCarveThePlotRectangle) {
  EXPECT_EQ(chart.Margins(Rect(0, 0, 850, 173)), Rect(26, 7, 824, 166));
  chart.SetBorderWidth(2);
  EXPECT_EQ(chart.Margins(Rect(0, 0, 850, 173)), Rect(28, 9, 822, 164));
  EXPECT_THROW(chart.SetChart3DPercent(0), Exception);
  try {
    chart.SetChart3DPercent(101);
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "3D effect percent must be between 1 and 100");
  }
  EXPECT_EQ(chart.Chart3DPercent(), 15);
}

TEST_F(ChartPanelFixture, RepaintWithoutChangeOnlyCopiesThePicture) {
  AddStacked({1, 2, 3});
  host.Paint(true);
  EXPECT_EQ(chart.Draws, 1);
  host.Paint(true);
  host.Paint(true);
  EXPECT_EQ(chart.Draws, 1);
  // Several changes, one invalidation each, but one draw at the next paint.
  chart.SeriesAt(0)->AddPoint(3, 4, "", clDefault);
  chart.SeriesAt(0)->AddPoint(4, 4, "", clDefault);
  EXPECT_TRUE(host.HasPendingPaint());
  host.Paint();
  EXPECT_EQ(chart.Draws, 2);
  chart.SetRepaintOnChange(false);
  chart.SeriesAt(0)->AddPoint(5, 4, "", clDefault);
  EXPECT_FALSE(host.HasPendingPaint());
}

TEST_F(ChartPanelFixture, ResizeRecreatesThePicture) {
  AddStacked({1});
  host.Paint(true);
  ASSERT_NE(chart.Canvas().Picture(), nullptr);
  EXPECT_EQ(chart.Canvas().Picture()->Width(), 400);
  host.Resize(300, 120);
  host.Paint(true);
  EXPECT_EQ(chart.Draws, 2);
  EXPECT_EQ(chart.Canvas().Picture()->Width(), 300);
  EXPECT_EQ(chart.Canvas().Picture()->Height(), 120);
  // Also when the resize could not ask for a repaint.
  chart.SetRepaintOnChange(false);
  host.Resize(200, 100);
  host.Paint(true);
  EXPECT_EQ(chart.Draws, 3);
  EXPECT_EQ(chart.Canvas().Picture()->Width(), 200);
}

TEST_F(ChartPanelFixture, WithoutSeriesOnlyWallsAndBackground) {
  chart.Legend().SetVisible(false);
  host.Paint(true);
  EXPECT_FALSE(chart.AxisIsShown(chart.LeftAxis()));
  // Left of the plot there is nothing but the background: no labels, no axis line.
  const TColor face = ColorToRGB(clBtnFace);
  for (int y = 2; y < 248; y += 3)  // inside the bevel
    for (int x = 2; x < chart.PlotRect().left - 1; ++x) ASSERT_EQ(At(x, y), face) << x << "," << y;
  // The left wall is light yellow, the floor white.
  const TRect plot = chart.PlotRect();
  EXPECT_EQ(At(plot.left + 2, plot.top + 20), TColor{0x80FFFF});
  EXPECT_EQ(At((plot.left + plot.right) / 2, plot.bottom - 1), clWhite);
}

TEST_F(ChartPanelFixture, HiddenTitleAndLegendLeaveTheFullHeight) {
  AddStacked({1, 2});
  chart.Title().SetText({"Plant"});
  host.Paint(true);
  const int withTitle = chart.PlotRect().top;
  const int withLegend = chart.PlotRect().right;
  chart.Title().SetVisible(false);
  chart.Legend().SetVisible(false);
  host.Paint();
  EXPECT_LT(chart.PlotRect().top, withTitle);
  EXPECT_GT(chart.PlotRect().right, withLegend);
  // Without title, legend or a top axis only the 3D depth is taken above the plot.
  EXPECT_EQ(chart.PlotRect().top, chart.Margins(chart.ChartBounds()).top + chart.Depth3DY());
}

TEST_F(ChartPanelFixture, DepthOfTheBoxFollowsThePlotWidth) {
  AddStacked({1});
  AddStacked({1});
  chart.Legend().SetVisible(false);
  host.Paint(true);
  // Stacked bars share one slot, so the box is one slot deep.
  EXPECT_EQ(chart.TopZSlot(), 0);
  const int plotBeforeDepth = chart.PlotWidth() + chart.Depth3DX();
  EXPECT_NEAR(chart.SeriesDepth(), plotBeforeDepth * 0.015, 1.0);
  EXPECT_EQ(chart.Depth3DX(), chart.SeriesDepth());
  chart.SetView3D(false);
  host.Paint();
  EXPECT_EQ(chart.Depth3DX(), 0);
  EXPECT_EQ(chart.SeriesDepth(), 0);
}

TEST_F(ChartPanelFixture, FlatChartDrawsThePlainBackWallOnly) {
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  chart.BackWall().SetColor(clWhite);
  TChartBrush solid = chart.BackWall().Brush();
  solid.style = bsSolid;
  chart.BackWall().SetBrush(solid);
  host.Paint(true);
  const TRect plot = chart.PlotRect();
  // The back wall fills the plot, framed in black including its right and bottom edge.
  EXPECT_EQ(At(plot.left + 5, plot.top + 5), clWhite);
  EXPECT_EQ(At(plot.left, plot.top + 5), clBlack);
  EXPECT_EQ(At(plot.right, plot.top + 5), clBlack);
  EXPECT_EQ(At(plot.left + 5, plot.bottom), clBlack);
  // No left wall and no floor: nothing light yellow anywhere.
  for (int y = 0; y < 250; y += 2)
    for (int x = 0; x < 400; x += 2) ASSERT_NE(At(x, y), TColor{0x80FFFF});
}

TEST_F(ChartPanelFixture, LegendFromBeforeTheFirstValueListsFromTheFirst) {
  TBarSeries& series = owner.CreateSeries<TBarSeries>();
  chart.AttachSeries(&series);
  chart.Legend().SetFirstValue(-1);
  EXPECT_NO_THROW(host.Paint(true));  // empty series
  for (int x = 0; x < 3; ++x) series.AddPoint(x, x + 1, "", clDefault);
  EXPECT_NO_THROW(host.Paint());
  EXPECT_EQ(static_cast<int>(chart.Layout().Legend.Rows.size()), 3);
  EXPECT_EQ(chart.Layout().Legend.FirstItem, 0);
  // Points asked for with no series shown: no rows.
  chart.Legend().SetLegendStyle(lsValues);
  series.SetActive(false);
  EXPECT_NO_THROW(host.Paint(true));
  EXPECT_TRUE(chart.Layout().Legend.Rows.empty());
}

TEST_F(ChartPanelFixture, AThrowingSeriesLeavesNoClipOnThePicture) {
  TBarSeries& series = AddStacked({1, 2, 3});
  series.OnGetBarStyle = [](TCustomBarSeries*, int, TBarStyle&) { throw Exception("no style"); };
  EXPECT_THROW(host.Paint(true), Exception);
  series.OnGetBarStyle = nullptr;
  chart.SetColor(clRed);
  host.Paint();
  // The background outside the plot is drawn again.
  EXPECT_EQ(At(3, 3), clRed);
  EXPECT_EQ(At(3, 246), clRed);
}

TEST_F(ChartPanelFixture, GradientRunsInItsDirection) {
  chart.Legend().SetVisible(false);
  TChartGradient gradient{true, gdTopBottom, clRed, clBlue};
  chart.SetGradient(gradient);
  auto reddish = [](TColor c) { return GetRValue(c) > GetBValue(c); };
  host.Paint(true);
  EXPECT_TRUE(reddish(At(3, 3)));
  EXPECT_FALSE(reddish(At(3, 246)));
  gradient.Direction = gdBottomTop;
  chart.SetGradient(gradient);
  host.Paint();
  EXPECT_FALSE(reddish(At(3, 3)));
  EXPECT_TRUE(reddish(At(3, 246)));
  gradient.Direction = gdRightLeft;
  chart.SetGradient(gradient);
  host.Paint();
  EXPECT_FALSE(reddish(At(3, 3)));
  EXPECT_TRUE(reddish(At(396, 3)));
}

TEST_F(ChartPanelFixture, BackImageInsideLiesOnTheBackWall) {
  TBitmap image(4, 4);
  image.Canvas().Brush() = TBrush{clRed, bsSolid, clWhite};
  image.Canvas().FillRect(Rect(0, 0, 4, 4));
  chart.Legend().SetVisible(false);
  chart.SetBackImage(&image);
  chart.SetBackImageInside(true);
  host.Paint(true);
  const TRect plot = chart.PlotRect();
  const int depth = chart.Depth3DX();
  ASSERT_GT(depth, 2);
  // Shifted right and up by the depth of the box.
  EXPECT_EQ(At(plot.right + depth - 2, plot.top - depth + 3), clRed);
  EXPECT_NE(At(plot.left + depth / 2, plot.bottom - 2), clRed);
}

TEST_F(ChartPanelFixture, AFixedDepthOrderStillTakesASlotOfItsOwn) {
  TBarSeries& first = AddStacked({1});
  TBarSeries& second = AddStacked({1});
  first.SetMultiBar(mbNone);
  second.SetZOrder(0);
  host.Paint(true);
  // The first series takes slot 0, the second keeps its fixed 0; each raises the top slot.
  EXPECT_EQ(chart.TopZSlot(), 1);
  EXPECT_EQ(first.ComputedZOrder(), 1);
  EXPECT_EQ(second.ComputedZOrder(), 1);
  EXPECT_EQ(chart.Depth3DX(), 2 * chart.SeriesDepth());
  // Orders far out of range cannot overflow the depth arithmetic.
  second.SetZOrder(2147483647);
  EXPECT_EQ(second.ZOrder(), TChartSeries::kMaxZOrder);
  EXPECT_NO_THROW(host.Paint(true));
  second.SetZOrder(-5);
  EXPECT_EQ(second.ZOrder(), -1);
}

namespace {

// A chart of three stacked values drawn in a window of its own.
struct TShownChart {
  TSeriesOwner owner;
  TChart chart;
  TTestWindowHost host;
  explicit TShownChart(double ratio) : host(chart, 300, 160, ratio) {
    chart.Legend().SetVisible(false);
    TBarSeries& series = owner.CreateSeries<TBarSeries>();
    series.SetMultiBar(mbStacked);
    series.Marks().SetVisible(false);
    chart.AttachSeries(&series);
    for (int x = 0; x < 3; ++x) series.AddPoint(x, 100 + 250 * x, "", clDefault);
  }
};

}  // namespace

// What a frame shows must not hang on the frames before it: a chart changed between frames
// shows what a chart given the change before its first frame shows, pixel for pixel.
TEST(ChartFrameTest, AChangeBetweenFramesShowsWhatAFreshChartShows) {
  EnsureGuiApplication();
  using TChange = void (*)(TChart&);
  const std::pair<const char*, TChange> changes[] = {
      {"labels font",
       [](TChart& c) {
         TFont f = c.LeftAxis().LabelsFont();
         f.SetSize(f.Size() + 6);
         c.LeftAxis().SetLabelsFont(f);
       }},
      {"values format", [](TChart& c) { c.LeftAxis().SetAxisValuesFormat("0.00"); }},
      {"label handler",
       [](TChart& c) {
         c.OnGetAxisLabel = [](TCustomChartAxis*, TChartSeries*, int, std::string& text) {
           text += "!";
         };
         c.Invalidate();  // the handler alone asks for no repaint
       }},
      {"logarithmic", [](TChart& c) { c.LeftAxis().SetLogarithmic(true); }},
      {"date-time format", [](TChart& c) { c.LeftAxis().SetDateTimeFormat("hh:nn"); }},
      {"axis hidden", [](TChart& c) { c.LeftAxis().SetVisible(false); }},
      {"series hidden", [](TChart& c) { c.SeriesAt(0)->SetActive(false); }},
      {"series emptied", [](TChart& c) { c.SeriesAt(0)->ClearPoints(); }},
      {"flat", [](TChart& c) { c.SetView3D(false); }},
  };
  for (const double ratio : {1.0, 1.25, 1.5, 2.0})
    for (const auto& [name, change] : changes) {
      TShownChart changed(ratio), fresh(ratio);
      changed.host.Paint(true);
      change(changed.chart);
      changed.host.Paint(true);
      change(fresh.chart);
      fresh.host.Paint(true);
      int differing = 0;
      for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 300; ++x)
          differing += changed.host.PixelAt(x, y) != fresh.host.PixelAt(x, y);
      EXPECT_EQ(differing, 0) << name << " at " << ratio;
    }
}
