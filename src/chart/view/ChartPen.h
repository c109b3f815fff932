#pragma once

#include "chart/ChartExport.h"
#include "platform/Canvas.h"

// A platform pen that can also be switched off; a pen that is not visible draws as the
// clear pen style.
struct LISTCHART_CHART_API TChartPen : TPen {
  // False draws nothing with this pen.
  bool Visible = true;
  // Whether the pen draws dots a pixel apart, one pixel wide, whatever its style.
  bool SmallDots = false;
  // Equal when every field is.
  friend bool operator==(const TChartPen&, const TChartPen&) = default;

  // The pen as the canvas should use it.
  TPen Effective() const {
    TPen pen = *this;
    if (SmallDots) pen.style = psDot, pen.width = 1;
    if (!Visible) pen.style = psClear;
    return pen;
  }
};

inline TChartPen ChartHiddenPen() {
  TChartPen pen;
  pen.Visible = false;
  return pen;
}
inline TChartPen DottedGrayPen() {
  TChartPen pen;
  pen.color = 0x808080;
  pen.style = psDot;
  return pen;
}
inline TChartPen DarkGrayPen() {
  TChartPen pen;
  pen.color = 0x808080;
  return pen;
}
inline TChartPen ChartAxisPen() {
  TChartPen pen;
  pen.width = 2;
  return pen;
}
inline TChartPen ChartArrowPen() {
  TChartPen pen;
  pen.color = clWhite;
  return pen;
}

class TBitmap;

// A platform brush that may carry a picture instead of a colour; the picture belongs to
// whoever set it.
struct LISTCHART_CHART_API TChartBrush : TBrush {
  // A picture (not owned, null for none) tiled over what the brush fills: box bars' front
  // faces, walls, titles.
  const TBitmap* Image = nullptr;
  // Equal when every field is (the picture by address).
  friend bool operator==(const TChartBrush&, const TChartBrush&) = default;
};
