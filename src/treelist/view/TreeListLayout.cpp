#include "treelist/view/TreeListLayout.h"

#include <algorithm>

#include "platform/Font.h"
#include "platform/ImageList.h"
#include "treelist/TreeList.h"

namespace {

int LineHeight(const TFont& font) {
  return MeasureText(font, "Wg").height;
}

// Start from the text line, then make room for the button, the images and own column fonts.
int MinimumRowHeight(const TTreeList& tree, const TTreeListMetrics& m) {
  const int gridExtra = tree.ShowGrid() && tree.ShowPreviewGrid() ? 1 : 0;
  int height = std::max(m.TextLineHeight + 3, TTreeListMetrics::kButtonSize);
  // A picture taller than all lines of a row together raises the row.
  for (int image : {m.ImageHeight, m.StateImageHeight})
    if (image > (height + gridExtra) * tree.HeaderPanelRowCount()) height = image;
  for (int i = 0; i < tree.ColumnCount(); ++i) {
    const TTreeListColumn* c = tree.Columns(i);
    if (c->AssignedValues() & cavFont) height = std::max(height, LineHeight(c->Font()) + 3);
  }
  height += gridExtra;
  if (tree.OptionsEx().Contains(aoInvertSelect)) height += 2;
  return height;
}

}  // namespace

TTreeListMetrics MeasureMetrics(const TTreeList& tree) {
  TTreeListMetrics m;
  m.Flat = tree.LookAndFeel() != lfStandard;
  const int raise = m.Flat ? 0 : 1;
  const int panelRows = tree.HeaderPanelRowCount();
  m.BandRowHeight = LineHeight(tree.BandFont()) * tree.BandRowCount() + raise + 5;
  m.BandPanelHeight = tree.ShowBands() ? m.BandRowHeight : 0;
  m.HeaderLines = std::max(tree.HeaderMinRowCount(), 1);
  m.HeaderRowHeight = LineHeight(tree.HeaderFont()) * m.HeaderLines + raise + 5;
  m.HeaderPanelHeight = tree.ShowHeader() ? m.HeaderRowHeight * panelRows : 0;
  m.IndicatorWidth = tree.ShowIndicator() ? TTreeListMetrics::kIndicatorWidth : 0;
  m.TextLineHeight = LineHeight(tree.Font());
  m.PreviewLineHeight = LineHeight(tree.PreviewFont());
  m.FooterHeight = tree.ShowFooter() ? (m.TextLineHeight + 7) * panelRows + raise + 3 : 0;
  m.StatusPanelHeight = tree.ShowStatusPanel() ? m.TextLineHeight + raise + 5 : 0;
  m.RowFooterHeight =
      (m.TextLineHeight + 7) * panelRows + (tree.ShowGrid() && tree.ShowPreviewGrid() ? 1 : 0) + 2;
  if (const TImageList* images = tree.Images())
    m.ImageWidth = images->Width(), m.ImageHeight = images->Height();
  if (const TImageList* images = tree.StateImages())
    m.StateImageWidth = images->Width(), m.StateImageHeight = images->Height();
  m.MinRowHeight = MinimumRowHeight(tree, m);
  m.RowHeight = m.MinRowHeight;
  m.ZeroWidth = MeasureText(tree.Font(), "0").width;
  m.DragArrowHeight = m.HeaderRowHeight + 18;
  return m;
}

int NodeIndentation(const TTreeList& tree, const TTreeListMetrics& metrics,
                    const TTreeListNode* node) {
  const int I = TTreeListMetrics::kIndentWidth;
  const bool children = node->HasChildren() || node->Count() > 0;
  const int level = node->Level();
  int indent = children || tree.PaintStyle() == psStandard ? (level + 1) * I : level * I;
  if (!tree.ShowRoot()) indent -= I;
  if (node->StateIndex() >= 0) indent += metrics.StateImageWidth;
  return indent + metrics.ImageWidth;
}

