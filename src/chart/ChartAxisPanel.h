#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartExport.h"
#include "chart/ChartPanel.h"
#include "chart/axis/ChartAxis.h"
#include "chart/view/ChartCanvas.h"
#include "chart/view/ChartWall.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

class TChartSeries;

// The chart with series and axes: the ordered list of series it shows (not owned), the
// colour rule for series that join it, the five axes and their layout, and the drawing of
// the series.
class LISTCHART_CHART_API TCustomAxisPanel : public TCustomChartPanelExtended {
 public:
  TCustomAxisPanel();
  ~TCustomAxisPanel() override;

  // The series the chart shows, in drawing order (the first lies deepest); not owned.
  const std::vector<TChartSeries*>& SeriesList() const { return FSeriesList; }
  // The number of series.
  int CountSeries() const { return static_cast<int>(FSeriesList.size()); }
  // The series at index; throws when index is out of range.
  TChartSeries* SeriesAt(int index) const;
  // The index of a series, or -1 when the chart does not show it.
  int IndexOfSeries(const TChartSeries* series) const;

  // Adds a series at the end (it leaves any other chart); a series without a colour gets a free
  // palette colour. Same as the series' SetParentChart.
  void AttachSeries(TChartSeries* series);
  // Removes a series and its data sources from the chart; a series the chart does not show is
  // ignored.
  void DetachSeries(TChartSeries* series);
  // Removes every series, as DetachSeries does.
  void DetachAllSeries();
  // Detaches every series and destroys those whose owner is known (a TSeriesOwner).
  void DestroyAllSeries();

  // The first palette colour no series has (nor, with checkBackground, the chart or back wall); the
  // first palette colour when all are taken.
  TColor PickFreeSeriesColor(bool checkBackground) const;
  // Whether no series has the colour and, with checkBackground, it is neither the chart's Color nor
  // the back wall's.
  virtual bool IsSeriesColorFree(TColor color, bool checkBackground) const;

  // The mouse cursor shown over the chart, and the one to go back to.
  int16_t Cursor() const { return FCursor; }
  // Sets Cursor.
  void SetCursor(int16_t value);
  // The cursor to go back to, also when the series whose cursor shows is detached.
  int16_t OriginalCursor() const { return FOriginalCursor; }
  // Sets OriginalCursor.
  void SetOriginalCursor(int16_t value) { FOriginalCursor = value; }

  // Owners of series that DestroyAllSeries may destroy.
  class TSeriesOwner* SeriesOwner() const {
    return FSeriesOwner;
  }
  // Sets SeriesOwner (not owned), or nullptr for none.
  void SetSeriesOwner(class TSeriesOwner* value) { FSeriesOwner = value; }

  // The five axes, in the order layout and drawing walk them.
  TChartAxis& BottomAxis() { return *FBottomAxis; }
  // The horizontal axis at the top.
  TChartAxis& TopAxis() { return *FTopAxis; }
  // The upright axis at the left.
  TChartAxis& LeftAxis() { return *FLeftAxis; }
  // The upright axis at the right.
  TChartAxis& RightAxis() { return *FRightAxis; }
  // The axis running in depth, shown only in 3D.
  TChartDepthAxis& DepthAxis() { return *FDepthAxis; }
  // The five axes: bottom, top, left, right, depth.
  const std::vector<TCustomChartAxis*>& Axes() const { return FAxes; }
  // The extreme value of the series tied to an axis (0 when none is).
  double SeriesExtreme(const TCustomChartAxis& axis, bool wantMinimum) const;
  // The smallest value above zero the series tied to an axis hold (1 when none does).
  double SeriesPositiveMinimum(const TCustomChartAxis& axis) const;
  // Whether an axis is drawn: axes visible, the axis visible, and an active series uses it (the
  // depth axis: in 3D while AxesNeeded).
  bool AxisIsShown(const TCustomChartAxis& axis) const;
  // Whether the chart draws its walls and depth axis: false only when every active series is
  // of a kind drawn without axes (a chart of pies), true with none active.
  bool AxesNeeded() const;

  // Whether axes are drawn at all; true by default.
  bool AxisVisible() const { return FAxisVisible; }
  // Sets AxisVisible.
  void SetAxisVisible(bool value);
  // Paging: with MaxPointsPerPage above 0 the horizontal range shows one page of points.
  int MaxPointsPerPage() const { return FMaxPointsPerPage; }
  // Sets MaxPointsPerPage; 0 (the default) shows every point.
  void SetMaxPointsPerPage(int value);
  // The page shown, from 1; 1 by default.
  int Page() const { return FPage; }
  // Sets Page.
  void SetPage(int value);
  // Whether a short last page is stretched over the range; else it keeps the spacing of a full
  // page. True by default.
  bool ScaleLastPage() const { return FScaleLastPage; }
  // Sets ScaleLastPage.
  void SetScaleLastPage(bool value);

