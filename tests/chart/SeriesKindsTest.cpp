#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <numbers>
#include <random>
#include <set>
#include <vector>

#include "chart/Chart.h"
#include "chart/axis/AxisLabelValues.h"
#include "chart/axis/DateTimeText.h"
#include "chart/series/AreaSeries.h"
#include "chart/series/BarSeries.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PieSeries.h"
#include "gallery/GalleryChart.h"
#include "platform/Bitmap.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"

namespace {

// Where a point of any kind shows on the screen, for a click on it.
TPoint ScreenPointOf(const TChartSeries& series, int index) {
  if (const auto* line = dynamic_cast<const TCustomLineSeries*>(&series))
    return line->ScreenPoint(index);
  const TChartProjection& projection = series.ParentChart()->Layout().Projection;
  if (const auto* bars = dynamic_cast<const TCustomBarSeries*>(&series)) {
    const TRect r = bars->BarRect(index);
    return projection.Project((r.left + r.right) / 2, (r.top + r.bottom) / 2, series.StartZ());
  }
  if (const auto* pie = dynamic_cast<const TPieSeries*>(&series)) {
    // Halfway out along the middle of the slice.
    const TPieSlice slice = pie->Slices()[static_cast<size_t>(index)];
    const double middle = slice.MiddleAngle() * std::numbers::pi / 180;
    const TExactPoint c = pie->CircleCentre();
    return projection.Project(Nearest(c.x + slice.OffsetX + pie->XRadius() / 2 * std::cos(middle)),
                              Nearest(c.y + slice.OffsetY - pie->YRadius() / 2 * std::sin(middle)),
                              series.StartZ());
  }
  return projection.Project(series.PointScreenX(index), series.PointScreenY(index),
                            series.MiddleZ());
}

class GalleryFixture : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { EnsureGuiApplication(); }
  std::vector<TColor> Screen() const {
    std::vector<TColor> pixels;
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 500; ++x) pixels.push_back(host.PixelAt(x, y));
    return pixels;
  }
  TSeriesOwner owner;
  TChart chart;
  TTestWindowHost host{chart, 500, 300};
};

// Whether the series' colour (or the darker shade of its 3D outlines and tops) lies within two
// pixels of p.
bool InkNear(const TTestWindowHost& host, TPoint p, TColor color) {
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx) {
      const TColor seen = host.PixelAt(p.x + dx, p.y + dy);
      if (seen == color || seen == DarkenColor(color, 64)) return true;
    }
  return false;
}

}  // namespace

