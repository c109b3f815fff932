#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "chart/access/ChartAccessible.h"
#include "chart/series/BarSeries.h"
#include "chart/series/PieSeries.h"
#include "platform/Exception.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNull = -12345;  // stands for a null point in the tables

// The angles each value's slice runs between, worked out the long way: the magnitudes of the
// finite values of points that are not null, in turn from the rotation, in degrees.
std::vector<std::pair<double, double>> AnglesByHand(const std::vector<double>& values,
                                                    double rotation) {
  double total = 0;
  for (double v : values)
    if (v != kNull && std::isfinite(v)) total += std::fabs(v);
  std::vector<std::pair<double, double>> angles;
  double at = rotation;
  for (double v : values) {
    const double sweep =
        v != kNull && std::isfinite(v) && total > 0 ? 360 * std::fabs(v) / total : 0;
    angles.push_back({at, at + sweep});
    at += sweep;
  }
  return angles;
}

void Fill(TPieSeries& pie, const std::vector<double>& values) {
  for (double v : values) {
    if (v == kNull)
      pie.AddNullValue("");
    else
      pie.AddMandatoryValue(v, "", clDefault);
  }
}

class PieFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    chart.Legend().SetVisible(false);
    chart.Title().SetVisible(false);
    pie.Marks().SetVisible(false);
    chart.AttachSeries(&pie);
  }
  TSeriesOwner owner;
  TChart chart;
  TPieSeries& pie = owner.CreateSeries<TPieSeries>();
  TTestWindowHost host{chart, 300, 200};
};

}  // namespace

// Slices from the values: magnitudes, the points without a share skipped, from the rotation
// on; the percents the marks show are the slices' shares.
TEST_F(PieFixture, SliceAnglesFollowTheValues) {
  const struct {
    std::vector<double> values;
    int rotation;
    std::vector<double> sweeps;
  } rows[] = {
      {{1, 1, 2}, 0, {90, 90, 180}},
      {{1, 1, 2}, 450, {90, 90, 180}},  // taken modulo 360: starts at 90
      {{-1, 3}, -90, {90, 270}},        // a negative value takes its magnitude
      {{0, kNaN, 5, kInf, kNull}, 0, {0, 0, 360, 0, 0}},
      {{2, kNull, 2}, 10, {180, 0, 180}},
      {{0, 0}, 0, {0, 0}},                       // nothing to share: no slice at all
      {{1e308, kInf, 1e308}, 0, {180, 0, 180}},  // a total beyond the doubles
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.values));
    pie.ClearPoints();
    Fill(pie, row.values);
    pie.SetRotationAngle(row.rotation);
    const std::vector<TPieSlice> slices = pie.Slices();
    ASSERT_EQ(slices.size(), row.sweeps.size());
    double start = ((row.rotation % 360) + 360) % 360;
    for (size_t i = 0; i < slices.size(); ++i) {
      EXPECT_NEAR(slices[i].StartAngle, start, 1e-9) << i;
      EXPECT_NEAR(slices[i].EndAngle - slices[i].StartAngle, row.sweeps[i], 1e-9) << i;
      EXPECT_EQ(pie.HasSlice(static_cast<int>(i)), row.sweeps[i] > 0) << i;
      char percent[32];
      std::snprintf(percent, sizeof percent, "%.0f %%", row.sweeps[i] / 3.6);
      pie.SetPercentFormat("0 %");
      EXPECT_EQ(pie.PercentText(static_cast<int>(i)), percent) << i;
      start += row.sweeps[i];
    }
  }
}

