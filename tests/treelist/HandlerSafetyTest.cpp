// Event handlers that delete, focus or throw in the middle of a tree operation: the tree comes
// out whole, with no reference to a freed node and no batch left open.
#include <gtest/gtest.h>

#include <stdexcept>

#include "TreeInvariant.h"
#include "TreeTestTree.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"
#include "treelist/model/TreeListConsistency.h"

namespace {

class HandlerSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    AddTankColumns(tree);
    for (int i = 0; i < 6; ++i) rows.push_back(AddRow(tree, nullptr, {"S" + std::to_string(i)}));
  }
  // The handlers reach into the test's own variables, which are gone before the tree is.
  void TearDown() override {
    tree.OnDeletion = nullptr;
    tree.OnCanNodeSelected = nullptr;
  }
  ::testing::AssertionResult Whole() {
    for (const std::string& fault :
         {RowIndexFault(tree), NodeReferenceFault(tree), SortColumnsFault(tree)})
      if (!fault.empty()) return ::testing::AssertionFailure() << fault;
    return ::testing::AssertionSuccess();
  }

  TTreeList tree;
  std::vector<TTreeListNode*> rows;
};

}  // namespace

TEST_F(HandlerSafety, AFailedResortStillClosesTheUpdate) {
  tree.SetOptions({aoRowSelect, aoMultiSelect, aoAutoSort});
  tree.SetOptionsEx(tree.OptionsEx().Include(aoAutoSortRefresh));
  tree.Columns(0)->SetSorted(csUp);
  tree.OnCompare = [](TCustomTreeListControl*, TTreeListNode*, TTreeListNode*, int&) {
    throw std::runtime_error("compare failed");
  };
  int changes = 0;
  tree.OnSelectedCountChange = [&](TCustomTreeList*) { ++changes; };
  tree.BeginUpdate();
  rows[2]->SetStrings(0, "x");
  EXPECT_THROW(tree.EndUpdate(), std::runtime_error);
  EXPECT_EQ(tree.UpdateLockCount(), 0);
  tree.OnCompare = nullptr;
  rows[3]->SetSelected(true);
  EXPECT_EQ(changes, 1) << "the selection batch was left open";
  EXPECT_TRUE(Whole());
}

TEST_F(HandlerSafety, SelectionHandlersThatDeleteNodes) {
  tree.SetOptions({aoRowSelect, aoMultiSelect, aoExtMultiSelect});
  // Asked about row 1, the handler deletes row 4, which lies later in the range.
  tree.OnCanNodeSelected = [&](TCustomTreeList*, TTreeListNode* node, bool&) {
    if (node == rows[1] && rows[4]) {
      rows[4]->Delete();
      rows[4] = nullptr;
    }
  };
  tree.SelectRange(rows[0], rows[5]);
  EXPECT_EQ(tree.SelectedCount(), 5);
  EXPECT_TRUE(Whole());

  // Asked about a node, the handler deletes that very node.
  tree.ClearSelection();
  tree.OnCanNodeSelected = [&](TCustomTreeList*, TTreeListNode* node, bool&) {
    if (node == rows[2]) {
      rows[2]->Delete();
      rows[2] = nullptr;
    }
  };
  rows[2]->SetSelected(true);
  EXPECT_EQ(tree.SelectedCount(), 0);
  EXPECT_TRUE(Whole());
}

TEST_F(HandlerSafety, DeletionHandlersThatDeleteOrFocus) {
  // Deleting the top row, whose handler deletes the row above it: the top row must not
  // become the freed one.
  tree.SetTopVisibleNode(rows[3]);
  tree.OnDeletion = [&](TCustomTreeList*, TTreeListNode* node) {
    if (node == rows[3] && rows[2]) {
      TTreeListNode* prior = rows[2];
      rows[2] = nullptr;
      prior->Delete();
    }
  };
  rows[3]->Delete();
  rows[3] = nullptr;
  EXPECT_TRUE(Whole());
  EXPECT_EQ(tree.Count(), 4);

  // While the tree is cleared, a handler moves the focus: it must not stay on a freed node.
  std::vector<int> countsSeen;
  tree.OnDeletion = [&](TCustomTreeList* sender, TTreeListNode*) {
    countsSeen.push_back(sender->Count());
    if (sender->Count() > 1) sender->Items(1)->SetFocused(true);
  };
  tree.ClearNodes();
  EXPECT_EQ(tree.FocusedNode(), nullptr);
  EXPECT_EQ(tree.Count(), 0);
  EXPECT_TRUE(Whole());
  // Every handler sees the tree as it was: the nodes go only after all were told.
  EXPECT_EQ(countsSeen, std::vector<int>(4, 4));
}

