#include "treelist/TreeList.h"

#include <algorithm>
#include <utility>

#include "treelist/access/TreeListAccessible.h"
#include "treelist/customize/TreeListCustomizingBox.h"
#include "treelist/editorcolumns/TreeListEditorColumns.h"
#include "treelist/view/TreeListLayout.h"
#include "treelist/view/TreeListPainter.h"
#include "treelist/view/TreeListScreenView.h"

TTreeList::TTreeList()
    : FScreenView(std::make_unique<TTreeListScreenView>(*this)),
      FInput(std::make_unique<TTreeListInput>(*this)) {
  SetDefaultView(FScreenView.get());
}

TTreeList::~TTreeList() {
  // Nothing may leave a destructor: a layout that cannot be stored is not stored.
  try {
    StoreLayoutSettings();
  } catch (...) {
  }
  // The box closes with the control, telling no one.
  FCustomizingWindow.reset();
  FCustomizingBox.reset();
  // The nodes go in a base destructor, after the view: they must not reach it.
  SetDefaultView(nullptr);
}

void TTreeList::SetHeaderFont(const TFont& value) {
  const bool firstSet = !std::exchange(FHeaderFontSet, true);
  if (StoreProperty(FHeaderFont, value) || firstSet) View().RecomputeMetrics();
}

void TTreeList::SetBandFont(const TFont& value) {
  const bool firstSet = !std::exchange(FBandFontSet, true);
  if (StoreProperty(FBandFont, value) || firstSet) View().RecomputeMetrics();
}

void TTreeList::SetPreviewFont(const TFont& value) {
  const bool firstSet = !std::exchange(FPreviewFontSet, true);
  if (StoreProperty(FPreviewFont, value) || firstSet) View().RecomputeMetrics();
}

std::string TTreeList::PreviewText(const TTreeListNode* node) const {
  std::string text;
  if (OnGetPreviewText)
    OnGetPreviewText(const_cast<TTreeList*>(this), const_cast<TTreeListNode*>(node), text);
  return text;
}

std::string TTreeList::RowFooterText(TTreeListNode* group, TTreeListColumn* column) const {
  std::string text;
  if (OnGetRowFooterText) OnGetRowFooterText(const_cast<TTreeList*>(this), group, column, text);
  return text;
}

int TTreeList::DefaultRowHeight() const {
  return Metrics().RowHeight;
}

// A height equal to the minimum counts as not set: the rows follow the fonts again.
void TTreeList::SetDefaultRowHeight(int value) {
  value = std::clamp(value, 0, kMaxRowHeight);
  ChangeLayout(FRequestedRowHeight, value == Metrics().MinRowHeight ? 0 : value);
}

void TTreeList::SetIndentDesc(int value) {
  ChangeLayout(FIndentDesc, std::max(value, 0));
}

void TTreeList::SetFixedBandLineWidth(int value) {
  ChangeLayout(FFixedBandLineWidth, value <= 0 ? 1 : value);
}

void TTreeList::SetRowSeparatorLineWidth(int value) {
  ChangeLayout(FRowSeparatorLineWidth, value <= 0 ? 1 : value);
}

void TTreeList::SetMaxRowLineCount(int value) {
  ChangeLayout(FMaxRowLineCount, std::max(value, -1));
}

void TTreeList::SetPreviewLines(int value) {
  ChangeLayout(FPreviewLines, std::max(value, -1));
}

void TTreeList::SetShowRoot(bool value) {
  ChangeLook(FShowRoot, value);
}

const TTreeListMetrics& TTreeList::Metrics() const {
  return FScreenView->Metrics();
}

TTreeListGeometry TTreeList::Geometry() const {
  return FScreenView->Geometry();
}

int TTreeList::GeometryBuilds() const {
  return FScreenView->GeometryBuilds();
}

int TTreeList::BandWidth(int visibleBand) const {
  const TTreeListGeometry g = Geometry();
  if (visibleBand < 0 || visibleBand >= static_cast<int>(g.Bands.size())) return 0;
  return g.Bands[visibleBand].Right - g.Bands[visibleBand].Left;
}

int TTreeList::ColumnWidth(int column) const {
  const TTreeListGeometry g = Geometry();
  const TTreeListColumnPlace* place = g.PlaceOf(Columns(column));
  return place ? place->CellRight - place->CellLeft : 0;
}

int TTreeList::TotalWidth() const {
  return Geometry().TotalWidth;
}

TRect TTreeList::CellRect(TTreeListNode* node, TTreeListColumn* column) const {
  const TTreeListGeometry g = Geometry();
  const TTreeListRowPlace* row = g.RowOf(node);
  const TTreeListColumnPlace* place = g.PlaceOf(column);
  if (!row || !place) return TRect{};
  return g.CellRect(*row, *place);
}

int TTreeList::NodeIndent(const TTreeListNode* node) const {
  return node ? NodeIndentation(*this, Metrics(), node) : 0;
}

