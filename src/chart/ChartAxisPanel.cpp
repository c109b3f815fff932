#include "chart/ChartAxisPanel.h"

#include <algorithm>
#include <cmath>

#include "chart/series/ChartSeries.h"
#include "platform/Exception.h"
#include "platform/ScopeGuard.h"

TCustomAxisPanel::TCustomAxisPanel()
    : FBottomAxis(std::make_unique<TChartAxis>(this, true, false, false)),
      FTopAxis(std::make_unique<TChartAxis>(this, true, true, false)),
      FLeftAxis(std::make_unique<TChartAxis>(this, false, false, false)),
      FRightAxis(std::make_unique<TChartAxis>(this, false, true, false)),
      FDepthAxis(std::make_unique<TChartDepthAxis>(this)),
      FAxes{FBottomAxis.get(), FTopAxis.get(), FLeftAxis.get(), FRightAxis.get(),
            FDepthAxis.get()} {
  for (size_t i = 0; i < FAxes.size(); ++i) FAxes[i]->FLayoutIndex = static_cast<int>(i);
}

TCustomAxisPanel::~TCustomAxisPanel() {
  // The series outlive the chart: leave them without a parent.
  FDestroying = true;
  for (TChartSeries* series : FSeriesList) series->FParentChart = nullptr;
  FSeriesList.clear();
}

TChartSeries* TCustomAxisPanel::SeriesAt(int index) const {
  if (index < 0 || index >= CountSeries()) ListIndexError(index);
  return FSeriesList[static_cast<size_t>(index)];
}

int TCustomAxisPanel::IndexOfSeries(const TChartSeries* series) const {
  auto it = std::find(FSeriesList.begin(), FSeriesList.end(), series);
  return it == FSeriesList.end() ? -1 : static_cast<int>(it - FSeriesList.begin());
}

void TCustomAxisPanel::AttachSeries(TChartSeries* series) {
  series->SetParentChart(this);
}

void TCustomAxisPanel::DetachSeries(TChartSeries* series) {
  const int index = IndexOfSeries(series);
  if (index < 0) return;
  for (TChartSeries* source : std::vector<TChartSeries*>(series->DataSources()))
    series->RemoveDataSource(source);
  series->FParentChart = nullptr;
  if (FCursor == series->Cursor()) FCursor = FOriginalCursor;
  FSeriesList.erase(FSeriesList.begin() + index);
  Invalidate();
}

void TCustomAxisPanel::DetachAllSeries() {
  while (CountSeries() > 0) DetachSeries(SeriesAt(0));
}

void TCustomAxisPanel::DestroyAllSeries() {
  while (CountSeries() > 0) {
    TChartSeries* series = SeriesAt(0);
    series->SetParentChart(nullptr);
    if (FSeriesOwner) FSeriesOwner->DestroySeries(series);
  }
}

TColor TCustomAxisPanel::PickFreeSeriesColor(bool checkBackground) const {
  // When every palette colour is taken, the seventeenth candidate (the first again) wins.
  for (int k = 0;; ++k) {
    const TColor candidate = PaletteColor(k);
    if (k == 16 || IsSeriesColorFree(candidate, checkBackground)) return candidate;
  }
}

bool TCustomAxisPanel::IsSeriesColorFree(TColor color, bool checkBackground) const {
  for (const TChartSeries* series : FSeriesList)
    if (series->SeriesColor() == color) return false;
  if (checkBackground && (color == Color() || color == BackWallColor())) return false;
  return true;
}

double TCustomAxisPanel::SeriesExtreme(const TCustomChartAxis& axis, bool wantMinimum) const {
  if (axis.IsDepth()) {
    for (TChartSeries* series : FSeriesList)
      if (series->Active()) return wantMinimum ? series->MinimumZ() : series->MaximumZ();
    return 0;
  }
  // Inactive series count only when no active one uses the axis; a kind drawn without axes
  // (a pie) gives them no range.
  bool anyActive = false;
  for (TChartSeries* series : FSeriesList)
    anyActive = anyActive || (series->Active() && series->UsesAxis(axis));
  bool found = false;
  double result = 0;
  for (TChartSeries* series : FSeriesList) {
    if ((anyActive && !series->Active()) || series->PointCount() == 0 || !series->UsesAxis(axis))
      continue;
    // A series without one finite value on this axis has no extremes to give.
    if (!(axis.IsHorizontal() ? series->XValues() : series->YValues()).HasFiniteValue()) continue;
    double value;
    if (axis.IsHorizontal() && FMaxPointsPerPage > 0)
      value = PagedExtremeX(*series, wantMinimum);
    else if (axis.IsHorizontal())
      value = wantMinimum ? series->MinimumX() : series->MaximumX();
    else
      value = wantMinimum ? series->MinimumY() : series->MaximumY();
    // Automatic ranges are taken over finite values only.
    if (!std::isfinite(value)) continue;
    if (!found || (wantMinimum ? value < result : value > result)) result = value;
    found = true;
  }
  return result;
}

