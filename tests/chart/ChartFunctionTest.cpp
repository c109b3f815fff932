#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/series/ChartFunction.h"
#include "chart/series/LineSeries.h"

namespace {

std::vector<double> YsOf(const TChartSeries& s) {
  std::vector<double> ys;
  for (int i = 0; i < s.PointCount(); ++i) ys.push_back(s.IsNullPoint(i) ? -999 : s.YValue(i));
  return ys;
}

void Fill(TChartSeries& s, std::vector<double> ys) {
  for (size_t i = 0; i < ys.size(); ++i)
    s.AddPoint(static_cast<double>(i), ys[i], "p" + std::to_string(i), clDefault);
}

}  // namespace

// Results worked by hand: a = 1 2 3 4, b = 10 20 30 (the shortest source sets the count).
TEST(ChartFunctionTest, FunctionsGiveTheValuesWorkedByHand) {
  const struct {
    const char* name;
    std::unique_ptr<TChartFunction> (*make)();
    std::vector<double> ofAB, ofBA, ofAAlone, ofAByTwos;
  } cases[] = {
      {"add",
       []() -> std::unique_ptr<TChartFunction> { return std::make_unique<TAddFunction>(); },
       {11, 22, 33},
       {11, 22, 33},
       {10},
       {3, 7}},
      {"subtract",
       []() -> std::unique_ptr<TChartFunction> { return std::make_unique<TSubtractFunction>(); },
       {-9, -18, -27},
       {9, 18, 27},
       {-8},
       {-1, -1}},
      {"multiply",
       []() -> std::unique_ptr<TChartFunction> { return std::make_unique<TMultiplyFunction>(); },
       {10, 40, 90},
       {10, 40, 90},
       {24},
       {2, 12}},
      {"divide",
       []() -> std::unique_ptr<TChartFunction> { return std::make_unique<TDivideFunction>(); },
       {0.1, 0.1, 0.1},
       {10, 10, 10},
       {1.0 / 24},
       {0.5, 0.75}},
      {"high",
       []() -> std::unique_ptr<TChartFunction> { return std::make_unique<THighFunction>(); },
       {10, 20, 30},
       {10, 20, 30},
       {4},
       {2, 4}},
      {"low",
       []() -> std::unique_ptr<TChartFunction> { return std::make_unique<TLowFunction>(); },
       {1, 2, 3},
       {1, 2, 3},
       {1},
       {1, 3}},
      {"average",
       []() -> std::unique_ptr<TChartFunction> { return std::make_unique<TAverageFunction>(); },
       {5.5, 11, 16.5},
       {5.5, 11, 16.5},
       {2.5},
       {1.5, 3.5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TLineSeries a, b, result, reversed, alone;
    Fill(a, {1, 2, 3, 4});
    Fill(b, {10, 20, 30});
    result.SetFunction(c.make());
    result.AddDataSource(&a);
    result.AddDataSource(&b);
    EXPECT_EQ(YsOf(result), c.ofAB);
    EXPECT_EQ(result.PointLabel(2), "p2");
    reversed.AddDataSource(&b);
    reversed.AddDataSource(&a);
    reversed.SetFunction(c.make());
    EXPECT_EQ(YsOf(reversed), c.ofBA);
    alone.SetFunction(c.make());
    alone.AddDataSource(&a);
    EXPECT_EQ(YsOf(alone), c.ofAAlone);
    EXPECT_EQ(alone.XValue(0), 1.5);  // the middle of the group's X values
    alone.Function()->SetPeriod(2);
    EXPECT_EQ(YsOf(alone), c.ofAByTwos);
    EXPECT_EQ(alone.XValue(1), 2.5);
  }
}

TEST(ChartFunctionTest, ResultsFollowTheirSourcesAsTheOptionsSay) {
  TLineSeries a, b, sum, chained;
  Fill(a, {1, 2, 3});
  Fill(b, {10, 20, 30});
  sum.SetFunction(std::make_unique<TAddFunction>());
  sum.AddDataSource(&a);
  sum.AddDataSource(&b);
  chained.SetFunction(std::make_unique<TMultiplyFunction>());
  chained.AddDataSource(&sum);
  chained.AddDataSource(&a);
  int fullRecalcs = 0;
  sum.OnClearValues = [&](TChartSeries*) { ++fullRecalcs; };

  // One changed value recomputes one point, and the series using the result follow it.
  a.YValues().PutValue(1, 5);
  EXPECT_EQ(YsOf(sum), (std::vector<double>{11, 25, 33}));
  EXPECT_EQ(YsOf(chained), (std::vector<double>{11, 125, 99}));
  EXPECT_EQ(fullRecalcs, 0);
  // A point added to the result by hand is gone at the next change: the result is made afresh.
  sum.AddPoint(10, 1, "", clDefault);
  a.YValues().PutValue(1, 2);
  EXPECT_EQ(YsOf(sum), (std::vector<double>{11, 22, 33}));
  a.YValues().PutValue(1, 5);
  fullRecalcs = 0;
  // A zero divisor or a null point gives a null point; a value put back clears it.
  a.SetPointColor(0, clNone);
  a.YValues().PutValue(0, 1);
  EXPECT_TRUE(sum.IsNullPoint(0));

  a.AddPoint(3, 4, "", clDefault);  // b is still the shortest
  b.AddPoint(3, 40, "", clDefault);
  EXPECT_EQ(YsOf(sum), (std::vector<double>{-999, 25, 33, 44}));
  b.DeletePoint(0);
  EXPECT_EQ(sum.PointCount(), 3);
  EXPECT_GT(fullRecalcs, 0);

  // Options switched off leave the result as it was.
  sum.SetRecalcOptions({false, false, false, false});
  a.YValues().PutValue(2, 100);
  a.DeletePoint(3);
  b.ClearPoints();
  EXPECT_EQ(sum.PointCount(), 3);
  sum.SetRecalcOptions({});
  b.AddPoint(0, 1, "", clDefault);
  EXPECT_EQ(sum.PointCount(), 1);

  // A deleted source leaves the others; the last one gone leaves the points as they were.
  {
    TLineSeries doomed;
    Fill(doomed, {7, 7});
    sum.AddDataSource(&doomed);
    EXPECT_EQ(sum.PointCount(), 1);
  }
  EXPECT_EQ(sum.DataSources().size(), 2u);
  EXPECT_EQ(YsOf(sum), (std::vector<double>{-999}));  // a's first point is still null
  a.SetPointColor(0, clDefault);
  a.YValues().PutValue(0, 2);
  EXPECT_EQ(YsOf(sum), (std::vector<double>{3}));
  EXPECT_THROW(a.AddDataSource(&chained), std::exception);

  // Without a function the points are copied again.
  sum.SetFunction(nullptr);
  EXPECT_EQ(sum.PointCount(), b.PointCount());
}

// A point of a calculated series that one changed source value makes null is null for the
// series fed by it too, whether that one copies it or calculates from it.
TEST(ChartFunctionTest, APointMadeNullByOneChangeIsNullDownTheChain) {
  TLineSeries a, divisor, quotient, copy, doubled;
  Fill(a, {1, 2, 3});
  Fill(divisor, {1, 1, 1});
  quotient.SetFunction(std::make_unique<TDivideFunction>());
  quotient.AddDataSource(&a);
  quotient.AddDataSource(&divisor);
  copy.AddDataSource(&quotient);
  doubled.SetFunction(std::make_unique<TAddFunction>());
  doubled.AddDataSource(&quotient);
  doubled.Function()->SetPeriod(1);

  divisor.YValues().PutValue(1, 0);
  EXPECT_EQ(YsOf(quotient), (std::vector<double>{1, -999, 3}));
  EXPECT_EQ(YsOf(copy), YsOf(quotient));
  EXPECT_EQ(YsOf(doubled), YsOf(quotient));
  // And back again.
  divisor.YValues().PutValue(1, 1);
  EXPECT_EQ(YsOf(copy), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(YsOf(doubled), (std::vector<double>{1, 2, 3}));
}
