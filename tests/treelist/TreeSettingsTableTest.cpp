// Settings the main window never switches on, one a row: each row sets one thing on a tree
// and reads what a user gets from it (pixels, accessible text, the order of rows, the events
// heard), and the same reading on a tree without the setting must differ, so a setting the
// control ignored fails its row.
#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "TreeInputFixture.h"
#include "treelist/access/TreeListAccessible.h"
#include "treelist/editorcolumns/TreeListEditorColumns.h"

namespace {

const TColor kInk = ColorToRGB(clWindowText);

struct TSeen : TTankView {
  TSeen() { site1->SetStrings(4, "Geprüft"); }  // a status beyond ASCII
  std::string Log;                              // what the handlers heard
};

// The smallest rectangle holding every pixel of a colour in r; empty for none.
TRect InkOf(const TBitmap& picture, const TRect& r, TColor color) {
  TRect ink = Rect(r.right, r.bottom, r.left, r.top);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (picture.Pixel(x, y) == color)
        ink = Rect(std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                   std::max(ink.bottom, y + 1));
  return IsRectEmpty(ink) ? TRect{} : ink;
}

int Count(const TBitmap& picture, const TRect& r, TColor color) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += picture.Pixel(x, y) == color;
  return n;
}

// Which third of [from, to) holds the middle of [lo, hi).
std::string Third(int lo, int hi, int from, int to, const char* const names[3]) {
  const int third = (to - from) / 3, middle = (lo + hi) / 2;
  return names[middle < from + third ? 0 : middle < to - third ? 1 : 2];
}
const char* const kAcross[] = {"left", "centre", "right"};
const char* const kDown[] = {"top", "middle", "bottom"};

std::string Name(TColor c) {
  const std::pair<TColor, const char*> names[] = {{clRed, "red"},
                                                  {clYellow, "yellow"},
                                                  {kInk, "black"},
                                                  {ColorToRGB(clBtnShadow), "shadow"},
                                                  {ColorToRGB(clBtnFace), "face"}};
  for (const auto& [color, name] : names)
    if (ColorToRGB(color) == c) return name;
  return std::to_string(c);
}

// The cell's accessible text; and, when the pixels disagree, how wide its ink is against that
// text drawn alone in the cell's font.
std::string CellShows(TSeen& v, TTreeListNode* node, TTreeListColumn* column) {
  v.host.Paint(true);
  auto& access = static_cast<TTreeListAccessible&>(*v.tree.AccessibleSource());
  const auto shown = v.tree.DisplayedColumns();
  const int cell = static_cast<int>(std::find(shown.begin(), shown.end(), column) - shown.begin());
  const std::string text = access.Cell(access.ChildOfNode(node), cell).name;
  TBitmap alone(400, 40);
  alone.Canvas().Brush() = TBrush{clWhite, bsSolid, clWhite};
  alone.Canvas().FillRect(Rect(0, 0, 400, 40));
  alone.Canvas().Font() = column->Font();
  alone.Canvas().TextOut(0, 0, text);
  const int expected = InkOf(alone, Rect(0, 0, 400, 40), kInk).Width();
  const int drawn = InkOf(v.host.Picture(), v.tree.CellRect(node, column), kInk).Width();
  return drawn == expected ? text : text + " drawn " + std::to_string(drawn) + " wide";
}

TRect Header(TSeen& v, int column) {
  return v.tree.Geometry().PlaceOf(v.tree.Columns(column))->Header;
}

std::string Captions(TTreeList& tree) {
  std::string captions;
  for (TTreeListColumn* c : tree.DisplayedColumns()) captions += c->Caption() + ",";
  return captions;
}

// "Capacity" dragged right of the middle of "Level", in one move.
std::string DragCapacity(TSeen& v) {
  const TRect from = Header(v, 1), to = Header(v, 2);
  const int y = (from.top + from.bottom) / 2;
  v.host.MouseDown(mbLeft, (from.left + from.right) / 2, y);
  v.host.MouseMove(to.right - 10, y);
  v.host.MouseUp(mbLeft, to.right - 10, y);
  return v.Log + Captions(v.tree);
}

std::string ClickSiteBox(TSeen& v) {
  const TTreeListGeometry g = v.tree.Geometry();
  const TTreeListRowPlace* row = g.RowOf(v.site1);
  v.host.Click(mbLeft, row->ButtonLeft + 8, row->Mid);
  return v.Log + (v.site1->Expanded() ? "open" : "closed");
}

