// What a point on the chart hits: a series' point, an axis, the title or foot, the plot or a
// legend item, read from the chart's current layout.
#include <algorithm>

#include "chart/Chart.h"
#include "chart/series/ChartSeries.h"

TChartMouseSettings& ChartMouseSettings() {
  static TChartMouseSettings settings;
  return settings;
}

void TZoomPanningRecord::Normalize() {
  if (StartX > EndX) std::swap(StartX, EndX);
  if (StartY > EndY) std::swap(StartY, EndY);
}

TChartClickedPart TCustomChart::FindClickedPart(TPoint p) const {
  const TChartLayout& layout = Layout();
  const std::vector<TChartSeries*>& list = SeriesList();
  bool anyActive = false;
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if (!(*it)->Active()) continue;
    anyActive = true;
    const int index = (*it)->PointAt(p);
    if (index >= 0) return {cpSeries, index, *it, nullptr};
  }
  for (TCustomChartAxis* axis : Axes())
    if (AxisHit(*axis, p)) return {cpAxis, -1, nullptr, axis};
  if (FTitle.Visible() && layout.Title.Shown && PtInRect(layout.Title.Rect, p)) return {cpTitle};
  if (FFoot.Visible() && layout.Foot.Shown && PtInRect(layout.Foot.Rect, p)) return {cpFoot};
  if (anyActive && PtInRect(layout.PlotRect, p)) return {cpChartRect};
  const int item = FLegend.Visible() ? layout.Legend.ItemAt(p) : -1;
  if (item >= 0) return {cpLegend, item};
  return {};
}

// Along the axis its pixel extent; across it the band from the labels to the axis line,
// with some tolerance beyond the line.
bool TCustomChart::AxisHit(const TCustomChartAxis& axis, TPoint p) const {
  const TAxisLayout& at = axis.Layout();
  if (axis.IsDepth() || !at.Shown) return false;
  const int labels = axis.Labels() ? at.LabelsPos : at.AxisLinePos;
  int low = std::min(labels, at.AxisLinePos), high = std::max(labels, at.AxisLinePos);
  if (at.AxisLinePos >= labels)
    high += ChartMouseSettings().ClickTolerance;
  else
    low -= ChartMouseSettings().ClickTolerance;
  const int start = std::min(at.StartPixel, at.EndPixel);
  const int end = std::max(at.StartPixel, at.EndPixel);
  return PtInRect(axis.IsHorizontal() ? Rect(start, low, end, high) : Rect(low, start, high, end),
                  p);
}

TRect TCustomChart::AxisArea(const TCustomChartAxis& axis) const {
  const TAxisLayout& at = axis.Layout();
  if (axis.IsDepth() || !at.Shown) return {};
  const int low = std::min(at.LabelsOuterPos, at.AxisLinePos);
  const int high = std::max(at.LabelsOuterPos, at.AxisLinePos) + 1;
  const int start = std::min(at.StartPixel, at.EndPixel);
  const int end = std::max(at.StartPixel, at.EndPixel) + 1;
  return axis.IsHorizontal() ? Rect(start, low, end, high) : Rect(low, start, high, end);
}
