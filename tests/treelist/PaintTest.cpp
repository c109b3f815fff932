#include <algorithm>
#include <set>

#include "TreeViewTestTree.h"
#include "treelist/editorcolumns/TreeListEditorColumns.h"

namespace {

const TColor kFace = ColorToRGB(clBtnFace);
const TColor kShadow = ColorToRGB(clBtnShadow);
const TColor kLight = ColorToRGB(clBtnHighlight);
const TColor kWindow = ColorToRGB(clWindow);
const TColor kText = ColorToRGB(clWindowText);
const TColor kLine = ColorToRGB(clGrayText);
const TColor kHighlight = ColorToRGB(clHighlight);

// Counts the pixels of a colour in a rectangle.
int Count(TTestWindowHost& host, const TRect& r, TColor color) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += host.PixelAt(x, y) == color;
  return n;
}

}  // namespace

TEST_F(TreeViewFixture, FlatHeadersMeetInShortSplitLines) {
  host.Paint(true);
  EXPECT_EQ(At(168, 10), kShadow);  // right edge of "Site/Tank"
  EXPECT_EQ(At(169, 10), kLight);   // left edge of "Capacity"
  EXPECT_EQ(At(168, 0), kLight);    // the top edge
  EXPECT_EQ(At(168, 1), kFace);     // the split line stops short of the top edge...
  EXPECT_EQ(At(168, 19), kFace);    // ...and of the bottom edge
  EXPECT_EQ(At(168, 20), kShadow);
  EXPECT_EQ(At(0, 10), kLight);    // the first header's left edge
  EXPECT_EQ(At(845, 0), kShadow);  // the last header's right edge reaches the top
  EXPECT_EQ(At(845, 20), kShadow);
  // A header alone in its row is framed all round; the ultra-flat frame is shadow.
  for (int i = 1; i < 5; ++i) tree.Columns(i)->SetVisible(false);
  tree.SetLookAndFeel(lfUltraFlat);
  host.Paint(true);
  EXPECT_EQ(At(0, 10), kShadow);
  EXPECT_EQ(At(845, 10), kShadow);
  EXPECT_EQ(At(400, 0), kShadow);
}

TEST_F(TreeViewFixture, SortMarksStandAtTheirPixels) {
  // "Capacity" spans 169..338; its mark's centre is (327, 10).
  tree.Columns(1)->SetSorted(csUp);
  host.Paint(true);
  EXPECT_EQ(At(326, 7), kShadow);
  EXPECT_EQ(At(324, 7), kFace);
  EXPECT_EQ(At(324, 13), kLight);
  EXPECT_EQ(At(330, 13), kLight);
  EXPECT_EQ(At(327, 6), kFace);  // the last point of a polyline stays undrawn
  tree.Columns(1)->SetSorted(csDown);
  host.Paint(true);
  EXPECT_EQ(At(330, 7), kShadow);
  EXPECT_EQ(At(323, 7), kShadow);
  EXPECT_EQ(At(330, 8), kLight);
  EXPECT_EQ(At(327, 14), kFace);
}

TEST_F(TreeViewFixture, NoSortMarkInAHeaderOfFifteenPixels) {
  tree.SetOptions({aoRowSelect});
  tree.Columns(1)->SetDisableCaption(true);
  tree.Columns(1)->SetSorted(csUp);
  tree.Columns(1)->SetWidth(21);  // content 15 wide
  host.Paint(true);
  const TRect content = Rect(100 + 3, 2, 100 + 18, 18);
  EXPECT_EQ(Count(host, content, kShadow) + Count(host, content, kLight), 0);
  tree.Columns(1)->SetWidth(22);
  host.Paint(true);
  EXPECT_GT(Count(host, Rect(100 + 3, 2, 100 + 19, 18), kShadow), 0);
}

