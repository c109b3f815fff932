// Sizing a column by dragging its header edge: an inverting line follows the mouse on the
// screen, and the release gives the column its new width (re-proportioning its neighbours
// while the widths fill the client).
#include <algorithm>
#include <utility>
#include <vector>

#include "treelist/TreeList.h"
#include "treelist/input/TreeListInput.h"

void TTreeListInput::StartSizing(const TTreeListHitInfo& hit, int x) {
  FState = msColumnSizing;
  FColumn = FTree.Columns(hit.Column);
  ShowSizingLine(x);
}

void TTreeListInput::ShowSizingLine(int x) {
  FLineStartX = x;
  FLineX = ClampSizingX(x);
  FTree.SetCursorShape(crHSplit);
  if (TCanvas* screen = FTree.ScreenCanvas()) {
    ToggleSizingLine(*screen);
    FLineShown = true;
  }
}

void TTreeListInput::HideSizingLine() {
  if (FLineShown) ToggleSizingLine(*FTree.ScreenCanvas());
  FLineShown = false;
}

namespace {

// The row's columns in display order, with their displayed widths.
std::vector<const TTreeListColumnPlace*> RowOf(const TTreeListGeometry& g,
                                               const TTreeListColumnPlace& place) {
  std::vector<const TTreeListColumnPlace*> row;
  for (const TTreeListColumnPlace& c : g.Columns)
    if (c.BandPlace == place.BandPlace && c.Row == place.Row) row.push_back(&c);
  return row;
}

// A column is sized alone with aoKeepColumnWidth, except under automatic width, where the
// columns share the client's width and its neighbours must give or take the difference.
bool KeepsOtherWidths(const TTreeList& tree) {
  return tree.OptionsEx().Contains(aoKeepColumnWidth) && !tree.Options().Contains(aoAutoWidth);
}

// Only a band of one header row that follows its columns can simply grow with one of them,
// or any band whose columns keep their widths; otherwise the neighbours give or take the
// difference.
bool SizesDirectly(const TTreeList& tree, const TTreeListColumn* column) {
  if (KeepsOtherWidths(tree)) return true;
  return !tree.Options().Contains(aoAutoWidth) && tree.OptionsEx().Contains(aoBandHeaderWidth) &&
         tree.HeaderRowsInBand(column->BandIndex()) <= 1;
}

// The column alone takes the new width. A band that does not follow its columns grows or
// shrinks by as much while its widest row is the one sized, so the others keep their places;
// past the window the row scrolls.
void SizeAlone(TTreeList& tree, const TTreeListGeometry& g, const TTreeListColumnPlace& place,
               int width) {
  TTreeListColumn* column = place.Column;
  const auto update = tree.UpdateScope();
  const int before = column->Width();
  column->SetWidth(width);
  if (tree.OptionsEx().Contains(aoBandHeaderWidth)) return;
  TTreeListBand* band = g.Bands[place.BandPlace].Band;
  int widest = 0, sized = 0;
  for (int row = 0; row < tree.HeaderPanelRowCount(); ++row) {
    int sum = 0;
    for (int p = 0; TTreeListColumn* c = tree.ColumnAt(band->Index(), row, p); ++p)
      sum += c->Width();
    widest = std::max(widest, sum);
    if (row == place.Row) sized = sum;
  }
  if (sized == widest) band->SetWidth(band->Width() + column->Width() - before);
}

// The widest a re-proportioned column may get: the neighbours that give the room keep their
// minimum widths, so the row never grows past its band.
int WidestReproportioned(const TTreeListGeometry& g, const TTreeListColumnPlace& place) {
  int widest = place.CellRight - place.CellLeft;
  for (const TTreeListColumnPlace* c : RowOf(g, place))
    if (place.Last() ? c->Position < place.Position : c->Position > place.Position)
      widest += std::max(c->CellRight - c->CellLeft - c->Column->MinWidth(), 0);
  return widest;
}

}  // namespace

// A column's line stays right of its minimum width and within its band (or the client while
// the band follows its columns); a band's likewise within the client.
int TTreeListInput::ClampSizingX(int x) const {
  const TTreeListGeometry g = FTree.Geometry();
  int low, high;
  if (FState == msBandSizing) {
    const int v = FTree.Bands().IndexToVisibleIndex(FBand->Index());
    if (v < 0 || v >= static_cast<int>(g.Bands.size())) return x;
    low = g.Bands[v].Left + BandMinWidth(FTree, *FBand);
    high = FTree.ClientWidth() - 1;
  } else {
    const TTreeListColumnPlace* place = g.PlaceOf(FColumn);
    if (!place) return x;
    low = place->CellLeft + ColumnMinWidth(FColumn);
    high = g.Bands[place->BandPlace].Right;
    // A band that follows its columns, or grows with a column sized alone, holds no line.
    if ((FTree.OptionsEx().Contains(aoBandHeaderWidth) && !FTree.ShowBands()) ||
        KeepsOtherWidths(FTree))
      high = FTree.ClientWidth() - 1;
    if (!SizesDirectly(FTree, FColumn))
      high = std::min(high, place->CellLeft + WidestReproportioned(g, *place) - 1);
  }
  if (!FTree.Options().Contains(aoAutoWidth) && FTree.OptionsEx().Contains(aoFullSizing))
    high = kUnboundedSizing;
  return std::max(low, std::min(x, high));
}

