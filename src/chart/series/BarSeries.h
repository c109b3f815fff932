#pragma once

#include <functional>

#include "chart/ChartExport.h"
#include "chart/series/ChartSeries.h"
#include "chart/view/ChartPen.h"

// How the bar series of a chart share their places: overlapping, side by side, stacked, or stacked
// to 100 percent.
enum TMultiBar { mbNone, mbSide, mbStacked, mbStacked100 };
// The shape of a bar: box, pyramid, upside-down pyramid, cylinder, ellipse, arrow, or box with a
// gradient.
enum TBarStyle {
  bsRectangle,
  bsPyramid,
  bsInvPyramid,
  bsCilinder,
  bsEllipse,
  bsArrow,
  bsRectGradient
};

// Vertical bars, one per point, side by side or stacked on the bars of the series before
// them in the chart (by point index).
class LISTCHART_CHART_API TCustomBarSeries : public TChartSeries {
 public:
  // Upright bars, or bars lying along the vertical axis.
  explicit TCustomBarSeries(bool horizontal = false);
  // Whether the bars lie along the vertical axis.
  bool HorizontalBars() const { return FHorizontal; }

  // Settings; the percents refuse values out of range and keep the old one.
  int BarWidthPercent() const { return FBarWidthPercent; }
  // Sets the bar's share of its slot, 1..100 (70 by default); throws otherwise.
  void SetBarWidthPercent(int value);
  // The shift of each bar across its axis, in percent of its width; 0 by default.
  int OffsetPercent() const { return FOffsetPercent; }
  // Sets the shift, -100..100; throws otherwise.
  void SetOffsetPercent(int value);
  // How this chart's bar series share their places; mbSide by default.
  TMultiBar MultiBar() const { return FMultiBar; }
  // Shared by every bar series of the chart.
  void SetMultiBar(TMultiBar value);
  // Whether half a slot is left free at either end of the category axis; true by default.
  bool SideMargins() const { return FSideMargins; }
  // Sets SideMargins for every bar series of the same kind in the chart.
  void SetSideMargins(bool value);
  // The shape of the bars; bsRectangle by default. Horizontal bars are always boxes.
  TBarStyle BarStyle() const { return FBarStyle; }
  // Sets the bar style.
  void SetBarStyle(TBarStyle value);
  // A fixed bar width in pixels; 0 (the default) computes it from the slot.
  int CustomBarWidth() const { return FCustomBarWidth; }
  // Sets CustomBarWidth.
  void SetCustomBarWidth(int value);
  // Whether the slot is the axis length over its range plus two, rather than over the point count;
  // false by default.
  bool AutoBarSize() const { return FAutoBarSize; }
  // Sets AutoBarSize.
  void SetAutoBarSize(bool value);
  // Whether a mark that would cover one drawn before it in this series is lifted above it (its
  // arrow growing); true by default.
  bool AutoMarkPosition() const { return FAutoMarkPosition; }
  // Sets AutoMarkPosition.
  void SetAutoMarkPosition(bool value);
  // Whether the sides of 3D bars are drawn darker; true by default.
  bool Dark3D() const { return FDark3D; }
  // Sets Dark3D.
  void SetDark3D(bool value);
  // Whether unstacked bars start at YOrigin rather than at the axis' edge; true by default.
  bool UseYOrigin() const { return FUseYOrigin; }
  // Sets UseYOrigin.
  void SetUseYOrigin(bool value);
  // The value the bars start from; 0 by default.
  double YOrigin() const { return FYOrigin; }
  // Sets YOrigin.
  void SetYOrigin(double value);
  // The pen outlining the bars.
  const TChartPen& BarPen() const { return FBarPen; }
  // Sets the outline pen (its width kept within the pen limit).
  void SetBarPen(const TChartPen& pen);
  // The bars' fill style; its colour, when set, is the background of a hatched fill (else the
  // chart's).
  const TChartBrush& BarBrush() const { return FBarBrush; }
  // Sets the fill.
  void SetBarBrush(const TChartBrush& brush);

  // Lets a handler give one point's bar another style.
  std::function<void(TCustomBarSeries* sender, int valueIndex, TBarStyle& style)> OnGetBarStyle;