TEST_F(TreeViewFixture, ExpandButtonsShowMinusAndPlus) {
  host.Paint(true);
  const int top = RowMid(0) - 4;
  EXPECT_EQ(At(3, top), kLine);
  EXPECT_EQ(At(11, top + 8), kLine);
  EXPECT_EQ(At(12, top + 8), kWindow);
  for (int x = 5; x <= 9; ++x) EXPECT_EQ(At(x, RowMid(0)), kText);
  EXPECT_EQ(At(4, RowMid(0)), kWindow);
  EXPECT_EQ(At(7, RowMid(0) - 2), kWindow);  // expanded: a minus
  EXPECT_EQ(At(7, RowMid(3) - 2), kText);    // collapsed: a plus
  EXPECT_EQ(At(7, RowMid(3) + 2), kText);
  EXPECT_EQ(At(7, RowMid(1) - 4), kWindow);  // a leaf has no box
  // Inside the box only the sign: the tree lines behind it are covered.
  for (int row : {0, 3})
    for (int y = RowMid(row) - 3; y <= RowMid(row) + 3; ++y)
      for (int x = 4; x <= 10; ++x) {
        if (y != RowMid(row) && (row == 0 || x != 7 || std::abs(y - RowMid(row)) > 2)) {
          EXPECT_EQ(At(x, y), kWindow) << x << "," << y;
        }
      }
}

TEST_F(TreeViewFixture, TreeLinesFollowTheNodes) {
  tree.SetTreeLineStyle(tlSolid);
  site2->SetExpanded(true);
  host.Paint(true);
  // A leaf's horizontal line starts at its line column and ends before its content.
  EXPECT_EQ(At(23, RowMid(1)), kLine);
  EXPECT_EQ(At(30, RowMid(1)), kLine);
  EXPECT_EQ(At(31, RowMid(1)), kWindow);
  EXPECT_EQ(At(22, RowMid(1)), kWindow);
  // The last child's vertical line stops at the middle of its row.
  EXPECT_EQ(At(23, RowTop(2)), kLine);
  EXPECT_EQ(At(23, RowMid(2) - 1), kLine);
  EXPECT_EQ(At(23, RowMid(2) + 1), kWindow);
  // The first site has no line above its box; a site with siblings below continues down
  // through its children's rows; the last site's children show none in that column.
  EXPECT_EQ(At(7, RowTop(0)), kWindow);
  EXPECT_EQ(At(7, RowMid(0) + 5), kLine);
  EXPECT_EQ(At(7, RowMid(1)), kLine);
  EXPECT_EQ(At(7, RowMid(3) - 6), kLine);  // down to the box, less one pixel
  EXPECT_EQ(At(7, RowMid(3) + 5), kWindow);
  EXPECT_EQ(At(7, RowMid(4)), kWindow);
  EXPECT_EQ(At(12, RowMid(0)), kLine);  // right of the box
  EXPECT_EQ(At(15, RowMid(0)), kWindow);
}

TEST_F(TreeViewFixture, DottedLinesLineUpAcrossRows) {
  host.Paint(true);
  // The site column runs through rows 0 to 3; every other pixel, in one phase throughout.
  for (int y = RowMid(0) + 5; y < RowTop(3); ++y)
    EXPECT_EQ(At(7, y), (7 + y - kHeaderBottom) % 2 == 0 ? kLine : kWindow) << "y " << y;
}

TEST_F(TreeViewFixture, CustomDrawColoursCellsAndLeavesTheDrawingToTheControl) {
  tree.OnCustomDrawCell = [](TCustomTreeListControl*, TCanvas&, const TRect&, TTreeListNode* node,
                             TTreeListColumn*, bool selected, bool, bool, std::string&,
                             TColor& color, TFont&, TAlignment&, bool& done) {
    if (node->Level() < 1 && !selected) color = clYellow;
    done = false;
  };
  host.Paint(true);
  const TRect beta = Rect(338, RowTop(3), 507, RowTop(4));
  EXPECT_EQ(At(500, RowMid(3)), clYellow);
  EXPECT_GT(Count(host, beta, kText), 0);  // the text is still drawn
  EXPECT_EQ(At(500, RowMid(1)), kWindow);  // tank rows keep the window colour
}