TEST_F(HandlerSafety, LoadingEndsWithTablesAndSortKeysRebuilt) {
  tree.BeginLoading();
  tree.Bands().Add();
  tree.Bands().Items(0)->SetVisible(false);
  EXPECT_EQ(tree.VisibleBandCount(), 1);  // the visible bands are known while loading too
  EXPECT_EQ(tree.Bands().IndexToVisibleIndex(1), 0);
  tree.Columns(2)->SetSorted(csDown);
  tree.Columns(3)->SetSorted(csUp);
  tree.Columns(0)->SetSorted(csUp);
  tree.Columns(3)->SetSorted(csNone);
  tree.Columns(2)->SetSorted(csUp);
  tree.EndLoading();
  EXPECT_EQ(tree.VisibleBandCount(), 1);
  EXPECT_EQ(tree.VisibleBands(0), tree.Bands().Items(1));
  // In the order the program set them, not in column order.
  EXPECT_EQ(tree.SortColumns(), (std::vector<TTreeListColumn*>{tree.Columns(2), tree.Columns(0)}));
}

TEST_F(HandlerSafety, RestoringDefaultsDropsTheSortKey) {
  tree.SetOptions({aoRowSelect, aoAutoSort});
  tree.SetOptionsEx(tree.OptionsEx().Include(aoMultiSort));
  tree.Columns(1)->SetSorted(csUp);
  tree.Columns(1)->RestoreDefaults();
  EXPECT_EQ(tree.Columns(1)->Sorted(), csNone);
  EXPECT_TRUE(tree.SortColumns().empty());
  EXPECT_TRUE(Whole());
}

TEST_F(HandlerSafety, DeletingAnAncestorOfTheNodeBeingDeleted) {
  TTreeListNode* child = rows[0]->AddChild();
  TTreeListNode* grandchild = child->AddChild();
  // While the child goes, the grandchild's handler asks for the site above them both: the
  // site has to wait for the child, and goes once the child has gone.
  std::vector<TTreeListNode*> deleted;
  tree.OnDeletion = [&](TCustomTreeList*, TTreeListNode* node) {
    deleted.push_back(node);
    if (node == grandchild) rows[0]->Delete();
  };
  child->Delete();
  EXPECT_EQ(tree.Count(), 5);
  EXPECT_EQ(deleted, (std::vector<TTreeListNode*>{grandchild, child, rows[0]}));
  EXPECT_TRUE(Whole());
}

// A node whose handler runs is already out of its parent's list but still names the parent:
// a handler deleting that parent, directly or through another node's handler, must not free
// it under the node. The tree is painted after each step, which reads every row's level.
TEST_F(HandlerSafety, AHandlerDeletingTheParentOfTheNodeBeingDeleted) {
  EnsureGuiApplication();
  TTestWindowHost host(tree, 160, 120);
  TTreeListNode* leaf = rows[1]->AddChild();
  rows[1]->AddChild();
  rows[1]->Expand(false);
  tree.OnDeletion = [&](TCustomTreeList*, TTreeListNode* node) {
    if (node == leaf) rows[0]->Delete();     // another root...
    if (node == rows[0]) rows[1]->Delete();  // ...whose handler deletes the leaf's parent
  };
  leaf->Delete();
  host.Paint(true);
  EXPECT_EQ(tree.Count(), 4) << "both roots go once the leaf has gone";
  EXPECT_TRUE(Whole());
}

// Clearing from a deletion handler waits for the deletion on the stack, then empties the tree.
TEST_F(HandlerSafety, ClearingFromADeletionHandler) {
  TTreeListNode* leaf = rows[2]->AddChild();
  tree.OnDeletion = [&](TCustomTreeList*, TTreeListNode* node) {
    if (node == leaf) tree.ClearNodes();
  };
  leaf->Delete();
  EXPECT_EQ(tree.Count(), 0);
  EXPECT_TRUE(Whole());
}

TEST_F(HandlerSafety, DeletingChildrenWhoseHandlerDeletesTheParent) {
  for (int i = 0; i < 3; ++i) rows[1]->AddChild();
  TTreeListNode* parent = rows[1];
  tree.OnDeletion = [&](TCustomTreeList*, TTreeListNode*) {
    if (rows[1]) {
      rows[1] = nullptr;
      parent->Delete();
    }
  };
  parent->DeleteChildren();  // the parent goes while its children are being deleted
  EXPECT_EQ(tree.Count(), 5);
  EXPECT_TRUE(Whole());
}

