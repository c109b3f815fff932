// How the bands share the client width and the columns share their band's width.
#include <algorithm>

#include "treelist/TreeList.h"
#include "treelist/view/TreeListLayout.h"

namespace {

std::vector<TTreeListColumn*> RowColumns(const TTreeList& tree, int band, int row) {
  std::vector<TTreeListColumn*> columns;
  for (int p = 0; TTreeListColumn* c = tree.ColumnAt(band, row, p); ++p) columns.push_back(c);
  return columns;
}

// The largest sum over the band's header rows of what measure gives each column.
template <class Measure>
int WidestRow(const TTreeList& tree, int band, Measure measure) {
  int widest = 0;
  for (int row = 0; row < tree.HeaderPanelRowCount(); ++row) {
    int sum = 0;
    for (TTreeListColumn* c : RowColumns(tree, band, row)) sum += measure(c);
    widest = std::max(widest, sum);
  }
  return widest;
}

int BandNaturalWidth(const TTreeList& tree, const TTreeListBand& band, int index) {
  int natural = 0;
  if (tree.OptionsEx().Contains(aoBandHeaderWidth))
    natural = WidestRow(tree, index, [](TTreeListColumn* c) { return c->Width(); });
  if (natural == 0) natural = band.Width();
  return std::max(natural, BandMinWidth(tree, band));
}

struct TBandInfo {
  bool Sizing;
  int Min, Natural, Share;
};

// Every band but the last, when they share the total in proportion to their natural widths.
std::vector<int> ShareBands(const std::vector<TBandInfo>& bands, int total) {
  long long naturalSum = 0, minSum = 0;
  for (const TBandInfo& b : bands) naturalSum += b.Natural, minSum += b.Min;
  std::vector<TBandInfo> info = bands;
  bool clamped = false;
  long long keptNatural = 0;  // sizing bands whose share is not below their minimum
  for (TBandInfo& b : info) {
    if (!b.Sizing) continue;
    b.Share = naturalSum > 0 ? MulDiv(total, b.Natural, static_cast<int>(naturalSum)) : 0;
    if (b.Share < b.Min)
      clamped = true;
    else
      keptNatural += b.Natural;
  }
  std::vector<int> widths;
  int given = 0;
  for (size_t i = 0; i < info.size(); ++i) {
    const TBandInfo& b = info[i];
    int w;
    if (i + 1 == info.size())
      w = total - given;
    else if (!b.Sizing)
      w = b.Natural;
    else if (!clamped)
      w = b.Share;
    else if (b.Share < b.Min || keptNatural == 0)
      w = b.Min;
    else
      w = b.Min +
          MulDiv(total - static_cast<int>(minSum), b.Natural, static_cast<int>(keptNatural));
    widths.push_back(w);
    given += w;
  }
  return widths;
}

}  // namespace

int ColumnMinWidth(const TTreeListColumn* column) {
  return column->Sizing() ? column->MinWidth() : column->Width();
}

int BandMinWidth(const TTreeList& tree, const TTreeListBand& band) {
  const int own = band.Sizing() ? band.MinWidth() : band.Width();
  return std::max(own, WidestRow(tree, band.Index(), ColumnMinWidth));
}

std::vector<int> BandWidths(const TTreeList& tree, int clientWidth) {
  std::vector<TBandInfo> bands;
  long long minSum = 0;
  bool anySizing = false;
  for (int v = 0; v < tree.VisibleBandCount(); ++v) {
    const TTreeListBand& band = *tree.VisibleBands(v);
    const int index = band.Index();
    bands.push_back(
        {band.Sizing(), BandMinWidth(tree, band), BandNaturalWidth(tree, band, index), 0});
    minSum += bands.back().Min;
    anySizing = anySizing || band.Sizing();
  }
  if (!tree.Options().Contains(aoAutoWidth) || bands.empty()) {
    std::vector<int> widths;
    for (const TBandInfo& b : bands) widths.push_back(b.Natural);
    return widths;
  }
  // Too narrow a client keeps the minimums, and the rest scrolls.
  const int total = clientWidth >= minSum && anySizing ? clientWidth : static_cast<int>(minSum);
  return ShareBands(bands, total);
}

std::vector<int> RowColumnWidths(const TTreeList& tree, const std::vector<TTreeListColumn*>& row,
                                 int bandWidth) {
  std::vector<int> widths;
  if (!tree.Options().Contains(aoAutoWidth)) {
    for (TTreeListColumn* c : row) widths.push_back(c->Width());
    return widths;
  }
  long long W = bandWidth, S = 0, M = 0, P = 0;
  for (TTreeListColumn* c : row) S += c->Width(), M += ColumnMinWidth(c);
  bool clamped = false;
  for (TTreeListColumn* c : row) {
    if (!c->Sizing()) continue;
    if (MulDiv(static_cast<int>(W), c->Width(), static_cast<int>(S)) < ColumnMinWidth(c))
      clamped = true;
    else
      P += c->Width();
  }
  int given = 0;
  for (size_t i = 0; i < row.size(); ++i) {
    TTreeListColumn* c = row[i];
    const int min = ColumnMinWidth(c);
    int w;
    if (i + 1 == row.size()) {
      w = bandWidth - given;
    } else if (!c->Sizing()) {
      // A fixed column keeps its width; the others share what is left.
      w = c->Width();
      W -= w, S -= w, M -= min;
    } else {
      w = S > 0 ? MulDiv(static_cast<int>(W), c->Width(), static_cast<int>(S)) : min;
      if (w < min)
        w = min;
      else if (clamped && P > 0)
        w = min + MulDiv(static_cast<int>(W - M), c->Width(), static_cast<int>(P));
    }
    widths.push_back(w);
    given += w;
  }
  return widths;
}
