#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "chart/ChartExport.h"
#include "chart/view/ChartProjection.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

class TChartSeries;

// Where an axis lies and which values it spans: the mapping between values and pixels.
struct LISTCHART_CHART_API TAxisScale {
  double RangeMin = 0, RangeMax = 0, RangeSpan = 0;
  int StartPixel = 0, EndPixel = 0, LengthPixels = 0, CenterPixel = 0;
  bool Horizontal = true, Inverted = false, Logarithmic = false;

  // Sets the pixel extent and keeps the length and centre in step.
  void SetPixels(int start, int end);
  void SetRange(double low, double high);
  int ValueToPixel(double value) const {
    const bool fromEnd = Horizontal ? Inverted : !Inverted;
    return Logarithmic ? LogarithmicPixel(value, fromEnd) : LinearPixel(value, fromEnd);
  }
  double PixelToValue(int pixel) const;
  // The screen position of a value before rounding; infinite or NaN where the mapping
  // overflows.
  double ExactPixel(double value) const;
  // Whether a screen position lies near enough to the axis for the pixel grid; farther ones
  // map to the centre.
  bool Reaches(double pixel) const {
    return std::fabs(pixel - StartPixel) < kFarPixels && std::fabs(pixel - EndPixel) < kFarPixels;
  }
  // Farther than this from the axis is beyond any window; kept clear of the integer limits for
  // the arithmetic that follows.
  static constexpr double kFarPixels = 1e9;

 private:
  // Inline: a fast line maps every one of its points.
  int LinearPixel(double value, bool fromEnd) const {
    if (RangeSpan == 0) return CenterPixel;
    double t = (value - RangeMin) * LengthPixels / RangeSpan;
    // Spans near the largest double overflow the product, not the quotient.
    if (std::isinf(t)) t = (value - RangeMin) / RangeSpan * LengthPixels;
    if (!(t > -kFarPixels && t < kFarPixels)) return CenterPixel;
    return fromEnd ? EndPixel - Nearest(t) : StartPixel + Nearest(t);
  }
  int LogarithmicPixel(double value, bool fromEnd) const;
  double LogarithmicPixelToValue(int pixel, double offset) const;
};

// A point on the screen before rounding.
struct LISTCHART_CHART_API TExactPoint {
  double x = 0, y = 0;
};

// Cuts the segment a-b to the part inside the box (left <= x <= right, top <= y <= bottom);
// false when none of it lies inside.
LISTCHART_CHART_API bool ClipSegment(const TRect& box, TExactPoint& a, TExactPoint& b);
// The ends of a segment a-b whose ends may lie far beyond any window, as near ones that draw
// the same inside the plot: cut to the plot widened by a margin, so that it crosses the plot
// where it would. False when it passes nowhere near it.
LISTCHART_CHART_API bool SegmentNearPlot(const TAxisScale& horizontal, const TAxisScale& vertical,
                                         TExactPoint& a, TExactPoint& b);

// An axis as laid out: its scale and the positions of its line, labels and title.
struct LISTCHART_CHART_API TAxisLayout : TAxisScale {
  bool Shown = false;
  int AxisLinePos = 0, LabelsPos = 0, TitlePos = 0;
  // The outer edge of the labels' band (LabelsPos is its inner edge).
  int LabelsOuterPos = 0;
  // The first series on the axis holds dates and times.
  bool ShowsDateTime = false;
  // The step between labels, which decides what they say: under a day, the time of day; finer
  // than the values format's decimals, more of them. 0 when none is chosen.
  double LabelStep = 0;
};

// A series as laid out: its depth slot and band, the points inside the horizontal range and,
// for bars, the bar width.
struct LISTCHART_CHART_API TSeriesLayout {
  const TChartSeries* Series = nullptr;
  int ZSlot = 0, ComputedZOrder = 0;
  int StartZ = 0, MiddleZ = 0, EndZ = 0;
  int FirstShownIndex = -1, LastShownIndex = -1;
  int BarPixelWidth = 0;
};

// The lines of a title or foot and where they go.
struct LISTCHART_CHART_API TTitleLayout {
  bool Shown = false;
  TRect Rect;
  int TextX = 0, TextTop = 0, LineHeight = 0;
  unsigned Alignment = 0;
};

struct LISTCHART_CHART_API TLegendRow {
  TColor Color = clNone;
  // The label: a series' title or a point's label.
  std::string Text;
  // The series the row stands for; none when the row lists one point.
  const TChartSeries* Series = nullptr;
  // The value or percent the text style shows in a column of its own; empty for none.
  std::string Value;
  // Where the row's colour symbol and text start and the row's top, in client pixels.
  int SymbolLeft = 0, TextLeft = 0, Top = 0;
};

// The legend's box and its rows, the first row's item and the step between items (-1 when
// the legend lists backwards).
struct LISTCHART_CHART_API TLegendLayout {
  TRect Rect;  // empty when the legend is not drawn
  std::vector<TLegendRow> Rows;
  int RowsTop = 0, RowHeight = 0;
  int FirstItem = 0, ItemStep = 1;
  // The widest label and the widest value; whether the values stand left of the labels.
  int TextWidth = 0, ValueWidth = 0;
  bool ValuesLeft = false;

  // The item listed at a point, -1 when none.
  int ItemAt(TPoint p) const;
};

// Everything the chart's painting and hit testing read about where things are: built by one
// function from the chart's settings, its series, the axes' ranges and the client size, and
// never written while painting.
struct LISTCHART_CHART_API TChartLayout {
  TRect ChartBounds, PlotRect;
  TTitleLayout Title, Foot;
  TLegendLayout Legend;
  int SeriesDepth = 0, Depth3DX = 0, Depth3DY = 0;
  int TopZSlot = 0;
  // In the order of the chart's axis list.
  std::vector<TAxisLayout> Axes;
  // The chart's series, in its list order.
  std::vector<TSeriesLayout> Series;
  TChartProjection Projection;

  // The entry of a series (an empty one for a series the layout does not know).
  const TSeriesLayout& SeriesOf(const TChartSeries* series) const;
  TSeriesLayout& SeriesOf(const TChartSeries* series);
  int PlotWidth() const { return PlotRect.right - PlotRect.left; }
  int PlotHeight() const { return PlotRect.bottom - PlotRect.top; }
};
