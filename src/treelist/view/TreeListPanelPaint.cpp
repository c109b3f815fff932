// The parts of a row below its cells (preview, row footers), the footer panel and the
// indicator column.
#include <algorithm>

#include "treelist/TreeList.h"
#include "treelist/view/TreeListPainter.h"

namespace {

unsigned AlignmentFlags(TAlignment alignment) {
  return alignment == taCenter ? dtCenter : alignment == taRightJustify ? dtRight : dtLeft;
}

}  // namespace

bool TTreeListPainter::RowSelected(const TTreeListNode* node) const {
  return FRowSelect && FShowSelection && node->Selected();
}

// The preview strip spans the row from its content to the end of the cells; its text starts
// IndentDesc further in and is broken into lines.
void TTreeListPainter::PaintPreview(const TTreeListRowPlace& row) {
  if (row.PreviewBottom <= row.CellsBottom) return;
  const TRect strip = Rect(row.ContentLeft, row.CellsBottom,
                           std::max(G.CellsRight(), row.ContentLeft), row.PreviewBottom);
  if (!Visible(strip)) return;
  TTreeListNode* node = row.Node;
  const bool selected = RowSelected(node);
  TColor color = !selected         ? RowBackground()
                 : FControlFocused ? FTree.HighlightColor()
                                   : FTree.HideSelectionColor();
  std::string text = FTree.PreviewText(node);
  TAlignment alignment = taLeftJustify;
  const TFont saved = C.Font();
  C.Font() = FTree.PreviewFont();
  if (selected)
    C.Font().SetColor(FControlFocused ? FTree.HighlightTextColor()
                                      : FTree.HideSelectionTextColor());
  C.SaveClip();
  C.IntersectClipRect(strip);
  bool done = false;
  if (FTree.OnCustomDrawPreview)
    FTree.OnCustomDrawPreview(&FTree, C, strip, node, selected, text, C.Font(), color, done);
  if (!done && FTree.OnCustomDrawPreviewCell)
    FTree.OnCustomDrawPreviewCell(&FTree, C, strip, node, selected, text, color, C.Font(),
                                  alignment, done);
  if (!done) {
    Fill(strip, color);
    const int gridLine = FTree.ShowGrid() && FTree.ShowPreviewGrid() ? 1 : 0;
    if (gridLine) FSegments.push_back(Rect(strip.left, strip.top, strip.right, strip.top + 1));
    TRect r = Rect(strip.left + FTree.IndentDesc(), strip.top + gridLine + 1, strip.right - 2,
                   strip.bottom - 1);
    if (!text.empty() && !IsRectEmpty(r)) DrawWrappedText(r, text, alignment, tlTop);
  }
  C.RestoreClip();
  C.Font() = saved;
}

// One line per group the row closes, innermost first, each from the group's own content.
void TTreeListPainter::PaintRowFooters(const TTreeListRowPlace& row) {
  for (int k = 0; k < row.Footers; ++k) {
    TTreeListNode* group = RowFooterGroup(row.Node, k);
    if (!group) return;
    const int top = row.PreviewBottom + k * G.RowFooterHeight;
    const int left = G.IndentOrigin + NodeIndentation(FTree, FTree.Metrics(), group);
    const TRect line = Rect(left, top, std::max(G.CellsRight(), left), top + G.RowFooterHeight);
    if (!Visible(line)) continue;
    Fill(line, FTree.RowFooterColor());
    for (const TTreeListColumnPlace& place : G.Columns) {
      TRect cell = G.FooterCellRect(place, top);
      if (place.BandPlace == 0 && place.Position == 0) cell.left = std::max(cell.left, left);
      const TRect shown = G.Shown(place, cell);
      if (IsRectEmpty(shown) || !Visible(shown)) continue;
      C.SaveClip();
      C.IntersectClipRect(shown);
      PaintFooterCell(cell, group, place.Column, k, FTree.RowFooterText(group, place.Column));
      C.RestoreClip();
    }
  }
}

// A footer cell: a sunken box with the text, in the footer panel always, in a row footer
// when there is a text.
void TTreeListPainter::PaintFooterCell(const TRect& cell, TTreeListNode* group,
                                       TTreeListColumn* column, int footer, std::string text) {
  TColor color = group ? FTree.RowFooterColor() : FTree.HeaderColor();
  TAlignment alignment = column->Alignment();
  const TFont saved = C.Font();
  C.Font() = column->Font();
  if (group) C.Font().SetColor(FTree.RowFooterTextColor());
  bool done = false;
  if (group && FTree.OnCustomDrawFooterNode)
    FTree.OnCustomDrawFooterNode(&FTree, C, cell, group, column, footer, text, color, C.Font(),
                                 alignment, done);
  if (!group && FTree.OnCustomDrawFooter)
    FTree.OnCustomDrawFooter(&FTree, C, cell, column, text, color, C.Font(), alignment, done);
  if (!done) {
    Fill(cell, color);
    if (!group || !text.empty()) {
      const TRect box = Rect(cell.left + 1, cell.top, cell.right - 1, cell.bottom - 1);
      C.DrawEdge(box, bdSunkenOuter, bfsRect);
      TRect r = Rect(box.left + 3, box.top + 1, box.right - 3, box.bottom - 1);
      if (!text.empty() && !IsRectEmpty(r))
        C.DrawText(
            text, r,
            dtSingleLine | dtVCenter | dtEndEllipsis | dtNoPrefix | AlignmentFlags(alignment));
    }
  }
  C.Font() = saved;
}

