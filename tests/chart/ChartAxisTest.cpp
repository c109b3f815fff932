#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <set>

#include "chart/Chart.h"
#include "chart/axis/ChartAxis.h"
#include "chart/axis/DateTimeText.h"
#include "chart/series/BarSeries.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/LineSeries.h"
#include "platform/Bitmap.h"
#include "platform/Exception.h"
#include "support/ErrorText.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"

namespace {

// A vertical axis laid out over `pixels` pixels from y = 10 with the given range.
void LayOut(TChart& chart, TCustomChartAxis& axis, int pixels, double min, double max) {
  chart.SetFixedPlotRect(Rect(20, 10, 20 + pixels, 10 + pixels));
  axis.SetAxisRange(min, max);
}

}  // namespace

TEST(ChartAxisTest, AxesAndTheirDefaults) {
  TChart chart;
  const auto& axes = chart.Axes();
  ASSERT_EQ(axes.size(), 5u);
  EXPECT_EQ(axes[0], &chart.BottomAxis());
  EXPECT_EQ(axes[2], &chart.LeftAxis());
  EXPECT_EQ(axes[4], &chart.DepthAxis());
  EXPECT_TRUE(chart.BottomAxis().IsHorizontal());
  EXPECT_TRUE(chart.TopAxis().OnFarSide());
  EXPECT_FALSE(chart.DepthAxis().Visible());
  EXPECT_EQ(chart.LeftAxis().Title().Angle(), 90);
  EXPECT_EQ(chart.RightAxis().Title().Angle(), 270);
  EXPECT_EQ(chart.BottomAxis().Grid().style, psDot);
  EXPECT_EQ(chart.BottomAxis().Axis().width, 2);
  EXPECT_FALSE(chart.BottomAxis().MinorGrid().Visible);
}

TEST(ChartAxisTest, RefusedValuesKeepTheOldOne) {
  TChart chart;
  TChartAxis& axis = chart.LeftAxis();
  EXPECT_EQ(ErrorOf([&] { axis.SetMaximum(-1); }), "Axis Maximum Value must be >= Minimum");
  EXPECT_EQ(ErrorOf([&] { axis.SetMinimum(1); }), "Axis Minimum Value must be <= Maximum");
  EXPECT_EQ(axis.Maximum(), 0);
  // The application's order: automatic off, maximum, then minimum.
  axis.SetAutomatic(false);
  EXPECT_FALSE(axis.AutomaticMaximum());
  axis.SetMaximum(10000);
  axis.SetMinimum(0);
  EXPECT_EQ(axis.Maximum(), 10000);
  EXPECT_EQ(ErrorOf([&] { axis.SetIncrement(-1); }), "Axis increment must be >= 0");
  EXPECT_EQ(ErrorOf([&] { axis.SetLabelsSeparation(-1); }),
            "Labels Separation % must be greater than 0");
  axis.SetLabelsSeparation(0);
  axis.Title().SetAngle(359);
  EXPECT_EQ(ErrorOf([&] { axis.Title().SetAngle(360); }),
            "Axis Title Angle must be between 0 and 359 degrees");
  EXPECT_EQ(ErrorOf([&] { axis.SetLabelsAngle(-1); }),
            "Axis Labels Angle must be between 0 and 359 degrees");
  EXPECT_EQ(axis.Title().Angle(), 359);
  // A stored layout is read without the checks.
  chart.SetLoading(true);
  axis.SetMinimum(20000);
  EXPECT_EQ(axis.Minimum(), 20000);
}

TEST(ChartAxisTest, AutomaticFlagsFollowEachOther) {
  TChart chart;
  TChartAxis& axis = chart.BottomAxis();
  axis.SetAutomaticMinimum(false);
  EXPECT_FALSE(axis.Automatic());
  EXPECT_TRUE(axis.AutomaticMaximum());
  axis.SetAutomaticMinimum(true);
  EXPECT_TRUE(axis.Automatic());
  axis.SetAxisRange(5, 5);
  EXPECT_FALSE(axis.Automatic() || axis.AutomaticMinimum() || axis.AutomaticMaximum());
  EXPECT_DOUBLE_EQ(axis.Maximum(), 5 + 1e-10);
  // Freeing one end of a fixed range leaves the other end fixed.
  axis.SetAutomaticMaximum(true);
  EXPECT_FALSE(axis.Automatic());
  TChartSeries series;
  chart.AttachSeries(&series);
  series.AddPoint(20, 1, "", clDefault);
  EXPECT_EQ(axis.RangeMin(), 5);
  EXPECT_EQ(axis.RangeMax(), 20);
}

TEST(ChartAxisTest, AutomaticRangeComesFromTheSeriesTiedToTheAxis) {
  TChart chart;
  TChartSeries a, b, right;
  for (TChartSeries* s : {&a, &b, &right}) chart.AttachSeries(s);
  right.SetVertAxis(aRightAxis);
  a.AddPoint(0, 5, "", clDefault);
  a.AddPoint(1, -2, "", clDefault);
  b.AddPoint(3, 40, "", clDefault);
  right.AddPoint(9, 900, "", clDefault);
  TChartAxis& left = chart.LeftAxis();
  EXPECT_EQ(left.RangeMin(), -2);
  EXPECT_EQ(left.RangeMax(), 40);
  EXPECT_EQ(chart.BottomAxis().RangeMax(), 9);
  // Inactive series count only when no active series uses the axis.
  b.SetActive(false);
  EXPECT_EQ(left.RangeMax(), 5);
  a.SetActive(false);
  EXPECT_EQ(left.RangeMax(), 40);
  EXPECT_TRUE(chart.AxisIsShown(chart.RightAxis()));
  EXPECT_FALSE(chart.AxisIsShown(left));
  EXPECT_FALSE(chart.AxisIsShown(chart.TopAxis()));
  EXPECT_TRUE(chart.AxisIsShown(chart.DepthAxis()) == false);  // hidden by default
}

