#include "app/DemoData.h"

const std::array<TSiteRecord, 12> SiteTable = {{
    {"Cratfield", 1000, 2},
    {"Laxfield", 1000, 3},
    {"Huntingfield", 1000, 4},
    {"Fressingfield", 1000, 2},
    {"Badingham", 2000, 3},
    {"Heveningham", 2000, 4},
    {"Metfield", 1000, 2},
    {"Brundish", 2000, 3},
    {"Dennington", 2000, 4},
    {"Cookley", 2000, 5},
    {"Walpole", 2000, 2},
    {"Linstead", 2000, 3},
}};

int32_t TDemoRandom::RandomInt(int32_t n) {
  Seed = Seed * 134775813u + 1u;  // unsigned: wraps modulo 2^32
  const uint64_t product = uint64_t{Seed} * static_cast<uint32_t>(n);
  return static_cast<int32_t>(product >> 32);
}

std::unique_ptr<TSiteList> BuildSites() {
  auto sites = std::make_unique<TSiteList>();
  for (const TSiteRecord& record : SiteTable) {
    auto site = std::make_unique<TSite>(record.Name);
    for (int32_t i = 0; i < record.TankCount; ++i)
      site->Add(std::make_unique<TTank>(record.TankCapacity));
    sites->Add(std::move(site));
  }
  return sites;
}

void RandomizeLevels(TSiteList& sites, TDemoRandom& random) {
  for (int32_t s = 0; s < sites.Count(); ++s) {
    TSite& site = sites.GetSite(s);
    for (int32_t t = 0; t < site.Count(); ++t) site.GetTank(t).SetPercent(random.RandomInt(100));
  }
}

void SimulateStep(TSiteList& sites, TDemoRandom& random) {
  for (int32_t s = 0; s < sites.Count(); ++s) {
    TSite& site = sites.GetSite(s);
    const int32_t r = random.RandomInt(100);
    const int32_t p = site.GetPercent();
    if (int64_t{r} * p >= 50) {
      // Drain: a third of the draws pick a tank, the rest leave the site alone.
      const int32_t k = random.RandomInt(3 * site.Count());
      if (k < site.Count()) {
        TTank& tank = site.GetTank(k);
        const int32_t level = tank.Level();
        const int32_t d = random.RandomInt(100);
        tank.SetLevel(level - d);
      }
    } else {
      site.FillAll();
    }
  }
}
