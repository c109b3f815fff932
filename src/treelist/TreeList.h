#pragma once

#include <algorithm>
#include <functional>
#include <iosfwd>
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

// The tallest row height a tree-list takes, in pixels: taller than any screen.
inline constexpr int kMaxRowHeight = 1 << 12;

class TImageList;
struct TTreeListMetrics;
struct TTreeListGeometry;
class TTreeListScreenView;
class TTreeListInput;
class TTreeListAccessible;
class TTreeListCustomizingBox;
class TToolWindow;

// The tree-list as a window shows it: appearance, layout queries, painting and the custom-draw
// events. The layout and the painting live in classes of their own, which this control owns.
class LISTCHART_TREELIST_API TTreeList : public TCustomTreeListControl {
 public:
  TTreeList();
  ~TTreeList() override;

  // Fonts of the header and band panels: copies of Font until set directly.
  const TFont& HeaderFont() const { return FHeaderFontSet ? FHeaderFont : Font(); }
  // Sets the header font; from now on it no longer follows Font. Lays the control out again.
  void SetHeaderFont(const TFont& value);
  // The band panel's font.
  const TFont& BandFont() const { return FBandFontSet ? FBandFont : Font(); }
  // Sets the band font; from now on it no longer follows Font. Lays the control out again.
  void SetBandFont(const TFont& value);

  // The row height: the minimum the fonts allow unless a larger value was set.
  int DefaultRowHeight() const;
  // Sets the row height in pixels, at most kMaxRowHeight; the fonts' minimum (or 0, or less)
  // leaves it unset.
  void SetDefaultRowHeight(int value);
  // The height set, 0 while none is: the layout raises it to what the fonts need.
  int RequestedRowHeight() const { return FRequestedRowHeight; }
  // Fonts that raised the minimum to the height set leave it unset: the rows follow the
  // fonts again when they shrink. Called by the metrics, which relayout anyway.
  void ForgetRaisedRowHeight(int minimum) {
    if (FRequestedRowHeight > 0 && FRequestedRowHeight <= minimum) FRequestedRowHeight = 0;
  }
  // How far the preview text starts right of the row's content, in pixels; 20 by default.
  int IndentDesc() const { return FIndentDesc; }
  // Sets the preview indent; negative values count as 0.
  void SetIndentDesc(int value);
  // Width in pixels of the line that sets a fixed band off from the scrolling ones; 2 by default.
  int FixedBandLineWidth() const { return FFixedBandLineWidth; }
  // Sets the fixed band line's width; 0 or less counts as 1.
  void SetFixedBandLineWidth(int value);
  // Width in pixels of the line between rows while ShowGrid is on; 1 by default.
  int RowSeparatorLineWidth() const { return FRowSeparatorLineWidth; }
  // Sets the row separator's width; 0 or less counts as 1.
  void SetRowSeparatorLineWidth(int value);
  // The most text lines a row's cells take with aoRowAutoHeight; -1 (the default) or 0: no limit.
  int MaxRowLineCount() const { return FMaxRowLineCount; }
  // Sets the line limit; values below -1 count as -1.
  void SetMaxRowLineCount(int value);
  // Text lines of the preview, 2 by default; -1: as many as the text needs. With
  // aoAutoCalcPreviewLines the text's own count, up to this one unless it is -1.
  int PreviewLines() const { return FPreviewLines; }
  // Sets the preview lines; values below -1 count as -1.
  void SetPreviewLines(int value);
  // The preview under each row's cells (aoPreview): its font (a copy of Font until set) and
  // its text, which OnGetPreviewText gives for a node. IndentDesc indents the text.
  const TFont& PreviewFont() const { return FPreviewFontSet ? FPreviewFont : Font(); }
  // Sets the preview font; from now on it no longer follows Font. Lays the control out again.
  void SetPreviewFont(const TFont& value);
  // The preview text of a node as OnGetPreviewText gives it; empty without a handler.
  std::string PreviewText(const TTreeListNode* node) const;
  // Asked for a node's preview text whenever the layout or the paint needs it.
  std::function<void(TCustomTreeListControl* sender, TTreeListNode* node, std::string& text)>
      OnGetPreviewText;
  // The footer's text under each column (ShowFooter) is the column's FooterText; a row footer
  // (ShowRowFooter) closes an expanded group and asks for its texts here.
  std::function<void(TCustomTreeListControl* sender, TTreeListNode* group, TTreeListColumn* column,
                     std::string& text)>
      OnGetRowFooterText;
  // The row footer's text of a group in a column as OnGetRowFooterText gives it; empty
  // without a handler.
  std::string RowFooterText(TTreeListNode* group, TTreeListColumn* column) const;
  // Root nodes always get their indent level in the Outlook style.
  bool ShowRoot() const { return FShowRoot || FPaintStyle == psOutlook; }
  // Sets whether root nodes get an indent level (with lines and buttons); true by default.
  void SetShowRoot(bool value);

