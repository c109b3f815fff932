#include <gtest/gtest.h>

#include <vector>

#include "app/DemoData.h"

namespace {

std::vector<int32_t> AllLevels(const TSiteList& sites) {
  std::vector<int32_t> levels;
  for (int32_t s = 0; s < sites.Count(); ++s)
    for (int32_t t = 0; t < sites.GetSite(s).Count(); ++t)
      levels.push_back(sites.GetSite(s).GetTank(t).Level());
  return levels;
}

std::vector<int32_t> TankLevels(const TSite& site) {
  std::vector<int32_t> levels;
  for (int32_t t = 0; t < site.Count(); ++t) levels.push_back(site.GetTank(t).Level());
  return levels;
}

}  // namespace

TEST(DemoRandomTest, FirstValuesFromSeedZero) {
  TDemoRandom random;
  std::vector<int32_t> values;
  for (int i = 0; i < 8; ++i) values.push_back(random.RandomInt(100));
  EXPECT_EQ(values, (std::vector<int32_t>{0, 3, 86, 20, 27, 67, 31, 16}));
}

TEST(DemoRandomTest, EveryCallAdvancesTheSeed) {
  TDemoRandom random;
  EXPECT_EQ(random.RandomInt(1), 0);
  EXPECT_EQ(random.Seed, 1u);
  EXPECT_EQ(random.RandomInt(0), 0);
  EXPECT_EQ(random.Seed, 134775814u);
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(random.RandomInt(1), 0);
}

TEST(DemoDataTest, PlantMatchesTheTable) {
  auto sites = BuildSites();
  ASSERT_EQ(sites->Count(), 12);
  int tanks = 0, mostTanks = 0, largestCapacity = 0;
  for (int32_t s = 0; s < sites->Count(); ++s) {
    const TSite& site = sites->GetSite(s);
    EXPECT_EQ(site.Name(), SiteTable[static_cast<size_t>(s)].Name);
    tanks += site.Count();
    mostTanks = std::max(mostTanks, site.Count());
    largestCapacity = std::max(largestCapacity, site.GetCapacity());
    EXPECT_EQ(site.GetLevel(), 0);
  }
  EXPECT_EQ(tanks, 37);
  EXPECT_EQ(mostTanks, 5);
  EXPECT_EQ(largestCapacity, 10000);
}

TEST(DemoDataTest, InitialLevels) {
  auto sites = BuildSites();
  TDemoRandom random;
  RandomizeLevels(*sites, random);
  EXPECT_EQ(TankLevels(sites->GetSite(0)), (std::vector<int32_t>{0, 30}));
  EXPECT_EQ(sites->GetSite(0).GetPercent(), 1);
  EXPECT_EQ(TankLevels(sites->GetSite(1)), (std::vector<int32_t>{860, 200, 270}));
  EXPECT_EQ(TankLevels(sites->GetSite(9)), (std::vector<int32_t>{480, 1640, 540, 960, 280}));
  for (int32_t level : AllLevels(*sites)) EXPECT_LT(level, 2000);  // no tank starts full
}

TEST(DemoDataTest, FirstStepChangesExactlyTheseTanks) {
  auto sites = BuildSites();
  TDemoRandom random;
  RandomizeLevels(*sites, random);
  const std::vector<int32_t> before = AllLevels(*sites);
  SimulateStep(*sites, random);
  const std::vector<int32_t> after = AllLevels(*sites);

  // Flat tank indexes: Cratfield 0-1, Laxfield 2-4, Huntingfield 5-8, Fressingfield 9-10,
  // Metfield 18-19, Walpole 32-33.
  std::vector<int32_t> expected = before;
  expected[9] = expected[10] = 1000;
  EXPECT_EQ(before[3], 200);
  expected[3] = 186;
  EXPECT_EQ(before[5], 670);
  expected[5] = 611;
  EXPECT_EQ(before[19], 320);
  expected[19] = 252;
  EXPECT_EQ(before[32], 1740);
  expected[32] = 1663;
  EXPECT_EQ(after, expected);
}

TEST(DemoDataTest, LongRunStaysInRangeAndRepeats) {
  auto first = BuildSites(), second = BuildSites();
  TDemoRandom firstRandom, secondRandom;
  RandomizeLevels(*first, firstRandom);
  RandomizeLevels(*second, secondRandom);
  bool sawRefill = false, sawEmpty = false;
  for (int step = 0; step < 5000; ++step) {
    SimulateStep(*first, firstRandom);
    SimulateStep(*second, secondRandom);
    for (int32_t s = 0; s < first->Count(); ++s) {
      const TSite& site = first->GetSite(s);
      for (int32_t t = 0; t < site.Count(); ++t) {
        const TTank& tank = site.GetTank(t);
        ASSERT_GE(tank.Level(), 0);
        ASSERT_LE(tank.Level(), tank.Capacity());
        sawEmpty = sawEmpty || tank.Level() == 0;
      }
      sawRefill = sawRefill || site.GetPercent() == 100;
    }
    ASSERT_EQ(AllLevels(*first), AllLevels(*second)) << "step " << step;
  }
  EXPECT_TRUE(sawRefill);
  EXPECT_TRUE(sawEmpty);
}

TEST(DemoDataTest, EmptySiteIsAlwaysRefilled) {
  TSiteList sites;
  TSite& site = sites.Add(std::make_unique<TSite>("Empty"));
  site.Add(std::make_unique<TTank>(1000));
  site.Add(std::make_unique<TTank>(1000));
  for (uint32_t seed : {0u, 7u, 123456u, 0xFFFFFFFFu}) {
    site.GetTank(0).SetLevel(0);
    site.GetTank(1).SetLevel(0);
    TDemoRandom random;
    random.Seed = seed;
    SimulateStep(sites, random);
    EXPECT_EQ(site.GetPercent(), 100) << "seed " << seed;
    EXPECT_EQ(random.Seed, TDemoRandom{seed}.Seed * 134775813u + 1u);  // only r was drawn
  }
}
