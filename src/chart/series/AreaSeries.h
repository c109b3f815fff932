#pragma once

#include "chart/ChartExport.h"
#include "chart/series/LineSeries.h"

// The area between a line and the bottom of the vertical axis, filled in the points'
// colours. Areas do not stack: each one fills down to the axis, drawn in series order, so a
// later area covers an earlier one where they overlap. In 3D the area is a slab through the
// series' depth band.
class LISTCHART_CHART_API TAreaSeries : public TCustomLineSeries {
 public:
  TAreaSeries();

  // The area under the line between two points holds the nearer one; else a marker.
  int PointAt(TPoint p) const override;
  void DrawLegendSymbol(TChartCanvas3D& canvas, const TRect& box, TColor color) const override;
  bool ConnectsPoints() const override { return true; }

 protected:
  void DrawSegment(int from, int to) override;

 private:
  // The pixel the area reaches down to.
  int BasePixel() const;
};
