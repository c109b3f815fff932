#pragma once

#include "treelist/TreeList.h"

inline constexpr int kGalleryOutlookWidth = 640, kGalleryOutlookHeight = 300;

// The demo plant in the Outlook paint style: every site one group row across the columns,
// the tanks tinted by their level, grid lines, no row selection (a site's group row holds the
// focus), and the status panel with a summary of the plant.
void BuildGalleryOutlookTree(TTreeList& tree);