TEST(ChartAxisTest, MappingBothWays) {
  TChart chart;
  TChartAxis& left = chart.LeftAxis();
  LayOut(chart, left, 200, 0, 100);
  EXPECT_EQ(left.StartPixel(), 10);
  EXPECT_EQ(left.EndPixel(), 210);
  EXPECT_EQ(left.ValueToPixel(0), 210);
  EXPECT_EQ(left.ValueToPixel(100), 10);
  EXPECT_EQ(left.ValueToPixel(25), 160);
  EXPECT_DOUBLE_EQ(left.PixelToValue(160), 25);
  left.SetInverted(true);
  EXPECT_EQ(left.ValueToPixel(25), 60);
  EXPECT_DOUBLE_EQ(left.PixelToValue(60), 25);
  TChartAxis& bottom = chart.BottomAxis();
  LayOut(chart, bottom, 500, 0, 10);
  EXPECT_EQ(bottom.ValueToPixel(1), 70);
  EXPECT_DOUBLE_EQ(bottom.PixelToValue(70), 1);
  EXPECT_EQ(bottom.ValueToPixel(1e300), bottom.CenterPixel());  // far off the axis
}

TEST(ChartAxisTest, ZeroRangeMapsToTheCentreWithTheSingleLabelZero) {
  TChart chart;
  TChartAxis& left = chart.LeftAxis();
  chart.SetFixedPlotRect(Rect(0, 0, 100, 100));
  left.SetAutomatic(false);
  EXPECT_EQ(left.ValueToPixel(0), 50);
  EXPECT_EQ(left.ValueToPixel(1234), 50);
  EXPECT_EQ(left.LabelValues(left.LabelStepForSize(13)), std::vector<double>{0});
  TAxisScale point = left.Layout();
  point.SetPixels(0, 0);
  EXPECT_EQ(point.PixelToValue(7), 0);  // an axis shorter than a pixel
}

TEST(ChartAxisTest, LabelStepsAndValues) {
  TChart chart;
  TChartAxis& left = chart.LeftAxis();
  LayOut(chart, left, 130, 0, 5000);
  EXPECT_EQ(left.LabelStepForSize(13), 1000);
  LayOut(chart, left, 200, 0, 100);
  const double step = left.LabelStepForSize(13);
  EXPECT_EQ(step, 10);
  std::vector<double> expected;
  for (int v = 100; v >= 0; v -= 10) expected.push_back(v);
  EXPECT_EQ(left.LabelValues(step), expected);
  // Without a separation there is no search: the step stays at its start.
  left.SetLabelsSeparation(0);
  EXPECT_EQ(left.LabelStepForSize(13), 1);
  left.SetIncrement(7);
  EXPECT_EQ(left.LabelStepForSize(13), 7);
  LayOut(chart, left, 200, 0, 0.5);
  left.SetIncrement(0);
  EXPECT_EQ(left.LabelStepForSize(13), 1e-12);
  EXPECT_TRUE(left.LabelValues(1e-12).empty());   // far too many labels: none
  EXPECT_EQ(left.LabelStepForSize(1000), 1e-12);  // not even one label fits
}

TEST(ChartAxisTest, ExtremeRangesEndTheLabelSearch) {
  TChart chart;
  TChartAxis& left = chart.LeftAxis();
  // One value far above the step's precision: one label, not an endless run of the same.
  LayOut(chart, left, 200, 1e6, 1e6);  // widened to a span of one unit in the last place
  EXPECT_EQ(left.LabelValues(left.LabelStepForSize(13)).size(), 1u);
  // Rounding the first label may overshoot the top by less than the step can take back.
  double top = 1e6;
  for (int i = 0; i < 3; ++i) top = std::nextafter(top, 2e6);
  LayOut(chart, left, 200, 1e6, top);
  EXPECT_FALSE(left.LabelValues(1e-11).empty());
  TAxisScale flat = left.Layout();
  flat.SetRange(1e6, 1e6);
  EXPECT_EQ(left.LabelValues(left.LabelStepForSize(13, flat), flat), std::vector<double>{1e6});
  // Spans past the double range, or undefined, give a step and no labels.
  LayOut(chart, left, 200, -1e308, 1e308);
  ASSERT_TRUE(std::isinf(left.RangeSpan()));
  EXPECT_TRUE(left.LabelValues(left.LabelStepForSize(13)).empty());
  TAxisScale undefined = left.Layout();
  undefined.RangeSpan = undefined.RangeMax = std::nan("");
  EXPECT_TRUE(left.LabelValues(left.LabelStepForSize(13, undefined), undefined).empty());
}

TEST(ChartAxisTest, FirstLabelIsRoundedDown) {
  TChart chart;
  TChartAxis& left = chart.LeftAxis();
  LayOut(chart, left, 200, 3, 47);
  EXPECT_EQ(left.LabelValues(10), (std::vector<double>{40, 30, 20, 10}));
  left.SetRoundFirstLabel(false);
  EXPECT_EQ(left.LabelValues(10), (std::vector<double>{47, 37, 27, 17, 7}));
}

TEST(ChartAxisTest, NiceSteps) {
  std::vector<double> steps{1};
  while (steps.size() < 7) steps.push_back(NextNiceStep(steps.back()));
  EXPECT_EQ(steps, (std::vector<double>{1, 2, 5, 10, 20, 50, 100}));
  EXPECT_DOUBLE_EQ(NextNiceStep(0.3), 0.5);
  EXPECT_DOUBLE_EQ(NextNiceStep(0.07), 0.1);
}

