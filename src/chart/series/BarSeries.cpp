#include "chart/series/BarSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/ChartAxisPanel.h"
#include "chart/view/ChartLimits.h"
#include "chart/view/ChartPicture.h"
#include "platform/Exception.h"

namespace {

// Whether p lies in the triangle a, b, c (edges included).
bool InTriangle(TPoint p, TPoint a, TPoint b, TPoint c) {
  auto side = [](TPoint p1, TPoint p2, TPoint p3) {
    return static_cast<long long>(p1.x - p3.x) * (p2.y - p3.y) -
           static_cast<long long>(p2.x - p3.x) * (p1.y - p3.y);
  };
  const long long d1 = side(p, a, b), d2 = side(p, b, c), d3 = side(p, c, a);
  const bool negative = d1 < 0 || d2 < 0 || d3<0, positive = d1> 0 || d2 > 0 || d3 > 0;
  return !(negative && positive);
}

}  // namespace

TCustomBarSeries::TCustomBarSeries(bool horizontal) : FHorizontal(horizontal) {
  Marks().SetVisible(true);
  Marks().SetArrowLength(20);
  MandatoryList().SetName("Bar");
  MandatoryList().SetOrder(loNone);
  FBarBrush.color = clDefault;
  FBarBrush.style = bsSolid;
}

bool TCustomBarSeries::SameKind(const TChartSeries* other) const {
  const auto* bars = dynamic_cast<const TCustomBarSeries*>(other);
  return bars && bars->FHorizontal == FHorizontal;
}

void TCustomBarSeries::SetBarWidthPercent(int value) {
  if (value < 1 || value > 100) throw Exception("Bar Width Percent must be between 1 and 100");
  Change(FBarWidthPercent, value);
}

void TCustomBarSeries::SetOffsetPercent(int value) {
  if (value < -100 || value > 100)
    throw Exception("Bar Offset Percent must be between -100% and 100%");
  Change(FOffsetPercent, value);
}

void TCustomBarSeries::SetMultiBar(TMultiBar value) {
  if (!StoreProperty(FMultiBar, value)) return;
  if (ParentChart())
    for (TChartSeries* series : ParentChart()->SeriesList())
      if (series != this && SameKind(series))
        static_cast<TCustomBarSeries*>(series)->FMultiBar = value;
  RequestRepaint();
}

void TCustomBarSeries::SetSideMargins(bool value) {
  if (!StoreProperty(FSideMargins, value)) return;
  RequestRepaint();
  if (ParentChart())
    for (TChartSeries* series : ParentChart()->SeriesList())
      if (series != this && SameKind(series))
        static_cast<TCustomBarSeries*>(series)->FSideMargins = value;
}

void TCustomBarSeries::SetBarStyle(TBarStyle value) {
  Change(FBarStyle, value);
}
void TCustomBarSeries::SetCustomBarWidth(int value) {
  Change(FCustomBarWidth, ClampPixels(value));
}
void TCustomBarSeries::SetAutoBarSize(bool value) {
  Change(FAutoBarSize, value);
}
void TCustomBarSeries::SetAutoMarkPosition(bool value) {
  Change(FAutoMarkPosition, value);
}
void TCustomBarSeries::SetDark3D(bool value) {
  Change(FDark3D, value);
}
void TCustomBarSeries::SetUseYOrigin(bool value) {
  Change(FUseYOrigin, value);
}
void TCustomBarSeries::SetYOrigin(double value) {
  Change(FYOrigin, value);
}

void TCustomBarSeries::SetBarPen(const TChartPen& pen) {
  Change(FBarPen, ClampPen(pen));
}
void TCustomBarSeries::SetBarBrush(const TChartBrush& brush) {
  Change(FBarBrush, brush);
}

double TCustomBarSeries::StackContribution(int index) const {
  return MandatoryList().ValueAt(index);
}

double TCustomBarSeries::StackBase(int index, bool all) const {
  if (FMultiBar != mbStacked && FMultiBar != mbStacked100) return FYOrigin;
  if (!ParentChart()) return 0;
  // Only positive values raise the stack: negative, zero and null points add nothing.
  double sum = 0;
  for (TChartSeries* series : ParentChart()->SeriesList()) {
    if (!all && series == this) break;
    if (!series->Active() || !SameKind(series) || series->PointCount() <= index) continue;
    const double contribution = static_cast<TCustomBarSeries*>(series)->StackContribution(index);
    if (contribution > 0) sum += contribution;
  }
  return sum;
}

