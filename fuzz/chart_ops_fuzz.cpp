// Drives the chart's public operations from untrusted bytes: series attached, detached and
// destroyed, points added, inserted, deleted and cleared, value lists edited directly, axis
// ranges and published settings with any value (NaN, infinities, negative, huge), title and
// legend, event handlers that clear or throw, the mouse, and a paint into a small picture
// every few operations. Refused values raise the chart's own errors; anything else (a crash,
// a sanitizer report, a foreign exception) is a fault. After every operation the chart's
// series list holds only live series that name it as their chart, and the axes keep their
// rules: value -> pixel -> value is monotonic and comes back within a pixel's worth, a wheel
// notch or a pan leaves a logarithmic range above zero with the decades it showed, and a
// zoom leaves it above zero; a pie's hit test finds each wide slice halfway along its middle.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

#include "FuzzBytes.h"
#include "chart/Chart.h"
#include "chart/series/AreaSeries.h"
#include "chart/series/BarSeries.h"
#include "chart/series/ChartFunction.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PieSeries.h"
#include "platform/Exception.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"

namespace {

constexpr int kMaxOperations = 300;

class TChartDriver {
 public:
  explicit TChartDriver(TFuzzBytes& in) : in_(in) {
    image_.Canvas().Brush() = TBrush{clRed, bsSolid, clRed};
    image_.Canvas().FillRect(Rect(0, 0, 3, 3));
  }
  ~TChartDriver() { chart_.DetachAllSeries(); }

  void Run() {
    // Long inputs repeat what short ones reach, only slower.
    for (int step = 0; !in_.Empty() && step < kMaxOperations; ++step) {
      const std::vector<TAxisEnds> before = Ranges();
      gesture_ = kNoGesture;
      try {
        Operation(in_.Byte() % 12);
      } catch (const Exception&) {
        // Refused values and list errors are the documented answers.
      }
      CheckSeriesList();
      CheckLogarithmicGesture(before);
      if (step % 4 == 3) Paint();
    }
    Paint();
  }

 private:
  void Operation(int kind) {
    switch (kind) {
      case 0:
        SeriesLifetime();
        break;
      case 1:
        PointStore();
        break;
      case 2:
        ValueListEdit();
        break;
      case 3:
        AxisRange();
        break;
      case 4:
        AxisSetting();
        break;
      case 5:
        PanelSetting();
        break;
      case 6:
        WallSetting();
        break;
      case 7:
        TitleAndLegend();
        break;
      case 8:
        SeriesSetting();
        break;
      case 9:
        Handlers();
        break;
      case 10:
        Mouse();
        break;
      default:
        Paint();
        break;
    }
  }

  TChartSeries* AnySeries() {
    if (series_.empty()) return nullptr;
    return series_[in_.Index(series_.size())];
  }

  std::unique_ptr<TChartFunction> AnyFunction() {
    switch (in_.Byte() % 8) {
      case 0:
        return std::make_unique<TAddFunction>();
      case 1:
        return std::make_unique<TSubtractFunction>();
      case 2:
        return std::make_unique<TMultiplyFunction>();
      case 3:
        return std::make_unique<TDivideFunction>();
      case 4:
        return std::make_unique<THighFunction>();
      case 5:
        return std::make_unique<TLowFunction>();
      case 6:
        return std::make_unique<TAverageFunction>();
      default:
        return nullptr;
    }
  }

  void SeriesLifetime() {
    TChartSeries* series = AnySeries();
    switch (in_.Byte() % 6) {
      case 0:
        if (series_.size() < 8) {
          series_.push_back(NewSeries(in_.Byte() % 7));
          chart_.AttachSeries(series_.back());
        }
        break;
      case 1:
        if (series) chart_.AttachSeries(series);
        break;
      case 2:
        if (series) chart_.DetachSeries(series);
        break;
      case 3:
        if (series) {
          std::erase(series_, series);
          owner_.DestroySeries(series);
        }
        break;
      case 4:
        if (series) series->AddDataSource(AnySeries());
        break;
      default:
        if (series) series->RemoveDataSource(AnySeries());
        break;
    }
  }

