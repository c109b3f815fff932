#include "chart/series/ChartSeries.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "chart/ChartAxisPanel.h"
#include "chart/series/ChartFunction.h"
#include "chart/view/ChartLimits.h"
#include "platform/Exception.h"
#include "platform/FormatFloat.h"
#include "platform/ScopeGuard.h"

namespace {

constexpr std::array<TColor, 16> kPalette = {
    clRed,  clGreen,  clYellow, clBlue,  clWhite,  clGray,   clFuchsia, clTeal,
    clNavy, clMaroon, clLime,   clOlive, clPurple, clSilver, clAqua,    clBlack};

template <typename T>
void CheckedErase(std::vector<T>& items, int index) {
  if (index >= 0 && index < static_cast<int>(items.size())) items.erase(items.begin() + index);
}

}  // namespace

TColor PaletteColor(int index) {
  const int size = static_cast<int>(kPalette.size());
  return kPalette[static_cast<size_t>(((index % size) + size) % size)];
}

template <typename T>
void TSeriesMarks::Change(T& field, const T& value) {
  SetProperty(field, value, [this] { FSeries->RequestRepaint(); });
}

void TSeriesMarks::SetArrowLength(int value) {
  Change(FArrowLength, ClampPixels(value));
}
void TSeriesMarks::SetBackColor(TColor value) {
  Change(FBackColor, value);
}
void TSeriesMarks::SetClip(bool value) {
  Change(FClip, value);
}
void TSeriesMarks::SetStyle(TSeriesMarksStyle value) {
  Change(FStyle, value);
}
void TSeriesMarks::SetTransparent(bool value) {
  Change(FTransparent, value);
}
void TSeriesMarks::SetVisible(bool value) {
  Change(FVisible, value);
}
void TSeriesMarks::SetArrow(const TChartPen& value) {
  Change(FArrow, ClampPen(value));
}
void TSeriesMarks::SetFrame(const TChartPen& value) {
  Change(FFrame, ClampPen(value));
}
void TSeriesMarks::SetFont(const TFont& value) {
  Change(FFont, value);
}
void TSeriesMarks::SetCustomPosition(int index, TPoint offset) {
  if (index < 0) return;
  if (index >= static_cast<int>(FPositions.size()))
    FPositions.resize(static_cast<size_t>(index) + 1);
  FPositions[static_cast<size_t>(index)] = {true, offset};
  FSeries->RequestRepaint();
}
void TSeriesMarks::ClearCustomPositions() {
  std::vector<TMarkPosition>().swap(FPositions);
  FSeries->RequestRepaint();
}
TPoint TSeriesMarks::CustomOffset(int index) const {
  if (index < 0 || index >= static_cast<int>(FPositions.size())) return {};
  const TMarkPosition& position = FPositions[static_cast<size_t>(index)];
  return position.Custom ? position.Offset : TPoint{};
}

TSeriesOwner::~TSeriesOwner() {
  // Newest first, as a form frees its components.
  while (!FSeries.empty()) FSeries.pop_back();
}

void TSeriesOwner::Adopt(std::unique_ptr<TChartSeries> series) {
  FSeries.push_back(std::move(series));
}

bool TSeriesOwner::DestroySeries(TChartSeries* series) {
  auto it = std::find_if(FSeries.begin(), FSeries.end(),
                         [series](const auto& owned) { return owned.get() == series; });
  if (it == FSeries.end()) return false;
  FSeries.erase(it);
  return true;
}

TChartSeries::TChartSeries()
    : FXValues(std::make_unique<TChartValueList>(this, "X")),
      FYValues(std::make_unique<TChartValueList>(this, "Y")) {
  FXValues->SetOrder(loAscending);
}

TChartSeries::~TChartSeries() {
  UnlinkAll();
  ClearPoints();
  SetParentChart(nullptr);
}

