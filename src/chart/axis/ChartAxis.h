#pragma once

#include <string>
#include <vector>

#include "chart/ChartExport.h"
#include "chart/axis/AxisLabelCache.h"
#include "chart/view/ChartLayout.h"
#include "chart/view/ChartPen.h"
#include "platform/Font.h"
#include "platform/Geometry.h"

class TCustomAxisPanel;
class TChartCanvas3D;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };

// The caption drawn along an axis.
class LISTCHART_CHART_API TChartAxisTitle {
 public:
  explicit TChartAxisTitle(class TCustomChartAxis* axis) : FAxis(axis) {}
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  int Angle() const { return FAngle; }
  // 0..359 degrees, else refused with the angle message.
  void SetAngle(int value);
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& value);

 private:
  friend class TCustomChartAxis;
  TCustomChartAxis* FAxis;
  std::string FCaption;
  int FAngle = 0;
  TFont FFont;
};

// An axis: its range (automatic or fixed), the mapping between values and pixels, the step
// between labels and the label texts. Owned by its chart.
class LISTCHART_CHART_API TCustomChartAxis {
 public:
  TCustomChartAxis(TCustomAxisPanel* chart, bool horizontal, bool farSide, bool depth);
  virtual ~TCustomChartAxis() = default;
  TCustomChartAxis(const TCustomChartAxis&) = delete;
  TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;

  // Range.
  bool Automatic() const { return FAutomatic; }
  void SetAutomatic(bool value);
  bool AutomaticMaximum() const { return FAutomaticMaximum; }
  void SetAutomaticMaximum(bool value);
  bool AutomaticMinimum() const { return FAutomaticMinimum; }
  void SetAutomaticMinimum(bool value);
  double Minimum() const { return FMinimum; }
  void SetMinimum(double value);
  double Maximum() const { return FMaximum; }
  void SetMaximum(double value);
  // The one way zoom, pan and wheel change a range: fixes both ends (ordered, widened to a
  // span above zero); refuses NaN and infinite ends. Returns whether anything changed.
  bool SetAxisRange(double a, double b);
  double Increment() const { return FIncrement; }
  void SetIncrement(double value);

  // The layout's steps for this axis, each writing the axis' entry of the layout being built:
  // the range in use (an automatic end follows the series), the pixel extent along the plot,
  // the bands cut from the plot for title, labels and ticks, the range widened so that the
  // series' margins fit, and the axis line.
  void UpdateRange(TAxisLayout& entry);
  void PlaceOnChart(TAxisLayout& entry, const TRect& plot) const;
  void ReserveSpace(TAxisLayout& entry, TRect& rect, TChartCanvas3D& canvas) const;
  void WidenRangeByMargins(TAxisLayout& entry, const TRect& plot, int atStart, int atEnd) const;
  void PlaceLine(TAxisLayout& entry, const TRect& plot) const;

  // The axis as the chart's layout has it (read-only).
  const TAxisLayout& Layout() const;
  double RangeMin() const { return Layout().RangeMin; }
  double RangeMax() const { return Layout().RangeMax; }
  double RangeSpan() const { return Layout().RangeSpan; }
  int StartPixel() const { return Layout().StartPixel; }
  int EndPixel() const { return Layout().EndPixel; }
  int LengthPixels() const { return Layout().LengthPixels; }
  int CenterPixel() const { return Layout().CenterPixel; }
  int AxisLinePos() const { return Layout().AxisLinePos; }
  int LabelsPos() const { return Layout().LabelsPos; }
  int TitlePos() const { return Layout().TitlePos; }
  bool ShowsDateTime() const { return Layout().ShowsDateTime; }
  int ValueToPixel(double value) const { return Layout().ValueToPixel(value); }
  double PixelToValue(int pixel) const { return Layout().PixelToValue(pixel); }

