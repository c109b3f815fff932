#include "treelist/view/TreeListPainter.h"

#include <algorithm>

#include "platform/ImageList.h"
#include "treelist/TreeList.h"

namespace {

constexpr int kIndent = TTreeListMetrics::kIndentWidth;
constexpr int kExpandBox = 9;  // the plus and minus boxes, edges included
// The Outlook style's boxes, edges included: sunken, or framed in the ultra flat look.
constexpr int kOutlookBox = 12;
constexpr int kUltraFlatOutlookBox = 11;
// Right-aligned text keeps a pixel more from the right edge. Only its place moves: the width
// it may take is that of any alignment, the width a row's height was measured with.
constexpr int kRightInset = 1;

int AlignedX(const TRect& r, int width, TAlignment alignment) {
  if (width > r.Width()) return r.left;
  if (alignment == taCenter) return (r.left + r.right - width) / 2;
  if (alignment == taRightJustify) return std::max(r.right - kRightInset - width, r.left);
  return r.left;
}

}  // namespace

TTreeListPainter::TTreeListPainter(TTreeList& tree, const TTreeListGeometry& geometry,
                                   TCanvas& canvas, const TRect& updateRect)
    : FTree(tree), G(geometry), C(canvas), FUpdate(updateRect) {
  FControlFocused = tree.Focused();
  FShowSelection = FControlFocused || !tree.HideSelection();
  FRowSelect = tree.Options().Contains(aoRowSelect) || tree.OptionsEx().Contains(aoInvertSelect);
  FAnyCellHandler =
      static_cast<bool>(tree.OnCustomDraw) || static_cast<bool>(tree.OnCustomDrawCell);
  // Several lines, a band without columns, or a band wider than its columns (its Width
  // without aoBandHeaderWidth) leave places in a row that no cell covers.
  FUncoveredCells = G.HeaderRows > 1;
  for (size_t b = 0; b < G.Bands.size(); ++b)
    FUncoveredCells =
        FUncoveredCells || std::none_of(G.Columns.begin(), G.Columns.end(), [&](const auto& p) {
          return p.BandPlace == static_cast<int>(b) && p.CellRight >= G.Bands[b].Right;
        });
  for (const TTreeListColumnPlace& p : G.Columns)
    FAnyCellHandler = FAnyCellHandler || static_cast<bool>(p.Column->OnCustomDrawCell);
  // Dotted lines: a checkerboard whose line pixels sit where the first row's indentation would
  // start, so the dots of neighbouring rows line up and pixels moved by scrolling match what
  // a fresh paint draws.
  // Rows of different heights have no common origin: each row's dots start at its top, which
  // scrolling carries along with the row.
  FLineBrush = LineBrush(LineOrigin(nullptr), FTree.Color());
}

int TTreeListPainter::LineOrigin(const TTreeListRowPlace* row) const {
  return row && !G.UniformRows ? row->Top : G.RowsArea.top - G.TopRow * G.RowHeight;
}

TBrush TTreeListPainter::LineBrush(int originY, TColor background) const {
  const TColor line = FTree.TreeLineColor();
  if (FTree.TreeLineStyle() == tlSolid) return TBrush{line, bsSolid, line};
  const bool oddOrigin = ((G.IndentOrigin + originY) & 1) != 0;
  return oddOrigin ? TBrush{background, bsChecker, line} : TBrush{line, bsChecker, background};
}

bool TTreeListPainter::Visible(const TRect& r) const {
  TRect common;
  return IntersectRect(common, r, FUpdate);
}

void TTreeListPainter::Fill(const TRect& r, TColor color) {
  C.Brush() = TBrush{color, bsSolid, color};
  C.FillRect(r);
}

void TTreeListPainter::Paint() {
  C.SetTextAlign(taLeft | taTop);
  C.SetBkMode(bkTransparent);
  PaintBandPanel();
  PaintHeaderPanel();
  PaintIndicator();
  PaintFooter();
  PaintStatusPanel();
  PaintRows();
  // Last, so that neither headers nor the header panel's shadow cover them.
  for (const TRect& line : G.FixedBandLines)
    if (Visible(line)) Fill(line, FTree.FixedBandLineColor());
}

