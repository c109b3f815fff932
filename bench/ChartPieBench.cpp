// A pie of twelve slices against Qt Charts' pie on the same work: set every slice's value
// (each frame the shares move) and draw the whole chart, flat, into an off-screen picture,
// with a title, a legend row per slice and no slice labels.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <cmath>
#include <string>

#include "chart/Chart.h"
#include "chart/series/PieSeries.h"
#include "platform/Bitmap.h"
#include "platform/QtControlHost.h"

namespace {

constexpr int kSlices = 12;
constexpr int kWidth = 640, kHeight = 400;

// The slice values of a frame: the same numbers on every run, different from frame to frame.
double SliceValue(int slice, int frame) {
  return 20 + 15 * std::sin(slice * 0.9 + frame * 0.1);
}

void ChartPieOurs(benchmark::State& state) {
  TSeriesOwner owner;
  TChart chart;
  chart.SetView3D(false);
  chart.Title().SetText({"Stock"});
  TPieSeries& pie = owner.CreateSeries<TPieSeries>();
  pie.Marks().SetVisible(false);
  pie.SetCircled(true);
  chart.AttachSeries(&pie);
  for (int i = 0; i < kSlices; ++i)
    pie.AddMandatoryValue(SliceValue(i, 0), "Site " + std::to_string(i + 1), clDefault);
  chart.SetSize(kWidth, kHeight);
  TBitmap picture(kWidth, kHeight);
  QImage screen(kWidth, kHeight, QImage::Format_RGB32);
  int frame = 0;
  for (auto _ : state) {
    ++frame;
    for (int i = 0; i < kSlices; ++i) pie.YValues().PutValue(i, SliceValue(i, frame));
    chart.DrawChart(picture.Canvas(), Rect(0, 0, kWidth, kHeight));
    QPainter painter(&screen);  // shown as the window shows it
    ShowPicture(painter, screen.rect(), picture);
  }
}

void ChartPieQtCharts(benchmark::State& state) {
  auto* series = new QPieSeries;
  for (int i = 0; i < kSlices; ++i) series->append(QString("Site %1").arg(i + 1), SliceValue(i, 0));
  auto* chart = new QChart;
  chart->addSeries(series);
  chart->setTitle("Stock");
  QChartView view(chart);
  view.resize(kWidth, kHeight);
  view.show();  // a hidden view never lays its scene out
  QApplication::processEvents();
  view.viewport()->setUpdatesEnabled(false);  // rendered into the picture only, as ours is
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const QList<QPieSlice*> slices = series->slices();
  int frame = 0;
  for (auto _ : state) {
    ++frame;
    for (int i = 0; i < kSlices; ++i) slices[i]->setValue(SliceValue(i, frame));
    QApplication::processEvents();  // the chart lays its slices out on the event loop
    QPainter painter(&image);
    view.render(&painter);
  }
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("ChartPie/ours/12", ChartPieOurs)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("ChartPie/qtcharts/12", ChartPieQtCharts)
      ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
