#include "support/GuiApp.h"

#include <QApplication>

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "tankdemo-tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: tearing Qt down during static destruction crashes, and the process
  // ends right after anyway.
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}
