#include "platform/Canvas.h"

#include <QPolygon>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <span>

#include "platform/Bitmap.h"
#include "platform/CanvasRaster.h"
#include "platform/CanvasState.h"
#include "platform/SpanFill.h"

namespace {

bool HatchOn(TBrushStyle s, int x, int y) {
  const bool h = (y & 7) == 0, v = (x & 7) == 0;
  const bool f = ((x - y) & 7) == 0, b = ((x + y) & 7) == 0;
  switch (s) {
    case bsHorizontal:
      return h;
    case bsVertical:
      return v;
    case bsFDiagonal:
      return f;
    case bsBDiagonal:
      return b;
    case bsCross:
      return h || v;
    case bsDiagCross:
      return f || b;
    default:
      return true;
  }
}

QPolygon ToQPolygon(std::span<const TPoint> points) {
  QPolygon poly;
  poly.reserve(static_cast<int>(points.size()));
  for (const TPoint& p : points) poly << QPoint(p.x, p.y);
  return poly;
}

// The polygon cut to a rectangle (Sutherland-Hodgman). Inside the rectangle it covers the
// same pixels but where a cut edge's rounded end moves it by a fraction of a pixel; a concave
// polygon may gain edges along the rectangle's border, so callers cut to a rectangle a little
// larger than what they fill.
constexpr int kCutMargin = 4096;

QPolygon CutToRect(const QPolygon& polygon, const QRect& r) {
  QPolygon in = polygon;
  for (int side = 0; side < 4 && !in.isEmpty(); ++side) {
    auto inside = [&](const QPoint& p) {
      switch (side) {
        case 0:
          return p.x() >= r.left();
        case 1:
          return p.x() <= r.right();
        case 2:
          return p.y() >= r.top();
        default:
          return p.y() <= r.bottom();
      }
    };
    auto cross = [&](const QPoint& a, const QPoint& b) {
      const bool vertical = side < 2;
      const double edge = side == 0   ? r.left()
                          : side == 1 ? r.right()
                          : side == 2 ? r.top()
                                      : r.bottom();
      const double t = vertical ? (edge - a.x()) / double(b.x() - a.x())
                                : (edge - a.y()) / double(b.y() - a.y());
      return vertical ? QPoint(int(edge), Nearest(a.y() + t * (b.y() - a.y())))
                      : QPoint(Nearest(a.x() + t * (b.x() - a.x())), int(edge));
    };
    QPolygon out;
    for (int i = 0; i < in.size(); ++i) {
      const QPoint& a = in[(i + in.size() - 1) % in.size()];
      const QPoint& b = in[i];
      if (inside(b)) {
        if (!inside(a)) out << cross(a, b);
        out << b;
      } else if (inside(a)) {
        out << cross(a, b);
      }
    }
    in = out;
  }
  return in;
}

// Far outside the picture a polygon is cut to it: its region would cost time and memory by
// every row and edge it spans.
QPolygon PolygonNearPicture(std::span<const TPoint> points, const QRect& picture) {
  QPolygon polygon = ToQPolygon(points);
  if (!picture.adjusted(-kCutMargin, -kCutMargin, kCutMargin, kCutMargin)
           .contains(polygon.boundingRect()))
    polygon = CutToRect(polygon, picture.adjusted(-2, -2, 2, 2));
  return polygon;
}

}  // namespace

