#include "platform/Bitmap.h"

#include <QString>

#include "platform/Canvas.h"
#include "platform/Exception.h"
#include "platform/QtImage.h"

TBitmap::TBitmap() : image_(std::make_unique<TBitmapImage>()) {
  canvas_ = std::make_unique<TCanvas>(*image_);
}

TBitmap::TBitmap(int width, int height) : TBitmap() {
  SetSize(width, height);
}

TBitmap::TBitmap(int width, int height, double scale) : TBitmap() {
  SetScale(scale);
  SetSize(width, height);
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
  return image_->LogicalWidth();
}
int TBitmap::Height() const {
  return image_->LogicalHeight();
}
double TBitmap::Scale() const {
  return image_->scale;
}

void TBitmap::SetScale(double scale) {
  if (!(scale > 0) || scale == image_->scale) return;
  const int w = Width(), h = Height();
  image_->scale = scale;
  image_->image = QImage();
  image_->width = image_->height = 0;
  SetSize(w, h);
}

void TBitmap::SetSize(int width, int height) {
  if (width == Width() && height == Height()) return;
  if (width <= 0 || height <= 0) {
    image_->image = QImage();
    image_->width = image_->height = 0;
    return;
  }
  const double s = image_->scale;
  image_->width = width;
  image_->height = height;
  image_->image = QImage(ToDevicePixel(width, s), ToDevicePixel(height, s), QImage::Format_RGB32);
  image_->image.fill(qRgb(255, 255, 255));
}

TColor TBitmap::Pixel(int x, int y) const {
  return canvas_->Pixel(x, y);
}

void TBitmap::SaveToPng(const std::string& path) const {
  if (!image_->image.save(QString::fromStdString(path), "PNG"))
    throw Exception("Cannot write the picture \"" + path + "\"");
}
