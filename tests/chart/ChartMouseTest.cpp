#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "chart/series/BarSeries.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"

namespace {

// An axis' mapping over a pixel extent and a range, as the chart's layout gives it.
TAxisScale Scale(bool horizontal, int start, int end, double min, double max) {
  TAxisScale scale;
  scale.Horizontal = horizontal;
  scale.SetPixels(start, end);
  scale.SetRange(min, max);
  return scale;
}

struct TRange {
  bool automatic;
  double min, max;
  friend bool operator==(const TRange&, const TRange&) = default;
};
TRange RangeOf(const TCustomChartAxis& a) {
  return {a.Automatic(), a.Minimum(), a.Maximum()};
}

// A fixed range computed from pixels, equal up to rounding.
void ExpectFixedRange(const TCustomChartAxis& a, double min, double max) {
  EXPECT_FALSE(a.Automatic());
  EXPECT_DOUBLE_EQ(a.Minimum(), min);
  EXPECT_DOUBLE_EQ(a.Maximum(), max);
}

// A stacked bar chart in a test window, painted once; counts its full draws.
class ChartMouseFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    chart.OnAfterDraw = [this](TCustomChartPanel*) { ++draws; };
    bars = &owner.CreateSeries<TBarSeries>();
    bars->SetMultiBar(mbStacked);
    bars->Marks().SetVisible(false);
    chart.AttachSeries(bars);
    for (int x = 0; x < 4; ++x) bars->AddPoint(x, 10 + 10 * x, "", clDefault);
    chart.LeftAxis().SetAxisRange(0, 100);
    host.Paint(true);
  }

  // A screen point on the front face of bar i, `down` pixels below its top.
  TPoint OnBar(int i, int down = 3) {
    return chart.Canvas().ProjectPoint(bars->PointScreenX(i) + bars->BarPixelWidth() / 2,
                                       bars->PointScreenY(i) + down, bars->StartZ());
  }

  void Drag(TMouseButton button, TPoint from, TPoint to) {
    host.MouseDown(button, from.x, from.y);
    host.MouseMove(to.x, to.y);
    host.MouseUp(button, to.x, to.y);
  }

  std::vector<TColor> Screen() const {
    std::vector<TColor> pixels;
    for (int y = 0; y < 250; ++y)
      for (int x = 0; x < 400; ++x) pixels.push_back(host.PixelAt(x, y));
    return pixels;
  }

  // What a full draw of the chart as it is now puts on the screen.
  std::vector<TColor> FreshPaint() {
    chart.Invalidate();
    host.Paint();
    return Screen();
  }

  TSeriesOwner owner;
  TChart chart;
  TTestWindowHost host{chart, 400, 250};
  TBarSeries* bars = nullptr;
  int draws = 0;
};

}  // namespace

TEST(ChartPixelToValueTest, LinearAxesBothWaysInvertedAndWithoutExtent) {
  TAxisScale bottom = Scale(true, 100, 600, 0, 10);
  EXPECT_EQ(bottom.PixelToValue(350), 5);
  EXPECT_EQ(bottom.PixelToValue(600), 10);
  EXPECT_EQ(bottom.PixelToValue(700), 12);  // beyond the axis it extrapolates
  bottom.Inverted = true;
  EXPECT_EQ(bottom.PixelToValue(350), 5);
  EXPECT_EQ(bottom.PixelToValue(600), 0);
  const TAxisScale left = Scale(false, 50, 150, 0, 10000);
  EXPECT_EQ(left.PixelToValue(50), 10000);
  EXPECT_EQ(left.PixelToValue(150), 0);
  EXPECT_EQ(left.PixelToValue(100), 5000);
  EXPECT_EQ(Scale(false, 50, 50, 0, 10000).PixelToValue(50), 0);
}

TEST(ChartPixelToValueTest, LogarithmicAxesMapTheEndsExactly) {
  TAxisScale bottom = Scale(true, 0, 100, 1, 100);
  TAxisScale left = Scale(false, 0, 100, 1, 100);
  bottom.Logarithmic = left.Logarithmic = true;
  EXPECT_EQ(bottom.PixelToValue(0), 1);
  EXPECT_EQ(bottom.PixelToValue(100), 100);
  EXPECT_NEAR(bottom.PixelToValue(50), 10, 1e-9);
  EXPECT_EQ(left.PixelToValue(0), 100);
  EXPECT_NEAR(left.PixelToValue(75), std::sqrt(10.0), 1e-9);
  bottom.Inverted = true;
  EXPECT_EQ(bottom.PixelToValue(0), 100);
  EXPECT_NEAR(bottom.PixelToValue(25), std::sqrt(1000.0), 1e-9);
  left.SetRange(5, 5);
  EXPECT_EQ(left.PixelToValue(30), 5);
}

