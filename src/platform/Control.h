#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Accessible.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Geometry.h"
#include "platform/PlatformExport.h"
#include "platform/ToolWindow.h"

// Input vocabulary of the controls.
enum TMouseButton { mbLeft, mbRight, mbMiddle };
using TShiftState = unsigned;
enum TShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};

// Key codes (the letters and digits are their upper-case ASCII codes).
enum TVirtualKey : int {
  vkLButton = 0x01,
  vkRButton = 0x02,
  vkMButton = 0x04,
  vkBack = 0x08,
  vkTab = 0x09,
  vkReturn = 0x0D,
  vkShift = 0x10,
  vkControl = 0x11,
  vkMenu = 0x12,
  vkEscape = 0x1B,
  vkSpace = 0x20,
  vkPrior = 0x21,
  vkNext = 0x22,
  vkEnd = 0x23,
  vkHome = 0x24,
  vkLeft = 0x25,
  vkUp = 0x26,
  vkRight = 0x27,
  vkDown = 0x28,
  vkInsert = 0x2D,
  vkDelete = 0x2E,
  vkMultiply = 0x6A,
  vkAdd = 0x6B,
  vkSubtract = 0x6D,
  vkDivide = 0x6F,
  vkF1 = 0x70,
  vkF2 = 0x71
};

enum TCursorShape { crArrow, crHSplit, crVSplit, crDeleteDrop, crHourGlass };
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode {
  scLineUp,
  scLineDown,
  scPageUp,
  scPageDown,
  scPosition,
  scTrack,
  scTop,
  scBottom,
  scEndScroll
};

// A scroll bar's state; it is shown while the range holds more than a page.
struct LISTCHART_PLATFORM_API TScrollInfo {
  // First unit of the range.
  int min = 0;
  // Last unit of the range, inclusive.
  int max = 0;
  // Units that fit in one page of the window.
  int page = 0;
  // First unit shown, between min and max - page + 1.
  int position = 0;
  // Equal when all four fields are.
  friend bool operator==(const TScrollInfo&, const TScrollInfo&) = default;
};

class TControl;

// What a drag and drop carries: its text, and for a drag that started in this process the
// control it started from (which alone knows what the item is).
struct LISTCHART_PLATFORM_API TDragData {
  // The dragged item as text, also what other programs receive.
  std::string Text;
  // The control the drag started from; null for a drag from another program.
  TControl* Source = nullptr;
};

// The services a self-drawn control asks of its window.
class LISTCHART_PLATFORM_API TWindowHost {
 public:
  virtual ~TWindowHost() = default;

  // The size of the control's area, in pixels.
  virtual TSize ClientSize() const = 0;
  // Marks an area for the next paint pass; requests merge into one pass.
  virtual void Invalidate(const TRect& r) = 0;
  // Marks the whole control for the next paint pass.
  virtual void InvalidateAll() = 0;
  // Runs the pending paint pass now.
  virtual void Update() = 0;
  // Moves the pixels of area (the whole client when empty) by (dx, dy) and invalidates
  // the strip left uncovered.
  virtual void ScrollContents(int dx, int dy, const TRect& area) = 0;
  // The window's picture for immediate drawing outside a paint pass (inverting feedback);
  // what is drawn there reaches the screen when the current input handler returns.
  virtual TCanvas& ScreenCanvas() = 0;

  // Takes (true) or releases the mouse capture: the control hears the mouse outside itself.
  virtual void SetCapture(bool capture) = 0;
  // Whether the control holds the mouse capture.
  virtual bool HasCapture() const = 0;
  // The mouse pointer's shape over the control from now on.
  virtual void SetCursorShape(TCursorShape shape) = 0;
  // Gives the control the keyboard focus.
  virtual void SetFocus() = 0;
  // Whether the control has the keyboard focus.
  virtual bool Focused() const = 0;
  // Passes the keyboard focus on to the next (or previous) control of the window.
  virtual void MoveFocus(bool forward) = 0;
  // Whether a key (or mouse button) is down now.
  virtual bool KeyPressed(int key) const = 0;
  // The mouse pointer's position now, in client coordinates.
  virtual TPoint CursorPos() const = 0;

  // Starts (or restarts) timer id: TControl::Timer(id) runs every interval until KillTimer.
  virtual void SetTimer(int id, int milliseconds) = 0;
  // Stops timer id; an unknown id is ignored.
  virtual void KillTimer(int id) = 0;

