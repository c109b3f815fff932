#include <gtest/gtest.h>

#include "platform/FormatFloat.h"

TEST(FormatFloatTest, AxisPatternOnIntegersFractionsAndThousands) {
  const std::string axis = "#,##0.###";
  EXPECT_EQ(FormatFloat(axis, 0), "0");
  EXPECT_EQ(FormatFloat(axis, 5), "5");
  EXPECT_EQ(FormatFloat(axis, 1000), "1,000");
  EXPECT_EQ(FormatFloat(axis, 10000), "10,000");
  EXPECT_EQ(FormatFloat(axis, 1234567.5), "1,234,567.5");
  EXPECT_EQ(FormatFloat(axis, 0.5), "0.5");
  EXPECT_EQ(FormatFloat(axis, 2.25), "2.25");
  EXPECT_EQ(FormatFloat(axis, 1.0004), "1");
  EXPECT_EQ(FormatFloat(axis, 1.0005), "1.001");  // halves away from zero
  EXPECT_EQ(FormatFloat(axis, 999.9996), "1,000");
  EXPECT_EQ(FormatFloat(axis, 1e-12), "0");
}

TEST(FormatFloatTest, Negatives) {
  EXPECT_EQ(FormatFloat("#,##0.###", -2500.25), "-2,500.25");
  EXPECT_EQ(FormatFloat("#,##0.###", -0.0001), "0");  // no minus on a value shown as zero
  EXPECT_EQ(FormatFloat("0.0;(0.0)", -1.25), "(1.3)");
  EXPECT_EQ(FormatFloat("0.0;(0.0);zero", 0), "zero");
}

TEST(FormatFloatTest, PlaceholdersAndLiterals) {
  EXPECT_EQ(FormatFloat("000.00", 3.1), "003.10");
  EXPECT_EQ(FormatFloat("#.##", 0.5), ".5");
  EXPECT_EQ(FormatFloat("0.00", 0.125), "0.13");
  EXPECT_EQ(FormatFloat("##0.## %", 12.345), "12.35 %");
  EXPECT_EQ(FormatFloat("'$'0", 7), "$7");
  EXPECT_EQ(FormatFloat("0", 2.5), "3");
  EXPECT_EQ(FormatFloat("0", 1e20), "100000000000000000000");
}
