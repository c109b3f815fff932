#include "chart/view/ChartLegend.h"

#include <algorithm>

#include "chart/Chart.h"
#include "chart/series/ChartSeries.h"
#include "platform/FormatFloat.h"
#include "platform/ScopeGuard.h"

std::vector<TLegendRow> TChartLegend::Rows(TCustomChart& chart, int& firstItem) const {
  // One row per active series, or per point when only one series is shown.
  std::vector<TLegendRow> rows;
  std::vector<TChartSeries*> active;
  for (TChartSeries* series : chart.SeriesList())
    if (series->Active()) active.push_back(series);
  const bool byPoints =
      LegendStyle() == lsValues || (LegendStyle() == lsAuto && active.size() == 1);
  // A first value before the first point lists from the first point.
  const int firstValue = std::max(0, FirstValue());
  if (byPoints && !active.empty()) {
    TChartSeries* series = active.front();
    for (int i = firstValue; i < series->PointCount(); ++i) {
      std::string text = series->PointLabel(i);
      if (text.empty()) text = FormatFloat(series->ValueFormat(), series->YValue(i));
      rows.push_back({series->PointColor(i), text});
    }
  } else {
    for (size_t i = 0; i < active.size(); ++i) {
      const std::string& title = active[i]->Title();
      rows.push_back({active[i]->SeriesColor(),
                      title.empty() ? "Series" + std::to_string(i + 1) : title, active[i]});
    }
  }
  if (chart.OnGetLegendText)
    for (size_t i = 0; i < rows.size(); ++i)
      chart.OnGetLegendText(&chart, static_cast<int>(i), rows[i].Text);
  // Inverted rows list the items from the last one upwards.
  firstItem = (byPoints ? firstValue : 0) + (Inverted() ? static_cast<int>(rows.size()) - 1 : 0);
  if (Inverted()) std::reverse(rows.begin(), rows.end());
  if (Vertical() && static_cast<int>(rows.size()) > MaxNumRows())
    rows.resize(static_cast<size_t>(std::max(0, MaxNumRows())));
  return rows;
}

TRect TChartLegend::PlaceBox(TRect& plot, TCustomChart& chart, int width, int height) const {
  const int gap = 5;
  const int top = plot.top + MulDiv(TopPos(), plot.bottom - plot.top, 100);
  const int centredLeft = (plot.left + plot.right - width) / 2;
  TRect box;
  switch (Alignment()) {
    case laLeft:
      box = Bounds(plot.left, top, width, height);
      if (ResizeChart()) plot.left = box.right + gap;
      break;
    case laRight:
      box = Bounds(plot.right - width, top, width, height);
      if (ResizeChart()) plot.right = box.left - gap;
      break;
    case laTop:
      box = Bounds(centredLeft, plot.top, width, height);
      if (ResizeChart()) plot.top = box.bottom + gap;
      break;
    case laBottom:
      box = Bounds(centredLeft, plot.bottom - height, width, height);
      if (ResizeChart()) plot.bottom = box.top - gap;
      break;
  }
  if (chart.OnGetLegendRect) chart.OnGetLegendRect(&chart, box);
  return box;
}

void TChartLegend::Place(TLegendLayout& out, TRect& plot, TCustomChart& chart,
                         TChartCanvas3D& canvas) const {
  int firstItem = 0;
  std::vector<TLegendRow> rows = Rows(chart, firstItem);
  if (rows.empty()) return;
  canvas.Font() = Font();
  const int lineHeight = canvas.MeasureTextHeight("Wg");
  int widest = 0;
  for (const TLegendRow& row : rows) widest = std::max(widest, canvas.MeasureTextWidth(row.Text));
  const int count = static_cast<int>(rows.size());
  out.Rect = PlaceBox(plot, chart, ColorWidth() + widest + 12, count * lineHeight + 4);
  out.Rows = std::move(rows);
  out.RowsTop = out.Rect.top + 2;
  out.RowHeight = lineHeight;
  out.FirstItem = firstItem;
  out.ItemStep = Inverted() ? -1 : 1;
}

void TChartLegend::Draw(TChartCanvas3D& canvas, const TLegendLayout& layout) const {
  if (layout.Rows.empty()) return;
  canvas.BeginFlatDrawing();
  const auto flat = OnScopeExit([&canvas] { canvas.EndFlatDrawing(); });
  canvas.Font() = Font();
  const TRect& box = layout.Rect;
  if (ShadowSize() > 0) {
    canvas.Pen().style = psClear;
    canvas.Brush() = TBrush{ShadowColor(), bsSolid, clWhite};
    TRect shadow = box;
    OffsetRect(shadow, ShadowSize(), ShadowSize());
    canvas.FillWithBrush(shadow);
  }
  canvas.Pen() = Frame().Effective();
  canvas.Brush() = TBrush{Color(), bsSolid, clWhite};
  canvas.DrawRect2D(box.left, box.top, box.right, box.bottom);
  canvas.SetBackgroundMode(bkTransparent);
  canvas.SetTextAlignment(taLeft | taTop);
  int y = layout.RowsTop;
  for (const TLegendRow& row : layout.Rows) {
    const TRect symbol =
        Rect(box.left + 4, y + 2, box.left + 4 + ColorWidth(), y + layout.RowHeight - 2);
    if (row.Series)
      row.Series->DrawLegendSymbol(canvas, symbol, row.Color);
    else
      TChartSeries::DrawColorBox(canvas, symbol, row.Color);
    canvas.DrawTextAtDepth(box.left + ColorWidth() + 8, y, row.Text, 0);
    y += layout.RowHeight;
  }
}

int TChartLegend::ItemAt(TPoint p) const {
  return Chart()->Layout().Legend.ItemAt(p);
}