TEST_F(TreeViewFixture, AHandlerThatDrawsItselfGetsExactlyItsPixels) {
  tree.OnCustomDrawCell = [](TCustomTreeListControl*, TCanvas& canvas, const TRect& rect,
                             TTreeListNode*, TTreeListColumn* column, bool, bool, bool,
                             std::string&, TColor&, TFont&, TAlignment&, bool& done) {
    if (column->Index() != 2) return;
    canvas.Brush() = TBrush{clRed, bsSolid, clRed};
    canvas.FillRect(rect);
    done = true;
  };
  host.Paint(true);
  const TRect cell = Rect(338, RowTop(1), 507, RowTop(2));
  EXPECT_EQ(Count(host, cell, clRed), cell.Width() * cell.Height());
}

TEST_F(TreeViewFixture, AFontColourChangeStaysInItsCell) {
  tree.OnCustomDrawCell = [](TCustomTreeListControl*, TCanvas&, const TRect&, TTreeListNode*,
                             TTreeListColumn* column, bool, bool, bool, std::string&, TColor&,
                             TFont& font, TAlignment&, bool&) {
    if (column->Index() == 1) font.SetColor(clRed);
  };
  host.Paint(true);
  const TRect capacity = Rect(169, RowTop(1), 338, RowTop(2));
  const TRect level = Rect(338, RowTop(1), 507, RowTop(2));
  EXPECT_GT(Count(host, capacity, clRed), 0);
  EXPECT_EQ(Count(host, level, clRed), 0);
  EXPECT_GT(Count(host, level, kText), 0);
}

TEST_F(TreeViewFixture, CustomDrawStepsRunInOrderUntilOneIsDone) {
  std::vector<std::string> calls;
  tree.OnCustomDraw = [&](TCustomTreeListControl*, TCanvas&, const TRect&, TTreeListNode* node,
                          TTreeListColumn* column, const std::string& text, TFont&, TColor&, bool,
                          bool, bool& done) {
    if (node == tank1 && column->Index() == 0) calls.push_back("draw " + text);
    done = node == site2;
  };
  tree.OnCustomDrawCell = [&](TCustomTreeListControl*, TCanvas&, const TRect&, TTreeListNode* node,
                              TTreeListColumn* column, bool, bool, bool, std::string& text, TColor&,
                              TFont&, TAlignment&, bool&) {
    if (column->Index() == 0) calls.push_back("tree " + node->Strings(0));
    text = "changed";
  };
  tree.Columns(0)->OnCustomDrawCell =
      [&](TTreeListColumn*, TCanvas&, const TRect&, TTreeListNode* node, TTreeListColumn*, bool,
          bool, bool, std::string& text, TColor&, TFont&, TAlignment&, bool& done) {
        calls.push_back("column " + node->Strings(0) + " " + text);
        done = node == tank2;
      };
  host.Paint(true);
  EXPECT_EQ(calls, (std::vector<std::string>{"tree Alpha", "column Alpha changed", "draw 1/Alpha",
                                             "tree 1/Alpha", "column 1/Alpha changed",
                                             "tree 2/Alpha", "column 2/Alpha changed"}));
}

TEST_F(TreeViewFixture, SelectionAndFocusRectangleFollowTheFocus) {
  site1->SetFocused(true);
  const TRect row = Rect(16, RowTop(0), 846, RowTop(1));
  host.Paint(true);
  EXPECT_EQ(At(500, RowMid(0)), kWindow);  // hidden selection: no highlight...
  EXPECT_EQ(Count(host, row, kHighlight), 0);
  EXPECT_EQ(At(16, RowTop(0)), kWindow);  // ...and no focus rectangle
  tree.SetHideSelection(false);
  host.Paint(true);
  EXPECT_EQ(At(500, RowMid(0)), kFace);
  EXPECT_EQ(At(16, RowTop(0)), kFace);  // still no focus rectangle without the focus
  host.SetFocus();
  host.Paint(true);
  EXPECT_EQ(At(500, RowMid(0)), kHighlight);
  int inverted = 0;
  for (int x = 16; x < 24; ++x) inverted += At(x, RowTop(0)) != kHighlight;
  EXPECT_EQ(inverted, 4);  // every other pixel of the focus rectangle's edge
  EXPECT_EQ(At(500, RowMid(1)), kWindow);
}

