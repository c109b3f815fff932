#pragma once

#include "chart/ChartPen.h"

// One of the three walls of the chart's box: a plane behind or beside the plot.
class TChartWall {
 public:
  explicit TChartWall(TColor defaultColor = clDefault, TBrushStyle brushStyle = bsSolid)
      : FDefaultColor(defaultColor), FColor(defaultColor) {
    Brush.style = brushStyle;
  }

  TColor Color() const { return FColor; }
  void SetColor(TColor value) { FColor = value; }
  // Stored with the layout only when it differs from the wall's own default.
  bool ColorStored() const { return FColor != FDefaultColor; }
  TColor DefaultColor() const { return FDefaultColor; }

  TChartBrush Brush;
  TChartPen Pen;
  bool Dark3D = true;
  // Thickness in pixels.
  int Size = 0;

 private:
  TColor FDefaultColor;
  TColor FColor;
};