const TCustomChartAxis* TCustomBarSeries::CategoryAxis() const {
  return FHorizontal ? GetVertAxis() : GetHorizAxis();
}

const TCustomChartAxis* TCustomBarSeries::ValueAxis() const {
  return FHorizontal ? GetHorizAxis() : GetVertAxis();
}

double TCustomBarSeries::BarValue(int index) const {
  return FHorizontal ? XValue(index) : YValue(index);
}

int TCustomBarSeries::BarEndPixel(int index) const {
  const TCustomChartAxis* axis = ValueAxis();
  if (!axis) return 0;
  switch (FMultiBar) {
    case mbStacked:
      return axis->ValueToPixel(BarValue(index) + StackBase(index, false));
    case mbStacked100: {
      const double total = StackBase(index, true);
      if (total == 0) return 0;
      return axis->ValueToPixel((BarValue(index) + StackBase(index, false)) * 100 / total);
    }
    default:
      return axis->ValueToPixel(BarValue(index));
  }
}

int TCustomBarSeries::PointScreenY(int index) const {
  return FHorizontal ? CategoryStart(index) : BarEndPixel(index);
}

int TCustomBarSeries::BarBasePixel(int index) const {
  const TCustomChartAxis* axis = ValueAxis();
  if (!axis) return 0;
  switch (FMultiBar) {
    case mbStacked:
      return axis->ValueToPixel(StackBase(index, false));
    case mbStacked100: {
      const double total = StackBase(index, true);
      if (total == 0) return 0;
      return axis->ValueToPixel(StackBase(index, false) * 100 / total);
    }
    default:
      if (FUseYOrigin) return axis->ValueToPixel(FYOrigin);
      return FHorizontal ? axis->StartPixel() : axis->EndPixel();
  }
}

int TCustomBarSeries::SideBySideCount() const {
  if (!ParentChart()) return 1;
  int count = 0;
  for (TChartSeries* series : ParentChart()->SeriesList())
    if (series->Active() && SameKind(series)) ++count;
  return count;
}

int TCustomBarSeries::SideBySidePosition() const {
  if (!ParentChart()) return 1;
  int position = 1;
  for (TChartSeries* series : ParentChart()->SeriesList()) {
    if (series == this) break;
    if (series->Active() && SameKind(series)) ++position;
  }
  return position;
}

void TCustomBarSeries::ComputeBarWidth(TSeriesLayout& entry) const {
  if (FCustomBarWidth != 0) {
    entry.BarPixelWidth = FCustomBarWidth;
    return;
  }
  int n = PointCount(), k = 1;
  if (ParentChart()) {
    if (FMultiBar == mbSide) {
      k = 0;
      n = -1;
      for (TChartSeries* series : ParentChart()->SeriesList())
        if (series->Active() && SameKind(series)) {
          ++k;
          n = std::max(n, series->PointCount());
        }
      k = std::max(k, 1);
    }
    if (ParentChart()->MaxPointsPerPage() > 0) n = ParentChart()->MaxPointsPerPage();
  }
  if (n <= 0) {
    entry.BarPixelWidth = 0;
    return;
  }
  const TCustomChartAxis* axis = CategoryAxis();
  const int length = axis ? axis->LengthPixels() : 0;
  // In 64 bits: a page of the largest size has no room for the side margins' extra slot.
  int slot = static_cast<int>(length / (FSideMargins ? int64_t{n} + 1 : int64_t{n}));
  if (FAutoBarSize && axis) {
    const double span = axis->Maximum() + 2 - axis->Minimum();
    slot = span != 0 ? Nearest(length / span) : 0;
  }
  // A range narrower than a pixel makes no bar wider than the pixel limit.
  int& width = entry.BarPixelWidth;
  width = ClampPixels(Nearest(FBarWidthPercent * 0.01 * slot) / k);
  if (width % 2 != 0) ++width;
}

int TCustomBarSeries::ApplyOffsetPercent(int pixel, int barWidth) const {
  if (FOffsetPercent == 0) return pixel;
  return pixel + Nearest(FOffsetPercent * barWidth * 0.01);
}

int TCustomBarSeries::PointScreenX(int index) const {
  return FHorizontal ? BarEndPixel(index) : CategoryStart(index);
}

TPoint TCustomBarSeries::MarkOrigin(int index) const {
  const int middle = CategoryStart(index) + BarPixelWidth() / 2;
  return FHorizontal ? TPoint{BarEndPixel(index), middle} : TPoint{middle, BarEndPixel(index)};
}

