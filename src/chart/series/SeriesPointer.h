#pragma once

#include "chart/ChartExport.h"
#include "chart/view/ChartPen.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

class TChartSeries;
class TChartCanvas3D;

// The shape of a point's marker.
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
  // The largest half-size of a marker, in pixels.
  static constexpr int kMaxSize = 100;

  // The marker of a series, which owns it: visible boxes 4 pixels either way.
  explicit TSeriesPointer(TChartSeries* series) : FSeries(series) {}
  TSeriesPointer(const TSeriesPointer&) = delete;
  TSeriesPointer& operator=(const TSeriesPointer&) = delete;

  // Whether the markers are drawn; true by default.
  bool Visible() const { return FVisible; }
  // Shows or hides the markers.
  void SetVisible(bool value);
  // The marker's shape; psRectangle by default.
  TSeriesPointerStyle Style() const { return FStyle; }
  // Sets the shape.
  void SetStyle(TSeriesPointerStyle value);
  // Half the marker's width in pixels; 4 by default.
  int HorizSize() const { return FHorizSize; }
  // Sets HorizSize, kept within 1..kMaxSize.
  void SetHorizSize(int value);
  // Half the marker's height in pixels; 4 by default.
  int VertSize() const { return FVertSize; }
  // Sets VertSize, kept within 1..kMaxSize.
  void SetVertSize(int value);
  // The pen outlining the marker.
  const TChartPen& Pen() const { return FPen; }
  // Sets the outline pen (its width kept within the pen limit).
  void SetPen(const TChartPen& value);
  // clDefault fills with the point's colour.
  TColor Color() const { return FColor; }
  // Sets the fill colour.
  void SetColor(TColor value);
  // Whether the axes make room for the markers at the ends of the data.
  bool InflateMargins() const { return FInflateMargins; }
  // Sets InflateMargins; true by default.
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
