// Zooming to a dragged rectangle, undoing it, panning and wheel scrolling of the axis ranges.
// Every pixel is mapped through the axes' current ranges (the layout is rebuilt after a
// change), never through those of the last paint.
#include <cmath>
#include <vector>

#include "chart/Chart.h"
#include "chart/input/ChartInput.h"

namespace {

// Indexes into TSavedRanges.
enum { kTop, kLeft, kRight, kBottom };

TAxisRangeRecord RecordOf(const TCustomChartAxis& axis) {
  return {axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum(), axis.Minimum(),
          axis.Maximum()};
}

void Restore(TCustomChartAxis& axis, const TAxisRangeRecord& saved) {
  // The range before the flags: setting it fixes both ends, which the flags may free.
  if (!saved.Automatic) axis.SetAxisRange(saved.Minimum, saved.Maximum);
  axis.SetAutomatic(saved.Automatic);
  axis.SetAutomaticMinimum(saved.AutomaticMinimum);
  axis.SetAutomaticMaximum(saved.AutomaticMaximum);
}

// Whether a gesture on the axis moves its range by factors: a logarithmic axis showing values
// above zero, which then stays above zero and keeps the decades it shows.
bool MovesByFactors(const TCustomChartAxis& axis) {
  return axis.Logarithmic() && axis.Minimum() > 0 && axis.Maximum() > 0;
}

// Both ends times a factor; false where that leaves the doubles (below the smallest normal
// one or past the largest), where the range would lose its decades: it then stays.
bool ScaleRange(double factor, double& low, double& high) {
  if (!std::isnormal(low * factor) || !std::isfinite(high * factor)) return false;
  low *= factor;
  high *= factor;
  return true;
}

}  // namespace

TCustomChartAxis* TChartInput::SavedAxis(int index) const {
  switch (index) {
    case kTop:
      return &FChart.TopAxis();
    case kLeft:
      return &FChart.LeftAxis();
    case kRight:
      return &FChart.RightAxis();
    default:
      return &FChart.BottomAxis();
  }
}

void TChartInput::SaveRangesOnce() {
  if (!FRangesRestored) return;
  for (int i = 0; i < 4; ++i) FSavedRanges.Axes[i] = RecordOf(*SavedAxis(i));
  FRangesRestored = false;
}

void TChartInput::ZoomToDrag() {
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
    // A logarithmic range stays above zero and finite: a corner past the smallest or the
    // largest double keeps the axis' own end there.
    if (MovesByFactors(axis))
      for (double* target : {&targetMin[i], &targetMax[i]}) {
        if (std::isinf(*target)) *target = axis.Maximum();
        if (!std::isnormal(*target)) *target = axis.Minimum();
      }
  }
  ApplyZoom(targetMin, targetMax);
}

void TChartInput::ApplyZoom(const double targetMin[4], const double targetMax[4]) {
  static constexpr int kOrder[4] = {kLeft, kRight, kTop, kBottom};
  SaveRangesOnce();
  if (FChart.AnimatedZoom()) {
    const double factor = ChartMouseSettings().AnimatedZoomFactor;
    for (int step = 1; step < FChart.AnimatedZoomSteps(); ++step) {
      for (int i : kOrder) {
        TCustomChartAxis& axis = *SavedAxis(i);
        axis.SetAxisRange(axis.Minimum() + (targetMin[i] - axis.Minimum()) / factor,
                          axis.Maximum() - (axis.Maximum() - targetMax[i]) / factor);
      }
      FChart.Invalidate();
      FChart.Update();
    }
  }
  for (int i : kOrder) SavedAxis(i)->SetAxisRange(targetMin[i], targetMax[i]);
  FIsZoomed = true;
  if (FChart.OnZoom) FChart.OnZoom(&FChart);
}

void TChartInput::RevertZoom() {
  if (!FRangesRestored) {
    for (int i : {kTop, kBottom, kLeft, kRight}) Restore(*SavedAxis(i), FSavedRanges.Axes[i]);
    FRangesRestored = true;
  }
  if (FChart.OnUndoZoom) FChart.OnUndoZoom(&FChart);
  FChart.Invalidate();
  FIsZoomed = false;
}

void TChartInput::RememberPanStart() {
  FPanStart.clear();
  for (TCustomChartAxis* axis : FChart.Axes())
    if (!axis->IsDepth()) FPanStart.emplace_back(axis, RecordOf(*axis));
  FPanStartRestored = FRangesRestored;
  FPanMoved = false;
}

void TChartInput::RestorePanStart() {
  if (!FPanMoved) return;
  for (const auto& [axis, saved] : FPanStart) Restore(*axis, saved);
  FRangesRestored = FPanStartRestored;
  FPanMoved = false;
  if (FChart.OnScroll) FChart.OnScroll(&FChart);
  FChart.Invalidate();
}

// Moves every axis of one orientation so that the content follows the mouse from one pixel
// to another; returns whether that orientation may pan at all.
bool TChartInput::PanAxes(bool horizontal, int from, int to) {
  if (from == to) return false;
  const TPanningMode mode = FChart.AllowPanning();
  if (mode != pmBoth && mode != (horizontal ? pmHorizontal : pmVertical)) return false;
  // The values at both pixels from the same layout: moving one axis must not remap the next.
  struct TMove {
    TCustomChartAxis* axis;
    double from, to;
  };
  std::vector<TMove> moves;
  for (TCustomChartAxis* axis : FChart.Axes())
    if (!axis->IsDepth() && axis->IsHorizontal() == horizontal)
      moves.push_back({axis, axis->PixelToValue(from), axis->PixelToValue(to)});
  for (const TMove& move : moves) {
    TCustomChartAxis& axis = *move.axis;
    double minimum, maximum;
    if (MovesByFactors(axis) && move.from > 0 && move.to > 0) {
      minimum = axis.Minimum();
      maximum = axis.Maximum();
      if (!ScaleRange(move.from / move.to, minimum, maximum)) continue;
    } else {
      const double shift = move.from - move.to;
      minimum = axis.Minimum() + shift;
      maximum = axis.Maximum() + shift;
    }
    bool allow = true;
    if (FChart.OnAllowScroll) FChart.OnAllowScroll(&axis, minimum, maximum, allow);
    if (allow) axis.SetAxisRange(minimum, maximum);
  }
  FPanMoved = true;
  return true;
}

bool TChartInput::MouseWheel(TShiftState shift, int notches, int x, int y) {
  // Positive notches turn the wheel away from the user (up).
  const bool down = notches < 0;
  for (int i = 0; i < std::abs(notches); ++i) {
    bool handled = false;
    const auto& event = down ? FChart.OnMouseWheelDown : FChart.OnMouseWheelUp;
    if (event) event(&FChart, shift, {x, y}, handled);
    ScrollVerticalAxes(down ? 1 : -1);
  }
  return notches != 0;
}

// One wheel notch: direction 1 moves every vertical axis up by a share of its span, -1 down;
// a logarithmic axis by that share of its decades.
void TChartInput::ScrollVerticalAxes(double direction) {
  const double share = kWheelScrollPercent * 0.01 * direction;
  for (TCustomChartAxis* axis : FChart.Axes()) {
    if (axis->IsHorizontal() || axis->IsDepth()) continue;
    double low = axis->Minimum(), high = axis->Maximum();
    if (MovesByFactors(*axis)) {
      if (ScaleRange(std::exp((std::log(high) - std::log(low)) * share), low, high))
        axis->SetAxisRange(low, high);
    } else {
      const double offset = (high - low) * share;
      axis->SetAxisRange(low + offset, high + offset);
    }
  }
  FChart.Invalidate();
}
