#pragma once

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/PlatformExport.h"

class TBitmap;
struct TBitmapImage;

// A width and a height, in pixels.
struct LISTCHART_PLATFORM_API TSize {
  // The width.
  int cx = 0;
  // The height.
  int cy = 0;
  // Equal when both sizes match.
  friend bool operator==(const TSize&, const TSize&) = default;
};

enum TPenStyle { psSolid, psDot, psClear };
// pmCopy paints the pen colour; pmNotXor paints NOT(pen XOR screen), so drawing the same
// figure twice restores the screen (with a black pen the first pass simply inverts).
enum TPenMode { pmCopy, pmNotXor };

// How lines and outlines are drawn.
struct LISTCHART_PLATFORM_API TPen {
  // The line's colour; black by default.
  TColor color = clBlack;
  // The line's width in logical pixels; 1 by default.
  int width = 1;
  // Solid, dotted, or clear (draws nothing); solid by default.
  TPenStyle style = psSolid;
  // How the pen's colour meets the pixels; pmCopy by default.
  TPenMode mode = pmCopy;
  // Equal when every field matches.
  friend bool operator==(const TPen&, const TPen&) = default;
};

enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross,
  // Alternating pixels of color and altColor, anchored at the canvas origin: pixel (x, y)
  // takes color when x + y is even.
  bsChecker
};

// How areas are filled.
struct LISTCHART_PLATFORM_API TBrush {
  // The fill's colour (a pattern's lines); white by default.
  TColor color = clWhite;
  // Solid, clear (fills nothing), or a pattern; solid by default.
  TBrushStyle style = bsSolid;
  TColor altColor = clWhite;  ///< The second colour of bsChecker.
  // Equal when every field matches.
  friend bool operator==(const TBrush&, const TBrush&) = default;
};

// Sides and kinds of a 3D edge. (The sides carry "bfs" so that they never clash with the
// tree-list's band-fixing values bfLeft and bfRight.)
enum TEdgeSide : unsigned { bfsLeft = 1, bfsTop = 2, bfsRight = 4, bfsBottom = 8, bfsRect = 15 };
enum TEdgeKind : unsigned {
  bdRaisedOuter = 1,
  bdSunkenOuter = 2,
  bdRaisedInner = 4,
  bdSunkenInner = 8,
  edgeRaised = bdRaisedOuter | bdRaisedInner,
  edgeSunken = bdSunkenOuter | bdSunkenInner,
  edgeEtched = bdSunkenOuter | bdRaisedInner,
  edgeBump = bdRaisedOuter | bdSunkenInner
};

// Where the reference point of TextOut sits on the text.
enum TTextAlign : unsigned {
  taLeft = 0,
  taRight = 2,
  taCenterH = 6,
  taTop = 0,
  taBottom = 8,
  taBaseline = 24
};

// Flags of DrawText.
enum TDrawTextFlag : unsigned {
  dtLeft = 0,
  dtCenter = 1,
  dtRight = 2,
  dtTop = 0,
  dtVCenter = 4,
  dtBottom = 8,
  dtWordBreak = 0x10,
  dtSingleLine = 0x20,
  dtExpandTabs = 0x40,
  dtNoClip = 0x100,
  dtCalcRect = 0x400,
  dtNoPrefix = 0x800,
  dtEndEllipsis = 0x8000
};

enum TBkMode { bkTransparent, bkOpaque };

// The drawing operations of the controls, on a bitmap's 32-bit picture, without
// antialiasing, so pixels are exact. Fill and frame leave out the right and bottom edge;
// lines leave out their end point.
// Coordinates are logical pixels. On a picture of a scaled screen each logical pixel covers
// whole device pixels where the scale is whole (edges at round(v * scale)); pens, patterns
// and dots scale with it, and text is drawn in the font at the device size.
class LISTCHART_PLATFORM_API TCanvas {
 public:
  // A canvas drawing on a bitmap's picture, which must outlive it; no clip.
  explicit TCanvas(TBitmapImage& target);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The picture's width in logical pixels.
  int Width() const;
  // The picture's height in logical pixels.
  int Height() const;
  // Device pixels per logical pixel.
  double Scale() const;

  // Drawing tools. The font's colour is the text colour.
  TPen& Pen() { return FPen; }
  // The brush used by fills and the insides of shapes.
  TBrush& Brush() { return FBrush; }
  // The font used by text.
  TFont& Font() { return FFont; }
  // The pen used by lines and outlines.
  const TPen& Pen() const { return FPen; }
  // The brush used by fills and the insides of shapes.
  const TBrush& Brush() const { return FBrush; }
  // The font used by text.
  const TFont& Font() const { return FFont; }
  // Whether text is drawn on a BkColor background; bkOpaque by default.
  TBkMode BkMode() const { return FBkMode; }
  // Sets BkMode.
  void SetBkMode(TBkMode m) { FBkMode = m; }
  // The background of opaque text; white by default.
  TColor BkColor() const { return FBkColor; }
  // Sets BkColor.
  void SetBkColor(TColor c) { FBkColor = c; }
  // The TTextAlign flags of TextOut; taLeft | taTop by default.
  unsigned TextAlign() const { return FTextAlign; }
  // Sets TextAlign.
  void SetTextAlign(unsigned a) { FTextAlign = a; }
  // Where the next LineTo starts: the end of the last line or MoveTo.
  TPoint PenPos() const { return FPenPos; }

