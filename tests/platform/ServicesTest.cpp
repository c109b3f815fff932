#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/Exception.h"
#include "platform/LocaleText.h"
#include "platform/Shell.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct TempDir {
  fs::path path;
  TempDir() {
    path = fs::temp_directory_path() / ("tankdemo-pf-" + std::to_string(::getpid()));
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempDir() { fs::remove_all(path); }
  int FileCount() const {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(path)) ++n;
    return n;
  }
};

// Fails one step of the write.
class FailingOps : public TFileOps {
 public:
  enum Step { kWrite, kSync, kRename } step;
  explicit FailingOps(Step s) : step(s) {}
  bool Write(int fd, const char* d, std::size_t n) override {
    if (step == kWrite) {
      TFileOps::Write(fd, d, n / 2);  // a partial write first
      errno = ENOSPC;
      return false;
    }
    return TFileOps::Write(fd, d, n);
  }
  bool Sync(int fd) override {
    if (step == kSync) {
      errno = EIO;
      return false;
    }
    return TFileOps::Sync(fd);
  }
  bool Rename(const std::string& a, const std::string& b) override {
    if (step == kRename) {
      errno = EXDEV;
      return false;
    }
    return TFileOps::Rename(a, b);
  }
};

}  // namespace

TEST(AtomicFileTest, ReplacesTheFileWholeOrNotAtAll) {
  TempDir dir;
  const std::string target = (dir.path / "export.txt").string();
  WriteFileAtomically(target, "first\r\n");
  EXPECT_EQ(ReadAll(target), "first\r\n");
  WriteFileAtomically(target, "second, longer\r\n");
  EXPECT_EQ(ReadAll(target), "second, longer\r\n");

  for (auto step : {FailingOps::kWrite, FailingOps::kSync, FailingOps::kRename}) {
    FailingOps ops(step);
    try {
      WriteFileAtomically(target, std::string(10000, 'x'), &ops);
      FAIL() << "a failed write reported success";
    } catch (const Exception& e) {
      EXPECT_NE(e.Message().find(target), std::string::npos) << e.Message();
    }
    EXPECT_EQ(ReadAll(target), "second, longer\r\n");
    EXPECT_EQ(dir.FileCount(), 1) << "temporary file left behind";
  }

  // A folder that does not exist: nothing created, the error names the file.
  const std::string missing = (dir.path / "no" / "such.txt").string();
  EXPECT_THROW(WriteFileAtomically(missing, "x"), Exception);
  EXPECT_FALSE(fs::exists(missing));
}

TEST(AtomicFileTest, WritingThroughALinkKeepsTheLink) {
  TempDir dir;
  fs::create_directories(dir.path / "real");
  const fs::path target = dir.path / "real" / "data.txt";
  std::ofstream(target) << "old";
  // A relative link to a relative link, both followed.
  fs::create_symlink("real/data.txt", dir.path / "inner");
  fs::create_symlink("inner", dir.path / "outer");
  WriteFileAtomically((dir.path / "outer").string(), "new");
  EXPECT_TRUE(fs::is_symlink(dir.path / "outer"));
  EXPECT_TRUE(fs::is_symlink(dir.path / "inner"));
  EXPECT_EQ(ReadAll(target), "new");

  // A link whose target does not exist yet creates the target.
  fs::create_symlink("real/later.txt", dir.path / "dangling");
  WriteFileAtomically((dir.path / "dangling").string(), "made");
  EXPECT_TRUE(fs::is_symlink(dir.path / "dangling"));
  EXPECT_EQ(ReadAll(dir.path / "real" / "later.txt"), "made");

  // A loop of links fails with the user's name in the message and leaves the links alone.
  fs::create_symlink("loop-b", dir.path / "loop-a");
  fs::create_symlink("loop-a", dir.path / "loop-b");
  const std::string loop = (dir.path / "loop-a").string();
  try {
    WriteFileAtomically(loop, "x");
    FAIL() << "writing through a loop of links reported success";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find(loop), std::string::npos) << e.Message();
  }
  EXPECT_TRUE(fs::is_symlink(loop));
}

TEST(ShellTest, MailHandOffReportsEveryFailure) {
  const TMailResult empty = SendMailBody("", "true");
  EXPECT_FALSE(empty.ok);
  EXPECT_FALSE(empty.reason.empty());

  const TMailResult missing = SendMailBody("body", "/nonexistent/mail-program");
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.reason.find("/nonexistent/mail-program"), std::string::npos);

  const TMailResult refused = SendMailBody("body", "false");
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.reason.find("exit code 1"), std::string::npos);

  EXPECT_TRUE(SendMailBody("line 1\r\nline 2\t\"quoted\"", "true").ok);
  EXPECT_FALSE(DocumentsFolder().empty());
}

TEST(LocaleTextTest, UpperCaseAndComparisonIgnoreCaseOnlyWhenAsked) {
  EXPECT_EQ(AnsiUpperCase("tank \xC3\xA4x"), "TANK \xC3\x84X");  // a-umlaut
  EXPECT_EQ(AnsiCompareText("Tank", "tANK"), 0);
  EXPECT_LT(AnsiCompareText("alpha", "Beta"), 0);
  EXPECT_NE(AnsiCompareStr("Tank", "tank"), 0);
  EXPECT_EQ(AnsiCompareStr("", ""), 0);
}