TEST(ChartAxisRangeSetterTest, RefusesNonFiniteEndsAndKeepsEveryRangeWide) {
  TChart chart;
  TCustomChartAxis& axis = chart.LeftAxis();
  EXPECT_TRUE(axis.SetAxisRange(10, 2));
  EXPECT_FALSE(axis.SetAxisRange(2, 10));  // nothing changed
  EXPECT_FALSE(axis.SetAxisRange(NAN, 1));
  EXPECT_FALSE(axis.SetAxisRange(0, INFINITY));
  EXPECT_FALSE(axis.SetAxisRange(-INFINITY, 0));
  EXPECT_EQ(RangeOf(axis), (TRange{false, 2, 10}));
  // Far from zero a widening by 1e-10 would round away.
  for (double v : {0.0, 1e20, -1e20, DBL_MAX, -DBL_MAX}) {
    axis.SetAxisRange(v, v);
    EXPECT_LT(axis.Minimum(), axis.Maximum()) << v;
    EXPECT_TRUE(std::isfinite(axis.Minimum()) && std::isfinite(axis.Maximum())) << v;
  }
}

TEST_F(ChartMouseFixture, ZoomDragNeedsMoreThanSixteenPixelsBothWays) {
  int zooms = 0;
  chart.OnZoom = [&](TCustomChart*) { ++zooms; };
  const TRange left = RangeOf(chart.LeftAxis()), bottom = RangeOf(chart.BottomAxis());
  Drag(mbLeft, {100, 40}, {116, 120});
  EXPECT_EQ(RangeOf(chart.LeftAxis()), left);
  EXPECT_EQ(RangeOf(chart.BottomAxis()), bottom);
  Drag(mbLeft, {100, 40}, {117, 23});  // up: an undo, which is not a zoom
  EXPECT_EQ(zooms, 0);
  const double top = chart.LeftAxis().PixelToValue(40), low = chart.LeftAxis().PixelToValue(57);
  const double first = chart.BottomAxis().PixelToValue(100);
  const double last = chart.BottomAxis().PixelToValue(117);
  Drag(mbLeft, {100, 40}, {117, 57});
  EXPECT_EQ(zooms, 1);
  EXPECT_TRUE(chart.IsZoomed());
  EXPECT_EQ(RangeOf(chart.LeftAxis()), (TRange{false, low, top}));
  EXPECT_EQ(RangeOf(chart.BottomAxis()), (TRange{false, first, last}));
  EXPECT_TRUE(host.HasPendingPaint());
}

TEST_F(ChartMouseFixture, AnimatedZoomRepaintsEveryStepAndEndsOnTheTarget) {
  chart.SetAnimatedZoom(true);
  chart.SetAnimatedZoomSteps(4);
  const double top = chart.LeftAxis().PixelToValue(30), low = chart.LeftAxis().PixelToValue(150);
  const int before = draws;
  Drag(mbLeft, {60, 30}, {200, 150});
  EXPECT_EQ(draws, before + 3);
  EXPECT_EQ(RangeOf(chart.LeftAxis()), (TRange{false, low, top}));
  // Steps that would divide by zero never reach an axis, nor a paint.
  bool allFinite = true;
  chart.OnAfterDraw = [&](TCustomChartPanel*) {
    allFinite = allFinite && std::isfinite(chart.LeftAxis().RangeSpan()) &&
                std::isfinite(chart.BottomAxis().RangeSpan());
  };
  ChartMouseSettings().AnimatedZoomFactor = 0;
  Drag(mbLeft, {60, 30}, {200, 150});
  ChartMouseSettings().AnimatedZoomFactor = 3;
  EXPECT_TRUE(allFinite);
}

TEST_F(ChartMouseFixture, ZoomFrameLivesOnTheScreenAndNeverCostsAPaint) {
  const std::vector<TColor> before = Screen();
  // The frame's right edge is the column left of the pointer.
  const TColor edge = host.PixelAt(119, 45);
  host.MouseDown(mbLeft, 60, 30);
  host.MouseMove(90, 50);
  host.MouseMove(120, 60);
  EXPECT_NE(host.PixelAt(119, 45), edge);  // the frame is visible
  EXPECT_FALSE(host.HasPendingPaint());
  EXPECT_EQ(draws, 1);
  // A repaint in the middle of the drag keeps exactly one frame on the screen.
  host.Paint(true);
  EXPECT_NE(host.PixelAt(119, 45), edge);
  host.MouseMove(70, 40);
  host.MouseUp(mbLeft, 70, 40);
  EXPECT_EQ(Screen(), before);
  // The retained picture never held the frame.
  EXPECT_EQ(FreshPaint(), before);
  // Esc ends a drag and takes its frame away.
  host.MouseDown(mbLeft, 60, 30);
  host.MouseMove(120, 90);
  EXPECT_EQ(host.KeyDown(vkEscape), 0);
  EXPECT_FALSE(chart.ZoomDrag().Active);
  EXPECT_EQ(Screen(), before);
}

