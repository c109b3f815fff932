#pragma once

#include "chart/ChartExport.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/SeriesPointer.h"

// Points joined by lines, each with an optional marker. In 3D the line is a ribbon through
// the series' depth band and the markers stand at its front. Null points, non-finite values
// and values a logarithmic axis cannot show break the line.
class LISTCHART_CHART_API TCustomLineSeries : public TChartSeries {
 public:
  // The marker drawn at each point.
  TSeriesPointer& Pointer() { return FPointer; }
  // The marker drawn at each point.
  const TSeriesPointer& Pointer() const { return FPointer; }
  // The line's width and style; it is drawn in the point's colour.
  const TChartPen& LinePen() const { return FLinePen; }
  // Sets the line's pen (its width kept within the pen limit); a hidden pen draws markers only.
  void SetLinePen(const TChartPen& value);

  // The segment from the previous point, then the point's marker.
  void DrawPoint(int index) override;
  // The nearest shown point within the click tolerance (or on its marker).
  int PointAt(TPoint p) const override;
  void HorizontalMargins(TSeriesLayout& entry, int& left, int& right) const override;
  void VerticalMargins(TSeriesLayout& entry, int& top, int& bottom) const override;
  void DrawLegendSymbol(TChartCanvas3D& canvas, const TRect& box, TColor color) const override;
  bool ConnectsPoints() const override { return FLinePen.Visible; }

  // Where a point is drawn on the screen (the front of the depth band).
  TPoint ScreenPoint(int index) const;

 protected:
  TCustomLineSeries();
  // Draws what joins two plottable points.
  virtual void DrawSegment(int from, int to);
  // The point before index when it can be drawn (a line breaks at a null point), else -1.
  int PreviousPlottable(int index) const;

 private:
  TSeriesPointer FPointer{this};
  TChartPen FLinePen;
};

// Lines between the points; markers hidden until asked for.
class LISTCHART_CHART_API TLineSeries : public TCustomLineSeries {
 public:
  // A line series; its markers start hidden.
  TLineSeries();
};

// Markers only.
class LISTCHART_CHART_API TPointSeries : public TCustomLineSeries {
 public:
  // A point series: its line pen starts hidden.
  TPointSeries();
};
