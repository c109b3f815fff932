#include "chart/Chart.h"

#include <algorithm>
#include <climits>

#include "chart/series/ChartSeries.h"
#include "chart/view/ChartPicture.h"
#include "platform/ScopeGuard.h"

TCustomChart::TCustomChart() : FInput(std::make_unique<TChartInput>(*this)) {}

TCustomChart::~TCustomChart() = default;

void TCustomChart::BuildLayout(TChartLayout& layout, const TRect& bounds) {
  StartLayout(layout, bounds);
  if (!FixedPlotRect()) PlaceTitlesAndLegend(layout);
  LayOutAxesAndSeries(layout);
}

void TCustomChart::PlaceTitlesAndLegend(TChartLayout& layout) {
  bool anyActive = false;
  for (TChartSeries* series : SeriesList()) anyActive = anyActive || series->Active();
  const bool legend = FLegend.Visible() && anyActive;
  TChartCanvas3D& canvas = Canvas();
  if (legend && FLegend.Vertical()) FLegend.Place(layout.Legend, layout.PlotRect, *this, canvas);
  FTitle.Place(layout.Title, layout.PlotRect, canvas, true);
  FFoot.Place(layout.Foot, layout.PlotRect, canvas, false);
  if (legend && !FLegend.Vertical()) FLegend.Place(layout.Legend, layout.PlotRect, *this, canvas);
}

void TCustomChart::DrawChart(TCanvas& target, const TRect& targetRect) {
  TChartCanvas3D& canvas = Canvas();
  const TRect bounds = canvas.BeginFrame(target, View3DOptions().Settings(), View3D(), targetRect);
  canvas.ResetTools();
  for (TChartSeries* series : SeriesList())
    if (series->Active()) series->BeforeDrawChart();
  LayOutFrame(bounds);
  // What a handler changes while the frame is drawn shows in the next frame.
  const auto thaw = OnScopeExit([this] { EndFrameLayout(); });
  const TChartLayout& layout = Layout();
  canvas.ResetTools();
  DrawBackground(layout.ChartBounds);
  DrawTitlesAndLegend();
  canvas.SetProjection(layout.Projection);
  DrawWalls();
  DrawAxes();
  DrawAllSeries();
  canvas.ResetTools();
  if (OnAfterDraw) OnAfterDraw(this);

  canvas.EndFrame(target, target, targetRect);
}

void TCustomChart::DrawTitlesAndLegend() {
  const TChartLayout& layout = Layout();
  TChartCanvas3D& canvas = Canvas();
  if (FLegend.Vertical()) FLegend.Draw(canvas, layout.Legend);
  FTitle.Draw(canvas, layout.Title);
  FFoot.Draw(canvas, layout.Foot);
  if (!FLegend.Vertical()) FLegend.Draw(canvas, layout.Legend);
}

void TCustomChart::ZoomToRectangle() {
  FInput->ZoomToDrag();
}

void TCustomChart::RevertZoom() {
  FInput->RevertZoom();
}

void TCustomChart::Paint(TCanvas& canvas, const TRect& updateRect) {
  TCustomAxisPanel::Paint(canvas, updateRect);
  FInput->PaintFeedback(canvas);
  // Shown values changed since assistive technology last heard: one event per new picture.
  if (FAnnouncedChanges != ChangeCount()) {
    FAnnouncedChanges = ChangeCount();
    NotifyAccessible(aeValueChanged);
  }
}

TAccessibleSource* TCustomChart::AccessibleSource() {
  if (!FAccessible) FAccessible = std::make_unique<TChartAccessible>(*this);
  return FAccessible.get();
}

void TCustomChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  FInput->MouseDown(button, shift, x, y);
}

void TCustomChart::MouseMove(TShiftState shift, int x, int y) {
  FInput->MouseMove(shift, x, y);
}

void TCustomChart::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  FInput->MouseUp(button, shift, x, y);
}

bool TCustomChart::MouseWheel(TShiftState shift, int notches, int x, int y) {
  return FInput->MouseWheel(shift, notches, x, y);
}

void TCustomChart::KeyDown(int& key, TShiftState shift) {
  FInput->KeyDown(key, shift);
}

void TCustomChart::CaptureLost() {
  FInput->CaptureLost();
}