TEST(ChartAxisTest, LabelTextFormatsAndMayBeChanged) {
  TChart chart;
  TChartAxis& left = chart.LeftAxis();
  EXPECT_EQ(left.LabelText(10000), "10,000");
  EXPECT_EQ(left.LabelText(0.25), "0.25");
  TAxisLayout thirds = left.Layout();  // a step of six places shows them all
  thirds.SetRange(0, 2);
  thirds.LabelStep = 0.333333;
  EXPECT_EQ(left.FormatLabel(0.666666, thirds), "0.666666");
  // Texts kept for one layout are not the texts of another.
  EXPECT_EQ(left.FormatLabel(0.666666), "0.667");
  EXPECT_EQ(left.FormatLabel(0.666666, thirds), "0.666666");
  chart.OnGetAxisLabel = [&](TCustomChartAxis* sender, TChartSeries* series, int index,
                             std::string& text) {
    EXPECT_EQ(sender, &left);
    EXPECT_EQ(series, nullptr);
    EXPECT_EQ(index, -1);
    text += " gal";
  };
  EXPECT_EQ(left.LabelText(5), "5 gal");
  TAxisLayout dates = left.Layout();
  dates.ShowsDateTime = true;
  EXPECT_EQ(left.FormatLabel(-1, dates), "");
  EXPECT_NE(left.FormatLabel(1, dates), left.FormatLabel(1));
}

TEST(ChartAxisTest, MarginsWidenTheRangeBeyondTheData) {
  TChart chart;
  TChartAxis& bottom = chart.BottomAxis();
  LayOut(chart, bottom, 500, 0, 11);
  TAxisLayout entry = bottom.Layout();
  bottom.WidenRangeByMargins(entry, chart.PlotRect(), 50, 50);
  EXPECT_EQ(entry.StartPixel, 20);
  EXPECT_EQ(entry.EndPixel, 520);
  EXPECT_NEAR(entry.RangeMin, -1.375, 1e-9);
  EXPECT_NEAR(entry.RangeMax, 12.375, 1e-9);
  EXPECT_EQ(entry.ValueToPixel(0), 70);
  EXPECT_EQ(entry.ValueToPixel(11), 470);
}

namespace {

// The left axis of a flat chart with one series, drawn into a picture.
class AxisPaintFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    chart.SetView3D(false);
    chart.AttachSeries(&series);
    series.AddPoint(0, 10000, "", clDefault);
    chart.Canvas().SetTarget(&picture.Canvas());
    chart.Canvas().ResetTools();
    TChartAxis& left = chart.LeftAxis();
    left.SetAxisRange(0, 10000);
    left.Title().SetCaption("Level");
  }

  // Lays the chart out over the whole picture with only this axis shown: the axis reserves
  // its room and is placed over the rest, the plot.
  TRect Reserve() { return Reserve(chart.LeftAxis()); }
  TRect Reserve(TChartAxis& axis) {
    for (TCustomChartAxis* other : chart.Axes()) other->SetVisible(other == &axis);
    chart.SetMarginLeft(0);
    chart.SetMarginTop(0);
    chart.SetMarginRight(0);
    chart.SetMarginBottom(0);
    chart.Legend().SetVisible(false);
    chart.SetSize(picture.Width(), picture.Height());
    return chart.PlotRect();
  }

  bool AnyInk(int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (picture.Pixel(x, y) != clWhite) return true;
    return false;
  }

  TBitmap picture{300, 160};
  TChart chart;
  TChartSeries series;
};

}  // namespace

TEST_F(AxisPaintFixture, ReservesTitleLabelsAndTicks) {
  TChartAxis& left = chart.LeftAxis();
  const TRect plot = Reserve();
  TChartCanvas3D& canvas = chart.Canvas();
  canvas.Font() = left.Title().Font();
  const int titleBand = canvas.MeasureTextHeight("Wg");
  canvas.Font() = left.LabelsFont();
  const int labelsBand = canvas.MeasureTextWidth("10,000") + canvas.MeasureTextWidth(" ");
  EXPECT_EQ(left.TitlePos(), titleBand);
  EXPECT_EQ(left.LabelsPos(), titleBand + labelsBand);
  EXPECT_EQ(plot.left, titleBand + labelsBand + 2 + 4);  // axis pen, then the ticks
  EXPECT_EQ(plot.top, 0);
  EXPECT_EQ(plot.right, 300);
  // A hidden axis takes no room but still maps values.
  left.SetVisible(false);
  TRect rect = Rect(0, 0, 300, 160);
  TAxisLayout entry = left.Layout();
  left.ReserveSpace(entry, rect, chart.Canvas());
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(left.ValueToPixel(10000), 0);
}

TEST_F(AxisPaintFixture, PaintsTitleLabelsLineTicksAndGrid) {
  TChartAxis& left = chart.LeftAxis();
  const TRect plot = Reserve();
  left.PaintAxis();
  // The title strip at the far left, the labels right-aligned against LabelsPos.
  EXPECT_TRUE(AnyInk(0, 0, left.TitlePos(), 160));
  EXPECT_TRUE(AnyInk(left.TitlePos(), 0, left.LabelsPos(), 20));
  EXPECT_FALSE(AnyInk(left.LabelsPos(), 0, plot.left - 7, 160));
  // The axis line (2 pixels) left of the plot, ticks further out, the grid across the plot.
  // Between the labels' ticks (every 16 pixels) and the minor ticks (every 4).
  EXPECT_EQ(picture.Pixel(plot.left, 86), clBlack);
  EXPECT_EQ(picture.Pixel(plot.left - 1, 86), clBlack);
  EXPECT_EQ(picture.Pixel(plot.left - 2, 88), TColor{0x808080});  // a minor tick
  const int y = left.ValueToPixel(5000);
  EXPECT_EQ(picture.Pixel(plot.left - 4, y), TColor{0x808080});
  EXPECT_EQ(picture.Pixel(plot.left - 4, y + 3), clWhite);
  bool gridSeen = false;
  for (int x = plot.left + 1; x < plot.right; ++x) gridSeen |= picture.Pixel(x, y) == 0x808080;
  EXPECT_TRUE(gridSeen);
}

