#include "Snapshot.h"

#include "PlantExport.h"
#include "app/DemoData.h"
#include "app/TankChart.h"
#include "platform/OffscreenHost.h"
#include "treelist/TreeList.h"

namespace {

void DrawChart(const TSnapshotArgs& args, TBitmap& picture) {
  auto sites = BuildSites();
  TDemoRandom random;
  RandomizeLevels(*sites, random);
  for (int i = 0; i < args.Steps; ++i) SimulateStep(*sites, random);
  TSeriesOwner owner;
  TChart chart;
  ApplyStoredChartSettings(chart, owner);
  SetupChart(chart, owner, *sites);
  RefreshChart(chart, *sites);
  chart.SetSize(args.Width, args.Height);
  picture.SetSize(args.Width, args.Height);
  chart.DrawChart(picture.Canvas(), Rect(0, 0, args.Width, args.Height));
}

// The tree-list filled as the export fills it, in a window of the asked size.
void DrawTree(const TSnapshotArgs& args, TBitmap& picture) {
  TExportArgs fill;
  fill.Steps = args.Steps;
  fill.Expand = args.Expand;
  fill.SortCaption = args.SortCaption;
  fill.SortDirection = args.SortDown ? csDown : csUp;
  TTreeList tree;
  FillPlantTree(tree, fill);
  TOffscreenHost host(tree, args.Width, args.Height);
  if (args.Focus) host.SetFocus();
  host.PaintAll();
  picture.SetSize(args.Width, args.Height);
  picture.Canvas().CopyRect(Rect(0, 0, args.Width, args.Height), host.Picture().Canvas(),
                            Rect(0, 0, args.Width, args.Height));
}

}  // namespace

void DrawSnapshot(const TSnapshotArgs& args, TBitmap& picture) {
  if (args.Tree)
    DrawTree(args, picture);
  else
    DrawChart(args, picture);
}
