#pragma once

#include "chart/Chart.h"
#include "widgets/ControlWidget.h"
#include "widgets/WidgetsExport.h"

// The chart as a QWidget: it owns the control, reachable through Chart() for series, axes,
// zoom and events. Series stay owned by the program (a TSeriesOwner, for instance).
class LISTCHART_WIDGETS_API TChartWidget : public TControlWidget {
 public:
  // Makes the widget with an empty chart and starts hosting it.
  explicit TChartWidget(QWidget* parent = nullptr);
  ~TChartWidget() override;

  // The hosted chart, owned by this widget.
  TChart& Chart() { return FChart; }
  // The hosted chart, read-only.
  const TChart& Chart() const { return FChart; }

 private:
  TChart FChart;
};
