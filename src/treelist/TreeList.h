#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "treelist/TreeListControl.h"
#include "treelist/TreeListHitTest.h"
#include "treelist/TreeListInput.h"

enum TLookAndFeel { lfStandard, lfFlat, lfUltraFlat };
enum TTreeLineStyle { tlSolid, tlDot };
enum TTreeListPaintStyle { psStandard, psOutlook };

struct TTreeListMetrics;
struct TTreeListGeometry;
class TTreeListScreenView;
class TTreeListInput;

// A published appearance value: the setter compares, stores and tells the view, which either
// measures and lays out again (RecomputeMetrics) or only repaints (RepaintAll).
#define TREELIST_VIEW_PROPERTY(Type, Name, Default, Notify) \
  TREELIST_NOTIFYING_PROPERTY(Type, Name, Default, View().Notify())

// The tree-list as a window shows it: appearance, layout queries, painting and the custom-draw
// events. The layout and the painting live in classes of their own, which this control owns.
class TTreeList : public TCustomTreeListControl {
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
  // Root nodes always get their indent level in the Outlook style.
  bool ShowRoot() const { return FShowRoot || FPaintStyle == psOutlook; }
  void SetShowRoot(bool value);

  // Horizontal scroll position in pixels, kept within the scrolling width.
  int LeftCoord() const { return FLeftCoord; }
  void SetLeftCoord(int value);

  // Layout: the metrics (measured again only after a change that affects them) and a fresh
  // geometry record, which painting, hit testing, sizing and scrolling all read.
  const TTreeListMetrics& Metrics() const;
  TTreeListGeometry Geometry() const;
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

  void Paint(TCanvas& canvas, const TRect& updateRect) override;
  void Resized() override;
  void FocusChanged(bool focused) override;

  // Input. What lies under a client point, from the same geometry the paint uses.
  TTreeListHitInfo GetHitInfo(TPoint p) const;
  const TTreeListInput& Input() const { return *FInput; }
  // The first row shown, by visible-row position; clamped so the last page stays full.
  int TopIndex() const;
  void SetTopIndex(int value);

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool MouseWheel(TShiftState shift, int notches, int x, int y) override;
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
  std::function<void(TCustomTreeListControl* sender)> OnChangedColumnsWidth;

  TREELIST_VIEW_PROPERTY(TLookAndFeel, LookAndFeel, lfStandard, RecomputeMetrics)
  TREELIST_VIEW_PROPERTY(TTreeListPaintStyle, PaintStyle, psStandard, RecomputeMetrics)
  TREELIST_VIEW_PROPERTY(bool, ShowHeader, true, RecomputeMetrics)
  TREELIST_VIEW_PROPERTY(bool, ShowIndicator, false, RecomputeMetrics)
  TREELIST_VIEW_PROPERTY(bool, ShowFooter, false, RecomputeMetrics)
  TREELIST_VIEW_PROPERTY(bool, ShowRowFooter, false, RecomputeMetrics)
  TREELIST_VIEW_PROPERTY(bool, ShowGrid, false, RecomputeMetrics)
  TREELIST_VIEW_PROPERTY(bool, ShowPreviewGrid, true, RecomputeMetrics)
  TREELIST_VIEW_PROPERTY(bool, ShowLines, true, RepaintAll)
  TREELIST_VIEW_PROPERTY(bool, ShowButtons, true, RepaintAll)
  TREELIST_VIEW_PROPERTY(TTreeLineStyle, TreeLineStyle, tlDot, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, TreeLineColor, clGrayText, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, HeaderColor, clBtnFace, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, BandColor, clBtnFace, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, HighlightColor, clHighlight, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, HighlightTextColor, clHighlightText, RepaintAll)
  TREELIST_VIEW_PROPERTY(bool, HideSelection, true, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, HideSelectionColor, clBtnFace, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, HideSelectionTextColor, clBtnText, RepaintAll)
  TREELIST_VIEW_PROPERTY(bool, HideFocusRect, true, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, GridLineColor, clNone, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, GroupNodeColor, clBtnFace, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, GroupNodeTextColor, clNone, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, RowFooterColor, cl3DLight, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, RowFooterTextColor, clWindowText, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, FixedBandLineColor, clWindowFrame, RepaintAll)
  TREELIST_VIEW_PROPERTY(TColor, ArrowsColor, 0x00FF00, RepaintAll)
  TREELIST_VIEW_PROPERTY(TScrollStyle, ScrollBars, ssBoth, UpdateScrollRanges)
  // A double click on a node's row toggles its expansion.
  TREELIST_NOTIFYING_PROPERTY(bool, DblClkExpanding, true, (void)0)

 private:
  // Scrolling (TreeListScroll.cpp).
  void ScrollVertically(TScrollCode code, int position);
  void ScrollHorizontally(TScrollCode code, int position);

  std::unique_ptr<TTreeListScreenView> FScreenView;
  std::unique_ptr<TTreeListInput> FInput;
  TFont FHeaderFont;
  TFont FBandFont;
  bool FHeaderFontSet = false;
  bool FBandFontSet = false;
  int FRequestedRowHeight = 0;  // 0: not set
  int FIndentDesc = 20;
  int FFixedBandLineWidth = 2;
  int FRowSeparatorLineWidth = 1;
  int FMaxRowLineCount = -1;
  int FPreviewLines = 2;
  bool FShowRoot = true;
  int FLeftCoord = 0;
  TTreeListColumn* FPressedHeader = nullptr;
  friend class TTreeListScreenView;
};
