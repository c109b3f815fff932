#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartExport.h"
#include "chart/series/ChartValueList.h"
#include "chart/view/ChartLayout.h"
#include "chart/view/ChartPen.h"
#include "platform/Color.h"
#include "platform/Control.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Property.h"

class TCustomAxisPanel;
class TCustomChartAxis;
class TChartFunction;
class TChartSeries;
class TChartCanvas3D;

// What changed in a series, passed on to the series that use it as their data source.
enum class TSeriesChange { Clear, Insert, Delete, ModifyOne, ModifyAll };

// Which horizontal axis a series is drawn against: top, bottom, both, or its custom one.
enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
// Which vertical axis a series is drawn against: left, right, both, or its custom one.
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

// What a point's mark shows: its value, its percent of the series' total (of the magnitudes),
// its label (the value when it has none), the label with the percent or the value, the text
// the legend gives the point, the percent with the total ("25 % of 400"), the label with that,
// or the X value. Values take ValueFormat, percents PercentFormat.
enum TSeriesMarksStyle {
  smsValue,
  smsPercent,
  smsLabel,
  smsLabelPercent,
  smsLabelValue,
  smsLegend,
  smsPercentTotal,
  smsLabelPercentTotal,
  smsXValue
};

// Where a point's mark stands when the program moved it: an offset in pixels from the place
// the series gives it, the arrow following the mark.
struct LISTCHART_CHART_API TMarkPosition {
  // Whether the mark was moved.
  bool Custom = false;
  // The offset from the mark's own place.
  TPoint Offset;
};

// Which changes of its data sources a series follows: points deleted, values changed, points
// added, all points cleared. All by default; changes of every value are always followed.
struct LISTCHART_CHART_API TRecalcOptions {
  // Follow a deleted point.
  bool OnDelete = true;
  // Follow a changed value.
  bool OnModify = true;
  // Follow an added point.
  bool OnInsert = true;
  // Follow a clear.
  bool OnClear = true;
  // Equal when every flag is.
  friend bool operator==(const TRecalcOptions&, const TRecalcOptions&) = default;
};

// The colour of the series palette at index (taken modulo its sixteen entries).
LISTCHART_CHART_API TColor PaletteColor(int index);

// The text marks drawn beside a series' points. Every change asks the series to repaint.
class LISTCHART_CHART_API TSeriesMarks {
 public:
  // The marks of a series, which it owns; hidden by default. Their text is black, on the pale
  // BackColor whatever the desktop's colours.
  explicit TSeriesMarks(TChartSeries* series) : FSeries(series) { FFont.SetColor(clBlack); }

  // Pixels from the point up to the mark's text, along the arrow; 8 by default.
  int ArrowLength() const { return FArrowLength; }
  // Sets ArrowLength.
  void SetArrowLength(int value);
  // The colour behind an opaque mark's text; a pale yellow by default.
  TColor BackColor() const { return FBackColor; }
  // Sets BackColor.
  void SetBackColor(TColor value);
  // Whether the marks are cut at the plot's edges; false by default (they may stand beyond it).
  bool Clip() const { return FClip; }
  // Sets Clip.
  void SetClip(bool value);
  // What the marks show; smsLabel by default.
  TSeriesMarksStyle Style() const { return FStyle; }
  // Sets Style.
  void SetStyle(TSeriesMarksStyle value);
  // Whether the text is drawn without BackColor behind it; false by default.
  bool Transparent() const { return FTransparent; }
  // Sets Transparent.
  void SetTransparent(bool value);
  // Whether the marks are drawn; false by default.
  bool Visible() const { return FVisible; }
  // Shows or hides the marks.
  void SetVisible(bool value);

  // The pen of the line from a point to its mark; not drawn when hidden.
  const TChartPen& Arrow() const { return FArrow; }
  // Sets the arrow's pen (its width kept within the pen limit).
  void SetArrow(const TChartPen& value);
  // The pen of the frame around a mark's text; a bar series keeps room for its width.
  const TChartPen& Frame() const { return FFrame; }
  // Sets the frame's pen (its width kept within the pen limit).
  void SetFrame(const TChartPen& value);
  // The font of the marks' text.
  const TFont& Font() const { return FFont; }
  // Sets the font.
  void SetFont(const TFont& value);