int UniformRowHeight(const TTreeList& tree, const TTreeListMetrics& metrics) {
  const bool grids = tree.ShowGrid() && tree.ShowPreviewGrid();
  return (tree.ShowGrid() ? tree.RowSeparatorLineWidth() : 0) +
         tree.HeaderPanelRowCount() * metrics.RowHeight - (grids ? 1 : 0);
}

int PageRowCount(const TTreeList& tree, const TTreeListMetrics& metrics, int clientHeight) {
  const int top = metrics.BandPanelHeight + metrics.HeaderPanelHeight;
  const int bottom = std::max(top, clientHeight - metrics.BelowRows());
  return std::max((bottom - top) / std::max(UniformRowHeight(tree, metrics), 1), 1);
}

namespace {

// Panels stacked top to bottom, the indicator at the left of them all.
void PlacePanels(TTreeListGeometry& g, const TTreeListMetrics& m, int width, int height) {
  g.Indicator = Rect(0, 0, m.IndicatorWidth, height);
  g.Client = Rect(m.IndicatorWidth, 0, std::max(width, m.IndicatorWidth), height);
  int y = 0;
  g.BandPanel = Rect(g.Client.left, y, g.Client.right, y + m.BandPanelHeight);
  y += m.BandPanelHeight;
  g.HeaderPanel = Rect(g.Client.left, y, g.Client.right, y + m.HeaderPanelHeight);
  y += m.HeaderPanelHeight;
  const int footerTop = std::max(y, height - m.BelowRows());
  g.RowsArea = Rect(g.Client.left, y, g.Client.right, footerTop);
  g.Footer = Rect(g.Client.left, footerTop, g.Client.right, footerTop + m.FooterHeight);
  g.StatusPanel =
      Rect(g.Client.left, g.Footer.bottom, g.Client.right, g.Footer.bottom + m.StatusPanelHeight);
  g.FooterLineHeight = m.TextLineHeight + 7;
  g.FooterLinesTop = g.Footer.top + (m.Flat ? 0 : 1);  // below the raised edge
}

// Every band side by side, shifted by LeftCoord, the fixed ones still set off by their lines.
void PlaceScrollingBands(TTreeListGeometry& g, const TTreeList& tree,
                         const std::vector<int>& widths) {
  const int line = tree.FixedBandLineWidth();
  g.ScrollLeft = g.Client.left;
  g.ScrollRight = g.Client.right;
  int x = g.Client.left - g.LeftCoord;
  for (int v = 0; v < static_cast<int>(widths.size()); ++v) {
    TTreeListBandPlace place;
    place.Band = tree.VisibleBands(v);
    place.Index = place.Band->Index();
    place.Fixed = place.Band->Fixed() != bfNone;
    if (place.Band->Fixed() == bfRight) {
      g.FixedBandLines.push_back(Rect(x, g.BandPanel.top, x + line, g.RowsArea.bottom));
      x += line;
    }
    place.Left = x;
    place.Right = x += widths[v];
    place.ShownLeft = std::max(place.Left, g.ScrollLeft);
    place.ShownRight = std::min(place.Right, g.ScrollRight);
    place.Header = Rect(place.Left, g.BandPanel.top, place.Right, g.BandPanel.bottom);
    g.Bands.push_back(place);
    if (place.Band->Fixed() == bfLeft) {
      g.FixedBandLines.push_back(Rect(x, g.BandPanel.top, x + line, g.RowsArea.bottom));
      x += line;
    }
  }
}

// Left-fixed band first, scrolling bands shifted by LeftCoord, right-fixed band last; a
// fixed band is set off by a line. Fixed bands that leave no room for the others would hide
// them for good: then every band scrolls.
void PlaceBands(TTreeListGeometry& g, const TTreeList& tree) {
  const std::vector<int> widths = BandWidths(tree, g.Client.Width());
  const int line = tree.FixedBandLineWidth();
  int fixedLeft = 0, fixedRight = 0, scrolling = 0;
  for (int v = 0; v < static_cast<int>(widths.size()); ++v) {
    const TGridBandFixed fixed = tree.VisibleBands(v)->Fixed();
    (fixed == bfLeft ? fixedLeft : fixed == bfRight ? fixedRight : scrolling) += widths[v];
  }
  const int leftPart = fixedLeft > 0 ? fixedLeft + line : 0;
  const int rightPart = fixedRight > 0 ? fixedRight + line : 0;
  g.TotalWidth = leftPart + scrolling + rightPart;
  const int maxLeft = std::max(g.TotalWidth - g.Client.Width(), 0);
  g.LeftCoord = std::clamp(tree.LeftCoord(), 0, maxLeft);
  g.FixedBandsScroll = leftPart + rightPart + std::min(scrolling, 1) > g.Client.Width();
  if (g.FixedBandsScroll) return PlaceScrollingBands(g, tree, widths);
  int x = g.Client.left + leftPart - g.LeftCoord;
  g.ScrollLeft = g.Client.left + leftPart;
  // Two fixed bands wider than the client keep their order: the right one is cut off.
  const int rightStart =
      std::max(std::min(x + scrolling, g.Client.right - rightPart), g.ScrollLeft) +
      (rightPart ? line : 0);
  g.ScrollRight = std::max(rightPart ? rightStart - line : g.Client.right, g.ScrollLeft);
  for (int v = 0; v < static_cast<int>(widths.size()); ++v) {
    TTreeListBandPlace place;
    place.Band = tree.VisibleBands(v);
    place.Index = place.Band->Index();
    place.Fixed = place.Band->Fixed() != bfNone;
    if (place.Band->Fixed() == bfLeft)
      place.Left = g.Client.left;
    else if (place.Band->Fixed() == bfRight)
      place.Left = rightStart;
    else
      place.Left = x, x += widths[v];
    place.Right = place.Left + widths[v];
    place.ShownLeft = place.Fixed ? place.Left : std::max(place.Left, g.ScrollLeft);
    place.ShownRight = place.Fixed ? place.Right : std::min(place.Right, g.ScrollRight);
    place.Header = Rect(place.Left, g.BandPanel.top, place.Right, g.BandPanel.bottom);
    g.Bands.push_back(place);
  }
  if (fixedLeft > 0)
    g.FixedBandLines.push_back(Rect(g.Client.left + fixedLeft, g.BandPanel.top,
                                    g.Client.left + fixedLeft + line, g.RowsArea.bottom));
  if (fixedRight > 0)
    g.FixedBandLines.push_back(
        Rect(rightStart - line, g.BandPanel.top, rightStart, g.RowsArea.bottom));
}

// How many header rows a column's header covers: the last used row of a band reaches down.
int HeaderLinesOf(const TTreeList& tree, const TTreeListColumn* column, int row, int lastUsed) {
  if (row != lastUsed) return 1;
  const int remaining = tree.HeaderPanelRowCount() - row;
  const int most = column->HeaderMaxLineCount();
  return most > 0 ? std::min(remaining, most) : remaining;
}

void PlaceColumns(TTreeListGeometry& g, const TTreeList& tree, const TTreeListMetrics& m) {
  for (int b = 0; b < static_cast<int>(g.Bands.size()); ++b) {
    const TTreeListBandPlace& band = g.Bands[b];
    int lastUsed = 0;
    for (int row = 0; row < tree.HeaderPanelRowCount(); ++row)
      if (tree.ColumnsInBandRow(band.Index, row) > 0) lastUsed = row;
    for (int row = 0; row < tree.HeaderPanelRowCount(); ++row) {
      std::vector<TTreeListColumn*> columns;
      for (int p = 0; TTreeListColumn* c = tree.ColumnAt(band.Index, row, p); ++p)
        columns.push_back(c);
      const std::vector<int> widths = RowColumnWidths(tree, columns, band.Right - band.Left);
      int x = band.Left;
      for (int p = 0; p < static_cast<int>(columns.size()); ++p) {
        TTreeListColumnPlace place;
        place.Column = columns[p];
        place.ColumnIndex = tree.IndexOfColumn(columns[p]);
        place.BandPlace = b, place.Row = row, place.Position = p;
        place.RowColumns = static_cast<int>(columns.size());
        place.Lines = HeaderLinesOf(tree, columns[p], row, lastUsed);
        const int top = g.HeaderPanel.top + row * m.HeaderRowHeight;
        place.Header = Rect(x, top, x + widths[p], top + place.Lines * m.HeaderRowHeight);
        place.CellLeft = x;
        place.CellRight = x + widths[p];
        x += widths[p];
        g.Columns.push_back(place);
      }
    }
  }
  if (!g.Bands.empty()) g.IndentOrigin = g.Bands.front().Left;
  const std::vector<TTreeListColumn*> displayed = tree.DisplayedColumns();
  for (TTreeListColumnPlace& place : g.Columns)
    place.Display = static_cast<int>(std::find(displayed.begin(), displayed.end(), place.Column) -
                                     displayed.begin());
}

// The rows from the top row down, as far as the rows area reaches. Rows of one height are
// counted by arithmetic; rows of different heights are measured, but only those near the
// top row and near the last one, so a long tree costs no more than a short one.
void PlaceRows(TTreeListGeometry& g, const TTreeList& tree, const TTreeListMetrics& m,
               TTreeListExtentCache* cache) {
  g.RowHeight = std::max(UniformRowHeight(tree, m), 1);
  g.LineHeight = m.RowHeight;
  g.HeaderRows = tree.HeaderPanelRowCount();
  g.Separator = tree.ShowGrid() ? tree.RowSeparatorLineWidth() : 0;
  g.RowFooterHeight = m.RowFooterHeight;
  g.UniformRows = UniformRows(tree);
  const int count = tree.VisibleCount();
  g.FullRows = PageRowCount(tree, m, g.Client.Height());
  g.LastPageRows =
      g.UniformRows || count == 0 ? g.FullRows : RowsFittingUpTo(tree, m, g, count - 1, cache);
  // The model's top row is only read.
  const TTreeListNode* top = tree.TopVisibleNode();
  int row = ClampTopRow(top ? top->AbsoluteIndex() : 0, count, g.LastPageRows);
  TTreeListNode* node = tree.AbsoluteNodes(row);
  g.TopRow = row;
  if (!node) return;
  const int I = TTreeListMetrics::kIndentWidth;
  const int rootShift = tree.ShowRoot() ? 0 : I;
  int full = 0;
  for (int y = g.RowsArea.top; node && y < g.RowsArea.bottom; ++row) {
    const TTreeListRowExtent e = g.UniformRows
                                     ? TTreeListRowExtent{g.LineHeight, 0, 0, 0, g.RowHeight}
                                     : RowExtent(tree, m, g, node, cache);
    TTreeListRowPlace r;
    r.Node = node;
    r.Row = row;
    r.Level = node->Level();
    r.Top = y;
    r.Bottom = y + e.Height;
    r.LineHeight = e.LineHeight;
    r.CellsBottom = r.Bottom - g.Separator - e.Footers * m.RowFooterHeight - e.PreviewHeight;
    r.PreviewBottom = r.CellsBottom + e.PreviewHeight;
    r.Footers = e.Footers;
    r.Mid = y + g.RowHeight / 2;  // beside the first line, as in a row of one line
    r.IndentLeft = g.IndentOrigin;
    r.ButtonLeft = g.IndentOrigin + r.Level * I - rootShift;
    const bool children = node->HasChildren() || node->Count() > 0;
    r.HasButton = tree.ShowButtons() && children;
    r.Group = children && tree.PaintStyle() == psOutlook && !g.Columns.empty();
    r.ContentLeft = g.IndentOrigin + NodeIndentation(tree, m, node);
    r.ImageLeft = r.ContentLeft - m.ImageWidth;
    r.StateImageLeft = r.ImageLeft - (node->StateIndex() >= 0 ? m.StateImageWidth : 0);
    g.Rows.push_back(r);
    if (r.Bottom <= g.RowsArea.bottom) ++full;
    y = r.Bottom;
    node = node->GetNextVisible();
  }
  if (!g.UniformRows) g.FullRows = std::max(full, 1);
}

}  // namespace

