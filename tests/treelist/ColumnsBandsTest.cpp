#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "treelist/TreeList.h"
#include "treelist/editorcolumns/TreeListEditorColumns.h"

namespace {

// The application's five columns, in form order.
struct TMainTree : TTreeList {
  TMainTree() {
    const char* captions[] = {"Site/Tank", "Capacity", "Level", "Level %", "Status"};
    CreateColumn<TTreeListColumn>();
    CreateColumn<TTreeListMaskColumn>();
    CreateColumn<TTreeListMaskColumn>();
    auto* percent = CreateColumn<TTreeListButtonColumn>();
    percent->Buttons().Add();
    percent->Buttons().Items(0)->SetDefault(true);
    CreateColumn<TTreeListColumn>();
    for (int i = 0; i < 5; ++i) Columns(i)->SetCaption(captions[i]);
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> result;
    for (int i = 0; i < ColumnCount(); ++i) result.push_back(Columns(i)->Caption());
    return result;
  }
};

std::vector<std::string> Values(const TTreeListNode* node, int count) {
  std::vector<std::string> result;
  for (int i = 0; i < count; ++i) result.push_back(node->Strings(i));
  return result;
}

}  // namespace

TEST(Columns, FreshControlPutsFormColumnsInBandZeroInOrder) {
  TMainTree tree;
  EXPECT_EQ(tree.Bands().Count(), 1);
  EXPECT_EQ(tree.VisibleBandCount(), 1);
  EXPECT_EQ(tree.Bands().Items(0)->Width(), 250);
  EXPECT_TRUE(tree.DefaultLayout());
  for (int i = 0; i < 5; ++i) {
    const TTreeListColumn* c = tree.Columns(i);
    EXPECT_EQ(c->BandIndex(), 0);
    EXPECT_EQ(c->RowIndex(), 0);
    EXPECT_EQ(c->ValueIndex(), i);
    EXPECT_EQ(c->ColIndex(), i);
    EXPECT_EQ(c->Width(), 100);
    EXPECT_TRUE(c->Displayed());
  }
  EXPECT_EQ(tree.ColumnsInBandRow(0, 0), 5);
  EXPECT_EQ(tree.HeaderRowsInBand(0), 1);
  EXPECT_EQ(tree.ColumnAt(0, 0, 3), tree.Columns(3));
  EXPECT_EQ(tree.ColumnAt(0, 0, 5), nullptr);
  auto* percent = static_cast<TTreeListButtonColumn*>(tree.Columns(3));
  EXPECT_EQ(percent->Buttons().Count(), 2);  // one from construction, one from the form
  EXPECT_EQ(TTreeListButtonColumn().Buttons().Count(), 1);
}

// Every node's values travel with their column; short nodes are padded first.
TEST(Columns, MovingAColumnCarriesTheValuesOfEveryNode) {
  TMainTree tree;
  TTreeListNode* site = tree.Add();
  for (int i = 0; i < 5; ++i) site->SetStrings(i, "s" + std::to_string(i));
  TTreeListNode* tank = site->AddChild();
  tank->SetStrings(0, "t0");
  tank->SetStrings(1, "t1");

  tree.Columns(1)->SetIndex(4);
  EXPECT_EQ(tree.Captions(),
            (std::vector<std::string>{"Site/Tank", "Level", "Level %", "Status", "Capacity"}));
  EXPECT_EQ(Values(site, 5), (std::vector<std::string>{"s0", "s2", "s3", "s4", "s1"}));
  EXPECT_EQ(tank->StringCount(), 5);
  EXPECT_EQ(Values(tank, 5), (std::vector<std::string>{"t0", "", "", "", "t1"}));

  // Back to the front by its position in the band row; the index is clamped.
  tree.Columns(4)->SetColIndex(-7);
  EXPECT_EQ(tree.Columns(0)->Caption(), "Capacity");
  EXPECT_EQ(Values(site, 2), (std::vector<std::string>{"s1", "s0"}));
  tree.Columns(0)->SetColIndex(99);
  EXPECT_EQ(tree.Columns(4)->Caption(), "Capacity");
  tree.Columns(0)->SetIndex(-5);  // already first: nothing moves
  EXPECT_EQ(Values(site, 5), (std::vector<std::string>{"s0", "s2", "s3", "s4", "s1"}));
}

