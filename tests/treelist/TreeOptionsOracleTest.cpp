// Every gesture, under every configuration below, must leave on the screen exactly what a
// fresh paint draws: what an event invalidates, scrolls and draws straight on the screen has
// to agree with painting. The configurations switch on what the main window leaves off.
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
                              }}),
    [](const ::testing::TestParamInfo<TConfig>& info) { return std::string(info.param.Name); });