TTreeListGeometry BuildGeometry(const TTreeList& tree, const TTreeListMetrics& metrics,
                                int clientWidth, int clientHeight, TTreeListExtentCache* cache) {
  TTreeListGeometry g;
  PlacePanels(g, metrics, clientWidth, clientHeight);
  PlaceBands(g, tree);
  PlaceColumns(g, tree, metrics);
  PlaceRows(g, tree, metrics, cache);
  return g;
}

const TTreeListColumnPlace* TTreeListGeometry::PlaceOf(const TTreeListColumn* column) const {
  for (const TTreeListColumnPlace& p : Columns)
    if (p.Column == column) return &p;
  return nullptr;
}

const TTreeListRowPlace* TTreeListGeometry::RowOf(const TTreeListNode* node) const {
  for (const TTreeListRowPlace& r : Rows)
    if (r.Node == node) return &r;
  return nullptr;
}

TRect TTreeListGeometry::CellRect(const TTreeListRowPlace& row,
                                  const TTreeListColumnPlace& place) const {
  const int top = row.Top + place.Row * row.LineHeight;
  const bool lastLine = place.Row + place.Lines >= HeaderRows;
  const int bottom = lastLine ? row.CellsBottom : top + place.Lines * row.LineHeight;
  TRect r = Rect(place.CellLeft, top, place.CellRight - (Separator > 0 ? 1 : 0), bottom);
  // The first column of the first band carries the indentation.
  if (place.BandPlace == 0 && place.Position == 0) r.left = std::max(r.left, row.ContentLeft);
  return r;
}