TEST_F(ChartMouseFixture, ScreenAfterAZoomEqualsAFreshPaint) {
  Drag(mbLeft, {60, 30}, {200, 150});
  host.Paint();
  const std::vector<TColor> shown = Screen();
  EXPECT_EQ(FreshPaint(), shown);
}

TEST_F(ChartMouseFixture, UndoGoesBackToTheRangesFromBeforeTheFirstZoom) {
  int undos = 0, zooms = 0;
  chart.OnUndoZoom = [&](TCustomChart*) { ++undos; };
  chart.OnZoom = [&](TCustomChart*) { ++zooms; };
  const TRange left = RangeOf(chart.LeftAxis()), bottom = RangeOf(chart.BottomAxis());
  // Without a zoom an undo only reports itself and repaints.
  Drag(mbLeft, {200, 150}, {100, 40});
  EXPECT_EQ(undos, 1);
  EXPECT_TRUE(host.HasPendingPaint());
  EXPECT_EQ(RangeOf(chart.BottomAxis()), bottom);
  EXPECT_TRUE(chart.BottomAxis().Automatic());
  host.Paint();
  Drag(mbLeft, {60, 30}, {300, 200});
  host.Paint();
  Drag(mbLeft, {60, 30}, {300, 200});
  host.Paint();
  EXPECT_EQ(zooms, 2);
  Drag(mbLeft, {300, 200}, {60, 30});
  EXPECT_EQ(undos, 2);
  EXPECT_FALSE(chart.IsZoomed());
  EXPECT_EQ(RangeOf(chart.LeftAxis()), left);
  EXPECT_TRUE(chart.BottomAxis().Automatic() && chart.BottomAxis().AutomaticMinimum() &&
              chart.BottomAxis().AutomaticMaximum());
  host.Paint();
  EXPECT_EQ(RangeOf(chart.BottomAxis()), bottom);
}

TEST_F(ChartMouseFixture, UndoKeepsAnAxisWithOneAutomaticEndSo) {
  TChartAxis& left = chart.LeftAxis();
  left.SetAutomaticMaximum(true);
  host.Paint();
  Drag(mbLeft, {60, 30}, {300, 200});
  EXPECT_FALSE(left.AutomaticMaximum());
  Drag(mbLeft, {300, 200}, {60, 30});
  EXPECT_FALSE(left.Automatic());
  EXPECT_FALSE(left.AutomaticMinimum());
  EXPECT_TRUE(left.AutomaticMaximum());
  EXPECT_EQ(left.Minimum(), 0);
}

TEST_F(ChartMouseFixture, PanMovesTheAxesWithTheMouseUntilItLeavesThePlot) {
  TChartAxis& bottom = chart.BottomAxis();
  bottom.SetAxisRange(0, 100);
  chart.SetFixedPlotRect(Rect(50, 20, 550, 230));  // 100 units over 500 pixels
  const TRange left = RangeOf(chart.LeftAxis());
  int scrolls = 0;
  chart.OnScroll = [&](TCustomChart*) { ++scrolls; };
  const TPoint start = {chart.PlotRect().left + 20, chart.PlotRect().top + 20};
  host.MouseDown(mbRight, start.x, start.y);
  host.MouseMove(start.x + 10, start.y);
  ExpectFixedRange(bottom, -2, 98);
  EXPECT_EQ(RangeOf(chart.LeftAxis()), left);
  EXPECT_EQ(scrolls, 1);
  EXPECT_TRUE(host.HasPendingPaint());
  // Out of the plot the pan ends; back inside it does not resume.
  host.MouseMove(chart.PlotRect().right + 5, start.y);
  host.MouseMove(start.x + 40, start.y);
  EXPECT_FALSE(chart.PanDrag().Active);
  ExpectFixedRange(bottom, -2, 98);
  host.MouseUp(mbRight, start.x + 40, start.y);
  // Only vertical panning allowed, or a veto: nothing moves sideways.
  chart.SetAllowPanning(pmVertical);
  Drag(mbRight, start, {start.x + 10, start.y});
  chart.SetAllowPanning(pmBoth);
  chart.OnAllowScroll = [](TCustomChartAxis*, double&, double&, bool& allow) { allow = false; };
  Drag(mbRight, start, {start.x + 10, start.y});
  ExpectFixedRange(bottom, -2, 98);
  EXPECT_EQ(scrolls, 2);  // the vetoed step still counts as a pan
  // A pan counts as a change that undo takes back.
  Drag(mbLeft, {300, 200}, {60, 30});
  EXPECT_EQ(RangeOf(bottom), (TRange{false, 0, 100}));
}

