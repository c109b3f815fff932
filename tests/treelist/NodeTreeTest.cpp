#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "TreeInvariant.h"
#include "treelist/TreeList.h"
#include "treelist/model/TreeListErrors.h"

namespace {

// Counts what the model asks of the view.
struct TRecordingView : TTreeListView {
  int RepaintAllCount = 0, RowRepaints = 0, FromRowRepaints = 0, RowIndexChanges = 0;
  void RepaintAll() override { ++RepaintAllCount; }
  void RepaintRow(TTreeListNode*) override { ++RowRepaints; }
  void RepaintFromRow(TTreeListNode*) override { ++FromRowRepaints; }
  void RowIndexChanged(TTreeListNode*, bool) override { ++RowIndexChanges; }
};

// Sites with tanks, the shape the application builds.
void AddSites(TTreeList& tree, int sites, int tanks) {
  for (int s = 0; s < sites; ++s) {
    TTreeListNode* site = tree.Add();
    site->SetStrings(0, "site " + std::to_string(s));
    for (int t = 0; t < tanks; ++t) site->AddChild()->SetStrings(0, std::to_string(t));
  }
}

}  // namespace

TEST(NodeTree, FirstNodeTakesTopAndFocusWithoutChangeEvent) {
  TTreeList tree;
  int topEvents = 0, changeNodeEvents = 0;
  tree.OnChangeTopVisibleNode = [&](TCustomTreeList*) { ++topEvents; };
  tree.OnChangeNode = [&](TCustomTreeList*, TTreeListNode*, TTreeListNode*) { ++changeNodeEvents; };
  TTreeListNode* first = tree.Add();
  tree.Add();
  EXPECT_EQ(tree.TopVisibleNode(), first);
  EXPECT_EQ(tree.FocusedNode(), first);
  EXPECT_EQ(topEvents, 1);
  EXPECT_EQ(changeNodeEvents, 0);
}

TEST(NodeTree, TextsGrowOnWriteOnly) {
  TTreeList tree;
  TTreeListNode* node = tree.Add();
  node->SetStrings(3, "x");
  EXPECT_EQ(node->StringCount(), 4);
  EXPECT_EQ(node->Strings(0), "");
  EXPECT_EQ(node->Strings(3), "x");
  EXPECT_EQ(node->Strings(7), "");
  EXPECT_EQ(node->Strings(-1), "");
  EXPECT_EQ(node->StringCount(), 4);
  EXPECT_THROW(node->SetStrings(-1, "y"), EInvalidTreeListOperation);
  EXPECT_EQ(node->StringCount(), 4);
  // Rewriting a text in the middle keeps its neighbours, whatever the lengths.
  const std::string longText(200, 'L');
  node->SetStrings(1, longText);
  node->SetStrings(0, "zero");
  EXPECT_EQ(node->Strings(1), longText);
  EXPECT_EQ(node->Strings(3), "x");
  node->SetStrings(1, "");
  EXPECT_EQ(node->Strings(0), "zero");
  EXPECT_EQ(node->Strings(3), "x");
  EXPECT_EQ(node->StringCount(), 4);
  node->SetValues(5, 42);
  EXPECT_EQ(node->Values(5), "42");
}

