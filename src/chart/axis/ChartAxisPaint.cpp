// Drawing an axis as the chart's layout placed it: title, labels, line, ticks and grid.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/ChartAxisPanel.h"
#include "chart/axis/ChartAxis.h"
#include "chart/axis/TurnedText.h"
#include "chart/series/ChartSeries.h"
#include "chart/view/ChartCanvas.h"

void TCustomChartAxis::DrawLabelAndRecordTick(TChartCanvas3D& canvas, double value,
                                              std::vector<int>& ticks) const {
  const int p = ValueToPixel(value);
  if (!FLabelsOnAxis && (p <= StartPixel() || p >= EndPixel())) return;
  if (!TickOnLabelsOnly()) ticks.push_back(p);
  if (FLabels) DrawLabelAt(canvas, p, LabelText(value), ticks);
}

void TCustomChartAxis::DrawSeriesLabels(TChartCanvas3D& canvas, TAxisLabelStyle style,
                                        std::vector<int>& ticks) const {
  TChartSeries* series = nullptr;
  for (TChartSeries* candidate : FChart->SeriesList())
    if (candidate->Active() && candidate->IsTiedTo(*this)) {
      series = candidate;
      break;
    }
  if (!series) return;
  // Each label sits where its point lies along this axis.
  for (int i = 0; i < series->PointCount(); ++i) {
    const int p = ValueToPixel(FIsHorizontal ? series->XValue(i) : series->YValue(i));
    if (p < StartPixel() || p > EndPixel()) continue;
    if (!FLabelsOnAxis && (p == StartPixel() || p == EndPixel())) continue;
    if (!TickOnLabelsOnly()) ticks.push_back(p);
    if (!FLabels) continue;
    std::string text = style == talText ? series->PointLabel(i) : series->MarkText(i);
    if (FChart->OnGetAxisLabel)
      FChart->OnGetAxisLabel(const_cast<TCustomChartAxis*>(this), series, i, text);
    if (!text.empty()) DrawLabelAt(canvas, p, text, ticks);
  }
}

void TCustomChartAxis::DrawLabelAt(TChartCanvas3D& canvas, int p, const std::string& text,
                                   std::vector<int>& ticks) const {
  const int labelsPos = LabelsPos();
  if (TickOnLabelsOnly()) ticks.push_back(p);
  canvas.Font() = LabelsFont();
  const int lineHeight = canvas.MeasureTextHeight("Wg");
  std::vector<std::string> lines{text};
  if (LabelsMultiLine()) {
    lines.clear();
    size_t start = 0, blank;
    while ((blank = text.find(' ', start)) != std::string::npos) {
      lines.push_back(text.substr(start, blank - start));
      start = blank + 1;
    }
    lines.push_back(text.substr(start));
  }
  const int blockHeight = lineHeight * static_cast<int>(lines.size());
  if (FLabelsAngle != 0) {
    // Turned, the lines stand as one block whose end nearest the axis meets the labels' edge.
    int widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, canvas.MeasureTextWidth(line));
    const TTurnedText turned{FLabelsAngle, widest, blockHeight};
    const TPoint anchor = turned.Anchor(FIsHorizontal, FOnFarSide, p, labelsPos);
    // Each line aligned to the end nearest the axis, one line's height further down the block.
    const double nearShare = widest > 0 ? turned.NearEnd(FIsHorizontal, FOnFarSide) / widest : 0;
    const double theta = FLabelsAngle * std::numbers::pi / 180.0;
    const double c = std::cos(theta), s = std::sin(theta);
    canvas.SetTextAlignment(taLeft | taTop);
    for (size_t i = 0; i < lines.size(); ++i) {
      const double along = nearShare * (widest - canvas.MeasureTextWidth(lines[i]));
      const double down = static_cast<double>(i) * lineHeight;
      canvas.DrawRotatedText(anchor.x + static_cast<int>(std::lround(along * c + down * s)),
                             anchor.y + static_cast<int>(std::lround(-along * s + down * c)),
                             FLabelsAngle, lines[i], 0);
    }
    return;
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    const int offset = static_cast<int>(i) * lineHeight;
    if (FIsHorizontal) {
      canvas.SetTextAlignment(taCenterH | taTop);
      const int y = FOnFarSide ? labelsPos - blockHeight + offset : labelsPos + offset;
      canvas.DrawTextAtDepth(p, y, lines[i], 0);
    } else {
      canvas.SetTextAlignment((FOnFarSide ? taLeft : taRight) | taTop);
      canvas.DrawTextAtDepth(labelsPos, p - blockHeight / 2 + offset, lines[i], 0);
    }
  }
}

void TCustomChartAxis::DrawGridLine(TChartCanvas3D& canvas, int position) const {
  const TRect& plot = FChart->PlotRect();
  const int depth = FChart->TotalDepth();
  if (FIsHorizontal) {
    if (canvas.Is3D()) {
      // Along the floor to the back, then up the back wall.
      canvas.DrawDepthLine(position, plot.bottom, 0, depth);
      canvas.DrawLineAtDepth(position, plot.bottom, position, plot.top, depth);
    } else {
      canvas.DrawLine2D(position, plot.top, position, plot.bottom);
    }
  } else if (canvas.Is3D()) {
    // Along the left wall to the back, then across the back wall.
    canvas.DrawDepthLine(plot.left, position, 0, depth);
    canvas.DrawLineAtDepth(plot.left, position, plot.right, position, depth);
  } else {
    canvas.DrawLine2D(plot.left, position, plot.right, position);
  }
}