double TCustomAxisPanel::SeriesPositiveMinimum(const TCustomChartAxis& axis) const {
  double result = 0;
  for (TChartSeries* series : FSeriesList) {
    if (!series->Active() || !series->UsesAxis(axis)) continue;
    const TChartValueList& list = axis.IsHorizontal() ? series->XValues() : series->YValues();
    for (int i = 0; i < list.ValueCount(); ++i) {
      const double value = list.ValueAt(i);
      if (value > 0 && std::isfinite(value) && (result == 0 || value < result)) result = value;
    }
  }
  return result > 0 ? result : 1;
}

double TCustomAxisPanel::PagedExtremeX(const TChartSeries& series, bool wantMinimum) const {
  const int count = series.PointCount();
  // In 64 bits: a far page of a large page size lies beyond the 32-bit range.
  const int64_t perPage = FMaxPointsPerPage;
  const int first =
      static_cast<int>(std::min<int64_t>((std::max(FPage, 1) - int64_t{1}) * perPage, count - 1));
  const int64_t last = first + perPage - 1;
  const double low = series.XValue(first);
  if (wantMinimum) return low;
  if (last < count) return series.XValue(static_cast<int>(last));
  const double high = series.XValue(count - 1);
  // A short last page keeps the spacing of a full one unless it may be stretched.
  if (FScaleLastPage || count - 1 == first) return high;
  return low + (high - low) / (count - 1 - first) * (FMaxPointsPerPage - 1);
}

bool TCustomAxisPanel::AxesNeeded() const {
  bool anyActive = false;
  for (TChartSeries* series : FSeriesList) {
    if (!series->Active()) continue;
    if (series->NeedsAxes()) return true;
    anyActive = true;
  }
  return !anyActive;
}

bool TCustomAxisPanel::AxisIsShown(const TCustomChartAxis& axis) const {
  if (!FAxisVisible || !axis.Visible()) return false;
  if (axis.IsDepth()) return View3D() && AxesNeeded();
  for (TChartSeries* series : FSeriesList)
    if (series->Active() && series->UsesAxis(axis)) return true;
  return false;
}

void TCustomAxisPanel::SetAxisVisible(bool value) {
  Change(FAxisVisible, value);
}

void TCustomAxisPanel::SetMaxPointsPerPage(int value) {
  Change(FMaxPointsPerPage, value);
}
void TCustomAxisPanel::SetPage(int value) {
  if (value == FPage) return;
  Change(FPage, value);
  PageChanged();
}
void TCustomAxisPanel::SetScaleLastPage(bool value) {
  Change(FScaleLastPage, value);
}
void TCustomAxisPanel::SetView3DWalls(bool value) {
  Change(FView3DWalls, value);
}

void TCustomAxisPanel::SetCursor(int16_t value) {
  FCursor = value;
}

void TCustomAxisPanel::BuildLayout(TChartLayout& layout, const TRect& bounds) {
  StartLayout(layout, bounds);
  LayOutAxesAndSeries(layout);
}

void TCustomAxisPanel::StartLayout(TChartLayout& layout, const TRect& bounds) const {
  layout.ChartBounds = bounds;
  layout.PlotRect = FFixedPlotRect ? *FFixedPlotRect : MarginRect(bounds);
  NormalizePlotRect(layout);
  layout.Axes.resize(FAxes.size());
  for (TChartSeries* series : FSeriesList) layout.Series.push_back({.Series = series});
  layout.Projection = TChartProjection(View3DOptions().Settings(), View3D());
}

