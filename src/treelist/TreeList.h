#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "treelist/TreeListExport.h"
#include "treelist/input/TreeListHitTest.h"
#include "treelist/input/TreeListInput.h"
#include "treelist/model/TreeListControl.h"

enum TLookAndFeel { lfStandard, lfFlat, lfUltraFlat };
enum TTreeLineStyle { tlSolid, tlDot };
enum TTreeListPaintStyle { psStandard, psOutlook };
// dmAutomatic: a node pressed and moved more than 5 pixels starts a drag and drop.
enum TDragMode { dmManual, dmAutomatic };

class TImageList;
struct TTreeListMetrics;
struct TTreeListGeometry;
class TTreeListScreenView;
class TTreeListInput;
class TTreeListAccessible;

// The tree-list as a window shows it: appearance, layout queries, painting and the custom-draw
// events. The layout and the painting live in classes of their own, which this control owns.
class LISTCHART_TREELIST_API TTreeList : public TCustomTreeListControl {
 public:
  TTreeList();
  ~TTreeList() override;

  // Fonts of the header and band panels: copies of Font until set directly.
  const TFont& HeaderFont() const { return FHeaderFontSet ? FHeaderFont : Font(); }
  void SetHeaderFont(const TFont& value);
  const TFont& BandFont() const { return FBandFontSet ? FBandFont : Font(); }
  void SetBandFont(const TFont& value);

  // The row height: the minimum the fonts allow unless a larger value was set.
  int DefaultRowHeight() const;
  void SetDefaultRowHeight(int value);
  // The height set, 0 while none is: the layout raises it to what the fonts need.
  int RequestedRowHeight() const { return FRequestedRowHeight; }
  // Fonts that raised the minimum to the height set leave it unset: the rows follow the
  // fonts again when they shrink. Called by the metrics, which relayout anyway.
  void ForgetRaisedRowHeight(int minimum) {
    if (FRequestedRowHeight > 0 && FRequestedRowHeight <= minimum) FRequestedRowHeight = 0;
  }
  int IndentDesc() const { return FIndentDesc; }
  void SetIndentDesc(int value);
  int FixedBandLineWidth() const { return FFixedBandLineWidth; }
  void SetFixedBandLineWidth(int value);
  int RowSeparatorLineWidth() const { return FRowSeparatorLineWidth; }
  void SetRowSeparatorLineWidth(int value);
  int MaxRowLineCount() const { return FMaxRowLineCount; }
  void SetMaxRowLineCount(int value);
  int PreviewLines() const { return FPreviewLines; }
  void SetPreviewLines(int value);
  // The preview under each row's cells (aoPreview): its font (a copy of Font until set) and
  // its text, which OnGetPreviewText gives for a node. IndentDesc indents the text.
  const TFont& PreviewFont() const { return FPreviewFontSet ? FPreviewFont : Font(); }
  void SetPreviewFont(const TFont& value);
  std::string PreviewText(const TTreeListNode* node) const;
  std::function<void(TCustomTreeListControl* sender, TTreeListNode* node, std::string& text)>
      OnGetPreviewText;
  // The footer's text under each column (ShowFooter) is the column's FooterText; a row footer
  // (ShowRowFooter) closes an expanded group and asks for its texts here.
  std::function<void(TCustomTreeListControl* sender, TTreeListNode* group, TTreeListColumn* column,
                     std::string& text)>
      OnGetRowFooterText;
  std::string RowFooterText(TTreeListNode* group, TTreeListColumn* column) const;
  // Root nodes always get their indent level in the Outlook style.
  bool ShowRoot() const { return FShowRoot || FPaintStyle == psOutlook; }
  void SetShowRoot(bool value);

