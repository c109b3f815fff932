#include "PlantExport.h"

#include "app/DemoData.h"
#include "app/TankTree.h"
#include "platform/Exception.h"
#include "platform/StringList.h"

void FillPlantTree(TTreeList& tree, const TExportArgs& args) {
  auto sites = BuildSites();
  TDemoRandom random;
  RandomizeLevels(*sites, random);
  for (int i = 0; i < args.Steps; ++i) SimulateStep(*sites, random);

  ConfigureTankTreeList(tree);
  LoadTree(tree, *sites);
  RefreshTree(tree, *sites);
  // The plant is not needed any more: the tree holds its own texts.
  for (int32_t s = 0; s < sites->Count(); ++s) sites->GetSite(s).Node = nullptr;

  if (args.Expand) tree.FullExpand();
  if (!args.SortCaption.empty()) {
    TTreeListColumn* column = nullptr;
    for (int i = 0; i < tree.ColumnCount() && !column; ++i)
      if (tree.Columns(i)->Caption() == args.SortCaption) column = tree.Columns(i);
    if (!column) throw Exception("no column is captioned '" + args.SortCaption + "'");
    column->SetSorted(args.SortDirection);
  }
}

std::string ExportText(TTreeList& tree) {
  TStringList lines;
  tree.SaveAllToStrings(lines);
  return lines.Text();
}