void TTreeListPainter::PaintFooter() {
  if (IsRectEmpty(G.Footer) || !Visible(G.Footer)) return;
  C.SaveClip();
  C.IntersectClipRect(G.Footer);
  Fill(G.Footer, FTree.HeaderColor());
  if (!FTree.Metrics().Flat) C.DrawEdge(G.Footer, bdRaisedInner, bfsTop);
  for (const TTreeListColumnPlace& place : G.Columns) {
    const TRect cell = G.FooterCellRect(place, G.FooterLinesTop);
    const TRect shown = G.Shown(place, cell);
    if (IsRectEmpty(shown) || !Visible(shown)) continue;
    C.SaveClip();
    C.IntersectClipRect(shown);
    PaintFooterCell(cell, nullptr, place.Column, -1, place.Column->FooterText());
    C.RestoreClip();
  }
  C.RestoreClip();
}

// The status text on the header colour, set off from what is above it like the footer.
void TTreeListPainter::PaintStatusPanel() {
  const TRect& panel = G.StatusPanel;
  if (IsRectEmpty(panel) || !Visible(panel)) return;
  std::string text = FTree.StatusText();
  TColor color = FTree.HeaderColor();
  TAlignment alignment = taLeftJustify;
  const TFont saved = C.Font();
  C.Font() = FTree.Font();
  C.SaveClip();
  C.IntersectClipRect(panel);
  bool done = false;
  if (FTree.OnCustomDrawStatusPanel)
    FTree.OnCustomDrawStatusPanel(&FTree, C, panel, text, color, C.Font(), alignment, done);
  if (!done) {
    Fill(panel, color);
    C.DrawEdge(panel, FTree.Metrics().Flat ? bdSunkenOuter : bdRaisedInner, bfsTop);
    TRect r = Rect(panel.left + 3, panel.top + 1, panel.right - 3, panel.bottom);
    if (!text.empty() && !IsRectEmpty(r))
      C.DrawText(text, r,
                 dtSingleLine | dtVCenter | dtEndEllipsis | dtNoPrefix | AlignmentFlags(alignment));
  }
  C.RestoreClip();
  C.Font() = saved;
}

// A raised button beside each panel, sunken while the mouse holds it down; one beside each
// row and the footer, and the focused row's carries a mark pointing at it.
void TTreeListPainter::PaintIndicator() {
  const TRect& ind = G.Indicator;
  if (IsRectEmpty(ind) || !Visible(ind)) return;
  Fill(ind, FTree.HeaderColor());
  const TTreeListHitKind pressed = FTree.PressedPanelButton();
  if (!IsRectEmpty(G.BandPanel))
    PaintPanelButton(Rect(ind.left, G.BandPanel.top, ind.right, G.BandPanel.bottom),
                     pressed == HitBandButton);
  if (!IsRectEmpty(G.HeaderPanel))
    PaintPanelButton(Rect(ind.left, G.HeaderPanel.top, ind.right, G.HeaderPanel.bottom),
                     pressed == HitHeaderButton);
  if (!IsRectEmpty(G.Footer))
    C.DrawEdge(Rect(ind.left, G.Footer.top, ind.right, G.Footer.bottom), bdRaisedInner, bfsRect);
  C.SaveClip();
  C.IntersectClipRect(Rect(ind.left, G.RowsArea.top, ind.right, G.RowsArea.bottom));
  for (const TTreeListRowPlace& row : G.Rows) {
    C.DrawEdge(Rect(ind.left, row.Top, ind.right, row.Bottom), bdRaisedInner, bfsRect);
    if (row.Node != FTree.FocusedNode()) continue;
    for (int k = 0; k < 4; ++k)
      Fill(Rect(ind.left + 3 + k, row.Mid - 3 + k, ind.left + 4 + k, row.Mid + 4 - k),
           clWindowText);
  }
  C.RestoreClip();
}

void TTreeListPainter::PaintPanelButton(const TRect& button, bool pressed) {
  C.DrawEdge(button, pressed ? bdSunkenOuter : bdRaisedInner, bfsRect);
  if (!pressed) return;
  // Held down, the face darkens as a header pressed in the flat looks does.
  TRect face = button;
  InflateRect(face, -1, -1);
  Fill(face, clBtnShadow);
}