TEST(NodeTree, NavigationFollowsPreOrderAndSiblingLists) {
  TTreeList tree;
  TTreeListNode* a = tree.Add();
  TTreeListNode* b = tree.Add();
  TTreeListNode* a1 = a->AddChild();
  TTreeListNode* a3 = a->AddChild();
  TTreeListNode* a2 = a->InsertChild(a3);
  TTreeListNode* a2x = a2->AddChild();

  EXPECT_EQ(a->IndexOf(a2), 1);
  EXPECT_EQ(a2->Index(), 1);
  EXPECT_EQ(b->IndexOf(a1), -1);
  EXPECT_EQ(a->Items(3), nullptr);
  EXPECT_EQ(tree.Items(-1), nullptr);
  EXPECT_EQ(a2x->Level(), 2);
  EXPECT_EQ(b->Level(), 0);
  EXPECT_TRUE(a2x->HasAsParent(a));
  EXPECT_FALSE(a->HasAsParent(a));
  EXPECT_TRUE(a3->IsLast());
  EXPECT_TRUE(b->IsLast());
  EXPECT_FALSE(a->IsLast());

  // Pre-order regardless of expansion, both ways.
  std::vector<TTreeListNode*> order{a, a1, a2, a2x, a3, b};
  std::vector<TTreeListNode*> forward, backward;
  for (TTreeListNode* n = a; n; n = n->GetNext()) forward.push_back(n);
  for (TTreeListNode* n = b; n; n = n->GetPrev()) backward.insert(backward.begin(), n);
  EXPECT_EQ(forward, order);
  EXPECT_EQ(backward, order);

  // Collapsed: only the top-level rows are visible.
  EXPECT_FALSE(a1->IsVisible());
  EXPECT_EQ(a->GetNextVisible(), b);
  EXPECT_EQ(a1->AbsoluteIndex(), -1);
  a->SetExpanded(true);
  EXPECT_EQ(b->GetPrevVisible(), a3);
  EXPECT_EQ(a1->GetPrevVisible(), a);
  EXPECT_TRUE(RowsAgree(tree));
}

TEST(NodeTree, InsertChildRejectsAForeignReference) {
  TTreeList tree;
  TTreeListNode* a = tree.Add();
  TTreeListNode* b = tree.Add();
  a->AddChild();
  TTreeListNode* foreign = b->AddChild();
  EXPECT_THROW(a->InsertChild(foreign), EInvalidTreeListOperation);
  EXPECT_EQ(a->Count(), 1);
  // Without children the reference is not consulted.
  EXPECT_NE(b->GetFirstChild()->InsertChild(a), nullptr);
}

TEST(NodeTree, NodeWithoutOwnerIsRefused) {
  try {
    TTreeListTextNode node(nullptr);
    FAIL() << "constructed";
  } catch (const EInvalidTreeListOperation& e) {
    EXPECT_STREQ(e.what(), "Invalid Owner TTreeListNode");
  }
}

TEST(NodeTree, HasChildrenStaysTrueWhileChildrenExist) {
  TTreeList tree;
  TTreeListNode* a = tree.Add();
  a->SetHasChildren(true);  // a button without children
  EXPECT_TRUE(a->HasChildren());
  a->AddChild();
  a->SetHasChildren(false);
  EXPECT_TRUE(a->HasChildren());
  a->SetExpanded(true);
  a->GetFirstChild()->Delete();
  EXPECT_FALSE(a->HasChildren());
  EXPECT_FALSE(a->Expanded());
  EXPECT_EQ(a->Count(), 0);
}

TEST(NodeTree, ImageIndexesPassThroughTheirEvents) {
  TTreeList tree;
  TTreeListNode* node = tree.Add();
  EXPECT_EQ(node->ImageIndex(), 0);
  EXPECT_EQ(node->SelectedIndex(), -1);
  tree.OnGetImageIndex = [](TCustomTreeList*, TTreeListNode*, int& index) { index += 10; };
  EXPECT_EQ(node->ImageIndex(), 10);
  // Equal to the effective value: nothing is stored.
  node->SetImageIndex(10);
  tree.OnGetImageIndex = nullptr;
  EXPECT_EQ(node->ImageIndex(), 0);
  node->SetImageIndex(4);
  EXPECT_EQ(node->ImageIndex(), 4);
}

struct TFocusTree : TTreeList {
  void Focus(TTreeListNode* node) { SetFocusedNodeSilently(node); }
};

