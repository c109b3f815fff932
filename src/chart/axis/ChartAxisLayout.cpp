// The axis' share of the chart's layout: the bands it takes from the plot and its line.
#include <algorithm>
#include <cmath>

#include "chart/ChartAxisPanel.h"
#include "chart/axis/ChartAxis.h"
#include "chart/axis/TurnedText.h"
#include "chart/series/ChartSeries.h"
#include "chart/view/ChartCanvas.h"

namespace {

// Whether text at this angle runs across an axis of this direction, so that its height,
// not its width, is what the axis must make room for.
bool TextRunsAcross(bool horizontalAxis, int angle) {
  return horizontalAxis ? (angle == 0 || angle == 180) : (angle == 90 || angle == 270);
}

}  // namespace

int TCustomChartAxis::WallSize() const {
  if (!FChart || FOnFarSide) return 0;
  return FChart->WallThickness(FIsHorizontal ? FChart->BottomWall() : FChart->LeftWall());
}

int TCustomChartAxis::LabelsBand(TChartCanvas3D& canvas, const TAxisLayout& layout) const {
  if (LabelsSize() > 0) return LabelsSize();
  canvas.Font() = LabelsFont();
  std::vector<std::string> texts;
  const TAxisLabelStyle style = EffectiveLabelStyle();
  if (style == talValue) {
    std::vector<double> extremes;
    if (FLogarithmic || layout.ShowsDateTime) {
      extremes = AxisLabelValues(canvas, layout);
      canvas.Font() = LabelsFont();
    } else {
      const double step = LabelStep(canvas, layout);
      extremes = {layout.RangeMin, layout.RangeMax};
      if (FRoundFirstLabel)
        for (double& value : extremes) value = std::trunc(value / step) * step;
    }
    // Measured as formatted, without the program's label handler.
    for (double value : extremes) texts.push_back(FormatLabel(value, layout));
  } else if (style == talText || style == talMark) {
    for (TChartSeries* series : FChart->SeriesList())
      if (series->Active() && series->IsTiedTo(*this))
        for (int i = 0; i < series->PointCount(); ++i)
          texts.push_back(style == talText ? series->PointLabel(i) : series->MarkText(i));
  }
  // Each label as the block it is drawn as: its widest line, and a line's height per line.
  const int lineHeight = canvas.MeasureTextHeight("Wg");
  int widest = 0, lines = 1;
  for (const std::string& text : texts) {
    int count = 1;
    size_t start = 0, blank;
    while (LabelsMultiLine() && (blank = text.find(' ', start)) != std::string::npos) {
      widest = std::max(widest, canvas.MeasureTextWidth(text.substr(start, blank - start)));
      start = blank + 1;
      ++count;
    }
    widest = std::max(widest, canvas.MeasureTextWidth(text.substr(start)));
    lines = std::max(lines, count);
  }
  if (TextRunsAcross(FIsHorizontal, FLabelsAngle)) return lineHeight * lines;
  if (widest <= 0) return 0;
  const int blank = canvas.MeasureTextWidth(" ");
  // Turned labels take the room their turned blocks reach across.
  const TTurnedText turned{FLabelsAngle, widest, lineHeight * lines};
  return static_cast<int>(std::ceil(turned.Across(FIsHorizontal))) + blank;
}

void TCustomChartAxis::ReserveSpace(TAxisLayout& entry, TRect& rect, TChartCanvas3D& canvas) const {
  if (!FChart || !entry.Shown) return;
  if (FIsDepth) {
    // The labels and then the title stand right of the box's floor, beyond its right edge.
    ChooseLabelStep(entry, canvas);
    const TFont savedFont = canvas.Font();
    rect.right -= DepthLabelsRoom(canvas);
    if (!Title().Caption().empty()) {
      canvas.Font() = Title().Font();
      rect.right -= canvas.MeasureTextWidth(Title().Caption()) + canvas.MeasureTextWidth(" ");
    }
    canvas.Font() = savedFont;
    return;
  }
  // The labels' texts, and so their band, follow the step.
  ChooseLabelStep(entry, canvas);
  const TFont savedFont = canvas.Font();
  // Cuts a band from the side this axis stands on; returns the new edge.
  auto cut = [&](int band) {
    if (FIsHorizontal) return FOnFarSide ? (rect.top += band) : (rect.bottom -= band);
    return FOnFarSide ? (rect.right -= band) : (rect.left += band);
  };
  if (!Title().Caption().empty()) {
    int band = TitleSize();
    if (band <= 0) {
      canvas.Font() = Title().Font();
      band = TextRunsAcross(FIsHorizontal, Title().Angle())
                 ? canvas.MeasureTextHeight("Wg")
                 : canvas.MeasureTextWidth(Title().Caption());
    }
    entry.TitlePos = cut(band);
  }
  entry.LabelsOuterPos = cut(0);
  if (FLabels) entry.LabelsPos = cut(LabelsBand(canvas, entry));
  int ticks = Axis().Visible ? Axis().width : 0;
  if (Ticks().Visible) ticks += TickLength();
  if (MinorTicks().Visible) ticks = std::max(ticks, MinorTickLength());
  cut(ticks + WallSize());
  if (FPositionPercent != 0) {
    const int across = FIsHorizontal ? rect.bottom - rect.top : rect.right - rect.left;
    const int shift = Nearest(across * FPositionPercent * 0.01);
    entry.TitlePos += FOnFarSide ? shift : -shift;
    entry.LabelsPos += FOnFarSide ? shift : -shift;
    entry.LabelsOuterPos += FOnFarSide ? shift : -shift;
  }
  canvas.Font() = savedFont;
}

void TCustomChartAxis::PlaceLine(TAxisLayout& entry, const TRect& plot) const {
  if (FIsHorizontal) {
    entry.AxisLinePos = FOnFarSide ? plot.top : plot.bottom;
    if (FPositionPercent != 0)
      entry.AxisLinePos +=
          (FOnFarSide ? 1 : -1) * Nearest((plot.bottom - plot.top) * FPositionPercent * 0.01);
  } else {
    entry.AxisLinePos = FOnFarSide ? plot.right : plot.left;
    if (FPositionPercent != 0)
      entry.AxisLinePos +=
          (FOnFarSide ? -1 : 1) * Nearest((plot.right - plot.left) * FPositionPercent * 0.01);
  }
}
