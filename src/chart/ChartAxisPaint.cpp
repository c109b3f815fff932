// The axis' share of the chart's layout (the bands it takes from the chart) and its drawing.
#include <algorithm>
#include <cmath>

#include "chart/ChartAxis.h"
#include "chart/ChartAxisPanel.h"
#include "chart/ChartCanvas.h"
#include "chart/ChartSeries.h"

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

int TCustomChartAxis::LabelsBand(TChartCanvas3D& canvas) {
  if (LabelsSize() > 0) return LabelsSize();
  canvas.Font() = LabelsFont();
  if (TextRunsAcross(FIsHorizontal, FLabelsAngle)) return canvas.MeasureTextHeight("Wg");
  int widest = 0;
  const TAxisLabelStyle style = EffectiveLabelStyle();
  if (style == talValue) {
    const double step = LabelStep(canvas);
    double low = RangeMin, high = RangeMax;
    if (FRoundFirstLabel) {
      low = std::trunc(RangeMin / step) * step;
      high = std::trunc(RangeMax / step) * step;
    }
    // Measured as formatted, without the program's label handler.
    for (double value : {low, high})
      widest = std::max(widest, canvas.MeasureTextWidth(FormatLabel(value)));
  } else if (style == talText || style == talMark) {
    for (TChartSeries* series : FChart->SeriesList())
      if (series->Active() && series->IsTiedTo(*this))
        for (int i = 0; i < series->PointCount(); ++i) {
          const std::string text = style == talText ? series->PointLabel(i) : series->MarkText(i);
          widest = std::max(widest, canvas.MeasureTextWidth(text));
        }
  }
  return widest > 0 ? widest + canvas.MeasureTextWidth(" ") : 0;
}

void TCustomChartAxis::ReserveSpace(TRect& rect) {
  if (!FChart || !FChart->AxisIsShown(*this) || FIsDepth) return;
  TChartCanvas3D& canvas = FChart->Canvas();
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
    TitlePos = cut(band);
  }
  if (FLabels) LabelsPos = cut(LabelsBand(canvas));
  int ticks = Axis().Visible ? Axis().width : 0;
  if (Ticks().Visible) ticks += TickLength();
  if (MinorTicks().Visible) ticks = std::max(ticks, MinorTickLength());
  cut(ticks + WallSize());
  if (FPositionPercent != 0) {
    const int across = FIsHorizontal ? rect.bottom - rect.top : rect.right - rect.left;
    const int shift = Nearest(across * FPositionPercent * 0.01);
    TitlePos += FOnFarSide ? shift : -shift;
    LabelsPos += FOnFarSide ? shift : -shift;
  }
  canvas.Font() = savedFont;
}

void TCustomChartAxis::DrawLabelAndRecordTick(TChartCanvas3D& canvas, double value,
                                              std::vector<int>& ticks) {
  const int p = ValueToPixel(value);
  if (!FLabelsOnAxis && (p <= StartPixel || p >= EndPixel)) return;
  if (!TickOnLabelsOnly()) ticks.push_back(p);
  if (FLabels) DrawLabelAt(canvas, p, LabelText(value), ticks);
}

void TCustomChartAxis::DrawSeriesLabels(TChartCanvas3D& canvas, TAxisLabelStyle style,
                                        std::vector<int>& ticks) {
  TChartSeries* series = nullptr;
  for (TChartSeries* candidate : FChart->SeriesList())
    if (candidate->Active() && candidate->IsTiedTo(*this)) {
      series = candidate;
      break;
    }
  if (!series) return;
  // The labels sit where the points are along this axis: X for a value drawn upwards.
  const bool alongX = FIsHorizontal == (&series->MandatoryList() == &series->YValues());
  for (int i = 0; i < series->PointCount(); ++i) {
    const int p = ValueToPixel(alongX ? series->XValue(i) : series->YValue(i));
    if (p < StartPixel || p > EndPixel) continue;
    if (!FLabelsOnAxis && (p == StartPixel || p == EndPixel)) continue;
    if (!TickOnLabelsOnly()) ticks.push_back(p);
    if (!FLabels) continue;
    std::string text = style == talText ? series->PointLabel(i) : series->MarkText(i);
    if (FChart->OnGetAxisLabel) FChart->OnGetAxisLabel(this, series, i, text);
    if (!text.empty()) DrawLabelAt(canvas, p, text, ticks);
  }
}