TEST_F(TreeViewFixture, EmptyAreasArePaintedAndOnlyTouchedRowsVisited) {
  host.Picture().Canvas().Brush() = TBrush{clRed, bsSolid, clRed};
  host.Picture().Canvas().FillRect(Rect(0, 0, 846, 200));
  host.Paint(true);
  EXPECT_EQ(Count(host, Rect(0, 0, 846, 200), clRed), 0);
  int visited = 0;
  tree.OnCustomDrawCell = [&](TCustomTreeListControl*, TCanvas&, const TRect&, TTreeListNode*,
                              TTreeListColumn*, bool, bool, bool, std::string&, TColor&, TFont&,
                              TAlignment&, bool&) { ++visited; };
  host.ClearRecords();
  tree.View().RepaintRow(tank2);
  ASSERT_EQ(host.Invalidations().size(), 1u);
  EXPECT_EQ(host.Invalidations()[0], Rect(0, RowTop(2), 846, RowTop(3)));
  host.Paint();
  EXPECT_EQ(visited, 5);  // one row of five cells
}

TEST_F(TreeViewFixture, HeaderCustomDrawChangesOrReplacesTheHeader) {
  tree.OnCustomDrawColumnHeader = [](TCustomTreeListControl*, TTreeListColumn* column, TCanvas&,
                                     const TRect&, std::string& text, TColor& color, TFont&,
                                     TAlignment&, TTreeListColumnSort& sorted, bool&) {
    if (column->Index() != 1) return;
    text.clear();
    color = clAqua;
    sorted = csDown;
  };
  tree.Columns(2)->OnCustomDrawColumnHeader =
      [](TTreeListColumn*, TTreeListColumn*, TCanvas& canvas, const TRect& rect, std::string&,
         TColor&, TFont&, TAlignment&, TTreeListColumnSort&, bool& done) {
        canvas.Brush() = TBrush{clRed, bsSolid, clRed};
        canvas.FillRect(Rect(rect.left, rect.top, rect.right + 50, rect.bottom));  // clipped
        done = true;
      };
  host.Paint(true);
  EXPECT_EQ(At(200, 10), clAqua);
  EXPECT_EQ(At(330, 7), kShadow);  // the mark the handler asked for
  EXPECT_EQ(Count(host, Rect(338, 0, 507, 21), clRed), 169 * 21);
  EXPECT_EQ(At(507, 10), kLight);  // the next header is its own
}

TEST_F(TreeViewFixture, HeaderPanelRightOfTheHeadersIsShadow) {
  tree.SetOptions({aoRowSelect});  // five columns of 100 on 846 pixels
  host.Paint(true);
  EXPECT_EQ(Count(host, Rect(500, 0, 846, 21), kShadow), 346 * 21);
  EXPECT_EQ(At(600, RowMid(1)), kWindow);  // and right of the cells, the window colour
}

TEST_F(TreeViewFixture, APressedHeaderIsInvertedAndRepaintedAlone) {
  host.Paint(true);
  host.ClearRecords();
  tree.SetPressedHeader(tree.Columns(1));
  ASSERT_EQ(host.Invalidations().size(), 1u);
  EXPECT_EQ(host.Invalidations()[0], Rect(169, 0, 338, 21));
  host.Paint();
  EXPECT_EQ(At(200, 10), ColorToRGB(clBtnFace) ^ 0xFFFFFF);
  EXPECT_EQ(At(400, 10), kFace);
  tree.SetPressedHeader(nullptr);
  host.Paint();
  EXPECT_EQ(At(200, 10), kFace);
}

