#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/Geometry.h"
#include "treelist/TreeListExport.h"

class TTreeList;
class TTreeListBand;
class TTreeListColumn;
class TTreeListNode;

// Sizes that follow from the fonts and options; measured again only after a change to them.
// All in pixels.
struct LISTCHART_TREELIST_API TTreeListMetrics {
  // The indentation of one tree level.
  static constexpr int kIndentWidth = 16;
  // The width of the expand button's area in a row.
  static constexpr int kButtonSize = 16;
  // The indicator column's width, when ShowIndicator.
  static constexpr int kIndicatorWidth = 12;
  // The width of the arrows that mark where a dragged header would drop.
  static constexpr int kDragArrowWidth = 11;

  // Whether the look is flat (any LookAndFeel but lfStandard): panels have no raised edge.
  bool Flat = false;
  // One row of the band panel: BandRowCount lines of BandFont and its edges.
  int BandRowHeight = 0;
  // The band panel's height: BandRowHeight, or 0 while ShowBands is off.
  int BandPanelHeight = 0;
  // Lines of HeaderFont in one header row: HeaderMinRowCount, at least 1.
  int HeaderLines = 1;
  // One header row: HeaderLines lines of HeaderFont and its edges.
  int HeaderRowHeight = 0;
  // The header panel's height: a HeaderRowHeight for each header row, or 0 while ShowHeader is
  // off.
  int HeaderPanelHeight = 0;
  // The indicator column's width: kIndicatorWidth, or 0 while ShowIndicator is off.
  int IndicatorWidth = 0;
  // One line of the tree-list's Font.
  int TextLineHeight = 0;
  // One line of PreviewFont.
  int PreviewLineHeight = 0;
  // The footer panel's height, or 0 while ShowFooter is off.
  int FooterHeight = 0;
  // A line of Font with the header's margins while the status panel shows, else 0.
  int StatusPanelHeight = 0;
  // The height of one row footer.
  int RowFooterHeight = 0;
  // The least height of one line of a row: the text, the expand button, the images and the
  // columns' own fonts fit in it.
  int MinRowHeight = 0;
  // The height of one line of a row (DefaultRowHeight): MinRowHeight, or the height set when
  // larger.
  int RowHeight = 0;
  // The width of a picture of Images; 0 without them.
  int ImageWidth = 0;
  // The height of a picture of Images; 0 without them.
  int ImageHeight = 0;
  // The width of a picture of StateImages; 0 without them.
  int StateImageWidth = 0;
  // The height of a picture of StateImages; 0 without them.
  int StateImageHeight = 0;
  // The width of "0" in Font: the margin unit of best fit and the step of sideways scrolling.
  int ZeroWidth = 0;
  // The height of the arrows that mark where a dragged header would drop.
  int DragArrowHeight = 0;

  // The panels under the rows: the footer, then the status panel.
  int BelowRows() const { return FooterHeight + StatusPanelHeight; }
};

// Measures the fonts (as a screen measures them) and derives every metric.
LISTCHART_TREELIST_API TTreeListMetrics MeasureMetrics(const TTreeList& tree);

// A visible band on screen. Coordinates are the control's client pixels.
struct LISTCHART_TREELIST_API TTreeListBandPlace {
  // The band.
  TTreeListBand* Band = nullptr;
  // The band's index in the band collection.
  int Index = -1;
  // The band's left edge, scrolled unless it is fixed.
  int Left = 0;
  // The band's right edge (exclusive).
  int Right = 0;
  // The band's header in the band panel; no height while the panel is hidden.
  TRect Header;
  // Whether the band is fixed at the left or the right.
  bool Fixed = false;
  // What of it shows: a scrolling band is hidden where the fixed bands stand.
  int ShownLeft = 0;
  // The right end (exclusive) of what shows.
  int ShownRight = 0;
};

