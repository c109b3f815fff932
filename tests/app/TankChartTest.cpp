#include "app/TankChart.h"

#include <gtest/gtest.h>

#include "app/DemoData.h"
#include "platform/Bitmap.h"
#include "support/GuiApp.h"

namespace {

// The application's chart over the demo plant, drawn at the window's stored size.
class TankChartFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    RandomizeLevels(*sites, random);
    stored = &ApplyStoredChartSettings(chart, owner);
    SetupChart(chart, owner, *sites);
    RefreshChart(chart, *sites);
  }

  void Draw() {
    chart.SetSize(850, 173);
    chart.DrawChart(picture.Canvas(), Rect(0, 0, 850, 173));
  }

  // The screen pixel of a point on the front face of the bars.
  TPoint Front(int x, int y) { return chart.Canvas().ProjectPoint(x, y, chart.SeriesAt(0)->StartZ); }

  std::unique_ptr<TSiteList> sites = BuildSites();
  TDemoRandom random;
  TSeriesOwner owner;
  TChart chart;
  TBarSeries* stored = nullptr;
  TBitmap picture{850, 173};
};

}  // namespace

TEST_F(TankChartFixture, OneStackedSeriesPerTankPosition) {
  ASSERT_EQ(chart.CountSeries(), 5);
  EXPECT_EQ(stored->ParentChart(), nullptr);  // the stored series is taken out, not destroyed
  std::vector<TColor> colours;
  for (int s = 0; s < 5; ++s) {
    auto* series = static_cast<TBarSeries*>(chart.SeriesAt(s));
    colours.push_back(series->SeriesColor());
    EXPECT_EQ(series->MultiBar(), mbStacked);
    EXPECT_FALSE(series->Marks().Visible());
    ASSERT_EQ(series->PointCount(), 12);
  }
  EXPECT_EQ(colours, (std::vector<TColor>{clRed, clGreen, clYellow, clBlue, clWhite}));
  // Cratfield has two tanks: its upper three points are null.
  EXPECT_EQ(chart.SeriesAt(1)->YValue(0), 30);
  EXPECT_TRUE(chart.SeriesAt(2)->IsNullPoint(0));
  EXPECT_FALSE(chart.SeriesAt(4)->IsNullPoint(9));  // Cookley has five
  TChartAxis& left = chart.LeftAxis();
  EXPECT_FALSE(left.Automatic());
  EXPECT_EQ(left.Minimum(), 0);
  EXPECT_EQ(left.Maximum(), 10000);
}

TEST_F(TankChartFixture, RefreshReloadsSeriesButNeverTouchesTheAxis) {
  chart.LeftAxis().SetMaximum(20000);
  SimulateStep(*sites, random);
  RefreshChart(chart, *sites);
  EXPECT_EQ(chart.LeftAxis().Maximum(), 20000);
  for (int s = 0; s < 5; ++s) EXPECT_EQ(chart.SeriesAt(s)->PointCount(), 12);
  EXPECT_EQ(chart.SeriesAt(0)->YValue(3), 1000);  // Fressingfield was refilled
}

TEST_F(TankChartFixture, SnapshotShowsTheStacksWallsAndAxis) {
  Draw();
  TChartAxis& left = chart.LeftAxis();
  EXPECT_EQ(left.RangeMin, 0);
  EXPECT_EQ(left.RangeMax, 10000);
  // Cookley (site 9) holds 480, 1640, 540, 960 and 280: five segments in series order, from
  // the bottom, in the series' colours.
  const auto& cookley = static_cast<TBarSeries&>(*chart.SeriesAt(0));
  const int centre = cookley.PointScreenX(9) + cookley.BarPixelWidth / 2;
  double base = 0;
  const double levels[] = {480, 1640, 540, 960, 280};
  const TColor colours[] = {clRed, clGreen, clYellow, clBlue, clWhite};
  for (int s = 0; s < 5; ++s) {
    const int y = left.ValueToPixel(base + levels[s] / 2);
    const TPoint p = Front(centre, y);
    EXPECT_EQ(picture.Pixel(p.x, p.y), colours[s]) << "segment " << s;
    base += levels[s];
  }
  // Twelve bars: every site's bottom segment is red where it holds anything.
  int tallEnough = 0, redBars = 0;
  for (int i = 0; i < 12; ++i) {
    const double level = chart.SeriesAt(0)->YValue(i);
    if (level < 200) continue;  // too thin to probe
    const int x = cookley.PointScreenX(i) + cookley.BarPixelWidth / 2;
    const TPoint p = Front(x, left.ValueToPixel(level / 2));
    ++tallEnough;
    redBars += picture.Pixel(p.x, p.y) == clRed;
  }
  EXPECT_GE(tallEnough, 9);
  EXPECT_EQ(redBars, tallEnough);
  // The light-yellow left wall beside the plot, the white floor under the bars.
  const TRect& plot = chart.PlotRect;
  const TPoint wall = chart.Canvas().ProjectPoint(plot.left, plot.top + 20, chart.Depth3DX / 2);
  EXPECT_EQ(picture.Pixel(wall.x, wall.y), TColor{0x80FFFF});
  const TPoint floor =
      chart.Canvas().ProjectPoint((cookley.PointScreenX(0) + cookley.PointScreenX(1)) / 2 + 20,
                                  plot.bottom, chart.Depth3DX / 2);
  EXPECT_EQ(picture.Pixel(floor.x, floor.y), clWhite);
  // The left axis' labels and title "Level" stand left of the plot; the bottom axis is hidden.
  EXPECT_FALSE(chart.AxisIsShown(chart.BottomAxis()));
  EXPECT_GT(left.LabelsPos, left.TitlePos);
  EXPECT_GT(plot.left, left.LabelsPos);
}
