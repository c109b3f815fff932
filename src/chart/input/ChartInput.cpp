#include "chart/input/ChartInput.h"

#include <algorithm>
#include <cstdlib>

#include "chart/Chart.h"
#include "chart/series/ChartSeries.h"

namespace {

bool Holds(TShiftState shift, TShiftState keys) {
  return (shift & keys) == keys;
}

TCursorShape ShapeOf(int16_t cursor) {
  return cursor > 0 && cursor <= crHourGlass ? static_cast<TCursorShape>(cursor) : crArrow;
}

// Indexes into TSavedRanges.
enum { kTop, kLeft, kRight, kBottom };

// Drawn with not-xor, this pen flips the top bit of every colour channel under it: the frame
// stands 128 levels away from any background, light or dark, and drawing it again restores
// every pixel.
constexpr TColor kZoomFramePen = 0x7F7F7F;

}  // namespace

// --- presses and clicks ---------------------------------------------------------------------

void TChartInput::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (FState == TChartGesture::Idle) {
    FState = TChartGesture::Pressed;
    FClickArmed = button == mbLeft;
  }
  FChart.SetCapture(true);
  if (FChart.OnMouseDown) FChart.OnMouseDown(&FChart, button, shift, x, y);
  if (Dragging()) return;
  if (FChart.MouseCancelled()) {
    FChart.SetMouseCancelled(false);
    return;
  }
  const TChartClickedPart part = FChart.FindClickedPart({x, y});
  bool cancelled = FireClickEvents(part, button, shift, x, y);
  const bool draggable = part.Part == cpAxis || part.Part == cpSeries || part.Part == cpChartRect;
  if (!cancelled && draggable) cancelled = StartDrag(button, shift, x, y);
  // Presses on parts without an event of their own count as presses on the background.
  const bool ownEvent = draggable || part.Part == cpLegend;
  if (!cancelled && !ownEvent && FChart.OnClickBackground)
    FChart.OnClickBackground(&FChart, button, shift, x, y);
  FChart.SetMouseCancelled(false);
}

bool TChartInput::FireClickEvents(const TChartClickedPart& part, TMouseButton button,
                                  TShiftState shift, int x, int y) {
  auto fire = [&](const auto& event, auto... args) {
    FChart.SetMouseCancelled(true);
    event(&FChart, args...);
    return FChart.MouseCancelled();
  };
  switch (part.Part) {
    case cpLegend:
      return FChart.OnClickLegend && fire(FChart.OnClickLegend, button, shift, x, y);
    case cpAxis:
      return FChart.OnClickAxis && fire(FChart.OnClickAxis, part.AAxis, button, shift, x, y);
    case cpSeries: {
      const bool cancelled = part.ASeries->SeriesClicked(part.PointIndex, button, shift, x, y);
      if (!FChart.OnClickSeries) return cancelled;
      return fire(FChart.OnClickSeries, part.ASeries, part.PointIndex, button, shift, x, y);
    }
    case cpChartRect:
      return FChart.OnClickBackground && fire(FChart.OnClickBackground, button, shift, x, y);
    default:
      return false;
  }
}

// At most one drag runs; the zoom wins when both buttons are the same.
bool TChartInput::StartDrag(TMouseButton button, TShiftState shift, int x, int y) {
  const TChartMouseSettings& settings = ChartMouseSettings();
  if (FChart.AllowZoom() && button == settings.ZoomButton && Holds(shift, settings.ZoomShift)) {
    ApplyCursor(0);
    FZoomDrag.Start(x, y);
    FState = TChartGesture::ZoomDrag;
    ToggleZoomFrameOnScreen();
    return true;
  }
  if (FChart.AllowPanning() != pmNone && button == settings.PanButton &&
      Holds(shift, settings.PanShift)) {
    ApplyCursor(0);
    FPanDrag.Start(x, y);
    FState = TChartGesture::PanDrag;
    RememberPanStart();
    return true;
  }
  return false;
}

// --- moves ----------------------------------------------------------------------------------

void TChartInput::MouseMove(TShiftState shift, int x, int y) {
  if (FChart.OnMouseMove) FChart.OnMouseMove(&FChart, shift, x, y);
  if (FState == TChartGesture::ZoomDrag)
    MoveZoomFrame(x, y);
  else if (FState == TChartGesture::PanDrag)
    MovePan(x, y);
  else
    TrackSeriesCursor(shift, x, y);
}

void TChartInput::MoveZoomFrame(int x, int y) {
  if (x == FZoomDrag.EndX && y == FZoomDrag.EndY) return;
  ToggleZoomFrameOnScreen();
  FZoomDrag.EndX = x;
  FZoomDrag.EndY = y;
  ToggleZoomFrameOnScreen();
}

