// The stored layout: what a user arranged comes back in a fresh control, in one whose columns
// changed since as far as they still match, and never from damaged bytes.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "TreeTestTree.h"
#include "TreeViewTestTree.h"
#include "platform/SettingsFile.h"
#include "treelist/model/TreeListErrors.h"

namespace fs = std::filesystem;

namespace {

// Three bands, the five tank columns over them, multi-sort by header clicks.
void ArrangeableTree(TTreeList& tree, const std::vector<std::string>& captions) {
  tree.SetFont(SixteenPixelFont());
  tree.SetOptions({aoColumnSizing, aoColumnMoving, aoAutoSort});
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoMultiSort));
  tree.Bands().Add()->SetCaption("Levels");
  tree.Bands().Add();
  tree.SetShowBands(true);
  tree.SetHeaderPanelMaxRowCount(3);
  for (size_t i = 0; i < captions.size(); ++i) {
    TTreeListColumn* c = tree.CreateColumn();
    c->SetCaption(captions[i]);
    c->SetBandIndex(static_cast<int>(i % 3));
  }
  for (int n = 0; n < 6; ++n) {
    TTreeListNode* node = tree.Add();
    for (size_t i = 0; i < captions.size(); ++i)
      node->SetStrings(static_cast<int>(i), captions[i] + std::to_string(n % 3 + i % 2));
  }
}

const std::vector<std::string> kCaptions = {"Site/Tank", "Capacity", "Level", "Level %", "Status"};

// What the screen shows of the arrangement: every band and column where the geometry record
// puts it, the sort keys in their order, and the first row's texts under their captions.
std::string Arrangement(TTreeList& tree) {
  std::ostringstream out;
  const TTreeListGeometry g = tree.Geometry();
  for (const TTreeListBandPlace& b : g.Bands)
    out << "band " << b.Band->Caption() << ' ' << b.Left << ' ' << b.Right - b.Left << '\n';
  for (const TTreeListColumnPlace& c : g.Columns)
    out << "column " << c.Column->Caption() << ' ' << c.CellLeft << ' ' << c.CellRight - c.CellLeft
        << ' ' << c.Row << ' ' << c.Header.top << '\n';
  for (int i = 0; i < tree.ColumnCount(); ++i)
    out << tree.Columns(i)->Caption() << " shown " << tree.Columns(i)->Displayed() << " text "
        << tree.Items(0)->Strings(tree.Columns(i)->ValueIndex()) << '\n';
  for (const TTreeListColumn* c : tree.SortColumns())
    out << "sort " << c->Caption() << ' ' << c->Sorted() << '\n';
  out << "rows " << g.RowHeight << ' ' << g.HeaderPanel.Height() << ' ' << g.BandPanel.Height();
  return out.str();
}

void ArrangeRandomly(TTreeList& tree, std::mt19937& random) {
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  tree.SetHeaderPanelRowCount(1 + pick(3));
  tree.SetBandRowCount(1 + pick(2));
  tree.SetDefaultRowHeight(pick(2) ? 0 : 18 + pick(20));
  for (int step = 0; step < 12; ++step) {
    TTreeListColumn* c = tree.Columns(pick(tree.ColumnCount()));
    TTreeListBand* b = tree.Bands().Items(pick(tree.Bands().Count()));
    switch (pick(8)) {
      case 0:
        c->SetWidth(20 + pick(200));
        break;
      case 1:
        tree.MoveColumn(c->Index(), pick(tree.ColumnCount()));
        break;
      case 2:
        c->SetVisible(pick(4) != 0);
        break;
      case 3:
        c->SetBandIndex(pick(4) - 1);
        break;
      case 4:
        c->SetRowIndex(pick(3));
        break;
      case 5:
        b->SetWidth(30 + pick(300)), b->SetVisible(pick(5) != 0);
        break;
      case 6:
        b->SetIndex(pick(tree.Bands().Count()));
        break;
      default:
        tree.ColumnHeaderClick(c, pick(3) != 0, false);
        break;
    }
  }
}

}  // namespace