TEST_F(AxisPaintFixture, LabelsOnAxisOffDropsTheEnds) {
  TChartAxis& left = chart.LeftAxis();
  left.SetGrid(ChartHiddenPen());
  left.Title().SetCaption("");
  left.SetLabelsOnAxis(false);
  const TRect plot = Reserve();
  left.PaintAxis();
  EXPECT_FALSE(AnyInk(0, 0, plot.left - 7, 5));      // no label at 10,000
  EXPECT_FALSE(AnyInk(0, 155, plot.left - 7, 160));  // none at 0
  EXPECT_TRUE(AnyInk(0, 20, plot.left - 7, 140));
}

TEST(ChartAxisTest, PagingShowsOnePageOfPoints) {
  TChart chart;
  TChartSeries series;
  chart.AttachSeries(&series);
  for (int x = 0; x < 10; ++x) series.AddPoint(x * 2, 1, "", clDefault);
  chart.SetMaxPointsPerPage(4);
  TChartAxis& bottom = chart.BottomAxis();
  EXPECT_EQ(bottom.RangeMin(), 0);
  EXPECT_EQ(bottom.RangeMax(), 6);
  chart.SetPage(3);  // points 8 and 9 only
  EXPECT_EQ(bottom.RangeMin(), 16);
  EXPECT_EQ(bottom.RangeMax(), 18);
  chart.SetScaleLastPage(false);  // keeps the spacing of a full page
  EXPECT_EQ(bottom.RangeMax(), 22);
}

TEST_F(AxisPaintFixture, PointLabelsAlongTheBottomAxis) {
  series.ClearPoints();
  series.AddPoint(1, 5, "North", clDefault);
  series.AddPoint(2, 7, "", clDefault);
  series.AddPoint(3, 9, "South", clDefault);
  TChartAxis& bottom = chart.BottomAxis();
  bottom.SetGrid(ChartHiddenPen());
  ASSERT_EQ(bottom.EffectiveLabelStyle(), talText);
  std::vector<int> seen;
  chart.OnGetAxisLabel = [&](TCustomChartAxis*, TChartSeries* s, int index, std::string&) {
    if (s == &series) seen.push_back(index);
  };
  Reserve(bottom);
  bottom.PaintAxis();
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
  // Each label centred under its point; the point without a label shows none.
  const int top = bottom.LabelsPos(), below = picture.Height();
  EXPECT_TRUE(AnyInk(bottom.ValueToPixel(1), top, bottom.ValueToPixel(1) + 15, below));
  EXPECT_TRUE(AnyInk(bottom.ValueToPixel(3) - 15, top, bottom.ValueToPixel(3), below));
  EXPECT_FALSE(AnyInk(bottom.ValueToPixel(2) - 5, top, bottom.ValueToPixel(2) + 5, below));
}

TEST_F(AxisPaintFixture, MarkTextsTakeTheirRoomBesideTheLeftAxis) {
  series.ClearPoints();
  series.AddPoint(1, 2500, "", clDefault);
  series.AddPoint(2, 7500, "", clDefault);
  TChartAxis& left = chart.LeftAxis();
  left.SetLabelStyle(talMark);
  const TRect plot = Reserve();
  TChartCanvas3D& canvas = chart.Canvas();
  canvas.Font() = left.LabelsFont();
  EXPECT_EQ(left.LabelsPos() - left.TitlePos(),
            canvas.MeasureTextWidth("7,500") + canvas.MeasureTextWidth(" "));
  left.PaintAxis();
  const int y = left.ValueToPixel(7500);
  EXPECT_TRUE(AnyInk(left.TitlePos(), y - 5, left.LabelsPos(), y + 5));
  EXPECT_FALSE(AnyInk(left.TitlePos(), 0, plot.left - 7, 20));  // no value label at 10,000
}

// The axis at the edges where an off-by-one moves what the user sees by a label or a pixel.
TEST(AxisBoundaryTest, LabelsThatExactlyFillTheSlotsKeepTheirStep) {
  TChart chart;
  TChartAxis& axis = chart.LeftAxis();
  LayOut(chart, axis, 140, 0, 100);
  // 13-pixel labels with a 1-pixel gap: ten slots of 14 pixels, so 0, 10, ..., 100.
  EXPECT_EQ(axis.LabelStepForSize(13), 10);
  EXPECT_EQ(axis.LabelValues(10).size(), 11u);
  // One pixel less and the tenth slot is gone.
  LayOut(chart, axis, 139, 0, 100);
  EXPECT_EQ(axis.LabelStepForSize(13), 10) << "139/14 still rounds to 10 slots";
  LayOut(chart, axis, 125, 0, 100);
  EXPECT_EQ(axis.LabelStepForSize(13), 20);
}

TEST(AxisBoundaryTest, ValuesRoundToTheNearestPixel) {
  TChart chart;
  TChartAxis& axis = chart.LeftAxis();
  LayOut(chart, axis, 200, 0, 300);
  // 100 is 66.67 pixels above the bottom (210): rounded, not truncated.
  EXPECT_EQ(axis.ValueToPixel(100), 143);
  EXPECT_EQ(axis.ValueToPixel(200), 77);
  EXPECT_EQ(axis.ValueToPixel(0), 210);
  EXPECT_EQ(axis.ValueToPixel(300), 10);
}

TEST(AxisBoundaryTest, StepsAndDatesAtTheEdgesOfTheDoubles) {
  TChart chart;
  TChartAxis& axis = chart.LeftAxis();
  LayOut(chart, axis, 140, 0, 1e300);
  // The smallest increment still grows, decade by decade, to a step that fits ten slots.
  axis.SetIncrement(std::numeric_limits<double>::denorm_min());
  const double step = axis.LabelStepForSize(13);
  EXPECT_TRUE(std::isfinite(step));
  EXPECT_GE(step, 1e299);
  // A range at the largest double gives its one label, not labels down to minus infinity.
  const double largest = std::numeric_limits<double>::max();
  TAxisScale top;
  top.SetRange(largest, largest);
  EXPECT_EQ(axis.LabelValues(1e294, top), std::vector<double>{largest});
  // Dates end with the year 9999; beyond it, and for NaN, there is nothing to show.
  TAxisLayout dates = axis.Layout();
  dates.ShowsDateTime = true;
  EXPECT_EQ(axis.FormatLabel(2958465, dates), "9999-12-31");
  EXPECT_EQ(axis.FormatLabel(2958466, dates), "");
  EXPECT_EQ(axis.FormatLabel(1e10, dates), "");
  EXPECT_EQ(axis.FormatLabel(std::numeric_limits<double>::quiet_NaN(), dates), "");
}