// The headers whose sort-mark place (the right 16 pixels inside the frame) is not plain face.
std::string SortMarks(TSeen& v) {
  v.host.Paint(true);
  std::string marked;
  for (int c = 0; c < v.tree.ColumnCount(); ++c) {
    const TRect h = Header(v, c), mark = Rect(h.right - 19, h.top + 2, h.right - 3, h.bottom - 3);
    const int area = mark.Width() * mark.Height();
    if (Count(v.host.Picture(), mark, ColorToRGB(clBtnFace)) < area)
      marked += v.tree.Columns(c)->Caption();
  }
  return marked;
}

TFont Coloured(const TFont& font, TColor color) {
  TFont f = font;
  f.SetColor(color);
  return f;
}

struct TSettingRow {
  const char* Name;
  std::function<void(TSeen&)> Given;  // on both trees, before the setting; may be empty
  std::function<void(TSeen&)> Set;    // the setting, on one of them
  std::function<std::string(TSeen&)> See;
  std::string Expected;  // seen with the setting
};

void PrintTo(const TSettingRow& row, std::ostream* out) {
  *out << row.Name;
}

const TSettingRow kRows[] = {
    {"AnsiSort", nullptr, [](TSeen& v) { SetOptionEx(v.tree, aoAnsiSort, true); },
     [](TSeen& v) {
       const ScopedLocale english("en_US");
       for (const char* name : {"alpha", "Zed", "émile"}) AddRow(v.tree, nullptr, {name});
       v.tree.SetOptions(v.tree.Options().Include(aoAutoSort));
       v.tree.Columns(0)->SetSorted(csUp);
       std::string order;
       for (const std::string& text : ColumnTexts(v.tree, nullptr, 0)) order += text + " ";
       return order;
     },
     "alpha Alpha Beta émile Zed "},
    {"OnCollapsingVetoes", nullptr,
     [](TSeen& v) {
       v.tree.OnCollapsing = [&v](TCustomTreeList*, TTreeListNode* node, bool& allow) {
         v.Log += "asked " + node->Strings(0) + "; ";
         allow = false;
       };
     },
     ClickSiteBox, "asked Alpha; open"},
    {"OnCollapsingAllows", nullptr,
     [](TSeen& v) {
       v.tree.OnCollapsing = [&v](TCustomTreeList*, TTreeListNode* node, bool&) {
         v.Log += "asked " + node->Strings(0) + "; ";
       };
     },
     ClickSiteBox, "asked Alpha; closed"},
    {"OnColumnSorted", nullptr,
     [](TSeen& v) {
       v.tree.OnColumnSorted = [](TCustomTreeListControl*, TTreeListColumn* column,
                                  TTreeListColumnSort& sorted) {
         if (column->Caption() == "Capacity") sorted = csUp;
       };
     },
     SortMarks, "Capacity"},
    {"CharCase", nullptr, [](TSeen& v) { v.tree.Columns(4)->SetCharCase(ecUpperCase); },
     [](TSeen& v) { return CellShows(v, v.site1, v.tree.Columns(4)); }, "GEPRÜFT"},
    {"PasswordChar", nullptr, [](TSeen& v) { v.tree.Columns(4)->SetPasswordChar('*'); },
     [](TSeen& v) { return CellShows(v, v.site1, v.tree.Columns(4)); }, "*******"},
    // Stray bytes are characters too (each drawn as a replacement mark): none goes unhidden.
    {"PasswordCharOnStrayBytes", [](TSeen& v) { v.site1->SetStrings(4, "\x80\x80ok"); },
     [](TSeen& v) { v.tree.Columns(4)->SetPasswordChar('*'); },
     [](TSeen& v) { return CellShows(v, v.site1, v.tree.Columns(4)); }, "****"},
    {"HeaderAlignmentRight", nullptr,
     [](TSeen& v) { v.tree.Columns(1)->SetHeaderAlignment(taRightJustify); },
     [](TSeen& v) {
       v.host.Paint(true);
       const TRect h = Header(v, 1), ink = InkOf(v.host.Picture(), h, kInk);
       return Third(ink.left, ink.right, h.left, h.right, kAcross);
     },
     "right"},
    {"VertAlignmentBottom", nullptr,
     [](TSeen& v) { v.tree.Columns(4)->SetVertAlignment(tlBottom); },
     [](TSeen& v) {
       v.tree.SetDefaultRowHeight(48);
       v.host.Paint(true);
       const TRect cell = v.tree.CellRect(v.site1, v.tree.Columns(4));
       const TRect ink = InkOf(v.host.Picture(), cell, kInk);
       return Third(ink.top, ink.bottom, cell.top, cell.bottom, kDown);
     },
     "bottom"},
    {"HeaderGlyph", nullptr,
     [](TSeen& v) {
       TBitmap& glyph = v.tree.Columns(1)->HeaderGlyph();
       glyph.SetSize(12, 12);
       glyph.Canvas().Brush() = TBrush{clRed, bsSolid, clRed};
       glyph.Canvas().FillRect(Rect(0, 0, 12, 12));
     },
     [](TSeen& v) {
       v.host.Paint(true);
       const TRect h = Header(v, 1);
       const TRect glyph = InkOf(v.host.Picture(), h, clRed),
                   text = InkOf(v.host.Picture(), h, kInk);
       return std::to_string(glyph.Width()) + "x" + std::to_string(glyph.Height()) +
              (text.left >= glyph.right ? " glyph, then the caption" : " glyph over the caption");
     },
     "12x12 glyph, then the caption"},
    {"OnCanHeaderDraggingVetoes",
     [](TSeen& v) { v.tree.SetOptions(v.tree.Options().Include(aoColumnMoving)); },
     [](TSeen& v) {
       v.tree.OnCanHeaderDragging = [&v](TCustomTreeListControl*, TTreeListColumn* c, bool& allow) {
         v.Log += "asked " + c->Caption() + "; ";
         allow = false;
       };
     },
     DragCapacity, "asked Capacity; Site/Tank,Capacity,Level,Level %,Status,"},
    {"OnStartHeaderDragging",
     [](TSeen& v) { v.tree.SetOptions(v.tree.Options().Include(aoColumnMoving)); },
     [](TSeen& v) {
       v.tree.OnStartHeaderDragging = [&v](TCustomTreeListControl*, TTreeListColumn* c) {
         v.Log += "started " + c->Caption() + "; ";
       };
     },
     DragCapacity, "started Capacity; Site/Tank,Level,Capacity,Level %,Status,"},
    {"GridLineColor", [](TSeen& v) { v.tree.SetShowGrid(true); },
     [](TSeen& v) { v.tree.SetGridLineColor(clRed); },
     [](TSeen& v) {
       v.host.Paint(true);
       const TRect cell = v.tree.CellRect(v.tank1, v.tree.Columns(1));
       return Name(v.At(cell.right, cell.top + 3)) + " " + Name(v.At(cell.left + 5, cell.bottom));
     },
     "red red"},
    {"PreviewFont",
     [](TSeen& v) {  // the text first: the option measures the rows
       v.tree.OnGetPreviewText = [](TCustomTreeListControl*, TTreeListNode* node,
                                    std::string& text) {
         if (node->Level() == 0) text = "Preview of " + node->Strings(0);
       };
       v.tree.SetOptions(v.tree.Options().Include(aoPreview));
     },
     [](TSeen& v) { v.tree.SetPreviewFont(Coloured(v.tree.Font(), clRed)); },
     [](TSeen& v) {
       v.host.Paint(true);
       const TTreeListGeometry g = v.tree.Geometry();
       const TTreeListRowPlace* row = g.RowOf(v.site1);
       const TRect preview = Rect(row->ContentLeft, row->CellsBottom, 846, row->PreviewBottom);
       const bool red = !IsRectEmpty(InkOf(v.host.Picture(), preview, clRed));
       const bool black = !IsRectEmpty(InkOf(v.host.Picture(), preview, kInk));
       return std::string(red ? "red" : "") + (black ? "black" : "");
     },
     "red"},
    {"DrawEndEllipsis", nullptr,
     [](TSeen& v) { v.tree.SetOptions(v.tree.Options().Include(aoDrawEndEllipsis)); },
     [](TSeen& v) {
       v.site1->SetStrings(4, std::string(40, 'W'));
       v.host.Paint(true);
       const TRect cell = v.tree.CellRect(v.site1, v.tree.Columns(4));
       const TRect ink = InkOf(v.host.Picture(), cell, kInk);
       // Letters run tall; dots sit low.
       const TRect end =
           InkOf(v.host.Picture(), Rect(ink.right - 3, cell.top, ink.right, cell.bottom), kInk);
       return std::string(end.Height() <= 3 ? "ends in dots" : "ends in a cut letter");
     },
     "ends in dots"},
    {"BandColorAndFont",
     [](TSeen& v) {
       v.tree.SetShowBands(true);
       v.tree.Bands().Items(0)->SetCaption("Plant");
     },
     [](TSeen& v) {
       v.tree.SetBandColor(clYellow);
       v.tree.SetBandFont(Coloured(v.tree.Font(), clRed));
     },
     [](TSeen& v) {
       v.host.Paint(true);
       const TRect h = v.tree.Geometry().Bands[0].Header;
       const bool red = !IsRectEmpty(InkOf(v.host.Picture(), h, clRed));
       return Name(v.At(h.left + 4, (h.top + h.bottom) / 2)) + (red ? ", red caption" : "");
     },
     "yellow, red caption"},
    {"BandMinWidth",
     [](TSeen& v) {
       v.tree.SetOptions({aoRowSelect, aoColumnSizing});
       v.tree.Bands().Add();
       for (int c : {3, 4}) v.tree.Columns(c)->SetBandIndex(1);
       v.tree.SetShowBands(true);
     },
     [](TSeen& v) { v.tree.Bands().Items(0)->SetMinWidth(150); },
     // Its edge dragged far to the left: the line stops MinWidth from the band's left, and
     // the pixel under the line is the band's too.
     [](TSeen& v) {
       const TTreeListBandPlace band = v.tree.Geometry().Bands[0];
       const int y = (band.Header.top + band.Header.bottom) / 2;
       v.host.MouseDown(mbLeft, band.Right - 1, y);
       v.host.MouseMove(band.Right - 400, y);
       v.host.MouseUp(mbLeft, band.Right - 400, y);
       const TTreeListBandPlace sized = v.tree.Geometry().Bands[0];
       return std::to_string(sized.Right - sized.Left);
     },
     "151"},
    {"WrapperColumn",
     [](TSeen& v) {
       v.tree.CreateColumn<TTreeListWrapperColumn>()->SetCaption("Copy");
       v.tree.Columns(4)->SetCharCase(ecUpperCase);
     },
     [](TSeen& v) {
       static_cast<TTreeListWrapperColumn*>(v.tree.Columns(5))->OnGetReferenceColumn =
           [&v](TTreeListColumn*, TTreeListColumn*& reference) { reference = v.tree.Columns(4); };
     },
     [](TSeen& v) { return CellShows(v, v.site1, v.tree.Columns(5)); }, "GEPRÜFT"},
};

