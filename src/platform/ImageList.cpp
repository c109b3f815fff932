#include "platform/ImageList.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Exception.h"
#include "platform/QtImage.h"

// One picture of a list: premultiplied ARGB at the list's size.
struct TImageListPicture {
  QImage image;
};

namespace {

// The source centred on a transparent picture of the list's size.
QImage Fitted(const QImage& source, int width, int height) {
  QImage fitted(width, height, QImage::Format_ARGB32_Premultiplied);
  fitted.fill(Qt::transparent);
  QPainter p(&fitted);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage((width - source.width()) / 2, (height - source.height()) / 2, source);
  return fitted;
}

// Blends the picture over what the canvas shows there, through the canvas's own copies so
// that its clip holds.
// What lies under it is taken at the canvas's own ratio, so only the picture is scaled.
void Blend(TCanvas& canvas, int x, int y, const QImage& picture) {
  const int w = picture.width(), h = picture.height();
  const TRect area = Bounds(x, y, w, h);
  TBitmap under(w, h, canvas.Scale());
  under.Canvas().CopyRect(Rect(0, 0, w, h), canvas, area);
  {
    QImage& target = under.Image().image;
    QPainter p(&target);
    p.drawImage(QRect(0, 0, target.width(), target.height()), picture);
  }
  canvas.CopyRect(area, under.Canvas(), Rect(0, 0, w, h));
}

// Greys lightened towards white, so the picture reads as unavailable on any background.
QImage DisabledLook(const QImage& source) {
  QImage grey = source.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < grey.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(grey.scanLine(y));
    for (int x = 0; x < grey.width(); ++x) {
      const QRgb c = row[x];
      const int level = 128 + qGray(c) / 2;
      row[x] = qRgba(level, level, level, qAlpha(c));
    }
  }
  return grey.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

TImageList::TImageList(int width, int height)
    : FWidth(std::max(width, 1)), FHeight(std::max(height, 1)) {}

TImageList::~TImageList() = default;

int TImageList::Add(std::unique_ptr<TImageListPicture> picture) {
  FPictures.push_back(std::move(picture));
  FDisabled.emplace_back();
  return Count() - 1;
}

int TImageList::AddMasked(const TBitmap& bitmap, TColor transparent) {
  QImage image = bitmap.Image().image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = ToQRgb(transparent) | 0xFF000000u;
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((row[x] | 0xFF000000u) == key) row[x] = 0;
  }
  auto picture = std::make_unique<TImageListPicture>();
  picture->image = Fitted(image, FWidth, FHeight);
  return Add(std::move(picture));
}

int TImageList::AddFromPng(const std::string& path) {
  QImage image;
  if (!image.load(QString::fromStdString(path), "PNG"))
    throw Exception("Cannot read the picture \"" + path + "\"");
  auto picture = std::make_unique<TImageListPicture>();
  picture->image = Fitted(image.convertToFormat(QImage::Format_ARGB32), FWidth, FHeight);
  return Add(std::move(picture));
}

void TImageList::Clear() {
  FPictures.clear();
  FDisabled.clear();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  if (enabled) return Blend(canvas, x, y, FPictures[index]->image);
  if (!FDisabled[index]) {
    FDisabled[index] = std::make_unique<TImageListPicture>();
    FDisabled[index]->image = DisabledLook(FPictures[index]->image);
  }
  Blend(canvas, x, y, FDisabled[index]->image);
}