// Automatic ranges come from the finite values only, wherever a NaN or an infinity stands.
TEST(ChartAxisTest, AutomaticRangesSkipValuesThatAreNotFinite) {
  EnsureGuiApplication();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct TCase {
    std::vector<double> ys;
    bool stacked;
  } const cases[] = {
      {{nan, 1, 3}, false},  {{1, nan, 3}, false},       {{1, inf, 3}, false},
      {{-inf, 1, 3}, false}, {{3, -inf, inf, 1}, false}, {{1, inf, 3}, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "first " << c.ys[0] << " second " << c.ys[1]);
    TChart chart;
    TBarSeries bars;
    TChartSeries plain;
    TChartSeries& series = c.stacked ? static_cast<TChartSeries&>(bars) : plain;
    if (c.stacked) bars.SetMultiBar(mbStacked);
    chart.AttachSeries(&series);
    for (double y : c.ys) series.AddPoint(series.PointCount(), y, "", clDefault);
    chart.Layout();                                            // which takes the automatic ranges
    EXPECT_EQ(chart.LeftAxis().Minimum(), c.stacked ? 0 : 1);  // bars stand on zero
    EXPECT_EQ(chart.LeftAxis().Maximum(), 3);
    // The NaN as an X value likewise.
    TChartSeries xs;
    chart.AttachSeries(&xs);
    xs.XValues().SetOrder(loNone);
    for (double x : {nan, 2.0, inf, 5.0}) xs.AddPoint(x, 1, "", clDefault);
    chart.Layout();
    EXPECT_EQ(chart.BottomAxis().Minimum(), 0);
    EXPECT_EQ(chart.BottomAxis().Maximum(), 5);
  }
}

// Labels, for any range and step: strictly falling, distinct as texts, inside the range
// (within the tolerance of the loop), and the low end labelled when it falls on a step.
static void ExpectLabelRules(const TCustomChartAxis& axis, const TAxisLayout& layout,
                             const std::vector<double>& values, double step, bool lowOnStep) {
  std::set<std::string> texts;
  const double slack = 1e-9 * std::max(std::fabs(layout.RangeMin), std::fabs(layout.RangeMax));
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) {
      EXPECT_LT(values[i], values[i - 1]);
    }
    EXPECT_GE(values[i], layout.RangeMin - slack);
    EXPECT_LE(values[i], layout.RangeMax + slack);
    const std::string text = axis.FormatLabel(values[i], layout);
    EXPECT_TRUE(texts.insert(text).second) << "repeated label " << text;
  }
  if (lowOnStep && std::fabs(layout.RangeSpan / step) < 10000) {
    ASSERT_FALSE(values.empty());
    EXPECT_NEAR(values.back(), layout.RangeMin, 1e-6 * step) << "the low end has no label";
  }
}

TEST(ChartAxisTest, LabelsAreOrderedDistinctInsideAndReachTheLowEnd) {
  TChart chart;
  TChartAxis& left = chart.LeftAxis();
  struct TCase {
    double min, max, step;
  } const fixed[] = {{-10, 10, 2},     {-100, -20, 5},  {-3.25, -3.25, 1}, {0, 100, 10},
                     {-0.3, 0.6, 0.1}, {1e6, 2e6, 1e5}, {-5e9, -1e9, 1e9}};
  for (const TCase& c : fixed) {
    SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " by " << c.step);
    chart.SetFixedPlotRect(Rect(0, 0, 300, 300));
    TAxisLayout layout = left.Layout();
    layout.SetRange(c.min, c.max);
    layout.LabelStep = c.step;
    ExpectLabelRules(left, layout, left.LabelValues(c.step, layout), c.step, true);
  }
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    // A step the axis would choose, for a range whose low end falls on a step or not.
    const double step = std::pow(10.0, std::uniform_int_distribution<>(-9, 8)(random)) *
                        std::array<double, 3>{1, 2, 5}[random() % 3];
    const double slots = std::uniform_int_distribution<>(1, 40)(random);
    const double low = std::uniform_int_distribution<>(-500, 500)(random) * step;
    const bool onStep = random() % 2 == 0;
    const double min =
        onStep ? low : low + step * std::uniform_real_distribution<>(0.01, 0.99)(random);
    TAxisLayout layout = left.Layout();
    layout.SetRange(min, min + slots * step * std::uniform_real_distribution<>(0.5, 1)(random));
    layout.LabelStep = step;
    SCOPED_TRACE(testing::Message()
                 << layout.RangeMin << ".." << layout.RangeMax << " by " << step);
    ExpectLabelRules(left, layout, left.LabelValues(step, layout), step, onStep);
  }
}

