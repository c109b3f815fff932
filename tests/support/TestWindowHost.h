#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Control.h"

// A window for one control without a display: paints into a picture when the test asks,
// records invalidations and scrolls, fires timers when told, and takes the cursor position
// and key state from the test. Exceptions from the control reach the test.
class TTestWindowHost final : public TWindowHost {
 public:
  struct ScrollRecord {
    int dx, dy;
    TRect area;
  };

  // The picture is width x height logical pixels at the device pixel ratio scale.
  TTestWindowHost(TControl& control, int width, int height, double scale = 1.0);
  ~TTestWindowHost() override;

  // --- what the test drives ---
  void Resize(int width, int height);
  // Paints the pending area (all of it when nothing is pending but force is set); returns
  // whether the control was asked to paint.
  bool Paint(bool force = false);
  TBitmap& Picture() { return picture_; }
  TColor PixelAt(int x, int y) const { return picture_.Pixel(x, y); }

  const std::vector<TRect>& Invalidations() const { return invalidations_; }
  const std::vector<ScrollRecord>& Scrolls() const { return scrolls_; }
  bool HasPendingPaint() const { return !IsRectEmpty(pending_); }
  void ClearRecords();

  bool TimerActive(int id) const { return timers_.count(id) != 0; }
  int TimerInterval(int id) const;
  // Delivers one tick; false (and nothing happens) when the timer is not running.
  bool FireTimer(int id);

  void SetCursorPosition(TPoint p) { cursor_ = p; }
  void SetKey(int key, bool down);
  TCursorShape CursorShape() const { return cursor_shape_; }
  void SetWheelLines(int lines) { wheel_lines_ = lines; }

  // Input as the desktop window delivers it, with the cursor moved to the point first; the
  // held buttons and modifier keys join the shift state.
  void MouseDown(TMouseButton b, int x, int y, TShiftState shift = 0);
  void MouseMove(int x, int y, TShiftState shift = 0);
  void MouseUp(TMouseButton b, int x, int y, TShiftState shift = 0);
  // Press, release, the second press (with ssDouble) and its release.
  void DoubleClick(TMouseButton b, int x, int y, TShiftState shift = 0);
  void Click(TMouseButton b, int x, int y, TShiftState shift = 0);
  bool Wheel(int notches, int x, int y, TShiftState shift = 0);
  // The key goes down, then the character it types (unless the control took the key); Tab
  // moves the focus on instead when the control does not want it. Returns the key as the
  // control left it (0 when it took the key).
  int KeyDown(int key, TShiftState shift = 0);
  void KeyUp(int key, TShiftState shift = 0);
  // KeyDown then KeyUp.
  int PressKey(int key, TShiftState shift = 0);
  // The capture (or the focus) is taken away, as another window grabbing the mouse does.
  void LoseCapture();
  void LoseFocus();
  // Another window keeps the focus: SetFocus does nothing.
  void RefuseFocus(bool refuse) { refuse_focus_ = refuse; }
  // A scroll bar request, as a click on the bar would send it.
  void ScrollBarRequest(TScrollBarKind kind, TScrollCode code, int position);

  // --- TWindowHost ---
  TSize ClientSize() const override { return {picture_.Width(), picture_.Height()}; }
  void Invalidate(const TRect& r) override;
  void InvalidateAll() override;
  void Update() override { Paint(); }
  void ScrollContents(int dx, int dy, const TRect& area) override;
  TCanvas& ScreenCanvas() override { return picture_.Canvas(); }
  void SetCapture(bool capture) override;
  bool HasCapture() const override { return captured_; }
  void SetCursorShape(TCursorShape shape) override { cursor_shape_ = shape; }
  void SetFocus() override;
  bool Focused() const override { return focused_; }
  bool KeyPressed(int key) const override;
  TPoint CursorPos() const override { return cursor_; }
  void SetTimer(int id, int milliseconds) override { timers_[id] = milliseconds; }
  void KillTimer(int id) override { timers_.erase(id); }
  void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) override;
  TScrollInfo ScrollInfo(TScrollBarKind kind) const override;
  int WheelScrollLines() const override { return wheel_lines_; }
  int DoubleClickTime() const override { return 500; }
  void MoveFocus(bool forward) override;
  void BeginDragImage(const TBitmap& image, TPoint hotspot) override;
  void MoveDragImage(TPoint position) override { drag_position_ = position; }
  void ShowDragImage(bool show) override { drag_shown_ = show; }
  void EndDragImage() override;
  bool StartDrag(const TDragData& data, const TBitmap& image, TPoint hotspot) override;

  // The drag and drop the control started, as the desktop would run it: the test moves it
  // over any control (DragOver), then drops it or lets it go; the source hears the end.
  bool Dragging() const { return dragging_; }
  const TDragData& Drag() const { return drag_; }
  TSize DragPictureSize() const { return drag_picture_; }
  bool DragOver(TControl& target, int x, int y) { return target.DragOver(drag_, x, y); }
  void Drop(TControl& target, int x, int y);
  void CancelDrag(TControl& target);

  // Tool windows opened from this window: their hosts live on to the end of the tests, so a
  // test may hold one across its closing. The one open last, or null.
  TTestWindowHost* ToolWindow() const;
  int ToolWindowsOpened() const { return static_cast<int>(tool_windows_.size()); }
  std::unique_ptr<TToolWindow> OpenToolWindow(TControl& content,
                                              const TToolWindowParams& params) override;
  // As a tool window: its handle closed it; the control is let go of.
  void Close();
  bool Closed() const { return closed_; }
  // The user presses the close box; the owner hears it.
  void UserCloses();
  const TToolWindowParams& ToolParams() const { return tool_params_; }
  int Raised() const { return raised_; }
  void NoteRaised() { ++raised_; }

  // What the drag image shows now: none while no drag runs.
  bool DragImageActive() const { return drag_size_.cx > 0; }
  bool DragImageShown() const { return DragImageActive() && drag_shown_; }
  TPoint DragImagePosition() const { return drag_position_; }
  TSize DragImageSize() const { return drag_size_; }
  // -1 and 1 for each focus hand-off backwards and forwards.
  const std::vector<int>& FocusMoves() const { return focus_moves_; }
  // The accessibility events the control raised, with their child (-1: the control).
  struct AccessibleRecord {
    TAccessibleEvent event;
    int child;
  };
  void AccessibleEvent(TAccessibleEvent event, int child) override {
    accessible_events_.push_back({event, child});
  }
  const std::vector<AccessibleRecord>& AccessibleEvents() const { return accessible_events_; }

 private:
  TShiftState ModifierState() const;
  TShiftState ButtonState() const;

  TControl* control_;
  TBitmap picture_;
  TRect pending_;
  std::vector<TRect> invalidations_;
  std::vector<ScrollRecord> scrolls_;
  std::map<int, int> timers_;
  std::map<int, bool> keys_;
  TPoint cursor_;
  TCursorShape cursor_shape_ = crArrow;
  bool captured_ = false;
  bool focused_ = false;
  bool refuse_focus_ = false;
  int wheel_lines_ = 3;
  TScrollInfo hinfo_, vinfo_;
  TSize drag_size_;
  TPoint drag_position_;
  bool drag_shown_ = false;
  std::vector<int> focus_moves_;
  std::vector<AccessibleRecord> accessible_events_;
  bool dragging_ = false;
  TDragData drag_;
  TSize drag_picture_;
  std::vector<TTestWindowHost*> tool_windows_;
  TToolWindowParams tool_params_;
  bool closed_ = false;
  int raised_ = 0;
};
