#pragma once

#include "chart/ChartExport.h"
#include "platform/Control.h"

class TChartSeries;
class TCustomChartAxis;

// Which axes a pan drag moves.
enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

// The corners of a zoom or pan drag, in client pixels.
struct LISTCHART_CHART_API TZoomPanningRecord {
  bool Active = false;
  int StartX = 0, StartY = 0, EndX = 0, EndY = 0;

  void Start(int x, int y) {
    StartX = EndX = x;
    StartY = EndY = y;
    Active = true;
  }
  // Start becomes the top left corner, End the bottom right.
  void Normalize();
};

// An axis' range settings as they were before the first zoom or pan.
struct LISTCHART_CHART_API TAxisRangeRecord {
  bool Automatic = true, AutomaticMinimum = true, AutomaticMaximum = true;
  double Minimum = 0, Maximum = 0;
};

// The top, left, right and bottom axes, in this order.
struct LISTCHART_CHART_API TSavedRanges {
  TAxisRangeRecord Axes[4];
};

// Mouse settings shared by every chart.
struct LISTCHART_CHART_API TChartMouseSettings {
  TMouseButton ZoomButton = mbLeft;
  TMouseButton PanButton = mbRight;
  // Keys that must be held to start a drag; empty means any combination.
  TShiftState ZoomShift = 0;
  TShiftState PanShift = 0;
  double AnimatedZoomFactor = 3.0;
  int ClickTolerance = 3;
};
LISTCHART_CHART_API TChartMouseSettings& ChartMouseSettings();

enum TChartClickedPartStyle { cpNone, cpLegend, cpAxis, cpSeries, cpTitle, cpFoot, cpChartRect };

// What a press hit; PointIndex is the series' point or the legend's item, else -1.
struct LISTCHART_CHART_API TChartClickedPart {
  TChartClickedPartStyle Part = cpNone;
  int PointIndex = -1;
  TChartSeries* ASeries = nullptr;
  TCustomChartAxis* AAxis = nullptr;
};

// A drag shorter than this (in both directions) neither zooms nor undoes.
constexpr int kMinZoomDragPixels = 16;
// Each wheel notch moves the vertical axes by this percentage of their span.
constexpr double kWheelScrollPercent = 3;
