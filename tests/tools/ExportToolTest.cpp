#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ExportArgs.h"
#include "PlantExport.h"
#include "RunTool.h"
#include "app/DemoData.h"

namespace {

TRun RunExport(const std::string& arguments) {
  return RunTool(TANKDEMO_EXPORT_PATH, arguments);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0, end;
  while ((end = text.find("\r\n", start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
  return lines;
}

std::string Field(const std::string& line, int index) {
  size_t start = 0;
  for (int i = 0; i < index; ++i) start = line.find('\t', start) + 1;
  return line.substr(start, line.find('\t', start) - start);
}

}  // namespace

TEST(ExportArgsTest, Arguments) {
  std::string error;
  auto args = ParseExportArgs(
      {"--steps", "3", "--expand", "--sort", "Level %:down", "--output", "x.txt"}, error);
  ASSERT_TRUE(args);
  EXPECT_EQ(args->Steps, 3);
  EXPECT_TRUE(args->Expand);
  EXPECT_EQ(args->SortCaption, "Level %");
  EXPECT_EQ(args->SortDirection, csDown);
  EXPECT_EQ(args->Output, "x.txt");
  args = ParseExportArgs({"--sort", "Site/Tank"}, error);
  ASSERT_TRUE(args);
  EXPECT_EQ(args->SortDirection, csUp);
  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--steps"},
                                              {"--steps", "-1"},
                                              {"--steps", "2x"},
                                              {"--sort", ":up"},
                                              {"--output", ""},
                                              {"extra"},
                                              {"--colour"}})
    EXPECT_FALSE(ParseExportArgs(bad, error)) << bad[0];
}

TEST(ExportToolTest, ExitCodesAndUsage) {
  TRun run = RunExport("--steps nine");
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1);
  EXPECT_NE(run.Err.find("usage: tankdemo-export"), std::string::npos);
  EXPECT_TRUE(run.Out.empty());
  run = RunExport("--sort Pressure");
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_NE(run.Err.find("Pressure"), std::string::npos);
  run = RunExport("--help");
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_NE(run.Out.find("--expand"), std::string::npos);
  // A file that cannot be written: exit 1 and a message naming it.
  run = RunExport("--output /nonexistent-folder/out.txt");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Err.find("/nonexistent-folder/out.txt"), std::string::npos);
}

TEST(ExportToolTest, OutputAfterStepsMatchesTheModel) {
  const TRun run = RunExport("--steps 5 --expand");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  const std::vector<std::string> lines = Lines(run.Out);
  ASSERT_EQ(lines.size(), 2u + 12 + 37);
  EXPECT_EQ(lines[0], "Site/Tank\tCapacity\tLevel\tLevel %\tStatus");
  EXPECT_EQ(lines[1], "");
  auto sites = BuildSites();
  TDemoRandom random;
  RandomizeLevels(*sites, random);
  for (int i = 0; i < 5; ++i) SimulateStep(*sites, random);
  size_t row = 2;
  for (int32_t s = 0; s < sites->Count(); ++s) {
    const TSite& site = sites->GetSite(s);
    EXPECT_EQ(lines[row++], site.Name() + "\t" + std::to_string(site.GetCapacity()) + "\t" +
                                std::to_string(site.GetLevel()) + "\t" +
                                std::to_string(site.GetPercent()) + "\tOn-line");
    for (int32_t t = 0; t < site.Count(); ++t) {
      const TTank& tank = site.GetTank(t);
      EXPECT_EQ(lines[row++], site.GetTankLabel(t) + "\t" + std::to_string(tank.Capacity()) + "\t" +
                                  std::to_string(tank.Level()) + "\t" +
                                  std::to_string(tank.GetPercent()) + "\tOn-line");
    }
  }
}

TEST(ExportToolTest, SortedAndWrittenToAFile) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "tankdemo-export-sorted.txt").string();
  const TRun run = RunExport("--sort Capacity:down --output " + path);
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_TRUE(run.Out.empty());
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  const std::vector<std::string> lines = Lines(text.str());
  ASSERT_EQ(lines.size(), 14u);
  // Texts compare byte-wise: "8000" sorts above "10000" when descending.
  EXPECT_EQ(Field(lines[2], 1), "8000");
  EXPECT_EQ(Field(lines[13], 1), "10000");
  std::filesystem::remove(path);
}

TEST(ExportToolTest, SortingUpPutsTenThousandFirst) {
  TTreeList tree;
  TExportArgs args;
  args.SortCaption = "Capacity";
  FillPlantTree(tree, args);
  const std::vector<std::string> lines = Lines(ExportText(tree));
  EXPECT_EQ(Field(lines[2], 0), "Cookley");
  EXPECT_EQ(Field(lines[2], 1), "10000");
}

TEST(ExportToolTest, OutputAfterStepsIsByteForByteAsPinned) {
  // Pinned bytes, not a second run of the same library code: a fault in the simulation or
  // the export shows here even when both sides would share it.
  const std::string pinned = TANKDEMO_EXPECTED_DIR "/export-steps5-expanded.txt";
  std::ifstream in(pinned, std::ios::binary);
  ASSERT_TRUE(in) << pinned;
  std::stringstream expected;
  expected << in.rdbuf();
  const TRun run = RunExport("--steps 5 --expand");
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, expected.str());
}

