// Zooming to a dragged rectangle, undoing it, panning and wheel scrolling of the axis ranges,
// and the inverting zoom frame on the screen.
#include "chart/Chart.h"

namespace {

// Indexes into TSavedRanges.
enum { kTop, kLeft, kRight, kBottom };

}  // namespace

TCustomChartAxis* TCustomChart::SavedAxis(int index) {
  switch (index) {
    case kTop:
      return &TopAxis();
    case kLeft:
      return &LeftAxis();
    case kRight:
      return &RightAxis();
    default:
      return &BottomAxis();
  }
}

void TCustomChart::DrawZoomFrame(TCanvas& canvas) const {
  const TColor background = ColorToRGB(Color());
  const TPen savedPen = canvas.Pen();
  const TBrush savedBrush = canvas.Brush();
  canvas.Pen() = TPen{background == clWhite ? clBlack : background, 1, psSolid, pmNotXor};
  canvas.Brush().style = bsClear;
  canvas.Rectangle(
      NormalizedRect(Rect(FZoomDrag.StartX, FZoomDrag.StartY, FZoomDrag.EndX, FZoomDrag.EndY)));
  canvas.Pen() = savedPen;
  canvas.Brush() = savedBrush;
}

// Drawing the frame a second time restores the pixels under it.
void TCustomChart::ToggleZoomFrameOnScreen() {
  if (TCanvas* screen = ScreenCanvas()) DrawZoomFrame(*screen);
}

void TCustomChart::SaveRangesOnce() {
  if (!FRangesRestored) return;
  for (int i = 0; i < 4; ++i) {
    const TCustomChartAxis& axis = *SavedAxis(i);
    FSavedRanges.Axes[i] = {axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum(),
                            axis.Minimum(), axis.Maximum()};
  }
  FRangesRestored = false;
}

void TCustomChart::ZoomToRectangle() {
  FZoomDrag.Normalize();
  double targetMin[4], targetMax[4];
  for (int i = 0; i < 4; ++i) {
    const TCustomChartAxis& axis = *SavedAxis(i);
    if (axis.IsHorizontal()) {
      targetMin[i] = axis.PixelToValue(FZoomDrag.StartX);
      targetMax[i] = axis.PixelToValue(FZoomDrag.EndX);
    } else {
      targetMin[i] = axis.PixelToValue(FZoomDrag.EndY);
      targetMax[i] = axis.PixelToValue(FZoomDrag.StartY);
    }
  }
  ApplyZoom(targetMin, targetMax);
}

void TCustomChart::ApplyZoom(const double targetMin[4], const double targetMax[4]) {
  static constexpr int kOrder[4] = {kLeft, kRight, kTop, kBottom};
  SaveRangesOnce();
  if (AnimatedZoom) {
    const double factor = ChartMouseSettings().AnimatedZoomFactor;
    for (int step = 1; step < AnimatedZoomSteps; ++step) {
      for (int i : kOrder) {
        TCustomChartAxis& axis = *SavedAxis(i);
        axis.SetAxisRange(axis.Minimum() + (targetMin[i] - axis.Minimum()) / factor,
                          axis.Maximum() - (axis.Maximum() - targetMax[i]) / factor);
      }
      Invalidate();
      Update();
    }
  }
  for (int i : kOrder) SavedAxis(i)->SetAxisRange(targetMin[i], targetMax[i]);
  FIsZoomed = true;
  if (OnZoom) OnZoom(this);
}

void TCustomChart::RevertZoom() {
  if (!FRangesRestored) {
    for (int i : {kTop, kBottom, kLeft, kRight}) {
      const TAxisRangeRecord& saved = FSavedRanges.Axes[i];
      TCustomChartAxis& axis = *SavedAxis(i);
      // The range before the flags: setting it fixes both ends, which the flags may free.
      if (!saved.Automatic) axis.SetAxisRange(saved.Minimum, saved.Maximum);
      axis.SetAutomatic(saved.Automatic);
      axis.SetAutomaticMinimum(saved.AutomaticMinimum);
      axis.SetAutomaticMaximum(saved.AutomaticMaximum);
    }
    FRangesRestored = true;
  }
  if (OnUndoZoom) OnUndoZoom(this);
  Invalidate();
  FIsZoomed = false;
}

// Moves every axis of one orientation so that the content follows the mouse from one pixel
// to another; returns whether that orientation may pan at all.
bool TCustomChart::PanAxes(bool horizontal, int from, int to) {
  if (from == to) return false;
  if (AllowPanning != pmBoth && AllowPanning != (horizontal ? pmHorizontal : pmVertical))
    return false;
  for (TCustomChartAxis* axis : Axes()) {
    if (axis->IsDepth() || axis->IsHorizontal() != horizontal) continue;
    const double shift = axis->PixelToValue(from) - axis->PixelToValue(to);
    double minimum = axis->Minimum() + shift, maximum = axis->Maximum() + shift;
    bool allow = true;
    if (OnAllowScroll) OnAllowScroll(axis, minimum, maximum, allow);
    if (allow) axis->SetAxisRange(minimum, maximum);
  }
  return true;
}

// One wheel notch: direction 1 moves every vertical axis up by a share of its span, -1 down.
void TCustomChart::ScrollVerticalAxes(double direction) {
  for (TCustomChartAxis* axis : Axes()) {
    if (axis->IsHorizontal() || axis->IsDepth()) continue;
    const double offset =
        (axis->Maximum() - axis->Minimum()) * kWheelScrollPercent * 0.01 * direction;
    axis->SetAxisRange(axis->Minimum() + offset, axis->Maximum() + offset);
  }
  Invalidate();
}