void TCustomAxisPanel::LayOutAxesAndSeries(TChartLayout& layout) {
  ComputeDepthSlots(layout);
  LayOutAxes(layout);
  SetSeriesDepthBands(layout);
  WidenAxesBySeriesMargins(layout);
  for (size_t i = 0; i < FAxes.size(); ++i) {
    FAxes[i]->PlaceLine(layout.Axes[i], layout.PlotRect);
    // Hidden axes too: their label texts, asked for by the program, must differ as well.
    if (layout.Axes[i].Shown || !FAxes[i]->IsDepth())
      FAxes[i]->ChooseLabelStep(layout.Axes[i], Canvas());
  }
  layout.Projection.Centre(layout.Depth3DX, layout.PlotRect);
  for (TChartSeries* series : FSeriesList)
    if (series->Active()) {
      TSeriesLayout& entry = layout.SeriesOf(series);
      series->CalcFirstLastShownIndex(entry);
      series->PlaceInPlot(entry, layout.PlotRect);
    }
}

void TCustomAxisPanel::ComputeDepthSlots(TChartLayout& layout) {
  layout.TopZSlot = 0;
  const bool slots = UseZSlots() && View3D();
  if (slots) {
    layout.TopZSlot = -1;
    for (TChartSeries* series : FSeriesList)
      if (series->Active()) series->ComputeZOrder(layout);
  }
  // The first series in the list lies deepest.
  for (TSeriesLayout& entry : layout.Series)
    if (entry.Series->Active()) entry.ComputedZOrder = slots ? layout.TopZSlot - entry.ZSlot : 0;
}

void TCustomAxisPanel::Compute3DDepth(TChartLayout& layout) const {
  if (!View3D()) {
    layout.SeriesDepth = layout.Depth3DX = layout.Depth3DY = 0;
    return;
  }
  int depth = Nearest(layout.PlotWidth() * Chart3DPercent() * 0.001);
  if (!View3DOptions().Orthogonal()) depth *= 2;
  layout.SeriesDepth = depth;
  layout.Depth3DX = layout.Depth3DY =
      UseZSlots() ? depth * std::max(layout.TopZSlot + 1, 1) : depth;
}

void TCustomAxisPanel::LayOutAxes(TChartLayout& layout) {
  for (size_t i = 0; i < FAxes.size(); ++i) FAxes[i]->UpdateRange(layout.Axes[i]);
  Compute3DDepth(layout);
  if (FFixedPlotRect) {
    for (size_t i = 0; i < FAxes.size(); ++i)
      FAxes[i]->PlaceOnChart(layout.Axes[i], layout.PlotRect);
    return;
  }
  if (View3D() && View3DOptions().Orthogonal()) {
    const int wall = FView3DWalls && AxesNeeded() ? BackWall().Size() : 0;
    layout.PlotRect.right -= layout.Depth3DX + wall;
    layout.PlotRect.top += layout.Depth3DY + wall;
  }
  NormalizePlotRect(layout);
  TRect rest = layout.PlotRect;
  for (size_t i = 0; i < FAxes.size(); ++i) {
    TAxisLayout& entry = layout.Axes[i];
    if (!entry.Shown) continue;
    FAxes[i]->PlaceOnChart(entry, rest);  // the label step needs a length to fit its labels into
    TRect cut = rest;
    FAxes[i]->ReserveSpace(entry, cut, Canvas());
    if (!IsRectEmpty(cut)) rest = cut;  // a cut that leaves nothing is ignored
  }
  layout.PlotRect = rest;
  NormalizePlotRect(layout);
  for (size_t i = 0; i < FAxes.size(); ++i) FAxes[i]->PlaceOnChart(layout.Axes[i], layout.PlotRect);
}

void TCustomAxisPanel::SetSeriesDepthBands(TChartLayout& layout) const {
  for (TSeriesLayout& entry : layout.Series) {
    if (!entry.Series->Active()) continue;
    entry.StartZ = layout.SeriesDepth * entry.ComputedZOrder;
    entry.EndZ = entry.StartZ + layout.SeriesDepth;
    entry.MiddleZ = (entry.StartZ + entry.EndZ) / 2;
  }
}

