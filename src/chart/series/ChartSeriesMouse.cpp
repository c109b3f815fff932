#include "chart/ChartAxisPanel.h"
#include "chart/series/ChartSeries.h"

bool TChartSeries::SeriesClicked(int valueIndex, TMouseButton button, TShiftState shift, int x,
                                 int y) {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return false;
  chart->SetMouseCancelled(false);
  const TSeriesClick& handler = (shift & ssDouble) && OnDblClick ? OnDblClick : OnClick;
  if (handler) {
    // A handler that wants the chart to zoom or pan after all clears the flag again.
    chart->SetMouseCancelled(true);
    handler(this, valueIndex, button, shift, x, y);
  }
  return chart->MouseCancelled();
}

void TChartSeries::ValuesAtCursor(double& x, double& y) const {
  x = y = 0;
  const TCustomAxisPanel* chart = ParentChart();
  const TCustomChartAxis* horizontal = GetHorizAxis();
  const TCustomChartAxis* vertical = GetVertAxis();
  if (!chart || !horizontal || !vertical) return;
  const TPoint p = chart->CursorPos();
  x = horizontal->PixelToValue(p.x);
  y = vertical->PixelToValue(p.y);
}
