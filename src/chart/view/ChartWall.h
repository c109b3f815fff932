#pragma once

#include <functional>

#include "chart/ChartExport.h"
#include "chart/view/ChartPen.h"

// One of the three walls of the chart's box: a plane behind or beside the plot. Every change
// asks the chart to repaint.
class LISTCHART_CHART_API TChartWall {
 public:
  TChartWall(std::function<void()> repaint, TColor defaultColor, TBrushStyle brushStyle);
  TChartWall(const TChartWall&) = delete;
  TChartWall& operator=(const TChartWall&) = delete;

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  // Stored with the layout only when it differs from the wall's own default.
  bool ColorStored() const { return FColor != FDefaultColor; }
  TColor DefaultColor() const { return FDefaultColor; }

  const TChartBrush& Brush() const { return FBrush; }
  void SetBrush(const TChartBrush& value);
  const TChartPen& Pen() const { return FPen; }
  void SetPen(const TChartPen& value);
  bool Dark3D() const { return FDark3D; }
  void SetDark3D(bool value);
  // Thickness in pixels.
  int Size() const { return FSize; }
  void SetSize(int value);

 private:
  std::function<void()> FRepaint;
  TColor FDefaultColor;
  TColor FColor;
  TChartBrush FBrush;
  TChartPen FPen;
  bool FDark3D = true;
  int FSize = 0;
};