TEST_F(ChartMouseFixture, WheelScrollsEveryVerticalAxisByThreePercentPerNotch) {
  TChartAxis& left = chart.LeftAxis();
  left.SetAxisRange(0, 10000);
  host.Paint();
  std::vector<double> seenByHandler;
  chart.OnMouseWheelDown = [&](TCustomChart*, TShiftState, TPoint, bool&) {
    seenByHandler.push_back(left.Minimum());
  };
  const int before = draws;
  EXPECT_TRUE(host.Wheel(-1, 100, 100));
  EXPECT_EQ(RangeOf(left), (TRange{false, 300, 10300}));
  EXPECT_EQ(seenByHandler, std::vector<double>{0});
  EXPECT_FALSE(chart.RightAxis().Automatic());
  host.Paint();
  EXPECT_EQ(draws, before + 1);
  host.Wheel(1, 100, 100);
  EXPECT_EQ(RangeOf(left), (TRange{false, 0, 10000}));
  // A span beyond the largest double gives no finite offset: the range stays.
  left.SetAxisRange(-DBL_MAX, DBL_MAX);
  host.Wheel(-1, 100, 100);
  EXPECT_EQ(RangeOf(left), (TRange{false, -DBL_MAX, DBL_MAX}));
}

TEST_F(ChartMouseFixture, PressesAreClassifiedByWhatTheyHit) {
  EXPECT_EQ(chart.FindClickedPart(OnBar(2)).Part, cpSeries);
  EXPECT_EQ(chart.FindClickedPart(OnBar(2)).PointIndex, 2);
  EXPECT_EQ(chart.FindClickedPart(OnBar(2, -3)).Part, cpChartRect);
  const TChartAxis& left = chart.LeftAxis();
  const int middle = (left.StartPixel() + left.EndPixel()) / 2;
  EXPECT_EQ(chart.FindClickedPart({left.AxisLinePos() + 2, middle}).AAxis, &left);
  EXPECT_EQ(chart.FindClickedPart({left.AxisLinePos() + 3, middle}).Part, cpChartRect);
  EXPECT_EQ(chart.FindClickedPart({1, 1}).Part, cpNone);
  chart.Title().SetText({"Levels"});
  host.Paint();
  const TRect title = chart.Layout().Title.Rect;
  EXPECT_EQ(chart.FindClickedPart({(title.left + title.right) / 2, title.top + 1}).Part, cpTitle);
}

TEST_F(ChartMouseFixture, PressOnABarZoomsUnlessTheSeriesTakesTheClick) {
  const TPoint p = OnBar(1);
  host.MouseDown(mbLeft, p.x, p.y);
  EXPECT_TRUE(chart.ZoomDrag().Active);
  host.MouseUp(mbLeft, p.x, p.y);
  std::vector<std::string> calls;
  bars->OnClick = [&](TChartSeries*, int index, TMouseButton, TShiftState, int, int) {
    calls.push_back("click " + std::to_string(index));
  };
  bars->OnDblClick = [&](TChartSeries*, int index, TMouseButton, TShiftState, int, int) {
    calls.push_back("double " + std::to_string(index));
  };
  host.MouseDown(mbLeft, p.x, p.y);
  EXPECT_FALSE(chart.ZoomDrag().Active);
  host.MouseUp(mbLeft, p.x, p.y);
  host.DoubleClick(mbLeft, p.x, p.y);
  // A double click's first press is a click of its own.
  EXPECT_EQ(calls, (std::vector<std::string>{"click 1", "click 1", "double 1"}));
  // The owner's press handler may stop the chart's reaction altogether.
  bars->OnClick = nullptr;
  chart.OnMouseDown = [&](TCustomChart*, TMouseButton, TShiftState, int, int) {
    chart.SetMouseCancelled(true);
  };
  host.MouseDown(mbLeft, p.x, p.y);
  EXPECT_FALSE(chart.ZoomDrag().Active);
  EXPECT_FALSE(chart.MouseCancelled());
}

TEST_F(ChartMouseFixture, ReleaseFiresClickAndMouseUpBeforeTheZoom) {
  std::vector<std::string> calls;
  chart.OnClick = [&](TCustomChart*) { calls.push_back("click"); };
  chart.OnMouseUp = [&](TCustomChart*, TMouseButton, TShiftState, int, int) {
    calls.push_back("up");
  };
  chart.OnZoom = [&](TCustomChart*) { calls.push_back("zoom"); };
  Drag(mbLeft, {60, 30}, {200, 150});
  EXPECT_EQ(calls, (std::vector<std::string>{"click", "up", "zoom"}));
  calls.clear();
  Drag(mbRight, {60, 30}, {80, 40});  // no click for the right button
  Drag(mbLeft, {60, 30}, {500, 40});  // nor for a release outside the window
  EXPECT_EQ(calls, (std::vector<std::string>{"up", "up"}));
}

