#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <memory>

#include "app/DemoData.h"
#include "app/TankChart.h"
#include "platform/Bitmap.h"
#include "platform/PixelCopies.h"
#include "platform/QtControlHost.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"

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
  TPoint Front(int x, int y) {
    return chart.Canvas().ProjectPoint(x, y, chart.SeriesAt(0)->StartZ());
  }

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

// In a window a frame is copied once on its way to the screen (the window showing its
// picture), and a frame that changes nothing on an axis makes no label text.
TEST_F(TankChartFixture, AFrameIsCopiedOnceAndUnchangedAxesMakeNoLabel) {
  std::unique_ptr<QWidget> host(CreateQtControlHost(chart));
  host->resize(850, 173);
  host->show();
  QWidget* viewport = host->focusProxy();
  ASSERT_NE(viewport, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
  viewport->repaint();
  const double ratio = viewport->devicePixelRatioF();
  const double frame = viewport->width() * ratio * viewport->height() * ratio;
  auto labels = [&] {
    long made = 0;
    for (const TCustomChartAxis* axis : chart.Axes()) made += axis->LabelFormats();
    return made;
  };
  for (int i = 0; i < 3; ++i) {
    const long long copies = CopiedPixels();
    const long made = labels();
    SimulateStep(*sites, random);  // new levels under the same axes
    RefreshChart(chart, *sites);
    viewport->repaint();
    EXPECT_EQ(static_cast<double>(CopiedPixels() - copies) / frame, 1.0) << "frame " << i;
    EXPECT_EQ(labels(), made) << "frame " << i;
  }
  const long made = labels();
  chart.LeftAxis().SetMaximum(20000);
  viewport->repaint();
  EXPECT_GT(labels(), made);
  EXPECT_EQ(chart.LeftAxis().LabelText(20000), "20,000");
}

TEST_F(TankChartFixture, SnapshotShowsTheStacksWallsAndAxis) {
  Draw();
  TChartAxis& left = chart.LeftAxis();
  EXPECT_EQ(left.RangeMin(), 0);
  EXPECT_EQ(left.RangeMax(), 10000);
  // Cookley (site 9) holds 480, 1640, 540, 960 and 280: five segments in series order, from
  // the bottom, in the series' colours.
  const auto& cookley = static_cast<TBarSeries&>(*chart.SeriesAt(0));
  const int centre = cookley.PointScreenX(9) + cookley.BarPixelWidth() / 2;
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
    const int x = cookley.PointScreenX(i) + cookley.BarPixelWidth() / 2;
    const TPoint p = Front(x, left.ValueToPixel(level / 2));
    ++tallEnough;
    redBars += picture.Pixel(p.x, p.y) == clRed;
  }
  EXPECT_GE(tallEnough, 9);
  EXPECT_EQ(redBars, tallEnough);
  // The light-yellow left wall beside the plot, the white floor under the bars.
  const TRect& plot = chart.PlotRect();
  const TPoint wall = chart.Canvas().ProjectPoint(plot.left, plot.top + 20, chart.Depth3DX() / 2);
  EXPECT_EQ(picture.Pixel(wall.x, wall.y), TColor{0x80FFFF});
  const TPoint floor =
      chart.Canvas().ProjectPoint((cookley.PointScreenX(0) + cookley.PointScreenX(1)) / 2 + 20,
                                  plot.bottom, chart.Depth3DX() / 2);
  EXPECT_EQ(picture.Pixel(floor.x, floor.y), clWhite);
  // The left axis' labels and title "Level" stand left of the plot; the bottom axis is hidden.
  EXPECT_FALSE(chart.AxisIsShown(chart.BottomAxis()));
  EXPECT_GT(left.LabelsPos(), left.TitlePos());
  EXPECT_GT(plot.left, left.LabelsPos());
}

namespace {

// The application's chart in a window of the stored size, painted once.
class TankChartMouseFixture : public TankChartFixture {
 protected:
  void SetUp() override {
    TankChartFixture::SetUp();
    host.Paint(true);
  }
  TBarSeries& First() { return *static_cast<TBarSeries*>(chart.SeriesAt(0)); }
  // The screen point above the middle of bar i, `y` pixels from the top of the plot.
  TPoint AboveBar(int i, int y) {
    return Front(First().PointScreenX(i) + First().BarPixelWidth() / 2, y);
  }
  int SiteAtCursor() {
    double x = 0, y = 0;
    First().ValuesAtCursor(x, y);
    return Nearest(x);
  }

  TTestWindowHost host{chart, 850, 173};
};

}  // namespace

TEST_F(TankChartMouseFixture, ValuesAtCursorRoundToTheSiteOfTheBarUnderOrAbove) {
  std::vector<int> under, above, onMove;
  chart.OnMouseMove = [&](TCustomChart*, TShiftState, int, int) {
    onMove.push_back(SiteAtCursor());
  };
  for (int i = 0; i < sites->Count(); ++i) {
    host.SetCursorPosition(AboveBar(i, First().PointScreenY(i) + 2));
    under.push_back(SiteAtCursor());
    const TPoint top = AboveBar(i, chart.PlotRect().top + 2);
    host.SetCursorPosition(top);
    above.push_back(SiteAtCursor());
    host.MouseMove(top.x, top.y);
  }
  const std::vector<int> expected = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  EXPECT_EQ(under, expected);
  EXPECT_EQ(above, expected);
  EXPECT_EQ(onMove, expected);
}

TEST_F(TankChartMouseFixture, ZoomZoomUndoRestoresTheFixedAndTheAutomaticAxis) {
  const TRect plot = chart.PlotRect();
  auto drag = [&](TPoint from, TPoint to) {
    host.MouseDown(mbLeft, from.x, from.y);
    host.MouseMove(to.x, to.y);
    host.MouseUp(mbLeft, to.x, to.y);
    host.Paint();
  };
  drag({plot.left + 50, plot.top + 10}, {plot.left + 400, plot.bottom - 10});
  drag({plot.left + 20, plot.top + 20}, {plot.left + 300, plot.bottom - 20});
  EXPECT_TRUE(chart.IsZoomed());
  EXPECT_GT(chart.LeftAxis().Minimum(), 0);
  EXPECT_FALSE(chart.BottomAxis().Automatic());
  drag({plot.right - 20, plot.bottom - 20}, {plot.left + 20, plot.top + 20});
  EXPECT_FALSE(chart.IsZoomed());
  const TChartAxis& left = chart.LeftAxis();
  EXPECT_FALSE(left.Automatic() || left.AutomaticMinimum() || left.AutomaticMaximum());
  EXPECT_EQ(left.Minimum(), 0);
  EXPECT_EQ(left.Maximum(), 10000);
  const TChartAxis& bottom = chart.BottomAxis();
  EXPECT_TRUE(bottom.Automatic() && bottom.AutomaticMinimum() && bottom.AutomaticMaximum());
  EXPECT_EQ(bottom.Minimum(), 0);
  EXPECT_EQ(bottom.Maximum(), 11);
  for (const TChartAxis* axis : {&chart.TopAxis(), &chart.RightAxis()})
    EXPECT_TRUE(axis->Automatic());
}
