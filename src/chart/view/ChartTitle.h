#pragma once

#include <string>
#include <vector>

#include "chart/ChartExport.h"
#include "chart/view/ChartLayout.h"
#include "chart/view/ChartTextBox.h"
#include "platform/TextTypes.h"

// Title above or foot below the plot: lines of text, optionally framed.
class LISTCHART_CHART_API TChartTitle : public TChartTextBox {
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

  // The layout's step: where the lines go, at the top of the plot (or at its bottom for the
  // foot), taken from the plot with a gap of five pixels.
  void Place(TTitleLayout& out, TRect& plot, TChartCanvas3D& canvas, bool atTop) const;
  void Draw(TChartCanvas3D& canvas, const TTitleLayout& layout) const;

 private:
  std::vector<std::string> FText;
  TAlignment FAlignment = taCenter;
  bool FAdjustFrame = true;
  TChartBrush FBrush;
};
