// Every gesture, under every configuration below, must leave on the screen exactly what a
// fresh paint draws: what an event invalidates, scrolls and draws straight on the screen has
// to agree with painting. The configurations switch on what the main window leaves off.
#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "TreeInputFixture.h"
#include "platform/Canvas.h"
#include "platform/ImageList.h"
#include "treelist/customize/TreeListCustomizingBox.h"
#include "treelist/editorcolumns/TreeListEditorColumns.h"

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

// Rows of one to four lines, previews, row footers, the footer, the status panel and the
// indicator, in a grid.
void RowsOfManyHeights(TTreeList& tree) {
  tree.SetOptions(
      {aoColumnSizing, aoColumnMoving, aoAutoSort, aoRowSelect, aoAutoWidth, aoPreview});
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoRowAutoHeight));
  tree.SetShowGrid(true);
  tree.SetShowFooter(true);
  tree.SetShowRowFooter(true);
  tree.SetShowIndicator(true);
  tree.SetShowStatusPanel(true);
  tree.SetStatusText("37 tanks");
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

// What a pixel painted by the coding handlers below names: the part, its node and column.
enum TPart { ptCell = 1, ptPreview, ptRowFooter, ptFooter, ptHeader, ptBand, ptStatus };
constexpr uint32_t kCodeMark = 0x15u << 19;  // no colour the control paints has these bits
constexpr uint32_t kCodeMask = 0x1Fu << 19;