// Two independent paths agree at every pixel of a grid, flat and in 3D, rotated, exploded and
// stretched: the slice the hit test names is the one whose colour (or, on a 3D side, whose
// darkened colour) is painted there, the background where it names none, and on a slice's
// front the pixel's angle from the centre lies within the angles the values give by hand.
TEST_F(PieFixture, HitTestNamesTheSlicePaintedAtEachPixel) {
  const std::vector<double> values = {3, 1, 2, 0, 2.5, -1.5};
  const TColor colors[] = {clRed, clGreen, clBlue, clTeal, clYellow, clFuchsia};
  for (size_t i = 0; i < values.size(); ++i) pie.AddMandatoryValue(values[i], "", colors[i]);
  const std::vector<std::pair<double, double>> angles = AnglesByHand(values, 0);
  const struct {
    const char* name;
    bool view3D, circled;
    int rotation, explodeBiggest, explodeFourth, chart3DPercent;
  } cases[] = {
      {"flat", false, true, 0, 0, 0, 15},
      {"flat exploded, rotated", false, true, 125, 30, 20, 15},
      {"flat ellipse", false, false, 300, 10, 0, 15},
      {"3D", true, true, 0, 0, 0, 40},
      {"3D rotated, exploded", true, true, 200, 25, 40, 60},
      {"3D ellipse exploded", true, false, 45, 15, 15, 25},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    chart.SetView3D(c.view3D);
    chart.SetChart3DPercent(c.chart3DPercent);
    pie.SetCircled(c.circled);
    pie.SetRotationAngle(c.rotation);
    pie.SetExplodeBiggest(c.explodeBiggest);
    pie.SetExplodeOffset(4, c.explodeFourth);
    // In 3D the outline between a slice's front and its side lies inside the slice.
    pie.SetSlicePen(c.view3D ? ChartHiddenPen() : TChartPen{});
    host.Paint(true);
    const TExactPoint centre = pie.CircleCentre();
    const double rx = pie.XRadius(), ry = pie.YRadius();
    ASSERT_GT(rx, 20);
    // As large as the plot allows with the farthest slice pulled out by its percent.
    const double grown = 1 + std::max(c.explodeBiggest, c.explodeFourth) / 100.0;
    const TRect plot = chart.PlotRect();
    const double across = plot.Width() / 2 / grown, up = plot.Height() / 2 / grown;
    EXPECT_NEAR(ry, c.circled ? std::min(across, up) : up, 1);
    EXPECT_NEAR(rx, c.circled ? std::min(across, up) : across, 1);
    std::vector<int> hits(300 * 200);
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x) hits[static_cast<size_t>(y * 300 + x)] = pie.PointAt({x, y});
    std::vector<int> fronts(values.size()), sides(values.size());
    int outside = 0;
    for (int y = 3; y < 197; y += 2)
      for (int x = 3; x < 297; x += 2) {
        const int index = hits[static_cast<size_t>(y * 300 + x)];
        bool edge = false;
        for (int dy = -2; dy <= 2; ++dy)
          for (int dx = -2; dx <= 2; ++dx)
            edge = edge || hits[static_cast<size_t>((y + dy) * 300 + x + dx)] != index;
        if (edge) continue;
        const TColor seen = host.PixelAt(x, y);
        if (index < 0) {
          for (TColor color : colors)
            ASSERT_TRUE(seen != color && seen != DarkenColor(color, 64)) << x << "," << y;
          ++outside;
          continue;
        }
        const TColor color = colors[index];
        if (seen == DarkenColor(color, 64) && c.view3D) {
          ++sides[static_cast<size_t>(index)];
          continue;
        }
        ASSERT_EQ(seen, color) << x << "," << y << " slice " << index;
        ++fronts[static_cast<size_t>(index)];
        // Away from where the front meets the slice's own side, which the hit test does not
        // tell apart.
        bool inside = true;
        for (int dy = -2; dy <= 2; ++dy)
          for (int dx = -2; dx <= 2; ++dx) inside = inside && host.PixelAt(x + dx, y + dy) == color;
        if (!inside) continue;
        // On the unit circle the ellipse's angles are the circle's; an exploded slice moves
        // along its middle, so its points keep their angles from the centre.
        double angle =
            std::atan2((centre.y - y) / ry, (x - centre.x) / rx) * 180 / std::numbers::pi;
        const auto [from, to] = angles[static_cast<size_t>(index)];
        const double rotated = from + c.rotation;
        angle = rotated + std::fmod(std::fmod(angle - rotated, 360.0) + 360, 360.0);
        EXPECT_LE(angle, to + c.rotation + 1e-9) << x << "," << y << " slice " << index;
      }
    EXPECT_GT(outside, 100);
    for (size_t i = 0; i < values.size(); ++i)
      EXPECT_EQ(fronts[i] > 0, values[i] != 0) << "slice " << i;
    if (c.view3D) {
      int sideTotal = 0;
      for (int n : sides) sideTotal += n;
      EXPECT_GT(sideTotal, 10);
    }
  }
}

