#pragma once

#include "treelist/TreeList.h"

inline constexpr int kGalleryOutlookWidth = 640, kGalleryOutlookHeight = 300;
// The customizing box drawn beside the tree-list, and the room between them.
inline constexpr int kGalleryBoxWidth = 160, kGalleryBoxGap = 8;

// The demo plant in the Outlook paint style: every site one group row across the columns,
// the tanks tinted by their level, grid lines, no row selection (a site's group row holds the
// focus), and the status panel with a summary of the plant. The columns stand in bands, one of
// them and the "Capacity" column hidden; the buttons left of the panels open the customizing
// box, from which they are dragged back.
void BuildGalleryOutlookTree(TTreeList& tree);
