#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "RunTool.h"
#include "Snapshot.h"
#include "SnapshotArgs.h"
#include "app/MainWindow.h"
#include "chart/Chart.h"
#include "gallery/GalleryChart.h"
#include "platform/Color.h"
#include "platform/QtImage.h"
#include "support/GuiApp.h"
#include "support/PdfReadBack.h"
#include "support/ScriptedDialogs.h"
#include "widgets/Printer.h"

namespace {

TRun RunSnapshot(const std::string& arguments) {
  return RunTool(TANKDEMO_SNAPSHOT_PATH, arguments);
}

std::optional<TSnapshotArgs> Parse(const std::vector<std::string>& args) {
  std::string error;
  return ParseSnapshotArgs(args, error);
}

}  // namespace

TEST(SnapshotArgsTest, TreeOptionsAndDefaultSizes) {
  auto args =
      Parse({"--tree", "--steps", "3", "--expand", "--sort", "Level %:down", "--focus", "out.png"});
  ASSERT_TRUE(args);
  EXPECT_TRUE(args->Tree && args->Expand && args->Focus && args->SortDown);
  EXPECT_EQ(args->SortCaption, "Level %");
  EXPECT_EQ(args->Steps, 3);
  EXPECT_EQ(args->Width, 846);
  EXPECT_EQ(args->Height, 267);
  args = Parse({"--chart", "c.png"});
  ASSERT_TRUE(args);
  EXPECT_EQ(args->Width, 850);
  EXPECT_EQ(args->Height, 173);
  args = Parse({"--tree", "--size", "1x10000", "t.png"});
  ASSERT_TRUE(args);
  EXPECT_EQ(args->Width, 1);
  EXPECT_EQ(args->Height, 10000);
  args = Parse({"--gallery-outlook", "--palette", "dark", "g.png"});
  ASSERT_TRUE(args);
  EXPECT_TRUE(args->GalleryOutlook && args->DarkPalette);
  EXPECT_EQ(args->Width, 640);
  EXPECT_EQ(args->Height, 300);
}

TEST(SnapshotArgsTest, BadArgumentsAreRefused) {
  const std::vector<std::vector<std::string>> bad = {
      {"--tree"},                             // no output
      {"out.png"},                            // nothing to draw
      {"--tree", "--chart", "out.png"},       // two pictures
      {"--chart", "--expand", "out.png"},     // a tree option on the chart
      {"--tree", "--size", "0x10", "o.png"},  // below the bounds
      {"--tree", "--size", "10001x5", "o.png"},
      {"--tree", "--size", "20x", "o.png"},
      {"--tree", "--steps", "-1", "o.png"},
      {"--tree", "--sort", ":down", "o.png"},  // no caption
      {"--tree", "--sort"},
      {"--tree", "a.png", "b.png"},
      {"--tree", "--colour", "o.png"},
      {"--gallery-tree", "--steps", "3", "o.png"},  // the gallery is fixed
      {"--gallery-tree", "--tree", "o.png"},
      {"--gallery-chart", "donut", "o.png"},  // no such page
      {"--gallery-chart", "line", "--expand", "o.png"},
      {"--gallery-outlook", "--gallery-rows", "o.png"},
      {"--tree", "--palette", "dark", "o.png"},  // the palette is for windows and galleries
      {"--gallery-outlook", "--palette", "sepia", "o.png"}};
  for (const auto& args : bad) EXPECT_FALSE(Parse(args)) << args.back();
}

TEST(SnapshotToolTest, ExitCodes) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "tankdemo-snapshot-test.png").string();
  TRun run = RunSnapshot("--tree --size 5x0 " + path);
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_NE(run.Err.find("--size wants WIDTHxHEIGHT"), std::string::npos);
  EXPECT_NE(run.Err.find("usage:"), std::string::npos);
  run = RunSnapshot("--help");
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_NE(run.Out.find("--focus"), std::string::npos);
  run = RunSnapshot("--tree --sort Pressure " + path);
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Err.find("Pressure"), std::string::npos);
  run = RunSnapshot("--tree /nonexistent-folder/tree.png");
  EXPECT_EQ(run.ExitCode, 1);
  run = RunSnapshot("--tree --size 200x100 " + path);
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(QImage(QString::fromStdString(path)).size(), QSize(200, 100));
  std::filesystem::remove(path);
}

// The whole window: its menu bar, toolbar and status bar around the stored sizes.
TEST(SnapshotToolTest, WindowPicture) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "tankdemo-snapshot-window.png").string();
  TRun run = RunSnapshot("--window --steps 3 --expand " + path);
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const QImage shot(QString::fromStdString(path));
  EXPECT_EQ(shot.width(), 850);
  EXPECT_GT(shot.height(), 24 + 267 + 5 + 173 + 19);
  run = RunSnapshot("--window --size 400x300 " + path);
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(QImage(QString::fromStdString(path)).size(), QSize(400, 300));
  EXPECT_EQ(RunSnapshot("--window --focus " + path).ExitCode, 2);
  std::filesystem::remove(path);
}