  TChartSeries* NewSeries(int kind) {
    switch (kind) {
      case 0:
        return &owner_.CreateSeries<TBarSeries>();
      case 1:
        return &owner_.CreateSeries<THorizBarSeries>();
      case 2:
        return &owner_.CreateSeries<TLineSeries>();
      case 3:
        return &owner_.CreateSeries<TPointSeries>();
      case 4:
        return &owner_.CreateSeries<TAreaSeries>();
      case 5:
        return &owner_.CreateSeries<TPieSeries>();
      default:
        return &owner_.CreateSeries<TFastLineSeries>();
    }
  }

  void PointStore() {
    TChartSeries* series = AnySeries();
    if (!series) return;
    switch (in_.Byte() % 7) {
      case 0:
        series->AddPoint(in_.Double(), in_.Double(), in_.Text(), in_.Color());
        break;
      case 1:
        series->AddNullPoint(in_.Double(), in_.Double(), in_.Text());
        break;
      case 2:
        series->AddMandatoryValue(in_.Double(), in_.Text(), in_.Color());
        break;
      case 3:
        series->DeletePoint(in_.Int());
        break;
      case 4:
        series->ClearPoints();
        break;
      case 5:
        series->SetPointColor(in_.Int(), in_.Color());
        break;
      default:
        series->SwapPoints(in_.Int(), in_.Int());
        break;
    }
  }

  void ValueListEdit() {
    TChartSeries* series = AnySeries();
    if (!series) return;
    TChartValueList& list = in_.Bool() ? series->XValues() : series->YValues();
    switch (in_.Byte() % 9) {
      case 0:
        list.AddInOrder(in_.Double());
        break;
      case 1:
        list.InsertValueAt(in_.Int(), in_.Double());
        break;
      case 2:
        list.RemoveValueAt(in_.Int());
        break;
      case 3:
        list.PutValue(in_.Int(), in_.Double());
        break;
      case 4:
        list.RemoveAllValues();
        break;
      case 5:
        list.SortValues();
        break;
      case 6:
        list.SetMultiplier(in_.Double());
        break;
      case 7:
        list.SetOrder(static_cast<TChartListOrder>(in_.Byte() % 3));
        break;
      default:
        list.SetDateTime(in_.Bool());
        break;
    }
  }

  TCustomChartAxis& AnyAxis() { return *chart_.Axes()[in_.Index(chart_.Axes().size())]; }

  void AxisRange() {
    TCustomChartAxis& axis = AnyAxis();
    switch (in_.Byte() % 7) {
      case 0:
        axis.SetMinimum(in_.Double());
        break;
      case 1:
        axis.SetMaximum(in_.Double());
        break;
      case 2:
        axis.SetAxisRange(in_.Double(), in_.Double());
        break;
      case 3:
        axis.SetAutomatic(in_.Bool());
        break;
      case 4:
        axis.SetAutomaticMinimum(in_.Bool());
        break;
      case 5:
        axis.SetAutomaticMaximum(in_.Bool());
        break;
      default:
        axis.SetIncrement(in_.Double());
        break;
    }
  }

  void AxisSetting();
  void AxisPen(TCustomChartAxis& axis);
  void PanelSetting();
  void WallSetting();
  void TitleAndLegend();
  void SeriesSetting();
  void BarSetting(TCustomBarSeries& series);
  void LineSetting(TChartSeries& series);
  void PieSetting(TPieSeries& series);
  void Handlers();
  void Mouse();

  void Paint() {
    try {
      host_.Paint(true);
      CheckMapping();
      CheckPies();
    } catch (const Exception&) {
      // A handler's error reaches the window; the next paint starts afresh.
    }
  }

  // An automatic range follows the series at the next layout, whatever a gesture did: only
  // fixed ones are compared.
  struct TAxisEnds {
    bool fixed, logarithmic;
    double minimum, maximum;
  };
  std::vector<TAxisEnds> Ranges() const {
    std::vector<TAxisEnds> ranges;
    for (const TCustomChartAxis* axis : chart_.Axes())
      ranges.push_back({!axis->AutomaticMinimum() && !axis->AutomaticMaximum(), axis->Logarithmic(),
                        axis->Minimum(), axis->Maximum()});
    return ranges;
  }