TRect TTreeListGeometry::RowContentRect(const TTreeListRowPlace& row) const {
  const int bottom = row.Footers > 0 ? row.PreviewBottom : row.Bottom;
  return Rect(row.ContentLeft, row.Top, std::max(CellsRight(), row.ContentLeft), bottom);
}

TRect TTreeListGeometry::GroupRect(const TTreeListRowPlace& row) const {
  return Rect(row.ContentLeft, row.Top, std::max(CellsRight(), row.ContentLeft), row.CellsBottom);
}

int TTreeListGeometry::CellsRight() const {
  int right = Client.left;
  for (const TTreeListBandPlace& b : Bands) right = std::max(right, b.Right);
  return right;
}

TRect TTreeListGeometry::FooterCellRect(const TTreeListColumnPlace& place, int top) const {
  return Rect(place.CellLeft, top + 1 + place.Row * FooterLineHeight, place.CellRight,
              top + 1 + (place.Row + place.Lines) * FooterLineHeight);
}

const TTreeListColumnPlace* TTreeListGeometry::FooterColumnAt(TPoint p, int top) const {
  for (const TTreeListColumnPlace& c : Columns)
    if (PtInRect(FooterCellRect(c, top), p) && Shows(c, p.x)) return &c;
  return nullptr;
}

TRect TTreeListGeometry::Shown(const TTreeListColumnPlace& place, TRect r) const {
  const TTreeListBandPlace& band = Bands[place.BandPlace];
  r.left = std::max(r.left, band.ShownLeft);
  r.right = std::max(std::min(r.right, band.ShownRight), r.left);
  return r;
}

bool TTreeListGeometry::Shows(const TTreeListColumnPlace& place, int x) const {
  const TTreeListBandPlace& band = Bands[place.BandPlace];
  return x >= band.ShownLeft && x < band.ShownRight;
}
