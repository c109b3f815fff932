// Node drag and drop: starting a drag, where a drop is taken, the drop event within a tree,
// between two trees and from outside, the hover timers, and handlers that delete on the way.
#include <string>
#include <vector>

#include "TreeInputFixture.h"

namespace {

class TreeNodeDrag : public TreeInputFixture {
 protected:
  void SetUp() override {
    TreeInputFixture::SetUp();
    tree.SetDragMode(dmAutomatic);
    tree.OnNodeDropped = [this](TCustomTreeListControl* sender, TControl* source,
                                TTreeListNode* node, TTreeListNode* target,
                                const std::string& text) {
      drops.push_back({sender, source, node, target, text});
    };
  }
  // Presses a row and moves the pointer far enough to drag it.
  void DragRow(int row) {
    host.MouseDown(mbLeft, 300, RowMid(row));
    host.MouseMove(306, RowMid(row));
  }
  struct TDrop {
    TCustomTreeListControl* Sender;
    TControl* Source;
    TTreeListNode* Node;
    TTreeListNode* Target;
    std::string Text;
  };
  std::vector<TDrop> drops;
};

}  // namespace

TEST_F(TreeNodeDrag, FiveMovedPixelsKeepAPressSixStartTheDrag) {
  int clicks = 0;
  tree.OnClick = [&](TCustomTreeListControl*) { ++clicks; };
  host.MouseDown(mbLeft, 300, RowMid(1));
  host.MouseMove(305, RowMid(1) + 5);
  EXPECT_FALSE(host.Dragging());
  host.MouseMove(300, RowMid(1) - 6);
  ASSERT_TRUE(host.Dragging());
  EXPECT_EQ(host.Drag().Text, "1/Alpha");
  EXPECT_EQ(host.Drag().Source, &tree);
  EXPECT_EQ(tree.Input().DraggedNode(), tank1);
  EXPECT_EQ(host.DragPictureSize().cy, kRowHeight);
  EXPECT_EQ(tree.Input().State(), msNone);
  EXPECT_FALSE(host.HasCapture());
  host.CancelDrag(tree);
  host.MouseUp(mbLeft, 300, 10);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(tree.Input().DraggedNode(), nullptr);
  tree.SetDragMode(dmManual);
  DragRow(1);
  EXPECT_FALSE(host.Dragging());
}

TEST_F(TreeNodeDrag, NeverOntoItselfOrItsDescendants) {
  struct TCase {
    int Dragged, Over;
    bool Taken;
  };
  // Rows: Alpha, 1/Alpha, 2/Alpha, Beta.
  const TCase cases[] = {{1, 1, false}, {1, 0, true},  {1, 2, true},  {1, 3, true},
                         {0, 0, false}, {0, 1, false}, {0, 2, false}, {0, 3, true}};
  const std::vector<TTreeListNode*> rows = {site1, tank1, tank2, site2};
  for (const TCase& c : cases) {
    DragRow(c.Dragged);
    EXPECT_EQ(host.DragOver(tree, 300, RowMid(c.Over)), c.Taken) << c.Dragged << c.Over;
    EXPECT_EQ(tree.Input().DropTarget(), c.Taken ? rows[c.Over] : nullptr);
    EXPECT_TRUE(ShowsFreshPaint(host, tree));
    EXPECT_FALSE(host.DragOver(tree, 300, 190));  // below the rows
    host.CancelDrag(tree);
    host.MouseUp(mbLeft, 0, 0);
  }
}

