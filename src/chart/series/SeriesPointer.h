#pragma once

#include "chart/ChartExport.h"
#include "chart/view/ChartPen.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

class TChartSeries;
class TChartCanvas3D;

enum TSeriesPointerStyle {
  psRectangle,
  psCircle,
  psTriangle,
  psDownTriangle,
  psCross,
  psDiagCross,
  psStar,
  psDiamond,
  psSmallDot
};

// The marker drawn at each point of a line or point series. Every change repaints the
// series. Sizes are half the marker's width and height, kept within 1..kMaxSize.
class LISTCHART_CHART_API TSeriesPointer {
 public:
  static constexpr int kMaxSize = 100;

  explicit TSeriesPointer(TChartSeries* series) : FSeries(series) {}
  TSeriesPointer(const TSeriesPointer&) = delete;
  TSeriesPointer& operator=(const TSeriesPointer&) = delete;

  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  TSeriesPointerStyle Style() const { return FStyle; }
  void SetStyle(TSeriesPointerStyle value);
  int HorizSize() const { return FHorizSize; }
  void SetHorizSize(int value);
  int VertSize() const { return FVertSize; }
  void SetVertSize(int value);
  const TChartPen& Pen() const { return FPen; }
  void SetPen(const TChartPen& value);
  // clDefault fills with the point's colour.
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  // Whether the axes make room for the markers at the ends of the data.
  bool InflateMargins() const { return FInflateMargins; }
  void SetInflateMargins(bool value);

  // Draws the marker centred on a projected point in the point's colour.
  void Draw(TChartCanvas3D& canvas, TPoint centre, TColor pointColor) const;
  // Whether a point lies on the marker centred at `centre`.
  bool Contains(TPoint centre, TPoint p) const;

 private:
  template <typename T>
  void Change(T& field, const T& value);

  TChartSeries* FSeries;
  bool FVisible = true;
  TSeriesPointerStyle FStyle = psRectangle;
  int FHorizSize = 4, FVertSize = 4;
  TChartPen FPen;
  TColor FColor = clDefault;
  bool FInflateMargins = true;
};