// Date-time labels say what their step needs: under a day, the time of day, and the date
// too once the range runs over midnight; so two labels never read the same.
TEST(ChartAxisTest, DateTimeLabelsFollowTheirStep) {
  EnsureGuiApplication();
  TChart chart;
  TBitmap picture(700, 100);  // what the labels are measured on
  chart.Canvas().SetTarget(&picture.Canvas());
  chart.Canvas().ResetTools();
  TChartSeries series;
  chart.AttachSeries(&series);
  series.XValues().SetDateTime(true);
  series.AddPoint(DateTimeOfDay(2024, 1, 1), 1, "", clDefault);
  TChartAxis& bottom = chart.BottomAxis();
  const double hour = 1.0 / 24;
  struct TCase {
    double min, max;
    int pixels;
    const char* lowest;  // the lowest label's text; its length alone when it starts with '?'
  } const cases[] = {
      {DateTimeOfDay(2024, 2, 28), DateTimeOfDay(2024, 3, 1), 600, "2024-02-28 00:00:00"},
      {DateTimeOfDay(2025, 12, 31) + 12 * hour, DateTimeOfDay(2026, 1, 2), 500,
       "2025-12-31 12:00:00"},
      {DateTimeOfDay(2024, 3, 1) + 8 * hour, DateTimeOfDay(2024, 3, 1) + 17 * hour, 600,
       "08:00:00"},
      {DateTimeOfDay(2024, 1, 1), DateTimeOfDay(2024, 1, 21), 400, "?2024-01-01"},
      // Under a minute across a year end, a leap day's noon to noon, three decades.
      {DateTimeOfDay(2025, 1, 1) - 20.0 / 86400, DateTimeOfDay(2025, 1, 1) + 20.0 / 86400, 600,
       "?2024-12-31 23:59:40"},
      {DateTimeOfDay(2024, 2, 29) + 12 * hour, DateTimeOfDay(2024, 3, 1) + 12 * hour, 600,
       "?2024-02-29 12:00:00"},
      {DateTimeOfDay(1999, 6, 1), DateTimeOfDay(2031, 6, 1), 400, "?2024-01-01"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " on " << c.pixels);
    chart.SetFixedPlotRect(Rect(0, 0, c.pixels, 100));
    bottom.SetAxisRange(c.min, c.max);
    ASSERT_TRUE(bottom.ShowsDateTime());
    const std::vector<double> values = bottom.AxisLabelValues(chart.Canvas(), bottom.Layout());
    ASSERT_GE(values.size(), 2u);
    ExpectLabelRules(bottom, bottom.Layout(), values, 1, false);
    const std::string lowest = bottom.LabelText(values.back());
    if (c.lowest[0] == '?') {
      EXPECT_EQ(lowest.size(), std::string(c.lowest + 1).size()) << lowest;
    } else {
      EXPECT_EQ(lowest, c.lowest);
    }
  }
}

// Value -> pixel -> value over random ranges of every kind: the mapping is monotonic and
// gives the value back within a pixel's worth, on linear and logarithmic axes alike.
TEST(ChartAxisTest, MappingRoundTripsOverRandomRanges) {
  std::mt19937 random(11);
  auto uniform = [&](double a, double b) { return std::uniform_real_distribution<>(a, b)(random); };
  for (int round = 0; round < 3000; ++round) {
    TAxisScale scale;
    scale.Horizontal = random() % 2 == 0;
    scale.Inverted = random() % 2 == 0;
    scale.Logarithmic = random() % 3 == 0;
    scale.SetPixels(std::uniform_int_distribution<>(-50, 200)(random),
                    0 + std::uniform_int_distribution<>(210, 2000)(random));
    double low, high;
    if (scale.Logarithmic) {
      low = std::pow(10.0, uniform(-300, 290));
      high = low * std::pow(10.0, uniform(1e-6, 18));
    } else {
      const double magnitude = std::pow(10.0, uniform(-12, 308.2));
      low = uniform(-1, 1) * magnitude;
      high = low + std::max(std::fabs(low), magnitude) * std::pow(10.0, uniform(-9, 0));
    }
    scale.SetRange(low, high);
    if (!std::isfinite(scale.RangeSpan)) continue;
    SCOPED_TRACE(testing::Message() << low << ".." << high << (scale.Logarithmic ? " log" : ""));
    const bool rising = scale.Horizontal != scale.Inverted;
    auto measure = [&](double v) { return scale.Logarithmic ? std::log(v) : v; };
    const double pixelWorth = (measure(high) - measure(low)) / scale.LengthPixels;
    int previous = rising ? INT_MIN : INT_MAX;
    for (int k = 0; k <= 40; ++k) {
      const double v = scale.Logarithmic
                           ? std::exp(measure(low) + k * (measure(high) - measure(low)) / 40)
                           : low + k * (scale.RangeSpan / 40);
      const int p = scale.ValueToPixel(v);
      ASSERT_TRUE(rising ? p >= previous : p <= previous) << "not monotonic at " << v;
      // The unrounded position that cut segments use rounds to the same pixel.
      ASSERT_NEAR(scale.ExactPixel(v), p, 0.5 + 1e-6) << "at " << v;
      previous = p;
      const double rounding = 1e-14 * std::max(std::fabs(measure(low)), std::fabs(measure(high))) +
                              (scale.Logarithmic ? 1e-14 : 0);
      ASSERT_NEAR(measure(scale.PixelToValue(p)), measure(v), pixelWorth * 0.5 + rounding)
          << "pixel " << p;
    }
  }
}

// A series without one finite value has no extremes to give: the automatic range is that of
// the other series, whatever its stored statistics say.
TEST(ChartAxisTest, ASeriesWithoutFiniteValuesLeavesTheAutomaticRangeToTheOthers) {
  EnsureGuiApplication();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<double> rows[] = {{nan}, {nan, nan}, {inf}, {-inf, inf}, {nan, -inf}};
  for (const std::vector<double>& ys : rows) {
    SCOPED_TRACE(testing::Message() << "first " << ys[0] << ", " << ys.size() << " values");
    TChart chart;
    TChartSeries data, empty;
    chart.AttachSeries(&data);
    chart.AttachSeries(&empty);
    for (double y : {10.0, 20.0}) data.AddPoint(data.PointCount(), y, "", clDefault);
    for (double y : ys) empty.AddPoint(empty.PointCount(), y, "", clDefault);
    chart.Layout();
    EXPECT_EQ(chart.LeftAxis().Minimum(), 10);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 20);
  }
}