void TTreeListPainter::PaintRows() {
  if (!Visible(G.RowsArea)) return;
  C.SaveClip();
  C.IntersectClipRect(G.RowsArea);
  int bottom = G.RowsArea.top;
  for (const TTreeListRowPlace& row : G.Rows) {
    bottom = row.Bottom;
    if (row.Bottom > FUpdate.top && row.Top < FUpdate.bottom) PaintRow(row);
  }
  if (!FSegments.empty()) {
    const TColor grid = FTree.GridLineColor() == clNone ? clBtnShadow : FTree.GridLineColor();
    for (const TRect& segment : FSegments) Fill(segment, grid);
  }
  // Right of the cells and below the last row.
  const int cellsRight = std::max(G.CellsRight(), G.RowsArea.left);
  Fill(Rect(cellsRight, G.RowsArea.top, G.RowsArea.right, bottom), FTree.Color());
  Fill(Rect(G.RowsArea.left, bottom, G.RowsArea.right, G.RowsArea.bottom), FTree.Color());
  Fill(Rect(G.RowsArea.left, G.RowsArea.top, G.IndentOrigin, bottom), FTree.Color());
  C.RestoreClip();
}

TColor TTreeListPainter::RowBackground() const {
  return FLevelColor != clNone ? FLevelColor : FTree.Color();
}

void TTreeListPainter::PaintRow(const TTreeListRowPlace& row) {
  FLevelColor = clNone;
  if (FTree.OnGetLevelColor) {
    TColor color = FTree.Color();
    FTree.OnGetLevelColor(&FTree, row.Level, color);
    if (color != FTree.Color()) FLevelColor = color;
  }
  // The indentation belongs to the first band and hides under a fixed band like its cells.
  if (!G.Bands.empty()) {
    C.SaveClip();
    C.IntersectClipRect(Rect(G.Bands[0].ShownLeft, row.Top, G.Bands[0].ShownRight, row.Bottom));
    Fill(Rect(row.IndentLeft, row.Top, row.ContentLeft, row.Bottom), RowBackground());
    if (FTree.ShowLines()) PaintTreeLines(row);
    if (row.HasButton) PaintButton(row);
    PaintImages(row);
    C.RestoreClip();
  }
  // Places no cell covers (a header row a band leaves empty, a band without columns) show the
  // row's background, down to the grid line below them.
  if (FUncoveredCells)
    Fill(Rect(std::max(row.ContentLeft, G.IndentOrigin), row.Top, G.CellsRight(), row.Bottom),
         RowBackground());
  for (const TTreeListColumnPlace& place : G.Columns) {
    if (row.Group) break;
    const TRect cell = G.CellRect(row, place);
    const TRect shown = G.Shown(place, cell);
    if (IsRectEmpty(shown) || !Visible(shown)) continue;
    C.SaveClip();
    C.IntersectClipRect(shown);
    PaintCell(row, place);
    C.RestoreClip();
  }
  if (row.Group) PaintGroupRow(row);
  PaintPreview(row);
  PaintRowFooters(row);
  if (G.Separator > 0) {
    // Cell edges run down to the preview; the separator below takes the corner.
    for (const TTreeListColumnPlace& p : G.Columns) {
      if (row.Group) {
        FSegments.push_back(
            G.Shown(p, Rect(p.CellLeft, row.Bottom - G.Separator, p.CellRight, row.Bottom)));
        continue;
      }
      FSegments.push_back(
          G.Shown(p, Rect(p.CellLeft, row.Bottom - G.Separator, p.CellRight, row.Bottom)));
      FSegments.push_back(G.Shown(p, Rect(p.CellRight - 1, row.Top, p.CellRight, row.CellsBottom)));
    }
  }
  PaintFocusRect(row);
  // Where a drag and drop would land: a frame in the highlight colour.
  if (row.Node == FTree.Input().DropTarget()) {
    C.Brush() = TBrush{FTree.HighlightColor(), bsSolid, FTree.HighlightColor()};
    C.FrameRect(G.RowContentRect(row));
  }
}