TEST_F(ChartMouseFixture, BackgroundClickFiresOncePerPress) {
  int backgrounds = 0;
  // The handler hands every press back to the chart.
  chart.OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int, int) {
    ++backgrounds;
    chart.SetMouseCancelled(false);
  };
  const TPoint plot = OnBar(2, -3);
  Drag(mbMiddle, plot, plot);  // the plot area, and no drag starts
  EXPECT_EQ(backgrounds, 1);
  Drag(mbLeft, {1, 1}, {1, 1});  // nothing hit
  EXPECT_EQ(backgrounds, 2);
  host.MouseDown(mbLeft, plot.x, plot.y);
  EXPECT_EQ(backgrounds, 3);
  EXPECT_TRUE(chart.ZoomDrag().Active);
  host.MouseUp(mbLeft, plot.x, plot.y);
  // A handler that keeps the press stops the zoom.
  chart.OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int, int) {};
  host.MouseDown(mbLeft, plot.x, plot.y);
  EXPECT_FALSE(chart.ZoomDrag().Active);
}

// How a gesture over the chart can end, and what each end leaves behind: the state, the
// mouse grab, the click and the screen.
TEST_F(ChartMouseFixture, EveryGestureEndLeavesNoDragNoGrabAndNoStrayClick) {
  enum TEnd { kRelease, kEscape, kCaptureLost, kRightPress, kReleaseOutside, kLeaveThenEscape };
  struct TCase {
    TMouseButton button;
    TEnd end;
    TChartGesture during;
    bool clicks;
    bool moved;  // the pan's ranges stay
  } const cases[] = {
      {mbLeft, kRelease, TChartGesture::ZoomDrag, true, false},
      {mbLeft, kEscape, TChartGesture::ZoomDrag, false, false},
      {mbLeft, kCaptureLost, TChartGesture::ZoomDrag, false, false},
      {mbLeft, kRightPress, TChartGesture::ZoomDrag, true, false},  // ignored: the zoom goes on
      {mbRight, kRelease, TChartGesture::PanDrag, false, true},
      {mbRight, kEscape, TChartGesture::PanDrag, false, false},
      {mbRight, kCaptureLost, TChartGesture::PanDrag, false, false},
      {mbRight, kLeaveThenEscape, TChartGesture::PanDrag, false, true},
      {mbLeft, kReleaseOutside, TChartGesture::ZoomDrag, false, false},
  };
  int clicks = 0;
  chart.OnClick = [&](TCustomChart*) { ++clicks; };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "button " << c.button << ", end " << c.end);
    clicks = 0;
    const std::vector<TColor> before = FreshPaint();
    const TRange left = RangeOf(chart.LeftAxis()), bottom = RangeOf(chart.BottomAxis());
    host.MouseDown(c.button, 100, 100);
    host.MouseMove(105, 103);  // too short to zoom when released
    EXPECT_EQ(chart.Input().State(), c.during);
    EXPECT_TRUE(host.HasCapture());
    const TPoint release = c.end == kReleaseOutside ? TPoint{-5, 103} : TPoint{105, 103};
    if (c.end == kEscape) {
      EXPECT_EQ(host.KeyDown(vkEscape), 0) << "Esc is taken";
    }
    if (c.end == kCaptureLost) host.LoseCapture();
    if (c.end == kLeaveThenEscape) {
      host.MouseMove(-5, 103);  // leaving the plot ends the pan for good
      host.KeyDown(vkEscape);
    }
    if (c.end == kRightPress) {
      host.MouseDown(mbRight, 105, 103);
      EXPECT_EQ(chart.Input().State(), TChartGesture::ZoomDrag);
      host.MouseUp(mbRight, 105, 103);
      EXPECT_EQ(chart.Input().State(), TChartGesture::ZoomDrag);
    }
    if (c.end != kCaptureLost) host.MouseUp(c.button, release.x, release.y);
    EXPECT_EQ(chart.Input().State(), TChartGesture::Idle);
    EXPECT_FALSE(host.HasCapture());
    EXPECT_EQ(clicks, c.clicks ? 1 : 0);
    host.Paint();
    if (c.moved) {
      EXPECT_NE(RangeOf(chart.LeftAxis()), left);
      chart.RevertZoom();
      host.Paint();
      continue;
    }
    EXPECT_EQ(RangeOf(chart.LeftAxis()), left);
    EXPECT_EQ(RangeOf(chart.BottomAxis()), bottom);
    EXPECT_EQ(Screen(), before) << "the frame is gone and nothing moved";
  }
}