// A visible column on screen.
struct LISTCHART_TREELIST_API TTreeListColumnPlace {
  // The column.
  TTreeListColumn* Column = nullptr;
  // The column's index in the column list.
  int ColumnIndex = -1;
  // Its band's index into TTreeListGeometry::Bands.
  int BandPlace = -1;
  // The header row the column stands in, from 0.
  int Row = 0;
  // Its position within its header row, from 0 at the left.
  int Position = 0;
  // Its position among the displayed columns: the focused column's number.
  int Display = -1;
  // The number of columns in that header row.
  int RowColumns = 1;
  // How many header rows (and lines of each cell) it spans.
  int Lines = 1;
  // The column's header in the header panel.
  TRect Header;
  // Cells span [CellLeft, CellRight), before indentation.
  int CellLeft = 0;
  // The right end (exclusive) of the cells.
  int CellRight = 0;
  // Whether it is the leftmost column of its header row.
  bool First() const { return Position == 0; }
  // Whether it is the rightmost column of its header row.
  bool Last() const { return Position == RowColumns - 1; }
};

// The vertical parts of one node's row, top down: its cells (one line of the header layout
// is LineHeight high), the preview, the row footers of the groups it closes, the separator.
// All in pixels.
struct LISTCHART_TREELIST_API TTreeListRowExtent {
  // One line of the header layout in this row: the line height times the row's text lines.
  int LineHeight = 0;
  // The height of the cells: LineHeight for each header row.
  int CellsHeight = 0;
  // The preview's height; 0 without a preview.
  int PreviewHeight = 0;
  // The number of row footers below the row.
  int Footers = 0;
  // The whole row's height, the separator included; at least 1.
  int Height = 0;
};

// A node row on screen with the points where its indentation splits: indent, expand button
// cell, state image, image, then the first cell's content. Coordinates are client pixels.
struct LISTCHART_TREELIST_API TTreeListRowPlace {
  // The row's node.
  TTreeListNode* Node = nullptr;
  // The row's visible-row position.
  int Row = 0;
  // The node's level: 0 for a root node.
  int Level = 0;
  // The row's top edge.
  int Top = 0;
  // The row's bottom edge (exclusive), below its separator.
  int Bottom = 0;
  // One line of the header layout in this row.
  int LineHeight = 0;
  // The cells end here; the preview follows.
  int CellsBottom = 0;
  // The preview ends here; the row footers follow.
  int PreviewBottom = 0;
  // Row footers: of the parent, the grandparent... that this row closes.
  int Footers = 0;
  // Tree lines and the expand button are centred on this y, beside the first line.
  int Mid = 0;
  // Where the indentation starts: the left of the first band's first column.
  int IndentLeft = 0;
  // The left of the expand button's cell, IndentWidth wide.
  int ButtonLeft = 0;
  // The left of the state image (equal to ImageLeft without one).
  int StateImageLeft = 0;
  // The left of the image (equal to ContentLeft without Images).
  int ImageLeft = 0;
  // The left of the first cell's content, after the indentation.
  int ContentLeft = 0;
  // Whether the node shows an expand button.
  bool HasButton = false;
  // One cell across all columns: a node with children in the psOutlook style.
  bool Group = false;
};