// One-pixel rectangles in the line brush: the node's own column, then a full-height line for
// every ancestor that has siblings below it.
void TTreeListPainter::PaintTreeLines(const TTreeListRowPlace& row) {
  const int shift = FTree.ShowRoot() ? 0 : kIndent;
  const int x = G.IndentOrigin + row.Level * kIndent + 7 - shift;
  if (x < G.IndentOrigin) return;  // a root without its indent level
  const TTreeListNode* node = row.Node;
  const int mid = row.Mid;
  const bool firstRoot = !node->Parent() && FTree.Items(0) == node;
  const bool last = node->IsLast();
  // The dots' gaps show the row's background.
  C.Brush() = G.UniformRows && FLevelColor == clNone ? FLineBrush
                                                     : LineBrush(LineOrigin(&row), RowBackground());
  const int lineEnd = G.IndentOrigin + (row.Level + 1) * kIndent - 1 - shift;
  C.FillRect(Rect(row.HasButton ? x + 5 : x, mid, lineEnd, mid + 1));
  if (row.HasButton) {
    if (!firstRoot) C.FillRect(Rect(x, row.Top, x + 1, mid - 5));
    if (!last) C.FillRect(Rect(x, mid + 5, x + 1, row.Bottom));
  } else {
    C.FillRect(Rect(x, firstRoot ? mid : row.Top, x + 1, last ? mid : row.Bottom));
  }
  int ax = x - kIndent;
  for (const TTreeListNode* p = node->Parent(); p && ax >= G.IndentOrigin; p = p->Parent()) {
    if (!p->IsLast()) C.FillRect(Rect(ax, row.Top, ax + 1, row.Bottom));
    ax -= kIndent;
  }
}

// A 9 x 9 box centred in the node's button cell: minus, and a plus while collapsed.
void TTreeListPainter::PaintButton(const TTreeListRowPlace& row) {
  if (FTree.PaintStyle() == psOutlook) {
    const int size = FTree.LookAndFeel() == lfUltraFlat ? kUltraFlatOutlookBox : kOutlookBox;
    const int left = (row.ButtonLeft + row.ButtonLeft + kIndent - size) / 2;
    const int top = row.Mid - size / 2;
    return PaintOutlookButton(Rect(left, top, left + size, top + size), row.Node->Expanded());
  }
  const int left = (row.ButtonLeft + row.ButtonLeft + kIndent - kExpandBox) / 2;
  const int top = row.Mid - 4;
  const TRect box = Rect(left, top, left + kExpandBox, top + kExpandBox);
  Fill(Rect(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1), FTree.Color());
  C.Brush() = TBrush{clGrayText, bsSolid, clGrayText};
  C.FrameRect(box);
  Fill(Rect(left + 2, top + 4, box.right - 2, top + 5), clWindowText);
  if (!row.Node->Expanded()) Fill(Rect(left + 4, top + 2, left + 5, box.bottom - 2), clWindowText);
}

// A box with a 5-pixel bar, crossed while collapsed.
void TTreeListPainter::PaintOutlookButton(const TRect& box, bool expanded) {
  if (FTree.LookAndFeel() == lfUltraFlat) {
    Fill(box, FTree.Color());
    C.Brush() = TBrush{clWindowFrame, bsSolid, clWindowFrame};
    C.FrameRect(box);
  } else {
    Fill(box, clBtnFace);
    C.DrawEdge(box, edgeSunken, bfsRect);
  }
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  Fill(Rect(cx - 2, cy, cx + 3, cy + 1), clWindowText);
  if (!expanded) Fill(Rect(cx, cy - 2, cx + 1, cy + 3), clWindowText);
}

// One cell across every column in the group colours; the custom draw sees it as a cell of the
// first column placed. The fixed band lines, drawn last, still cross it.
void TTreeListPainter::PaintGroupRow(const TTreeListRowPlace& row) {
  const TRect cell = G.GroupRect(row);
  if (IsRectEmpty(cell) || !Visible(cell)) return;
  TTreeListColumn* column = G.Columns.front().Column;
  TTreeListNode* node = row.Node;
  // The row's one cell: the focused node's focused cell even without row select.
  const bool inCell = InSelectedCell(node, true);
  const bool selected = FShowSelection && node->Selected() && inCell;
  const bool focused = FControlFocused && node == FTree.FocusedNode() && inCell;
  const TColor background = !selected         ? FTree.GroupNodeColor()
                            : FControlFocused ? FTree.HighlightColor()
                                              : FTree.HideSelectionColor();
  const TTreeListColumn* shown = column->ShownColumn();
  std::string text = node->Strings(shown->ValueIndex());
  const TFont saved = C.Font();
  C.Font() = FTree.Font();
  if (selected)
    C.Font().SetColor(FControlFocused ? FTree.HighlightTextColor()
                                      : FTree.HideSelectionTextColor());
  else if (FTree.GroupNodeTextColor() != clNone)
    C.Font().SetColor(FTree.GroupNodeTextColor());
  TColor color = background;
  TAlignment alignment = taLeftJustify;
  bool done = false;
  C.SaveClip();
  C.IntersectClipRect(
      Rect(std::max(cell.left, G.Bands.front().ShownLeft), cell.top, cell.right, cell.bottom));
  if (FTree.OnCustomDraw)
    FTree.OnCustomDraw(&FTree, C, cell, node, column, text, C.Font(), color, selected, focused,
                       done);
  if (!done && FTree.OnCustomDrawCell)
    FTree.OnCustomDrawCell(&FTree, C, cell, node, column, selected, focused, false, text, color,
                           C.Font(), alignment, done);
  if (!done) {
    Fill(cell, color);
    TRect r = Rect(cell.left + 2, cell.top + 1, cell.right - 1, cell.bottom - 1);
    text = shown->DisplayText(text);
    const unsigned align = alignment == taCenter         ? dtCenter
                           : alignment == taRightJustify ? dtRight
                                                         : dtLeft;
    if (!text.empty() && !IsRectEmpty(r))
      C.DrawText(text, r, dtSingleLine | dtVCenter | dtEndEllipsis | dtNoPrefix | align);
  }
  C.RestoreClip();
  C.Font() = saved;
}

