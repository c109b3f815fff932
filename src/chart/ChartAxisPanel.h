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

  const std::vector<TChartSeries*>& SeriesList() const { return FSeriesList; }
  int CountSeries() const { return static_cast<int>(FSeriesList.size()); }
  TChartSeries* SeriesAt(int index) const;
  int IndexOfSeries(const TChartSeries* series) const;

  void AttachSeries(TChartSeries* series);
  void DetachSeries(TChartSeries* series);
  void DetachAllSeries();
  // Detaches every series and destroys those whose owner is known (a TSeriesOwner).
  void DestroyAllSeries();

  TColor PickFreeSeriesColor(bool checkBackground) const;
  virtual bool IsSeriesColorFree(TColor color, bool checkBackground) const;

  // The mouse cursor shown over the chart, and the one to go back to.
  int16_t Cursor() const { return FCursor; }
  void SetCursor(int16_t value);
  int16_t OriginalCursor() const { return FOriginalCursor; }
  void SetOriginalCursor(int16_t value) { FOriginalCursor = value; }

  // Owners of series that DestroyAllSeries may destroy.
  class TSeriesOwner* SeriesOwner() const {
    return FSeriesOwner;
  }
  void SetSeriesOwner(class TSeriesOwner* value) { FSeriesOwner = value; }

  // The five axes, in the order layout and drawing walk them.
  TChartAxis& BottomAxis() { return *FBottomAxis; }
  TChartAxis& TopAxis() { return *FTopAxis; }
  TChartAxis& LeftAxis() { return *FLeftAxis; }
  TChartAxis& RightAxis() { return *FRightAxis; }
  TChartDepthAxis& DepthAxis() { return *FDepthAxis; }
  const std::vector<TCustomChartAxis*>& Axes() const { return FAxes; }
  // The extreme value of the series tied to an axis (0 when none is).
  double SeriesExtreme(const TCustomChartAxis& axis, bool wantMinimum) const;
  // The smallest value above zero the series tied to an axis hold (1 when none does).
  double SeriesPositiveMinimum(const TCustomChartAxis& axis) const;
  bool AxisIsShown(const TCustomChartAxis& axis) const;

  bool AxisVisible() const { return FAxisVisible; }
  void SetAxisVisible(bool value);
  // Paging: with MaxPointsPerPage above 0 the horizontal range shows one page of points.
  int MaxPointsPerPage() const { return FMaxPointsPerPage; }
  void SetMaxPointsPerPage(int value);
  int Page() const { return FPage; }
  void SetPage(int value);
  bool ScaleLastPage() const { return FScaleLastPage; }
  void SetScaleLastPage(bool value);

  // A plot rectangle given by the program: then titles, legend and axes take no room from it
  // and the 3D box is not fitted into it. Unset, the plot is measured from the window.
  const std::optional<TRect>& FixedPlotRect() const { return FFixedPlotRect; }
  void SetFixedPlotRect(const std::optional<TRect>& value) { Change(FFixedPlotRect, value); }

  bool ClipPoints() const { return FClipPoints; }
  void SetClipPoints(bool value) { Change(FClipPoints, value); }
  // The depth of the chart's box in pixels: 0 when flat.
  int TotalDepth() const { return View3D() ? Depth3DX() : 0; }
  // The walls: the back one is clear, the left light yellow, the floor white.
  TChartWall& BackWall() { return FBackWall; }
  const TChartWall& BackWall() const { return FBackWall; }
  TChartWall& LeftWall() { return FLeftWall; }
  const TChartWall& LeftWall() const { return FLeftWall; }
  TChartWall& BottomWall() { return FBottomWall; }
  const TChartWall& BottomWall() const { return FBottomWall; }
  bool View3DWalls() const { return FView3DWalls; }
  void SetView3DWalls(bool value);
  // The thickness of a wall where it takes room from the axes: only in 3D with walls.
  int WallThickness(const TChartWall& wall) const {
    return View3D() && FView3DWalls ? wall.Size() : 0;
  }

  // True while settings are read from a stored layout: setters skip their checks.
  bool Loading() const { return FLoading; }
  void SetLoading(bool value) { FLoading = value; }

  std::function<void(TCustomChartAxis* sender, TChartSeries* series, int valueIndex,
                     std::string& labelText)>
      OnGetAxisLabel;

 protected:
  // The back wall's colour, which a new series' colour must also differ from.
  virtual TColor BackWallColor() const { return BackWall().Color(); }
  // The layout without titles and legend: the bounds less the margins as the plot.
  void BuildLayout(TChartLayout& layout, const TRect& bounds) override;
  // The layout's first step: bounds, plot within the margins, an entry per axis and series.
  void StartLayout(TChartLayout& layout, const TRect& bounds) const;
  // The layout's steps that concern series and axes, once the plot's outer edge is known.
  void LayOutAxesAndSeries(TChartLayout& layout);
  void DrawAxes();
  void DrawAllSeries();

 private:
  friend class TChartSeries;
  std::vector<TChartSeries*> FSeriesList;
  void ComputeDepthSlots(TChartLayout& layout);
  void Compute3DDepth(TChartLayout& layout) const;
  void LayOutAxes(TChartLayout& layout);
  void SetSeriesDepthBands(TChartLayout& layout) const;
  void WidenAxesBySeriesMargins(TChartLayout& layout);
  double PagedExtremeX(const TChartSeries& series, bool wantMinimum) const;
  void DrawSeries(TChartSeries* series);
  // Draws points inside the plot box when ClipPoints is set.
  void DrawPointsClipped(const std::function<void()>& drawPoints);
  void DrawSeriesGroup(const std::vector<TChartSeries*>& group);

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
  std::vector<TCustomChartAxis*> FAxes;
};
