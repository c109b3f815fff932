#pragma once

#include <functional>
#include <string>
#include <vector>

#include "chart/ChartAxisPanel.h"
#include "chart/ChartExport.h"
#include "chart/access/ChartAccessible.h"
#include "chart/input/ChartInput.h"
#include "chart/input/ChartMouse.h"
#include "chart/view/ChartLegend.h"
#include "chart/view/ChartTitle.h"
#include "platform/TextTypes.h"

class TCustomChart;

// The chart: series, axes, walls, title, foot and legend, laid out by one function and drawn
// by one paint pipeline into the retained picture; the mouse goes to its input.
class LISTCHART_CHART_API TCustomChart : public TCustomAxisPanel {
 public:
  TCustomChart();
  ~TCustomChart() override;

  void DrawChart(TCanvas& target, const TRect& targetRect) override;

  // The title above the plot.
  TChartTitle& Title() { return FTitle; }
  // The foot title below the plot.
  TChartTitle& Foot() { return FFoot; }
  // The legend.
  TChartLegend& Legend() { return FLegend; }

  // --- Mouse: zoom by dragging a rectangle, undo by dragging back, pan, wheel ---
  bool AllowZoom() const { return FAllowZoom; }
  // Sets whether the user may zoom by dragging; true by default.
  void SetAllowZoom(bool value) { FAllowZoom = value; }
  // Which axes the user may pan by dragging; pmBoth by default, pmNone for none.
  TPanningMode AllowPanning() const { return FAllowPanning; }
  // Sets which axes may be panned.
  void SetAllowPanning(TPanningMode value) { FAllowPanning = value; }
  // Whether a zoom moves to its ranges in AnimatedZoomSteps painted steps; false by default.
  bool AnimatedZoom() const { return FAnimatedZoom; }
  // Sets AnimatedZoom.
  void SetAnimatedZoom(bool value) { FAnimatedZoom = value; }
  // The steps of an animated zoom, the final one included; 8 by default.
  int AnimatedZoomSteps() const { return FAnimatedZoomSteps; }
  // Sets the animated zoom's steps.
  void SetAnimatedZoomSteps(int value) { FAnimatedZoomSteps = value; }
  // The mouse cursor over the chart where no series claims it: a TCursorShape value, 0
  // (crArrow) by default; unknown values show the arrow.
  int16_t InitialCursor() const { return FInitialCursor; }
  // Sets the chart's cursor.
  void SetInitialCursor(int16_t value) { FInitialCursor = value; }
  // The mouse and keyboard handling, for reading its state.
  const TChartInput& Input() const { return *FInput; }
  // The corners of the current or last zoom drag, in client pixels.
  const TZoomPanningRecord& ZoomDrag() const { return FInput->ZoomDrag(); }
  // The corners of the current or last pan drag, in client pixels.
  const TZoomPanningRecord& PanDrag() const { return FInput->PanDrag(); }
  // Whether a zoom was applied and not undone since.
  bool IsZoomed() const { return FInput->IsZoomed(); }
  // False while SavedRanges holds the ranges from before the first zoom or pan.
  bool RangesRestored() const { return FInput->RangesRestored(); }
  // The axis ranges from before the first zoom or pan, which RevertZoom puts back.
  const TSavedRanges& SavedRanges() const { return FInput->SavedRanges(); }

  // The mouse cursor's position now, in client pixels.
  TPoint CursorPosition() const { return CursorPos(); }
  // What a point hits, by the current layout.
  TChartClickedPart FindClickedPart(TPoint p) const;
  // Where an axis shows its line, ticks and labels; empty for an axis not shown.
  TRect AxisArea(const TCustomChartAxis& axis) const;
  // Zooms every axis to the rectangle of ZoomDrag.
  virtual void ZoomToRectangle();
  // Back to the ranges from before the first zoom or pan since the last undo.
  void RevertZoom();

  void Paint(TCanvas& canvas, const TRect& updateRect) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool MouseWheel(TShiftState shift, int notches, int x, int y) override;
  void KeyDown(int& key, TShiftState shift) override;
  // The keyboard has nothing to do here but end a zoom or pan, which the chart hears while
  // it holds the capture: Tab passes it by.
  bool TakesFocus() const override { return false; }
  void CaptureLost() override;
  TAccessibleSource* AccessibleSource() override;

