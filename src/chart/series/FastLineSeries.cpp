#include "chart/series/FastLineSeries.h"

#include <algorithm>
#include <cfenv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <iterator>

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
      // First, lowest, highest, last: one upright stroke over the run's whole span that
      // still ends where the run ends, so the next column's segment starts in the same place.
      // The extreme the first point is not comes first, or the one the last point is not; a
      // point repeating the one before would add a segment of no length, and a call to draw it.
      const bool highFirst = FFirst.y == FHigh.y || (FFirst.y != FLow.y && FLast.y == FLow.y);
      const TPoint order[] = {highFirst ? FHigh : FLow, highFirst ? FLow : FHigh, FLast};
      for (const TPoint& p : order)
        if (p.y != FOut.back().y) FOut.push_back(p);
    }
    FCount = 0;
  }

 private:
  std::vector<TPoint>& FOut;
  TPoint FFirst, FLow, FHigh, FLast;
  int FCount = 0;
};

// An axis' linear mapping for one pass over very many values. It rounds with the default
// rounding mode's own ties-to-even (adding and taking away 2^52 + 2^51), without the
// branches that make the general rounding slow on values whose fractions vary at random; so
// it maps every value to the same pixel as the axis does.
class TFastScale {
 public:
  static constexpr int kFar = INT_MIN;
  explicit TFastScale(const TAxisScale& scale)
      : FScale(scale),
        FFromEnd(scale.Horizontal ? scale.Inverted : !scale.Inverted),
        FFast(!scale.Logarithmic && scale.RangeSpan != 0 && std::fegetround() == FE_TONEAREST) {}
  // The pixel of a value, or kFar for one beyond any window.
  int Pixel(double value) const {
    if (!FFast) {
      const int pixel = FScale.ValueToPixel(value);
      return pixel == FScale.CenterPixel && !FScale.Reaches(FScale.ExactPixel(value)) ? kFar
                                                                                      : pixel;
    }
    double t = (value - FScale.RangeMin) * FScale.LengthPixels / FScale.RangeSpan;
    if (std::isinf(t)) t = (value - FScale.RangeMin) / FScale.RangeSpan * FScale.LengthPixels;
    if (!(t > -TAxisScale::kFarPixels && t < TAxisScale::kFarPixels)) return kFar;
    const double shifted = t + kRoundingShift;
    const int n = static_cast<int>(shifted - kRoundingShift);
    return FFromEnd ? FScale.EndPixel - n : FScale.StartPixel + n;
  }

 private:
  static constexpr double kRoundingShift = 6755399441055744.0;
  const TAxisScale& FScale;
  bool FFromEnd, FFast;
};

}  // namespace

void TFastLineSeries::SetLinePen(const TChartPen& value) {
  Change(FLinePen, ClampPen(value));
}

// The points of the series as one pass over very many of them reads them: straight from the
// stored values, with what makes a point undrawable checked inline.
struct TFastLineSeries::TPointSource {
  const std::vector<double>& xs;
  const std::vector<double>& ys;
  double xScale, yScale;
  const std::vector<TColor>& colors;
  bool logX, logY;

  double X(size_t i) const { return xs[i] * xScale; }
  double Y(size_t i) const { return ys[i] * yScale; }
  bool Drawable(size_t i) const {
    const double x = X(i), y = Y(i);
    return !(i < colors.size() && colors[i] == clNone) && std::isfinite(x) && std::isfinite(y) &&
           !(logX && !(x > 0)) && !(logY && !(y > 0));
  }
  // Whether x grows (or stays) from point to point, every x a number.
  bool Sorted(size_t first, size_t stop) const {
    for (size_t i = first + 1; i < stop; ++i)
      if (!(X(i) >= X(i - 1)) || !std::isfinite(X(i))) return false;
    return first >= stop || std::isfinite(X(first));
  }
};

