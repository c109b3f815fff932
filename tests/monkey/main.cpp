// tankdemo-monkey: random input against the real main window, checked after every event.
//   tankdemo-monkey --seed S --events N [--replay] [--until K] [--every-picture]
// A failure names the seed, the event number and the event; the same seed runs the same
// events again, --replay prints each one as it goes and --until K stops before event K.
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "MonkeyDriver.h"
#include "app/MainWindow.h"
#include "common/ToolArgs.h"
#include "platform/Color.h"
#include "support/ScriptedDialogs.h"

namespace {

const char* const kUsage =
    "usage: tankdemo-monkey --seed S --events N [--replay] [--until K] [--every-picture]";

struct TMonkeyArgs {
  int Seed = 1, Events = 1000, Until = -1;
  bool Replay = false;
  bool EveryPicture = false;
};

bool Parse(int argc, char** argv, TMonkeyArgs& args, std::string& error) {
  std::vector<std::string> list(argv + 1, argv + argc);
  TArgReader reader(list);
  while (reader.Next()) {
    const std::string& arg = reader.Arg();
    bool ok = true;
    if (arg == "--seed")
      ok = reader.IntValue(args.Seed, 0, 2147483647);
    else if (arg == "--events")
      ok = reader.IntValue(args.Events, 0, 100000000);
    else if (arg == "--until")
      ok = reader.IntValue(args.Until, 0, 100000000);
    else if (arg == "--replay")
      args.Replay = true;
    else if (arg == "--every-picture")
      args.EveryPicture = true;
    else
      reader.Error = "unknown argument " + arg;
    if (!ok || !reader.Error.empty()) {
      error = reader.Error;
      return false;
    }
  }
  return true;
}

// The offscreen platform cannot grab the mouse and says so at every capture; that is noise.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (text.contains(QStringLiteral("does not support"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(text));
  if (type == QtFatalMsg) std::abort();
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietMessages);
  TMonkeyArgs args;
  std::string error;
  if (!Parse(argc, argv, args, error)) {
    std::fprintf(stderr, "tankdemo-monkey: %s\n%s\n", error.c_str(), kUsage);
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  SetCurrentPalette(TSystemPalette::Classic());

  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("tankdemo-monkey-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path previous = fs::current_path();
  fs::current_path(folder);

  int failed = 0;
  {
    auto scripted = std::make_unique<TScriptedDialogs>();
    TScriptedDialogs& dialogs = *scripted;
    TFMain window(std::move(scripted), 1.0);
    window.show();
    QApplication::processEvents();
    TMonkeyDriver driver(window, dialogs, folder.string());
    driver.SetEveryPicture(args.EveryPicture);
    std::mt19937 random(static_cast<uint32_t>(args.Seed));
    const int last = args.Until >= 0 ? std::min(args.Until, args.Events) : args.Events;
    for (int i = 0; i < last && !failed; ++i) {
      const TMonkeyEvent event = NextMonkeyEvent(random);
      if (args.Replay) std::printf("%d: %s\n", i, DescribeMonkeyEvent(event).c_str());
      driver.Apply(event);
      const std::string fault = driver.CheckInvariants(event);
      if (!fault.empty()) {
        std::fprintf(stderr,
                     "tankdemo-monkey: seed %d, event %d (%s): %s\n"
                     "replay with: tankdemo-monkey --seed %d --events %d --replay --until %d\n",
                     args.Seed, i, DescribeMonkeyEvent(event).c_str(), fault.c_str(), args.Seed,
                     args.Events, i);
        failed = 1;
      }
    }
    if (!failed)
      std::printf("tankdemo-monkey: seed %d, %d events, all invariants held (%s)\n", args.Seed,
                  last, driver.Summary().c_str());
  }
  fs::current_path(previous);
  fs::remove_all(folder);
  return failed;
}
