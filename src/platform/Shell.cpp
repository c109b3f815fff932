#include "platform/Shell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <vector>

extern char** environ;

std::string DocumentsFolder() {
  const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!docs.isEmpty() && QFileInfo(docs).isDir()) return docs.toStdString();
  return QDir::currentPath().toStdString();
}

TMailHandOff::TMailHandOff(const std::string& body, const std::string& program)
    : FProgram(program) {
  if (body.empty()) {
    Failed("There is nothing to send.");
    return;
  }
  std::string bodyOption = "--body";
  std::vector<char*> argv = {FProgram.data(), bodyOption.data(), const_cast<char*>(body.c_str()),
                             nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  const int err = posix_spawnp(&FPid, FProgram.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (err != 0) {
    FPid = -1;
    Failed("The mail program \"" + FProgram + "\" could not be started: " + std::strerror(err));
  }
}

void TMailHandOff::Failed(const std::string& why) {
  FState = msFailed;
  FReason = why;
}

TMailState TMailHandOff::Poll() {
  if (FState != msRunning) return FState;
  int status = 0;
  const pid_t ended = ::waitpid(FPid, &status, WNOHANG);
  if (ended == 0 || (ended < 0 && errno == EINTR)) return msRunning;
  // Reaped elsewhere (ended < 0): the outcome is unknown, and nothing said it failed.
  if (ended < 0 || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
    FState = msSucceeded;
  else if (WIFEXITED(status))
    Failed("The mail program \"" + FProgram + "\" failed with exit code " +
           std::to_string(WEXITSTATUS(status)) + ".");
  else
    Failed("The mail program \"" + FProgram + "\" crashed.");
  return FState;
}
