#pragma once

#include <string>
#include <vector>

#include "chart/ChartExport.h"
#include "chart/view/ChartLayout.h"
#include "chart/view/ChartTextBox.h"

class TCustomChart;
class TChartSeries;

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };
enum TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues };
// What a legend row listing a point (or a series' last value) shows besides the label: nothing,
// the value left or right of it, the percent left or right of it, or the X value instead.
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
  // The chart's legend, owned by it: white, with a frame, its text black (on the white box
  // whatever the desktop's colours).
  explicit TChartLegend(TCustomChartPanel* chart) : TChartTextBox(chart, clWhite, TChartPen{}) {
    TFont black = Font();
    black.SetColor(clBlack);
    SetFont(black);
  }

  // Whether the legend stands at the left or right, its rows one under another.
  bool Vertical() const { return FAlignment == laLeft || FAlignment == laRight; }
  // The side of the plot the legend stands at; laRight by default.
  TLegendAlignment Alignment() const { return FAlignment; }
  // Sets the side and repaints the chart.
  void SetAlignment(TLegendAlignment value) { Change(FAlignment, value); }
  // Whether the plot gives the legend its room (5 pixels apart) rather than lying under it;
  // true by default.
  bool ResizeChart() const { return FResizeChart; }
  // Sets ResizeChart.
  void SetResizeChart(bool value) { Change(FResizeChart, value); }
  // Width in pixels of each row's colour symbol; 12 by default.
  int ColorWidth() const { return FColorWidth; }
  // Sets the symbol width.
  void SetColorWidth(int value) { Change(FColorWidth, ClampPixels(value)); }
  // The most rows a legend at the left or right lists; 10 by default.
  int MaxNumRows() const { return FMaxNumRows; }
  // Sets the row limit.
  void SetMaxNumRows(int value) { Change(FMaxNumRows, value); }
  // Percent of the plot's height from its top (for a legend at the left or right).
  int TopPos() const { return FTopPos; }
  // Sets TopPos.
  void SetTopPos(int value) { Change(FTopPos, ClampPixels(value)); }
  // Offset in pixels of the shadow right of and below the box; 3 by default, 0 for none.
  int ShadowSize() const { return FShadowSize; }
  // Sets the shadow's offset.
  void SetShadowSize(int value) { Change(FShadowSize, ClampPixels(value)); }
  // The shadow's colour; clBlack by default.
  TColor ShadowColor() const { return FShadowColor; }
  // Sets the shadow's colour.
  void SetShadowColor(TColor value) { Change(FShadowColor, value); }
  // What the rows list: lsAuto (the default) lists the points when one series is active, else
  // the series; lsValues always the first active series' points; the others the series.
  TLegendStyle LegendStyle() const { return FLegendStyle; }
  // Sets the legend style.
  void SetLegendStyle(TLegendStyle value) { Change(FLegendStyle, value); }
  // What rows listing points show besides the label; ltsLeftValue by default.
  TLegendTextStyle TextStyle() const { return FTextStyle; }
  // Sets TextStyle.
  void SetTextStyle(TLegendTextStyle value) { Change(FTextStyle, value); }
  // Pixels added left and right of the rows inside the box; 0 by default.
  int HorizMargin() const { return FHorizMargin; }
  // Sets HorizMargin.
  void SetHorizMargin(int value) { Change(FHorizMargin, ClampPixels(value)); }
  // Pixels added above and below the rows inside the box; 0 by default.
  int VertMargin() const { return FVertMargin; }
  // Sets VertMargin.
  void SetVertMargin(int value) { Change(FVertMargin, ClampPixels(value)); }
  // Whether the rows list the items from the last one up; false by default.
  bool Inverted() const { return FInverted; }
  // Sets Inverted.
  void SetInverted(bool value) { Change(FInverted, value); }
  // The first point listed when the legend lists points; below 0 lists from the first.
  int FirstValue() const { return FFirstValue; }
  // Sets FirstValue.
  void SetFirstValue(int value) { Change(FFirstValue, value); }
  // Whether a line in the frame's colour parts the rows; false by default.
  bool DividingLines() const { return FDividingLines; }
  // Sets DividingLines.
  void SetDividingLines(bool value) { Change(FDividingLines, value); }

  // The text a row listing the point at index shows (value or percent and label as TextStyle
  // puts them), as marks of the legend style show it.
  std::string PointText(const TChartSeries& series, int index) const;

  // The item listed at a point, as the chart's layout places the legend; -1 when none.
  int ItemAt(TPoint p) const;

  // The layout's step: the rows and the box at its side of the plot, taken from the plot
  // when the legend resizes the chart.
  void Place(TLegendLayout& out, TRect& plot, TCustomChart& chart, TChartCanvas3D& canvas) const;
  // Draws the shadow, the framed box and each row's symbol and text where Place put them.
  void Draw(TChartCanvas3D& canvas, const TLegendLayout& layout) const;

 private:
  // One row per active series, or per point when one series is listed by its points.
  std::vector<TLegendRow> Rows(TCustomChart& chart, int& firstItem) const;
  TRect PlaceBox(TRect& plot, TCustomChart& chart, int width, int height) const;
  // A row listing a point, labelled with its own label or another (a series' title).
  TLegendRow PointRow(const TChartSeries& series, int index, const std::string& label) const;
  // Where each row's parts go, as OnGetLegendPos may change them.
  void PlaceRows(TLegendLayout& out, TCustomChart& chart) const;

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
