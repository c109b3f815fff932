#pragma once

#include <optional>
#include <string>
#include <vector>

#include "treelist/model/TreeListColumn.h"

// What tankdemo-export was asked to do.
struct TExportArgs {
  int Steps = 0;
  bool Expand = false;
  std::string SortCaption;  // empty: no sorting
  TTreeListColumnSort SortDirection = csUp;
  std::string Output;  // empty: standard output
  bool Help = false;
};

// Parses the arguments after the program name; nothing (and a reason) when they are wrong.
std::optional<TExportArgs> ParseExportArgs(const std::vector<std::string>& args,
                                           std::string& error);

extern const char* const kExportUsage;
extern const char* const kExportHelp;
