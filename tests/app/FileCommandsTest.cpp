#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTest>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "app/DemoData.h"
#include "app/FileCommands.h"
#include "app/TankTree.h"
#include "platform/Shell.h"
#include "platform/StringList.h"
#include "support/GuiApp.h"
#include "support/ScriptedDialogs.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The plant's tree as the window shows it after start, the file commands, scripted dialogs
// and a scratch folder that is also the current directory.
class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    ConfigureTankTreeList(tree);
    RandomizeLevels(*sites, random);
    LoadTree(tree, *sites);
    RefreshTree(tree, *sites);
    folder = fs::temp_directory_path() /
             ("tankdemo-files-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    previous = fs::current_path();
    fs::current_path(folder);
  }
  void TearDown() override {
    fs::current_path(previous);
    fs::remove_all(folder);
  }

  std::string Export() {
    TStringList lines;
    tree.SaveAllToStrings(lines);
    return lines.Text();
  }
  std::string In(const std::string& name) const { return (folder / name).string(); }
  // Runs the event loop until every mail hand-off has its outcome.
  void SettleMail() {
    for (int i = 0; i < 500 && commands.Mail().Awaited() > 0; ++i) QTest::qWait(10);
  }

  std::unique_ptr<TSiteList> sites = BuildSites();
  TDemoRandom random;
  TTreeList tree;
  TScriptedDialogs dialogs;
  TFileCommands commands{tree, dialogs};
  fs::path folder, previous;
};

}  // namespace

TEST_F(FileCommandsTest, FirstSaveAsksForANameAndLaterSavesDoNot) {
  commands.Save();
  ASSERT_EQ(dialogs.SaveRequests.size(), 1u);
  EXPECT_EQ(dialogs.SaveRequests[0].FileName, "");
  EXPECT_EQ(dialogs.SaveRequests[0].DefaultSuffix, "txt");
  EXPECT_EQ(dialogs.SaveRequests[0].Filters,
            (std::vector<std::string>{"Text files (*.txt)", "All files (*)"}));
  EXPECT_EQ(commands.FileName(), "") << "a cancelled dialog changes nothing";

  dialogs.SaveAnswers.push_back(In("plant.txt"));
  commands.SaveAs();
  EXPECT_EQ(commands.FileName(), In("plant.txt"));
  EXPECT_EQ(ReadFile(In("plant.txt")), Export());
  EXPECT_TRUE(dialogs.Confirmations.empty());

  tree.Items(0)->SetExpanded(true);
  commands.Save();
  EXPECT_EQ(dialogs.SaveRequests.size(), 2u) << "no dialog once the file has a name";
  EXPECT_EQ(ReadFile(In("plant.txt")), Export());
  EXPECT_NE(Export().find("1/Cratfield"), std::string::npos);
}

TEST_F(FileCommandsTest, ReplacingAFileNeedsAYes) {
  WriteFile(In("old.txt"), "keep me");
  for (TConfirmAnswer answer : {caNo, caCancel}) {
    dialogs.SaveAnswers.push_back(In("old.txt"));
    dialogs.ConfirmAnswers.push_back(answer);
    commands.SaveAs();
    EXPECT_EQ(ReadFile(In("old.txt")), "keep me");
    EXPECT_EQ(commands.FileName(), "");
  }
  EXPECT_EQ(dialogs.Confirmations.back(), "OK to overwrite " + In("old.txt"));

  dialogs.SaveAnswers.push_back(In("old.txt"));
  dialogs.ConfirmAnswers.push_back(caYes);
  commands.SaveAs();
  EXPECT_EQ(ReadFile(In("old.txt")), Export());
  EXPECT_EQ(commands.FileName(), In("old.txt"));
}

TEST_F(FileCommandsTest, NewMakesTheNextSaveAskInTheDocumentsFolder) {
  dialogs.SaveAnswers.push_back(In("a.txt"));
  commands.SaveAs();
  commands.New();
  EXPECT_EQ(commands.FileName(), "Untitled");
  EXPECT_FALSE(commands.Buffer().Modified());
  commands.Save();
  ASSERT_EQ(dialogs.SaveRequests.size(), 2u);
  EXPECT_EQ(dialogs.SaveRequests[1].InitialFolder, DocumentsFolder());
  EXPECT_EQ(dialogs.SaveRequests[1].FileName, "Untitled");
}