TColor Code(TPart part, int node, int column) {
  return static_cast<TColor>(kCodeMark | static_cast<uint32_t>(part) << 16 |
                             static_cast<uint32_t>(column & 15) << 12 |
                             static_cast<uint32_t>(node & 0xFFF));
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

  // Every cell, preview, row footer, footer cell, header, band and the status panel is filled
  // with its code.
  void PaintCodes() {
    auto fill = [](TCanvas& canvas, const TRect& r, TColor color, bool& done) {
      canvas.Brush() = TBrush{color, bsSolid, color};
      canvas.FillRect(r);
      done = true;
    };
    tree.OnCustomDrawCell = [=, this](TCustomTreeListControl*, TCanvas& c, const TRect& r,
                                      TTreeListNode* node, TTreeListColumn* column, bool, bool,
                                      bool, std::string&, TColor&, TFont&, TAlignment&,
                                      bool& done) {
      fill(c, r, Code(ptCell, Id(node), column->Index()), done);
    };
    tree.OnCustomDrawPreview = [=, this](TCustomTreeListControl*, TCanvas& c, const TRect& r,
                                         TTreeListNode* node, bool, const std::string&, TFont&,
                                         TColor&, bool& done) {
      fill(c, r, Code(ptPreview, Id(node), 0), done);
    };
    tree.OnCustomDrawFooterNode =
        [=, this](TCustomTreeListControl*, TCanvas& c, const TRect& r, TTreeListNode* group,
                  TTreeListColumn* column, int, std::string&, TColor&, TFont&, TAlignment&,
                  bool& done) { fill(c, r, Code(ptRowFooter, Id(group), column->Index()), done); };
    tree.OnCustomDrawFooter = [=](TCustomTreeListControl*, TCanvas& c, const TRect& r,
                                  TTreeListColumn* column, std::string&, TColor&, TFont&,
                                  TAlignment&, bool& done) {
      fill(c, r, Code(ptFooter, 0, column->Index()), done);
    };
    tree.OnCustomDrawColumnHeader = [=](TCustomTreeListControl*, TTreeListColumn* column,
                                        TCanvas& c, const TRect& r, std::string&, TColor&, TFont&,
                                        TAlignment&, TTreeListColumnSort&, bool& done) {
      fill(c, r, Code(ptHeader, 0, column->Index()), done);
    };
    tree.OnCustomDrawBand = [=](TCustomTreeListControl*, TTreeListBand* band, TCanvas& c,
                                const TRect& r, std::string&, TColor&, TFont&, TAlignment&,
                                bool& done) {
      fill(c, r, Code(ptBand, 0, band->VisibleIndex()), done);
    };
    tree.OnCustomDrawStatusPanel = [=](TCustomTreeListControl*, TCanvas& c, const TRect& r,
                                       std::string&, TColor&, TFont&, TAlignment&,
                                       bool& done) { fill(c, r, Code(ptStatus, 0, 0), done); };
    host.Paint(true);
  }
  int Id(const TTreeListNode* node) {
    int id = 0, found = 0;
    tree.ForEachNode([&](TTreeListNode* n) {
      ++id;
      if (n == node) found = id;
    });
    return found;
  }

  // At every sampled pixel that carries a code, the hit test names what the code names.
  void ExpectPaintAndHitAgree() {
    int coded = 0;
    for (int y = 1; y < host.Picture().Height(); y += 3) {
      for (int x = 1; x < host.Picture().Width(); x += 7) {
        const uint32_t pixel = static_cast<uint32_t>(host.PixelAt(x, y));
        if ((pixel & kCodeMask) != kCodeMark) continue;
        ++coded;
        const TTreeListHitInfo hit = tree.GetHitInfo({x, y});
        // Sizing zones lie over the edges of what they size.
        if (hit.Kind == HitColumnEdge || hit.Kind == HitBandEdge || hit.Kind == HitRowEdge ||
            hit.Kind == HitHeaderPanelEdge || hit.Kind == HitBandPanelEdge)
          continue;
        const int part = static_cast<int>(pixel >> 16 & 7);
        const int column = static_cast<int>(pixel >> 12 & 15);
        const int node = static_cast<int>(pixel & 0xFFF);
        const TTreeListHitKind kinds[] = {HitNowhere,    HitCell,       HitPreview,
                                          HitRowFooter,  HitFooter,     HitColumnHeader,
                                          HitBandHeader, HitStatusPanel};
        const int named = part == ptBand                          ? hit.Band
                          : part == ptPreview || part == ptStatus ? 0
                                                                  : hit.Column;
        const int hitNode = part <= ptRowFooter ? Id(hit.Node) : 0;
        ASSERT_EQ(hit.Kind, kinds[part]) << "at " << x << ", " << y;
        ASSERT_EQ(named, column) << "at " << x << ", " << y;
        ASSERT_EQ(hitNode, node) << "at " << x << ", " << y;
      }
    }
    EXPECT_GT(coded, 1000);
    // The line between fixed and scrolling bands is painted over by no code: no hit names a
    // cell, header or band on it (a preview runs on under it).
    for (const TRect& line : tree.Geometry().FixedBandLines)
      for (int y = line.top; y < line.bottom; y += 3)
        for (int x = line.left; x < line.right; ++x) {
          const TTreeListHitKind kind = tree.GetHitInfo({x, y}).Kind;
          ASSERT_TRUE(kind != HitCell && kind != HitRowFooter && kind != HitFooter &&
                      kind != HitColumnHeader && kind != HitBandHeader)
              << "hit " << kind << " at " << x << ", " << y;
        }
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

// Two independent paths, painting and hit testing, name the same thing at every pixel,
// scrolled and not.
TEST_P(TreeOptionsOracle, PaintAndHitTestAgree) {
  host.Resize(846, 480);  // tall rows and a row footer or two on screen
  PaintCodes();
  ASSERT_NO_FATAL_FAILURE(ExpectPaintAndHitAgree());
  tree.SetTopIndex(7);
  tree.SetLeftCoord(60);
  host.Paint(true);
  ASSERT_NO_FATAL_FAILURE(ExpectPaintAndHitAgree());
  host.Resize(360, 480);  // narrower than the bands: a scrolling band is cut by a fixed one
  tree.SetLeftCoord(60);
  host.Paint(true);
  ASSERT_NO_FATAL_FAILURE(ExpectPaintAndHitAgree());
}

// A panel button held down changes only pixels the hit test gives that button; released over
// it, it opens the customizing box, and a second click closes it.
TEST_P(TreeOptionsOracle, PanelButtonsDrawPressedWhereTheyAreHit) {
  tree.SetShowIndicator(true);
  SetOptionEx(tree, aoBandButtonClicking, true);
  SetOptionEx(tree, aoHeaderButtonClicking, true);
  host.Paint(true);
  const int width = host.Picture().Width(), height = host.Picture().Height();
  for (const TTreeListHitKind kind : {HitBandButton, HitHeaderButton}) {
    std::vector<TPoint> button;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < 20; ++x)
        if (tree.GetHitInfo({x, y}).Kind == kind) button.push_back({x, y});
    if (button.empty()) continue;  // no band panel
    std::vector<TColor> before;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) before.push_back(host.PixelAt(x, y));
    const TPoint p = button[button.size() / 2];
    host.MouseDown(mbLeft, p.x, p.y);
    host.Paint();
    int changed = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (host.PixelAt(x, y) != before[static_cast<size_t>(y * width + x)]) {
          ++changed;
          ASSERT_EQ(tree.GetHitInfo({x, y}).Kind, kind) << "at " << x << ", " << y;
        }
    EXPECT_GT(changed, 0) << kind;
    host.MouseMove(200, 150);  // drawn up away from it; a release there clicks nothing
    EXPECT_TRUE(ShowsFreshPaint(host, tree));
    host.MouseUp(mbLeft, 200, 150);
    EXPECT_FALSE(tree.CustomizingBoxVisible());
    host.Click(mbLeft, p.x, p.y);
    EXPECT_TRUE(tree.CustomizingBoxVisible()) << kind;
    host.Click(mbLeft, p.x, p.y);
    EXPECT_FALSE(tree.CustomizingBoxVisible()) << kind;
    EXPECT_TRUE(ShowsFreshPaint(host, tree));
  }
  // Without its option a button does nothing.
  SetOptionEx(tree, aoHeaderButtonClicking, false);
  host.Click(mbLeft, 5, tree.Geometry().HeaderPanel.top + 3);
  EXPECT_FALSE(tree.CustomizingBoxVisible());
}

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
                      TConfig{"OutlookGroupRows",
                              [](TTreeList& t, TImageList& images, TImageList&) {
                                t.SetPaintStyle(psOutlook);
                                t.SetShowGrid(true);
                                t.SetImages(&images);
                              }},
                      TConfig{"OutlookUltraFlatFixedBands",
                              [](TTreeList& t, TImageList&, TImageList&) {
                                t.SetPaintStyle(psOutlook);
                                t.SetLookAndFeel(lfUltraFlat);
                                t.SetOptions({aoColumnSizing, aoColumnMoving, aoAutoSort});
                                ThreeBands(t, bfLeft, bfRight);
                                TwoHeaderRows(t);
                              }},
                      TConfig{"OutlookManyHeightsPanels",
                              [](TTreeList& t, TImageList&, TImageList&) {
                                RowsOfManyHeights(t);
                                t.SetPaintStyle(psOutlook);
                              }},
                      TConfig{"OutlookCellsFirstColumnHidden",
                              [](TTreeList& t, TImageList&, TImageList&) {
                                t.SetPaintStyle(psOutlook);
                                t.SetOptions({aoColumnSizing, aoColumnMoving, aoAutoSort});
                                t.Columns(0)->SetVisible(false);
                                t.MoveColumn(3, 1);
                              }},
                      TConfig{"EditButtonsInTheFocusedCell",
                              [](TTreeList& t, TImageList&, TImageList&) {
                                t.SetOptions({aoColumnSizing, aoColumnMoving, aoAutoSort});
                                t.SetOptionsEx(t.OptionsEx().Include(aoShowButtonAlways));
                                auto* column = t.CreateColumn<TTreeListButtonColumn>();
                                column->Buttons().Items(0)->SetDefault(true);
                                column->Buttons().Add()->SetKind(bkDown);
                                t.Columns(5)->SetCaption("Buttons");
                              }},
                      TConfig{"RowsOfManyHeights",
                              [](TTreeList& t, TImageList&, TImageList&) { RowsOfManyHeights(t); }},
                      TConfig{"HiddenBandAutoHeaderRowsButtons",
                              [](TTreeList& t, TImageList&, TImageList&) {
                                t.SetOptions({aoColumnSizing, aoColumnMoving, aoAutoSort});
                                ThreeBands(t, bfNone, bfNone);
                                t.Bands().Items(2)->SetVisible(false);
                                SetOptionEx(t, aoAutoHeaderPanelHeight, true);
                                // Rows 0, 1 and 3 are used: three rows, the last read as 2.
                                t.Columns(2)->SetRowIndex(1);
                                t.Columns(3)->SetRowIndex(3);
                                t.SetShowIndicator(true);
                              }},
                      TConfig{"ManyHeightsBandsTwoRows",
                              [](TTreeList& t, TImageList& images, TImageList&) {
                                RowsOfManyHeights(t);
                                t.SetOptions(t.Options().Exclude(aoAutoWidth));
                                ThreeBands(t, bfLeft, bfNone);
                                TwoHeaderRows(t);
                                t.SetImages(&images);
                              }}),
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
  for (const bool ellipsis : {false, true}) {  // a text that fits is no business of the ellipsis
    tree.SetOptions(ellipsis ? tree.Options().Include(aoDrawEndEllipsis)
                             : tree.Options().Exclude(aoDrawEndEllipsis));
    for (const auto& c : cases) {
      tree.Columns(1)->SetAlignment(c.alignment);
      host.Paint();
      int left = cell.right, right = cell.left;
      for (int x = cell.left; x < cell.right; ++x)
        for (int y = cell.top; y < cell.bottom; ++y)
          if (At(x, y) == clBlack) left = std::min(left, x), right = std::max(right, x);
      EXPECT_GE(left, c.from) << c.alignment << ellipsis;
      EXPECT_LE(right, c.to) << c.alignment << ellipsis;
    }
  }
}

