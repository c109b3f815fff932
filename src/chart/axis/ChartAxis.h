#pragma once

#include <string>
#include <utility>
#include <vector>

#include "chart/ChartExport.h"
#include "chart/axis/AxisLabelCache.h"
#include "chart/view/ChartLayout.h"
#include "chart/view/ChartPen.h"
#include "platform/Font.h"
#include "platform/Geometry.h"

class TCustomAxisPanel;
class TChartCanvas3D;

// What an axis labels: talAuto chooses (point labels when the series have them, else values);
// talNone nothing; talValue values; talMark the points' mark texts; talText the points' labels.
enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };

// The caption drawn along an axis.
class LISTCHART_CHART_API TChartAxisTitle {
 public:
  // The title of an axis, which owns it.
  explicit TChartAxisTitle(class TCustomChartAxis* axis) : FAxis(axis) {}
  // The text; empty (the default) draws no title and keeps no band for it.
  const std::string& Caption() const { return FCaption; }
  // Sets the text and repaints.
  void SetCaption(const std::string& value);
  // The text's angle in degrees: 0 by default, 90 for a left axis, 270 for a right one.
  int Angle() const { return FAngle; }
  // 0..359 degrees, else refused with the angle message.
  void SetAngle(int value);
  // The title's font.
  const TFont& Font() const { return FFont; }
  // Sets the font and repaints.
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
  // An axis of a chart: horizontal or vertical, on the far side (top or right) or not, or the depth
  // axis.
  TCustomChartAxis(TCustomAxisPanel* chart, bool horizontal, bool farSide, bool depth);
  virtual ~TCustomChartAxis() = default;
  TCustomChartAxis(const TCustomChartAxis&) = delete;
  TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;

  // Range.
  // Whether both ends follow the series; true by default.
  bool Automatic() const { return FAutomatic; }
  // Sets Automatic and (unless the chart is loading) both AutomaticMinimum and AutomaticMaximum.
  void SetAutomatic(bool value);
  // Whether the upper end follows the series; true by default.
  bool AutomaticMaximum() const { return FAutomaticMaximum; }
  // Sets AutomaticMaximum; turning it off turns Automatic off, turning it on turns Automatic on
  // when the other end is automatic too.
  void SetAutomaticMaximum(bool value);
  // Whether the lower end follows the series; true by default.
  bool AutomaticMinimum() const { return FAutomaticMinimum; }
  // As SetAutomaticMaximum for the lower end.
  void SetAutomaticMinimum(bool value);
  // The lower end of the range; with an automatic end, the last one computed.
  double Minimum() const { return FMinimum; }
  // Sets the lower end; throws when above Maximum (unless the chart is loading).
  void SetMinimum(double value);
  // The upper end of the range; with an automatic end, the last one computed.
  double Maximum() const { return FMaximum; }
  // Sets the upper end; throws when below Minimum (unless the chart is loading).
  void SetMaximum(double value);
  // The one way zoom, pan and wheel change a range: fixes both ends (ordered, widened to a
  // span above zero); refuses NaN and infinite ends. Returns whether anything changed.
  bool SetAxisRange(double a, double b);
  // The least step between labels; 0 (the default) lets the axis choose.
  double Increment() const { return FIncrement; }
  // Sets Increment; throws when below 0.
  void SetIncrement(double value);

  // The layout's steps for this axis, each writing the axis' entry of the layout being built:
  // the range in use (an automatic end follows the series), the pixel extent along the plot,
  // the bands cut from the plot for title, labels and ticks, the range widened so that the
  // series' margins fit, and the axis line.
  void UpdateRange(TAxisLayout& entry);
  // Sets the axis' pixel extent along the plot (the depth axis: along the box's depth, front to
  // back) from StartPosition and EndPosition.
  void PlaceOnChart(TAxisLayout& entry, const TRect& plot) const;
  // Chooses the label step and cuts the title, labels and ticks bands from rect on the axis' side.
  void ReserveSpace(TAxisLayout& entry, TRect& rect, TChartCanvas3D& canvas) const;
  // Widens the range so that atStart and atEnd pixels at the ends hold the series' margins.
  void WidenRangeByMargins(TAxisLayout& entry, const TRect& plot, int atStart, int atEnd) const;
  // Places the axis line at the plot's edge, moved into it by PositionPercent.
  void PlaceLine(TAxisLayout& entry, const TRect& plot) const;

