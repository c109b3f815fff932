#include <algorithm>
#include <iterator>

#include "treelist/model/CustomTreeList.h"
#include "treelist/model/TreeListErrors.h"
#include "treelist/model/TreeListNode.h"

namespace {

bool BySequence(const TTreeListNode* a, const TTreeListNode* b) {
  return a->Sequence() < b->Sequence();
}

// More selected rows than this repaint the whole control instead of row by row.
constexpr size_t kRowRepaintLimit = 10;

}  // namespace

bool TTreeListNode::Selected() const {
  return FOwner->IsNodeSelected(this);
}

void TTreeListNode::SetSelected(bool value) {
  FOwner->SetNodeSelected(this, value);
}

TTreeListNode* TCustomTreeList::Selections(int index) const {
  return index >= 0 && index < SelectedCount() ? FSelection[index] : nullptr;
}

bool TCustomTreeList::IsNodeSelected(const TTreeListNode* node) const {
  if (!HasOption(aoMultiSelect)) return node == FFocusedNode;
  return std::binary_search(FSelection.begin(), FSelection.end(), node, BySequence);
}

void TCustomTreeList::SetNodeSelected(TTreeListNode* node, bool value) {
  if (!HasOption(aoMultiSelect)) return;
  if (node->Owner() != this) throw EInvalidTreeListOperation(SInvalidOwner);
  auto at = std::lower_bound(FSelection.begin(), FSelection.end(), node, BySequence);
  const bool present = at != FSelection.end() && *at == node;
  if (value) {
    if (node->Deleting()) return;
    TDeletionWatch watch(*this);
    // The handler may delete the node itself.
    if (!CanSelect(node) || watch.Gone(node)) return;
    // The handler may have changed the selection: look again.
    at = std::lower_bound(FSelection.begin(), FSelection.end(), node, BySequence);
    if (at == FSelection.end() || *at != node) FSelection.insert(at, node);
  } else if (present) {
    FSelection.erase(at);
  }
  NodeChanged(node, false);
  SelectedCountChanged();
}

bool TCustomTreeList::CanSelect(TTreeListNode* node) {
  bool allow = true;
  TDeletionWatch watch(*this);
  if (OnCanNodeSelected) OnCanNodeSelected(this, node, allow);
  if (watch.Gone(node)) return false;
  if (!HasOption(aoExtMultiSelect)) {
    // The handler may have deleted the start of the range.
    if (watch.Gone(FRangeStart)) FRangeStart = node;
    const TTreeListNode* reference = FSelection.empty() ? FRangeStart : FSelection.front();
    if (reference) allow = allow && node->Parent() == reference->Parent();
  }
  return allow;
}

void TCustomTreeList::SelectedCountChanged() {
  if (FSelectionBatch > 0 || FDestroying) return;
  View().Announce(aeSelection, nullptr);
  if (OnSelectedCountChange) OnSelectedCountChange(this);
}

void TCustomTreeList::DeselectNode(TTreeListNode* node) {
  auto at = std::lower_bound(FSelection.begin(), FSelection.end(), node, BySequence);
  if (at == FSelection.end() || *at != node) return;
  FSelection.erase(at);
  SelectedCountChanged();
}

void TCustomTreeList::ClearSelection() {
  if (FSelection.empty()) return;
  if (!FDestroying && !FClearing) {
    NodeChanged(FFocusedNode, false);
    if (FSelection.size() > kRowRepaintLimit) {
      if (!Locked()) View().RepaintAll();
    } else {
      for (TTreeListNode* node : FSelection) NodeChanged(node, false);
    }
  }
  FSelection.clear();
  SelectedCountChanged();
}

void TCustomTreeList::SelectRange(TTreeListNode* a, TTreeListNode* b) {
  if (!a || !b) return;
  if (a->Owner() != this || b->Owner() != this) throw EInvalidTreeListOperation(SInvalidOwner);
  OpenSelectionBatch();
  const auto close = OnScopeExit([this] {
    FRangeStart = nullptr;
    CloseSelectionBatch();
  });
  const auto lock = UpdateScope();
  RebuildVisibleRowIndex();
  int from = a->AbsoluteIndex(), to = b->AbsoluteIndex();
  if (from < 0 || to < 0) return;  // a hidden end has no row to range over
  if (from > to) std::swap(from, to);
  // Copied first: a selection handler may change the tree and with it the rows.
  std::vector<TTreeListNode*> rows;
  for (int row = from; row <= to; ++row) rows.push_back(AbsoluteNodes(row));
  std::vector<TTreeListNode*> picked;
  FRangeStart = rows.front();
  TDeletionWatch watch(*this);
  for (TTreeListNode* node : rows) {
    if (watch.Gone(node)) continue;
    if (watch.Gone(FRangeStart)) FRangeStart = node;
    if (CanSelect(node)) picked.push_back(node);
  }
  FRangeStart = nullptr;
  // A node picked early may have been deleted by a later handler.
  if (watch.Any()) std::erase_if(picked, [&](TTreeListNode* node) { return watch.Gone(node); });
  std::sort(picked.begin(), picked.end(), BySequence);
  std::vector<TTreeListNode*> merged;
  merged.reserve(FSelection.size() + picked.size());
  std::set_union(FSelection.begin(), FSelection.end(), picked.begin(), picked.end(),
                 std::back_inserter(merged), BySequence);
  FSelection.swap(merged);
}

void TCustomTreeList::OpenSelectionBatch() {
  if (FSelectionBatch++ == 0) FBatchSelectedCount = SelectedCount();
}

void TCustomTreeList::CloseSelectionBatch() {
  if (FSelectionBatch <= 0 || --FSelectionBatch > 0) return;
  if (SelectedCount() != FBatchSelectedCount) SelectedCountChanged();
}