// Where everything stands for one paint or hit test: built fresh each time, never kept.
// Coordinates are the control's client pixels.
struct LISTCHART_TREELIST_API TTreeListGeometry {
  // The client area less the indicator.
  TRect Client;
  // The indicator column at the left, from top to bottom; no width while it is hidden.
  TRect Indicator;
  // The band panel at the top; no height while it is hidden.
  TRect BandPanel;
  // The header panel below it; no height while it is hidden.
  TRect HeaderPanel;
  // The area of the node rows, between the header panel and the footer.
  TRect RowsArea;
  // The footer panel at the bottom; no height while it is hidden.
  TRect Footer;
  // The status panel, under the footer.
  TRect StatusPanel;
  // The visible bands, left to right.
  std::vector<TTreeListBandPlace> Bands;
  // The visible columns: band by band, row by row, left to right.
  std::vector<TTreeListColumnPlace> Columns;
  // The lines that set the fixed bands off, from the band panel to the rows area's bottom.
  std::vector<TRect> FixedBandLines;
  // The rows shown, from the top row down, while they reach into the rows area.
  std::vector<TTreeListRowPlace> Rows;
  // The width of all bands and fixed lines together.
  int TotalWidth = 0;
  // Whether the fixed bands are too wide to stay, so that they scroll with the rest.
  bool FixedBandsScroll = false;
  // The part of the client the scrolling bands show in: its left edge.
  int ScrollLeft = 0;
  // Its right edge (exclusive).
  int ScrollRight = 0;
  // The horizontal scroll position in pixels, clamped to what the bands allow.
  int LeftCoord = 0;
  // The left of the first column of the first band: indentation starts here.
  int IndentOrigin = 0;
  // The height of every node row while the rows are uniform.
  int RowHeight = 0;
  // One line of a row (DefaultRowHeight).
  int LineHeight = 0;
  // The number of header rows, and of lines of a row.
  int HeaderRows = 1;
  // The grid line below each row, and right of each cell, when shown; its width.
  int Separator = 0;
  // Rows wholly inside the rows area, at least 1.
  int FullRows = 1;
  // Rows that fit ending with the last one: the top row stops there.
  int LastPageRows = 1;
  // The visible-row position of the first row shown.
  int TopRow = 0;
  // The height of one row footer.
  int RowFooterHeight = 0;
  // A line of the header layout in the footer and row footers.
  int FooterLineHeight = 0;
  // The footer panel's first line.
  int FooterLinesTop = 0;
  // All rows are RowHeight high: no auto height, previews or row footers.
  bool UniformRows = true;

  // The place of a column, or nullptr when it is not shown.
  const TTreeListColumnPlace* PlaceOf(const TTreeListColumn* column) const;
  // The row of a node, or nullptr when the node is not among Rows.
  const TTreeListRowPlace* RowOf(const TTreeListNode* node) const;
  // The cell's drawing rectangle: after the indentation for the first column.
  TRect CellRect(const TTreeListRowPlace& row, const TTreeListColumnPlace& place) const;
  // From the first cell's content to the right end of the cells, over the preview but not
  // the row footers.
  TRect RowContentRect(const TTreeListRowPlace& row) const;
  // A group row's one cell, from its content to the right end of the cells; it shows the text
  // of the first column placed.
  TRect GroupRect(const TTreeListRowPlace& row) const;
  // The right end of the cells.
  int CellsRight() const;
  // A column's cell in a footer (the panel's, or a row footer) whose lines start below top.
  TRect FooterCellRect(const TTreeListColumnPlace& place, int top) const;
  // The column whose footer cell holds p, in a footer whose lines start below top.
  const TTreeListColumnPlace* FooterColumnAt(TPoint p, int top) const;
  // The part of r (a header or a cell of the column) that shows: fixed bands cover the
  // scrolling ones.
  TRect Shown(const TTreeListColumnPlace& place, TRect r) const;
  // Whether x lies in the part of the column's band that shows.
  bool Shows(const TTreeListColumnPlace& place, int x) const;
};

// What a row's height depends on besides the node, remembered by node between layouts.
// Its owner forgets it whenever a node, the columns or the fonts change; the widths it was
// measured for are checked here.
class LISTCHART_TREELIST_API TTreeListExtentCache {
 public:
  // The measured part of a row: lines of its cells and of its preview.
  struct TLines {
    /// Lines of the cells' text, at least 1.
    int Cells = 1;
    /// Lines of the preview; 0 without one.
    int Preview = 0;
  };
  // Forgets every row.
  void Clear() { FLines.clear(); }
  // Forgets the row of one node (by its sequence number).
  void Forget(uint64_t node) { FLines.erase(node); }
  // Whether a row of the node is remembered.
  bool Knows(uint64_t node) const { return FLines.count(node) > 0; }
  // The node's remembered lines, or nullptr. Widths other than those measured for (column
  // widths, then the preview's) forget every row first.
  const TLines* Find(uint64_t node, const std::vector<int>& widths);
  // Remembers the node's lines; a cache of 65536 rows starts again, as deleted nodes leave
  // theirs behind.
  void Store(uint64_t node, const TLines& lines);