// A chart of pies alone gives the pie the whole plot, without walls, axes or grid; a bar
// series beside it brings them back, its axes ranging over the bars alone.
TEST_F(PieFixture, APieAloneDrawsNoWallsOrAxes) {
  Fill(pie, {1, 2, 3000});
  pie.SetCircled(true);
  host.Paint(true);
  const TRect plot = chart.PlotRect();
  chart.DepthAxis().SetVisible(true);
  EXPECT_FALSE(chart.AxesNeeded());
  for (const TCustomChartAxis* axis : chart.Axes()) EXPECT_FALSE(chart.AxisIsShown(*axis));
  // The 3D box leaves the pie its depth; nothing else is cut from the margins.
  const int depth = chart.Layout().Depth3DX;
  EXPECT_EQ(plot, Rect(9, 8 + depth, 291 - depth, 192));
  const TRect circle = pie.CircleRect();
  EXPECT_EQ(circle.Height(), plot.Height() / 2 * 2);
  // Where the left wall and the floor would be, only the background.
  EXPECT_EQ(host.PixelAt(plot.left + 1, (plot.top + plot.bottom) / 2), ColorToRGB(chart.Color()));
  EXPECT_EQ(host.PixelAt(plot.left + 2, plot.bottom + 1), ColorToRGB(chart.Color()));

  auto& bars = owner.CreateSeries<TBarSeries>();
  bars.AddPoint(0, 0, "", clDefault);
  chart.AttachSeries(&bars);
  host.Paint(true);
  EXPECT_TRUE(chart.AxisIsShown(chart.LeftAxis()));
  EXPECT_TRUE(chart.AxesNeeded());
  // The pie's values give the axes no range.
  EXPECT_LT(chart.LeftAxis().Layout().RangeMax, 100);
  EXPECT_EQ(host.PixelAt(chart.PlotRect().left + 2, (plot.top + plot.bottom) / 2),
            TColor{0x80FFFF});
}

// Settings: out-of-range percents are refused and keep the old value; a slice's own explode
// offset stays with its point; the legend lists the slices in their colours beside a series.
TEST_F(PieFixture, SettingsOffsetsAndLegendRows) {
  Fill(pie, {1, 2, 3});
  EXPECT_TRUE(pie.ColorEachPoint());
  pie.SetExplodeBiggest(20);
  EXPECT_THROW(pie.SetExplodeBiggest(101), Exception);
  EXPECT_THROW(pie.SetExplodeBiggest(-1), Exception);
  EXPECT_EQ(pie.ExplodeBiggest(), 20);
  EXPECT_THROW(pie.SetExplodeOffset(3, 10), Exception);
  EXPECT_THROW(pie.SetExplodeOffset(0, 200), Exception);
  pie.SetExplodeOffset(1, 30);
  pie.AddPoint(-1, 5, "", clDefault);  // lands first in X order
  EXPECT_EQ(pie.ExplodeOffset(2), 30);
  pie.DeletePoint(0);
  EXPECT_EQ(pie.ExplodeOffset(1), 30);
  EXPECT_EQ(pie.ExplodeOffset(0), 0);
  EXPECT_EQ(pie.ExplodeOffset(99), 0);
  pie.SwapPoints(0, 1);
  EXPECT_EQ(pie.ExplodeOffset(0), 30);
  pie.SetRotationAngle(-30);
  EXPECT_EQ(pie.RotationAngle(), 330);

  chart.Legend().SetVisible(true);
  auto& bars = owner.CreateSeries<TBarSeries>();
  bars.SetTitle("bars");
  chart.AttachSeries(&bars);
  bars.AddPoint(0, 1, "", clDefault);
  host.Paint(true);
  const std::vector<TLegendRow>& rows = chart.Layout().Legend.Rows;
  ASSERT_EQ(rows.size(), 4u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(rows[static_cast<size_t>(i)].Color, PaletteColor(i));
  EXPECT_EQ(rows[3].Text, "bars");
}

// Marks stand outside the pie, each beyond the rim along its slice's middle: four equal
// slices turned by 45 degrees put them above, left of, below and right of the pie.
TEST_F(PieFixture, MarksStandOutsideAlongTheMiddleOfTheirSlices) {
  for (const char* label : {"N", "W", "S", "E"}) pie.AddMandatoryValue(1, label, clDefault);
  pie.SetRotationAngle(45);
  pie.SetCircled(true);
  pie.Marks().SetVisible(true);
  pie.Marks().SetBackColor(clAqua);
  for (bool view3D : {false, true}) {
    chart.SetView3D(view3D);
    host.Paint(true);
    const TExactPoint c = pie.CircleCentre();
    const double r = pie.XRadius();
    int above = 0, left = 0, below = 0, right = 0;
    TRect ink{1 << 20, 1 << 20, -1, -1};
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x) {
        if (host.PixelAt(x, y) != clAqua) continue;
        ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
               std::max(ink.bottom, y + 1)};
        ASSERT_GT(std::hypot(x - c.x, y - c.y), r) << x << "," << y;
        above += y < c.y - r;
        below += y > c.y + r;
        left += x < c.x - r;
        right += x > c.x + r;
      }
    EXPECT_GT(above, 0);
    EXPECT_GT(left, 0);
    EXPECT_GT(below, 0);
    EXPECT_GT(right, 0);
    if (view3D) continue;
    // The pie is as large as keeps the marks inside the plot: one touches its side.
    const TRect plot = chart.PlotRect();
    EXPECT_GE(left + right + above + below, 4);
    EXPECT_LE(std::min({ink.left - plot.left, plot.right - ink.right, ink.top - plot.top,
                        plot.bottom - ink.bottom}),
              3);
    EXPECT_GE(ink.left, plot.left);
    EXPECT_LE(ink.right, plot.right);
    EXPECT_GE(ink.top, plot.top);
    EXPECT_LE(ink.bottom, plot.bottom);
  }
}

