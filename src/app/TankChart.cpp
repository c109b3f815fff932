#include "app/TankChart.h"

#include "app/ReadableText.h"

TBarSeries& ApplyStoredChartSettings(TChart& chart, TSeriesOwner& owner) {
  TChartBrush backBrush = chart.BackWall().Brush();
  backBrush.color = clWhite;
  backBrush.style = bsClear;
  chart.BackWall().SetBrush(backBrush);
  chart.Title().SetText({"TChart"});
  chart.Title().SetVisible(false);
  chart.BottomAxis().SetVisible(false);
  chart.LeftAxis().Title().SetCaption("Level");
  chart.Legend().SetVisible(false);
  chart.SetBevelOuter(bvNone);

  TBarSeries& stored = owner.CreateSeries<TBarSeries>();
  stored.Marks().SetVisible(false);
  stored.Marks().SetArrowLength(20);
  stored.Marks().SetFrame(ChartHiddenPen());
  stored.SetSeriesColor(clGreen);
  stored.SetShowInLegend(false);
  stored.SetMultiBar(mbStacked);
  stored.XValues().SetName("X");
  stored.XValues().SetOrder(loAscending);
  stored.YValues().SetName("Bar");
  stored.YValues().SetOrder(loNone);
  chart.AttachSeries(&stored);
  UseReadableAxisText(chart.LeftAxis(), chart.Color());
  return stored;
}

void UseReadableAxisText(TChartAxis& axis, TColor background) {
  TFont labels = axis.LabelsFont();
  labels.SetColor(ReadableTextColor(background, labels.Color()));
  axis.SetLabelsFont(labels);
  TFont title = axis.Title().Font();
  title.SetColor(ReadableTextColor(background, title.Color()));
  axis.Title().SetFont(title);
}

void SetupChart(TChart& chart, TSeriesOwner& owner, const TSiteList& sites) {
  chart.DetachAllSeries();
  int32_t largestCapacity = 0;
  for (int32_t s = 0; s < sites.Count(); ++s) {
    const TSite& site = sites.GetSite(s);
    while (chart.CountSeries() < site.Count()) {
      TBarSeries& series = owner.CreateSeries<TBarSeries>();
      series.SetMultiBar(mbStacked);
      series.Marks().SetVisible(false);
      chart.AttachSeries(&series);
    }
    largestCapacity = std::max(largestCapacity, site.GetCapacity());
  }
  // In this order: the new maximum is checked against the old minimum, then the minimum.
  TChartAxis& left = chart.LeftAxis();
  left.SetAutomatic(false);
  left.SetMaximum(largestCapacity);
  left.SetMinimum(0);
  NameTankSegments(chart, sites);
}

void NameTankSegments(TChart& chart, const TSiteList& sites) {
  chart.OnGetAccessibleName = [&sites](TCustomChart* sender, TChartSeries* series, int index,
                                       std::string& name) {
    const int tank = sender->IndexOfSeries(series);
    if (index < 0 || index >= sites.Count()) return;
    const TSite& site = sites.GetSite(index);
    if (tank < 0 || tank >= site.Count()) return;
    name = site.Name() + ", tank " + std::to_string(tank + 1) + ": " +
           std::to_string(static_cast<long long>(series->YValue(index))) + " of " +
           std::to_string(site.GetTank(tank).Capacity()) + " gallons";
  };
}

void RefreshChart(TChart& chart, const TSiteList& sites) {
  for (int s = 0; s < chart.CountSeries(); ++s) chart.SeriesAt(s)->ClearPoints();
  for (int32_t i = 0; i < sites.Count(); ++i) {
    const TSite& site = sites.GetSite(i);
    for (int s = 0; s < chart.CountSeries(); ++s) {
      TChartSeries* series = chart.SeriesAt(s);
      if (s < site.Count())
        series->AddPoint(i, site.GetTank(s).Level(), "", clDefault);
      else
        series->AddNullPoint(i, 0, "");
    }
  }
}