TEST(StoredLayout, RandomArrangementsComeBackInAFreshControl) {
  EnsureGuiApplication();
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    TTreeList arranged;
    TTestWindowHost host(arranged, 700, 300);
    ArrangeableTree(arranged, kCaptions);
    ArrangeRandomly(arranged, random);
    std::stringstream stream;
    arranged.SaveLayout(stream);

    TTreeList fresh;
    TTestWindowHost freshHost(fresh, 700, 300);
    ArrangeableTree(fresh, kCaptions);
    fresh.RestoreLayout(stream);
    ASSERT_EQ(Arrangement(fresh), Arrangement(arranged)) << "seed " << seed;
    ASSERT_EQ(fresh.LayoutText(), arranged.LayoutText()) << "seed " << seed;
  }
}

// A layout saved from the five columns, restored over other column sets.
TEST(StoredLayout, ChangedColumnSetsKeepWhatStillMatches) {
  EnsureGuiApplication();
  TTreeList saved;
  ArrangeableTree(saved, kCaptions);
  saved.Columns(2)->SetWidth(77);                           // Level
  saved.Columns(4)->SetVisible(false);                      // Status
  saved.MoveColumn(0, 3);                                   // Site/Tank after Level %
  saved.ColumnHeaderClick(saved.Columns(2), false, false);  // Level % up
  saved.ColumnHeaderClick(saved.Columns(0), true, false);   // then Capacity up
  saved.ColumnHeaderClick(saved.Columns(0), true, false);   // ... down
  const std::string layout = saved.LayoutText();

  struct TCase {
    const char* Name;
    std::vector<std::string> Captions;
    std::vector<std::string> Order;  // captions in list order after the restore
    std::string Sorts;
  };
  const TCase cases[] = {
      {"one more",
       {"Site/Tank", "Capacity", "Level", "Level %", "Status", "Alarm"},
       {"Capacity", "Level", "Level %", "Site/Tank", "Status", "Alarm"},
       "Level %+Capacity-"},
      {"one fewer",
       {"Site/Tank", "Capacity", "Level", "Status"},
       {"Capacity", "Level", "Site/Tank", "Status"},
       "Capacity-"},
      {"renamed",
       {"Site", "Capacity", "Level", "Level %", "Status"},
       {"Site", "Capacity", "Level", "Level %", "Status"},
       "Level %+Capacity-"},
  };
  for (const TCase& c : cases) {
    TTreeList tree;
    ArrangeableTree(tree, c.Captions);
    tree.RestoreLayoutText(layout);
    std::vector<std::string> order;
    std::string sorts;
    for (int i = 0; i < tree.ColumnCount(); ++i) order.push_back(tree.Columns(i)->Caption());
    for (const TTreeListColumn* col : tree.SortColumns())
      sorts += col->Caption() + (col->Sorted() == csUp ? "+" : "-");
    EXPECT_EQ(order, c.Order) << c.Name;
    EXPECT_EQ(sorts, c.Sorts) << c.Name;
    for (int i = 0; i < tree.ColumnCount(); ++i) {
      const TTreeListColumn* col = tree.Columns(i);
      EXPECT_EQ(col->Width(), col->Caption() == "Level" ? 77 : 100) << c.Name;
      EXPECT_EQ(col->Visible(), col->Caption() != "Status") << c.Name;
      // Values travel with their columns.
      EXPECT_EQ(tree.Items(0)->Strings(col->ValueIndex()).rfind(col->Caption(), 0), 0u) << c.Name;
    }
  }
  // A name outranks the caption: a renamed column with the same name keeps its place.
  TTreeList named;
  ArrangeableTree(named, kCaptions);
  saved.Columns(1)->SetName("level");  // Level
  named.Columns(2)->SetName("level");
  named.Columns(2)->SetCaption("Fill");
  named.RestoreLayoutText(saved.LayoutText());
  EXPECT_EQ(named.Columns(1)->Caption(), "Fill");
  EXPECT_EQ(named.Columns(1)->Width(), 77);
  // Long captions that differ only past their stored start stay apart.
  const std::string start(3000, 'x');
  TTreeList longSaved, longFresh;
  ArrangeableTree(longSaved, {start + "A", start + "B", "Level"});
  ArrangeableTree(longFresh, {start + "A", start + "B", "Level"});
  longSaved.Columns(1)->SetWidth(150);
  longSaved.MoveColumn(1, 0);
  longFresh.RestoreLayoutText(longSaved.LayoutText());
  EXPECT_EQ(longFresh.Columns(0)->Caption(), start + "B");
  EXPECT_EQ(longFresh.Columns(0)->Width(), 150);
  EXPECT_EQ(longFresh.Columns(1)->Width(), 100);
  EXPECT_LT(longSaved.LayoutText().size(), 1000u) << "the keys are bounded";
}