// Every kind, flat and in 3D: a click on a drawn point finds that point (or one drawn on top
// of it), the values at the cursor there are the point's, and the picture is the same after
// a zoom and its undo as a fresh paint.
TEST_P(GalleryFixture, ClicksFindTheDrawnPointsAndGesturesLeaveAFreshPicture) {
  ShowChartGalleryPage(chart, owner, *ParseChartGalleryChoice(GetParam()));
  host.Paint(true);
  const std::vector<TColor> painted = Screen();
  int checked = 0;
  for (TChartSeries* series : chart.SeriesList()) {
    const int step = std::max(1, series->PointCount() / 7);
    for (int i = 0; i < series->PointCount(); i += step) {
      const TPoint p = ScreenPointOf(*series, i);
      if (!PtInRect(Rect(0, 0, 500, 300), p)) continue;
      const TChartClickedPart part = chart.FindClickedPart(p);
      ASSERT_EQ(part.Part, cpSeries) << series->Title() << " point " << i;
      if (part.ASeries == series) {
        EXPECT_EQ(part.PointIndex, i) << series->Title();
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 3);
  host.MouseDown(mbLeft, 150, 100);
  host.MouseMove(300, 200);
  host.MouseUp(mbLeft, 300, 200);
  host.MouseDown(mbLeft, 300, 200);
  host.MouseMove(150, 100);
  host.MouseUp(mbLeft, 150, 100);
  host.Paint();
  EXPECT_EQ(Screen(), painted);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, GalleryFixture,
                         ::testing::Values("line", "line:3d", "point", "point:3d", "area",
                                           "area:3d", "horizbar", "horizbar:3d", "fastline",
                                           "fastline:3d", "log", "datetime", "function",
                                           "function:3d", "marks", "marks:3d", "labels", "pie",
                                           "pie:3d"));

// Cutting runs of points in one pixel column to four changes no pixel: with many points to a
// column, and with fewer points than columns (one or two to a column, found by galloping); with
// gaps, x going back, one column for all, points far off, zoomed, inverted, logarithmic, 3D.
TEST(FastLineTest, TheReducedLineIsExactlyTheFullOne) {
  EnsureGuiApplication();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  auto wave = [](int i) { return std::sin(i * 0.01) * std::cos(i * 0.173) * (i % 97); };
  struct TCase {
    int count;
    std::function<void(TChart&)> setup;
    std::function<void(TFastLineSeries&, int)> add;
    bool plain = false;  // one unbroken line, every point mapped as the axes map it
  };
  auto byIndex = [&](TFastLineSeries& s, int i) { s.AddPoint(i, wave(i), "", clDefault); };
  auto none = [](TChart&) {};
  const TCase cases[] = {
      {100000, none, byIndex, true},
      {300, none, byIndex, true},
      {550, none, byIndex, true},
      {20000, none,
       [&](TFastLineSeries& s, int i) {
         s.AddPoint(i, i % 331 == 5 ? nan : wave(i), "", i % 257 == 3 ? clNone : clDefault);
       }},
      {20000, none,
       [&](TFastLineSeries& s, int i) { s.AddPoint(20000 - i + i % 3, wave(i), "", clDefault); }},
      {5000, none, [&](TFastLineSeries& s, int i) { s.AddPoint(7, wave(i), "", clDefault); }},
      {20000, [](TChart& c) { c.LeftAxis().SetAxisRange(-20, 20); },
       [&](TFastLineSeries& s, int i) {
         s.AddPoint(i, i % 101 == 0 ? (i % 2 ? 1e9 : -1e9) : wave(i), "", clDefault);
       }},
      {20000,
       [](TChart& c) {
         c.BottomAxis().SetAxisRange(9000.5, 9040.5);
         c.LeftAxis().SetAxisRange(-3, 3);
       },
       [&](TFastLineSeries& s, int i) { s.AddPoint(i / 2.0, wave(i), "", clDefault); }},
      {20000,
       [](TChart& c) {
         c.BottomAxis().SetInverted(true);
         c.LeftAxis().SetInverted(true);
       },
       byIndex},
      {20000,
       [](TChart& c) {
         c.LeftAxis().SetLogarithmic(true);
         c.BottomAxis().SetLogarithmic(true);
       },
       [&](TFastLineSeries& s, int i) { s.AddPoint(i + 1, 100 + wave(i), "", clDefault); }},
      {20000, [](TChart& c) { c.SetView3D(true); }, byIndex},
      {20000,
       [](TChart& c) {
         c.SetView3D(true);
         c.View3DOptions().SetOrthogonal(false);
       },
       byIndex},
  };
  auto draw = [](const std::vector<std::vector<TPoint>>& lines) {
    auto picture = std::make_unique<TBitmap>(400, 200);
    picture->Canvas().Brush() = TBrush{clWhite, bsSolid, clWhite};
    picture->Canvas().FillRect(Rect(0, 0, 400, 200));
    for (const auto& line : lines) picture->Canvas().Polyline(line);
    return picture;
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(&c - cases);
    TSeriesOwner owner;
    TChart chart;
    chart.SetView3D(false);
    TFastLineSeries& series = owner.CreateSeries<TFastLineSeries>();
    chart.AttachSeries(&series);
    c.setup(chart);
    for (int i = 0; i < c.count; ++i) c.add(series, i);
    chart.SetSize(400, 200);
    const std::vector<std::vector<TPoint>> full = series.ScreenPolylines(0, c.count - 1, false);
    const std::vector<std::vector<TPoint>> reduced = series.ScreenPolylines(0, c.count - 1, true);
    ASSERT_FALSE(full.empty());
    if (c.plain) {
      ASSERT_EQ(full.size(), 1u);
      ASSERT_EQ(reduced.size(), 1u);
      // The pass over the stored values maps every point where the axes do.
      for (int i = 0; i < c.count; i += 97)
        ASSERT_EQ(full[0][static_cast<size_t>(i)],
                  Point(series.PointScreenX(i), series.PointScreenY(i)));
      EXPECT_LE(reduced[0].size(), c.count > 10000 ? full[0].size() / 20 : full[0].size());
    }
    const auto a = draw(full), b = draw(reduced);
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 400; ++x) ASSERT_EQ(a->Pixel(x, y), b->Pixel(x, y)) << x << "," << y;
  }
}

// Values a kind cannot show: null points, NaN, infinities, zeros on a logarithmic axis and a
// million points on one x draw nothing wrong and break nothing.
TEST(SeriesKindsTest, ValuesThatCannotBeShownAreSkipped) {
  EnsureGuiApplication();
  TSeriesOwner owner;
  TChart chart;
  TTestWindowHost host(chart, 300, 200);
  TLineSeries& line = owner.CreateSeries<TLineSeries>();
  TFastLineSeries& fast = owner.CreateSeries<TFastLineSeries>();
  TAreaSeries& area = owner.CreateSeries<TAreaSeries>();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (TChartSeries* s : std::vector<TChartSeries*>{&line, &fast, &area}) {
    chart.AttachSeries(s);
    for (double y : {1.0, nan, 0.0, inf, -5.0, 1e308, 3.0})
      s->AddPoint(s->PointCount(), y, "", clDefault);
    s->AddNullPoint(s->PointCount(), 2, "");
  }
  for (int i = 0; i < 1000000; ++i) fast.AddPoint(3, i % 1000, "", clDefault);
  for (bool logarithmic : {false, true}) {
    chart.LeftAxis().SetLogarithmic(logarithmic);
    host.Paint(true);
    EXPECT_TRUE(std::isfinite(chart.LeftAxis().RangeMin()));
    EXPECT_FALSE(line.Plottable(1));
    EXPECT_EQ(line.Plottable(2), !logarithmic);
    EXPECT_EQ(chart.FindClickedPart({-100, -100}).Part, cpNone);
  }
}

TEST(AxisLabelsTest, LogarithmicLabelsArePowersOfTheBase) {
  TAxisScale scale;
  scale.Horizontal = false;
  scale.Logarithmic = true;
  scale.SetPixels(0, 600);
  scale.SetRange(1, 1e6);
  EXPECT_EQ(LogarithmicLabelValues(scale, 10, 10),
            (std::vector<double>{1e6, 1e5, 1e4, 1e3, 1e2, 1e1, 1}));
  EXPECT_EQ(LogarithmicLabelValues(scale, 10, 4), (std::vector<double>{1e6, 1e4, 1e2, 1}));
  EXPECT_EQ(LogarithmicLabelValues(scale, 10, 3), (std::vector<double>{1e6, 10}));
  EXPECT_EQ(LogarithmicLabelValues(scale, 2, 30).front(), 524288);
  // Equal steps of the logarithm get equal steps of pixels, from the bottom up.
  EXPECT_EQ(scale.ValueToPixel(1), 600);
  EXPECT_EQ(scale.ValueToPixel(1e3), 300);
  EXPECT_EQ(scale.ValueToPixel(1e5), 100);
  EXPECT_EQ(scale.ValueToPixel(0), 600);  // below what the axis can show: its low end
  EXPECT_NEAR(scale.PixelToValue(300), 1e3, 1e-6);
  // A range without a power inside, or not above zero, has no power labels.
  scale.SetRange(2, 8);
  EXPECT_TRUE(LogarithmicLabelValues(scale, 10, 10).empty());
  scale.SetRange(0, 100);
  EXPECT_TRUE(LogarithmicLabelValues(scale, 10, 10).empty());
  EXPECT_EQ(scale.ValueToPixel(10), scale.CenterPixel);
}

TEST(AxisLabelsTest, DateTimeLadderCalendarAndFormats) {
  const double minute = 1.0 / 1440;
  struct {
    double atLeast, step;
  } const ladder[] = {{0.5 / 86400, 1.0 / 86400},
                      {7 * minute, 10 * minute},
                      {0.3, 0.5},
                      {4, 7},
                      {20, 30.4375},
                      {100, 4 * 30.4375},
                      {400, 2 * 365.25},
                      {3000, 10 * 365.25}};
  for (const auto& [atLeast, step] : ladder) EXPECT_DOUBLE_EQ(DateTimeStep(atLeast), step);
  EXPECT_EQ(DateTimeStepMonths(2 * 30.4375), 2);
  EXPECT_EQ(DateTimeStepMonths(7), 0);

  TAxisScale year;
  year.SetRange(DateTimeOfDay(2026, 1, 1), DateTimeOfDay(2026, 12, 31));
  std::vector<std::string> firsts;
  for (double day : CalendarLabelValues(year, 2)) firsts.push_back(DateTimeText(day, true));
  EXPECT_EQ(firsts, (std::vector<std::string>{"2026-11-01", "2026-09-01", "2026-07-01",
                                              "2026-05-01", "2026-03-01", "2026-01-01"}));
  const double noon = DateTimeOfDay(2026, 12, 8) + 0.5 + 30 * minute;
  EXPECT_EQ(FormatDateTime("dd.mm.yy hh:nn:ss", noon), "08.12.26 12:30:00");
  EXPECT_EQ(FormatDateTime("yyyy", kLastDateTime + 1), "");
  EXPECT_EQ(DateTimeOfDay(1899, 12, 30), 0);
}

// A line is drawn wherever its segments cross the plot. For random data and zoom rectangles
// (some between two samples), each plot column a segment crosses holds the series' colour
// where the segment runs, by the straightforward method: the segment's height at the column,
// mapped in doubles and projected onto the series' plane. Lines, areas and fast lines, flat
// and in 3D.
TEST(SeriesKindsTest, LinesAreDrawnWhereverTheirSegmentsCrossThePlot) {
  EnsureGuiApplication();
  std::mt19937 random(5);
  auto uniform = [&](double a, double b) { return std::uniform_real_distribution<>(a, b)(random); };
  for (int round = 0; round < 72; ++round) {
    const int kind = round % 3;
    const bool is3D = round / 3 % 2 == 1;
    const bool inverted = round / 6 % 2 == 1;
    TSeriesOwner owner;
    TChart chart;
    TTestWindowHost host(chart, 320, 240);
    chart.SetView3D(is3D);
    chart.Legend().SetVisible(false);
    TChartSeries* made = nullptr;
    if (kind == 0) made = &owner.CreateSeries<TLineSeries>();
    if (kind == 1) made = &owner.CreateSeries<TAreaSeries>();
    if (kind == 2) made = &owner.CreateSeries<TFastLineSeries>();
    TChartSeries& series = *made;
    chart.AttachSeries(&series);
    series.SetSeriesColor(clRed);
    const int count = std::uniform_int_distribution<>(2, 30)(random);
    double x = 0;
    for (int i = 0; i < count; ++i)
      series.AddPoint(x += uniform(0.5, 10), uniform(0, 100), "", clDefault);
    double x0 = uniform(series.XValue(0) - 5, series.XValue(count - 1));
    double x1 = uniform(x0 + 0.1, series.XValue(count - 1) + 5);
    if (round % 4 < 2) {  // between two samples
      const int i = std::uniform_int_distribution<>(0, count - 2)(random);
      const double gap = series.XValue(i + 1) - series.XValue(i);
      x0 = series.XValue(i) + gap * 0.3;
      x1 = series.XValue(i) + gap * 0.6;
    } else if (round % 4 == 2) {  // from the first sample on
      x0 = series.XValue(0);
    }
    const double y0 = uniform(-10, 80), y1 = uniform(y0 + 5, 120);
    chart.BottomAxis().SetAxisRange(x0, x1);
    chart.BottomAxis().SetInverted(inverted);
    chart.LeftAxis().SetAxisRange(y0, y1);
    host.Paint(true);
    const TRect plot = chart.PlotRect();
    const TAxisScale h = chart.BottomAxis().Layout(), v = chart.LeftAxis().Layout();
    auto column = [&](double value) {
      const double t = (value - h.RangeMin) * h.LengthPixels / h.RangeSpan;
      return h.Inverted ? h.EndPixel - t : h.StartPixel + t;
    };
    auto row = [&](double value) {
      return v.EndPixel - (value - v.RangeMin) * v.LengthPixels / v.RangeSpan;
    };
    const int z = kind == 2 ? series.MiddleZ() : series.StartZ();
    for (int i = 1; i < count; ++i) {
      double ax = column(series.XValue(i - 1)), bx = column(series.XValue(i));
      double ay = row(series.YValue(i - 1)), by = row(series.YValue(i));
      if (ax > bx) {
        std::swap(ax, bx);
        std::swap(ay, by);
      }
      const int first = std::max(static_cast<int>(std::ceil(ax)) + 1, plot.left + 3);
      const int last = std::min(static_cast<int>(std::floor(bx)) - 1, plot.right - 4);
      for (int c = first; c <= last; ++c) {
        const double y = ay + (by - ay) * (c - ax) / (bx - ax);
        if (y < plot.top + 3 || y > plot.bottom - 4) continue;
        const TPoint p = chart.Layout().Projection.Project(c, static_cast<int>(std::lround(y)), z);
        ASSERT_TRUE(InkNear(host, p, clRed))
            << "kind " << kind << (is3D ? " 3D" : " flat") << (inverted ? " inverted" : "")
            << ", round " << round << ", segment " << i << ", column " << c << " of " << plot.left
            << ".." << plot.right;
      }
    }
    // Marks stand on the points inside the plot, its edges included: the neighbours a line
    // reaches for have none.
    std::set<int> marked, inside;
    series.OnGetMarkText = [&](TChartSeries*, int index, std::string&) { marked.insert(index); };
    series.Marks().SetVisible(true);
    host.Paint(true);
    for (int i = 0; i < count; ++i)
      if (series.XValue(i) >= x0 && series.XValue(i) <= x1) inside.insert(i);
    ASSERT_EQ(marked, inside) << x0 << ".." << x1 << ", round " << round;
  }
}

// Zoomed deep between two samples, so that their pixels lie far beyond any window: the segment
// joining them still crosses the plot where its values say, flat and in 3D.
TEST(SeriesKindsTest, LinesZoomedDeepBetweenTwoSamplesCrossThePlot) {
  EnsureGuiApplication();
  for (int round = 0; round < 6; ++round) {
    const int kind = round % 3;
    const bool is3D = round >= 3;
    SCOPED_TRACE(testing::Message() << "kind " << kind << (is3D ? " 3D" : " flat"));
    TSeriesOwner owner;
    TChart chart;
    TTestWindowHost host(chart, 320, 240);
    chart.SetView3D(is3D);
    chart.Legend().SetVisible(false);
    TChartSeries* series = nullptr;
    if (kind == 0) series = &owner.CreateSeries<TLineSeries>();
    if (kind == 1) series = &owner.CreateSeries<TAreaSeries>();
    if (kind == 2) series = &owner.CreateSeries<TFastLineSeries>();
    chart.AttachSeries(series);
    series->SetSeriesColor(clRed);
    if (kind == 0) {
      static_cast<TLineSeries*>(series)->Pointer().SetVisible(true);
      static_cast<TLineSeries*>(series)->Pointer().SetColor(clBlue);
    }
    // A line rising from 0 to 100 over one unit: around x = 0.5 it runs at height 50.
    series->AddPoint(0, 0, "", clDefault);
    series->AddPoint(1, 100, "", clDefault);
    chart.LeftAxis().SetAxisRange(0, 100);
    for (double width : {1e-3, 1e-8}) {
      SCOPED_TRACE(testing::Message() << "zoomed to a width of " << width);
      chart.BottomAxis().SetAxisRange(0.5, 0.5 + width);
      host.Paint(true);
      const TRect plot = chart.PlotRect();
      const int middle = chart.LeftAxis().ValueToPixel(50);
      const int z = kind == 2 ? series->MiddleZ() : series->StartZ();
      for (int c : {plot.left + 5, (plot.left + plot.right) / 2, plot.right - 6}) {
        const TPoint p = chart.Layout().Projection.Project(c, middle, z);
        EXPECT_TRUE(InkNear(host, p, clRed)) << "column " << c;
      }
      // The samples beyond any window have no marker at the centre column.
      for (double y : {0.0, 100.0}) {
        const int row = chart.LeftAxis().ValueToPixel(y);
        const int centre = (plot.left + plot.right) / 2;
        EXPECT_FALSE(InkNear(host, chart.Layout().Projection.Project(centre, row, z), clBlue));
      }
    }
    // As deep across the line: it crosses the middle row at 0.5, and an area fills the plot's
    // height to the right, where the line runs above the top.
    chart.BottomAxis().SetAxisRange(0, 1);
    chart.LeftAxis().SetAxisRange(50 - 5e-9, 50 + 5e-9);
    host.Paint(true);
    const TRect plot = chart.PlotRect();
    const int middle = (plot.top + plot.bottom) / 2,
              z = kind == 2 ? series->MiddleZ() : series->StartZ();
    const TPoint crossing = {chart.BottomAxis().ValueToPixel(0.5), middle};
    EXPECT_TRUE(InkNear(host, chart.Layout().Projection.Project(crossing.x, middle, z), clRed));
    if (kind == 1) {
      const TPoint filled = chart.Layout().Projection.Project(plot.right - 6, plot.top + 5, z);
      EXPECT_TRUE(InkNear(host, filled, clRed)) << "no fill beside the crossing";
    }
  }
}
