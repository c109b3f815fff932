#pragma once

#include <functional>

#include "chart/ChartExport.h"
#include "chart/view/ChartPen.h"

// One of the three walls of the chart's box: a plane behind or beside the plot. Every change
// asks the chart to repaint.
class LISTCHART_CHART_API TChartWall {
 public:
  // A wall of the given default colour and brush style that calls repaint after each change.
  TChartWall(std::function<void()> repaint, TColor defaultColor, TBrushStyle brushStyle);
  TChartWall(const TChartWall&) = delete;
  TChartWall& operator=(const TChartWall&) = delete;

  // The wall's fill colour; clDefault leaves a solid wall unfilled and a patterned one in the
  // brush's colour. The default colour to begin with.
  TColor Color() const { return FColor; }
  // Sets Color.
  void SetColor(TColor value);
  // Stored with the layout only when it differs from the wall's own default.
  bool ColorStored() const { return FColor != FDefaultColor; }
  // The colour the wall was made with.
  TColor DefaultColor() const { return FDefaultColor; }

  // The fill's style, and the colour behind a pattern (or used when Color is clDefault).
  const TChartBrush& Brush() const { return FBrush; }
  // Sets Brush.
  void SetBrush(const TChartBrush& value);
  // The outline of the wall.
  const TChartPen& Pen() const { return FPen; }
  // Sets Pen; its width is kept between 0 and kMaxPenWidth.
  void SetPen(const TChartPen& value);
  // Whether the sides of a thick wall are drawn darker; true by default.
  bool Dark3D() const { return FDark3D; }
  // Sets Dark3D.
  void SetDark3D(bool value);
  // Thickness in pixels.
  int Size() const { return FSize; }
  // Sets Size, kept within 10000 pixels either way; below 1 the wall is a plane.
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