TEST(ExportArgsTest, StepsAtTheirBounds) {
  std::string error;
  for (const char* steps : {"0", "100000000"}) {
    const auto args = ParseExportArgs({"--steps", steps}, error);
    ASSERT_TRUE(args) << steps << ": " << error;
    EXPECT_EQ(args->Steps, std::stoi(steps));
  }
  EXPECT_FALSE(ParseExportArgs({"--steps", "100000001"}, error));
  EXPECT_NE(error.find("0 to 100000000"), std::string::npos) << error;
  const auto defaults = ParseExportArgs({}, error);
  ASSERT_TRUE(defaults);
  EXPECT_EQ(defaults->Steps, 0);
}

namespace {

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct stat StatOf(const std::filesystem::path& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st;
}

// A scratch folder the writer owns, holding its own copy of the tool (the build tree may lie
// where an ordinary user cannot reach). As root the tool runs as nobody, for whom permissions
// count; empty prefix when that cannot be done.
struct TUnprivilegedRun {
  std::filesystem::path Dir;
  std::string Tool, Prefix;
  bool Possible = true;

  TUnprivilegedRun() {
    Dir = std::filesystem::temp_directory_path() / ("tankdemo-perm-" + std::to_string(getpid()));
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    Tool = (Dir / "tankdemo-export").string();
    std::filesystem::copy_file(TANKDEMO_EXPORT_PATH, Tool);
    ::chmod(Dir.c_str(), 0755);
    if (::geteuid() != 0) return;
    Prefix = SanitizerOptions() + "setpriv --reuid=nobody --regid=nogroup --clear-groups ";
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody) Own(Dir, nobody->pw_uid, nobody->pw_gid);
    // The scratch folder must be reachable for nobody (a private TMPDIR is not).
    Possible =
        nobody &&
        std::system(
            (Prefix + "test -w " + Dir.string() + " -a -x " + Tool + " 2>/dev/null").c_str()) == 0;
  }
  // Under the sanitizers, the leak checker's suppressions move into the scratch folder, where
  // nobody can read them.
  std::string SanitizerOptions() const {
    const char* options = std::getenv("LSAN_OPTIONS");
    const std::string text = options ? options : "";
    const std::size_t at = text.find("suppressions=");
    if (at == std::string::npos) return "";
    const std::size_t start = at + 13, end = text.find(':', start);
    const std::string file = text.substr(start, end == std::string::npos ? end : end - start);
    const std::filesystem::path copy = Dir / "lsan.supp";
    std::error_code error;
    std::filesystem::copy_file(file, copy, error);
    return "env LSAN_OPTIONS=" + text.substr(0, start) + copy.string() +
           (end == std::string::npos ? "" : text.substr(end)) + " ";
  }
  ~TUnprivilegedRun() {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Dir))
      ::chmod(entry.path().c_str(), 0755);
    std::filesystem::remove_all(Dir);
  }
  static void Own(const std::filesystem::path& path, uid_t uid, gid_t gid) {
    ::chown(path.c_str(), uid, gid);
    if (std::filesystem::is_directory(path))
      for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
        ::chown(entry.path().c_str(), uid, gid);
  }
  void OwnAll() {
    if (const passwd* nobody = ::geteuid() == 0 ? ::getpwnam("nobody") : nullptr)
      Own(Dir, nobody->pw_uid, nobody->pw_gid);
  }
  TRun Export(const std::filesystem::path& output) {
    return RunTool(Prefix + Tool, "--output " + output.string());
  }
};

}  // namespace

// As a plain create-or-replace would: a read-only file is refused and kept; a read-only
// folder still lets its writable files be rewritten, but takes no new ones.
TEST(ExportToolTest, AnOrdinaryUserCannotReplaceAReadOnlyFile) {
  TUnprivilegedRun run;
  if (!run.Possible)
    GTEST_SKIP() << "cannot run the tool as nobody here (setpriv failed, or nobody cannot "
                    "reach the scratch folder)";
  const std::string expected = RunExport("").Out;
  const std::filesystem::path readOnly = run.Dir / "read-only.txt";
  const std::filesystem::path folder = run.Dir / "locked", inside = folder / "inside.txt";
  std::ofstream(readOnly) << "keep me";
  std::filesystem::create_directory(folder);
  std::ofstream(inside) << "old";
  run.OwnAll();
  ::chmod(readOnly.c_str(), 0444);
  ::chmod(inside.c_str(), 0644);
  ::chmod(folder.c_str(), 0555);

  TRun result = run.Export(readOnly);
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_NE(result.Err.find("\"" + readOnly.string() + "\""), std::string::npos) << result.Err;
  EXPECT_NE(result.Err.find("Permission denied"), std::string::npos) << result.Err;
  EXPECT_EQ(Slurp(readOnly), "keep me");
  EXPECT_EQ(StatOf(readOnly).st_mode & 07777, 0444u);

  const ino_t inode = StatOf(inside).st_ino;
  result = run.Export(inside);
  EXPECT_EQ(result.ExitCode, 0) << result.Err;
  EXPECT_EQ(Slurp(inside), expected);
  EXPECT_EQ(StatOf(inside).st_ino, inode);
  result = run.Export(folder / "new.txt");
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(folder / "new.txt"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}
