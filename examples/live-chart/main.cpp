// A live line chart: a timer adds a point every 50 ms and the chart keeps the last 200.
// Drag a rectangle down and right to zoom, drag with the right button to pan, and drag up
// and left (or press "Undo zoom") to go back; a zoomed chart stops following the data.
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "ExampleRun.h"
#include "chart/Chart.h"
#include "chart/series/LineSeries.h"
#include "widgets/ChartWidget.h"

namespace {

constexpr int kKeep = 200;

double Signal(int step) {
  return 50 + 30 * std::sin(step / 15.0) + 10 * std::sin(step / 3.7);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TLineSeries line;  // the program owns its series (made first, gone last); the chart shows it
  QWidget window;
  window.setWindowTitle("Live chart");
  window.resize(640, 400);

  auto* view = new TChartWidget;
  TChart& chart = view->Chart();
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  chart.Title().SetText({"Signal"});
  chart.LeftAxis().Title().SetCaption("Value");
  chart.BottomAxis().Title().SetCaption("Sample");

  line.SetSeriesColor(clNavy);
  chart.AttachSeries(&line);

  auto* undo = new QPushButton("Undo zoom");
  auto* status = new QLabel;
  undo->setEnabled(false);
  chart.OnZoom = [&](TCustomChart*) {
    undo->setEnabled(true);
    status->setText("Zoomed: the view stays where it is");
  };
  chart.OnScroll = chart.OnZoom;
  chart.OnUndoZoom = [&](TCustomChart*) {
    undo->setEnabled(false);
    status->setText("Following the data");
  };
  QObject::connect(undo, &QPushButton::clicked, view, [&chart] { chart.RevertZoom(); });

  int step = 0;
  auto addPoint = [&] {
    line.AddPoint(step, Signal(step), "", clDefault);
    ++step;
    if (line.PointCount() > kKeep) line.DeletePoint(0);
  };
  for (int i = 0; i < kKeep; ++i) addPoint();
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, view, addPoint);
  timer.start(50);

  auto* bar = new QHBoxLayout;
  bar->addWidget(undo);
  bar->addWidget(status, 1);
  auto* layout = new QVBoxLayout(&window);
  layout->addLayout(bar);
  layout->addWidget(view, 1);
  return RunExample(app, window);
}