  // Node pictures left of the first cell: the image (ImageIndex, or SelectedIndex while the
  // node has the focus) and, before it, the state image (StateIndex). The lists are not owned.
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* value) { ChangeLayout(FImages, value); }
  TImageList* StateImages() const { return FStateImages; }
  void SetStateImages(TImageList* value) { ChangeLayout(FStateImages, value); }

  // Horizontal scroll position in pixels, kept within the scrolling width.
  int LeftCoord() const { return FLeftCoord; }
  void SetLeftCoord(int value);

  // Layout: the metrics (measured again only after a change that affects them) and a fresh
  // geometry record, which painting, hit testing, sizing and scrolling all read.
  const TTreeListMetrics& Metrics() const;
  TTreeListGeometry Geometry() const;
  // How many geometry records were built so far: one per event or paint unless it changes.
  int GeometryBuilds() const;
  // Widths as displayed: a band by visible index, a column by column index (0 when hidden).
  int BandWidth(int visibleBand) const;
  int ColumnWidth(int column) const;
  int TotalWidth() const;
  // The cell of a node in a column, empty when the row or the column is not on screen.
  TRect CellRect(TTreeListNode* node, TTreeListColumn* column) const;
  int NodeIndent(const TTreeListNode* node) const;
  int NodeRowHeight(const TTreeListNode* node) const;
  // The width that shows every text of the column and its caption; ApplyBestFit stores it.
  int BestFitWidth(TTreeListColumn* column) const;
  void ApplyBestFit(TTreeListColumn* column);

  // Asks for a paint of one column's header.
  void InvalidateColumnHeader(TTreeListColumn* column);
  // The header the mouse holds down, drawn pressed; none by default.
  TTreeListColumn* PressedHeader() const { return FPressedHeader; }
  void SetPressedHeader(TTreeListColumn* column);
  // The band header the mouse holds down, likewise.
  TTreeListBand* PressedBand() const { return FPressedBand; }
  void SetPressedBand(TTreeListBand* band);

  // Ends a running mouse gesture without applying it.
  void CancelGesture();
  // The cursor for where the pointer stands now.
  void RestoreCursor();
  // Ends an incremental search: the typed text so far is forgotten.
  void EndSearch();
  const std::string& SearchText() const;
  void Paint(TCanvas& canvas, const TRect& updateRect) override;
  void Resized() override;
  void FocusChanged(bool focused) override;
  TAccessibleSource* AccessibleSource() override;
  TTreeListAccessible& Accessible();

  // Input. What lies under a client point, from the same geometry the paint uses.
  TTreeListHitInfo GetHitInfo(TPoint p) const;
  const TTreeListInput& Input() const { return *FInput; }
  // The first row shown, by visible-row position; clamped so the last page stays full.
  int TopIndex() const;
  void SetTopIndex(int value);

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseLeave() override;
  // The row under the pointer where it stands now becomes the hot one (after a scroll).
  void TrackHotAtPointer();
  bool DragOver(const TDragData& data, int x, int y) override;
  void DragLeave() override;
  void DragDrop(const TDragData& data, int x, int y) override;
  void EndDrag(bool dropped) override;
  // The node is being deleted: the input lets go of it.
  void ForgetNode(TTreeListNode* node);
  bool MouseWheel(TShiftState shift, int notches, int x, int y) override;
  bool MouseWheelHorizontal(TShiftState shift, int notches, int x, int y) override;
  void KeyDown(int& key, TShiftState shift) override;
  void KeyUp(int& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  bool WantsKey(int key, TShiftState shift) const override;
  void Scroll(TScrollBarKind kind, TScrollCode code, int position) override;
  void Timer(int id) override;
  void CaptureLost() override;

  std::function<void(TCustomTreeListControl* sender)> OnClick;
  std::function<void(TCustomTreeListControl* sender)> OnDblClick;
  std::function<void(TCustomTreeListControl* sender, TMouseButton button, TShiftState shift, int x,
                     int y)>
      OnMouseDown;
  std::function<void(TCustomTreeListControl* sender, TShiftState shift, int x, int y)> OnMouseMove;
  std::function<void(TCustomTreeListControl* sender, TMouseButton button, TShiftState shift, int x,
                     int y)>
      OnMouseUp;
  std::function<void(TCustomTreeListControl* sender, int& key, TShiftState shift)> OnKeyDown;
  std::function<void(TCustomTreeListControl* sender, int& key, TShiftState shift)> OnKeyUp;
  std::function<void(TCustomTreeListControl* sender, char& key)> OnKeyPress;
  // Header dragging.
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column, bool& allow)>
      OnCanHeaderDragging;
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column)>
      OnStartHeaderDragging;
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column, TPoint p,
                     bool& accept)>
      OnDragOverHeader;
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column, TPoint p,
                     THeaderPosInfo& newPosInfo, bool& accept)>
      OnDragEndHeader;
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column)> OnHeaderMoved;
  std::function<void(TCustomTreeListControl* sender, int fromIndex, int toIndex)> OnColumnMoved;
  // After every drop of a dragged header that leaves it shown: newPosition starts as the
  // column's list index, and the column moves to the index the handler leaves there.
  std::function<void(TCustomTreeListControl* sender, int x, int y, TTreeListColumn* column,
                     int& newPosition)>
      OnEndDragColumn;
  // A column the user hid by dragging it off the header (with aoExtCustomizing), or showed
  // again through ShowHeader; with where it stood or now stands.
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column, int bandIndex,
                     int rowIndex, int colIndex)>
      OnHideHeader;
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column, int bandIndex,
                     int rowIndex, int colIndex)>
      OnShowHeader;
  // Shows a hidden column at a place of the header, as a customizing dialog would.
  void ShowHeader(TTreeListColumn* column, int bandIndex, int rowIndex, int colIndex);

  std::function<void(TCustomTreeListControl* sender, TCanvas& canvas, const TRect& rect,
                     TTreeListNode* node, TTreeListColumn* column, bool selected, bool focused,
                     bool newItemRow, std::string& text, TColor& color, TFont& font,
                     TAlignment& alignment, bool& done)>
      OnCustomDrawCell;
  std::function<void(TCustomTreeListControl* sender, TCanvas& canvas, const TRect& rect,
                     TTreeListNode* node, TTreeListColumn* column, const std::string& text,
                     TFont& font, TColor& color, bool selected, bool focused, bool& done)>
      OnCustomDraw;
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column, TCanvas& canvas,
                     const TRect& rect, std::string& text, TColor& color, TFont& font,
                     TAlignment& alignment, TTreeListColumnSort& sorted, bool& done)>
      OnCustomDrawColumnHeader;
  std::function<void(TCustomTreeListControl* sender, TTreeListBand* band, TCanvas& canvas,
                     const TRect& rect, std::string& text, TColor& color, TFont& font,
                     TAlignment& alignment, bool& done)>
      OnCustomDrawBand;
  // The preview of a row: first the whole strip (a handler may paint it all and set done),
  // then its text, colours, font and alignment, as for a cell.
  std::function<void(TCustomTreeListControl* sender, TCanvas& canvas, const TRect& rect,
                     TTreeListNode* node, bool selected, const std::string& text, TFont& font,
                     TColor& color, bool& done)>
      OnCustomDrawPreview;
  std::function<void(TCustomTreeListControl* sender, TCanvas& canvas, const TRect& rect,
                     TTreeListNode* node, bool selected, std::string& text, TColor& color,
                     TFont& font, TAlignment& alignment, bool& done)>
      OnCustomDrawPreviewCell;
  // A footer cell under a column, and a row footer's cell (footer 0 closes the row's parent).
  std::function<void(TCustomTreeListControl* sender, TCanvas& canvas, const TRect& rect,
                     TTreeListColumn* column, std::string& text, TColor& color, TFont& font,
                     TAlignment& alignment, bool& done)>
      OnCustomDrawFooter;
  std::function<void(TCustomTreeListControl* sender, TCanvas& canvas, const TRect& rect,
                     TTreeListNode* group, TTreeListColumn* column, int footer, std::string& text,
                     TColor& color, TFont& font, TAlignment& alignment, bool& done)>
      OnCustomDrawFooterNode;
  std::function<void(TCustomTreeListControl* sender)> OnChangedColumnsWidth;
  // Node drag and drop. OnDragOver may change whether a drop at (x, y) is taken: accept
  // starts true over a row, but false over the dragged node itself or its descendants (node
  // is the dragged node when the drag comes from a tree-list of this program, else none;
  // source is that control, none for a drag from outside). OnNodeDropped: the drop.
  std::function<void(TCustomTreeListControl* sender, TControl* source, TTreeListNode* node,
                     TTreeListNode* target, int x, int y, bool& accept)>
      OnDragOver;
  std::function<void(TCustomTreeListControl* sender, TControl* source, TTreeListNode* node,
                     TTreeListNode* target, const std::string& text)>
      OnNodeDropped;
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode value) { StoreProperty(FDragMode, value); }
  // How long a drag hovers over a node before it opens (or closes) in milliseconds.
  int WaitForExpandNodeTime() const { return FWaitForExpandNodeTime; }
  void SetWaitForExpandNodeTime(int value) {
    StoreProperty(FWaitForExpandNodeTime, std::max(value, 1));
  }

  // Appearance. A change of what is measured lays the control out again; a change of colour
  // or line only repaints.
  TLookAndFeel LookAndFeel() const { return FLookAndFeel; }
  void SetLookAndFeel(TLookAndFeel value) { ChangeLayout(FLookAndFeel, value); }
  TTreeListPaintStyle PaintStyle() const { return FPaintStyle; }
  void SetPaintStyle(TTreeListPaintStyle value) { ChangeLayout(FPaintStyle, value); }
  bool ShowHeader() const { return FShowHeader; }
  void SetShowHeader(bool value) { ChangeLayout(FShowHeader, value); }
  bool ShowIndicator() const { return FShowIndicator; }
  void SetShowIndicator(bool value) { ChangeLayout(FShowIndicator, value); }
  bool ShowFooter() const { return FShowFooter; }
  void SetShowFooter(bool value) { ChangeLayout(FShowFooter, value); }
  bool ShowRowFooter() const { return FShowRowFooter; }
  void SetShowRowFooter(bool value) { ChangeLayout(FShowRowFooter, value); }
  bool ShowGrid() const { return FShowGrid; }
  void SetShowGrid(bool value) { ChangeLayout(FShowGrid, value); }
  bool ShowPreviewGrid() const { return FShowPreviewGrid; }
  void SetShowPreviewGrid(bool value) { ChangeLayout(FShowPreviewGrid, value); }
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool value) { ChangeLook(FShowLines, value); }
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool value) { ChangeLook(FShowButtons, value); }
  TTreeLineStyle TreeLineStyle() const { return FTreeLineStyle; }
  void SetTreeLineStyle(TTreeLineStyle value) { ChangeLook(FTreeLineStyle, value); }
  TColor TreeLineColor() const { return FTreeLineColor; }
  void SetTreeLineColor(TColor value) { ChangeLook(FTreeLineColor, value); }
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor value) { ChangeLook(FHeaderColor, value); }
  TColor BandColor() const { return FBandColor; }
  void SetBandColor(TColor value) { ChangeLook(FBandColor, value); }
  TColor HighlightColor() const { return FHighlightColor; }
  void SetHighlightColor(TColor value) { ChangeLook(FHighlightColor, value); }
  TColor HighlightTextColor() const { return FHighlightTextColor; }
  void SetHighlightTextColor(TColor value) { ChangeLook(FHighlightTextColor, value); }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value) { ChangeLook(FHideSelection, value); }
  TColor HideSelectionColor() const { return FHideSelectionColor; }
  void SetHideSelectionColor(TColor value) { ChangeLook(FHideSelectionColor, value); }
  TColor HideSelectionTextColor() const { return FHideSelectionTextColor; }
  void SetHideSelectionTextColor(TColor value) { ChangeLook(FHideSelectionTextColor, value); }
  bool HideFocusRect() const { return FHideFocusRect; }
  void SetHideFocusRect(bool value) { ChangeLook(FHideFocusRect, value); }
  TColor GridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor value) { ChangeLook(FGridLineColor, value); }
  TColor GroupNodeColor() const { return FGroupNodeColor; }
  void SetGroupNodeColor(TColor value) { ChangeLook(FGroupNodeColor, value); }
  TColor GroupNodeTextColor() const { return FGroupNodeTextColor; }
  void SetGroupNodeTextColor(TColor value) { ChangeLook(FGroupNodeTextColor, value); }
  TColor RowFooterColor() const { return FRowFooterColor; }
  void SetRowFooterColor(TColor value) { ChangeLook(FRowFooterColor, value); }
  TColor RowFooterTextColor() const { return FRowFooterTextColor; }
  void SetRowFooterTextColor(TColor value) { ChangeLook(FRowFooterTextColor, value); }
  TColor FixedBandLineColor() const { return FFixedBandLineColor; }
  void SetFixedBandLineColor(TColor value) { ChangeLook(FFixedBandLineColor, value); }
  TColor ArrowsColor() const { return FArrowsColor; }
  void SetArrowsColor(TColor value) { ChangeLook(FArrowsColor, value); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value) {
    SetProperty(FScrollBars, value, [this] { View().UpdateScrollRanges(); });
  }
  // A double click on a node's row toggles its expansion.
  bool DblClkExpanding() const { return FDblClkExpanding; }
  void SetDblClkExpanding(bool value) { StoreProperty(FDblClkExpanding, value); }

 private:
  TLookAndFeel FLookAndFeel = lfStandard;
  TTreeListPaintStyle FPaintStyle = psStandard;
  bool FShowHeader = true;
  bool FShowIndicator = false;
  bool FShowFooter = false;
  bool FShowRowFooter = false;
  bool FShowGrid = false;
  bool FShowPreviewGrid = true;
  bool FShowLines = true;
  bool FShowButtons = true;
  TTreeLineStyle FTreeLineStyle = tlDot;
  TColor FTreeLineColor = clGrayText;
  TColor FHeaderColor = clBtnFace;
  TColor FBandColor = clBtnFace;
  TColor FHighlightColor = clHighlight;
  TColor FHighlightTextColor = clHighlightText;
  bool FHideSelection = true;
  TColor FHideSelectionColor = clBtnFace;
  TColor FHideSelectionTextColor = clBtnText;
  bool FHideFocusRect = true;
  TColor FGridLineColor = clNone;
  TColor FGroupNodeColor = clBtnFace;
  TColor FGroupNodeTextColor = clNone;
  TColor FRowFooterColor = cl3DLight;
  TColor FRowFooterTextColor = clWindowText;
  TColor FFixedBandLineColor = clWindowFrame;
  TColor FArrowsColor = 0x00FF00;
  TScrollStyle FScrollBars = ssBoth;
  bool FDblClkExpanding = true;
  TDragMode FDragMode = dmManual;
  int FWaitForExpandNodeTime = 500;

  // Scrolling (TreeListScroll.cpp).
  void ScrollVertically(TScrollCode code, int position);
  void ScrollHorizontally(TScrollCode code, int position);

  std::unique_ptr<TTreeListScreenView> FScreenView;
  std::unique_ptr<TTreeListInput> FInput;
  std::unique_ptr<TTreeListAccessible> FAccessible;
  uint64_t FAnnouncedValues = 0;
  struct TShownRows {
    int Top = 0;
    size_t Count = 0;
    uint64_t Changes = 0;
    friend bool operator==(const TShownRows&, const TShownRows&) = default;
  };
  TShownRows FAnnouncedRows;
  bool FRowsAnnounced = false;
  TFont FHeaderFont;
  TFont FBandFont;
  TFont FPreviewFont;
  bool FHeaderFontSet = false;
  bool FBandFontSet = false;
  bool FPreviewFontSet = false;
  int FRequestedRowHeight = 0;  // 0: not set
  int FIndentDesc = 20;
  int FFixedBandLineWidth = 2;
  int FRowSeparatorLineWidth = 1;
  int FMaxRowLineCount = -1;
  int FPreviewLines = 2;
  bool FShowRoot = true;
  int FLeftCoord = 0;
  TImageList* FImages = nullptr;
  TImageList* FStateImages = nullptr;
  TTreeListColumn* FPressedHeader = nullptr;
  TTreeListBand* FPressedBand = nullptr;
};