int TTreeList::NodeRowHeight(const TTreeListNode* node) const {
  // Every row has the same height while previews, row footers and auto height are off.
  if (!node || UniformRows(*this)) return UniformRowHeight(*this, Metrics());
  return FScreenView->RowHeightOf(node);
}

void TTreeList::InvalidateColumnHeader(TTreeListColumn* column) {
  if (!Host() || !column) return;
  const TTreeListGeometry g = Geometry();
  if (const TTreeListColumnPlace* place = g.PlaceOf(column)) InvalidateRect(place->Header);
}

void TTreeList::SetPressedHeader(TTreeListColumn* column) {
  if (column == FPressedHeader) return;
  InvalidateColumnHeader(FPressedHeader);
  FPressedHeader = column;
  InvalidateColumnHeader(FPressedHeader);
}

void TTreeList::SetPressedBand(TTreeListBand* band) {
  if (band == FPressedBand) return;
  FPressedBand = band;
  if (Host()) InvalidateRect(Geometry().BandPanel);
}

void TTreeList::Paint(TCanvas& canvas, const TRect& updateRect) {
  const TTreeListEventScope scope(*FScreenView);
  const TTreeListGeometry geometry = Geometry();
  TTreeListPainter painter(*this, geometry, canvas, updateRect);
  painter.Paint();
  FInput->PaintOver(canvas, updateRect);
  // Texts changed since assistive technology last heard: one event per new picture.
  if (FAnnouncedValues != ValueChanges()) {
    FAnnouncedValues = ValueChanges();
    NotifyAccessible(aeValueChanged);
  }
  // The rows on screen are the accessible children: when other rows stand there now (added,
  // removed, expanded, collapsed or scrolled), assistive technology reads the list anew.
  const TShownRows shown{geometry.TopRow, geometry.Rows.size(), FScreenView->RowChanges()};
  if (shown != FAnnouncedRows) {
    const bool first = !FRowsAnnounced;
    FAnnouncedRows = shown;
    FRowsAnnounced = true;
    if (!first) NotifyAccessible(aeReorder);
  }
}

TAccessibleSource* TTreeList::AccessibleSource() {
  return &Accessible();
}

TTreeListAccessible& TTreeList::Accessible() {
  if (!FAccessible) FAccessible = std::make_unique<TTreeListAccessible>(*this);
  return *FAccessible;
}

void TTreeList::Resized() {
  View().UpdateScrollRanges();
  View().RepaintAll();
}

void TTreeList::CancelGesture() {
  FInput->Cancel();
}

void TTreeList::RestoreCursor() {
  const TPoint p = CursorPos();
  FInput->TrackCursor(p.x, p.y);
}

void TTreeList::EndSearch() {
  FInput->EndSearch();
}

const std::string& TTreeList::SearchText() const {
  return FInput->SearchText();
}

void TTreeList::FocusChanged(bool focused) {
  if (!focused) {
    CancelGesture();
    EndSearch();
  }
  // Selection colours and the focus rectangle follow the focus.
  View().RepaintAll();
}

int TTreeList::BestFitWidth(TTreeListColumn* column) const {
  if (!column) return 0;
  const TTreeListMetrics& m = Metrics();
  const TFont& font = column->Font();
  // The first column of the first band also holds the indentation.
  const TTreeListGeometry g = Geometry();
  const TTreeListColumnPlace* place = g.PlaceOf(column);
  const bool indented = place && place->BandPlace == 0 && place->Position == 0;
  int widest = MeasureText(HeaderFont(), column->Caption()).width + 15;
  ForEachNode([&](TTreeListNode* node) {
    int w = MeasureText(font, column->CellText(node)).width;
    if (indented) w += NodeIndentation(*this, m, node);
    widest = std::max(widest, w);
  });
  // Buttons shown in the cells take their room from the text.
  int buttons = 0;
  const auto* buttonColumn = dynamic_cast<const TTreeListButtonColumn*>(column->ShownColumn());
  if (buttonColumn && OptionsEx().Contains(aoShowButtonAlways) &&
      buttonColumn->ShowButtonStyle() != sbNone)
    buttons = buttonColumn->VisibleButtonsWidth();
  return widest + 2 * (m.ZeroWidth / 2 + 1) + buttons;
}

void TTreeList::ApplyBestFit(TTreeListColumn* column) {
  if (!column) return;
  if (column->Sizing()) column->SetWidth(BestFitWidth(column));
  if (OnChangedColumnsWidth) OnChangedColumnsWidth(this);
}

void TTreeList::ShowHeader(TTreeListColumn* column, int bandIndex, int rowIndex, int colIndex) {
  // A visible column left in no band (its band deleted) is shown again too.
  if (!column ||
      (column->Visible() && column->BandIndex() >= 0 && column->BandIndex() < Bands().Count()))
    return;
  {
    const auto update = UpdateScope();
    column->SetVisible(true);
    column->SetBandIndex(bandIndex);
    column->SetRowIndex(rowIndex);
    column->SetColIndex(colIndex);
  }
  if (OnShowHeader)
    OnShowHeader(this, column, column->BandIndex(), column->RowIndex(), column->ColIndex());
}
