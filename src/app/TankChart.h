#pragma once

#include "app/Site.h"
#include "chart/Chart.h"
#include "chart/series/BarSeries.h"

// The main window's chart: its stored settings, and the bar series built from the plant.

// Applies the chart's stored layout: a clear back wall, hidden title, legend and bottom axis,
// no bevel, the left axis titled "Level", and the stored series (which the window takes out
// again when it sets up its own). Returns the stored series.
TBarSeries& ApplyStoredChartSettings(TChart& chart, TSeriesOwner& owner);

// Names each bar segment for assistive technology after its site and tank, as in
// "Walpole, tank 2: 560 of 1000 gallons". The sites must outlive the naming.
void NameTankSegments(TChart& chart, const TSiteList& sites);

// Gives the axis's labels and title a text colour readable on the given background, keeping
// theirs where it already is.
void UseReadableAxisText(TChartAxis& axis, TColor background);

// Takes the stored series out, creates one stacked bar series per tank position (owned by
// owner) and fixes the left axis to 0..largest site capacity.
void SetupChart(TChart& chart, TSeriesOwner& owner, const TSiteList& sites);

// Reloads every series: one point per site, the tank's level or a null point where the site
// has fewer tanks.
void RefreshChart(TChart& chart, const TSiteList& sites);
