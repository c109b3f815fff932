#pragma once

// Internal to the platform's .cpp files: the Qt picture behind a TBitmap. The controls never
// include this header.

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cmath>

#include "platform/Color.h"
#include "platform/PlatformExport.h"

// The picture holds device pixels: scale of them per logical pixel on each axis, and a
// logical size of width x height.
struct LISTCHART_PLATFORM_API TBitmapImage {
  // The device pixels.
  QImage image;
  // Device pixels per logical pixel.
  double scale = 1;
  // The logical size, read when scale is not 1.
  ///@{
  int width = 0, height = 0;
  ///@}
  // The width in logical pixels: the image's own at scale 1.
  int LogicalWidth() const { return scale == 1 ? image.width() : width; }
  // The height in logical pixels: the image's own at scale 1.
  int LogicalHeight() const { return scale == 1 ? image.height() : height; }
};

// The device pixel where logical coordinate v begins at the given scale.
// Rounded down without std::floor, which is a call at the usual flags: every corner of
// every figure goes through here.
// Far beyond the ints a coordinate stays at their end: a figure reaching that far still
// covers its part inside the picture.
inline int ToDevicePixel(int v, double scale) {
  if (scale == 1) return v;
  const double d = std::clamp(v * scale + 0.5, -2147483648.0, 2147483647.0);
  const int i = static_cast<int>(d);
  return i - (d < i ? 1 : 0);
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

// Adds to the count CopiedPixels reads.
LISTCHART_PLATFORM_API void CountCopiedPixels(long long pixels);

// A picture about to be written: when another shares its pixels, writing copies them.
inline void CountCopyBeforeWrite(const QImage& image) {
  if (!image.isNull() && !image.isDetached())
    CountCopiedPixels(static_cast<long long>(image.width()) * image.height());
}
