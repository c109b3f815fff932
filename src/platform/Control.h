#pragma once

#include <string>
#include <vector>

#include "platform/Accessible.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Geometry.h"
#include "platform/PlatformExport.h"

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
  int min = 0;
  int max = 0;
  int page = 0;
  int position = 0;
  friend bool operator==(const TScrollInfo&, const TScrollInfo&) = default;
};

class TControl;

// What a drag and drop carries: its text, and for a drag that started in this process the
// control it started from (which alone knows what the item is).
struct LISTCHART_PLATFORM_API TDragData {
  std::string Text;
  TControl* Source = nullptr;
};

// The services a self-drawn control asks of its window.
class LISTCHART_PLATFORM_API TWindowHost {
 public:
  virtual ~TWindowHost() = default;

  virtual TSize ClientSize() const = 0;
  // Marks an area for the next paint pass; requests merge into one pass.
  virtual void Invalidate(const TRect& r) = 0;
  virtual void InvalidateAll() = 0;
  // Runs the pending paint pass now.
  virtual void Update() = 0;
  // Moves the pixels of area (the whole client when empty) by (dx, dy) and invalidates
  // the strip left uncovered.
  virtual void ScrollContents(int dx, int dy, const TRect& area) = 0;
  // The window's picture for immediate drawing outside a paint pass (inverting feedback);
  // what is drawn there reaches the screen when the current input handler returns.
  virtual TCanvas& ScreenCanvas() = 0;

  virtual void SetCapture(bool capture) = 0;
  virtual bool HasCapture() const = 0;
  virtual void SetCursorShape(TCursorShape shape) = 0;
  virtual void SetFocus() = 0;
  virtual bool Focused() const = 0;
  // Passes the keyboard focus on to the next (or previous) control of the window.
  virtual void MoveFocus(bool forward) = 0;
  // Whether a key (or mouse button) is down now.
  virtual bool KeyPressed(int key) const = 0;
  virtual TPoint CursorPos() const = 0;

  virtual void SetTimer(int id, int milliseconds) = 0;
  virtual void KillTimer(int id) = 0;

  virtual void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) = 0;
  virtual TScrollInfo ScrollInfo(TScrollBarKind kind) const = 0;
  virtual int WheelScrollLines() const = 0;
  virtual int DoubleClickTime() const = 0;

  // A picture that follows the mouse above everything else (a dragged header); hotspot is
  // the point of the picture that sits at the position, given in client coordinates.
  virtual void BeginDragImage(const TBitmap& image, TPoint hotspot) = 0;
  virtual void MoveDragImage(TPoint position) = 0;
  virtual void ShowDragImage(bool show) = 0;
  virtual void EndDragImage() = 0;

  // Runs a drag and drop of data with the picture under the pointer (hotspot in the
  // picture). Targets hear DragOver, DragLeave and DragDrop; the source hears EndDrag when
  // the drag is over, which a desktop window does before this returns. False from a host
  // without drag and drop: the control ends the drag at once, undropped.
  virtual bool StartDrag(const TDragData& /*data*/, const TBitmap& /*image*/, TPoint /*hotspot*/) {
    return false;
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

  TWindowHost* Host() const { return FHost; }
  void SetHost(TWindowHost* host);

  int ClientWidth() const { return FHost ? FHost->ClientSize().cx : 0; }
  int ClientHeight() const { return FHost ? FHost->ClientSize().cy : 0; }
  TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }

  void Invalidate();
  void InvalidateRect(const TRect& r);
  void Update();
  void ScrollWindow(int dx, int dy, const TRect& area = TRect{});
  void SetCapture(bool capture);
  bool HasCapture() const { return FHost && FHost->HasCapture(); }
  void SetCursorShape(TCursorShape shape);
  void SetFocus();
  bool Focused() const { return FHost && FHost->Focused(); }
  void MoveFocus(bool forward);
  bool KeyPressed(int key) const { return FHost && FHost->KeyPressed(key); }
  TPoint CursorPos() const { return FHost ? FHost->CursorPos() : TPoint{}; }
  void SetTimer(int id, int milliseconds);
  void KillTimer(int id);
  void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info);
  TScrollInfo ScrollInfo(TScrollBarKind kind) const;
  int WheelScrollLines() const { return FHost ? FHost->WheelScrollLines() : 3; }
  void BeginDragImage(const TBitmap& image, TPoint hotspot);
  void MoveDragImage(TPoint position);
  void ShowDragImage(bool show);
  void EndDragImage();
  void StartDrag(const TDragData& data, const TBitmap& image, TPoint hotspot);
  // Null without a host.
  TCanvas* ScreenCanvas() { return FHost ? &FHost->ScreenCanvas() : nullptr; }

  // Entry points called by the host.
  virtual void Paint(TCanvas& canvas, const TRect& updateRect) = 0;
  virtual void Resized() {}
  virtual void MouseDown(TMouseButton, TShiftState, int /*x*/, int /*y*/) {}
  virtual void MouseMove(TShiftState, int /*x*/, int /*y*/) {}
  virtual void MouseUp(TMouseButton, TShiftState, int /*x*/, int /*y*/) {}
  // delta in notches (positive away from the user); returns whether it was used. A wheel
  // the control does not use goes on to the window around it.
  virtual bool MouseWheel(TShiftState, int /*notches*/, int /*x*/, int /*y*/) { return false; }
  // A sideways wheel (tilt wheel, two-finger swipe) in notches, positive towards the left.
  virtual bool MouseWheelHorizontal(TShiftState, int /*notches*/, int /*x*/, int /*y*/) {
    return false;
  }
  virtual void MouseLeave() {}
  // A key goes down, then (unless KeyDown took it by setting it to 0) the character it types
  // arrives, then the key goes up. Control characters come too: Ctrl+C types 3, Esc 27.
  // A key the control takes neither way goes on to the window (Esc closing a dialog).
  virtual void KeyDown(int& /*key*/, TShiftState) {}
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
  virtual void Timer(int /*id*/) {}
  // Drag and drop as a target: whether a drop at (x, y) would be taken; the drag left; the
  // drop. And as the source: the drag it started is over.
  virtual bool DragOver(const TDragData& /*data*/, int /*x*/, int /*y*/) { return false; }
  virtual void DragLeave() {}
  virtual void DragDrop(const TDragData& /*data*/, int /*x*/, int /*y*/) {}
  virtual void EndDrag(bool /*dropped*/) {}
  virtual void Scroll(TScrollBarKind, TScrollCode, int /*position*/) {}
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