// The standard look raises each header on its left and top and sinks a pressed one, whose
// caption moves down and right; at rest the caption stands where the flat look puts it.
TEST_F(TreeViewFixture, StandardHeadersAreRaisedAndAPressedCaptionSinks) {
  const TRect header = Rect(169, 0, 338, 22);  // the standard header is a pixel higher
  auto captionLeftTop = [&] {
    host.Paint(true);
    TPoint first{header.right, header.bottom};
    for (int y = header.top + 2; y < header.bottom - 2; ++y)  // inside the frames
      for (int x = header.left + 2; x < header.right - 2; ++x)
        if (At(x, y) == kText) first = {std::min(first.x, x), std::min(first.y, y)};
    return first;
  };
  const TPoint flat = captionLeftTop();
  tree.SetLookAndFeel(lfStandard);
  const TPoint standard = captionLeftTop();
  EXPECT_LE(std::abs(standard.x - flat.x), 1);
  EXPECT_LE(std::abs(standard.y - flat.y), 1);
  EXPECT_EQ(At(header.left, 10), kLight);
  EXPECT_EQ(At(header.left + 5, 0), kLight);
  EXPECT_EQ(At(header.right - 2, 10), kShadow);
  tree.SetPressedHeader(tree.Columns(1));
  const TPoint pressed = captionLeftTop();
  EXPECT_EQ(pressed.x - standard.x, 4);  // a pixel of the sunken frame, three of the move
  EXPECT_EQ(pressed.y - standard.y, 4);
  EXPECT_NE(At(header.left + 5, 0), kLight);
}

// Edit buttons stand at the ends of the cells that show them, the text between them.
TEST_F(TreeViewFixture, EditButtonsStandAtTheEndsOfTheirCells) {
  tree.SetOptions({aoRowSelect});  // five columns of 100, the buttons' column 500..600
  auto* column = tree.CreateColumn<TTreeListButtonColumn>();
  column->Buttons().Add()->SetLeftAlignment(true);
  column->SetShowButtonStyle(sbAlways);
  tree.SetOptionsEx(tree.OptionsEx().Include(aoShowButtonAlways));
  tank1->SetStrings(5, "Wide text that runs on");
  host.Paint(true);
  const TRect cell = tree.CellRect(tank1, column);
  for (int x : {cell.left + 3, cell.left + 12, cell.right - 12, cell.right - 4})
    EXPECT_EQ(At(x, cell.top + 3), kFace) << x;
  EXPECT_GT(Count(host, Rect(cell.left + 16, cell.top, cell.right - 16, cell.bottom), kText), 20);
}

// Best fit leaves the whole text beside the buttons, in the button column and in a wrapper of it:
// as much ink as in a cell far wider.
TEST_F(TreeViewFixture, BestFitMakesRoomForTheButtons) {
  tree.SetOptions({aoRowSelect, aoColumnSizing});
  tree.SetOptionsEx(tree.OptionsEx().Include(aoShowButtonAlways));
  auto* column = tree.CreateColumn<TTreeListButtonColumn>();
  column->Buttons().Add();
  column->SetShowButtonStyle(sbAlways);
  auto* copy = tree.CreateColumn<TTreeListWrapperColumn>();
  copy->OnGetReferenceColumn = [&](TTreeListColumn*, TTreeListColumn*& r) { r = column; };
  tank1->SetStrings(5, "Wide text that runs on");
  auto ink = [&](TTreeListColumn* c) {  // left of the two buttons
    host.Paint(true);
    const TRect cell = tree.CellRect(tank1, c);
    return Count(host, Rect(cell.left, cell.top, cell.right - 32, cell.bottom), kText);
  };
  for (TTreeListColumn* c : std::vector<TTreeListColumn*>{column, copy}) {
    c->SetWidth(400);
    const int wide = ink(c);
    tree.ApplyBestFit(c);
    EXPECT_EQ(ink(c), wide) << c->Index();
    c->SetWidth(100);
  }
}

