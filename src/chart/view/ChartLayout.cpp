#include "chart/view/ChartLayout.h"

#include <algorithm>
#include <cmath>

void TAxisScale::SetPixels(int start, int end) {
  StartPixel = start;
  EndPixel = end;
  LengthPixels = end - start;
  CenterPixel = (start + end) / 2;
}

void TAxisScale::SetRange(double low, double high) {
  RangeMin = low;
  RangeMax = high;
  RangeSpan = high - low;
}

double TAxisScale::ExactPixel(double value) const {
  const bool fromEnd = Horizontal ? Inverted : !Inverted;
  double t = 0;
  if (Logarithmic) {
    if (!(RangeMin > 0) || !(RangeMax > RangeMin)) return CenterPixel;
    if (!(value > 0)) return fromEnd ? EndPixel : StartPixel;
    const double low = std::log(RangeMin);
    t = (std::log(value) - low) * LengthPixels / (std::log(RangeMax) - low);
  } else {
    if (RangeSpan == 0) return CenterPixel;
    t = (value - RangeMin) * LengthPixels / RangeSpan;
    if (std::isinf(t)) t = (value - RangeMin) / RangeSpan * LengthPixels;
  }
  return fromEnd ? EndPixel - t : StartPixel + t;
}

bool ClipSegment(const TRect& box, TExactPoint& a, TExactPoint& b) {
  // Liang-Barsky: the part of a + s (b - a), 0 <= s <= 1, on the inner side of every edge.
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double edges[4][2] = {
      {-dx, a.x - box.left}, {dx, box.right - a.x}, {-dy, a.y - box.top}, {dy, box.bottom - a.y}};
  double enter = 0, leave = 1;
  for (const auto& [p, q] : edges) {
    if (!std::isfinite(p) || !std::isfinite(q)) return false;
    if (p == 0) {
      if (q < 0) return false;
      continue;
    }
    const double s = q / p;
    if (p < 0)
      enter = std::max(enter, s);
    else
      leave = std::min(leave, s);
  }
  if (enter > leave) return false;
  const TExactPoint from = a;
  a = {from.x + enter * dx, from.y + enter * dy};
  b = {from.x + leave * dx, from.y + leave * dy};
  return true;
}

bool SegmentNearPlot(const TAxisScale& horizontal, const TAxisScale& vertical, TExactPoint& a,
                     TExactPoint& b) {
  // Far outside the plot, yet well inside the pixel grid.
  constexpr int kMargin = 1 << 20;
  const TRect box{std::min(horizontal.StartPixel, horizontal.EndPixel) - kMargin,
                  std::min(vertical.StartPixel, vertical.EndPixel) - kMargin,
                  std::max(horizontal.StartPixel, horizontal.EndPixel) + kMargin,
                  std::max(vertical.StartPixel, vertical.EndPixel) + kMargin};
  return ClipSegment(box, a, b);
}

int TAxisScale::LogarithmicPixel(double value, bool fromEnd) const {
  if (!(RangeMin > 0) || !(RangeMax > RangeMin)) return CenterPixel;
  // A value the logarithm cannot take lies at the low end of the axis.
  if (!(value > 0)) return fromEnd ? EndPixel : StartPixel;
  const double low = std::log(RangeMin);
  const double t = (std::log(value) - low) * LengthPixels / (std::log(RangeMax) - low);
  if (!(std::fabs(t) < kFarPixels)) return CenterPixel;
  return fromEnd ? EndPixel - Nearest(t) : StartPixel + Nearest(t);
}

double TAxisScale::PixelToValue(int pixel) const {
  if (LengthPixels < 1) return 0;
  const double offset = Inverted ? EndPixel - pixel : pixel - StartPixel;
  if (Logarithmic) return LogarithmicPixelToValue(pixel, offset);
  double d = offset * RangeSpan / LengthPixels;
  // Spans near the largest double overflow the product, not the quotient.
  if (std::isinf(d)) d = offset / LengthPixels * RangeSpan;
  return Horizontal ? RangeMin + d : RangeMax - d;
}

double TAxisScale::LogarithmicPixelToValue(int pixel, double offset) const {
  // The ends map exactly, without a round trip through the logarithms.
  const bool maxAtStart = Horizontal == Inverted;
  if (pixel == StartPixel) return maxAtStart ? RangeMax : RangeMin;
  if (pixel == EndPixel) return maxAtStart ? RangeMin : RangeMax;
  const double lmin = RangeMin > 0 ? std::log(RangeMin) : 0;
  const double lmax = RangeMax > 0 ? std::log(RangeMax) : 0;
  const double span = lmax - lmin;
  if (span == 0) return RangeMin;
  const double d = span * offset / LengthPixels;
  return Horizontal ? std::exp(lmin + d) : std::exp(lmax - d);
}

int TLegendLayout::ItemAt(TPoint p) const {
  if (RowHeight <= 0) return -1;
  // Each row where it is drawn, even where a handler moved it out of the box.
  for (size_t i = 0; i < Rows.size(); ++i) {
    const TLegendRow& row = Rows[i];
    const int left = std::min(Rect.left, row.SymbolLeft);
    const int right = std::max(Rect.right, row.TextLeft + TextWidth + ValueWidth + 8);
    if (p.y >= row.Top && p.y < row.Top + RowHeight && p.x >= left && p.x < right)
      return FirstItem + static_cast<int>(i) * ItemStep;
  }
  return -1;
}

const TSeriesLayout& TChartLayout::SeriesOf(const TChartSeries* series) const {
  static const TSeriesLayout kNone;
  for (const TSeriesLayout& entry : Series)
    if (entry.Series == series) return entry;
  return kNone;
}

TSeriesLayout& TChartLayout::SeriesOf(const TChartSeries* series) {
  for (TSeriesLayout& entry : Series)
    if (entry.Series == series) return entry;
  // Unknown series get a scratch entry, so that a series outside the list changes nothing.
  static thread_local TSeriesLayout scratch;
  scratch = {};
  return scratch;
}
