#pragma once

#include <string>
#include <vector>

#include "chart/ChartExport.h"
#include "chart/view/ChartLayout.h"
#include "chart/view/ChartTextBox.h"

class TCustomChart;

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };
enum TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues };
enum TLegendTextStyle {
  ltsPlain,
  ltsLeftValue,
  ltsRightValue,
  ltsLeftPercent,
  ltsRightPercent,
  ltsXValue
};

// The box listing the series (or the points of a single series) with their colours.
class LISTCHART_CHART_API TChartLegend : public TChartTextBox {
 public:
  explicit TChartLegend(TCustomChartPanel* chart) : TChartTextBox(chart, clWhite, TChartPen{}) {}

  bool Vertical() const { return FAlignment == laLeft || FAlignment == laRight; }
  TLegendAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TLegendAlignment value) { Change(FAlignment, value); }
  bool ResizeChart() const { return FResizeChart; }
  void SetResizeChart(bool value) { Change(FResizeChart, value); }
  int ColorWidth() const { return FColorWidth; }
  void SetColorWidth(int value) { Change(FColorWidth, ClampPixels(value)); }
  int MaxNumRows() const { return FMaxNumRows; }
  void SetMaxNumRows(int value) { Change(FMaxNumRows, value); }
  // Percent of the plot's height from its top (for a legend at the left or right).
  int TopPos() const { return FTopPos; }
  void SetTopPos(int value) { Change(FTopPos, ClampPixels(value)); }
  int ShadowSize() const { return FShadowSize; }
  void SetShadowSize(int value) { Change(FShadowSize, ClampPixels(value)); }
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor value) { Change(FShadowColor, value); }
  TLegendStyle LegendStyle() const { return FLegendStyle; }
  void SetLegendStyle(TLegendStyle value) { Change(FLegendStyle, value); }
  TLegendTextStyle TextStyle() const { return FTextStyle; }
  void SetTextStyle(TLegendTextStyle value) { Change(FTextStyle, value); }
  int HorizMargin() const { return FHorizMargin; }
  void SetHorizMargin(int value) { Change(FHorizMargin, ClampPixels(value)); }
  int VertMargin() const { return FVertMargin; }
  void SetVertMargin(int value) { Change(FVertMargin, ClampPixels(value)); }
  bool Inverted() const { return FInverted; }
  void SetInverted(bool value) { Change(FInverted, value); }
  // The first point listed when the legend lists points; below 0 lists from the first.
  int FirstValue() const { return FFirstValue; }
  void SetFirstValue(int value) { Change(FFirstValue, value); }
  bool DividingLines() const { return FDividingLines; }
  void SetDividingLines(bool value) { Change(FDividingLines, value); }

  // The item listed at a point, as the chart's layout places the legend; -1 when none.
  int ItemAt(TPoint p) const;

  // The layout's step: the rows and the box at its side of the plot, taken from the plot
  // when the legend resizes the chart.
  void Place(TLegendLayout& out, TRect& plot, TCustomChart& chart, TChartCanvas3D& canvas) const;
  void Draw(TChartCanvas3D& canvas, const TLegendLayout& layout) const;

 private:
  // One row per active series, or per point when one series is listed by its points.
  std::vector<TLegendRow> Rows(TCustomChart& chart, int& firstItem) const;
  TRect PlaceBox(TRect& plot, TCustomChart& chart, int width, int height) const;

  TLegendAlignment FAlignment = laRight;
  bool FResizeChart = true;
  int FColorWidth = 12;
  int FMaxNumRows = 10;
  int FTopPos = 10;
  int FShadowSize = 3;
  TColor FShadowColor = clBlack;
  TLegendStyle FLegendStyle = lsAuto;
  TLegendTextStyle FTextStyle = ltsLeftValue;
  int FHorizMargin = 0, FVertMargin = 0;
  bool FInverted = false;
  int FFirstValue = 0;
  bool FDividingLines = false;
};
