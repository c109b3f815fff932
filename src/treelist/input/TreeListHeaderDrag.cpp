// Moving a column by dragging its header: the drag image, the drop arrows drawn straight on
// the screen over saved pixels, auto-scroll near the ends, and the move on release.
#include <algorithm>
#include <vector>

#include "treelist/TreeList.h"
#include "treelist/input/TreeListInput.h"

namespace {

const TTreeListColumnPlace* PlaceAt(const TTreeListGeometry& g, int band, int row, int position) {
  for (const TTreeListColumnPlace& c : g.Columns)
    if (c.BandPlace == band && c.Row == row && c.Position == position) return &c;
  return nullptr;
}

bool InHeaderPanel(const TTreeListGeometry& g, TPoint p) {
  return PtInRect(g.HeaderPanel, p);
}

// A band row that holds no header takes a column as its first.
THeaderPosInfo EmptyRowAt(const TTreeListGeometry& g, TPoint p, const TTreeListColumn* column) {
  const int rowHeight = g.HeaderRows > 0 ? g.HeaderPanel.Height() / g.HeaderRows : 0;
  if (rowHeight <= 0) return {};
  const int row = std::min((p.y - g.HeaderPanel.top) / rowHeight, g.HeaderRows - 1);
  for (int b = 0; b < static_cast<int>(g.Bands.size()); ++b) {
    const TTreeListBandPlace& band = g.Bands[b];
    if (p.x < band.ShownLeft || p.x >= band.ShownRight) continue;
    if (band.Band->OnlyOwnColumns() && band.Index != column->BandIndex()) return {};
    for (const TTreeListColumnPlace& c : g.Columns)
      if (c.BandPlace == b && c.Row == row) return {};
    return {b, row, 0};
  }
  return {};
}

}  // namespace

bool TTreeListInput::CanDragHeader() const {
  if (!FTree.Options().Contains(aoColumnMoving) || FColumn->DisableDragging()) return false;
  bool allow = true;
  if (FTree.OnCanHeaderDragging) FTree.OnCanHeaderDragging(&FTree, FColumn, allow);
  return allow;
}

void TTreeListInput::StartHeaderDrag(int x, int y) {
  FState = msHeaderDragging;
  FDrop = THeaderPosInfo{};
  FDeleteCursor = false;
  if (FTree.OnStartHeaderDragging) FTree.OnStartHeaderDragging(&FTree, FColumn);
  const TTreeListGeometry g = FTree.Geometry();
  if (const TTreeListColumnPlace* place = g.PlaceOf(FColumn)) StartDragImage(place->Header);
  MoveHeaderDrag(x, y);
}

// A picture of the header as the screen shows it follows the mouse.
void TTreeListInput::StartDragImage(const TRect& header) {
  if (!FTree.ScreenCanvas() || IsRectEmpty(header)) return;
  TBitmap image(header.Width(), header.Height(), FTree.ScreenCanvas()->Scale());
  image.Canvas().CopyRect(Rect(0, 0, image.Width(), image.Height()), *FTree.ScreenCanvas(), header);
  FTree.BeginDragImage(image, {FPressPoint.x - header.left, FPressPoint.y - header.top});
}

// Left of a header's middle the column goes before it, right of it after it; right of the
// last header of a row, after that one; in a band row without headers, first. A drop next to
// a shown column's own place moves nothing.
THeaderPosInfo TTreeListInput::DropPositionAt(TPoint p, const TTreeListColumn* column) const {
  const TTreeListGeometry g = FTree.Geometry();
  const TTreeListColumnPlace* own = g.PlaceOf(column);
  if (!InHeaderPanel(g, p) || (!own && column->Visible())) return {};
  const TTreeListColumnPlace* under = nullptr;
  int position = -1;
  for (const TTreeListColumnPlace& c : g.Columns) {
    if (p.y < c.Header.top || p.y >= c.Header.bottom) continue;
    // A header under a fixed band is not what the pointer is over.
    if (PtInRect(c.Header, p) && g.Shows(c, p.x)) {
      under = &c;
      position = p.x <= (c.Header.left + c.Header.right) / 2 ? c.Position : c.Position + 1;
      break;
    }
    if (c.Last() && p.x >= c.Header.right) under = &c, position = c.RowColumns;
  }
  if (!under) return EmptyRowAt(g, p, column);
  if (under == own) return {};
  // A band that keeps to its own columns takes no other.
  const TTreeListBand* band = g.Bands[under->BandPlace].Band;
  if (band->OnlyOwnColumns() && band->Index() != column->BandIndex()) return {};
  const bool sameRow = own && under->BandPlace == own->BandPlace && under->Row == own->Row;
  if (sameRow && (position == own->Position || position == own->Position + 1)) return {};
  return {under->BandPlace, under->Row, position};
}

