#include "gallery/GalleryChart.h"

#include <cmath>
#include <memory>

#include "chart/Chart.h"
#include "chart/axis/DateTimeText.h"
#include "chart/series/AreaSeries.h"
#include "chart/series/BarSeries.h"
#include "chart/series/ChartFunction.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PieSeries.h"

namespace {

// A smooth made-up curve: the same numbers on every run.
double Wave(int series, double i) {
  return 50 + 30 * std::sin(i * 0.55 + series * 1.7) + 10 * std::cos(i * 0.23 * (series + 1));
}

template <typename T>
T& Add(TChart& chart, TSeriesOwner& owner, const std::string& title) {
  T& series = owner.CreateSeries<T>();
  series.SetTitle(title);
  series.Marks().SetVisible(false);
  chart.AttachSeries(&series);
  return series;
}

void FillWaves(TCustomLineSeries& series, int index, int count) {
  for (int i = 0; i < count; ++i) series.AddPoint(i, Wave(index, i), "", clDefault);
}

void ShowLines(TChart& chart, TSeriesOwner& owner) {
  TLineSeries& north = Add<TLineSeries>(chart, owner, "North");
  FillWaves(north, 0, 12);
  TLineSeries& south = Add<TLineSeries>(chart, owner, "South");
  FillWaves(south, 1, 12);
  south.Pointer().SetVisible(true);
  south.Pointer().SetStyle(psCircle);
  south.Pointer().SetHorizSize(3);
  south.Pointer().SetVertSize(3);
}

void ShowPoints(TChart& chart, TSeriesOwner& owner) {
  const TSeriesPointerStyle styles[] = {psRectangle, psTriangle, psDiamond};
  for (int k = 0; k < 3; ++k) {
    TPointSeries& series = Add<TPointSeries>(chart, owner, "Sample " + std::to_string(k + 1));
    series.Pointer().SetStyle(styles[k]);
    FillWaves(series, k, 16);
  }
}

void ShowAreas(TChart& chart, TSeriesOwner& owner) {
  for (int k = 0; k < 2; ++k) {
    TAreaSeries& series = Add<TAreaSeries>(chart, owner, k == 0 ? "Inflow" : "Outflow");
    for (int i = 0; i < 12; ++i)
      series.AddPoint(i, Wave(k, i) * (k == 0 ? 1.0 : 0.5), "", clDefault);
  }
}

void ShowHorizontalBars(TChart& chart, TSeriesOwner& owner) {
  const char* const sites[] = {"Walpole", "Cookley", "Ashby", "Brent", "Dunmore"};
  for (int k = 0; k < 2; ++k) {
    THorizBarSeries& series = Add<THorizBarSeries>(chart, owner, k == 0 ? "Full" : "Empty");
    series.SetMultiBar(mbStacked);
    for (int i = 0; i < 5; ++i) series.AddPoint(Wave(k, i) * 20, i, sites[i], clDefault);
  }
}

void ShowFastLine(TChart& chart, TSeriesOwner& owner) {
  TFastLineSeries& series = Add<TFastLineSeries>(chart, owner, "Signal");
  for (int i = 0; i < 5000; ++i)
    series.AddPoint(i, 50 + 40 * std::sin(i * 0.01) * std::cos(i * 0.173), "", clDefault);
}

void ShowLogarithmic(TChart& chart, TSeriesOwner& owner) {
  TLineSeries& growth = Add<TLineSeries>(chart, owner, "Growth");
  growth.Pointer().SetVisible(true);
  for (int i = 0; i <= 12; ++i) growth.AddPoint(i, std::pow(10.0, i / 2.0), "", clDefault);
  chart.LeftAxis().SetLogarithmic(true);
}

void ShowDateTime(TChart& chart, TSeriesOwner& owner) {
  TLineSeries& level = Add<TLineSeries>(chart, owner, "Level");
  level.XValues().SetDateTime(true);
  const double start = DateTimeOfDay(2026, 1, 1);
  for (int i = 0; i < 120; ++i) level.AddPoint(start + i * 3, Wave(0, i / 3.0), "", clDefault);
}

// Two sources and their average, calculated as the sources change.
void ShowFunction(TChart& chart, TSeriesOwner& owner) {
  for (int k = 0; k < 2; ++k) FillWaves(Add<TLineSeries>(chart, owner, k ? "East" : "West"), k, 16);
  TLineSeries& average = Add<TLineSeries>(chart, owner, "Average");
  average.SetFunction(std::make_unique<TAverageFunction>());
  TChartPen wide = average.LinePen();
  wide.width = 3;
  average.SetLinePen(wide);
  for (TChartSeries* source : chart.SeriesList())
    if (source != &average) average.AddDataSource(source);
}

// Bars whose marks show their values with labels, their percents, and their percents of the
// total; the bars' marks lifted apart where they would meet.
void ShowMarks(TChart& chart, TSeriesOwner& owner) {
  const char* const days[] = {"Mon", "Tue", "Wed"};
  const TSeriesMarksStyle styles[] = {smsLabelValue, smsPercent, smsPercentTotal};
  for (int k = 0; k < 3; ++k) {
    TBarSeries& series = Add<TBarSeries>(chart, owner,
                                         k == 0   ? "Value"
                                         : k == 1 ? "Percent"
                                                  : "Of total");
    series.Marks().SetVisible(true);
    series.Marks().SetStyle(styles[k]);
    series.Marks().SetArrowLength(8);
    for (int i = 0; i < 3; ++i) series.AddPoint(i, std::round(Wave(k, i)), days[i], clDefault);
  }
  chart.Legend().SetLegendStyle(lsLastValues);
}

// Long category labels standing at an angle under their bars, values upright beside them.
void ShowTurnedLabels(TChart& chart, TSeriesOwner& owner) {
  const char* const sites[] = {"Walpole",     "Cookley Bridge", "Ashby Farm",
                               "Brent Marsh", "Dunmore Lane",   "Eastleigh Mill"};
  TBarSeries& series = Add<TBarSeries>(chart, owner, "Level");
  series.SetColorEachPoint(true);
  for (int i = 0; i < 6; ++i) series.AddPoint(i, Wave(0, i) * 10, sites[i], clDefault);
  chart.BottomAxis().SetLabelsAngle(45);
  chart.LeftAxis().SetLabelsAngle(90);
}

// Where the plant's stock lies, by site: a round pie turned a little, the biggest share
// standing out and one more pulled out by hand, each slice marked with its percent.
void ShowPie(TChart& chart, TSeriesOwner& owner) {
  TPieSeries& pie = Add<TPieSeries>(chart, owner, "Stock");
  const char* const sites[] = {"Walpole", "Cookley", "Ashby", "Brent", "Dunmore"};
  const double stock[] = {60, 86, 80, 47, 19};
  for (int i = 0; i < 5; ++i) pie.AddMandatoryValue(stock[i], sites[i], clDefault);
  pie.SetPercentFormat("0 %");
  pie.SetCircled(true);
  pie.SetRotationAngle(30);
  pie.SetExplodeBiggest(15);
  pie.SetExplodeOffset(3, 10);
  pie.Marks().SetStyle(smsPercent);
  pie.Marks().SetVisible(true);
}

const char* const kPageNames[] = {"line",     "point",    "area",  "horizbar", "fastline", "log",
                                  "datetime", "function", "marks", "labels",   "pie"};

}  // namespace

