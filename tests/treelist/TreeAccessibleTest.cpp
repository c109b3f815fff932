// The tree-list's description for assistive technology, checked against the tree itself
// after random gestures on a large tree: the rows on screen, their texts, states and cells,
// and the events that tell of each change.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "TreeInputFixture.h"
#include "treelist/access/TreeListAccessible.h"

namespace {

class TreeAccessible : public TreeInputFixture {
 protected:
  TAccessibleSource& Source() { return *tree.AccessibleSource(); }
  TTreeListAccessible& Access() { return static_cast<TTreeListAccessible&>(Source()); }

  // What the description must say, worked out from the tree and its geometry.
  void ExpectMatchesTree() {
    const TTreeListGeometry g = tree.Geometry();
    const std::vector<TTreeListColumn*> columns = tree.DisplayedColumns();
    const int headers = static_cast<int>(columns.size());
    ASSERT_EQ(Source().ChildCount(), headers + static_cast<int>(g.Rows.size()));
    for (int i = 0; i < headers; ++i) {
      const TAccessibleItem header = Source().Child(i);
      EXPECT_EQ(header.role, arColumnHeader);
      EXPECT_EQ(header.name, columns[i]->Caption());
      // Where the header panel shows it, or nowhere while the panel is hidden.
      TRect shown;
      const TTreeListColumnPlace* place = g.PlaceOf(columns[i]);
      if (!IntersectRect(shown, g.Shown(*place, place->Header), g.HeaderPanel)) shown = TRect{};
      EXPECT_EQ(header.rect, shown) << header.name;
      EXPECT_EQ((header.states & asInvisible) != 0, IsRectEmpty(shown)) << header.name;
    }
    for (int r = 0; r < static_cast<int>(g.Rows.size()); ++r) {
      const int index = headers + r;
      TTreeListNode* node = tree.AbsoluteNodes(tree.TopIndex() + r);
      const TAccessibleItem row = Source().Child(index);
      std::string name;
      for (TTreeListColumn* c : columns)
        name += (name.empty() ? "" : ", ") + node->Strings(c->ValueIndex());
      EXPECT_EQ(row.role, arRow);
      // Where the row is on screen, cut at the rows area.
      EXPECT_EQ(row.rect.top, g.Rows[r].Top) << name;
      EXPECT_EQ(row.rect.bottom, std::min(g.Rows[r].Bottom, g.RowsArea.bottom)) << name;
      EXPECT_EQ(row.name, name);
      EXPECT_EQ((row.states & asFocused) != 0, node == tree.FocusedNode()) << name;
      EXPECT_EQ((row.states & asSelected) != 0, node->Selected()) << name;
      EXPECT_EQ((row.states & asExpanded) != 0, node->HasChildren() && node->Expanded()) << name;
      EXPECT_EQ((row.states & asCollapsed) != 0, node->HasChildren() && !node->Expanded()) << name;
      EXPECT_EQ(Access().ChildOfNode(node), index);
      if (row.rect.Height() > 2) {
        EXPECT_EQ(Source().ChildAt(
                      {(row.rect.left + row.rect.right) / 2, (row.rect.top + row.rect.bottom) / 2}),
                  index)
            << name;
      }
      ASSERT_EQ(Source().CellCount(index), headers);
      for (int c = 0; c < headers; ++c) {
        const TAccessibleItem cell = Source().Cell(index, c);
        EXPECT_EQ(cell.role, arCell);
        EXPECT_EQ(cell.name, node->Strings(columns[c]->ValueIndex()));
        TRect inside;
        if (!IsRectEmpty(cell.rect)) {
          EXPECT_TRUE(IntersectRect(inside, cell.rect, row.rect));
        }
      }
    }
    EXPECT_EQ(Source().Child(Source().ChildCount()).role, arClient);  // past the end: nothing
    EXPECT_EQ(Source().CellCount(0), 0);                              // a header has no cells
  }