// Over the header panel a drop is accepted unless the handler refuses it.
bool TTreeListInput::AcceptsDrop(const TTreeListGeometry& g, TPoint p) const {
  bool accept = InHeaderPanel(g, p);
  if (FTree.OnDragOverHeader) FTree.OnDragOverHeader(&FTree, FColumn, p, accept);
  return accept;
}

void TTreeListInput::ShowDropCursor(bool accept, int x, int y) {
  FDeleteCursor = !accept;
  FTree.SetCursorShape(accept ? crArrow : crDeleteDrop);
  // The delete cursor would hide the picture's corner.
  FTree.MoveDragImage({accept ? x : x - 16, y});
}

void TTreeListInput::MoveHeaderDrag(int x, int y) {
  const TTreeListGeometry g = FTree.Geometry();
  const TPoint p{x, y};
  const bool accept = AcceptsDrop(g, p);
  ShowDropCursor(accept, x, y);
  const THeaderPosInfo drop = accept ? DropPositionAt(p, FColumn) : THeaderPosInfo{};
  if (!(drop == FDrop) || !FArrowsShown) {
    HideArrows();
    FDrop = drop;
    if (FDrop.Valid()) ShowArrows(ArrowBox(FDrop));
  }
  UpdateDragScroll(x);
}

void TTreeListInput::UpdateDragScroll(int x) {
  const TTreeListGeometry g = FTree.Geometry();
  int direction = 0;
  if (x < g.Client.left + kDragScrollZone)
    direction = -1;
  else if (x >= g.Client.right - kDragScrollZone)
    direction = 1;
  if (direction == FDragScroll) return;
  FDragScroll = direction;
  if (direction == 0)
    FTree.KillTimer(kDragScrollTimer);
  else
    FTree.SetTimer(kDragScrollTimer, kDragScrollInterval);
}

// A box one arrow wide above and below the insertion edge, kept inside the header panel
// sideways and inside the control at the top: only the control's own pixels can be drawn on.
// In an empty band row the edge is the band's left.
TRect TTreeListInput::ArrowBox(const THeaderPosInfo& drop) const {
  const TTreeListGeometry g = FTree.Geometry();
  if (!drop.Valid() || drop.BandIndex >= static_cast<int>(g.Bands.size())) return TRect{};
  const TTreeListColumnPlace* at = PlaceAt(g, drop.BandIndex, drop.RowIndex, drop.ColIndex);
  const TTreeListColumnPlace* before =
      at ? at : PlaceAt(g, drop.BandIndex, drop.RowIndex, drop.ColIndex - 1);
  const int rowTop = g.HeaderPanel.top + drop.RowIndex * FTree.Metrics().HeaderRowHeight;
  const int edge = at       ? at->Header.left
                   : before ? before->Header.right
                            : g.Bands[drop.BandIndex].Left;
  const int width = TTreeListMetrics::kDragArrowWidth;
  const int left = std::clamp(edge - 5, g.HeaderPanel.left, g.HeaderPanel.right - width);
  const int top = std::max((before ? before->Header.top : rowTop) - 9, g.Client.top);
  return Rect(left, top, left + width, top + FTree.Metrics().DragArrowHeight);
}

void TTreeListInput::DrawArrows(TCanvas& canvas) const {
  const int l = FArrowBox.left, t = FArrowBox.top, h = FArrowBox.Height();
  auto at = [&](std::vector<TPoint> points) {
    for (TPoint& p : points) p = {p.x + l, p.y + t};
    return points;
  };
  const TPen pen = canvas.Pen();
  const TBrush brush = canvas.Brush();
  canvas.Pen() = TPen{clBlack, 1, psSolid, pmCopy};
  canvas.Brush() = TBrush{FTree.ArrowsColor(), bsSolid, FTree.ArrowsColor()};
  canvas.Polygon(at({{5, 8}, {0, 3}, {3, 3}, {3, 0}, {7, 0}, {7, 3}, {10, 3}}));
  canvas.Polygon(
      at({{5, h - 9}, {10, h - 4}, {7, h - 4}, {7, h - 1}, {3, h - 1}, {3, h - 4}, {0, h - 4}}));
  canvas.Pen() = pen;
  canvas.Brush() = brush;
}

