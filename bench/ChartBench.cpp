// One chart frame as the application refreshes it: reload every series (one point per site
// per series) and draw the whole stacked bar chart into an off-screen picture. Ours against
// Qt Charts and QCustomPlot on the same data, size and work. Then the mouse: a zoom drag's
// move, a pan step and a wheel notch, each with the repaint it causes.
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <QWheelEvent>
#include <memory>
#include <vector>

#include "PlantBenchData.h"
#include "app/DemoData.h"
#include "app/TankChart.h"
#include "chart/axis/ChartAxis.h"
#include "platform/Bitmap.h"
#include "platform/PixelCopies.h"
#include "platform/QtControlHost.h"
#include "support/TestWindowHost.h"

namespace {

// The application's chart over a plant, sized for a frame and loaded once.
struct TOurChart {
  explicit TOurChart(const TFrameSize& size) : Sites(MakePlant(size.sites)) {
    ApplyStoredChartSettings(Chart, Owner);
    SetupChart(Chart, Owner, *Sites);
    RefreshChart(Chart, *Sites);
    Chart.SetSize(size.width, size.height);
  }
  std::unique_ptr<TSiteList> Sites;
  TSeriesOwner Owner;
  TChart Chart;
};

// A picture of a window at the given density, as a window's backing store holds it.
QImage DeviceImage(const TFrameSize& size, double scale) {
  QImage image(static_cast<int>(size.width * scale), static_cast<int>(size.height * scale),
               QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  return image;
}

long LabelFormats(const TChart& chart) {
  long made = 0;
  for (const TCustomChartAxis* axis : chart.Axes()) made += axis->LabelFormats();
  return made;
}

// A window of our chart: the picture it keeps and the screen it shows it on. Each frame
// reaches the screen the way the Qt host shows it, so ours pays what a real window pays.
// Counts, per frame, the whole frames copied and the label texts made.
struct TOurWindow {
  TOurWindow(const TFrameSize& size, double scale)
      : Backing(size.width, size.height, scale),
        Screen(DeviceImage(size, scale)),
        All(0, 0, size.width, size.height) {}
  void Show() {
    QPainter painter(&Screen);
    ShowPicture(painter, All, Backing);
  }
  void StartCounting(const TChart& chart) {
    Copies = CopiedPixels();
    Formats = LabelFormats(chart);
  }
  void Report(benchmark::State& state, const TChart& chart) const {
    const double frames =
        static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    const double pixels = static_cast<double>(Screen.width()) * Screen.height();
    state.counters["copies"] = static_cast<double>(CopiedPixels() - Copies) / pixels / frames;
    state.counters["labels"] = static_cast<double>(LabelFormats(chart) - Formats) / frames;
  }
  TBitmap Backing;
  QImage Screen;
  QRect All;
  long long Copies = 0;
  long Formats = 0;
};

// scale: the screen's device pixels per pixel; every peer draws at the same density.
void ChartFrameOurs(benchmark::State& state, int siteCount, double scale) {
  const TFrameSize size = SizeOf(siteCount);
  TOurChart ours(size);
  TOurWindow window(size, scale);
  ours.Chart.DrawChart(window.Backing.Canvas(), Rect(0, 0, size.width, size.height));
  window.StartCounting(ours.Chart);
  for (auto _ : state) {
    RefreshChart(ours.Chart, *ours.Sites);
    ours.Chart.DrawChart(window.Backing.Canvas(), Rect(0, 0, size.width, size.height));
    window.Show();
  }
  window.Report(state, ours.Chart);
}

// A repaint with nothing changed: the kept picture shown again.
void ChartRepaintOurs(benchmark::State& state, int siteCount) {
  const TFrameSize size = SizeOf(siteCount);
  TOurChart ours(size);
  TOurWindow window(size, 1);
  const TRect all = Rect(0, 0, size.width, size.height);
  ours.Chart.Paint(window.Backing.Canvas(), all);  // draws once; later paints show the picture
  window.StartCounting(ours.Chart);
  for (auto _ : state) {
    ours.Chart.Paint(window.Backing.Canvas(), all);
    window.Show();
  }
  window.Report(state, ours.Chart);
}

// fair: the view is not repainted on screen while timed, only rendered into the picture, as
// the others are.
void QtChartsFrame(benchmark::State& state, int siteCount, double scale, bool fair) {
  const TFrameSize size = SizeOf(siteCount);
  auto sites = MakePlant(size.sites);
  auto* series = new QStackedBarSeries;
  std::vector<QBarSet*> sets;
  for (int s = 0; s < kSeries; ++s) {
    auto* set = new QBarSet(QString::number(s));
    for (int i = 0; i < size.sites; ++i) set->append(0);
    series->append(set);
    sets.push_back(set);
  }
  auto* chart = new QChart;
  chart->addSeries(series);
  chart->legend()->hide();
  auto* axisY = new QValueAxis;
  axisY->setRange(0, LargestCapacity(*sites));
  axisY->setTitleText("Level");
  chart->addAxis(axisY, Qt::AlignLeft);
  series->attachAxis(axisY);
  QChartView view(chart);
  view.resize(size.width, size.height);
  view.show();  // a hidden view never lays its scene out
  QApplication::processEvents();
  if (fair) view.viewport()->setUpdatesEnabled(false);
  QImage image = DeviceImage(size, scale);
  for (auto _ : state) {
    for (int s = 0; s < kSeries; ++s)
      for (int i = 0; i < size.sites; ++i)
        sets[static_cast<size_t>(s)]->replace(i, LevelOf(sites->GetSite(i), s));
    QApplication::processEvents();  // the chart lays its bars out on the event loop
    QPainter painter(&image);
    view.render(&painter);
  }
}

void ChartFrameQtCharts(benchmark::State& state, int siteCount, double scale) {
  QtChartsFrame(state, siteCount, scale, false);
}
void ChartFrameQtChartsFair(benchmark::State& state, int siteCount, double scale) {
  QtChartsFrame(state, siteCount, scale, true);
}

// The same chart in QCustomPlot: one bar layer per tank position, stacked, loaded once.
struct TPeerPlot {
  explicit TPeerPlot(const TFrameSize& size, double scale = 1)
      : Sites(MakePlant(size.sites)), Size(size), Image(DeviceImage(size, scale)) {
    Plot.resize(size.width, size.height);
    Plot.setBufferDevicePixelRatio(scale);
    for (int s = 0; s < kSeries; ++s) {
      auto* bar = new QCPBars(Plot.xAxis, Plot.yAxis);
      if (!Bars.empty()) bar->moveAbove(Bars.back());
      Bars.push_back(bar);
    }
    Plot.xAxis->setVisible(false);
    Plot.xAxis->setRange(-1, size.sites);
    Plot.yAxis->setRange(0, LargestCapacity(*Sites));
    Plot.yAxis->setLabel("Level");
    Load();
  }
  void Load() {
    QVector<double> keys(Size.sites), values(Size.sites);
    for (int i = 0; i < Size.sites; ++i) keys[i] = i;
    for (int s = 0; s < kSeries; ++s) {
      for (int i = 0; i < Size.sites; ++i) values[i] = LevelOf(Sites->GetSite(i), s);
      Bars[static_cast<size_t>(s)]->setData(keys, values, true);
    }
  }
  // Redraws now and copies the result into the image, as a window would show it.
  void Show() {
    Plot.replot(QCustomPlot::rpImmediateRefresh);
    QPainter painter(&Image);
    Plot.render(&painter);
  }
  std::unique_ptr<TSiteList> Sites;
  TFrameSize Size;
  QCustomPlot Plot;
  std::vector<QCPBars*> Bars;
  QImage Image;
};

void ChartFrameQCustomPlot(benchmark::State& state, int siteCount, double scale) {
  TPeerPlot peer(SizeOf(siteCount), scale);
  for (auto _ : state) {
    peer.Load();
    peer.Show();
  }
}

// The application's chart in a window of the frame size, painted once. Every mouse step
// below goes through the window the way the platform delivers it.
struct TOurChartWindow : TOurChart {
  explicit TOurChartWindow(const TFrameSize& size)
      : TOurChart(size), Host(Chart, size.width, size.height) {
    Host.Paint(true);
  }
  TPoint PlotCentre() const { return Chart.PlotCentre(); }
  // Paints what is pending and shows it, as the window does.
  void PaintAndShow() {
    Host.Paint();
    QPainter painter(&Screen);
    ShowPicture(painter, Screen.rect(), Host.Picture());
  }
  TTestWindowHost Host;
  QImage Screen{Host.Picture().Width(), Host.Picture().Height(), QImage::Format_RGB32};
};

// One mouse move while a zoom rectangle is dragged: the frame is erased and drawn again on
// the screen, and nothing is repainted.
void ChartZoomDragMoveOurs(benchmark::State& state, int siteCount) {
  TOurChartWindow ours(SizeOf(siteCount));
  const TPoint c = ours.PlotCentre();
  ours.Host.MouseDown(mbLeft, c.x - 200, c.y - 50);
  int step = 0;
  for (auto _ : state) {
    ++step;
    ours.Host.MouseMove(c.x + step % 2 * 10, c.y + step % 2 * 5);
  }
  if (ours.Host.HasPendingPaint()) state.SkipWithError("a zoom drag asked for a repaint");
}

// One step of a pan drag, 10 pixels to one side and back, with the repaint it causes.
void ChartPanStepOurs(benchmark::State& state, int siteCount) {
  TOurChartWindow ours(SizeOf(siteCount));
  const TPoint c = ours.PlotCentre();
  ours.Host.MouseDown(mbRight, c.x, c.y);
  int step = 0;
  for (auto _ : state) {
    ++step;
    ours.Host.MouseMove(c.x + step % 2 * 10, c.y + step % 2 * 5);
    ours.PaintAndShow();
  }
}

// One wheel notch, down and up in turn, with the repaint it causes.
void ChartWheelNotchOurs(benchmark::State& state, int siteCount) {
  TOurChartWindow ours(SizeOf(siteCount));
  const TPoint c = ours.PlotCentre();
  int step = 0;
  for (auto _ : state) {
    ours.Host.Wheel(++step % 2 ? -1 : 1, c.x, c.y);
    ours.PaintAndShow();
  }
}

// One hit test over the painted chart, on a bar and beside it in turn: it reads the layout
// the paint left and builds none while nothing changes.
void ChartHitTestOurs(benchmark::State& state, int siteCount) {
  TOurChartWindow ours(SizeOf(siteCount));
  const TPoint c = ours.PlotCentre();
  const int builds = ours.Chart.LayoutBuilds();
  int step = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(ours.Chart.FindClickedPart({c.x + ++step % 7 * 9, c.y}));
  if (ours.Chart.LayoutBuilds() != builds) state.SkipWithError("a hit test built the layout");
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint p, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(p), QPointF(p),
                    type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &event);
}

// The peer's range drag: the same steps, each followed by an immediate redraw.
void ChartPanStepQCustomPlot(benchmark::State& state, int siteCount) {
  TPeerPlot peer(SizeOf(siteCount));
  peer.Plot.setInteractions(QCP::iRangeDrag);
  peer.Show();
  const QPoint c = peer.Plot.axisRect()->rect().center();
  SendMouse(peer.Plot, QEvent::MouseButtonPress, c, Qt::LeftButton);
  int step = 0;
  for (auto _ : state) {
    ++step;
    SendMouse(peer.Plot, QEvent::MouseMove, c + QPoint(step % 2 * 10, step % 2 * 5),
              Qt::LeftButton);
    peer.Show();
  }
  SendMouse(peer.Plot, QEvent::MouseButtonRelease, c, Qt::NoButton);
}

// The peer's wheel zoom, one notch down and up in turn, each followed by an immediate redraw.
void ChartWheelNotchQCustomPlot(benchmark::State& state, int siteCount) {
  TPeerPlot peer(SizeOf(siteCount));
  peer.Plot.setInteractions(QCP::iRangeZoom);
  peer.Show();
  const QPointF c = peer.Plot.axisRect()->rect().center();
  int step = 0;
  for (auto _ : state) {
    const int delta = ++step % 2 ? -120 : 120;
    QWheelEvent event(c, c, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&peer.Plot, &event);
    peer.Show();
  }
}

// Registered by hand so that the names pair up exactly as Case/who/size.
const bool kRegistered = [] {
  using Fn = void (*)(benchmark::State&, int);
  using FrameFn = void (*)(benchmark::State&, int, double);
  const std::pair<const char*, FrameFn> frames[] = {{"ours", ChartFrameOurs},
                                                    {"qtcharts", ChartFrameQtCharts},
                                                    {"qtchartsfair", ChartFrameQtChartsFair},
                                                    {"qcustomplot", ChartFrameQCustomPlot}};
  for (int sites : {12, 1000})
    for (const auto& [who, fn] : frames)
      benchmark::RegisterBenchmark(
          ("ChartFrame/" + std::string(who) + "/" + std::to_string(sites) + "x5").c_str(), fn,
          sites, 1.0)
          ->Unit(benchmark::kMicrosecond);
  // The same frame on a screen of twice the density: four times the device pixels.
  for (const auto& [who, fn] : frames)
    benchmark::RegisterBenchmark(("ChartFrame/" + std::string(who) + "/12x5/scale2").c_str(), fn,
                                 12, 2.0)
        ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("ChartRepaint/ours/12x5", ChartRepaintOurs, 12)
      ->Unit(benchmark::kMicrosecond);
  const std::pair<const char*, Fn> mouse[] = {
      {"ChartZoomDragMove/ours/12x5", ChartZoomDragMoveOurs},
      {"ChartPanStep/ours/12x5", ChartPanStepOurs},
      {"ChartPanStep/qcustomplot/12x5", ChartPanStepQCustomPlot},
      {"ChartWheelNotch/ours/12x5", ChartWheelNotchOurs},
      {"ChartWheelNotch/qcustomplot/12x5", ChartWheelNotchQCustomPlot},
      {"ChartHitTest/ours/12x5", ChartHitTestOurs}};
  for (const auto& [name, fn] : mouse)
    benchmark::RegisterBenchmark(name, fn, 12)->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
