#include "chart/view/ChartProjection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TChartProjection::TChartProjection(const TView3DSettings& options, bool view3D)
    : FOptions(options),
      FIs3D(view3D),
      FOrthogonal(view3D ? options.orthogonal : true),
      FZoom(options.zoom * 0.01),
      FZoomText(options.zoomText) {
  const double k = std::numbers::pi / 180.0;
  const double cr = std::cos(options.rotation * k), sr = std::sin(options.rotation * k);
  const double ce = std::cos(options.elevation * k), se = std::sin(options.elevation * k);
  const double ct = std::cos(options.tilt * k), st = std::sin(options.tilt * k);
  // About the vertical axis: (x, y, z) -> (x cr - z sr, y, x sr + z cr); then about the
  // horizontal axis: (y, z) -> (y ce - z se, y se + z ce); then in the screen plane by the tilt.
  const double ry[3][3] = {{cr, 0, -sr}, {0, 1, 0}, {sr, 0, cr}};
  const double rx[3][3] = {{1, 0, 0}, {0, ce, -se}, {0, se, ce}};
  const double rz[3][3] = {{ct, -st, 0}, {st, ct, 0}, {0, 0, 1}};
  double a[3][3] = {};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k2 = 0; k2 < 3; ++k2) a[i][j] += rx[i][k2] * ry[k2][j];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      FRotation[i][j] = 0;
      for (int k2 = 0; k2 < 3; ++k2) FRotation[i][j] += rz[i][k2] * a[k2][j];
    }
}

void TChartProjection::Centre(int depth, const TRect& plot) {
  FCentreX = (plot.left + plot.right) / 2;
  FCentreY = (plot.top + plot.bottom) / 2;
  FCentreZ = depth / 2;
  FOffsetX = FCentreX + FOptions.horizOffset;
  FOffsetY = FCentreY + FOptions.vertOffset;
  FPerspective = FOptions.perspective > 0 ? FOptions.perspective / 35000.0 : 0.0;
}

TPoint TChartProjection::ProjectRotated(int x, int y, int z) const {
  const auto& m = FRotation;
  const double dx = x - FCentreX, dy = y - FCentreY, dz = z - FCentreZ;
  const double px = m[0][0] * dx + m[0][1] * dy + m[0][2] * dz;
  const double py = m[1][0] * dx + m[1][1] * dy + m[1][2] * dz;
  const double pz = m[2][0] * dx + m[2][1] * dy + m[2][2] * dz;
  // Keep the scale positive however deep the point lies.
  const double s = FZoom * std::max(0.05, 1.0 - FPerspective * pz);
  return {Nearest(s * px) + FOffsetX, Nearest(s * py) + FOffsetY};
}

TPoint TChartProjection::Unproject(int x, int y, int z) const {
  if (!FIs3D || FZoom == 0) return {x, y};
  if (FOrthogonal)
    return {Nearest((x - FOffsetX) / FZoom) + FCentreX - z,
            Nearest((y - FOffsetY) / FZoom) + FCentreY + z};
  const auto& m = FRotation;
  const double det = m[0][0] * m[1][1] - m[0][1] * m[1][0];
  if (std::fabs(det) < 1e-9) return {x, y};
  const double dz = z - FCentreZ;
  double s = FZoom, dx = 0, dy = 0;
  for (int i = 0; i < 32; ++i) {
    const double bx = (x - FOffsetX) / s - m[0][2] * dz;
    const double by = (y - FOffsetY) / s - m[1][2] * dz;
    dx = (bx * m[1][1] - by * m[0][1]) / det;
    dy = (m[0][0] * by - m[1][0] * bx) / det;
    const double pz = m[2][0] * dx + m[2][1] * dy + m[2][2] * dz;
    const double next = FZoom * std::max(0.05, 1.0 - FPerspective * pz);
    if (std::fabs(next - s) < 1e-12) break;
    s = next;
  }
  return {Nearest(dx) + FCentreX, Nearest(dy) + FCentreY};
}
