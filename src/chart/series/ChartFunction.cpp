#include "chart/series/ChartFunction.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/series/ChartSeries.h"

void TChartFunction::SetPeriod(int value) {
  value = std::max(0, value);
  if (value == FPeriod) return;
  FPeriod = value;
  if (FSeries) FSeries->Recalculate();
}

int TChartFunction::ResultCount(const std::vector<TChartSeries*>& sources) const {
  if (sources.empty()) return 0;
  if (sources.size() == 1) {
    const int count = sources.front()->PointCount();
    if (count == 0) return 0;
    return FPeriod > 0 ? (count + FPeriod - 1) / FPeriod : 1;
  }
  int count = sources.front()->PointCount();
  for (const TChartSeries* source : sources) count = std::min(count, source->PointCount());
  return count;
}

TChartFunction::TResultPoint TChartFunction::ResultPoint(const std::vector<TChartSeries*>& sources,
                                                         int i) const {
  TResultPoint point;
  std::vector<double> values;
  if (sources.size() == 1) {
    const TChartSeries& source = *sources.front();
    const int first = FPeriod > 0 ? i * FPeriod : 0;
    const int last =
        FPeriod > 0 ? std::min(source.PointCount(), first + FPeriod) - 1 : source.PointCount() - 1;
    for (int p = first; p <= last; ++p) {
      point.null = point.null || source.IsNullPoint(p);
      values.push_back(source.MandatoryList().ValueAt(p));
    }
    point.x = (source.XValue(first) + source.XValue(last)) / 2;
  } else {
    const TChartSeries& lead = *sources.front();
    for (const TChartSeries* source : sources) {
      point.null = point.null || source->IsNullPoint(i);
      values.push_back(source->MandatoryList().ValueAt(i));
    }
    point.x = lead.XValue(i);
    point.label = lead.PointLabel(i);
  }
  point.y = Combine(values);
  point.null = point.null || !std::isfinite(point.y);
  return point;
}

void TChartFunction::Calculate(TChartSeries& result,
                               const std::vector<TChartSeries*>& sources) const {
  result.ClearPoints();
  const int count = ResultCount(sources);
  for (int i = 0; i < count; ++i) {
    const TResultPoint point = ResultPoint(sources, i);
    result.AddPoint(point.x, point.null ? 0 : point.y, point.label,
                    point.null ? clNone : clDefault);
  }
}

bool TChartFunction::CalculatePoint(TChartSeries& result, const std::vector<TChartSeries*>& sources,
                                    int index) const {
  const int count = ResultCount(sources);
  if (index < 0 || result.PointCount() != count) return false;
  const int i = sources.size() == 1 && FPeriod > 0 ? index / FPeriod
                : sources.size() == 1              ? 0
                                                   : index;
  if (i >= count) return false;
  const TResultPoint point = ResultPoint(sources, i);
  if (point.x != result.XValue(i) || point.label != result.PointLabel(i)) return false;
  // The colour first: the value tells the series fed by the result, which read both.
  if (result.IsNullPoint(i) != point.null) result.SetPointColor(i, point.null ? clNone : clDefault);
  result.YValues().PutValue(i, point.null ? 0 : point.y);
  result.RequestRepaint();
  return true;
}

double TAddFunction::Combine(std::span<const double> values) const {
  double sum = 0;
  for (double v : values) sum += v;
  return sum;
}

double TSubtractFunction::Combine(std::span<const double> values) const {
  if (values.empty()) return 0;
  double result = values.front();
  for (double v : values.subspan(1)) result -= v;
  return result;
}

double TMultiplyFunction::Combine(std::span<const double> values) const {
  double product = 1;
  for (double v : values) product *= v;
  return product;
}

double TDivideFunction::Combine(std::span<const double> values) const {
  if (values.empty()) return 0;
  double result = values.front();
  for (double v : values.subspan(1)) {
    if (v == 0) return std::numeric_limits<double>::quiet_NaN();
    result /= v;
  }
  return result;
}

double THighFunction::Combine(std::span<const double> values) const {
  return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

double TLowFunction::Combine(std::span<const double> values) const {
  return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

double TAverageFunction::Combine(std::span<const double> values) const {
  return values.empty() ? 0 : TAddFunction().Combine(values) / static_cast<double>(values.size());
}
