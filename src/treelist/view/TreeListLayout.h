#pragma once

#include <vector>

#include "platform/Geometry.h"

class TTreeList;
class TTreeListBand;
class TTreeListColumn;
class TTreeListNode;

// Sizes that follow from the fonts and options; measured again only after a change to them.
struct TTreeListMetrics {
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
  int FooterHeight = 0;
  int RowFooterHeight = 0;
  int MinRowHeight = 0;
  int RowHeight = 0;   // DefaultRowHeight
  int ImageWidth = 0;  // of Images and StateImages, 0 without them
  int ImageHeight = 0;
  int StateImageWidth = 0;
  int StateImageHeight = 0;
  int ZeroWidth = 0;  // width of "0", for best fit
  int DragArrowHeight = 0;
};

// Measures the fonts (as a screen measures them) and derives every metric.
TTreeListMetrics MeasureMetrics(const TTreeList& tree);

// A visible band on screen.
struct TTreeListBandPlace {
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
struct TTreeListColumnPlace {
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

// A node row on screen with the points where its indentation splits: indent, expand button
// cell, state image, image, then the first cell's content.
struct TTreeListRowPlace {
  TTreeListNode* Node = nullptr;
  int Row = 0;  // visible-row position
  int Level = 0;
  int Top = 0;
  int Bottom = 0;
  int IndentLeft = 0;
  int ButtonLeft = 0;  // the button cell, IndentWidth wide
  int StateImageLeft = 0;
  int ImageLeft = 0;
  int ContentLeft = 0;
  bool HasButton = false;  // the node shows an expand button
};

// Where everything stands for one paint or hit test: built fresh each time, never kept.
struct TTreeListGeometry {
  TRect Client;  // less the indicator
  TRect Indicator;
  TRect BandPanel;
  TRect HeaderPanel;
  TRect RowsArea;
  TRect Footer;
  std::vector<TTreeListBandPlace> Bands;      // left to right
  std::vector<TTreeListColumnPlace> Columns;  // band by band, row by row, left to right
  std::vector<TRect> FixedBandLines;
  std::vector<TTreeListRowPlace> Rows;  // from the top row down, while they reach the area
  int TotalWidth = 0;                   // all bands and fixed lines
  int ScrollLeft = 0;                   // the part of the client the scrolling bands show in
  int ScrollRight = 0;
  int LeftCoord = 0;
  int IndentOrigin = 0;  // left of the first column of the first band: indentation starts here
  int RowHeight = 0;     // every node row
  int LineHeight = 0;    // one line of a row (DefaultRowHeight)
  int HeaderRows = 1;    // header rows, and lines of a row
  int Separator = 0;     // grid line below each row, and right of each cell, when shown
  int FullRows = 1;      // rows wholly inside the rows area, at least 1
  int TopRow = 0;        // visible-row position of the first row shown

  const TTreeListColumnPlace* PlaceOf(const TTreeListColumn* column) const;
  const TTreeListRowPlace* RowOf(const TTreeListNode* node) const;
  // The cell's drawing rectangle: after the indentation for the first column.
  TRect CellRect(const TTreeListRowPlace& row, const TTreeListColumnPlace& place) const;
  // From the first cell's content to the right end of the cells.
  TRect RowContentRect(const TTreeListRowPlace& row) const;
  // The right end of the cells.
  int CellsRight() const;
  // The part of r (a header or a cell of the column) that shows: fixed bands cover the
  // scrolling ones.
  TRect Shown(const TTreeListColumnPlace& place, TRect r) const;
  bool Shows(const TTreeListColumnPlace& place, int x) const;
};

TTreeListGeometry BuildGeometry(const TTreeList& tree, const TTreeListMetrics& metrics,
                                int clientWidth, int clientHeight);

// Indentation of a node's first cell content, and its row height.
int NodeIndentation(const TTreeList& tree, const TTreeListMetrics& metrics,
                    const TTreeListNode* node);
int UniformRowHeight(const TTreeList& tree, const TTreeListMetrics& metrics);
// The rows wholly inside the rows area, at least 1: the page of paging and scrolling.
int PageRowCount(const TTreeList& tree, const TTreeListMetrics& metrics, int clientHeight);

// Width distribution. Bands by visible index, for the given client width (less indicator).
std::vector<int> BandWidths(const TTreeList& tree, int clientWidth);
// The columns of one header row of a band, in list order, given the band's width.
std::vector<int> RowColumnWidths(const TTreeList& tree, const std::vector<TTreeListColumn*>& row,
                                 int bandWidth);
// A column's smallest width: MinWidth while it may be sized, else its Width.
int ColumnMinWidth(const TTreeListColumn* column);
// A band's smallest width: its own minimum (MinWidth while it may be sized, else its Width),
// raised to what its columns need side by side.
int BandMinWidth(const TTreeList& tree, const TTreeListBand& band);
