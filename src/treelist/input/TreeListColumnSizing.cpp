// Sizing a column by dragging its header edge: an inverting line follows the mouse on the
// screen, and the release gives the column its new width (re-proportioning its neighbours
// while the widths fill the client).
#include <algorithm>
#include <vector>

#include "treelist/TreeList.h"
#include "treelist/input/TreeListInput.h"

void TTreeListInput::StartSizing(const TTreeListHitInfo& hit, int x) {
  FState = msColumnSizing;
  FColumn = FTree.Columns(hit.Column);
  FLineStartX = x;
  FLineX = ClampSizingX(x);
  FTree.SetCursorShape(crHSplit);
  if (TCanvas* screen = FTree.ScreenCanvas()) {
    ToggleSizingLine(*screen);
    FLineShown = true;
  }
}

int TTreeListInput::ClampSizingX(int x) const {
  const TTreeListGeometry g = FTree.Geometry();
  const TTreeListColumnPlace* place = g.PlaceOf(FColumn);
  if (!place) return x;
  const int low = place->CellLeft + ColumnMinWidth(FColumn);
  int high = g.Bands[place->BandPlace].Right;
  if (!FTree.Options().Contains(aoAutoWidth) && FTree.OptionsEx().Contains(aoFullSizing))
    high = kUnboundedSizing;
  else if (FTree.OptionsEx().Contains(aoBandHeaderWidth) && !FTree.ShowBands())
    high = FTree.ClientWidth() - 1;
  return std::max(low, std::min(x, high));
}

// Drawn twice the line leaves no trace.
void TTreeListInput::ToggleSizingLine(TCanvas& canvas) const {
  const TTreeListGeometry g = FTree.Geometry();
  const TPen saved = canvas.Pen();
  canvas.Pen() = TPen{clBlack, 1, psSolid, pmNotXor};
  canvas.MoveTo(FLineX, g.HeaderPanel.top);
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

// The row's columns in display order, with their displayed widths.
std::vector<const TTreeListColumnPlace*> RowOf(const TTreeListGeometry& g,
                                               const TTreeListColumnPlace& place) {
  std::vector<const TTreeListColumnPlace*> row;
  for (const TTreeListColumnPlace& c : g.Columns)
    if (c.BandPlace == place.BandPlace && c.Row == place.Row) row.push_back(&c);
  return row;
}

// The columns right of the sized one (left of it when it is the last) give or take the
// difference, in proportion to their widths; every column of the row then keeps what it
// shows as its width, so the row's sum stays the same.
void Reproportion(TTreeList& tree, const TTreeListGeometry& g, const TTreeListColumnPlace& place,
                  int newWidth) {
  const std::vector<const TTreeListColumnPlace*> row = RowOf(g, place);
  std::vector<int> widths;
  for (const TTreeListColumnPlace* c : row) widths.push_back(c->CellRight - c->CellLeft);
  const int sized = place.Position;
  const bool last = place.Last();
  const int from = last ? 0 : sized + 1, to = last ? sized : static_cast<int>(row.size());
  int sum = 0;
  for (int i = from; i < to; ++i) sum += widths[i];
  if (from >= to || sum <= 0) return;
  const int target = std::max(sum + widths[sized] - newWidth, 0);
  int given = 0;
  for (int i = from; i < to; ++i) {
    widths[i] = i + 1 == to ? target - given : MulDiv(widths[i], target, sum);
    given += widths[i];
  }
  widths[sized] = newWidth;
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
  if (FLineShown) ToggleSizingLine(*FTree.ScreenCanvas());
  FLineShown = false;
  TTreeListColumn* column = FColumn;
  FState = msNone;
  x = ClampSizingX(x);
  if (x == FLineStartX) return;
  const TTreeListGeometry g = FTree.Geometry();
  const TTreeListColumnPlace* place = g.PlaceOf(column);
  if (!place) return;
  const int width = x - place->CellLeft + 1;
  // Only a band of one header row that follows its columns can simply grow with one of them;
  // otherwise the neighbours give or take the difference.
  const bool direct = !FTree.Options().Contains(aoAutoWidth) &&
                      FTree.OptionsEx().Contains(aoBandHeaderWidth) &&
                      FTree.HeaderRowsInBand(column->BandIndex()) <= 1;
  if (direct)
    column->SetWidth(width);
  else
    Reproportion(FTree, g, *place, width);
  if (FTree.OnChangedColumnsWidth) FTree.OnChangedColumnsWidth(&FTree);
}
