#include "support/TestWindowHost.h"

#include <memory>

namespace {

// What a closed tool window's host shows from then on: nothing.
class TNoControl final : public TControl {
 public:
  void Paint(TCanvas&, const TRect&) override {}
};

TNoControl& NoControl() {
  static TNoControl none;
  return none;
}

// The handle of a tool window whose host the opening host keeps: closing lets the control go
// while a test may still hold the host.
class TTestToolWindow final : public TToolWindow {
 public:
  explicit TTestToolWindow(TTestWindowHost& host) : FHost(host) {}
  ~TTestToolWindow() override { FHost.Close(); }
  void Raise() override { FHost.NoteRaised(); }

 private:
  TTestWindowHost& FHost;
};

// Tool window hosts outlive the windows that opened them: a control may close its tool
// window in its destructor, after its own window is gone.
std::vector<std::unique_ptr<TTestWindowHost>>& ToolWindowHosts() {
  static std::vector<std::unique_ptr<TTestWindowHost>> hosts;
  return hosts;
}

}  // namespace

TTestWindowHost::TTestWindowHost(TControl& control, int width, int height, double scale)
    : control_(&control) {
  picture_.SetScale(scale);
  picture_.SetSize(width, height);
  control_->SetHost(this);
  InvalidateAll();
}

TTestWindowHost::~TTestWindowHost() {
  if (!closed_ && control_->Host() == this) control_->SetHost(nullptr);
}

void TTestWindowHost::Resize(int width, int height) {
  picture_.SetSize(width, height);
  control_->Resized();
  InvalidateAll();
}

bool TTestWindowHost::Paint(bool force) {
  if (force) pending_ = Rect(0, 0, picture_.Width(), picture_.Height());
  TRect update;
  if (!IntersectRect(update, pending_, Rect(0, 0, picture_.Width(), picture_.Height())))
    return false;
  pending_ = TRect{};
  TCanvas& c = picture_.Canvas();
  c.SaveClip();
  c.SetClipRect(update);
  control_->Paint(c, update);
  c.RestoreClip();
  return true;
}

void TTestWindowHost::ClearRecords() {
  invalidations_.clear();
  scrolls_.clear();
  accessible_events_.clear();
}

int TTestWindowHost::TimerInterval(int id) const {
  const auto it = timers_.find(id);
  return it == timers_.end() ? 0 : it->second;
}

bool TTestWindowHost::FireTimer(int id) {
  if (!TimerActive(id)) return false;
  control_->Timer(id);
  return true;
}

void TTestWindowHost::SetKey(int key, bool down) {
  keys_[key] = down;
}

bool TTestWindowHost::KeyPressed(int key) const {
  const auto it = keys_.find(key);
  return it != keys_.end() && it->second;
}

TShiftState TTestWindowHost::ModifierState() const {
  TShiftState s = 0;
  if (KeyPressed(vkShift)) s |= ssShift;
  if (KeyPressed(vkControl)) s |= ssCtrl;
  if (KeyPressed(vkMenu)) s |= ssAlt;
  return s;
}

TShiftState TTestWindowHost::ButtonState() const {
  TShiftState s = 0;
  if (KeyPressed(vkLButton)) s |= ssLeft;
  if (KeyPressed(vkRButton)) s |= ssRight;
  if (KeyPressed(vkMButton)) s |= ssMiddle;
  return s;
}

namespace {

int ButtonKey(TMouseButton b) {
  return b == mbLeft ? vkLButton : b == mbRight ? vkRButton : vkMButton;
}

}  // namespace

void TTestWindowHost::MouseDown(TMouseButton b, int x, int y, TShiftState shift) {
  cursor_ = {x, y};
  SetKey(ButtonKey(b), true);
  control_->MouseDown(b, shift | ModifierState() | ButtonState(), x, y);
}

void TTestWindowHost::MouseMove(int x, int y, TShiftState shift) {
  cursor_ = {x, y};
  control_->MouseMove(shift | ModifierState() | ButtonState(), x, y);
}

void TTestWindowHost::MouseUp(TMouseButton b, int x, int y, TShiftState shift) {
  cursor_ = {x, y};
  SetKey(ButtonKey(b), false);
  control_->MouseUp(b, shift | ModifierState() | ButtonState(), x, y);
}

void TTestWindowHost::DoubleClick(TMouseButton b, int x, int y, TShiftState shift) {
  Click(b, x, y, shift);
  MouseDown(b, x, y, shift | ssDouble);
  MouseUp(b, x, y, shift);
}

void TTestWindowHost::Click(TMouseButton b, int x, int y, TShiftState shift) {
  MouseDown(b, x, y, shift);
  MouseUp(b, x, y, shift);
}

bool TTestWindowHost::Wheel(int notches, int x, int y, TShiftState shift) {
  cursor_ = {x, y};
  return control_->MouseWheel(shift | ModifierState() | ButtonState(), notches, x, y);
}