TEST(StoredLayout, DamagedLayoutsRestoreNothing) {
  EnsureGuiApplication();
  TTreeList source;
  ArrangeableTree(source, kCaptions);
  source.Columns(1)->SetWidth(150);
  source.ColumnHeaderClick(source.Columns(3), false, false);
  const std::string good = source.LayoutText();
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  std::vector<std::pair<std::string, std::string>> cases = {
      {"empty", ""},
      {"bad header", replaced("TreeListLayout 1", "TreeListLayout 2")},
      {"band count beyond the data", replaced("bands 3", "bands 300")},
      {"huge column count", replaced("columns 5", "columns 2147483647")},
      {"count missing", replaced("columns 5", "columns")},
      {"negative width", replaced("column 1 0 150", "column 1 0 -150")},
      {"width NaN", replaced("column 1 0 150", "column 1 0 NaN")},
      {"width beyond any screen", replaced("column 1 0 150", "column 1 0 99999999999")},
      {"band beyond the bands", replaced("column 1 0 150", "column 3 0 150")},
      {"row beyond any header", replaced("column 1 0 150", "column 1 100 150")},
      {"row count zero", replaced("rows 0 1 1", "rows 0 0 1")},
      {"sort of no column", replaced("sort 3 2", "sort 9 2")},
      {"sort direction none", replaced("sort 3 2", "sort 3 0")},
      {"garbage after a number", replaced("sorts 1", "sorts 1x")},
      {"garbage at the end", good + "more\n"},
      {"bad escape", replaced("caption:Level %", "caption:Level \\q")},
      {"binary garbage", std::string("\x00\xff\x10TreeList", 11)},
  };
  for (size_t cut = 0; cut < good.size(); cut += 3)
    cases.push_back({"cut at " + std::to_string(cut), good.substr(0, cut)});

  TTreeList tree;
  TTestWindowHost host(tree, 500, 200);
  ArrangeableTree(tree, kCaptions);
  tree.Columns(4)->SetWidth(60);
  const std::string before = tree.LayoutText();
  for (const auto& [name, text] : cases) {
    std::istringstream in(text);
    EXPECT_THROW(tree.RestoreLayout(in), ELayoutError) << name;
    ASSERT_EQ(tree.LayoutText(), before) << name;
  }
}

// Files and the settings file: on their own, and restored when loading ends and saved when the
// control goes while the options ask for it.
TEST(StoredLayout, FilesAndTheSettingsFileKeepTheLayout) {
  EnsureGuiApplication();
  const fs::path dir = fs::temp_directory_path() / ("treelist-layout-" + std::to_string(getpid()));
  fs::create_directories(dir);
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  const std::string file = (dir / "layout.txt").string();
  {
    TTreeList tree;
    ArrangeableTree(tree, kCaptions);
    tree.Columns(0)->SetWidth(222);
    tree.SaveLayoutToFile(file);
    tree.SetStorageFile("tanks.ini");
    tree.SetStorageSection("Main/Tree");
    tree.SetOptions(tree.Options().Include(aoStoreToIniFile));
  }
  EXPECT_TRUE(fs::exists(dir / "tanks.ini"));
  for (TTreeListOption option : {aoStoreToIniFile, aoStoreToRegistry}) {
    TTreeList tree;
    ArrangeableTree(tree, kCaptions);
    tree.BeginLoading();
    tree.SetStorageFile("tanks.ini");
    tree.SetStorageSection("Main/Tree");
    tree.SetOptions(tree.Options().Include(option));
    tree.EndLoading();
    EXPECT_EQ(tree.Columns(0)->Width(), 222);
    tree.SetOptions(tree.Options().Exclude(option));  // not stored again
  }
  TTreeList unstored;
  ArrangeableTree(unstored, kCaptions);
  unstored.SetStorageFile("tanks.ini");
  unstored.SetStorageSection("Main/Tree");
  EXPECT_FALSE(unstored.RestoreLayoutSettings());
  unstored.RestoreLayoutFromFile(file);
  EXPECT_EQ(unstored.Columns(0)->Width(), 222);
  EXPECT_THROW(unstored.RestoreLayoutFromFile((dir / "none").string()), ELayoutError);
  fs::remove_all(dir);
  unsetenv("XDG_CONFIG_HOME");
}

