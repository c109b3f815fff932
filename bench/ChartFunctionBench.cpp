// A calculated series against the same sum done by hand for QCustomPlot, which has no functions:
// the average of three sources of 1,000 points, after one source point changes, drawn as a
// frame (fast lines, as QCustomPlot draws plain lines). Apart, the recalculation alone: the one
// point a change feeds against every point.
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <QImage>
#include <QPainter>
#include <array>
#include <cmath>

#include "chart/Chart.h"
#include "chart/series/ChartFunction.h"
#include "chart/series/FastLineSeries.h"
#include "platform/Bitmap.h"
#include "platform/QtControlHost.h"

namespace {

constexpr int kPoints = 1000, kSources = 3;
constexpr int kWidth = 800, kHeight = 300;

double Sample(int source, int i) {
  return 50 + 30 * std::sin(i * 0.01 + source);
}

struct TAverageChart {
  TAverageChart() {
    Chart.SetView3D(false);
    Chart.Legend().SetVisible(false);
    for (int s = 0; s < kSources; ++s) {
      TFastLineSeries& source = Owner.CreateSeries<TFastLineSeries>();
      for (int i = 0; i < kPoints; ++i) source.AddPoint(i, Sample(s, i), "", clDefault);
      Chart.AttachSeries(&source);
      Sources[static_cast<size_t>(s)] = &source;
    }
    Average.SetFunction(std::make_unique<TAverageFunction>());
    for (TFastLineSeries* source : Sources) Average.AddDataSource(source);
    Chart.AttachSeries(&Average);
    Chart.LeftAxis().SetAxisRange(0, 100);
    Chart.SetSize(kWidth, kHeight);
  }
  // One source point changes, a different one each time.
  void Change() {
    Tick = (Tick + 1) % kPoints;
    Sources[static_cast<size_t>(Tick % kSources)]->YValues().PutValue(Tick, Sample(Tick, Tick));
  }
  TSeriesOwner Owner;
  TChart Chart;
  std::array<TFastLineSeries*, kSources> Sources{};
  TFastLineSeries& Average = Owner.CreateSeries<TFastLineSeries>();
  int Tick = 0;
};

void ChartFunctionOurs(benchmark::State& state) {
  TAverageChart ours;
  TBitmap picture(kWidth, kHeight);
  QImage screen(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    ours.Change();
    ours.Chart.DrawChart(picture.Canvas(), Rect(0, 0, kWidth, kHeight));
    QPainter painter(&screen);
    ShowPicture(painter, screen.rect(), picture);
  }
}

void ChartFunctionQCustomPlot(benchmark::State& state) {
  QCustomPlot plot;
  plot.resize(kWidth, kHeight);
  std::array<QVector<double>, kSources> values;
  QVector<double> keys(kPoints), average(kPoints);
  for (int i = 0; i < kPoints; ++i) keys[i] = i;
  for (int s = 0; s < kSources; ++s) {
    values[static_cast<size_t>(s)].resize(kPoints);
    for (int i = 0; i < kPoints; ++i) values[static_cast<size_t>(s)][i] = Sample(s, i);
    plot.addGraph()->setData(keys, values[static_cast<size_t>(s)], true);
  }
  QCPGraph* averageGraph = plot.addGraph();
  plot.xAxis->setRange(0, kPoints);
  plot.yAxis->setRange(0, 100);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  int tick = 0;
  for (auto _ : state) {
    tick = (tick + 1) % kPoints;
    const int s = tick % kSources;
    values[static_cast<size_t>(s)][tick] = Sample(tick, tick);
    plot.graph(s)->setData(keys, values[static_cast<size_t>(s)], true);
    for (int i = 0; i < kPoints; ++i) {
      double sum = 0;
      for (const QVector<double>& v : values) sum += v[i];
      average[i] = sum / kSources;
    }
    averageGraph->setData(keys, average, true);
    plot.replot(QCustomPlot::rpImmediateRefresh);
    QPainter painter(&image);
    plot.render(&painter);
  }
}

// The recalculation alone: the point a change feeds, or every point afresh.
void ChartFunctionRecalcOurs(benchmark::State& state) {
  TAverageChart ours;
  for (auto _ : state) ours.Change();
}

void ChartFunctionRecalcFull(benchmark::State& state) {
  TAverageChart ours;
  for (auto _ : state) ours.Average.Recalculate();
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("ChartFunction/ours/1000x3", ChartFunctionOurs)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("ChartFunction/qcustomplot/1000x3", ChartFunctionQCustomPlot)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("ChartFunctionRecalc/ours/1000x3", ChartFunctionRecalcOurs)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("ChartFunctionRecalc/full/1000x3", ChartFunctionRecalcFull)
      ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
