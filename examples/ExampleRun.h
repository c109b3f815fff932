#pragma once

// Shows an example's window and runs the program. Two options let a script run it without a
// person: --snapshot FILE saves a picture of the window after a moment (or after
// --quit-after MS) and quits; --quit-after MS alone just quits.
#include <QApplication>
#include <QTimer>
#include <QWidget>

inline int RunExample(QApplication& app, QWidget& window) {
  const QStringList args = QApplication::arguments();
  QString snapshot;
  int quitAfter = -1;
  for (qsizetype i = 1; i + 1 < args.size(); ++i) {
    if (args[i] == QLatin1String("--snapshot")) snapshot = args[i + 1];
    if (args[i] == QLatin1String("--quit-after")) quitAfter = args[i + 1].toInt();
  }
  window.show();
  if (!snapshot.isEmpty())
    QTimer::singleShot(quitAfter >= 0 ? quitAfter : 500, &window,
                       [&] { QApplication::exit(window.grab().save(snapshot) ? 0 : 1); });
  else if (quitAfter >= 0)
    QTimer::singleShot(quitAfter, &app, &QApplication::quit);
  return app.exec();
}
