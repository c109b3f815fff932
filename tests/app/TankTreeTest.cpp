#include <gtest/gtest.h>

#include "app/DemoData.h"
#include "app/TankTree.h"
#include "platform/Bitmap.h"
#include "treelist/editorcolumns/TreeListEditorColumns.h"

namespace {

// A view that counts the repaints the tree-list asks for.
class TCountingView : public TTreeListView {
 public:
  void RepaintAll() override { ++Repaints; }
  void RepaintRow(TTreeListNode*) override { ++RowRepaints; }
  int Repaints = 0, RowRepaints = 0;
};

// The tree as the main window fills it when first shown.
class TankTreeFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ConfigureTankTreeList(tree);
    RandomizeLevels(*sites, random);
    LoadTree(tree, *sites);
    RefreshTree(tree, *sites);
    tree.SetView(&view);
  }

  std::vector<std::string> Row(const TTreeListNode* node) {
    std::vector<std::string> texts;
    for (int i = 0; i < 5; ++i) texts.push_back(node->Strings(i));
    return texts;
  }

  std::unique_ptr<TSiteList> sites = BuildSites();
  TDemoRandom random;
  TTreeList tree;
  TCountingView view;
};

}  // namespace

TEST_F(TankTreeFixture, FiveColumnsInValueOrder) {
  ASSERT_EQ(tree.ColumnCount(), 5);
  const char* captions[] = {"Site/Tank", "Capacity", "Level", "Level %", "Status"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(tree.Columns(i)->Caption(), captions[i]);
  EXPECT_NE(dynamic_cast<TTreeListMaskColumn*>(tree.Columns(tcCapacity)), nullptr);
  EXPECT_NE(dynamic_cast<TTreeListMaskColumn*>(tree.Columns(tcLevel)), nullptr);
  auto* percent = dynamic_cast<TTreeListButtonColumn*>(tree.Columns(tcLevelPercent));
  ASSERT_NE(percent, nullptr);
  ASSERT_EQ(percent->Buttons().Count(), 2);
  EXPECT_TRUE(percent->Buttons().Items(0)->Default());
  EXPECT_FALSE(percent->Buttons().Items(1)->Default());
  EXPECT_TRUE(tree.Options().Contains(aoAutoSort));
  EXPECT_FALSE(tree.Options().Contains(aoEditing));
  EXPECT_TRUE(tree.DefaultLayout());
}

TEST_F(TankTreeFixture, TwelveCollapsedSitesWithTheFirstFocused) {
  ASSERT_EQ(tree.Count(), 12);
  EXPECT_EQ(tree.VisibleCount(), 12);
  const TTreeListNode* cratfield = tree.Items(0);
  EXPECT_EQ(tree.FocusedNode(), cratfield);
  EXPECT_EQ(Row(cratfield), (std::vector<std::string>{"Cratfield", "2000", "30", "1", "On-line"}));
  EXPECT_FALSE(cratfield->Expanded());
  ASSERT_EQ(cratfield->Count(), 2);
  EXPECT_EQ(Row(cratfield->Items(0)),
            (std::vector<std::string>{"1/Cratfield", "1000", "0", "0", "On-line"}));
  EXPECT_EQ(Row(cratfield->Items(1)),
            (std::vector<std::string>{"2/Cratfield", "1000", "30", "3", "On-line"}));
  // Every site and tank keeps the node that shows it.
  EXPECT_EQ(sites->GetSite(9).Node, tree.Items(9));
  EXPECT_EQ(sites->GetSite(9).GetTank(4).Node, tree.Items(9)->Items(4));
}

TEST_F(TankTreeFixture, RefreshRewritesTheLevelsAndRepaintsOnce) {
  SimulateStep(*sites, random);
  RefreshTree(tree, *sites);
  EXPECT_EQ(view.Repaints, 1);
  EXPECT_EQ(view.RowRepaints, 0);  // writing texts does not repaint rows
  const TTreeListNode* fressingfield = tree.Items(3);
  EXPECT_EQ(Row(fressingfield),
            (std::vector<std::string>{"Fressingfield", "2000", "2000", "100", "On-line"}));
  EXPECT_EQ(fressingfield->Items(1)->Strings(tcLevel), "1000");
  EXPECT_EQ(tree.Items(1)->Items(1)->Strings(tcLevel), "186");  // 2/Laxfield drained
}

TEST_F(TankTreeFixture, LoadingAgainReplacesEveryNode) {
  LoadTree(tree, *sites);
  EXPECT_EQ(tree.Count(), 12);
  EXPECT_EQ(tree.Items(0)->Strings(tcLevel), "");  // levels come with the next refresh
  RefreshTree(tree, *sites);
  EXPECT_EQ(tree.Items(0)->Strings(tcLevel), "30");
}

TEST_F(TankTreeFixture, SiteRowsAreYellowUnlessSelected) {
  EXPECT_EQ(tree.LookAndFeel(), lfFlat);
  EXPECT_EQ(tree.TreeLineColor(), clGrayText);
  ASSERT_TRUE(tree.OnCustomDrawCell);
  TBitmap scratch(1, 1);
  auto colourOf = [&](TTreeListNode* node, bool selected) {
    std::string text = "kept";
    TColor color = clWindow;
    TFont font;
    TAlignment alignment = taCenter;
    bool done = true;
    tree.OnCustomDrawCell(&tree, scratch.Canvas(), Rect(0, 0, 1, 1), node, tree.Columns(4),
                          selected, false, false, text, color, font, alignment, done);
    EXPECT_FALSE(done);  // the tree-list always draws the cell itself
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(alignment, taCenter);
    return color;
  };
  EXPECT_EQ(colourOf(tree.Items(2), false), clYellow);
  EXPECT_EQ(colourOf(tree.Items(2), true), clWindow);
  EXPECT_EQ(colourOf(tree.Items(2)->Items(0), false), clWindow);
}