// Deleting hands the focus, silently, to the previous sibling, else the parent, else the next
// visible row; the first row moves the same way and says so.
TEST(FocusOnDelete, MovesToPreviousSiblingParentOrNextRow) {
  TFocusTree tree;
  AddSites(tree, 3, 3);
  TTreeListNode* site0 = tree.Items(0);
  TTreeListNode* site1 = tree.Items(1);
  site0->SetExpanded(true);
  int changeNode = 0, topEvents = 0;
  tree.OnChangeNode = [&](TCustomTreeList*, TTreeListNode*, TTreeListNode*) { ++changeNode; };
  tree.OnChangeTopVisibleNode = [&](TCustomTreeList*) { ++topEvents; };

  tree.Focus(site0->Items(2));
  tree.SetAnchorNode(site0->Items(2));
  site0->Items(2)->Delete();
  EXPECT_EQ(tree.FocusedNode(), site0->Items(1));
  EXPECT_EQ(tree.AnchorNode(), site0->Items(1));

  tree.Focus(site0->Items(0));
  site0->Items(0)->Delete();
  EXPECT_EQ(tree.FocusedNode(), site0);

  tree.Focus(site0->Items(0));
  site0->Delete();  // its child goes first (focus to site 0), then site 0 itself
  EXPECT_EQ(tree.FocusedNode(), site1);
  EXPECT_EQ(tree.TopVisibleNode(), site1);
  EXPECT_EQ(changeNode, 0);
  EXPECT_GE(topEvents, 1);
  EXPECT_TRUE(RowsAgree(tree));

  // The last node leaves: nothing is focused or shown.
  tree.Items(1)->Delete();
  tree.Items(0)->Delete();
  EXPECT_EQ(tree.FocusedNode(), nullptr);
  EXPECT_EQ(tree.TopVisibleNode(), nullptr);
}

TEST(FocusOnDelete, CollapsingMovesTheFirstRowOutOfTheSubtree) {
  TTreeList tree;
  AddSites(tree, 2, 3);
  TTreeList other;
  EXPECT_THROW(tree.SetTopVisibleNode(other.Add()), EInvalidTreeListOperation);
  tree.Items(0)->SetExpanded(true);
  tree.SetTopVisibleNode(tree.Items(0)->Items(1));
  tree.Items(0)->SetExpanded(false);
  EXPECT_EQ(tree.TopVisibleNode(), tree.Items(0));
}

TEST(ClearNodes, DeletesChildrenBeforeParentsAndResetsFocus) {
  TTreeList tree;
  AddSites(tree, 2, 2);
  std::vector<std::string> deleted;
  tree.OnDeletion = [&](TCustomTreeList*, TTreeListNode* n) { deleted.push_back(n->Strings(0)); };
  tree.ClearNodes();
  EXPECT_EQ(deleted, (std::vector<std::string>{"0", "1", "site 0", "0", "1", "site 1"}));
  EXPECT_EQ(tree.Count(), 0);
  EXPECT_EQ(tree.FocusedNode(), nullptr);
  EXPECT_EQ(tree.TopVisibleNode(), nullptr);
  EXPECT_EQ(tree.UpdateLockCount(), 0);
}

// A deletion handler that raises must not leave freed nodes behind: the deletion completes,
// the flags and the lock are restored, and the error reaches the caller once.
TEST(ClearNodes, RaisingHandlerStillCompletesTheDeletion) {
  TTreeList tree;
  AddSites(tree, 3, 2);
  int calls = 0;
  tree.OnDeletion = [&](TCustomTreeList*, TTreeListNode*) {
    ++calls;
    throw std::runtime_error("handler");
  };
  EXPECT_THROW(tree.ClearNodes(), std::runtime_error);
  EXPECT_EQ(calls, 9);
  // A handler that deletes the node being deleted changes nothing more.
  AddSites(tree, 1, 1);
  calls = 0;
  tree.OnDeletion = [&](TCustomTreeList*, TTreeListNode* n) {
    ++calls;
    n->Delete();
  };
  tree.Items(0)->Items(0)->Delete();
  EXPECT_EQ(tree.Items(0)->Count(), 0);
  tree.OnDeletion = [&](TCustomTreeList*, TTreeListNode*) {
    ++calls;
    throw std::runtime_error("handler");
  };
  calls = 0;
  EXPECT_THROW(tree.ClearNodes(), std::runtime_error);
  EXPECT_EQ(calls, 1);
  calls = 0;
  AddSites(tree, 3, 2);
  EXPECT_THROW(tree.ClearNodes(), std::runtime_error);
  EXPECT_EQ(calls, 9);
  EXPECT_EQ(tree.Count(), 0);
  EXPECT_EQ(tree.UpdateLockCount(), 0);
  EXPECT_FALSE(tree.Clearing());

  AddSites(tree, 2, 2);
  tree.BeginUpdate();
  tree.Items(0)->SetExpanded(true);
  tree.EndUpdate();
  ASSERT_TRUE(tree.RowIndex().Usable());
  EXPECT_THROW(tree.Items(0)->Delete(), std::runtime_error);
  EXPECT_EQ(tree.Count(), 1);
  EXPECT_TRUE(RowsAgree(tree));
  tree.OnDeletion = nullptr;
}

