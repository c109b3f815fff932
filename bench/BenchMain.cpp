// Runs the benchmarks inside a QApplication on Qt's offscreen platform, so that the Qt peers
// can create their views without a display, and ends with how many times faster ours is
// than each peer: cases named Case/ours/size pair up with Case/<peer>/size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {

// Passes every report on to the reporter of the chosen output format and keeps the times,
// so the ratios can follow the results.
class TRatioReporter : public benchmark::BenchmarkReporter {
 public:
  explicit TRatioReporter(std::unique_ptr<benchmark::BenchmarkReporter> inner, bool console)
      : inner_(std::move(inner)), console_(console) {}

  bool ReportContext(const Context& context) override {
    inner_->SetOutputStream(&GetOutputStream());
    inner_->SetErrorStream(&GetErrorStream());
    return inner_->ReportContext(context);
  }

  // CPU time, not real time: the machine is shared, and a wait for it is not our cost. With
  // repetitions the least of them counts; when only aggregates are reported, the median.
  void ReportRuns(const std::vector<Run>& runs) override {
    inner_->ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string name = run.run_name.str();
      const double cpu = run.GetAdjustedCPUTime();
      if (run.run_type == Run::RT_Iteration) {
        const auto it = seen_.contains(name) ? times_.find(name) : times_.end();
        times_[name] = it == times_.end() ? cpu : std::min(it->second, cpu);
        seen_[name] = true;
      } else if (run.aggregate_name == "median" && !seen_.contains(name)) {
        times_[name] = cpu;
      }
    }
  }

  void Finalize() override {
    inner_->Finalize();
    // A machine-readable format stays clean on standard output; the summary goes aside.
    PrintRatios(console_ ? stdout : stderr);
  }

 private:
  void PrintRatios(std::FILE* out) const {
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
          std::fprintf(out,
                       "\nours against the peers (peer CPU time / ours, least of the repetitions; "
                       "above 1 means ours is faster; %s build)\n",
                       TANKDEMO_BUILD_TYPE);
          header = true;
        }
        std::fprintf(out, "  %-40s %-12s %8.2fx\n", (kase + "/" + size).c_str(), who.c_str(),
                     ours > 0 ? peer / ours : 0.0);
      }
    }
  }

  std::unique_ptr<benchmark::BenchmarkReporter> inner_;
  bool console_;
  std::map<std::string, double> times_;
  std::map<std::string, bool> seen_;  // an iteration run was reported
};

// The output format named by --benchmark_format (console when none is).
std::string OutputFormat(int argc, char** argv) {
  const std::string flag = "--benchmark_format=";
  std::string format = "console";
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]).rfind(flag, 0) == 0) format = std::string(argv[i]).substr(flag.size());
  return format;
}

std::unique_ptr<benchmark::BenchmarkReporter> ReporterFor(const std::string& format) {
  if (format == "json") return std::make_unique<benchmark::JSONReporter>();
  if (format == "csv") {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return std::make_unique<benchmark::CSVReporter>();
#pragma GCC diagnostic pop
  }
  return std::make_unique<benchmark::ConsoleReporter>();
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const std::string format = OutputFormat(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::AddCustomContext("build_type", TANKDEMO_BUILD_TYPE);
  TRatioReporter reporter(ReporterFor(format), format == "console");
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