  // Node pictures left of the first cell: the image (ImageIndex, or SelectedIndex while the
  // node has the focus) and, before it, the state image (StateIndex). The lists are not owned.
  TImageList* Images() const { return FImages; }
  // Sets the node images (not owned; null for none) and lays the control out again.
  void SetImages(TImageList* value) { ChangeLayout(FImages, value); }
  // The state images, null by default.
  TImageList* StateImages() const { return FStateImages; }
  // Sets the state images (not owned; null for none) and lays the control out again.
  void SetStateImages(TImageList* value) { ChangeLayout(FStateImages, value); }

  // The arrangement the user made: column and band widths, order, header rows and visibility,
  // the sort keys in their order, DefaultRowHeight and the panels' row counts. A layout made
  // by other columns restores what still matches: a column by its Name, else its Caption,
  // those without either in list order. The bands and the columns' places in them come back
  // only when the layout has the control's bands (by Caption; uncaptioned ones by their order
  // among themselves); else the control keeps its bands. A damaged layout raises ELayoutError
  // and changes nothing.
  std::string LayoutText() const;
  // Applies a layout that LayoutText made.
  void RestoreLayoutText(const std::string& text);
  // Writes the layout to a stream; raises ELayoutError when the stream fails.
  void SaveLayout(std::ostream& out) const;
  // Reads a layout from the rest of a stream and applies it.
  void RestoreLayout(std::istream& in);
  // Replaces the file with the layout only once all of it is written; raises on failure.
  void SaveLayoutToFile(const std::string& fileName) const;
  // Applies the layout kept in a file.
  void RestoreLayoutFromFile(const std::string& fileName);
  // The settings file (in the user's configuration folder) that keeps the layout while
  // aoStoreToRegistry or aoStoreToIniFile is on: restored when loading ends, saved when the
  // control goes. Empty (the default): none.
  const std::string& StorageFile() const { return FStorageFile; }
  // Names the settings file.
  void SetStorageFile(const std::string& value) { FStorageFile = value; }
  // The section of the settings file that holds this control's layout; "TreeList" by default.
  const std::string& StorageSection() const { return FStorageSection; }
  // Names the section.
  void SetStorageSection(const std::string& value) { FStorageSection = value; }
  // Writes the layout to the settings file now, when the options ask for one; raises on
  // failure. The save when the control goes cannot report: a program that wants to hear of a
  // failure calls this first.
  void StoreLayoutSettings() const;
  // Applies the layout in the settings file, when the options ask for one and it holds one;
  // returns whether it did. Raises on a damaged layout or an unreadable settings file.
  bool RestoreLayoutSettings();
  // The stored layout could not be restored when loading ended (a damaged layout, an
  // unreadable settings file): the control stays as the program made it and is told why here.
  std::function<void(TCustomTreeListControl* sender, const std::string& message)> OnLayoutError;

  // Horizontal scroll position in pixels, kept within the scrolling width.
  int LeftCoord() const { return FLeftCoord; }
  // Scrolls horizontally to a pixel offset, clamped to 0 and, while shown, to the last page.
  void SetLeftCoord(int value);

