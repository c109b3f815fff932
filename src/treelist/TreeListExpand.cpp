#include "treelist/CustomTreeList.h"
#include "treelist/TreeListNode.h"

// The flag change of expanding or collapsing one node and what the model must do about it:
// the first row moves out of a collapsed subtree, and the row index follows the new rows.
void TTreeListNode::SetExpanded(bool value) {
  if (!FHasChildren || FExpanded == value) return;
  if (!value) {
    TTreeListNode* top = FOwner->TopVisibleNode();
    if (top && top->HasAsParent(this)) FOwner->SetTopVisibleNode(this);
  }
  FExpanded = value;
  if (!FOwner->Locked() && !FOwner->Destroying()) {
    FOwner->RebuildVisibleRowIndex();
    FOwner->View().RowIndexChanged(this, value);
  }
  FOwner->NodeChanged(this, true);
}
