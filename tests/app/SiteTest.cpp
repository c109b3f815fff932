#include <gtest/gtest.h>

#include "app/Site.h"
#include "support/ErrorText.h"

namespace {

TSite MakeSite(const std::string& name, std::initializer_list<std::pair<int, int>> tanks) {
  TSite site(name);
  for (auto [capacity, level] : tanks) site.Add(std::make_unique<TTank>(capacity)).SetLevel(level);
  return site;
}

}  // namespace

TEST(TankTest, LevelIsClampedIntoRange) {
  TTank tank(1000);
  EXPECT_EQ(tank.Level(), 0);
  tank.SetLevel(-1);
  EXPECT_EQ(tank.Level(), 0);
  tank.SetLevel(1001);
  EXPECT_EQ(tank.Level(), 1000);
  tank.SetLevel(1000);
  EXPECT_EQ(tank.Level(), 1000);
  tank.SetLevel(INT32_MIN);
  EXPECT_EQ(tank.Level(), 0);
}

TEST(TankTest, PercentTruncatesBothWays) {
  TTank tank(1000);
  tank.SetPercent(99);
  EXPECT_EQ(tank.Level(), 990);
  tank.SetPercent(0);
  EXPECT_EQ(tank.Level(), 0);
  tank.SetPercent(100);
  EXPECT_EQ(tank.Level(), 1000);
  tank.SetLevel(999);
  EXPECT_EQ(tank.GetPercent(), 99);
  tank.SetLevel(5);
  EXPECT_EQ(tank.GetPercent(), 0);

  TTank big(2000);
  big.SetPercent(37);
  EXPECT_EQ(big.Level(), 740);
  big.SetLevel(1999);
  EXPECT_EQ(big.GetPercent(), 99);
  big.SetPercent(150);
  EXPECT_EQ(big.Level(), 2000);
  big.SetPercent(-5);
  EXPECT_EQ(big.Level(), 0);
}

TEST(TankTest, ExtremePercentsClampInsteadOfWrapping) {
  TTank tank(2000);
  tank.SetPercent(INT32_MAX);
  EXPECT_EQ(tank.Level(), 2000);
  tank.SetPercent(INT32_MIN);
  EXPECT_EQ(tank.Level(), 0);
  TTank huge(INT32_MAX);
  huge.SetLevel(INT32_MAX);
  EXPECT_EQ(huge.GetPercent(), 100);
}

TEST(TankTest, ZeroCapacityHasZeroPercent) {
  TTank tank(0);
  tank.SetPercent(50);
  EXPECT_EQ(tank.Level(), 0);
  EXPECT_EQ(tank.GetPercent(), 0);
}

TEST(SiteTest, TotalsComeFromTheTanks) {
  TSite site = MakeSite("Walpole", {{2000, 1740}, {2000, 560}});
  EXPECT_EQ(site.GetLevel(), 2300);
  EXPECT_EQ(site.GetCapacity(), 4000);
  EXPECT_EQ(site.GetPercent(), 57);
  site.GetTank(1).SetLevel(0);
  EXPECT_EQ(site.GetLevel(), 1740);  // nothing is cached

  // The site percent comes from the sums, not the average of the tank percents.
  TSite small = MakeSite("Cratfield", {{1000, 0}, {1000, 30}});
  EXPECT_EQ(small.GetPercent(), 1);
  small.FillAll();
  EXPECT_EQ(small.GetTank(0).Level(), 1000);
  EXPECT_EQ(small.GetTank(1).Level(), 1000);
  EXPECT_EQ(small.GetPercent(), 100);
}

TEST(SiteTest, SiteWithoutTanksHasZeroPercent) {
  TSite empty("Nowhere");
  EXPECT_EQ(empty.GetCapacity(), 0);
  EXPECT_EQ(empty.GetPercent(), 0);
}

TEST(SiteTest, TankLabels) {
  TSite site = MakeSite("Cratfield", {{1000, 0}});
  EXPECT_EQ(site.GetTankLabel(0), "1/Cratfield");
  EXPECT_EQ(site.GetTankLabel(2), "3/Cratfield");
  EXPECT_EQ(site.GetTankLabel(-1), "0/Cratfield");
}

TEST(SiteTest, InvalidTankIndexNamesTheTank) {
  TSite site = MakeSite("Cookley", {{2000, 0}, {2000, 0}, {2000, 0}, {2000, 0}, {2000, 0}});
  EXPECT_EQ(ErrorOf([&] { site.GetTank(5); }), "Attempt to access invalid tank: 6/Cookley");
  EXPECT_EQ(ErrorOf([&] { site.GetTank(-1); }), "Attempt to access invalid tank: 0/Cookley");
  EXPECT_EQ(site.Count(), 5);
}

TEST(SiteListTest, InvalidSiteIndexRaises) {
  TSiteList list;
  list.Add(std::make_unique<TSite>("A"));
  EXPECT_EQ(&list.GetSite(0), &list.GetSite(0));
  EXPECT_EQ(ErrorOf([&] { list.GetSite(1); }), "Attempt to access invalid site");
  EXPECT_EQ(ErrorOf([&] { list.GetSite(-1); }), "Attempt to access invalid site");
}
