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
class TChartSeries;
class TChartCanvas3D;

// What changed in a series, passed on to the series that use it as their data source.
enum class TSeriesChange { Clear, Insert, Delete, ModifyOne, ModifyAll };

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

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

// The colour of the series palette at index (taken modulo its sixteen entries).
LISTCHART_CHART_API TColor PaletteColor(int index);

// The text marks drawn beside a series' points. Every change asks the series to repaint.
class LISTCHART_CHART_API TSeriesMarks {
 public:
  explicit TSeriesMarks(TChartSeries* series) : FSeries(series) {}

  int ArrowLength() const { return FArrowLength; }
  void SetArrowLength(int value);
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor value);
  bool Clip() const { return FClip; }
  void SetClip(bool value);
  TSeriesMarksStyle Style() const { return FStyle; }
  void SetStyle(TSeriesMarksStyle value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);

  const TChartPen& Arrow() const { return FArrow; }
  void SetArrow(const TChartPen& value);
  const TChartPen& Frame() const { return FFrame; }
  void SetFrame(const TChartPen& value);
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& value);

  // Custom positions per point; discarded with the points.
  std::vector<bool> CustomPositions;

 private:
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
};

// Owns series on behalf of a window or form; the chart only references them.
class LISTCHART_CHART_API TSeriesOwner {
 public:
  TSeriesOwner() = default;
  TSeriesOwner(const TSeriesOwner&) = delete;
  TSeriesOwner& operator=(const TSeriesOwner&) = delete;
  ~TSeriesOwner();

  template <typename T, typename... Args>
  T& CreateSeries(Args&&... args) {
    auto series = std::make_unique<T>(std::forward<Args>(args)...);
    T& result = *series;
    Adopt(std::move(series));
    return result;
  }
  void Adopt(std::unique_ptr<TChartSeries> series);
  // Destroys a series this owner holds; returns false when it holds no such series.
  bool DestroySeries(TChartSeries* series);
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
  virtual int AddPoint(double x, double y, const std::string& label, TColor color);
  int AddNullPoint(double x, double y, const std::string& label);
  int AddMandatoryValue(double value, const std::string& label, TColor color);
  int AddNullValue(const std::string& label);
  virtual void ClearPoints();
  virtual void DeletePoint(int index);
  int PointCount() const { return FXValues->ValueCount(); }
  virtual double XValue(int index) const { return FXValues->ValueAt(index); }
  virtual double YValue(int index) const { return FYValues->ValueAt(index); }
  virtual TColor PointColor(int index) const;
  // The colour given with the point (clDefault past the end of the colour store).
  TColor StoredColor(int index) const;
  void SetPointColor(int index, TColor color);
  bool IsNullPoint(int index) const { return PointColor(index) == clNone; }
  virtual std::string PointLabel(int index) const;
  void SwapPoints(int a, int b);
  virtual TChartValueList& MandatoryList() const { return *FYValues; }

  // Ranges used by the axes.
  virtual double MinimumX() { return FXValues->LowestValue(); }
  virtual double MaximumX() { return FXValues->HighestValue(); }
  virtual double MinimumY() { return FYValues->LowestValue(); }
  virtual double MaximumY() { return FYValues->HighestValue(); }
  virtual double MinimumZ() { return FZOrder; }
  virtual double MaximumZ() { return FZOrder; }

  TChartValueList& XValues() const { return *FXValues; }
  TChartValueList& YValues() const { return *FYValues; }
  TChartValueLists& ValueLists() { return FValueLists; }
  const std::vector<TColor>& PointColors() const { return FPointColors; }
  TSeriesMarks& Marks() { return FMarks; }
  const TSeriesMarks& Marks() const { return FMarks; }

  // The chart showing this series: joining takes a free colour, leaving detaches.
  TCustomAxisPanel* ParentChart() const { return FParentChart; }
  virtual void SetParentChart(TCustomAxisPanel* chart);
  void RequestRepaint();

