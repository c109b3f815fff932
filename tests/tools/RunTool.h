#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

struct TRun {
  int ExitCode;
  std::string Out, Err;
};

// Runs a built program with the given arguments (already quoted for the shell) and collects
// what it printed; the scratch files carry the process id, so parallel runs never share them.
inline TRun RunTool(const std::string& program, const std::string& arguments) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path();
  const std::string stem = "tankdemo-tool-test-" + std::to_string(getpid());
  const std::string out = (dir / (stem + ".out")).string();
  const std::string err = (dir / (stem + ".err")).string();
  const std::string command = program + " " + arguments + " >" + out + " 2>" + err;
  const int status = std::system(command.c_str());
  auto slurp = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  };
  TRun run{WEXITSTATUS(status), slurp(out), slurp(err)};
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}