  // Moves the mark of the point at index by an offset from its own place and repaints; an index
  // below 0 is ignored.
  void SetCustomPosition(int index, TPoint offset);
  // Puts every mark back in its own place and repaints.
  void ClearCustomPositions();
  // The offset of the mark of the point at index; (0, 0) when it stands in its own place.
  TPoint CustomOffset(int index) const;
  // The positions per point (as many as were set); they follow their points when points are
  // added or deleted and are discarded with them.
  const std::vector<TMarkPosition>& CustomPositions() const { return FPositions; }

 private:
  friend class TChartSeries;
  template <typename T>
  void Change(T& field, const T& value);

  TChartSeries* FSeries;
  int FArrowLength = 8;
  TColor FBackColor = 0x80FFFF;
  bool FClip = false;
  TSeriesMarksStyle FStyle = smsLabel;
  bool FTransparent = false;
  bool FVisible = false;
  TChartPen FArrow = ChartArrowPen();
  TChartPen FFrame;
  TFont FFont;
  std::vector<TMarkPosition> FPositions;
};

// Owns series on behalf of a window or form; the chart only references them.
class LISTCHART_CHART_API TSeriesOwner {
 public:
  TSeriesOwner() = default;
  TSeriesOwner(const TSeriesOwner&) = delete;
  TSeriesOwner& operator=(const TSeriesOwner&) = delete;
  ~TSeriesOwner();

  template <typename T, typename... Args>
  // Makes a series of kind T from the arguments, keeps it and returns it.
  T& CreateSeries(Args&&... args) {
    auto series = std::make_unique<T>(std::forward<Args>(args)...);
    T& result = *series;
    Adopt(std::move(series));
    return result;
  }
  // Takes ownership of a series made elsewhere.
  void Adopt(std::unique_ptr<TChartSeries> series);
  // Destroys a series this owner holds; returns false when it holds no such series.
  bool DestroySeries(TChartSeries* series);
  // The number of series held.
  int Count() const { return static_cast<int>(FSeries.size()); }

 private:
  std::vector<std::unique_ptr<TChartSeries>> FSeries;
};

// A series of points, each with an X and a Y value, an optional label and a colour.
class LISTCHART_CHART_API TChartSeries {
 public:
  TChartSeries();
  virtual ~TChartSeries();
  TChartSeries(const TChartSeries&) = delete;
  TChartSeries& operator=(const TChartSeries&) = delete;

  // Point store.
  // Adds a point in X order (unless the X list is unordered) and returns its index, or -1 when
  // OnBeforeAdd refuses it; fires OnAfterAdd, tells the linked series and repaints.
  virtual int AddPoint(double x, double y, const std::string& label, TColor color);
  // Adds a null point (colour clNone), which is kept but not drawn.
  int AddNullPoint(double x, double y, const std::string& label);
  // Adds a point whose mandatory value is given, the other value being the point count.
  int AddMandatoryValue(double value, const std::string& label, TColor color);
  // Adds a null point with the mandatory value 0.
  int AddNullValue(const std::string& label);
  // Removes every point and its mark position, fires OnClearValues, clears the linked series and
  // repaints.
  virtual void ClearPoints();
  // Removes the point at index, tells the linked series and repaints.
  virtual void DeletePoint(int index);
  // The number of points.
  int PointCount() const { return FXValues->ValueCount(); }
  // The X value of the point at index.
  virtual double XValue(int index) const { return FXValues->ValueAt(index); }
  // The Y value of the point at index.
  virtual double YValue(int index) const { return FYValues->ValueAt(index); }
  // The colour the point is drawn in: its own, else a palette colour with ColorEachPoint, else
  // SeriesColor.
  virtual TColor PointColor(int index) const;
  // The colour given with the point (clDefault past the end of the colour store).
  TColor StoredColor(int index) const;
  // Sets the colour of the point at index (clNone makes it null) and repaints; throws when out of
  // range.
  void SetPointColor(int index, TColor color);
  // Whether the point is null (its colour is clNone): kept, but not drawn.
  bool IsNullPoint(int index) const { return PointColor(index) == clNone; }
  // The label of the point at index; empty out of range.
  virtual std::string PointLabel(int index) const;
  // Exchanges two points with their values, colours and labels; throws when out of range.
  void SwapPoints(int a, int b);
  // The list holding the values every point must have; Y unless a kind says otherwise.
  virtual TChartValueList& MandatoryList() const { return *FYValues; }

