// Runs the benchmarks inside a QApplication on Qt's offscreen platform, so that the Qt peers
// can create their views without a display, and ends with how many times faster ours is
// than each peer: cases named Case/ours/size pair up with Case/<peer>/size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        times_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    bool header = false;
    for (const auto& [name, ours] : times_) {
      const size_t first = name.find("/ours/");
      if (first == std::string::npos) continue;
      const std::string kase = name.substr(0, first), size = name.substr(first + 6);
      for (const auto& [peerName, peer] : times_) {
        const size_t slash = peerName.find('/');
        const size_t second = peerName.find('/', slash + 1);
        if (slash == std::string::npos || second == std::string::npos) continue;
        if (peerName.substr(0, slash) != kase || peerName.substr(second + 1) != size) continue;
        const std::string who = peerName.substr(slash + 1, second - slash - 1);
        if (who == "ours") continue;
        if (!header) {
          std::printf("\nours against the peers (peer time / our time; above 1 means ours is faster)\n");
          header = true;
        }
        std::printf("  %-40s %-12s %8.2fx\n", (kase + "/" + size).c_str(), who.c_str(),
                    ours > 0 ? peer / ours : 0.0);
      }
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
