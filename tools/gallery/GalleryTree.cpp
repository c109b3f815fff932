#include "GalleryTree.h"

#include <cstdlib>
#include <string>

#include "PlantExport.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "treelist/editorcolumns/TreeListEditorColumns.h"

namespace {

constexpr int kImageSize = 16;
constexpr TColor kClear = clFuchsia;  // transparent in the drawn pictures

enum { imSite, imTank, imOpenSite };
enum { stFull, stLow, stEmpty };

TBitmap& Blank(TBitmap& b) {
  b.SetSize(kImageSize, kImageSize);
  b.Canvas().Brush() = TBrush{kClear, bsSolid, kClear};
  b.Canvas().FillRect(Rect(0, 0, kImageSize, kImageSize));
  return b;
}

void Fill(TCanvas& c, TColor fill) {
  c.Brush() = TBrush{fill, bsSolid, fill};
  c.Pen() = TPen{clBlack, 1, psSolid, pmCopy};
}

// A house: a roof over a walled front with a door.
void DrawSite(TImageList& list, TColor walls) {
  TBitmap b;
  TCanvas& c = Blank(b).Canvas();
  Fill(c, clMaroon);
  c.Polygon({{1, 7}, {8, 1}, {15, 7}});
  Fill(c, walls);
  c.Rectangle(Rect(3, 7, 14, 15));
  Fill(c, clMaroon);
  c.Rectangle(Rect(7, 10, 10, 15));
  list.AddMasked(b, kClear);
}

// A tank: a cylinder with its liquid showing through a window.
void DrawTank(TImageList& list) {
  TBitmap b;
  TCanvas& c = Blank(b).Canvas();
  Fill(c, clSilver);
  c.Rectangle(Rect(3, 3, 13, 14));
  c.Ellipse(Rect(3, 1, 13, 6));
  Fill(c, clBlue);
  c.Rectangle(Rect(6, 8, 10, 13));
  list.AddMasked(b, kClear);
}

void DrawState(TImageList& list, TColor color) {
  TBitmap b;
  TCanvas& c = Blank(b).Canvas();
  Fill(c, color);
  c.Ellipse(Rect(3, 3, 13, 13));
  list.AddMasked(b, kClear);
}

void MakeImages(TGalleryImages& images) {
  images.Nodes = std::make_unique<TImageList>(kImageSize, kImageSize);
  DrawSite(*images.Nodes, clCream);
  DrawTank(*images.Nodes);
  DrawSite(*images.Nodes, clYellow);
  images.States = std::make_unique<TImageList>(kImageSize, kImageSize);
  for (TColor color : {clLime, clYellow, clRed}) DrawState(*images.States, color);
}

// Three bands: "Place" fixed left, "Levels" with its columns in two header rows, "State".
void ArrangeBands(TTreeList& tree) {
  tree.SetHeaderPanelRowCount(2);
  tree.Bands().Add();
  tree.Bands().Add();
  const char* captions[] = {"Place", "Levels", "State"};
  for (int b = 0; b < 3; ++b) tree.Bands().Items(b)->SetCaption(captions[b]);
  tree.Bands().Items(0)->SetFixed(bfLeft);
  // Site/Tank | Capacity, Level over Level % | Status
  const int bands[] = {0, 1, 1, 1, 2};
  const int rows[] = {0, 0, 0, 1, 0};
  for (int i = 0; i < tree.ColumnCount(); ++i) {
    tree.Columns(i)->SetBandIndex(bands[i]);
    tree.Columns(i)->SetRowIndex(rows[i]);
  }
  // The headers alone in their band reach down over both header rows.
  tree.Columns(0)->SetHeaderMaxLineCount(0);
  tree.Columns(4)->SetHeaderMaxLineCount(0);
  tree.Columns(0)->SetWidth(170);
  tree.Columns(3)->SetWidth(200);
  tree.SetShowBands(true);
}

// Each node's picture, and a state picture from its fill.
void GivePictures(TTreeList& tree) {
  tree.ForEachNode([](TTreeListNode* node) {
    const bool site = node->Level() == 0;
    node->SetImageIndex(site ? imSite : imTank);
    node->SetSelectedIndex(site ? imOpenSite : imTank);
    const int percent = std::atoi(node->Strings(3).c_str());
    node->SetStateIndex(percent >= 50 ? stFull : percent >= 20 ? stLow : stEmpty);
  });
}

// A gauge for a glyph button: a dial with its needle, on the button's face.
void DrawGauge(TBitmap& b) {
  b.SetSize(10, 10);
  TCanvas& c = b.Canvas();
  c.Brush() = TBrush{clBtnFace, bsSolid, clBtnFace};
  c.FillRect(Rect(0, 0, 10, 10));
  c.Brush() = TBrush{clBtnFace, bsClear, clBtnFace};
  c.Pen() = TPen{clBtnText, 1, psSolid, pmCopy};
  c.Ellipse(Rect(0, 0, 10, 10));
  c.Pen() = TPen{clRed, 1, psSolid, pmCopy};
  c.Polyline({{5, 6}, {8, 2}});
}

// "Level %" shows its buttons in every cell, one of each face: a down arrow, the column's style,
// on the default button, three dots, and a gauge at the left.
void ShowButtons(TTreeList& tree) {
  tree.SetOptionsEx(tree.OptionsEx().Include(aoShowButtonAlways));
  auto* percent = dynamic_cast<TTreeListButtonColumn*>(tree.Columns(3));
  if (!percent || percent->Buttons().Count() < 2) return;
  percent->SetShowButtonStyle(sbAlways);
  percent->SetEditButtonStyle(ebsDown);
  percent->Buttons().Items(1)->SetKind(bkEllipsis);
  TEditButton* gauge = percent->Buttons().Add();
  gauge->SetKind(bkGlyph);
  gauge->SetLeftAlignment(true);
  DrawGauge(gauge->Glyph());
}

void Configure(TTreeList& tree, TGalleryImages& images);

}  // namespace

void BuildGalleryTree(TTreeList& tree, TGalleryImages& images) {
  TExportArgs fill;
  fill.Steps = 12;
  FillPlantTree(tree, fill);
  tree.OnCustomDrawCell = nullptr;  // the demo's yellow site rows
  MakeImages(images);
  {
    const auto update = tree.UpdateScope();
    Configure(tree, images);
  }
  // Once sorted: two sites open, a tank's cell focused.
  tree.Items(0)->SetExpanded(true);
  tree.Items(3)->SetExpanded(true);
  tree.SetFocusedNode(tree.Items(0)->Items(1), 2, false);
  tree.SetTopVisibleNode(tree.Items(0));  // the sort took the old top row to the end
}

namespace {

void Configure(TTreeList& tree, TGalleryImages& images) {
  tree.SetOptions({aoColumnSizing, aoColumnMoving, aoAutoSort, aoExtCustomizing});
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoMultiSort));
  tree.SetLookAndFeel(lfFlat);
  tree.SetImages(images.Nodes.get());
  tree.SetStateImages(images.States.get());
  ArrangeBands(tree);
  GivePictures(tree);
  ShowButtons(tree);
  // Sorted by state, then by name downwards, as a click and two clicks with Shift would.
  tree.ColumnHeaderClick(tree.Columns(4), false, false);
  tree.ColumnHeaderClick(tree.Columns(0), true, false);
  tree.ColumnHeaderClick(tree.Columns(0), true, false);
}

}  // namespace
