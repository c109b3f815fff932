#include <benchmark/benchmark.h>

#include "app/DemoData.h"

// One simulation step over the demo plant: the work of every timer tick before the views.
static void SimulateStepBench(benchmark::State& state) {
  auto sites = BuildSites();
  TDemoRandom random;
  RandomizeLevels(*sites, random);
  for (auto _ : state) {
    SimulateStep(*sites, random);
    benchmark::DoNotOptimize(sites->GetSite(0).GetLevel());
  }
}
BENCHMARK(SimulateStepBench);
