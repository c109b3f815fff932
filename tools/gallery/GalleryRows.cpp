#include "GalleryRows.h"

#include <cstdlib>
#include <string>

#include "PlantExport.h"
#include "app/ReadableText.h"

namespace {

constexpr int kNotes = 5;  // the node text slot of the notes column

const char* const kSiteNotes[] = {
    "Fenced yard by the river. Road access from the north gate only; heavy vehicles must "
    "book a slot with the site office a day ahead.",
    "Two tanks share a bund.",
    "Inspected in March: the valve on the second tank was replaced and the gauges were "
    "calibrated again. Next inspection due in September.",
    "Remote site, visited weekly.",
};

const char* const kTankNotes[] = {
    "",
    "Gauge reads a little high when the tank is nearly full.",
    "New lining fitted last year; fill slowly for the first months.",
    "",
    "Shares a pump with its neighbour.",
};

int Number(const std::string& text) {
  return std::atoi(text.c_str());
}

void AddNotes(TTreeList& tree) {
  TTreeListColumn* notes = tree.CreateColumn<TTreeListColumn>();
  notes->SetCaption("Notes");
  notes->SetWidth(220);
  notes->SetValueIndex(kNotes);
  int site = 0;
  for (int i = 0; i < tree.Count(); ++i, ++site) {
    TTreeListNode* node = tree.Items(i);
    node->SetStrings(kNotes, kSiteNotes[site % 4]);
    for (int t = 0; t < node->Count(); ++t)
      node->Items(t)->SetStrings(kNotes, kTankNotes[(site + t) % 5]);
  }
}

// Totals of capacity and level: of a site's tanks for its row footer, of all for the footer.
void AddTotals(TTreeList& tree) {
  tree.OnGetRowFooterText = [](TCustomTreeListControl*, TTreeListNode* group,
                               TTreeListColumn* column, std::string& text) {
    const int slot = column->ValueIndex();
    if (slot == 0) text = std::to_string(group->Count()) + " tanks";
    if (slot != 1 && slot != 2) return;
    int sum = 0;
    for (int t = 0; t < group->Count(); ++t) sum += Number(group->Items(t)->Strings(slot));
    text = std::to_string(sum);
  };
  int capacity = 0, level = 0, tanks = 0;
  tree.ForEachNode([&](TTreeListNode* node) {
    if (node->Level() != 1) return;
    capacity += Number(node->Strings(1)), level += Number(node->Strings(2)), ++tanks;
  });
  tree.Columns(0)->SetFooterText(std::to_string(tanks) + " tanks");
  tree.Columns(1)->SetFooterText(std::to_string(capacity));
  tree.Columns(2)->SetFooterText(std::to_string(level));
  tree.Columns(3)->SetFooterText(std::to_string(capacity ? level * 100 / capacity : 0) + " %");
}

// Tanks may be dragged to another site; text dragged in from elsewhere names a new tank.
void MoveTanksByDragging(TTreeList& tree) {
  tree.SetDragMode(dmAutomatic);
  tree.OnDragOver = [](TCustomTreeListControl*, TControl*, TTreeListNode* node,
                       TTreeListNode* target, int, int, bool& accept) {
    const bool onSite = target && target->Level() == 0;
    accept = onSite && (!node || (node->Level() == 1 && node->Parent() != target));
  };
  tree.OnNodeDropped = [](TCustomTreeListControl*, TControl*, TTreeListNode* node,
                          TTreeListNode* target, const std::string& text) {
    if (!target) return;
    TTreeListNode* tank = target->AddChild();
    for (int slot = 0; slot <= kNotes; ++slot)
      tank->SetValues(slot, node ? node->Strings(slot) : slot == 0 ? text : "");
    if (node) node->Delete();
    target->SetExpanded(true);
  };
}

}  // namespace

void BuildGalleryRowsTree(TTreeList& tree) {
  TExportArgs fill;
  fill.Steps = 12;
  FillPlantTree(tree, fill);
  tree.OnCustomDrawCell = nullptr;  // the demo's yellow site rows
  {
    const auto update = tree.UpdateScope();
    tree.SetOptions({aoColumnSizing, aoColumnMoving, aoRowSelect, aoAutoWidth, aoPreview});
    tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx)
                          .Include(aoRowAutoHeight)
                          .Include(aoHotTrack)
                          .Include(aoAutoSearch)
                          .Include(aoMouseScroll)
                          .Include(aoRowSizing));
    tree.SetLookAndFeel(lfFlat);
    tree.SetMaxRowLineCount(3);
    tree.SetPreviewLines(-1);
    // Previews in blue where blue reads on the window's colour (not in a dark theme).
    tree.OnCustomDrawPreviewCell = [](TCustomTreeListControl*, TCanvas&, const TRect&,
                                      TTreeListNode*, bool selected, std::string&, TColor& color,
                                      TFont& font, TAlignment&, bool&) {
      if (!selected) font.SetColor(ReadableTextColor(color, clBlue));
    };
    tree.OnGetPreviewText = [](TCustomTreeListControl*, TTreeListNode* node, std::string& text) {
      if (node->Level() == 0)
        text = node->Strings(0) + ": " + node->Strings(4) + ", " + std::to_string(node->Count()) +
               " tanks holding " + node->Strings(2) + " of " + node->Strings(1) + " gallons.";
    };
    tree.SetShowFooter(true);
    tree.SetShowRowFooter(true);
    tree.SetShowIndicator(true);
    AddNotes(tree);
    AddTotals(tree);
    MoveTanksByDragging(tree);
  }
  tree.Items(0)->SetExpanded(true);
  tree.Items(2)->SetExpanded(true);
  tree.SetFocusedNode(tree.Items(0)->Items(1), 0, false);
  tree.SetTopVisibleNode(tree.Items(0));
}