  int Count(TAccessibleEvent event) const {
    int count = 0;
    for (const auto& record : host.AccessibleEvents()) count += record.event == event;
    return count;
  }
  // The last event of a kind, or -2 when none came.
  int LastChildOf(TAccessibleEvent event) const {
    int child = -2;
    for (const auto& record : host.AccessibleEvents())
      if (record.event == event) child = record.child;
    return child;
  }
};

TEST_F(TreeAccessible, MatchesTheTreeAndTellsEveryChangeAfterRandomGestures) {
  // Some thousands of nodes: only the rows on screen are ever described.
  for (int s = 0; s < 300; ++s) {
    TTreeListNode* site =
        AddRow(tree, nullptr, {"Site " + std::to_string(s), "9", "8", "7", "On-line"});
    for (int t = 0; t < 20; ++t)
      AddRow(tree, site, {std::to_string(t) + "/" + std::to_string(s), "1", "2", "3", "Off"});
  }
  tree.Columns(1)->SetSorted(csUp);
  host.Paint();
  ExpectMatchesTree();
  EXPECT_EQ(Source().Child(1).value, "ascending");
  std::mt19937 random(23);
  for (int step = 0; step < 150; ++step) {
    host.ClearRecords();
    TTreeListNode* const focused = tree.FocusedNode();
    const int headers = static_cast<int>(tree.DisplayedColumns().size());
    const int rowChild = headers + static_cast<int>(random() % (Source().ChildCount() - headers));
    TTreeListNode* const target = tree.AbsoluteNodes(tree.TopIndex() + rowChild - headers);
    const bool wasExpanded = target->Expanded();
    const int op = static_cast<int>(random() % 8);
    SCOPED_TRACE("step " + std::to_string(step) + ", gesture " + std::to_string(op));
    switch (op) {
      case 0:
        host.PressKey(std::vector<int>{vkDown, vkUp, vkNext, vkPrior, vkHome, vkEnd}[random() % 6]);
        break;
      case 1:
      case 2:
        Source().DoAction(rowChild, wasExpanded ? "collapse" : "expand");
        break;
      case 3:
        Source().DoAction(rowChild, "select");
        EXPECT_EQ(tree.FocusedNode(), target);
        break;
      case 4:
        host.ScrollBarRequest(sbVertical, scPosition,
                              static_cast<int>(random() % tree.VisibleCount()));
        break;
      case 6:
        tree.FocusedNode()->Delete();
        break;
      case 7:
        tree.SetShowHeader(!tree.ShowHeader());
        break;
      default:
        tree.Columns(2)->SetSorted(tree.Columns(2)->Sorted() == csUp ? csDown : csUp);
        EXPECT_EQ(LastChildOf(aeReorder), -1);
        break;
    }
    host.Paint();
    ExpectMatchesTree();
    // Every focus move is heard, once.
    EXPECT_EQ(Count(aeFocus), tree.FocusedNode() != focused ? 1 : 0);
    if (tree.FocusedNode() != focused) {
      EXPECT_EQ(LastChildOf(aeFocus), Access().ChildOfNode(tree.FocusedNode()));
      EXPECT_EQ(LastChildOf(aeSelection), Access().ChildOfNode(tree.FocusedNode()));
    } else {
      EXPECT_EQ(LastChildOf(aeFocus), -2);
    }
    if ((op == 1 || op == 2) && target->HasChildren()) {
      EXPECT_NE(target->Expanded(), wasExpanded);
      EXPECT_EQ(LastChildOf(aeStateChanged), Access().ChildOfNode(target));
    }
    if (::testing::Test::HasFailure()) break;
  }
}

TEST_F(TreeAccessible, OffersTheActionsARowAllows) {
  host.Paint();
  const int headers = 5;
  struct {
    TTreeListNode* node;
    std::vector<std::string> actions;
  } const cases[] = {
      {site1, {"collapse", "select"}}, {tank1, {"select"}}, {site2, {"expand", "select"}}};
  for (const auto& c : cases) {
    const int child = Access().ChildOfNode(c.node);
    ASSERT_GE(child, headers);
    EXPECT_EQ(Source().ActionNames(child), c.actions) << c.node->Strings(0);
  }
  EXPECT_TRUE(Source().ActionNames(0).empty());  // a header
  Source().DoAction(0, "select");                // does nothing
  Source().DoAction(Access().ChildOfNode(tank1), "expand");
  EXPECT_EQ(tree.FocusedNode(), site1);
  // Hidden headers are never what a point names.
  tree.SetShowHeader(false);
  tree.ClearNodes();
  EXPECT_EQ(Source().ChildAt({100, 10}), -1);
}

TEST_F(TreeAccessible, AnnouncesNewTextsOncePerPicture) {
  host.Paint(true);
  host.ClearRecords();
  tank2->SetStrings(2, "4");
  tank1->SetStrings(2, "1");
  host.Paint();
  host.Paint(true);  // nothing new: no second event
  int valueEvents = 0;
  for (const auto& record : host.AccessibleEvents()) valueEvents += record.event == aeValueChanged;
  EXPECT_EQ(valueEvents, 1);
  EXPECT_EQ(Source().Child(Access().ChildOfNode(tank2)).name, "2/Alpha, 5, 4, 60, On-line");
}

}  // namespace

namespace {

// Focus moves a deletion makes, and the reorder announcement, against what the screen shows.
TEST_F(TreeAccessible, DeletionsMoveTheFocusAudiblyAndOnlyNewRowsAreReannounced) {
  host.Paint(true);
  // Deleted inside an update, the focused row still hands the focus on: once the update ends
  // the new focus is heard, once, when the outermost update ends.
  tree.SetFocusedNode(tank1, 0, true);
  host.Paint();
  host.ClearRecords();
  tree.BeginUpdate();
  tree.BeginUpdate();
  tank1->Delete();
  tree.EndUpdate();
  EXPECT_EQ(Count(aeFocus), 0) << "heard inside the update";
  tree.EndUpdate();
  host.Paint();
  ASSERT_NE(tree.FocusedNode(), nullptr);
  EXPECT_EQ(LastChildOf(aeFocus), Access().ChildOfNode(tree.FocusedNode()));
  EXPECT_EQ(Count(aeFocus), 1);

  // The focused row's parent deleted: the focus lands on a live row and that row is heard,
  // not one that went with the parent.
  tree.SetFocusedNode(tank2, 0, true);
  host.Paint();
  host.ClearRecords();
  site1->Delete();
  host.Paint();
  ASSERT_NE(tree.FocusedNode(), nullptr);
  EXPECT_EQ(tree.FocusedNode(), site2);
  EXPECT_EQ(LastChildOf(aeFocus), Access().ChildOfNode(site2));
  EXPECT_EQ(Count(aeFocus), 1);

  // Repaints and a sideways scroll leave the same rows on screen: nothing to read anew.
  host.ClearRecords();
  host.Paint(true);
  host.ScrollBarRequest(sbHorizontal, scPosition, 5);
  host.Paint(true);
  EXPECT_EQ(Count(aeReorder), 0);
  // An empty list after a clear is read anew, once.
  tree.ClearNodes();
  host.Paint();
  host.Paint(true);
  EXPECT_EQ(Count(aeReorder), 1);
}

}  // namespace