  // A wheel notch or a pan step moves a logarithmic range above zero by a factor: it stays
  // above zero and shows as many decades (unless the range was widened to its least span).
  void CheckLogarithmicGesture(const std::vector<TAxisEnds>& before) const {
    if (gesture_ == kNoGesture) return;
    for (size_t i = 0; i < before.size(); ++i) {
      const TCustomChartAxis& axis = *chart_.Axes()[i];
      const TAxisEnds& was = before[i];
      if (!was.fixed || !was.logarithmic || !axis.Logarithmic() || !(was.minimum > 0) ||
          !(was.maximum > 0))
        continue;
      if (!(axis.Minimum() > 0)) std::abort();
      if (gesture_ == kZoom) continue;
      if (axis.Maximum() - axis.Minimum() <= 1.000001e-10 || was.maximum - was.minimum <= 1e-10)
        continue;
      const double decades = std::log(was.maximum) - std::log(was.minimum);
      const double now = std::log(axis.Maximum()) - std::log(axis.Minimum());
      if (std::fabs(now - decades) > 1e-6 * std::max(1.0, decades)) std::abort();
    }
  }

  // A point halfway out along the middle of a pie's slice (one wide enough to hold it
  // whatever the rounding) is that slice's.
  void CheckPies() const {
    for (TChartSeries* series : chart_.SeriesList()) {
      const auto* pie = dynamic_cast<const TPieSeries*>(series);
      if (!pie || !pie->Active() || pie->XRadius() < 10 || pie->YRadius() < 10) continue;
      const std::vector<TPieSlice> slices = pie->Slices();
      const TExactPoint c = pie->CircleCentre();
      for (size_t i = 0; i < slices.size(); ++i) {
        const TPieSlice& s = slices[i];
        if (s.EndAngle - s.StartAngle < 20) continue;
        const double m = s.MiddleAngle() * std::numbers::pi / 180;
        const TPoint p = chart_.Layout().Projection.Project(
            Nearest(c.x + s.OffsetX + pie->XRadius() / 2 * std::cos(m)),
            Nearest(c.y + s.OffsetY - pie->YRadius() / 2 * std::sin(m)), pie->StartZ());
        if (pie->PointAt(p) != static_cast<int>(i)) std::abort();
      }
    }
  }

  // Value -> pixel -> value over the axes as laid out for the last paint.
  void CheckMapping() const {
    for (const TCustomChartAxis* axis : chart_.Axes()) {
      TAxisScale scale;
      try {
        scale = axis->Layout();
      } catch (const Exception&) {
        return;
      }
      CheckRoundTrip(scale);
    }
  }

  static void CheckRoundTrip(const TAxisScale& scale) {
    const bool log = scale.Logarithmic;
    if (scale.LengthPixels < 1 || (log && !(scale.RangeMin > 0))) return;
    auto measure = [log](double v) { return log ? std::log(v) : v; };
    const double low = measure(scale.RangeMin), high = measure(scale.RangeMax);
    const double magnitude = std::max(std::fabs(low), std::fabs(high));
    // Ranges narrower than the values' precision have no pixel's worth to keep.
    if (!std::isfinite(high - low) || !(high - low > 1e-9 * magnitude)) return;
    const double worth = (high - low) / scale.LengthPixels;
    const bool rising = scale.Horizontal != scale.Inverted;
    int previous = 0;
    for (int k = 0; k <= 8; ++k) {
      const double v = log ? std::exp(low + (high - low) / 8 * k) : low + (high - low) / 8 * k;
      if (log && !(v > 0 && std::isfinite(v))) return;
      const int p = scale.ValueToPixel(v);
      if (k > 0 && (rising ? p < previous : p > previous)) std::abort();
      previous = p;
      // Half a pixel, and the rounding of the values (and of a logarithm near zero).
      const double rounding = 1e-12 * magnitude + (log ? 1e-14 : 0);
      if (std::fabs(measure(scale.PixelToValue(p)) - measure(v)) > worth * 0.5000001 + rounding)
        std::abort();
    }
  }

