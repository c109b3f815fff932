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
struct LISTCHART_TREELIST_API TTreeListMetrics {
  static constexpr int kIndentWidth = 16;
  static constexpr int kButtonSize = 16;
  static constexpr int kIndicatorWidth = 12;
  static constexpr int kDragArrowWidth = 11;

  bool Flat = false;
  int BandRowHeight = 0;
  int BandPanelHeight = 0;
  int HeaderLines = 1;
  int HeaderRowHeight = 0;
  int HeaderPanelHeight = 0;
  int IndicatorWidth = 0;
  int TextLineHeight = 0;
  int PreviewLineHeight = 0;  // a line of PreviewFont
  int FooterHeight = 0;
  // A line of Font with the header's margins while the status panel shows, else 0.
  int StatusPanelHeight = 0;
  int RowFooterHeight = 0;
  int MinRowHeight = 0;
  int RowHeight = 0;   // DefaultRowHeight
  int ImageWidth = 0;  // of Images and StateImages, 0 without them
  int ImageHeight = 0;
  int StateImageWidth = 0;
  int StateImageHeight = 0;
  int ZeroWidth = 0;  // width of "0", for best fit
  int DragArrowHeight = 0;

  // The panels under the rows: the footer, then the status panel.
  int BelowRows() const { return FooterHeight + StatusPanelHeight; }
};

// Measures the fonts (as a screen measures them) and derives every metric.
LISTCHART_TREELIST_API TTreeListMetrics MeasureMetrics(const TTreeList& tree);

// A visible band on screen.
struct LISTCHART_TREELIST_API TTreeListBandPlace {
  TTreeListBand* Band = nullptr;
  int Index = -1;  // in the band collection
  int Left = 0;    // horizontal extent, scrolled unless fixed
  int Right = 0;
  TRect Header;  // in the band panel; no height while the panel is hidden
  bool Fixed = false;
  // What of it shows: a scrolling band is hidden where the fixed bands stand.
  int ShownLeft = 0;
  int ShownRight = 0;
};

// A visible column on screen.
struct LISTCHART_TREELIST_API TTreeListColumnPlace {
  TTreeListColumn* Column = nullptr;
  int ColumnIndex = -1;  // in the column list
  int BandPlace = -1;    // index into TTreeListGeometry::Bands
  int Row = 0;           // header row
  int Position = 0;      // within its header row
  int Display = -1;      // position among the displayed columns: the focused column's number
  int RowColumns = 1;    // columns in that header row
  int Lines = 1;         // header rows (and cell lines) it spans
  TRect Header;
  int CellLeft = 0;  // cells span [CellLeft, CellRight), before indentation
  int CellRight = 0;
  bool First() const { return Position == 0; }
  bool Last() const { return Position == RowColumns - 1; }
};

// The vertical parts of one node's row, top down: its cells (one line of the header layout
// is LineHeight high), the preview, the row footers of the groups it closes, the separator.
struct LISTCHART_TREELIST_API TTreeListRowExtent {
  int LineHeight = 0;
  int CellsHeight = 0;
  int PreviewHeight = 0;  // 0 without a preview
  int Footers = 0;
  int Height = 0;
};

// A node row on screen with the points where its indentation splits: indent, expand button
// cell, state image, image, then the first cell's content.
struct LISTCHART_TREELIST_API TTreeListRowPlace {
  TTreeListNode* Node = nullptr;
  int Row = 0;  // visible-row position
  int Level = 0;
  int Top = 0;
  int Bottom = 0;
  int LineHeight = 0;     // one line of the header layout in this row
  int CellsBottom = 0;    // the cells end here; the preview follows
  int PreviewBottom = 0;  // the row footers follow
  int Footers = 0;        // row footers: of the parent, the grandparent... that this row closes
  int Mid = 0;            // tree lines and the expand button are centred on the first line
  int IndentLeft = 0;
  int ButtonLeft = 0;  // the button cell, IndentWidth wide
  int StateImageLeft = 0;
  int ImageLeft = 0;
  int ContentLeft = 0;
  bool HasButton = false;  // the node shows an expand button
  // One cell across all columns: a node with children in the psOutlook style.
  bool Group = false;
};

// Where everything stands for one paint or hit test: built fresh each time, never kept.
struct LISTCHART_TREELIST_API TTreeListGeometry {
  TRect Client;  // less the indicator
  TRect Indicator;
  TRect BandPanel;
  TRect HeaderPanel;
  TRect RowsArea;
  TRect Footer;
  // The status panel, under the footer.
  TRect StatusPanel;
  std::vector<TTreeListBandPlace> Bands;      // left to right
  std::vector<TTreeListColumnPlace> Columns;  // band by band, row by row, left to right
  std::vector<TRect> FixedBandLines;
  std::vector<TTreeListRowPlace> Rows;  // from the top row down, while they reach the area
  int TotalWidth = 0;                   // all bands and fixed lines
  bool FixedBandsScroll = false;        // fixed bands too wide to stay scroll with the rest
  int ScrollLeft = 0;                   // the part of the client the scrolling bands show in
  int ScrollRight = 0;
  int LeftCoord = 0;
  int IndentOrigin = 0;  // left of the first column of the first band: indentation starts here
  int RowHeight = 0;     // every node row while the rows are uniform
  int LineHeight = 0;    // one line of a row (DefaultRowHeight)
  int HeaderRows = 1;    // header rows, and lines of a row
  int Separator = 0;     // grid line below each row, and right of each cell, when shown
  int FullRows = 1;      // rows wholly inside the rows area, at least 1
  int LastPageRows = 1;  // rows that fit ending with the last one: the top row stops there
  int TopRow = 0;        // visible-row position of the first row shown
  int RowFooterHeight = 0;
  int FooterLineHeight = 0;  // a line of the header layout in the footer and row footers
  int FooterLinesTop = 0;    // the footer panel's first line
  // All rows are RowHeight high: no auto height, previews or row footers.
  bool UniformRows = true;

  const TTreeListColumnPlace* PlaceOf(const TTreeListColumn* column) const;
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
  bool Shows(const TTreeListColumnPlace& place, int x) const;
};

// What a row's height depends on besides the node, remembered by node between layouts.
// Its owner forgets it whenever a node, the columns or the fonts change; the widths it was
// measured for are checked here.
class LISTCHART_TREELIST_API TTreeListExtentCache {
 public:
  // The measured part of a row: lines of its cells and of its preview.
  struct TLines {
    int Cells = 1;
    int Preview = 0;
  };
  void Clear() { FLines.clear(); }
  void Forget(uint64_t node) { FLines.erase(node); }
  bool Knows(uint64_t node) const { return FLines.count(node) > 0; }
  const TLines* Find(uint64_t node, const std::vector<int>& widths);
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
