#pragma once

#include <functional>
#include <memory>

#include "chart/ChartExport.h"
#include "chart/view/ChartCanvas.h"
#include "chart/view/ChartLayout.h"
#include "chart/view/ChartLimits.h"
#include "chart/view/ChartPicture.h"
#include "platform/Control.h"
#include "platform/Property.h"

class TCustomChartPanel;

enum TPanelBevel { bvNone, bvLowered, bvRaised };

// How the 3D box is seen. Every change repaints the chart. Offsets and perspective are kept
// within the pixel limit and the zoom within ten times either way, so that projected points
// stay few enough pixels away for lines and fills to be drawn in reasonable time.
class LISTCHART_CHART_API TView3DOptions {
 public:
  // The largest Zoom either way, in percent: ten times.
  static constexpr int kMaxZoom = 1000;

  // The options of the given chart, which owns them and is repainted on each change.
  explicit TView3DOptions(TCustomChartPanel* chart) : FChart(chart) {}

  // The angle about the horizontal axis, in degrees, of a view that is not Orthogonal; 345 by
  // default.
  int Elevation() const { return FSettings.elevation; }
  // Sets Elevation.
  void SetElevation(int value) { Change(FSettings.elevation, value); }
  // How far the projected box moves right, in pixels; 0 by default.
  int HorizOffset() const { return FSettings.horizOffset; }
  // Sets HorizOffset, kept within the pixel limit.
  void SetHorizOffset(int value) { Change(FSettings.horizOffset, ClampPixels(value)); }
  // Whether the view is oblique (depth moves a point right and up by as much) rather than rotated;
  // true by default.
  bool Orthogonal() const { return FSettings.orthogonal; }
  // Sets Orthogonal.
  void SetOrthogonal(bool value) { Change(FSettings.orthogonal, value); }
  // How much farther points come closer to the centre in a view that is not Orthogonal: the scale
  // falls by Perspective / 35000 per pixel of depth; 15 by default, 0 or less for none.
  int Perspective() const { return FSettings.perspective; }
  // Sets Perspective, kept within the pixel limit.
  void SetPerspective(int value) { Change(FSettings.perspective, ClampPixels(value)); }
  // The angle about the vertical axis, in degrees, of a view that is not Orthogonal; 345 by
  // default.
  int Rotation() const { return FSettings.rotation; }
  // Sets Rotation.
  void SetRotation(int value) { Change(FSettings.rotation, value); }
  // The angle in the screen plane, in degrees, of a view that is not Orthogonal; 0 by default.
  int Tilt() const { return FSettings.tilt; }
  // Sets Tilt.
  void SetTilt(int value) { Change(FSettings.tilt, value); }
  // How far the projected box moves down, in pixels; 0 by default.
  int VertOffset() const { return FSettings.vertOffset; }
  // Sets VertOffset, kept within the pixel limit.
  void SetVertOffset(int value) { Change(FSettings.vertOffset, ClampPixels(value)); }
  // The scale of the projection around the plot centre, in percent; 100 by default.
  int Zoom() const { return FSettings.zoom; }
  // Sets Zoom, kept within -kMaxZoom..kMaxZoom.
  void SetZoom(int value) { Change(FSettings.zoom, std::clamp(value, -kMaxZoom, kMaxZoom)); }
  // Whether text drawn in the 3D box is scaled by Zoom too; true by default.
  bool ZoomText() const { return FSettings.zoomText; }
  // Sets ZoomText.
  void SetZoomText(bool value) { Change(FSettings.zoomText, value); }

  // All the values above, as the projection takes them.
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
  // The width of a chart drawn without a window until SetSize, in pixels.
  static constexpr int kDefaultWidth = 400;
  // The height of a chart drawn without a window until SetSize, in pixels.
  static constexpr int kDefaultHeight = 250;

  TCustomChartPanel();
  ~TCustomChartPanel() override;
  TCustomChartPanel(const TCustomChartPanel&) = delete;
  TCustomChartPanel& operator=(const TCustomChartPanel&) = delete;

  // Percent of the bounds' width (left, right) or height (top, bottom). Margins, bevel and
  // border widths are kept within the pixel limit.
  int MarginLeft() const { return FMarginLeft; }
  // Sets MarginLeft, kept within the pixel limit.
  void SetMarginLeft(int value) { Change(FMarginLeft, ClampPixels(value)); }
  // The top margin in percent of the height; 4 by default.
  int MarginTop() const { return FMarginTop; }
  // Sets MarginTop, kept within the pixel limit.
  void SetMarginTop(int value) { Change(FMarginTop, ClampPixels(value)); }
  // The right margin in percent of the width; 3 by default.
  int MarginRight() const { return FMarginRight; }
  // Sets MarginRight, kept within the pixel limit.
  void SetMarginRight(int value) { Change(FMarginRight, ClampPixels(value)); }
  // The bottom margin in percent of the height; 4 by default.
  int MarginBottom() const { return FMarginBottom; }
  // Sets MarginBottom, kept within the pixel limit.
  void SetMarginBottom(int value) { Change(FMarginBottom, ClampPixels(value)); }

