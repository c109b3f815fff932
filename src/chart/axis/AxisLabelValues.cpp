#include "chart/axis/AxisLabelValues.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "chart/axis/ChartAxis.h"
#include "chart/axis/DateTimeText.h"

namespace {

// More labels than this along one axis could not be told apart on any screen.
constexpr int kMaxLabels = 10000;

}  // namespace

std::vector<double> LogarithmicLabelValues(const TAxisScale& scale, int base, int slots) {
  std::vector<double> values;
  const double low = scale.RangeMin, high = scale.RangeMax;
  if (!(low > 0) || !(high > low) || !std::isfinite(high) || base < 2) return values;
  const double logBase = std::log(static_cast<double>(base));
  const double first = std::ceil(std::log(low) / logBase - 1e-9);
  const double last = std::floor(std::log(high) / logBase + 1e-9);
  if (!(last >= first) || last - first > kMaxLabels) return values;
  double every = 1;
  while (std::floor((last - first) / every) + 1 > std::max(slots, 1)) every = NextNiceStep(every);
  for (double k = last; k >= first; k -= every) {
    const double value = std::pow(static_cast<double>(base), k);
    if (std::isfinite(value) && value > 0) values.push_back(value);
  }
  return values;
}

double DateTimeStep(double atLeast) {
  constexpr double kSecond = 1.0 / 86400;
  static constexpr double kLadder[] = {kSecond,
                                       5 * kSecond,
                                       10 * kSecond,
                                       15 * kSecond,
                                       30 * kSecond,
                                       60 * kSecond,
                                       300 * kSecond,
                                       600 * kSecond,
                                       900 * kSecond,
                                       1800 * kSecond,
                                       1.0 / 24,
                                       2.0 / 24,
                                       6.0 / 24,
                                       12.0 / 24,
                                       1,
                                       2,
                                       3,
                                       7,
                                       15,
                                       30.4375,
                                       2 * 30.4375,
                                       3 * 30.4375,
                                       4 * 30.4375,
                                       6 * 30.4375,
                                       365.25};
  for (double step : kLadder)
    if (step >= atLeast) return step;
  // Beyond a year: 1, 2, 5, 10, ... years.
  double years = 1;
  while (years * 365.25 < atLeast && std::isfinite(years)) years = NextNiceStep(years);
  return years * 365.25;
}

int DateTimeStepMonths(double step) {
  if (step < 28) return 0;
  return std::max(1, static_cast<int>(std::lround(step / 30.4375)));
}

std::vector<double> CalendarLabelValues(const TAxisScale& scale, int months) {
  std::vector<double> values;
  std::tm low, high;
  if (months < 1 || !DateTimeParts(scale.RangeMin, low) ||
      !DateTimeParts(std::min(scale.RangeMax, kLastDateTime), high))
    return values;
  const long long lowMonth = (low.tm_year + 1900LL) * 12 + low.tm_mon;
  long long month = (high.tm_year + 1900LL) * 12 + high.tm_mon;
  month -= month % months;
  for (; month >= lowMonth && values.size() < kMaxLabels; month -= months) {
    const double day =
        DateTimeOfDay(static_cast<int>(month / 12), static_cast<int>(month % 12) + 1, 1);
    if (day >= scale.RangeMin && day <= scale.RangeMax) values.push_back(day);
  }
  return values;
}