  void CheckSeriesList() const {
    for (TChartSeries* listed : chart_.SeriesList()) {
      const bool alive = std::find(series_.begin(), series_.end(), listed) != series_.end();
      if (!alive || listed->ParentChart() != &chart_) std::abort();
    }
  }

  enum TGesture { kNoGesture, kWheelOrPan, kZoom };
  TGesture gesture_ = kNoGesture;
  TFuzzBytes& in_;
  TSeriesOwner owner_;
  TChart chart_;
  TTestWindowHost host_{chart_, 96, 64};
  std::vector<TChartSeries*> series_;
  TBitmap image_{3, 3};
};

TChartPen AnyPen(TFuzzBytes& in) {
  TChartPen pen;
  pen.color = in.Color();
  pen.width = in.Int();
  pen.style = static_cast<TPenStyle>(in.Byte() % 3);
  pen.Visible = in.Bool();
  return pen;
}

TFont AnyFont(TFuzzBytes& in) {
  TFont font;
  font.SetSize(in.Int() % 200);
  font.SetColor(in.Color());
  return font;
}

void TChartDriver::AxisSetting() {
  TCustomChartAxis& axis = AnyAxis();
  switch (in_.Byte() % 24) {
    case 0:
      axis.SetVisible(in_.Bool());
      break;
    case 1:
      axis.SetInverted(in_.Bool());
      break;
    case 2:
      axis.SetLabels(in_.Bool());
      break;
    case 3:
      axis.SetLabelsAngle(in_.Int());
      break;
    case 4:
      axis.SetLabelsSeparation(in_.Int());
      break;
    case 5:
      axis.SetLabelStyle(static_cast<TAxisLabelStyle>(in_.Byte() % 5));
      break;
    case 6:
      axis.SetAxisValuesFormat(in_.Text());
      break;
    case 7:
      axis.SetStartPosition(in_.Double());
      break;
    case 8:
      axis.SetEndPosition(in_.Double());
      break;
    case 9:
      axis.SetPositionPercent(in_.Double());
      break;
    case 10:
      axis.SetLabelsFont(AnyFont(in_));
      break;
    case 11:
      axis.SetLabelsSize(in_.Int());
      break;
    case 12:
      axis.SetTitleSize(in_.Int());
      break;
    case 13:
      axis.SetTickLength(in_.Int());
      break;
    case 14:
      axis.SetTickInnerLength(in_.Int());
      break;
    case 15:
      axis.SetMinorTickCount(in_.Int());
      break;
    case 16:
      axis.SetMinorTickLength(in_.Int());
      break;
    case 17:
      axis.SetLogarithmic(in_.Bool());
      break;
    case 18:
      axis.SetLogarithmicBase(in_.Int());
      break;
    case 19:
      axis.SetGridCentered(in_.Bool());
      break;
    case 20:
      axis.Title().SetCaption(in_.Text());
      break;
    case 21:
      axis.Title().SetAngle(in_.Int());
      break;
    case 22:
      axis.SetLabelsMultiLine(in_.Bool());
      break;
    default:
      AxisPen(axis);
      break;
  }
}

void TChartDriver::AxisPen(TCustomChartAxis& axis) {
  const TChartPen pen = AnyPen(in_);
  switch (in_.Byte() % 6) {
    case 0:
      axis.SetAxis(pen);
      break;
    case 1:
      axis.SetGrid(pen);
      break;
    case 2:
      axis.SetMinorGrid(pen);
      break;
    case 3:
      axis.SetTicks(pen);
      break;
    case 4:
      axis.SetTicksInner(pen);
      break;
    default:
      axis.SetMinorTicks(pen);
      break;
  }
}

void TChartDriver::PanelSetting() {
  TView3DOptions& view = chart_.View3DOptions();
  switch (in_.Byte() % 24) {
    case 0:
      chart_.SetView3D(in_.Bool());
      break;
    case 1:
      chart_.SetChart3DPercent(in_.Int());
      break;
    case 2:
      view.SetElevation(in_.Int());
      break;
    case 3:
      view.SetRotation(in_.Int());
      break;
    case 4:
      view.SetPerspective(in_.Int());
      break;
    case 5:
      view.SetOrthogonal(in_.Bool());
      break;
    case 6:
      view.SetZoom(in_.Int());
      break;
    case 7:
      view.SetTilt(in_.Int());
      break;
    case 8:
      view.SetHorizOffset(in_.Int());
      break;
    case 9:
      view.SetVertOffset(in_.Int());
      break;
    case 10:
      chart_.SetMarginLeft(in_.Int());
      break;
    case 11:
      chart_.SetMarginTop(in_.Int());
      break;
    case 12:
      chart_.SetMarginRight(in_.Int());
      break;
    case 13:
      chart_.SetMarginBottom(in_.Int());
      break;
    case 14:
      chart_.SetBevelWidth(in_.Int());
      break;
    case 15:
      chart_.SetBorderWidth(in_.Int());
      break;
    case 16:
      chart_.SetBevelOuter(static_cast<TPanelBevel>(in_.Byte() % 3));
      break;
    case 17:
      chart_.SetUseZSlots(in_.Bool());
      break;
    case 18:
      chart_.SetClipPoints(in_.Bool());
      break;
    case 19:
      chart_.SetMaxPointsPerPage(in_.Int());
      break;
    case 20:
      chart_.SetPage(in_.Int());
      break;
    case 21:
      chart_.SetGradient(
          {in_.Bool(), static_cast<TGradientDirection>(in_.Byte() % 5), in_.Color(), in_.Color()});
      break;
    case 22:
      chart_.SetBackImage(in_.Bool() ? &image_ : nullptr);
      break;
    default:
      chart_.SetBackImageInside(in_.Bool());
      break;
  }
}

void TChartDriver::WallSetting() {
  TChartWall& wall = in_.Bool()   ? chart_.LeftWall()
                     : in_.Bool() ? chart_.BottomWall()
                                  : chart_.BackWall();
  switch (in_.Byte() % 6) {
    case 0:
      wall.SetColor(in_.Color());
      break;
    case 1:
      wall.SetSize(in_.Int());
      break;
    case 2:
      wall.SetDark3D(in_.Bool());
      break;
    case 3:
      wall.SetPen(AnyPen(in_));
      break;
    case 4:
      wall.SetBrush({{in_.Color(), static_cast<TBrushStyle>(in_.Byte() % 9), in_.Color()}});
      break;
    default:
      chart_.SetView3DWalls(in_.Bool());
      break;
  }
}

void TChartDriver::TitleAndLegend() {
  TChartTitle& title = in_.Bool() ? chart_.Title() : chart_.Foot();
  TChartLegend& legend = chart_.Legend();
  switch (in_.Byte() % 20) {
    case 0:
      title.SetVisible(in_.Bool());
      break;
    case 1:
      title.SetText({in_.Text(), in_.Text()});
      break;
    case 2:
      title.SetAlignment(static_cast<TAlignment>(in_.Byte() % 3));
      break;
    case 3:
      title.SetFrame(AnyPen(in_));
      break;
    case 4:
      title.SetColor(in_.Color());
      break;
    case 5:
      legend.SetVisible(in_.Bool());
      break;
    case 6:
      legend.SetAlignment(static_cast<TLegendAlignment>(in_.Byte() % 4));
      break;
    case 7:
      legend.SetFirstValue(in_.Int());
      break;
    case 8:
      legend.SetMaxNumRows(in_.Int());
      break;
    case 9:
      legend.SetColorWidth(in_.Int());
      break;
    case 10:
      legend.SetTopPos(in_.Int());
      break;
    case 11:
      legend.SetShadowSize(in_.Int());
      break;
    case 12:
      legend.SetLegendStyle(static_cast<TLegendStyle>(in_.Byte() % 4));
      break;
    case 13:
      legend.SetInverted(in_.Bool());
      break;
    case 14:
      legend.SetFont(AnyFont(in_));
      break;
    case 15:
      legend.SetTextStyle(static_cast<TLegendTextStyle>(in_.Byte() % 6));
      break;
    case 16:
      legend.SetHorizMargin(in_.Int());
      legend.SetVertMargin(in_.Int());
      break;
    case 17:
      legend.SetDividingLines(in_.Bool());
      break;
    case 18: {
      const int x = in_.Int(), y = in_.Int(), xColor = in_.Int();
      chart_.OnGetLegendPos =
          in_.Bool() ? nullptr : std::function([=](TCustomChart*, int, int& tx, int& ty, int& tc) {
            tx = x;
            ty = y;
            tc = xColor;
          });
      chart_.Invalidate();
      break;
    }
    default:
      legend.SetResizeChart(in_.Bool());
      break;
  }
}

void TChartDriver::SeriesSetting() {
  TChartSeries* series = AnySeries();
  if (!series) return;
  const int choice = in_.Byte() % 26;
  if (choice >= 7 && choice <= 15) {
    if (auto* bars = dynamic_cast<TCustomBarSeries*>(series))
      BarSetting(*bars);
    else if (auto* pie = dynamic_cast<TPieSeries*>(series))
      PieSetting(*pie);
    else
      LineSetting(*series);
    return;
  }
  switch (choice) {
    case 0:
      series->SetActive(in_.Bool());
      break;
    case 1:
      series->SetSeriesColor(in_.Color());
      break;
    case 2:
      series->SetColorEachPoint(in_.Bool());
      break;
    case 3:
      series->SetZOrder(in_.Int());
      break;
    case 4:
      series->SetHorizAxis(static_cast<THorizAxis>(in_.Byte() % 4));
      break;
    case 5:
      series->SetVertAxis(static_cast<TVertAxis>(in_.Byte() % 4));
      break;
    case 6:
      series->SetCustomVertAxis(in_.Bool() ? &chart_.RightAxis() : nullptr);
      break;
    case 16:
      series->Marks().SetVisible(in_.Bool());
      break;
    case 17:
      series->Marks().SetArrowLength(in_.Int());
      break;
    case 18:
      series->Marks().SetStyle(static_cast<TSeriesMarksStyle>(in_.Byte() % 9));
      break;
    case 20:
      series->Marks().SetClip(in_.Bool());
      series->Marks().SetFrame(AnyPen(in_));
      break;
    case 21:
      series->Marks().SetCustomPosition(in_.Int() % 64, {in_.Int(), in_.Int()});
      break;
    case 22:
      series->SetShowInLegend(in_.Bool());
      series->SetPercentFormat(in_.Text());
      break;
    case 23:
      series->SetFunction(AnyFunction());
      break;
    case 24:
      if (series->Function()) series->Function()->SetPeriod(in_.Int() % 100);
      break;
    case 25:
      series->SetRecalcOptions({in_.Bool(), in_.Bool(), in_.Bool(), in_.Bool()});
      break;
    default:
      series->XValues().SortValues();
      break;
  }
}

void TChartDriver::BarSetting(TCustomBarSeries& series) {
  switch (in_.Byte() % 10) {
    case 0:
      series.SetBarWidthPercent(in_.Int());
      break;
    case 1:
      series.SetOffsetPercent(in_.Int());
      break;
    case 2:
      series.SetMultiBar(static_cast<TMultiBar>(in_.Byte() % 4));
      break;
    case 3:
      series.SetBarStyle(static_cast<TBarStyle>(in_.Byte() % 7));
      break;
    case 4:
      series.SetYOrigin(in_.Double());
      break;
    case 5:
      series.SetUseYOrigin(in_.Bool());
      break;
    case 6:
      series.SetCustomBarWidth(in_.Int());
      break;
    case 7:
      series.SetAutoBarSize(in_.Bool());
      break;
    case 8:
      series.SetSideMargins(in_.Bool());
      break;
    default:
      series.SetBarPen(AnyPen(in_));
      break;
  }
}

void TChartDriver::LineSetting(TChartSeries& series) {
  if (auto* fast = dynamic_cast<TFastLineSeries*>(&series)) return fast->SetLinePen(AnyPen(in_));
  auto* line = dynamic_cast<TCustomLineSeries*>(&series);
  if (!line) return;
  TSeriesPointer& pointer = line->Pointer();
  switch (in_.Byte() % 6) {
    case 0:
      pointer.SetVisible(in_.Bool());
      break;
    case 1:
      pointer.SetStyle(static_cast<TSeriesPointerStyle>(in_.Byte() % 9));
      break;
    case 2:
      pointer.SetHorizSize(in_.Int());
      break;
    case 3:
      pointer.SetVertSize(in_.Int());
      break;
    case 4:
      pointer.SetPen(AnyPen(in_));
      break;
    default:
      line->SetLinePen(AnyPen(in_));
      break;
  }
}

void TChartDriver::PieSetting(TPieSeries& series) {
  switch (in_.Byte() % 6) {
    case 0:
      series.SetExplodeBiggest(in_.Int());
      break;
    case 1:
      series.SetExplodeOffset(in_.Int(), in_.Int());
      break;
    case 2:
      series.SetRotationAngle(in_.Int());
      break;
    case 3:
      series.SetCircled(in_.Bool());
      break;
    case 4:
      series.SetDark3D(in_.Bool());
      break;
    default:
      series.SetSlicePen(AnyPen(in_));
      break;
  }
}

void TChartDriver::Handlers() {
  TChartSeries* series = AnySeries();
  const bool install = in_.Bool();
  switch (in_.Byte() % 6) {
    case 0:
      if (auto* bars = dynamic_cast<TCustomBarSeries*>(series))
        bars->OnGetBarStyle =
            install ? [](TCustomBarSeries*, int, TBarStyle&) { throw Exception("bar style"); }
                    : std::function<void(TCustomBarSeries*, int, TBarStyle&)>();
      break;
    case 1:
      if (series)
        series->OnAfterAdd = install ? [](TChartSeries* s, int) { s->ClearPoints(); }
                                     : std::function<void(TChartSeries*, int)>();
      break;
    case 2:
      if (series)
        series->OnBeforeAdd = install ? [](TChartSeries* s) { return s->PointCount() % 2 == 0; }
                                      : std::function<bool(TChartSeries*)>();
      break;
    case 3:
      chart_.OnGetLegendText = install ? [](TCustomChart*, int, std::string& text) {
        if (text.size() % 2) throw Exception("legend");
        text += "!";
      } : std::function<void(TCustomChart*, int, std::string&)>();
      break;
    case 4:
      chart_.OnGetAxisLabel = install ? [](TCustomChartAxis*, TChartSeries*, int,
                                           std::string&) { throw Exception("label"); }
                                      : decltype(chart_.OnGetAxisLabel)();
      break;
    default:
      chart_.OnAfterDraw = install ? [](TCustomChartPanel*) { throw Exception("after draw"); }
                                   : std::function<void(TCustomChartPanel*)>();
      break;
  }
}

void TChartDriver::Mouse() {
  const int x = in_.Byte() % 100 - 2, y = in_.Byte() % 70 - 2;
  switch (in_.Byte() % 6) {
    case 0:
      host_.MouseDown(in_.Bool() ? mbLeft : mbRight, x, y);
      break;
    case 1:
      gesture_ = chart_.Input().State() == TChartGesture::PanDrag ? kWheelOrPan : kNoGesture;
      host_.MouseMove(x, y);
      break;
    case 2:
      // Dragged right and down far enough, a release zooms (other ways it undoes).
      if (chart_.Input().State() == TChartGesture::ZoomDrag &&
          x - chart_.ZoomDrag().StartX > kMinZoomDragPixels &&
          y - chart_.ZoomDrag().StartY > kMinZoomDragPixels)
        gesture_ = kZoom;
      host_.MouseUp(in_.Bool() ? mbLeft : mbRight, x, y);
      break;
    case 3:
      gesture_ = kWheelOrPan;
      host_.Wheel(in_.Int() % 5, x, y);
      break;
    case 4:
      chart_.RevertZoom();
      break;
    default:
      host_.Resize(in_.Byte() % 128, in_.Byte() % 96);
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  EnsureGuiApplication();
  TFuzzBytes in(data, size);
  TChartDriver(in).Run();
  return 0;
}
