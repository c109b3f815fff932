#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/ChartCanvas.h"
#include "chart/ChartPanel.h"
#include "chart/ChartWall.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

class TChartSeries;

// The chart with series and axes: the ordered list of series it shows (not owned), the
// colour rule for series that join it, the five axes and their layout, and the drawing of
// the series.
class TCustomAxisPanel : public TCustomChartPanelExtended {
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
  int16_t Cursor = 0;
  int16_t OriginalCursor = 0;

  // Owners of series that DestroyAllSeries may destroy.
  class TSeriesOwner* SeriesOwner = nullptr;

  // The five axes, in the order layout and drawing walk them.
  TChartAxis& BottomAxis() { return *FBottomAxis; }
  TChartAxis& TopAxis() { return *FTopAxis; }
  TChartAxis& LeftAxis() { return *FLeftAxis; }
  TChartAxis& RightAxis() { return *FRightAxis; }
  TChartDepthAxis& DepthAxis() { return *FDepthAxis; }
  const std::vector<TCustomChartAxis*>& Axes() const { return FAxes; }
  // The extreme value of the series tied to an axis (0 when none is).
  double SeriesExtreme(const TCustomChartAxis& axis, bool wantMinimum) const;
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

  bool ClipPoints() const { return FClipPoints; }
  void SetClipPoints(bool value) { Change(FClipPoints, value); }
  // The depth of the chart's box in pixels: 0 when flat.
  int TotalDepth() const { return View3D() ? Depth3DX : 0; }
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
  bool Loading = false;

  std::function<void(TCustomChartAxis* sender, TChartSeries* series, int valueIndex,
                     std::string& labelText)>
      OnGetAxisLabel;

 protected:
  // The back wall's colour, which a new series' colour must also differ from.
  virtual TColor BackWallColor() const { return BackWall().Color(); }
  // The steps of the paint pipeline that concern series and axes.
  void ComputeDepthSlots();
  void LayOutAxes();
  void SetSeriesDepthBands();
  void WidenAxesBySeriesMargins();
  void DrawAxes();
  void DrawAllSeries();

 private:
  friend class TChartSeries;
  std::vector<TChartSeries*> FSeriesList;
  void Compute3DDepth();
  double PagedExtremeX(const TChartSeries& series, bool wantMinimum) const;
  void DrawSeries(TChartSeries* series);
  // Draws points inside the plot box when ClipPoints is set.
  void DrawPointsClipped(const std::function<void()>& drawPoints);
  void DrawSeriesGroup(const std::vector<TChartSeries*>& group);

  bool FAxisVisible = true;
  bool FView3DWalls = true;
  TChartWall FBackWall{[this] { Invalidate(); }, clDefault, bsClear};
  TChartWall FLeftWall{[this] { Invalidate(); }, 0x80FFFF, bsSolid};
  TChartWall FBottomWall{[this] { Invalidate(); }, clWhite, bsSolid};
  bool FClipPoints = true;
  int FMaxPointsPerPage = 0;
  int FPage = 1;
  bool FScaleLastPage = true;
  std::unique_ptr<TChartAxis> FBottomAxis, FTopAxis, FLeftAxis, FRightAxis;
  std::unique_ptr<TChartDepthAxis> FDepthAxis;
  std::vector<TCustomChartAxis*> FAxes;
};
