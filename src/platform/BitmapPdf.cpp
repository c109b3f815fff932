// A picture as a one-page PDF, through Qt's PDF writer.
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "platform/AtomicFile.h"
#include "platform/Bitmap.h"
#include "platform/Exception.h"
#include "platform/QtImage.h"

namespace {

constexpr double kLongestSide = 14400;

}  // namespace

void TBitmap::SaveToPdf(const std::string& path) const {
  const TBitmapImage& picture = Image();
  if (picture.image.isNull()) throw Exception("Cannot write an empty picture to \"" + path + "\"");
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    // The page in points (72 to the inch) for logical pixels at 96 to the inch; readers take
    // no side beyond 14400 points, so a longer page is shrunk to that, its pixels kept.
    const double longest = std::max(picture.LogicalWidth(), picture.LogicalHeight()) * 0.75;
    const double shrink = std::min(1.0, kLongestSide / longest);
    const double points = 0.75 * shrink;
    writer.setPageSize(
        QPageSize(QSizeF(picture.LogicalWidth() * points, picture.LogicalHeight() * points),
                  QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(static_cast<int>(std::lround(96 * picture.scale / shrink)));
    QPainter painter(&writer);
    // Pixels as drawn: no lossy compression of lines and text.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const QRect page = shrink < 1 ? QRect(0, 0, writer.width(), writer.height())
                                  : QRect(0, 0, picture.image.width(), picture.image.height());
    painter.drawImage(page, picture.image);
  }
  if (bytes.isEmpty()) throw Exception("Cannot write the PDF file \"" + path + "\"");
  WriteFileAtomically(path, bytes.toStdString());
}
