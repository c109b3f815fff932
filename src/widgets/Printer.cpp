// Printing through Qt's printer, which also writes PDF files.
#include "widgets/Printer.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <string>

#include "chart/ChartPanel.h"
#include "platform/Bitmap.h"
#include "platform/Exception.h"
#include "platform/QtImage.h"

struct TPrinterDevice {
  QPrinter printer{QPrinter::HighResolution};
};

TPrinter::TPrinter(const std::string& pdfFile, int resolution)
    : FDevice(std::make_unique<TPrinterDevice>()) {
  if (resolution <= 0)
    throw Exception("Cannot print at " + std::to_string(resolution) + " dots per inch");
  FDevice->printer.setResolution(resolution);
  if (!pdfFile.empty()) {
    FDevice->printer.setOutputFormat(QPrinter::PdfFormat);
    FDevice->printer.setOutputFileName(QString::fromStdString(pdfFile));
  }
}

TPrinter::~TPrinter() = default;

std::string TPrinter::Name() const {
  const QPrinter& printer = FDevice->printer;
  return (printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                        : printer.printerName())
      .toStdString();
}

int TPrinter::Resolution() const {
  return FDevice->printer.resolution();
}

TRect TPrinter::PageRect() const {
  const QRect page = FDevice->printer.pageLayout().paintRectPixels(Resolution());
  return Rect(page.left(), page.top(), page.right() + 1, page.bottom() + 1);
}

double TPrinter::Scale() const {
  return Resolution() / 96.0;
}

void TPrinter::PrintPage(const TBitmap& picture) {
  const TBitmapImage& image = picture.Image();
  if (image.image.isNull()) throw Exception("Cannot print an empty picture");
  QPrinter& printer = FDevice->printer;
  QPainter painter;
  if (!painter.begin(&printer)) throw Exception("Cannot print on \"" + Name() + "\"");
  painter.setRenderHint(QPainter::LosslessImageRendering);
  // The picture's logical pixels at 96 to the inch, as on the screen.
  const double width = image.LogicalWidth() * Scale(), height = image.LogicalHeight() * Scale();
  const TRect page = PageRect();
  const double fit = std::min({1.0, page.Width() / width, page.Height() / height});
  painter.drawImage(QRectF(0, 0, width * fit, height * fit), image.image);
  if (!painter.end()) throw Exception("Cannot print on \"" + Name() + "\"");
}

void PrintChart(TCustomChartPanel& chart, TPrinter& printer) {
  if (chart.Width() <= 0 || chart.Height() <= 0) throw Exception("Cannot print a chart of no size");
  const double scale = printer.Scale();
  const TRect page = printer.PageRect();
  // The page in logical pixels, and the chart's proportions within it.
  const double pageWidth = page.Width() / scale, pageHeight = page.Height() / scale;
  const double width = chart.Width(), height = chart.Height();
  const double fit = std::min(pageWidth / width, pageHeight / height);
  const int w = std::max(1, static_cast<int>(std::floor(width * fit)));
  const int h = std::max(1, static_cast<int>(std::floor(height * fit)));
  TBitmap picture(w, h, scale);
  chart.PrintTo(picture.Canvas(), Rect(0, 0, w, h));
  printer.PrintPage(picture);
}