// What lies under the arrows is kept, so taking them away puts it back exactly. It is kept
// at the screen's own coordinates: at a fractional device pixel ratio a box moved to another
// origin would cover a device pixel more or less.
void TTreeListInput::ShowArrows(const TRect& box) {
  TCanvas* screen = FTree.ScreenCanvas();
  FArrowBox = box;
  if (!screen || IsRectEmpty(FArrowBox)) return;
  FUnderArrows.SetScale(screen->Scale());
  FUnderArrows.SetSize(FTree.ClientWidth(), FTree.ClientHeight());
  const TRect saved = SavedArrowBox();
  FUnderArrows.Canvas().CopyRect(saved, *screen, saved);
  FTree.ShowDragImage(false);
  DrawArrows(*screen);
  FTree.ShowDragImage(true);
  FArrowsShown = true;
}

void TTreeListInput::HideArrows() {
  if (!FArrowsShown) return;
  FArrowsShown = false;
  const TRect saved = SavedArrowBox();
  if (TCanvas* screen = FTree.ScreenCanvas()) screen->CopyRect(saved, FUnderArrows.Canvas(), saved);
}

// A logical pixel more all round: at a fractional ratio an arrow's slanted edge may reach a
// device pixel past its box.
TRect TTreeListInput::SavedArrowBox() const {
  TRect r = FArrowBox;
  InflateRect(r, 1, 1);
  IntersectRect(r, r, FTree.ClientRect());
  return r;
}

void TTreeListInput::CancelHeaderDrag() {
  HideArrows();
  FTree.EndDragImage();
  FTree.KillTimer(kDragScrollTimer);
  FDragScroll = 0;
  FDrop = THeaderPosInfo{};
  FBandDrop = -1;
}

void TTreeListInput::FinishHeaderDrag(int x, int y) {
  TTreeListColumn* column = FColumn;
  const TTreeListGeometry g = FTree.Geometry();
  const TPoint p{x, y};
  // Refused over the panel the drop does nothing; off the panel (the delete cursor) it hides
  // the column. The handler is asked about either, so its veto starts true off the panel.
  const bool over = AcceptsDrop(g, p);
  const bool hides = !over && !InHeaderPanel(g, p);
  THeaderPosInfo drop = over ? DropPositionAt(p, column) : THeaderPosInfo{};
  bool accept = over || hides;
  CancelHeaderDrag();
  FTree.SetPressedHeader(nullptr);
  FTree.SetCursorShape(crArrow);
  FState = msNone;
  if (FTree.OnDragEndHeader) FTree.OnDragEndHeader(&FTree, column, p, drop, accept);
  // A handler's position names a band on screen, or none.
  if (accept && drop.Valid() && drop.BandIndex < static_cast<int>(g.Bands.size()))
    PlaceDraggedColumn(column, g, drop);
  else if (accept && hides)
    HideDraggedColumn(column, g);
  if (!column->Displayed() || !FTree.OnEndDragColumn) return;
  int position = column->Index();
  FTree.OnEndDragColumn(&FTree, x, y, column, position);
  column->SetIndex(position);
}

void TTreeListInput::PlaceDraggedColumn(TTreeListColumn* column, const TTreeListGeometry& g,
                                        const THeaderPosInfo& drop) {
  const TTreeListColumnPlace* own = g.PlaceOf(column);
  // Taking the column out first shifts the later places of its own row by one.
  int position = drop.ColIndex;
  if (own && own->BandPlace == drop.BandIndex && own->Row == drop.RowIndex &&
      position > own->Position)
    --position;
  const int from = column->Index();
  {
    const auto update = FTree.UpdateScope();
    column->SetBandIndex(g.Bands[drop.BandIndex].Index);
    column->SetRowIndex(drop.RowIndex);
    column->SetColIndex(position);
  }
  if (FTree.OnHeaderMoved) FTree.OnHeaderMoved(&FTree, column);
  if (column->Index() != from && FTree.OnColumnMoved)
    FTree.OnColumnMoved(&FTree, from, column->Index());
}

bool TTreeListInput::MayHide(bool disableCustomizing, int shown) const {
  return FTree.CustomizingActive() && !disableCustomizing && shown > 1;
}

// Dragged off the header panel a column is hidden while the user may customize the columns,
// unless it is the last one shown.
void TTreeListInput::HideDraggedColumn(TTreeListColumn* column, const TTreeListGeometry& g) {
  const TTreeListColumnPlace* place = g.PlaceOf(column);
  if (!place || !MayHide(column->DisableCustomizing(), static_cast<int>(g.Columns.size()))) return;
  column->SetVisible(false);
  if (FTree.OnHideHeader)
    FTree.OnHideHeader(&FTree, column, g.Bands[place->BandPlace].Index, place->Row,
                       place->Position);
}
