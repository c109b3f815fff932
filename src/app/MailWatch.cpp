#include "app/MailWatch.h"

#include <algorithm>

namespace {

using Clock = std::chrono::steady_clock;

// Looks often while an outcome is awaited, seldom while only mail clients are open.
constexpr std::chrono::milliseconds kAwaitPoll{50};
constexpr std::chrono::milliseconds kReapPoll{1000};

}  // namespace

TMailWatch::TMailWatch() {
  FTimer.setSingleShot(true);
  QObject::connect(&FTimer, &QTimer::timeout, [this] { Poll(); });
}

void TMailWatch::Start(const std::string& body, const std::string& program) {
  auto handOff = std::make_unique<TMailHandOff>(body, program);
  if (handOff->Poll() == msFailed) {
    Report({handOff->Reason()});
    return;
  }
  FEntries.push_back({std::move(handOff), Clock::now() + FWait});
  Schedule();
}

int TMailWatch::Awaited() const {
  const auto now = Clock::now();
  return static_cast<int>(std::count_if(FEntries.begin(), FEntries.end(),
                                        [&](const TEntry& e) { return e.Deadline > now; }));
}

// Failures are collected first and reported after: a report may run a modal loop in which this
// runs again.
void TMailWatch::Poll() {
  const auto now = Clock::now();
  std::vector<std::string> failures;
  for (auto it = FEntries.begin(); it != FEntries.end();) {
    const TMailState state = it->HandOff->Poll();
    if (state == msRunning) {
      ++it;
      continue;
    }
    if (state == msFailed && it->Deadline > now) failures.push_back(it->HandOff->Reason());
    it = FEntries.erase(it);
  }
  Schedule();
  Report(failures);
}

void TMailWatch::Report(const std::vector<std::string>& reasons) {
  for (const std::string& reason : reasons)
    if (OnFailure) OnFailure(reason);
}

void TMailWatch::Schedule() {
  if (FEntries.empty()) {
    FTimer.stop();
    return;
  }
  FTimer.start(Awaited() > 0 ? kAwaitPoll : kReapPoll);
}
