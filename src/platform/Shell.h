#pragma once

#include <sys/types.h>

#include <string>

#include "platform/PlatformExport.h"

// The user's documents folder; the current directory when the desktop names none.
LISTCHART_PLATFORM_API std::string DocumentsFolder();

enum TMailState { msRunning, msSucceeded, msFailed };

// Text handed to the desktop's mail client as the body of a new message: `program --body TEXT`
// (xdg-email by default), started without waiting for it. The program often stays running while
// the user writes in the mail client it opened, so a running program is not a failure; the
// caller looks in now and then with Poll.
class LISTCHART_PLATFORM_API TMailHandOff {
 public:
  // An empty body, or a program that cannot be started, fails at once.
  explicit TMailHandOff(const std::string& body, const std::string& program = "xdg-email");
  // A program still running is left running: it may be the user's mail client.
  ~TMailHandOff() = default;
  TMailHandOff(const TMailHandOff&) = delete;
  TMailHandOff& operator=(const TMailHandOff&) = delete;

  // Whether the program has ended, and how, without waiting for it.
  TMailState Poll();
  // Why the hand-off failed; empty otherwise.
  const std::string& Reason() const { return FReason; }

 private:
  void Failed(const std::string& why);

  std::string FProgram;
  pid_t FPid = -1;
  TMailState FState = msRunning;
  std::string FReason;
};
