#include <algorithm>

#include "treelist/model/CustomTreeList.h"
#include "treelist/model/TreeListErrors.h"
#include "treelist/model/TreeListNode.h"

bool TTreeListNode::Focused() const {
  return FOwner->FocusedNode() == this;
}

void TTreeListNode::SetFocused(bool value) {
  if (value) FOwner->SetFocusedNode(this, FOwner->FocusedColumn(), true);
}

// A move inside an update or a deletion is heard once, when it is over, so only a row that
// stays is named.
void TCustomTreeList::AnnounceMovedFocus() {
  if (!FFocusUnannounced || Locked() || FDestroying || !FNodesInDeletion.empty()) return;
  FFocusUnannounced = false;
  if (!FFocusedNode) return;
  View().Announce(aeFocus, FFocusedNode);
  // A single selection is the focused node.
  if (!HasOption(aoMultiSelect)) View().Announce(aeSelection, FFocusedNode);
}

int TCustomTreeList::FocusedColumn() const {
  if (HasOption(aoRowSelect)) return 0;
  return FFocusedColumn >= 0 && FFocusedColumn < DisplayedColumnCount() ? FFocusedColumn : 0;
}

void TCustomTreeList::SetFocusedNode(TTreeListNode* node, int column, bool makeVisible) {
  if (!node) return;
  // A foreign node would be left dangling when its own tree deletes it.
  if (node->Owner() != this) throw EInvalidTreeListOperation(SInvalidOwner);
  TTreeListNode* const oldNode = FFocusedNode;
  const int oldColumn = FocusedColumn();
  const bool rowSelect = HasOption(aoRowSelect);
  bool changed;
  if (Locked()) {
    changed = node != FFocusedNode || column != FFocusedColumn;
    FFocusedNode = node;
    FFocusedColumn = column;
  } else {
    changed = node != FFocusedNode || (!rowSelect && column != oldColumn);
    if (changed && node != FFocusedNode) {
      if (!rowSelect) {
        FFocusedColumn = column;
        View().ScrollToColumn(column);
      }
      NodeChanged(FFocusedNode, false);
      FFocusedNode = node;
      NodeChanged(node, false);
    } else if (changed) {
      View().ScrollToColumn(column);
      NodeChanged(node, false);
      FFocusedColumn = column;
      NodeChanged(node, false);
    }
  }
  if (makeVisible && FFocusedNode) FFocusedNode->MakeVisible();
  if (changed) View().EndSearch();
  if (FFocusedNode != oldNode) {
    FFocusUnannounced = true;
    AnnounceMovedFocus();
  }
  if (FFocusedNode != oldNode && OnChangeNode) OnChangeNode(this, oldNode, FFocusedNode);
  if (FocusedColumn() != oldColumn && OnChangeColumn)
    OnChangeColumn(this, FFocusedNode, FocusedColumn());
}

int TCustomTreeList::FocusedAbsoluteIndex() const {
  return FFocusedNode ? FFocusedNode->AbsoluteIndex() : 0;
}

void TCustomTreeList::SetFocusedAbsoluteIndex(int index) {
  if (FNodes.empty() || index == FocusedAbsoluteIndex()) return;
  index = std::clamp(index, 0, std::max(VisibleCount() - 1, 0));
  if (index == FocusedAbsoluteIndex()) return;
  SetFocusedNode(AbsoluteNodes(index), FocusedColumn(), true);
}

TTreeListNode* TCustomTreeList::MoveFocus(TTreeListFocusMove kind, bool deep) {
  TTreeListNode* const from = FFocusedNode;
  if (!from) return nullptr;
  TTreeListNode* target = nullptr;
  switch (kind) {
    case fmFirst:
      target = Items(0);
      break;
    case fmPrevious:
      target = from->GetPrevVisible();
      break;
    case fmNext:
      target = deep ? from->GetNext() : from->GetNextVisible();
      break;
    case fmLast:
      target = LastVisibleNode();
      if (deep)
        while (target && target->GetLastChild()) target = target->GetLastChild();
      break;
  }
  // A single selection follows the focus.
  const bool follow = HasOption(aoMultiSelect) && FSelection.size() == 1 && FSelection[0] == from;
  if (target) {
    TDeletionWatch watch(*this);  // a focus handler may delete the target
    target->SetFocused(true);
    if (watch.Gone(target)) return nullptr;
    if (follow) {
      ClearSelection();
      if (!watch.Gone(target)) target->SetSelected(true);
    }
  }
  return target;
}
