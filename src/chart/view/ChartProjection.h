#pragma once

#include "chart/ChartExport.h"
#include "platform/Geometry.h"

// The 3D view settings a frame is drawn with (the chart's published 3D options hand their
// values over as this).
struct LISTCHART_CHART_API TView3DSettings {
  // The angle about the horizontal axis, in degrees.
  int elevation = 345;
  // How far the projection moves right, in pixels.
  int horizOffset = 0;
  // Whether the view is oblique rather than rotated.
  bool orthogonal = true;
  // The perspective of a rotated view: the scale falls by perspective / 35000 per pixel of depth.
  int perspective = 15;
  // The angle about the vertical axis, in degrees.
  int rotation = 345;
  // The angle in the screen plane, in degrees.
  int tilt = 0;
  // How far the projection moves down, in pixels.
  int vertOffset = 0;
  // The scale around the plot centre, in percent.
  int zoom = 100;
  // Whether text is scaled with the zoom.
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

  // Whether the view has depth; false for a flat view.
  bool Is3D() const { return FIs3D; }
  // Whether the projection is the oblique one; true for a flat view too.
  bool IsOrthogonal() const { return FOrthogonal; }
  // The zoom as a factor: 1 is actual size.
  double ZoomFactor() const { return FZoom; }
  // Whether text is scaled with the zoom.
  bool ZoomText() const { return FZoomText; }

  // Inline for the oblique view: every corner of every box goes through it.
  TPoint Project(int x, int y, int z) const {
    if (!FIs3D) return {x, y};
    if (FOrthogonal)
      return {Nearest(FZoom * (x + z - FCentreX)) + FOffsetX,
              Nearest(FZoom * (y - FCentreY - z)) + FOffsetY};
    return ProjectRotated(x, y, z);
  }
  // The chart point at depth z that projects onto the screen point (x, y); (x, y) itself for a flat
  // view or one the rotation cannot invert.
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
