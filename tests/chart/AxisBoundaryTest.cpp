// The axis at the edges where an off-by-one would move what the user sees by a label or a
// pixel.
#include <gtest/gtest.h>

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
