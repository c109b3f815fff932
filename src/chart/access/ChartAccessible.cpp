#include "chart/access/ChartAccessible.h"

#include <algorithm>

#include "chart/Chart.h"
#include "chart/series/BarSeries.h"
#include "platform/FormatFloat.h"

namespace {

std::string Number(double v) {
  return FormatFloat("0.###", v);
}

}  // namespace

std::string TChartAccessible::Name() const {
  std::string name;
  if (FChart.Title().Visible())
    for (const std::string& line : FChart.Title().Text()) name += (name.empty() ? "" : " ") + line;
  return name.empty() ? "Chart" : name;
}

std::string TChartAccessible::Description() const {
  return std::to_string(FChart.CountSeries()) + " series";
}

std::vector<TChartAccessible::TEntry> TChartAccessible::Entries() const {
  std::vector<TEntry> entries;
  for (int s = 0; s < FChart.CountSeries(); ++s) {
    auto* bars = dynamic_cast<TCustomBarSeries*>(FChart.SeriesAt(s));
    if (!bars || !bars->Active()) continue;
    for (int i = 0; i < bars->PointCount(); ++i)
      if (!bars->IsNullPoint(i)) entries.push_back({bars, i, nullptr});
  }
  for (const TCustomChartAxis* axis : FChart.Axes())
    if (FChart.AxisIsShown(*axis) && !axis->IsDepth()) entries.push_back({nullptr, -1, axis});
  return entries;
}

TAccessibleItem TChartAccessible::Child(int index) const {
  const std::vector<TEntry> entries = Entries();
  if (index < 0 || index >= static_cast<int>(entries.size())) return {};
  const TEntry& e = entries[static_cast<size_t>(index)];
  return e.series ? Segment(*e.series, e.point) : Axis(*e.axis);
}

TAccessibleItem TChartAccessible::Segment(TCustomBarSeries& series, int point) const {
  TAccessibleItem item;
  item.role = arGraphic;
  item.value = Number(series.YValue(point));
  const std::string label = series.PointLabel(point);
  item.name =
      (series.Title().empty() ? "Series " + std::to_string(FChart.IndexOfSeries(&series) + 1)
                              : series.Title()) +
      ", " + (label.empty() ? Number(series.XValue(point)) : label) + ": " + item.value;
  if (FChart.OnGetAccessibleName) FChart.OnGetAccessibleName(&FChart, &series, point, item.name);
  // The part of the bar's front face that the plot shows, where the chart draws it; a bar
  // scrolled or zoomed out of the plot is not on screen.
  TRect bar = NormalizedRect(series.BarRect(point));
  const TRect& plot = FChart.Layout().PlotRect;
  if (bar.right < plot.left || bar.left > plot.right || bar.bottom < plot.top ||
      bar.top > plot.bottom) {
    item.states |= asInvisible;
    return item;
  }
  bar = Rect(std::max(bar.left, plot.left), std::max(bar.top, plot.top),
             std::min(bar.right, plot.right), std::min(bar.bottom, plot.bottom));
  const TChartProjection& projection = FChart.Layout().Projection;
  const TPoint a = projection.Project(bar.left, bar.top, series.StartZ());
  const TPoint b = projection.Project(bar.right, bar.bottom, series.StartZ());
  item.rect = NormalizedRect(Rect(a.x, a.y, b.x, b.y));
  return item;
}

TAccessibleItem TChartAccessible::Axis(const TCustomChartAxis& axis) const {
  TAccessibleItem item;
  item.role = arStaticText;
  const std::string side = axis.IsHorizontal() ? "Horizontal axis" : "Vertical axis";
  item.name = axis.Title().Caption().empty() ? side : side + " " + axis.Title().Caption();
  item.value = Number(axis.Minimum()) + " to " + Number(axis.Maximum());
  item.rect = FChart.AxisArea(axis);
  return item;
}
