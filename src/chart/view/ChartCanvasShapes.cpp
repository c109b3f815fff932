#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/view/ChartCanvas.h"

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