class SettingsTable : public ::testing::TestWithParam<TSettingRow> {};

}  // namespace

TEST_P(SettingsTable, TheSettingShowsAndWithoutItSomethingElseShows) {
  const TSettingRow& row = GetParam();
  TSeen plain, set;
  for (TSeen* v : {&plain, &set})
    if (row.Given) row.Given(*v);
  row.Set(set);
  const std::string seen = row.See(set);
  EXPECT_EQ(seen, row.Expected);
  EXPECT_NE(row.See(plain), seen);
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsTable, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<TSettingRow>& info) {
                           return std::string(info.param.Name);
                         });

// What a user copies from a wrapper is what its cells show; and dropping the wrapper, after the
// program asked it for its reference, leaves the reference's values alone.
TEST(WrapperColumn, CopiesAsItShowsAndLeavesTheReferenceWhole) {
  TSeen v;
  auto* copy = v.tree.CreateColumn<TTreeListWrapperColumn>();
  copy->OnGetReferenceColumn = [&v](TTreeListColumn*, TTreeListColumn*& reference) {
    reference = v.tree.Columns(4);
  };
  const std::string line = v.tree.NodeLine(v.site1);
  EXPECT_EQ(line.substr(line.rfind('\t') + 1), CellShows(v, v.site1, copy));
  copy->ReferenceColumn();
  v.tree.DeleteColumn(copy);
  EXPECT_EQ(v.tree.NodeLine(v.site1), "Alpha\t10\t5\t50\tGeprüft");
}
