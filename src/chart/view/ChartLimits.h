#pragma once

#include <algorithm>

#include "chart/view/ChartPen.h"

// Pixel settings (sizes, margins, lengths, pen widths) are kept within this many pixels
// either way: far beyond any window, and far enough from the integer limits that the layout
// arithmetic on them cannot overflow.
constexpr int kMaxPixelSetting = 10000;

inline int ClampPixels(int value) {
  return std::clamp(value, -kMaxPixelSetting, kMaxPixelSetting);
}

// A percentage of a pixel length, kept so that the pixels it gives stay within the limit
// (NaN counts as 0).
inline double ClampPercent(double value) {
  if (!(value == value)) return 0;
  return std::clamp(value, -100.0 * kMaxPixelSetting, 100.0 * kMaxPixelSetting);
}

// Pens are no wider than this: a frame is drawn one line per pixel of its width.
constexpr int kMaxPenWidth = 100;

// A pen whose width is kept between 0 and kMaxPenWidth.
inline TChartPen ClampPen(TChartPen pen) {
  pen.width = std::clamp(pen.width, 0, kMaxPenWidth);
  return pen;
}
