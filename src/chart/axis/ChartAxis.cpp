#include "chart/axis/ChartAxis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "chart/ChartAxisPanel.h"
#include "chart/axis/AxisLabelValues.h"
#include "chart/axis/DateTimeText.h"
#include "chart/axis/TurnedText.h"
#include "chart/series/ChartSeries.h"
#include "chart/view/ChartCanvas.h"
#include "chart/view/ChartLimits.h"
#include "platform/Exception.h"
#include "platform/FormatFloat.h"
#include "platform/Property.h"

namespace {

void CheckAngle(int degrees, const char* what) {
  if (degrees < 0 || degrees > 359)
    throw Exception(std::string(what) + " Angle must be between 0 and 359 degrees");
}

bool IsLoading(const TCustomAxisPanel* chart) {
  return chart && chart->Loading();
}

// More minor ticks than this between two labels could not be told apart on any screen.
constexpr int kMaxMinorTicks = 1000;

}  // namespace

double NextNiceStep(double x) {
  // Zero, negative and non-finite steps have no next one; the recursion would not end.
  if (!(x > 0) || !std::isfinite(x)) return x;
  if (x >= 10) return 10 * NextNiceStep(x / 10);
  if (x < 1) return NextNiceStep(x * 10) / 10;
  if (x < 2) return 2;
  if (x < 5) return 5;
  return 10;
}

void TChartAxisTitle::SetCaption(const std::string& value) {
  SetProperty(FCaption, value, [this] { FAxis->Repaint(); });
}

void TChartAxisTitle::SetFont(const TFont& value) {
  SetProperty(FFont, value, [this] { FAxis->Repaint(); });
}

void TChartAxisTitle::SetAngle(int value) {
  if (value == FAngle) return;
  CheckAngle(value, "Axis Title");
  SetProperty(FAngle, value, [this] { FAxis->Repaint(); });
}

TCustomChartAxis::TCustomChartAxis(TCustomAxisPanel* chart, bool horizontal, bool farSide,
                                   bool depth)
    : FChart(chart), FIsHorizontal(horizontal), FOnFarSide(farSide), FIsDepth(depth) {
  if (!horizontal && !depth) FTitle.FAngle = farSide ? 270 : 90;
}

TChartDepthAxis::TChartDepthAxis(TCustomAxisPanel* chart)
    : TCustomChartAxis(chart, false, true, true) {
  SetVisible(false);
}

void TCustomChartAxis::Repaint() {
  if (FChart) FChart->Invalidate();
}

template <typename T>
void TCustomChartAxis::Change(T& field, const T& value) {
  SetProperty(field, value, [this] { Repaint(); });
}

void TCustomChartAxis::SetLabelsFont(const TFont& value) {
  Change(FLabelsFont, value);
}
void TCustomChartAxis::SetLabelsSize(int value) {
  Change(FLabelsSize, ClampPixels(value));
}
void TCustomChartAxis::SetTitleSize(int value) {
  Change(FTitleSize, ClampPixels(value));
}
void TCustomChartAxis::SetLabelsMultiLine(bool value) {
  Change(FLabelsMultiLine, value);
}
void TCustomChartAxis::SetGridCentered(bool value) {
  Change(FGridCentered, value);
}
void TCustomChartAxis::SetTickOnLabelsOnly(bool value) {
  Change(FTickOnLabelsOnly, value);
}
void TCustomChartAxis::SetTickLength(int value) {
  Change(FTickLength, ClampPixels(value));
}
void TCustomChartAxis::SetTickInnerLength(int value) {
  Change(FTickInnerLength, ClampPixels(value));
}
void TCustomChartAxis::SetMinorTickCount(int value) {
  Change(FMinorTickCount, std::clamp(value, 0, kMaxMinorTicks));
}
void TCustomChartAxis::SetMinorTickLength(int value) {
  Change(FMinorTickLength, ClampPixels(value));
}
void TCustomChartAxis::SetLogarithmic(bool value) {
  Change(FLogarithmic, value);
}
void TCustomChartAxis::SetLogarithmicBase(int value) {
  Change(FLogarithmicBase, value);
}
void TCustomChartAxis::SetDateTimeFormat(const std::string& value) {
  Change(FDateTimeFormat, value);
}
void TCustomChartAxis::SetExactDateTime(bool value) {
  Change(FExactDateTime, value);
}
void TCustomChartAxis::SetAxis(const TChartPen& value) {
  Change(FAxisPen, ClampPen(value));
}
void TCustomChartAxis::SetGrid(const TChartPen& value) {
  Change(FGrid, ClampPen(value));
}
void TCustomChartAxis::SetMinorGrid(const TChartPen& value) {
  Change(FMinorGrid, ClampPen(value));
}
void TCustomChartAxis::SetTicks(const TChartPen& value) {
  Change(FTicks, ClampPen(value));
}
void TCustomChartAxis::SetTicksInner(const TChartPen& value) {
  Change(FTicksInner, ClampPen(value));
}
void TCustomChartAxis::SetMinorTicks(const TChartPen& value) {
  Change(FMinorTicks, ClampPen(value));
}

