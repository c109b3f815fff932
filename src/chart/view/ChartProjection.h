#pragma once

#include "chart/ChartExport.h"
#include "platform/Geometry.h"

// The 3D view settings a frame is drawn with (the chart's published 3D options hand their
// values over as this).
struct LISTCHART_CHART_API TView3DSettings {
  int elevation = 345;
  int horizOffset = 0;
  bool orthogonal = true;
  int perspective = 15;
  int rotation = 345;
  int tilt = 0;
  int vertOffset = 0;
  int zoom = 100;
  bool zoomText = true;
};

// The projection of chart points (x, y, depth z, 0 at the front) onto the screen, a value
// fixed by the chart's layout so that drawing and hit testing use the same one.
//
// The orthogonal projection is oblique: depth moves a point right and up by the same amount,
// scaled by the zoom around the plot centre. The other projection rotates the point about the
// centre of the plot box, first about the vertical axis by the rotation angle, then about the
// horizontal axis by the elevation, then in the screen plane by the tilt, and scales the
// result by zoom x (1 - perspective / 35000 x rotated depth), so farther points come closer to
// the centre. Its inverse solves the linear part for x and y at the given depth and refines
// the perspective scale by fixed-point iteration.
class LISTCHART_CHART_API TChartProjection {
 public:
  TChartProjection() = default;
  // The view's angles and zoom; a flat view projects every point onto itself.
  TChartProjection(const TView3DSettings& options, bool view3D);
  // Centres the projection on the plot box of the given depth.
  void Centre(int depth, const TRect& plot);

  bool Is3D() const { return FIs3D; }
  bool IsOrthogonal() const { return FOrthogonal; }
  double ZoomFactor() const { return FZoom; }
  bool ZoomText() const { return FZoomText; }

  // Inline for the oblique view: every corner of every box goes through it.
  TPoint Project(int x, int y, int z) const {
    if (!FIs3D) return {x, y};
    if (FOrthogonal)
      return {Nearest(FZoom * (x + z - FCentreX)) + FOffsetX,
              Nearest(FZoom * (y - FCentreY - z)) + FOffsetY};
    return ProjectRotated(x, y, z);
  }
  TPoint Unproject(int x, int y, int z) const;

 private:
  TPoint ProjectRotated(int x, int y, int z) const;

  TView3DSettings FOptions;
  bool FIs3D = false;
  bool FOrthogonal = true;
  double FZoom = 1.0;
  bool FZoomText = true;
  int FCentreX = 0, FCentreY = 0, FCentreZ = 0;
  int FOffsetX = 0, FOffsetY = 0;
  double FPerspective = 0;
  double FRotation[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};  // rows give x, y, depth
};
