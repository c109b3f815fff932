#include "platform/Bitmap.h"

#include <QString>

#include "platform/Canvas.h"
#include "platform/Exception.h"
#include "platform/QtImage.h"

TBitmap::TBitmap() : FImage(std::make_unique<TBitmapImage>()) {
  FCanvas = std::make_unique<TCanvas>(*FImage);
}

TBitmap::TBitmap(int width, int height) : TBitmap() {
  SetSize(width, height);
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
  return FImage->image.width();
}
int TBitmap::Height() const {
  return FImage->image.height();
}

void TBitmap::SetSize(int width, int height) {
  if (width == Width() && height == Height()) return;
  if (width <= 0 || height <= 0) {
    FImage->image = QImage();
    return;
  }
  FImage->image = QImage(width, height, QImage::Format_RGB32);
  FImage->image.fill(qRgb(255, 255, 255));
}

TColor TBitmap::Pixel(int x, int y) const {
  return FCanvas->Pixel(x, y);
}

void TBitmap::SaveToPng(const std::string& path) const {
  if (!FImage->image.save(QString::fromStdString(path), "PNG"))
    throw Exception("Cannot write the picture \"" + path + "\"");
}
