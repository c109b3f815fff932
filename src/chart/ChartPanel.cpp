#include "chart/ChartPanel.h"

#include <algorithm>
#include <string>

#include "platform/Exception.h"
#include "platform/ScopeGuard.h"

TCustomChartPanel::TCustomChartPanel() : FCanvas(std::make_unique<TChartCanvas3D>()) {
  FRepaintOnChange = true;
}

TCustomChartPanel::~TCustomChartPanel() {
  FDestroying = true;
}

void TCustomChartPanel::SetChart3DPercent(int value) {
  if (value < 1 || value > 100) throw Exception("3D effect percent must be between 1 and 100");
  Change(FChart3DPercent, value);
}

void TCustomChartPanel::SetSize(int width, int height) {
  const bool widthChanged = StoreProperty(FWidth, width);
  if (StoreProperty(FHeight, height) || widthChanged) Invalidate();
}

void TCustomChartPanel::Invalidate() {
  ++FChanges;
  if (FRepaintOnChange) InvalidateView();
}

const TChartLayout& TCustomChartPanel::Layout() const {
  if (!FLayoutFrozen && FLayoutChanges != FChanges) {
    // Measured on the retained picture, as a frame measures.
    TChartCanvas3D& canvas = *FCanvas;
    TCanvas* const saved = canvas.Target();
    const auto restore = OnScopeExit([&canvas, saved] { canvas.SetTarget(saved); });
    canvas.SetTarget(&canvas.MeasuringCanvas());
    RebuildLayout(Rect(0, 0, Width(), Height()));
    FLayoutFrozen = false;
  }
  return FLayout;
}

void TCustomChartPanel::RebuildLayout(const TRect& bounds) const {
  const unsigned changes = FChanges;
  FLayoutFrozen = true;
  // A handler that throws leaves the layout to be built again.
  FLayoutChanges = changes - 1;
  auto* self = const_cast<TCustomChartPanel*>(this);
  FLayout = TChartLayout{};
  try {
    self->BuildLayout(FLayout, bounds);
  } catch (...) {
    FLayoutFrozen = false;
    throw;
  }
  ++FLayoutBuilds;
  FLayoutChanges = changes;
}

void TCustomChartPanel::LayOutFrame(const TRect& bounds) {
  RebuildLayout(bounds);
}

void TCustomChartPanel::InvalidateView() {
  FCanvas->MarkStale();
  TControl::Invalidate();
}

void TCustomChartPanel::Paint(TCanvas& canvas, const TRect& /*updateRect*/) {
  FCanvas->SetTarget(&canvas);
  // A picture of another size is never copied: a resize while RepaintOnChange was off
  // could not mark it stale.
  const TBitmap* picture = FCanvas->Picture();
  const bool sizeKept = picture && picture->Width() == Width() && picture->Height() == Height();
  if (sizeKept && FCanvas->RepaintFromPicture()) return;
  DrawChart(canvas, Rect(0, 0, Width(), Height()));
}

TRect TCustomChartPanel::MarginRect(const TRect& bounds) const {
  const int width = bounds.Width(), height = bounds.Height();
  return Rect(bounds.left + FBorderWidth + MulDiv(FMarginLeft, width, 100),
              bounds.top + FBorderWidth + MulDiv(FMarginTop, height, 100),
              bounds.right - FBorderWidth - MulDiv(FMarginRight, width, 100),
              bounds.bottom - FBorderWidth - MulDiv(FMarginBottom, height, 100));
}

void TCustomChartPanel::NormalizePlotRect(TChartLayout& layout) const {
  TRect& plot = layout.PlotRect;
  plot.left = std::max(plot.left, layout.ChartBounds.left);
  plot.top = std::max(plot.top, layout.ChartBounds.top);
  if (plot.right < plot.left)
    plot.right = plot.left + 1;
  else if (plot.right == plot.left)
    plot.right = plot.left + Width();
  if (plot.bottom < plot.top)
    plot.bottom = plot.top + 1;
  else if (plot.bottom == plot.top)
    plot.bottom = plot.top + Height();
}

void TCustomChartPanel::DrawBevels(const TRect& bounds) {
  TCanvas* target = FCanvas->Target();
  if (!target) return;
  TRect r = bounds;
  auto bevel = [&](TPanelBevel kind) {
    if (kind == bvNone) return;
    for (int i = 0; i < FBevelWidth; ++i) {
      target->DrawEdge(r, kind == bvRaised ? bdRaisedInner : bdSunkenOuter, bfsRect);
      InflateRect(r, -1, -1);
    }
  };
  bevel(FBevelOuter);
  if (FBorderWidth > 0) {
    target->Brush() = TBrush{ColorToRGB(FColor), bsSolid, clWhite};
    for (int i = 0; i < FBorderWidth; ++i) {
      target->FrameRect(r);
      InflateRect(r, -1, -1);
    }
  }
  bevel(FBevelInner);
}

void TCustomChartPanelExtended::DrawBackground(const TRect& bounds) {
  TChartCanvas3D& canvas = Canvas();
  if (Printing()) {
    // On paper the background stays the paper's.
    canvas.Brush() = TBrush{clWhite, bsSolid, clWhite};
    canvas.Pen().style = psClear;
    canvas.FillWithBrush(bounds);
  } else if (FGradient.Visible) {
    // The surface starts a linear fill at the side its direction names; a centred fill
    // takes its first colour in the middle, where the end colour belongs.
    const bool centred = FGradient.Direction == gdFromCenter;
    canvas.FillGradient(bounds, centred ? FGradient.EndColor : FGradient.StartColor,
                        FGradient.Direction, centred ? FGradient.StartColor : FGradient.EndColor);
  } else {
    canvas.Brush() = TBrush{Color(), bsSolid, clWhite};
    canvas.Pen().style = psClear;
    canvas.FillWithBrush(bounds);
  }
  if (FBackImage && !FBackImageInside) DrawBackImage(bounds);
  DrawBevels(bounds);
}

void TCustomChartPanel::PrintTo(TCanvas& target, const TRect& r) {
  FPrinting = true;
  Canvas().SetPrinting(true);
  Canvas().MarkStale();
  // Laid out for the page; the window lays out and draws for itself again.
  const auto done = OnScopeExit([this] {
    FPrinting = false;
    Canvas().SetPrinting(false);
    Canvas().MarkStale();
    Invalidate();
  });
  Invalidate();
  DrawChart(target, r);
}

void TCustomChartPanelExtended::DrawBackImage(const TRect& r) {
  if (!FBackImage || FBackImage->Empty() || !Canvas().Target()) return;
  DrawPicture(*Canvas().Target(), r, *FBackImage, FBackImageMode);
}