  // Ranges used by the axes.
  // The lowest X value.
  virtual double MinimumX() { return FXValues->LowestValue(); }
  // The highest X value.
  virtual double MaximumX() { return FXValues->HighestValue(); }
  // The lowest Y value.
  virtual double MinimumY() { return FYValues->LowestValue(); }
  // The highest Y value.
  virtual double MaximumY() { return FYValues->HighestValue(); }
  // The depth the series takes on the depth axis: its ZOrder.
  virtual double MinimumZ() { return FZOrder; }
  // As MinimumZ.
  virtual double MaximumZ() { return FZOrder; }

  // The list of X values, ascending by default.
  TChartValueList& XValues() const { return *FXValues; }
  // The list of Y values.
  TChartValueList& YValues() const { return *FYValues; }
  // Every value list of the series, X and Y first.
  TChartValueLists& ValueLists() { return FValueLists; }
  // The colours given with the points, clDefault for none.
  const std::vector<TColor>& PointColors() const { return FPointColors; }
  // The text marks beside the points.
  TSeriesMarks& Marks() { return FMarks; }
  // The text marks beside the points.
  const TSeriesMarks& Marks() const { return FMarks; }

  // The chart showing this series: joining takes a free colour, leaving detaches.
  TCustomAxisPanel* ParentChart() const { return FParentChart; }
  // Moves the series to a chart (nullptr detaches it); a series without a colour takes a free one.
  virtual void SetParentChart(TCustomAxisPanel* chart);
  // Asks the chart, if any, to repaint.
  void RequestRepaint();

  // Published properties: a change repaints.
  // Whether the series is shown; true by default.
  bool Active() const { return FActive; }
  // Shows or hides the series.
  virtual void SetActive(bool value);
  // The colour of the series; clDefault until a chart picks a free one.
  TColor SeriesColor() const { return FSeriesColor; }
  // Sets the series colour.
  virtual void SetSeriesColor(TColor value);
  // Whether points without a colour of their own take the palette's colours; false by default.
  bool ColorEachPoint() const { return FColorEachPoint; }
  // Sets ColorEachPoint; turning it off also clears the colours given with the points.
  virtual void SetColorEachPoint(bool value);
  // Whether the legend lists the series (or its points); true by default.
  bool ShowInLegend() const { return FShowInLegend; }
  // Sets ShowInLegend.
  void SetShowInLegend(bool value);
  // The series' name, as the legend shows it.
  const std::string& Title() const { return FTitle; }
  // Sets the title.
  void SetTitle(const std::string& value);
  // The number format of values in marks; "#,##0.###" by default.
  const std::string& ValueFormat() const { return FValueFormat; }
  // Sets the value format.
  void SetValueFormat(const std::string& value);
  // The number format of percents in marks and the legend; "##0.## %" by default.
  const std::string& PercentFormat() const { return FPercentFormat; }
  // Sets PercentFormat.
  void SetPercentFormat(const std::string& value);
  // The mouse cursor over the series' points; 0 (the default) leaves the chart's own.
  int16_t Cursor() const { return FCursor; }
  // Sets Cursor; no repaint.
  void SetCursor(int16_t value) { StoreProperty(FCursor, value); }
  // The horizontal axis the series uses; aBottomAxis by default.
  THorizAxis HorizAxis() const { return FHorizAxis; }
  // Sets HorizAxis.
  void SetHorizAxis(THorizAxis value);
  // The vertical axis the series uses; aLeftAxis by default.
  TVertAxis VertAxis() const { return FVertAxis; }
  // Sets VertAxis.
  void SetVertAxis(TVertAxis value);