void TCustomChartAxis::DrawTicksAndGrid(TChartCanvas3D& canvas,
                                        const std::vector<int>& ticks) const {
  const int axisLinePos = AxisLinePos();
  const int wall = WallSize();
  // Ticks point away from the plot: left and down for the near axes, right and up otherwise.
  const int outwards = FOnFarSide ? 1 : -1;
  const int line = FIsHorizontal ? axisLinePos - outwards * wall : axisLinePos + outwards * wall;
  auto tick = [&](int position, int from, int length) {
    if (FIsHorizontal)
      canvas.DrawLineAtDepth(position, from, position, from - outwards * length, 0);
    else
      canvas.DrawLineAtDepth(from, position, from + outwards * length, position, 0);
  };
  const int outsideLine = FIsHorizontal ? line - outwards : line + outwards;
  if (Ticks().Visible && TickLength() != 0) {
    canvas.Pen() = Ticks().Effective();
    for (int p : ticks) tick(p, outsideLine, TickLength());
  }
  if (Grid().Visible) {
    canvas.Pen() = Grid().Effective();
    if (Grid().color == clDefault) canvas.Pen().color = clGray;
    canvas.SetBackgroundMode(bkTransparent);
    if (GridCentered()) {
      for (size_t i = 1; i < ticks.size(); ++i) DrawGridLine(canvas, (ticks[i - 1] + ticks[i]) / 2);
    } else {
      for (int p : ticks) DrawGridLine(canvas, p);
    }
  }
  if (TicksInner().Visible && TickInnerLength() != 0) {
    canvas.Pen() = TicksInner().Effective();
    for (int p : ticks) tick(p, line, -TickInnerLength());
  }
  if (MinorTicks().Visible && MinorTickLength() != 0 && MinorTickCount() > 0) {
    canvas.Pen() = MinorTicks().Effective();
    for (size_t i = 1; i < ticks.size(); ++i)
      for (int m = 1; m <= MinorTickCount(); ++m)
        tick(ticks[i - 1] + (ticks[i] - ticks[i - 1]) * m / (MinorTickCount() + 1), outsideLine,
             MinorTickLength());
  }
  if (MinorGrid().Visible && MinorTickCount() > 0) {
    canvas.Pen() = MinorGrid().Effective();
    for (size_t i = 1; i < ticks.size(); ++i)
      for (int m = 1; m <= MinorTickCount(); ++m)
        DrawGridLine(canvas, ticks[i - 1] + (ticks[i] - ticks[i - 1]) * m / (MinorTickCount() + 1));
  }
}

void TCustomChartAxis::DrawTitle(TChartCanvas3D& canvas) const {
  if (Title().Caption().empty()) return;
  canvas.Font() = Title().Font();
  canvas.Brush().style = bsClear;
  const int height = canvas.MeasureTextHeight(Title().Caption());
  const int titlePos = TitlePos();
  canvas.SetTextAlignment(taCenterH | taTop);
  if (FIsHorizontal) {
    canvas.DrawRotatedText(CenterPixel(), FOnFarSide ? titlePos - height : titlePos,
                           Title().Angle(), Title().Caption(), 0);
  } else {
    // Text turned upwards (left axis) spreads right of its reference point, text turned
    // downwards (right axis) left of it: either way the block fills the title strip.
    canvas.DrawRotatedText(FOnFarSide ? titlePos + height : titlePos - height, CenterPixel(),
                           Title().Angle(), Title().Caption(), 0);
  }
}

void TCustomChartAxis::DrawAxisLine(TChartCanvas3D& canvas) const {
  if (!Axis().Visible) return;
  canvas.Pen() = Axis().Effective();
  const int depth = FOnFarSide ? FChart->TotalDepth() : 0;
  const int wall = WallSize();
  if (FIsHorizontal) {
    const int y = AxisLinePos() + (FOnFarSide ? -wall : wall);
    canvas.DrawLineAtDepth(StartPixel() - FChart->WallThickness(FChart->LeftWall()), y, EndPixel(),
                           y, depth);
  } else {
    const int x = AxisLinePos() + (FOnFarSide ? wall : -wall);
    canvas.DrawLineAtDepth(x, StartPixel(), x,
                           EndPixel() + FChart->WallThickness(FChart->BottomWall()), depth);
  }
}

void TCustomChartAxis::PaintAxis() const {
  if (!FChart || !Layout().Shown) return;
  TChartCanvas3D& canvas = FChart->Canvas();
  if (FIsDepth) return PaintDepthAxis(canvas);
  canvas.Font() = LabelsFont();
  const std::vector<double> values = AxisLabelValues(canvas, Layout());
  DrawTitle(canvas);

  std::vector<int> ticks;
  canvas.Brush().style = bsClear;
  canvas.SetBackgroundMode(bkTransparent);
  const TAxisLabelStyle style = EffectiveLabelStyle();
  if (style == talValue)
    for (double value : values) DrawLabelAndRecordTick(canvas, value, ticks);
  else if (style == talText || style == talMark)
    DrawSeriesLabels(canvas, style, ticks);
  DrawAxisLine(canvas);
  DrawTicksAndGrid(canvas, ticks);
}