int TChartSeries::AddPoint(double x, double y, const std::string& label, TColor color) {
  FXValues->PendingValue = x;
  FYValues->PendingValue = y;
  if (OnBeforeAdd && !OnBeforeAdd(this)) return -1;
  const int index = FXValues->AddInOrder(x);
  // The lists may have been edited directly; a point the other stores cannot take at the
  // same index is refused whole.
  const auto stores = static_cast<int>(std::min(FPointColors.size(), FPointLabels.size()));
  bool listsTakeIt = index <= stores;
  for (TChartValueList* list : FValueLists)
    if (list != FXValues.get()) listsTakeIt = listsTakeIt && index <= list->ValueCount();
  if (!listsTakeIt) {
    FXValues->RemoveValueAt(index);
    ListIndexError(index);
  }
  FYValues->InsertValueAt(index, y);
  // The further lists of a kind take their pending values at the same index.
  for (TChartValueList* list : FValueLists)
    if (list != FXValues.get() && list != FYValues.get())
      list->InsertValueAt(index, list->PendingValue);
  FPointColors.insert(FPointColors.begin() + index, color);
  FPointLabels.insert(FPointLabels.begin() + index, label);
  // A moved mark stays with its point.
  if (index < static_cast<int>(FMarks.FPositions.size()))
    FMarks.FPositions.insert(FMarks.FPositions.begin() + index, TMarkPosition{});
  if (OnAfterAdd) OnAfterAdd(this, index);
  NotifyLinked(TSeriesChange::Insert, index);
  if (FActive) RequestRepaint();
  return index;
}

int TChartSeries::AddNullPoint(double x, double y, const std::string& label) {
  return AddPoint(x, y, label, clNone);
}

int TChartSeries::AddMandatoryValue(double value, const std::string& label, TColor color) {
  if (&MandatoryList() == FYValues.get()) return AddPoint(PointCount(), value, label, color);
  return AddPoint(value, PointCount(), label, color);
}

int TChartSeries::AddNullValue(const std::string& label) {
  return AddMandatoryValue(0, label, clNone);
}

void TChartSeries::ClearPoints() {
  for (TChartValueList* list : FValueLists) list->RemoveAllValues();
  std::vector<TColor>().swap(FPointColors);
  std::vector<std::string>().swap(FPointLabels);
  std::vector<TMarkPosition>().swap(FMarks.FPositions);
  if (OnClearValues) OnClearValues(this);
  NotifyLinked(TSeriesChange::Clear, -1);
  if (FActive && FParentChart && !FParentChart->Destroying()) RequestRepaint();
}

void TChartSeries::DeletePoint(int index) {
  for (TChartValueList* list : FValueLists) list->RemoveValueAt(index);
  CheckedErase(FPointColors, index);
  CheckedErase(FPointLabels, index);
  CheckedErase(FMarks.FPositions, index);
  NotifyLinked(TSeriesChange::Delete, index);
  if (FActive) RequestRepaint();
}

TColor TChartSeries::StoredColor(int index) const {
  if (index < 0 || index >= static_cast<int>(FPointColors.size())) return clDefault;
  return FPointColors[static_cast<size_t>(index)];
}

TColor TChartSeries::PointColor(int index) const {
  if (index < 0 || index >= static_cast<int>(FPointColors.size())) return FSeriesColor;
  const TColor stored = FPointColors[static_cast<size_t>(index)];
  if (stored != clDefault) return stored;
  return FColorEachPoint ? PaletteColor(index) : FSeriesColor;
}

void TChartSeries::SetPointColor(int index, TColor color) {
  if (index < 0 || index >= static_cast<int>(FPointColors.size())) ListIndexError(index);
  FPointColors[static_cast<size_t>(index)] = color;
  RequestRepaint();
}

std::string TChartSeries::PointLabel(int index) const {
  if (index < 0 || index >= static_cast<int>(FPointLabels.size())) return {};
  return FPointLabels[static_cast<size_t>(index)];
}

void TChartSeries::SwapPoints(int a, int b) {
  for (TChartValueList* list : FValueLists) list->SwapValues(a, b);
  auto swapIn = [a, b](auto& items) {
    const int size = static_cast<int>(items.size());
    if (a >= size || b >= size || a < 0 || b < 0) ListIndexError(a >= size || a < 0 ? a : b);
    std::swap(items[static_cast<size_t>(a)], items[static_cast<size_t>(b)]);
  };
  swapIn(FPointColors);
  swapIn(FPointLabels);
  std::vector<TMarkPosition>& positions = FMarks.FPositions;
  if (positions.empty()) return;
  positions.resize(std::max(positions.size(), static_cast<size_t>(std::max(a, b)) + 1));
  std::swap(positions[static_cast<size_t>(a)], positions[static_cast<size_t>(b)]);
}

