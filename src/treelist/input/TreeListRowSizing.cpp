// Sizing the rows (by a row's bottom edge in the indicator), the header panel and the band
// panel (by their bottom edges): an inverting horizontal line follows the mouse, and the
// release sets the row height or the panel's row count.
#include <algorithm>

#include "treelist/TreeList.h"
#include "treelist/input/TreeListInput.h"

namespace {

// One band row: the band panel's height less its frame, per row.
int BandRowUnit(const TTreeListMetrics& m, int rowCount) {
  return std::max((m.BandRowHeight - 5) / std::max(rowCount, 1), 1);
}

}  // namespace

void TTreeListInput::StartEdgeSizing(const TTreeListHitInfo& hit, int y) {
  const TTreeListGeometry g = FTree.Geometry();
  if (hit.Kind == HitRowEdge) {
    const TTreeListRowPlace* row = g.RowOf(hit.Node);
    if (!row) return;
    FState = msRowSizing;
    FSizedTop = row->Top;
    // Only the lines of the cells follow the row height; the preview, the row footers and
    // the grid lines keep theirs.
    FSizedLines = g.HeaderRows * std::max(row->LineHeight / std::max(g.LineHeight, 1), 1);
    FSizedFixed = row->Bottom - row->Top - FSizedLines * g.LineHeight;
  } else {
    FState = hit.Kind == HitHeaderPanelEdge ? msHeaderPanelSizing : msBandPanelSizing;
    FSizedTop = FState == msHeaderPanelSizing ? g.HeaderPanel.top : g.BandPanel.top;
  }
  FLineStartY = y;
  FLineY = ClampEdgeY(y);
  FTree.SetCursorShape(crVSplit);
  if (TCanvas* screen = FTree.ScreenCanvas()) {
    ToggleEdgeLine(*screen);
    FEdgeLineShown = true;
  }
}

// A row keeps at least its smallest height and stays above the footer; a panel keeps at
// least one row and at most its most.
int TTreeListInput::ClampEdgeY(int y) const {
  const TTreeListMetrics& m = FTree.Metrics();
  int low, high = FTree.ClientHeight() - 1;
  if (FState == msRowSizing) {
    low = FSizedTop + FSizedFixed + FSizedLines * m.MinRowHeight - 1;
    high = std::max(FTree.Geometry().RowsArea.bottom - 1, low);
  } else if (FState == msHeaderPanelSizing) {
    low = FSizedTop + m.HeaderRowHeight - 1;
    high = std::min(high, FSizedTop + m.HeaderRowHeight * FTree.HeaderPanelMaxRowCount() - 1);
  } else {
    const int unit = BandRowUnit(m, FTree.BandRowCount());
    low = FSizedTop + unit + 4;
    high = std::min(high, FSizedTop + unit * FTree.BandMaxRowCount() + 4);
  }
  return std::max(low, std::min(y, high));
}

// Drawn twice the line leaves no trace.
void TTreeListInput::ToggleEdgeLine(TCanvas& canvas) const {
  const TPen saved = canvas.Pen();
  canvas.Pen() = TPen{clBlack, 1, psSolid, pmNotXor};
  canvas.MoveTo(0, FLineY);
  canvas.LineTo(FTree.ClientWidth(), FLineY);
  canvas.Pen() = saved;
}

void TTreeListInput::MoveEdgeLine(int y) {
  y = ClampEdgeY(y);
  if (y == FLineY) return;
  TCanvas* screen = FTree.ScreenCanvas();
  if (screen && FEdgeLineShown) ToggleEdgeLine(*screen);
  FLineY = y;
  if (screen && FEdgeLineShown) ToggleEdgeLine(*screen);
}

void TTreeListInput::HideEdgeLine() {
  if (FEdgeLineShown) ToggleEdgeLine(*FTree.ScreenCanvas());
  FEdgeLineShown = false;
}

void TTreeListInput::FinishEdgeSizing(int y) {
  HideEdgeLine();
  y = ClampEdgeY(y);
  if (y == FLineStartY) return;
  const int height = y - FSizedTop + 1;
  const TTreeListMetrics& m = FTree.Metrics();
  if (FState == msRowSizing) {
    FTree.SetDefaultRowHeight(std::max((height - FSizedFixed) / FSizedLines, 1));
  } else if (FState == msHeaderPanelSizing) {
    const int unit = std::max(m.HeaderRowHeight, 1);
    FTree.SetHeaderPanelRowCount((height + unit / 2) / unit);
  } else {
    const int unit = BandRowUnit(m, FTree.BandRowCount());
    FTree.SetBandRowCount((height - 5 + unit / 2) / unit);
  }
}