// Labels of spans near the smallest the axis takes, near zero: none outside the range, where
// the loop's tolerance is larger than the step.
TEST(ChartAxisTest, LabelsOfTinySpansNearZeroStayInsideTheRange) {
  TChart chart;
  TChartAxis& left = chart.LeftAxis();
  chart.SetFixedPlotRect(Rect(0, 0, 300, 300));
  struct TCase {
    double min, max, step;
  } const cases[] = {
      {5e-13, 2.05e-11, 2e-12}, {3e-13, 1.003e-10, 5e-12}, {-9.5e-12, -1e-13, 1e-12}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " by " << c.step);
    TAxisLayout layout = left.Layout();
    layout.SetRange(c.min, c.max);
    layout.LabelStep = c.step;
    ExpectLabelRules(left, layout, left.LabelValues(c.step, layout), c.step, false);
  }
}

// Zoomed in far from zero: a logarithmic axis with no power inside labels by steps, a linear
// one by steps far below the values' size; either way the labels read differently.
TEST(ChartAxisTest, RangesZoomedInFarFromZeroKeepDistinctLabels) {
  EnsureGuiApplication();
  TChart chart;
  TBitmap picture(400, 400);  // what the labels are measured on
  chart.Canvas().SetTarget(&picture.Canvas());
  chart.Canvas().ResetTools();
  chart.SetFixedPlotRect(Rect(50, 0, 350, 300));
  TChartAxis& left = chart.LeftAxis();
  struct TCase {
    double min, max;
    int base;  // 0: linear
  } const cases[] = {{1.0001, 1.0009, 10},     {3.00002, 3.00008, 2},  {1.00001e20, 1.00009e20, 10},
                     {2.5e-5, 2.50008e-5, 10}, {1e17, 1e17 + 2000, 0}, {-1e17 - 2000, -1e17, 0},
                     {1e-300, 1e300, 2},       {1e-300, 1e300, 10},    {0.001, 0.5, 2}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " base " << c.base);
    left.SetLogarithmic(c.base != 0);
    if (c.base) left.SetLogarithmicBase(c.base);
    left.SetAxisRange(c.min, c.max);
    chart.Layout();
    const std::vector<double> values = left.AxisLabelValues(chart.Canvas(), left.Layout());
    EXPECT_GE(values.size(), 2u);
    ExpectLabelRules(left, left.Layout(), values, 1, false);
    // Within the rounding of the range itself, not of the values' size.
    const TAxisLayout& shown = left.Layout();
    EXPECT_GE(values.empty() ? shown.RangeMin : values.back(),
              shown.RangeMin - 1e-6 * shown.RangeSpan)
        << values.size() << " labels, the lowest outside the axis";
  }
}

// Labels turned to any angle stay inside the band their axis reserved for them, and the end
// of each nearest the axis reaches the band's inner edge: on every side, for multi-line,
// date-time and logarithmic labels alike.
TEST(ChartAxisTest, TurnedLabelsStayInTheirBandAndReachTheAxis) {
  EnsureGuiApplication();
  const struct {
    const char* name;
    bool farSides, multiLine, dateTime, logarithmic;
  } cases[] = {
      {"bottom and left", false, false, false, false},
      {"top and right", true, false, false, false},
      {"multi-line labels", false, true, false, false},
      {"date-time and logarithmic", false, false, true, true},
      {"top and right, multi-line", true, true, false, false},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    TSeriesOwner owner;
    TChart chart;
    TTestWindowHost host(chart, 420, 320);
    chart.SetView3D(false);
    chart.Legend().SetVisible(false);
    auto& series = owner.CreateSeries<TLineSeries>();
    chart.AttachSeries(&series);
    series.SetSeriesColor(clGreen);
    if (k.farSides) series.SetHorizAxis(aTopAxis), series.SetVertAxis(aRightAxis);
    TChartAxis& h = k.farSides ? chart.TopAxis() : chart.BottomAxis();
    TChartAxis& v = k.farSides ? chart.RightAxis() : chart.LeftAxis();
    series.XValues().SetDateTime(k.dateTime);
    v.SetLogarithmic(k.logarithmic);
    h.SetLabelsMultiLine(k.multiLine);
    v.SetLabelsMultiLine(k.multiLine);
    if (k.multiLine) {
      h.SetAxisValuesFormat("0 'kg a day'");
      v.SetAxisValuesFormat("0 'm3 each'");
    }
    for (int i = 0; i < 5; ++i)
      series.AddPoint(k.dateTime ? 45000 + i * 0.25 : i * 1000.5, 1 + i * 25000.25, "", clDefault);
    TFont red = h.LabelsFont(), blue = v.LabelsFont();
    red.SetColor(clRed);
    blue.SetColor(clBlue);
    h.SetLabelsFont(red);
    v.SetLabelsFont(blue);
    for (int angle = 0; angle < 360; angle += 15) {
      SCOPED_TRACE(testing::Message() << "angle " << angle);
      h.SetLabelsAngle(angle);
      v.SetLabelsAngle(angle);
      host.Paint(true);
      const TAxisLayout& hl = h.Layout();
      const TAxisLayout& vl = v.Layout();
      const int hLow = std::min(hl.LabelsPos, hl.LabelsOuterPos) - 1;
      const int hHigh = std::max(hl.LabelsPos, hl.LabelsOuterPos) + 1;
      const int vLow = std::min(vl.LabelsPos, vl.LabelsOuterPos) - 1;
      const int vHigh = std::max(vl.LabelsPos, vl.LabelsOuterPos) + 1;
      int redNearest = 1 << 20, blueNearest = 1 << 20, reds = 0, blues = 0, stray = 0;
      TPoint first{-1, -1};
      for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 420; ++x) {
          const TColor c = host.PixelAt(x, y);
          if (c == clRed) {
            ++reds;
            if ((y < hLow || y > hHigh) && stray++ == 0) first = {x, y};
            redNearest = std::min(redNearest, std::abs(y - hl.LabelsPos));
          } else if (c == clBlue) {
            ++blues;
            if ((x < vLow || x > vHigh) && stray++ == 0) first = {x, y};
            blueNearest = std::min(blueNearest, std::abs(x - vl.LabelsPos));
          }
        }
      EXPECT_EQ(stray, 0) << "first outside its band at " << first.x << "," << first.y;
      EXPECT_GT(reds, 0);
      EXPECT_GT(blues, 0);
      // Glyphs keep a little space inside their cells, more at a turned cell's corner.
      EXPECT_LE(redNearest, 6);
      EXPECT_LE(blueNearest, 6);
    }
  }
}

