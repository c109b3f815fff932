#pragma once

#include <functional>

#include "chart/ChartExport.h"
#include "chart/series/ChartSeries.h"
#include "chart/view/ChartPen.h"

enum TMultiBar { mbNone, mbSide, mbStacked, mbStacked100 };
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
  bool HorizontalBars() const { return FHorizontal; }

  // Settings; the percents refuse values out of range and keep the old one.
  int BarWidthPercent() const { return FBarWidthPercent; }
  void SetBarWidthPercent(int value);
  int OffsetPercent() const { return FOffsetPercent; }
  void SetOffsetPercent(int value);
  TMultiBar MultiBar() const { return FMultiBar; }
  // Shared by every bar series of the chart.
  void SetMultiBar(TMultiBar value);
  bool SideMargins() const { return FSideMargins; }
  void SetSideMargins(bool value);
  TBarStyle BarStyle() const { return FBarStyle; }
  void SetBarStyle(TBarStyle value);
  int CustomBarWidth() const { return FCustomBarWidth; }
  void SetCustomBarWidth(int value);
  bool AutoBarSize() const { return FAutoBarSize; }
  void SetAutoBarSize(bool value);
  bool AutoMarkPosition() const { return FAutoMarkPosition; }
  void SetAutoMarkPosition(bool value);
  bool Dark3D() const { return FDark3D; }
  void SetDark3D(bool value);
  bool UseYOrigin() const { return FUseYOrigin; }
  void SetUseYOrigin(bool value);
  double YOrigin() const { return FYOrigin; }
  void SetYOrigin(double value);
  const TChartPen& BarPen() const { return FBarPen; }
  void SetBarPen(const TChartPen& pen);
  const TChartBrush& BarBrush() const { return FBarBrush; }
  void SetBarBrush(const TChartBrush& brush);

  std::function<void(TCustomBarSeries* sender, int valueIndex, TBarStyle& style)> OnGetBarStyle;

  // Geometry.
  double StackBase(int index, bool all) const;
  double StackContribution(int index) const;
  int BarBasePixel(int index) const;
  // The layout's step that measures the bar width into the series' entry.
  void ComputeBarWidth(TSeriesLayout& entry) const;
  // The bar width as laid out.
  int BarPixelWidth() const { return Layout().BarPixelWidth; }
  int SideBySidePosition() const;
  int SideBySideCount() const;
  int BarSideMargin(int barWidth) const;
  int ApplyOffsetPercent(int pixel, int barWidth) const;
  // The bar style of one point: BarStyle, as OnGetBarStyle may change it.
  TBarStyle BarStyleOf(int index) const;
  // The axis the bars stand on and the one their values run along.
  const TCustomChartAxis* CategoryAxis() const;
  const TCustomChartAxis* ValueAxis() const;
  // The bar's value, its end pixel on the value axis and its leading edge across it.
  double BarValue(int index) const;
  int BarEndPixel(int index) const;
  int CategoryStart(int index) const;
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
  virtual void DrawBar(int index, const TRect& bar, TColor color);
  void PrepareBarPenBrush(TColor color);
  void DrawBarRectangle(TColor color, int left, int top, int right, int bottom);

  // Hit test.
  int PointAt(TPoint p) const override;
  virtual bool BarContainsPoint(int index, TPoint p) const;
  // The height of the marks' text.
  virtual int MarkExtent() const = 0;

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