void TCustomChartAxis::SetAutomatic(bool value) {
  bool changed = StoreProperty(FAutomatic, value);
  if (!IsLoading(FChart)) {
    changed = StoreProperty(FAutomaticMinimum, value) || changed;
    changed = StoreProperty(FAutomaticMaximum, value) || changed;
  }
  if (changed) Repaint();
}

void TCustomChartAxis::SetAutomaticMaximum(bool value) {
  bool changed = StoreProperty(FAutomaticMaximum, value);
  // Automatic means both ends: switching one end on does not switch on a fixed other end.
  if (!value || FAutomaticMinimum) changed = StoreProperty(FAutomatic, value) || changed;
  if (changed) Repaint();
}

void TCustomChartAxis::SetAutomaticMinimum(bool value) {
  bool changed = StoreProperty(FAutomaticMinimum, value);
  if (!value || FAutomaticMaximum) changed = StoreProperty(FAutomatic, value) || changed;
  if (changed) Repaint();
}

void TCustomChartAxis::SetMinimum(double value) {
  if (!IsLoading(FChart) && value > FMaximum)
    throw Exception("Axis Minimum Value must be <= Maximum");
  Change(FMinimum, value);
}

void TCustomChartAxis::SetMaximum(double value) {
  if (!IsLoading(FChart) && value < FMinimum)
    throw Exception("Axis Maximum Value must be >= Minimum");
  Change(FMaximum, value);
}

bool TCustomChartAxis::SetAxisRange(double a, double b) {
  // Zoom, pan and wheel compute their ends from pixels; a NaN or an overflow stops here.
  if (!std::isfinite(a) || !std::isfinite(b)) return false;
  double low = std::min(a, b), high = std::max(a, b);
  // A logarithmic axis above zero needs a least ratio, not a least difference: ranges of tiny
  // values keep their decades.
  constexpr double kLeastRatio = 1 + 1e-10;
  if (FLogarithmic && low > 0) {
    if (high < low * kLeastRatio) {
      high = low * kLeastRatio;
      if (high == low) high = std::nextafter(low, HUGE_VAL);  // below the normal doubles
      if (!std::isfinite(high)) {
        high = low;
        low = high / kLeastRatio;
      }
    }
  } else if (high - low < 1e-10) {
    high = low + 1e-10;
    // Far from zero 1e-10 is lost in rounding; the next representable value still widens.
    if (high == low) high = std::nextafter(low, HUGE_VAL);
    if (!std::isfinite(high)) {
      high = low;
      low = std::nextafter(high, -HUGE_VAL);
    }
  }
  const bool changed =
      FAutomatic || FAutomaticMinimum || FAutomaticMaximum || low != FMinimum || high != FMaximum;
  FAutomatic = FAutomaticMinimum = FAutomaticMaximum = false;
  FMinimum = low;
  FMaximum = high;
  if (changed) Repaint();
  return changed;
}

void TCustomChartAxis::SetIncrement(double value) {
  if (value < 0) throw Exception("Axis increment must be >= 0");
  Change(FIncrement, value);
}

void TCustomChartAxis::SetLabelsSeparation(int value) {
  if (value < 0) throw Exception("Labels Separation % must be greater than 0");
  Change(FLabelsSeparation, value);
}

void TCustomChartAxis::SetLabelsAngle(int value) {
  CheckAngle(value, "Axis Labels");
  Change(FLabelsAngle, value);
}

