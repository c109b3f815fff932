// Incremental search: typed text, its effect on the focus and the search text, and the screen
// after every key equal to a fresh paint.
#include <string>
#include <vector>

#include "TreeInputFixture.h"

namespace {

class TreeSearch : public TreeInputFixture {
 protected:
  void SetUp() override {
    TreeInputFixture::SetUp();
    SetOptionEx(tree, aoAutoSearch, true);
    elan = AddRow(tree, nullptr, {"\xC3\x89lan", "1", "1", "1", "On-line"});
    host.Paint(true);
  }
  // Each byte as the host delivers typed text: "\b" is Backspace, "\x1b" Esc.
  void Type(const std::string& keys) {
    for (char c : keys) {
      if (c == '\b' || c == '\x1b') {
        host.PressKey(c == '\b' ? vkBack : vkEscape);
        continue;
      }
      char key = c;
      tree.KeyPress(key);
    }
  }
  TTreeListNode* elan = nullptr;
};

struct TSearchCase {
  const char* Keys;
  const char* Focused;       // first column of the focused node afterwards
  const char* Text;          // the search text afterwards
  bool HiddenStart = false;  // the focus starts on 1/Beta, inside the collapsed Beta
};

// Rows: Alpha, 1/Alpha, 2/Alpha, Beta (1/Beta hidden), Élan; the focus starts on Alpha.
const TSearchCase kCases[] = {
    {"b", "Beta", "b"},
    {"BE", "Beta", "BE"},      // case does not matter
    {"bx", "Beta", "b"},       // a character that matches nothing is dropped
    {"a", "Alpha", "a"},       // the focused row itself matches first
    {"al", "Alpha", "al"},     // and goes on matching
    {"2", "2/Alpha", "2"},     // rows below the focus
    {"1/b", "1/Alpha", "1/"},  // hidden rows are not searched
    {"b\x1b"
     "a",
     "Alpha", "a"},                           // Esc ends it: "a" searches afresh from Beta, wraps
    {"be\b", "Beta", "b"},                    // Backspace takes one back, the focus stays
    {"b\b", "Beta", ""},                      // down to nothing: the search ends
    {"\xC3\x89", "\xC3\x89lan", "\xC3\x89"},  // a character of two bytes
    {"+", "Alpha", ""},                       // outside a search "+" still expands
    {"b+", "Beta", "b"},                      // inside one it is text (that matches nothing)
    {"e\x80", "Alpha", ""},                   // a stray byte changes nothing ("e" finds nothing)
    {"z", "1/Beta", "", true},                // from a row not shown, nothing found: it ends
    {"b", "Beta", "b", true},                 // the walk starts after it and comes round
};

}  // namespace

TEST_F(TreeSearch, TypedTextMovesTheFocusAndDrawsTheMatch) {
  for (const TSearchCase& c : kCases) {
    tree.SetFocusedNode(c.HiddenStart ? site2->Items(0) : site1, 0, !c.HiddenStart);
    tree.EndSearch();
    Type(c.Keys);
    EXPECT_EQ(tree.FocusedNode()->Strings(0), c.Focused) << c.Keys;
    EXPECT_EQ(tree.SearchText(), c.Text) << c.Keys;
    EXPECT_TRUE(ShowsFreshPaint(host, tree)) << c.Keys;
  }
}

// Also in a row whose text wraps over two lines: the mark is on the first.
TEST_F(TreeSearch, MatchIsMarkedInSwappedColours) {
  for (bool wrapped : {false, true}) {
    SCOPED_TRACE(wrapped);
    if (wrapped) {
      SetOptionEx(tree, aoRowAutoHeight, true);
      site2->SetValues(0, "Beta\nsecond line");
    }
    host.Paint(true);
    const TTreeListGeometry g = tree.Geometry();
    const TTreeListRowPlace* row = g.RowOf(site2);
    ASSERT_NE(row, nullptr);
    auto inkInMark = [&] {
      int count = 0;
      for (int y = row->Top + 1; y < row->Top + kRowHeight - 1; ++y)
        for (int x = row->ContentLeft + 3; x < row->ContentLeft + 9; ++x)
          count += ColorToRGB(host.PixelAt(x, y)) == ColorToRGB(clHighlightText);
      return count;
    };
    host.PressKey(vkEnd);
    host.PressKey(vkUp);  // Beta, highlighted: its "B" is white on blue
    host.Paint();
    const int plain = inkInMark();
    Type("b");
    host.Paint();
    EXPECT_GT(inkInMark(), plain * 2);  // now blue on white
    EXPECT_TRUE(ShowsFreshPaint(host, tree));
    EXPECT_EQ(host.PressKey(vkEscape), 0);         // ends the search and goes no further
    EXPECT_EQ(host.PressKey(vkEscape), vkEscape);  // the window's, to close a dialog
    host.Paint();
    EXPECT_EQ(inkInMark(), plain);
  }
}

TEST_F(TreeSearch, EndsOnPauseFocusMovesAltAndFocusLoss) {
  Type("b");
  EXPECT_EQ(host.TimerInterval(kSearchTimer), 1500);
  host.FireTimer(kSearchTimer);
  EXPECT_EQ(tree.SearchText(), "");
  EXPECT_FALSE(host.TimerActive(kSearchTimer));
  Type("a");
  EXPECT_FALSE(tree.WantsKey('A', ssAlt));  // the menu's
  EXPECT_TRUE(tree.WantsKey('A', 0));
  host.PressKey('F', ssAlt);
  EXPECT_EQ(tree.SearchText(), "");
  Type("a");
  host.PressKey(vkDown);
  EXPECT_EQ(tree.SearchText(), "");
  Type("b");
  host.LoseFocus();
  EXPECT_EQ(tree.SearchText(), "");
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeSearch, OffWithoutTheOptionAndWithoutNodes) {
  SetOptionEx(tree, aoAutoSearch, false);
  Type("b");
  EXPECT_EQ(tree.FocusedNode(), site1);
  EXPECT_EQ(tree.SearchText(), "");
  SetOptionEx(tree, aoAutoSearch, true);
  tree.ClearNodes();
  Type("b\b");
  EXPECT_EQ(tree.SearchText(), "");
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}

TEST_F(TreeSearch, HandlersThatDeleteOrCollapseTheMatch) {
  tree.OnChangeNode = [&](TCustomTreeList*, TTreeListNode*, TTreeListNode* node) {
    if (node == site2) site1->Delete();
  };
  Type("b");
  EXPECT_EQ(tree.FocusedNode(), site2);
  tree.OnChangeNode = [&](TCustomTreeList*, TTreeListNode*, TTreeListNode* node) {
    if (node && node->Parent()) node->Parent()->SetExpanded(false);
  };
  site2->SetExpanded(true);
  Type("1");
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  tree.OnChangeNode = [&](TCustomTreeList*, TTreeListNode*, TTreeListNode*) { tree.ClearNodes(); };
  Type("\x1b\xC3\x89");
  EXPECT_EQ(tree.FocusedNode(), nullptr);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}