  // A plot rectangle given by the program: then titles, legend and axes take no room from it
  // and the 3D box is not fitted into it. Unset, the plot is measured from the window.
  const std::optional<TRect>& FixedPlotRect() const { return FFixedPlotRect; }
  // Sets FixedPlotRect, or unsets it with std::nullopt.
  void SetFixedPlotRect(const std::optional<TRect>& value) { Change(FFixedPlotRect, value); }

  // Whether points are clipped to the plot box when drawn; true by default.
  bool ClipPoints() const { return FClipPoints; }
  // Sets ClipPoints.
  void SetClipPoints(bool value) { Change(FClipPoints, value); }
  // The depth of the chart's box in pixels: 0 when flat.
  int TotalDepth() const { return View3D() ? Depth3DX() : 0; }
  // The walls: the back one is clear, the left light yellow, the floor white.
  TChartWall& BackWall() { return FBackWall; }
  // The back wall.
  const TChartWall& BackWall() const { return FBackWall; }
  // The left wall.
  TChartWall& LeftWall() { return FLeftWall; }
  // The left wall.
  const TChartWall& LeftWall() const { return FLeftWall; }
  // The floor.
  TChartWall& BottomWall() { return FBottomWall; }
  // The floor.
  const TChartWall& BottomWall() const { return FBottomWall; }
  // Whether the walls are drawn in 3D, with thickness; true by default.
  bool View3DWalls() const { return FView3DWalls; }
  // Sets View3DWalls.
  void SetView3DWalls(bool value);
  // The thickness of a wall where it takes room from the axes: only in 3D with walls.
  int WallThickness(const TChartWall& wall) const {
    return View3D() && FView3DWalls ? wall.Size() : 0;
  }

  // True while settings are read from a stored layout: setters skip their checks.
  bool Loading() const { return FLoading; }
  // Sets Loading.
  void SetLoading(bool value) { FLoading = value; }

  // Lets the program rewrite an axis label's text before it is measured or drawn (an empty text
  // is not drawn). A label of a series' point names the series and the point's index; a label
  // of a value has series nullptr and valueIndex -1.
  std::function<void(TCustomChartAxis* sender, TChartSeries* series, int valueIndex,
                     std::string& labelText)>
      OnGetAxisLabel;

 protected:
  // The back wall's colour, which a new series' colour must also differ from.
  virtual TColor BackWallColor() const { return BackWall().Color(); }
  // Called after Page changed.
  virtual void PageChanged() {}
  // The layout without titles and legend: the bounds less the margins as the plot.
  void BuildLayout(TChartLayout& layout, const TRect& bounds) override;
  // The layout's first step: bounds, plot within the margins, an entry per axis and series.
  void StartLayout(TChartLayout& layout, const TRect& bounds) const;
  // The layout's steps that concern series and axes, once the plot's outer edge is known.
  void LayOutAxesAndSeries(TChartLayout& layout);
  // Draws the shown axes when AxisVisible, after OnBeforeDrawAxes.
  void DrawAxes();
  // Draws the active series in list order, after OnBeforeDrawSeries; in 3D the series of one depth
  // slot together, point by point.
  void DrawAllSeries();

 private:
  friend class TChartSeries;
  std::vector<TChartSeries*> FSeriesList;
  void ComputeDepthSlots(TChartLayout& layout);
  void Compute3DDepth(TChartLayout& layout) const;
  void LayOutAxes(TChartLayout& layout);
  // Sets SeriesDepthBands.
  void SetSeriesDepthBands(TChartLayout& layout) const;
  void WidenAxesBySeriesMargins(TChartLayout& layout);
  double PagedExtremeX(const TChartSeries& series, bool wantMinimum) const;
  void DrawSeries(TChartSeries* series, std::vector<TChartSeries*>& begun);
  // Draws points inside the plot box when ClipPoints is set.
  void DrawPointsClipped(const std::function<void()>& drawPoints);
  void DrawSeriesGroup(const std::vector<TChartSeries*>& group, std::vector<TChartSeries*>& begun);

  int16_t FCursor = 0;
  int16_t FOriginalCursor = 0;
  class TSeriesOwner* FSeriesOwner = nullptr;
  bool FLoading = false;
  bool FAxisVisible = true;
  bool FView3DWalls = true;
  TChartWall FBackWall{[this] { Invalidate(); }, clDefault, bsClear};
  TChartWall FLeftWall{[this] { Invalidate(); }, 0x80FFFF, bsSolid};
  TChartWall FBottomWall{[this] { Invalidate(); }, clWhite, bsSolid};
  bool FClipPoints = true;
  std::optional<TRect> FFixedPlotRect;
  int FMaxPointsPerPage = 0;
  int FPage = 1;
  bool FScaleLastPage = true;
  std::unique_ptr<TChartAxis> FBottomAxis, FTopAxis, FLeftAxis, FRightAxis;
  std::unique_ptr<TChartDepthAxis> FDepthAxis;
  // The boxes of the marks drawn so far in the frame being drawn, which a series that
  // separates its marks keeps clear of.
  std::vector<TRect> FMarkBoxes;
  std::vector<TCustomChartAxis*> FAxes;
};
