#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "treelist/model/TreeListColumn.h"
#include "treelist/view/TreeListLayout.h"

class TTreeList;

// One paint pass of a tree-list: reads the geometry record, draws the panels that touch the
// update rectangle and the rows that intersect it, and writes nothing back.
class TTreeListPainter {
 public:
  TTreeListPainter(TTreeList& tree, const TTreeListGeometry& geometry, TCanvas& canvas,
                   const TRect& updateRect);
  void Paint();

 private:
  // Headers (TreeListHeaderPaint.cpp).
  void PaintHeaderPanel();
  void PaintHeader(const TTreeListColumnPlace& place);
  void DrawHeaderFrame(TCanvas& canvas, TRect& r, const TTreeListColumnPlace& place,
                       bool pressed) const;
  void DrawHeaderContent(TCanvas& canvas, TRect content, const TTreeListColumnPlace& place,
                         const std::string& text, TAlignment alignment,
                         TTreeListColumnSort sorted) const;

  // Rows.
  void PaintRows();
  void PaintRow(const TTreeListRowPlace& row);
  void PaintTreeLines(const TTreeListRowPlace& row);
  void PaintButton(const TTreeListRowPlace& row);
  void PaintImages(const TTreeListRowPlace& row);
  void PaintCell(const TTreeListRowPlace& row, const TTreeListColumnPlace& place);
  void DrawCellText(const TRect& cell, const TTreeListColumnPlace& place, std::string text,
                    TColor background, TAlignment alignment, bool selected);
  TRect DrawEditButtons(const TRect& cell, const TTreeListColumnPlace& place, bool selected);
  void PaintFocusRect(const TTreeListRowPlace& row);
  void PaintOtherAreas();

  bool Visible(const TRect& r) const;
  void Fill(const TRect& r, TColor color);

  TTreeList& FTree;
  const TTreeListGeometry& G;
  TCanvas& C;
  TRect FUpdate;
  bool FControlFocused;
  bool FShowSelection;
  bool FRowSelect;
  bool FAnyCellHandler;
  TBrush FLineBrush;
  std::vector<TRect> FSegments;  // grid lines, drawn together at the end
};
