#pragma once

// Internal to the platform's .cpp files: the Qt picture behind a TBitmap. The controls never
// include this header.

#include <QColor>
#include <QImage>
#include <cmath>

#include "platform/Color.h"
#include "platform/PlatformExport.h"

// The picture holds device pixels: scale of them per logical pixel on each axis, and a
// logical size of width x height.
struct LISTCHART_PLATFORM_API TBitmapImage {
  QImage image;
  double scale = 1;
  int width = 0, height = 0;
  int LogicalWidth() const { return scale == 1 ? image.width() : width; }
  int LogicalHeight() const { return scale == 1 ? image.height() : height; }
};

// The device pixel where logical coordinate v begins at the given scale.
inline int ToDevicePixel(int v, double scale) {
  return scale == 1 ? v : static_cast<int>(std::floor(v * scale + 0.5));
}

inline QRgb ToQRgb(TColor c) {
  const TColor p = ColorToRGB(c);
  return qRgb(GetRValue(p), GetGValue(p), GetBValue(p));
}
inline QColor ToQColor(TColor c) {
  return QColor::fromRgb(ToQRgb(c));
}
inline TColor FromQRgb(QRgb c) {
  return RGB(qRed(c), qGreen(c), qBlue(c));
}
