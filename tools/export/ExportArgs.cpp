#include "ExportArgs.h"

#include "common/ToolArgs.h"

const char* const kExportUsage =
    "usage: tankdemo-export [--steps N] [--expand] [--sort CAPTION[:up|:down]] [--output FILE]";

const char* const kExportHelp =
    "Writes the tank plant's tree as tab-separated text, exactly as the program saves it.\n"
    "\n"
    "Builds the twelve demo sites with their starting levels, runs N simulation steps\n"
    "(default 0), fills the tree-list as the main window does (site rows collapsed) and\n"
    "writes the caption line, an empty line and one line per visible row, every line\n"
    "ending in CR LF.\n"
    "\n"
    "  --steps N                 run N simulation steps first\n"
    "  --expand                  expand every site, so that tank rows are written too\n"
    "  --sort CAPTION[:up|:down] sort the rows by the column with this caption, ascending\n"
    "                            (the default) or descending; captions: Site/Tank,\n"
    "                            Capacity, Level, \"Level %\", Status\n"
    "  --output FILE             write FILE instead of standard output: a plain file is\n"
    "                            replaced as a whole, never left half written, and keeps\n"
    "                            its permissions; a file you may not write is refused\n"
    "  --help                    show this text\n"
    "\n"
    "Exit codes: 0 done, 1 the file could not be written (it is left as it was),\n"
    "2 bad arguments.\n";

std::optional<TExportArgs> ParseExportArgs(const std::vector<std::string>& args,
                                           std::string& error) {
  TExportArgs result;
  TArgReader reader(args);
  auto fail = [&](const std::string& reason) {
    error = reason;
    return std::nullopt;
  };
  while (reader.Next()) {
    const std::string& arg = reader.Arg();
    if (arg == "--help" || arg == "-h") {
      result.Help = true;
    } else if (arg == "--expand") {
      result.Expand = true;
    } else if (arg == "--steps") {
      if (!reader.IntValue(result.Steps, 0, 100000000)) return fail(reader.Error);
    } else if (arg == "--sort") {
      const std::string* text = reader.Value();
      if (!text) return fail(reader.Error);
      bool down = false;
      if (!ParseSortArg(*text, result.SortCaption, down))
        return fail("--sort wants a column caption");
      result.SortDirection = down ? csDown : csUp;
    } else if (arg == "--output") {
      const std::string* text = reader.Value();
      if (!text) return fail(reader.Error);
      if (text->empty()) return fail("--output wants a file name");
      result.Output = *text;
    } else {
      return fail("unknown argument '" + arg + "'");
    }
  }
  return result;
}
