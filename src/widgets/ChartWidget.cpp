#include "widgets/ChartWidget.h"

TChartWidget::TChartWidget(QWidget* parent) : TControlWidget(parent) {
  Host(FChart);
}

TChartWidget::~TChartWidget() {
  EndHosting();
}