// Whatever arrangement a control is in, the layout it writes reads back into it unchanged: a
// layout the control cannot read again is lost to the user at the next start.
TEST(StoredLayout, EveryLayoutAControlWritesReadsBack) {
  EnsureGuiApplication();
  const std::pair<const char*, std::function<void(TTreeList&)>> cases[] = {
      {"no columns", [](TTreeList&) {}},
      {"all columns hidden",
       [](TTreeList& t) {
         ArrangeableTree(t, kCaptions);
         for (int i = 0; i < t.ColumnCount(); ++i) t.Columns(i)->SetVisible(false);
       }},
      {"duplicate and empty captions",
       [](TTreeList& t) {
         ArrangeableTree(t, {"Level", "Level", "", "", "Level"});
         t.Columns(4)->SetWidth(61);
         t.MoveColumn(4, 0);
       }},
      {"many header rows",
       [](TTreeList& t) {
         ArrangeableTree(t, kCaptions);
         t.SetHeaderPanelMaxRowCount(150);
         t.SetHeaderPanelRowCount(120);
         t.Columns(1)->SetRowIndex(110);
       }},
      {"many band rows",
       [](TTreeList& t) {
         ArrangeableTree(t, kCaptions);
         t.SetBandMaxRowCount(200);
         t.SetBandRowCount(150);
       }},
      {"tall rows",
       [](TTreeList& t) {
         ArrangeableTree(t, kCaptions);
         t.SetDefaultRowHeight(70000);
       }},
      {"long captions",
       [](TTreeList& t) {
         std::vector<std::string> captions;
         for (int i = 0; i < 30; ++i) captions.push_back(std::string(40000, 'a' + i % 26));
         ArrangeableTree(t, captions);
       }},
  };
  for (const auto& [name, arrange] : cases) {
    TTreeList tree;
    arrange(tree);
    const std::string text = tree.LayoutText();
    EXPECT_NO_THROW(tree.RestoreLayoutText(text)) << name;
    std::stringstream stream;
    tree.SaveLayout(stream);
    EXPECT_NO_THROW(tree.RestoreLayout(stream)) << name;
    EXPECT_EQ(tree.LayoutText(), text) << name;
  }
}

// A program that restores its layout while the control loads keeps the user's sort order, not
// the columns' order.
TEST(StoredLayout, RestoredWhileLoadingKeepsTheSortOrder) {
  EnsureGuiApplication();
  TTreeList saved;
  ArrangeableTree(saved, kCaptions);
  saved.ColumnHeaderClick(saved.Columns(4), false, false);  // Status first
  saved.ColumnHeaderClick(saved.Columns(1), true, false);   // then Capacity
  TTreeList tree;
  ArrangeableTree(tree, kCaptions);
  tree.BeginLoading();
  tree.RestoreLayoutText(saved.LayoutText());
  tree.EndLoading();
  std::string sorts;
  for (const TTreeListColumn* c : tree.SortColumns()) sorts += c->Caption() + ";";
  EXPECT_EQ(sorts, "Status;Capacity;");
  EXPECT_EQ(tree.LayoutText(), saved.LayoutText());
}

