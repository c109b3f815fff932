#include "SnapshotArgs.h"

#include <cstdlib>

#include "GalleryOutlook.h"
#include "GalleryRows.h"
#include "GalleryTree.h"
#include "common/ToolArgs.h"
#include "gallery/GalleryChart.h"

const char* const kSnapshotUsage =
    "usage: tankdemo-snapshot --chart [--steps N] [--size WxH] [--scale R] OUT.png\n"
    "       tankdemo-snapshot --tree [--steps N] [--expand] [--sort CAPTION[:up|:down]]\n"
    "                         [--focus] [--size WxH] [--scale R] OUT.png\n"
    "       tankdemo-snapshot --window [--steps N] [--expand] [--size WxH] [--scale R]\n"
    "                         [--palette dark] OUT.png\n"
    "       tankdemo-snapshot --gallery-tree [--size WxH] [--scale R] [--palette dark] OUT.png\n"
    "       tankdemo-snapshot --gallery-rows [--size WxH] [--scale R] [--palette dark] OUT.png\n"
    "       tankdemo-snapshot --gallery-outlook [--size WxH] [--scale R] [--palette dark]\n"
    "                         OUT.png\n"
    "       tankdemo-snapshot --gallery-chart PAGE[:3d] [--size WxH] [--scale R]\n"
    "                         [--palette dark] OUT.png\n"
    "       tankdemo-snapshot --chart|--tree|--gallery-chart PAGE ... --pdf OUT.pdf";

const char* const kSnapshotHelp =
    "Builds the demo plant, runs N simulation steps (default 0), sets up the chart or the\n"
    "tree-list exactly as the main window does (or makes the whole main window) and draws\n"
    "it into OUT.png, with the fixed classic palette, without a display.\n"
    "\n"
    "  --chart                   draw the chart (default size 850x173)\n"
    "  --tree                    draw the tree-list (default size 846x267)\n"
    "  --window                  draw the main window: menu bar, toolbar, tree-list,\n"
    "                            splitter, chart and status bar (default: its size at\n"
    "                            120 pixels per inch)\n"
    "  --gallery-tree            draw the tree-list of tankdemo-gallery: node and state\n"
    "                            images, three bands, two header rows, sorted by two columns\n"
    "                            (default size 640x300)\n"
    "  --gallery-rows            draw the second tree-list of tankdemo-gallery: rows of\n"
    "                            several lines, previews, row footers, the footer and the\n"
    "                            indicator (default size 700x420)\n"
    "  --gallery-outlook         draw the third tree-list of tankdemo-gallery: the Outlook\n"
    "                            style's group rows, rows tinted by level, the status panel\n"
    "                            (default size 640x300)\n"
    "  --steps N                 run N simulation steps first\n"
    "  --size WxH                picture size in pixels, 1 to 10000 each\n"
    "  --scale R                 draw for a screen of R device pixels per pixel (1 to 4,\n"
    "                            e.g. 1.5 or 2): the picture is R times the size\n"
    "  --palette dark            window and gallery pages: draw them in a fixed dark\n"
    "                            desktop palette instead of the classic one\n"
    "  --expand                  tree, window: expand every site\n"
    "  --sort CAPTION[:up|:down] tree: sort by the column with this caption, as a header\n"
    "                            click would; captions: Site/Tank, Capacity, Level,\n"
    "                            \"Level %\", Status\n"
    "  --focus                   tree: draw it as the focused control (selection and focus\n"
    "                            rectangle shown)\n"
    "  --gallery-chart PAGE      draw a page of the chart gallery (default size 640x360):\n"
    "                            line, point, area, horizbar, fastline, log, datetime,\n"
    "                            function, marks, labels, pie; add :3d for the 3D view\n"
    "  --pdf                     write OUT as a one-page PDF at 300 dots per inch (or\n"
    "                            --scale R times 96), a chart as it prints: paper\n"
    "                            background, white text black\n"
    "  --help                    show this text\n"
    "\n"
    "Exit codes: 0 done, 1 the picture could not be made or written, 2 bad arguments.\n";

namespace {

bool ParseSize(const std::string& text, TSnapshotArgs& result) {
  const size_t x = text.find('x');
  return x != std::string::npos && ParseIntArg(text.substr(0, x), result.Width, 1, 10000) &&
         ParseIntArg(text.substr(x + 1), result.Height, 1, 10000);
}

bool ParseScale(const std::string& text, double& scale) {
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(v >= 1 && v <= 4)) return false;
  scale = v;
  return true;
}

