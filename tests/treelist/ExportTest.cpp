#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "TreeTestTree.h"
#include "platform/AtomicFile.h"
#include "platform/Clipboard.h"
#include "platform/Exception.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Fails the write after the temporary file exists, as a full disk would.
struct TDiskFull : TFileOps {
  bool Write(int, const char*, std::size_t) override {
    errno = ENOSPC;
    return false;
  }
};

class Export : public ::testing::Test {
 protected:
  void SetUp() override {
    AddTankColumns(tree);
    tree.SetOptions({aoRowSelect, aoAutoSort});
    TTreeListNode* cratfield = AddRow(tree, nullptr, {"Cratfield", "2000", "30", "1", "On-line"});
    AddRow(tree, cratfield, {"1/Cratfield", "1000", "0", "0", "On-line"});
    AddRow(tree, cratfield, {"2/Cratfield", "1000", "30", "3", "On-line"});
    TTreeListNode* laxfield = AddRow(tree, nullptr, {"Laxfield", "3000", "1330", "44", "On-line"});
    for (const char* level : {"860", "200", "270"})
      AddRow(tree, laxfield, {"Laxfield tank", "1000", level, "0", "On-line"});
    cratfield->SetExpanded(true);
    dir = fs::temp_directory_path() / ("treelist-export-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    fs::permissions(dir, fs::perms::owner_all);
    fs::remove_all(dir);
  }
  size_t EntriesInDir() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {}));
  }

  TTreeList tree;
  fs::path dir;
};

const char* const kExample =
    "Site/Tank\tCapacity\tLevel\tLevel %\tStatus\r\n\r\n"
    "Cratfield\t2000\t30\t1\tOn-line\r\n"
    "1/Cratfield\t1000\t0\t0\tOn-line\r\n"
    "2/Cratfield\t1000\t30\t3\tOn-line\r\n"
    "Laxfield\t3000\t1330\t44\tOn-line\r\n";

}  // namespace

TEST_F(Export, FileHoldsExactlyTheVisibleRows) {
  const fs::path file = dir / "tanks.txt";
  tree.SaveToTextFile(file.string());
  EXPECT_EQ(ReadFile(file), kExample);
  EXPECT_EQ(EntriesInDir(), 1u);
}

TEST_F(Export, DisplayOrderAndHiddenColumnsDecideTheFields) {
  tree.Columns(2)->SetIndex(0);  // "Level" dragged to the front
  tree.Columns(4)->SetVisible(false);
  tree.Columns(3)->SetBandIndex(-1);
  EXPECT_EQ(tree.HeaderLine(), "Level\tSite/Tank\tCapacity\r\n");
  TStringList lines;
  tree.SaveAllToStrings(lines);
  ASSERT_EQ(lines.Count(), 5);
  EXPECT_EQ(lines[1], "30\tCratfield\t2000");
  EXPECT_EQ(lines[4], "1330\tLaxfield\t3000");
  // A caption can be switched off; the field stays.
  tree.Columns(0)->SetDisableCaption(true);
  EXPECT_EQ(tree.HeaderLine(), "\tSite/Tank\tCapacity\r\n");
}

TEST_F(Export, EmptyAndCollapsedTrees) {
  tree.FullCollapse();
  TStringList lines;
  tree.SaveAllToStrings(lines);
  EXPECT_EQ(lines.Count(), 3);
  tree.ClearNodes();
  const fs::path file = dir / "empty.txt";
  tree.SaveToTextFile(file.string());
  EXPECT_EQ(ReadFile(file), "Site/Tank\tCapacity\tLevel\tLevel %\tStatus\r\n\r\n");
}

TEST_F(Export, SelectedRowsOrFocusedRowToTheClipboard) {
  TMemoryClipboard clipboard;
  tree.CopySelectedToClipboard();  // no clipboard given: nothing happens
  tree.SetClipboard(&clipboard);
  tree.Items(1)->SetFocused(true);
  tree.CopySelectedToClipboard();
  EXPECT_EQ(
      clipboard.Text(),
      "Site/Tank\tCapacity\tLevel\tLevel %\tStatus\r\n\r\nLaxfield\t3000\t1330\t44\tOn-line\r\n");

  tree.SetOptions({aoMultiSelect, aoExtMultiSelect});
  tree.ClearSelection();
  TTreeListNode* laxTank = tree.Items(1)->Items(2);  // under a collapsed site
  laxTank->SetSelected(true);
  tree.Items(0)->Items(1)->SetSelected(true);
  tree.Items(1)->SetSelected(true);
  TStringList lines;
  tree.SaveSelectedToStrings(lines);
  ASSERT_EQ(lines.Count(), 4);
  EXPECT_EQ(lines[1], "2/Cratfield\t1000\t30\t3\tOn-line");
  EXPECT_EQ(lines[2], "Laxfield\t3000\t1330\t44\tOn-line");
  EXPECT_EQ(lines[3], "Laxfield tank\t1000\t270\t0\tOn-line");
  // Ctrl+C copies only with its option.
  clipboard.SetText("");
  TypeChar(tree, 3);
  EXPECT_EQ(clipboard.Text(), "");
  tree.SetOptionsEx(
      TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoAutoCopySelectedToClipboard));
  TypeChar(tree, 3);
  EXPECT_NE(clipboard.Text(), "");
}

TEST_F(Export, FailedSavesKeepTheOldFile) {
  const fs::path file = dir / "tanks.txt";
  { std::ofstream(file, std::ios::binary) << "old contents"; }
  TDiskFull diskFull;
  try {
    tree.SaveToTextFile(file.string(), &diskFull);
    FAIL() << "a failed write was reported as success";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos);
  }
  EXPECT_EQ(ReadFile(file), "old contents");
  EXPECT_EQ(EntriesInDir(), 1u);

  // A name that is a directory, and a folder that does not exist.
  fs::create_directory(dir / "sub");
  EXPECT_THROW(tree.SaveToTextFile((dir / "sub").string()), Exception);
  EXPECT_THROW(tree.SaveToTextFile((dir / "missing" / "x.txt").string()), Exception);
  EXPECT_EQ(EntriesInDir(), 2u);

  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THROW(tree.SaveToTextFile(file.string()), Exception);
  EXPECT_EQ(ReadFile(file), "old contents");
  EXPECT_EQ(EntriesInDir(), 2u);
}
