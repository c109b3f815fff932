#pragma once

#include "treelist/TreeList.h"

inline constexpr int kGalleryRowsWidth = 700, kGalleryRowsHeight = 420;

// The demo plant in a tree-list whose rows differ in height: a notes column wrapped over up
// to three lines, a preview under every site, row footers under every open site and a footer
// with the plant's totals, the indicator, and the pointer and keyboard options (hot tracking,
// incremental search, panning, row sizing, dragging nodes).
void BuildGalleryRowsTree(TTreeList& tree);