  // The axis as the chart's layout has it (read-only).
  const TAxisLayout& Layout() const;
  // The lower end of the range in use.
  double RangeMin() const { return Layout().RangeMin; }
  // The upper end of the range in use.
  double RangeMax() const { return Layout().RangeMax; }
  // RangeMax minus RangeMin.
  double RangeSpan() const { return Layout().RangeSpan; }
  // The pixel where the axis starts (left or top).
  int StartPixel() const { return Layout().StartPixel; }
  // The pixel where the axis ends (right or bottom).
  int EndPixel() const { return Layout().EndPixel; }
  // The axis' length in pixels.
  int LengthPixels() const { return Layout().LengthPixels; }
  // The pixel halfway along the axis.
  int CenterPixel() const { return Layout().CenterPixel; }
  // Where the axis line stands across the axis, in pixels.
  int AxisLinePos() const { return Layout().AxisLinePos; }
  // Where the labels stand across the axis, in pixels.
  int LabelsPos() const { return Layout().LabelsPos; }
  // Where the title stands across the axis, in pixels.
  int TitlePos() const { return Layout().TitlePos; }
  // Whether the labels are dates and times (the first active series on the axis says so).
  bool ShowsDateTime() const { return Layout().ShowsDateTime; }
  // The pixel of a value along the axis.
  int ValueToPixel(double value) const { return Layout().ValueToPixel(value); }
  // The value at a pixel along the axis.
  double PixelToValue(int pixel) const { return Layout().PixelToValue(pixel); }

  // Labels.
  // The least gap between labels, in percent of a label's size; 10 by default. At 0 the step
  // stays at Increment (or 1).
  int LabelsSeparation() const { return FLabelsSeparation; }
  // Sets LabelsSeparation; throws when below 0.
  void SetLabelsSeparation(int value);
  // The labels' angle in degrees; 0 by default.
  int LabelsAngle() const { return FLabelsAngle; }
  // Sets the labels' angle, 0..359; throws otherwise.
  void SetLabelsAngle(int value);
  // The step between labels for a scale's range and pixel length, measured with the labels
  // font on the given canvas.
  double LabelStep(TChartCanvas3D& canvas, const TAxisLayout& layout) const;
  // The same for the axis as laid out.
  double LabelStep(TChartCanvas3D& canvas) const { return LabelStep(canvas, Layout()); }
  // Notes the label step in the axis' layout entry, where the label texts read it.
  void ChooseLabelStep(TAxisLayout& entry, TChartCanvas3D& canvas) const;
  // The same for a given label size in pixels along the axis.
  double LabelStepForSize(double size, const TAxisScale& scale) const;
  // The same for the axis as laid out.
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
  // The same for the axis as laid out.
  std::vector<double> LabelValues(double step) const { return LabelValues(step, Layout()); }
  // The label of a value: FormatLabel, as OnGetAxisLabel leaves it.
  std::string LabelText(double value) const;
  // The value as AxisValuesFormat (or the date-time rules) make it, before OnGetAxisLabel.
  std::string FormatLabel(double value, const TAxisLayout& layout) const;
  // How many label texts were made, not taken from the texts kept for the axis.
  long LabelFormats() const { return FLabelCache.Made(); }
  // The same for the axis as laid out.
  std::string FormatLabel(double value) const { return FormatLabel(value, Layout()); }
  // AxisValuesFormat with the decimal places the layout's label step needs added.
  std::string ValuesFormatFor(const TAxisLayout& layout) const;
  // The label style in use: LabelStyle, or the one talAuto chooses from the active series on the
  // axis.
  TAxisLabelStyle EffectiveLabelStyle() const;

