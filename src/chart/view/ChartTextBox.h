#pragma once

#include "chart/ChartExport.h"
#include "chart/ChartPanel.h"
#include "chart/view/ChartLimits.h"
#include "platform/Font.h"
#include "platform/Property.h"

// What the title and the legend share: a box of text on the chart, shown or not, with its
// colour, font and frame. Every change asks the chart to repaint.
class LISTCHART_CHART_API TChartTextBox {
 public:
  TChartTextBox(const TChartTextBox&) = delete;
  TChartTextBox& operator=(const TChartTextBox&) = delete;

  // Whether the box is drawn; true by default.
  bool Visible() const { return FVisible; }
  // Sets Visible.
  void SetVisible(bool value) { Change(FVisible, value); }
  // The box's background colour.
  TColor Color() const { return FColor; }
  // Sets Color.
  void SetColor(TColor value) { Change(FColor, value); }
  // The font of the text.
  const TFont& Font() const { return FFont; }
  // Sets Font.
  void SetFont(const TFont& value) { Change(FFont, value); }
  // The frame around the box.
  const TChartPen& Frame() const { return FFrame; }
  // Sets Frame; its width is kept between 0 and kMaxPenWidth.
  void SetFrame(const TChartPen& value) { Change(FFrame, ClampPen(value)); }

 protected:
  // A box on the chart (not owned, repainted on each change) with its colour and frame.
  TChartTextBox(TCustomChartPanel* chart, TColor color, const TChartPen& frame)
      : FChart(chart), FColor(color), FFrame(frame) {}
  ~TChartTextBox() = default;
  // The chart the box is on.
  TCustomChartPanel* Chart() const { return FChart; }
  // Stores a value and, when it differs, invalidates the chart.
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
