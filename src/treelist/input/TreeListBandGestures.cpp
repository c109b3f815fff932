// The band panel's gestures: sizing a band by its edge (the same inverting line, clamps and
// cancel as column sizing), best fit of a band's columns, and moving a band by dragging its
// header, with the drop arrows of header dragging.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "treelist/TreeList.h"
#include "treelist/input/TreeListInput.h"

namespace {

// Gives a band the width it shows: its Width, and with aoBandHeaderWidth the columns of each
// of its header rows scaled so that they add up to it.
void StoreBandWidth(TTreeList& tree, TTreeListBand* band, int width) {
  band->SetWidth(width);
  if (!tree.OptionsEx().Contains(aoBandHeaderWidth)) return;
  const int index = band->Index();
  for (int row = 0; row < tree.HeaderPanelRowCount(); ++row) {
    std::vector<TTreeListColumn*> columns;
    int sum = 0;
    for (int p = 0; TTreeListColumn* c = tree.ColumnAt(index, row, p); ++p)
      columns.push_back(c), sum += c->Width();
    if (sum <= 0) continue;
    int given = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
      TTreeListColumn* c = columns[i];
      const int w = i + 1 == columns.size() ? width - given : MulDiv(c->Width(), width, sum);
      if (c->Sizing()) c->SetWidth(w);
      given += c->Width();
    }
  }
}

}  // namespace

void TTreeListInput::StartBandSizing(const TTreeListHitInfo& hit, int x) {
  const TTreeListGeometry g = FTree.Geometry();
  if (hit.Band < 0 || hit.Band >= static_cast<int>(g.Bands.size())) return;
  FState = msBandSizing;
  FBand = g.Bands[hit.Band].Band;
  ShowSizingLine(x);
}

// Under automatic width the neighbouring bands give or take the difference; otherwise the
// band alone changes.
void TTreeListInput::FinishBandSizing(int x) {
  HideSizingLine();
  x = ClampSizingX(x);
  FState = msNone;
  if (x == FLineStartX) return;
  const TTreeListGeometry g = FTree.Geometry();
  const int sized = FTree.Bands().IndexToVisibleIndex(FBand->Index());
  if (sized < 0 || sized >= static_cast<int>(g.Bands.size())) return;
  std::vector<int> widths;
  for (const TTreeListBandPlace& b : g.Bands) widths.push_back(b.Right - b.Left);
  const int width = x - g.Bands[sized].Left + 1;
  {
    const auto update = FTree.UpdateScope();
    if (FTree.Options().Contains(aoAutoWidth)) {
      ShareOut(widths, sized, width);
      for (size_t i = 0; i < widths.size(); ++i)
        if (g.Bands[i].Band->Sizing() || static_cast<int>(i) == sized)
          StoreBandWidth(FTree, g.Bands[i].Band, widths[i]);
    } else {
      StoreBandWidth(FTree, FBand, width);
    }
  }
  if (FTree.OnChangedColumnsWidth) FTree.OnChangedColumnsWidth(&FTree);
}

// A double click on a band's edge fits every column of the band.
void TTreeListInput::FitBand(const TTreeListHitInfo& hit) {
  const TTreeListGeometry g = FTree.Geometry();
  if (hit.Band < 0 || hit.Band >= static_cast<int>(g.Bands.size())) return;
  const int band = g.Bands[hit.Band].Index;
  {
    const auto update = FTree.UpdateScope();
    for (const TTreeListColumnPlace& place : g.Columns)
      if (place.Column->BandIndex() == band && place.Column->Sizing())
        place.Column->SetWidth(FTree.BestFitWidth(place.Column));
  }
  if (FTree.OnChangedColumnsWidth) FTree.OnChangedColumnsWidth(&FTree);
}

void TTreeListInput::PressBand(const TTreeListHitInfo& hit, int x, int y) {
  const TTreeListGeometry g = FTree.Geometry();
  if (hit.Band < 0 || hit.Band >= static_cast<int>(g.Bands.size())) return;
  FState = msBandPressed;
  FBand = g.Bands[hit.Band].Band;
  FPressPoint = {x, y};
  FTree.SetPressedBand(FBand);
}

