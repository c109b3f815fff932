#pragma once

#include <functional>
#include <memory>

#include "chart/ChartExport.h"
#include "chart/view/ChartCanvas.h"
#include "chart/view/ChartLayout.h"
#include "chart/view/ChartLimits.h"
#include "platform/Control.h"
#include "platform/Property.h"

class TCustomChartPanel;

enum TPanelBevel { bvNone, bvLowered, bvRaised };
enum TBackImageMode { pbmStretch, pbmTile, pbmCenter };

// How the 3D box is seen. Every change repaints the chart. Offsets and perspective are kept
// within the pixel limit and the zoom within ten times either way, so that projected points
// stay few enough pixels away for lines and fills to be drawn in reasonable time.
class LISTCHART_CHART_API TView3DOptions {
 public:
  static constexpr int kMaxZoom = 1000;

  explicit TView3DOptions(TCustomChartPanel* chart) : FChart(chart) {}

  int Elevation() const { return FSettings.elevation; }
  void SetElevation(int value) { Change(FSettings.elevation, value); }
  int HorizOffset() const { return FSettings.horizOffset; }
  void SetHorizOffset(int value) { Change(FSettings.horizOffset, ClampPixels(value)); }
  bool Orthogonal() const { return FSettings.orthogonal; }
  void SetOrthogonal(bool value) { Change(FSettings.orthogonal, value); }
  int Perspective() const { return FSettings.perspective; }
  void SetPerspective(int value) { Change(FSettings.perspective, ClampPixels(value)); }
  int Rotation() const { return FSettings.rotation; }
  void SetRotation(int value) { Change(FSettings.rotation, value); }
  int Tilt() const { return FSettings.tilt; }
  void SetTilt(int value) { Change(FSettings.tilt, value); }
  int VertOffset() const { return FSettings.vertOffset; }
  void SetVertOffset(int value) { Change(FSettings.vertOffset, ClampPixels(value)); }
  int Zoom() const { return FSettings.zoom; }
  void SetZoom(int value) { Change(FSettings.zoom, std::clamp(value, -kMaxZoom, kMaxZoom)); }
  bool ZoomText() const { return FSettings.zoomText; }
  void SetZoomText(bool value) { Change(FSettings.zoomText, value); }

  const TView3DSettings& Settings() const { return FSettings; }

 private:
  template <typename T>
  void Change(T& field, T value);

  TCustomChartPanel* FChart;
  TView3DSettings FSettings;
};

// The chart window: margins, 3D settings, background and bevels, and the drawing surface
// whose retained picture makes a repaint without changes a single copy.
class LISTCHART_CHART_API TCustomChartPanel : public TControl {
 public:
  static constexpr int kDefaultWidth = 400;
  static constexpr int kDefaultHeight = 250;

  TCustomChartPanel();
  ~TCustomChartPanel() override;
  TCustomChartPanel(const TCustomChartPanel&) = delete;
  TCustomChartPanel& operator=(const TCustomChartPanel&) = delete;

  // Percent of the bounds' width (left, right) or height (top, bottom). Margins, bevel and
  // border widths are kept within the pixel limit.
  int MarginLeft() const { return FMarginLeft; }
  void SetMarginLeft(int value) { Change(FMarginLeft, ClampPixels(value)); }
  int MarginTop() const { return FMarginTop; }
  void SetMarginTop(int value) { Change(FMarginTop, ClampPixels(value)); }
  int MarginRight() const { return FMarginRight; }
  void SetMarginRight(int value) { Change(FMarginRight, ClampPixels(value)); }
  int MarginBottom() const { return FMarginBottom; }
  void SetMarginBottom(int value) { Change(FMarginBottom, ClampPixels(value)); }

  bool View3D() const { return FView3D; }
  void SetView3D(bool value) { Change(FView3D, value); }
  int Chart3DPercent() const { return FChart3DPercent; }
  // 1..100, else refused.
  void SetChart3DPercent(int value);
  TView3DOptions& View3DOptions() { return FView3DOptions; }
  const TView3DOptions& View3DOptions() const { return FView3DOptions; }
  bool UseZSlots() const { return FUseZSlots; }
  void SetUseZSlots(bool value) { Change(FUseZSlots, value); }

