#pragma once

#include <functional>
#include <string>
#include <vector>

#include "chart/ChartAxisPanel.h"
#include "platform/TextTypes.h"

class TCustomChart;

// Title above or foot below the plot: lines of text, optionally framed.
class TChartTitle {
 public:
  explicit TChartTitle(TCustomChart* chart) : FChart(chart) {}
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  const std::vector<std::string>& Text() const { return FText; }
  void SetText(const std::vector<std::string>& lines);
  TAlignment Alignment = taCenter;
  bool AdjustFrame = true;
  TColor Color = clDefault;
  TFont Font;
  TChartPen Frame = ChartHiddenPen();
  TChartBrush Brush;

 private:
  TCustomChart* FChart;
  bool FVisible = true;
  std::vector<std::string> FText;
};

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };
enum TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues };
enum TLegendTextStyle { ltsPlain, ltsLeftValue, ltsRightValue, ltsLeftPercent, ltsRightPercent, ltsXValue };

// The box listing the series (or the points of a single series) with their colours.
class TChartLegend {
 public:
  explicit TChartLegend(TCustomChart* chart) : FChart(chart) {}
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool Vertical() const { return Alignment == laLeft || Alignment == laRight; }
  TLegendAlignment Alignment = laRight;
  bool ResizeChart = true;
  int ColorWidth = 12;
  int MaxNumRows = 10;
  int TopPos = 10;
  int ShadowSize = 3;
  TColor ShadowColor = clBlack;
  TLegendStyle LegendStyle = lsAuto;
  TLegendTextStyle TextStyle = ltsLeftValue;
  TColor Color = clWhite;
  TFont Font;
  TChartPen Frame;
  int HorizMargin = 0, VertMargin = 0;
  bool Inverted = false;
  int FirstValue = 0;
  bool DividingLines = false;

 private:
  TCustomChart* FChart;
  bool FVisible = true;
};

// The chart: series, axes, walls, title, foot and legend, drawn by one paint pipeline into
// the retained picture.
class TCustomChart : public TCustomAxisPanel {
 public:
  TCustomChart();

  void DrawChart(TCanvas& target, const TRect& targetRect) override;

  TChartTitle Title{this};
  TChartTitle Foot{this};
  TChartLegend Legend{this};

  // A zoom frame being dragged, drawn over the chart (empty when none).
  TRect ZoomFrame;

  // The legend's texts and box may be changed by the program.
  std::function<void(TCustomChart* sender, int index, std::string& text)> OnGetLegendText;
  std::function<void(TCustomChart* sender, TRect& rect)> OnGetLegendRect;
  std::function<void(TCustomChart* sender)> OnPageChange;

 protected:
  TColor BackWallColor() const override { return BackWall.Color(); }

 private:
  void DrawTitlesAndLegend();
  void DrawTitle(TChartTitle& title, bool atTop);
  void DrawLegend();
  void PrepareWall(const TChartWall& wall);
  void DrawWalls();
};

class TChart : public TCustomChart {};
