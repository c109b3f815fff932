#include "app/TankTree.h"

#include <string>

#include "app/ReadableText.h"
#include "treelist/editorcolumns/TreeListEditorColumns.h"

namespace {

const char* const kOnLine = "On-line";

// Numbers are shown as plain decimal text: no grouping, no unit.
std::string Text(int32_t number) {
  return std::to_string(number);
}

}  // namespace

void ConfigureTankTreeList(TTreeList& tree) {
  tree.SetDefaultLayout(true);
  tree.SetHeaderPanelRowCount(1);
  tree.SetOptions(
      {aoColumnSizing, aoColumnMoving, aoTabThrough, aoRowSelect, aoAutoWidth, aoAutoSort});
  tree.SetLookAndFeel(lfFlat);
  tree.SetTreeLineColor(clGrayText);
  tree.OnCustomDrawCell = TankTreeCustomDrawCell;
  tree.CreateColumn<TTreeListColumn>()->SetCaption("Site/Tank");
  tree.CreateColumn<TTreeListMaskColumn>()->SetCaption("Capacity");
  tree.CreateColumn<TTreeListMaskColumn>()->SetCaption("Level");
  auto* percent = tree.CreateColumn<TTreeListButtonColumn>();
  percent->SetCaption("Level %");
  // The stored buttons replace the one a new button column starts with.
  TEditButtons& buttons = percent->Buttons();
  buttons.Clear();
  buttons.Add()->SetDefault(true);
  buttons.Add();
  tree.CreateColumn<TTreeListColumn>()->SetCaption("Status");
}

void TankTreeCustomDrawCell(TCustomTreeListControl* /*sender*/, TCanvas& /*canvas*/,
                            const TRect& /*rect*/, TTreeListNode* node, TTreeListColumn* /*column*/,
                            bool selected, bool /*focused*/, bool /*newItemRow*/,
                            std::string& /*text*/, TColor& color, TFont& font,
                            TAlignment& /*alignment*/, bool& done) {
  if (node->Level() < 1 && !selected) {
    color = clYellow;
    font.SetColor(ReadableTextColor(color, font.Color()));
  }
  done = false;
}

void LoadTree(TTreeList& tree, TSiteList& sites) {
  tree.ClearNodes();
  for (int32_t s = 0; s < sites.Count(); ++s) {
    TSite& site = sites.GetSite(s);
    TTreeListNode* siteNode = tree.Add();
    siteNode->SetStrings(tcSiteTank, site.Name());
    siteNode->SetStrings(tcCapacity, Text(site.GetCapacity()));
    site.Node = siteNode;
    for (int32_t t = 0; t < site.Count(); ++t) {
      TTank& tank = site.GetTank(t);
      TTreeListNode* tankNode = siteNode->AddChild();
      tankNode->SetStrings(tcSiteTank, site.GetTankLabel(t));
      tankNode->SetStrings(tcCapacity, Text(tank.Capacity()));
      tank.Node = tankNode;
    }
  }
}

void RefreshTree(TTreeList& tree, const TSiteList& sites) {
  for (int32_t s = 0; s < sites.Count(); ++s) {
    const TSite& site = sites.GetSite(s);
    TTreeListNode* siteNode = site.Node;
    siteNode->SetStrings(tcLevel, Text(site.GetLevel()));
    siteNode->SetStrings(tcLevelPercent, Text(site.GetPercent()));
    siteNode->SetStrings(tcStatus, kOnLine);
    for (int32_t t = 0; t < site.Count(); ++t) {
      const TTank& tank = site.GetTank(t);
      TTreeListNode* tankNode = tank.Node;
      tankNode->SetStrings(tcLevel, Text(tank.Level()));
      tankNode->SetStrings(tcLevelPercent, Text(tank.GetPercent()));
      tankNode->SetStrings(tcStatus, kOnLine);
    }
  }
  tree.View().RepaintAll();
}