TEST(Columns, RemovingAColumnDeletesItsValues) {
  TMainTree tree;
  TTreeListNode* site = tree.Add();
  for (int i = 0; i < 5; ++i) site->SetStrings(i, "s" + std::to_string(i));
  TTreeListNode* tank = site->AddChild();
  tank->SetStrings(1, "t1");
  tree.Columns(1)->SetSorted(csUp);
  ASSERT_EQ(tree.SortColumns().size(), 1u);
  auto removed = tree.RemoveColumn(tree.Columns(1));
  ASSERT_TRUE(removed);
  EXPECT_TRUE(tree.SortColumns().empty());  // no key left on a column the tree no longer has
  EXPECT_EQ(removed->TreeList(), nullptr);
  EXPECT_EQ(Values(site, 4), (std::vector<std::string>{"s0", "s2", "s3", "s4"}));
  EXPECT_EQ(tank->StringCount(), 1);
  EXPECT_EQ(tree.ColumnCount(), 4);
  EXPECT_EQ(tree.RemoveColumn(removed.get()), nullptr);
  EXPECT_EQ(removed->Color(), clWindow);  // detached: the default colour
}

TEST(Columns, ClampsAndAssignedValues) {
  TMainTree tree;
  TTreeListColumn* c = tree.Columns(0);
  c->SetWidth(100);  // the class default, unassigned: no bit
  EXPECT_EQ(c->AssignedValues() & cavWidth, 0);
  c->SetWidth(5);
  EXPECT_EQ(c->Width(), 20);
  c->SetMinWidth(150);
  EXPECT_EQ(c->Width(), 150);
  c->SetMinWidth(-4);
  EXPECT_EQ(c->MinWidth(), 0);
  c->SetHeaderMaxLineCount(-1);
  EXPECT_EQ(c->HeaderMaxLineCount(), 0);

  c->SetBandIndex(7);
  EXPECT_EQ(c->BandIndex(), 0);
  c->SetBandIndex(-9);
  EXPECT_EQ(c->BandIndex(), -1);
  EXPECT_FALSE(c->Displayed());
  EXPECT_EQ(tree.ColumnsInBandRow(0, 0), 4);

  // A stored row past the header rows reads as the last row.
  tree.SetHeaderPanelRowCount(4);
  EXPECT_FALSE(tree.DefaultLayout());
  c->SetRowIndex(3);
  tree.SetHeaderPanelRowCount(1);
  EXPECT_EQ(c->RowIndex(), 0);
  EXPECT_EQ(c->StoredRowIndex(), 3);
  c->SetRowIndex(9);
  EXPECT_EQ(c->StoredRowIndex(), 0);

  tree.SetHeaderPanelMaxRowCount(0);
  EXPECT_EQ(tree.HeaderPanelMaxRowCount(), 1);
  tree.SetBandRowCount(9);
  EXPECT_EQ(tree.BandRowCount(), 5);
  tree.SetBandMaxRowCount(2);
  EXPECT_EQ(tree.BandRowCount(), 2);
}

TEST(Columns, UnassignedColourFollowsTheTreeList) {
  TMainTree tree;
  TTreeListColumn* c = tree.Columns(2);
  EXPECT_EQ(c->Color(), clWindow);
  tree.SetColor(clYellow);
  EXPECT_EQ(c->Color(), clYellow);
  c->SetColor(clRed);
  tree.SetColor(clGreen);
  EXPECT_EQ(c->Color(), clRed);
  TFont big;
  big.SetHeight(30);
  tree.SetFont(big);
  EXPECT_EQ(c->Font().Height(), 30);
  c->SetDisableCaption(true);
  c->SetDisableEditor(true);
  c->RestoreDefaults();
  EXPECT_EQ(c->AssignedValues(), 0);
  EXPECT_EQ(c->Color(), clGreen);
  EXPECT_FALSE(c->DisableCaption() || c->DisableEditor() || c->DisableCustomizing());
}

