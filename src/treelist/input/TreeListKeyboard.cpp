// The tree-list's keyboard, all of it: navigation keys, the expand characters, copying, and
// Esc ending a gesture. Every focus move goes through the focused row position, which clamps
// and scrolls.
#include <algorithm>

#include "treelist/TreeList.h"
#include "treelist/input/TreeListInput.h"
#include "treelist/view/TreeListScreenView.h"

namespace {

// A focus hidden in a collapsed parent pages from the row that shows it.
int PageStart(const TTreeList& tree) {
  const TTreeListNode* node = tree.FocusedNode();
  while (node && !node->IsVisible()) node = node->Parent();
  return node ? node->AbsoluteIndex() : tree.FocusedAbsoluteIndex();
}

// A page move: to the far end of the page first, then into the next page, by as many rows
// as that page holds (with rows of different heights it is not the page shown now), so no
// row is passed over unseen.
int PageTarget(const TTreeList& tree, bool down) {
  const TTreeListView& view = tree.View();
  const int top = tree.TopIndex();
  const int bottom = top + view.PageRows() - 1;
  const int focused = PageStart(tree);
  if (tree.VisibleCount() < 2) return focused + (down ? 1 : -1);
  if (down && focused >= top && focused < bottom) return bottom;
  if (!down && focused > top && focused <= bottom) return top;
  const int rows = down ? view.PageRowsStartingAt(focused) : view.PageRowsEndingAt(focused);
  const int step = std::max(rows - 1, 1);
  return focused + (down ? step : -step);
}

void MoveTo(TTreeList& tree, int row) {
  tree.SetFocusedAbsoluteIndex(row);
}

// Left collapses an expanded node, else goes to the previous row (a first child's parent).
void KeyLeft(TTreeList& tree, TTreeListNode* node) {
  if (node->Expanded() && node->HasChildren())
    node->SetExpanded(false);
  else
    MoveTo(tree, tree.FocusedAbsoluteIndex() - 1);
}

// Right expands a collapsed parent, else steps into its first child or to the next row.
void KeyRight(TTreeList& tree, TTreeListNode* node) {
  if (node->HasChildren() && !node->Expanded())
    node->SetExpanded(true);
  else
    MoveTo(tree, tree.FocusedAbsoluteIndex() + 1);
}

// Without row selection the focus moves between columns.
void MoveColumn(TTreeList& tree, int step, bool through) {
  const int count = static_cast<int>(tree.DisplayedColumns().size());
  if (count == 0) return;
  TTreeListNode* node = tree.FocusedNode();
  int column = tree.FocusedColumn() + step;
  if (column < 0 || column >= count) {
    if (!through) return;
    node = step < 0 ? node->GetPrevVisible() : node->GetNextVisible();
    if (!node) return;
    column = step < 0 ? count - 1 : 0;
  }
  tree.SetFocusedNode(node, column, true);
}

// Tab (and Enter with aoEnterThrough) passes over the columns that are no tab stops; with no
// column a tab stop it stays where it is.
void TabToColumn(TTreeList& tree, int step, bool through) {
  const std::vector<TTreeListColumn*> columns = tree.DisplayedColumns();
  const int count = static_cast<int>(columns.size());
  TTreeListNode* node = tree.FocusedNode();
  int column = tree.FocusedColumn();
  // At most one full round of every row's cells that a move may wrap through.
  for (int moves = 0; moves < 2 * count; ++moves) {
    column += step;
    if (column < 0 || column >= count) {
      if (!through) return;
      node = step < 0 ? node->GetPrevVisible() : node->GetNextVisible();
      if (!node) return;
      column = step < 0 ? count - 1 : 0;
    }
    if (columns[static_cast<size_t>(column)]->TabStop()) {
      tree.SetFocusedNode(node, column, true);
      return;
    }
  }
}

bool NavigateRowSelect(TTreeList& tree, int key, TShiftState shift) {
  TTreeListNode* node = tree.FocusedNode();
  const bool ctrl = shift & ssCtrl;
  const int row = tree.FocusedAbsoluteIndex();
  switch (key) {
    case vkUp:
      MoveTo(tree, row - 1);
      return true;
    case vkDown:
      MoveTo(tree, row + 1);
      return true;
    case vkPrior:
    case vkNext:
      MoveTo(tree, PageTarget(tree, key == vkNext));
      return true;
    case vkHome:
      MoveTo(tree, 0);
      return true;
    case vkEnd:
      MoveTo(tree, tree.VisibleCount() - 1);
      return true;
    case vkLeft:
      if (ctrl) return true;
      KeyLeft(tree, node);
      return true;
    case vkRight:
      if (ctrl) return true;
      KeyRight(tree, node);
      return true;
    case vkTab:
      MoveTo(tree, row + ((shift & ssShift) ? -1 : 1));
      return true;
    case vkReturn:
      if (!tree.OptionsEx().Contains(aoEnterThrough)) return false;
      MoveTo(tree, row + ((shift & ssShift) ? -1 : 1));
      return true;
    default:
      return false;
  }
}

bool NavigateCells(TTreeList& tree, int key, TShiftState shift) {
  const bool ctrl = shift & ssCtrl;
  const int count = static_cast<int>(tree.DisplayedColumns().size());
  switch (key) {
    case vkHome:
    case vkEnd:
      if (ctrl) return NavigateRowSelect(tree, key, shift);
      tree.SetFocusedNode(tree.FocusedNode(), key == vkHome ? 0 : count - 1, true);
      return true;
    case vkLeft:
    case vkRight:
      if (ctrl)
        tree.SetFocusedNode(tree.FocusedNode(), key == vkLeft ? 0 : count - 1, true);
      else
        MoveColumn(tree, key == vkLeft ? -1 : 1, tree.OptionsEx().Contains(aoHorzThrough));
      return true;
    case vkTab:
      TabToColumn(tree, (shift & ssShift) ? -1 : 1, tree.Options().Contains(aoTabThrough));
      return true;
    case vkReturn:
      if (!tree.OptionsEx().Contains(aoEnterThrough)) return false;
      TabToColumn(tree, (shift & ssShift) ? -1 : 1, true);
      return true;
    case vkUp:
    case vkDown: {
      // With aoVertThrough, past the first or last row the focus goes on in the column before
      // or after, from the other end.
      const int row = tree.FocusedAbsoluteIndex(), last = tree.VisibleCount() - 1;
      const bool up = key == vkUp;
      const int column = tree.FocusedColumn() + (up ? -1 : 1);
      if (!tree.OptionsEx().Contains(aoVertThrough) || ctrl || row != (up ? 0 : last) ||
          column < 0 || column >= count)
        return NavigateRowSelect(tree, key, shift);
      tree.SetFocusedNode(tree.AbsoluteNodes(up ? last : 0), column, true);
      return true;
    }
    default:
      return NavigateRowSelect(tree, key, shift);
  }
}

// With multi-selection Shift extends from the anchor; a move that leaves nothing selected
// selects the focused node.
void FollowSelection(TTreeList& tree, TTreeListNode* before, TShiftState shift) {
  TTreeListNode* node = tree.FocusedNode();
  if (!tree.Options().Contains(aoMultiSelect) || !node || node == before) return;
  if (shift & ssShift) {
    if (!tree.AnchorNode()) tree.SetAnchorNode(before);
    tree.ClearSelection();
    tree.SelectRange(tree.AnchorNode(), node);
  } else if (!(shift & ssCtrl)) {
    tree.ClearSelection();
    tree.SetAnchorNode(node);
  }
  if (tree.SelectedCount() == 0) node->SetSelected(true);
}

}  // namespace