TEST(UpdateLock, NestedPairsRefreshOnceAtTheOutermostEnd) {
  TTreeList tree;
  TRecordingView view;
  tree.SetView(&view);
  tree.BeginUpdate();
  tree.BeginUpdate();
  AddSites(tree, 3, 2);
  tree.Items(1)->SetExpanded(true);
  tree.EndUpdate();
  EXPECT_EQ(view.RepaintAllCount, 0);
  EXPECT_FALSE(tree.RowIndex().Built());
  EXPECT_EQ(view.RowRepaints + view.FromRowRepaints + view.RowIndexChanges, 0);
  EXPECT_TRUE(RowsAgree(tree));  // queries walk the tree meanwhile
  tree.EndUpdate();
  EXPECT_EQ(view.RepaintAllCount, 1);
  EXPECT_TRUE(tree.RowIndex().Usable());
  EXPECT_TRUE(RowsAgree(tree));
  tree.SetView(nullptr);
}

TEST(UpdateLock, UnmatchedEndUpdateKeepsTheLockAtZero) {
  TTreeList tree;
  TRecordingView view;
  tree.SetView(&view);
  try {
    tree.EndUpdate();
  } catch (const EInvalidTreeListOperation&) {
    // Debug builds report the unmatched call.
  }
  EXPECT_EQ(tree.UpdateLockCount(), 0);
  tree.BeginUpdate();
  EXPECT_TRUE(tree.Locked());
  tree.Add();
  tree.EndUpdate();
  EXPECT_FALSE(tree.Locked());
  EXPECT_EQ(view.RepaintAllCount, 1);
  tree.SetView(nullptr);
}

// Outside the lock the index is adjusted in place; it must always match the tree.
TEST(RowIndex, IncrementalChangesMatchTheWalk) {
  TTreeList tree;
  tree.BeginUpdate();
  AddSites(tree, 4, 3);
  tree.Items(1)->SetExpanded(true);
  tree.Items(3)->SetExpanded(true);
  tree.EndUpdate();
  ASSERT_TRUE(tree.RowIndex().Usable());
  EXPECT_TRUE(RowsAgree(tree));

  TTreeListNode* site1 = tree.Items(1);
  site1->InsertChild(site1->Items(0));  // an old sequence number sits after a new one
  EXPECT_TRUE(RowsAgree(tree));
  site1->AddChild();
  tree.Items(0)->AddChild();  // collapsed: no row
  tree.Add();
  EXPECT_TRUE(tree.RowIndex().Usable());
  EXPECT_TRUE(RowsAgree(tree));
  site1->Items(2)->Delete();
  tree.Items(3)->Delete();
  EXPECT_TRUE(RowsAgree(tree));
  EXPECT_TRUE(tree.RowIndex().Usable());
}

TEST(RowIndex, RandomEditsKeepTheIndexExact) {
  TTreeList tree;
  std::mt19937 random(7);
  tree.BeginUpdate();
  AddSites(tree, 5, 2);
  tree.EndUpdate();
  for (int step = 0; step < 400; ++step) {
    std::vector<TTreeListNode*> all;
    tree.ForEachNode([&](TTreeListNode* n) { all.push_back(n); });
    if (all.empty()) {
      tree.Add();
      continue;
    }
    TTreeListNode* node = all[random() % all.size()];
    switch (random() % 6) {
      case 0:
        node->AddChild();
        break;
      case 1:
        node->Count() ? (void)node->InsertChild(node->Items(0)) : (void)tree.Add();
        break;
      case 2:
        node->SetExpanded(!node->Expanded());
        break;
      case 3:
        node->Delete();
        break;
      case 4:
        node->DeleteChildren();
        break;
      case 5: {  // inside an update: the index is built afresh afterwards
        const auto update = tree.UpdateScope();
        node->Delete();
        break;
      }
    }
    ASSERT_TRUE(RowsAgree(tree)) << "after step " << step;
  }
  EXPECT_TRUE(tree.RowIndex().Built());
}
