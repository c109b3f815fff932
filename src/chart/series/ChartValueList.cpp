#include "chart/series/ChartValueList.h"

#include <algorithm>
#include <cmath>

#include "chart/series/ChartSeries.h"
#include "platform/Exception.h"
#include "platform/Property.h"

TChartValueList::TChartValueList(TChartSeries* owner, std::string name)
    : FOwner(owner), FName(std::move(name)) {
  if (FOwner) FOwner->ValueLists().Add(this);
}

void TChartValueList::CheckIndex(int index) const {
  if (index < 0 || index >= ValueCount()) ListIndexError(index);
}

double TChartValueList::ValueAt(int index) const {
  CheckIndex(index);
  return FValues[static_cast<size_t>(index)] * FMultiplier;
}

void TChartValueList::PutValue(int index, double value) {
  CheckIndex(index);
  FValues[static_cast<size_t>(index)] = value;
  FStatsDirty = true;
  if (FOwner) FOwner->NotifyLinked(TSeriesChange::ModifyOne, index);
}

void TChartValueList::RemoveAllValues() {
  std::vector<double>().swap(FValues);
  FStatsDirty = true;
}

int TChartValueList::AddInOrder(double value) {
  FStatsDirty = true;
  const int count = ValueCount();
  if (FOrder == loNone || count == 0) {
    FValues.push_back(value);
    return count;
  }
  // Scan from the end, so values added in order cost one comparison; equal values go after
  // the ones already there.
  const bool ascending = FOrder == loAscending;
  auto staysBefore = [&](double stored) { return ascending ? stored <= value : stored >= value; };
  int i = count - 1;
  if (staysBefore(FValues[static_cast<size_t>(i)])) {
    FValues.push_back(value);
    return count;
  }
  while (i >= 0 && !staysBefore(FValues[static_cast<size_t>(i)])) --i;
  FValues.insert(FValues.begin() + (i + 1), value);
  return i + 1;
}

void TChartValueList::InsertValueAt(int index, double value) {
  if (index < 0 || index > ValueCount()) ListIndexError(index);
  FValues.insert(FValues.begin() + index, value);
  FStatsDirty = true;
}

void TChartValueList::RemoveValueAt(int index) {
  CheckIndex(index);
  FValues.erase(FValues.begin() + index);
  FStatsDirty = true;
}

void TChartValueList::RotateValues() {
  if (FValues.empty()) return;
  const double first = FValues.front();
  FValues.erase(FValues.begin());
  FValues.push_back(first);
  FStatsDirty = true;
}

void TChartValueList::SwapValues(int a, int b) {
  CheckIndex(a);
  CheckIndex(b);
  std::swap(FValues[static_cast<size_t>(a)], FValues[static_cast<size_t>(b)]);
  FStatsDirty = true;
}

int TChartValueList::IndexOfValue(double value) const {
  for (int i = 0; i < ValueCount(); ++i)
    if (ValueAt(i) == value) return i;
  return -1;
}

void TChartValueList::NumberValues() {
  for (int i = 0; i < ValueCount(); ++i) PutValue(i, i);
}

void TChartValueList::SortValues() {
  if (FOrder == loNone || !FOwner || ValueCount() < 2) return;
  auto compare = [this](int a, int b) {
    const double va = ValueAt(a), vb = ValueAt(b);
    const int result = va < vb ? -1 : (va > vb ? 1 : 0);
    return FOrder == loDescending ? -result : result;
  };
  // Quicksort with the middle element as pivot; every exchange moves the whole point.
  auto sort = [&](auto& self, int left, int right) -> void {
    int i = left, j = right, pivot = (left + right) / 2;
    do {
      while (compare(i, pivot) < 0) ++i;
      while (compare(pivot, j) < 0) --j;
      if (i <= j) {
        if (i != j) FOwner->SwapPoints(i, j);
        if (pivot == i)
          pivot = j;
        else if (pivot == j)
          pivot = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (left < j) self(self, left, j);
    if (i < right) self(self, i, right);
  };
  sort(sort, 0, ValueCount() - 1);
}

void TChartValueList::RecalcStats() {
  if (!FStatsDirty) return;
  FHighest = FLowest = FSum = FSumOfMagnitudes = 0;
  // The extremes are those of the finite values: one NaN or infinity must not take over a range.
  bool& anyFinite = FAnyFinite;
  anyFinite = false;
  for (int i = 0; i < ValueCount(); ++i) {
    const double v = ValueAt(i);
    FSum += v;
    FSumOfMagnitudes += std::fabs(v);
    if (!std::isfinite(v)) continue;
    FLowest = anyFinite ? std::min(FLowest, v) : v;
    FHighest = anyFinite ? std::max(FHighest, v) : v;
    anyFinite = true;
  }
  FStatsDirty = false;
}

double TChartValueList::HighestValue() {
  RecalcStats();
  return FHighest;
}

double TChartValueList::LowestValue() {
  RecalcStats();
  return FLowest;
}

bool TChartValueList::HasFiniteValue() {
  RecalcStats();
  return FAnyFinite;
}

double TChartValueList::SumOfValues() {
  RecalcStats();
  return FSum;
}

double TChartValueList::SumOfMagnitudes() {
  RecalcStats();
  return FSumOfMagnitudes;
}

void TChartValueList::SetMultiplier(double value) {
  SetProperty(FMultiplier, value, [this] {
    FStatsDirty = true;
    if (!FOwner) return;
    FOwner->NotifyLinked(TSeriesChange::ModifyAll, -1);
    FOwner->RequestRepaint();
  });
}

void TChartValueList::SetDateTime(bool value) {
  SetProperty(FDateTime, value, [this] {
    if (FOwner) FOwner->RequestRepaint();
  });
}

void TChartValueList::Assign(const TChartValueList& other) {
  FOrder = other.FOrder;
  FDateTime = other.FDateTime;
  FMultiplier = other.FMultiplier;
  FValueSource = other.FValueSource;
  FStatsDirty = true;
}

TChartValueList* TChartValueLists::operator[](int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return FLists[static_cast<size_t>(index)];
}
