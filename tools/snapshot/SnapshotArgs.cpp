#include "SnapshotArgs.h"

#include <charconv>

const char* const kSnapshotUsage =
    "usage: tankdemo-snapshot --chart [--steps N] [--size WxH] OUT.png";

namespace {

bool ParseInt(const std::string& text, int& value, int low, int high) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && value >= low && value <= high;
}

}  // namespace

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
      if (!ParseInt(*text, result.Steps, 0, 100000000)) {
        error = "--steps wants a whole number from 0, not '" + *text + "'";
        return std::nullopt;
      }
    } else if (arg == "--size") {
      const std::string* text = value();
      if (!text) return std::nullopt;
      const size_t x = text->find('x');
      if (x == std::string::npos || !ParseInt(text->substr(0, x), result.Width, 1, 10000) ||
          !ParseInt(text->substr(x + 1), result.Height, 1, 10000)) {
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
