#include "platform/OffscreenHost.h"

TOffscreenHost::TOffscreenHost(TControl& control, int width, int height, double scale)
    : control_(control) {
  picture_.SetScale(scale);
  picture_.SetSize(width, height);
  control_.SetHost(this);
  control_.Resized();
}

TOffscreenHost::~TOffscreenHost() {
  if (control_.Host() == this) control_.SetHost(nullptr);
}

void TOffscreenHost::PaintAll() {
  const TRect all = Rect(0, 0, picture_.Width(), picture_.Height());
  TCanvas& canvas = picture_.Canvas();
  canvas.SaveClip();
  canvas.SetClipRect(all);
  control_.Paint(canvas, all);
  canvas.RestoreClip();
}

void TOffscreenHost::SetFocus() {
  if (focused_) return;
  focused_ = true;
  control_.FocusChanged(true);
}

void TOffscreenHost::SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) {
  (kind == sbVertical ? vinfo_ : hinfo_) = info;
}

TScrollInfo TOffscreenHost::ScrollInfo(TScrollBarKind kind) const {
  return kind == sbVertical ? vinfo_ : hinfo_;
}