// Each picture centred in its cell right of the button cell: the state image, then the
// image. A focused node shows its SelectedIndex picture when it has one.
void TTreeListPainter::PaintImages(const TTreeListRowPlace& row) {
  const int height = row.CellsBottom - row.Top;
  auto draw = [&](const TImageList* list, int left, int right, int index) {
    if (!list || index < 0 || right <= left) return;
    list->Draw(C, (left + right - list->Width()) / 2, row.Top + (height - list->Height()) / 2,
               index);
  };
  const TTreeListNode* node = row.Node;
  draw(FTree.StateImages(), row.StateImageLeft, row.ImageLeft, node->StateIndex());
  const int selected = node == FTree.FocusedNode() ? node->SelectedIndex() : -1;
  draw(FTree.Images(), row.ImageLeft, row.ContentLeft,
       selected >= 0 ? selected : node->ImageIndex());
}

bool TTreeListPainter::InSelectedCell(const TTreeListNode* node, bool focusedColumn) const {
  return FRowSelect || (focusedColumn && node == FTree.FocusedNode());
}

// State and colours of a cell, the three custom-draw steps, then the cell itself unless a
// handler drew it. The canvas font is put back afterwards whatever a handler changed.
void TTreeListPainter::PaintCell(const TTreeListRowPlace& row, const TTreeListColumnPlace& place) {
  TTreeListColumn* column = place.Column;
  TTreeListNode* node = row.Node;
  const bool inCell = InSelectedCell(node, place.Display == FTree.FocusedColumn());
  const bool selected = FShowSelection && node->Selected() && inCell;
  const bool focused = FControlFocused && node == FTree.FocusedNode() && inCell;
  const bool levelColored = FLevelColor != clNone && !(column->AssignedValues() & cavColor);
  const TColor background =
      selected       ? FControlFocused ? FTree.HighlightColor() : FTree.HideSelectionColor()
            : levelColored ? FLevelColor
                     : column->Color();
  const TRect cell = G.CellRect(row, place);
  // A wrapper's cells show its reference column's values, drawn that column's way.
  const TTreeListColumn* shown = column->ShownColumn();
  std::string text = node->Strings(shown->ValueIndex());
  const TFont saved = C.Font();
  C.Font() = column->Font();
  if (selected)
    C.Font().SetColor(FControlFocused ? FTree.HighlightTextColor()
                                      : FTree.HideSelectionTextColor());
  // The hot row's text in the highlight colour, the hot cell's underlined.
  if (node == FTree.Input().HotNode() && FTree.OptionsEx().Contains(aoHotTrack)) {
    if (!selected) C.Font().SetColor(FTree.HighlightColor());
    if (place.ColumnIndex == FTree.Input().HotColumn())
      C.Font().SetStyle(C.Font().Style() | fsUnderline);
  }
  TColor color = background;
  TAlignment alignment = column->Alignment();
  bool done = false;
  if (FAnyCellHandler) {
    if (FTree.OnCustomDraw)
      FTree.OnCustomDraw(&FTree, C, cell, node, column, text, C.Font(), color, selected, focused,
                         done);
    if (!done && FTree.OnCustomDrawCell)
      FTree.OnCustomDrawCell(&FTree, C, cell, node, column, selected, focused, false, text, color,
                             C.Font(), alignment, done);
    if (!done && column->OnCustomDrawCell)
      column->OnCustomDrawCell(column, C, cell, node, column, selected, focused, false, text, color,
                               C.Font(), alignment, done);
  }
  if (!done) {
    const TColor fill = ColorToRGB(color) != ColorToRGB(background) ? color : background;
    FSearchMark = SearchMarkLength(FTree, node, column);
    DrawCellText(cell, place, *shown, std::move(text), fill, alignment, selected);
  }
  C.Font() = saved;
}

