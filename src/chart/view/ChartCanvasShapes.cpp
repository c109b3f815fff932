#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/view/ChartCanvas.h"
#include "platform/ScopeGuard.h"

namespace {

// The convex hull of the points, by the monotone chain.
std::vector<TPoint> ConvexHull(std::vector<TPoint> points) {
  std::sort(points.begin(), points.end(),
            [](TPoint a, TPoint b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  points.erase(std::unique(points.begin(), points.end()), points.end());
  if (points.size() < 3) return points;
  auto cross = [](TPoint o, TPoint a, TPoint b) {
    return int64_t{a.x - o.x} * (b.y - o.y) - int64_t{a.y - o.y} * (b.x - o.x);
  };
  std::vector<TPoint> hull(2 * points.size());
  size_t k = 0;
  for (const TPoint& p : points) {
    while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0) --k;
    hull[k++] = p;
  }
  for (size_t i = points.size() - 1, lower = k + 1; i > 0; --i) {
    while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i - 1]) <= 0) --k;
    hull[k++] = points[i - 1];
  }
  hull.resize(k - 1);
  return hull;
}

// The angle between two chords that leaves the arc at most a quarter pixel away.
double ArcStepDegrees(double radius) {
  if (radius <= 1) return 45;
  return std::clamp(2 * std::acos(1 - 0.25 / radius) * 180 / std::numbers::pi, 0.5, 45.0);
}

// Degrees from a to b the short way round, 0..180.
double AngleBetween(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180 ? 360 - d : d;
}

// How far the farthest edge of a convex part of a pie from a0 to a1 lies from the way depth
// runs on the screen (180 for a part that spans the way towards the viewer). At every edge
// between two parts the part nearer that way covers the other, so drawing the larger values
// first draws the parts back to front.
double FarthestFrom(double away, double a0, double a1) {
  const double towards = away + 180;
  if (std::fmod(std::fmod(towards - a0, 360.0) + 360.0, 360.0) <= a1 - a0) return 180;
  return std::max(AngleBetween(away, a0), AngleBetween(away, a1));
}

}  // namespace

// A face in the fill colour darkened by n (0: the brush unchanged). The colour darkened is
// the brush's for a solid brush, else the background colour.
TBrush TChartCanvas3D::FaceBrush(int darken) const {
  if (darken == 0) return FBrush;
  const TColor base = FBrush.style == bsSolid ? FBrush.color : FBkColor;
  const TColor dark = DarkenColor(base, darken);
  return TBrush{dark, bsSolid, dark};
}

void TChartCanvas3D::PolygonWith(std::span<const TPoint> points, const TBrush& brush) {
  if (Prepare(brush)) FTarget->Polygon(points);
}

void TChartCanvas3D::DrawBox(int left, int right, int top, int bottom, int z0, int z1, bool dark) {
  const TPoint ftl = ProjectPoint(left, top, z0), ftr = ProjectPoint(right, top, z0);
  const TPoint fbl = ProjectPoint(left, bottom, z0), fbr = ProjectPoint(right, bottom, z0);
  const TPoint btl = ProjectPoint(left, top, z1), btr = ProjectPoint(right, top, z1);
  const TPoint bbl = ProjectPoint(left, bottom, z1), bbr = ProjectPoint(right, bottom, z1);

  PolygonWith({ftl, ftr, fbr, fbl}, FBrush);
  const TBrush side = FaceBrush(dark ? 128 : 0);
  if (bbr.x > fbr.x)
    PolygonWith({ftr, btr, bbr, fbr}, side);
  else if (bbl.x < fbl.x)
    PolygonWith({ftl, btl, bbl, fbl}, side);
  if (btl.y < ftr.y) PolygonWith({ftl, ftr, btr, btl}, FaceBrush(dark ? 64 : 0));
}

void TChartCanvas3D::DrawPyramid(int left, int right, int top, int bottom, int z0, int z1,
                                 bool pointUp, bool dark) {
  const int base = pointUp ? bottom : top;
  const int tip = pointUp ? top : bottom;
  const TPoint apex = ProjectPoint((left + right) / 2, tip, (z0 + z1) / 2);
  const TPoint fl = ProjectPoint(left, base, z0), fr = ProjectPoint(right, base, z0);
  const TPoint bl = ProjectPoint(left, base, z1), br = ProjectPoint(right, base, z1);
  if (!pointUp && bl.y < fr.y) PolygonWith({fl, fr, br, bl}, FaceBrush(dark ? 64 : 0));
  PolygonWith({fl, fr, apex}, FBrush);
  if (br.x > fr.x) PolygonWith({fr, br, apex}, FaceBrush(dark ? 128 : 0));
}