  // The axes this series is drawn against, resolved from HorizAxis and VertAxis.
  TCustomChartAxis* GetHorizAxis() const;
  // See GetHorizAxis; nullptr without a chart.
  TCustomChartAxis* GetVertAxis() const;
  // Whether the series is tied to the axis (both-axes choices included).
  bool IsTiedTo(const TCustomChartAxis& axis) const;
  // Whether the series needs axes and is tied to this one.
  bool UsesAxis(const TCustomChartAxis& axis) const { return NeedsAxes() && IsTiedTo(axis); }
  // Whether the kind is drawn against axes; true unless a kind says otherwise.
  virtual bool NeedsAxes() const { return true; }
  // Axes of the chart's own choosing for the custom choices; none means the default axis.
  TCustomChartAxis* CustomHorizAxis() const { return FCustomHorizAxis; }
  // Sets the custom horizontal axis (not owned).
  void SetCustomHorizAxis(TCustomChartAxis* axis);
  // The custom vertical axis, used with aCustomVertAxis; not owned.
  TCustomChartAxis* CustomVertAxis() const { return FCustomVertAxis; }
  // Sets the custom vertical axis (not owned).
  void SetCustomVertAxis(TCustomChartAxis* axis);

  // Data-source links, reduced to what keeps the point operations consistent: a series
  // fed by another copies its points and follows its changes.
  // Feeds this series from another, copying its points now; throws on a circular link.
  void AddDataSource(TChartSeries* source);
  // Stops following a source; the points copied stay.
  void RemoveDataSource(TChartSeries* source);
  // The series this one copies its points from.
  const std::vector<TChartSeries*>& DataSources() const { return FDataSources; }
  // The series fed by this one.
  const std::vector<TChartSeries*>& LinkedSeries() const { return FLinkedSeries; }
  // Passes a change on to the linked series.
  void NotifyLinked(TSeriesChange change, int index);
  // Replaces the points with copies of another series' points.
  void CopyAllFrom(const TChartSeries& source);
  // The function computing the points from the data sources; nullptr (the default) copies them.
  TChartFunction* Function() const { return FFunction.get(); }
  // Takes a function (nullptr for none) and makes the points afresh from the sources.
  void SetFunction(std::unique_ptr<TChartFunction> function);
  // Makes the points afresh from the data sources: the function's result, or without a function
  // a copy of the last source's points. Does nothing without sources.
  void Recalculate();
  // Which changes of the sources the series follows.
  const TRecalcOptions& RecalcOptions() const { return FRecalcOptions; }
  // Sets RecalcOptions.
  void SetRecalcOptions(const TRecalcOptions& value) { FRecalcOptions = value; }

  // Depth order: -1 means computed by the chart. Kept within -1..kMaxZOrder, so the depth
  // arithmetic cannot overflow.
  static constexpr int kMaxZOrder = 100;
  // The fixed depth order, or -1 (the default) to let the chart compute it.
  int ZOrder() const { return FZOrder; }
  // Sets ZOrder, kept within -1..kMaxZOrder.
  void SetZOrder(int value);
  // The series as the chart's layout has it (read-only): its place in depth order, the depth
  // slot it is drawn in (the chart counts slots from the back), its depth band in pixels and
  // the points inside the horizontal range (-1 when none).
  const TSeriesLayout& Layout() const;
  // The depth slot the series is drawn in.
  int ZSlot() const { return Layout().ZSlot; }
  // The place in depth order the layout computed.
  int ComputedZOrder() const { return Layout().ComputedZOrder; }
  // The front of the series' depth band, in pixels.
  int StartZ() const { return Layout().StartZ; }
  // The middle of the depth band, where marks are drawn.
  int MiddleZ() const { return Layout().MiddleZ; }
  // The back of the depth band, in pixels.
  int EndZ() const { return Layout().EndZ; }
  // The first point inside the horizontal range, -1 when none.
  int FirstShownIndex() const { return Layout().FirstShownIndex; }
  // The last point inside the horizontal range, -1 when none.
  int LastShownIndex() const { return Layout().LastShownIndex; }

  // The layout's steps for this series. Takes a place in depth order: a fixed ZOrder, else
  // the next free one in 3D, else 0.
  virtual void ComputeZOrder(TChartLayout& layout) const;
  // The shown points, from the horizontal axis' range; for a kind that joins its points, with
  // the neighbour outside each end, so that the segments crossing the plot's edges are drawn.
  void CalcFirstLastShownIndex(TSeriesLayout& entry) const;
  // Whether the kind draws what joins one point to the next (a line or an area).
  virtual bool ConnectsPoints() const { return false; }
  // Pixels the series needs beyond its data at either end of each axis; a kind may note
  // what it measured (a bar width) in its entry.
  virtual void HorizontalMargins(TSeriesLayout& /*entry*/, int& left, int& right) const {
    left = right = 0;
  }
  // See HorizontalMargins.
  virtual void VerticalMargins(TSeriesLayout& /*entry*/, int& top, int& bottom) const {
    top = bottom = 0;
  }
  // Whether the series stacks on the series before it in its depth slot, so that a group of
  // them is drawn from the bottom of the stack up.
  virtual bool Stacked() const { return false; }

