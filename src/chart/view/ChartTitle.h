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
  // A title of the chart, which owns it: no text, no frame, no fill.
  explicit TChartTitle(TCustomChartPanel* chart)
      : TChartTextBox(chart, clDefault, ChartHiddenPen()) {}

  // The lines of text, top to bottom; none by default, and then the title takes no room.
  const std::vector<std::string>& Text() const { return FText; }
  // Sets the lines and repaints the chart.
  void SetText(const std::vector<std::string>& lines) { Change(FText, lines); }
  // Where the lines stand across the plot's width: taCenter (the default), taLeftJustify or
  // taRightJustify.
  TAlignment Alignment() const { return FAlignment; }
  // Sets the alignment.
  void SetAlignment(TAlignment value) { Change(FAlignment, value); }
  // Whether the frame and fill fit the text (true, the default) or span the plot's width.
  bool AdjustFrame() const { return FAdjustFrame; }
  // Sets AdjustFrame.
  void SetAdjustFrame(bool value) { Change(FAdjustFrame, value); }
  // The fill drawn over Color inside the frame: a hatch, a solid colour or a picture (tiled);
  // clear by default.
  const TChartBrush& Brush() const { return FBrush; }
  // Sets that brush.
  void SetBrush(const TChartBrush& value) { Change(FBrush, value); }

  // The layout's step: where the lines go, at the top of the plot (or at its bottom for the
  // foot), taken from the plot with a gap of five pixels.
  void Place(TTitleLayout& out, TRect& plot, TChartCanvas3D& canvas, bool atTop) const;
  // Draws the frame (when visible or Color is set) and the lines where Place put them.
  void Draw(TChartCanvas3D& canvas, const TTitleLayout& layout) const;

 private:
  std::vector<std::string> FText;
  TAlignment FAlignment = taCenter;
  bool FAdjustFrame = true;
  TChartBrush FBrush{{clWhite, bsClear, clWhite}};
};