void TTreeListInput::KeyDown(int& key, TShiftState shift) {
  if (Gesture()) {
    if (key == vkEscape) Cancel(), key = 0;
    return;
  }
  // Esc ends a search and goes no further; Alt keys belong to the window.
  if (key == vkEscape && !FSearchText.empty()) {
    EndSearch();
    key = 0;
    return;
  }
  if (key == vkEscape || (shift & ssAlt)) EndSearch();
  if (key == vkBack && !(shift & (ssCtrl | ssAlt)) && SearchBackspace()) {
    key = 0;
    return;
  }
  TTreeListNode* before = FTree.FocusedNode();
  if ((shift & ssCtrl) && key == vkInsert) {
    FTree.CopySelectedToClipboard();
    key = 0;
    return;
  }
  if ((shift & ssCtrl) && key == vkSpace) {
    if (before && FTree.Options().Contains(aoMultiSelect)) before->SetSelected(!before->Selected());
    key = 0;
    return;
  }
  if (!before) return;
  const bool rows = FTree.Options().Contains(aoRowSelect);
  if (rows ? NavigateRowSelect(FTree, key, shift) : NavigateCells(FTree, key, shift)) {
    FollowSelection(FTree, before, shift);
    key = 0;
  }
}

void TTreeList::KeyDown(int& key, TShiftState shift) {
  const TTreeListEventScope scope(*FScreenView);
  if (OnKeyDown) OnKeyDown(this, key, shift);
  if (key != 0) FInput->KeyDown(key, shift);
}

void TTreeList::KeyUp(int& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TTreeList::KeyPress(char& key) {
  const TTreeListEventScope scope(*FScreenView);
  if (OnKeyPress) OnKeyPress(this, key);
  if (key != 0) FInput->KeyPress(key);
}

// Typed characters while no editor is open: with aoAutoSearch they search; "+", "-" and "*"
// (outside a search) expand and collapse the focused node, Ctrl+C copies the selection when
// asked to.
void TTreeListInput::KeyPress(char& key) {
  constexpr char kCopy = 3;  // Ctrl+C
  TTreeListNode* node = FTree.FocusedNode();
  if (!node) return;
  if (SearchKey(key)) {
    key = 0;
    return;
  }
  switch (key) {
    case kCopy:
      if (!FTree.OptionsEx().Contains(aoAutoCopySelectedToClipboard)) return;
      FTree.CopySelectedToClipboard();
      break;
    case '+':
    case '-':
      node->MakeVisible();
      node->SetExpanded(key == '+');
      break;
    case '*':
      if (node->HasChildren()) node->Expand(true);
      break;
    default:
      return;
  }
  key = 0;  // taken: the window does not see it
}

// The arrows are always the control's; Tab only with aoTabs and without Ctrl, so in a window
// Tab normally moves on to the next control. While a search runs, Alt with a character key is
// the window's (a menu key), not more search text.
bool TTreeList::WantsKey(int key, TShiftState shift) const {
  if (key == vkTab) return Options().Contains(aoTabs) && !(shift & ssCtrl);
  const bool character = key == vkSpace || (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z');
  if (character && (shift & ssAlt) && !SearchText().empty()) return false;
  return true;
}