// A wheel notch or a pan changes the ranges; a zoom that follows before any repaint maps its
// pixels through the new ranges, as the screen will show them.
TEST_F(ChartMouseFixture, ZoomAfterAWheelNotchMapsThroughTheCurrentRange) {
  host.Wheel(-1, 200, 100);  // 0..100 becomes 3..103
  ASSERT_TRUE(host.HasPendingPaint());
  const TRect plot = chart.PlotRect();
  const double span = 100.0 / (plot.bottom - plot.top);
  Drag(mbLeft, {plot.left + 10, plot.top}, {plot.right - 10, plot.bottom});
  EXPECT_NEAR(chart.LeftAxis().Maximum(), 103, span);
  EXPECT_NEAR(chart.LeftAxis().Minimum(), 3, span);
}

// Hit testing reads the layout the last paint drew and builds none while nothing changes;
// after a change it reads the layout the next paint will draw.
TEST_F(ChartMouseFixture, HitTestReadsThePaintedLayoutUntilSomethingChanges) {
  const int builds = chart.LayoutBuilds();
  const TPoint bar = OnBar(2);
  for (int i = 0; i < 3; ++i) {
    const TChartClickedPart part = chart.FindClickedPart(bar);
    EXPECT_EQ(part.Part, cpSeries);
    EXPECT_EQ(part.PointIndex, 2);
  }
  EXPECT_EQ(chart.LayoutBuilds(), builds);
  const TChartLayout painted = chart.Layout();
  chart.LeftAxis().SetAxisRange(0, 1000);  // the bars shrink to a tenth
  EXPECT_NE(chart.FindClickedPart(bar).Part, cpSeries);
  EXPECT_EQ(chart.LayoutBuilds(), builds + 1);
  host.Paint();
  EXPECT_EQ(chart.LayoutBuilds(), builds + 2);
  EXPECT_EQ(chart.LeftAxis().ValueToPixel(500), painted.Axes[2].ValueToPixel(50));
}

// The zoom frame stands out on any background the chart may have, light or dark, and
// drawing it again restores every pixel.
TEST_F(ChartMouseFixture, ZoomFrameShowsOnLightAndDarkBackgrounds) {
  for (TColor background : {TColor{0xC0C0C0}, clWhite, TColor{0xF0F0F0}, TColor{0x303030}}) {
    SCOPED_TRACE(testing::Message() << std::hex << background);
    chart.SetColor(background);
    const std::vector<TColor> before = FreshPaint();
    host.MouseDown(mbLeft, 60, 30);
    host.MouseMove(120, 90);
    // A point of the frame's top edge, and what lay there before.
    const TColor under = before[30 * 400 + 80], frame = host.PixelAt(80, 30);
    for (int shift : {0, 8, 16})
      EXPECT_GE(std::abs(int((frame >> shift) & 0xFF) - int((under >> shift) & 0xFF)), 100);
    if (background == 0x303030 && std::getenv("TANKDEMO_PICTURES"))
      host.Picture().SaveToPng(std::string(std::getenv("TANKDEMO_PICTURES")) + "/zoom-dark.png");
    host.MouseUp(mbLeft, 70, 40);
    EXPECT_EQ(Screen(), before);
  }
}