void TTreeListPainter::DrawCellText(const TRect& cell, const TTreeListColumnPlace& place,
                                    const TTreeListColumn& shown, std::string text,
                                    TColor background, TAlignment alignment, bool selected) {
  Fill(cell, background);
  TRect area = DrawEditButtons(cell, shown, selected);
  text = shown.DisplayText(text);
  if (text.empty() || IsRectEmpty(area)) return;
  TRect r = Rect(area.left + 2, area.top + 1, area.right - 1, area.bottom - 1);
  const TSize size = C.TextExtent(text);
  const bool fits = size.cx <= r.Width();
  const TTextLayout layout = place.Column->VertAlignment();
  // Rows sized to their text break it into lines.
  if (FTree.OptionsEx().Contains(aoRowAutoHeight) &&
      (!fits || text.find('\n') != std::string::npos)) {
    DrawWrappedText(r, text, alignment, layout, &background);
    return;
  }
  if (!fits && FTree.Options().Contains(aoDrawEndEllipsis)) {
    C.DrawText(text, r, dtSingleLine | dtEndEllipsis | dtNoPrefix);
    return;
  }
  const int x = AlignedX(r, size.cx, alignment);
  const int y = layout == tlTop      ? r.top
                : layout == tlCenter ? (r.top + r.bottom - size.cy) / 2
                                     : r.bottom - size.cy;
  if (fits && size.cy <= r.Height()) {
    C.TextOut(x, y, text);
    DrawSearchMark(x, y, text, background);
    return;
  }
  C.SaveClip();
  C.IntersectClipRect(r);
  C.TextOut(x, y, text);
  DrawSearchMark(x, y, text, background);
  C.RestoreClip();
}

// Line by line, as many whole lines as the rectangle holds: a row held to MaxRowLineCount
// shows no half line.
void TTreeListPainter::DrawWrappedText(const TRect& r, const std::string& text,
                                       TAlignment alignment, TTextLayout layout,
                                       const TColor* searchBackground) {
  std::vector<std::string> lines = WrappedLines(C.Font(), text, r.Width());
  const int lineHeight = std::max(C.TextExtent("Wg").cy, 1);
  const size_t fit = static_cast<size_t>(std::max(r.Height() / lineHeight, 1));
  if (lines.size() > fit) lines.resize(fit);
  const int total = static_cast<int>(lines.size()) * lineHeight;
  int y = layout == tlTop      ? r.top
          : layout == tlCenter ? (r.top + r.bottom - total) / 2
                               : r.bottom - total;
  C.SaveClip();
  C.IntersectClipRect(r);
  for (const std::string& line : lines) {
    const int x = AlignedX(r, C.TextExtent(line).cx, alignment);
    C.TextOut(x, y, line);
    // A search matches the start of the text: its mark is on the first line.
    if (searchBackground && &line == &lines.front()) DrawSearchMark(x, y, line, *searchBackground);
    y += lineHeight;
  }
  C.RestoreClip();
}

// The part of the text an incremental search matched, in the cell's colours swapped.
void TTreeListPainter::DrawSearchMark(int x, int y, const std::string& text, TColor background) {
  if (FSearchMark == 0) return;
  const std::string typed = text.substr(0, FSearchMark);
  const TSize size = C.TextExtent(typed);
  const TColor ink = C.Font().Color();
  Fill(Rect(x, y, x + size.cx, y + size.cy), ink);
  C.Font().SetColor(background);
  C.TextOut(x, y, typed);
  C.Font().SetColor(ink);
}

void TTreeListPainter::PaintFocusRect(const TTreeListRowPlace& row) {
  const TTreeListNode* node = row.Node;
  if (!FRowSelect || node != FTree.FocusedNode() || !node->Selected()) return;
  const bool show =
      FControlFocused ? !FTree.Options().Contains(aoHideFocusRect) : !FTree.HideFocusRect();
  if (show) C.DrawFocusRect(G.RowContentRect(row));
}
