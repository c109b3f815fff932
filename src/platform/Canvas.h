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

struct LISTCHART_PLATFORM_API TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

enum TPenStyle { psSolid, psDot, psClear };
// pmCopy paints the pen colour; pmNotXor paints NOT(pen XOR screen), so drawing the same
// figure twice restores the screen (with a black pen the first pass simply inverts).
enum TPenMode { pmCopy, pmNotXor };

struct LISTCHART_PLATFORM_API TPen {
  TColor color = clBlack;
  int width = 1;
  TPenStyle style = psSolid;
  TPenMode mode = pmCopy;
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

struct LISTCHART_PLATFORM_API TBrush {
  TColor color = clWhite;
  TBrushStyle style = bsSolid;
  TColor altColor = clWhite;  // the second colour of bsChecker
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
  explicit TCanvas(TBitmapImage& target);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  int Width() const;
  int Height() const;
  // Device pixels per logical pixel.
  double Scale() const;

  // Drawing tools. The font's colour is the text colour.
  TPen& Pen() { return FPen; }
  TBrush& Brush() { return FBrush; }
  TFont& Font() { return FFont; }
  const TPen& Pen() const { return FPen; }
  const TBrush& Brush() const { return FBrush; }
  const TFont& Font() const { return FFont; }
  TBkMode BkMode() const { return FBkMode; }
  void SetBkMode(TBkMode m) { FBkMode = m; }
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor c) { FBkColor = c; }
  unsigned TextAlign() const { return FTextAlign; }
  void SetTextAlign(unsigned a) { FTextAlign = a; }
  TPoint PenPos() const { return FPenPos; }

  // Rectangles with the brush (left, top inclusive; right, bottom exclusive).
  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  // Inverts every pixel of the rectangle (drawn twice, restores it).
  void InvertRect(const TRect& r);
  // A dotted frame that inverts every other pixel of the rectangle's outer ring (phase from
  // the canvas origin); drawn twice, it restores the pixels.
  void DrawFocusRect(const TRect& r);
  void DrawEdge(TRect r, unsigned kinds, unsigned sides);

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const std::vector<TPoint>& points);
  void Polygon(std::span<const TPoint> points);
  void Polygon(std::initializer_list<TPoint> points) {
    Polygon(std::span(points.begin(), points.size()));
  }
  // Pen outline on the rectangle's outer pixels, brush inside.
  void Rectangle(const TRect& r);
  void Ellipse(const TRect& r);
  void SetPixel(int x, int y, TColor c);
  TColor Pixel(int x, int y) const;

  // Text in the current font, at the reference point given by TextAlign; with an opaque
  // background the text's cell is first filled with BkColor. A rotated font turns the text
  // about the reference point.
  void TextOut(int x, int y, const std::string& text);
  // Formatted text in a rectangle; returns the height of the text drawn. With dtCalcRect
  // draws nothing and sets r's right and bottom to the text's extent.
  int DrawText(const std::string& text, TRect& r, unsigned flags);
  TSize TextExtent(const std::string& text) const;
  int TextWidth(const std::string& text) const { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) const { return TextExtent(text).cy; }

  // Clip region: everything drawn is limited to it. Rectangles and polygons replace or
  // narrow it; SaveClip/RestoreClip nest.
  void SetClipRect(const TRect& r);
  void SetClipPolygon(const std::vector<TPoint>& points);
  void IntersectClipRect(const TRect& r);
  void ExcludeClipRect(const TRect& r);
  void ClearClip();
  bool HasClip() const;
  // Whether any pixel of r could be drawn under the current clip.
  bool RectVisible(const TRect& r) const;
  void SaveClip();
  void RestoreClip();

  // Copies pixels from another canvas (or this one), clipped to this canvas's clip.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
  void Draw(int x, int y, const TBitmap& bitmap);

  TBitmapImage& Target() { return FTarget; }
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