TEST_F(HandlerSafety, ARangeWhoseStartIsDeletedByTheHandler) {
  tree.SetOptions({aoRowSelect, aoMultiSelect});  // a range keeps to one parent
  tree.OnCanNodeSelected = [&](TCustomTreeList*, TTreeListNode* node, bool&) {
    if (node == rows[1] && rows[0]) {
      TTreeListNode* start = rows[0];
      rows[0] = nullptr;
      start->Delete();
    }
  };
  tree.SelectRange(rows[0], rows[3]);
  EXPECT_EQ(tree.SelectedCount(), 3);
  EXPECT_TRUE(Whole());
}

TEST_F(HandlerSafety, BringingIntoViewANodeThatAnExpansionHandlerDeletes) {
  TTreeListNode* child = rows[2]->AddChild();
  TTreeListNode* grandchild = child->AddChild();
  tree.OnExpanded = [&](TCustomTreeList*, TTreeListNode* node) {
    if (node == child) grandchild->Delete();
  };
  grandchild->MakeVisible();  // expanding the child takes the grandchild away
  tree.OnExpanded = nullptr;
  EXPECT_EQ(child->Count(), 0);
  EXPECT_TRUE(Whole());
}

TEST_F(HandlerSafety, ExpandingASubtreeWhoseHandlerDeletesPartOfIt) {
  TTreeListNode* child = rows[4]->AddChild();
  child->AddChild()->AddChild();
  TTreeListNode* second = rows[4]->AddChild();
  second->AddChild();
  tree.OnExpanded = [&](TCustomTreeList*, TTreeListNode* node) {
    if (node == child) rows[4]->DeleteChildren();
  };
  tree.FullExpand();
  tree.OnExpanded = nullptr;
  EXPECT_EQ(rows[4]->Count(), 0);
  EXPECT_TRUE(Whole());
}

TEST_F(HandlerSafety, CollapsingANodeThatTheFocusHandlerDeletes) {
  TTreeListNode* child = rows[3]->AddChild();
  rows[3]->SetExpanded(true);
  child->SetFocused(true);
  // Collapsing moves the focus up to the node, whose change handler then deletes it.
  tree.OnChangeNode = [&](TCustomTreeList*, TTreeListNode*, TTreeListNode* node) {
    if (node == rows[3]) {
      rows[3] = nullptr;
      node->Delete();
    }
  };
  TTreeListNode* site = rows[3];
  site->SetExpanded(false);
  tree.OnChangeNode = nullptr;
  EXPECT_EQ(tree.Count(), 5);
  EXPECT_TRUE(Whole());
}

TEST_F(HandlerSafety, MovingTheFocusToANodeItsHandlerDeletes) {
  tree.SetOptions({aoRowSelect, aoMultiSelect});
  rows[0]->SetFocused(true);
  rows[0]->SetSelected(true);
  tree.OnChangeNode = [&](TCustomTreeList*, TTreeListNode*, TTreeListNode* node) {
    if (node == rows[1]) {
      rows[1] = nullptr;
      node->Delete();
    }
  };
  EXPECT_EQ(tree.MoveFocus(fmNext, false), nullptr);
  tree.OnChangeNode = nullptr;
  EXPECT_TRUE(Whole());
}

TEST_F(HandlerSafety, ADeletionHandlerThatDeletesAHiddenNode) {
  TTreeListNode* hidden = rows[5]->AddChild();  // under a collapsed site
  tree.OnDeletion = [&](TCustomTreeList*, TTreeListNode* node) {
    if (node == rows[1] && hidden) {
      TTreeListNode* gone = hidden;
      hidden = nullptr;
      gone->Delete();
    }
  };
  tree.RebuildVisibleRowIndex();
  rows[1]->Delete();  // visible; its handler deletes a row nobody sees
  EXPECT_TRUE(Whole());
}

// The count handler runs as the range selection closes its batch: its error reaches the
// caller (it used to end the program) and the batch is closed all the same.
TEST_F(HandlerSafety, AFailingCountHandlerAfterARangeSelection) {
  tree.SetOptions({aoRowSelect, aoMultiSelect, aoExtMultiSelect});
  int changes = 0;
  tree.OnSelectedCountChange = [&](TCustomTreeList*) {
    if (++changes == 1) throw std::runtime_error("count handler failed");
  };
  EXPECT_THROW(tree.SelectRange(rows[1], rows[3]), std::runtime_error);
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(rows[i]->Selected()) << i;
  EXPECT_EQ(tree.UpdateLockCount(), 0);
  rows[5]->SetSelected(true);
  EXPECT_EQ(changes, 2) << "the selection batch was left open";
  EXPECT_TRUE(Whole());
  tree.OnSelectedCountChange = nullptr;
}
