#pragma once
// The plant the chart benchmarks draw: sites, frame sizes and the level of each tank.
#include <algorithm>
#include <memory>

#include "app/DemoData.h"
#include "app/Site.h"

constexpr int kSeries = 5;

struct TFrameSize {
  int sites, width, height;
};

inline TFrameSize SizeOf(int sites) {
  return sites <= 12 ? TFrameSize{sites, 850, 173} : TFrameSize{sites, 1600, 400};
}

// A plant of the given number of sites, each with the tank count of the demo table's site at
// the same position (so some sites leave the upper series null), after one simulation step.
inline std::unique_ptr<TSiteList> MakePlant(int siteCount) {
  auto sites = std::make_unique<TSiteList>();
  for (int i = 0; i < siteCount; ++i) {
    const TSiteRecord& record = SiteTable[static_cast<size_t>(i) % SiteTable.size()];
    TSite& site = sites->Add(std::make_unique<TSite>(record.Name));
    for (int t = 0; t < record.TankCount; ++t)
      site.Add(std::make_unique<TTank>(record.TankCapacity));
  }
  TDemoRandom random;
  RandomizeLevels(*sites, random);
  SimulateStep(*sites, random);
  return sites;
}

// The level of tank s of a site, 0 where the site has fewer tanks.
inline double LevelOf(const TSite& site, int s) {
  return s < site.Count() ? site.GetTank(s).Level() : 0;
}

inline int LargestCapacity(const TSiteList& sites) {
  int largest = 0;
  for (int i = 0; i < sites.Count(); ++i)
    largest = std::max(largest, sites.GetSite(i).GetCapacity());
  return largest;
}
