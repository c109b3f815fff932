#pragma once

#include "platform/Bitmap.h"
#include "platform/Control.h"
#include "platform/PlatformExport.h"

// A window of fixed size without a display, for drawing a control into a picture: it paints
// on request, can pretend to hold the keyboard focus, and answers every other service as a
// window that nobody uses.
class LISTCHART_PLATFORM_API TOffscreenHost final : public TWindowHost {
 public:
  // scale: the device pixel ratio of the picture (the control still works in logical pixels).
  TOffscreenHost(TControl& control, int width, int height, double scale = 1);
  ~TOffscreenHost() override;
  TOffscreenHost(const TOffscreenHost&) = delete;
  TOffscreenHost& operator=(const TOffscreenHost&) = delete;

  // Paints the whole control into the picture.
  void PaintAll();
  // The picture the control is painted into.
  TBitmap& Picture() { return FPicture; }

  TSize ClientSize() const override { return {FPicture.Width(), FPicture.Height()}; }
  void Invalidate(const TRect&) override {}
  void InvalidateAll() override {}
  void Update() override {}
  void ScrollContents(int, int, const TRect&) override {}
  TCanvas& ScreenCanvas() override { return FPicture.Canvas(); }
  void SetCapture(bool) override {}
  bool HasCapture() const override { return false; }
  void SetCursorShape(TCursorShape) override {}
  void SetFocus() override;
  bool Focused() const override { return FFocused; }
  void MoveFocus(bool) override {}
  bool KeyPressed(int) const override { return false; }
  TPoint CursorPos() const override { return {}; }
  void SetTimer(int, int) override {}
  void KillTimer(int) override {}
  void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) override;
  TScrollInfo ScrollInfo(TScrollBarKind kind) const override;
  int WheelScrollLines() const override { return 3; }
  int DoubleClickTime() const override { return 500; }
  void BeginDragImage(const TBitmap&, TPoint) override {}
  void MoveDragImage(TPoint) override {}
  void ShowDragImage(bool) override {}
  void EndDragImage() override {}
  // A stand-in window of the same kind, as large as asked, that paints on request.
  std::unique_ptr<TToolWindow> OpenToolWindow(TControl& content,
                                              const TToolWindowParams& params) override;

 private:
  TControl& FControl;
  TBitmap FPicture;
  bool FFocused = false;
  TScrollInfo FHinfo, FVinfo;
};
