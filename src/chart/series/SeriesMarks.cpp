// The texts a series gives its points (marks, legend rows) and the drawing of its marks.
#include <algorithm>
#include <cmath>

#include "chart/Chart.h"
#include "chart/ChartAxisPanel.h"
#include "chart/axis/DateTimeText.h"
#include "chart/series/ChartSeries.h"
#include "platform/FormatFloat.h"
#include "platform/ScopeGuard.h"

namespace {

std::string Joined(const std::string& label, const std::string& value) {
  return label.empty() ? value : label + " " + value;
}

bool Overlaps(const TRect& a, const TRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

std::string TChartSeries::ValueText(int index) const {
  return FormatFloat(FValueFormat, YValue(index));
}

double TChartSeries::ShareMagnitude(int index) const {
  // Finite magnitudes only, so that one infinite point leaves the others' shares.
  const double value = YValue(index);
  return std::isfinite(value) ? std::fabs(value) : 0;
}

double TChartSeries::MagnitudeTotal() const {
  double total = 0;
  for (int i = 0; i < PointCount(); ++i) total += ShareMagnitude(i);
  return total;
}

double TChartSeries::ShareOfTotal(int index) const {
  // Over the largest share, so that a total beyond the doubles still divides.
  double largest = 0;
  for (int i = 0; i < PointCount(); ++i) largest = std::max(largest, ShareMagnitude(i));
  if (!(largest > 0)) return 0;
  double total = 0;
  for (int i = 0; i < PointCount(); ++i) total += ShareMagnitude(i) / largest;
  return ShareMagnitude(index) / largest / total;
}

std::string TChartSeries::PercentText(int index) const {
  return FormatFloat(FPercentFormat, 100 * ShareOfTotal(index));
}

std::string TChartSeries::XValueText(int index) const {
  const double x = XValue(index);
  if (FXValues->DateTime()) return DateTimeText(x, true, x != std::floor(x));
  return FormatFloat(FValueFormat, x);
}

std::string TChartSeries::MarkText(int index) {
  const std::string label = PointLabel(index);
  auto percentOfTotal = [&] {
    return PercentText(index) + " of " + FormatFloat(FValueFormat, MagnitudeTotal());
  };
  std::string text;
  switch (FMarks.Style()) {
    case smsValue:
      text = ValueText(index);
      break;
    case smsPercent:
      text = PercentText(index);
      break;
    case smsLabel:
      text = label.empty() ? ValueText(index) : label;
      break;
    case smsLabelPercent:
      text = Joined(label, PercentText(index));
      break;
    case smsLabelValue:
      text = Joined(label, ValueText(index));
      break;
    case smsLegend: {
      auto* chart = dynamic_cast<TCustomChart*>(FParentChart);
      text = chart ? chart->Legend().PointText(*this, index)
                   : (label.empty() ? ValueText(index) : label);
      break;
    }
    case smsPercentTotal:
      text = percentOfTotal();
      break;
    case smsLabelPercentTotal:
      text = Joined(label, percentOfTotal());
      break;
    case smsXValue:
      text = XValueText(index);
      break;
  }
  if (OnGetMarkText) OnGetMarkText(this, index, text);
  return text;
}

void TChartSeries::DrawPointMark(int index) {
  if (!FParentChart || index >= PointCount() || !Plottable(index)) return;
  const std::string text = MarkText(index);
  // A handler may have taken the point away.
  if (text.empty() || index >= PointCount()) return;
  TChartCanvas3D& canvas = FParentChart->Canvas();
  canvas.Font() = FMarks.Font();
  // The text stands ArrowLength from its point in MarkDirection (above it, or right of it
  // beside), on the far side of the arrow's end, unless moved.
  const TPoint origin = MarkOrigin(index);
  const bool beside = MarksBeside();
  const TExactPoint way = MarkDirection(index);
  const int length = FMarks.ArrowLength();
  const TPoint point = canvas.ProjectPoint(origin.x, origin.y, MiddleZ());
  TPoint anchor = canvas.ProjectPoint(origin.x + Nearest(way.x * length),
                                      origin.y + Nearest(way.y * length), MiddleZ());
  const TPoint offset = FMarks.CustomOffset(index);
  anchor.x += offset.x;
  anchor.y += offset.y;
  const TPoint size = canvas.MeasureZoomedText(text);
  const int frame = FMarks.Frame().Visible ? FMarks.Frame().width : 0;
  // The box touches the arrow's end with the side or corner facing the point: the direction
  // stretched until its longer component is 1.
  const double stretch = std::max(std::fabs(way.x), std::fabs(way.y));
  const double sx = stretch > 0 ? way.x / stretch : 0, sy = stretch > 0 ? way.y / stretch : -1;
  // The box around the text, the frame's lines outside the text.
  auto boxAt = [&](TPoint a) {
    const int left = a.x - size.x / 2 - 1 + Nearest(sx * (size.x / 2 + 1));
    const int bottom = a.y - size.y / 2 + size.y + Nearest(sy * (size.y - size.y / 2));
    return Rect(left - frame, bottom - size.y - frame, left + size.x + 2 + frame, bottom + frame);
  };
  TRect box = boxAt(anchor);
  if (SeparatesMarks()) {
    // Moved along its arrow past every mark drawn before it that it would cover.
    for (bool moved = true; moved;) {
      moved = false;
      for (const TRect& other : FParentChart->FMarkBoxes)
        if (Overlaps(box, other)) {
          if (beside)
            anchor.x += other.right - box.left;
          else
            anchor.y -= box.bottom - other.top;
          box = boxAt(anchor);
          moved = true;
        }
    }
    FParentChart->FMarkBoxes.push_back(box);
  }
  canvas.BeginFlatDrawing();
  const auto flat = OnScopeExit([&canvas] { canvas.EndFlatDrawing(); });
  if (FMarks.Arrow().Visible) {
    canvas.Pen() = FMarks.Arrow().Effective();
    canvas.DrawLine2D(point.x, point.y, anchor.x, anchor.y);
  }
  if (!FMarks.Transparent() || frame > 0) {
    canvas.Pen() = FMarks.Frame().Effective();
    canvas.Brush() = TBrush{FMarks.BackColor(), FMarks.Transparent() ? bsClear : bsSolid, clWhite};
    canvas.DrawRect2D(box.left, box.top, box.right, box.bottom);
  }
  canvas.SetTextAlignment(taLeft | taTop);
  canvas.SetBackgroundMode(bkTransparent);
  canvas.DrawTextAtDepth(box.left + frame + 1, box.top + frame, text, 0);
}

void TChartSeries::DrawMarks() {
  const int first = FirstShownIndex(), last = LastShownIndex();
  if (!FMarks.Visible() || first < 0 || !FParentChart) return;
  TChartCanvas3D& canvas = FParentChart->Canvas();
  if (FMarks.Clip()) canvas.ClipToBox(FParentChart->PlotRect(), 0, FParentChart->TotalDepth());
  const auto unclip = OnScopeExit([&canvas, this] {
    if (FMarks.Clip()) canvas.RemoveClip();
  });
  const TCustomChartAxis* axis = GetHorizAxis();
  // Points a mark handler deletes end the walk where they end.
  for (int i = first; i <= last && i < PointCount(); ++i) {
    // The neighbours a joining kind draws towards have no mark: they lie outside the plot. Nor
    // has a point beyond any window, which would stand at the centre.
    const bool outside =
        !OnPixelGrid(i) ||
        (ConnectsPoints() && axis && (i == first || i == last) &&
         (PointScreenX(i) < axis->StartPixel() || PointScreenX(i) > axis->EndPixel()));
    if (!outside) DrawPointMark(i);
  }
}