  // Published properties: a change repaints.
  bool Active() const { return FActive; }
  virtual void SetActive(bool value);
  TColor SeriesColor() const { return FSeriesColor; }
  virtual void SetSeriesColor(TColor value);
  bool ColorEachPoint() const { return FColorEachPoint; }
  virtual void SetColorEachPoint(bool value);
  bool ShowInLegend() const { return FShowInLegend; }
  void SetShowInLegend(bool value);
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& value);
  const std::string& ValueFormat() const { return FValueFormat; }
  void SetValueFormat(const std::string& value);
  const std::string& PercentFormat() const { return FPercentFormat; }
  void SetPercentFormat(const std::string& value);
  int16_t Cursor() const { return FCursor; }
  void SetCursor(int16_t value) { StoreProperty(FCursor, value); }
  THorizAxis HorizAxis() const { return FHorizAxis; }
  void SetHorizAxis(THorizAxis value);
  TVertAxis VertAxis() const { return FVertAxis; }
  void SetVertAxis(TVertAxis value);

  // The axes this series is drawn against, resolved from HorizAxis and VertAxis.
  TCustomChartAxis* GetHorizAxis() const;
  TCustomChartAxis* GetVertAxis() const;
  // Whether the series is tied to the axis (both-axes choices included).
  bool IsTiedTo(const TCustomChartAxis& axis) const;
  bool UsesAxis(const TCustomChartAxis& axis) const { return NeedsAxes() && IsTiedTo(axis); }
  virtual bool NeedsAxes() const { return true; }
  // Axes of the chart's own choosing for the custom choices; none means the default axis.
  TCustomChartAxis* CustomHorizAxis() const { return FCustomHorizAxis; }
  void SetCustomHorizAxis(TCustomChartAxis* axis);
  TCustomChartAxis* CustomVertAxis() const { return FCustomVertAxis; }
  void SetCustomVertAxis(TCustomChartAxis* axis);

  // Data-source links, reduced to what keeps the point operations consistent: a series
  // fed by another copies its points and follows its changes.
  void AddDataSource(TChartSeries* source);
  void RemoveDataSource(TChartSeries* source);
  const std::vector<TChartSeries*>& DataSources() const { return FDataSources; }
  const std::vector<TChartSeries*>& LinkedSeries() const { return FLinkedSeries; }
  void NotifyLinked(TSeriesChange change, int index);
  void CopyAllFrom(const TChartSeries& source);

  // Depth order: -1 means computed by the chart. Kept within -1..kMaxZOrder, so the depth
  // arithmetic cannot overflow.
  static constexpr int kMaxZOrder = 100;
  int ZOrder() const { return FZOrder; }
  void SetZOrder(int value);
  // The series as the chart's layout has it (read-only): its place in depth order, the depth
  // slot it is drawn in (the chart counts slots from the back), its depth band in pixels and
  // the points inside the horizontal range (-1 when none).
  const TSeriesLayout& Layout() const;
  int ZSlot() const { return Layout().ZSlot; }
  int ComputedZOrder() const { return Layout().ComputedZOrder; }
  int StartZ() const { return Layout().StartZ; }
  int MiddleZ() const { return Layout().MiddleZ; }
  int EndZ() const { return Layout().EndZ; }
  int FirstShownIndex() const { return Layout().FirstShownIndex; }
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
  virtual void VerticalMargins(TSeriesLayout& /*entry*/, int& top, int& bottom) const {
    top = bottom = 0;
  }
  // Whether the series stacks on the series before it in its depth slot, so that a group of
  // them is drawn from the bottom of the stack up.
  virtual bool Stacked() const { return false; }

  // Drawing, driven by the chart's paint loop.
  virtual void DrawPoint(int /*index*/) {}
  virtual void DrawPointMark(int index);
  // The text of a point's mark: its label, else its value, as OnGetMarkText leaves it.
  std::string MarkText(int index);
  // Whether points are drawn from the first to the last (else backwards).
  virtual bool DrawsPointsForward() const;
  virtual void DrawShownPoints();
  // The series' sign in the legend, in a row's colour box.
  virtual void DrawLegendSymbol(TChartCanvas3D& canvas, const TRect& box, TColor color) const {
    DrawColorBox(canvas, box, color);
  }
  // A box filled with a colour and outlined: the legend's sign of a point or a bar.
  static void DrawColorBox(TChartCanvas3D& canvas, const TRect& box, TColor color);
  // Whether a point can be drawn: not null, its values finite, and above zero on a
  // logarithmic axis.
  bool Plottable(int index) const;
  void DrawMarks();
  void BeforeDrawPoints() {
    if (BeforeDrawValues) BeforeDrawValues(this);
  }
  void AfterDrawPoints() {
    if (AfterDrawValues) AfterDrawValues(this);
  }
  virtual void BeforeDrawChart() {}
  virtual int PointScreenX(int index) const;
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
  virtual void SeriesMouseMove(TShiftState /*shift*/, int /*x*/, int /*y*/) {}
  virtual void SeriesMouseUp(TMouseButton /*button*/, TShiftState /*shift*/, int /*x*/, int /*y*/) {
  }
  // The values of the series' axes under the mouse cursor now, in the front plane (0, 0
  // without a chart).
  void ValuesAtCursor(double& x, double& y) const;
  using TSeriesClick = std::function<void(TChartSeries* sender, int valueIndex, TMouseButton button,
                                          TShiftState shift, int x, int y)>;
  TSeriesClick OnClick, OnDblClick;

  std::function<bool(TChartSeries* sender)> OnBeforeAdd;
  std::function<void(TChartSeries* sender, int valueIndex)> OnAfterAdd;
  std::function<void(TChartSeries* sender)> OnClearValues;
  std::function<void(TChartSeries* sender, int valueIndex, std::string& markText)> OnGetMarkText;
  std::function<void(TChartSeries* sender)> BeforeDrawValues;
  std::function<void(TChartSeries* sender)> AfterDrawValues;

 protected:
  template <typename T>
  void Change(T& field, const T& value) {
    SetProperty(field, value, [this] { RequestRepaint(); });
  }

 private:
  friend class TCustomAxisPanel;
  bool DependsOn(const TChartSeries* other) const;
  void UnlinkAll();

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
};