void TCustomChartAxis::DrawLabelAt(TChartCanvas3D& canvas, int p, const std::string& text,
                                   std::vector<int>& ticks) {
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
  for (size_t i = 0; i < lines.size(); ++i) {
    const int offset = static_cast<int>(i) * lineHeight;
    if (FIsHorizontal) {
      canvas.SetTextAlignment(taCenterH | taTop);
      const int y = FOnFarSide ? LabelsPos - blockHeight + offset : LabelsPos + offset;
      canvas.DrawTextAtDepth(p, y, lines[i], 0);
    } else {
      canvas.SetTextAlignment((FOnFarSide ? taLeft : taRight) | taTop);
      canvas.DrawTextAtDepth(LabelsPos, p - blockHeight / 2 + offset, lines[i], 0);
    }
  }
}

void TCustomChartAxis::DrawGridLine(TChartCanvas3D& canvas, int position) {
  const TRect& plot = FChart->PlotRect;
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

void TCustomChartAxis::DrawTicksAndGrid(TChartCanvas3D& canvas, const std::vector<int>& ticks) {
  const int wall = WallSize();
  // Ticks point away from the plot: left and down for the near axes, right and up otherwise.
  const int outwards = FOnFarSide ? 1 : -1;
  const int line = FIsHorizontal ? AxisLinePos - outwards * wall : AxisLinePos + outwards * wall;
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

void TCustomChartAxis::PaintAxis() {
  if (!FChart || !FChart->AxisIsShown(*this) || FIsDepth) return;
  TChartCanvas3D& canvas = FChart->Canvas();
  const TRect& plot = FChart->PlotRect;

  ShowsDateTime = false;
  for (TChartSeries* series : FChart->SeriesList())
    if (series->Active() && series->IsTiedTo(*this)) {
      ShowsDateTime = (FIsHorizontal ? series->XValues() : series->YValues()).DateTime();
      break;
    }
  canvas.Font() = LabelsFont();
  const double step = LabelStep(canvas);
  if (FIsHorizontal) {
    AxisLinePos = FOnFarSide ? plot.top : plot.bottom;
    if (FPositionPercent != 0)
      AxisLinePos +=
          (FOnFarSide ? 1 : -1) * Nearest(FChart->PlotHeight() * FPositionPercent * 0.01);
  } else {
    AxisLinePos = FOnFarSide ? plot.right : plot.left;
    if (FPositionPercent != 0)
      AxisLinePos += (FOnFarSide ? -1 : 1) * Nearest(FChart->PlotWidth() * FPositionPercent * 0.01);
  }

  if (!Title().Caption().empty()) {
    canvas.Font() = Title().Font();
    canvas.Brush().style = bsClear;
    const int height = canvas.MeasureTextHeight(Title().Caption());
    canvas.SetTextAlignment(taCenterH | taTop);
    if (FIsHorizontal) {
      canvas.DrawRotatedText(CenterPixel, FOnFarSide ? TitlePos - height : TitlePos,
                             Title().Angle(), Title().Caption(), 0);
    } else {
      // Text turned upwards (left axis) spreads right of its reference point, text turned
      // downwards (right axis) left of it: either way the block fills the title strip.
      canvas.DrawRotatedText(FOnFarSide ? TitlePos + height : TitlePos - height, CenterPixel,
                             Title().Angle(), Title().Caption(), 0);
    }
  }

  std::vector<int> ticks;
  canvas.Brush().style = bsClear;
  canvas.SetBackgroundMode(bkTransparent);
  const TAxisLabelStyle style = EffectiveLabelStyle();
  if (style == talValue)
    for (double value : LabelValues(step)) DrawLabelAndRecordTick(canvas, value, ticks);
  else if (style == talText || style == talMark)
    DrawSeriesLabels(canvas, style, ticks);

  if (Axis().Visible) {
    canvas.Pen() = Axis().Effective();
    const int depth = FOnFarSide ? FChart->TotalDepth() : 0;
    const int wall = WallSize();
    if (FIsHorizontal) {
      const int y = AxisLinePos + (FOnFarSide ? -wall : wall);
      canvas.DrawLineAtDepth(StartPixel - FChart->WallThickness(FChart->LeftWall()), y, EndPixel, y,
                             depth);
    } else {
      const int x = AxisLinePos + (FOnFarSide ? wall : -wall);
      canvas.DrawLineAtDepth(x, StartPixel, x,
                             EndPixel + FChart->WallThickness(FChart->BottomWall()), depth);
    }
  }
  DrawTicksAndGrid(canvas, ticks);
}
