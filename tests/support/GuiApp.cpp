#include "support/GuiApp.h"

#include <QApplication>

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "tankdemo-tests";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
}
