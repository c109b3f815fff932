#pragma once

#include <memory>
#include <vector>

#include "chart/ChartExport.h"
#include "chart/series/ChartSeries.h"
#include "chart/view/ChartPen.h"

// A series drawn inside a circle (or an ellipse) that the plot holds, rather than against
// axes: the chart shows no axes, walls or grid for it.
class LISTCHART_CHART_API TCircledSeries : public TChartSeries {
 public:
  // Whether the circle stays round whatever the plot's aspect; false (the default) stretches
  // it to an ellipse as wide and high as the plot allows.
  bool Circled() const { return FCircled; }
  // Sets Circled.
  void SetCircled(bool value);

  // The box of the circle as the layout placed it, centred on the plot; empty without a chart.
  TRect CircleRect() const { return Layout().CircleRect; }
  // The centre of CircleRect, in unprojected pixels.
  TExactPoint CircleCentre() const;
  // Half the width of CircleRect.
  double XRadius() const { return CircleRect().Width() / 2.0; }
  // Half the height of CircleRect.
  double YRadius() const { return CircleRect().Height() / 2.0; }

  bool NeedsAxes() const override { return false; }
  // Places the circle in the middle of the plot, with the radii FitRadius gives.
  void PlaceInPlot(TSeriesLayout& entry, const TRect& plot) override;

 protected:
  // The largest radius across (or up) at which what the kind draws around the centre fits in
  // half pixels each way; half itself unless a kind says otherwise.
  virtual double FitRadius(bool /*across*/, int half) { return half; }

 private:
  bool FCircled = false;
};

// Where a slice of a pie lies: its angles, in degrees anticlockwise from three o'clock
// (StartAngle <= EndAngle, equal for a point without a slice), and how far it stands out from
// the centre, in pixels.
struct LISTCHART_CHART_API TPieSlice {
  // The angles the slice runs between.
  ///@{
  double StartAngle = 0, EndAngle = 0;
  ///@}
  // The shift of an exploded slice along its middle angle.
  ///@{
  double OffsetX = 0, OffsetY = 0;
  ///@}
  // The angle halfway through the slice.
  double MiddleAngle() const { return (StartAngle + EndAngle) / 2; }
  // Whether the slice has any width.
  bool Shown() const { return EndAngle > StartAngle; }
};

// A pie: one slice per point, in point order anticlockwise from RotationAngle, each taking its
// share of the magnitudes of the values. A negative value takes its magnitude; a null point, a
// zero and a value that is not finite take no slice (they keep their legend row). In 3D the pie
// is a solid as thick as the series' depth band.
class LISTCHART_CHART_API TPieSeries : public TCircledSeries {
 public:
  // Points take the palette's colours (ColorEachPoint is on).
  TPieSeries();
  ~TPieSeries() override;

  // The percent of the radius the biggest slice stands out by, 0..100 (0 by default); throws
  // otherwise.
  int ExplodeBiggest() const { return FExplodeBiggest; }
  // Sets ExplodeBiggest.
  void SetExplodeBiggest(int percent);
  // The percent of the radius the slice of a point stands out by, 0 past the end; a slice
  // stands out by the larger of this and ExplodeBiggest when it is the biggest.
  int ExplodeOffset(int index) const;
  // Sets ExplodeOffset, 0..100, of an existing point; throws otherwise.
  void SetExplodeOffset(int index, int percent);
  // The angle the first slice starts at, in degrees anticlockwise from three o'clock; 0 by
  // default. Any angle is taken modulo 360.
  int RotationAngle() const { return FRotationAngle; }
  // Sets RotationAngle.
  void SetRotationAngle(int degrees);
  // The outline of the slices; black by default.
  const TChartPen& SlicePen() const { return FSlicePen; }
  // Sets SlicePen (its width kept within the pen limit).
  void SetSlicePen(const TChartPen& value);
  // Whether the sides of a 3D pie are drawn darker than its top; true by default.
  bool Dark3D() const { return FDark3D; }
  // Sets Dark3D.
  void SetDark3D(bool value);

  // Every point's slice, in point order.
  std::vector<TPieSlice> Slices() const;
  // Whether a point has a slice: not null, and a finite value other than 0.
  bool HasSlice(int index) const { return ShareMagnitude(index) > 0; }
  // The box of a slice's front, in unprojected pixels; empty for a point without a slice.
  TRect SliceBounds(int index) const;

  // The slice drawn at a screen position: its front, or in 3D the nearest of the sides behind;
  // -1 outside the pie and in the gaps between exploded slices.
  int PointAt(TPoint p) const override;
  // The slice under the mouse cursor now: its index in x and its value in y; -1 and 0 when the
  // cursor is over no slice (0, 0 without a chart).
  void ValuesAtCursor(double& x, double& y) const override;
  // A null point takes no share.
  double ShareMagnitude(int index) const override;

  // Every slice.
  void DrawShownPoints() override;
  // One slice.
  void DrawPoint(int index) override;
  // The mark of a point with a slice.
  void DrawPointMark(int index) override;
  // The rim at the slice's middle angle.
  TPoint MarkOrigin(int index) const override;
  // Outwards, along the slice's middle angle.
  TExactPoint MarkDirection(int index) const override;
  // One legend row per slice.
  bool ListsPointsInLegend() const override { return true; }

 protected:
  // Exploded slices and the marks beyond the rim stay inside.
  double FitRadius(bool across, int half) override;

 private:
  // The point of the largest share, -1 when no point has a slice.
  int Biggest() const;
  // How far the slice of a point stands out, in percent of the radius.
  int ExplodePercent(int index, int biggest) const;
  // The point whose slice holds an unprojected position at the front, -1 for none.
  int SliceAtFront(const std::vector<TPieSlice>& slices, double x, double y) const;
  void DrawWedges(const std::vector<int>& indexes, const std::vector<TPieSlice>& slices);

  std::unique_ptr<TChartValueList> FExplodeValues;
  int FExplodeBiggest = 0;
  int FRotationAngle = 0;
  TChartPen FSlicePen;
  bool FDark3D = true;
};
