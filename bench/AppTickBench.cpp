// One tick of the simulation timer as the main window runs it: a simulation step, the tree's
// changing texts rewritten, the chart's series reloaded, then both controls painted at their
// stored sizes. The peer does the same work with a standard item model in a tree view and a
// plot of five stacked bar graphs.
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QTreeView>
#include <memory>
#include <vector>

#include "app/DemoData.h"
#include "app/TankChart.h"
#include "app/TankTree.h"
#include "platform/OffscreenHost.h"

namespace {

constexpr int kTreeWidth = 846, kTreeHeight = 267;
constexpr int kChartWidth = 850, kChartHeight = 173;
constexpr int kSeries = 5;

struct TPlant {
  TPlant() : Sites(BuildSites()) { RandomizeLevels(*Sites, Random); }
  std::unique_ptr<TSiteList> Sites;
  TDemoRandom Random;
};

void AppTickOurs(benchmark::State& state) {
  TPlant plant;
  TTreeList tree;
  ConfigureTankTreeList(tree);
  LoadTree(tree, *plant.Sites);
  RefreshTree(tree, *plant.Sites);
  TSeriesOwner owner;
  TChart chart;
  ApplyStoredChartSettings(chart, owner);
  SetupChart(chart, owner, *plant.Sites);
  RefreshChart(chart, *plant.Sites);
  TOffscreenHost treeWindow(tree, kTreeWidth, kTreeHeight);
  TOffscreenHost chartWindow(chart, kChartWidth, kChartHeight);
  treeWindow.PaintAll();
  chartWindow.PaintAll();
  for (auto _ : state) {
    SimulateStep(*plant.Sites, plant.Random);
    RefreshTree(tree, *plant.Sites);
    RefreshChart(chart, *plant.Sites);
    treeWindow.PaintAll();
    chartWindow.PaintAll();
  }
}

QList<QStandardItem*> ItemRow(const std::string& name, int capacity) {
  QList<QStandardItem*> row;
  row << new QStandardItem(QString::fromStdString(name))
      << new QStandardItem(QString::number(capacity));
  for (int i = 0; i < 3; ++i) row << new QStandardItem;
  return row;
}

// The peer's tree: the same five columns and 49 rows, the sites collapsed as at start.
struct TPeerTree {
  explicit TPeerTree(const TSiteList& sites) {
    Model.setHorizontalHeaderLabels({"Site/Tank", "Capacity", "Level", "Level %", "Status"});
    for (int s = 0; s < sites.Count(); ++s) {
      const TSite& site = sites.GetSite(s);
      QList<QStandardItem*> siteRow = ItemRow(site.Name(), site.GetCapacity());
      for (int t = 0; t < site.Count(); ++t)
        siteRow[0]->appendRow(ItemRow(site.GetTankLabel(t), site.GetTank(t).Capacity()));
      Model.appendRow(siteRow);
    }
    View.setUniformRowHeights(true);
    View.setModel(&Model);
    View.resize(kTreeWidth, kTreeHeight);
  }
  void SetRow(QStandardItem* parent, int row, int level, int percent) {
    const QModelIndex base = parent ? parent->index() : QModelIndex();
    Model.setData(Model.index(row, 2, base), level);
    Model.setData(Model.index(row, 3, base), percent);
    Model.setData(Model.index(row, 4, base), QStringLiteral("On-line"));
  }
  void Refresh(const TSiteList& sites) {
    for (int s = 0; s < sites.Count(); ++s) {
      const TSite& site = sites.GetSite(s);
      SetRow(nullptr, s, site.GetLevel(), site.GetPercent());
      for (int t = 0; t < site.Count(); ++t)
        SetRow(Model.item(s), t, site.GetTank(t).Level(), site.GetTank(t).GetPercent());
    }
  }
  QStandardItemModel Model;
  QTreeView View;
};

// The peer's chart: five stacked bar graphs, one point per site, the left axis fixed.
struct TPeerChart {
  explicit TPeerChart(int sites) : Keys(sites), Values(sites) {
    Plot.resize(kChartWidth, kChartHeight);
    for (int s = 0; s < kSeries; ++s) {
      auto* bar = new QCPBars(Plot.xAxis, Plot.yAxis);
      if (!Bars.empty()) bar->moveAbove(Bars.back());
      Bars.push_back(bar);
    }
    Plot.xAxis->setVisible(false);
    Plot.xAxis->setRange(-1, sites);
    Plot.yAxis->setRange(0, 10000);
    Plot.yAxis->setLabel("Level");
    for (int i = 0; i < sites; ++i) Keys[i] = i;
  }
  void Refresh(const TSiteList& sites) {
    for (int s = 0; s < kSeries; ++s) {
      for (int i = 0; i < sites.Count(); ++i) {
        const TSite& site = sites.GetSite(i);
        Values[i] = s < site.Count() ? site.GetTank(s).Level() : 0;
      }
      Bars[static_cast<size_t>(s)]->setData(Keys, Values, true);
    }
  }
  QCustomPlot Plot;
  std::vector<QCPBars*> Bars;
  QVector<double> Keys, Values;
};

void AppTickPeer(benchmark::State& state) {
  TPlant plant;
  TPeerTree tree(*plant.Sites);
  TPeerChart chart(plant.Sites->Count());
  tree.Refresh(*plant.Sites);
  QImage treePicture(kTreeWidth, kTreeHeight, QImage::Format_RGB32);
  QImage chartPicture(kChartWidth, kChartHeight, QImage::Format_RGB32);
  tree.View.render(&treePicture);  // the warm-up render lays the view out
  for (auto _ : state) {
    SimulateStep(*plant.Sites, plant.Random);
    tree.Refresh(*plant.Sites);
    chart.Refresh(*plant.Sites);
    tree.View.render(&treePicture);
    chart.Plot.replot(QCustomPlot::rpImmediateRefresh);
    QPainter painter(&chartPicture);
    chart.Plot.render(&painter);
  }
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("AppTick/ours/plant", AppTickOurs)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("AppTick/qtview+qcustomplot/plant", AppTickPeer)
      ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