// The settings file: a failure to write it, a damaged layout in it and sections of similar
// names are each seen by the program.
TEST(StoredLayout, SettingsFileTroubleIsReported) {
  EnsureGuiApplication();
  const fs::path dir =
      fs::temp_directory_path() / ("treelist-settings-" + std::to_string(getpid()));
  fs::create_directories(dir);
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  {
    std::ofstream((dir / "blocker").string()) << "a file, not a folder";
    TTreeList tree;
    ArrangeableTree(tree, kCaptions);
    tree.SetStorageFile((dir / "blocker" / "tanks.ini").string());
    tree.SetOptions(tree.Options().Include(aoStoreToIniFile));
    EXPECT_THROW(tree.StoreLayoutSettings(), Exception) << "a folder that cannot be made";
  }
  {
    const std::unique_ptr<TSettingsFile> settings = OpenUserSettings("damaged.ini");
    settings->Write("TreeList", "Layout", "TreeListLayout 1\nrows 0 1 1\nbands 9\n");
    settings->Flush();
    TTreeList tree;
    ArrangeableTree(tree, kCaptions);
    const std::string before = tree.LayoutText();
    std::string reported;
    tree.OnLayoutError = [&](TCustomTreeListControl*, const std::string& message) {
      reported = message;
    };
    tree.BeginLoading();
    tree.SetStorageFile("damaged.ini");
    tree.SetOptions(tree.Options().Include(aoStoreToIniFile));
    // The load itself succeeds: the program hears of the layout through the event.
    EXPECT_NO_THROW(tree.EndLoading());
    EXPECT_NE(reported.find("Invalid tree-list layout"), std::string::npos)
        << "a damaged stored layout goes unreported";
    EXPECT_EQ(tree.LayoutText(), before);
    tree.SetOptions(tree.Options().Exclude(aoStoreToIniFile));
  }
  {
    TTreeList tree;
    ArrangeableTree(tree, kCaptions);
    tree.SetStorageFile("sections.ini");
    tree.SetStorageSection("Main/Tree");
    tree.SetOptions(tree.Options().Include(aoStoreToIniFile));
    tree.StoreLayoutSettings();
    tree.SetStorageSection("Main_Tree");
    EXPECT_FALSE(tree.RestoreLayoutSettings()) << "two sections share one place";
    tree.SetOptions(tree.Options().Exclude(aoStoreToIniFile));
  }
  {
    // Each of several look-alike sections gives back what was stored under it.
    const std::vector<std::string> sections = {
        "Main/Tree", "Main_Tree", "Main%2FTree", "Main\\Tree", "Main", "Tree", ""};
    const std::unique_ptr<TSettingsFile> settings = OpenUserSettings("lookalike.ini");
    for (const std::string& section : sections) settings->Write(section, "Layout", section + "!");
    settings->Flush();
    const std::unique_ptr<TSettingsFile> reread = OpenUserSettings("lookalike.ini");
    for (const std::string& section : sections)
      EXPECT_EQ(reread->Read(section, "Layout").value_or("none"), section + "!") << section;
  }
  {
    // A settings file that is there but cannot be read is reported, not taken for an empty one.
    fs::create_directories(dir / "folder.ini");
    EXPECT_THROW(OpenUserSettings("folder.ini")->Read("TreeList", "Layout"), Exception);
  }
  fs::remove_all(dir);
  unsetenv("XDG_CONFIG_HOME");
}

// Bands in the layout, none in the control, and the reverse: the columns' own arrangement
// comes back either way.
TEST(StoredLayout, BandsComeAndGoBetweenLayoutAndControl) {
  EnsureGuiApplication();
  TTreeList banded;
  ArrangeableTree(banded, kCaptions);
  banded.Bands().Items(0)->SetCaption("Site");
  banded.Columns(1)->SetWidth(133);
  banded.MoveColumn(3, 0);
  TTreeList plain;
  AddTankColumns(plain);
  plain.RestoreLayoutText(banded.LayoutText());
  EXPECT_EQ(plain.Bands().Count(), 1);
  EXPECT_EQ(plain.Columns(0)->Caption(), "Level %");
  EXPECT_EQ(plain.Columns(2)->Width(), 133);
  for (int i = 0; i < plain.ColumnCount(); ++i) EXPECT_EQ(plain.Columns(i)->BandIndex(), 0);
  plain.Columns(2)->SetWidth(91);
  TTreeList banded2;
  ArrangeableTree(banded2, kCaptions);
  banded2.Bands().Items(0)->SetCaption("Site");
  const std::string before = banded2.LayoutText();
  banded2.RestoreLayoutText(plain.LayoutText());
  std::string arrangement;
  for (int i = 0; i < banded2.ColumnCount(); ++i) {
    const TTreeListColumn* c = banded2.Columns(i);
    arrangement += c->Caption() + " in \"" + banded2.Bands().Items(c->BandIndex())->Caption() +
                   "\" " + std::to_string(c->Width()) + "; ";
  }
  // The one band of the plain layout says nothing of the bands this control has.
  EXPECT_EQ(arrangement,
            "Level % in \"Site\" 100; Site/Tank in \"Site\" 100; Capacity in \"Levels\" 91; "
            "Level in \"\" 100; Status in \"Levels\" 100; ")
      << before;
}
