// tankdemo: the tank monitoring window.
#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/MainWindow.h"
#include "platform/Color.h"

namespace {

// Without a display Qt would abort in its platform plug-in; say what to do instead.
bool DisplayAvailable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::printf(
          "usage: tankdemo\n\n"
          "Shows the tank plant's levels in a window: a tree-list of the sites and their\n"
          "tanks above a stacked bar chart, with a simulation started by the Animate button.\n"
          "Takes no arguments and needs a desktop (X11 or Wayland). See tankdemo(1).\n");
      return 0;
    }
  if (!DisplayAvailable()) {
    std::fprintf(stderr,
                 "tankdemo: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                 "run it as `xvfb-run tankdemo`, or use tankdemo-export and "
                 "tankdemo-snapshot, which need none\n");
    return 1;
  }
  QApplication app(argc, argv);
  ConfigureApplication();
  // The controls draw in the desktop's colours.
  SetCurrentPalette(TSystemPalette::Desktop());
  TFMain window;
  window.show();
  return app.exec();
}
