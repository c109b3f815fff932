#pragma once

// Internal to the platform's .cpp files: the Qt picture behind a TBitmap. The controls never
// include this header.

#include <QColor>
#include <QImage>

#include "platform/Color.h"

struct TBitmapImage {
  QImage image;
};

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
