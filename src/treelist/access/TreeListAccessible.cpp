#include "treelist/access/TreeListAccessible.h"

#include <algorithm>

#include "treelist/TreeList.h"
#include "treelist/view/TreeListLayout.h"

namespace {

const char* SortText(TTreeListColumnSort sorted) {
  return sorted == csUp ? "ascending" : sorted == csDown ? "descending" : "";
}

// The part of r inside the client area; an item wholly outside it is not shown.
TAccessibleItem Clipped(TAccessibleItem item, const TRect& client) {
  if (!IntersectRect(item.rect, item.rect, client)) {
    item.rect = TRect{};
    item.states |= asInvisible;
  }
  return item;
}

}  // namespace

std::string TTreeListAccessible::Description() const {
  return std::to_string(FTree.VisibleCount()) + " rows, " + std::to_string(HeaderCount()) +
         " columns";
}

int TTreeListAccessible::HeaderCount() const {
  return static_cast<int>(FTree.DisplayedColumns().size());
}

int TTreeListAccessible::ChildCount() const {
  return HeaderCount() + static_cast<int>(FTree.Geometry().Rows.size());
}

TTreeListNode* TTreeListAccessible::NodeOf(const TTreeListGeometry& g, int index) const {
  const int row = index - HeaderCount();
  return row >= 0 && row < static_cast<int>(g.Rows.size()) ? g.Rows[row].Node : nullptr;
}

int TTreeListAccessible::ChildOfNode(const TTreeListNode* node) const {
  const TTreeListGeometry g = FTree.Geometry();
  const TTreeListRowPlace* row = node ? g.RowOf(node) : nullptr;
  return row ? HeaderCount() + static_cast<int>(row - g.Rows.data()) : -1;
}

TAccessibleItem TTreeListAccessible::Child(int index) const {
  const TTreeListGeometry g = FTree.Geometry();
  if (index >= 0 && index < HeaderCount()) return Header(g, index);
  return NodeOf(g, index) ? Row(g, index) : TAccessibleItem{};
}

TAccessibleItem TTreeListAccessible::Header(const TTreeListGeometry& g, int index) const {
  const TTreeListColumn* column = FTree.DisplayedColumns()[static_cast<size_t>(index)];
  TAccessibleItem item;
  item.role = arColumnHeader;
  item.name = column->Caption();
  item.value = SortText(column->Sorted());
  if (const TTreeListColumnPlace* place = g.PlaceOf(column))
    item.rect = g.Shown(*place, place->Header);
  // A hidden header panel shows no header, though the layout still places them.
  return Clipped(item, g.HeaderPanel);
}

TAccessibleItem TTreeListAccessible::Row(const TTreeListGeometry& g, int index) const {
  const TTreeListRowPlace& row = g.Rows[static_cast<size_t>(index - HeaderCount())];
  const TTreeListNode* node = row.Node;
  TAccessibleItem item;
  item.role = arRow;
  for (const TTreeListColumn* column : FTree.DisplayedColumns())
    item.name += (item.name.empty() ? "" : ", ") + column->CellText(node);
  item.value = "level " + std::to_string(node->Level() + 1);
  item.rect = Rect(g.Client.left, row.Top, std::min(g.CellsRight(), g.Client.right),
                   std::min(row.Bottom, g.RowsArea.bottom));
  item.states = asFocusable | asSelectable;
  if (node == FTree.FocusedNode()) item.states |= asFocused;
  if (node->Selected()) item.states |= asSelected;
  if (node->HasChildren())
    item.states |= asExpandable | (node->Expanded() ? asExpanded : asCollapsed);
  return Clipped(item, g.RowsArea);
}

int TTreeListAccessible::CellCount(int index) const {
  return NodeOf(FTree.Geometry(), index) ? HeaderCount() : 0;
}

TAccessibleItem TTreeListAccessible::Cell(int index, int cell) const {
  const TTreeListGeometry g = FTree.Geometry();
  const TTreeListNode* node = NodeOf(g, index);
  const std::vector<TTreeListColumn*> columns = FTree.DisplayedColumns();
  if (!node || cell < 0 || cell >= static_cast<int>(columns.size())) return {};
  const TTreeListColumn* column = columns[static_cast<size_t>(cell)];
  TAccessibleItem item;
  item.role = arCell;
  item.name = column->CellText(node);
  item.value = column->Caption();
  const TTreeListColumnPlace* place = g.PlaceOf(column);
  const TTreeListRowPlace* row = g.RowOf(node);
  if (place && row) item.rect = g.Shown(*place, g.CellRect(*row, *place));
  return Clipped(item, g.RowsArea);
}

std::vector<std::string> TTreeListAccessible::ActionNames(int index) const {
  const TTreeListNode* node = NodeOf(FTree.Geometry(), index);
  if (!node) return {};
  if (!node->HasChildren()) return {"select"};
  return {node->Expanded() ? "collapse" : "expand", "select"};
}

// The actions do what a click would: a click on the button, or a plain press on the row.
void TTreeListAccessible::DoAction(int index, const std::string& action) {
  TTreeListNode* node = NodeOf(FTree.Geometry(), index);
  if (!node) return;
  if (action == "expand" || action == "collapse") return node->SetExpanded(action == "expand");
  if (action != "select") return;
  FTree.SetFocusedNode(node, FTree.FocusedColumn(), true);
  if (!FTree.Options().Contains(aoMultiSelect) || FTree.FocusedNode() != node) return;
  FTree.ClearSelection();
  node->SetSelected(true);
  FTree.SetAnchorNode(node);
}