const std::vector<std::string>& ChartGalleryPageNames() {
  static const std::vector<std::string> names(std::begin(kPageNames), std::end(kPageNames));
  return names;
}

std::optional<TChartGalleryChoice> ParseChartGalleryChoice(const std::string& text) {
  TChartGalleryChoice choice;
  std::string name = text;
  const std::string suffix = ":3d";
  if (name.size() > suffix.size() &&
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
    choice.View3D = true;
    name.resize(name.size() - suffix.size());
  }
  for (size_t i = 0; i < std::size(kPageNames); ++i)
    if (name == kPageNames[i]) {
      choice.Page = static_cast<TChartGalleryPage>(i);
      return choice;
    }
  return std::nullopt;
}

void ShowChartGalleryPage(TChart& chart, TSeriesOwner& owner, const TChartGalleryChoice& choice) {
  chart.DestroyAllSeries();
  chart.SetSeriesOwner(&owner);
  chart.LeftAxis().SetLogarithmic(false);
  chart.LeftAxis().SetLabelsAngle(0);
  chart.BottomAxis().SetLabelsAngle(0);
  chart.SetView3D(choice.View3D);
  chart.Legend().SetLegendStyle(lsSeries);
  chart.Title().SetText({kPageNames[static_cast<int>(choice.Page)]});
  switch (choice.Page) {
    case TChartGalleryPage::Line:
      return ShowLines(chart, owner);
    case TChartGalleryPage::Point:
      return ShowPoints(chart, owner);
    case TChartGalleryPage::Area:
      return ShowAreas(chart, owner);
    case TChartGalleryPage::HorizBar:
      return ShowHorizontalBars(chart, owner);
    case TChartGalleryPage::FastLine:
      return ShowFastLine(chart, owner);
    case TChartGalleryPage::Logarithmic:
      return ShowLogarithmic(chart, owner);
    case TChartGalleryPage::DateTime:
      return ShowDateTime(chart, owner);
    case TChartGalleryPage::Function:
      return ShowFunction(chart, owner);
    case TChartGalleryPage::Marks:
      return ShowMarks(chart, owner);
    case TChartGalleryPage::TurnedLabels:
      return ShowTurnedLabels(chart, owner);
    case TChartGalleryPage::Pie:
      return ShowPie(chart, owner);
  }
}
