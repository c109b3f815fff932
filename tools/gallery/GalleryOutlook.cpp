#include "GalleryOutlook.h"

#include <cstdlib>
#include <string>

#include "PlantExport.h"

namespace {

// A colour a fraction of the way from one colour to another, both resolved in the palette of
// the moment, so that the tint follows a dark desktop as well as a light one.
TColor Tint(TColor from, TColor to, int percent) {
  const TColor a = ColorToRGB(from), b = ColorToRGB(to);
  auto mix = [percent](int x, int y) { return x + (y - x) * percent / 100; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

// Sites take the group colour under their box too, so each reads as one band across the
// window; tanks a light wash of the highlight colour.
void TintLevels(TTreeList& tree) {
  tree.OnGetLevelColor = [](TCustomTreeListControl*, int level, TColor& color) {
    color = level == 0 ? clBtnFace : Tint(clWindow, clHighlight, 12);
  };
}

// Tanks, sites, how full the plant is and how many tanks run low, from the tree's texts.
std::string PlantSummary(TTreeList& tree) {
  long capacity = 0, level = 0;
  int tanks = 0, low = 0;
  tree.ForEachNode([&](TTreeListNode* node) {
    if (node->Level() != 1) return;
    capacity += std::atol(node->Strings(1).c_str());
    level += std::atol(node->Strings(2).c_str());
    low += std::atoi(node->Strings(3).c_str()) < 20;
    ++tanks;
  });
  const long percent = capacity > 0 ? level * 100 / capacity : 0;
  return std::to_string(tanks) + " tanks at " + std::to_string(tree.Count()) + " sites, " +
         std::to_string(percent) + " % full; " + std::to_string(low) + " below 20 %";
}

// "Plant" holds the names, "Levels" the numbers and "State" the status, which is hidden, as is
// the capacity: both wait in the customizing box.
void PlaceInBands(TTreeList& tree) {
  tree.SetOptions(tree.Options().Include(aoExtCustomizing));
  tree.SetOptionsEx(TTreeListOptionsEx(tree.OptionsEx())
                        .Include(aoBandButtonClicking)
                        .Include(aoHeaderButtonClicking)
                        .Include(aoAutoHeaderPanelHeight));
  const char* captions[] = {"Plant", "Levels", "State"};
  while (tree.Bands().Count() < 3) tree.Bands().Add();
  for (int b = 0; b < 3; ++b) tree.Bands().Items(b)->SetCaption(captions[b]);
  const int bandOf[] = {0, 1, 1, 1, 2};
  for (int i = 0; i < tree.ColumnCount() && i < 5; ++i) tree.Columns(i)->SetBandIndex(bandOf[i]);
  tree.Bands().Items(0)->SetWidth(200);
  tree.Bands().Items(2)->SetVisible(false);
  tree.Columns(1)->SetVisible(false);
  tree.SetShowBands(true);
  tree.SetShowIndicator(true);
}

}  // namespace

void BuildGalleryOutlookTree(TTreeList& tree) {
  TExportArgs fill;
  fill.Steps = 12;
  FillPlantTree(tree, fill);
  tree.OnCustomDrawCell = nullptr;  // the demo's yellow site rows
  {
    const auto update = tree.UpdateScope();
    tree.SetOptions({aoColumnSizing, aoColumnMoving, aoAutoWidth, aoAutoSort});
    tree.SetPaintStyle(psOutlook);
    tree.SetLookAndFeel(lfUltraFlat);
    tree.SetShowLines(false);
    tree.SetShowGrid(true);
    TintLevels(tree);
    tree.SetShowStatusPanel(true);
    tree.SetStatusText(PlantSummary(tree));
    PlaceInBands(tree);
  }
  tree.Items(0)->SetExpanded(true);
  tree.Items(2)->SetExpanded(true);
  tree.SetFocusedNode(tree.Items(2), 0, false);
  tree.SetTopVisibleNode(tree.Items(0));
}