void TChartSeries::SetParentChart(TCustomAxisPanel* chart) {
  if (chart == FParentChart) return;
  if (FParentChart) FParentChart->DetachSeries(this);
  FParentChart = chart;
  if (!chart || chart->IndexOfSeries(this) >= 0) return;
  if (FSeriesColor == clDefault) FSeriesColor = chart->PickFreeSeriesColor(true);
  chart->FSeriesList.push_back(this);
  chart->Invalidate();
}

void TChartSeries::RequestRepaint() {
  if (FParentChart) FParentChart->Invalidate();
}

void TChartSeries::SetActive(bool value) {
  Change(FActive, value);
}
void TChartSeries::SetSeriesColor(TColor value) {
  Change(FSeriesColor, value);
}
void TChartSeries::SetShowInLegend(bool value) {
  Change(FShowInLegend, value);
}
void TChartSeries::SetTitle(const std::string& value) {
  Change(FTitle, value);
}
void TChartSeries::SetValueFormat(const std::string& value) {
  Change(FValueFormat, value);
}
void TChartSeries::SetPercentFormat(const std::string& value) {
  Change(FPercentFormat, value);
}
void TChartSeries::SetHorizAxis(THorizAxis value) {
  Change(FHorizAxis, value);
}
void TChartSeries::SetVertAxis(TVertAxis value) {
  Change(FVertAxis, value);
}

void TChartSeries::SetCustomHorizAxis(TCustomChartAxis* axis) {
  Change(FCustomHorizAxis, axis);
}
void TChartSeries::SetCustomVertAxis(TCustomChartAxis* axis) {
  Change(FCustomVertAxis, axis);
}

void TChartSeries::SetZOrder(int value) {
  Change(FZOrder, std::clamp(value, -1, kMaxZOrder));
}

void TChartSeries::SetColorEachPoint(bool value) {
  if (!StoreProperty(FColorEachPoint, value)) return;
  if (!value)
    for (TColor& color : FPointColors) color = clDefault;
  RequestRepaint();
}

bool TChartSeries::DependsOn(const TChartSeries* other) const {
  for (const TChartSeries* source : FDataSources)
    if (source == other || source->DependsOn(other)) return true;
  return false;
}

void TChartSeries::AddDataSource(TChartSeries* source) {
  if (!source || std::find(FDataSources.begin(), FDataSources.end(), source) != FDataSources.end())
    return;
  if (source == this || source->DependsOn(this))
    throw Exception("Circular Series dependences are not allowed");
  FDataSources.push_back(source);
  source->FLinkedSeries.push_back(this);
  if (FFunction)
    Recalculate();
  else
    CopyAllFrom(*source);
}

void TChartSeries::RemoveDataSource(TChartSeries* source) {
  const auto removed = std::erase(FDataSources, source);
  if (source) std::erase(source->FLinkedSeries, this);
  // A calculated series goes on from the sources it has left.
  if (removed && FFunction) Recalculate();
}

void TChartSeries::UnlinkAll() {
  for (TChartSeries* source : FDataSources) std::erase(source->FLinkedSeries, this);
  FDataSources.clear();
  while (!FLinkedSeries.empty()) FLinkedSeries.back()->RemoveDataSource(this);
}

void TChartSeries::CopyAllFrom(const TChartSeries& source) {
  ClearPoints();
  for (int i = 0; i < source.PointCount(); ++i)
    AddPoint(source.XValue(i), source.YValue(i), source.PointLabel(i), source.StoredColor(i));
}

void TChartSeries::SetFunction(std::unique_ptr<TChartFunction> function) {
  if (FFunction) FFunction->SetSeries(nullptr);
  FFunction = std::move(function);
  if (FFunction) FFunction->SetSeries(this);
  Recalculate();
}

void TChartSeries::Recalculate() {
  if (FDataSources.empty()) return;
  {
    FRecalculating = true;
    const auto done = OnScopeExit([this] { FRecalculating = false; });
    if (FFunction)
      FFunction->Calculate(*this, FDataSources);
    else
      CopyAllFrom(*FDataSources.back());
  }
  NotifyLinked(TSeriesChange::ModifyAll, -1);
}