  // Labels.
  int LabelsSeparation() const { return FLabelsSeparation; }
  void SetLabelsSeparation(int value);
  int LabelsAngle() const { return FLabelsAngle; }
  void SetLabelsAngle(int value);
  // The step between labels for a scale's range and pixel length, measured with the labels
  // font on the given canvas.
  double LabelStep(TChartCanvas3D& canvas, const TAxisLayout& layout) const;
  double LabelStep(TChartCanvas3D& canvas) const { return LabelStep(canvas, Layout()); }
  // Notes the label step in the axis' layout entry, where the label texts read it.
  void ChooseLabelStep(TAxisLayout& entry, TChartCanvas3D& canvas) const;
  // The same for a given label size in pixels along the axis.
  double LabelStepForSize(double size, const TAxisScale& scale) const;
  double LabelStepForSize(double size) const { return LabelStepForSize(size, Layout()); }
  // How many labels of a size fit along the axis.
  int LabelSlots(double size, const TAxisScale& scale) const;
  // The values labelled along the axis: powers of the base on a logarithmic axis, calendar
  // steps on a date-time axis, else multiples of the label step.
  std::vector<double> AxisLabelValues(TChartCanvas3D& canvas, const TAxisLayout& layout) const;
  // Draws title, labels, axis line, ticks and grid on the chart's surface as laid out.
  void PaintAxis() const;
  // Label values from the top of the range downwards (empty when there would be too many).
  std::vector<double> LabelValues(double step, const TAxisScale& scale) const;
  std::vector<double> LabelValues(double step) const { return LabelValues(step, Layout()); }
  std::string LabelText(double value) const;
  // The value as AxisValuesFormat (or the date-time rules) make it, before OnGetAxisLabel.
  std::string FormatLabel(double value, const TAxisLayout& layout) const;
  // How many label texts were made, not taken from the texts kept for the axis.
  long LabelFormats() const { return FLabelCache.Made(); }
  std::string FormatLabel(double value) const { return FormatLabel(value, Layout()); }
  // AxisValuesFormat with the decimal places the layout's label step needs added.
  std::string ValuesFormatFor(const TAxisLayout& layout) const;
  TAxisLabelStyle EffectiveLabelStyle() const;

  // Published settings; a change repaints the chart.
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool Inverted() const { return FInverted; }
  void SetInverted(bool value);
  bool Labels() const { return FLabels; }
  void SetLabels(bool value);
  bool LabelsOnAxis() const { return FLabelsOnAxis; }
  void SetLabelsOnAxis(bool value);
  bool RoundFirstLabel() const { return FRoundFirstLabel; }
  void SetRoundFirstLabel(bool value);
  const std::string& AxisValuesFormat() const { return FAxisValuesFormat; }
  void SetAxisValuesFormat(const std::string& value);
  TAxisLabelStyle LabelStyle() const { return FLabelStyle; }
  void SetLabelStyle(TAxisLabelStyle value);
  double StartPosition() const { return FStartPosition; }
  void SetStartPosition(double value);
  double EndPosition() const { return FEndPosition; }
  void SetEndPosition(double value);
  double PositionPercent() const { return FPositionPercent; }
  void SetPositionPercent(double value);

  TChartAxisTitle& Title() { return FTitle; }
  const TChartAxisTitle& Title() const { return FTitle; }
  const TFont& LabelsFont() const { return FLabelsFont; }
  void SetLabelsFont(const TFont& value);
  // Fixed sizes of the labels and title bands; 0 measures them.
  int LabelsSize() const { return FLabelsSize; }
  void SetLabelsSize(int value);
  int TitleSize() const { return FTitleSize; }
  void SetTitleSize(int value);
  bool LabelsMultiLine() const { return FLabelsMultiLine; }
  void SetLabelsMultiLine(bool value);
  bool GridCentered() const { return FGridCentered; }
  void SetGridCentered(bool value);
  bool TickOnLabelsOnly() const { return FTickOnLabelsOnly; }
  void SetTickOnLabelsOnly(bool value);
  int TickLength() const { return FTickLength; }
  void SetTickLength(int value);
  int TickInnerLength() const { return FTickInnerLength; }
  void SetTickInnerLength(int value);
  int MinorTickCount() const { return FMinorTickCount; }
  void SetMinorTickCount(int value);
  int MinorTickLength() const { return FMinorTickLength; }
  void SetMinorTickLength(int value);
  bool Logarithmic() const { return FLogarithmic; }
  void SetLogarithmic(bool value);
  int LogarithmicBase() const { return FLogarithmicBase; }
  void SetLogarithmicBase(int value);
  const std::string& DateTimeFormat() const { return FDateTimeFormat; }
  void SetDateTimeFormat(const std::string& value);
  bool ExactDateTime() const { return FExactDateTime; }
  void SetExactDateTime(bool value);
  // The pens of the axis line, the grid, the minor grid and the three kinds of tick.
  const TChartPen& Axis() const { return FAxisPen; }
  void SetAxis(const TChartPen& value);
  const TChartPen& Grid() const { return FGrid; }
  void SetGrid(const TChartPen& value);
  const TChartPen& MinorGrid() const { return FMinorGrid; }
  void SetMinorGrid(const TChartPen& value);
  const TChartPen& Ticks() const { return FTicks; }
  void SetTicks(const TChartPen& value);
  const TChartPen& TicksInner() const { return FTicksInner; }
  void SetTicksInner(const TChartPen& value);
  const TChartPen& MinorTicks() const { return FMinorTicks; }
  void SetMinorTicks(const TChartPen& value);

