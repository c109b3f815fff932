#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Exception.h"
#include "platform/StringList.h"

TEST(StringList, TextEndsEveryLineWithCrLf) {
  TStringList lines;
  EXPECT_EQ(lines.Text(), "");
  lines.Add("a\tb");
  lines.Add("");
  lines.Add("line\r\n");  // kept as given
  EXPECT_EQ(lines.Count(), 3);
  EXPECT_EQ(lines.Text(), "a\tb\r\n\r\nline\r\n\r\n");
  EXPECT_THROW(lines.Strings(3), EListError);
  EXPECT_THROW(lines[-1], EListError);
}

TEST(StringList, SaveToFileReplacesTheFile) {
  namespace fs = std::filesystem;
  const fs::path file = fs::temp_directory_path() / ("stringlist-" + std::to_string(getpid()));
  { std::ofstream(file) << "a much longer old text than the new one"; }
  TStringList lines;
  lines.Add("x");
  lines.SaveToFile(file.string());
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "x\r\n");
  fs::remove(file);
}
