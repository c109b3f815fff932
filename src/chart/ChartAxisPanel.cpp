#include "chart/ChartAxisPanel.h"

#include <algorithm>

#include "chart/ChartSeries.h"
#include "platform/Exception.h"

TCustomAxisPanel::TCustomAxisPanel()
    : FBottomAxis(std::make_unique<TChartAxis>(this, true, false, false)),
      FTopAxis(std::make_unique<TChartAxis>(this, true, true, false)),
      FLeftAxis(std::make_unique<TChartAxis>(this, false, false, false)),
      FRightAxis(std::make_unique<TChartAxis>(this, false, true, false)),
      FDepthAxis(std::make_unique<TChartDepthAxis>(this)),
      FAxes{FBottomAxis.get(), FTopAxis.get(), FLeftAxis.get(), FRightAxis.get(),
            FDepthAxis.get()} {
  RepaintOnChange = true;
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

void TCustomAxisPanel::AttachSeries(TChartSeries* series) { series->SetParentChart(this); }

void TCustomAxisPanel::DetachSeries(TChartSeries* series) {
  const int index = IndexOfSeries(series);
  if (index < 0) return;
  for (TChartSeries* source : std::vector<TChartSeries*>(series->DataSources()))
    series->RemoveDataSource(source);
  series->FParentChart = nullptr;
  if (Cursor == series->Cursor()) Cursor = OriginalCursor;
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
    if (SeriesOwner) SeriesOwner->DestroySeries(series);
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
  if (checkBackground && (color == FColor || color == BackWallColor())) return false;
  return true;
}

void TCustomAxisPanel::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Invalidate();
}

void TCustomAxisPanel::Invalidate() {
  if (!RepaintOnChange) return;
  InvalidateView();
}

double TCustomAxisPanel::SeriesExtreme(const TCustomChartAxis& axis, bool wantMinimum) const {
  if (axis.IsDepth()) {
    for (TChartSeries* series : FSeriesList)
      if (series->Active()) return wantMinimum ? series->MinimumZ() : series->MaximumZ();
    return 0;
  }
  // Inactive series count only when no active one uses the axis.
  bool anyActive = false;
  for (TChartSeries* series : FSeriesList)
    anyActive = anyActive || (series->Active() && series->IsTiedTo(axis));
  bool found = false;
  double result = 0;
  for (TChartSeries* series : FSeriesList) {
    if ((anyActive && !series->Active()) || series->PointCount() == 0 || !series->IsTiedTo(axis))
      continue;
    double value;
    if (axis.IsHorizontal())
      value = wantMinimum ? series->MinimumX() : series->MaximumX();
    else
      value = wantMinimum ? series->MinimumY() : series->MaximumY();
    if (!found || (wantMinimum ? value < result : value > result)) result = value;
    found = true;
  }
  return result;
}

bool TCustomAxisPanel::AxisIsShown(const TCustomChartAxis& axis) const {
  if (!FAxisVisible || !axis.Visible()) return false;
  if (axis.IsDepth()) return FView3D;
  for (TChartSeries* series : FSeriesList)
    if (series->Active() && series->UsesAxis(axis)) return true;
  return false;
}

void TCustomAxisPanel::SetAxisVisible(bool value) {
  if (value == FAxisVisible) return;
  FAxisVisible = value;
  Invalidate();
}

void TCustomAxisPanel::SetView3D(bool value) {
  if (value == FView3D) return;
  FView3D = value;
  Invalidate();
}

void TCustomAxisPanel::SetMaxPointsPerPage(int value) {
  if (value == FMaxPointsPerPage) return;
  FMaxPointsPerPage = value;
  Invalidate();
}

void TCustomAxisPanel::SetView3DWalls(bool value) {
  if (value == FView3DWalls) return;
  FView3DWalls = value;
  Invalidate();
}