TEST_F(FileCommandsTest, AFailedWriteLosesNothing) {
  dialogs.SaveAnswers.push_back(In("kept.txt"));
  commands.SaveAs();
  const std::string saved = ReadFile(In("kept.txt"));

  // A folder that does not exist, and one whose name is taken by a file.
  WriteFile(In("plain"), "x");
  for (const std::string& bad : {In("missing/out.txt"), In("plain/out.txt")}) {
    dialogs.SaveAnswers.push_back(bad);
    commands.SaveAs();
    ASSERT_FALSE(dialogs.Errors.empty());
    EXPECT_NE(dialogs.Errors.back().find(bad), std::string::npos) << dialogs.Errors.back();
    EXPECT_EQ(commands.FileName(), In("kept.txt"));
  }
  EXPECT_EQ(ReadFile(In("kept.txt")), saved);
}

TEST_F(FileCommandsTest, OpenReadsTheFileAndSavingOverItAsksFirst) {
  WriteFile(In("notes.txt"), "my notes\n");
  dialogs.OpenAnswers.push_back(TOpenChoice{In("notes.txt"), true});
  commands.Open();
  EXPECT_EQ(commands.FileName(), In("notes.txt"));
  EXPECT_EQ(commands.Buffer().Text(), "my notes\n");
  EXPECT_TRUE(commands.Buffer().ReadOnly());

  dialogs.ConfirmAnswers.push_back(caNo);
  commands.Save();
  EXPECT_EQ(ReadFile(In("notes.txt")), "my notes\n");
  EXPECT_EQ(dialogs.Confirmations, std::vector<std::string>{"OK to overwrite " + In("notes.txt")});

  dialogs.ConfirmAnswers.push_back(caYes);
  commands.Save();
  EXPECT_EQ(ReadFile(In("notes.txt")), Export());
  commands.Save();  // now it holds our export: no more questions
  EXPECT_EQ(dialogs.Confirmations.size(), 2u);
}

TEST_F(FileCommandsTest, OpenRefusesWhatItCannotRead) {
  WriteFile(In("good.txt"), "good");
  dialogs.OpenAnswers.push_back(TOpenChoice{In("good.txt"), false});
  commands.Open();

  {  // a sparse file just above the limit
    std::ofstream big(In("big.bin"), std::ios::binary);
    big.seekp(static_cast<std::streamoff>(TTextBuffer::kMaxFileSize));
    big.put('x');
  }
  for (const std::string& bad : {In("missing.txt"), In("big.bin"), folder.string()}) {
    dialogs.OpenAnswers.push_back(TOpenChoice{bad, false});
    commands.Open();
    ASSERT_FALSE(dialogs.Errors.empty());
    EXPECT_NE(dialogs.Errors.back().find(bad), std::string::npos) << dialogs.Errors.back();
    EXPECT_EQ(commands.FileName(), In("good.txt"));
    EXPECT_EQ(commands.Buffer().Text(), "good");
  }
  EXPECT_NE(dialogs.Errors[1].find("64 MiB"), std::string::npos);
}

