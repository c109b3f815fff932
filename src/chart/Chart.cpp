#include "chart/Chart.h"

#include <algorithm>

#include "chart/ChartSeries.h"
#include "platform/FormatFloat.h"
#include "platform/ScopeGuard.h"

TCustomChart::TCustomChart() = default;

void TCustomChart::DrawChart(TCanvas& target, const TRect& targetRect) {
  TChartCanvas3D& canvas = Canvas();
  ChartBounds = canvas.BeginFrame(target, View3DOptions().Settings(), View3D(), targetRect);
  canvas.ResetTools();
  PlotRect = MarginRect(ChartBounds);
  NormalizePlotRect();

  DrawBackground(ChartBounds);
  for (TChartSeries* series : SeriesList())
    if (series->Active()) series->BeforeDrawChart();
  DrawTitlesAndLegend();
  ComputeDepthSlots();
  LayOutAxes();
  SetSeriesDepthBands();
  WidenAxesBySeriesMargins();
  canvas.SetupProjection(Depth3DX, ChartBounds, PlotRect);
  DrawWalls();
  DrawAxes();
  DrawAllSeries();
  canvas.ResetTools();
  if (OnAfterDraw) OnAfterDraw(this);

  canvas.EndFrame(target, target, targetRect);
}

void TCustomChart::DrawTitlesAndLegend() {
  Title().DrawnRect = Foot().DrawnRect = Legend().DrawnRect = TRect{};
  Legend().DrawnRowCount = 0;
  bool anyActive = false;
  for (TChartSeries* series : SeriesList()) anyActive = anyActive || series->Active();
  const bool legend = Legend().Visible() && anyActive;
  if (legend && Legend().Vertical()) DrawLegend();
  DrawTitle(Title(), true);
  DrawTitle(Foot(), false);
  if (legend && !Legend().Vertical()) DrawLegend();
}

void TCustomChart::DrawTitle(TChartTitle& title, bool atTop) {
  if (!title.Visible() || title.Text().empty()) return;
  TChartCanvas3D& canvas = Canvas();
  canvas.BeginFlatDrawing();
  canvas.Font() = title.Font();
  const int lineHeight = canvas.MeasureTextHeight("Wg");
  const int count = static_cast<int>(title.Text().size());
  const int frame = title.Frame().Visible ? title.Frame().width : 0;
  int y = atTop ? PlotRect.top + frame : PlotRect.bottom - frame - count * lineHeight;
  const int top = y;
  int widest = 0;
  for (const std::string& line : title.Text())
    widest = std::max(widest, canvas.MeasureTextWidth(line));
  int x = (PlotRect.left + PlotRect.right) / 2;
  unsigned align = taCenterH;
  int left = x - widest / 2;
  if (title.Alignment() == taLeftJustify) {
    left = x = PlotRect.left;
    align = taLeft;
  } else if (title.Alignment() == taRightJustify) {
    x = PlotRect.right;
    left = x - widest;
    align = taRight;
  }
  title.DrawnRect = Rect(left - frame - 2, top - frame, left + widest + frame + 2,
                         top + count * lineHeight + frame);
  if (title.Frame().Visible || title.Color() != clDefault) {
    canvas.Pen() = title.Frame().Effective();
    canvas.Brush() = TBrush{title.Color(), title.Color() == clDefault ? bsClear : bsSolid, clWhite};
    const TRect& r = title.DrawnRect;
    canvas.DrawRect2D(r.left, r.top, r.right, r.bottom);
  }
  canvas.SetBackgroundMode(bkTransparent);
  canvas.SetTextAlignment(align | taTop);
  for (const std::string& line : title.Text()) {
    canvas.DrawTextAtDepth(x, y, line, 0);
    y += lineHeight;
  }
  canvas.EndFlatDrawing();
  // The plot starts five pixels clear of the title (or ends five pixels above the foot).
  if (atTop)
    PlotRect.top = y + frame + 5;
  else
    PlotRect.bottom = top - frame - 5;
}