void TChartSeries::NotifyLinked(TSeriesChange change, int index) {
  if (FRecalculating) return;
  // Copied so that a linked series unlinking itself cannot disturb the walk.
  const std::vector<TChartSeries*> linked = FLinkedSeries;
  for (TChartSeries* series : linked) series->SourceChanged(*this, change, index);
}

void TChartSeries::SourceChanged(const TChartSeries& source, TSeriesChange change, int index) {
  switch (change) {
    case TSeriesChange::Clear:
      if (!FRecalcOptions.OnClear) return;
      if (!FFunction) return ClearPoints();
      break;
    case TSeriesChange::Insert:
      if (!FRecalcOptions.OnInsert) return;
      if (!FFunction) {
        // A handler may have removed the point before the linked series hear of it.
        if (index < source.PointCount() && index < source.YValues().ValueCount())
          AddPoint(source.XValue(index), source.YValue(index), source.PointLabel(index),
                   source.StoredColor(index));
        return;
      }
      break;
    case TSeriesChange::Delete:
      if (!FRecalcOptions.OnDelete) return;
      if (!FFunction) {
        if (index < PointCount()) DeletePoint(index);
        return;
      }
      break;
    case TSeriesChange::ModifyOne:
      if (!FRecalcOptions.OnModify) return;
      if (FFunction && FFunction->CalculatePoint(*this, FDataSources, index)) return;
      break;
    case TSeriesChange::ModifyAll:
      break;
  }
  if (FFunction)
    Recalculate();
  else
    CopyAllFrom(source);
}

TCustomChartAxis* TChartSeries::GetHorizAxis() const {
  if (!FParentChart) return nullptr;
  if (FHorizAxis == aTopAxis) return &FParentChart->TopAxis();
  if (FHorizAxis == aCustomHorizAxis && FCustomHorizAxis) return FCustomHorizAxis;
  return &FParentChart->BottomAxis();
}

TCustomChartAxis* TChartSeries::GetVertAxis() const {
  if (!FParentChart) return nullptr;
  if (FVertAxis == aRightAxis) return &FParentChart->RightAxis();
  if (FVertAxis == aCustomVertAxis && FCustomVertAxis) return FCustomVertAxis;
  return &FParentChart->LeftAxis();
}

bool TChartSeries::IsTiedTo(const TCustomChartAxis& axis) const {
  if (axis.IsDepth()) return false;
  if (axis.IsHorizontal()) return FHorizAxis == aBothHorizAxis || GetHorizAxis() == &axis;
  return FVertAxis == aBothVertAxis || GetVertAxis() == &axis;
}

const TSeriesLayout& TChartSeries::Layout() const {
  static const TSeriesLayout kNone;
  return FParentChart ? FParentChart->Layout().SeriesOf(this) : kNone;
}

void TChartSeries::ComputeZOrder(TChartLayout& layout) const {
  // Every series with a slot of its own deepens the box by one slot, a fixed one too.
  ++layout.TopZSlot;
  TSeriesLayout& entry = layout.SeriesOf(this);
  if (FZOrder >= 0)
    entry.ZSlot = FZOrder;
  else
    entry.ZSlot = FParentChart && FParentChart->View3D() ? layout.TopZSlot : 0;
}

int TChartSeries::PointScreenX(int index) const {
  const TCustomChartAxis* axis = GetHorizAxis();
  return axis ? axis->ValueToPixel(XValue(index)) : 0;
}

int TChartSeries::PointScreenY(int index) const {
  const TCustomChartAxis* axis = GetVertAxis();
  return axis ? axis->ValueToPixel(YValue(index)) : 0;
}

bool TChartSeries::OnPixelGrid(int index) const {
  const TCustomChartAxis* horizontal = GetHorizAxis();
  const TCustomChartAxis* vertical = GetVertAxis();
  if (!horizontal || !vertical || !NeedsAxes()) return true;
  const TAxisScale &h = horizontal->Layout(), &v = vertical->Layout();
  return h.Reaches(h.ExactPixel(XValue(index))) && v.Reaches(v.ExactPixel(YValue(index)));
}