// Drawn twice the line leaves no trace.
void TTreeListInput::ToggleSizingLine(TCanvas& canvas) const {
  const TTreeListGeometry g = FTree.Geometry();
  const TPen saved = canvas.Pen();
  canvas.Pen() = TPen{clBlack, 1, psSolid, pmNotXor};
  canvas.MoveTo(FLineX, FState == msBandSizing ? g.BandPanel.top : g.HeaderPanel.top);
  canvas.LineTo(FLineX, g.RowsArea.bottom);
  canvas.Pen() = saved;
}

void TTreeListInput::MoveSizingLine(int x) {
  x = ClampSizingX(x);
  if (x == FLineX) return;
  TCanvas* screen = FTree.ScreenCanvas();
  if (screen && FLineShown) ToggleSizingLine(*screen);
  FLineX = x;
  if (screen && FLineShown) ToggleSizingLine(*screen);
}

namespace {

// Shares target out among the widths [from, to) in proportion, the last not held taking the
// remainder; a width whose share would fall below its minimum is held at it and the others
// share again, until every share keeps its minimum (or all are held).
void ShareWithMinimums(std::vector<int>& widths, int from, int to, int target,
                       const std::vector<int>& mins) {
  auto min = [&](int i) { return i < static_cast<int>(mins.size()) ? mins[i] : 0; };
  std::vector<int> shares(widths.size());
  std::vector<bool> held(widths.size(), false);
  for (bool again = true; again;) {
    again = false;
    int room = target, free = 0, last = -1;
    for (int i = from; i < to; ++i) {
      if (held[i])
        room -= min(i);
      else
        free += widths[i], last = i;
    }
    int given = 0;
    for (int i = from; i < to; ++i) {
      if (held[i]) continue;
      shares[i] = i == last ? room - given : free > 0 ? MulDiv(widths[i], room, free) : 0;
      given += shares[i];
      if (shares[i] < min(i)) held[i] = again = true;
    }
  }
  for (int i = from; i < to; ++i) widths[i] = held[i] ? min(i) : shares[i];
}

}  // namespace

// The neighbours right of the sized one (left of it when it is the last) give or take the
// difference in proportion to their widths, so the sum stays while their minimums allow.
// Returns the factor as (new sum, old sum) of the neighbours; {1, 1} when none can give.
std::pair<int, int> ShareOut(std::vector<int>& widths, int sized, int newWidth,
                             const std::vector<int>& mins) {
  const int count = static_cast<int>(widths.size());
  const bool last = sized == count - 1;
  const int from = last ? 0 : sized + 1, to = last ? sized : count;
  int sum = 0;
  for (int i = from; i < to; ++i) sum += widths[i];
  if (from >= to || sum <= 0) return {1, 1};
  const int target = std::max(sum + widths[sized] - newWidth, 0);
  ShareWithMinimums(widths, from, to, target, mins);
  widths[sized] = newWidth;
  return {target, sum};
}

namespace {

// Every column of the row then keeps what it shows as its width.
void Reproportion(TTreeList& tree, const TTreeListGeometry& g, const TTreeListColumnPlace& place,
                  int newWidth) {
  const std::vector<const TTreeListColumnPlace*> row = RowOf(g, place);
  std::vector<int> widths, mins;
  for (const TTreeListColumnPlace* c : row) {
    widths.push_back(c->CellRight - c->CellLeft);
    mins.push_back(c->Column->MinWidth());
  }
  const auto [target, sum] = ShareOut(widths, place.Position, newWidth, mins);
  if (target == 1 && sum == 1) return;
  for (int i = 0; i < tree.ColumnCount(); ++i) {
    TTreeListColumn* hidden = tree.Columns(i);
    if (!hidden->Displayed() && hidden->Sizing() &&
        hidden->BandIndex() == place.Column->BandIndex())
      hidden->SetWidth(MulDiv(hidden->Width(), target, sum));
  }
  for (size_t i = 0; i < row.size(); ++i) {
    TTreeListColumn* c = row[i]->Column;
    c->SetWidth(c->Sizing() ? std::max(widths[i], c->MinWidth()) : widths[i]);
  }
}

}  // namespace

void TTreeListInput::FinishSizing(int x) {
  HideSizingLine();
  TTreeListColumn* column = FColumn;
  FState = msNone;
  x = ClampSizingX(x);
  if (x == FLineStartX) return;
  const TTreeListGeometry g = FTree.Geometry();
  const TTreeListColumnPlace* place = g.PlaceOf(column);
  if (!place) return;
  const int width = x - place->CellLeft + 1;
  if (KeepsOtherWidths(FTree))
    SizeAlone(FTree, g, *place, width);
  else if (SizesDirectly(FTree, column))
    column->SetWidth(width);
  else  // an unbounded line still leaves the neighbours their minimums: the band keeps its width
    Reproportion(FTree, g, *place, std::min(width, WidestReproportioned(g, *place)));
  if (FTree.OnChangedColumnsWidth) FTree.OnChangedColumnsWidth(&FTree);
}
