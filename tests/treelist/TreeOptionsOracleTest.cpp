// Every gesture, under every configuration below, must leave on the screen exactly what a
// fresh paint draws: what an event invalidates, scrolls and draws straight on the screen has
// to agree with painting. The configurations switch on what the main window leaves off.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TreeInputFixture.h"
#include "platform/Canvas.h"
#include "platform/ImageList.h"

namespace {

std::unique_ptr<TImageList> Squares(TColor color) {
  auto list = std::make_unique<TImageList>(16, 16);
  TBitmap b(16, 16);
  b.Canvas().Brush() = TBrush{color, bsSolid, color};
  b.Canvas().FillRect(Rect(3, 3, 13, 13));
  list->AddMasked(b, clWhite);
  return list;
}

struct TConfig {
  const char* Name;
  std::function<void(TTreeList&, TImageList& images, TImageList& states)> Apply;
};

void ThreeBands(TTreeList& tree, TGridBandFixed left, TGridBandFixed right) {
  tree.Bands().Add();
  tree.Bands().Add();
  for (int i = 1; i < 4; ++i) tree.Columns(i)->SetBandIndex(1);
  tree.Columns(4)->SetBandIndex(2);
  tree.Bands().Items(0)->SetFixed(left);
  tree.Bands().Items(2)->SetFixed(right);
  tree.SetShowBands(true);
}

void TwoHeaderRows(TTreeList& tree) {
  tree.SetHeaderPanelRowCount(2);
  tree.Columns(2)->SetRowIndex(1);
  tree.Columns(0)->SetHeaderMaxLineCount(0);
}

// Rows of one to four lines, previews, row footers, the footer and the indicator, in a grid.
void RowsOfManyHeights(TTreeList& tree) {
  tree.SetOptions(
      {aoColumnSizing, aoColumnMoving, aoAutoSort, aoRowSelect, aoAutoWidth, aoPreview});
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoRowAutoHeight));
  tree.SetShowGrid(true);
  tree.SetShowFooter(true);
  tree.SetShowRowFooter(true);
  tree.SetShowIndicator(true);
  tree.Columns(1)->SetFooterText("total");
  tree.SetPreviewLines(-1);
  tree.OnGetPreviewText = [](TCustomTreeListControl*, TTreeListNode* node, std::string& text) {
    if (node->Index() % 3 == 0) text = "A preview of " + node->Strings(0) + " over its row";
  };
  tree.OnGetRowFooterText = [](TCustomTreeListControl*, TTreeListNode* group, TTreeListColumn*,
                               std::string& text) { text = group->Strings(0); };
  for (int i = 0; i < tree.Count(); ++i) {
    std::string status = "On-line";
    for (int k = 0; k < i % 4; ++k) status += "\nchecked";
    tree.Items(i)->SetValues(4, status);
  }
}

class TreeOptionsOracle : public TreeInputFixture, public ::testing::WithParamInterface<TConfig> {
 protected:
  void SetUp() override {
    TreeInputFixture::SetUp();
    GrowTo(30);
    images = Squares(clRed);
    states = Squares(clBlue);
    GetParam().Apply(tree, *images, *states);
    host.Paint(true);
  }
  std::unique_ptr<TImageList> images, states;
};

// A script of the gestures a user makes, each followed by the check.
const std::vector<std::pair<const char*, std::function<void(TTestWindowHost&, TTreeList&)>>>
    kGestures = {
        {"click a cell", [](TTestWindowHost& h, TTreeList&) { h.Click(mbLeft, 260, 120); }},
        {"keys",
         [](TTestWindowHost& h, TTreeList&) {
           for (int key : {vkDown, vkRight, vkEnd, vkNext, vkPrior, vkHome, vkLeft, vkUp})
             h.PressKey(key);
         }},
        {"wheel", [](TTestWindowHost& h, TTreeList&) { h.Wheel(-2, 200, 100); }},
        {"scroll right",
         [](TTestWindowHost& h, TTreeList&) {
           h.ScrollBarRequest(sbHorizontal, scLineDown, 0);
           h.ScrollBarRequest(sbHorizontal, scPageDown, 0);
         }},
        {"header click", [](TTestWindowHost& h, TTreeList&) { h.Click(mbLeft, 250, 30); }},
        {"header drag",
         [](TTestWindowHost& h, TTreeList&) {
           h.MouseDown(mbLeft, 250, 30);
           h.MouseMove(180, 30);
           h.Paint();
           h.Wheel(1, 180, 30);
           h.MouseMove(120, 32);
           h.MouseUp(mbLeft, 120, 32);
         }},
        {"sizing",
         [](TTestWindowHost& h, TTreeList&) {
           for (int x = 60; x < 400; x += 3) h.MouseMove(x, 30);
           h.MouseDown(mbLeft, h.CursorPos().x, 30);
           h.MouseMove(h.CursorPos().x + 25, 30);
           h.Paint();
           h.MouseUp(mbLeft, h.CursorPos().x, 30);
         }},
        {"plus box and expand keys",
         [](TTestWindowHost& h, TTreeList& t) {
           h.Click(mbLeft, 8, 100);
           TypeChar(t, '*');
           TypeChar(t, '-');
         }},
};

}  // namespace

