#include "chart/view/ChartLegend.h"

#include <algorithm>

#include "chart/Chart.h"
#include "chart/series/ChartSeries.h"
#include "platform/FormatFloat.h"
#include "platform/ScopeGuard.h"

TLegendRow TChartLegend::PointRow(const TChartSeries& series, int index,
                                  const std::string& label) const {
  TLegendRow row;
  row.Color = series.PointColor(index);
  row.Text = label;
  switch (TextStyle()) {
    case ltsPlain:
      if (row.Text.empty()) row.Text = series.ValueText(index);
      break;
    case ltsLeftValue:
    case ltsRightValue:
      row.Value = series.ValueText(index);
      break;
    case ltsLeftPercent:
    case ltsRightPercent:
      row.Value = series.PercentText(index);
      break;
    case ltsXValue:
      row.Text = series.XValueText(index);
      break;
  }
  return row;
}

namespace {

bool ValuesLeft(TLegendTextStyle style) {
  return style == ltsLeftValue || style == ltsLeftPercent;
}

// The row's text as one line: its value on the side the style gives it.
std::string JoinedText(const TLegendRow& row, bool valuesLeft) {
  if (row.Value.empty()) return row.Text;
  if (row.Text.empty()) return row.Value;
  return valuesLeft ? row.Value + " " + row.Text : row.Text + " " + row.Value;
}

}  // namespace

std::string TChartLegend::PointText(const TChartSeries& series, int index) const {
  return JoinedText(PointRow(series, index, series.PointLabel(index)), ValuesLeft(TextStyle()));
}

std::vector<TLegendRow> TChartLegend::Rows(TCustomChart& chart, int& firstItem) const {
  // One row per listed series, or per point when only one series is listed.
  std::vector<TLegendRow> rows;
  std::vector<TChartSeries*> listed;
  for (TChartSeries* series : chart.SeriesList())
    if (series->Active() && series->ShowInLegend()) listed.push_back(series);
  const bool byPoints =
      LegendStyle() == lsValues || (LegendStyle() == lsAuto && listed.size() == 1);
  // A first value before the first point lists from the first point.
  const int firstValue = std::max(0, FirstValue());
  if (byPoints && !listed.empty()) {
    const TChartSeries& series = *listed.front();
    for (int i = firstValue; i < series.PointCount(); ++i)
      rows.push_back(PointRow(series, i, series.PointLabel(i)));
  } else {
    for (size_t i = 0; i < listed.size(); ++i) {
      const TChartSeries& series = *listed[i];
      if (series.ListsPointsInLegend()) {
        for (int p = 0; p < series.PointCount(); ++p)
          rows.push_back(PointRow(series, p, series.PointLabel(p)));
        continue;
      }
      // Named by its place among the shown series, whether the legend lists them or not.
      int number = 0;
      for (TChartSeries* other : chart.SeriesList()) {
        number += other->Active();
        if (other == &series) break;
      }
      const std::string title =
          series.Title().empty() ? "Series" + std::to_string(number) : series.Title();
      TLegendRow row;
      row.Color = series.SeriesColor();
      row.Text = title;
      row.Series = &series;
      if (LegendStyle() == lsLastValues && series.PointCount() > 0) {
        row.Value = PointRow(series, series.PointCount() - 1, title).Value;
        if (TextStyle() == ltsXValue) row.Value = series.XValueText(series.PointCount() - 1);
      }
      rows.push_back(row);
    }
  }
  if (chart.OnGetLegendText)
    for (size_t i = 0; i < rows.size(); ++i) {
      // A handler's text replaces the whole row, value included.
      const std::string joined = JoinedText(rows[i], ValuesLeft(TextStyle()));
      std::string text = joined;
      chart.OnGetLegendText(&chart, static_cast<int>(i), text);
      if (text != joined) rows[i].Text = text, rows[i].Value.clear();
    }
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
  for (const TLegendRow& row : rows) {
    out.TextWidth = std::max(out.TextWidth, canvas.MeasureTextWidth(row.Text));
    out.ValueWidth = std::max(out.ValueWidth, canvas.MeasureTextWidth(row.Value));
  }
  const int valueColumn = out.ValueWidth > 0 ? out.ValueWidth + 4 : 0;
  const int count = static_cast<int>(rows.size());
  out.Rect =
      PlaceBox(plot, chart, ColorWidth() + out.TextWidth + valueColumn + 12 + 2 * HorizMargin(),
               count * lineHeight + 4 + 2 * VertMargin());
  out.Rows = std::move(rows);
  out.RowsTop = out.Rect.top + 2 + VertMargin();
  out.RowHeight = lineHeight;
  out.FirstItem = firstItem;
  out.ItemStep = Inverted() ? -1 : 1;
  out.ValuesLeft = ValuesLeft(TextStyle());
  PlaceRows(out, chart);
}

void TChartLegend::PlaceRows(TLegendLayout& out, TCustomChart& chart) const {
  const int symbolLeft = out.Rect.left + 4 + HorizMargin();
  int top = out.RowsTop;
  for (size_t i = 0; i < out.Rows.size(); ++i, top += out.RowHeight) {
    TLegendRow& row = out.Rows[i];
    row.SymbolLeft = symbolLeft;
    row.TextLeft = symbolLeft + ColorWidth() + 4;
    row.Top = top;
    if (chart.OnGetLegendPos)
      chart.OnGetLegendPos(&chart, static_cast<int>(i), row.TextLeft, row.Top, row.SymbolLeft);
  }
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
  if (DividingLines()) {
    canvas.Pen() = TPen{Frame().color, 1, psSolid};
    for (size_t i = 1; i < layout.Rows.size(); ++i)
      canvas.DrawLine2D(box.left + 1, layout.Rows[i].Top, box.right - 1, layout.Rows[i].Top);
  }
  canvas.SetBackgroundMode(bkTransparent);
  for (const TLegendRow& row : layout.Rows) {
    const TRect symbol = Rect(row.SymbolLeft, row.Top + 2, row.SymbolLeft + ColorWidth(),
                              row.Top + layout.RowHeight - 2);
    if (row.Series)
      row.Series->DrawLegendSymbol(canvas, symbol, row.Color);
    else
      TChartSeries::DrawColorBox(canvas, symbol, row.Color);
    // Values stand right-aligned in their column, before or after the labels.
    const int valueRight = layout.ValuesLeft
                               ? row.TextLeft + layout.ValueWidth
                               : row.TextLeft + layout.TextWidth + 4 + layout.ValueWidth;
    const int textLeft = layout.ValuesLeft && layout.ValueWidth > 0
                             ? row.TextLeft + layout.ValueWidth + 4
                             : row.TextLeft;
    canvas.SetTextAlignment(taLeft | taTop);
    canvas.DrawTextAtDepth(textLeft, row.Top, row.Text, 0);
    if (row.Value.empty()) continue;
    canvas.SetTextAlignment(taRight | taTop);
    canvas.DrawTextAtDepth(valueRight, row.Top, row.Value, 0);
  }
}

int TChartLegend::ItemAt(TPoint p) const {
  return Chart()->Layout().Legend.ItemAt(p);
}