  // Whether the chart is drawn in 3D, with depth; true by default.
  bool View3D() const { return FView3D; }
  // Sets View3D.
  void SetView3D(bool value) { Change(FView3D, value); }
  // The depth of one series slot, in tenths of a percent of the plot width (doubled in a view that
  // is not Orthogonal); 15 by default.
  int Chart3DPercent() const { return FChart3DPercent; }
  // 1..100, else refused.
  void SetChart3DPercent(int value);
  // How the 3D box is seen.
  TView3DOptions& View3DOptions() { return FView3DOptions; }
  // How the 3D box is seen.
  const TView3DOptions& View3DOptions() const { return FView3DOptions; }
  // Whether in 3D each series gets a depth slot of its own, so that the box deepens by one slot per
  // series; true by default.
  bool UseZSlots() const { return FUseZSlots; }
  // Sets UseZSlots.
  void SetUseZSlots(bool value) { Change(FUseZSlots, value); }

  // The panel's background colour, also the border's; clBtnFace by default.
  TColor Color() const { return FColor; }
  // Sets Color.
  void SetColor(TColor value) { Change(FColor, value); }
  // The outer bevel; bvRaised by default.
  TPanelBevel BevelOuter() const { return FBevelOuter; }
  // Sets BevelOuter.
  void SetBevelOuter(TPanelBevel value) { Change(FBevelOuter, value); }
  // The inner bevel, inside the border; bvNone by default.
  TPanelBevel BevelInner() const { return FBevelInner; }
  // Sets BevelInner.
  void SetBevelInner(TPanelBevel value) { Change(FBevelInner, value); }
  // Each bevel's width in pixels; 1 by default.
  int BevelWidth() const { return FBevelWidth; }
  // Sets BevelWidth, kept within the pixel limit.
  void SetBevelWidth(int value) { Change(FBevelWidth, ClampPixels(value)); }
  // The width in pixels of the border between the bevels, in Color; 0 by default.
  int BorderWidth() const { return FBorderWidth; }
  // Sets BorderWidth, kept within the pixel limit.
  void SetBorderWidth(int value) { Change(FBorderWidth, ClampPixels(value)); }

  // Marks the layout stale and asks for one repaint: marks the retained picture stale and
  // invalidates the window. The repaint is asked for only while RepaintOnChange is set
  // (several changes, one repaint).
  void Invalidate();
  // Whether a change asks for a repaint; true once the panel is made.
  bool RepaintOnChange() const { return FRepaintOnChange; }
  // How many changes the chart has had since it was made.
  unsigned ChangeCount() const { return FChanges; }
  // Sets RepaintOnChange; while it is off, changes still mark the layout stale but ask for no
  // repaint.
  void SetRepaintOnChange(bool value) { FRepaintOnChange = value; }
  // Whether the panel is being destroyed: parts then skip asking for repaints.
  bool Destroying() const { return FDestroying; }

  // Paints from the retained picture when it is still valid, else draws the chart.
  void Paint(TCanvas& canvas, const TRect& updateRect) override;
  void Resized() override { Invalidate(); }
  // Draws the whole chart into the target rectangle of the canvas.
  virtual void DrawChart(TCanvas& target, const TRect& targetRect) = 0;

  // The drawing surface, which keeps the picture of the last frame; owned by the panel.
  TChartCanvas3D& Canvas() { return *FCanvas; }
  // The client size, or the size given to a chart drawn without a window.
  int Width() const { return Host() ? ClientWidth() : FWidth; }
  // The client height, or the height given to a chart drawn without a window.
  int Height() const { return Host() ? ClientHeight() : FHeight; }
  // Sets the size a chart drawn without a window has, in pixels; a change invalidates.
  void SetSize(int width, int height);

