#include "support/PdfReadBack.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

QImage ReadPdfPage(const std::string& pdf, int dpi) {
  const std::string back = pdf + "-read";
  const std::string command = "pdftoppm -r " + std::to_string(dpi) + " -png -singlefile -f 1 \"" +
                              pdf + "\" \"" + back + "\"";
  if (std::system(command.c_str()) != 0) return {};
  QImage read = QImage(QString::fromStdString(back + ".png")).convertToFormat(QImage::Format_RGB32);
  std::filesystem::remove(back + ".png");
  return read;
}

int PixelsUnlikeDrawn(const QImage& read, const QImage& drawn, int offsetX, int offsetY) {
  int unlike = 0;
  for (int y = 1; y + 1 < drawn.height(); ++y)
    for (int x = 1; x + 1 < drawn.width(); ++x) {
      if (!read.valid(x + offsetX, y + offsetY)) {
        ++unlike;
        continue;
      }
      const QRgb a = read.pixel(x + offsetX, y + offsetY);
      int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const QRgb b = drawn.pixel(x + dx, y + dy);
          const int channels[3] = {qRed(b), qGreen(b), qBlue(b)};
          for (int c = 0; c < 3; ++c) {
            low[c] = std::min(low[c], channels[c]);
            high[c] = std::max(high[c], channels[c]);
          }
        }
      const int seen[3] = {qRed(a), qGreen(a), qBlue(a)};
      for (int c = 0; c < 3; ++c)
        if (seen[c] < low[c] - 8 || seen[c] > high[c] + 8) {
          ++unlike;
          break;
        }
    }
  return unlike;
}
