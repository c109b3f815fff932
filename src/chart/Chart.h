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

  TChartTitle& Title() { return FTitle; }
  TChartTitle& Foot() { return FFoot; }
  TChartLegend& Legend() { return FLegend; }

  // --- Mouse: zoom by dragging a rectangle, undo by dragging back, pan, wheel ---
  bool AllowZoom() const { return FAllowZoom; }
  void SetAllowZoom(bool value) { FAllowZoom = value; }
  TPanningMode AllowPanning() const { return FAllowPanning; }
  void SetAllowPanning(TPanningMode value) { FAllowPanning = value; }
  bool AnimatedZoom() const { return FAnimatedZoom; }
  void SetAnimatedZoom(bool value) { FAnimatedZoom = value; }
  int AnimatedZoomSteps() const { return FAnimatedZoomSteps; }
  void SetAnimatedZoomSteps(int value) { FAnimatedZoomSteps = value; }
  int16_t InitialCursor() const { return FInitialCursor; }
  void SetInitialCursor(int16_t value) { FInitialCursor = value; }
  const TChartInput& Input() const { return *FInput; }
  const TZoomPanningRecord& ZoomDrag() const { return FInput->ZoomDrag(); }
  const TZoomPanningRecord& PanDrag() const { return FInput->PanDrag(); }
  bool IsZoomed() const { return FInput->IsZoomed(); }
  // False while SavedRanges holds the ranges from before the first zoom or pan.
  bool RangesRestored() const { return FInput->RangesRestored(); }
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
      OnMouseDown, OnMouseUp;
  std::function<void(TCustomChart* sender, TShiftState shift, int x, int y)> OnMouseMove;
  // A left press and release inside the window.
  std::function<void(TCustomChart* sender)> OnClick;
  std::function<void(TCustomChart*sender, TShiftState shift, TPoint mousePos, bool&handled)>
      OnMouseWheelDown, OnMouseWheelUp;

  std::function<void(TCustomChart* sender, TChartSeries* series, int valueIndex,
                     TMouseButton button, TShiftState shift, int x, int y)>
      OnClickSeries;
  std::function<void(TCustomChart* sender, TCustomChartAxis* axis, TMouseButton button,
                     TShiftState shift, int x, int y)>
      OnClickAxis;
  std::function<void(TCustomChart*sender, TMouseButton button, TShiftState shift, int x, int y)>
      OnClickLegend, OnClickBackground;
  std::function<void(TCustomChart*sender)> OnZoom, OnUndoZoom, OnScroll;
  std::function<void(TCustomChartAxis* sender, double& min, double& max, bool& allowScroll)>
      OnAllowScroll;

  // The legend's texts and box may be changed by the program.
  std::function<void(TCustomChart* sender, int index, std::string& text)> OnGetLegendText;
  std::function<void(TCustomChart* sender, TRect& rect)> OnGetLegendRect;
  std::function<void(TCustomChart* sender)> OnPageChange;
  // The name assistive technology gives a bar's segment; starts as "<series>, <point>: <value>".
  std::function<void(TCustomChart* sender, TChartSeries* series, int index, std::string& name)>
      OnGetAccessibleName;

 protected:
  TColor BackWallColor() const override { return BackWall().Color(); }
  // Titles and legend take their room from the plot before the axes do.
  void BuildLayout(TChartLayout& layout, const TRect& bounds) override;

 private:
  bool AxisHit(const TCustomChartAxis& axis, TPoint p) const;
  void PlaceTitlesAndLegend(TChartLayout& layout);
  void DrawTitlesAndLegend();
  void PrepareWall(const TChartWall& wall);
  void DrawWalls();

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
