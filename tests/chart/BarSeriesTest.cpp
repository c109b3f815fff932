#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/Chart.h"
#include "chart/series/BarSeries.h"
#include "platform/Bitmap.h"
#include "platform/Exception.h"
#include "support/ErrorText.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"

namespace {

// A chart with a fixed plot rectangle and fixed axis ranges:
// the bottom axis runs over the x range, the left axis from 0 to `top`.
class BarChartFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    chart.SetView3D(false);
  }

  TBarSeries& AddSeries(std::initializer_list<double> values, TMultiBar multiBar = mbStacked) {
    TBarSeries& series = owner.CreateSeries<TBarSeries>();
    series.Marks().SetVisible(false);
    chart.AttachSeries(&series);
    series.SetMultiBar(multiBar);
    int x = 0;
    for (double v : values) {
      if (std::isnan(v))
        series.AddNullPoint(x++, 0, "");
      else
        series.AddPoint(x++, v, "", clDefault);
    }
    return series;
  }

  void LayOut(const TRect& plot, double xmin, double xmax, double ymin, double ymax) {
    chart.SetFixedPlotRect(plot);
    chart.BottomAxis().SetAxisRange(xmin, xmax);
    chart.LeftAxis().SetAxisRange(ymin, ymax);
  }

  double ValueAt(int pixel) { return chart.LeftAxis().PixelToValue(pixel); }

  static constexpr double kNull = std::numeric_limits<double>::quiet_NaN();
  TSeriesOwner owner;
  TChart chart;
};

}  // namespace

TEST_F(BarChartFixture, StackedBarsStandOnTheEarlierSeries) {
  TBarSeries& first = AddSeries({5});
  TBarSeries& null = AddSeries({kNull});
  TBarSeries& third = AddSeries({7});
  LayOut(Rect(0, 0, 100, 120), -1, 1, 0, 12);
  EXPECT_EQ(ValueAt(first.BarBasePixel(0)), 0);
  EXPECT_EQ(ValueAt(first.PointScreenY(0)), 5);
  EXPECT_EQ(null.StackBase(0, false), 5);
  EXPECT_EQ(ValueAt(third.BarBasePixel(0)), 5);
  EXPECT_EQ(ValueAt(third.PointScreenY(0)), 12);
  EXPECT_EQ(third.MaximumY(), 12);
  EXPECT_EQ(third.StackBase(0, true), 12);
}

TEST_F(BarChartFixture, OnlyPositiveValuesRaiseTheStack) {
  AddSeries({-4, 3});
  TBarSeries& second = AddSeries({6, 2});
  TBarSeries& shorter = AddSeries({1});
  EXPECT_EQ(second.StackBase(0, false), 0);
  EXPECT_EQ(second.StackBase(1, false), 3);
  EXPECT_EQ(shorter.StackBase(0, false), 6);
  // A series with fewer points stacks only where both have points.
  TBarSeries& fourth = AddSeries({1, 1});
  EXPECT_EQ(fourth.StackBase(1, false), 5);
  EXPECT_EQ(fourth.StackBase(0, false), 7);
  EXPECT_EQ(second.MinimumY(), 0);
}

TEST_F(BarChartFixture, StackedToAHundredPercent) {
  TBarSeries& a = AddSeries({1, 0}, mbStacked100);
  TBarSeries& b = AddSeries({3, 0}, mbStacked100);
  LayOut(Rect(0, 0, 100, 100), -1, 2, 0, 100);
  EXPECT_EQ(ValueAt(a.PointScreenY(0)), 25);
  EXPECT_EQ(ValueAt(b.BarBasePixel(0)), 25);
  EXPECT_EQ(ValueAt(b.PointScreenY(0)), 100);
  // A stack totalling zero maps to pixel 0 rather than dividing by zero.
  EXPECT_EQ(b.PointScreenY(1), 0);
  EXPECT_EQ(b.BarBasePixel(1), 0);
  EXPECT_EQ(a.MaximumY(), 100);
  EXPECT_EQ(a.MinimumY(), 0);
}

TEST_F(BarChartFixture, MultiBarIsSharedByEveryBarSeries) {
  TBarSeries& a = AddSeries({1}, mbSide);
  TBarSeries& b = AddSeries({1}, mbSide);
  b.SetMultiBar(mbStacked);
  EXPECT_EQ(a.MultiBar(), mbStacked);
  a.SetSideMargins(false);
  EXPECT_FALSE(b.SideMargins());
}

