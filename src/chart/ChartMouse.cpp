// The chart's answer to the mouse: what a press hit, the click events, and the state machine
// of the zoom and pan drags (idle, zoom drag, pan drag).
#include <algorithm>
#include <cstdlib>

#include "chart/Chart.h"
#include "chart/ChartSeries.h"

namespace {

bool Holds(TShiftState shift, TShiftState keys) {
  return (shift & keys) == keys;
}

TCursorShape ShapeOf(int16_t cursor) {
  return cursor > 0 && cursor <= crHourGlass ? static_cast<TCursorShape>(cursor) : crArrow;
}

}  // namespace

TChartMouseSettings& ChartMouseSettings() {
  static TChartMouseSettings settings;
  return settings;
}

void TZoomPanningRecord::Normalize() {
  if (StartX > EndX) std::swap(StartX, EndX);
  if (StartY > EndY) std::swap(StartY, EndY);
}

TChartClickedPart TCustomChart::FindClickedPart(TPoint p) {
  const std::vector<TChartSeries*>& list = SeriesList();
  bool anyActive = false;
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if (!(*it)->Active()) continue;
    anyActive = true;
    const int index = (*it)->PointAt(p);
    if (index >= 0) return {cpSeries, index, *it, nullptr};
  }
  for (TCustomChartAxis* axis : Axes())
    if (AxisHit(*axis, p)) return {cpAxis, -1, nullptr, axis};
  if (Title().Visible() && PtInRect(Title().DrawnRect, p)) return {cpTitle};
  if (Foot().Visible() && PtInRect(Foot().DrawnRect, p)) return {cpFoot};
  if (anyActive && PtInRect(PlotRect, p)) return {cpChartRect};
  const int item = Legend().Visible() ? Legend().ItemAt(p) : -1;
  if (item >= 0) return {cpLegend, item};
  return {};
}

// Along the axis its pixel extent; across it the band from the labels to the axis line,
// with some tolerance beyond the line.
bool TCustomChart::AxisHit(const TCustomChartAxis& axis, TPoint p) const {
  if (axis.IsDepth() || !AxisIsShown(axis)) return false;
  const int labels = axis.Labels() ? axis.LabelsPos : axis.AxisLinePos;
  int low = std::min(labels, axis.AxisLinePos), high = std::max(labels, axis.AxisLinePos);
  if (axis.AxisLinePos >= labels)
    high += ChartMouseSettings().ClickTolerance;
  else
    low -= ChartMouseSettings().ClickTolerance;
  const int start = std::min(axis.StartPixel, axis.EndPixel);
  const int end = std::max(axis.StartPixel, axis.EndPixel);
  return PtInRect(axis.IsHorizontal() ? Rect(start, low, end, high) : Rect(low, start, high, end),
                  p);
}

void TCustomChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) FClickArmed = true;
  SetCapture(true);
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
  if (FZoomDrag.Active || FPanDrag.Active) return;
  if (MouseCancelled) {
    MouseCancelled = false;
    return;
  }
  const TChartClickedPart part = FindClickedPart({x, y});
  bool cancelled = FireClickEvents(part, button, shift, x, y);
  const bool draggable = part.Part == cpAxis || part.Part == cpSeries || part.Part == cpChartRect;
  if (!cancelled && draggable) cancelled = StartDrag(button, shift, x, y);
  // Presses on parts without an event of their own count as presses on the background.
  const bool ownEvent = draggable || part.Part == cpLegend;
  if (!cancelled && !ownEvent && OnClickBackground) OnClickBackground(this, button, shift, x, y);
  MouseCancelled = false;
}

// Returns whether a handler cancelled the chart's own reaction.
bool TCustomChart::FireClickEvents(const TChartClickedPart& part, TMouseButton button,
                                   TShiftState shift, int x, int y) {
  auto fire = [&](const auto& event, auto... args) {
    MouseCancelled = true;
    event(this, args...);
    return MouseCancelled;
  };
  switch (part.Part) {
    case cpLegend:
      return OnClickLegend && fire(OnClickLegend, button, shift, x, y);
    case cpAxis:
      return OnClickAxis && fire(OnClickAxis, part.AAxis, button, shift, x, y);
    case cpSeries: {
      const bool cancelled = part.ASeries->SeriesClicked(part.PointIndex, button, shift, x, y);
      if (!OnClickSeries) return cancelled;
      return fire(OnClickSeries, part.ASeries, part.PointIndex, button, shift, x, y);
    }
    case cpChartRect:
      return OnClickBackground && fire(OnClickBackground, button, shift, x, y);
    default:
      return false;
  }
}

// At most one drag runs; the zoom wins when both buttons are the same.
bool TCustomChart::StartDrag(TMouseButton button, TShiftState shift, int x, int y) {
  const TChartMouseSettings& settings = ChartMouseSettings();
  if (AllowZoom && button == settings.ZoomButton && Holds(shift, settings.ZoomShift)) {
    ApplyCursor(0);
    FZoomDrag.Start(x, y);
    ToggleZoomFrameOnScreen();
    return true;
  }
  if (AllowPanning != pmNone && button == settings.PanButton && Holds(shift, settings.PanShift)) {
    ApplyCursor(0);
    FPanDrag.Start(x, y);
    return true;
  }
  return false;
}