  bool IsHorizontal() const { return FIsHorizontal; }
  bool OnFarSide() const { return FOnFarSide; }
  bool IsDepth() const { return FIsDepth; }
  TCustomAxisPanel* Chart() const { return FChart; }
  void Repaint();

 private:
  friend class TCustomAxisPanel;
  template <typename T>
  void Change(T& field, const T& value);
  std::string MakeLabel(double value, const TAxisLayout& layout) const;
  double LabelExtent(TChartCanvas3D& canvas, double value, const TAxisLayout& layout) const;
  // The larger extent of the labels at the two ends, in the labels font.
  double LabelSize(TChartCanvas3D& canvas, const TAxisLayout& layout) const;
  int LabelsBand(TChartCanvas3D& canvas, const TAxisLayout& layout) const;
  int WallSize() const;
  void DrawTitle(TChartCanvas3D& canvas) const;
  void DrawLabelAndRecordTick(TChartCanvas3D& canvas, double value, std::vector<int>& ticks) const;
  // Point labels or mark texts of the first series on this axis, at the points' positions.
  void DrawSeriesLabels(TChartCanvas3D& canvas, TAxisLabelStyle style,
                        std::vector<int>& ticks) const;
  void DrawLabelAt(TChartCanvas3D& canvas, int p, const std::string& text,
                   std::vector<int>& ticks) const;
  void DrawAxisLine(TChartCanvas3D& canvas) const;
  void DrawTicksAndGrid(TChartCanvas3D& canvas, const std::vector<int>& ticks) const;
  void DrawGridLine(TChartCanvas3D& canvas, int position) const;

  TCustomAxisPanel* FChart;
  // The axis' place in the chart's axis list and layout; -1 for an axis outside it.
  int FLayoutIndex = -1;
  bool FIsHorizontal, FOnFarSide, FIsDepth;
  bool FAutomatic = true, FAutomaticMaximum = true, FAutomaticMinimum = true;
  double FMinimum = 0, FMaximum = 0, FIncrement = 0;
  int FLabelsSeparation = 10;
  int FLabelsAngle = 0;
  bool FVisible = true;
  bool FInverted = false;
  bool FLabels = true;
  bool FLabelsOnAxis = true;
  bool FRoundFirstLabel = true;
  std::string FAxisValuesFormat = "#,##0.###";
  TAxisLabelStyle FLabelStyle = talAuto;
  double FStartPosition = 0, FEndPosition = 100, FPositionPercent = 0;
  TChartAxisTitle FTitle{this};
  TFont FLabelsFont;
  int FLabelsSize = 0;
  int FTitleSize = 0;
  bool FLabelsMultiLine = false;
  bool FGridCentered = false;
  bool FTickOnLabelsOnly = true;
  int FTickLength = 4;
  int FTickInnerLength = 0;
  int FMinorTickCount = 3;
  int FMinorTickLength = 2;
  bool FLogarithmic = false;
  int FLogarithmicBase = 10;
  std::string FDateTimeFormat;
  bool FExactDateTime = true;
  TChartPen FAxisPen = ChartAxisPen();
  TChartPen FGrid = DottedGrayPen();
  TChartPen FMinorGrid = ChartHiddenPen();
  TChartPen FTicks = DarkGrayPen();
  TChartPen FTicksInner = DarkGrayPen();
  TChartPen FMinorTicks = DarkGrayPen();
  mutable TAxisLabelCache FLabelCache;
};

class LISTCHART_CHART_API TChartAxis : public TCustomChartAxis {
 public:
  using TCustomChartAxis::TCustomChartAxis;
};

// The axis into the depth of a 3D chart; hidden unless asked for.
class LISTCHART_CHART_API TChartDepthAxis : public TCustomChartAxis {
 public:
  explicit TChartDepthAxis(TCustomAxisPanel* chart);
};

// The step after x in the series 1, 2, 5, 10, 20, 50, ... (and below 1, 0.5, 0.2, 0.1, ...).
LISTCHART_CHART_API double NextNiceStep(double x);
