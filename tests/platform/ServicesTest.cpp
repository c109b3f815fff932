#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/acl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/Exception.h"
#include "platform/LocaleText.h"
#include "platform/Shell.h"
#include "support/ErrorText.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

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
  enum Step { kWrite, kSync, kRename, kCreateTemp, kCopyAttributes } step;
  explicit FailingOps(Step s) : step(s) {}
  int CreateTemp(std::string& pathTemplate) override {
    if (step != kCreateTemp) return TFileOps::CreateTemp(pathTemplate);
    errno = EACCES;  // as a folder the user may not write
    return -1;
  }
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
  bool CopyAttributes(int from, int to) override {
    if (step == kCopyAttributes) {
      errno = EPERM;  // as an attribute only the system may set
      return false;
    }
    return TFileOps::CopyAttributes(from, to);
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

ino_t Inode(const fs::path& p) {
  struct stat st {};
  return ::stat(p.c_str(), &st) == 0 ? st.st_ino : 0;
}

mode_t Mode(const fs::path& p) {
  struct stat st {};
  return ::stat(p.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

TEST(AtomicFileTest, FilesWithSeveralNamesPipesAndDevicesAreWrittenWhereTheyStand) {
  TempDir dir;
  // Every name of a file sees the new text, the longer and then the shorter one.
  const fs::path first = dir.path / "first.txt", second = dir.path / "second.txt";
  std::ofstream(first) << "old text";
  fs::create_hard_link(first, second);
  const ino_t inode = Inode(first);
  WriteFileAtomically(second.string(), "the new, longer text");
  EXPECT_EQ(ReadAll(first), "the new, longer text");
  WriteFileAtomically(first.string(), "short");
  EXPECT_EQ(ReadAll(second), "short");
  EXPECT_EQ(Inode(first), inode);
  EXPECT_EQ(Inode(second), inode);

  // A named pipe without a reader is refused at once; with one, it gets the text and stays.
  const fs::path pipe = dir.path / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_THAT(ErrorOf([&] { WriteFileAtomically(pipe.string(), "x"); }),
              HasSubstr("\"" + pipe.string() + "\". No program is reading"));
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  WriteFileAtomically(pipe.string(), "through the pipe");
  char buf[64] = {};
  EXPECT_EQ(::read(reader, buf, sizeof buf), 16);
  EXPECT_EQ(std::string(buf), "through the pipe");
  ::close(reader);
  EXPECT_TRUE(fs::is_fifo(pipe));

  // A character device of our own (a copy of /dev/null), never a system one: a faulty writer
  // would replace it.
  const fs::path device = dir.path / "null";
  if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0 &&
      ::access(device.c_str(), W_OK) == 0 && std::ofstream(device).good()) {
    WriteFileAtomically(device.string(), "into a character device");
    EXPECT_TRUE(fs::is_character_file(device));
  } else {
    std::cout << "[ SKIPPED  ] no device node can be made or opened here\n";
    fs::remove(device);
    std::ofstream(device) << "stand-in";
  }

  // A folder is refused and left alone; no temporary file stays anywhere.
  fs::create_directory(dir.path / "folder");
  EXPECT_THAT(ErrorOf([&] { WriteFileAtomically((dir.path / "folder").string(), "x"); }),
              HasSubstr("It is a folder"));
  EXPECT_TRUE(fs::is_empty(dir.path / "folder"));
  EXPECT_EQ(dir.FileCount(), 5);
}

TEST(AtomicFileTest, AFolderThatTakesNoNewFilesStillLetsItsFilesBeRewritten) {
  TempDir dir;
  const fs::path old = dir.path / "old.txt";
  std::ofstream(old) << "old";
  const ino_t inode = Inode(old);
  FailingOps noNewFiles(FailingOps::kCreateTemp);
  WriteFileAtomically(old.string(), "new", &noNewFiles);
  EXPECT_EQ(ReadAll(old), "new");
  EXPECT_EQ(Inode(old), inode);
  const std::string fresh = (dir.path / "fresh.txt").string();
  EXPECT_THAT(ErrorOf([&] { WriteFileAtomically(fresh, "x", &noNewFiles); }),
              HasSubstr("\"" + fresh + "\""));
  EXPECT_FALSE(fs::exists(fresh));
}

TEST(AtomicFileTest, AReplacedFileKeepsItsModeAndANewOneFollowsTheUmask) {
  TempDir dir;
  const mode_t saved = ::umask(0);
  for (const mode_t mask : {022, 027, 002, 077}) {
    ::umask(mask);
    const fs::path fresh = dir.path / ("new-" + std::to_string(mask));
    WriteFileAtomically(fresh.string(), "x");
    EXPECT_EQ(Mode(fresh), 0666 & ~mask) << std::oct << mask;
  }
  ::umask(022);
  const fs::path kept = dir.path / "kept";
  std::ofstream(kept) << "old";
  for (const mode_t mode : {0640, 0604, 0755, 0600, 0664}) {
    ::chmod(kept.c_str(), mode);
    WriteFileAtomically(kept.string(), "new");
    EXPECT_EQ(Mode(kept), mode) << std::oct << mode;
  }
  ::umask(saved);
}

// The access control list of a file as text.
std::string AclText(const fs::path& p) {
  const acl_t acl = acl_get_file(p.c_str(), ACL_TYPE_ACCESS);
  if (!acl) return "none";
  char* text = acl_to_text(acl, nullptr);
  const std::string result = text ? text : "";
  acl_free(text);
  acl_free(acl);
  return result;
}

// Lets another user read and write the file while its group only reads; false where the
// file system takes no ACL.
bool GrantAnotherUser(const fs::path& p) {
  const std::string text =
      "u::rw-,u:" + std::to_string(::getuid() + 1) + ":rw-,g::r--,m::rw-,o::---";
  const acl_t acl = acl_from_text(text.c_str());
  const bool granted = acl && acl_set_file(p.c_str(), ACL_TYPE_ACCESS, acl) == 0;
  if (acl) acl_free(acl);
  return granted;
}

// Replaced through a new file, rewritten where it has several names, or rewritten because
// its attributes cannot be copied: the file keeps its ACL and its extended attributes.
TEST(AtomicFileTest, AReplacedFileKeepsItsAclAndExtendedAttributes) {
  TempDir dir;
  enum TWay { kRenamed, kSeveralNames, kNotCopyable };
  for (TWay way : {kRenamed, kSeveralNames, kNotCopyable}) {
    SCOPED_TRACE(testing::Message() << "way " << way);
    const fs::path file = dir.path / ("acl-" + std::to_string(way));
    std::ofstream(file) << "old";
    ::chmod(file.c_str(), 0640);
    if (!GrantAnotherUser(file)) GTEST_SKIP() << "the file system here takes no ACL";
    const bool xattrs = ::setxattr(file.c_str(), "user.tankdemo", "kept", 4, 0) == 0;
    if (way == kSeveralNames) fs::create_hard_link(file, dir.path / "second-name");
    const std::string acl = AclText(file);
    const ino_t inode = Inode(file);
    FailingOps noCopy(FailingOps::kCopyAttributes);
    WriteFileAtomically(file.string(), "new", way == kNotCopyable ? &noCopy : nullptr);
    EXPECT_EQ(ReadAll(file), "new");
    EXPECT_EQ(AclText(file), acl);
    EXPECT_EQ(Mode(file), 0660u) << "the group's bits are the list's mask";
    if (xattrs) {
      char value[16] = {};
      EXPECT_EQ(::getxattr(file.c_str(), "user.tankdemo", value, sizeof value), 4);
      EXPECT_STREQ(value, "kept");
    }
    EXPECT_EQ(Inode(file) == inode, way != kRenamed);
  }
}

// Names up to the longest the folder takes, new and replaced: the temporary name still fits.
TEST(AtomicFileTest, EveryNameTheFolderTakesCanBeWritten) {
  TempDir dir;
  for (std::size_t length : {200u, 248u, 249u, 254u, 255u}) {
    const fs::path file = dir.path / std::string(length, 'n');
    WriteFileAtomically(file.string(), "new");
    EXPECT_EQ(ReadAll(file), "new") << length;
    WriteFileAtomically(file.string(), "replaced");
    EXPECT_EQ(ReadAll(file), "replaced") << length;
    fs::remove(file);
    EXPECT_EQ(dir.FileCount(), 0) << length;
  }
}

// Sets or clears the immutable flag of a file or folder; false where that is not allowed here.
bool SetImmutable(const fs::path& p, bool on) {
  const int fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
  done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  ::close(fd);
  return done;
}

// A folder's default access list (or none) as text.
std::string DefaultAclText(const fs::path& p) {
  const acl_t acl = acl_get_file(p.c_str(), ACL_TYPE_DEFAULT);
  if (!acl) return "none";
  char* text = acl_to_text(acl, nullptr);
  const std::string result = text ? text : "";
  acl_free(text);
  acl_free(acl);
  return result;
}

// Saving where the folder has a say: a default access list, attributes in the user and trusted
// namespaces, a folder that takes no new files, a file that cannot change. A new file gets what
// a plain create gets there; a replaced one keeps what it had; a refused save throws and leaves
// the old bytes as they were.
TEST(AtomicFileTest, FoldersWithDefaultListsAndFilesThatCannotChange) {
  TempDir dir;
  const fs::path folder = dir.path / "shared";
  fs::create_directories(folder);
  const std::string other = std::to_string(::getuid() + 1);
  const acl_t inherited =
      acl_from_text(("u::rwx,u:" + other + ":rw-,g::r-x,m::rwx,o::---").c_str());
  const bool withDefault =
      inherited && acl_set_file(folder.c_str(), ACL_TYPE_DEFAULT, inherited) == 0;
  if (inherited) acl_free(inherited);
  if (!withDefault) GTEST_SKIP() << "the file system here takes no ACL";
  const std::string folderList = DefaultAclText(folder);
  const mode_t savedMask = ::umask(022);
  // A plain create in the same folder, for comparison.
  const fs::path plain = folder / "plain";
  ::close(::open(plain.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0666));
  const fs::path fresh = folder / "fresh";
  WriteFileAtomically(fresh.string(), "new");
  EXPECT_EQ(AclText(fresh), AclText(plain)) << "a new file takes the folder's default list";
  EXPECT_EQ(Mode(fresh), Mode(plain));

  // An old file with no list of its own and attributes in two namespaces keeps exactly those.
  const fs::path old = folder / "old";
  std::ofstream(old) << "old";
  const acl_t minimal = acl_from_text("u::rw-,g::r--,o::---");
  ASSERT_EQ(acl_set_file(old.c_str(), ACL_TYPE_ACCESS, minimal), 0);
  acl_free(minimal);
  const bool user = ::setxattr(old.c_str(), "user.tankdemo", "u", 1, 0) == 0;
  const bool trusted = ::setxattr(old.c_str(), "trusted.tankdemo", "t", 1, 0) == 0;
  const std::string before = AclText(old);
  WriteFileAtomically(old.string(), "replaced");
  EXPECT_EQ(ReadAll(old), "replaced");
  EXPECT_EQ(AclText(old), before) << "nothing taken over from the folder's default list";
  EXPECT_EQ(Mode(old), 0640u);
  for (const char* name :
       {user ? "user.tankdemo" : nullptr, trusted ? "trusted.tankdemo" : nullptr}) {
    if (!name) continue;
    char value[4] = {};
    EXPECT_EQ(::getxattr(old.c_str(), name, value, sizeof value), 1) << name;
  }

  // A folder that takes no new files: an old file is rewritten in place, a new one refused.
  if (!SetImmutable(folder, true)) GTEST_SKIP() << "no immutable folders here";
  WriteFileAtomically(old.string(), "in place");
  EXPECT_EQ(ReadAll(old), "in place");
  EXPECT_THROW(WriteFileAtomically((folder / "refused").string(), "new"), Exception);
  EXPECT_FALSE(fs::exists(folder / "refused"));
  SetImmutable(folder, false);
  // A file that cannot change: refused, and its bytes stay.
  ASSERT_TRUE(SetImmutable(old, true));
  EXPECT_THROW(WriteFileAtomically(old.string(), "lost"), Exception);
  EXPECT_EQ(ReadAll(old), "in place");
  SetImmutable(old, false);
  EXPECT_EQ(DefaultAclText(folder), folderList) << "the folder keeps its list";
  ::umask(savedMask);
}

// Names the folder takes, cut for the temporary name in the middle of a character, new and
// replaced; a name one byte too long is refused with the system's reason and leaves nothing.
TEST(AtomicFileTest, MultibyteNamesAtTheLongestAndOneByteOver) {
  TempDir dir;
  std::string accented = "x";
  while (accented.size() < 255) accented += "\xc3\xa9";  // é, two bytes
  accented.resize(255);                                  // 1 + 127 * 2
  const fs::path file = dir.path / accented;
  WriteFileAtomically(file.string(), "new");
  EXPECT_EQ(ReadAll(file), "new");
  WriteFileAtomically(file.string(), "replaced");
  EXPECT_EQ(ReadAll(file), "replaced");
  EXPECT_EQ(dir.FileCount(), 1);
  fs::remove(file);
  const fs::path tooLong = dir.path / std::string(256, 'n');
  EXPECT_THAT(ErrorOf([&] { WriteFileAtomically(tooLong.string(), "new"); }),
              HasSubstr(std::strerror(ENAMETOOLONG)));
  EXPECT_EQ(dir.FileCount(), 0);
}

// The hand-off's outcome once its program has ended (a test may wait; the window never does).
TMailState Outcome(TMailHandOff& handOff) {
  for (int i = 0; i < 1000 && handOff.Poll() == msRunning; ++i) ::usleep(10000);
  return handOff.Poll();
}

TEST(ShellTest, MailHandOffReportsEveryFailure) {
  TMailHandOff empty("", "true");
  EXPECT_EQ(empty.Poll(), msFailed);
  EXPECT_FALSE(empty.Reason().empty());

  TMailHandOff missing("body", "/nonexistent/mail-program");
  EXPECT_EQ(missing.Poll(), msFailed) << "known before the hand-off returns";
  EXPECT_THAT(missing.Reason(), HasSubstr("\"/nonexistent/mail-program\" could not be started"));

  TMailHandOff refused("body", "false");
  EXPECT_EQ(Outcome(refused), msFailed);
  EXPECT_THAT(refused.Reason(), HasSubstr("exit code 1"));

  TMailHandOff accepted("line 1\r\nline 2\t\"quoted\"", "true");
  EXPECT_EQ(Outcome(accepted), msSucceeded);
  EXPECT_TRUE(accepted.Reason().empty());
  EXPECT_FALSE(DocumentsFolder().empty());
}

TEST(ShellTest, AMailProgramThatStaysOpenIsLeftRunning) {
  TempDir dir;
  const fs::path program = dir.path / "mailer", pidFile = dir.path / "pid";
  std::ofstream(program) << "#!/bin/sh\necho $$ > '" << pidFile.string() << "'\nexec sleep 30\n";
  fs::permissions(program, fs::perms::owner_all);
  pid_t pid = 0;
  {
    TMailHandOff handOff("body", program.string());
    for (int i = 0; i < 1000 && ReadAll(pidFile).empty(); ++i) ::usleep(10000);
    pid = std::atoi(ReadAll(pidFile).c_str());
    ASSERT_GT(pid, 0);
    EXPECT_EQ(handOff.Poll(), msRunning);
  }
  EXPECT_EQ(::kill(pid, 0), 0) << "the mail client went with the hand-off";
  ::kill(pid, SIGTERM);
  ::waitpid(pid, nullptr, 0);
}

TEST(LocaleTextTest, UpperCaseAndComparisonIgnoreCaseOnlyWhenAsked) {
  EXPECT_EQ(AnsiUpperCase("tank \xC3\xA4x"), "TANK \xC3\x84X");  // a-umlaut
  EXPECT_EQ(AnsiCompareText("Tank", "tANK"), 0);
  EXPECT_LT(AnsiCompareText("alpha", "Beta"), 0);
  EXPECT_NE(AnsiCompareStr("Tank", "tank"), 0);
  EXPECT_EQ(AnsiCompareStr("", ""), 0);
}
