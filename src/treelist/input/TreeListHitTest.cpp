#include "treelist/input/TreeListHitTest.h"

#include "treelist/TreeList.h"

namespace {

// The indicator's part beside a panel holds that panel's button.
bool OnPanelButton(const TTreeListGeometry& g, const TRect& panel, TPoint p) {
  return g.Indicator.Width() > 0 && p.x < g.Indicator.right && p.y >= panel.top &&
         p.y < panel.bottom;
}

// A lone band under automatic width fills the client whatever is done to its edge.
bool BandFillsClient(const TTreeList& tree) {
  return tree.Options().Contains(aoAutoWidth) && tree.VisibleBandCount() <= 1;
}

// The right edge of the last header of a row belongs to the column while the band follows
// its columns, or while sizing the band could change nothing; otherwise dragging it sizes the
// band.
bool LastEdgeIsColumns(const TTreeList& tree) {
  return (tree.OptionsEx().Contains(aoBandHeaderWidth) && !tree.ShowBands()) ||
         BandFillsClient(tree);
}

bool ColumnSizable(const TTreeList& tree, const TTreeListColumnPlace& place) {
  if (!tree.Options().Contains(aoColumnSizing) || !place.Column->Sizing()) return false;
  return !place.Last() || LastEdgeIsColumns(tree);
}

bool BandSizable(const TTreeList& tree, const TTreeListBandPlace& band) {
  return tree.OptionsEx().Contains(aoBandSizing) && band.Band->Sizing() && !BandFillsClient(tree);
}

// The band whose shown part holds x; -1 for none (a fixed band's line, or beyond the bands).
int BandAt(const TTreeListGeometry& g, int x) {
  for (int b = 0; b < static_cast<int>(g.Bands.size()); ++b)
    if (x >= g.Bands[b].ShownLeft && x < g.Bands[b].ShownRight) return b;
  return -1;
}

// The edge whose zone holds x: a point just left of an edge inside its own header, or just
// right of it inside the next header (or beyond the last one) of the same row. An edge under
// a fixed band has no zone.
const TTreeListColumnPlace* EdgeColumn(const TTreeListGeometry& g, TPoint p) {
  const int band = BandAt(g, p.x);
  for (const TTreeListColumnPlace& c : g.Columns) {
    const int edge = c.Header.right;
    if (p.y < c.Header.top || p.y >= c.Header.bottom) continue;
    if (band != c.BandPlace && (band >= 0 || !g.Shows(c, edge - 1))) continue;
    if (p.x >= edge - kSizingZone && p.x < edge) return &c;
    if (p.x >= edge && p.x < edge + kSizingZone) {
      if (c.Last()) return &c;
      for (const TTreeListColumnPlace& next : g.Columns)
        if (next.BandPlace == c.BandPlace && next.Row == c.Row && next.Position == c.Position + 1 &&
            PtInRect(next.Header, p))
          return &c;
    }
  }
  return nullptr;
}

bool HitBands(const TTreeList& tree, const TTreeListGeometry& g, TPoint p, TTreeListHitInfo& hit) {
  if (g.BandPanel.Height() == 0 || p.y < g.BandPanel.top || p.y >= g.BandPanel.bottom) return false;
  const int count = static_cast<int>(g.Bands.size());
  for (int b = 0; b < count; ++b) {
    const TTreeListBandPlace& band = g.Bands[b];
    const bool inside = p.x >= band.ShownLeft && p.x < band.ShownRight;
    const bool strip = b + 1 == count && p.x >= band.Right && p.x < band.Right + kSizingZone;
    if (!inside && !strip) continue;
    hit.Band = b;
    hit.Kind = HitBandHeader;
    // Just right of an edge the zone belongs to the band on the left.
    if (inside && b > 0 && p.x < band.Left + kSizingZone && g.Bands[b - 1].Right == band.Left &&
        BandSizable(tree, g.Bands[b - 1]))
      hit.Band = b - 1, hit.Kind = HitBandEdge;
    else if ((strip || p.x >= band.Right - kSizingZone) && BandSizable(tree, band))
      hit.Kind = HitBandEdge;
    if (strip && hit.Kind != HitBandEdge) return hit.Kind = HitNowhere, hit.Band = -1, false;
    return true;
  }
  return false;
}

bool HitHeaders(const TTreeList& tree, const TTreeListGeometry& g, TPoint p,
                TTreeListHitInfo& hit) {
  if (g.HeaderPanel.Height() == 0 || p.y < g.HeaderPanel.top || p.y >= g.HeaderPanel.bottom)
    return false;
  if (const TTreeListColumnPlace* c = EdgeColumn(g, p)) {
    const TTreeListBandPlace& band = g.Bands[c->BandPlace];
    const bool columnEdge = ColumnSizable(tree, *c);
    const bool bandEdge =
        !columnEdge && c->Last() && !LastEdgeIsColumns(tree) && BandSizable(tree, band);
    if (columnEdge || bandEdge) {
      hit.Kind = columnEdge ? HitColumnEdge : HitBandEdge;
      hit.Column = c->ColumnIndex;
      hit.Band = c->BandPlace;
      hit.Row = c->Row;
      return true;
    }
  }
  for (const TTreeListColumnPlace& c : g.Columns)
    if (PtInRect(c.Header, p) && g.Shows(c, p.x)) {
      hit.Kind = HitColumnHeader;
      hit.Column = c.ColumnIndex;
      hit.Band = c.BandPlace;
      hit.Row = c.Row;
      return true;
    }
  return false;
}

const TTreeListRowPlace* RowAt(const TTreeListGeometry& g, int y) {
  if (y < g.RowsArea.top || y >= g.RowsArea.bottom) return nullptr;
  for (const TTreeListRowPlace& r : g.Rows)
    if (y >= r.Top && y < r.Bottom) return &r;
  return nullptr;
}

// Left of the first cell's content: indent, button, state image, image, in that order.
TTreeListHitKind IndentPart(const TTreeListRowPlace& r, int x) {
  int indentEnd = r.StateImageLeft < r.ImageLeft ? r.StateImageLeft : r.ImageLeft;
  if (r.HasButton) indentEnd = r.ButtonLeft;
  if (x >= r.IndentLeft && x < indentEnd) return HitIndent;
  if (r.HasButton && x >= r.ButtonLeft && x < r.ButtonLeft + TTreeListMetrics::kButtonSize)
    return HitButton;
  if (x >= r.StateImageLeft && x < r.ImageLeft) return HitStateIcon;
  if (x >= r.ImageLeft && x < r.ContentLeft) return HitIcon;
  return HitNowhere;
}

// The column whose cells span x, in the given line of the header layout; -1 for none.
const TTreeListColumnPlace* ColumnAt(const TTreeListGeometry& g, int x, int line) {
  for (const TTreeListColumnPlace& c : g.Columns)
    if (x >= c.CellLeft && x < c.CellRight && line >= c.Row && line < c.Row + c.Lines &&
        g.Shows(c, x))
      return &c;
  return nullptr;
}

// A row footer's cells, on the lines they are drawn on, from the group's own content.
void HitFooterCell(const TTreeList& tree, const TTreeListGeometry& g, const TTreeListRowPlace& r,
                   TPoint p, TTreeListHitInfo& hit) {
  const int footer = (p.y - r.PreviewBottom) / std::max(g.RowFooterHeight, 1);
  TTreeListNode* group = RowFooterGroup(r.Node, footer);
  const int left = group ? g.IndentOrigin + tree.NodeIndent(group) : g.CellsRight();
  const TTreeListColumnPlace* c =
      p.x >= left ? g.FooterColumnAt(p, r.PreviewBottom + footer * g.RowFooterHeight) : nullptr;
  if (!c) return;
  hit.Node = group;
  hit.FooterIndex = footer;
  hit.Kind = HitRowFooter;
  hit.Column = c->ColumnIndex;
  hit.Band = c->BandPlace;
}

// Below the cells: the preview, then the row footers of the groups the row closes.
void HitBelowCells(const TTreeList& tree, const TTreeListGeometry& g, const TTreeListRowPlace& r,
                   TPoint p, TTreeListHitInfo& hit) {
  if (p.y >= r.PreviewBottom) return HitFooterCell(tree, g, r, p, hit);
  if (p.x < r.ContentLeft || p.x >= g.CellsRight()) return;
  hit.Kind = HitPreview;
  if (const TTreeListColumnPlace* c = ColumnAt(g, p.x, 0)) {
    hit.Column = c->ColumnIndex;
    hit.Band = c->BandPlace;
  }
}

void HitRow(const TTreeList& tree, const TTreeListGeometry& g, const TTreeListRowPlace& r, TPoint p,
            TTreeListHitInfo& hit) {
  hit.Node = r.Node;
  hit.Kind = HitNowhere;
  if (p.y >= r.CellsBottom && p.y < r.Bottom - g.Separator)
    return HitBelowCells(tree, g, r, p, hit);
  // A group row is one cell, named after the first column placed, wherever a band shows.
  if (r.Group && p.y < r.CellsBottom && p.x >= r.ContentLeft && p.x < g.CellsRight() &&
      BandAt(g, p.x) >= 0) {
    hit.Kind = HitCell;
    hit.Column = g.Columns.front().ColumnIndex;
    hit.Band = g.Columns.front().BandPlace;
    return;
  }
  const int line = r.LineHeight > 0 ? (p.y - r.Top) / r.LineHeight : 0;
  if (const TTreeListColumnPlace* c = ColumnAt(g, p.x, line)) {
    hit.Column = c->ColumnIndex;
    hit.Band = c->BandPlace;
    const bool indented = c->BandPlace == 0 && c->Position == 0;
    hit.Kind = indented && p.x < r.ContentLeft ? IndentPart(r, p.x) : HitCell;
    if (hit.Kind != HitCell) hit.Column = -1;
    return;
  }
  if (p.x >= g.CellsRight()) hit.Kind = HitRowRight;
}

// The bottom strip of a panel that may be sized.
bool OnPanelEdge(const TTreeList& tree, TTreeListOptionEx option, const TRect& panel, TPoint p) {
  return tree.OptionsEx().Contains(option) && panel.Height() > 0 &&
         p.y >= panel.bottom - kSizingZone && p.y < panel.bottom;
}

// The row whose bottom edge is near y: the strip above the edge and the one below it, which
// lies in the next row, both belong to the upper row.
const TTreeListRowPlace* RowEdgeAt(const TTreeListGeometry& g, int y) {
  for (const TTreeListRowPlace& r : g.Rows)
    if (y >= r.Bottom - kSizingZone && y < r.Bottom + kSizingZone) return &r;
  return nullptr;
}

}  // namespace

