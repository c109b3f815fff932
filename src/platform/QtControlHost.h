#pragma once

// The window of one self-drawn control on the desktop. Only the application includes this;
// it lives in tankdemo_platform_widgets so that the controls never link Qt Widgets.

#include <exception>
#include <functional>
#include <string>

#include "widgets/WidgetsExport.h"

class QPainter;
class QRect;
class QWidget;
class TBitmap;
class TControl;

// A widget hosting the control: a persistent backing picture (so immediate inverting
// feedback reaches the screen and is erased by drawing it again), real scroll bars, real
// timers, and exceptions from the control's handlers shown in an error message box.
// The widget does not own the control; the control must outlive it.
LISTCHART_WIDGETS_API QWidget* CreateQtControlHost(TControl& control, QWidget* parent = nullptr);

// Lets the control of a host made above paint with the palette its widget resolves (its own,
// its window's or the application's), as any Qt widget does; otherwise it paints with the
// program's current palette.
LISTCHART_WIDGETS_API void FollowWidgetPalette(QWidget* host);

// Copies the part r (logical pixels) of the picture to the painter, as the window shows its
// backing picture on screen: the one copy a frame costs on its way there.
LISTCHART_WIDGETS_API void ShowPicture(QPainter& painter, const QRect& r, const TBitmap& picture);

// Shows an error that escaped a control's handler; by default an error message box. Tests
// replace it to see the message without a modal box.
LISTCHART_WIDGETS_API void SetQtControlHostErrorHandler(
    std::function<void(const std::string&)> handler);

// Shows an error that escaped a handler of the window (through the handler above when one is
// set), so that every handler reports its errors the same way.
LISTCHART_WIDGETS_API void ReportHandlerError(QWidget* parent, const std::string& message);

// Runs a handler of the window; an exception leaving it is reported as above and the program
// goes on.
template <typename F>
void RunReportingErrors(QWidget* parent, F&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    ReportHandlerError(parent, e.what());
  } catch (...) {
    ReportHandlerError(parent, "Unknown error");
  }
}
