#include "Snapshot.h"

#include <QApplication>
#include <QImage>
#include <algorithm>

#include "GalleryOutlook.h"
#include "GalleryRows.h"
#include "GalleryTree.h"
#include "PlantExport.h"
#include "app/DemoData.h"
#include "app/MainWindow.h"
#include "app/TankChart.h"
#include "gallery/GalleryChart.h"
#include "platform/OffscreenHost.h"
#include "platform/QtImage.h"
#include "treelist/TreeList.h"
#include "treelist/customize/TreeListCustomizingBox.h"

namespace {

// One frame of the chart in a picture of the asked size and scale; for a PDF as it prints.
void DrawChartFrame(TChart& chart, const TSnapshotArgs& args, TBitmap& picture) {
  chart.SetSize(args.Width, args.Height);
  picture.SetScale(args.Scale);
  picture.SetSize(args.Width, args.Height);
  if (args.Pdf)
    chart.PrintTo(picture.Canvas(), Rect(0, 0, args.Width, args.Height));
  else
    chart.DrawChart(picture.Canvas(), Rect(0, 0, args.Width, args.Height));
}

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
  DrawChartFrame(chart, args, picture);
}

// A page of the chart gallery, drawn as the chart's own frame.
void DrawGalleryChart(const TSnapshotArgs& args, TBitmap& picture) {
  TSeriesOwner owner;
  TChart chart;
  ShowChartGalleryPage(chart, owner, *ParseChartGalleryChoice(args.GalleryChart));
  DrawChartFrame(chart, args, picture);
}

// A control painted whole in a window of the asked size, focused or not.
void PaintOffscreen(TControl& control, const TSnapshotArgs& args, bool focus, TBitmap& picture) {
  TOffscreenHost host(control, args.Width, args.Height, args.Scale);
  if (focus) host.SetFocus();
  host.PaintAll();
  picture.SetScale(args.Scale);
  picture.SetSize(args.Width, args.Height);
  picture.Canvas().CopyRect(Rect(0, 0, args.Width, args.Height), host.Picture().Canvas(),
                            Rect(0, 0, args.Width, args.Height));
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
  PaintOffscreen(tree, args, args.Focus, picture);
}

// The gallery's tree, focused, as its window shows it.
void DrawGalleryTree(const TSnapshotArgs& args, TBitmap& picture) {
  TTreeList tree;
  TGalleryImages images;
  BuildGalleryTree(tree, images);
  PaintOffscreen(tree, args, true, picture);
}

// The gallery's second tree, rows of different heights, focused.
void DrawGalleryRows(const TSnapshotArgs& args, TBitmap& picture) {
  TTreeList tree;
  BuildGalleryRowsTree(tree);
  PaintOffscreen(tree, args, true, picture);
}

// The gallery's Outlook-style tree, focused, with its customizing box open beside it as the
// box draws itself.
void DrawGalleryOutlook(const TSnapshotArgs& args, TBitmap& picture) {
  TTreeList tree;
  BuildGalleryOutlookTree(tree);
  TSnapshotArgs left = args;
  left.Width = std::max(args.Width - kGalleryBoxWidth - kGalleryBoxGap, 1);
  TBitmap treePicture;
  PaintOffscreen(tree, left, true, treePicture);
  picture.SetScale(args.Scale);
  picture.SetSize(args.Width, args.Height);
  TCanvas& c = picture.Canvas();
  c.Brush() = TBrush{clBtnFace, bsSolid, clBtnFace};
  c.FillRect(Rect(0, 0, args.Width, args.Height));
  c.CopyRect(Rect(0, 0, left.Width, args.Height), treePicture.Canvas(),
             Rect(0, 0, left.Width, args.Height));
  tree.ShowCustomizingBox();
  TTreeListCustomizingBox* box = tree.CustomizingBox();
  TSnapshotArgs right = args;
  right.Width = kGalleryBoxWidth;
  right.Height = std::min(box->SizeFor(static_cast<int>(box->Items().size())).cy, args.Height);
  TBitmap boxPicture;
  PaintOffscreen(*box, right, false, boxPicture);
  const int x = left.Width + kGalleryBoxGap;
  c.CopyRect(Rect(x, 0, x + right.Width, right.Height), boxPicture.Canvas(),
             Rect(0, 0, right.Width, right.Height));
  // A window's edge around it.
  c.Brush() = TBrush{clBtnShadow, bsSolid, clBtnShadow};
  c.FrameRect(Rect(x - 1, 0, x + right.Width + 1, right.Height + 1));
}

// The whole main window as it stands after the steps, at 120 pixels per inch; the screen's
// scale comes from the environment set up before the application started.
void DrawWindow(const TSnapshotArgs& args, TBitmap& picture) {
  TFMain window(nullptr, 1.0);
  window.show();
  QApplication::processEvents();
  for (int i = 0; i < args.Steps; ++i) window.Timer1Timer();
  if (args.Expand) window.Tree().FullExpand();
  if (args.Width > 0) window.resize(args.Width, args.Height);
  // Layout and paint requests travel through the event queue, a few rounds deep.
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
  picture.SetSize(shot.width(), shot.height());
  picture.Image().image = shot;
}

}  // namespace

void DrawSnapshot(const TSnapshotArgs& args, TBitmap& picture) {
  if (args.Window)
    DrawWindow(args, picture);
  else if (!args.GalleryChart.empty())
    DrawGalleryChart(args, picture);
  else if (args.Tree)
    DrawTree(args, picture);
  else if (args.GalleryTree)
    DrawGalleryTree(args, picture);
  else if (args.GalleryRows)
    DrawGalleryRows(args, picture);
  else if (args.GalleryOutlook)
    DrawGalleryOutlook(args, picture);
  else
    DrawChart(args, picture);
}
