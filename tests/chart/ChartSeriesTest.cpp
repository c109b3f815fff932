#include <gtest/gtest.h>

#include "chart/Chart.h"
#include "chart/series/ChartSeries.h"
#include "platform/Exception.h"
#include "support/ErrorText.h"

namespace {

// A chart that counts the repaints it is asked for.
class TCountingChart : public TChart {
 public:
  int Invalidations = 0;
  TColor WallColor = clDefault;

 protected:
  void InvalidateView() override { ++Invalidations; }
  TColor BackWallColor() const override { return WallColor; }
};

std::vector<double> Values(const TChartValueList& list) {
  std::vector<double> values;
  for (int i = 0; i < list.ValueCount(); ++i) values.push_back(list.ValueAt(i));
  return values;
}

}  // namespace

TEST(ChartValueListTest, OrderedInsertionKeepsPointsTogether) {
  TChartSeries series;
  for (double x : {1.0, 3.0, 5.0}) series.AddPoint(x, x * 10, "p", clRed);
  EXPECT_EQ(series.AddPoint(3, 99, "new", clBlue), 2);
  EXPECT_EQ(Values(series.XValues()), (std::vector<double>{1, 3, 3, 5}));
  EXPECT_EQ(series.YValue(2), 99);
  EXPECT_EQ(series.PointColor(2), clBlue);
  EXPECT_EQ(series.PointLabel(2), "new");
  EXPECT_EQ(series.YValue(1), 30);
  EXPECT_EQ(series.AddPoint(0, 0, "", clDefault), 0);
  EXPECT_EQ(Values(series.XValues()), (std::vector<double>{0, 1, 3, 3, 5}));
}

TEST(ChartValueListTest, DescendingAndUnorderedInsertion) {
  TChartSeries series;
  TChartValueList& x = series.XValues();
  x.SetOrder(loDescending);
  for (double v : {5.0, 3.0, 4.0, 5.0, 1.0}) x.AddInOrder(v);
  EXPECT_EQ(Values(x), (std::vector<double>{5, 5, 4, 3, 1}));
  TChartValueList& y = series.YValues();
  for (double v : {2.0, 1.0, 3.0}) y.AddInOrder(v);
  EXPECT_EQ(Values(y), (std::vector<double>{2, 1, 3}));
}

TEST(ChartValueListTest, StatisticsFollowChangesAndMultiplier) {
  TChartSeries series;
  TChartValueList& y = series.YValues();
  EXPECT_EQ(y.LowestValue(), 0);
  EXPECT_EQ(y.HighestValue(), 0);
  EXPECT_EQ(y.SumOfValues(), 0);
  y.AddInOrder(1);
  y.AddInOrder(4);
  y.SetMultiplier(2);
  EXPECT_TRUE(y.StatsDirty());
  EXPECT_EQ(y.LowestValue(), 2);
  EXPECT_EQ(y.HighestValue(), 8);
  EXPECT_EQ(y.SumOfValues(), 10);
  EXPECT_FALSE(y.StatsDirty());
  y.InsertValueAt(0, -3);
  EXPECT_EQ(y.LowestValue(), -6);
  EXPECT_EQ(y.SumOfMagnitudes(), 16);
  EXPECT_EQ(y.IndexOfValue(8), 2);
  EXPECT_EQ(y.IndexOfValue(4), -1);  // compares values as read, with the multiplier
  y.RotateValues();
  EXPECT_EQ(Values(y), (std::vector<double>{2, 8, -6}));
  y.RemoveAllValues();
  EXPECT_EQ(y.SumOfValues(), 0);
}

