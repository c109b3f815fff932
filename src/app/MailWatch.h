#pragma once

#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Shell.h"

// The mail hand-offs of Send, watched from the event loop so that the window goes on painting
// and ticking: a program that cannot be started, or that fails within a short wait, is
// reported through OnFailure; one still running after the wait is a hand-off in progress (the
// mail client is open) and is only reaped when it ends, never reported.
class TMailWatch {
 public:
  static constexpr std::chrono::milliseconds kDefaultWait{5000};

  TMailWatch();

  // Starts `program --body body`; a failure to start is reported before this returns.
  void Start(const std::string& body, const std::string& program);
  // The hand-offs whose outcome is still awaited (started less than the wait ago).
  int Awaited() const;
  void SetWait(std::chrono::milliseconds wait) { FWait = wait; }

  std::function<void(const std::string& reason)> OnFailure;

 private:
  struct TEntry {
    std::unique_ptr<TMailHandOff> HandOff;
    std::chrono::steady_clock::time_point Deadline;
  };
  void Poll();
  void Report(const std::vector<std::string>& reasons);
  void Schedule();

  std::vector<TEntry> FEntries;
  QTimer FTimer;
  std::chrono::milliseconds FWait = kDefaultWait;
};