  // Where everything is: the layout the last paint drew, or, after a change, the layout the
  // next paint will draw (rebuilt here on demand). Painting and hit testing read only this.
  const TChartLayout& Layout() const;
  // The rectangle the chart is drawn in: the layout's ChartBounds.
  const TRect& ChartBounds() const { return Layout().ChartBounds; }
  // The plot rectangle, where the series are drawn: the layout's PlotRect.
  const TRect& PlotRect() const { return Layout().PlotRect; }
  // The plot rectangle's width.
  int PlotWidth() const { return Layout().PlotWidth(); }
  // The plot rectangle's height.
  int PlotHeight() const { return Layout().PlotHeight(); }
  // The plot rectangle's centre.
  TPoint PlotCentre() const {
    const TRect& plot = PlotRect();
    return {(plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2};
  }
  // The depth of one series slot in pixels; 0 when not View3D.
  int SeriesDepth() const { return Layout().SeriesDepth; }
  // The depth of the whole 3D box in pixels: a slot's depth for each slot with UseZSlots; 0 when
  // not View3D.
  int Depth3DX() const { return Layout().Depth3DX; }
  // The depth of the 3D box upwards, equal to Depth3DX.
  int Depth3DY() const { return Layout().Depth3DY; }
  // The deepest depth slot in use (-1 with no active series); 0 without UseZSlots or View3D.
  int TopZSlot() const { return Layout().TopZSlot; }
  // How many times the layout was built; a hit test without a change builds none.
  int LayoutBuilds() const { return FLayoutBuilds; }

  // Draws the chart for a printer or a PDF page into the rectangle of the target (a picture of
  // the printer's resolution), with the printing rules: paper white instead of the background
  // fill, white text drawn black, points not cut to the plot. The window's picture is drawn
  // afresh afterwards.
  void PrintTo(TCanvas& target, const TRect& r);
  // Whether the chart is drawing for PrintTo.
  bool Printing() const { return FPrinting; }

  // Called after the series are drawn, before the frame is shown.
  std::function<void(TCustomChartPanel* sender)> OnAfterDraw;
  // Called before the axes are drawn, when they are visible.
  std::function<void(TCustomChartPanel* sender)> OnBeforeDrawAxes;
  // Called before the series are drawn.
  std::function<void(TCustomChartPanel* sender)> OnBeforeDrawSeries;

 protected:
  // Marks the picture stale and asks the window to repaint.
  virtual void InvalidateView();
  // Fills the layout for the chart drawn in the bounds, step by step.
  virtual void BuildLayout(TChartLayout& layout, const TRect& bounds) = 0;
  // Builds the layout now, for the bounds a frame draws in; the layout is then kept as it is
  // until the frame ends (a change made while painting shows in the next frame).
  void LayOutFrame(const TRect& bounds);
  // Ends the frame LayOutFrame began: changes may rebuild the layout again.
  void EndFrameLayout() { FLayoutFrozen = false; }
  // Raises left and top to the bounds and gives an empty or inverted plot some room.
  void NormalizePlotRect(TChartLayout& layout) const;
  // The plot rectangle of the bounds less border and margins.
  TRect MarginRect(const TRect& bounds) const;
  // The bevels and the border inside the bounds.
  void DrawBevels(const TRect& bounds);

  // Stores a value and, when it differs, invalidates the chart.
  template <typename T>
  void Change(T& field, const T& value) {
    SetProperty(field, value, [this] { Invalidate(); });
  }

  // Set by the destructors, read through Destroying().
  bool FDestroying = false;

 private:
  void RebuildLayout(const TRect& bounds) const;

  bool FRepaintOnChange = false;
  bool FPrinting = false;
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

// A gradient fill of the chart background.
struct LISTCHART_CHART_API TChartGradient {
  // Whether the background is the gradient rather than the solid Color; false by default.
  bool Visible = false;
  // Which way the colours run; gdFromCenter puts StartColor in the middle. gdTopBottom by default.
  TGradientDirection Direction = gdTopBottom;
  // The colour the gradient starts with; white by default.
  TColor StartColor = clWhite;
  // The colour the gradient ends with; yellow by default.
  TColor EndColor = clYellow;
  // Equal when every field matches.
  friend bool operator==(const TChartGradient&, const TChartGradient&) = default;
};

// Adds the background picture and gradient.
class LISTCHART_CHART_API TCustomChartPanelExtended : public TCustomChartPanel {
 public:
  // The background gradient; not shown by default.
  const TChartGradient& Gradient() const { return FGradient; }
  // Sets Gradient.
  void SetGradient(const TChartGradient& value) { Change(FGradient, value); }
  // A picture behind the chart (owned by whoever set it), stretched over the bounds or,
  // when BackImageInside, over the plot rectangle on the back wall.
  const TBitmap* BackImage() const { return FBackImage; }
  // Sets BackImage, or nullptr for none; the picture is not copied.
  void SetBackImage(const TBitmap* value) { Change(FBackImage, value); }
  // How the back picture fills its place: stretched (the default), tiled or centred.
  TBackImageMode BackImageMode() const { return FBackImageMode; }
  // Sets BackImageMode.
  void SetBackImageMode(TBackImageMode value) { Change(FBackImageMode, value); }
  // Whether the back picture fills the plot rectangle rather than the bounds; false by default.
  bool BackImageInside() const { return FBackImageInside; }
  // Sets BackImageInside.
  void SetBackImageInside(bool value) { Change(FBackImageInside, value); }
  // Set by a click handler to stop the chart's own reaction to the press being handled.
  bool MouseCancelled() const { return FMouseCancelled; }
  // Sets MouseCancelled.
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
