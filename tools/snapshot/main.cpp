// tankdemo-snapshot: draws the application's chart or tree-list, as the main window shows it
// after a number of simulation steps, into a PNG file, without a display.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "DarkPalette.h"
#include "Snapshot.h"
#include "SnapshotArgs.h"
#include "platform/Color.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const auto parsed = ParseSnapshotArgs(args, error);
  if (!parsed) {
    std::fprintf(stderr, "tankdemo-snapshot: %s\n%s\n", error.c_str(), kSnapshotUsage);
    return 2;
  }
  if (parsed->Help) {
    std::printf("%s\n\n%s", kSnapshotUsage, kSnapshotHelp);
    return 0;
  }

  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The window is drawn as on a screen of that density; the controls alone take the ratio
  // from their pictures.
  if (parsed->Window && parsed->Scale != 1)
    setenv("QT_SCALE_FACTOR", std::to_string(parsed->Scale).c_str(), 1);
  QApplication app(argc, argv);  // the main window needs widgets
  if (parsed->DarkPalette) {
    QApplication::setPalette(FixedDarkPalette());
    SetCurrentPalette(TSystemPalette::Desktop());
  } else {
    SetCurrentPalette(TSystemPalette::Classic());
  }
  try {
    TBitmap picture;
    DrawSnapshot(*parsed, picture);
    if (parsed->Pdf)
      picture.SaveToPdf(parsed->Output);
    else
      picture.SaveToPng(parsed->Output);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tankdemo-snapshot: %s\n", e.what());
    return 1;
  }
  return 0;
}