void BeginPainter(QPainter& p, QImage& image, const std::optional<QRegion>& clip) {
  CountCopyBeforeWrite(image);
  p.begin(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (clip) p.setClipRegion(*clip);
}

TCanvas::TCanvas(TBitmapImage& target) : FTarget(target), FState(std::make_unique<State>()) {}
TCanvas::~TCanvas() = default;

int TCanvas::Width() const {
  return FTarget.LogicalWidth();
}
int TCanvas::Height() const {
  return FTarget.LogicalHeight();
}
double TCanvas::Scale() const {
  return FTarget.scale;
}
bool TCanvas::Scaled() const {
  return FTarget.scale != 1;
}
int TCanvas::Dev(int v) const {
  return ToDevicePixel(v, FTarget.scale);
}
TRect TCanvas::DevRect(const TRect& r) const {
  return Rect(Dev(r.left), Dev(r.top), Dev(r.right), Dev(r.bottom));
}
std::vector<TPoint> TCanvas::DevPoints(std::span<const TPoint> points) const {
  std::vector<TPoint> out;
  out.reserve(points.size());
  for (const TPoint& p : points) out.push_back({Dev(p.x), Dev(p.y)});
  return out;
}

// --- pixels ---------------------------------------------------------------------------

namespace {

QRgb NotXor(QRgb pen, QRgb screen) {
  return 0xFF000000u | (~(pen ^ screen) & 0x00FFFFFFu);
}
QRgb Inverted(QRgb screen) {
  return 0xFF000000u | (~screen & 0x00FFFFFFu);
}

const QRegion* ClipOf(const std::optional<QRegion>& clip) {
  return clip ? &*clip : nullptr;
}

}  // namespace

void TCanvas::SetPixel(int x, int y, TColor c) {
  if (Scaled()) {
    const TBrush saved = FBrush;
    FBrush = TBrush{c, bsSolid, c};
    FillDeviceRect(DevRect(Rect(x, y, x + 1, y + 1)));
    FBrush = saved;
    return;
  }
  TRaster raster(FTarget.image);
  TClipArea area(raster.Width(), raster.Height(), ClipOf(FState->clip));
  if (area.Contains(x, y)) raster.Row(y)[x] = ToQRgb(c);
}

TColor TCanvas::Pixel(int x, int y) const {
  const QImage& img = FTarget.image;
  x = Dev(x);
  y = Dev(y);
  if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return clNone;
  return FromQRgb(img.pixel(x, y));
}

// --- brush fills ----------------------------------------------------------------------

void TCanvas::FillRect(const TRect& r) {
  if (FBrush.style == bsClear || IsRectEmpty(r)) return;
  FillDeviceRect(DevRect(r));
}

// Patterns keep their phase in logical pixels, so a scaled checkerboard has whole squares.
void TCanvas::FillDeviceRect(const TRect& r) {
  if (FBrush.style == bsClear || IsRectEmpty(r)) return;
  TRaster raster(FTarget.image);
  if (raster.Empty()) return;
  const QRgb fg = ToQRgb(FBrush.color), alt = ToQRgb(FBrush.altColor), bk = ToQRgb(FBkColor);
  const TBrushStyle style = FBrush.style;
  const bool opaque = FBkMode == bkOpaque;
  const double scale = FTarget.scale;
  const TClipArea area(raster.Width(), raster.Height(), ClipOf(FState->clip));
  area.ForEachSpanIn(r, [&](int y, int x0, int x1) {
    QRgb* line = raster.Row(y);
    if (style == bsSolid) {
      FillSpan(line + x0, static_cast<size_t>(x1 - x0), fg);
    } else if (scale != 1) {
      const int ly = static_cast<int>(std::floor(y / scale));
      for (int x = x0; x < x1; ++x) {
        const int lx = static_cast<int>(std::floor(x / scale));
        const bool on = style == bsChecker ? ((lx + ly) & 1) == 0 : HatchOn(style, lx, ly);
        if (on)
          line[x] = fg;
        else if (opaque || style == bsChecker)
          line[x] = style == bsChecker ? alt : bk;
      }
    } else if (style == bsChecker) {
      for (int x = x0; x < x1; ++x) line[x] = ((x + y) & 1) == 0 ? fg : alt;
    } else {
      for (int x = x0; x < x1; ++x) {
        if (HatchOn(style, x, y))
          line[x] = fg;
        else if (opaque)
          line[x] = bk;
      }
    }
  });
}

void TCanvas::FrameRect(const TRect& r) {
  if (IsRectEmpty(r)) return;
  FillRect(Rect(r.left, r.top, r.right, r.top + 1));
  if (r.Height() > 1) FillRect(Rect(r.left, r.bottom - 1, r.right, r.bottom));
  FillRect(Rect(r.left, r.top + 1, r.left + 1, r.bottom - 1));
  if (r.Width() > 1) FillRect(Rect(r.right - 1, r.top + 1, r.right, r.bottom - 1));
}

void TCanvas::InvertRect(const TRect& r) {
  InvertDeviceRect(DevRect(r));
}

void TCanvas::InvertDeviceRect(const TRect& r) {
  TRaster raster(FTarget.image);
  if (raster.Empty()) return;
  const TClipArea area(raster.Width(), raster.Height(), ClipOf(FState->clip));
  area.ForEachSpanIn(r, [&](int y, int x0, int x1) {
    QRgb* line = raster.Row(y);
    for (int x = x0; x < x1; ++x) line[x] = Inverted(line[x]);
  });
}

void TCanvas::DrawFocusRect(const TRect& r) {
  if (IsRectEmpty(r)) return;
  TRaster raster(FTarget.image);
  if (raster.Empty()) return;
  TClipArea area(raster.Width(), raster.Height(), ClipOf(FState->clip));
  auto dot = [&](int x, int y) {
    if (((x + y) & 1) != 0) return;
    if (Scaled())
      InvertDeviceRect(DevRect(Rect(x, y, x + 1, y + 1)));
    else if (area.Contains(x, y))
      raster.Row(y)[x] = Inverted(raster.Row(y)[x]);
  };
  for (int x = r.left; x < r.right; ++x) {
    dot(x, r.top);
    if (r.Height() > 1) dot(x, r.bottom - 1);
  }
  for (int y = r.top + 1; y < r.bottom - 1; ++y) {
    dot(r.left, y);
    if (r.Width() > 1) dot(r.right - 1, y);
  }
}

void TCanvas::DrawEdge(TRect r, unsigned kinds, unsigned sides) {
  // Each ring: its top-left colour and bottom-right colour.
  auto ring = [&](TColor light, TColor dark) {
    const TBrush saved = FBrush;
    FBrush = TBrush{light, bsSolid, light};
    if (sides & bfsLeft) FillRect(Rect(r.left, r.top, r.left + 1, r.bottom));
    if (sides & bfsTop) FillRect(Rect(r.left, r.top, r.right, r.top + 1));
    FBrush = TBrush{dark, bsSolid, dark};
    if (sides & bfsRight) FillRect(Rect(r.right - 1, r.top, r.right, r.bottom));
    if (sides & bfsBottom) FillRect(Rect(r.left, r.bottom - 1, r.right, r.bottom));
    FBrush = saved;
    if (sides & bfsLeft) ++r.left;
    if (sides & bfsTop) ++r.top;
    if (sides & bfsRight) --r.right;
    if (sides & bfsBottom) --r.bottom;
  };
  if (kinds & bdRaisedOuter)
    ring(cl3DLight, cl3DDkShadow);
  else if (kinds & bdSunkenOuter)
    ring(clBtnShadow, clBtnHighlight);
  if (kinds & bdRaisedInner)
    ring(clBtnHighlight, clBtnShadow);
  else if (kinds & bdSunkenInner)
    ring(cl3DDkShadow, cl3DLight);
}

// --- pen strokes ----------------------------------------------------------------------

namespace {

// The scale when it is a whole number of device pixels, else 0.
int WholeScale(double scale) {
  return scale >= 1 && scale <= 16 && scale == std::floor(scale) ? static_cast<int>(scale) : 0;
}

// Calls plot(x, y) for every pixel of the line from a to b, b itself left out.
template <typename Plot>
void WalkLine(TPoint a, TPoint b, Plot plot) {
  const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
  const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
  int err = dx + dy;
  int x = a.x, y = a.y;
  while (x != b.x || y != b.y) {
    plot(x, y);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

// A level or upright line from a to b (b left out) cut to the pixels inside bounds; a dotted
// one's start moves by whole pairs of pixels, so that its dots stay where they were. False when
// nothing of it is left. Other lines stay as they are: a line far longer than the picture
// then costs only its part inside.
bool TrimAxisLine(TPoint& a, TPoint& b, const TRect& bounds, bool dotted) {
  if ((a.x != b.x && a.y != b.y) || a == b) return true;
  const bool level = a.y == b.y;
  const int across = level ? a.y : a.x;
  if (across < (level ? bounds.top : bounds.left) ||
      across >= (level ? bounds.bottom : bounds.right))
    return false;
  int& from = level ? a.x : a.y;
  int& to = level ? b.x : b.y;
  const long long lo = level ? bounds.left : bounds.top, hi = level ? bounds.right : bounds.bottom;
  auto even = [dotted](long long n) { return dotted ? n + (n & 1) : n; };
  if (to > from) {
    if (from < lo) from = static_cast<int>(from + even(lo - from));
    to = static_cast<int>(std::min<long long>(to, hi));
    return from < to;
  }
  if (from > hi - 1) from = static_cast<int>(from - even(from - (hi - 1)));
  to = static_cast<int>(std::max<long long>(to, lo - 1));
  return from > to;
}

// The logical pixels that reach a scaled picture, with one to spare on each side for rounding.
TRect LogicalBounds(const QImage& image, double scale) {
  return Rect(-1, -1, static_cast<int>(image.width() / scale) + 2,
              static_cast<int>(image.height() / scale) + 2);
}

// The dots of a dotted level or upright line from `from` to `to` (the end left out), which
// sit on every other pixel counted from `from`: the lowest dot and the run up to the highest.
void DotRun(int from, int to, int& first, int& span) {
  const int n = std::abs(to - from);
  first = to > from ? from : from - 2 * ((n - 1) / 2);
  span = to > from ? n : from - first + 1;
}

// A dotted level or upright line whose band of device pixels (scale of them per logical
// pixel, whole) lies inside the drawable area: blocks stored at a fixed stride, no walk.
// False for any other line.
// Null for the area: the line is known to lie inside it.
bool StridedDots(const TRaster& raster, const TClipArea* area, TPoint a, TPoint b, int scale,
                 QRgb c) {
  if ((a.x != b.x && a.y != b.y) || a == b) return false;
  const bool level = a.y == b.y;
  int first = 0, span = 0;
  DotRun(level ? a.x : a.y, level ? b.x : b.y, first, span);
  const int s = scale, stride = 2 * s;
  if (area) {
    constexpr int kLimit = TPolygonScan::kCoordinateLimit;  // no overflow when scaled
    if (std::abs(a.x) > kLimit || std::abs(a.y) > kLimit || std::abs(b.x) > kLimit ||
        std::abs(b.y) > kLimit)
      return false;
    const TRect band = level ? Rect(first * s, a.y * s, (first + span) * s, a.y * s + s)
                             : Rect(a.x * s, first * s, a.x * s + s, (first + span) * s);
    if (!area->ContainsAll(band)) return false;
  }
  if (level) {
    for (int y = a.y * s; y < a.y * s + s; ++y) {
      QRgb* row = raster.Row(y);
      for (int x = first * s; x < (first + span) * s; x += stride)
        for (int k = 0; k < s; ++k) row[x + k] = c;
    }
  } else {
    for (int y = first * s; y < (first + span) * s; y += stride)
      for (int r = y; r < y + s; ++r) FillSpan(raster.Row(r) + a.x * s, static_cast<size_t>(s), c);
  }
  return true;
}

// One-pixel line without its end point; a dotted pen sets every other pixel. Pixels are
// checked against the clip only when the line's box is not wholly drawable.
void ThinLine(const TRaster& raster, TClipArea& area, TPoint a, TPoint b, QRgb c, TPenMode mode,
              bool dotted) {
  if (!TrimAxisLine(a, b, Rect(0, 0, raster.Width(), raster.Height()), dotted)) return;
  const TRect box =
      Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1);
  if (!dotted && mode == pmCopy && (a.x == b.x || a.y == b.y)) {
    // Level and upright lines are spans; the end point stays out.
    const int step = a.x == b.x ? (b.y > a.y ? 0 : 1) : (b.x > a.x ? 0 : 1);
    if (a.y == b.y) {
      area.ForEachSpan(a.y, box.left + step, box.right - 1 + step, [&](int x0, int x1) {
        FillSpan(raster.Row(a.y) + x0, static_cast<size_t>(x1 - x0), c);
      });
    } else {
      const bool whole = area.ContainsAll(box);
      if (a.x < 0 || a.x >= raster.Width()) return;
      // Only the rows of the picture: a line far longer than the window costs no more.
      const int from = std::max(box.top + step, 0);
      const int to = std::min(box.bottom - 1 + step, raster.Height());
      for (int y = from; y < to; ++y)
        if (whole || area.Contains(a.x, y)) raster.Row(y)[a.x] = c;
    }
    return;
  }
  const bool checked = !area.ContainsAll(box);
  if (!checked && mode == pmCopy) {  // box outlines and grid lines: no pixel to ask about
    if (dotted && StridedDots(raster, nullptr, a, b, 1, c)) return;
    if (dotted)
      WalkLine(a, b, [&, on = true](int x, int y) mutable {
        if (on) raster.Row(y)[x] = c;
        on = !on;
      });
    else
      WalkLine(a, b, [&](int x, int y) { raster.Row(y)[x] = c; });
    return;
  }
  bool on = true;
  WalkLine(a, b, [&](int x, int y) {
    if ((on || !dotted) && (!checked || area.Contains(x, y))) {
      QRgb& pixel = raster.Row(y)[x];
      pixel = mode == pmNotXor ? NotXor(c, pixel) : c;
    }
    on = !on;
  });
}

// A solid polygon as QPainter fills it; false when the scan cannot take the coordinates.
bool FillPolygonRows(QImage& image, const QRegion* clip, TPolygonScan& scan,
                     std::span<const TPoint> points, QRgb c, TPenMode mode) {
  const TRaster raster(image);
  TClipArea area(raster.Width(), raster.Height(), clip);
  // Most faces lie inside the clip: one test for the face then, none per row. The box has a
  // pixel to spare on each side for the crossings' rounding.
  bool inside = !clip;
  if (clip && !points.empty()) {
    TRect box = Rect(points[0].x, points[0].y, points[0].x, points[0].y);
    for (const TPoint& p : points)
      box = Rect(std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
                 std::max(box.bottom, p.y));
    inside = area.ContainsAll(Rect(box.left - 1, box.top - 1, box.right + 2, box.bottom + 2));
  }
  return scan.Run(points, raster.Width(), raster.Height(), [&](int y, int x0, int x1) {
    QRgb* line = raster.Row(y);
    auto fill = [&](int from, int to) {
      if (mode == pmNotXor)
        for (int x = from; x < to; ++x) line[x] = NotXor(c, line[x]);
      else
        FillSpan(line + from, static_cast<size_t>(to - from), c);
    };
    if (inside)
      fill(x0, x1);
    else
      area.ForEachSpan(y, x0, x1, fill);
  });
}

}  // namespace

void TCanvas::MoveTo(int x, int y) {
  FPenPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
  const TPoint from = FPenPos;
  FPenPos = {x, y};
  if (FPen.style == psClear) return;
  if (Scaled()) {
    ScaledLine(from, FPenPos);
    return;
  }
  if (FPen.width <= 1) {
    const TRaster raster(FTarget.image);
    if (raster.Empty()) return;
    TClipArea area(raster.Width(), raster.Height(), ClipOf(FState->clip));
    ThinLine(raster, area, from, FPenPos, ToQRgb(FPen.color), FPen.mode, FPen.style == psDot);
    return;
  }
  if (FTarget.image.isNull()) return;
  QPainter p;
  BeginPainter(p, FTarget.image, FState->clip);
  if (FPen.mode == pmNotXor) p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  p.setPen(QPen(ToQColor(FPen.color), FPen.width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.drawLine(from.x, from.y, x, y);
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  MoveTo(points[0].x, points[0].y);
  for (size_t i = 1; i < points.size(); ++i) LineTo(points[i].x, points[i].y);
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  if (points.size() >= 3 && FBrush.style != bsClear && !FTarget.image.isNull()) {
    // Faces of boxes have a few corners: their device points stay on the stack.
    std::array<TPoint, 8> few;
    std::vector<TPoint> many;
    std::span<const TPoint> device = points;
    if (Scaled() && points.size() <= few.size()) {
      for (size_t i = 0; i < points.size(); ++i) few[i] = {Dev(points[i].x), Dev(points[i].y)};
      device = std::span<const TPoint>(few.data(), points.size());
    } else if (Scaled()) {
      many = DevPoints(points);
      device = many;
    }
    if (FBrush.style == bsSolid) {
      FillDevicePolygon(device, FBrush.color);
    } else {
      // Patterns: the polygon's area as a clip, then a fill that behaves as FillRect does.
      const QPolygon polygon = PolygonNearPicture(device, FTarget.image.rect());
      const QRect box = polygon.boundingRect();
      QRegion area(polygon, Qt::OddEvenFill);
      if (FState->clip) area &= *FState->clip;
      SaveClip();
      FState->clip = area;
      FillDeviceRect(Rect(box.left(), box.top(), box.right() + 1, box.bottom() + 1));
      RestoreClip();
    }
  }
  if (FPen.style == psClear) return;
  if (Scaled()) {  // the outline's strokes, as LineTo draws them
    for (size_t i = 0; i < points.size(); ++i)
      ScaledLine(points[i], points[(i + 1) % points.size()]);
    return;
  }
  if (FPen.width > 1) {
    const TPoint pos = FPenPos;
    std::vector<TPoint> closed(points.begin(), points.end());
    closed.push_back(points[0]);
    Polyline(closed);
    FPenPos = pos;
    return;
  }
  const TRaster raster(FTarget.image);
  if (raster.Empty()) return;
  TClipArea area(raster.Width(), raster.Height(), ClipOf(FState->clip));
  const QRgb c = ToQRgb(FPen.color);
  for (size_t i = 0; i < points.size(); ++i)
    ThinLine(raster, area, points[i], points[(i + 1) % points.size()], c, FPen.mode,
             FPen.style == psDot);
}

// A solid polygon in device coordinates, in the pen's raster mode.
void TCanvas::FillDevicePolygon(std::span<const TPoint> device, TColor color) {
  if (device.size() < 3 || FTarget.image.isNull()) return;
  if (FillPolygonRows(FTarget.image, ClipOf(FState->clip), FState->scan, device, ToQRgb(color),
                      FPen.mode))
    return;
  QPainter p;
  BeginPainter(p, FTarget.image, FState->clip);
  if (FPen.mode == pmNotXor) p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  p.setPen(Qt::NoPen);
  p.setBrush(QBrush(ToQColor(color)));
  p.drawPolygon(ToQPolygon(device), Qt::OddEvenFill);
}

// A dotted stroke in the copy mode on a scaled picture: every other logical pixel filled as a
// block of device pixels, through one raster and clip for the whole line (grids are long).
void TCanvas::ScaledDots(TPoint a, TPoint b) {
  TRaster raster(FTarget.image);
  if (raster.Empty()) return;
  const TClipArea area(raster.Width(), raster.Height(), ClipOf(FState->clip));
  const QRgb c = ToQRgb(FPen.color);
  if (!TrimAxisLine(a, b, LogicalBounds(FTarget.image, Scale()), true)) return;
  const int whole = WholeScale(Scale());
  if (whole > 0 && StridedDots(raster, &area, a, b, whole, c)) return;
  bool on = true;
  WalkLine(a, b, [&](int x, int y) {
    if (on)
      area.ForEachSpanIn(DevRect(Rect(x, y, x + 1, y + 1)), [&](int row, int x0, int x1) {
        QRgb* line = raster.Row(row);
        FillSpan(line + x0, static_cast<size_t>(x1 - x0), c);
      });
    on = !on;
  });
}

// A pen stroke on a scaled picture: a band as thick as the pen's device width along the line,
// covering the logical pixels from a up to, not including, b, each pixel once (so a not-xor
// stroke drawn twice restores the picture). A dotted pen sets every other logical pixel.
void TCanvas::ScaledLine(TPoint a, TPoint b) {
  if (a == b) return;
  const int thick = std::max(1, static_cast<int>(std::lround(std::max(1, FPen.width) * Scale())));
  if (FPen.style == psDot && FPen.mode != pmNotXor) return ScaledDots(a, b);
  if (FPen.style == psDot) {
    if (!TrimAxisLine(a, b, LogicalBounds(FTarget.image, Scale()), true)) return;
    const TBrush saved = FBrush;
    FBrush = TBrush{FPen.color, bsSolid, FPen.color};
    bool on = true;
    WalkLine(a, b, [&](int x, int y) {
      const TRect d = DevRect(Rect(x, y, x + 1, y + 1));
      if (on && FPen.mode == pmNotXor)
        FillDevicePolygon(
            std::vector<TPoint>{
                {d.left, d.top}, {d.right, d.top}, {d.right, d.bottom}, {d.left, d.bottom}},
            FPen.color);
      else if (on)
        FillDeviceRect(d);
      on = !on;
    });
    FBrush = saved;
    return;
  }
  // The pixel where a logical pixel's band starts, centred on that pixel for wide pens.
  const int offset = static_cast<int>(std::lround((Dev(1) - Dev(0) - thick) / 2.0));
  const bool alongX = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
  // Backwards, the line covers the pixels after its end up to its start.
  if (alongX && b.x < a.x) ++a.x, ++b.x;
  if (!alongX && b.y < a.y) ++a.y, ++b.y;
  const TPoint p{Dev(a.x) + offset, Dev(a.y) + offset}, q{Dev(b.x) + offset, Dev(b.y) + offset};
  // On the stack: a grid or a box outline is many short strokes. A level or upright band is
  // an upright rectangle, which the scan fills without setting up edges.
  const std::array<TPoint, 4> band =
      alongX ? std::array<TPoint, 4>{p, q, {q.x, q.y + thick}, {p.x, p.y + thick}}
             : std::array<TPoint, 4>{p, q, {q.x + thick, q.y}, {p.x + thick, p.y}};
  FillDevicePolygon(band, FPen.color);
}

void TCanvas::Rectangle(const TRect& r) {
  TRect in = r;
  if (FPen.style == psClear) {
    // Without an outline the fill stops where the outline's right and bottom would be.
    --in.right;
    --in.bottom;
    FillRect(in);
    return;
  }
  const int w = std::max(1, FPen.width);
  InflateRect(in, -w, -w);
  FillRect(in);
  const TPen saved = FPen;
  const TPoint pos = FPenPos;
  FPen.width = 1;
  TRect frame = r;
  for (int i = 0; i < w && !IsRectEmpty(frame); ++i) {
    Polyline({{frame.left, frame.top},
              {frame.right - 1, frame.top},
              {frame.right - 1, frame.bottom - 1},
              {frame.left, frame.bottom - 1},
              {frame.left, frame.top}});
    InflateRect(frame, -1, -1);
  }
  FPen = saved;
  FPenPos = pos;
}

namespace {

void SetEllipseTools(QPainter& p, const TPen& pen, const TBrush& brush) {
  if (pen.mode == pmNotXor) p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
  if (pen.style == psClear)
    p.setPen(Qt::NoPen);
  else
    p.setPen(QPen(ToQColor(pen.color), pen.width <= 1 ? 0 : pen.width,
                  pen.style == psDot ? Qt::DotLine : Qt::SolidLine));
  if (brush.style == bsClear)
    p.setBrush(Qt::NoBrush);
  else
    p.setBrush(QBrush(ToQColor(brush.color)));
}

// The pixels an ellipse inks on an unscaled picture: a wide pen stands out of the box, and
// without a pen the fill stops a pixel short of it. Drawn on a scratch picture and measured.
TRect UnscaledEllipseInk(const TRect& r, TPen pen, TBrush brush) {
  const int margin = std::max(1, pen.width) + 2;
  QImage scratch(r.Width() + 2 * margin, r.Height() + 2 * margin, QImage::Format_RGB32);
  scratch.fill(Qt::white);
  pen.color = brush.color = clBlack;
  pen.mode = pmCopy;
  {
    QPainter p;
    BeginPainter(p, scratch, std::nullopt);
    SetEllipseTools(p, pen, brush);
    p.drawEllipse(QRect(margin, margin, r.Width() - 1, r.Height() - 1));
  }
  TRect ink = Rect(scratch.width(), scratch.height(), 0, 0);
  for (int y = 0; y < scratch.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
    for (int x = 0; x < scratch.width(); ++x)
      if ((row[x] & 0xFFFFFF) != 0xFFFFFF)
        ink = Rect(std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                   std::max(ink.bottom, y + 1));
  }
  if (IsRectEmpty(ink)) return {};
  OffsetRect(ink, r.left - margin, r.top - margin);
  return ink;
}

}  // namespace

void TCanvas::Ellipse(const TRect& r) {
  if (FTarget.image.isNull() || IsRectEmpty(r)) return;
  if (Scaled()) return ScaledEllipse(UnscaledEllipseInk(r, FPen, FBrush));
  QPainter p;
  BeginPainter(p, FTarget.image, FState->clip);
  SetEllipseTools(p, FPen, FBrush);
  p.drawEllipse(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
}

namespace {

// The device pixels of row y that an ellipse inscribed in box covers (by the row's centre);
// at least one pixel on every row of the box, so the box is filled to its edges.
bool EllipseRow(const TRect& box, int y, int& x0, int& x1) {
  if (IsRectEmpty(box) || y < box.top || y >= box.bottom) return false;
  const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
  const double v = (y + 0.5 - cy) / ((box.bottom - box.top) / 2.0);
  const double half = (box.right - box.left) / 2.0 * std::sqrt(std::max(0.0, 1 - v * v));
  x0 = static_cast<int>(std::lround(cx - half));
  x1 = static_cast<int>(std::lround(cx + half));
  if (x1 <= x0) {
    x0 = static_cast<int>(std::floor(cx - 0.5));
    x1 = static_cast<int>(std::ceil(cx + 0.5));
  }
  return true;
}

}  // namespace

// On a scaled picture an ellipse fills the device box of what the unscaled one inks, row by
// row: the pen a band of its device width inside the box (a pen centred on the edge would
// stand half out of it), the brush what lies within. Each pixel is set once, so a not-xor
// outline drawn twice restores the picture. Dotted pens draw solid here.
void TCanvas::ScaledEllipse(const TRect& ink) {
  TRaster raster(FTarget.image);
  if (raster.Empty() || IsRectEmpty(ink)) return;
  const TClipArea area(raster.Width(), raster.Height(), ClipOf(FState->clip));
  const bool pen = FPen.style != psClear, brush = FBrush.style != bsClear;
  const QRgb penColor = ToQRgb(FPen.color), brushColor = ToQRgb(FBrush.color);
  const bool notXor = FPen.mode == pmNotXor;
  auto put = [&](int y, int x0, int x1, QRgb c) {
    area.ForEachSpanIn(Rect(x0, y, x1, y + 1), [&](int row, int a, int b) {
      QRgb* line = raster.Row(row);
      for (int x = a; x < b; ++x) line[x] = notXor ? NotXor(c, line[x]) : c;
    });
  };
  const TRect box = DevRect(ink);
  const int thick =
      pen ? std::max(1, static_cast<int>(std::lround(std::max(1, FPen.width) * Scale()))) : 0;
  TRect inner = box;
  InflateRect(inner, -thick, -thick);
  for (int y = box.top; y < box.bottom; ++y) {
    int o0, o1, i0, i1;
    EllipseRow(box, y, o0, o1);
    if (!EllipseRow(inner, y, i0, i1)) {
      put(y, o0, o1, pen ? penColor : brushColor);
      continue;
    }
    if (pen) put(y, o0, i0, penColor), put(y, i1, o1, penColor);
    if (brush) put(y, i0, i1, brushColor);
  }
}

// --- clipping -------------------------------------------------------------------------

void TCanvas::SetClipRect(const TRect& r) {
  const TRect n = DevRect(NormalizedRect(r));
  FState->clip = QRegion(n.left, n.top, n.Width(), n.Height());
}

void TCanvas::SetClipPolygon(const std::vector<TPoint>& points) {
  FState->clip =
      QRegion(PolygonNearPicture(Scaled() ? DevPoints(points) : points, FTarget.image.rect()),
              Qt::OddEvenFill);
}

void TCanvas::IntersectClipRect(const TRect& r) {
  const TRect n = DevRect(NormalizedRect(r));
  const QRegion rr(n.left, n.top, n.Width(), n.Height());
  FState->clip = FState->clip ? (*FState->clip & rr) : rr;
}

void TCanvas::ExcludeClipRect(const TRect& r) {
  const TRect n = DevRect(NormalizedRect(r));
  const QRegion all = FState->clip ? *FState->clip : QRegion(FTarget.image.rect());
  FState->clip = all.subtracted(QRegion(n.left, n.top, n.Width(), n.Height()));
}

void TCanvas::ClearClip() {
  FState->clip.reset();
}
bool TCanvas::HasClip() const {
  return FState->clip.has_value();
}

bool TCanvas::RectVisible(const TRect& r) const {
  TRect in;
  const QImage& img = FTarget.image;
  if (!IntersectRect(in, DevRect(r), Rect(0, 0, img.width(), img.height()))) return false;
  return !FState->clip || FState->clip->intersects(QRect(in.left, in.top, in.Width(), in.Height()));
}

void TCanvas::SaveClip() {
  FState->saved.push_back(FState->clip);
}

void TCanvas::RestoreClip() {
  if (FState->saved.empty()) return;
  FState->clip = std::move(FState->saved.back());
  FState->saved.pop_back();
}

// --- copies ---------------------------------------------------------------------------

namespace {

// A copy of all of one picture onto all of another of its format, with nothing clipped away,
// takes the source's pixels as they are: no pixel moves until one of the two is written.
bool SharePixels(TBitmapImage& target, const QRegion* clip, const TRect& dest, const QImage& source,
                 const TRect& sourceRect) {
  QImage& image = target.image;
  const TRect whole = Rect(0, 0, image.width(), image.height());
  if (&source == &image || dest != whole || sourceRect != whole || source.size() != image.size() ||
      source.format() != image.format() || source.devicePixelRatio() != image.devicePixelRatio())
    return false;
  if (clip && !TClipArea(whole.right, whole.bottom, clip).ContainsAll(whole)) return false;
  image = source;
  return true;
}

}  // namespace

void TCanvas::CopyRect(const TRect& logicalDest, const TCanvas& source,
                       const TRect& logicalSource) {
  if (FTarget.image.isNull() || source.FTarget.image.isNull()) return;
  const TRect sourceRect = source.DevRect(logicalSource);
  TRect dest = DevRect(logicalDest);
  // Between pictures of one ratio a copy of the same size moves device pixels one for one:
  // the position is rounded once and the size kept, where rounding both ends of each rectangle
  // could make their sizes differ by a pixel and resample the copy.
  if (source.Scale() == Scale() && logicalDest.Width() == logicalSource.Width() &&
      logicalDest.Height() == logicalSource.Height())
    dest = Bounds(dest.left, dest.top, sourceRect.Width(), sourceRect.Height());
  if (IsRectEmpty(dest) || IsRectEmpty(sourceRect)) return;
  if (source.Scale() == Scale() &&
      SharePixels(FTarget, ClipOf(FState->clip), dest, source.FTarget.image, sourceRect))
    return;
  const QImage& from = source.FTarget.image;
  if (dest.Width() == sourceRect.Width() && dest.Height() == sourceRect.Height() &&
      sourceRect.left >= 0 && sourceRect.top >= 0 && sourceRect.right <= from.width() &&
      sourceRect.bottom <= from.height() && from.format() == FTarget.image.format()) {
    CopyRows(dest, source, sourceRect);
    return;
  }
  // A copy of the source part first, so copying within one picture cannot overlap itself.
  const QImage part = source.FTarget.image.copy(
      QRect(sourceRect.left, sourceRect.top, sourceRect.Width(), sourceRect.Height()));
  CountCopiedPixels(static_cast<long long>(dest.Width()) * dest.Height());
  QPainter p;
  BeginPainter(p, FTarget.image, FState->clip);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(QRect(dest.left, dest.top, dest.Width(), dest.Height()), part);
}

// An unscaled copy of pixels that all lie in the source: row by row, with no painter.
void TCanvas::CopyRows(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
  const bool same = &source.FTarget.image == &FTarget.image;
  // Within one picture the part is taken first, so that it cannot overwrite itself.
  QImage part;
  if (same)
    part = FTarget.image.copy(
        QRect(sourceRect.left, sourceRect.top, sourceRect.Width(), sourceRect.Height()));
  const QImage& from = same ? part : source.FTarget.image;
  const int dx = (same ? 0 : sourceRect.left) - dest.left;
  const int dy = (same ? 0 : sourceRect.top) - dest.top;
  const TRaster raster(FTarget.image);
  const TClipArea area(raster.Width(), raster.Height(), ClipOf(FState->clip));
  area.ForEachSpanIn(dest, [&](int y, int x0, int x1) {
    CountCopiedPixels(x1 - x0);
    const QRgb* in = reinterpret_cast<const QRgb*>(from.constScanLine(y + dy)) + x0 + dx;
    std::copy(in, in + (x1 - x0), raster.Row(y) + x0);
  });
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  CopyRect(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap.Canvas(),
           Rect(0, 0, bitmap.Width(), bitmap.Height()));
}