// The application's tree and chart, and the chart gallery's pages, as the pictures under
// golden/ show them, pixel for pixel. A
// deliberate change to the drawing regenerates them with golden/regenerate.
TEST(SnapshotToolTest, PicturesMatchTheGoldenOnes) {
  EnsureGuiApplication();
  SetCurrentPalette(TSystemPalette::Classic());
  std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"tree-collapsed.png", {"--tree", "x.png"}},
      {"tree-expanded-sorted-focus.png",
       {"--tree", "--steps", "20", "--expand", "--sort", "Capacity:up", "--focus", "x.png"}},
      {"chart-steps20.png", {"--chart", "--steps", "20", "x.png"}},
      {"gallery-tree.png", {"--gallery-tree", "x.png"}},
      {"gallery-rows.png", {"--gallery-rows", "x.png"}},
      {"gallery-outlook.png", {"--gallery-outlook", "x.png"}}};
  for (const char* page : {"line:3d", "point", "area", "horizbar:3d", "fastline", "log", "datetime",
                           "function", "marks:3d", "labels", "pie", "pie:3d"}) {
    std::string name = std::string("gallery-chart-") + page + ".png";
    std::replace(name.begin(), name.end(), ':', '-');
    cases.push_back({name, {"--gallery-chart", page, "--size", "320x200", "x.png"}});
  }
  for (const auto& [name, arguments] : cases) {
    const QImage golden(QString(TANKDEMO_GOLDEN_DIR) + "/" + QString::fromStdString(name));
    ASSERT_FALSE(golden.isNull()) << name;
    TBitmap picture;
    DrawSnapshot(*Parse(arguments), picture);
    ASSERT_EQ(QSize(picture.Width(), picture.Height()), golden.size()) << name;
    int differing = 0;
    for (int y = 0; y < golden.height(); ++y)
      for (int x = 0; x < golden.width(); ++x) {
        const QRgb g = golden.pixel(x, y);
        differing += picture.Pixel(x, y) != RGB(qRed(g), qGreen(g), qBlue(g));
      }
    EXPECT_EQ(differing, 0) << name;
  }
}

// At a screen density of 2 and in a dark desktop palette, drawn by the program itself (the
// window's scale is fixed when the application starts): the same PNG as the golden one.
TEST(SnapshotToolTest, ScaledAndDarkPicturesMatchTheGoldenOnes) {
  EnsureGuiApplication();
  const std::string path =
      (std::filesystem::temp_directory_path() / "tankdemo-snapshot-scaled.png").string();
  for (const auto& [name, arguments] :
       {std::pair{"tree-expanded-sorted-focus-scale2.png",
                  "--tree --steps 20 --expand --sort Capacity:up --focus --scale 2 "},
        std::pair{"chart-steps20-scale2.png", "--chart --steps 20 --scale 2 "},
        std::pair{"window-scale2.png", "--window --scale 2 "},
        std::pair{"window-dark.png", "--window --steps 3 --palette dark "},
        std::pair{"gallery-outlook-dark.png", "--gallery-outlook --palette dark "}}) {
    const TRun run = RunSnapshot(arguments + path);
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const QImage picture =
        QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
    const QImage golden =
        QImage(QString(TANKDEMO_GOLDEN_DIR) + "/" + name).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(golden.isNull()) << name;
    EXPECT_TRUE(picture == golden) << name;
  }
  std::filesystem::remove(path);
}

// The window's picture is what the window shows on a screen after its layout has settled,
// scroll bars included: compared with the real window, shown and grabbed here.
TEST(SnapshotToolTest, WindowPictureMatchesTheShownWindow) {
  EnsureGuiApplication();
  SetCurrentPalette(TSystemPalette::Classic());
  const std::string path =
      (std::filesystem::temp_directory_path() / "tankdemo-snapshot-shown.png").string();
  for (const auto& [expand, size] : {std::pair{true, QSize()}, std::pair{false, QSize(600, 380)},
                                     std::pair{true, QSize(500, 700)}}) {
    std::string arguments = expand ? "--window --expand " : "--window ";
    if (size.isValid())
      arguments +=
          "--size " + std::to_string(size.width()) + "x" + std::to_string(size.height()) + " ";
    const TRun run = RunSnapshot(arguments + path);
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const QImage picture =
        QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);

    TFMain window(std::make_unique<TScriptedDialogs>(), 1.0);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    if (expand) window.Tree().FullExpand();
    if (size.isValid()) window.resize(size);
    QTest::qWait(50);
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), shown.size()) << arguments;
    EXPECT_TRUE(picture == shown) << arguments;
  }
  std::filesystem::remove(path);
}