// A button wears its Kind, or while it has none its column's style; a glyph face shows the
// button's picture, else the column's, else three dots. The default button is framed darker,
// a wrapper of the column shows the same buttons, and the hit test names the cell under them.
TEST_F(TreeViewFixture, EditButtonsWearTheirKindOrTheColumnsStyle) {
  tree.SetOptions({aoRowSelect});  // five columns of 100, the buttons' column 500..600
  tree.SetOptionsEx(tree.OptionsEx().Include(aoShowButtonAlways));
  auto* column = tree.CreateColumn<TTreeListButtonColumn>();
  column->SetShowButtonStyle(sbAlways);
  column->SetEditButtonStyle(ebsDown);
  auto picture = [](TBitmap& b, TColor color) {
    b.SetSize(8, 8);
    b.Canvas().Brush() = TBrush{color, bsSolid, color};
    b.Canvas().FillRect(Rect(0, 0, 8, 8));
  };
  picture(column->Glyph(), clBlue);
  TEditButtons& buttons = column->Buttons();  // from the right: the first has no Kind
  buttons.Items(0)->SetDefault(true);
  buttons.Add()->SetKind(bkEllipsis);
  TEditButton* own = buttons.Add();
  own->SetKind(bkGlyph);
  picture(own->Glyph(), clRed);
  buttons.Add()->SetKind(bkGlyph);
  auto* copy = tree.CreateColumn<TTreeListWrapperColumn>();  // 600..700
  copy->OnGetReferenceColumn = [&](TTreeListColumn*, TTreeListColumn*& r) { r = column; };
  // Inside the edges: glyph colours, or the shape of the button text's ink.
  auto face = [&](TTreeListColumn* c, int button) {
    const TRect cell = tree.CellRect(tank1, c);
    const TRect b = Rect(cell.right - 16 * (button + 1) + 3, cell.top + 3,
                         cell.right - 16 * button - 3, cell.bottom - 3);
    if (Count(host, b, clRed) > 0) return std::string("red");
    if (Count(host, b, clBlue) > 0) return std::string("blue");
    const int ink = Count(host, b, ColorToRGB(clBtnText));
    return std::string(ink == 9 ? "arrow" : ink == 12 ? "dots" : std::to_string(ink));
  };
  host.Paint(true);
  const std::vector<std::string> faces = {"arrow", "dots", "red", "blue"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(face(column, i), faces[i]) << i;
    EXPECT_EQ(face(copy, i), faces[i]) << i;
    const TRect cell = tree.CellRect(tank1, column);
    const TTreeListHitInfo hit = tree.GetHitInfo({cell.right - 16 * i - 8, cell.top + 9});
    EXPECT_EQ(hit.Kind, HitCell);
    EXPECT_EQ(hit.Node, tank1);
    EXPECT_EQ(hit.Column, column->Index());
  }
  const TRect cell = tree.CellRect(tank1, column);
  EXPECT_EQ(At(cell.right - 16, cell.top), ColorToRGB(clWindowFrame));  // the default's frame
  EXPECT_EQ(At(cell.right - 32, cell.top), ColorToRGB(cl3DLight));
  EXPECT_EQ(At(cell.right - 15, cell.top + 1), ColorToRGB(cl3DLight));  // its edge inside
  column->SetEditButtonStyle(ebsGlyph);  // the first has no picture: the column's
  host.Paint(true);
  EXPECT_EQ(face(column, 0), "blue");
  column->Glyph().SetSize(0, 0);  // and with none anywhere, dots
  host.Paint(true);
  EXPECT_EQ(face(column, 0), "dots");
  EXPECT_EQ(face(column, 2), "red");
  EXPECT_EQ(face(column, 3), "dots");
}