// The depth axis, shown, takes room right of the box and names each series where its depth
// band lies: the projected place of each label has its ink.
TEST(ChartAxisTest, TheDepthAxisNamesTheSeriesAtTheirDepths) {
  EnsureGuiApplication();
  TSeriesOwner owner;
  TChart chart;
  TTestWindowHost host(chart, 480, 320);
  chart.Legend().SetVisible(false);
  chart.SetChart3DPercent(60);
  for (const char* title : {"back", "middle", "front"}) {
    auto& series = owner.CreateSeries<TBarSeries>();
    series.SetTitle(title);
    series.SetMultiBar(mbNone);
    series.Marks().SetVisible(false);
    series.SetSeriesColor(clGreen);
    chart.AttachSeries(&series);
    for (int i = 0; i < 3; ++i) series.AddPoint(i, i + 1, "", clDefault);
  }
  TFont red = chart.DepthAxis().LabelsFont();
  red.SetColor(clRed);
  chart.DepthAxis().SetLabelsFont(red);
  TChartPen blueTicks;
  blueTicks.color = clBlue;
  chart.DepthAxis().SetTicks(blueTicks);
  host.Paint(true);
  const int without = chart.PlotRect().right;
  chart.DepthAxis().SetVisible(true);
  host.Paint(true);
  TChartCanvas3D& canvas = chart.Canvas();
  canvas.Font() = red;
  const int height = canvas.MeasureTextHeight("Wg");
  EXPECT_EQ(chart.PlotRect().right, without - canvas.MeasureTextWidth("middle") -
                                        canvas.MeasureTextWidth(" ") -
                                        chart.DepthAxis().TickLength() - 2);
  const TRect plot = chart.PlotRect();
  for (TChartSeries* series : chart.SeriesList()) {
    SCOPED_TRACE(series->Title());
    const TPoint at =
        chart.Layout().Projection.Project(plot.right + chart.DepthAxis().TickLength() + 2,
                                          plot.bottom - height / 2, series->MiddleZ());
    int ink = 0;
    for (int y = at.y; y < at.y + height; ++y)
      for (int x = at.x; x < at.x + canvas.MeasureTextWidth(series->Title()); ++x)
        ink += host.PixelAt(x, y) == clRed;
    EXPECT_GT(ink, 3);
    // Nothing of another label in the row just above or below.
    EXPECT_NE(host.PixelAt(at.x + 1, at.y - 1), clRed);
    // Its tick, in the ticks' pen, just right of the floor's edge.
    const TPoint tick =
        chart.Layout().Projection.Project(plot.right + 2, plot.bottom, series->MiddleZ());
    EXPECT_EQ(host.PixelAt(tick.x, tick.y), clBlue);
  }
  chart.SetView3D(false);  // hidden in a flat chart
  host.Paint(true);
  const int flat = chart.PlotRect().right;
  chart.DepthAxis().SetVisible(false);
  host.Paint(true);
  EXPECT_EQ(chart.PlotRect().right, flat);
}

// The depth axis at its edges draws inside the chart and keeps its labels off the plot's front
// face, whatever it labels and however the box is turned.
TEST(ChartAxisTest, TheDepthAxisAtItsEdgesStaysInTheChart) {
  EnsureGuiApplication();
  const struct {
    const char* name;
    int series;
    TAxisLabelStyle style;
    bool inverted, titled, turned;
  } cases[] = {
      {"values without series", 0, talValue, false, false, false},
      {"values of three series", 3, talValue, false, false, false},
      {"inverted", 3, talAuto, true, false, false},
      {"with a title", 3, talAuto, false, true, false},
      {"a turned view", 3, talAuto, false, true, true},
      {"no series, turned, titled", 0, talAuto, true, true, true},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    TSeriesOwner owner;
    TChart chart;
    TTestWindowHost host(chart, 420, 300);
    chart.Legend().SetVisible(false);
    for (int s = 0; s < k.series; ++s) {
      auto& bars = owner.CreateSeries<TBarSeries>();
      bars.SetTitle(s == 1 ? "middle" : "side");
      bars.Marks().SetVisible(false);
      bars.SetSeriesColor(clGreen);
      chart.AttachSeries(&bars);
      for (int i = 0; i < 3; ++i) bars.AddPoint(i, i + 1, "", clDefault);
    }
    TChartDepthAxis& depth = chart.DepthAxis();
    depth.SetVisible(true);
    depth.SetLabelStyle(k.style);
    depth.SetInverted(k.inverted);
    TFont red = depth.LabelsFont();
    red.SetColor(clFuchsia);
    depth.SetLabelsFont(red);
    if (k.titled) {
      depth.Title().SetCaption("Depth");
      TFont blue = depth.Title().Font();
      blue.SetColor(clAqua);
      depth.Title().SetFont(blue);
    }
    if (k.turned) {
      chart.View3DOptions().SetOrthogonal(false);
      chart.View3DOptions().SetRotation(330);
      chart.View3DOptions().SetElevation(340);
    }
    ASSERT_NO_THROW(host.Paint(true));
    const TRect plot = chart.PlotRect();
    int reds = 0, blues = 0;
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 420; ++x) {
        const TColor c = host.PixelAt(x, y);
        if (c != clFuchsia && c != clAqua) continue;
        (c == clFuchsia ? reds : blues)++;
        // A turned box has no front face at the plot rectangle.
        ASSERT_FALSE(!k.turned && x > plot.left + 2 && x < plot.right - 2 && y > plot.top + 2 &&
                     y < plot.bottom - 2)
            << "on the plot at " << x << "," << y;
      }
    if (k.series > 0) {
      EXPECT_GT(reds, 0);
    }
    if (k.titled) {
      EXPECT_GT(blues, 0);
    }
  }
}
