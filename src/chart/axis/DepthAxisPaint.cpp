// The depth axis: a line along the right edge of the box's floor, from the front to the back,
// with ticks and labels standing right of it at their depths.
#include <algorithm>

#include "chart/ChartAxisPanel.h"
#include "chart/axis/AxisLabelValues.h"
#include "chart/axis/ChartAxis.h"
#include "chart/series/ChartSeries.h"
#include "chart/view/ChartCanvas.h"

int TCustomChartAxis::DepthTickRoom() const {
  return (Ticks().Visible ? std::max(0, TickLength()) : 0) + 2;
}

int TCustomChartAxis::DepthLabelsRoom(TChartCanvas3D& canvas) const {
  if (!FLabels) return 0;
  int widest = 0;
  for (const auto& label : DepthLabels(canvas))
    widest = std::max(widest, canvas.MeasureTextWidth(label.second));
  return widest > 0 ? widest + canvas.MeasureTextWidth(" ") + DepthTickRoom() : 0;
}

std::vector<std::pair<int, std::string>> TCustomChartAxis::DepthLabels(
    TChartCanvas3D& canvas) const {
  std::vector<std::pair<int, std::string>> labels;
  if (!FChart) return labels;
  canvas.Font() = LabelsFont();
  if (FLabelStyle == talValue) {
    for (double value : AxisLabelValues(canvas, Layout())) {
      const int z = ValueToPixel(value);
      if (z >= StartPixel() && z <= EndPixel()) labels.emplace_back(z, LabelText(value));
    }
    return labels;
  }
  // Each shown series by its title, at the middle of its depth band; series sharing a depth
  // slot share one label.
  std::vector<int> slots;
  int number = 0;
  for (TChartSeries* series : FChart->SeriesList()) {
    if (!series->Active()) continue;
    ++number;
    std::string text =
        series->Title().empty() ? "Series" + std::to_string(number) : series->Title();
    if (FChart->OnGetAxisLabel)
      FChart->OnGetAxisLabel(const_cast<TCustomChartAxis*>(this), series, -1, text);
    if (text.empty()) continue;
    const auto same = std::find(slots.begin(), slots.end(), series->ComputedZOrder());
    if (same != slots.end()) {
      labels[static_cast<size_t>(same - slots.begin())].second += ", " + text;
    } else {
      slots.push_back(series->ComputedZOrder());
      labels.emplace_back(series->MiddleZ(), text);
    }
  }
  return labels;
}

void TCustomChartAxis::PaintDepthAxis(TChartCanvas3D& canvas) const {
  if (!canvas.Is3D()) return;
  const TRect& plot = FChart->PlotRect();
  const int right = plot.right, floor = plot.bottom;
  if (Axis().Visible) {
    canvas.Pen() = Axis().Effective();
    canvas.DrawDepthLine(right, floor, StartPixel(), EndPixel());
  }
  const std::vector<std::pair<int, std::string>> labels = DepthLabels(canvas);
  if (Ticks().Visible && TickLength() > 0) {
    canvas.Pen() = Ticks().Effective();
    for (const auto& label : labels)
      canvas.DrawLineAtDepth(right + 1, floor, right + 1 + TickLength(), floor, label.first);
  }
  canvas.Brush().style = bsClear;
  canvas.SetBackgroundMode(bkTransparent);
  canvas.SetTextAlignment(taLeft | taTop);
  if (FLabels) {
    canvas.Font() = LabelsFont();
    const int half = canvas.MeasureTextHeight("Wg") / 2;
    for (const auto& label : labels)
      canvas.DrawTextAtDepth(right + DepthTickRoom(), floor - half, label.second, label.first);
  }
  // The title beyond the labels, halfway back.
  if (Title().Caption().empty()) return;
  const int beyond = std::max(DepthLabelsRoom(canvas), DepthTickRoom());
  canvas.Font() = Title().Font();
  canvas.DrawTextAtDepth(right + beyond, floor - canvas.MeasureTextHeight("Wg") / 2,
                         Title().Caption(), (StartPixel() + EndPixel()) / 2);
}
