#include "SnapshotArgs.h"

#include "common/ToolArgs.h"

const char* const kSnapshotUsage =
    "usage: tankdemo-snapshot --chart [--steps N] [--size WxH] OUT.png";

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
    } else if (arg == "--steps") {
      if (!reader.IntValue(result.Steps, 0, 100000000)) return fail(reader.Error);
    } else if (arg == "--size") {
      const std::string* text = reader.Value();
      if (!text) return fail(reader.Error);
      const size_t x = text->find('x');
      if (x == std::string::npos || !ParseIntArg(text->substr(0, x), result.Width, 1, 10000) ||
          !ParseIntArg(text->substr(x + 1), result.Height, 1, 10000))
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
  if (!result.Chart) return fail("say what to draw: --chart");
  if (result.Output.empty()) return fail("no output file given");
  return result;
}