// The accessible children are the slices, named with their values and percents and placed
// where they are drawn; the values at the cursor are the slice's under it.
TEST_F(PieFixture, AccessibleSlicesAndValuesAtTheCursor) {
  pie.SetTitle("Stock");
  pie.AddMandatoryValue(1, "a", clRed);
  pie.AddNullValue("b");
  pie.AddMandatoryValue(3, "", clBlue);
  pie.SetRotationAngle(45);
  chart.SetView3D(false);
  host.Paint(true);
  TChartAccessible access(chart);
  ASSERT_EQ(access.ChildCount(), 2);
  EXPECT_EQ(access.Child(0).name, "Stock, a: 1, 25 %");
  EXPECT_EQ(access.Child(1).name, "Stock, 2: 3, 75 %");
  EXPECT_EQ(access.Child(1).value, "3");
  for (int child = 0; child < 2; ++child) {
    const TRect r = access.Child(child).rect;
    EXPECT_EQ(access.Child(child).role, arGraphic);
    // The box is the one of the slice's painted pixels (inside its outline).
    TRect ink{1 << 20, 1 << 20, -1, -1};
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x)
        if (host.PixelAt(x, y) == (child == 0 ? clRed : clBlue))
          ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                 std::max(ink.bottom, y + 1)};
    EXPECT_NEAR(ink.left, r.left, 2) << child;
    EXPECT_NEAR(ink.top, r.top, 2) << child;
    EXPECT_NEAR(ink.right, r.right, 2) << child;
    EXPECT_NEAR(ink.bottom, r.bottom, 2) << child;
    const TPoint middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    EXPECT_EQ(pie.PointAt(middle), child == 0 ? 0 : 2) << child;
    host.SetCursorPosition(middle);
    double x = 0, y = 0;
    pie.ValuesAtCursor(x, y);
    EXPECT_EQ(x, child == 0 ? 0 : 2);
    EXPECT_EQ(y, child == 0 ? 1 : 3);
  }
  host.SetCursorPosition({1, 1});
  double x = 0, y = 5;
  pie.ValuesAtCursor(x, y);
  EXPECT_EQ(x, -1);
  EXPECT_EQ(y, 0);
}

// Pies at their edges paint and keep one legend row per point: every value zero, one slice,
// a thousand slices, every slice exploded all the way.
TEST_F(PieFixture, EdgePiesPaintWithARowPerPoint) {
  chart.Legend().SetVisible(true);
  chart.Legend().SetMaxNumRows(2000);
  pie.Marks().SetVisible(true);
  const struct {
    std::vector<double> values;
    int explode;
  } rows[] = {{{0, 0, 0}, 0}, {{5}, 100}, {std::vector<double>(1000, 1.0), 0}, {{1, 2, 3}, 100}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.values.size());
    pie.ClearPoints();
    Fill(pie, row.values);
    for (int i = 0; i < pie.PointCount(); ++i) pie.SetExplodeOffset(i, row.explode);
    EXPECT_NO_THROW(host.Paint(true));
    EXPECT_EQ(chart.Layout().Legend.Rows.size(), row.values.size());
    const TRect circle = pie.CircleRect();
    EXPECT_GE(circle.Width(), 0);
    // A slice that is there is hit at its middle, halfway out.
    const std::vector<TPieSlice> slices = pie.Slices();
    for (int i = 0; i < pie.PointCount(); i += std::max(1, pie.PointCount() / 10)) {
      const TPieSlice& slice = slices[static_cast<size_t>(i)];
      if (slice.EndAngle - slice.StartAngle < 10) continue;  // too thin to hit by a pixel
      const double a = slices[static_cast<size_t>(i)].MiddleAngle() * std::numbers::pi / 180;
      const TExactPoint c = pie.CircleCentre();
      const TPoint front{static_cast<int>(std::lround(c.x + slices[static_cast<size_t>(i)].OffsetX +
                                                      pie.XRadius() / 2 * std::cos(a))),
                         static_cast<int>(std::lround(c.y + slices[static_cast<size_t>(i)].OffsetY -
                                                      pie.YRadius() / 2 * std::sin(a)))};
      const TPoint p = chart.Canvas().ProjectPoint(front.x, front.y, pie.StartZ());
      EXPECT_EQ(pie.PointAt(p), i) << "slice " << i;
    }
  }
}