// Random wheel notches, pans, zooms and undos over two logarithmic axes: the ranges stay above
// zero and each gesture does what it says in decades. A notch moves the left axis by 3 % of
// them, a pan keeps them and brings the values under the press to the pointer, a zoom takes
// the values at the rectangle's corners, an undo the ranges from before the first zoom or pan
// since the last undo.
TEST_F(ChartMouseFixture, LogarithmicRangesKeepTheirRulesThroughRandomGestures) {
  chart.SetFixedPlotRect(Rect(50, 20, 350, 220));
  TChartAxis& left = chart.LeftAxis();
  TChartAxis& bottom = chart.BottomAxis();
  for (TChartAxis* axis : {&left, &bottom}) axis->SetLogarithmic(true);
  left.SetAxisRange(1, 1e6);
  bottom.SetAxisRange(0.01, 1e3);
  std::mt19937 random(3);
  auto pixel = [&](int low, int high) {
    return std::uniform_int_distribution<>(low, high)(random);
  };
  auto lg = [](double v) { return std::log10(v); };
  auto decades = [&](const TCustomChartAxis& a) { return lg(a.Maximum()) - lg(a.Minimum()); };
  std::optional<std::pair<TRange, TRange>> saved;  // what an undo goes back to
  for (int step = 0; step < 300 && !HasFailure(); ++step) {
    const TRange wasLeft = RangeOf(left), wasBottom = RangeOf(bottom);
    const double leftDecades = decades(left), bottomDecades = decades(bottom);
    const TPoint a{pixel(55, 345), pixel(25, 215)};
    const int gesture = leftDecades < 1e-3 || bottomDecades < 1e-3 ? 3 : pixel(0, 3);
    SCOPED_TRACE(testing::Message() << "step " << step << ", gesture " << gesture);
    if ((gesture == 1 || gesture == 2) && !saved) saved = std::make_pair(wasLeft, wasBottom);
    if (gesture == 0) {
      const int notches = pixel(0, 1) ? 1 : -1;
      host.Wheel(notches, a.x, a.y);
      EXPECT_NEAR(lg(left.Minimum()), lg(wasLeft.min) - notches * 0.03 * leftDecades, 1e-9);
      EXPECT_NEAR(decades(left), leftDecades, 1e-9);
    } else if (gesture == 1) {
      const TPoint b{pixel(55, 345), pixel(25, 215)};
      const double x = bottom.PixelToValue(a.x), y = left.PixelToValue(a.y);
      Drag(mbRight, a, b);
      EXPECT_NEAR(lg(bottom.PixelToValue(b.x)), lg(x), 1e-9);
      EXPECT_NEAR(lg(left.PixelToValue(b.y)), lg(y), 1e-9);
      EXPECT_NEAR(decades(left), leftDecades, 1e-9);
      EXPECT_NEAR(decades(bottom), bottomDecades, 1e-9);
    } else if (gesture == 2) {
      const TPoint b{std::min(a.x + pixel(17, 120), 395), std::min(a.y + pixel(17, 120), 245)};
      const double x0 = bottom.PixelToValue(a.x), x1 = bottom.PixelToValue(b.x);
      const double y0 = left.PixelToValue(b.y), y1 = left.PixelToValue(a.y);
      Drag(mbLeft, a, b);
      EXPECT_DOUBLE_EQ(bottom.Minimum(), x0);
      EXPECT_DOUBLE_EQ(bottom.Maximum(), x1);
      EXPECT_DOUBLE_EQ(left.Minimum(), y0);
      EXPECT_DOUBLE_EQ(left.Maximum(), y1);
    } else {
      Drag(mbLeft, {345, 215}, {100, 40});
      const std::pair<TRange, TRange> back = saved.value_or(std::make_pair(wasLeft, wasBottom));
      EXPECT_EQ(RangeOf(left), back.first);
      EXPECT_EQ(RangeOf(bottom), back.second);
      saved.reset();
    }
    EXPECT_GT(left.Minimum(), 0);
    EXPECT_GT(bottom.Minimum(), 0);
  }
}

// A zoom rectangle whose corner lies past the largest double on a logarithmic axis still zooms
// that axis, as one past the smallest does: the end beyond the doubles keeps the axis' own.
TEST_F(ChartMouseFixture, LogarithmicZoomPastEitherEndOfTheDoublesStillZooms) {
  chart.SetFixedPlotRect(Rect(50, 20, 350, 220));
  struct TCase {
    bool horizontal;
    double min, max;
    TPoint from, to;  // `to` lies outside the plot, beyond the doubles' reach
  } const cases[] = {{true, 1e-5, 1e300, {300, 60}, {395, 150}},
                     {false, 1e-300, 1e5, {100, 22}, {200, 245}}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.horizontal ? "bottom" : "left");
    TChartAxis& axis = c.horizontal ? chart.BottomAxis() : chart.LeftAxis();
    axis.SetLogarithmic(true);
    axis.SetAxisRange(c.min, c.max);
    host.Paint();
    // The end of the zoom inside the plot.
    const double inside = axis.PixelToValue(c.horizontal ? c.from.x : c.from.y);
    Drag(mbLeft, c.from, c.to);
    EXPECT_GT(axis.Minimum(), 0);
    EXPECT_TRUE(std::isfinite(axis.Maximum()));
    EXPECT_DOUBLE_EQ(c.horizontal ? axis.Minimum() : axis.Maximum(), inside)
        << "the zoom on this axis was dropped";
    chart.RevertZoom();
    axis.SetLogarithmic(false);
  }
}

