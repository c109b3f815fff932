#pragma once

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "chart/ChartExport.h"
#include "chart/view/ChartProjection.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

// A point in chart coordinates with depth, in pixels.
struct LISTCHART_CHART_API TPoint3D {
  // Across, left to right.
  int x = 0;
  // Down, top to bottom.
  int y = 0;
  // Depth, 0 at the front.
  int z = 0;
};

// One slice of a pie for DrawPie3D: its centre (moved out when exploded), its angles in
// degrees anticlockwise from three o'clock (a turn at most) and its colour.
struct LISTCHART_CHART_API TPieWedge {
  // The centre, in unprojected pixels.
  ///@{
  double x = 0, y = 0;
  ///@}
  // Where the slice starts and ends.
  ///@{
  double a0 = 0, a1 = 0;
  ///@}
  // The fill of its front; its sides take it darkened.
  TColor color = clBlack;
};

enum TGradientDirection { gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft, gdFromCenter };

// Drawing in chart coordinates with depth: z is depth in pixels, 0 at the front.
class LISTCHART_CHART_API TCanvas3D {
 public:
  virtual ~TCanvas3D() = default;
  // Whether points are projected now; false in a flat view.
  virtual bool Is3D() const = 0;
  // The screen point of a chart point at depth z.
  virtual TPoint ProjectPoint(int x, int y, int z) const = 0;
  // The chart point at depth z that projects onto the screen point (x, y).
  virtual TPoint UnprojectPoint(int x, int y, int z) const = 0;
  // A line with the pen between two points at depth z.
  virtual void DrawLineAtDepth(int x0, int y0, int x1, int y1, int z) = 0;
  // A rectangle at depth z, brush inside, pen outline.
  virtual void DrawRectAtDepth(const TRect& r, int z) = 0;
  // A box from z0 to z1: its front face in the brush, the side and top that show in the brush
  // darkened when dark.
  virtual void DrawBox(int left, int right, int top, int bottom, int z0, int z1, bool dark) = 0;
  // Text at (x, y) at depth z, in the font (zoomed with the view when ZoomText).
  virtual void DrawTextAtDepth(int x, int y, const std::string& text, int z) = 0;
  // Clips drawing to the plot box from depth z0 to z1, until RemoveClip.
  virtual void ClipToBox(const TRect& plot, int z0, int z1) = 0;
  // Removes the clip ClipToBox set, if any.
  virtual void RemoveClip() = 0;
};

// The flat half of the surface: the drawing tools and the operations without projection.
// The surface keeps its own pen, brush and font and hands them to the target canvas when
// drawing; every colour is resolved to a plain colour on the way.
class LISTCHART_CHART_API TChartCanvas : public TCanvas3D {
 public:
  // The pen used by lines and outlines.
  TPen& Pen() { return FPen; }
  // The brush used by fills.
  TBrush& Brush() { return FBrush; }
  // The font used by text; its colour is the text colour.
  TFont& Font() { return FFont; }
  // Sets BackgroundMode.
  void SetBackgroundMode(TBkMode m) { FBkMode = m; }
  // Whether text is drawn on BackgroundColor; bkTransparent by default.
  TBkMode BackgroundMode() const { return FBkMode; }
  // Sets BackgroundColor.
  void SetBackgroundColor(TColor c) { FBkColor = c; }
  // The background of opaque text, and the colour a non-solid brush darkens on faces; white by
  // default.
  TColor BackgroundColor() const { return FBkColor; }
  // Text alignment flags (taLeft, taRight or taCenterH with taTop or taBottom).
  void SetTextAlignment(unsigned flags) { FTextAlign = flags; }
  // The text alignment flags; taLeft | taTop by default.
  unsigned TextAlignment() const { return FTextAlign; }

  // Pen black, width 1, solid; brush white, solid; font black, size 10; background white and
  // transparent.
  void ResetTools();

  // The canvas drawn on now; null outside a frame unless one was set.
  TCanvas* Target() const { return FTarget; }
  // Sets the canvas drawn on (not owned), or nullptr for none.
  void SetTarget(TCanvas* canvas) { FTarget = canvas; }

  // A line with the pen from (x0, y0) to (x1, y1), without projection.
  void DrawLine2D(int x0, int y0, int x1, int y1);
  // A rectangle, brush inside and pen outline, without projection.
  void DrawRect2D(int left, int top, int right, int bottom);
  // Fills a rectangle with the brush, without an outline.
  void FillWithBrush(const TRect& r);
  // A closed polygon, brush inside and pen outline, without projection.
  void DrawPolygon2D(const std::vector<TPoint>& points);
  // Lines with the pen joining the points in turn, without projection.
  void DrawPolyline2D(const std::vector<TPoint>& points);
  // An ellipse in a rectangle, brush inside and pen outline, without projection.
  void DrawEllipse2D(const TRect& r);
  // A triangle, brush inside and pen outline, without projection.
  void DrawTriangle2D(TPoint a, TPoint b, TPoint c) { DrawPolygon2D({a, b, c}); }
  // Colour 1 at the start (top, bottom, left, right or the centre), colour 2 at the end.
  void FillGradient(const TRect& r, TColor color1, TGradientDirection direction, TColor color2);