  // Drawing, driven by the chart's paint loop.
  virtual void DrawPoint(int /*index*/) {}
  // Draws the mark of one point, with its arrow, in the middle of the depth band.
  virtual void DrawPointMark(int index);
  // The text of a point's mark in the marks' Style, as OnGetMarkText leaves it.
  std::string MarkText(int index);
  // The point's Y value in ValueFormat.
  std::string ValueText(int index) const;
  // ShareOfTotal in percent, in PercentFormat.
  std::string PercentText(int index) const;
  // The point's part of MagnitudeTotal, 0..1 (0 when that total is 0), also where the total
  // lies beyond the doubles.
  double ShareOfTotal(int index) const;
  // What a point counts with in the series' total: the magnitude of a finite value, else 0.
  virtual double ShareMagnitude(int index) const;
  // The sum of every point's ShareMagnitude: the whole that percents are taken of.
  double MagnitudeTotal() const;
  // The point's X value: a date and time when the X values are, else in ValueFormat.
  std::string XValueText(int index) const;
  // Whether the kind moves a mark that would overlap one drawn before it in the frame (of any
  // series); false unless a kind says otherwise.
  virtual bool SeparatesMarks() const { return false; }
  // Where the arrow to a point's mark starts, in unprojected pixels: the point itself unless a
  // kind says otherwise.
  virtual TPoint MarkOrigin(int index) const { return {PointScreenX(index), PointScreenY(index)}; }
  // Whether marks stand right of their points rather than above them.
  virtual bool MarksBeside() const { return false; }
  // The way from a point's mark origin to its text, as a unit vector in screen pixels (y down):
  // up, or right when MarksBeside, unless a kind says otherwise.
  virtual TExactPoint MarkDirection(int /*index*/) const {
    return MarksBeside() ? TExactPoint{1, 0} : TExactPoint{0, -1};
  }
  // Whether points are drawn from the first to the last (else backwards).
  virtual bool DrawsPointsForward() const;
  // Draws the shown points in the order DrawsPointsForward gives.
  virtual void DrawShownPoints();
  // Whether the legend lists the series' points (each in its colour) even when it lists series:
  // a kind whose points are parts of one whole says so; false by default.
  virtual bool ListsPointsInLegend() const { return false; }
  // The series' sign in the legend, in a row's colour box.
  virtual void DrawLegendSymbol(TChartCanvas3D& canvas, const TRect& box, TColor color) const {
    DrawColorBox(canvas, box, color);
  }
  // A box filled with a colour and outlined: the legend's sign of a point or a bar.
  static void DrawColorBox(TChartCanvas3D& canvas, const TRect& box, TColor color);
  // Whether a point can be drawn: not null, its values finite, and above zero on a
  // logarithmic axis.
  bool Plottable(int index) const;
  // Draws the marks of the shown points inside the plot, when the marks are visible.
  void DrawMarks();
  // The layout's last step for the series, once the plot rectangle is final: a kind that is
  // drawn inside the plot rather than against axes places itself; nothing by default.
  virtual void PlaceInPlot(TSeriesLayout& /*entry*/, const TRect& /*plot*/) {}
  // Fires BeforeDrawValues.
  void BeforeDrawPoints() {
    if (BeforeDrawValues) BeforeDrawValues(this);
  }
  // Fires AfterDrawValues.
  void AfterDrawPoints() {
    if (AfterDrawValues) AfterDrawValues(this);
  }
  // Called on an active series before the chart paints; does nothing unless a kind says otherwise.
  virtual void BeforeDrawChart() {}
  // The pixel X of a point on the horizontal axis; 0 without an axis.
  virtual int PointScreenX(int index) const;
  // The pixel Y of a point on the vertical axis; 0 without an axis.
  virtual int PointScreenY(int index) const;
  // The screen ends of the segment joining two points. An end beyond any window moves along the
  // segment to near the plot, so that the segment still crosses the plot where it would; false
  // when it passes nowhere near it. Each moved end's own place, kept inside the pixel grid,
  // goes to `outer` when asked for.
  bool SegmentEnds(int from, int to, TPoint& a, TPoint& b, TPoint* outer = nullptr) const;
  // Whether a point lies near enough to the plot for the pixel grid; PointScreenX and Y put
  // farther ones at the axes' centres, where nothing of theirs may be drawn.
  bool OnPixelGrid(int index) const;
  // The point under a screen position, -1 when none.
  virtual int PointAt(TPoint /*p*/) const { return -1; }

