#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "treelist/model/CustomTreeList.h"
#include "treelist/model/TreeListErrors.h"
#include "treelist/model/TreeListNode.h"

void TTreeListNode::SetExpanded(bool value) {
  FOwner->SetNodeExpanded(this, value);
}

void TTreeListNode::Expand(bool recurse) {
  FOwner->ExpandTree(this, true, recurse);
}

void TTreeListNode::Collapse(bool recurse) {
  FOwner->ExpandTree(this, false, recurse);
}

void TTreeListNode::MakeVisible() {
  FOwner->MakeNodeVisible(this);
}

void TCustomTreeList::SetNodeExpanded(TTreeListNode* node, bool value) {
  if (!node->FHasChildren || node->FExpanded == value) return;
  // The handlers below, and the focus move, may delete the node itself.
  TDeletionWatch watch(*this);
  bool allow = true;
  if (value && OnExpanding) OnExpanding(this, node, allow);
  if (!value && OnCollapsing) OnCollapsing(this, node, allow);
  if (!allow || watch.Gone(node)) return;
  if (!value) {
    // Nothing the user looks at or works on may stay inside the rows that disappear.
    if (FTopVisibleNode && FTopVisibleNode->HasAsParent(node)) SetTopVisibleNode(node);
    if (FFocusedNode && FFocusedNode->HasAsParent(node)) {
      node->SetFocused(true);
      if (watch.Gone(node)) return;
      if (FFocusedNode && FFocusedNode->HasAsParent(node)) return;  // the move was refused
    }
  }
  // A handler may have changed the flag or taken the children away meanwhile.
  if (!node->FHasChildren || node->FExpanded == value) return;
  node->FExpanded = value;
  if (!Locked() && !FDestroying) {
    MoveRowsOfExpansion(node, value);
    View().RowIndexChanged(node, value);
  }
  NodeChanged(node, true);
  View().Announce(aeStateChanged, node);
  if (value && OnExpanded) OnExpanded(this, node);
  if (!value && OnCollapsed) OnCollapsed(this, node);
}

// Only the rows that appear or vanish under the node are touched in the row index; the rest
// of a large tree is not walked.
void TCustomTreeList::MoveRowsOfExpansion(TTreeListNode* node, bool expanded) {
  if (!FRowIndex.Built()) return RebuildVisibleRowIndex();
  if (!node->IsVisible()) return;  // its rows were not shown either way
  const int row = FRowIndex.RowOf(node);
  if (row < 0) return RebuildVisibleRowIndex();  // the index no longer matches the tree
  if (expanded) {
    std::vector<TTreeListNode*> rows;
    std::vector<std::pair<const TTreeListNode*, size_t>> stack{{node, 0}};
    while (!stack.empty()) {
      auto& [parent, next] = stack.back();
      if (next >= parent->FChildren.size()) {
        stack.pop_back();
        continue;
      }
      TTreeListNode* child = parent->FChildren[next++].get();
      rows.push_back(child);
      if (child->FExpanded && !child->FChildren.empty()) stack.emplace_back(child, 0);
    }
    FRowIndex.InsertRows(row + 1, rows);
    return;
  }
  TTreeListNode* next = node->NextSkippingChildren();
  const int end = next ? FRowIndex.RowOf(next) : FRowIndex.Count();
  if (end <= row) return RebuildVisibleRowIndex();
  FRowIndex.RemoveRows(row + 1, end - row - 1);
}

// The node changes before its children, and a vetoed node still passes the call on. The walk
// keeps its own stack: a deep chain of nodes must not exhaust the call stack.
void TCustomTreeList::ExpandTree(TTreeListNode* node, bool value, bool recurse) {
  if (!node->FHasChildren) return;
  const auto lock = UpdateScope(!Locked());
  // A handler that deletes nodes ends the walk: the nodes it still holds may be gone.
  TDeletionWatch watch(*this);
  node->SetExpanded(value);
  if (!recurse || watch.Any()) return;
  // Most nodes have only leaves below them: the stack is made only for deeper ones.
  std::vector<std::pair<TTreeListNode*, size_t>> stack;
  TTreeListNode* parent = node;
  size_t next = 0;
  for (;;) {
    // Read afresh each time: a handler may add children meanwhile.
    const auto& children = parent->FChildren;
    if (next + kPrefetchAhead < children.size())
      __builtin_prefetch(children[next + kPrefetchAhead].get());
    TTreeListNode* child = next < children.size() ? children[next].get() : nullptr;
    ++next;
    if (!child) {
      if (stack.empty()) break;
      std::tie(parent, next) = stack.back();
      stack.pop_back();
      continue;
    }
    if (!child->FHasChildren) continue;
    child->SetExpanded(value);
    if (watch.Any()) return;
    stack.emplace_back(parent, next);
    parent = child;
    next = 0;
  }
}

void TCustomTreeList::FullExpand() {
  if (FNodes.empty()) return;
  const auto lock = UpdateScope();
  for (int i = 0; i < Count(); ++i) Items(i)->Expand(true);
}

void TCustomTreeList::FullCollapse() {
  if (FNodes.empty()) return;
  const auto lock = UpdateScope();
  for (int i = 0; i < Count(); ++i) Items(i)->Collapse(true);
}

void TCustomTreeList::MakeNodeVisible(TTreeListNode* node) {
  if (node->Owner() != this) throw EInvalidTreeListOperation(SInvalidOwner);
  const bool expand = !node->IsVisible();
  const auto lock = UpdateScope(expand);
  if (expand) {
    // Outermost ancestor last, as the events would come from the node upward. An expansion
    // handler may delete nodes of the chain: the chain is taken first and checked as it goes.
    std::vector<TTreeListNode*> chain;
    for (TTreeListNode* p = node->FParent; p; p = p->FParent) chain.push_back(p);
    TDeletionWatch watch(*this);
    for (TTreeListNode* p : chain) {
      if (watch.Gone(node)) return;
      if (!watch.Gone(p) && !p->FExpanded) p->SetExpanded(true);
    }
    if (watch.Gone(node)) return;
  }
  const int p = node->AbsoluteIndex();
  if (p < 0) return;  // an expansion was refused: the row does not exist
  const int top = FTopVisibleNode ? std::max(FTopVisibleNode->AbsoluteIndex(), 0) : 0;
  const int rows = std::max(View().PageRows(), 1);
  if (p < top)
    ScrollToRow(p);
  else if (p > top + rows - 1)
    ScrollToRow(p - std::max(View().PageRowsEndingAt(p), 1) + 1);
}

// Moves the first displayed row, the one way it moves; the view scrolls its contents.
void TCustomTreeList::ScrollToRow(int row) {
  row = ClampTopRow(row, VisibleCount(), View().LastPageRows());
  TTreeListNode* top = AbsoluteNodes(row);
  if (!top || top == FTopVisibleNode) return;
  TTreeListNode* old = FTopVisibleNode;
  SetTopVisibleNode(top);
  if (!Locked()) View().TopRowMoved(old);
}
