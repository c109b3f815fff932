#pragma once

#include <optional>
#include <string>
#include <vector>

// What tankdemo-snapshot was asked to draw.
struct TSnapshotArgs {
  bool Chart = false;
  bool Tree = false;
  bool Window = false;
  bool GalleryTree = false;
  bool GalleryRows = false;
  bool GalleryOutlook = false;
  // A page of the chart gallery ("line", "area:3d", ...); empty for none.
  std::string GalleryChart;
  int Steps = 0;
  int Width = 0;  // 0 until given: each picture has its own default size
  int Height = 0;
  // Tree and window.
  bool Expand = false;
  bool Focus = false;
  std::string SortCaption;  // empty: no sorting
  bool SortDown = false;
  // Device pixels per logical pixel: 1, or a higher screen density such as 2.
  double Scale = 1;
  bool DarkPalette = false;
  // Write OUT as a one-page PDF (a chart with the printing rules), at 300 dots per inch
  // unless a scale is given.
  bool Pdf = false;
  bool ScaleGiven = false;
  std::string Output;
  bool Help = false;
};

inline constexpr int kChartWidth = 850, kChartHeight = 173;
inline constexpr int kTreeWidth = 846, kTreeHeight = 267;
inline constexpr int kGalleryChartWidth = 640, kGalleryChartHeight = 360;
// 300 dots per inch for 96 logical pixels to the inch.
inline constexpr double kPrintScale = 300.0 / 96.0;

// Parses the arguments after the program name; nothing (and a reason) when they are wrong.
std::optional<TSnapshotArgs> ParseSnapshotArgs(const std::vector<std::string>& args,
                                               std::string& error);

extern const char* const kSnapshotUsage;
extern const char* const kSnapshotHelp;