int TCustomBarSeries::CategoryStart(int index) const {
  const int width = BarPixelWidth();
  const TCustomChartAxis* axis = CategoryAxis();
  int x = axis ? axis->ValueToPixel(FHorizontal ? YValue(index) : XValue(index)) : 0;
  if (FMultiBar == mbSide)
    x += Nearest((SideBySidePosition() - SideBySideCount() * 0.5 - 1) * width);
  else
    x -= width / 2;
  return ApplyOffsetPercent(x, width);
}

int TCustomBarSeries::BarSideMargin(int barWidth) const {
  const int k = FMultiBar == mbSide ? SideBySideCount() : 1;
  return FSideMargins ? k * barWidth : (k * barWidth) / 2;
}

void TCustomBarSeries::HorizontalMargins(TSeriesLayout& entry, int& left, int& right) const {
  TChartSeries::HorizontalMargins(entry, left, right);
  if (FHorizontal) return;
  ComputeBarWidth(entry);
  left += BarSideMargin(entry.BarPixelWidth);
  right += BarSideMargin(entry.BarPixelWidth);
}

void TCustomBarSeries::VerticalMargins(TSeriesLayout& entry, int& top, int& bottom) const {
  TChartSeries::VerticalMargins(entry, top, bottom);
  if (FHorizontal) {
    ComputeBarWidth(entry);
    top += BarSideMargin(entry.BarPixelWidth);
    bottom += BarSideMargin(entry.BarPixelWidth);
    return;
  }
  if (!Marks().Visible() || PointCount() == 0) return;
  const int markSpace = MarkExtent() + Marks().ArrowLength() +
                        (Marks().Frame().Visible ? 2 * Marks().Frame().width : 0);
  int below = 0, above = 0;
  auto* self = const_cast<TCustomBarSeries*>(this);  // the extremes are cached on demand
  if (FUseYOrigin && self->MinimumY() < FYOrigin) below = markSpace + 1;
  if (!FUseYOrigin || self->MaximumY() > FYOrigin) above = markSpace + 1;
  const TCustomChartAxis* axis = GetVertAxis();
  if (axis && axis->Inverted()) std::swap(below, above);
  top += above;
  bottom += below;
}

double TCustomBarSeries::ValueMaximum(double plain) const {
  if (FMultiBar == mbStacked100) return 100;
  double result = plain;
  if (FMultiBar == mbStacked)
    for (int i = 0; i < PointCount(); ++i) {
      // A stack holding an infinity has no top to show: the range keeps to finite ones.
      const double top = StackBase(i, false) + BarValue(i);
      if (std::isfinite(top)) result = std::max(result, top);
    }
  if (FUseYOrigin) result = std::max(result, FYOrigin);
  return result;
}

double TCustomBarSeries::ValueMinimum(double plain) const {
  if (FMultiBar == mbStacked100) return 0;
  return FUseYOrigin ? std::min(plain, FYOrigin) : plain;
}

double TCustomBarSeries::MaximumY() {
  const double plain = TChartSeries::MaximumY();
  return FHorizontal ? plain : ValueMaximum(plain);
}

double TCustomBarSeries::MinimumY() {
  const double plain = TChartSeries::MinimumY();
  return FHorizontal ? plain : ValueMinimum(plain);
}

double TCustomBarSeries::MaximumX() {
  const double plain = TChartSeries::MaximumX();
  return FHorizontal ? ValueMaximum(plain) : plain;
}

double TCustomBarSeries::MinimumX() {
  const double plain = TChartSeries::MinimumX();
  return FHorizontal ? ValueMinimum(plain) : plain;
}

void TCustomBarSeries::ComputeZOrder(TChartLayout& layout) const {
  // Stacked and side-by-side bars share the slot of the first bar series before them.
  if (FMultiBar != mbNone && ZOrder() < 0 && ParentChart()) {
    for (TChartSeries* series : ParentChart()->SeriesList()) {
      if (series == this) break;
      if (series->Active() && SameKind(series)) {
        layout.SeriesOf(this).ZSlot = layout.SeriesOf(series).ZSlot;
        return;
      }
    }
  }
  TChartSeries::ComputeZOrder(layout);
}

TBarStyle TCustomBarSeries::BarStyleOf(int index) const {
  TBarStyle style = FBarStyle;
  if (OnGetBarStyle) OnGetBarStyle(const_cast<TCustomBarSeries*>(this), index, style);
  return style;
}

