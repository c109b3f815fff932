#include "platform/Bitmap.h"

#include <QString>
#include <atomic>

#include "platform/Canvas.h"
#include "platform/Exception.h"
#include "platform/PixelCopies.h"
#include "platform/QtImage.h"

TBitmap::TBitmap() : FImage(std::make_unique<TBitmapImage>()) {
  FCanvas = std::make_unique<TCanvas>(*FImage);
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
  return FImage->LogicalWidth();
}
int TBitmap::Height() const {
  return FImage->LogicalHeight();
}
double TBitmap::Scale() const {
  return FImage->scale;
}

void TBitmap::SetScale(double scale) {
  if (!(scale > 0) || scale == FImage->scale) return;
  const int w = Width(), h = Height();
  FImage->scale = scale;
  FImage->image = QImage();
  FImage->width = FImage->height = 0;
  SetSize(w, h);
}

void TBitmap::SetSize(int width, int height) {
  if (width == Width() && height == Height()) return;
  if (width <= 0 || height <= 0) {
    FImage->image = QImage();
    FImage->width = FImage->height = 0;
    return;
  }
  const double s = FImage->scale;
  FImage->width = width;
  FImage->height = height;
  FImage->image = QImage(ToDevicePixel(width, s), ToDevicePixel(height, s), QImage::Format_RGB32);
  FImage->image.fill(qRgb(255, 255, 255));
}

TColor TBitmap::Pixel(int x, int y) const {
  return FCanvas->Pixel(x, y);
}

void TBitmap::SaveToPng(const std::string& path) const {
  if (!FImage->image.save(QString::fromStdString(path), "PNG"))
    throw Exception("Cannot write the picture \"" + path + "\"");
}

namespace {
std::atomic<long long> gCopiedPixels{0};
}  // namespace

void CountCopiedPixels(long long pixels) {
  gCopiedPixels.fetch_add(pixels, std::memory_order_relaxed);
}

long long CopiedPixels() {
  return gCopiedPixels.load(std::memory_order_relaxed);
}

bool SharesPixels(const TBitmap& bitmap) {
  const QImage& image = bitmap.Image().image;
  return !image.isNull() && !image.isDetached();
}