  // Published settings; a change repaints the chart.
  // Whether the axis is drawn; true by default (false for the depth axis).
  bool Visible() const { return FVisible; }
  // Shows or hides the axis.
  void SetVisible(bool value);
  // Whether values run from right to left, or from top to bottom; false by default.
  bool Inverted() const { return FInverted; }
  // Sets Inverted.
  void SetInverted(bool value);
  // Whether labels are drawn; true by default.
  bool Labels() const { return FLabels; }
  // Shows or hides the labels.
  void SetLabels(bool value);
  // Whether labels at the axis' very ends are drawn; true by default.
  bool LabelsOnAxis() const { return FLabelsOnAxis; }
  // Sets LabelsOnAxis.
  void SetLabelsOnAxis(bool value);
  // Whether labels start at a multiple of the step rather than at the range's top; true by default.
  bool RoundFirstLabel() const { return FRoundFirstLabel; }
  // Sets RoundFirstLabel.
  void SetRoundFirstLabel(bool value);
  // The number format of value labels; "#,##0.###" by default.
  const std::string& AxisValuesFormat() const { return FAxisValuesFormat; }
  // Sets the number format.
  void SetAxisValuesFormat(const std::string& value);
  // What the labels show; talAuto by default.
  TAxisLabelStyle LabelStyle() const { return FLabelStyle; }
  // Sets the label style.
  void SetLabelStyle(TAxisLabelStyle value);
  // Where the axis starts along the plot, in percent of its length; 0 by default.
  double StartPosition() const { return FStartPosition; }
  // Sets StartPosition (NaN counts as 0).
  void SetStartPosition(double value);
  // Where the axis ends along the plot, in percent of its length; 100 by default.
  double EndPosition() const { return FEndPosition; }
  // Sets EndPosition (NaN counts as 0).
  void SetEndPosition(double value);
  // How far the axis moves into the plot from its edge, in percent of the plot; 0 by default.
  double PositionPercent() const { return FPositionPercent; }
  // Sets PositionPercent (NaN counts as 0).
  void SetPositionPercent(double value);