  // 0 when there is nothing to measure with.
  int MeasureTextWidth(const std::string& text);
  // The height of the text in the font; 0 when there is nothing to measure with.
  int MeasureTextHeight(const std::string& text);
  // The height of one line of text in the font ("W" measured).
  int LineHeight() { return MeasureTextHeight("W"); }

 protected:
  // Applies the surface's tools to the target; false when there is no target.
  bool Prepare();
  // The same with another brush in place of the surface's.
  bool Prepare(const TBrush& brush);

  // The canvas drawn on, not owned; nullptr for none.
  TCanvas* FTarget = nullptr;
  // The pen; see Pen().
  TPen FPen;
  // The brush; see Brush().
  TBrush FBrush;
  // The font; see Font().
  TFont FFont;
  // The text background mode; see BackgroundMode().
  TBkMode FBkMode = bkTransparent;
  // The text background colour; see BackgroundColor().
  TColor FBkColor = clWhite;
  // The text alignment flags; see TextAlignment().
  unsigned FTextAlign = taLeft | taTop;
};

// Components above n lose n, the rest become 0.
LISTCHART_CHART_API TColor DarkenColor(TColor color, int n);

// The chart's drawing surface: a retained off-screen picture of the whole chart, drawn
// through the projection of (x, y, z) onto the screen that the chart's layout fixed.
class LISTCHART_CHART_API TChartCanvas3D : public TChartCanvas {
 public:
  TChartCanvas3D();
  ~TChartCanvas3D() override;

  // Starts a frame; returns the rectangle to draw the chart in. When buffered, drawing goes
  // to the retained picture (re-created on a size change) and the result is (0, 0, w, h).
  // A window given the whole picture shares its pixels; the next frame is then drawn on a
  // second picture, so that neither is copied.
  TRect BeginFrame(TCanvas& target, const TView3DSettings& options, bool view3D,
                   const TRect& targetRect);
  // Copies the retained picture to the target at the rectangle's corner and draws on the
  // window canvas again.
  void EndFrame(TCanvas& target, TCanvas& window, const TRect& targetRect);
  // Copies a picture that is not stale to the current canvas; false when a redraw is needed.
  bool RepaintFromPicture();
  // Marks the retained picture stale: the next paint redraws the chart.
  void MarkStale() { FStale = true; }
  // Whether the retained picture must be redrawn; true until a buffered frame ends.
  bool Stale() const { return FStale; }
  // Whether frames are drawn on the retained picture and then copied; true by default.
  bool Buffered() const { return FBuffered; }
  // Sets Buffered; unbuffered frames draw straight on the target and keep no picture.
  void SetBuffered(bool v) { FBuffered = v; }
  // The retained picture of the last buffered frame, or nullptr before one; owned by the surface.
  const TBitmap* Picture() const { return FPicture.get(); }
  // Where text is measured outside a frame: the retained picture, else a small bitmap.
  TCanvas& MeasuringCanvas();

  // Centres the frame's projection on the plot box of the given depth.
  void SetupProjection(int depth, const TRect& bounds, const TRect& plot);
  // Sets the projection points are drawn through; flat drawing started before is forgotten.
  void SetProjection(const TChartProjection& projection);
  // The projection of the frame.
  const TChartProjection& Projection() const { return FProjection; }
  // Draws without projection until the matching EndFlatDrawing; pairs nest.
  void BeginFlatDrawing();
  // Ends the flat drawing the last BeginFlatDrawing started; unmatched, does nothing.
  void EndFlatDrawing();
  // Whether points are projected now: off in a flat view and while drawing flat.
  bool Is3D() const override { return FIs3d; }
  // Whether the projection is the oblique one (or flat).
  bool IsOrthogonal() const { return FProjection.IsOrthogonal(); }
  // The projection's zoom as a factor: 1 is actual size.
  double ZoomFactor() const { return FProjection.ZoomFactor(); }

  // The screen point of a chart point at depth z; unchanged while not Is3D.
  TPoint ProjectPoint(int x, int y, int z) const override;
  // The chart point at depth z that projects onto (x, y); unchanged while not Is3D.
  TPoint UnprojectPoint(int x, int y, int z) const override;