  // Layout: the metrics (measured again only after a change that affects them) and a fresh
  // geometry record, which painting, hit testing, sizing and scrolling all read.
  const TTreeListMetrics& Metrics() const;
  // The geometry record of the control as it stands: every place on screen, in client
  // coordinates.
  TTreeListGeometry Geometry() const;
  // How many geometry records were built so far: one per event or paint unless it changes.
  int GeometryBuilds() const;
  // Widths as displayed: a band by visible index, a column by column index (0 when hidden).
  int BandWidth(int visibleBand) const;
  // A column's displayed width in pixels by column index; 0 when it is hidden.
  int ColumnWidth(int column) const;
  // The width of all bands side by side, fixed band lines included, in pixels.
  int TotalWidth() const;
  // The cell of a node in a column, empty when the row or the column is not on screen.
  TRect CellRect(TTreeListNode* node, TTreeListColumn* column) const;
  // How far a node's content is indented in its row, in pixels; 0 for null.
  int NodeIndent(const TTreeListNode* node) const;
  // A node's row height in pixels; for null, the height rows have while all are alike.
  int NodeRowHeight(const TTreeListNode* node) const;
  // The width that shows every text of the column and its caption; ApplyBestFit stores it.
  int BestFitWidth(TTreeListColumn* column) const;
  // Sets the column to BestFitWidth when it allows sizing, then fires OnChangedColumnsWidth.
  void ApplyBestFit(TTreeListColumn* column);

  // Asks for a paint of one column's header.
  void InvalidateColumnHeader(TTreeListColumn* column);
  // The header the mouse holds down, drawn pressed; none by default.
  TTreeListColumn* PressedHeader() const { return FPressedHeader; }
  // Draws a column's header pressed (null: none) and repaints the headers that change.
  void SetPressedHeader(TTreeListColumn* column);
  // The band header the mouse holds down, likewise.
  TTreeListBand* PressedBand() const { return FPressedBand; }
  // Draws a band's header pressed (null: none) and repaints the band panel.
  void SetPressedBand(TTreeListBand* band);

  // Ends a running mouse gesture without applying it.
  void CancelGesture();
  // The cursor for where the pointer stands now.
  void RestoreCursor();
  // Ends an incremental search: the typed text so far is forgotten.
  void EndSearch();
  // The text typed so far in the incremental search (aoAutoSearch); empty when none runs.
  const std::string& SearchText() const;
  void Paint(TCanvas& canvas, const TRect& updateRect) override;
  void Resized() override;
  void FocusChanged(bool focused) override;
  TAccessibleSource* AccessibleSource() override;
  // The control's description for assistive technology, made on first use and owned here.
  TTreeListAccessible& Accessible();

  // Input. What lies under a client point, from the same geometry the paint uses.
  TTreeListHitInfo GetHitInfo(TPoint p) const;
  // The mouse and keyboard handling, for reading its state (the hot node, a dragged node).
  const TTreeListInput& Input() const { return *FInput; }
  // The first row shown, by visible-row position; clamped so the last page stays full.
  int TopIndex() const;
  // Scrolls so that the row at this visible-row position comes first, within TopIndex's limits.
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