  // The axis' title.
  TChartAxisTitle& Title() { return FTitle; }
  // The axis' title.
  const TChartAxisTitle& Title() const { return FTitle; }
  // The labels' font.
  const TFont& LabelsFont() const { return FLabelsFont; }
  // Sets the labels' font.
  void SetLabelsFont(const TFont& value);
  // Fixed sizes of the labels and title bands; 0 measures them.
  int LabelsSize() const { return FLabelsSize; }
  // Sets the labels band's width in pixels; 0 (the default) measures it.
  void SetLabelsSize(int value);
  // The title band's width in pixels; 0 (the default) measures it.
  int TitleSize() const { return FTitleSize; }
  // Sets TitleSize.
  void SetTitleSize(int value);
  // Whether a label breaks into lines at its spaces; false by default.
  bool LabelsMultiLine() const { return FLabelsMultiLine; }
  // Sets LabelsMultiLine.
  void SetLabelsMultiLine(bool value);
  // Whether grid lines stand halfway between ticks rather than on them; false by default.
  bool GridCentered() const { return FGridCentered; }
  // Sets GridCentered.
  void SetGridCentered(bool value);
  // Whether ticks and grid lines stand only where a label is drawn; true by default.
  bool TickOnLabelsOnly() const { return FTickOnLabelsOnly; }
  // Sets TickOnLabelsOnly.
  void SetTickOnLabelsOnly(bool value);
  // The length in pixels of the ticks outside the axis line; 4 by default.
  int TickLength() const { return FTickLength; }
  // Sets TickLength.
  void SetTickLength(int value);
  // The length in pixels of the ticks inside the plot; 0 (none) by default.
  int TickInnerLength() const { return FTickInnerLength; }
  // Sets TickInnerLength.
  void SetTickInnerLength(int value);
  // The number of minor ticks between two ticks; 3 by default.
  int MinorTickCount() const { return FMinorTickCount; }
  // Sets MinorTickCount, kept within 0..1000.
  void SetMinorTickCount(int value);
  // The length in pixels of the minor ticks; 2 by default.
  int MinorTickLength() const { return FMinorTickLength; }
  // Sets MinorTickLength.
  void SetMinorTickLength(int value);
  // Whether the axis is logarithmic; false by default.
  bool Logarithmic() const { return FLogarithmic; }
  // Sets Logarithmic.
  void SetLogarithmic(bool value);
  // The base whose powers label a logarithmic axis; 10 by default.
  int LogarithmicBase() const { return FLogarithmicBase; }
  // Sets LogarithmicBase.
  void SetLogarithmicBase(int value);
  // The format of date-time labels; empty (the default) chooses one from the step.
  const std::string& DateTimeFormat() const { return FDateTimeFormat; }
  // Sets DateTimeFormat.
  void SetDateTimeFormat(const std::string& value);
  // Whether date-time labels of a month or more fall on calendar months; true by default.
  bool ExactDateTime() const { return FExactDateTime; }
  // Sets ExactDateTime.
  void SetExactDateTime(bool value);
  // The pens of the axis line, the grid, the minor grid and the three kinds of tick.
  const TChartPen& Axis() const { return FAxisPen; }
  // Sets the axis line's pen (its width kept within the pen limit).
  void SetAxis(const TChartPen& value);
  // The grid's pen: dotted grey by default.
  const TChartPen& Grid() const { return FGrid; }
  // Sets the grid's pen.
  void SetGrid(const TChartPen& value);
  // The minor grid's pen: hidden by default.
  const TChartPen& MinorGrid() const { return FMinorGrid; }
  // Sets the minor grid's pen.
  void SetMinorGrid(const TChartPen& value);
  // The ticks' pen: dark grey by default.
  const TChartPen& Ticks() const { return FTicks; }
  // Sets the ticks' pen.
  void SetTicks(const TChartPen& value);
  // The inner ticks' pen: dark grey by default.
  const TChartPen& TicksInner() const { return FTicksInner; }
  // Sets the inner ticks' pen.
  void SetTicksInner(const TChartPen& value);
  // The minor ticks' pen: dark grey by default.
  const TChartPen& MinorTicks() const { return FMinorTicks; }
  // Sets the minor ticks' pen.
  void SetMinorTicks(const TChartPen& value);

  // Whether the axis runs horizontally.
  bool IsHorizontal() const { return FIsHorizontal; }
  // Whether the axis stands at the top or right (or is the depth axis).
  bool OnFarSide() const { return FOnFarSide; }
  // Whether this is the depth axis.
  bool IsDepth() const { return FIsDepth; }
  // The chart owning the axis.
  TCustomAxisPanel* Chart() const { return FChart; }
  // Asks the chart to repaint.
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
  // The depth axis' labels with their depths: the series' titles at the middle of their depth
  // bands, or values with talValue.
  std::vector<std::pair<int, std::string>> DepthLabels(TChartCanvas3D& canvas) const;
  // The depth axis along the floor's right edge, its ticks and labels right of it.
  void PaintDepthAxis(TChartCanvas3D& canvas) const;
  // The room from the box's right edge to the depth axis' labels: the ticks and a gap.
  int DepthTickRoom() const;
  // The room the depth axis' ticks and labels take right of the box; 0 without labels.
  int DepthLabelsRoom(TChartCanvas3D& canvas) const;

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

// One of a chart's four axes, or an extra one for series to use.
class LISTCHART_CHART_API TChartAxis : public TCustomChartAxis {
 public:
  using TCustomChartAxis::TCustomChartAxis;
};

// The axis into the depth of a 3D chart; hidden unless asked for.
class LISTCHART_CHART_API TChartDepthAxis : public TCustomChartAxis {
 public:
  // The chart's depth axis, hidden until shown.
  explicit TChartDepthAxis(TCustomAxisPanel* chart);
};

// The step after x in the series 1, 2, 5, 10, 20, 50, ... (and below 1, 0.5, 0.2, 0.1, ...).
LISTCHART_CHART_API double NextNiceStep(double x);
