#pragma once

#include <string>
#include <vector>

#include "chart/ChartExport.h"
#include "platform/Accessible.h"

class TCustomChart;
class TChartSeries;
class TCustomBarSeries;
class TCustomChartAxis;
class TPieSeries;

// The chart as assistive technology sees it: a chart whose children are the segments of its
// bar series (one per shown, non-null point) and the slices of its pies (one per point with a
// slice, named with its value and percent), series by series, followed by its visible axes,
// each named with its title and valued with its range.
class LISTCHART_CHART_API TChartAccessible final : public TAccessibleSource {
 public:
  // The description of a chart, which must outlive it.
  explicit TChartAccessible(TCustomChart& chart) : FChart(chart) {}

  // arChart.
  TAccessibleRole Role() const override { return arChart; }
  // The lines of the visible title joined by spaces, or "Chart" without one.
  std::string Name() const override;
  std::string Description() const override;
  // The number of bar segments, pie slices and visible axes.
  int ChildCount() const override { return static_cast<int>(Entries().size()); }
  TAccessibleItem Child(int index) const override;

 private:
  struct TEntry {
    TChartSeries* series = nullptr;
    int point = -1;
    const TCustomChartAxis* axis = nullptr;
  };
  std::vector<TEntry> Entries() const;
  std::string PointName(TChartSeries& series, int point, const std::string& value) const;
  TAccessibleItem Segment(TCustomBarSeries& series, int point) const;
  TAccessibleItem Slice(TPieSeries& series, int point) const;
  TAccessibleItem Axis(const TCustomChartAxis& axis) const;

  TCustomChart& FChart;
};
