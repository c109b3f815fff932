#pragma once

#include "chart/Chart.h"
#include "widgets/ControlWidget.h"
#include "widgets/WidgetsExport.h"

// The chart as a QWidget: it owns the control, reachable through Chart() for series, axes,
// zoom and events. Series stay owned by the program (a TSeriesOwner, for instance).
class LISTCHART_WIDGETS_API TChartWidget : public TControlWidget {
 public:
  explicit TChartWidget(QWidget* parent = nullptr);
  ~TChartWidget() override;

  TChart& Chart() { return FChart; }
  const TChart& Chart() const { return FChart; }

 private:
  TChart FChart;
};
