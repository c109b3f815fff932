#include "support/GuiApp.h"

#include <QApplication>
#include <QLocale>

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

ScopedLocale::ScopedLocale(const char* name) : previous_(QLocale().name().toStdString()) {
  QLocale::setDefault(QLocale(QString::fromUtf8(name)));
}

ScopedLocale::~ScopedLocale() {
  QLocale::setDefault(QLocale(QString::fromStdString(previous_)));
}