  // The window's own mouse events; they fire before the chart reacts.
  std::function<void(TCustomChart*sender, TMouseButton button, TShiftState shift, int x, int y)>
      OnMouseDown,  ///< A button went down at (x, y), client pixels.
      OnMouseUp;    ///< A button went up at (x, y), after OnClick.
  // The mouse moved to (x, y), client pixels.
  std::function<void(TCustomChart* sender, TShiftState shift, int x, int y)> OnMouseMove;
  // A left press and release inside the window.
  std::function<void(TCustomChart* sender)> OnClick;
  // Once per wheel notch towards (Down) or away from the user (Up), before the vertical axes
  // scroll; the axes scroll whatever handled says.
  std::function<void(TCustomChart*sender, TShiftState shift, TPoint mousePos, bool&handled)>
      OnMouseWheelDown,  ///< A notch towards the user.
      OnMouseWheelUp;    ///< A notch away from the user.

  // A press on a series' point valueIndex, after the series' own click events. When this,
  // OnClickAxis or OnClickBackground handles a press, the chart starts no zoom or pan from it
  // unless the handler calls SetMouseCancelled(false).
  std::function<void(TCustomChart* sender, TChartSeries* series, int valueIndex,
                     TMouseButton button, TShiftState shift, int x, int y)>
      OnClickSeries;
  // A press on an axis.
  std::function<void(TCustomChart* sender, TCustomChartAxis* axis, TMouseButton button,
                     TShiftState shift, int x, int y)>
      OnClickAxis;
  std::function<void(TCustomChart*sender, TMouseButton button, TShiftState shift, int x, int y)>
      OnClickLegend,      ///< A press on the legend.
      OnClickBackground;  ///< A press on the plot or anywhere without an event of its own.
  std::function<void(TCustomChart*sender)> OnZoom,  ///< A zoom was applied.
      OnUndoZoom,                                   ///< The ranges went back (RevertZoom).
      OnScroll;                                     ///< A pan moved the axes (or was undone).
  // A pan is about to give an axis the range min to max: change it, or refuse with
  // allowScroll false.
  std::function<void(TCustomChartAxis* sender, double& min, double& max, bool& allowScroll)>
      OnAllowScroll;

  // The legend's texts and box may be changed by the program.
  std::function<void(TCustomChart* sender, int index, std::string& text)> OnGetLegendText;
  // The legend's box in client pixels, which the handler may move or resize.
  std::function<void(TCustomChart* sender, TRect& rect)> OnGetLegendRect;
  // Where a legend row is drawn: the left of its text, its top and the left of its colour
  // symbol, in client pixels, which the handler may change (clicks still find the row by
  // its place in the box).
  std::function<void(TCustomChart* sender, int index, int& x, int& y, int& xColor)> OnGetLegendPos;
  // Fired after Page changed.
  std::function<void(TCustomChart* sender)> OnPageChange;
  // The name assistive technology gives a bar's segment or a pie's slice; starts as
  // "<series>, <point>: <value>" (a slice adds ", <percent>" to the value).
  std::function<void(TCustomChart* sender, TChartSeries* series, int index, std::string& name)>
      OnGetAccessibleName;

 protected:
  // Fires OnPageChange.
  void PageChanged() override {
    if (OnPageChange) OnPageChange(this);
  }
  TColor BackWallColor() const override { return BackWall().Color(); }
  // Titles and legend take their room from the plot before the axes do.
  void BuildLayout(TChartLayout& layout, const TRect& bounds) override;

 private:
  bool AxisHit(const TCustomChartAxis& axis, TPoint p) const;
  void PlaceTitlesAndLegend(TChartLayout& layout);
  void DrawTitlesAndLegend();
  void PrepareWall(const TChartWall& wall);
  void DrawWalls();
  // Tiles a wall's brush picture, if it has one, over its face: the corners at their depths.
  void DrawWallPicture(const TChartWall& wall, const std::vector<TPoint3D>& face);

  TChartTitle FTitle{this};
  TChartTitle FFoot{this};
  TChartLegend FLegend{this};
  bool FAllowZoom = true;
  TPanningMode FAllowPanning = pmBoth;
  bool FAnimatedZoom = false;
  int FAnimatedZoomSteps = 8;
  int16_t FInitialCursor = 0;
  std::unique_ptr<TChartInput> FInput;
  std::unique_ptr<TChartAccessible> FAccessible;
  // The change count assistive technology last heard of.
  unsigned FAnnouncedChanges = 0;
};

class LISTCHART_CHART_API TChart : public TCustomChart {};