TEST_F(BarChartFixture, BarWidthFromTheAxisLength) {
  TBarSeries& series = AddSeries({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  LayOut(Rect(0, 0, 500, 100), 0, 11, 0, 10);
  EXPECT_EQ(series.BarPixelWidth(), 28);
  EXPECT_EQ(series.PointScreenX(0), -14);  // centred on the point's pixel
  series.SetCustomBarWidth(9);
  EXPECT_EQ(series.BarPixelWidth(), 9);
  series.SetCustomBarWidth(0);
  series.SetOffsetPercent(50);
  EXPECT_EQ(series.PointScreenX(0), 0);
  int left = 0, right = 0;
  TSeriesLayout entry;
  series.HorizontalMargins(entry, left, right);
  EXPECT_EQ(left, 28);
  EXPECT_EQ(right, 28);
  series.ClearPoints();
  EXPECT_EQ(series.BarPixelWidth(), 0);
}

TEST_F(BarChartFixture, SideBySideBarsShareTheSlot) {
  TBarSeries& a = AddSeries({1, 2}, mbSide);
  TBarSeries& b = AddSeries({1, 2, 3}, mbSide);
  LayOut(Rect(0, 0, 400, 100), 0, 2, 0, 10);
  // Three points (the longest series) on 400 pixels: slot 100, 70 % of it split in two.
  EXPECT_EQ(a.BarPixelWidth(), 36);
  EXPECT_EQ(a.SideBySideCount(), 2);
  EXPECT_EQ(b.SideBySidePosition(), 2);
  EXPECT_EQ(a.PointScreenX(1), 200 - 36);
  EXPECT_EQ(b.PointScreenX(1), 200);
  int left = 0, right = 0;
  TSeriesLayout entry;
  a.HorizontalMargins(entry, left, right);
  EXPECT_EQ(left, 72);
}

TEST_F(BarChartFixture, RefusedSettingsKeepTheOldValue) {
  TBarSeries& series = AddSeries({1});
  EXPECT_EQ(ErrorOf([&] { series.SetBarWidthPercent(0); }),
            "Bar Width Percent must be between 1 and 100");
  EXPECT_EQ(ErrorOf([&] { series.SetBarWidthPercent(101); }),
            "Bar Width Percent must be between 1 and 100");
  EXPECT_EQ(series.BarWidthPercent(), 70);
  series.SetBarWidthPercent(1);
  series.SetBarWidthPercent(100);
  EXPECT_EQ(ErrorOf([&] { series.SetOffsetPercent(-101); }),
            "Bar Offset Percent must be between -100% and 100%");
  series.SetOffsetPercent(-100);
  EXPECT_EQ(series.OffsetPercent(), -100);
}

TEST_F(BarChartFixture, ConstructedDefaults) {
  TBarSeries series;
  EXPECT_EQ(series.MandatoryList().Name(), "Bar");
  EXPECT_EQ(series.MandatoryList().Order(), loNone);
  EXPECT_TRUE(series.Marks().Visible());
  EXPECT_EQ(series.Marks().ArrowLength(), 20);
  EXPECT_EQ(series.MultiBar(), mbSide);
  EXPECT_EQ(series.BarBrush().color, clDefault);
}

TEST_F(BarChartFixture, StackedBarsShareOneDepthSlot) {
  chart.SetView3D(true);
  TBarSeries& a = AddSeries({1});
  TBarSeries& b = AddSeries({1});
  TBarSeries& own = AddSeries({1});
  own.SetMultiBar(mbNone);  // shared: every bar series now has its own slot
  EXPECT_EQ(a.ZSlot(), 0);
  EXPECT_EQ(b.ZSlot(), 1);
  EXPECT_EQ(own.ZSlot(), 2);
  a.SetMultiBar(mbStacked);
  EXPECT_EQ(b.ZSlot(), 0);
  EXPECT_EQ(own.ZSlot(), 0);
  EXPECT_EQ(chart.TopZSlot(), 0);
}

TEST_F(BarChartFixture, HitTestOnBarEdges) {
  TBarSeries& low = AddSeries({4, 2});
  TBarSeries& high = AddSeries({4, 2});
  LayOut(Rect(0, 0, 300, 100), 0, 1, 0, 10);
  const int left = low.PointScreenX(0), right = left + low.BarPixelWidth();
  EXPECT_EQ(low.PointAt(Point(left, 95)), 0);
  EXPECT_EQ(low.PointAt(Point(right, 95)), 0);
  EXPECT_EQ(low.PointAt(Point(left - 1, 95)), -1);
  EXPECT_EQ(low.PointAt(Point(right + 1, 95)), -1);
  // The first series holds 0..4, the second 4..8 above it.
  EXPECT_EQ(low.PointAt(Point(left, low.PointScreenY(0))), 0);
  EXPECT_EQ(low.PointAt(Point(left, low.PointScreenY(0) - 1)), -1);
  EXPECT_EQ(high.PointAt(Point(left, low.PointScreenY(0) - 1)), 0);
  EXPECT_EQ(high.PointAt(Point(high.PointScreenX(1), 75)), 1);
  // A pyramid holds its apex but not the corners beside it; the style may be set per point.
  high.OnGetBarStyle = [](TCustomBarSeries*, int index, TBarStyle& style) {
    if (index == 0) style = bsPyramid;
  };
  const int apexX = (left + right) / 2;
  EXPECT_TRUE(high.BarContainsPoint(0, Point(apexX, high.PointScreenY(0))));
  EXPECT_FALSE(high.BarContainsPoint(0, Point(left, high.PointScreenY(0))));
  EXPECT_TRUE(high.BarContainsPoint(1, Point(high.PointScreenX(1), high.PointScreenY(1))));
}

TEST_F(BarChartFixture, ShownRangeFollowsTheHorizontalAxis) {
  TBarSeries& series = AddSeries({1, 1, 1, 1, 1, 1});
  LayOut(Rect(0, 0, 100, 100), 1.5, 3.5, 0, 10);
  EXPECT_EQ(series.FirstShownIndex(), 2);
  EXPECT_EQ(series.LastShownIndex(), 3);
  LayOut(Rect(0, 0, 100, 100), 7, 9, 0, 10);
  EXPECT_EQ(series.FirstShownIndex(), -1);
  EXPECT_EQ(series.PointAt(Point(50, 50)), -1);
}

TEST_F(BarChartFixture, DrawsFlatBarsAndSkipsNullPoints) {
  TBarSeries& red = AddSeries({5, 0});
  TBarSeries& null = AddSeries({kNull, kNull});
  LayOut(Rect(0, 0, 90, 90), 0, 1, 0, 10);
  TBitmap picture(90, 100);
  chart.Canvas().SetTarget(&picture.Canvas());
  red.DrawPoint(0);
  null.DrawPoint(0);
  const int x = red.PointScreenX(0) + red.BarPixelWidth() / 2;
  EXPECT_EQ(picture.Pixel(x, 70), clRed);    // inside the bar
  EXPECT_EQ(picture.Pixel(x, 45), clBlack);  // its top edge, drawn by the pen
  EXPECT_EQ(picture.Pixel(x, 40), clWhite);  // nothing above: the null point drew nothing
  // A bar of height 0 is drawn as a line in the bar's colour.
  red.DrawPoint(1);
  const int x1 = red.PointScreenX(1) + 2;
  EXPECT_EQ(picture.Pixel(x1, 90), clRed);
}

// Every bar style, upright and below an origin, flat and in 3D: a pixel well inside a painted
// bar is one the hit test gives to that bar, and (flat) a pixel the hit test gives to a bar is
// painted in its colour.
TEST(BarStylesTest, PaintAndHitTestAgreeForEveryStyle) {
  EnsureGuiApplication();
  for (int style = bsRectangle; style <= bsRectGradient; ++style)
    for (bool is3D : {false, true})
      for (bool origin : {false, true}) {
        SCOPED_TRACE(testing::Message() << "style " << style << (is3D ? " 3D" : " flat")
                                        << (origin ? " below an origin" : ""));
        TSeriesOwner owner;
        TChart chart;
        TTestWindowHost host(chart, 320, 220);
        chart.SetView3D(is3D);
        chart.Legend().SetVisible(false);
        auto& bars = owner.CreateSeries<TBarSeries>();
        bars.Marks().SetVisible(false);
        bars.SetBarStyle(static_cast<TBarStyle>(style));
        bars.SetBarPen(ChartHiddenPen());
        bars.SetDark3D(false);
        bars.SetUseYOrigin(origin);
        bars.SetYOrigin(50);
        chart.AttachSeries(&bars);
        for (int i = 0; i < 4; ++i) bars.AddPoint(i, 20 + 20 * i, "", clRed);
        chart.LeftAxis().SetAxisRange(0, 100);
        host.Paint(true);
        int agreeing = 0;
        for (int y = 2; y < 218; y += 3)
          for (int x = 2; x < 318; x += 3) {
            bool uniform = true;
            for (int dy = -2; dy <= 2; ++dy)
              for (int dx = -2; dx <= 2; ++dx)
                uniform = uniform && host.PixelAt(x + dx, y + dy) == host.PixelAt(x, y);
            if (!uniform) continue;
            const bool red = host.PixelAt(x, y) == clRed;
            const bool hit = bars.PointAt({x, y}) >= 0;
            if (hit) {
              ASSERT_TRUE(red) << x << "," << y;
            }
            if (!is3D && style != bsRectGradient) {
              ASSERT_EQ(red, hit) << x << "," << y;
            }
            agreeing += hit;
          }
        if (style != bsRectGradient) {  // a gradient has no even patch
          EXPECT_GT(agreeing, 20);
        }
      }
}