void TCustomChart::PrepareWall(const TChartWall& wall) {
  TChartCanvas3D& canvas = Canvas();
  canvas.Pen() = wall.Pen().Effective();
  TBrush& brush = canvas.Brush();
  if (wall.Color() == clDefault && wall.Brush().style == bsSolid) {
    brush.style = bsClear;
    return;
  }
  brush.color = wall.Color() == clDefault ? wall.Brush().color : wall.Color();
  brush.style = wall.Brush().style;
  const TColor background = wall.Brush().color;
  if (brush.style != bsSolid && brush.color == background)
    brush.color = ColorToRGB(background) == clBlack ? clWhite : clBlack;
  canvas.SetBackgroundColor(background);
  canvas.SetBackgroundMode(brush.style == bsSolid ? bkTransparent : bkOpaque);
}

void TCustomChart::DrawWalls() {
  if (!AxesNeeded()) return;
  TChartCanvas3D& canvas = Canvas();
  const TRect& plot = PlotRect();
  const int depth = Depth3DX();
  const bool walls3D = View3D() && View3DWalls();
  const int leftThickness = WallThickness(LeftWall()),
            bottomThickness = WallThickness(BottomWall());

  PrepareWall(BackWall());
  if (!View3D()) {
    canvas.DrawRect2D(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
  } else if (!walls3D || BackWall().Size() < 1) {
    canvas.DrawRectAtDepth(Rect(plot.left + 1, plot.top - 1, plot.right, plot.bottom), depth);
  } else {
    canvas.DrawBox(plot.left - leftThickness, plot.right, plot.top, plot.bottom + bottomThickness,
                   depth, depth + BackWall().Size(), BackWall().Dark3D());
  }
  if (BackImage() && BackImageInside()) {
    TRect inside = plot;
    if (BackWall().Pen().Visible) InflateRect(inside, 0, -1);
    // On the back wall, not on the front face of the box.
    const TPoint topLeft = canvas.ProjectPoint(inside.left, inside.top, depth);
    const TPoint bottomRight = canvas.ProjectPoint(inside.right, inside.bottom, depth);
    DrawBackImage(Rect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y));
  }
  DrawWallPicture(BackWall(), {{plot.left + 1, plot.top, depth},
                               {plot.right, plot.top, depth},
                               {plot.right, plot.bottom, depth},
                               {plot.left + 1, plot.bottom, depth}});
  if (!walls3D) return;

  PrepareWall(LeftWall());
  if (LeftWall().Size() < 1)
    canvas.DrawSidePlane(plot.left, plot.top, plot.bottom + bottomThickness, 0, depth + 1);
  else
    canvas.DrawBox(plot.left - LeftWall().Size(), plot.left, plot.top,
                   plot.bottom + bottomThickness, 0, depth, LeftWall().Dark3D());
  DrawWallPicture(LeftWall(), {{plot.left, plot.top, 0},
                               {plot.left, plot.top, depth},
                               {plot.left, plot.bottom, depth},
                               {plot.left, plot.bottom, 0}});
  PrepareWall(BottomWall());
  if (BottomWall().Size() < 1)
    canvas.DrawFloorPlane(plot.left, plot.right, plot.bottom, 0, depth);
  else
    canvas.DrawBox(plot.left, plot.right, plot.bottom, plot.bottom + BottomWall().Size(), 0, depth,
                   BottomWall().Dark3D());
  DrawWallPicture(BottomWall(), {{plot.left, plot.bottom, 0},
                                 {plot.right, plot.bottom, 0},
                                 {plot.right, plot.bottom, depth},
                                 {plot.left, plot.bottom, depth}});
}

void TCustomChart::DrawWallPicture(const TChartWall& wall, const std::vector<TPoint3D>& face) {
  TCanvas* target = Canvas().Target();
  if (!wall.Brush().Image || !target) return;
  std::vector<TPoint> corners;
  TRect bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (const TPoint3D& c : face) {
    corners.push_back(Canvas().ProjectPoint(c.x, c.y, c.z));
    bounds = {std::min(bounds.left, corners.back().x), std::min(bounds.top, corners.back().y),
              std::max(bounds.right, corners.back().x), std::max(bounds.bottom, corners.back().y)};
  }
  target->SaveClip();
  const auto restore = OnScopeExit([target] { target->RestoreClip(); });
  target->SetClipPolygon(corners);
  DrawPicture(*target, bounds, *wall.Brush().Image, pbmTile);
}
