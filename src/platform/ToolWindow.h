#pragma once

#include <functional>
#include <string>

#include "platform/Canvas.h"
#include "platform/PlatformExport.h"

// How a tool window opens: its caption, its client size, and what happens when the user
// closes it with the window's own close box.
struct LISTCHART_PLATFORM_API TToolWindowParams {
  // The window's title.
  std::string Caption;
  // The size of the control's area, in pixels.
  TSize Size;
  // The user closed the window. Runs after the event that closed it, so the owner may destroy
  // the window from here.
  std::function<void()> OnClose;
};

// A small top-level window of the program (a palette, a customizing box) that shows one
// self-drawn control beside the window that opened it. Destroying the handle closes the window
// and detaches the control, also from inside one of the control's own events.
class LISTCHART_PLATFORM_API TToolWindow {
 public:
  virtual ~TToolWindow() = default;
  // Brings the window to the front, as opening it again would.
  virtual void Raise() {}
};