// Gestures of every kind under handlers that veto, collapse, delete or move the focus: each
// call returns, a release or Esc leaves the input idle with the mouse capture given back and
// the screen whole, and Esc ends a search.
TEST_P(TreeOptionsOracle, EveryGestureEndsUnderMeddlingHandlers) {
  tree.SetOptions(tree.Options().Include(aoExtCustomizing));
  TTreeListOptionsEx extra = tree.OptionsEx();
  for (TTreeListOptionEx option :
       {aoRowSizing, aoHeaderPanelSizing, aoBandPanelSizing, aoMouseScroll, aoAutoSearch,
        aoBandButtonClicking, aoHeaderButtonClicking})
    extra.Include(option);
  tree.SetOptionsEx(extra);
  tree.SetShowIndicator(true);
  tree.SetDragMode(dmAutomatic);
  std::mt19937 random(5);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  int meddle = 0;  // what the handlers do this step: nothing, veto, collapse, delete, refocus
  auto act = [&](TTreeListNode* node) {
    if (meddle == 2 && node && node->Count() > 0) node->Collapse(true);
    if (meddle == 3 && tree.Count() > 2) tree.Items(tree.Count() - 1)->Delete();
    if (meddle == 4 && tree.Count() > 0) tree.Items(0)->SetFocused(true);
  };
  tree.OnChangeNode = [&](TCustomTreeList*, TTreeListNode*, TTreeListNode* node) { act(node); };
  tree.OnExpanding = [&](TCustomTreeList*, TTreeListNode*, bool& allow) { allow = meddle != 1; };
  tree.OnCollapsing = [&](TCustomTreeList*, TTreeListNode*, bool& allow) { allow = meddle != 1; };
  tree.OnColumnClick = [&](TCustomTreeListControl*, TTreeListColumn*) { act(tree.FocusedNode()); };
  tree.OnColumnSorting = [&](TCustomTreeListControl*, TTreeListColumn*, bool& allow) {
    allow = meddle != 1;
  };
  tree.OnCanHeaderDragging = [&](TCustomTreeListControl*, TTreeListColumn*, bool& allow) {
    allow = meddle != 1;
  };
  tree.OnDragEndHeader = [&](TCustomTreeListControl*, TTreeListColumn*, TPoint, THeaderPosInfo&,
                             bool& accept) {
    if (meddle == 1) accept = false;
    act(tree.FocusedNode());
  };
  tree.OnChangedColumnsWidth = [&](TCustomTreeListControl*) { act(tree.FocusedNode()); };
  // Customizing: the box closed under a drag out of it, a hidden band deleted at once.
  tree.OnShowHeader = [&](TCustomTreeListControl*, TTreeListColumn*, int, int, int) {
    if (meddle == 1) tree.HideCustomizingBox();
    act(tree.FocusedNode());
  };
  tree.OnShowBand = [&](TCustomTreeListControl*, TTreeListBand*, int) {
    if (meddle == 1) tree.HideCustomizingBox();
  };
  tree.OnHideBand = [&](TCustomTreeListControl*, TTreeListBand*, int index) {
    if (meddle == 3) tree.Bands().Delete(index);
  };
  tree.OnShowCustomizingBox = [&](TCustomTreeListControl*) {
    if (meddle == 1) tree.HideCustomizingBox();
  };
  tree.OnNodeDropped = [&](TCustomTreeListControl*, TControl*, TTreeListNode*,
                           TTreeListNode* target, const std::string&) { act(target); };
  const int width = host.Picture().Width(), height = host.Picture().Height();
  for (int step = 0; step < 150; ++step) {
    SCOPED_TRACE(step);
    meddle = pick(5);
    GrowTo(30);
    // Half the presses go where gestures start: edges, headers, bands, rows.
    const TTreeListGeometry g = tree.Geometry();
    std::vector<TPoint> starts = {{5, g.HeaderPanel.bottom - 2},
                                  {300, g.BandPanel.bottom - 2},
                                  {5, g.HeaderPanel.top + 3},
                                  {5, g.BandPanel.top + 3}};
    for (const TTreeListColumnPlace& c : g.Columns)
      starts.insert(starts.end(), {{c.Header.right - 2, c.Header.top + 5},
                                   {(c.Header.left + c.Header.right) / 2, c.Header.top + 5}});
    for (const TTreeListBandPlace& b : g.Bands)
      starts.insert(starts.end(),
                    {{b.Right - 2, b.Header.top + 5}, {b.Left + 20, b.Header.top + 5}});
    for (const TTreeListRowPlace& r : g.Rows)
      starts.insert(starts.end(), {{5, r.Bottom - 1}, {r.ContentLeft + 10, r.Top + 3}});
    const TPoint start =
        pick(2) ? starts[pick(static_cast<int>(starts.size()))] : TPoint{pick(width), pick(height)};
    const int x = start.x, y = start.y;
    host.MouseMove(x, y);
    const int kind = pick(4);
    if (kind == 3) {  // typed text, then Esc
      for (char c : std::string("s1")) TypeChar(tree, c);
      host.PressKey(vkEscape);
      EXPECT_EQ(tree.SearchText(), "");
      continue;
    }
    const TMouseButton button = kind == 2 ? mbMiddle : mbLeft;
    host.MouseDown(button, x, y);
    for (int i = 0; i < 3; ++i) {
      const int mx = pick(width);
      host.MouseMove(mx, pick(height));
    }
    if (pick(4) == 0) host.Paint();
    if (pick(3) == 0) {
      const bool holds = tree.Input().Gesture();
      host.PressKey(vkEscape);
      if (holds) {
        EXPECT_EQ(tree.Input().State(), msNone);
      }
    }
    if (kind == 1) host.MouseDown(mbRight, x, y);
    const int ux = pick(width);
    const int uy = pick(height);
    host.MouseUp(button, ux, uy);
    if (kind == 1) host.MouseUp(mbRight, x, y);
    if (host.Dragging()) host.Drop(tree, pick(width), pick(height));
    // What the box lists goes back to a random place of the tree-list.
    TTestWindowHost* box = host.ToolWindow();
    if (box && tree.CustomizingBox() && !tree.CustomizingBox()->Items().empty()) {
      const TRect item = tree.CustomizingBox()->ItemRect(0);
      box->MouseDown(mbLeft, item.left + 5, item.top + 5);
      box->MouseMove(item.left + 5, item.top + 15);
      if (box->Dragging()) {
        box->DragOver(tree, pick(width), pick(height));
        if (pick(2)) box->Paint();
        box->Drop(tree, pick(width), pick(height));
      }
      if (tree.CustomizingBox()) {
        EXPECT_FALSE(box->HasCapture());
      }
    }
    EXPECT_EQ(tree.Input().State(), msNone);
    EXPECT_FALSE(host.HasCapture());
    // And the screen shows what a paint draws now: the gesture took its feedback along.
    EXPECT_TRUE(ShowsFreshPaint(host, tree));
    if (::testing::Test::HasFailure()) break;
  }
}