TEST_P(TreeOptionsOracle, EveryGestureLeavesAFreshPaint) {
  for (const auto& [what, gesture] : kGestures) {
    gesture(host, tree);
    ASSERT_TRUE(ShowsFreshPaint(host, tree)) << what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Options, TreeOptionsOracle,
    ::testing::Values(TConfig{"AppLike", [](TTreeList&, TImageList&, TImageList&) {}},
                      TConfig{"CellsNoAutoWidth",
                              [](TTreeList& t, TImageList&, TImageList&) {
                                t.SetOptions({aoColumnSizing, aoColumnMoving, aoAutoSort});
                              }},
                      TConfig{"BandsFixedLeft",
                              [](TTreeList& t, TImageList&, TImageList&) {
                                t.SetOptions({aoColumnSizing, aoColumnMoving, aoAutoSort});
                                ThreeBands(t, bfLeft, bfNone);
                              }},
                      TConfig{
                          "BandsFixedBoth",
                          [](TTreeList& t, TImageList& images, TImageList&) {
                            t.SetOptions({aoColumnSizing, aoColumnMoving, aoAutoSort, aoRowSelect});
                            ThreeBands(t, bfLeft, bfRight);
                            TwoHeaderRows(t);
                            t.SetImages(&images);
                          }},
                      TConfig{"ImagesGridStandardLook",
                              [](TTreeList& t, TImageList& images, TImageList& states) {
                                t.SetLookAndFeel(lfStandard);
                                t.SetShowGrid(true);
                                t.SetImages(&images);
                                t.SetStateImages(&states);
                                for (int i = 0; i < t.Count(); i += 2) t.Items(i)->SetStateIndex(0);
                                t.SetOptions(t.Options().Include(aoHideFocusRect));
                              }},
                      TConfig{"UltraFlatTwoRowsAutoWidthBands",
                              [](TTreeList& t, TImageList&, TImageList&) {
                                t.SetLookAndFeel(lfUltraFlat);
                                ThreeBands(t, bfNone, bfNone);
                                TwoHeaderRows(t);
                                t.Bands().Items(1)->SetSizing(false);
                                t.Columns(3)->SetSizing(false);
                              }},
                      TConfig{"RowsOfManyHeights", [](TTreeList& t, TImageList&,
                                                      TImageList&) { RowsOfManyHeights(t); }}),
    [](const ::testing::TestParamInfo<TConfig>& info) { return std::string(info.param.Name); });

TEST_F(TreeInputFixture, PageUpFromTheTopRowMovesAPageAndTheRowsFollow) {
  GrowTo(30);  // nine whole rows in the window
  tree.SetTopIndex(10);
  tree.SetFocusedAbsoluteIndex(10);
  host.PressKey(vkPrior);
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), 2);
  EXPECT_EQ(tree.TopIndex(), 2);
  host.PressKey(vkNext);  // from the top row: to the page's bottom row
  EXPECT_EQ(tree.FocusedAbsoluteIndex(), 10);
  EXPECT_EQ(tree.TopIndex(), 2);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

// The focused row's focus rectangle, its left edge at the content, and its option; grid lines;
// the alignments of cell text.
TEST_F(TreeInputFixture, FocusRectangleGridAndAlignmentInPixels) {
  site2->SetFocused(true);
  host.Paint();
  const int top = RowTop(3);                        // Beta: content from 16
  EXPECT_NE(At(16, top), ColorToRGB(clHighlight));  // the dotted frame
  EXPECT_EQ(At(15, top + 5), ColorToRGB(clWindow));
  tree.SetOptions(tree.Options().Include(aoHideFocusRect));
  host.Paint();
  for (int x = 16; x < 24; ++x) EXPECT_EQ(At(x, top), ColorToRGB(clHighlight)) << x;
  tree.SetShowGrid(true);
  host.Paint();
  const TRect cell = tree.CellRect(tank1, tree.Columns(1));
  EXPECT_EQ(At(cell.right, cell.top + 3), ColorToRGB(clBtnShadow));    // between the cells
  EXPECT_EQ(At(cell.left + 5, cell.bottom), ColorToRGB(clBtnShadow));  // below the row
  // Where each alignment puts "5" in the Capacity cell of tank 1.
  struct {
    TAlignment alignment;
    int from, to;  // the ink's horizontal range must lie in it
  } const cases[] = {{taLeftJustify, cell.left + 2, cell.left + 14},
                     {taCenter, (cell.left + cell.right) / 2 - 8, (cell.left + cell.right) / 2 + 8},
                     {taRightJustify, cell.right - 14, cell.right - 2}};
  for (const auto& c : cases) {
    tree.Columns(1)->SetAlignment(c.alignment);
    host.Paint();
    int left = cell.right, right = cell.left;
    for (int x = cell.left; x < cell.right; ++x)
      for (int y = cell.top; y < cell.bottom; ++y)
        if (At(x, y) == clBlack) left = std::min(left, x), right = std::max(right, x);
    EXPECT_GE(left, c.from) << c.alignment;
    EXPECT_LE(right, c.to) << c.alignment;
  }
}
