#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/ChartCanvas.h"
#include "chart/ChartWall.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

class TChartSeries;

// The chart side of the series: the ordered list of series it shows (not owned), the colour
// rule for series that join it, and the invalidation every series change ends in.
class TCustomAxisPanel {
 public:
  TCustomAxisPanel();
  virtual ~TCustomAxisPanel();
  TCustomAxisPanel(const TCustomAxisPanel&) = delete;
  TCustomAxisPanel& operator=(const TCustomAxisPanel&) = delete;

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

  // Background of the panel.
  TColor Color() const { return FColor; }
  void SetColor(TColor value);

  // Asks for one repaint: marks the retained picture stale and invalidates the window.
  // Does nothing while RepaintOnChange is off.
  void Invalidate();
  bool RepaintOnChange = false;
  bool Destroying() const { return FDestroying; }

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
  bool View3D() const { return FView3D; }
  void SetView3D(bool value);
  int MaxPointsPerPage() const { return FMaxPointsPerPage; }
  void SetMaxPointsPerPage(int value);

  // The area inside the axes where series are drawn, as the last layout left it.
  TRect PlotRect;
  int PlotWidth() const { return PlotRect.right - PlotRect.left; }
  int PlotHeight() const { return PlotRect.bottom - PlotRect.top; }
  // The highest depth slot in use, and the depth of one slot in pixels.
  int TopZSlot = 0;
  int SeriesDepth = 0;
  // The depth of the chart's box in pixels: 0 when flat.
  int TotalDepth() const { return FView3D ? (TopZSlot + 1) * SeriesDepth : 0; }
  // The walls: the back one is clear, the left light yellow, the floor white.
  TChartWall BackWall{clDefault, bsClear};
  TChartWall LeftWall{0x80FFFF};
  TChartWall BottomWall{clWhite};
  bool View3DWalls() const { return FView3DWalls; }
  void SetView3DWalls(bool value);
  // The thickness of a wall where it takes room from the axes: only in 3D with walls.
  int WallThickness(const TChartWall& wall) const {
    return FView3D && FView3DWalls ? wall.Size : 0;
  }

  // The drawing surface every part of the chart draws through.
  TChartCanvas3D& Canvas() { return *FCanvas; }
  // True while settings are read from a stored layout: setters skip their checks.
  bool Loading = false;

  std::function<void(TCustomChartAxis* sender, TChartSeries* series, int valueIndex,
                     std::string& labelText)>
      OnGetAxisLabel;

 protected:
  // The back wall's colour, which a new series' colour must also differ from.
  virtual TColor BackWallColor() const { return BackWall.Color(); }
  // Marks the picture stale and asks the window for a repaint.
  virtual void InvalidateView() {}
  bool FDestroying = false;

 private:
  friend class TChartSeries;
  std::vector<TChartSeries*> FSeriesList;
  TColor FColor = clBtnFace;
  bool FAxisVisible = true;
  bool FView3D = true;
  bool FView3DWalls = true;
  int FMaxPointsPerPage = 0;
  std::unique_ptr<TChartAxis> FBottomAxis, FTopAxis, FLeftAxis, FRightAxis;
  std::unique_ptr<TChartDepthAxis> FDepthAxis;
  std::unique_ptr<TChartCanvas3D> FCanvas = std::make_unique<TChartCanvas3D>();
  std::vector<TCustomChartAxis*> FAxes;
};