// Rejects what does not fit the picture asked for, and fills in its default size.
std::optional<std::string> Finish(TSnapshotArgs& result) {
  const bool galleryChart = !result.GalleryChart.empty();
  const bool gallery =
      result.GalleryTree || result.GalleryRows || result.GalleryOutlook || galleryChart;
  if (result.Chart + result.Tree + result.Window + result.GalleryTree + result.GalleryRows +
          result.GalleryOutlook + galleryChart !=
      1)
    return "say what to draw: --chart, --tree, --window, --gallery-tree, --gallery-rows, "
           "--gallery-outlook or --gallery-chart";
  if (gallery && (result.Steps || result.Expand || result.Focus || !result.SortCaption.empty()))
    return "the gallery pages take only --size, --scale and --palette";
  if (galleryChart && !ParseChartGalleryChoice(result.GalleryChart))
    return "--gallery-chart wants a page: line, point, area, horizbar, fastline, log, datetime, "
           "function, marks, labels, pie";
  if (result.Pdf && result.Window) return "--pdf draws a control, not the window";
  if (result.Pdf && !result.ScaleGiven) result.Scale = kPrintScale;
  if (result.Chart && (result.Expand || result.Focus || !result.SortCaption.empty()))
    return "--expand, --sort and --focus belong to --tree";
  if (result.DarkPalette && !result.Window && !gallery)
    return "--palette belongs to --window and the gallery pages";
  if (result.Window && (result.Focus || !result.SortCaption.empty()))
    return "--sort and --focus belong to --tree";
  if (result.Output.empty()) return "no output file given";
  if (result.Width == 0 && result.GalleryTree) {
    result.Width = kGalleryTreeWidth;
    result.Height = kGalleryTreeHeight;
  } else if (result.Width == 0 && result.GalleryRows) {
    result.Width = kGalleryRowsWidth;
    result.Height = kGalleryRowsHeight;
  } else if (result.Width == 0 && result.GalleryOutlook) {
    result.Width = kGalleryOutlookWidth;
    result.Height = kGalleryOutlookHeight;
  } else if (result.Width == 0 && galleryChart) {
    result.Width = kGalleryChartWidth;
    result.Height = kGalleryChartHeight;
  } else if (result.Width == 0 && !result.Window) {
    result.Width = result.Chart ? kChartWidth : kTreeWidth;
    result.Height = result.Chart ? kChartHeight : kTreeHeight;
  }
  return std::nullopt;
}

}  // namespace

std::optional<TSnapshotArgs> ParseSnapshotArgs(const std::vector<std::string>& args,
                                               std::string& error) {
  TSnapshotArgs result;
  TArgReader reader(args);
  auto fail = [&](const std::string& reason) {
    error = reason;
    return std::nullopt;
  };
  while (reader.Next()) {
    const std::string& arg = reader.Arg();
    if (arg == "--help" || arg == "-h") {
      result.Help = true;
    } else if (arg == "--chart") {
      result.Chart = true;
    } else if (arg == "--tree") {
      result.Tree = true;
    } else if (arg == "--window") {
      result.Window = true;
    } else if (arg == "--gallery-tree") {
      result.GalleryTree = true;
    } else if (arg == "--gallery-rows") {
      result.GalleryRows = true;
    } else if (arg == "--gallery-outlook") {
      result.GalleryOutlook = true;
    } else if (arg == "--gallery-chart") {
      const std::string* text = reader.Value();
      if (!text) return fail(reader.Error);
      result.GalleryChart = *text;
    } else if (arg == "--expand") {
      result.Expand = true;
    } else if (arg == "--focus") {
      result.Focus = true;
    } else if (arg == "--steps") {
      if (!reader.IntValue(result.Steps, 0, 100000000)) return fail(reader.Error);
    } else if (arg == "--sort") {
      const std::string* text = reader.Value();
      if (!text) return fail(reader.Error);
      if (!ParseSortArg(*text, result.SortCaption, result.SortDown))
        return fail("--sort wants a column caption");
    } else if (arg == "--scale") {
      const std::string* text = reader.Value();
      if (!text) return fail(reader.Error);
      if (!ParseScale(*text, result.Scale))
        return fail("--scale wants a ratio from 1 to 4, not '" + *text + "'");
      result.ScaleGiven = true;
    } else if (arg == "--pdf") {
      result.Pdf = true;
    } else if (arg == "--palette") {
      const std::string* text = reader.Value();
      if (!text) return fail(reader.Error);
      if (*text != "dark" && *text != "classic") return fail("--palette wants dark or classic");
      result.DarkPalette = *text == "dark";
    } else if (arg == "--size") {
      const std::string* text = reader.Value();
      if (!text) return fail(reader.Error);
      if (!ParseSize(*text, result))
        return fail("--size wants WIDTHxHEIGHT in pixels (1 to 10000), not '" + *text + "'");
    } else if (!arg.empty() && arg[0] == '-') {
      return fail("unknown option " + arg);
    } else if (result.Output.empty()) {
      result.Output = arg;
    } else {
      return fail("only one output file, not also '" + arg + "'");
    }
  }
  if (result.Help) return result;
  if (auto reason = Finish(result)) return fail(*reason);
  return result;
}