void TCustomChartAxis::SetVisible(bool value) {
  Change(FVisible, value);
}
void TCustomChartAxis::SetInverted(bool value) {
  Change(FInverted, value);
}
void TCustomChartAxis::SetLabels(bool value) {
  Change(FLabels, value);
}
void TCustomChartAxis::SetLabelsOnAxis(bool value) {
  Change(FLabelsOnAxis, value);
}
void TCustomChartAxis::SetRoundFirstLabel(bool value) {
  Change(FRoundFirstLabel, value);
}
void TCustomChartAxis::SetAxisValuesFormat(const std::string& value) {
  Change(FAxisValuesFormat, value);
}
void TCustomChartAxis::SetLabelStyle(TAxisLabelStyle value) {
  Change(FLabelStyle, value);
}
void TCustomChartAxis::SetStartPosition(double value) {
  Change(FStartPosition, ClampPercent(value));
}
void TCustomChartAxis::SetEndPosition(double value) {
  Change(FEndPosition, ClampPercent(value));
}
void TCustomChartAxis::SetPositionPercent(double value) {
  Change(FPositionPercent, ClampPercent(value));
}

void TCustomChartAxis::UpdateRange(TAxisLayout& entry) {
  if (FIsDepth && FChart && EffectiveLabelStyle() != talValue) {
    FMinimum = -0.5;
    FMaximum = FChart->Layout().TopZSlot + 0.5;
  } else if (FChart) {
    if (FAutomatic || FAutomaticMaximum) FMaximum = FChart->SeriesExtreme(*this, false);
    if (FAutomatic || FAutomaticMinimum) FMinimum = FChart->SeriesExtreme(*this, true);
    // A logarithmic axis starts at the smallest value it can show.
    if (FLogarithmic && (FAutomatic || FAutomaticMinimum) && !(FMinimum > 0)) {
      FMinimum = FChart->SeriesPositiveMinimum(*this);
      if (!(FMaximum > FMinimum)) FMaximum = FMinimum * std::max(2, FLogarithmicBase);
    }
  }
  entry.SetRange(FMinimum, FMaximum);
  // Depth values grow from the front to the back, as across an axis.
  entry.Horizontal = FIsHorizontal || FIsDepth;
  entry.Inverted = FInverted;
  entry.Logarithmic = FLogarithmic;
  entry.Shown = FChart && FChart->AxisIsShown(*this);
  entry.ShowsDateTime = false;
  if (FChart)
    for (TChartSeries* series : FChart->SeriesList())
      if (series->Active() && series->IsTiedTo(*this)) {
        entry.ShowsDateTime = (FIsHorizontal ? series->XValues() : series->YValues()).DateTime();
        break;
      }
}

void TCustomChartAxis::PlaceOnChart(TAxisLayout& entry, const TRect& plot) const {
  if (FIsDepth) {
    const int depth = FChart ? FChart->TotalDepth() : 0;
    entry.SetPixels(Nearest(depth * 0.01 * FStartPosition), Nearest(depth * 0.01 * FEndPosition));
    return;
  }
  const int origin = FIsHorizontal ? plot.left : plot.top;
  const int extent = FIsHorizontal ? plot.right - plot.left : plot.bottom - plot.top;
  entry.SetPixels(origin + Nearest(extent * 0.01 * FStartPosition),
                  origin + Nearest(extent * 0.01 * FEndPosition));
}

void TCustomChartAxis::WidenRangeByMargins(TAxisLayout& entry, const TRect& plot, int atStart,
                                           int atEnd) const {
  const int fullStart = entry.StartPixel, fullEnd = entry.EndPixel;
  TAxisScale inner = entry;
  inner.SetPixels(fullStart + atStart, fullEnd - atEnd);
  double first = inner.PixelToValue(fullStart), second = inner.PixelToValue(fullEnd);
  PlaceOnChart(entry, plot);
  if (first > second) std::swap(first, second);
  entry.SetRange(first, second);
}

const TAxisLayout& TCustomChartAxis::Layout() const {
  static const TAxisLayout kNone;
  if (!FChart || FLayoutIndex < 0) return kNone;
  return FChart->Layout().Axes[static_cast<size_t>(FLayoutIndex)];
}

double TCustomChartAxis::LabelExtent(TChartCanvas3D& canvas, double value,
                                     const TAxisLayout& layout) const {
  std::string text = FormatLabel(value, layout);
  if (FChart && FChart->OnGetAxisLabel)
    FChart->OnGetAxisLabel(const_cast<TCustomChartAxis*>(this), nullptr, -1, text);
  if (FLabelsAngle % 90 != 0)
    return TTurnedText{FLabelsAngle, canvas.MeasureTextWidth(text), canvas.MeasureTextHeight("Wg")}
        .Along(FIsHorizontal);
  const bool across = FLabelsAngle == 90 || FLabelsAngle == 270;
  if (FIsHorizontal != across) return canvas.MeasureTextWidth(text);
  int lines = 1;
  if (LabelsMultiLine())
    for (char c : text) lines += c == ' ';
  return static_cast<double>(canvas.MeasureTextHeight("Wg")) * lines;
}