void TCustomAxisPanel::WidenAxesBySeriesMargins(TChartLayout& layout) {
  for (TChartAxis* axis : {FTopAxis.get(), FLeftAxis.get(), FRightAxis.get(), FBottomAxis.get()}) {
    int atStart = 0, atEnd = 0;
    for (TChartSeries* series : FSeriesList) {
      if (!series->Active() || !series->IsTiedTo(*axis)) continue;
      int a = 0, b = 0;
      TSeriesLayout& entry = layout.SeriesOf(series);
      if (axis->IsHorizontal()) {
        series->HorizontalMargins(entry, a, b);  // left, right
      } else {
        series->VerticalMargins(entry, a, b);  // top, bottom
      }
      atStart = std::max(atStart, a);
      atEnd = std::max(atEnd, b);
    }
    // Margins only stretch an automatic end of the range. A vertical axis starts at the top,
    // where its maximum is.
    const bool startAutomatic =
        axis->IsHorizontal() ? axis->AutomaticMinimum() : axis->AutomaticMaximum();
    const bool endAutomatic =
        axis->IsHorizontal() ? axis->AutomaticMaximum() : axis->AutomaticMinimum();
    if (!startAutomatic) atStart = 0;
    if (!endAutomatic) atEnd = 0;
    if (atStart != 0 || atEnd != 0)
      axis->WidenRangeByMargins(layout.Axes[static_cast<size_t>(axis->FLayoutIndex)],
                                layout.PlotRect, atStart, atEnd);
  }
}

void TCustomAxisPanel::DrawAxes() {
  if (!FAxisVisible) return;
  if (OnBeforeDrawAxes) OnBeforeDrawAxes(this);
  for (TCustomChartAxis* axis : FAxes)
    if (axis->Layout().Shown) axis->PaintAxis();
}

void TCustomAxisPanel::DrawAllSeries() {
  if (OnBeforeDrawSeries) OnBeforeDrawSeries(this);
  std::vector<TChartSeries*> drawn, begun;
  for (TChartSeries* series : FSeriesList) {
    if (!series->Active() || std::find(drawn.begin(), drawn.end(), series) != drawn.end()) continue;
    // In 3D the series sharing a depth slot are drawn together, point by point.
    std::vector<TChartSeries*> group{series};
    if (View3D())
      for (TChartSeries* other : FSeriesList)
        if (other != series && other->Active() &&
            other->ComputedZOrder() == series->ComputedZOrder() &&
            std::find(drawn.begin(), drawn.end(), other) == drawn.end())
          group.push_back(other);
    drawn.insert(drawn.end(), group.begin(), group.end());
    if (group.size() == 1)
      DrawSeries(series, begun);
    else
      DrawSeriesGroup(group, begun);
  }
  // Marks over every series' points, so that no later bar covers them; those that separate
  // their marks keep clear of all drawn before.
  FMarkBoxes.clear();
  for (TChartSeries* series : begun) {
    series->DrawMarks();
    series->AfterDrawPoints();
  }
  FMarkBoxes.clear();
}

void TCustomAxisPanel::DrawPointsClipped(const std::function<void()>& drawPoints) {
  TChartCanvas3D& canvas = Canvas();
  if (FClipPoints && !Printing()) canvas.ClipToBox(PlotRect(), 0, TotalDepth());
  // A handler that throws while the points are drawn must not leave the clip on the picture.
  const auto unclip = OnScopeExit([&canvas] { canvas.RemoveClip(); });
  drawPoints();
}

void TCustomAxisPanel::DrawSeries(TChartSeries* series, std::vector<TChartSeries*>& begun) {
  if (series->FirstShownIndex() < 0) return;
  series->BeforeDrawPoints();
  begun.push_back(series);
  DrawPointsClipped([series] { series->DrawShownPoints(); });
}

void TCustomAxisPanel::DrawSeriesGroup(const std::vector<TChartSeries*>& group,
                                       std::vector<TChartSeries*>& begun) {
  int first = -1, last = -1;
  for (TChartSeries* series : group) {
    if (series->FirstShownIndex() < 0) continue;
    first = first < 0 ? series->FirstShownIndex() : std::min(first, series->FirstShownIndex());
    last = std::max(last, series->LastShownIndex());
  }
  if (first < 0) return;
  for (TChartSeries* series : group) series->BeforeDrawPoints();
  begun.insert(begun.end(), group.begin(), group.end());
  // Stacks drawn bottom up; an inverted vertical axis turns a stack over.
  std::vector<TChartSeries*> order = group;
  const TCustomChartAxis* vertical = group.front()->GetVertAxis();
  if (group.front()->Stacked() && vertical && vertical->Inverted())
    std::reverse(order.begin(), order.end());
  const bool forward = group.front()->DrawsPointsForward();
  DrawPointsClipped([&] {
    for (int step = 0; step <= last - first; ++step) {
      const int index = forward ? first + step : last - step;
      for (TChartSeries* series : order)
        if (series->PointCount() > index) series->DrawPoint(index);
    }
  });
}