  TColor Color() const { return FColor; }
  void SetColor(TColor value) { Change(FColor, value); }
  TPanelBevel BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel value) { Change(FBevelOuter, value); }
  TPanelBevel BevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel value) { Change(FBevelInner, value); }
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value) { Change(FBevelWidth, ClampPixels(value)); }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value) { Change(FBorderWidth, ClampPixels(value)); }

  // Marks the layout stale and asks for one repaint: marks the retained picture stale and
  // invalidates the window. The repaint is asked for only while RepaintOnChange is set
  // (several changes, one repaint).
  void Invalidate();
  bool RepaintOnChange() const { return FRepaintOnChange; }
  // How many changes the chart has had since it was made.
  unsigned ChangeCount() const { return FChanges; }
  void SetRepaintOnChange(bool value) { FRepaintOnChange = value; }
  bool Destroying() const { return FDestroying; }

  // Paints from the retained picture when it is still valid, else draws the chart.
  void Paint(TCanvas& canvas, const TRect& updateRect) override;
  void Resized() override { Invalidate(); }
  // Draws the whole chart into the target rectangle of the canvas.
  virtual void DrawChart(TCanvas& target, const TRect& targetRect) = 0;

  TChartCanvas3D& Canvas() { return *FCanvas; }
  // The client size, or the size given to a chart drawn without a window.
  int Width() const { return Host() ? ClientWidth() : FWidth; }
  int Height() const { return Host() ? ClientHeight() : FHeight; }
  void SetSize(int width, int height);

  // Where everything is: the layout the last paint drew, or, after a change, the layout the
  // next paint will draw (rebuilt here on demand). Painting and hit testing read only this.
  const TChartLayout& Layout() const;
  const TRect& ChartBounds() const { return Layout().ChartBounds; }
  const TRect& PlotRect() const { return Layout().PlotRect; }
  int PlotWidth() const { return Layout().PlotWidth(); }
  int PlotHeight() const { return Layout().PlotHeight(); }
  TPoint PlotCentre() const {
    const TRect& plot = PlotRect();
    return {(plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2};
  }
  int SeriesDepth() const { return Layout().SeriesDepth; }
  int Depth3DX() const { return Layout().Depth3DX; }
  int Depth3DY() const { return Layout().Depth3DY; }
  int TopZSlot() const { return Layout().TopZSlot; }
  // How many times the layout was built; a hit test without a change builds none.
  int LayoutBuilds() const { return FLayoutBuilds; }

  std::function<void(TCustomChartPanel* sender)> OnAfterDraw;
  std::function<void(TCustomChartPanel* sender)> OnBeforeDrawAxes;
  std::function<void(TCustomChartPanel* sender)> OnBeforeDrawSeries;

 protected:
  // Marks the picture stale and asks the window to repaint.
  virtual void InvalidateView();
  // Fills the layout for the chart drawn in the bounds, step by step.
  virtual void BuildLayout(TChartLayout& layout, const TRect& bounds) = 0;
  // Builds the layout now, for the bounds a frame draws in; the layout is then kept as it is
  // until the frame ends (a change made while painting shows in the next frame).
  void LayOutFrame(const TRect& bounds);
  void EndFrameLayout() { FLayoutFrozen = false; }
  // Raises left and top to the bounds and gives an empty or inverted plot some room.
  void NormalizePlotRect(TChartLayout& layout) const;
  // The plot rectangle of the bounds less border and margins.
  TRect MarginRect(const TRect& bounds) const;
  // The bevels and the border inside the bounds.
  void DrawBevels(const TRect& bounds);

  template <typename T>
  void Change(T& field, const T& value) {
    SetProperty(field, value, [this] { Invalidate(); });
  }

  bool FDestroying = false;

 private:
  void RebuildLayout(const TRect& bounds) const;

  bool FRepaintOnChange = false;
  mutable TChartLayout FLayout;
  // Changes since construction, and the count the layout was built at.
  unsigned FChanges = 1;
  mutable unsigned FLayoutChanges = 0;
  // Set while the layout is being built or a frame reads it: no rebuild then.
  mutable bool FLayoutFrozen = false;
  mutable int FLayoutBuilds = 0;
  int FMarginLeft = 3, FMarginTop = 4, FMarginRight = 3, FMarginBottom = 4;
  bool FView3D = true;
  int FChart3DPercent = 15;
  TView3DOptions FView3DOptions{this};
  bool FUseZSlots = true;
  TColor FColor = clBtnFace;
  TPanelBevel FBevelOuter = bvRaised, FBevelInner = bvNone;
  int FBevelWidth = 1, FBorderWidth = 0;
  std::unique_ptr<TChartCanvas3D> FCanvas;
  int FWidth = kDefaultWidth, FHeight = kDefaultHeight;
};

template <typename T>
void TView3DOptions::Change(T& field, T value) {
  SetProperty(field, value, [this] { FChart->Invalidate(); });
}

struct LISTCHART_CHART_API TChartGradient {
  bool Visible = false;
  TGradientDirection Direction = gdTopBottom;
  TColor StartColor = clWhite;
  TColor EndColor = clYellow;
  friend bool operator==(const TChartGradient&, const TChartGradient&) = default;
};

// Adds the background picture and gradient.
class LISTCHART_CHART_API TCustomChartPanelExtended : public TCustomChartPanel {
 public:
  const TChartGradient& Gradient() const { return FGradient; }
  void SetGradient(const TChartGradient& value) { Change(FGradient, value); }
  // A picture behind the chart (owned by whoever set it), stretched over the bounds or,
  // when BackImageInside, over the plot rectangle on the back wall.
  const TBitmap* BackImage() const { return FBackImage; }
  void SetBackImage(const TBitmap* value) { Change(FBackImage, value); }
  TBackImageMode BackImageMode() const { return FBackImageMode; }
  void SetBackImageMode(TBackImageMode value) { Change(FBackImageMode, value); }
  bool BackImageInside() const { return FBackImageInside; }
  void SetBackImageInside(bool value) { Change(FBackImageInside, value); }
  // Set by a click handler to stop the chart's own reaction to the press being handled.
  bool MouseCancelled() const { return FMouseCancelled; }
  void SetMouseCancelled(bool value) { FMouseCancelled = value; }

 protected:
  // Gradient or solid fill, the picture behind the chart, then the bevels.
  void DrawBackground(const TRect& bounds);
  // The back picture stretched over a rectangle.
  void DrawBackImage(const TRect& r);

 private:
  TChartGradient FGradient;
  const TBitmap* FBackImage = nullptr;
  TBackImageMode FBackImageMode = pbmStretch;
  bool FBackImageInside = false;
  bool FMouseCancelled = false;
};