// A pipe has no size to check before reading: the limit holds while the bytes come in.
TEST_F(FileCommandsTest, OpenStopsReadingAPipeAtTheLimit) {
  WriteFile(In("good.txt"), "good");
  dialogs.OpenAnswers.push_back(TOpenChoice{In("good.txt"), false});
  commands.Open();
  const std::string pipe = In("pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::atomic<std::size_t> written{0};
  std::thread writer([&] {
    // The reader gives up first; its close must end this thread's write, not the process.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
    const int fd = ::open(pipe.c_str(), O_WRONLY);
    const std::string block(1 << 16, 'x');
    while (written < 2 * TTextBuffer::kMaxFileSize) {
      const ssize_t n = ::write(fd, block.data(), block.size());
      if (n <= 0) break;
      written += static_cast<std::size_t>(n);
    }
    ::close(fd);
  });
  dialogs.OpenAnswers.push_back(TOpenChoice{pipe, false});
  commands.Open();
  writer.join();
  ASSERT_EQ(dialogs.Errors.size(), 1u);
  EXPECT_NE(dialogs.Errors[0].find("64 MiB"), std::string::npos) << dialogs.Errors[0];
  EXPECT_LT(written, 2 * TTextBuffer::kMaxFileSize) << "read to the end instead of stopping";
  EXPECT_GT(written, TTextBuffer::kMaxFileSize);
  EXPECT_EQ(commands.Buffer().Text(), "good");
  EXPECT_EQ(commands.FileName(), In("good.txt"));
}

TEST_F(FileCommandsTest, SendHandsTheExportToTheMailProgram) {
  const std::string recorder = In("xdg-email");
  WriteFile(recorder, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + In("args") + "\"\n");
  ::chmod(recorder.c_str(), 0755);
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", (folder.string() + ":" + path).c_str(), 1);
  commands.Send();
  ::setenv("PATH", path.c_str(), 1);
  SettleMail();

  EXPECT_TRUE(dialogs.Errors.empty());
  EXPECT_EQ(ReadFile(In("tankdemo.txt")), Export());
  EXPECT_EQ(ReadFile(In("args")), "--body\n" + Export() + "\n");
  EXPECT_EQ(Export().find("1/Cratfield"), std::string::npos) << "collapsed rows stay out";
}

TEST_F(FileCommandsTest, AFailedSendSaysSoAndKeepsTheFile) {
  WriteFile(In("fails"), "#!/bin/sh\nexit 3\n");
  WriteFile(In("fails-later"), "#!/bin/sh\nsleep 0.3\nexit 3\n");  // after the first look
  ::chmod(In("fails").c_str(), 0755);
  ::chmod(In("fails-later").c_str(), 0755);
  for (const std::string& program : {In("fails-later"), In("fails"), In("no-such-mailer")}) {
    const size_t errors = dialogs.Errors.size();
    commands.SetMailProgram(program);
    commands.Send();
    SettleMail();
    ASSERT_EQ(dialogs.Errors.size(), errors + 1) << program;
    EXPECT_EQ(dialogs.Errors.back(), "Error sending mail");
    EXPECT_EQ(ReadFile(In("tankdemo.txt")), Export());
  }
}

// Save and Save As at the edges of names: the longest name the folder takes (cut for any
// temporary name in the middle of a character), a link whose target gets the export, and a
// name one byte too long, whose error reaches the user with the old name kept.
TEST_F(FileCommandsTest, SavesAtTheEdgesOfNames) {
  std::string longest = "x";
  while (longest.size() < 255) longest += "\xc3\xa9";  // é, two bytes
  longest.resize(255);
  WriteFile(In("target.txt"), "old");
  fs::create_symlink(In("target.txt"), In("link.txt"));
  for (const std::string& name : {longest, std::string("link.txt")}) {
    SCOPED_TRACE(name.size());
    const bool exists = fs::exists(In(name));
    dialogs.SaveAnswers.push_back(In(name));
    if (exists) dialogs.ConfirmAnswers.push_back(caYes);
    commands.SaveAs();
    EXPECT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.back();
    commands.Save();  // over the same name, without asking
    EXPECT_EQ(ReadFile(In(name)), Export());
    EXPECT_EQ(commands.FileName(), In(name));
  }
  EXPECT_TRUE(fs::is_symlink(In("link.txt")));
  EXPECT_EQ(ReadFile(In("target.txt")), Export());
  dialogs.SaveAnswers.push_back(In(std::string(256, 'n')));
  commands.SaveAs();
  ASSERT_EQ(dialogs.Errors.size(), 1u);
  EXPECT_NE(dialogs.Errors.back().find(std::strerror(ENAMETOOLONG)), std::string::npos)
      << dialogs.Errors.back();
  EXPECT_EQ(commands.FileName(), In("link.txt"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3);
}