TTreeListHitInfo HitTest(const TTreeList& tree, const TTreeListGeometry& g, TPoint p) {
  TTreeListHitInfo hit;
  hit.Point = p;
  if (p.x < 0 || p.y < 0 || p.x >= g.Client.right || p.y >= g.Client.bottom) return hit;
  hit.Kind = HitNowhere;
  if (OnPanelEdge(tree, aoBandPanelSizing, g.BandPanel, p)) return hit.Kind = HitBandPanelEdge, hit;
  if (OnPanelButton(g, g.BandPanel, p)) return hit.Kind = HitBandButton, hit;
  if (HitBands(tree, g, p, hit)) return hit;
  if (OnPanelEdge(tree, aoHeaderPanelSizing, g.HeaderPanel, p))
    return hit.Kind = HitHeaderPanelEdge, hit;
  if (OnPanelButton(g, g.HeaderPanel, p)) return hit.Kind = HitHeaderButton, hit;
  if (HitHeaders(tree, g, p, hit)) return hit;
  const TTreeListRowPlace* row = RowAt(g, p.y);
  if (p.x < g.Indicator.right && p.y >= g.RowsArea.top && p.y < g.RowsArea.bottom) {
    const TTreeListRowPlace* edge =
        tree.OptionsEx().Contains(aoRowSizing) ? RowEdgeAt(g, p.y) : nullptr;
    if (edge) return hit.Node = edge->Node, hit.Kind = HitRowEdge, hit;
    hit.Node = row ? row->Node : nullptr;
    return hit.Kind = HitIndicator, hit;
  }
  if (PtInRect(g.StatusPanel, p)) return hit.Kind = HitStatusPanel, hit;
  if (PtInRect(g.Footer, p)) {
    if (const TTreeListColumnPlace* c = g.FooterColumnAt(p, g.FooterLinesTop))
      hit.Column = c->ColumnIndex, hit.Band = c->BandPlace;
    return hit.Kind = HitFooter, hit;
  }
  if (row) HitRow(tree, g, *row, p, hit);
  return hit;
}

bool IsNodeHit(TTreeListHitKind kind) {
  switch (kind) {
    case HitIcon:
    case HitStateIcon:
    case HitCell:
    case HitNewItemRow:
    case HitRowFooter:
    case HitPreview:
      return true;
    default:
      return false;
  }
}