// Rows take their level's colour; a column's own colour and the custom draw stand above it,
// and a level the handler leaves alone keeps the window colour.
TEST_F(TreeViewFixture, RowsTakeTheirLevelsColourUnderTheCustomDraw) {
  TTreeListNode* deep = AddRow(tree, tank2, {"deep", "1", "1", "1", "On-line"});
  tank2->SetExpanded(true);
  tree.Columns(3)->SetColor(clLime);
  tree.OnGetLevelColor = [](TCustomTreeListControl*, int level, TColor& color) {
    if (level < 2) color = level == 0 ? clYellow : clAqua;
  };
  tree.OnCustomDrawCell = [](TCustomTreeListControl*, TCanvas&, const TRect&, TTreeListNode*,
                             TTreeListColumn* column, bool, bool, bool, std::string&, TColor& color,
                             TFont&, TAlignment&, bool&) {
    if (column->Index() == 4 && color == clAqua) color = clRed;
  };
  host.Paint(true);
  struct {
    TTreeListNode* Node;
    TColor Cells, OwnColour, LastColumn;
  } rows[] = {{site1, clYellow, clLime, clYellow},
              {tank1, clAqua, clLime, clRed},
              {deep, kWindow, clLime, kWindow},
              {site2, clYellow, clLime, clYellow}};
  const TTreeListGeometry g = tree.Geometry();
  for (const auto& row : rows) {
    for (int c = 0; c < tree.ColumnCount(); ++c) {
      const TRect cell = tree.CellRect(row.Node, tree.Columns(c));
      const TColor expected = c == 3 ? row.OwnColour : c == 4 ? row.LastColumn : row.Cells;
      EXPECT_EQ(At(cell.right - 3, cell.bottom - 2), expected)
          << row.Node->Strings(0) << " column " << c;
    }
    // The indent is the row's too, in the gaps of the dotted tree lines as well.
    const auto place = std::find_if(g.Rows.begin(), g.Rows.end(),
                                    [&](const TTreeListRowPlace& p) { return p.Node == row.Node; });
    ASSERT_NE(place, g.Rows.end());
    const TRect indent = Rect(place->IndentLeft, place->Top, place->ContentLeft, place->Bottom);
    EXPECT_EQ(At(indent.left + 1, place->Mid), row.Cells) << row.Node->Strings(0) << " indent";
    if (row.Node->Count() == 0 && row.Cells != kWindow) {
      EXPECT_EQ(Count(host, indent, kWindow), 0) << row.Node->Strings(0) << " indent";
    }
  }
}

// In the Outlook style a node with children is one group row in the group colours, with a
// 12 x 12 sunken box (11 x 11 framed in the ultra flat look); leaves keep their cells.
TEST_F(TreeViewFixture, OutlookGroupRowsSpanTheColumnsBesideTheirBox) {
  tree.SetPaintStyle(psOutlook);
  tree.SetShowLines(false);
  tree.SetColor(clAqua);  // the sunken box's light edges show against it
  tree.SetGroupNodeColor(clYellow);
  tree.SetGroupNodeTextColor(clRed);
  const struct {
    TLookAndFeel Look;
    int Box;
  } looks[] = {{lfFlat, 12}, {lfStandard, 12}, {lfUltraFlat, 11}};
  for (const auto& look : looks) {
    tree.SetLookAndFeel(look.Look);
    host.Paint(true);
    const int top = tree.Metrics().HeaderRowHeight;
    const int mid = top + kRowHeight / 2;
    int first = -1, last = -1, upper = -1, lower = -1;
    for (int x = 0; x < 16; ++x)
      if (At(x, mid) != clAqua) (first < 0 ? first : last) = x, last = x;
    for (int y = top; y < top + kRowHeight; ++y)
      if (At(first, y) != clAqua) (upper < 0 ? upper : lower) = y, lower = y;
    EXPECT_EQ(last - first + 1, look.Box) << look.Look;
    EXPECT_EQ(lower - upper + 1, look.Box) << look.Look;
    const TRect group = Rect(169, top + 1, 846, top + kRowHeight - 1);
    EXPECT_EQ(Count(host, group, clYellow), group.Width() * group.Height()) << look.Look;
    EXPECT_GT(Count(host, Rect(16, top, 169, top + kRowHeight), clRed), 0) << look.Look;
    EXPECT_EQ(At(500, top + kRowHeight + kRowHeight / 2), clAqua) << look.Look;  // a tank
  }
}

