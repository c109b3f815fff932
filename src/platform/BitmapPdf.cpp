// A picture as a one-page PDF, through Qt's PDF writer.
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

#include "platform/AtomicFile.h"
#include "platform/Bitmap.h"
#include "platform/Exception.h"
#include "platform/QtImage.h"

void TBitmap::SaveToPdf(const std::string& path) const {
  const TBitmapImage& picture = Image();
  if (picture.image.isNull()) throw Exception("Cannot write an empty picture to \"" + path + "\"");
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    // The page in points (72 to the inch) for logical pixels at 96 to the inch.
    const double points = 72.0 / 96.0;
    writer.setPageSize(
        QPageSize(QSizeF(picture.LogicalWidth() * points, picture.LogicalHeight() * points),
                  QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(static_cast<int>(std::lround(96 * picture.scale)));
    QPainter painter(&writer);
    // Pixels as drawn: no lossy compression of lines and text.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(QRect(0, 0, picture.image.width(), picture.image.height()), picture.image);
  }
  if (bytes.isEmpty()) throw Exception("Cannot write the PDF file \"" + path + "\"");
  WriteFileAtomically(path, bytes.toStdString());
}
