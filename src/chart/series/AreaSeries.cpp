#include "chart/series/AreaSeries.h"

#include <algorithm>
#include <utility>

#include "chart/ChartAxisPanel.h"

TAreaSeries::TAreaSeries() {
  Pointer().SetVisible(false);
}

int TAreaSeries::BasePixel() const {
  const TCustomChartAxis* axis = GetVertAxis();
  return axis ? axis->ValueToPixel(axis->RangeMin()) : 0;
}

void TAreaSeries::DrawSegment(int from, int to) {
  TChartCanvas3D& canvas = ParentChart()->Canvas();
  TPoint start, stop, outer[2];
  if (!SegmentEnds(from, to, start, stop, outer)) return;
  const int x0 = start.x, y0 = start.y, x1 = stop.x, y1 = stop.y;
  const int base = BasePixel();
  const TColor color = PointColor(to);
  canvas.Pen() = LinePen().Effective();
  canvas.Brush() = TBrush{color, bsSolid, clWhite};
  const int z0 = StartZ(), z1 = EndZ();
  if (canvas.Is3D()) {
    // The top before the front, so that the front's outline stays whole.
    canvas.Brush().color = DarkenColor(color, 64);
    canvas.DrawPlane({{x0, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y0, z1}});
    canvas.Brush().color = color;
  }
  // The front face without its outline, then the line along its top.
  canvas.Pen().style = psClear;
  canvas.DrawPlane({{x0, y0, z0}, {x1, y1, z0}, {x1, base, z0}, {x0, base, z0}});
  // Where the line runs beyond the plot's top (or bottom) the area fills the plot's height.
  for (const auto& [end, far] : {std::pair{start, outer[0]}, std::pair{stop, outer[1]}})
    if (far.x != end.x)
      canvas.DrawPlane(
          {{far.x, end.y, z0}, {end.x, end.y, z0}, {end.x, base, z0}, {far.x, base, z0}});
  canvas.Pen() = LinePen().Effective();
  const TPoint a = canvas.ProjectPoint(x0, y0, z0), b = canvas.ProjectPoint(x1, y1, z0);
  canvas.DrawLine2D(a.x, a.y, b.x, b.y);
}

int TAreaSeries::PointAt(TPoint p) const {
  const int marker = TCustomLineSeries::PointAt(p);
  if (marker >= 0 || !ParentChart()) return marker;
  const TPoint q = ParentChart()->Layout().Projection.Unproject(p.x, p.y, StartZ());
  const int first = std::max(FirstShownIndex(), 1), last = LastShownIndex();
  const int base = BasePixel();
  for (int i = first; i <= last && i < PointCount(); ++i) {
    const int previous = PreviousPlottable(i);
    if (previous < 0 || !Plottable(i)) continue;
    const int x0 = PointScreenX(previous), x1 = PointScreenX(i);
    if (q.x < std::min(x0, x1) || q.x > std::max(x0, x1)) continue;
    const int y0 = PointScreenY(previous), y1 = PointScreenY(i);
    const double t = x1 == x0 ? 0 : double(q.x - x0) / (x1 - x0);
    const double top = y0 + t * (y1 - y0);
    if (q.y >= std::min<double>(top, base) && q.y <= std::max<double>(top, base))
      return t < 0.5 ? previous : i;
  }
  return -1;
}

void TAreaSeries::DrawLegendSymbol(TChartCanvas3D& canvas, const TRect& box, TColor color) const {
  DrawColorBox(canvas, box, color);
}
