#pragma once

#include <algorithm>

#include "chart/ChartPen.h"

// Pixel settings (sizes, margins, lengths, pen widths) are kept within this many pixels
// either way: far beyond any window, and far enough from the integer limits that the layout
// arithmetic on them cannot overflow.
constexpr int kMaxPixelSetting = 10000;

inline int ClampPixels(int value) {
  return std::clamp(value, -kMaxPixelSetting, kMaxPixelSetting);
}

// A pen whose width is kept between 0 and the pixel limit.
inline TChartPen ClampPen(TChartPen pen) {
  pen.width = std::clamp(pen.width, 0, kMaxPixelSetting);
  return pen;
}
