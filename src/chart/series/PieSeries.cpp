#include "chart/series/PieSeries.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "chart/ChartAxisPanel.h"
#include "chart/view/ChartLimits.h"
#include "platform/Exception.h"

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;

// Whether an angle lies in a slice, counting anticlockwise from its start.
bool InSweep(double angle, const TPieSlice& slice) {
  const double sweep = slice.EndAngle - slice.StartAngle;
  if (sweep >= 360) return true;
  return std::fmod(std::fmod(angle - slice.StartAngle, 360.0) + 360.0, 360.0) <= sweep;
}

void CheckExplodePercent(int percent) {
  if (percent < 0 || percent > 100) throw Exception("Explode percent must be between 0 and 100");
}

}  // namespace

void TCircledSeries::SetCircled(bool value) {
  Change(FCircled, value);
}

TExactPoint TCircledSeries::CircleCentre() const {
  const TRect r = CircleRect();
  return {(r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0};
}

void TCircledSeries::PlaceInPlot(TSeriesLayout& entry, const TRect& plot) {
  auto fit = [&](bool across, int half) {
    const double radius = FitRadius(across, std::max(0, half));
    return radius > 0 ? static_cast<int>(std::min<double>(radius, half)) : 0;
  };
  int rx = fit(true, plot.Width() / 2), ry = fit(false, plot.Height() / 2);
  if (FCircled) rx = ry = std::min(rx, ry);
  // Whole radii round a whole centre, so that both halves of the circle are alike.
  const int cx = (plot.left + plot.right) / 2, cy = (plot.top + plot.bottom) / 2;
  entry.CircleRect = Rect(cx - rx, cy - ry, cx + rx, cy + ry);
}

TPieSeries::TPieSeries() : FExplodeValues(std::make_unique<TChartValueList>(this, "Explode")) {
  SetColorEachPoint(true);
}

TPieSeries::~TPieSeries() {
  // The base clears its lists after this one is gone.
  ValueLists().Remove(FExplodeValues.get());
}

void TPieSeries::SetExplodeBiggest(int percent) {
  CheckExplodePercent(percent);
  Change(FExplodeBiggest, percent);
}

int TPieSeries::ExplodeOffset(int index) const {
  const std::vector<double>& stored = FExplodeValues->StoredValues();
  if (index < 0 || index >= static_cast<int>(stored.size())) return 0;
  // The list may have been edited directly.
  const double value = stored[static_cast<size_t>(index)];
  return value > 0 ? static_cast<int>(std::min(value, 100.0)) : 0;
}

void TPieSeries::SetExplodeOffset(int index, int percent) {
  CheckExplodePercent(percent);
  if (index < 0 || index >= FExplodeValues->ValueCount()) ListIndexError(index);
  if (FExplodeValues->StoredValues()[static_cast<size_t>(index)] == percent) return;
  FExplodeValues->PutValue(index, percent);
  RequestRepaint();
}

void TPieSeries::SetRotationAngle(int degrees) {
  Change(FRotationAngle, (degrees % 360 + 360) % 360);
}

void TPieSeries::SetSlicePen(const TChartPen& value) {
  Change(FSlicePen, ClampPen(value));
}

void TPieSeries::SetDark3D(bool value) {
  Change(FDark3D, value);
}

double TPieSeries::ShareMagnitude(int index) const {
  return IsNullPoint(index) ? 0 : TChartSeries::ShareMagnitude(index);
}

std::vector<TPieSlice> TPieSeries::Slices() const {
  const int count = PointCount();
  std::vector<TPieSlice> slices(static_cast<size_t>(count));
  // Shares over the largest, so that huge values cannot overflow the total.
  const int biggest = Biggest();
  const double largest = biggest < 0 ? 0 : ShareMagnitude(biggest);
  std::vector<double> shares(static_cast<size_t>(count));
  double total = 0;
  for (int i = 0; i < count; ++i)
    total += shares[static_cast<size_t>(i)] = biggest < 0 ? 0 : ShareMagnitude(i) / largest;
  double angle = FRotationAngle;
  for (int i = 0; i < count; ++i) {
    TPieSlice& slice = slices[static_cast<size_t>(i)];
    slice.StartAngle = angle;
    if (total > 0) angle += 360 * shares[static_cast<size_t>(i)] / total;
    slice.EndAngle = angle;
    const int explode = ExplodePercent(i, biggest);
    if (!slice.Shown() || explode == 0) continue;
    const double middle = slice.MiddleAngle() * kRadiansPerDegree;
    slice.OffsetX = explode / 100.0 * XRadius() * std::cos(middle);
    slice.OffsetY = -explode / 100.0 * YRadius() * std::sin(middle);
  }
  return slices;
}

int TPieSeries::Biggest() const {
  int biggest = -1;
  for (int i = 0; i < PointCount(); ++i)
    if (HasSlice(i) && (biggest < 0 || ShareMagnitude(i) > ShareMagnitude(biggest))) biggest = i;
  return biggest;
}

int TPieSeries::ExplodePercent(int index, int biggest) const {
  return std::max(ExplodeOffset(index), index == biggest ? FExplodeBiggest : 0);
}

double TPieSeries::FitRadius(bool across, int half) {
  const std::vector<TPieSlice> slices = Slices();
  const int biggest = Biggest();
  const bool marks = Marks().Visible() && ParentChart();
  if (marks) ParentChart()->Canvas().Font() = Marks().Font();
  const int frame = Marks().Frame().Visible ? Marks().Frame().width : 0;
  const int arrow = std::max(0, Marks().ArrowLength());
  double limit = half;
  for (int i = 0; i < PointCount(); ++i) {
    const TPieSlice& slice = slices[static_cast<size_t>(i)];
    if (!slice.Shown()) continue;
    const double grown = 1 + ExplodePercent(i, biggest) / 100.0;
    limit = std::min(limit, half / grown);
    const double middle = slice.MiddleAngle() * kRadiansPerDegree;
    const double c = std::fabs(across ? std::cos(middle) : std::sin(middle));
    if (!marks || c < 1e-6) continue;
    // The mark's box touches the arrow's end as DrawPointMark puts it, reaching outwards
    // by between half and all of its size.
    const TPoint size = ParentChart()->Canvas().MeasureZoomedText(MarkText(i));
    const double extent = (across ? size.x + 2 : size.y) + 2 * frame;
    const double stretched = c / std::max(std::fabs(std::cos(middle)), std::fabs(std::sin(middle)));
    const double beyond = arrow * c + (stretched + 1) / 2 * extent;
    limit = std::min(limit, (half - beyond) / (grown * c));
  }
  return limit;
}

int TPieSeries::SliceAtFront(const std::vector<TPieSlice>& slices, double x, double y) const {
  const TExactPoint centre = CircleCentre();
  const double rx = XRadius(), ry = YRadius();
  if (!(rx > 0) || !(ry > 0)) return -1;
  for (size_t i = 0; i < slices.size(); ++i) {
    const TPieSlice& slice = slices[i];
    if (!slice.Shown()) continue;
    // On the unit circle the ellipse's angles are the circle's.
    const double u = (x - centre.x - slice.OffsetX) / rx;
    const double v = (centre.y + slice.OffsetY - y) / ry;
    if (u * u + v * v > 1) continue;
    if (InSweep(std::atan2(v, u) / kRadiansPerDegree, slice)) return static_cast<int>(i);
  }
  return -1;
}

int TPieSeries::PointAt(TPoint p) const {
  if (!ParentChart()) return -1;
  const TChartProjection& projection = ParentChart()->Layout().Projection;
  const std::vector<TPieSlice> slices = Slices();
  // Along the line of sight from the front: the first slice met is the one drawn.
  const int z0 = StartZ(), z1 = projection.Is3D() ? std::max(EndZ(), z0) : z0;
  for (int z = z0; z <= z1; ++z) {
    const TPoint q = projection.Unproject(p.x, p.y, z);
    const int index = SliceAtFront(slices, q.x, q.y);
    if (index >= 0) return index;
  }
  return -1;
}

void TPieSeries::ValuesAtCursor(double& x, double& y) const {
  x = y = 0;
  const TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  const int index = PointAt(chart->CursorPos());
  x = index;
  y = index >= 0 ? YValue(index) : 0;
}

void TPieSeries::DrawWedges(const std::vector<int>& indexes, const std::vector<TPieSlice>& slices) {
  TChartCanvas3D& canvas = ParentChart()->Canvas();
  const TExactPoint centre = CircleCentre();
  std::vector<TPieWedge> wedges;
  for (int index : indexes) {
    const TPieSlice& slice = slices[static_cast<size_t>(index)];
    if (slice.Shown())
      wedges.push_back({centre.x + slice.OffsetX, centre.y + slice.OffsetY, slice.StartAngle,
                        slice.EndAngle, PointColor(index)});
  }
  canvas.Pen() = FSlicePen.Effective();
  canvas.DrawPie3D(wedges, XRadius(), YRadius(), StartZ(), EndZ(), FDark3D);
}

void TPieSeries::DrawShownPoints() {
  if (!ParentChart()) return;
  std::vector<int> all(static_cast<size_t>(PointCount()));
  for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
  DrawWedges(all, Slices());
}

void TPieSeries::DrawPoint(int index) {
  if (ParentChart() && index >= 0 && index < PointCount()) DrawWedges({index}, Slices());
}

void TPieSeries::DrawPointMark(int index) {
  if (HasSlice(index)) TChartSeries::DrawPointMark(index);
}

TPoint TPieSeries::MarkOrigin(int index) const {
  if (index < 0 || index >= PointCount()) return {};
  const TPieSlice slice = Slices()[static_cast<size_t>(index)];
  const double middle = slice.MiddleAngle() * kRadiansPerDegree;
  const TExactPoint centre = CircleCentre();
  return {Nearest(centre.x + slice.OffsetX + XRadius() * std::cos(middle)),
          Nearest(centre.y + slice.OffsetY - YRadius() * std::sin(middle))};
}

TExactPoint TPieSeries::MarkDirection(int index) const {
  if (index < 0 || index >= PointCount()) return {0, -1};
  const double middle = Slices()[static_cast<size_t>(index)].MiddleAngle() * kRadiansPerDegree;
  return {std::cos(middle), -std::sin(middle)};
}

TRect TPieSeries::SliceBounds(int index) const {
  if (index < 0 || index >= PointCount()) return {};
  const TPieSlice slice = Slices()[static_cast<size_t>(index)];
  if (!slice.Shown()) return {};
  const double cx = CircleCentre().x + slice.OffsetX, cy = CircleCentre().y + slice.OffsetY;
  double left = cx, right = cx, top = cy, bottom = cy;
  auto take = [&](double degrees) {
    const double x = cx + XRadius() * std::cos(degrees * kRadiansPerDegree);
    const double y = cy - YRadius() * std::sin(degrees * kRadiansPerDegree);
    left = std::min(left, x), right = std::max(right, x);
    top = std::min(top, y), bottom = std::max(bottom, y);
  };
  take(slice.StartAngle);
  take(slice.EndAngle);
  // The rim's extremes inside the slice.
  for (double a = std::ceil(slice.StartAngle / 90) * 90; a < slice.EndAngle; a += 90) take(a);
  return Rect(static_cast<int>(std::floor(left)), static_cast<int>(std::floor(top)),
              static_cast<int>(std::ceil(right)), static_cast<int>(std::ceil(bottom)));
}
