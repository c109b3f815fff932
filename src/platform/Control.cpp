#include "platform/Control.h"

#include <cmath>

void TControl::SetHost(TWindowHost* host) {
  FHost = host;
}

void TControl::Invalidate() {
  if (FHost) FHost->InvalidateAll();
}
void TControl::InvalidateRect(const TRect& r) {
  if (FHost) FHost->Invalidate(r);
}
void TControl::Update() {
  if (FHost) FHost->Update();
}
void TControl::ScrollWindow(int dx, int dy, const TRect& area) {
  if (FHost) FHost->ScrollContents(dx, dy, area);
}
void TControl::SetCapture(bool capture) {
  if (FHost) FHost->SetCapture(capture);
}
void TControl::SetCursorShape(TCursorShape shape) {
  if (FHost) FHost->SetCursorShape(shape);
}
void TControl::SetFocus() {
  if (FHost) FHost->SetFocus();
}
std::unique_ptr<TToolWindow> TControl::OpenToolWindow(TControl& content,
                                                      const TToolWindowParams& params) {
  return FHost ? FHost->OpenToolWindow(content, params) : nullptr;
}
void TControl::MoveFocus(bool forward) {
  if (FHost) FHost->MoveFocus(forward);
}
void TControl::BeginDragImage(const TBitmap& image, TPoint hotspot) {
  if (FHost) FHost->BeginDragImage(image, hotspot);
}
void TControl::MoveDragImage(TPoint position) {
  if (FHost) FHost->MoveDragImage(position);
}
void TControl::ShowDragImage(bool show) {
  if (FHost) FHost->ShowDragImage(show);
}
void TControl::EndDragImage() {
  if (FHost) FHost->EndDragImage();
}
void TControl::StartDrag(const TDragData& data, const TBitmap& image, TPoint hotspot) {
  if (!FHost || !FHost->StartDrag(data, image, hotspot)) EndDrag(false);
}
void TControl::SetTimer(int id, int milliseconds) {
  if (FHost) FHost->SetTimer(id, milliseconds);
}
void TControl::KillTimer(int id) {
  if (FHost) FHost->KillTimer(id);
}
void TControl::SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) {
  if (FHost) FHost->SetScrollInfo(kind, info);
}
TScrollInfo TControl::ScrollInfo(TScrollBarKind kind) const {
  return FHost ? FHost->ScrollInfo(kind) : TScrollInfo{};
}

std::vector<TRect> ScrollCanvasArea(TCanvas& canvas, int dx, int dy, TRect area) {
  if (IsRectEmpty(area)) area = Rect(0, 0, canvas.Width(), canvas.Height());
  std::vector<TRect> uncovered;
  if (IsRectEmpty(area) || (dx == 0 && dy == 0)) return uncovered;
  // Device pixels move only by whole rows and columns: a shift the ratio makes fractional
  // would stretch what is kept, so the whole area is painted afresh instead.
  const double scale = canvas.Scale();
  if (dx * scale != std::round(dx * scale) || dy * scale != std::round(dy * scale)) {
    uncovered.push_back(area);
    return uncovered;
  }
  TRect moved = area;
  OffsetRect(moved, dx, dy);
  TRect kept;
  if (!IntersectRect(kept, moved, area)) {
    uncovered.push_back(area);
    return uncovered;
  }
  TRect from = kept;
  OffsetRect(from, -dx, -dy);
  canvas.CopyRect(kept, canvas, from);
  // The strips of area outside the moved part: one across, one along the rest.
  if (kept.top > area.top) uncovered.push_back(Rect(area.left, area.top, area.right, kept.top));
  if (kept.bottom < area.bottom)
    uncovered.push_back(Rect(area.left, kept.bottom, area.right, area.bottom));
  if (kept.left > area.left) uncovered.push_back(Rect(area.left, kept.top, kept.left, kept.bottom));
  if (kept.right < area.right)
    uncovered.push_back(Rect(kept.right, kept.top, area.right, kept.bottom));
  return uncovered;
}

char TypedCharacter(int key, TShiftState shift) {
  if (shift & ssAlt) return 0;
  const bool ctrl = shift & ssCtrl, upper = shift & ssShift;
  if (key >= 'A' && key <= 'Z') {
    if (ctrl) return static_cast<char>(key - 'A' + 1);
    return static_cast<char>(upper ? key : key - 'A' + 'a');
  }
  if (ctrl) return 0;
  if (key >= '0' && key <= '9' && !upper) return static_cast<char>(key);
  switch (key) {
    case vkSpace:
      return ' ';
    case vkReturn:
      return '\r';
    case vkBack:
      return '\b';
    case vkEscape:
      return 27;
    case vkTab:
      return '\t';
    case vkAdd:
      return '+';
    case vkSubtract:
      return '-';
    case vkMultiply:
      return '*';
    case vkDivide:
      return '/';
    default:
      return 0;
  }
}