std::vector<TCustomChart::TLegendRow> TCustomChart::LegendRows(int& firstItem) {
  const TChartLegend& legend = FLegend;
  // One row per active series, or per point when only one series is shown.
  std::vector<TLegendRow> rows;
  std::vector<TChartSeries*> active;
  for (TChartSeries* series : SeriesList())
    if (series->Active()) active.push_back(series);
  const bool byPoints =
      legend.LegendStyle() == lsValues || (legend.LegendStyle() == lsAuto && active.size() == 1);
  // A first value before the first point lists from the first point.
  const int firstValue = std::max(0, legend.FirstValue());
  if (byPoints) {
    TChartSeries* series = active.front();
    for (int i = firstValue; i < series->PointCount(); ++i) {
      std::string text = series->PointLabel(i);
      if (text.empty()) text = FormatFloat(series->ValueFormat(), series->YValue(i));
      rows.push_back({series->PointColor(i), text});
    }
  } else {
    for (size_t i = 0; i < active.size(); ++i) {
      const std::string& title = active[i]->Title();
      rows.push_back(
          {active[i]->SeriesColor(), title.empty() ? "Series" + std::to_string(i + 1) : title});
    }
  }
  if (OnGetLegendText)
    for (size_t i = 0; i < rows.size(); ++i)
      OnGetLegendText(this, static_cast<int>(i), rows[i].text);
  // Inverted rows list the items from the last one upwards.
  firstItem =
      (byPoints ? firstValue : 0) + (legend.Inverted() ? static_cast<int>(rows.size()) - 1 : 0);
  if (legend.Inverted()) std::reverse(rows.begin(), rows.end());
  if (legend.Vertical() && static_cast<int>(rows.size()) > legend.MaxNumRows())
    rows.resize(static_cast<size_t>(std::max(0, legend.MaxNumRows())));
  return rows;
}

TRect TCustomChart::PlaceLegendBox(int width, int height) {
  const TChartLegend& legend = FLegend;
  const int gap = 5;
  const int top = PlotRect.top + MulDiv(legend.TopPos(), PlotHeight(), 100);
  const int centredLeft = (PlotRect.left + PlotRect.right - width) / 2;
  TRect box;
  switch (legend.Alignment()) {
    case laLeft:
      box = Bounds(PlotRect.left, top, width, height);
      if (legend.ResizeChart()) PlotRect.left = box.right + gap;
      break;
    case laRight:
      box = Bounds(PlotRect.right - width, top, width, height);
      if (legend.ResizeChart()) PlotRect.right = box.left - gap;
      break;
    case laTop:
      box = Bounds(centredLeft, PlotRect.top, width, height);
      if (legend.ResizeChart()) PlotRect.top = box.bottom + gap;
      break;
    case laBottom:
      box = Bounds(centredLeft, PlotRect.bottom - height, width, height);
      if (legend.ResizeChart()) PlotRect.bottom = box.top - gap;
      break;
  }
  if (OnGetLegendRect) OnGetLegendRect(this, box);
  return box;
}

void TCustomChart::DrawLegend() {
  const TChartLegend& legend = FLegend;
  int firstItem = 0;
  const std::vector<TLegendRow> rows = LegendRows(firstItem);
  if (rows.empty()) return;

  TChartCanvas3D& canvas = Canvas();
  canvas.BeginFlatDrawing();
  // OnGetLegendRect may throw; the next frame must not start flat.
  const auto flat = OnScopeExit([&canvas] { canvas.EndFlatDrawing(); });
  canvas.Font() = legend.Font();
  const int lineHeight = canvas.MeasureTextHeight("Wg");
  int widest = 0;
  for (const auto& row : rows) widest = std::max(widest, canvas.MeasureTextWidth(row.text));
  const int count = static_cast<int>(rows.size());
  const TRect box = PlaceLegendBox(legend.ColorWidth() + widest + 12, count * lineHeight + 4);
  if (legend.ShadowSize() > 0) {
    canvas.Pen().style = psClear;
    canvas.Brush() = TBrush{legend.ShadowColor(), bsSolid, clWhite};
    TRect shadow = box;
    OffsetRect(shadow, legend.ShadowSize(), legend.ShadowSize());
    canvas.FillWithBrush(shadow);
  }
  canvas.Pen() = legend.Frame().Effective();
  canvas.Brush() = TBrush{legend.Color(), bsSolid, clWhite};
  canvas.DrawRect2D(box.left, box.top, box.right, box.bottom);
  canvas.SetBackgroundMode(bkTransparent);
  canvas.SetTextAlignment(taLeft | taTop);
  int y = box.top + 2;
  RecordLegendRows(box, y, lineHeight, count, firstItem);
  for (const TLegendRow& row : rows) {
    canvas.Pen() = TPen{};
    canvas.Brush() = TBrush{row.color, bsSolid, clWhite};
    canvas.DrawRect2D(box.left + 4, y + 2, box.left + 4 + legend.ColorWidth(), y + lineHeight - 2);
    canvas.DrawTextAtDepth(box.left + legend.ColorWidth() + 8, y, row.text, 0);
    y += lineHeight;
  }
}