  // A left press on a node's row was released, with no drag or cancelled gesture in between.
  std::function<void(TCustomTreeListControl* sender)> OnClick;
  // A double click anywhere in the control but on a header or a sizing edge.
  std::function<void(TCustomTreeListControl* sender)> OnDblClick;
  // A mouse button went down at (x, y), client coordinates; fires after the control's own handling.
  std::function<void(TCustomTreeListControl* sender, TMouseButton button, TShiftState shift, int x,
                     int y)>
      OnMouseDown;
  // The mouse moved to (x, y), client coordinates; fires after the control's own handling.
  std::function<void(TCustomTreeListControl* sender, TShiftState shift, int x, int y)> OnMouseMove;
  // A mouse button went up at (x, y), client coordinates; fires after the control's own handling.
  std::function<void(TCustomTreeListControl* sender, TMouseButton button, TShiftState shift, int x,
                     int y)>
      OnMouseUp;
  // A key went down; fires before the control's handling, which a key set to 0 skips.
  std::function<void(TCustomTreeListControl* sender, int& key, TShiftState shift)> OnKeyDown;
  // A key went up.
  std::function<void(TCustomTreeListControl* sender, int& key, TShiftState shift)> OnKeyUp;
  // A typed character; fires before the control's handling, which a key set to 0 skips.
  std::function<void(TCustomTreeListControl* sender, char& key)> OnKeyPress;
  // Header dragging.
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column, bool& allow)>
      OnCanHeaderDragging;
  // A pressed header moved far enough and its drag begins.
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column)>
      OnStartHeaderDragging;
  // While a header is dragged: accept starts true over the header panel. Refused, the pointer
  // shows the delete cursor and a drop over the panel does nothing.
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column, TPoint p,
                     bool& accept)>
      OnDragOverHeader;
  // The header drag ends at p: newPosInfo is the place it would take (invalid for none) and
  // accept whether it happens; a drop off the panel hides the column (aoExtCustomizing).
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column, TPoint p,
                     THeaderPosInfo& newPosInfo, bool& accept)>
      OnDragEndHeader;
  // A dragged column took its new place in the header.
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column)> OnHeaderMoved;
  // After OnHeaderMoved, when the move changed the column's list index.
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
  // A hidden column was shown again through ShowHeader, with where it now stands.
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column, int bandIndex,
                     int rowIndex, int colIndex)>
      OnShowHeader;
  // Shows a hidden column at a place of the header, as a customizing dialog would.
  void ShowHeader(TTreeListColumn* column, int bandIndex, int rowIndex, int colIndex);
  // A band the user hid by dragging it off the band panel, with the collection index it had.
  std::function<void(TCustomTreeListControl* sender, TTreeListBand* band, int index)> OnHideBand;
  // A hidden band was shown again through ShowBand, with its collection index now.
  std::function<void(TCustomTreeListControl* sender, TTreeListBand* band, int index)> OnShowBand;
  // Shows a hidden band at a collection index, as dragging it out of the customizing box does.
  void ShowBand(TTreeListBand* band, int index);

  // Customizing. The customizing box is a small tool window beside the tree-list's window
  // that lists the hidden bands and columns (not those with DisableCustomizing); they are
  // dragged from it back onto the band or header panel. While it is open, dragging a band or
  // a column off its panel hides it, as aoExtCustomizing does. Without a window able to open
  // one the box still counts as open.
  void ShowCustomizingBox();
  // Closes the box; nothing when it is closed. Safe from any handler, the box's own included.
  void HideCustomizingBox();
  // Whether the box is open.
  bool CustomizingBoxVisible() const { return FCustomizingBox != nullptr; }
  // The box's contents while it is open, null otherwise.
  TTreeListCustomizingBox* CustomizingBox() const { return FCustomizingBox.get(); }
  // Whether dragging a band or a column off its panel hides it: aoExtCustomizing or an open
  // box.
  bool CustomizingActive() const;
  // The bands or columns changed: the box lists them again.
  void RefreshCustomizingBox();
  // The box opened, or closed (also by the user's close box; not when the control goes).
  std::function<void(TCustomTreeListControl* sender)> OnShowCustomizingBox;
  // The box closed.
  std::function<void(TCustomTreeListControl* sender)> OnHideCustomizingBox;
  // The button left of the band panel (HitBandButton) or of the header panel
  // (HitHeaderButton) that the mouse holds down, drawn pressed; HitNowhere for none.
  TTreeListHitKind PressedPanelButton() const { return FPressedPanelButton; }
  // Draws a panel button pressed (HitNowhere: none) and repaints the buttons.
  void SetPressedPanelButton(TTreeListHitKind kind);

  // A cell is about to be drawn (after OnCustomDraw unless that set done): a handler may change
  // the text, colour, font and alignment, or draw the cell itself and set done. newItemRow is
  // always false. The column's own handler runs next unless done.
  std::function<void(TCustomTreeListControl* sender, TCanvas& canvas, const TRect& rect,
                     TTreeListNode* node, TTreeListColumn* column, bool selected, bool focused,
                     bool newItemRow, std::string& text, TColor& color, TFont& font,
                     TAlignment& alignment, bool& done)>
      OnCustomDrawCell;
  // The first of the custom-draw steps of each cell; the canvas font is the column's and is
  // put back afterwards.
  std::function<void(TCustomTreeListControl* sender, TCanvas& canvas, const TRect& rect,
                     TTreeListNode* node, TTreeListColumn* column, const std::string& text,
                     TFont& font, TColor& color, bool selected, bool focused, bool& done)>
      OnCustomDraw;
  // A column header is about to be drawn, clipped to it: a handler may change its text, colour,
  // font, alignment and sort mark, or draw it and set done. The column's own handler runs next.
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column, TCanvas& canvas,
                     const TRect& rect, std::string& text, TColor& color, TFont& font,
                     TAlignment& alignment, TTreeListColumnSort& sorted, bool& done)>
      OnCustomDrawColumnHeader;
  // A band header is about to be drawn: change its text, colour, font and alignment, or draw it
  // and set done.
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
  // The preview's second step, unless the first set done.
  std::function<void(TCustomTreeListControl* sender, TCanvas& canvas, const TRect& rect,
                     TTreeListNode* node, bool selected, std::string& text, TColor& color,
                     TFont& font, TAlignment& alignment, bool& done)>
      OnCustomDrawPreviewCell;
  // A footer cell under a column, and a row footer's cell (footer 0 closes the row's parent).
  std::function<void(TCustomTreeListControl* sender, TCanvas& canvas, const TRect& rect,
                     TTreeListColumn* column, std::string& text, TColor& color, TFont& font,
                     TAlignment& alignment, bool& done)>
      OnCustomDrawFooter;
  // A row footer's cell under a column, for the group it closes.
  std::function<void(TCustomTreeListControl* sender, TCanvas& canvas, const TRect& rect,
                     TTreeListNode* group, TTreeListColumn* column, int footer, std::string& text,
                     TColor& color, TFont& font, TAlignment& alignment, bool& done)>
      OnCustomDrawFooterNode;
  // Asked once per painted row for the background of its node's level (0 for root nodes):
  // color starts as Color, and what the handler leaves is the row's background: its indent,
  // its unselected preview, the places no cell covers and the unselected cells whose column
  // has no colour of its own. The custom-draw events still have the last word.
  std::function<void(TCustomTreeListControl* sender, int level, TColor& color)> OnGetLevelColor;
  // The status panel is about to be drawn: change its text, colour, font and alignment, or draw
  // it and set done.
  std::function<void(TCustomTreeListControl* sender, TCanvas& canvas, const TRect& rect,
                     std::string& text, TColor& color, TFont& font, TAlignment& alignment,
                     bool& done)>
      OnCustomDrawStatusPanel;
  // The user sized a column or a band, or ApplyBestFit ran.
  std::function<void(TCustomTreeListControl* sender)> OnChangedColumnsWidth;
  // Node drag and drop. OnDragOver may change whether a drop at (x, y) is taken: accept
  // starts true over a row, but false over the dragged node itself or its descendants (node
  // is the dragged node when the drag comes from a tree-list of this program, else none;
  // source is that control, none for a drag from outside). OnNodeDropped: the drop.
  std::function<void(TCustomTreeListControl* sender, TControl* source, TTreeListNode* node,
                     TTreeListNode* target, int x, int y, bool& accept)>
      OnDragOver;
  // A drop that OnDragOver left accepted landed on target; text is what the drag carries.
  std::function<void(TCustomTreeListControl* sender, TControl* source, TTreeListNode* node,
                     TTreeListNode* target, const std::string& text)>
      OnNodeDropped;
  // Whether pressing and moving a node starts a drag; dmManual (the default): it does not.
  TDragMode DragMode() const { return FDragMode; }
  // Sets the drag mode.
  void SetDragMode(TDragMode value) { StoreProperty(FDragMode, value); }
  // How long a drag hovers over a node before it opens (or closes) in milliseconds.
  int WaitForExpandNodeTime() const { return FWaitForExpandNodeTime; }
  // Sets the hover time; values below 1 count as 1. 500 by default.
  void SetWaitForExpandNodeTime(int value) {
    StoreProperty(FWaitForExpandNodeTime, std::max(value, 1));
  }

  // Appearance. A change of what is measured lays the control out again; a change of colour
  // or line only repaints.
  TLookAndFeel LookAndFeel() const { return FLookAndFeel; }
  // Sets how headers and panels are drawn: raised (lfStandard, the default), flat or ultra flat.
  void SetLookAndFeel(TLookAndFeel value) { ChangeLayout(FLookAndFeel, value); }
  // psStandard (the default), or psOutlook: root nodes always get an indent level and nodes
  // without children one level less.
  TTreeListPaintStyle PaintStyle() const { return FPaintStyle; }
  // Sets the paint style and lays the control out again.
  void SetPaintStyle(TTreeListPaintStyle value) { ChangeLayout(FPaintStyle, value); }
  // Whether the column header panel shows; true by default.
  bool ShowHeader() const { return FShowHeader; }
  // Shows or hides the column header panel.
  void SetShowHeader(bool value) { ChangeLayout(FShowHeader, value); }
  // Whether a narrow indicator column shows left of the rows; false by default.
  bool ShowIndicator() const { return FShowIndicator; }
  // Shows or hides the indicator column.
  void SetShowIndicator(bool value) { ChangeLayout(FShowIndicator, value); }
  // Whether the footer panel under the rows shows; false by default.
  bool ShowFooter() const { return FShowFooter; }
  // Shows or hides the footer panel.
  void SetShowFooter(bool value) { ChangeLayout(FShowFooter, value); }
  // Whether the status panel shows under the rows and the footer; false by default.
  bool ShowStatusPanel() const { return FShowStatusPanel; }
  // Shows or hides the status panel.
  void SetShowStatusPanel(bool value) { ChangeLayout(FShowStatusPanel, value); }
  // The text the status panel shows; empty by default.
  const std::string& StatusText() const { return FStatusText; }
  // Sets the status panel's text and repaints.
  void SetStatusText(const std::string& value) { ChangeLook(FStatusText, value); }
  // Whether expanded groups get a row footer; false by default.
  bool ShowRowFooter() const { return FShowRowFooter; }
  // Shows or hides the row footers.
  void SetShowRowFooter(bool value) { ChangeLayout(FShowRowFooter, value); }
  // Whether grid lines separate the rows and cells; false by default.
  bool ShowGrid() const { return FShowGrid; }
  // Shows or hides the grid lines.
  void SetShowGrid(bool value) { ChangeLayout(FShowGrid, value); }
  // Whether a grid line sets the preview off from its row while ShowGrid is on; true by default.
  bool ShowPreviewGrid() const { return FShowPreviewGrid; }
  // Shows or hides the preview's grid line.
  void SetShowPreviewGrid(bool value) { ChangeLayout(FShowPreviewGrid, value); }
  // Whether tree lines join the nodes; true by default.
  bool ShowLines() const { return FShowLines; }
  // Shows or hides the tree lines.
  void SetShowLines(bool value) { ChangeLook(FShowLines, value); }
  // Whether nodes with children show an expand button; true by default.
  bool ShowButtons() const { return FShowButtons; }
  // Shows or hides the expand buttons.
  void SetShowButtons(bool value) { ChangeLook(FShowButtons, value); }
  // Dotted (tlDot, the default) or solid tree lines.
  TTreeLineStyle TreeLineStyle() const { return FTreeLineStyle; }
  // Sets the tree line style.
  void SetTreeLineStyle(TTreeLineStyle value) { ChangeLook(FTreeLineStyle, value); }
  // The tree lines' colour; clGrayText by default.
  TColor TreeLineColor() const { return FTreeLineColor; }
  // Sets the tree lines' colour.
  void SetTreeLineColor(TColor value) { ChangeLook(FTreeLineColor, value); }
  // Background of the column headers, the footer panel and the indicator; clBtnFace by default.
  TColor HeaderColor() const { return FHeaderColor; }
  // Sets the header colour.
  void SetHeaderColor(TColor value) { ChangeLook(FHeaderColor, value); }
  // Background of the band headers; clBtnFace by default.
  TColor BandColor() const { return FBandColor; }
  // Sets the band colour.
  void SetBandColor(TColor value) { ChangeLook(FBandColor, value); }
  // Background of selected cells while the control has the focus; also the hot row's text
  // (aoHotTrack). clHighlight by default.
  TColor HighlightColor() const { return FHighlightColor; }
  // Sets the highlight colour.
  void SetHighlightColor(TColor value) { ChangeLook(FHighlightColor, value); }
  // Text colour of selected cells while the control has the focus; clHighlightText by default.
  TColor HighlightTextColor() const { return FHighlightTextColor; }
  // Sets the highlight text colour.
  void SetHighlightTextColor(TColor value) { ChangeLook(FHighlightTextColor, value); }
  // Whether the selection disappears while the control lacks the focus; true by default.
  bool HideSelection() const { return FHideSelection; }
  // Sets whether the selection hides without the focus.
  void SetHideSelection(bool value) { ChangeLook(FHideSelection, value); }
  // Background of selected cells without the focus (HideSelection off); clBtnFace by default.
  TColor HideSelectionColor() const { return FHideSelectionColor; }
  // Sets that background.
  void SetHideSelectionColor(TColor value) { ChangeLook(FHideSelectionColor, value); }
  // Text colour of selected cells without the focus; clBtnText by default.
  TColor HideSelectionTextColor() const { return FHideSelectionTextColor; }
  // Sets that text colour.
  void SetHideSelectionTextColor(TColor value) { ChangeLook(FHideSelectionTextColor, value); }
  // Whether the focused row's focus rectangle (aoRowSelect) hides while the control lacks the
  // focus; aoHideFocusRect decides while it has it. True by default.
  bool HideFocusRect() const { return FHideFocusRect; }
  // Sets whether the focus rectangle hides without the focus.
  void SetHideFocusRect(bool value) { ChangeLook(FHideFocusRect, value); }
  // The grid lines' colour; clNone (the default) draws them in clBtnShadow.
  TColor GridLineColor() const { return FGridLineColor; }
  // Sets the grid lines' colour.
  void SetGridLineColor(TColor value) { ChangeLook(FGridLineColor, value); }
  // Background of the group rows of the psOutlook style; clBtnFace by default.
  TColor GroupNodeColor() const { return FGroupNodeColor; }
  // Sets the group node colour.
  void SetGroupNodeColor(TColor value) { ChangeLook(FGroupNodeColor, value); }
  // Text colour of those group rows; clNone (the default) takes the Font's colour.
  TColor GroupNodeTextColor() const { return FGroupNodeTextColor; }
  // Sets the group node text colour.
  void SetGroupNodeTextColor(TColor value) { ChangeLook(FGroupNodeTextColor, value); }
  // Background of the row footers; cl3DLight by default.
  TColor RowFooterColor() const { return FRowFooterColor; }
  // Sets the row footer background.
  void SetRowFooterColor(TColor value) { ChangeLook(FRowFooterColor, value); }
  // Text colour of the row footers; clWindowText by default.
  TColor RowFooterTextColor() const { return FRowFooterTextColor; }
  // Sets the row footer text colour.
  void SetRowFooterTextColor(TColor value) { ChangeLook(FRowFooterTextColor, value); }
  // Colour of the line that sets a fixed band off; clWindowFrame by default.
  TColor FixedBandLineColor() const { return FFixedBandLineColor; }
  // Sets the fixed band line's colour.
  void SetFixedBandLineColor(TColor value) { ChangeLook(FFixedBandLineColor, value); }
  // Fill of the two arrows that mark where a dragged header would land; green by default.
  TColor ArrowsColor() const { return FArrowsColor; }
  // Sets the arrows' fill.
  void SetArrowsColor(TColor value) { ChangeLook(FArrowsColor, value); }
  // Which scroll bars may show; ssBoth by default. Each shows only while needed.
  TScrollStyle ScrollBars() const { return FScrollBars; }
  // Sets which scroll bars may show and updates them.
  void SetScrollBars(TScrollStyle value) {
    SetProperty(FScrollBars, value, [this] { View().UpdateScrollRanges(); });
  }
  // A double click on a node's row toggles its expansion.
  bool DblClkExpanding() const { return FDblClkExpanding; }
  // Sets whether a double click toggles the expansion; true by default.
  void SetDblClkExpanding(bool value) { StoreProperty(FDblClkExpanding, value); }

 protected:
  void Loaded() override;

 private:
  bool StoresLayout() const;

  TLookAndFeel FLookAndFeel = lfStandard;
  TTreeListPaintStyle FPaintStyle = psStandard;
  bool FShowHeader = true;
  bool FShowIndicator = false;
  bool FShowFooter = false;
  bool FShowRowFooter = false;
  bool FShowStatusPanel = false;
  std::string FStatusText;
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
  std::string FStorageFile;
  std::string FStorageSection = "TreeList";
  TImageList* FImages = nullptr;
  TImageList* FStateImages = nullptr;
  TTreeListColumn* FPressedHeader = nullptr;
  TTreeListBand* FPressedBand = nullptr;
  TTreeListHitKind FPressedPanelButton = HitNowhere;
  // The customizing box: its window goes before its control.
  std::unique_ptr<TTreeListCustomizingBox> FCustomizingBox;
  std::unique_ptr<TToolWindow> FCustomizingWindow;
};