void TChartInput::MovePan(int x, int y) {
  // Leaving the plot ends the pan; coming back does not resume it.
  if (!PtInRect(FChart.PlotRect(), {x, y})) {
    FPanDrag.Active = false;
    FState = TChartGesture::Pressed;
    return;
  }
  if (x == FPanDrag.EndX && y == FPanDrag.EndY) return;
  SaveRangesOnce();
  const bool horizontal = PanAxes(true, FPanDrag.EndX, x);
  const bool vertical = PanAxes(false, FPanDrag.EndY, y);
  FPanDrag.EndX = x;
  FPanDrag.EndY = y;
  if (!horizontal && !vertical) return;
  if (FChart.OnScroll) FChart.OnScroll(&FChart);
  FChart.Invalidate();
}

void TChartInput::TrackSeriesCursor(TShiftState shift, int x, int y) {
  const std::vector<TChartSeries*> list = FChart.SeriesList();
  const auto claiming = std::find_if(list.begin(), list.end(), [&](TChartSeries* series) {
    return series->Active() && series->Cursor() != 0 && series->PointAt({x, y}) >= 0;
  });
  if (claiming != list.end()) ApplyCursor((*claiming)->Cursor());
  for (TChartSeries* series : list) series->SeriesMouseMove(shift, x, y);
  if (claiming == list.end()) ApplyCursor(FChart.InitialCursor());
}

// --- releases and ends ----------------------------------------------------------------------

void TChartInput::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  // The owner's click handler runs before a zoom is applied or undone.
  FireClickOnRelease(button, x, y);
  if (FChart.OnMouseUp) FChart.OnMouseUp(&FChart, button, shift, x, y);
  const std::vector<TChartSeries*> list = FChart.SeriesList();
  for (TChartSeries* series : list) series->SeriesMouseUp(button, shift, x, y);
  if (FState == TChartGesture::ZoomDrag && button == ChartMouseSettings().ZoomButton) {
    FState = TChartGesture::Pressed;
    FinishZoomDrag(x, y);
  }
  // Any release ends a pan; only the zoom button's release ends a zoom.
  FPanDrag.Active = false;
  if (FState != TChartGesture::ZoomDrag) EndGesture();
}

void TChartInput::FireClickOnRelease(TMouseButton button, int x, int y) {
  if (button != mbLeft) return;
  const bool armed = FClickArmed;
  FClickArmed = false;
  if (armed && PtInRect(Rect(0, 0, FChart.Width(), FChart.Height()), {x, y}) && FChart.OnClick)
    FChart.OnClick(&FChart);
}

void TChartInput::FinishZoomDrag(int x, int y) {
  ToggleZoomFrameOnScreen();
  FZoomDrag.Active = false;
  FZoomDrag.EndX = x;
  FZoomDrag.EndY = y;
  const int dx = FZoomDrag.EndX - FZoomDrag.StartX, dy = FZoomDrag.EndY - FZoomDrag.StartY;
  if (std::abs(dx) <= kMinZoomDragPixels || std::abs(dy) <= kMinZoomDragPixels) return;
  // Right and down zooms in; any other direction undoes.
  if (dx > 0 && dy > 0)
    FChart.ZoomToRectangle();
  else
    RevertZoom();
  FChart.Invalidate();
}

void TChartInput::KeyDown(int& key, TShiftState /*shift*/) {
  if (key != vkEscape || !Dragging()) return;
  Cancel();
  key = 0;
}

void TChartInput::CaptureLost() {
  Cancel();
  FState = TChartGesture::Idle;
}

void TChartInput::Cancel() {
  if (FState == TChartGesture::ZoomDrag) ToggleZoomFrameOnScreen();
  if (FState == TChartGesture::PanDrag) RestorePanStart();
  FZoomDrag.Active = FPanDrag.Active = false;
  FClickArmed = false;
  if (FState != TChartGesture::Idle) FState = TChartGesture::Pressed;
}

void TChartInput::EndGesture() {
  FState = TChartGesture::Idle;
  FClickArmed = false;
  FChart.SetCapture(false);
}

void TChartInput::ApplyCursor(int16_t cursor) {
  if (FChart.Cursor() == cursor) return;
  FChart.SetCursor(cursor);
  FChart.SetCursorShape(ShapeOf(cursor));
}

// --- the zoom frame -------------------------------------------------------------------------

void TChartInput::PaintFeedback(TCanvas& canvas) const {
  // The paint covered the frame in its area; drawn again there, it stays on screen once.
  if (FState == TChartGesture::ZoomDrag) DrawZoomFrame(canvas);
}

void TChartInput::DrawZoomFrame(TCanvas& canvas) const {
  const TPen savedPen = canvas.Pen();
  const TBrush savedBrush = canvas.Brush();
  canvas.Pen() = TPen{kZoomFramePen, 1, psSolid, pmNotXor};
  canvas.Brush().style = bsClear;
  canvas.Rectangle(
      NormalizedRect(Rect(FZoomDrag.StartX, FZoomDrag.StartY, FZoomDrag.EndX, FZoomDrag.EndY)));
  canvas.Pen() = savedPen;
  canvas.Brush() = savedBrush;
}

// Drawing the frame a second time restores the pixels under it.
void TChartInput::ToggleZoomFrameOnScreen() const {
  if (TCanvas* screen = FChart.ScreenCanvas()) DrawZoomFrame(*screen);
}
