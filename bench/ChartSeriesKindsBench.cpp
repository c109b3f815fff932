// The chart's other series kinds against QCustomPlot's graphs on the same work: a redraw of
// a fast line of a million points, and a frame of the application's data as lines with
// markers and as areas (reload every series, draw the whole chart).
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <vector>

#include "PlantBenchData.h"
#include "chart/Chart.h"
#include "chart/series/AreaSeries.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/LineSeries.h"
#include "platform/Bitmap.h"
#include "platform/QtControlHost.h"

namespace {

constexpr int kFastPoints = 1000000;
constexpr int kFastWidth = 1600, kFastHeight = 400;

double Signal(int i) {
  return 50 + 40 * std::sin(i * 0.0001) * std::cos(i * 0.0173);
}

void ChartFastLineOurs(benchmark::State& state) {
  TSeriesOwner owner;
  TChart chart;
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  TFastLineSeries& series = owner.CreateSeries<TFastLineSeries>();
  chart.AttachSeries(&series);
  for (int i = 0; i < kFastPoints; ++i) series.AddPoint(i, Signal(i), "", clDefault);
  chart.SetSize(kFastWidth, kFastHeight);
  TBitmap picture(kFastWidth, kFastHeight);
  for (auto _ : state) chart.DrawChart(picture.Canvas(), Rect(0, 0, kFastWidth, kFastHeight));
}

void ChartFastLineQCustomPlot(benchmark::State& state) {
  QCustomPlot plot;
  plot.resize(kFastWidth, kFastHeight);
  QCPGraph* graph = plot.addGraph();
  QVector<double> keys(kFastPoints), values(kFastPoints);
  for (int i = 0; i < kFastPoints; ++i) {
    keys[i] = i;
    values[i] = Signal(i);
  }
  graph->setData(keys, values, true);
  plot.rescaleAxes();
  QImage image(kFastWidth, kFastHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    plot.replot(QCustomPlot::rpImmediateRefresh);
    QPainter painter(&image);
    plot.render(&painter);
  }
}

// The application's plant as five series of one kind, one point per site.
template <typename TSeries>
struct TOurKindChart {
  explicit TOurKindChart(const TFrameSize& size) : Sites(MakePlant(size.sites)) {
    for (int s = 0; s < kSeries; ++s) {
      TSeries& series = Owner.CreateSeries<TSeries>();
      series.Marks().SetVisible(false);
      if constexpr (std::is_same_v<TSeries, TLineSeries>) series.Pointer().SetVisible(true);
      Chart.AttachSeries(&series);
      All.push_back(&series);
    }
    Chart.SetView3D(false);
    Chart.LeftAxis().SetAxisRange(0, LargestCapacity(*Sites));
    Chart.LeftAxis().Title().SetCaption("Level");
    Chart.SetSize(size.width, size.height);
  }
  void Load() {
    for (int s = 0; s < kSeries; ++s) {
      TSeries& series = *All[static_cast<size_t>(s)];
      series.ClearPoints();
      for (int i = 0; i < Sites->Count(); ++i)
        series.AddPoint(i, LevelOf(Sites->GetSite(i), s), "", clDefault);
    }
  }
  std::unique_ptr<TSiteList> Sites;
  TSeriesOwner Owner;
  TChart Chart;
  std::vector<TSeries*> All;
};

template <typename TSeries>
void ChartKindOurs(benchmark::State& state, int siteCount) {
  const TFrameSize size = SizeOf(siteCount);
  TOurKindChart<TSeries> ours(size);
  TBitmap picture(size.width, size.height);
  QImage screen(size.width, size.height, QImage::Format_RGB32);
  for (auto _ : state) {
    ours.Load();
    ours.Chart.DrawChart(picture.Canvas(), Rect(0, 0, size.width, size.height));
    QPainter painter(&screen);  // shown as the window shows it
    ShowPicture(painter, screen.rect(), picture);
  }
}

// The peer's graphs: lines with square markers as ours, or lines filled down to zero.
void ChartKindQCustomPlot(benchmark::State& state, int siteCount, bool area) {
  const TFrameSize size = SizeOf(siteCount);
  auto sites = MakePlant(size.sites);
  QCustomPlot plot;
  plot.resize(size.width, size.height);
  std::vector<QCPGraph*> graphs;
  for (int s = 0; s < kSeries; ++s) {
    QCPGraph* graph = plot.addGraph();
    if (area)
      graph->setBrush(QBrush(QColor::fromHsv(s * 60, 200, 220)));
    else
      graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssSquare, 9));
    graphs.push_back(graph);
  }
  plot.xAxis->setRange(-1, size.sites);
  plot.yAxis->setRange(0, LargestCapacity(*sites));
  plot.yAxis->setLabel("Level");
  QImage image(size.width, size.height, QImage::Format_RGB32);
  QVector<double> keys(size.sites), values(size.sites);
  for (int i = 0; i < size.sites; ++i) keys[i] = i;
  for (auto _ : state) {
    for (int s = 0; s < kSeries; ++s) {
      for (int i = 0; i < size.sites; ++i) values[i] = LevelOf(sites->GetSite(i), s);
      graphs[static_cast<size_t>(s)]->setData(keys, values, true);
    }
    plot.replot(QCustomPlot::rpImmediateRefresh);
    QPainter painter(&image);
    plot.render(&painter);
  }
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("ChartFastLine/ours/1000000", ChartFastLineOurs)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("ChartFastLine/qcustomplot/1000000", ChartFastLineQCustomPlot)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("ChartLine/ours/12x5", ChartKindOurs<TLineSeries>, 12)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("ChartLine/qcustomplot/12x5", ChartKindQCustomPlot, 12, false)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("ChartArea/ours/12x5", ChartKindOurs<TAreaSeries>, 12)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("ChartArea/qcustomplot/12x5", ChartKindQCustomPlot, 12, true)
      ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
