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
  // The values the axis spans: the least, the greatest, and the difference between them.
  ///@{
  double RangeMin = 0, RangeMax = 0, RangeSpan = 0;
  ///@}
  // The pixels the axis spans: its start and end (left and right, or top and bottom), the length
  // between them and the middle; set by SetPixels.
  ///@{
  int StartPixel = 0, EndPixel = 0, LengthPixels = 0, CenterPixel = 0;
  ///@}
  // How values map: across (the least value at the start) or upright (the least value at the end),
  // reversed when Inverted, on a logarithmic scale when Logarithmic.
  ///@{
  bool Horizontal = true, Inverted = false, Logarithmic = false;
  ///@}

  // Sets the pixel extent and keeps the length and centre in step.
  void SetPixels(int start, int end);
  // Sets the values spanned, keeping RangeSpan in step.
  void SetRange(double low, double high);
  // The pixel of a value, rounded; the centre for a span of 0 or a position beyond any window. On a
  // logarithmic scale a value of 0 or less lies at the low end.
  int ValueToPixel(double value) const {
    const bool fromEnd = Horizontal ? Inverted : !Inverted;
    return Logarithmic ? LogarithmicPixel(value, fromEnd) : LinearPixel(value, fromEnd);
  }
  // The value at a pixel: the inverse of ValueToPixel; 0 for an axis shorter than a pixel.
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
  // The coordinates, in pixels.
  ///@{
  double x = 0, y = 0;
  ///@}
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
  // Whether the axis is drawn.
  bool Shown = false;
  // Where the axis line lies, and the inner edges of its labels' band and of its title's
  // band: a y for a horizontal axis, an x for an upright one.
  ///@{
  int AxisLinePos = 0, LabelsPos = 0, TitlePos = 0;
  ///@}
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
  // The series.
  const TChartSeries* Series = nullptr;
  // Its depth slot (the one set, or one of its own) and its order in depth, counted from the front;
  // both 0 without depth slots.
  ///@{
  int ZSlot = 0, ComputedZOrder = 0;
  ///@}
  // The depth band it is drawn in: front, middle and back, in pixels.
  ///@{
  int StartZ = 0, MiddleZ = 0, EndZ = 0;
  ///@}
  // The first and last of its points inside the horizontal range; -1 when none.
  ///@{
  int FirstShownIndex = -1, LastShownIndex = -1;
  ///@}
  // The width of a bar in pixels, set by bar series; 0 when there are no points to size it by.
  int BarPixelWidth = 0;
  // The box of the circle (or ellipse) a circled series fills inside the plot; empty for the
  // other kinds.
  TRect CircleRect{};
};

// The lines of a title or foot and where they go.
struct LISTCHART_CHART_API TTitleLayout {
  // Whether the title is drawn: it is visible and has text.
  bool Shown = false;
  // The box the title takes, frame included.
  TRect Rect;
  // Where the lines go: the x the Alignment refers to, the first line's top, and the height of each
  // line.
  ///@{
  int TextX = 0, TextTop = 0, LineHeight = 0;
  ///@}
  // The text alignment flags the lines are drawn with.
  unsigned Alignment = 0;
};

// One row of the legend.
struct LISTCHART_CHART_API TLegendRow {
  // The colour of the row's mark.
  TColor Color = clNone;
  // The label: a series' title or a point's label.
  std::string Text;
  // The series the row stands for; none when the row lists one point.
  const TChartSeries* Series = nullptr;
  // The value or percent the text style shows in a column of its own; empty for none.
  std::string Value;
  // Where the row's colour symbol and text start and the row's top, in client pixels.
  ///@{
  int SymbolLeft = 0, TextLeft = 0, Top = 0;
  ///@}
};

// The legend's box and its rows, the first row's item and the step between items (-1 when
// the legend lists backwards).
struct LISTCHART_CHART_API TLegendLayout {
  TRect Rect;  ///< The legend's box; empty when the legend is not drawn.
  // The rows, from the top down.
  std::vector<TLegendRow> Rows;
  // The top of the first row, and the height of each.
  ///@{
  int RowsTop = 0, RowHeight = 0;
  ///@}
  // The item the first row lists, and the step to the next row's item.
  ///@{
  int FirstItem = 0, ItemStep = 1;
  ///@}
  // The widest label and the widest value.
  ///@{
  int TextWidth = 0, ValueWidth = 0;
  ///@}
  // Whether the values stand left of the labels.
  bool ValuesLeft = false;

  // The item listed at a point, -1 when none.
  int ItemAt(TPoint p) const;
};

// Everything the chart's painting and hit testing read about where things are: built by one
// function from the chart's settings, its series, the axes' ranges and the client size, and
// never written while painting.
struct LISTCHART_CHART_API TChartLayout {
  // The rectangle the whole chart is drawn in, and the plot rectangle inside it where the series
  // go.
  ///@{
  TRect ChartBounds, PlotRect;
  ///@}
  // The title above the plot, and the foot below it.
  ///@{
  TTitleLayout Title, Foot;
  ///@}
  // The legend.
  TLegendLayout Legend;
  // The depth of one series slot, and of the whole 3D box (Depth3DY equals Depth3DX), in pixels;
  // all 0 in a flat view.
  ///@{
  int SeriesDepth = 0, Depth3DX = 0, Depth3DY = 0;
  ///@}
  // The deepest depth slot in use (-1 with no active series); 0 without depth slots.
  int TopZSlot = 0;
  // In the order of the chart's axis list.
  std::vector<TAxisLayout> Axes;
  // The chart's series, in its list order.
  std::vector<TSeriesLayout> Series;
  // The projection of chart points onto the screen, centred on the plot box.
  TChartProjection Projection;

  // The entry of a series (an empty one for a series the layout does not know).
  const TSeriesLayout& SeriesOf(const TChartSeries* series) const;
  // The same, to fill in; a series the layout does not know gets a scratch entry.
  TSeriesLayout& SeriesOf(const TChartSeries* series);
  // The plot rectangle's width.
  int PlotWidth() const { return PlotRect.right - PlotRect.left; }
  // The plot rectangle's height.
  int PlotHeight() const { return PlotRect.bottom - PlotRect.top; }
};
