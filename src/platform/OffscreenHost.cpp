#include "platform/OffscreenHost.h"

TOffscreenHost::TOffscreenHost(TControl& control, int width, int height, double scale)
    : FControl(control) {
  FPicture.SetScale(scale);
  FPicture.SetSize(width, height);
  FControl.SetHost(this);
  FControl.Resized();
}

TOffscreenHost::~TOffscreenHost() {
  if (FControl.Host() == this) FControl.SetHost(nullptr);
}

void TOffscreenHost::PaintAll() {
  const TRect all = Rect(0, 0, FPicture.Width(), FPicture.Height());
  TCanvas& canvas = FPicture.Canvas();
  canvas.SaveClip();
  canvas.SetClipRect(all);
  FControl.Paint(canvas, all);
  canvas.RestoreClip();
}

void TOffscreenHost::SetFocus() {
  if (FFocused) return;
  FFocused = true;
  FControl.FocusChanged(true);
}

void TOffscreenHost::SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) {
  (kind == sbVertical ? FVinfo : FHinfo) = info;
}

TScrollInfo TOffscreenHost::ScrollInfo(TScrollBarKind kind) const {
  return kind == sbVertical ? FVinfo : FHinfo;
}