int TTestWindowHost::KeyDown(int key, TShiftState shift) {
  shift |= ModifierState();
  const int vk = key;
  SetKey(vk, true);
  if (vk == vkTab && !control_->WantsKey(vk, shift)) {
    MoveFocus(!(shift & ssShift));
    return key;
  }
  control_->KeyDown(key, shift);
  if (key == 0) return key;
  // A key whose character the control took is the control's too, as on the desktop.
  char c = TypedCharacter(vk, shift);
  if (!c) return key;
  control_->KeyPress(c);
  return c == 0 ? 0 : key;
}

int TTestWindowHost::PressKey(int key, TShiftState shift) {
  const int left = KeyDown(key, shift);
  KeyUp(key, shift);
  return left;
}

void TTestWindowHost::KeyUp(int key, TShiftState shift) {
  shift |= ModifierState();
  SetKey(key, false);
  // The window used a Tab the control did not want; its release is the window's too.
  if (key == vkTab && !control_->WantsKey(key, shift)) return;
  control_->KeyUp(key, shift);
}

void TTestWindowHost::LoseCapture() {
  if (!captured_) return;
  captured_ = false;
  control_->CaptureLost();
}

void TTestWindowHost::LoseFocus() {
  LoseCapture();
  if (!focused_) return;
  focused_ = false;
  control_->FocusChanged(false);
}

void TTestWindowHost::ScrollBarRequest(TScrollBarKind kind, TScrollCode code, int position) {
  control_->Scroll(kind, code, position);
}

void TTestWindowHost::Invalidate(const TRect& r) {
  if (IsRectEmpty(r)) return;
  invalidations_.push_back(r);
  pending_ = UnionRect(pending_, r);
}

void TTestWindowHost::InvalidateAll() {
  Invalidate(Rect(0, 0, picture_.Width(), picture_.Height()));
}

void TTestWindowHost::ScrollContents(int dx, int dy, const TRect& area) {
  scrolls_.push_back({dx, dy, area});
  // Pending paint in the area moves along with the pixels it belongs to; what was pending
  // stays so (as the desktop host keeps it), since paint outside the area does not move.
  TRect moved;
  const TRect within = IsRectEmpty(area) ? Rect(0, 0, picture_.Width(), picture_.Height()) : area;
  if (IntersectRect(moved, pending_, within)) {
    OffsetRect(moved, dx, dy);
    if (IntersectRect(moved, moved, within)) pending_ = UnionRect(pending_, moved);
  }
  for (const TRect& r : ScrollCanvasArea(picture_.Canvas(), dx, dy, area)) Invalidate(r);
}

void TTestWindowHost::SetCapture(bool capture) {
  captured_ = capture;
}

void TTestWindowHost::SetFocus() {
  if (focused_ || refuse_focus_) return;
  focused_ = true;
  control_->FocusChanged(true);
}

void TTestWindowHost::SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) {
  (kind == sbVertical ? vinfo_ : hinfo_) = info;
}

TScrollInfo TTestWindowHost::ScrollInfo(TScrollBarKind kind) const {
  return kind == sbVertical ? vinfo_ : hinfo_;
}

void TTestWindowHost::MoveFocus(bool forward) {
  focus_moves_.push_back(forward ? 1 : -1);
  LoseFocus();
}

void TTestWindowHost::BeginDragImage(const TBitmap& image, TPoint) {
  drag_size_ = {image.Width(), image.Height()};
  drag_shown_ = true;
}

void TTestWindowHost::EndDragImage() {
  drag_size_ = {};
  drag_shown_ = false;
}

bool TTestWindowHost::StartDrag(const TDragData& data, const TBitmap& image, TPoint) {
  dragging_ = true;
  drag_ = data;
  drag_picture_ = {image.Width(), image.Height()};
  return true;
}

// The target's drop runs first; the source hears the end afterwards, as on the desktop.
void TTestWindowHost::Drop(TControl& target, int x, int y) {
  if (!dragging_) return;
  dragging_ = false;
  const bool taken = target.DragOver(drag_, x, y);
  if (taken)
    target.DragDrop(drag_, x, y);
  else
    target.DragLeave();
  control_->EndDrag(taken);
}

void TTestWindowHost::CancelDrag(TControl& target) {
  if (!dragging_) return;
  dragging_ = false;
  target.DragLeave();
  control_->EndDrag(false);
}

std::unique_ptr<TToolWindow> TTestWindowHost::OpenToolWindow(TControl& content,
                                                             const TToolWindowParams& params) {
  ToolWindowHosts().push_back(
      std::make_unique<TTestWindowHost>(content, params.Size.cx, params.Size.cy));
  TTestWindowHost& window = *ToolWindowHosts().back();
  tool_windows_.push_back(&window);
  window.tool_params_ = params;
  return std::make_unique<TTestToolWindow>(window);
}

TTestWindowHost* TTestWindowHost::ToolWindow() const {
  for (auto it = tool_windows_.rbegin(); it != tool_windows_.rend(); ++it)
    if (!(*it)->closed_) return *it;
  return nullptr;
}

void TTestWindowHost::Close() {
  if (closed_) return;
  closed_ = true;
  dragging_ = false;
  if (control_->Host() == this) control_->SetHost(nullptr);
  control_ = &NoControl();
  picture_.SetSize(1, 1);
}

void TTestWindowHost::UserCloses() {
  if (!closed_ && tool_params_.OnClose) tool_params_.OnClose();
}