void TCustomChart::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
  if (FZoomDrag.Active)
    MoveZoomFrame(x, y);
  else if (FPanDrag.Active)
    MovePan(x, y);
  else
    TrackSeriesCursor(shift, x, y);
}

void TCustomChart::MoveZoomFrame(int x, int y) {
  if (x == FZoomDrag.EndX && y == FZoomDrag.EndY) return;
  ToggleZoomFrameOnScreen();
  FZoomDrag.EndX = x;
  FZoomDrag.EndY = y;
  ToggleZoomFrameOnScreen();
}

void TCustomChart::MovePan(int x, int y) {
  // Leaving the plot ends the pan; coming back does not resume it.
  if (!PtInRect(PlotRect, {x, y})) {
    FPanDrag.Active = false;
    return;
  }
  if (x == FPanDrag.EndX && y == FPanDrag.EndY) return;
  SaveRangesOnce();
  const bool horizontal = PanAxes(true, FPanDrag.EndX, x);
  const bool vertical = PanAxes(false, FPanDrag.EndY, y);
  FPanDrag.EndX = x;
  FPanDrag.EndY = y;
  if (!horizontal && !vertical) return;
  if (OnScroll) OnScroll(this);
  Invalidate();
}

void TCustomChart::TrackSeriesCursor(TShiftState shift, int x, int y) {
  const std::vector<TChartSeries*> list = SeriesList();
  const auto claiming = std::find_if(list.begin(), list.end(), [&](TChartSeries* series) {
    return series->Active() && series->Cursor() != 0 && series->PointAt({x, y}) >= 0;
  });
  if (claiming != list.end()) ApplyCursor((*claiming)->Cursor());
  for (TChartSeries* series : list) series->SeriesMouseMove(shift, x, y);
  if (claiming == list.end()) ApplyCursor(InitialCursor);
}

void TCustomChart::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  // The owner's click handler runs before a zoom is applied or undone.
  FireClickOnRelease(button, x, y);
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
  const std::vector<TChartSeries*> list = SeriesList();
  for (TChartSeries* series : list) series->SeriesMouseUp(button, shift, x, y);
  if (FZoomDrag.Active && button == ChartMouseSettings().ZoomButton) FinishZoomDrag(x, y);
  FPanDrag.Active = false;
  if (!FZoomDrag.Active) SetCapture(false);
}

void TCustomChart::FireClickOnRelease(TMouseButton button, int x, int y) {
  if (button != mbLeft) return;
  const bool armed = FClickArmed;
  FClickArmed = false;
  if (armed && PtInRect(Rect(0, 0, Width(), Height()), {x, y}) && OnClick) OnClick(this);
}

void TCustomChart::FinishZoomDrag(int x, int y) {
  ToggleZoomFrameOnScreen();
  FZoomDrag.Active = false;
  FZoomDrag.EndX = x;
  FZoomDrag.EndY = y;
  const int dx = FZoomDrag.EndX - FZoomDrag.StartX, dy = FZoomDrag.EndY - FZoomDrag.StartY;
  if (std::abs(dx) <= kMinZoomDragPixels || std::abs(dy) <= kMinZoomDragPixels) return;
  // Right and down zooms in; any other direction undoes.
  if (dx > 0 && dy > 0)
    ZoomToRectangle();
  else
    RevertZoom();
  Invalidate();
}

bool TCustomChart::MouseWheel(TShiftState shift, int notches, int x, int y) {
  // Positive notches turn the wheel away from the user (up).
  const bool down = notches < 0;
  for (int i = 0; i < std::abs(notches); ++i) {
    bool handled = false;
    const auto& event = down ? OnMouseWheelDown : OnMouseWheelUp;
    if (event) event(this, shift, {x, y}, handled);
    ScrollVerticalAxes(down ? 1 : -1);
  }
  return notches != 0;
}

void TCustomChart::KeyDown(int& key, TShiftState /*shift*/) {
  if (key != vkEscape || !(FZoomDrag.Active || FPanDrag.Active)) return;
  CancelDrags();
  key = 0;
}

void TCustomChart::CaptureLost() {
  CancelDrags();
}

// Ends a drag without applying it, taking its frame off the screen.
void TCustomChart::CancelDrags() {
  if (FZoomDrag.Active) ToggleZoomFrameOnScreen();
  FZoomDrag.Active = FPanDrag.Active = false;
}

void TCustomChart::Paint(TCanvas& canvas, const TRect& updateRect) {
  TCustomAxisPanel::Paint(canvas, updateRect);
  // The paint covered the frame in its area; drawn again there, it stays on screen once.
  if (FZoomDrag.Active) DrawZoomFrame(canvas);
}

void TCustomChart::ApplyCursor(int16_t cursor) {
  if (Cursor == cursor) return;
  Cursor = cursor;
  SetCursorShape(ShapeOf(cursor));
}