  // Mouse. A press on a point fires OnDblClick (for the second press of a double click) or
  // OnClick; the result tells whether a handler cancelled the chart's own reaction.
  virtual bool SeriesClicked(int valueIndex, TMouseButton button, TShiftState shift, int x, int y);
  // The mouse moved over the chart; does nothing unless a kind says otherwise.
  virtual void SeriesMouseMove(TShiftState /*shift*/, int /*x*/, int /*y*/) {}
  // A mouse button was released over the chart; does nothing unless a kind says otherwise.
  virtual void SeriesMouseUp(TMouseButton /*button*/, TShiftState /*shift*/, int /*x*/, int /*y*/) {
  }
  // The values of the series' axes under the mouse cursor now, in the front plane (0, 0
  // without a chart), unless a kind says otherwise.
  virtual void ValuesAtCursor(double& x, double& y) const;
  // A click handler: the series, the point's index, the button, the keys and the position.
  using TSeriesClick = std::function<void(TChartSeries* sender, int valueIndex, TMouseButton button,
                                          TShiftState shift, int x, int y)>;
  // OnClick: fired by SeriesClicked for a press on a point.
  TSeriesClick OnClick, OnDblClick;  ///< OnDblClick: fired instead of OnClick for a double click.

  // Fired before a point is added (its values are in the lists' PendingValue); false refuses it.
  std::function<bool(TChartSeries* sender)> OnBeforeAdd;
  // Fired after a point is added, with its index.
  std::function<void(TChartSeries* sender, int valueIndex)> OnAfterAdd;
  // Fired after every point has been removed.
  std::function<void(TChartSeries* sender)> OnClearValues;
  // Lets a handler change a point's mark text.
  std::function<void(TChartSeries* sender, int valueIndex, std::string& markText)> OnGetMarkText;
  // Fired before the chart draws the series' points.
  std::function<void(TChartSeries* sender)> BeforeDrawValues;
  // Fired after the chart has drawn the series' points and marks.
  std::function<void(TChartSeries* sender)> AfterDrawValues;

 protected:
  template <typename T>
  // Stores a property's new value and repaints when it changed.
  void Change(T& field, const T& value) {
    SetProperty(field, value, [this] { RequestRepaint(); });
  }

 private:
  friend class TCustomAxisPanel;
  bool DependsOn(const TChartSeries* other) const;
  void UnlinkAll();
  // A source told of a change: follow it as the options and the function say.
  void SourceChanged(const TChartSeries& source, TSeriesChange change, int index);

  TChartValueLists FValueLists;
  std::unique_ptr<TChartValueList> FXValues;
  std::unique_ptr<TChartValueList> FYValues;
  std::vector<TColor> FPointColors;
  std::vector<std::string> FPointLabels;
  TSeriesMarks FMarks{this};
  TCustomAxisPanel* FParentChart = nullptr;
  bool FActive = true;
  TColor FSeriesColor = clDefault;
  bool FColorEachPoint = false;
  bool FShowInLegend = true;
  std::string FTitle;
  std::string FValueFormat = "#,##0.###";
  std::string FPercentFormat = "##0.## %";
  int16_t FCursor = 0;
  int FZOrder = -1;
  TCustomChartAxis* FCustomHorizAxis = nullptr;
  TCustomChartAxis* FCustomVertAxis = nullptr;
  THorizAxis FHorizAxis = aBottomAxis;
  TVertAxis FVertAxis = aLeftAxis;
  std::vector<TChartSeries*> FDataSources;
  std::vector<TChartSeries*> FLinkedSeries;
  std::unique_ptr<TChartFunction> FFunction;
  TRecalcOptions FRecalcOptions;
  // While the points are made afresh, the series that use them hear once, at the end.
  bool FRecalculating = false;
};
