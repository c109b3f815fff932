#pragma once

#include <string>
#include <vector>

#include "chart/ChartLimits.h"
#include "chart/ChartPanel.h"
#include "platform/Font.h"
#include "platform/Property.h"
#include "platform/TextTypes.h"

// What the title and the legend share: a box of text on the chart, shown or not, with its
// colour, font and frame. Every change asks the chart to repaint.
class TChartTextBox {
 public:
  TChartTextBox(const TChartTextBox&) = delete;
  TChartTextBox& operator=(const TChartTextBox&) = delete;

  bool Visible() const { return FVisible; }
  void SetVisible(bool value) { Change(FVisible, value); }
  TColor Color() const { return FColor; }
  void SetColor(TColor value) { Change(FColor, value); }
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& value) { Change(FFont, value); }
  const TChartPen& Frame() const { return FFrame; }
  void SetFrame(const TChartPen& value) { Change(FFrame, ClampPen(value)); }

  // Where the last paint drew it (empty when it was not drawn); for hit testing.
  TRect DrawnRect;

 protected:
  TChartTextBox(TCustomChartPanel* chart, TColor color, const TChartPen& frame)
      : FChart(chart), FColor(color), FFrame(frame) {}
  ~TChartTextBox() = default;
  template <typename T>
  void Change(T& field, const T& value) {
    SetProperty(field, value, [this] { FChart->Invalidate(); });
  }

 private:
  TCustomChartPanel* FChart;
  bool FVisible = true;
  TColor FColor;
  TFont FFont;
  TChartPen FFrame;
};

// Title above or foot below the plot: lines of text, optionally framed.
class TChartTitle : public TChartTextBox {
 public:
  explicit TChartTitle(TCustomChartPanel* chart)
      : TChartTextBox(chart, clDefault, ChartHiddenPen()) {}

  const std::vector<std::string>& Text() const { return FText; }
  void SetText(const std::vector<std::string>& lines) { Change(FText, lines); }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value) { Change(FAlignment, value); }
  bool AdjustFrame() const { return FAdjustFrame; }
  void SetAdjustFrame(bool value) { Change(FAdjustFrame, value); }
  const TChartBrush& Brush() const { return FBrush; }
  void SetBrush(const TChartBrush& value) { Change(FBrush, value); }

 private:
  std::vector<std::string> FText;
  TAlignment FAlignment = taCenter;
  bool FAdjustFrame = true;
  TChartBrush FBrush;
};

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
class TChartLegend : public TChartTextBox {
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

  // The item drawn at a point by the last paint, -1 when none.
  int ItemAt(TPoint p) const;
  // Recorded by the paint besides DrawnRect: the first row's top, the row height, the item of the
  // first row and the step to the next row's item (-1 when inverted).
  int DrawnRowsTop = 0, DrawnRowHeight = 0, DrawnRowCount = 0;
  int DrawnFirstItem = 0, DrawnItemStep = 1;

 private:
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
