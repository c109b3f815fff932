#include "platform/Shell.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

std::string DocumentsFolder() {
  const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!docs.isEmpty() && QFileInfo(docs).isDir()) return docs.toStdString();
  return QDir::currentPath().toStdString();
}

TMailResult SendMailBody(const std::string& body, const std::string& program) {
  if (body.empty()) return {false, "There is nothing to send."};
  QProcess p;
  p.setProgram(QString::fromStdString(program));
  p.setArguments({QStringLiteral("--body"),
                  QString::fromUtf8(body.data(), static_cast<qsizetype>(body.size()))});
  p.setStandardInputFile(QProcess::nullDevice());
  p.start();
  if (!p.waitForStarted(10000))
    return {false, "The mail program \"" + program + "\" could not be started."};
  // The hand-off returns once the mail client has the message; give it a generous minute.
  if (!p.waitForFinished(60000)) {
    p.kill();
    p.waitForFinished(1000);
    return {false, "The mail program \"" + program + "\" did not finish."};
  }
  if (p.exitStatus() != QProcess::NormalExit)
    return {false, "The mail program \"" + program + "\" crashed."};
  if (p.exitCode() != 0)
    return {false, "The mail program \"" + program + "\" failed with exit code " +
                       std::to_string(p.exitCode()) + "."};
  return {true, {}};
}