  // Sets a scroll bar's range, page and position; the bar shows while the range exceeds a page.
  virtual void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) = 0;
  // The scroll bar's state as last set.
  virtual TScrollInfo ScrollInfo(TScrollBarKind kind) const = 0;
  // Lines the desktop scrolls per wheel notch.
  virtual int WheelScrollLines() const = 0;
  // The desktop's double-click interval in milliseconds.
  virtual int DoubleClickTime() const = 0;

  // A picture that follows the mouse above everything else (a dragged header); hotspot is
  // the point of the picture that sits at the position, given in client coordinates.
  virtual void BeginDragImage(const TBitmap& image, TPoint hotspot) = 0;
  // Moves the drag picture's hotspot to a client position.
  virtual void MoveDragImage(TPoint position) = 0;
  // Hides or shows the drag picture again, while it follows the mouse.
  virtual void ShowDragImage(bool show) = 0;
  // Removes the drag picture.
  virtual void EndDragImage() = 0;

  // Runs a drag and drop of data with the picture under the pointer (hotspot in the
  // picture). Targets hear DragOver, DragLeave and DragDrop; the source hears EndDrag when
  // the drag is over, which a desktop window does before this returns. False from a host
  // without drag and drop: the control ends the drag at once, undropped.
  virtual bool StartDrag(const TDragData& /*data*/, const TBitmap& /*image*/, TPoint /*hotspot*/) {
    return false;
  }

  // Opens a tool window of the program beside this window, showing content (not owned; it
  // must outlive the handle). Null from a host that has no windows of its own to give.
  virtual std::unique_ptr<TToolWindow> OpenToolWindow(TControl& /*content*/,
                                                      const TToolWindowParams& /*params*/) {
    return nullptr;
  }

  // Tells assistive technology that something changed in the control (child -1: the
  // control itself). Hosts without assistive technology ignore it.
  virtual void AccessibleEvent(TAccessibleEvent /*event*/, int /*child*/) {}
};

// For hosts: the character a key types with the given modifiers, 0 for none. Ctrl with a
// letter types its control character (Ctrl+C is 3); Alt types nothing.
LISTCHART_PLATFORM_API char TypedCharacter(int key, TShiftState shift);

// For hosts: moves the pixels of area (the whole canvas when empty) by (dx, dy) and returns
// the parts of area left uncovered, which need painting.
LISTCHART_PLATFORM_API std::vector<TRect> ScrollCanvasArea(TCanvas& canvas, int dx, int dy,
                                                           TRect area);

// Base of the self-drawn controls. Window services go to the host; without one they do
// nothing, so a control can be built and used as a model before it is shown.
class LISTCHART_PLATFORM_API TControl {
 public:
  virtual ~TControl() = default;

  // The window the control is shown in; null while it has none.
  TWindowHost* Host() const { return FHost; }
  // Called by the host when it starts (or, with null, stops) showing the control.
  void SetHost(TWindowHost* host);