TRect TCustomBarSeries::BarRect(int index) const {
  const int start = CategoryStart(index), end = BarEndPixel(index), base = BarBasePixel(index);
  const int width = BarPixelWidth();
  if (FHorizontal) return Rect(std::min(end, base), start, std::max(end, base), start + width);
  return Rect(start, std::min(end, base), start + width, std::max(end, base));
}

void TCustomBarSeries::DrawPoint(int index) {
  const TColor color = PointColor(index);
  // A value the axes cannot show (at or below zero on a logarithmic one) has no bar.
  if (color == clNone || !Plottable(index)) return;
  DrawBar(index, BarRect(index), color);
}

void TCustomBarSeries::PrepareBarPenBrush(TColor color) {
  TChartCanvas3D& canvas = ParentChart()->Canvas();
  canvas.Pen() = FBarPen.Effective();
  TBrush& brush = canvas.Brush();
  brush.color = color;
  brush.style = FBarBrush.style;
  const TColor background = FBarBrush.color == clDefault ? ParentChart()->Color() : FBarBrush.color;
  if (brush.style != bsSolid && brush.color == background)
    brush.color = ColorToRGB(background) == clBlack ? clWhite : clBlack;
  canvas.SetBackgroundColor(background);
  canvas.SetBackgroundMode(brush.style == bsSolid ? bkTransparent : bkOpaque);
}

void TCustomBarSeries::DrawBar(int index, const TRect& bar, TColor color) {
  if (!ParentChart()) return;
  PrepareBarPenBrush(color);
  TChartCanvas3D& canvas = ParentChart()->Canvas();
  // Horizontal bars are boxes: the other styles stand upright.
  const TBarStyle style = FHorizontal ? bsRectangle : BarStyleOf(index);
  const int left = bar.left, right = bar.right, top = bar.top, bottom = bar.bottom;
  const int middle = (left + right) / 2;
  const int z0 = StartZ(), z1 = EndZ(), zMiddle = MiddleZ();
  if (ParentChart()->View3D()) {
    switch (style) {
      case bsPyramid:
      case bsInvPyramid:
        canvas.DrawPyramid(left, right, top, bottom, z0, z1, style == bsPyramid, FDark3D);
        break;
      case bsCilinder:
        canvas.DrawCylinder(left, right, top, bottom, z0, z1, FDark3D);
        break;
      case bsEllipse:
        canvas.DrawEllipseAtDepth(Rect(left, top, right, bottom), zMiddle);
        break;
      case bsArrow:
        canvas.DrawArrow(Point(middle, bottom), Point(middle, top), right - left,
                         (right - left) / 2, zMiddle);
        break;
      case bsRectGradient:
        canvas.DrawBox(left, right, top, bottom, z0, z1, FDark3D);
        if (canvas.IsOrthogonal()) {
          TPoint a = canvas.ProjectPoint(left, top, z0);
          TPoint b = canvas.ProjectPoint(right, bottom, z0);
          TRect face = Rect(a.x, a.y, b.x, b.y);
          if (FBarPen.Visible) InflateRect(face, -FBarPen.width, -FBarPen.width);
          canvas.FillGradient(face, clWhite, gdTopBottom, color);
        }
        break;
      default:
        canvas.DrawBox(left, right, top, bottom, z0, z1, FDark3D);
        DrawBarPicture(left, top, right, bottom);
    }
    return;
  }
  switch (style) {
    case bsPyramid:
      canvas.DrawTriangle2D(Point(left, bottom), Point(middle, top), Point(right, bottom));
      break;
    case bsInvPyramid:
      canvas.DrawTriangle2D(Point(left, top), Point(middle, bottom), Point(right, top));
      break;
    case bsEllipse:
      canvas.DrawEllipse2D(Rect(left, top, right, bottom));
      break;
    case bsArrow:
      canvas.DrawArrow(Point(middle, bottom), Point(middle, top), right - left, (right - left) / 2,
                       0);
      break;
    case bsRectGradient:
      canvas.FillGradient(Rect(left, top, right, bottom), clWhite, gdTopBottom, color);
      if (FBarPen.Visible) {
        canvas.Brush().style = bsClear;
        canvas.DrawRect2D(left, top, right, bottom);
      }
      break;
    default:
      DrawBarRectangle(color, left, top, right, bottom);
      DrawBarPicture(left, top, right, bottom);
  }
}