bool TChartSeries::SegmentEnds(int from, int to, TPoint& a, TPoint& b, TPoint* outer) const {
  a = {PointScreenX(from), PointScreenY(from)};
  b = {PointScreenX(to), PointScreenY(to)};
  if (outer) outer[0] = a, outer[1] = b;
  const TCustomChartAxis* horizontal = GetHorizAxis();
  const TCustomChartAxis* vertical = GetVertAxis();
  if (!horizontal || !vertical) return true;
  const TAxisScale &h = horizontal->Layout(), &v = vertical->Layout();
  TExactPoint p{h.ExactPixel(XValue(from)), v.ExactPixel(YValue(from))};
  TExactPoint q{h.ExactPixel(XValue(to)), v.ExactPixel(YValue(to))};
  if (h.Reaches(p.x) && v.Reaches(p.y) && h.Reaches(q.x) && v.Reaches(q.y)) return true;
  const TExactPoint wholeP = p, wholeQ = q;
  if (!SegmentNearPlot(h, v, p, q)) return false;
  a = {Nearest(p.x), Nearest(p.y)};
  b = {Nearest(q.x), Nearest(q.y)};
  if (outer) {
    // Farther than the plot's margin, on the same side of it.
    auto bounded = [](double value, int near) {
      return static_cast<int>(std::clamp(value, near - 4e6, near + 4e6));
    };
    outer[0] = {bounded(wholeP.x, a.x), bounded(wholeP.y, a.y)};
    outer[1] = {bounded(wholeQ.x, b.x), bounded(wholeQ.y, b.y)};
  }
  return true;
}

void TChartSeries::CalcFirstLastShownIndex(TSeriesLayout& entry) const {
  const int count = PointCount();
  entry.FirstShownIndex = count > 0 ? 0 : -1;
  entry.LastShownIndex = count - 1;
  const TCustomChartAxis* axis = GetHorizAxis();
  // A kind drawn without axes shows every point whatever their ranges.
  if (count == 0 || FXValues->Order() == loNone || !axis || !FParentChart || !NeedsAxes()) return;
  const TRect& plot = FParentChart->PlotRect();
  double xmin = axis->PixelToValue(axis->Inverted() ? plot.right : plot.left);
  double xmax = axis->PixelToValue(axis->Inverted() ? plot.left : plot.right);
  int& first = entry.FirstShownIndex;
  first = -1;
  for (int i = 0; i < count; ++i)
    if (XValue(i) >= xmin) {
      first = i;
      break;
    }
  if (first < 0) {
    entry.LastShownIndex = -1;
    return;
  }
  if (XValue(count - 1) > xmax) {
    int last = first;
    while (last < count - 1 && XValue(last) < xmax) ++last;
    entry.LastShownIndex = XValue(last) > xmax ? last - 1 : last;
  } else {
    entry.LastShownIndex = count - 1;
  }
  // Zoomed in between two points there may be none inside, yet the segment joining them
  // crosses the plot.
  if (ConnectsPoints()) {
    first = std::max(first - 1, 0);
    entry.LastShownIndex = std::min(entry.LastShownIndex + 1, count - 1);
  }
}

bool TChartSeries::DrawsPointsForward() const {
  const TCustomChartAxis* axis = GetHorizAxis();
  return !axis || !axis->Inverted();
}

void TChartSeries::DrawShownPoints() {
  const int first = FirstShownIndex(), last = LastShownIndex();
  if (first < 0) return;
  if (DrawsPointsForward())
    for (int i = first; i <= last; ++i) DrawPoint(i);
  else
    for (int i = last; i >= first; --i) DrawPoint(i);
}

void TChartSeries::DrawColorBox(TChartCanvas3D& canvas, const TRect& box, TColor color) {
  canvas.Pen() = TPen{};
  canvas.Brush() = TBrush{color, bsSolid, clWhite};
  canvas.DrawRect2D(box.left, box.top, box.right, box.bottom);
}

bool TChartSeries::Plottable(int index) const {
  if (IsNullPoint(index)) return false;
  const double x = XValue(index), y = YValue(index);
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  const TCustomChartAxis* horizontal = GetHorizAxis();
  const TCustomChartAxis* vertical = GetVertAxis();
  if (horizontal && horizontal->Logarithmic() && !(x > 0)) return false;
  return !(vertical && vertical->Logarithmic() && !(y > 0));
}
