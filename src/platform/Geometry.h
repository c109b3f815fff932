#pragma once

#include <cstdint>

#include "platform/PlatformExport.h"

// Pixel geometry: y grows downwards; a rectangle covers [left, right) x [top, bottom).
struct LISTCHART_PLATFORM_API TPoint {
  // Pixels to the right.
  int x = 0;
  // Pixels down.
  int y = 0;
  // Equal when both coordinates are.
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle of pixels: it covers columns left to right - 1 and rows top to bottom - 1.
struct LISTCHART_PLATFORM_API TRect {
  // First column inside.
  int left = 0;
  // First row inside.
  int top = 0;
  // First column past the right edge.
  int right = 0;
  // First row past the bottom edge.
  int bottom = 0;

  // right - left.
  int Width() const { return right - left; }
  // bottom - top.
  int Height() const { return bottom - top; }
  // The corner (left, top).
  TPoint TopLeft() const { return {left, top}; }
  // The corner (right, bottom), just outside.
  TPoint BottomRight() const { return {right, bottom}; }
  // Equal when all four edges are.
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) {
  return {x, y};
}
inline TRect Rect(int left, int top, int right, int bottom) {
  return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

// Empty when it covers no pixel.
inline bool IsRectEmpty(const TRect& r) {
  return r.right <= r.left || r.bottom <= r.top;
}
inline void SetRectEmpty(TRect& r) {
  r = TRect{};
}
inline bool PtInRect(const TRect& r, const TPoint& p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
inline void InflateRect(TRect& r, int dx, int dy) {
  r.left -= dx;
  r.top -= dy;
  r.right += dx;
  r.bottom += dy;
}
inline void OffsetRect(TRect& r, int dx, int dy) {
  r.left += dx;
  r.top += dy;
  r.right += dx;
  r.bottom += dy;
}
// Returns false, and an all-zero result, when the two do not overlap.
LISTCHART_PLATFORM_API bool IntersectRect(TRect& result, const TRect& a, const TRect& b);
// Smallest rectangle holding both; an empty operand is ignored.
LISTCHART_PLATFORM_API TRect UnionRect(const TRect& a, const TRect& b);
// Left <= right and top <= bottom.
LISTCHART_PLATFORM_API TRect NormalizedRect(const TRect& r);

// a * b / c in 64 bits, rounded to nearest with halves away from zero. A zero divisor or a
// result outside 32 bits gives -1, as callers of the platform expect.
LISTCHART_PLATFORM_API int MulDiv(int a, int b, int c);

// Nearest integer with halves to the even neighbour, independent of the FPU rounding mode.
// Values beyond the int range are clamped; NaN gives 0.
LISTCHART_PLATFORM_API int NearestClamped(double v);
// Inline: the 3D projection rounds every corner it draws.
inline int Nearest(double v) {
  if (!(v > -2147483648.0 && v < 2147483647.0)) return NearestClamped(v);
  int i = static_cast<int>(v);    // toward zero
  const double fraction = v - i;  // exact: v and i share their integer part
  if (fraction > 0.5 || (fraction == 0.5 && (i & 1) != 0))
    ++i;
  else if (fraction < -0.5 || (fraction == -0.5 && (i & 1) != 0))
    --i;
  return i;
}
