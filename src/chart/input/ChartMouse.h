#pragma once

#include "chart/ChartExport.h"
#include "platform/Control.h"

class TChartSeries;
class TCustomChartAxis;

// Which axes a pan drag moves.
enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

// The corners of a zoom or pan drag, in client pixels.
struct LISTCHART_CHART_API TZoomPanningRecord {
  // Whether the drag is under way.
  bool Active = false;
  // Where the drag started, and where it is now (or ended).
  ///@{
  int StartX = 0, StartY = 0, EndX = 0, EndY = 0;
  ///@}

  // Starts a drag at (x, y): both corners there, and active.
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
  // The axis' Automatic, AutomaticMinimum and AutomaticMaximum settings.
  ///@{
  bool Automatic = true, AutomaticMinimum = true, AutomaticMaximum = true;
  ///@}
  // The axis' Minimum and Maximum.
  ///@{
  double Minimum = 0, Maximum = 0;
  ///@}
};

// The top, left, right and bottom axes, in this order.
struct LISTCHART_CHART_API TSavedRanges {
  // The saved settings, one for each axis.
  TAxisRangeRecord Axes[4];
};

// Mouse settings shared by every chart.
struct LISTCHART_CHART_API TChartMouseSettings {
  // The button whose drag zooms; mbLeft by default.
  TMouseButton ZoomButton = mbLeft;
  // The button whose drag pans; mbRight by default. The zoom wins when both are the same.
  TMouseButton PanButton = mbRight;
  // Keys that must be held to start a drag; empty means any combination.
  TShiftState ZoomShift = 0;
  // Keys that must be held to start a pan; none by default.
  TShiftState PanShift = 0;
  // With AnimatedZoom, each step covers this fraction (1 / factor) of the way to the zoomed range
  // left; 3 by default.
  double AnimatedZoomFactor = 3.0;
  // How many pixels beyond an axis line a press still hits the axis; 3 by default.
  int ClickTolerance = 3;
};
// The settings every chart reads; change them here.
LISTCHART_CHART_API TChartMouseSettings& ChartMouseSettings();

enum TChartClickedPartStyle { cpNone, cpLegend, cpAxis, cpSeries, cpTitle, cpFoot, cpChartRect };

// What a press hit; PointIndex is the series' point or the legend's item, else -1.
struct LISTCHART_CHART_API TChartClickedPart {
  // The kind of part hit; cpNone for nothing.
  TChartClickedPartStyle Part = cpNone;
  // The series' point or the legend's item hit; -1 for other parts.
  int PointIndex = -1;
  // The series hit, for cpSeries.
  TChartSeries* ASeries = nullptr;
  // The axis hit, for cpAxis.
  TCustomChartAxis* AAxis = nullptr;
};

// A drag shorter than this (in both directions) neither zooms nor undoes.
constexpr int kMinZoomDragPixels = 16;
// Each wheel notch moves the vertical axes by this percentage of their span.
constexpr double kWheelScrollPercent = 3;