TEST(ChartValueListTest, BadIndexesRaiseTheListError) {
  TChartSeries series;
  series.AddPoint(1, 1, "", clDefault);
  EXPECT_EQ(ErrorOf([&] { series.XValues().ValueAt(1); }), "List index out of bounds (1)");
  EXPECT_EQ(ErrorOf([&] { series.DeletePoint(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(ErrorOf([&] { series.SetPointColor(4, clRed); }), "List index out of bounds (4)");
  EXPECT_EQ(series.PointCount(), 1);
  // Colour and label lookups past the end fall back instead of failing.
  EXPECT_EQ(series.PointLabel(7), "");
  EXPECT_EQ(series.PointColor(7), series.SeriesColor());
}

TEST(ChartValueListTest, SortMovesWholePoints) {
  TChartSeries series;
  series.XValues().SetOrder(loNone);
  const double xs[] = {5, 1, 4, 2, 3, 2};
  for (double x : xs) series.AddPoint(x, x * 10, std::to_string(static_cast<int>(x)), clDefault);
  series.XValues().SetOrder(loAscending);
  series.XValues().SortValues();
  EXPECT_EQ(Values(series.XValues()), (std::vector<double>{1, 2, 2, 3, 4, 5}));
  for (int i = 0; i < series.PointCount(); ++i) {
    EXPECT_EQ(series.YValue(i), series.XValue(i) * 10);
    EXPECT_EQ(series.PointLabel(i), std::to_string(static_cast<int>(series.XValue(i))));
  }
  series.XValues().SetOrder(loDescending);
  series.XValues().SortValues();
  EXPECT_EQ(Values(series.XValues()), (std::vector<double>{5, 4, 3, 2, 2, 1}));
}

TEST(ChartSeriesTest, PointColours) {
  TCountingChart chart;
  TChartSeries series;
  chart.AttachSeries(&series);
  EXPECT_EQ(series.SeriesColor(), clRed);
  series.AddPoint(0, 1, "", clDefault);
  series.AddNullPoint(1, 0, "");
  series.AddPoint(2, 1, "", clNavy);
  EXPECT_EQ(series.PointColor(0), clRed);
  EXPECT_EQ(series.PointColor(1), clNone);
  EXPECT_TRUE(series.IsNullPoint(1));
  EXPECT_EQ(series.PointColor(2), clNavy);
  series.SetColorEachPoint(true);
  EXPECT_EQ(series.PointColor(0), PaletteColor(0));
  EXPECT_EQ(series.PointColor(1), clNone);
  // Switching back resets every stored colour, null points included.
  series.SetColorEachPoint(false);
  EXPECT_EQ(series.PointColor(1), clRed);
  EXPECT_EQ(series.PointColor(2), clRed);
  EXPECT_EQ(PaletteColor(16), clRed);
  EXPECT_EQ(PaletteColor(15), clBlack);
}

TEST(ChartSeriesTest, MandatoryAndNullValues) {
  TChartSeries series;
  EXPECT_EQ(series.AddMandatoryValue(42, "a", clDefault), 0);
  EXPECT_EQ(series.AddNullValue("b"), 1);
  EXPECT_EQ(series.XValue(1), 1);
  EXPECT_EQ(series.YValue(1), 0);
  EXPECT_TRUE(series.IsNullPoint(1));
  EXPECT_EQ(series.YValues().HighestValue(), 42);
}

TEST(ChartSeriesTest, BeforeAddCanRefuseAndAfterAddReportsTheIndex) {
  TChartSeries series;
  std::vector<int> added;
  series.OnAfterAdd = [&](TChartSeries*, int index) { added.push_back(index); };
  series.OnBeforeAdd = [&](TChartSeries* sender) { return sender->XValues().PendingValue < 10; };
  EXPECT_EQ(series.AddPoint(5, 1, "", clDefault), 0);
  EXPECT_EQ(series.AddPoint(50, 1, "", clDefault), -1);
  EXPECT_EQ(series.AddPoint(1, 1, "", clDefault), 0);
  EXPECT_EQ(series.PointCount(), 2);
  EXPECT_EQ(added, (std::vector<int>{0, 0}));
}

TEST(ChartSeriesTest, FreeColourRuleSkipsTakenAndBackgroundColours) {
  TCountingChart chart;
  chart.SetColor(clGreen);
  chart.WallColor = clBlue;
  std::vector<std::unique_ptr<TChartSeries>> series;
  for (int i = 0; i < 3; ++i) {
    series.push_back(std::make_unique<TChartSeries>());
    chart.AttachSeries(series.back().get());
  }
  EXPECT_EQ(series[0]->SeriesColor(), clRed);
  EXPECT_EQ(series[1]->SeriesColor(), clYellow);
  EXPECT_EQ(series[2]->SeriesColor(), clWhite);
  EXPECT_TRUE(chart.IsSeriesColorFree(clGreen, false));
}

TEST(ChartSeriesTest, TheApplicationsSeriesTakeRedGreenYellowBlue) {
  TCountingChart chart;
  TSeriesOwner owner;
  TChartSeries& stored = owner.CreateSeries<TChartSeries>();
  stored.SetSeriesColor(clGreen);
  chart.AttachSeries(&stored);
  chart.DetachAllSeries();
  std::vector<TColor> colours;
  for (int i = 0; i < 5; ++i) {
    TChartSeries& series = owner.CreateSeries<TChartSeries>();
    chart.AttachSeries(&series);
    colours.push_back(series.SeriesColor());
  }
  EXPECT_EQ(colours, (std::vector<TColor>{clRed, clGreen, clYellow, clBlue, clWhite}));
}

TEST(ChartSeriesTest, SeventeenthSeriesGetsRed) {
  TCountingChart chart;
  TSeriesOwner owner;
  for (int i = 0; i < 16; ++i) chart.AttachSeries(&owner.CreateSeries<TChartSeries>());
  TChartSeries& last = owner.CreateSeries<TChartSeries>();
  chart.AttachSeries(&last);
  EXPECT_EQ(last.SeriesColor(), clRed);
  EXPECT_EQ(chart.CountSeries(), 17);
}

TEST(ChartSeriesTest, DetachingKeepsSeriesAliveAndDestroyingRemovesThem) {
  TCountingChart chart;
  TSeriesOwner owner;
  chart.SetSeriesOwner(&owner);
  std::vector<TChartSeries*> series;
  for (int i = 0; i < 3; ++i) {
    series.push_back(&owner.CreateSeries<TChartSeries>());
    chart.AttachSeries(series.back());
    series.back()->AddPoint(i, i, "", clDefault);
  }
  EXPECT_EQ(chart.SeriesAt(1), series[1]);
  chart.DetachAllSeries();
  EXPECT_EQ(chart.CountSeries(), 0);
  for (TChartSeries* s : series) {
    EXPECT_EQ(s->ParentChart(), nullptr);
    EXPECT_EQ(s->PointCount(), 1);
  }
  for (TChartSeries* s : series) chart.AttachSeries(s);
  chart.AttachSeries(series[0]);  // already attached: no duplicate
  EXPECT_EQ(chart.CountSeries(), 3);
  chart.DestroyAllSeries();
  EXPECT_EQ(chart.CountSeries(), 0);
  EXPECT_EQ(owner.Count(), 0);
}

TEST(ChartSeriesTest, SeriesAndChartMayDieInEitherOrder) {
  auto series = std::make_unique<TChartSeries>();
  {
    TCountingChart chart;
    chart.AttachSeries(series.get());
  }
  EXPECT_EQ(series->ParentChart(), nullptr);
  TCountingChart chart;
  {
    TChartSeries shortLived;
    chart.AttachSeries(&shortLived);
    EXPECT_EQ(chart.CountSeries(), 1);
  }
  EXPECT_EQ(chart.CountSeries(), 0);
}

TEST(ChartSeriesTest, ChangesRequestRepaintsOnlyWhenEnabled) {
  TCountingChart chart;
  TChartSeries series;
  chart.AttachSeries(&series);
  chart.Invalidations = 0;
  series.AddPoint(1, 1, "", clDefault);
  series.ClearPoints();
  series.SetTitle("same");
  series.SetTitle("same");
  EXPECT_EQ(chart.Invalidations, 3);
  series.SetActive(false);
  chart.Invalidations = 0;
  series.AddPoint(1, 1, "", clDefault);
  series.ClearPoints();
  EXPECT_EQ(chart.Invalidations, 0);  // an inactive series does not repaint for data
  series.SetActive(true);
  chart.SetRepaintOnChange(false);
  chart.Invalidations = 0;
  series.AddPoint(2, 2, "", clDefault);
  EXPECT_EQ(chart.Invalidations, 0);
}

TEST(ChartSeriesTest, LinkedSeriesFollowTheirSourceAndRefuseCycles) {
  TChartSeries source, copy, copyOfCopy;
  source.AddPoint(1, 10, "a", clDefault);
  copy.AddDataSource(&source);
  copyOfCopy.AddDataSource(&copy);
  EXPECT_EQ(copyOfCopy.PointCount(), 1);
  source.AddPoint(2, 20, "b", clDefault);
  EXPECT_EQ(copyOfCopy.YValue(1), 20);
  source.DeletePoint(0);
  EXPECT_EQ(copy.PointCount(), 1);
  source.YValues().PutValue(0, 25);
  EXPECT_EQ(copyOfCopy.YValue(0), 25);
  source.ClearPoints();
  EXPECT_EQ(copyOfCopy.PointCount(), 0);
  EXPECT_EQ(ErrorOf([&] { source.AddDataSource(&copyOfCopy); }),
            "Circular Series dependences are not allowed");
  EXPECT_EQ(ErrorOf([&] { source.AddDataSource(&source); }),
            "Circular Series dependences are not allowed");
  EXPECT_TRUE(source.DataSources().empty());
}

TEST(ChartSeriesTest, AddingAfterDirectListEditsRaisesTheListErrorAndAddsNothing) {
  TChartSeries series;
  series.XValues().AddInOrder(1);
  series.YValues().AddInOrder(1);
  // The colour and label stores hold no entry for the point the lists gained directly.
  EXPECT_EQ(ErrorOf([&] { series.AddPoint(2, 5, "", clDefault); }), "List index out of bounds (1)");
  EXPECT_EQ(Values(series.XValues()), (std::vector<double>{1}));
  EXPECT_EQ(Values(series.YValues()), (std::vector<double>{1}));
  EXPECT_TRUE(series.PointColors().empty());
  // Where the stores reach, adding works as before.
  EXPECT_EQ(series.AddPoint(0, 7, "first", clRed), 0);
  EXPECT_EQ(series.PointColor(0), clRed);
}

TEST(ChartSeriesTest, LinkedSeriesSkipAPointItsSourceNoLongerHas) {
  TChartSeries source, copy;
  copy.AddDataSource(&source);
  source.OnAfterAdd = [](TChartSeries* sender, int) { sender->ClearPoints(); };
  EXPECT_EQ(ErrorOf([&] { source.AddPoint(1, 10, "a", clRed); }), "(no error)");
  EXPECT_EQ(source.PointCount(), 0);
  EXPECT_EQ(copy.PointCount(), 0);
  source.OnAfterAdd = nullptr;
  source.AddPoint(2, 20, "b", clBlue);
  ASSERT_EQ(copy.PointCount(), 1);
  EXPECT_EQ(copy.PointColor(0), clBlue);
}