void TCustomChart::RecordLegendRows(const TRect& box, int top, int rowHeight, int count,
                                    int firstItem) {
  FLegend.DrawnRect = box;
  FLegend.DrawnRowsTop = top;
  FLegend.DrawnRowHeight = rowHeight;
  FLegend.DrawnRowCount = count;
  FLegend.DrawnFirstItem = firstItem;
  FLegend.DrawnItemStep = FLegend.Inverted() ? -1 : 1;
}

int TChartLegend::ItemAt(TPoint p) const {
  if (DrawnRowCount <= 0 || DrawnRowHeight <= 0 || !PtInRect(DrawnRect, p)) return -1;
  if (p.y < DrawnRowsTop) return -1;
  const int row = (p.y - DrawnRowsTop) / DrawnRowHeight;
  return row < DrawnRowCount ? DrawnFirstItem + row * DrawnItemStep : -1;
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
  TChartCanvas3D& canvas = Canvas();
  const TRect& plot = PlotRect;
  const bool walls3D = View3D() && View3DWalls();
  const int leftThickness = WallThickness(LeftWall()),
            bottomThickness = WallThickness(BottomWall());

  PrepareWall(BackWall());
  if (!View3D()) {
    canvas.DrawRect2D(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
  } else if (!walls3D || BackWall().Size() < 1) {
    canvas.DrawRectAtDepth(Rect(plot.left + 1, plot.top - 1, plot.right, plot.bottom), Depth3DX);
  } else {
    canvas.DrawBox(plot.left - leftThickness, plot.right, plot.top, plot.bottom + bottomThickness,
                   Depth3DX, Depth3DX + BackWall().Size(), BackWall().Dark3D());
  }
  if (BackImage() && BackImageInside()) {
    TRect inside = plot;
    if (BackWall().Pen().Visible) InflateRect(inside, 0, -1);
    // On the back wall, not on the front face of the box.
    const TPoint topLeft = canvas.ProjectPoint(inside.left, inside.top, Depth3DX);
    const TPoint bottomRight = canvas.ProjectPoint(inside.right, inside.bottom, Depth3DX);
    DrawBackImage(Rect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y));
  }
  if (!walls3D) return;

  PrepareWall(LeftWall());
  if (LeftWall().Size() < 1)
    canvas.DrawSidePlane(plot.left, plot.top, plot.bottom + bottomThickness, 0, Depth3DX + 1);
  else
    canvas.DrawBox(plot.left - LeftWall().Size(), plot.left, plot.top,
                   plot.bottom + bottomThickness, 0, Depth3DX, LeftWall().Dark3D());
  PrepareWall(BottomWall());
  if (BottomWall().Size() < 1)
    canvas.DrawFloorPlane(plot.left, plot.right, plot.bottom, 0, Depth3DX);
  else
    canvas.DrawBox(plot.left, plot.right, plot.bottom, plot.bottom + BottomWall().Size(), 0,
                   Depth3DX, BottomWall().Dark3D());
}
