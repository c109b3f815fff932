// tankdemo-export: the tank plant's tree as the program saves it, without any window.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "ExportArgs.h"
#include "PlantExport.h"

int main(int argc, char** argv) {
  std::string error;
  const auto args = ParseExportArgs(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!args) {
    std::fprintf(stderr, "tankdemo-export: %s; %s\n", error.c_str(), kExportUsage);
    return 2;
  }
  if (args->Help) {
    std::printf("%s\n\n%s", kExportUsage, kExportHelp);
    return 0;
  }

  TTreeList tree;
  try {
    FillPlantTree(tree, *args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tankdemo-export: %s; %s\n", e.what(), kExportUsage);
    return 2;
  }
  try {
    if (!args->Output.empty()) {
      tree.SaveToTextFile(args->Output);
    } else {
      const std::string text = ExportText(tree);
      if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
          std::fflush(stdout) != 0)
        throw std::runtime_error("cannot write to standard output");
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tankdemo-export: %s\n", e.what());
    return 1;
  }
  return 0;
}
