// tankdemo-snapshot: draws the application's chart, as the main window shows it after a
// number of simulation steps, into a PNG file, without a display.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "SnapshotArgs.h"
#include "app/DemoData.h"
#include "app/TankChart.h"
#include "platform/Bitmap.h"
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
    std::printf(
        "%s\n\n"
        "Builds the demo plant, runs N simulation steps (default 0), sets up the chart\n"
        "exactly as the main window does and draws it at WxH pixels (default 850x173) into\n"
        "OUT.png, with the fixed classic palette, without a display.\n",
        kSnapshotUsage);
    return 0;
  }

  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  SetCurrentPalette(TSystemPalette::Classic());
  try {
    auto sites = BuildSites();
    TDemoRandom random;
    RandomizeLevels(*sites, random);
    for (int i = 0; i < parsed->Steps; ++i) SimulateStep(*sites, random);

    TSeriesOwner owner;
    TChart chart;
    ApplyStoredChartSettings(chart, owner);
    SetupChart(chart, owner, *sites);
    RefreshChart(chart, *sites);
    chart.SetSize(parsed->Width, parsed->Height);
    TBitmap picture(parsed->Width, parsed->Height);
    chart.DrawChart(picture.Canvas(), Rect(0, 0, parsed->Width, parsed->Height));
    picture.SaveToPng(parsed->Output);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tankdemo-snapshot: %s\n", e.what());
    return 1;
  }
  return 0;
}
