#include "chart/access/ChartAccessible.h"

#include <algorithm>

#include "chart/Chart.h"
#include "chart/series/BarSeries.h"
#include "chart/series/PieSeries.h"
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
    TChartSeries* series = FChart.SeriesAt(s);
    if (!series->Active()) continue;
    if (dynamic_cast<TCustomBarSeries*>(series)) {
      for (int i = 0; i < series->PointCount(); ++i)
        if (!series->IsNullPoint(i)) entries.push_back({series, i, nullptr});
    } else if (auto* pie = dynamic_cast<TPieSeries*>(series)) {
      for (int i = 0; i < pie->PointCount(); ++i)
        if (pie->HasSlice(i)) entries.push_back({pie, i, nullptr});
    }
  }
  for (const TCustomChartAxis* axis : FChart.Axes())
    if (FChart.AxisIsShown(*axis) && !axis->IsDepth()) entries.push_back({nullptr, -1, axis});
  return entries;
}

TAccessibleItem TChartAccessible::Child(int index) const {
  const std::vector<TEntry> entries = Entries();
  if (index < 0 || index >= static_cast<int>(entries.size())) return {};
  const TEntry& e = entries[static_cast<size_t>(index)];
  if (!e.series) return Axis(*e.axis);
  if (auto* pie = dynamic_cast<TPieSeries*>(e.series)) return Slice(*pie, e.point);
  return Segment(dynamic_cast<TCustomBarSeries&>(*e.series), e.point);
}

std::string TChartAccessible::PointName(TChartSeries& series, int point,
                                        const std::string& value) const {
  const std::string label = series.PointLabel(point);
  std::string name =
      (series.Title().empty() ? "Series " + std::to_string(FChart.IndexOfSeries(&series) + 1)
                              : series.Title()) +
      ", " + (label.empty() ? Number(series.XValue(point)) : label) + ": " + value;
  if (FChart.OnGetAccessibleName) FChart.OnGetAccessibleName(&FChart, &series, point, name);
  return name;
}

TAccessibleItem TChartAccessible::Slice(TPieSeries& series, int point) const {
  TAccessibleItem item;
  item.role = arGraphic;
  item.value = Number(series.YValue(point));
  item.name = PointName(series, point, item.value + ", " + series.PercentText(point));
  const TRect r = series.SliceBounds(point);
  const TChartProjection& projection = FChart.Layout().Projection;
  const TPoint a = projection.Project(r.left, r.top, series.StartZ());
  const TPoint b = projection.Project(r.right, r.bottom, series.StartZ());
  item.rect = NormalizedRect(Rect(a.x, a.y, b.x, b.y));
  return item;
}

TAccessibleItem TChartAccessible::Segment(TCustomBarSeries& series, int point) const {
  TAccessibleItem item;
  item.role = arGraphic;
  item.value = Number(series.YValue(point));
  item.name = PointName(series, point, item.value);
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
