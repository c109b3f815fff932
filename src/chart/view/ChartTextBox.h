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

  bool Visible() const { return FVisible; }
  void SetVisible(bool value) { Change(FVisible, value); }
  TColor Color() const { return FColor; }
  void SetColor(TColor value) { Change(FColor, value); }
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& value) { Change(FFont, value); }
  const TChartPen& Frame() const { return FFrame; }
  void SetFrame(const TChartPen& value) { Change(FFrame, ClampPen(value)); }

 protected:
  TChartTextBox(TCustomChartPanel* chart, TColor color, const TChartPen& frame)
      : FChart(chart), FColor(color), FFrame(frame) {}
  ~TChartTextBox() = default;
  TCustomChartPanel* Chart() const { return FChart; }
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