  // A line with the pen between two points at depth z, projected.
  void DrawLineAtDepth(int x0, int y0, int x1, int y1, int z) override;
  // A horizontal line from left to right at y and depth z, projected.
  void DrawHorizontalAtDepth(int left, int right, int y, int z);
  // A vertical line from top to bottom at x and depth z, projected.
  void DrawVerticalAtDepth(int x, int top, int bottom, int z);
  // A line at (x, y) running in depth from z0 to z1, projected.
  void DrawDepthLine(int x, int y, int z0, int z1);
  // A rectangle at depth z, projected: brush inside, pen outline.
  void DrawRectAtDepth(const TRect& r, int z) override;
  // An upright plane at x from top to bottom, running in depth from z0 to z1.
  void DrawSidePlane(int x, int top, int bottom, int z0, int z1);
  // A level plane at y from left to right, running in depth from z0 to z1.
  void DrawFloorPlane(int left, int right, int y, int z0, int z1);
  // A polygon through the projected corners: brush inside, pen outline.
  void DrawPlane(const std::vector<TPoint3D>& corners);
  // A polygon of the points at depth z, projected.
  void DrawPolygonAtDepth(const std::vector<TPoint>& points, int z);
  // An ellipse in the rectangle at depth z: its projected corners bound it.
  void DrawEllipseAtDepth(const TRect& r, int z);
  // A box from z0 to z1: the front face in the brush, the right or left side and the top when they
  // show, darkened when dark.
  void DrawBox(int left, int right, int top, int bottom, int z0, int z1, bool dark) override;
  // A four-sided pyramid over the box, its point at the top (or at the bottom when inverted).
  void DrawPyramid(int left, int right, int top, int bottom, int z0, int z1, bool pointUp,
                   bool dark);
  // An upright cylinder filling the box.
  void DrawCylinder(int left, int right, int top, int bottom, int z0, int z1, bool dark);
  // The slices of a pie of radii rx and ry at depth z0, each in its colour with the pen's
  // outline. In 3D with z1 beyond z0 the pie is a solid reaching back to z1: first the sides
  // of every slice, darkened by 64 when dark, in parts of a quarter turn at most drawn
  // farthest first so that near sides cover far ones, then the fronts, which nothing covers.
  void DrawPie3D(std::span<const TPieWedge> wedges, double rx, double ry, int z0, int z1,
                 bool dark);
  // An arrow from one point to another at depth z; the head is headWidth across and
  // headLength long, the shaft half the head's width.
  void DrawArrow(TPoint from, TPoint to, int headWidth, int headLength, int z);

  // Text at the projected (x, y, z), in the font zoomed with the view when ZoomText.
  void DrawTextAtDepth(int x, int y, const std::string& text, int z) override;
  // Text at the projected (x, y, z) turned angle degrees anticlockwise, on a transparent
  // background.
  void DrawRotatedText(int x, int y, int angle, const std::string& text, int z);
  // Whether text is drawn for a printer: white text is then drawn black.
  void SetPrinting(bool value) { FPrinting = value; }
  // The width (x) and height (y) of a text in the font DrawTextAtDepth draws it with.
  TPoint MeasureZoomedText(const std::string& text);

  // Clips the target to the projected plot box from depth z0 to z1 (inside the plot rectangle when
  // flat), until RemoveClip.
  void ClipToBox(const TRect& plot, int z0, int z1) override;
  // Restores the clip ClipToBox replaced, if any.
  void RemoveClip() override;

 private:
  std::vector<TPoint> Project(const std::vector<TPoint3D>& points) const;
  void PolygonWith(std::span<const TPoint> points, const TBrush& brush);
  // The faces of boxes and pyramids: a few corners, kept on the stack.
  void PolygonWith(std::initializer_list<TPoint> points, const TBrush& brush) {
    PolygonWith(std::span(points.begin(), points.size()), brush);
  }
  TBrush FaceBrush(int darken) const;
  // The angle, anticlockwise from three o'clock, of the way depth runs on the screen at a point.
  double AwayAngle(int x, int y, int z0, int z1) const;
  TFont ZoomedFont() const;

  std::unique_ptr<TBitmap> FPicture;
  // The picture before it, drawn on while the window still shows the last one.
  std::unique_ptr<TBitmap> FSpare;
  std::unique_ptr<TBitmap> FMeasuring;
  bool FBuffered = true;
  bool FStale = true;
  TChartProjection FProjection;
  // Whether points are projected now: off in a flat view and while drawing flat.
  bool FIs3d = false;
  std::vector<bool> FSaved3d;
  bool FClipped = false;
  bool FPrinting = false;
};
