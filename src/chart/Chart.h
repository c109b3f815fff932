#pragma once

#include <functional>
#include <string>
#include <vector>

#include "chart/ChartAxisPanel.h"
#include "chart/ChartMouse.h"
#include "chart/ChartTitleLegend.h"
#include "platform/TextTypes.h"

class TCustomChart;

// The chart: series, axes, walls, title, foot and legend, drawn by one paint pipeline into
// the retained picture.
class TCustomChart : public TCustomAxisPanel {
 public:
  TCustomChart();

  void DrawChart(TCanvas& target, const TRect& targetRect) override;

  TChartTitle& Title() { return FTitle; }
  TChartTitle& Foot() { return FFoot; }
  TChartLegend& Legend() { return FLegend; }

  // --- Mouse: zoom by dragging a rectangle, undo by dragging back, pan, wheel ---
  bool AllowZoom = true;
  TPanningMode AllowPanning = pmBoth;
  bool AnimatedZoom = false;
  int AnimatedZoomSteps = 8;
  int16_t InitialCursor = 0;
  const TZoomPanningRecord& ZoomDrag() const { return FZoomDrag; }
  const TZoomPanningRecord& PanDrag() const { return FPanDrag; }
  bool IsZoomed() const { return FIsZoomed; }
  // False while SavedRanges holds the ranges from before the first zoom or pan.
  bool RangesRestored() const { return FRangesRestored; }
  const TSavedRanges& SavedRanges() const { return FSavedRanges; }

  // The mouse cursor's position now, in client pixels.
  TPoint CursorPosition() const { return CursorPos(); }
  TChartClickedPart FindClickedPart(TPoint p);
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
  void CaptureLost() override;

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

 protected:
  TColor BackWallColor() const override { return BackWall().Color(); }

 private:
  // Mouse handling steps.
  bool FireClickEvents(const TChartClickedPart& part, TMouseButton button, TShiftState shift, int x,
                       int y);
  bool StartDrag(TMouseButton button, TShiftState shift, int x, int y);
  void MoveZoomFrame(int x, int y);
  void MovePan(int x, int y);
  bool PanAxes(bool horizontal, int from, int to);
  void TrackSeriesCursor(TShiftState shift, int x, int y);
  void FinishZoomDrag(int x, int y);
  void FireClickOnRelease(TMouseButton button, int x, int y);
  void CancelDrags();
  void ApplyCursor(int16_t id);
  bool AxisHit(const TCustomChartAxis& axis, TPoint p) const;
  // Zoom, undo and scrolling of the ranges.
  void DrawZoomFrame(TCanvas& canvas) const;
  void ToggleZoomFrameOnScreen();
  void SaveRangesOnce();
  void ApplyZoom(const double targetMin[4], const double targetMax[4]);
  void ScrollVerticalAxes(double direction);
  TCustomChartAxis* SavedAxis(int index);

  TChartTitle FTitle{this};
  TChartTitle FFoot{this};
  TChartLegend FLegend{this};
  TZoomPanningRecord FZoomDrag, FPanDrag;
  bool FIsZoomed = false;
  bool FRangesRestored = true;
  TSavedRanges FSavedRanges;
  // A left press on the window waits for its release to become a click.
  bool FClickArmed = false;

  void DrawTitlesAndLegend();
  void DrawTitle(TChartTitle& title, bool atTop);
  struct TLegendRow {
    TColor color;
    std::string text;
  };
  // The rows the legend lists and the item of the first row.
  std::vector<TLegendRow> LegendRows(int& firstItem);
  // The legend's box at its side of the plot, taken from the plot when it resizes the chart.
  TRect PlaceLegendBox(int width, int height);
  void DrawLegend();
  void RecordLegendRows(const TRect& box, int top, int rowHeight, int count, int firstItem);
  void PrepareWall(const TChartWall& wall);
  void DrawWalls();
};

class TChart : public TCustomChart {};
