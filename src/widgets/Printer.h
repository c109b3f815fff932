#pragma once

#include <memory>
#include <string>

#include "platform/Geometry.h"
#include "widgets/WidgetsExport.h"

class TBitmap;
class TCustomChartPanel;
struct TPrinterDevice;

// A printer of the desktop, or a PDF file written the way the desktop prints to a file. Pages
// are pictures drawn by the controls at the printer's resolution.
class LISTCHART_WIDGETS_API TPrinter {
 public:
  // The desktop's default printer, or with pdfFile that file instead, printing at resolution
  // dots per inch (more than a chart's lines and text need costs memory and time only). Throws
  // Exception for a resolution below 1.
  explicit TPrinter(const std::string& pdfFile = "", int resolution = 300);
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // The printer's name, or the PDF file's.
  std::string Name() const;
  // Dots per inch.
  int Resolution() const;
  // The printable area of a page in the printer's dots, from the paper's top left.
  TRect PageRect() const;
  // Device dots per logical pixel (96 logical pixels to the inch): a picture drawn at this
  // scale prints dot for dot at the true size of its text and lines.
  double Scale() const;

  // Prints a document of one page holding picture at the top left of the printable area, at
  // 96 of its logical pixels to the inch (shrunk when needed to fit, keeping its proportions).
  // Throws Exception naming the printer when it cannot print.
  void PrintPage(const TBitmap& picture);

 private:
  std::unique_ptr<TPrinterDevice> FDevice;
};

// Prints the chart on one page of the printer: laid out for the page (the chart's proportions,
// as large as the printable area allows), drawn at the printer's resolution with the printing
// rules (paper white, white text black, points not cut at the plot). Throws Exception for a
// chart of no size (nothing to print) and when the printer cannot print.
LISTCHART_WIDGETS_API void PrintChart(TCustomChartPanel& chart, TPrinter& printer);
