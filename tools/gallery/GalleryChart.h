#pragma once

#include <optional>
#include <string>
#include <vector>

class TChart;
class TSeriesOwner;

// The chart in the configurations the tank demo never uses: every series kind, the
// logarithmic and date-time axes, calculated series, marks, turned labels and pies, each in 2D or
// 3D, with fixed made-up data.
enum class TChartGalleryPage {
  Line,
  Point,
  Area,
  HorizBar,
  FastLine,
  Logarithmic,
  DateTime,
  Function,
  Marks,
  TurnedLabels,
  Pie
};

struct TChartGalleryChoice {
  TChartGalleryPage Page = TChartGalleryPage::Line;
  bool View3D = false;
};

// Every page's name, as ParseChartGalleryChoice reads it.
const std::vector<std::string>& ChartGalleryPageNames();
// "line", "area:3d", ...; nothing for an unknown name.
std::optional<TChartGalleryChoice> ParseChartGalleryChoice(const std::string& text);
// Replaces the chart's series (created in the owner) with the page's.
void ShowChartGalleryPage(TChart& chart, TSeriesOwner& owner, const TChartGalleryChoice& choice);