double TCustomChartAxis::LabelSize(TChartCanvas3D& canvas, const TAxisLayout& layout) const {
  const TFont saved = canvas.Font();
  canvas.Font() = LabelsFont();
  const double size = std::max(LabelExtent(canvas, layout.RangeMax, layout),
                               LabelExtent(canvas, layout.RangeMin, layout));
  canvas.Font() = saved;
  return size;
}

double TCustomChartAxis::LabelStep(TChartCanvas3D& canvas, const TAxisLayout& layout) const {
  TAxisLayout measured = layout;
  auto step = [&] {
    const double size = LabelSize(canvas, measured);
    // Dates and times step along the calendar's ladder instead of 1, 2, 5, 10.
    if (!measured.ShowsDateTime || FLabelsSeparation <= 0 || !std::isfinite(measured.RangeSpan))
      return LabelStepForSize(size, measured);
    const int slots = std::max(1, LabelSlots(size, measured));
    return DateTimeStep(std::max(FIncrement, std::fabs(measured.RangeSpan) / slots));
  };
  // Labels that follow a step (the time under a day, more decimals for a fine step) may be
  // wider than those measured without one, and then need a wider step.
  measured.LabelStep = 0;
  measured.LabelStep = step();
  return step();
}

void TCustomChartAxis::ChooseLabelStep(TAxisLayout& entry, TChartCanvas3D& canvas) const {
  entry.LabelStep = LabelStep(canvas, entry);
}

std::vector<double> TCustomChartAxis::AxisLabelValues(TChartCanvas3D& canvas,
                                                      const TAxisLayout& layout) const {
  if (FLogarithmic) {
    std::vector<double> powers = LogarithmicLabelValues(
        layout, FLogarithmicBase, LabelSlots(LabelSize(canvas, layout), layout));
    if (!powers.empty()) return powers;
  }
  const double step = LabelStep(canvas, layout);
  if (layout.ShowsDateTime && FExactDateTime && DateTimeStepMonths(step) > 0)
    return CalendarLabelValues(layout, DateTimeStepMonths(step));
  return LabelValues(step, layout);
}

int TCustomChartAxis::LabelSlots(double size, const TAxisScale& scale) const {
  if (!(size > 0)) return 1;
  const double gap = FLabelsSeparation > 0 ? Nearest(FLabelsSeparation * 0.01 * size) : 0;
  return Nearest(scale.LengthPixels / (size + gap));
}

double TCustomChartAxis::LabelStepForSize(double size, const TAxisScale& scale) const {
  const double span = scale.RangeSpan;
  const int count = LabelSlots(size, scale);
  if (count < 1) return 1e-12;
  double step = FIncrement > 0 ? FIncrement : (std::fabs(span) >= 1 ? 1 : 1e-12);
  // Labels keep fifteen significant digits: a finer step than their last one would repeat texts.
  const double largest = std::max(std::fabs(scale.RangeMin), std::fabs(scale.RangeMax));
  if (largest > 0 && std::isfinite(largest))
    step = std::max(step, std::pow(10.0, std::floor(std::log10(largest)) - 14));
  // No step fits an infinite or undefined span (values near the double limits, or NaN).
  while (FLabelsSeparation > 0 && std::isfinite(span)) {
    const double quotient = std::fabs(span / step);
    if (quotient < 2147483647.0 && Nearest(quotient) <= count) break;
    // Near the smallest doubles the nice step can round back onto itself: then go a decade up.
    const double next = NextNiceStep(step);
    step = next > step ? next : step * 10;
  }
  return std::max(step, 1e-12);
}

std::vector<double> TCustomChartAxis::LabelValues(double step, const TAxisScale& scale) const {
  const double low = scale.RangeMin, high = scale.RangeMax;
  std::vector<double> values;
  if (step <= 0 || std::fabs(scale.RangeSpan / step) >= 10000) return values;
  double value = high;
  if (low != high && FRoundFirstLabel) value = std::trunc(high / step) * step;
  // A step below the value's precision cannot move it: stop rather than loop for ever.
  while (value > high && value - step != value) value -= step;
  // The tolerance lets the low end in despite rounding: a small share of the step below it (and
  // a few units of its last place, where the step is near the values' precision), never a
  // whole step. Above the largest double the unit is infinite: then the one below it.
  double unit = std::nextafter(std::fabs(low), HUGE_VAL) - std::fabs(low);
  if (!std::isfinite(unit)) unit = std::fabs(low) - std::nextafter(std::fabs(low), 0.0);
  const double lowest = low - std::max(1e-6 * step, 4 * unit);
  while (value >= lowest) {
    values.push_back(value);
    if (value - step == value) break;
    value -= step;
  }
  return values;
}

