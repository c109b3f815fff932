// Incremental search: typed characters look for the first visible row, from the focused one
// on and round from the top, whose text in the focused column starts with what was typed,
// ignoring case. A character that matches nothing is dropped; Backspace takes the last one
// back; Esc, a focus move by other means, or a pause ends the search.
#include <cctype>
#include <string>

#include "platform/ScopeGuard.h"
#include "treelist/TreeList.h"
#include "treelist/input/TreeListInput.h"

namespace {

unsigned char Folded(char c) {
  return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

bool StartsWithFolded(const std::string& text, const std::string& prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Folded(text[i]) != Folded(prefix[i])) return false;
  return true;
}

// The bytes a UTF-8 character starting with this byte has; 1 for ASCII and stray bytes.
size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

bool Continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The column searched: the focused one, as shown (its case conversion applied).
TTreeListColumn* SearchColumn(const TTreeList& tree) {
  const std::vector<TTreeListColumn*> shown = tree.DisplayedColumns();
  const int column = tree.FocusedColumn();
  return column >= 0 && column < static_cast<int>(shown.size()) ? shown[column] : nullptr;
}

std::string SearchCellText(const TTreeListColumn* column, const TTreeListNode* node) {
  return column->CellText(node);
}

}  // namespace

size_t SearchMarkLength(const TTreeList& tree, const TTreeListNode* node,
                        const TTreeListColumn* column) {
  const std::string& typed = tree.SearchText();
  if (typed.empty() || node != tree.FocusedNode() || column != SearchColumn(tree)) return 0;
  return StartsWithFolded(SearchCellText(column, node), typed) ? typed.size() : 0;
}

// The walk stops at the first match, so a near match costs a few rows however large the tree.
TTreeListNode* FindSearchMatch(const TTreeList& tree, TTreeListNode* start,
                               const std::string& text) {
  const TTreeListColumn* column = SearchColumn(tree);
  if (!start || !column) return nullptr;
  // A focus inside a collapsed parent is on no row: the walk starts at the first row after
  // it, or it would never come round to where it began.
  TTreeListNode* first = start;
  while (first && !first->IsVisible()) first = first->GetNextVisible();
  if (!first) first = tree.Items(0);
  TTreeListNode* node = first;
  do {
    if (StartsWithFolded(SearchCellText(column, node), text)) return node;
    node = node->GetNextVisible();
    if (!node) node = tree.Items(0);
  } while (node && node != first);
  return nullptr;
}

void TTreeListInput::EndSearch() {
  if (FSearchMoving) return;
  FSearchPending.clear();
  FTree.KillTimer(kSearchTimer);
  if (FSearchText.empty()) return;
  FSearchText.clear();
  if (TTreeListNode* node = FTree.FocusedNode()) FTree.View().RepaintRow(node);
}

bool TTreeListInput::SearchKey(char key) {
  if (!FTree.OptionsEx().Contains(aoAutoSearch) || !FTree.FocusedNode() || Gesture()) return false;
  const unsigned char byte = static_cast<unsigned char>(key);
  // Outside a search the expand characters keep their meaning; control characters never search.
  if (byte < 0x20 || byte == 0x7F) return false;
  if (FSearchText.empty() && FSearchPending.empty() && (key == '+' || key == '-' || key == '*'))
    return false;
  if (Continuation(key) && FSearchPending.empty()) return true;  // a stray byte
  if (!Continuation(key)) FSearchPending.clear();
  FSearchPending += key;
  FTree.SetTimer(kSearchTimer, kSearchPause);
  if (FSearchPending.size() < Utf8Length(static_cast<unsigned char>(FSearchPending[0])))
    return true;
  const std::string typed = FSearchText + FSearchPending;
  FSearchPending.clear();
  SearchFor(typed);
  return true;
}

void TTreeListInput::SearchFor(const std::string& text) {
  TTreeListNode* focused = FTree.FocusedNode();
  TTreeListNode* match = FindSearchMatch(FTree, focused, text);
  if (!match) return;  // nothing starts so: the character is dropped
  FSearchText = text;
  FSearchMoving = true;
  const auto restore = OnScopeExit([this] { FSearchMoving = false; });
  if (match != focused) {
    FTree.SetFocusedNode(match, FTree.FocusedColumn(), true);
    if (FTree.Options().Contains(aoMultiSelect) && FTree.FocusedNode() == match) {
      FTree.ClearSelection();
      match->SetSelected(true);
      FTree.SetAnchorNode(match);
    }
  }
  if (TTreeListNode* node = FTree.FocusedNode()) FTree.View().RepaintRow(node);
}

// Takes the last character back; the focus stays, since its text still matches the rest.
bool TTreeListInput::SearchBackspace() {
  if (FSearchText.empty()) return false;
  size_t end = FSearchText.size() - 1;
  while (end > 0 && Continuation(FSearchText[end])) --end;
  FSearchText.resize(end);
  FSearchPending.clear();
  if (FSearchText.empty()) {
    EndSearch();
    return true;
  }
  FTree.SetTimer(kSearchTimer, kSearchPause);
  if (TTreeListNode* node = FTree.FocusedNode()) FTree.View().RepaintRow(node);
  return true;
}