TEST_F(TreeNodeDrag, DropsWithinBetweenTreesAndFromOutside) {
  DragRow(1);
  host.Drop(tree, 300, RowMid(3));
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0].Source, &tree);
  EXPECT_EQ(drops[0].Node, tank1);
  EXPECT_EQ(drops[0].Target, site2);
  EXPECT_EQ(drops[0].Text, "1/Alpha");
  EXPECT_EQ(tree.Input().DropTarget(), nullptr);
  EXPECT_EQ(tree.Input().DraggedNode(), nullptr);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));

  TTreeList other;
  TTestWindowHost otherHost(other, 400, 200);
  AddTankColumns(other);
  TTreeListNode* there = AddRow(other, nullptr, {"Gamma"});
  other.OnNodeDropped = tree.OnNodeDropped;
  host.MouseUp(mbLeft, 0, 0);
  DragRow(2);
  host.Drop(other, 50, 30);
  ASSERT_EQ(drops.size(), 2u);
  EXPECT_EQ(drops[1].Sender, &other);
  EXPECT_EQ(drops[1].Node, tank2);
  EXPECT_EQ(drops[1].Target, there);

  // From outside only the text comes; a handler may refuse it.
  const TDragData text{"plain", nullptr};
  EXPECT_TRUE(tree.DragOver(text, 300, RowMid(0)));
  tree.DragDrop(text, 300, RowMid(0));
  ASSERT_EQ(drops.size(), 3u);
  EXPECT_EQ(drops[2].Node, nullptr);
  EXPECT_EQ(drops[2].Text, "plain");
  tree.OnDragOver = [](TCustomTreeListControl*, TControl* source, TTreeListNode*, TTreeListNode*,
                       int, int, bool& accept) { accept = source != nullptr; };
  EXPECT_FALSE(tree.DragOver(text, 300, RowMid(0)));
  tree.DragDrop(text, 300, RowMid(0));
  EXPECT_EQ(drops.size(), 3u);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeNodeDrag, HoveringOpensClosesAndScrolls) {
  const TDragData text{"x", nullptr};
  tree.DragOver(text, 300, RowMid(3));  // Beta, collapsed
  EXPECT_EQ(host.TimerInterval(kDragExpandTimer), 500);
  host.FireTimer(kDragExpandTimer);
  EXPECT_TRUE(site2->Expanded());
  EXPECT_FALSE(host.TimerActive(kDragExpandTimer));  // closing needs aoDragCollapse
  SetOptionEx(tree, aoDragCollapse, true);
  tree.DragLeave();
  tree.DragOver(text, 300, RowMid(3));
  EXPECT_EQ(host.TimerInterval(kDragExpandTimer), 500);
  host.FireTimer(kDragExpandTimer);
  EXPECT_FALSE(site2->Expanded());
  EXPECT_EQ(host.TimerInterval(kDragExpandTimer), 1000);
  tree.DragLeave();
  EXPECT_FALSE(host.TimerActive(kDragExpandTimer));

  GrowTo(40);
  tree.SetTopIndex(3);
  host.Paint(true);
  tree.DragOver(text, 300, RowMid(0));
  EXPECT_EQ(host.TimerInterval(kDragOverScrollTimer), 100);
  host.FireTimer(kDragOverScrollTimer);
  EXPECT_EQ(tree.TopIndex(), 2);
  tree.DragOver(text, 300, RowMid(8));  // the last whole row
  host.FireTimer(kDragOverScrollTimer);
  EXPECT_EQ(tree.TopIndex(), 3);
  tree.DragOver(text, 300, RowMid(4));
  EXPECT_FALSE(host.TimerActive(kDragOverScrollTimer));
  tree.DragLeave();
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  // With one whole row in the window its upper half scrolls up, its lower half down.
  host.Resize(846, kHeaderBottom + kRowHeight + 5);
  tree.DragOver(text, 300, RowTop(0) + 3);
  host.FireTimer(kDragOverScrollTimer);
  EXPECT_EQ(tree.TopIndex(), 2);
  tree.DragOver(text, 300, RowTop(0) + kRowHeight - 3);
  host.FireTimer(kDragOverScrollTimer);
  EXPECT_EQ(tree.TopIndex(), 3);
  tree.DragLeave();
}

TEST_F(TreeNodeDrag, HandlersDeletingTheDraggedNodeOrTheTarget) {
  DragRow(1);
  tree.OnDragOver = [&](TCustomTreeListControl*, TControl*, TTreeListNode*, TTreeListNode* target,
                        int, int, bool&) {
    if (target) target->Delete();
  };
  EXPECT_TRUE(host.DragOver(tree, 300, RowMid(3)));
  EXPECT_EQ(tree.Input().DropTarget(), nullptr);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  tree.OnDragOver = nullptr;
  host.DragOver(tree, 300, RowMid(0));
  EXPECT_EQ(tree.Input().DropTarget(), site1);
  tank1->Delete();  // the dragged node
  EXPECT_EQ(tree.Input().DraggedNode(), nullptr);
  site1->SetExpanded(false);
  site1->Delete();  // the drop target
  EXPECT_EQ(tree.Input().DropTarget(), nullptr);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  host.FireTimer(kDragExpandTimer);
  host.Drop(tree, 300, 190);
  EXPECT_TRUE(drops.empty());
  tree.OnExpanded = [&](TCustomTreeList*, TTreeListNode*) { tree.ClearNodes(); };
  AddRow(tree, AddRow(tree, nullptr, {"Delta"}), {"Child"});
  tree.DragOver(TDragData{"x", nullptr}, 300, RowMid(0));
  host.FireTimer(kDragExpandTimer);
  EXPECT_EQ(tree.Count(), 0);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}