void TChartCanvas3D::DrawCylinder(int left, int right, int top, int bottom, int z0, int z1,
                                  bool dark) {
  constexpr int kSteps = 24;
  const double cx = (left + right) / 2.0, rx = (right - left) / 2.0;
  const double cz = (z0 + z1) / 2.0, rz = (z1 - z0) / 2.0;
  auto rim = [&](int i, int y) {
    const double a = 2 * std::numbers::pi * i / kSteps;
    return ProjectPoint(Nearest(cx + rx * std::cos(a)), y, Nearest(cz + rz * std::sin(a)));
  };
  // The body is the front half of the rim at the top joined to the front half at the bottom
  // (the front half is where depth is smallest).
  std::vector<TPoint> body;
  for (int i = kSteps / 2; i <= kSteps; ++i) body.push_back(rim(i, top));
  for (int i = kSteps; i >= kSteps / 2; --i) body.push_back(rim(i, bottom));
  PolygonWith(body, FBrush);
  if (!FIs3d || rz == 0) return;
  std::vector<TPoint> cap;
  for (int i = 0; i < kSteps; ++i) cap.push_back(rim(i, top));
  PolygonWith(cap, FaceBrush(dark ? 64 : 0));
}

void TChartCanvas3D::DrawArrow(TPoint from, TPoint to, int headWidth, int headLength, int z) {
  const double dx = to.x - from.x, dy = to.y - from.y;
  const double len = std::hypot(dx, dy);
  if (len == 0) return;
  const double ux = dx / len, uy = dy / len;  // along the arrow
  const double nx = -uy, ny = ux;             // across it
  const double head = std::min<double>(headLength, len);
  const double hw = headWidth / 2.0, sw = headWidth / 4.0;
  const double bx = to.x - ux * head, by = to.y - uy * head;
  auto pt = [](double x, double y) { return TPoint{Nearest(x), Nearest(y)}; };
  DrawPolygonAtDepth({pt(from.x + nx * sw, from.y + ny * sw), pt(bx + nx * sw, by + ny * sw),
                      pt(bx + nx * hw, by + ny * hw), to, pt(bx - nx * hw, by - ny * hw),
                      pt(bx - nx * sw, by - ny * sw), pt(from.x - nx * sw, from.y - ny * sw)},
                     z);
}

void TChartCanvas3D::DrawPie3D(std::span<const TPieWedge> wedges, double rx, double ry, int z0,
                               int z1, bool dark) {
  if (!(rx > 0) || !(ry > 0)) return;
  const double step = ArcStepDegrees(std::max(rx, ry));
  auto outline = [&](const TPieWedge& w, double from, double to, int z, bool centre) {
    std::vector<TPoint> points;
    if (centre) points.push_back(ProjectPoint(Nearest(w.x), Nearest(w.y), z));
    const int steps = std::max(1, static_cast<int>(std::ceil((to - from) / step)));
    for (int i = 0; i <= steps; ++i) {
      const double a = (from + (to - from) * i / steps) * std::numbers::pi / 180;
      points.push_back(
          ProjectPoint(Nearest(w.x + rx * std::cos(a)), Nearest(w.y - ry * std::sin(a)), z));
    }
    return points;
  };
  auto shown = [](const TPieWedge& w) { return w.a1 > w.a0; };
  const TPen pen = FPen;
  const auto restore = OnScopeExit([this, pen] { FPen = pen; });
  if (FIs3d && z1 != z0 && !wedges.empty()) {
    // A part of a quarter turn at most is convex: what its solid covers on the screen is the
    // hull of its front and its back.
    const double away = AwayAngle(Nearest(wedges[0].x), Nearest(wedges[0].y), z0, z1);
    std::vector<std::pair<double, TPieWedge>> parts;
    for (const TPieWedge& w : wedges)
      for (double from = w.a0; shown(w) && from < std::min(w.a1, w.a0 + 360); from += 90) {
        TPieWedge part = w;
        part.a0 = from;
        part.a1 = std::min({w.a1, w.a0 + 360, from + 90});
        parts.push_back({FarthestFrom(away, part.a0, part.a1), part});
      }
    std::stable_sort(parts.begin(), parts.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    FPen.style = psClear;
    for (const auto& [distance, part] : parts) {
      std::vector<TPoint> corners = outline(part, part.a0, part.a1, z0, true);
      const std::vector<TPoint> back = outline(part, part.a0, part.a1, z1, true);
      corners.insert(corners.end(), back.begin(), back.end());
      const TColor side = dark ? DarkenColor(part.color, 64) : part.color;
      PolygonWith(ConvexHull(std::move(corners)), TBrush{side, bsSolid, side});
    }
    FPen = pen;
  }
  for (const TPieWedge& w : wedges) {
    if (!shown(w)) continue;
    // A whole turn is the ellipse alone, without a radius drawn to its centre.
    const double a1 = std::min(w.a1, w.a0 + 360);
    PolygonWith(outline(w, w.a0, a1, z0, a1 - w.a0 < 360), TBrush{w.color, bsSolid, clWhite});
  }
}

double TChartCanvas3D::AwayAngle(int x, int y, int z0, int z1) const {
  const TPoint front = ProjectPoint(x, y, z0), back = ProjectPoint(x, y, z1);
  // Screen y runs down; angles run anticlockwise.
  return std::atan2(front.y - back.y, back.x - front.x) * 180 / std::numbers::pi;
}
