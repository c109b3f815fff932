#pragma once

#include <memory>

#include "platform/ImageList.h"
#include "treelist/TreeList.h"

// The pictures the gallery's tree shows; they must outlive the tree that draws them.
struct TGalleryImages {
  std::unique_ptr<TImageList> Nodes;   // site, tank, and an open site for the focused site
  std::unique_ptr<TImageList> States;  // full, low, nearly empty
};

inline constexpr int kGalleryTreeWidth = 640, kGalleryTreeHeight = 300;

// The demo plant in a tree-list set up as the main window never does: node and state images,
// three bands with captions (the first fixed at the left), two header rows, no row selection,
// edit buttons of every face in "Level %", sorted by two columns, a cell focused.
void BuildGalleryTree(TTreeList& tree, TGalleryImages& images);