// A group row is the one cell its row has: without row select it still shows that its node is
// the focused, selected one, as a leaf's focused cell does.
TEST_F(TreeViewFixture, AFocusedOutlookGroupRowShowsItsSelectionWithoutRowSelect) {
  tree.SetPaintStyle(psOutlook);
  tree.SetOptions({aoAutoWidth, aoColumnSizing});
  tree.SetHideSelection(false);
  host.SetFocus();
  const TRect groupRow = Rect(200, RowTop(0) + 2, 800, RowTop(1) - 2);
  const TRect leafRow = Rect(16, RowTop(1) + 2, 800, RowTop(2) - 2);
  tank1->SetFocused(true);
  host.Paint(true);
  EXPECT_GT(Count(host, leafRow, kHighlight), 0) << "a leaf's focused cell";
  site1->SetFocused(true);
  host.Paint(true);
  EXPECT_TRUE(site1->Selected());
  EXPECT_GT(Count(host, groupRow, kHighlight), 0) << "the focused group row";
}

// The custom draw hears which cells hold the focus: the focused node's cell in the focused
// column, every cell of its row with row select, and a group row as its row's one cell.
TEST_F(TreeViewFixture, TheCustomDrawHearsWhichCellsHoldTheFocus) {
  host.SetFocus();
  std::set<std::string> focused;
  tree.OnCustomDraw = [&](TCustomTreeListControl*, TCanvas&, const TRect&, TTreeListNode* node,
                          TTreeListColumn* column, const std::string&, TFont&, TColor&, bool,
                          bool isFocused, bool&) {
    if (isFocused) focused.insert(node->Strings(0) + "/" + std::to_string(column->Index()));
  };
  const struct {
    bool RowSelect;
    TTreeListPaintStyle Style;
    TTreeListNode* Node;
    std::set<std::string> Expected;
  } cases[] = {
      {false, psStandard, tank1, {"1/Alpha/2"}},
      {true, psStandard, tank1, {"1/Alpha/0", "1/Alpha/1", "1/Alpha/2", "1/Alpha/3", "1/Alpha/4"}},
      {false, psOutlook, tank1, {"1/Alpha/2"}},
      {false, psOutlook, site1, {"Alpha/0"}},
  };
  for (const auto& c : cases) {
    tree.SetOptions(c.RowSelect ? TTreeListOptions{aoRowSelect, aoAutoWidth}
                                : TTreeListOptions{aoAutoWidth});
    tree.SetPaintStyle(c.Style);
    tree.SetFocusedNode(c.Node, 2, false);
    focused.clear();
    host.Paint(true);
    EXPECT_EQ(focused, c.Expected) << c.Node->Strings(0) << " row select " << c.RowSelect;
  }
}

// The level colour is the row's background: its preview strip takes it with its cells.
TEST_F(TreeViewFixture, ALevelColourFillsTheRowsPreviewToo) {
  tree.SetOptions({aoRowSelect, aoAutoWidth, aoColumnSizing, aoPreview});
  tree.OnGetPreviewText = [](TCustomTreeListControl*, TTreeListNode* node, std::string& text) {
    text = node->Strings(0);
  };
  tree.SetPreviewLines(1);
  tree.OnGetLevelColor = [](TCustomTreeListControl*, int level, TColor& color) {
    if (level == 0) color = clYellow;
  };
  host.Paint(true);
  const TTreeListGeometry g = tree.Geometry();
  const TTreeListRowPlace& site = g.Rows.front();
  ASSERT_EQ(site.Node, site1);
  ASSERT_GT(site.PreviewBottom, site.CellsBottom);
  EXPECT_EQ(At(800, (site.Top + site.CellsBottom) / 2), clYellow) << "a cell";
  EXPECT_EQ(At(800, (site.CellsBottom + site.PreviewBottom) / 2), clYellow) << "the preview";
}
