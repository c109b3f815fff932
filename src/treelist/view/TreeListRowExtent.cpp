// Rows of different heights: text wrapped over several lines, previews and row footers.
#include <algorithm>

#include "platform/Font.h"
#include "treelist/TreeList.h"
#include "treelist/view/TreeListLayout.h"

namespace {

// Column widths and the preview's width: what wrapping depends on besides the node.
std::vector<int> MeasuredWidths(const TTreeListGeometry& g) {
  std::vector<int> widths;
  widths.reserve(g.Columns.size() + 2);
  for (const TTreeListColumnPlace& place : g.Columns)
    widths.push_back(place.CellRight - place.CellLeft);
  widths.push_back(g.CellsRight() - g.IndentOrigin);
  widths.push_back(g.Columns.empty() ? 0 : g.Columns.front().CellLeft - g.IndentOrigin);
  return widths;
}

// Lines of the row's cells: the most any cell's wrapped text needs, within MaxRowLineCount.
int CellLines(const TTreeList& tree, const TTreeListGeometry& g, const TTreeListNode* node,
              int contentLeft) {
  int lines = 1;
  for (const TTreeListColumnPlace& place : g.Columns) {
    TTreeListColumn* column = place.Column;
    const std::string text = column->CellText(node);
    if (text.empty()) continue;
    int left = place.CellLeft;
    if (place.BandPlace == 0 && place.Position == 0) left = std::max(left, contentLeft);
    const int width = place.CellRight - left - 3 - (g.Separator > 0 ? 1 : 0);
    const int textLines = WrappedLineCount(column->Font(), text, width);
    lines = std::max(lines, (textLines + place.Lines - 1) / place.Lines);
  }
  const int most = tree.MaxRowLineCount();
  return most > 0 ? std::min(lines, most) : lines;
}

// Preview lines: PreviewLines as set, or as many as the text needs (up to PreviewLines when
// that is not -1) with aoAutoCalcPreviewLines.
int PreviewLineCount(const TTreeList& tree, const TTreeListGeometry& g, const TTreeListNode* node,
                     int contentLeft) {
  const int set = tree.PreviewLines();
  const bool automatic = set < 0 || tree.OptionsEx().Contains(aoAutoCalcPreviewLines);
  if (!automatic) return set;
  const std::string text = tree.PreviewText(node);
  const int width = g.CellsRight() - (contentLeft + tree.IndentDesc()) - 2;
  const int lines = WrappedLineCount(tree.PreviewFont(), text, width);
  return set < 0 ? lines : std::min(lines, set);
}

}  // namespace

const TTreeListExtentCache::TLines* TTreeListExtentCache::Find(uint64_t node,
                                                               const std::vector<int>& widths) {
  if (widths != FWidths) {
    FLines.clear();
    FWidths = widths;
    return nullptr;
  }
  const auto it = FLines.find(node);
  return it == FLines.end() ? nullptr : &it->second;
}

void TTreeListExtentCache::Store(uint64_t node, const TLines& lines) {
  // Deleted nodes leave entries behind; a cache this large starts again.
  if (FLines.size() >= 1 << 16) FLines.clear();
  FLines[node] = lines;
}

bool UniformRows(const TTreeList& tree) {
  return !tree.OptionsEx().Contains(aoRowAutoHeight) && !tree.Options().Contains(aoPreview) &&
         !tree.ShowRowFooter();
}

int RowFooterCount(const TTreeList& tree, const TTreeListNode* node) {
  if (!tree.ShowRowFooter() || (node->Expanded() && node->Count() > 0)) return 0;
  int count = 0;
  for (; node->Parent() && node->IsLast(); node = node->Parent()) ++count;
  return count;
}

TTreeListNode* RowFooterGroup(const TTreeListNode* node, int footer) {
  TTreeListNode* group = node->Parent();
  for (; group && footer > 0; --footer) group = group->Parent();
  return group;
}

TTreeListRowExtent RowExtent(const TTreeList& tree, const TTreeListMetrics& m,
                             const TTreeListGeometry& g, const TTreeListNode* node,
                             TTreeListExtentCache* cache) {
  const bool grids = tree.ShowGrid() && tree.ShowPreviewGrid();
  const int separator = tree.ShowGrid() ? tree.RowSeparatorLineWidth() : 0;
  TTreeListRowExtent e;
  TTreeListExtentCache::TLines lines;
  if (!UniformRows(tree)) {
    const std::vector<int> widths = cache ? MeasuredWidths(g) : std::vector<int>{};
    const TTreeListExtentCache::TLines* known =
        cache ? cache->Find(node->Sequence(), widths) : nullptr;
    if (known) {
      lines = *known;
    } else {
      const int contentLeft = g.IndentOrigin + NodeIndentation(tree, m, node);
      if (tree.OptionsEx().Contains(aoRowAutoHeight))
        lines.Cells = CellLines(tree, g, node, contentLeft);
      if (tree.Options().Contains(aoPreview))
        lines.Preview = PreviewLineCount(tree, g, node, contentLeft);
      if (cache) cache->Store(node->Sequence(), lines);
    }
  }
  e.LineHeight = m.RowHeight * lines.Cells;
  e.CellsHeight = tree.HeaderPanelRowCount() * e.LineHeight - (grids ? 1 : 0);
  if (lines.Preview > 0)
    e.PreviewHeight = lines.Preview * m.PreviewLineHeight + (grids ? 1 : 0) + 2;
  e.Footers = RowFooterCount(tree, node);
  e.Height = e.CellsHeight + e.PreviewHeight + e.Footers * m.RowFooterHeight + separator;
  e.Height = std::max(e.Height, 1);
  return e;
}

int RowsFittingUpTo(const TTreeList& tree, const TTreeListMetrics& m, const TTreeListGeometry& g,
                    int lastRow, TTreeListExtentCache* cache) {
  const int area = g.RowsArea.Height();
  int rows = 0, height = 0;
  for (const TTreeListNode* node = tree.AbsoluteNodes(lastRow); node;
       node = node->GetPrevVisible()) {
    height += RowExtent(tree, m, g, node, cache).Height;
    if (height > area) break;
    ++rows;
  }
  return std::max(rows, 1);
}

int RowsFittingFrom(const TTreeList& tree, const TTreeListMetrics& m, const TTreeListGeometry& g,
                    int firstRow, TTreeListExtentCache* cache) {
  const int area = g.RowsArea.Height();
  int rows = 0, height = 0;
  for (const TTreeListNode* node = tree.AbsoluteNodes(firstRow); node;
       node = node->GetNextVisible()) {
    height += RowExtent(tree, m, g, node, cache).Height;
    if (height > area) break;
    ++rows;
  }
  return std::max(rows, 1);
}

int RowsHeight(const TTreeList& tree, const TTreeListMetrics& m, const TTreeListGeometry& g,
               int from, int to, TTreeListExtentCache* cache) {
  int height = 0;
  const TTreeListNode* node = tree.AbsoluteNodes(from);
  for (int row = from; node && row < to; ++row, node = node->GetNextVisible())
    height += RowExtent(tree, m, g, node, cache).Height;
  return height;
}