// A chart printed to PDF at 300 dots per inch is, read back at that resolution, the picture
// the chart draws for printing at a scale of 300/96: the page is the chart's size, paper white.
TEST(SnapshotToolTest, APrintedChartReadsBackAsItsPrintedPicture) {
  EnsureGuiApplication();
  SetCurrentPalette(TSystemPalette::Classic());
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const std::string pdf = (folder / "tankdemo-printed.pdf").string();
  for (const char* page : {"marks:3d", "labels"}) {
    SCOPED_TRACE(page);
    const TRun run =
        RunSnapshot(std::string("--gallery-chart ") + page + " --size 320x200 --pdf " + pdf);
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const QImage read = ReadPdfPage(pdf, 300);
    TBitmap printed;
    DrawSnapshot(*Parse({"--gallery-chart", page, "--size", "320x200", "--pdf", "x.pdf"}), printed);
    const QImage& drawn = printed.Image().image;
    ASSERT_EQ(read.size(), drawn.size());
    EXPECT_LE(PixelsUnlikeDrawn(read, drawn), read.width() * read.height() / 1000);
    EXPECT_EQ(read.pixel(2, 2), qRgb(255, 255, 255));  // no background fill on paper
  }
  std::filesystem::remove(pdf);
}

// Printed on a printer (here one printing to a file), the chart fills the printable area in
// its own proportions at the printer's resolution, drawn as for printing at that size.
TEST(SnapshotToolTest, AChartPrintedOnAPrinterFillsThePageAsDrawnForIt) {
  EnsureGuiApplication();
  SetCurrentPalette(TSystemPalette::Classic());
  const std::string pdf =
      (std::filesystem::temp_directory_path() / "tankdemo-printer.pdf").string();
  TSeriesOwner owner;
  TChart chart;
  ShowChartGalleryPage(chart, owner, *ParseChartGalleryChoice("marks"));
  chart.SetSize(320, 200);
  constexpr int kDpi = 150;
  TPrinter printer(pdf, kDpi);
  EXPECT_EQ(printer.Resolution(), kDpi);
  const TRect page = printer.PageRect();
  PrintChart(chart, printer);
  EXPECT_EQ(chart.Width(), 320);  // the window's layout is the window's again
  // Whichever side of the page binds, the chart keeps its proportions.
  const double scale = kDpi / 96.0;
  const double fit = std::min(page.Width() / scale / 320, page.Height() / scale / 200);
  const int w = static_cast<int>(320 * fit), h = static_cast<int>(200 * fit);
  TBitmap expected(w, h, scale);
  chart.PrintTo(expected.Canvas(), Rect(0, 0, w, h));
  const QImage read = ReadPdfPage(pdf, kDpi);
  ASSERT_FALSE(read.isNull());
  const QImage& drawn = expected.Image().image;
  EXPECT_LE(PixelsUnlikeDrawn(read, drawn, page.left, page.top),
            drawn.width() * drawn.height() / 1000);
  // Nothing beyond the picture: white paper to the right of it and below it.
  EXPECT_EQ(read.pixel(page.left + drawn.width() + 2, page.top + 2), qRgb(255, 255, 255));
  EXPECT_EQ(read.pixel(page.left + 2, page.top + drawn.height() + 2), qRgb(255, 255, 255));
  std::filesystem::remove(pdf);
}

// A printer of no resolution refuses to print rather than write a blank or broken page, and a
// chart with no width (a pane closed to nothing) does not print as a sliver down the page.
TEST(SnapshotToolTest, NoResolutionOrNoWidthPrintsNoUnreadablePage) {
  EnsureGuiApplication();
  SetCurrentPalette(TSystemPalette::Classic());
  const std::string pdf = (std::filesystem::temp_directory_path() / "tankdemo-edge.pdf").string();
  TSeriesOwner owner;
  TChart chart;
  ShowChartGalleryPage(chart, owner, *ParseChartGalleryChoice("marks"));
  chart.SetSize(320, 200);
  for (const int dpi : {0, -5})
    EXPECT_ANY_THROW({
      TPrinter printer(pdf, dpi);
      PrintChart(chart, printer);
    }) << dpi;
  chart.SetSize(0, 200);
  TPrinter printer(pdf, 96);
  const TRect page = printer.PageRect();
  try {
    PrintChart(chart, printer);
  } catch (const std::exception&) {
    return;  // refusing is sound too
  }
  const QImage read = ReadPdfPage(pdf, 96);
  ASSERT_FALSE(read.isNull());
  int right = 0;
  for (int y = 0; y < read.height(); ++y)
    for (int x = 0; x < read.width(); ++x)
      if (read.pixel(x, y) != qRgb(255, 255, 255)) right = std::max(right, x);
  EXPECT_GT(right - page.left, page.Width() / 4);
  std::filesystem::remove(pdf);
}
