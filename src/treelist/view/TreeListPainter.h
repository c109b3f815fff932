#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "treelist/model/TreeListColumn.h"
#include "treelist/view/TreeListLayout.h"

class TTreeList;
class TTreeListButtonColumn;
class TEditButton;

// One paint pass of a tree-list: reads the geometry record, draws the panels that touch the
// update rectangle and the rows that intersect it, and writes nothing back.
class TTreeListPainter {
 public:
  TTreeListPainter(TTreeList& tree, const TTreeListGeometry& geometry, TCanvas& canvas,
                   const TRect& updateRect);
  void Paint();
  // A header alone in its row, as the customizing box shows a hidden band or column.
  void DrawLoneHeader(const TRect& r, const std::string& text, TColor color, const TFont& font,
                      TAlignment alignment, bool pressed);

 private:
  // Headers (TreeListHeaderPaint.cpp).
  void PaintHeaderPanel();
  void PaintHeader(const TTreeListColumnPlace& place);
  // What a header shows, after the custom draw had its say.
  struct THeaderFace {
    std::string Text;
    TColor Color;
    TFont Font;
    TAlignment Alignment;
    TTreeListColumnSort Sorted;
    const TBitmap* Glyph;
    int Lines;     // of text
    int Position;  // and Count: its place among the headers of its row
    int Count;
    bool Pressed;
  };
  void DrawHeaderPicture(const TRect& header, const THeaderFace& face);
  // Position and count of the header among the headers of its row.
  void DrawHeaderFrame(TCanvas& canvas, TRect& r, int position, int count, bool pressed) const;
  void DrawHeaderContent(TCanvas& canvas, TRect content, const TBitmap* glyph, int lines,
                         const std::string& text, TAlignment alignment,
                         TTreeListColumnSort sorted) const;
  void PaintBandPanel();
  void PaintBand(const TTreeListBandPlace& place, int position, int count);

  // Rows.
  void PaintRows();
  void PaintRow(const TTreeListRowPlace& row);
  void PaintTreeLines(const TTreeListRowPlace& row);
  void PaintButton(const TTreeListRowPlace& row);
  void PaintOutlookButton(const TRect& box, bool expanded);
  void PaintGroupRow(const TTreeListRowPlace& row);
  void PaintImages(const TTreeListRowPlace& row);
  void PaintCell(const TTreeListRowPlace& row, const TTreeListColumnPlace& place);
  // The text of a cell in place, shown as the shown column shows it (a wrapper's reference).
  void DrawCellText(const TRect& cell, const TTreeListColumnPlace& place,
                    const TTreeListColumn& shown, std::string text, TColor background,
                    TAlignment alignment, bool selected);
  // With a search background, the part of the first line a search matched is marked.
  void DrawWrappedText(const TRect& r, const std::string& text, TAlignment alignment,
                       TTextLayout layout, const TColor* searchBackground = nullptr);
  void DrawSearchMark(int x, int y, const std::string& text, TColor background);
  // Edit buttons (TreeListEditButtonPaint.cpp): those of a button column, when its cells show
  // them; returns the area left for the text.
  TRect DrawEditButtons(const TRect& cell, const TTreeListColumn& column, bool selected);
  void DrawEditButton(const TRect& r, const TTreeListButtonColumn& column,
                      const TEditButton& button);
  void PaintFocusRect(const TTreeListRowPlace& row);
  // The dotted lines' checkerboard over a background, and the row its dots line up from
  // (null: the first row of uniform rows).
  TBrush LineBrush(int originY, TColor background) const;
  int LineOrigin(const TTreeListRowPlace* row) const;
  // Whether a cell shows its row's selection and focus: every cell with row select, else the
  // focused node's cell in the focused column.
  bool InSelectedCell(const TTreeListNode* node, bool focusedColumn) const;
  // The painted row's level colour, else the control's.
  TColor RowBackground() const;
  // Previews, row footers, the footer and the indicator (TreeListPanelPaint.cpp).
  void PaintPreview(const TTreeListRowPlace& row);
  void PaintRowFooters(const TTreeListRowPlace& row);
  void PaintFooterCell(const TRect& cell, TTreeListNode* group, TTreeListColumn* column, int footer,
                       std::string text);
  void PaintFooter();
  void PaintStatusPanel();
  void PaintIndicator();
  void PaintPanelButton(const TRect& button, bool pressed);
  bool RowSelected(const TTreeListNode* node) const;

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
  bool FUncoveredCells;
  TBrush FLineBrush;
  std::vector<TRect> FSegments;  // grid lines, drawn together at the end
  size_t FSearchMark = 0;        // bytes of the cell's text an incremental search matched
  TColor FLevelColor = clNone;   // the painted row's level background, clNone for none
};
