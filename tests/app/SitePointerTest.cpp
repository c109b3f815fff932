#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/DemoData.h"
#include "app/SitePointer.h"
#include "app/TankTree.h"

TEST(SitePointer, XValuesNameTheNearestSiteWithHalvesToEven) {
  const double below = std::nextafter(-0.5, -1.0);
  const double aboveHalf = std::nextafter(0.5, 1.0);
  EXPECT_EQ(SiteIndexAtX(1.5, 12), 2);
  EXPECT_EQ(SiteIndexAtX(2.5, 12), 2);
  EXPECT_EQ(SiteIndexAtX(0.5, 12), 0);
  EXPECT_EQ(SiteIndexAtX(aboveHalf, 12), 1);
  EXPECT_EQ(SiteIndexAtX(-0.5, 12), 0);
  EXPECT_EQ(SiteIndexAtX(below, 12), -1);
  EXPECT_EQ(SiteIndexAtX(std::nextafter(11.5, 0.0), 12), 11);
  EXPECT_EQ(SiteIndexAtX(11.5, 12), -1);
  EXPECT_EQ(SiteIndexAtX(1e300, 12), -1);
  EXPECT_EQ(SiteIndexAtX(std::numeric_limits<double>::quiet_NaN(), 12), -1);
  EXPECT_EQ(SiteIndexAtX(0, 0), -1);
}

TEST(SitePointer, StatusTextOfASite) {
  auto sites = BuildSites();
  TSite* walpole = nullptr;
  for (int i = 0; i < sites->Count(); ++i)
    if (sites->GetSite(i).Name() == "Walpole") walpole = &sites->GetSite(i);
  ASSERT_NE(walpole, nullptr);
  walpole->GetTank(0).SetLevel(1740);
  walpole->GetTank(1).SetLevel(560);
  EXPECT_EQ(SiteStatusText(*walpole), "Walpole: 2300/4000gals (57% full)");
}

TEST(SitePointer, OpeningASiteCollapsesTheRestAndFocusesIt) {
  auto sites = BuildSites();
  TTreeList tree;
  ConfigureTankTreeList(tree);
  LoadTree(tree, *sites);
  tree.FullExpand();
  const TSite& linstead = sites->GetSite(11);
  ASSERT_EQ(linstead.Name(), "Linstead");
  OpenSiteNode(tree, linstead);
  for (int i = 0; i < tree.Count(); ++i)
    EXPECT_EQ(tree.Items(i)->Expanded(), tree.Items(i) == linstead.Node) << i;
  EXPECT_EQ(tree.FocusedNode(), linstead.Node);
}