  // The control's width in pixels, 0 without a host.
  int ClientWidth() const { return FHost ? FHost->ClientSize().cx : 0; }
  // The control's height in pixels, 0 without a host.
  int ClientHeight() const { return FHost ? FHost->ClientSize().cy : 0; }
  // The control's area, from (0, 0).
  TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }

  // Asks for a repaint of the whole control.
  void Invalidate();
  // Asks for a repaint of an area, in client coordinates.
  void InvalidateRect(const TRect& r);
  // Paints what was invalidated now rather than later.
  void Update();
  // Moves the pixels of area (the whole control when empty) by (dx, dy); the uncovered strip is
  // repainted.
  void ScrollWindow(int dx, int dy, const TRect& area = TRect{});
  // Takes or releases the mouse capture (see TWindowHost::SetCapture).
  void SetCapture(bool capture);
  // Whether the control holds the mouse capture.
  bool HasCapture() const { return FHost && FHost->HasCapture(); }
  // Sets the mouse pointer's shape over the control.
  void SetCursorShape(TCursorShape shape);
  // Gives the control the keyboard focus.
  void SetFocus();
  // Whether the control has the keyboard focus.
  bool Focused() const { return FHost && FHost->Focused(); }
  // Passes the keyboard focus on to the next (or previous) control of the window.
  void MoveFocus(bool forward);
  // Whether a key (or mouse button) is down now; false without a host.
  bool KeyPressed(int key) const { return FHost && FHost->KeyPressed(key); }
  // The mouse pointer's position in client coordinates; (0, 0) without a host.
  TPoint CursorPos() const { return FHost ? FHost->CursorPos() : TPoint{}; }
  // Starts (or restarts) timer id: Timer(id) is called every interval until KillTimer(id).
  void SetTimer(int id, int milliseconds);
  // Stops timer id.
  void KillTimer(int id);
  // Sets a scroll bar's range, page and position.
  void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info);
  // The scroll bar's state as last set; all zero without a host.
  TScrollInfo ScrollInfo(TScrollBarKind kind) const;
  // Lines to scroll per wheel notch: the desktop's setting, 3 without a host.
  int WheelScrollLines() const { return FHost ? FHost->WheelScrollLines() : 3; }
  // Starts a picture that follows the mouse (see TWindowHost::BeginDragImage).
  void BeginDragImage(const TBitmap& image, TPoint hotspot);
  // Moves the drag picture's hotspot to a client position.
  void MoveDragImage(TPoint position);
  // Hides or shows the drag picture again.
  void ShowDragImage(bool show);
  // Removes the drag picture.
  void EndDragImage();
  // Runs a drag and drop of data; without a host able to, EndDrag(false) is called at once.
  void StartDrag(const TDragData& data, const TBitmap& image, TPoint hotspot);
  // Opens a tool window showing content (see TWindowHost::OpenToolWindow); null without a host
  // able to.
  std::unique_ptr<TToolWindow> OpenToolWindow(TControl& content, const TToolWindowParams& params);
  // Null without a host.
  TCanvas* ScreenCanvas() { return FHost ? &FHost->ScreenCanvas() : nullptr; }

  // Entry points called by the host.
  virtual void Paint(TCanvas& canvas, const TRect& updateRect) = 0;
  // The control's size changed.
  virtual void Resized() {}
  // A mouse button went down at (x, y), in client coordinates; ssDouble marks a double click.
  virtual void MouseDown(TMouseButton, TShiftState, int /*x*/, int /*y*/) {}
  // The mouse moved to (x, y), in client coordinates.
  virtual void MouseMove(TShiftState, int /*x*/, int /*y*/) {}
  // A mouse button went up at (x, y), in client coordinates.
  virtual void MouseUp(TMouseButton, TShiftState, int /*x*/, int /*y*/) {}
  // delta in notches (positive away from the user); returns whether it was used. A wheel
  // the control does not use goes on to the window around it.
  virtual bool MouseWheel(TShiftState, int /*notches*/, int /*x*/, int /*y*/) { return false; }
  // A sideways wheel (tilt wheel, two-finger swipe) in notches, positive towards the left.
  virtual bool MouseWheelHorizontal(TShiftState, int /*notches*/, int /*x*/, int /*y*/) {
    return false;
  }
  // The mouse left the control.
  virtual void MouseLeave() {}
  // A key goes down, then (unless KeyDown took it by setting it to 0) the character it types
  // arrives, then the key goes up. Control characters come too: Ctrl+C types 3, Esc 27.
  // A key the control takes neither way goes on to the window (Esc closing a dialog).
  virtual void KeyDown(int& /*key*/, TShiftState) {}
  // A key went up.
  virtual void KeyUp(int& /*key*/, TShiftState) {}
  // One byte of the typed text (a character beyond ASCII arrives as its UTF-8 bytes); a
  // handler sets it to 0 to take it.
  virtual void KeyPress(char& /*key*/) {}
  // Whether the control takes a key itself rather than leaving it to the window, which uses
  // Tab to move the focus to the next control.
  virtual bool WantsKey(int key, TShiftState) const { return key != vkTab; }
  // Whether the window's Tab stops here. A control without keyboard use outside a mouse
  // gesture says no; it still hears the keys while it holds the capture.
  virtual bool TakesFocus() const { return true; }
  // Timer id, started with SetTimer, ran out once more.
  virtual void Timer(int /*id*/) {}
  // Drag and drop as a target: whether a drop at (x, y) would be taken; the drag left; the
  // drop. And as the source: the drag it started is over.
  virtual bool DragOver(const TDragData& /*data*/, int /*x*/, int /*y*/) { return false; }
  // The drag that DragOver saw left the control without a drop.
  virtual void DragLeave() {}
  // The data was dropped at (x, y).
  virtual void DragDrop(const TDragData& /*data*/, int /*x*/, int /*y*/) {}
  // The drag this control started with StartDrag is over; dropped tells whether a target took it.
  virtual void EndDrag(bool /*dropped*/) {}
  // The user worked a scroll bar; position is the one asked for with scPosition, scTrack and
  // scEndScroll. The control sets the bar's new position itself through SetScrollInfo.
  virtual void Scroll(TScrollBarKind, TScrollCode, int /*position*/) {}
  // The control gained (true) or lost the keyboard focus.
  virtual void FocusChanged(bool /*focused*/) {}
  // The mouse capture was taken away (the window lost the grab or the focus): a drag ends.
  virtual void CaptureLost() {}
  // The control's description for assistive technology; none by default.
  virtual TAccessibleSource* AccessibleSource() { return nullptr; }
  // Raises an accessibility event through the host (child -1: the control itself).
  void NotifyAccessible(TAccessibleEvent event, int child = -1) {
    if (FHost) FHost->AccessibleEvent(event, child);
  }

 private:
  TWindowHost* FHost = nullptr;
};
