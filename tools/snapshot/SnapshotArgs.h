#pragma once

#include <optional>
#include <string>
#include <vector>

// What tankdemo-snapshot was asked to draw.
struct TSnapshotArgs {
  bool Chart = false;
  int Steps = 0;
  int Width = 850;
  int Height = 173;
  std::string Output;
  bool Help = false;
};

// Parses the arguments after the program name; nothing (and a reason) when they are wrong.
std::optional<TSnapshotArgs> ParseSnapshotArgs(const std::vector<std::string>& args,
                                               std::string& error);

extern const char* const kSnapshotUsage;