 private:
  std::vector<int> FWidths;
  std::unordered_map<uint64_t, TLines> FLines;
};

LISTCHART_TREELIST_API TTreeListGeometry BuildGeometry(const TTreeList& tree,
                                                       const TTreeListMetrics& metrics,
                                                       int clientWidth, int clientHeight,
                                                       TTreeListExtentCache* cache = nullptr);

// Whether every row has the same height (no auto height, previews or row footers).
LISTCHART_TREELIST_API bool UniformRows(const TTreeList& tree);
// The vertical parts of a node's row in a layout whose columns are placed.
LISTCHART_TREELIST_API TTreeListRowExtent RowExtent(const TTreeList& tree,
                                                    const TTreeListMetrics& metrics,
                                                    const TTreeListGeometry& g,
                                                    const TTreeListNode* node,
                                                    TTreeListExtentCache* cache = nullptr);
// The row footers below a node's row: one for each expanded group the row is the last row of,
// innermost first; RowFooterGroup names the group of footer k.
LISTCHART_TREELIST_API int RowFooterCount(const TTreeList& tree, const TTreeListNode* node);
LISTCHART_TREELIST_API TTreeListNode* RowFooterGroup(const TTreeListNode* node, int footer);
// How many rows, ending with the given visible row, fit wholly in the rows area (at least 1).
LISTCHART_TREELIST_API int RowsFittingUpTo(const TTreeList& tree, const TTreeListMetrics& metrics,
                                           const TTreeListGeometry& g, int lastRow,
                                           TTreeListExtentCache* cache = nullptr);
// How many rows, starting with the given visible row, fit wholly in the rows area (at least 1).
LISTCHART_TREELIST_API int RowsFittingFrom(const TTreeList& tree, const TTreeListMetrics& metrics,
                                           const TTreeListGeometry& g, int firstRow,
                                           TTreeListExtentCache* cache = nullptr);
// The height of the visible rows [from, to).
LISTCHART_TREELIST_API int RowsHeight(const TTreeList& tree, const TTreeListMetrics& metrics,
                                      const TTreeListGeometry& g, int from, int to,
                                      TTreeListExtentCache* cache = nullptr);

// Indentation of a node's first cell content, and its row height.
LISTCHART_TREELIST_API int NodeIndentation(const TTreeList& tree, const TTreeListMetrics& metrics,
                                           const TTreeListNode* node);
LISTCHART_TREELIST_API int UniformRowHeight(const TTreeList& tree, const TTreeListMetrics& metrics);
// The rows wholly inside the rows area, at least 1: the page of paging and scrolling.
LISTCHART_TREELIST_API int PageRowCount(const TTreeList& tree, const TTreeListMetrics& metrics,
                                        int clientHeight);

// Width distribution. Bands by visible index, for the given client width (less indicator).
LISTCHART_TREELIST_API std::vector<int> BandWidths(const TTreeList& tree, int clientWidth);
// The columns of one header row of a band, in list order, given the band's width.
LISTCHART_TREELIST_API std::vector<int> RowColumnWidths(const TTreeList& tree,
                                                        const std::vector<TTreeListColumn*>& row,
                                                        int bandWidth);
// A column's smallest width: MinWidth while it may be sized, else its Width.
LISTCHART_TREELIST_API int ColumnMinWidth(const TTreeListColumn* column);
// A band's smallest width: its own minimum (MinWidth while it may be sized, else its Width),
// raised to what its columns need side by side.
LISTCHART_TREELIST_API int BandMinWidth(const TTreeList& tree, const TTreeListBand& band);
