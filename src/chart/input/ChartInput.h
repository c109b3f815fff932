#pragma once

#include <utility>
#include <vector>

#include "chart/ChartExport.h"
#include "chart/input/ChartMouse.h"
#include "platform/Control.h"

class TCustomChart;
class TCustomChartAxis;

// Where a mouse gesture over the chart stands: no button down, a button down that may still
// become a click, or a zoom or pan drag.
enum class TChartGesture { Idle, Pressed, ZoomDrag, PanDrag };

// The chart's answer to the mouse and keyboard: what a press hit and the click events, the
// zoom and pan drags with the ranges saved before the first of them, and the wheel. One
// gesture at a time; Esc and a lost capture end a drag without applying it (a pan puts the
// ranges back as they were at its press), and a gesture that ended that way gives no click.
class LISTCHART_CHART_API TChartInput {
 public:
  // The input of a chart, which owns it and passes its window's events on.
  explicit TChartInput(TCustomChart& chart) : FChart(chart) {}
  TChartInput(const TChartInput&) = delete;
  TChartInput& operator=(const TChartInput&) = delete;

  // Where the gesture stands now.
  TChartGesture State() const { return FState; }
  // The zoom drag's corners, while one runs.
  const TZoomPanningRecord& ZoomDrag() const { return FZoomDrag; }
  // The pan drag's corners, while one runs.
  const TZoomPanningRecord& PanDrag() const { return FPanDrag; }
  // Whether a zoom was applied and not undone since.
  bool IsZoomed() const { return FIsZoomed; }
  // Whether the axes have their ranges from before the first zoom or pan: no undo is pending.
  bool RangesRestored() const { return FRangesRestored; }
  // The ranges saved at the first zoom or pan since the last undo.
  const TSavedRanges& SavedRanges() const { return FSavedRanges; }

  // A button went down: fires OnMouseDown, the click events of the part hit, and may start a zoom
  // or pan drag.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  // The pointer moved: fires OnMouseMove, then carries a drag on or sets the cursor a series asks
  // for.
  void MouseMove(TShiftState shift, int x, int y);
  // A button went up: fires OnClick for a left click, OnMouseUp, then finishes the zoom drag (right
  // and down zooms, any other direction undoes) and ends a pan.
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // Fires OnMouseWheelUp or OnMouseWheelDown and moves the vertical axes by kWheelScrollPercent
  // of their span, once per notch (positive notches turn the wheel up); true when notches is not 0.
  bool MouseWheel(TShiftState shift, int notches, int x, int y);
  // Esc during a drag cancels it and sets key to 0; other keys are left alone.
  void KeyDown(int& key, TShiftState shift);
  // The window lost the mouse capture: cancels any drag and goes idle.
  void CaptureLost();
  // Draws the zoom frame again over a fresh paint, so that it stays on screen once.
  void PaintFeedback(TCanvas& canvas) const;

  // Zooms every axis to the rectangle of the zoom drag.
  void ZoomToDrag();
  // Back to the ranges from before the first zoom or pan since the last undo.
  void RevertZoom();

 private:
  bool Dragging() const {
    return FState == TChartGesture::ZoomDrag || FState == TChartGesture::PanDrag;
  }
  // Returns whether a handler cancelled the chart's own reaction.
  bool FireClickEvents(const TChartClickedPart& part, TMouseButton button, TShiftState shift, int x,
                       int y);
  bool StartDrag(TMouseButton button, TShiftState shift, int x, int y);
  void MoveZoomFrame(int x, int y);
  void MovePan(int x, int y);
  void TrackSeriesCursor(TShiftState shift, int x, int y);
  void FireClickOnRelease(TMouseButton button, int x, int y);
  void FinishZoomDrag(int x, int y);
  // Ends a drag without applying it and takes its frame off the screen; no click follows.
  void Cancel();
  void EndGesture();
  void ApplyCursor(int16_t cursor);
  void ToggleZoomFrameOnScreen() const;
  void DrawZoomFrame(TCanvas& canvas) const;
  void SaveRangesOnce();
  void ApplyZoom(const double targetMin[4], const double targetMax[4]);
  bool PanAxes(bool horizontal, int from, int to);
  // The ranges at a pan's press, put back when the pan is cancelled.
  void RememberPanStart();
  void RestorePanStart();
  void ScrollVerticalAxes(double direction);
  TCustomChartAxis* SavedAxis(int index) const;

  TCustomChart& FChart;
  TChartGesture FState = TChartGesture::Idle;
  TZoomPanningRecord FZoomDrag, FPanDrag;
  // A left press on the window waits for its release to become a click.
  bool FClickArmed = false;
  bool FIsZoomed = false;
  bool FRangesRestored = true;
  TSavedRanges FSavedRanges;
  std::vector<std::pair<TCustomChartAxis*, TAxisRangeRecord>> FPanStart;
  bool FPanStartRestored = true;
  bool FPanMoved = false;
};