// Drawn down only while over its own header; far enough away, the press becomes a drag of a
// band that may move.
void TTreeListInput::MovePressedBand(int x, int y) {
  const TTreeListHitInfo hit = FTree.GetHitInfo({x, y});
  const bool over = hit.Kind == HitBandHeader && FTree.VisibleBands(hit.Band) == FBand;
  FTree.SetPressedBand(over ? FBand : nullptr);
  const bool far =
      std::abs(x - FPressPoint.x) > kDragThreshold || std::abs(y - FPressPoint.y) > kDragThreshold;
  const bool movable = FTree.OptionsEx().Contains(aoBandMoving) && !FBand->DisableDragging() &&
                       FBand->Fixed() == bfNone;
  if (far && movable) StartBandDrag(x, y);
}

void TTreeListInput::StartBandDrag(int x, int y) {
  FState = msBandDragging;
  FBandDrop = -1;
  FDeleteCursor = false;
  FTree.SetPressedBand(nullptr);
  const TTreeListGeometry g = FTree.Geometry();
  const int v = FTree.Bands().IndexToVisibleIndex(FBand->Index());
  if (v >= 0 && v < static_cast<int>(g.Bands.size())) StartDragImage(g.Bands[v].Header);
  MoveBandDrag(x, y);
}

// Left of a scrolling band's middle the band goes before it, right of it after it; fixed
// bands keep their places, and a drop next to a shown band's own place moves nothing. A
// hidden band may also come back where it is.
int TTreeListInput::BandDropAt(TPoint p, const TTreeListBand* band, int* edge) const {
  const TTreeListGeometry g = FTree.Geometry();
  if (!PtInRect(g.BandPanel, p)) return -1;
  const int own = band->Index();
  if (g.Bands.empty() && !band->Visible()) {
    if (edge) *edge = g.BandPanel.left;
    return own;
  }
  for (const TTreeListBandPlace& b : g.Bands) {
    if (b.Fixed || p.x < b.ShownLeft || p.x >= b.ShownRight) continue;
    const bool before = p.x <= (b.Left + b.Right) / 2;
    const int target = before ? b.Index : b.Index + 1;
    if (band->Visible() && (target == own || target == own + 1)) return -1;
    if (edge) *edge = before ? b.Left : b.Right;
    return target > own ? target - 1 : target;
  }
  return -1;
}

TRect TTreeListInput::BandArrowBox(int edge) const {
  const TTreeListGeometry g = FTree.Geometry();
  const int width = TTreeListMetrics::kDragArrowWidth;
  const int left = std::clamp(edge - 5, g.BandPanel.left, g.BandPanel.right - width);
  const int top = std::max(g.BandPanel.top - 9, g.Client.top);
  return Rect(left, top, left + width, top + g.BandPanel.Height() + 18);
}

// Off the band panel the band would go hidden: the delete cursor says so, as for a column.
void TTreeListInput::MoveBandDrag(int x, int y) {
  int edge = 0;
  const int drop = BandDropAt({x, y}, FBand, &edge);
  ShowDropCursor(PtInRect(FTree.Geometry().BandPanel, {x, y}), x, y);
  UpdateDragScroll(x);
  if (drop == FBandDrop && (FArrowsShown || drop < 0)) return;
  HideArrows();
  FBandDrop = drop;
  if (drop >= 0) ShowArrows(BandArrowBox(edge));
}

void TTreeListInput::FinishBandDrag(int x, int y) {
  const bool off = !PtInRect(FTree.Geometry().BandPanel, {x, y});
  const int drop = BandDropAt({x, y}, FBand, nullptr);
  TTreeListBand* band = FBand;
  CancelHeaderDrag();
  FTree.SetCursorShape(crArrow);
  FState = msNone;
  if (drop >= 0)
    band->SetIndex(drop);
  else if (off)
    HideDraggedBand(band);
}

// Dragged off the band panel a band is hidden as a column is off the header panel; as the
// last column shown stays, so does a band holding every column shown.
void TTreeListInput::HideDraggedBand(TTreeListBand* band) {
  if (!MayHide(band->DisableCustomizing(), FTree.VisibleBandCount())) return;
  const TTreeListBands& bands = FTree.Bands();
  bool othersShowColumns = false;
  for (int i = 0; i < FTree.ColumnCount() && !othersShowColumns; ++i) {
    const TTreeListColumn* c = FTree.Columns(i);
    othersShowColumns = c->Visible() && c->BandIndex() != band->Index() && c->BandIndex() >= 0 &&
                        c->BandIndex() < bands.Count() && bands.Items(c->BandIndex())->Visible();
  }
  if (!othersShowColumns) return;
  const int index = band->Index();
  band->SetVisible(false);
  if (FTree.OnHideBand) FTree.OnHideBand(&FTree, band, index);
}
