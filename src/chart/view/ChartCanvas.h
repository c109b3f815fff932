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

struct LISTCHART_CHART_API TPoint3D {
  int x = 0;
  int y = 0;
  int z = 0;
};

enum TGradientDirection { gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft, gdFromCenter };

// Drawing in chart coordinates with depth: z is depth in pixels, 0 at the front.
class LISTCHART_CHART_API TCanvas3D {
 public:
  virtual ~TCanvas3D() = default;
  virtual bool Is3D() const = 0;
  virtual TPoint ProjectPoint(int x, int y, int z) const = 0;
  virtual TPoint UnprojectPoint(int x, int y, int z) const = 0;
  virtual void DrawLineAtDepth(int x0, int y0, int x1, int y1, int z) = 0;
  virtual void DrawRectAtDepth(const TRect& r, int z) = 0;
  virtual void DrawBox(int left, int right, int top, int bottom, int z0, int z1, bool dark) = 0;
  virtual void DrawTextAtDepth(int x, int y, const std::string& text, int z) = 0;
  virtual void ClipToBox(const TRect& plot, int z0, int z1) = 0;
  virtual void RemoveClip() = 0;
};

// The flat half of the surface: the drawing tools and the operations without projection.
// The surface keeps its own pen, brush and font and hands them to the target canvas when
// drawing; every colour is resolved to a plain colour on the way.
class LISTCHART_CHART_API TChartCanvas : public TCanvas3D {
 public:
  TPen& Pen() { return FPen; }
  TBrush& Brush() { return FBrush; }
  TFont& Font() { return FFont; }
  void SetBackgroundMode(TBkMode m) { FBkMode = m; }
  TBkMode BackgroundMode() const { return FBkMode; }
  void SetBackgroundColor(TColor c) { FBkColor = c; }
  TColor BackgroundColor() const { return FBkColor; }
  // Text alignment flags (taLeft, taRight or taCenterH with taTop or taBottom).
  void SetTextAlignment(unsigned flags) { FTextAlign = flags; }
  unsigned TextAlignment() const { return FTextAlign; }

  // Pen black, width 1, solid; brush white, solid; font black, size 10; background white and
  // transparent.
  void ResetTools();

  // The canvas drawn on now; null outside a frame unless one was set.
  TCanvas* Target() const { return FTarget; }
  void SetTarget(TCanvas* canvas) { FTarget = canvas; }

  void DrawLine2D(int x0, int y0, int x1, int y1);
  void DrawRect2D(int left, int top, int right, int bottom);
  void FillWithBrush(const TRect& r);
  void DrawPolygon2D(const std::vector<TPoint>& points);
  void DrawPolyline2D(const std::vector<TPoint>& points);
  void DrawEllipse2D(const TRect& r);
  void DrawTriangle2D(TPoint a, TPoint b, TPoint c) { DrawPolygon2D({a, b, c}); }
  // Colour 1 at the start (top, bottom, left, right or the centre), colour 2 at the end.
  void FillGradient(const TRect& r, TColor color1, TGradientDirection direction, TColor color2);

  // 0 when there is nothing to measure with.
  int MeasureTextWidth(const std::string& text);
  int MeasureTextHeight(const std::string& text);
  int LineHeight() { return MeasureTextHeight("W"); }

 protected:
  // Applies the surface's tools to the target; false when there is no target.
  bool Prepare();
  bool Prepare(const TBrush& brush);

  TCanvas* FTarget = nullptr;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TBkMode FBkMode = bkTransparent;
  TColor FBkColor = clWhite;
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
  void MarkStale() { FStale = true; }
  bool Stale() const { return FStale; }
  bool Buffered() const { return FBuffered; }
  void SetBuffered(bool v) { FBuffered = v; }
  const TBitmap* Picture() const { return FPicture.get(); }
  // Where text is measured outside a frame: the retained picture, else a small bitmap.
  TCanvas& MeasuringCanvas();

  // Centres the frame's projection on the plot box of the given depth.
  void SetupProjection(int depth, const TRect& bounds, const TRect& plot);
  void SetProjection(const TChartProjection& projection);
  const TChartProjection& Projection() const { return FProjection; }
  void BeginFlatDrawing();
  void EndFlatDrawing();
  bool Is3D() const override { return FIs3d; }
  bool IsOrthogonal() const { return FProjection.IsOrthogonal(); }
  double ZoomFactor() const { return FProjection.ZoomFactor(); }

  TPoint ProjectPoint(int x, int y, int z) const override;
  TPoint UnprojectPoint(int x, int y, int z) const override;

  void DrawLineAtDepth(int x0, int y0, int x1, int y1, int z) override;
  void DrawHorizontalAtDepth(int left, int right, int y, int z);
  void DrawVerticalAtDepth(int x, int top, int bottom, int z);
  void DrawDepthLine(int x, int y, int z0, int z1);
  void DrawRectAtDepth(const TRect& r, int z) override;
  void DrawSidePlane(int x, int top, int bottom, int z0, int z1);
  void DrawFloorPlane(int left, int right, int y, int z0, int z1);
  void DrawPlane(const std::vector<TPoint3D>& corners);
  void DrawPolygonAtDepth(const std::vector<TPoint>& points, int z);
  void DrawEllipseAtDepth(const TRect& r, int z);
  void DrawBox(int left, int right, int top, int bottom, int z0, int z1, bool dark) override;
  // A four-sided pyramid over the box, its point at the top (or at the bottom when inverted).
  void DrawPyramid(int left, int right, int top, int bottom, int z0, int z1, bool pointUp,
                   bool dark);
  // An upright cylinder filling the box.
  void DrawCylinder(int left, int right, int top, int bottom, int z0, int z1, bool dark);
  // An arrow from one point to another at depth z; the head is headWidth across and
  // headLength long, the shaft half the head's width.
  void DrawArrow(TPoint from, TPoint to, int headWidth, int headLength, int z);

  void DrawTextAtDepth(int x, int y, const std::string& text, int z) override;
  void DrawRotatedText(int x, int y, int angle, const std::string& text, int z);
  // The width (x) and height (y) of a text in the font DrawTextAtDepth draws it with.
  TPoint MeasureZoomedText(const std::string& text);

  void ClipToBox(const TRect& plot, int z0, int z1) override;
  void RemoveClip() override;

 private:
  std::vector<TPoint> Project(const std::vector<TPoint3D>& points) const;
  void PolygonWith(std::span<const TPoint> points, const TBrush& brush);
  // The faces of boxes and pyramids: a few corners, kept on the stack.
  void PolygonWith(std::initializer_list<TPoint> points, const TBrush& brush) {
    PolygonWith(std::span(points.begin(), points.size()), brush);
  }
  TBrush FaceBrush(int darken) const;
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
};