// A logarithmic axis over values far below one (an automatic range of tiny values): a wheel
// notch and a pan keep the decades it shows, as they do above one.
TEST_F(ChartMouseFixture, LogarithmicRangesOfTinyValuesKeepTheirDecades) {
  chart.SetFixedPlotRect(Rect(50, 20, 350, 220));
  chart.DetachAllSeries();
  TChartSeries& tiny = owner.CreateSeries<TChartSeries>();
  chart.AttachSeries(&tiny);
  for (double y : {1e-30, 1e-25, 1e-20}) tiny.AddPoint(tiny.PointCount(), y, "", clDefault);
  TChartAxis& left = chart.LeftAxis();
  left.SetLogarithmic(true);
  left.SetAutomatic(true);
  host.Paint(true);
  auto decades = [&] { return std::log10(left.Maximum()) - std::log10(left.Minimum()); };
  const double shown = decades();
  ASSERT_NEAR(shown, 10, 1) << left.Minimum() << ".." << left.Maximum();
  host.Wheel(1, 200, 120);
  EXPECT_NEAR(decades(), shown, 1e-9)
      << "after a notch " << left.Minimum() << ".." << left.Maximum();
  Drag(mbRight, {200, 100}, {200, 140});
  EXPECT_NEAR(decades(), shown, 1e-9) << "after a pan " << left.Minimum() << ".." << left.Maximum();
  EXPECT_GT(left.Minimum(), 0);
  // At the edge of the doubles, a pan that would leave them moves nothing and asks nothing.
  int asked = 0;
  chart.OnAllowScroll = [&](TCustomChartAxis* axis, double&, double&, bool&) {
    asked += axis == &left;
  };
  left.SetAxisRange(3e-308, 1e-300);
  Drag(mbRight, {200, 140}, {200, 100});
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(left.Minimum(), 3e-308);
}

// A press on each part of the chart reaches that part's handler with what it hit, and a handler
// that keeps the press stops the zoom; without AllowZoom no drag zooms; a series' cursor shows
// over its points only.
TEST_F(ChartMouseFixture, EachPartsClickHandlerHearsItsPresses) {
  chart.Title().SetText({"Levels"});
  chart.Foot().SetText({"Foot"});
  chart.Foot().SetVisible(true);
  host.Paint(true);
  const TRect foot = chart.Layout().Foot.Rect, legend = chart.Layout().Legend.Rect;
  const TChartAxis& left = chart.LeftAxis();
  const TPoint onAxis{left.AxisLinePos() + 1, (left.StartPixel() + left.EndPixel()) / 2};
  const TPoint onLegend{(legend.left + legend.right) / 2, chart.Layout().Legend.RowsTop + 2};
  const TPoint onFoot{(foot.left + foot.right) / 2, (foot.top + foot.bottom) / 2};
  EXPECT_EQ(chart.FindClickedPart(onFoot).Part, cpFoot);
  EXPECT_EQ(chart.FindClickedPart(onLegend).Part, cpLegend);
  EXPECT_EQ(chart.FindClickedPart(onLegend).PointIndex, 0);

  std::vector<std::string> heard;
  chart.OnClickSeries = [&](TCustomChart*, TChartSeries* s, int i, TMouseButton, TShiftState, int,
                            int) {
    heard.push_back(std::string(s == bars ? "series " : "other ") + std::to_string(i));
  };
  chart.OnClickAxis = [&](TCustomChart*, TCustomChartAxis* a, TMouseButton, TShiftState, int, int) {
    heard.push_back(a == &chart.LeftAxis() ? "left axis" : "axis");
  };
  chart.OnClickLegend = [&](TCustomChart*, TMouseButton, TShiftState, int, int) {
    heard.push_back("legend");
  };
  const struct {
    TPoint at;
    const char* expected;
  } presses[] = {{OnBar(3), "series 3"}, {onAxis, "left axis"}, {onLegend, "legend"}};
  for (const auto& press : presses) {
    heard.clear();
    host.MouseDown(mbLeft, press.at.x, press.at.y);
    EXPECT_FALSE(chart.ZoomDrag().Active) << press.expected;
    host.MouseUp(mbLeft, press.at.x, press.at.y);
    EXPECT_EQ(heard, (std::vector<std::string>{press.expected}));
  }

  // No zoom without AllowZoom: the drag leaves the ranges and draws no frame.
  chart.OnClickSeries = nullptr;
  const TRange before = RangeOf(chart.LeftAxis());
  const TPoint from{chart.PlotRect().left + 10, chart.PlotRect().top + 10};
  const TPoint to{from.x + 100, from.y + 80};
  chart.SetAllowZoom(false);
  Drag(mbLeft, from, to);
  EXPECT_EQ(RangeOf(chart.LeftAxis()), before);
  chart.SetAllowZoom(true);
  Drag(mbLeft, from, to);
  EXPECT_FALSE(RangeOf(chart.LeftAxis()) == before);

  // The series' cursor over its bars, the chart's own elsewhere.
  chart.RevertZoom();
  host.Paint(true);
  bars->SetCursor(crHSplit);
  host.MouseMove(OnBar(1).x, OnBar(1).y);
  EXPECT_EQ(host.CursorShape(), crHSplit);
  host.MouseMove(1, 1);
  EXPECT_EQ(host.CursorShape(), crArrow);
}
