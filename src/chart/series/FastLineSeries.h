#pragma once

#include <vector>

#include "chart/ChartExport.h"
#include "chart/series/ChartSeries.h"

// One plain polyline through the points in the series' colour, without markers or per-point
// colours, for series of very many points. Runs of points that fall on one pixel column are
// drawn as the one vertical stroke they make, so the picture is exactly the one drawing every
// segment gives, at the cost of a few segments per column.
class LISTCHART_CHART_API TFastLineSeries : public TChartSeries {
 public:
  // The line's width and style; it is drawn in SeriesColor, and not at all when hidden.
  const TChartPen& LinePen() const { return FLinePen; }
  // Sets the line's pen (its width kept within the pen limit).
  void SetLinePen(const TChartPen& value);

  void DrawShownPoints() override;
  void DrawPoint(int index) override;
  // The nearest shown point within the click tolerance.
  int PointAt(TPoint p) const override;
  void DrawLegendSymbol(TChartCanvas3D& canvas, const TRect& box, TColor color) const override;
  bool ConnectsPoints() const override { return true; }

  // The screen polyline of points first..last, broken where a point cannot be drawn; with
  // `reduce`, runs in one pixel column are cut to their first, lowest, highest and last point.
  std::vector<std::vector<TPoint>> ScreenPolylines(int first, int last, bool reduce) const;

 private:
  struct TPointSource;
  TChartPen FLinePen;
};