TEST(Bands, DeletingABandRenumbersItsColumns) {
  TMainTree tree;
  tree.Bands().Add();
  EXPECT_FALSE(tree.DefaultLayout());
  tree.Columns(3)->SetBandIndex(1);
  tree.Columns(4)->SetBandIndex(1);
  tree.Bands().Delete(0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(tree.Columns(i)->BandIndex(), -1);
  EXPECT_EQ(tree.Columns(3)->BandIndex(), 0);
  EXPECT_FALSE(tree.Columns(0)->Displayed());
  EXPECT_EQ(tree.ColumnsInBandRow(0, 0), 2);

  tree.Bands().Add();
  tree.SetDefaultLayout(true);
  EXPECT_TRUE(tree.DefaultLayout());
  EXPECT_EQ(tree.Bands().Count(), 1);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(tree.Columns(i)->BandIndex(), 0);
}

TEST(Bands, MovingAndFixingKeepColumnsWithTheirBand) {
  TMainTree tree;
  tree.Bands().Add();
  tree.Bands().Add();
  TTreeListBand* b2 = tree.Bands().Items(2);
  TTreeListBand* b0 = tree.Bands().Items(0);
  tree.Bands().Items(1)->SetVisible(false);  // the shown order follows a move at once
  b0->SetIndex(2);
  EXPECT_EQ(tree.VisibleBands(0), b2);
  EXPECT_EQ(tree.VisibleBands(1), b0);
  b0->SetIndex(0);
  tree.Bands().Items(1)->SetVisible(true);
  tree.Columns(4)->SetBandIndex(2);
  tree.Columns(0)->SetBandIndex(1);

  b2->SetFixed(bfLeft);
  EXPECT_EQ(b2->Index(), 0);
  EXPECT_EQ(tree.Columns(4)->BandIndex(), 0);
  EXPECT_EQ(tree.Columns(0)->BandIndex(), 2);
  b2->SetIndex(2);  // a fixed band does not move
  EXPECT_EQ(b2->Index(), 0);

  TTreeListBand* other = tree.Bands().Items(1);
  other->SetFixed(bfLeft);  // only one band is fixed on a side
  EXPECT_EQ(other->Index(), 0);
  EXPECT_EQ(b2->Fixed(), bfNone);

  TTreeListBand* right = tree.Bands().Items(1);
  right->SetFixed(bfRight);
  EXPECT_EQ(right->Index(), 2);
  right->SetVisible(false);  // hiding clears the fixing
  EXPECT_EQ(right->Fixed(), bfNone);
  EXPECT_EQ(tree.VisibleBandCount(), 2);
  EXPECT_EQ(tree.Bands().VisibleIndexToIndex(1), 1);
  EXPECT_EQ(tree.Bands().IndexToVisibleIndex(2), -1);
  EXPECT_EQ(tree.VisibleBands(2), nullptr);

  // A fixed band hidden is no longer fixed; showing a new band last keeps the rule.
  EXPECT_EQ(other->Fixed(), bfLeft);
  other->SetVisible(false);
  EXPECT_EQ(other->Fixed(), bfNone);
}

TEST(Options, DefaultsAndExclusiveSelectionStyles) {
  TTreeList tree;
  EXPECT_EQ(tree.Options().Bits(), 0x37u);
  EXPECT_EQ(tree.OptionsEx().Bits(), 0x303Eu);
  TTreeListOptionsEx ex = tree.OptionsEx();
  tree.SetOptionsEx(ex.Include(aoInvertSelect));
  EXPECT_FALSE(tree.Options().Contains(aoRowSelect));
  TTreeListOptions options = tree.Options();
  tree.SetOptions(options.Include(aoRowSelect));
  EXPECT_FALSE(tree.OptionsEx().Contains(aoInvertSelect));
  EXPECT_TRUE(tree.Options().Contains(aoRowSelect));
}

// A wrapper column reads the values of the column its handler names; with none named, or
// itself, it reads its own.
TEST(Columns, AWrapperColumnReadsItsReferenceOrItsOwnValues) {
  TMainTree tree;
  auto* wrapper = tree.CreateColumn<TTreeListWrapperColumn>();
  EXPECT_EQ(wrapper->ReferenceColumn(), nullptr);
  EXPECT_EQ(wrapper->ValueIndex(), wrapper->Index());
  TTreeListColumn* named = tree.Columns(2);
  wrapper->OnGetReferenceColumn = [&](TTreeListColumn*, TTreeListColumn*& r) { r = named; };
  EXPECT_EQ(wrapper->ReferenceColumn(), tree.Columns(2));
  EXPECT_EQ(wrapper->ValueIndex(), 2);
  named = wrapper;
  EXPECT_EQ(wrapper->ReferenceColumn(), wrapper);
  EXPECT_EQ(wrapper->ValueIndex(), wrapper->Index());
  named = nullptr;
  EXPECT_EQ(wrapper->ReferenceColumn(), nullptr);
  EXPECT_EQ(wrapper->ValueIndex(), wrapper->Index());
}
