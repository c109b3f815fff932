#include "platform/OffscreenHost.h"

#include <algorithm>
#include <memory>

namespace {

class TOffscreenToolWindow final : public TToolWindow {
 public:
  TOffscreenToolWindow(TControl& content, TSize size)
      : FHost(content, std::max<int>(size.cx, 1), std::max<int>(size.cy, 1)) {}

 private:
  TOffscreenHost FHost;
};

}  // namespace

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

std::unique_ptr<TToolWindow> TOffscreenHost::OpenToolWindow(TControl& content,
                                                            const TToolWindowParams& params) {
  return std::make_unique<TOffscreenToolWindow>(content, params.Size);
}
