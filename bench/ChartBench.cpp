// One chart frame as the application refreshes it: reload every series (one point per site
// per series) and draw the whole stacked bar chart into an off-screen picture. Ours against
// Qt Charts and QCustomPlot on the same data, size and work.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QPainter>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <memory>
#include <qcustomplot.h>
#include <vector>

#include "app/DemoData.h"
#include "app/TankChart.h"
#include "platform/Bitmap.h"

namespace {

constexpr int kSeries = 5;

struct TFrameSize {
  int sites, width, height;
};

TFrameSize SizeOf(int sites) {
  return sites <= 12 ? TFrameSize{sites, 850, 173} : TFrameSize{sites, 1600, 400};
}

// A plant of the given number of sites, each with the tank count of the demo table's site at
// the same position (so some sites leave the upper series null), after one simulation step.
std::unique_ptr<TSiteList> MakePlant(int siteCount) {
  auto sites = std::make_unique<TSiteList>();
  for (int i = 0; i < siteCount; ++i) {
    const TSiteRecord& record = SiteTable[static_cast<size_t>(i) % SiteTable.size()];
    TSite& site = sites->Add(std::make_unique<TSite>(record.Name));
    for (int t = 0; t < record.TankCount; ++t)
      site.Add(std::make_unique<TTank>(record.TankCapacity));
  }
  TDemoRandom random;
  RandomizeLevels(*sites, random);
  SimulateStep(*sites, random);
  return sites;
}

// The level of tank s of a site, 0 where the site has fewer tanks.
double LevelOf(const TSite& site, int s) { return s < site.Count() ? site.GetTank(s).Level() : 0; }

int LargestCapacity(const TSiteList& sites) {
  int largest = 0;
  for (int i = 0; i < sites.Count(); ++i) largest = std::max(largest, sites.GetSite(i).GetCapacity());
  return largest;
}

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

void ChartFrameOurs(benchmark::State& state, int siteCount) {
  const TFrameSize size = SizeOf(siteCount);
  TOurChart ours(size);
  TBitmap picture(size.width, size.height);
  for (auto _ : state) {
    RefreshChart(ours.Chart, *ours.Sites);
    ours.Chart.DrawChart(picture.Canvas(), Rect(0, 0, size.width, size.height));
  }
}

void ChartRepaintOurs(benchmark::State& state, int siteCount) {
  const TFrameSize size = SizeOf(siteCount);
  TOurChart ours(size);
  TBitmap window(size.width, size.height);
  const TRect all = Rect(0, 0, size.width, size.height);
  ours.Chart.Paint(window.Canvas(), all);  // draws once; every later paint copies the picture
  for (auto _ : state) ours.Chart.Paint(window.Canvas(), all);
}

void ChartFrameQtCharts(benchmark::State& state, int siteCount) {
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
  QImage image(size.width, size.height, QImage::Format_RGB32);
  for (auto _ : state) {
    for (int s = 0; s < kSeries; ++s)
      for (int i = 0; i < size.sites; ++i) sets[static_cast<size_t>(s)]->replace(i, LevelOf(sites->GetSite(i), s));
    QApplication::processEvents();  // the chart lays its bars out on the event loop
    QPainter painter(&image);
    view.render(&painter);
  }
}

void ChartFrameQCustomPlot(benchmark::State& state, int siteCount) {
  const TFrameSize size = SizeOf(siteCount);
  auto sites = MakePlant(size.sites);
  QCustomPlot plot;
  plot.resize(size.width, size.height);
  std::vector<QCPBars*> bars;
  for (int s = 0; s < kSeries; ++s) {
    auto* bar = new QCPBars(plot.xAxis, plot.yAxis);
    if (!bars.empty()) bar->moveAbove(bars.back());
    bars.push_back(bar);
  }
  plot.xAxis->setVisible(false);
  plot.xAxis->setRange(-1, size.sites);
  plot.yAxis->setRange(0, LargestCapacity(*sites));
  plot.yAxis->setLabel("Level");
  QVector<double> keys(size.sites), values(size.sites);
  for (int i = 0; i < size.sites; ++i) keys[i] = i;
  QImage image(size.width, size.height, QImage::Format_RGB32);
  for (auto _ : state) {
    for (int s = 0; s < kSeries; ++s) {
      for (int i = 0; i < size.sites; ++i) values[i] = LevelOf(sites->GetSite(i), s);
      bars[static_cast<size_t>(s)]->setData(keys, values, true);
    }
    plot.replot(QCustomPlot::rpImmediateRefresh);
    QPainter painter(&image);
    plot.render(&painter);
  }
}

// Registered by hand so that the names pair up exactly as Case/who/size.
const bool kRegistered = [] {
  using Fn = void (*)(benchmark::State&, int);
  const std::pair<const char*, Fn> frames[] = {{"ours", ChartFrameOurs},
                                               {"qtcharts", ChartFrameQtCharts},
                                               {"qcustomplot", ChartFrameQCustomPlot}};
  for (int sites : {12, 1000})
    for (const auto& [who, fn] : frames)
      benchmark::RegisterBenchmark(
          ("ChartFrame/" + std::string(who) + "/" + std::to_string(sites) + "x5").c_str(), fn,
          sites)
          ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("ChartRepaint/ours/12x5", ChartRepaintOurs, 12)
      ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