  // Geometry.
  // Where the point's bar starts in a stack: the sum of the positive values of the earlier active
  // bar series of the same kind (all of them with all); YOrigin when not stacked.
  double StackBase(int index, bool all) const;
  // What the point adds to a stack: its bar value.
  double StackContribution(int index) const;
  // The pixel on the value axis where the point's bar starts.
  int BarBasePixel(int index) const;
  // The layout's step that measures the bar width into the series' entry.
  void ComputeBarWidth(TSeriesLayout& entry) const;
  // The bar width as laid out.
  int BarPixelWidth() const { return Layout().BarPixelWidth; }
  // This series' place, from 1, among the chart's active bar series of its kind.
  int SideBySidePosition() const;
  // The number of active bar series of this kind in the chart (1 without a chart).
  int SideBySideCount() const;
  // The pixels kept free at each end of the category axis for bars of this width.
  int BarSideMargin(int barWidth) const;
  // A pixel moved by OffsetPercent of the bar width.
  int ApplyOffsetPercent(int pixel, int barWidth) const;
  // The bar style of one point: BarStyle, as OnGetBarStyle may change it.
  TBarStyle BarStyleOf(int index) const;
  // The axis the bars stand on and the one their values run along.
  const TCustomChartAxis* CategoryAxis() const;
  // The axis the bars' values run along.
  const TCustomChartAxis* ValueAxis() const;
  // The bar's value, its end pixel on the value axis and its leading edge across it.
  double BarValue(int index) const;
  // The pixel on the value axis where the point's bar ends (after stacking).
  int BarEndPixel(int index) const;
  // The pixel of the bar's leading edge across the value axis.
  int CategoryStart(int index) const;
  // The rectangle of the point's bar, in pixels, top above bottom.
  TRect BarRect(int index) const;
  int PointScreenX(int index) const override;
  int PointScreenY(int index) const override;
  double MaximumY() override;
  double MinimumY() override;
  double MaximumX() override;
  double MinimumX() override;
  void HorizontalMargins(TSeriesLayout& entry, int& left, int& right) const override;
  void VerticalMargins(TSeriesLayout& entry, int& top, int& bottom) const override;
  void ComputeZOrder(TChartLayout& layout) const override;
  bool Stacked() const override { return FMultiBar == mbStacked || FMultiBar == mbStacked100; }

  // Drawing: the bar of a point in its rectangle (top above bottom) and colour.
  void DrawPoint(int index) override;
  // Draws one bar in its style, as a solid in 3D.
  virtual void DrawBar(int index, const TRect& bar, TColor color);
  // Sets the chart canvas' pen, brush and background for a bar of this colour.
  void PrepareBarPenBrush(TColor color);
  // Draws a flat box bar; one too thin for its outline is drawn in its own colour.
  void DrawBarRectangle(TColor color, int left, int top, int right, int bottom);
  // Tiles BarBrush's picture, if it has one, over the front face of a box bar.
  void DrawBarPicture(int left, int top, int right, int bottom);

  // Hit test.
  int PointAt(TPoint p) const override;
  // Whether a pixel lies on the point's bar, as its style shapes it.
  virtual bool BarContainsPoint(int index, TPoint p) const;
  // The height of the marks' text.
  virtual int MarkExtent() const = 0;
  // AutoMarkPosition.
  bool SeparatesMarks() const override { return FAutoMarkPosition; }
  // The middle of the bar's end.
  TPoint MarkOrigin(int index) const override;
  // Beside the bars of a horizontal series.
  bool MarksBeside() const override { return FHorizontal; }

 protected:
  // Whether another series is a bar series of the same kind as this one.
  bool SameKind(const TChartSeries* other) const;

 private:
  // The extremes along the value axis, with the stacking and the origin.
  double ValueMaximum(double plain) const;
  double ValueMinimum(double plain) const;

  bool FHorizontal;
  bool FAutoBarSize = false;
  bool FAutoMarkPosition = true;
  TChartBrush FBarBrush;
  TChartPen FBarPen;
  TBarStyle FBarStyle = bsRectangle;
  int FBarWidthPercent = 70;
  bool FDark3D = true;
  TMultiBar FMultiBar = mbSide;
  int FOffsetPercent = 0;
  bool FSideMargins = true;
  bool FUseYOrigin = true;
  double FYOrigin = 0;
  int FCustomBarWidth = 0;
};

// Upright bars, their marks shown above them by default.
class LISTCHART_CHART_API TBarSeries : public TCustomBarSeries {
 public:
  int MarkExtent() const override;
};

// Bars lying along the vertical axis: each point's Y places its bar, its X is the bar's
// length; they stack and stand side by side as the upright bars do.
class LISTCHART_CHART_API THorizBarSeries : public TCustomBarSeries {
 public:
  THorizBarSeries();
  TChartValueList& MandatoryList() const override { return XValues(); }
  int MarkExtent() const override;
};
