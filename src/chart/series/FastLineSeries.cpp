#include "chart/series/FastLineSeries.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "chart/ChartAxisPanel.h"
#include "chart/input/ChartMouse.h"
#include "chart/view/ChartLimits.h"

namespace {

// Appends a screen point; a run of points in one column keeps only its first, lowest,
// highest and last point, which cover the same pixels as the whole run.
class TColumnReducer {
 public:
  explicit TColumnReducer(std::vector<TPoint>& out) : FOut(out) {}
  void Add(TPoint p) {
    if (FCount > 0 && p.x == FFirst.x) {
      FLow = FLow.y <= p.y ? FLow : p;
      FHigh = FHigh.y >= p.y ? FHigh : p;
      FLast = p;
      ++FCount;
      return;
    }
    Flush();
    FFirst = FLow = FHigh = FLast = p;
    FCount = 1;
  }
  void Flush() {
    if (FCount == 0) return;
    FOut.push_back(FFirst);
    if (FCount > 1) {
      // Low and high in the order the run met them keep the path's turns the same.
      if (FLow.y != FFirst.y) FOut.push_back(FLow);
      if (FHigh.y != FLow.y) FOut.push_back(FHigh);
      if (FLast.y != FHigh.y || FCount > 1) FOut.push_back(FLast);
    }
    FCount = 0;
  }

 private:
  std::vector<TPoint>& FOut;
  TPoint FFirst, FLow, FHigh, FLast;
  int FCount = 0;
};

}  // namespace

void TFastLineSeries::SetLinePen(const TChartPen& value) {
  Change(FLinePen, ClampPen(value));
}

std::vector<std::vector<TPoint>> TFastLineSeries::ScreenPolylines(int first, int last,
                                                                  bool reduce) const {
  std::vector<std::vector<TPoint>> lines;
  const TCustomChartAxis* horizontal = GetHorizAxis();
  const TCustomChartAxis* vertical = GetVertAxis();
  if (!ParentChart() || !horizontal || !vertical || first < 0) return lines;
  // The scales and projection once, not per point.
  const TAxisScale h = horizontal->Layout(), v = vertical->Layout();
  const TChartProjection& projection = ParentChart()->Layout().Projection;
  const int z = MiddleZ();
  std::vector<TPoint> line;
  TColumnReducer reducer(line);
  auto end = [&] {
    reducer.Flush();
    if (line.size() > 1) lines.push_back(std::move(line));
    line.clear();
  };
  for (int i = first; i <= last && i < PointCount(); ++i) {
    if (!Plottable(i)) {
      end();
      continue;
    }
    const TPoint p = projection.Project(h.ValueToPixel(XValue(i)), v.ValueToPixel(YValue(i)), z);
    if (reduce)
      reducer.Add(p);
    else
      line.push_back(p);
  }
  end();
  return lines;
}

void TFastLineSeries::DrawShownPoints() {
  if (!ParentChart() || !FLinePen.Visible || FirstShownIndex() < 0) return;
  TChartCanvas3D& canvas = ParentChart()->Canvas();
  canvas.Pen() = FLinePen.Effective();
  canvas.Pen().color = SeriesColor();
  // A dotted pen restarts its pattern at every segment: only solid lines may be cut.
  const bool reduce = canvas.Pen().style == psSolid && canvas.Pen().width <= 1;
  canvas.BeginFlatDrawing();
  for (const std::vector<TPoint>& line :
       ScreenPolylines(FirstShownIndex(), LastShownIndex(), reduce))
    canvas.DrawPolyline2D(line);
  canvas.EndFlatDrawing();
}

void TFastLineSeries::DrawPoint(int index) {
  // Drawn with a group of series in one depth slot: the segment to the previous point.
  if (index < 1 || !ParentChart()) return;
  TChartCanvas3D& canvas = ParentChart()->Canvas();
  canvas.Pen() = FLinePen.Effective();
  canvas.Pen().color = SeriesColor();
  canvas.BeginFlatDrawing();
  for (const std::vector<TPoint>& line : ScreenPolylines(index - 1, index, false))
    canvas.DrawPolyline2D(line);
  canvas.EndFlatDrawing();
}

int TFastLineSeries::PointAt(TPoint p) const {
  const int first = FirstShownIndex(), last = LastShownIndex();
  if (first < 0 || !ParentChart()) return -1;
  const long long tolerance = ChartMouseSettings().ClickTolerance;
  const TChartProjection& projection = ParentChart()->Layout().Projection;
  int best = -1;
  long long bestDistance = tolerance * tolerance + 1;
  for (int i = first; i <= last && i < PointCount(); ++i) {
    if (!Plottable(i)) continue;
    const TPoint c = projection.Project(PointScreenX(i), PointScreenY(i), MiddleZ());
    const long long dx = p.x - c.x, dy = p.y - c.y;
    if (dx * dx + dy * dy < bestDistance) {
      best = i;
      bestDistance = dx * dx + dy * dy;
    }
  }
  return best;
}

void TFastLineSeries::DrawLegendSymbol(TChartCanvas3D& canvas, const TRect& box,
                                       TColor color) const {
  canvas.Pen() = FLinePen.Effective();
  canvas.Pen().color = color;
  const int middle = (box.top + box.bottom) / 2;
  canvas.DrawLine2D(box.left, middle, box.right, middle);
}