std::vector<std::vector<TPoint>> TFastLineSeries::ScreenPolylines(int first, int last,
                                                                  bool reduce) const {
  std::vector<std::vector<TPoint>> lines;
  const TCustomChartAxis* horizontal = GetHorizAxis();
  const TCustomChartAxis* vertical = GetVertAxis();
  if (!ParentChart() || !horizontal || !vertical || first < 0) return lines;
  // The scales and projection once, not per point.
  const TAxisScale h = horizontal->Layout(), v = vertical->Layout();
  const TFastScale fastH(h), fastV(v);
  const TChartProjection& projection = ParentChart()->Layout().Projection;
  const int z = MiddleZ();
  const TPointSource source{XValues().StoredValues(),
                            YValues().StoredValues(),
                            XValues().Multiplier(),
                            YValues().Multiplier(),
                            PointColors(),
                            h.Logarithmic,
                            v.Logarithmic};
  std::vector<TPoint> line;
  TColumnReducer reducer(line);
  auto add = [&](TPoint p) {
    if (projection.Is3D()) p = projection.Project(p.x, p.y, z);
    if (reduce)
      reducer.Add(p);
    else
      line.push_back(p);
  };
  // The last point added, for the segment to the next one; none at a line's start.
  size_t previous = SIZE_MAX;
  bool previousFar = false;
  auto end = [&] {
    reducer.Flush();
    if (line.size() > 1) lines.push_back(std::move(line));
    line.clear();
    previous = SIZE_MAX;
  };
  // A point whose segment from the last one has an end beyond any window: the segment is cut
  // to near the plot, and the line breaks at each far end.
  auto addFar = [&](size_t i, TPoint p) {
    const bool far = p.x == TFastScale::kFar || p.y == TFastScale::kFar;
    if (previous != SIZE_MAX) {
      TExactPoint a{h.ExactPixel(source.X(previous)), v.ExactPixel(source.Y(previous))};
      TExactPoint b{h.ExactPixel(source.X(i)), v.ExactPixel(source.Y(i))};
      if (SegmentNearPlot(h, v, a, b)) {
        if (previousFar) {
          end();
          add({Nearest(a.x), Nearest(a.y)});
        }
        add(far ? TPoint{Nearest(b.x), Nearest(b.y)} : p);
        if (far) end();
      } else {
        end();
      }
    } else if (!far) {
      add(p);
    }
    previous = i;
    previousFar = far;
  };
  auto addPoint = [&](size_t i, TPoint p) {
    if (previousFar || p.x == TFastScale::kFar || p.y == TFastScale::kFar) return addFar(i, p);
    add(p);
    previous = i;
  };
  const size_t from = static_cast<size_t>(first);
  // The lists may be edited to different lengths: only points with both values count.
  const size_t stop = std::min({static_cast<size_t>(last) + 1, source.xs.size(), source.ys.size()});
  // Sorted x on linear axes: a column's points are found by a binary search on x and only
  // their extreme values are mapped, which gives the pixels mapping each point would.
  const bool byColumns = reduce && !h.Logarithmic && !v.Logarithmic &&
                         (!projection.Is3D() || projection.IsOrthogonal()) &&
                         source.Sorted(from, stop);
  // The first point of the next column and its pixel, found while seeking a column's end.
  size_t nextColumnStart = SIZE_MAX;
  int nextColumn = 0;
  for (size_t i = from; i < stop;) {
    if (!source.Drawable(i)) {
      end();
      ++i;
      continue;
    }
    const int column = i == nextColumnStart ? nextColumn : fastH.Pixel(source.X(i));
    if (!byColumns || column == TFastScale::kFar) {
      addPoint(i, {column, fastV.Pixel(source.Y(i))});
      ++i;
      continue;
    }
    // The column's end: galloping from its first point, since most columns hold few points
    // (then one probe decides), and halving once a probe has left the column.
    size_t low = i + 1, high = stop;
    for (size_t span = 1; low < high; span *= 2) {
      const size_t probe = low + std::min(span, high - low) - 1;
      const int probed = fastH.Pixel(source.X(probe));
      if (probed != column) {
        high = probe;
        nextColumnStart = probe;
        nextColumn = probed;
        break;
      }
      low = probe + 1;
    }
    while (low < high) {
      const size_t middle = low + (high - low) / 2;
      if (fastH.Pixel(source.X(middle)) == column)
        low = middle + 1;
      else
        high = middle;
    }
    double firstY = source.Y(i), lastY = firstY, minY = firstY, maxY = firstY;
    size_t k = i + 1;
    for (; k < low && source.Drawable(k); ++k) {
      lastY = source.Y(k);
      minY = std::min(minY, lastY);
      maxY = std::max(maxY, lastY);
    }
    // A column of one point (the common case where points are sparser than pixels) maps once.
    const int firstPixel = fastV.Pixel(firstY);
    const bool single = k == i + 1;
    const int pixels[] = {firstPixel, single ? firstPixel : fastV.Pixel(minY),
                          single ? firstPixel : fastV.Pixel(maxY),
                          single ? firstPixel : fastV.Pixel(lastY)};
    if (previousFar ||
        std::find(std::begin(pixels), std::end(pixels), TFastScale::kFar) != std::end(pixels)) {
      // Some point of the column lies beyond any window: its segments one by one.
      for (size_t j = i; j < k; ++j) addPoint(j, {column, fastV.Pixel(source.Y(j))});
    } else if (single) {
      add({column, firstPixel});
      previous = i;
    } else {
      for (int y : pixels) add({column, y});
      previous = k - 1;
    }
    i = k;
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