  // Rectangles with the brush (left, top inclusive; right, bottom exclusive).
  void FillRect(const TRect& r);
  // A frame one pixel wide on the rectangle's outer ring, in the brush.
  void FrameRect(const TRect& r);
  // Inverts every pixel of the rectangle (drawn twice, restores it).
  void InvertRect(const TRect& r);
  // A dotted frame that inverts every other pixel of the rectangle's outer ring (phase from
  // the canvas origin); drawn twice, it restores the pixels.
  void DrawFocusRect(const TRect& r);
  // A 3D edge of one or two rings (TEdgeKind flags) on the given sides (TEdgeSide flags), in the
  // system's 3D colours.
  void DrawEdge(TRect r, unsigned kinds, unsigned sides);

  // Moves the pen to (x, y) without drawing.
  void MoveTo(int x, int y);
  // A line with the pen from PenPos to (x, y), without its end point; moves PenPos there.
  void LineTo(int x, int y);
  // Lines with the pen joining the points in turn; PenPos ends at the last.
  void Polyline(const std::vector<TPoint>& points);
  // A closed polygon: brush inside (with three corners or more), pen outline; fewer than two points
  // draw nothing.
  void Polygon(std::span<const TPoint> points);
  // The same for a list of points.
  void Polygon(std::initializer_list<TPoint> points) {
    Polygon(std::span(points.begin(), points.size()));
  }
  // Pen outline on the rectangle's outer pixels, brush inside.
  void Rectangle(const TRect& r);
  // An ellipse inscribed in the rectangle: pen outline, brush inside.
  void Ellipse(const TRect& r);
  // Sets one pixel's colour, inside the clip.
  void SetPixel(int x, int y, TColor c);
  // The colour of a pixel; clNone outside the picture.
  TColor Pixel(int x, int y) const;

  // Text in the current font, at the reference point given by TextAlign; with an opaque
  // background the text's cell is first filled with BkColor. A rotated font turns the text
  // about the reference point.
  void TextOut(int x, int y, const std::string& text);
  // Formatted text in a rectangle; returns the height of the text drawn. With dtCalcRect
  // draws nothing and sets r's right and bottom to the text's extent.
  int DrawText(const std::string& text, TRect& r, unsigned flags);
  // The width and height of a text in the current font.
  TSize TextExtent(const std::string& text) const;
  // The width of a text in the current font.
  int TextWidth(const std::string& text) const { return TextExtent(text).cx; }
  // The height of a text in the current font.
  int TextHeight(const std::string& text) const { return TextExtent(text).cy; }

  // Clip region: everything drawn is limited to it. Rectangles and polygons replace or
  // narrow it; SaveClip/RestoreClip nest.
  void SetClipRect(const TRect& r);
  // Replaces the clip with a polygon's inside (even-odd rule).
  void SetClipPolygon(const std::vector<TPoint>& points);
  // Narrows the clip to its overlap with a rectangle (sets it when there is none).
  void IntersectClipRect(const TRect& r);
  // Takes a rectangle out of the clip (out of the whole picture when there is none).
  void ExcludeClipRect(const TRect& r);
  // Removes the clip: everything can be drawn.
  void ClearClip();
  // Whether a clip is set.
  bool HasClip() const;
  // Whether any pixel of r could be drawn under the current clip.
  bool RectVisible(const TRect& r) const;
  // Pushes the current clip.
  void SaveClip();
  // Pops the clip last pushed by SaveClip; does nothing when none is pushed.
  void RestoreClip();

  // Copies pixels from another canvas (or this one), clipped to this canvas's clip.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
  // Copies a whole bitmap with its top left at (x, y).
  void Draw(int x, int y, const TBitmap& bitmap);

  // The picture drawn on.
  TBitmapImage& Target() { return FTarget; }
  // The picture drawn on.
  const TBitmapImage& Target() const { return FTarget; }

 private:
  struct State;
  bool Scaled() const;
  int Dev(int v) const;
  TRect DevRect(const TRect& r) const;
  std::vector<TPoint> DevPoints(std::span<const TPoint> points) const;
  void FillDeviceRect(const TRect& d);
  void InvertDeviceRect(const TRect& d);
  void FillDevicePolygon(std::span<const TPoint> device, TColor color);
  void ScaledLine(TPoint a, TPoint b);
  void ScaledDots(TPoint a, TPoint b);
  void ScaledEllipse(const TRect& ink);
  void CopyRows(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
  TBitmapImage& FTarget;
  std::unique_ptr<State> FState;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TBkMode FBkMode = bkOpaque;
  TColor FBkColor = clWhite;
  unsigned FTextAlign = taLeft | taTop;
  TPoint FPenPos;
};
