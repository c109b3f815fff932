#pragma once

#include <string>

#include "ExportArgs.h"
#include "treelist/TreeList.h"

// Fills a window-less tree-list as the main window would after args.Steps simulation steps,
// then expands and sorts it as asked. Throws Exception when no column has the sort caption.
void FillPlantTree(TTreeList& tree, const TExportArgs& args);

// The export's bytes, as SaveToTextFile would write them.
std::string ExportText(TTreeList& tree);