void TCustomBarSeries::DrawBarPicture(int left, int top, int right, int bottom) {
  TChartCanvas3D& canvas = ParentChart()->Canvas();
  if (!FBarBrush.Image || !canvas.Target()) return;
  // Inside the outline, on the front face.
  const int pen = FBarPen.Visible ? FBarPen.width : 0;
  const TPoint a = canvas.ProjectPoint(left, top, StartZ());
  const TPoint b = canvas.ProjectPoint(right, bottom, StartZ());
  DrawPicture(*canvas.Target(), Rect(a.x + pen, a.y + pen, b.x - pen, b.y - pen), *FBarBrush.Image,
              pbmTile);
}

void TCustomBarSeries::DrawBarRectangle(TColor /*color*/, int left, int top, int right,
                                        int bottom) {
  TChartCanvas3D& canvas = ParentChart()->Canvas();
  // A bar too thin for its outline is drawn in its own colour so that it stays visible.
  auto penTakesBrushColour = [&canvas] {
    canvas.Pen().color = canvas.Brush().color;
    if (canvas.Pen().style == psClear) canvas.Pen().style = psSolid;
  };
  if (canvas.Brush().style == bsSolid && (left == right || top == bottom)) {
    penTakesBrushColour();
    canvas.DrawLine2D(left, top, right, bottom);
  } else if (right - left < canvas.Pen().width || bottom - top < canvas.Pen().width) {
    penTakesBrushColour();
    canvas.Brush().style = bsClear;
  }
  canvas.DrawRect2D(left, top, right, bottom);
}

int TCustomBarSeries::PointAt(TPoint p) const {
  const int first = FirstShownIndex(), last = LastShownIndex();
  if (first < 0) return -1;
  for (int i = first; i <= last && i < PointCount(); ++i) {
    if (!Plottable(i)) continue;
    // Ellipses and arrows stand in the middle of the depth band, the other shapes' fronts at
    // its start.
    const TBarStyle style = FHorizontal ? bsRectangle : BarStyleOf(i);
    const int z = style == bsEllipse || style == bsArrow ? MiddleZ() : StartZ();
    const TPoint at = ParentChart() ? ParentChart()->Layout().Projection.Unproject(p.x, p.y, z) : p;
    if (BarContainsPoint(i, at)) return i;
  }
  return -1;
}

bool TCustomBarSeries::BarContainsPoint(int index, TPoint p) const {
  if (FHorizontal) {
    const TRect r = BarRect(index);
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
  }
  const int left = PointScreenX(index), right = left + BarPixelWidth();
  if (p.x < left || p.x > right) return false;
  int y0 = BarBasePixel(index), y1 = PointScreenY(index);
  if (y0 > y1) std::swap(y0, y1);
  const int middle = (left + right) / 2;
  switch (BarStyleOf(index)) {
    case bsPyramid:
      return InTriangle(p, Point(left, y1), Point(middle, y0), Point(right, y1));
    case bsInvPyramid:
      return InTriangle(p, Point(left, y0), Point(middle, y1), Point(right, y0));
    case bsEllipse: {
      const double rx = (right - left) / 2.0, ry = (y1 - y0) / 2.0;
      if (rx <= 0 || ry <= 0) return false;
      const double dx = (p.x - (left + rx)) / rx, dy = (p.y - (y0 + ry)) / ry;
      return dx * dx + dy * dy <= 1;
    }
    case bsArrow: {
      // Pointing up whichever way the bar runs: a head as wide as the bar and half as long,
      // on a shaft half as wide.
      const int width = right - left, head = std::min(width / 2, y1 - y0);
      const int base = y0 + head;
      if (p.y >= base) return p.y <= y1 && 4 * std::abs(p.x - middle) <= width;
      const int half = width / 2;
      return InTriangle(p, Point(middle - half, base), Point(middle, y0),
                        Point(middle + half, base));
    }
    default:
      return p.y >= y0 && p.y <= y1;
  }
}

int TBarSeries::MarkExtent() const {
  return ParentChart() ? ParentChart()->Canvas().LineHeight() : 0;
}

THorizBarSeries::THorizBarSeries() : TCustomBarSeries(true) {
  // The bars' values are the X list; the Y list places them and keeps its order.
  YValues().SetName("Y");
  YValues().SetOrder(loAscending);
  XValues().SetName("Bar");
  XValues().SetOrder(loNone);
  Marks().SetVisible(false);
}

int THorizBarSeries::MarkExtent() const {
  return ParentChart() ? ParentChart()->Canvas().LineHeight() : 0;
}