std::string TCustomChartAxis::FormatLabel(double value, const TAxisLayout& layout) const {
  const TAxisLabelCache::TKey key{layout.RangeMin,   layout.RangeMax,      layout.RangeSpan,
                                  layout.LabelStep,  layout.ShowsDateTime, layout.Logarithmic,
                                  FAxisValuesFormat, FDateTimeFormat};
  return FLabelCache.Text(key, value, [&](double v) { return MakeLabel(v, layout); });
}

std::string TCustomChartAxis::MakeLabel(double value, const TAxisLayout& layout) const {
  if (layout.ShowsDateTime) {
    if (!(value >= 0)) return {};
    if (!FDateTimeFormat.empty()) return FormatDateTime(FDateTimeFormat, value);
    const double step = layout.LabelStep;
    if (step <= 0) return DateTimeText(value, layout.RangeSpan > 1);
    // Under a day the time, with the date on every label once the range runs over midnight,
    // so that no two labels read the same.
    const bool overMidnight = std::floor(layout.RangeMin) != std::floor(layout.RangeMax);
    return DateTimeText(value, step >= 1 || overMidnight, step < 1);
  }
  // Powers far from 1 on a logarithmic axis would all read 0 (or run very long) as decimals.
  if (layout.Logarithmic && value != 0 && (std::fabs(value) < 1e-3 || std::fabs(value) >= 1e15)) {
    // Digits down to the label step's, so that labels a step apart read differently.
    int digits = 6;
    if (layout.LabelStep > 0 && std::isfinite(layout.LabelStep))
      digits = std::clamp(static_cast<int>(std::floor(std::log10(std::fabs(value))) -
                                           std::floor(std::log10(layout.LabelStep))) +
                              1,
                          6, 15);
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
  }
  return FormatFloat(ValuesFormatFor(layout), value);
}

std::string TCustomChartAxis::ValuesFormatFor(const TAxisLayout& layout) const {
  const double step = layout.LabelStep;
  // Quoted text and sections are the program's own wording: taken as they stand.
  // On a logarithmic axis the places matter to labels by step, where no power lies inside;
  // being optional, they cut no power short.
  if (!(step > 0) || !(layout.RangeSpan >= step) ||
      FAxisValuesFormat.find_first_of("'\";") != std::string::npos)
    return FAxisValuesFormat;
  int places = 0;
  for (double scaled = step; places < 15; scaled *= 10, ++places)
    if (std::fabs(scaled - std::round(scaled)) <= 1e-6 * scaled) break;
  const size_t point = FAxisValuesFormat.find('.');
  size_t end = point == std::string::npos ? FAxisValuesFormat.find_last_of("0#") : point;
  if (end == std::string::npos) return FAxisValuesFormat;
  int shown = 0;
  while (end + 1 < FAxisValuesFormat.size() &&
         (FAxisValuesFormat[end + 1] == '0' || FAxisValuesFormat[end + 1] == '#')) {
    ++end;
    shown += point != std::string::npos;
  }
  if (shown >= places) return FAxisValuesFormat;
  // Labels a step apart must not read the same: optional places down to the step's.
  std::string format = FAxisValuesFormat;
  format.insert(end + 1, (point == std::string::npos ? "." : "") +
                             std::string(static_cast<size_t>(places - shown), '#'));
  return format;
}

std::string TCustomChartAxis::LabelText(double value) const {
  std::string text = FormatLabel(value);
  if (FChart && FChart->OnGetAxisLabel)
    FChart->OnGetAxisLabel(const_cast<TCustomChartAxis*>(this), nullptr, -1, text);
  return text;
}

TAxisLabelStyle TCustomChartAxis::EffectiveLabelStyle() const {
  if (FLabelStyle != talAuto) return FLabelStyle;
  if (!FChart) return talNone;
  bool anyTied = false;
  for (TChartSeries* series : FChart->SeriesList()) {
    if (!series->Active() || !series->IsTiedTo(*this)) continue;
    anyTied = true;
    // Point labels run along the axis that does not carry the drawn value.
    const bool labelsAlongThis = FIsHorizontal == (&series->MandatoryList() == &series->YValues());
    if (labelsAlongThis && series->PointCount() > 0 && !series->PointLabel(0).empty())
      return talText;
  }
  return anyTied ? talValue : talNone;
}
