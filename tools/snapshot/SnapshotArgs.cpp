#include "SnapshotArgs.h"

#include "common/ToolArgs.h"

const char* const kSnapshotUsage =
    "usage: tankdemo-snapshot --chart [--steps N] [--size WxH] OUT.png";

std::optional<TSnapshotArgs> ParseSnapshotArgs(const std::vector<std::string>& args,
                                               std::string& error) {
  TSnapshotArgs result;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> const std::string* {
      if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return nullptr;
      }
      return &args[++i];
    };
    if (arg == "--help" || arg == "-h") {
      result.Help = true;
    } else if (arg == "--chart") {
      result.Chart = true;
    } else if (arg == "--steps") {
      const std::string* text = value();
      if (!text) return std::nullopt;
      if (!ParseIntArg(*text, result.Steps, 0, 100000000)) {
        error = "--steps wants a whole number from 0, not '" + *text + "'";
        return std::nullopt;
      }
    } else if (arg == "--size") {
      const std::string* text = value();
      if (!text) return std::nullopt;
      const size_t x = text->find('x');
      if (x == std::string::npos || !ParseIntArg(text->substr(0, x), result.Width, 1, 10000) ||
          !ParseIntArg(text->substr(x + 1), result.Height, 1, 10000)) {
        error = "--size wants WIDTHxHEIGHT in pixels (1 to 10000), not '" + *text + "'";
        return std::nullopt;
      }
    } else if (!arg.empty() && arg[0] == '-') {
      error = "unknown option " + arg;
      return std::nullopt;
    } else if (result.Output.empty()) {
      result.Output = arg;
    } else {
      error = "only one output file, not also '" + arg + "'";
      return std::nullopt;
    }
  }
  if (result.Help) return result;
  if (!result.Chart) {
    error = "say what to draw: --chart";
    return std::nullopt;
  }
  if (result.Output.empty()) {
    error = "no output file given";
    return std::nullopt;
  }
  return result;
}
