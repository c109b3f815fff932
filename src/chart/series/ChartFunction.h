#pragma once

#include <span>
#include <string>
#include <vector>

#include "chart/ChartExport.h"

class TChartSeries;

// How a calculated series makes its points from its data sources. With several sources, point i
// of the result combines the Y values of point i of every source (as many points as the
// shortest source has), taking the first source's X value and label. With one source, each
// group of Period points makes one result point at the middle of the group's X values (Period 0:
// all of them). A null source point, or a result that is not finite, gives a null point.
class LISTCHART_CHART_API TChartFunction {
 public:
  virtual ~TChartFunction() = default;

  // With one source, how many source points make one result point; 0 (the default) for all.
  int Period() const { return FPeriod; }
  // Sets Period (below 0 counts as 0) and recalculates the series using the function.
  void SetPeriod(int value);

  // Replaces the result's points with the function of its sources.
  void Calculate(TChartSeries& result, const std::vector<TChartSeries*>& sources) const;
  // Recomputes only the result point that source point `index` feeds, when the result has the
  // points a full calculation would give it; false when it has not, or the point's X value
  // moved, so that the caller calculates everything.
  bool CalculatePoint(TChartSeries& result, const std::vector<TChartSeries*>& sources,
                      int index) const;

  // The series whose points the function computes; set by that series.
  TChartSeries* Series() const { return FSeries; }
  // Set by the series that takes the function.
  void SetSeries(TChartSeries* series) { FSeries = series; }

  // The function's value of one or more values.
  virtual double Combine(std::span<const double> values) const = 0;

 private:
  struct TResultPoint {
    double x = 0, y = 0;
    std::string label;
    bool null = false;
  };
  // The number of result points the sources give, and result point i.
  int ResultCount(const std::vector<TChartSeries*>& sources) const;
  TResultPoint ResultPoint(const std::vector<TChartSeries*>& sources, int i) const;

  int FPeriod = 0;
  TChartSeries* FSeries = nullptr;
};

// The sum of the values.
class LISTCHART_CHART_API TAddFunction : public TChartFunction {
 public:
  // The sum.
  double Combine(std::span<const double> values) const override;
};

// The first value less the others.
class LISTCHART_CHART_API TSubtractFunction : public TChartFunction {
 public:
  // The first value less the others.
  double Combine(std::span<const double> values) const override;
};

// The product of the values.
class LISTCHART_CHART_API TMultiplyFunction : public TChartFunction {
 public:
  // The product.
  double Combine(std::span<const double> values) const override;
};

// The first value divided by the others; a zero divisor gives a null point.
class LISTCHART_CHART_API TDivideFunction : public TChartFunction {
 public:
  // The first value divided by the others.
  double Combine(std::span<const double> values) const override;
};

// The highest of the values.
class LISTCHART_CHART_API THighFunction : public TChartFunction {
 public:
  // The highest value.
  double Combine(std::span<const double> values) const override;
};

// The lowest of the values.
class LISTCHART_CHART_API TLowFunction : public TChartFunction {
 public:
  // The lowest value.
  double Combine(std::span<const double> values) const override;
};

// The mean of the values.
class LISTCHART_CHART_API TAverageFunction : public TChartFunction {
 public:
  // The mean.
  double Combine(std::span<const double> values) const override;
};
