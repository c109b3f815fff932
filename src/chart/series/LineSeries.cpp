#include "chart/series/LineSeries.h"

#include <algorithm>
#include <climits>

#include "chart/ChartAxisPanel.h"
#include "chart/input/ChartMouse.h"
#include "chart/view/ChartLimits.h"

TCustomLineSeries::TCustomLineSeries() = default;

TLineSeries::TLineSeries() {
  Pointer().SetVisible(false);
}

TPointSeries::TPointSeries() {
  SetLinePen(ChartHiddenPen());
}

void TCustomLineSeries::SetLinePen(const TChartPen& value) {
  Change(FLinePen, ClampPen(value));
}

TPoint TCustomLineSeries::ScreenPoint(int index) const {
  const TPoint p{PointScreenX(index), PointScreenY(index)};
  return ParentChart() ? ParentChart()->Layout().Projection.Project(p.x, p.y, StartZ()) : p;
}

int TCustomLineSeries::PreviousPlottable(int index) const {
  return index > 0 && Plottable(index - 1) ? index - 1 : -1;
}

void TCustomLineSeries::DrawPoint(int index) {
  if (!ParentChart() || !Plottable(index)) return;
  // A segment ending at the first shown point lies wholly outside the plot.
  const int previous = PreviousPlottable(index);
  if (previous >= 0 && previous >= FirstShownIndex()) DrawSegment(previous, index);
  if (OnPixelGrid(index))
    FPointer.Draw(ParentChart()->Canvas(), ScreenPoint(index), PointColor(index));
}

void TCustomLineSeries::DrawSegment(int from, int to) {
  if (!FLinePen.Visible) return;
  TChartCanvas3D& canvas = ParentChart()->Canvas();
  TPoint a, b;
  if (!SegmentEnds(from, to, a, b)) return;
  const int x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
  canvas.Pen() = FLinePen.Effective();
  if (!canvas.Is3D()) {
    canvas.Pen().color = PointColor(to);
    canvas.DrawLine2D(x0, y0, x1, y1);
    return;
  }
  // A ribbon seen edge on is only its outline: in a darker shade of its colour, not black.
  canvas.Pen().color = DarkenColor(PointColor(to), 64);
  canvas.Brush() = TBrush{PointColor(to), bsSolid, clWhite};
  canvas.DrawPlane({{x0, y0, StartZ()}, {x1, y1, StartZ()}, {x1, y1, EndZ()}, {x0, y0, EndZ()}});
}

int TCustomLineSeries::PointAt(TPoint p) const {
  const int first = FirstShownIndex(), last = LastShownIndex();
  if (first < 0) return -1;
  const int tolerance = ChartMouseSettings().ClickTolerance;
  int best = -1;
  long long bestDistance = LLONG_MAX;
  for (int i = first; i <= last && i < PointCount(); ++i) {
    if (!Plottable(i)) continue;
    const TPoint c = ScreenPoint(i);
    const long long dx = p.x - c.x, dy = p.y - c.y;
    const bool near = (dx * dx + dy * dy <= tolerance * tolerance) || FPointer.Contains(c, p);
    if (near && dx * dx + dy * dy < bestDistance) {
      best = i;
      bestDistance = dx * dx + dy * dy;
    }
  }
  return best;
}

void TCustomLineSeries::HorizontalMargins(TSeriesLayout& entry, int& left, int& right) const {
  TChartSeries::HorizontalMargins(entry, left, right);
  if (FPointer.Visible() && FPointer.InflateMargins()) left = right = FPointer.HorizSize() + 1;
}

void TCustomLineSeries::VerticalMargins(TSeriesLayout& entry, int& top, int& bottom) const {
  TChartSeries::VerticalMargins(entry, top, bottom);
  if (FPointer.Visible() && FPointer.InflateMargins()) top = bottom = FPointer.VertSize() + 1;
}

void TCustomLineSeries::DrawLegendSymbol(TChartCanvas3D& canvas, const TRect& box,
                                         TColor color) const {
  const int middle = (box.top + box.bottom) / 2;
  if (FLinePen.Visible) {
    canvas.Pen() = FLinePen.Effective();
    canvas.Pen().color = color;
    canvas.DrawLine2D(box.left, middle, box.right, middle);
  }
  FPointer.Draw(canvas, {(box.left + box.right) / 2, middle}, color);
}
