// The axis at the edges where an off-by-one would move what the user sees by a label or a
// pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/Chart.h"
#include "chart/ChartAxis.h"

namespace {

void LayOutVertical(TChart& chart, TCustomChartAxis& axis, int pixels, double min, double max) {
  chart.PlotRect = Rect(20, 10, 20 + pixels, 10 + pixels);
  axis.SetAxisRange(min, max);
  axis.UpdateRange();
  axis.PlaceOnChart();
}

}  // namespace

TEST(AxisBoundaryTest, LabelsThatExactlyFillTheSlotsKeepTheirStep) {
  TChart chart;
  TChartAxis& axis = chart.LeftAxis();
  LayOutVertical(chart, axis, 140, 0, 100);
  // 13-pixel labels with a 1-pixel gap: ten slots of 14 pixels, so 0, 10, ..., 100.
  EXPECT_EQ(axis.LabelStepForSize(13), 10);
  EXPECT_EQ(axis.LabelValues(10).size(), 11u);
  // One pixel less and the tenth slot is gone.
  LayOutVertical(chart, axis, 139, 0, 100);
  EXPECT_EQ(axis.LabelStepForSize(13), 10) << "139/14 still rounds to 10 slots";
  LayOutVertical(chart, axis, 125, 0, 100);
  EXPECT_EQ(axis.LabelStepForSize(13), 20);
}

TEST(AxisBoundaryTest, ValuesRoundToTheNearestPixel) {
  TChart chart;
  TChartAxis& axis = chart.LeftAxis();
  LayOutVertical(chart, axis, 200, 0, 300);
  // 100 is 66.67 pixels above the bottom (210): rounded, not truncated.
  EXPECT_EQ(axis.ValueToPixel(100), 143);
  EXPECT_EQ(axis.ValueToPixel(200), 77);
  EXPECT_EQ(axis.ValueToPixel(0), 210);
  EXPECT_EQ(axis.ValueToPixel(300), 10);
}

TEST(AxisBoundaryTest, StepsAndDatesAtTheEdgesOfTheDoubles) {
  TChart chart;
  TChartAxis& axis = chart.LeftAxis();
  LayOutVertical(chart, axis, 140, 0, 1e300);
  // The smallest increment still grows, decade by decade, to a step that fits ten slots.
  axis.SetIncrement(std::numeric_limits<double>::denorm_min());
  const double step = axis.LabelStepForSize(13);
  EXPECT_TRUE(std::isfinite(step));
  EXPECT_GE(step, 1e299);
  // Dates end with the year 9999; beyond it, and for NaN, there is nothing to show.
  axis.ShowsDateTime = true;
  EXPECT_EQ(axis.FormatLabel(2958465), "9999-12-31");
  EXPECT_EQ(axis.FormatLabel(2958466), "");
  EXPECT_EQ(axis.FormatLabel(1e10), "");
  EXPECT_EQ(axis.FormatLabel(std::numeric_limits<double>::quiet_NaN()), "");
}
