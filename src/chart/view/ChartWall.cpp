#include "chart/view/ChartWall.h"

#include <algorithm>

#include "chart/view/ChartLimits.h"
#include "platform/Property.h"

namespace {

// Thicker walls than this would only push the plot out of any window.
constexpr int kMaxWallSize = 10000;

}  // namespace

TChartWall::TChartWall(std::function<void()> repaint, TColor defaultColor, TBrushStyle brushStyle)
    : FRepaint(std::move(repaint)), FDefaultColor(defaultColor), FColor(defaultColor) {
  FBrush.style = brushStyle;
}

void TChartWall::SetColor(TColor value) {
  SetProperty(FColor, value, FRepaint);
}
void TChartWall::SetBrush(const TChartBrush& value) {
  SetProperty(FBrush, value, FRepaint);
}
void TChartWall::SetPen(const TChartPen& value) {
  SetProperty(FPen, ClampPen(value), FRepaint);
}
void TChartWall::SetDark3D(bool value) {
  SetProperty(FDark3D, value, FRepaint);
}
void TChartWall::SetSize(int value) {
  SetProperty(FSize, std::clamp(value, -kMaxWallSize, kMaxWallSize), FRepaint);
}
