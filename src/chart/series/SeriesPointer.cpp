#include "chart/series/SeriesPointer.h"

#include <algorithm>
#include <cstdlib>

#include "chart/series/ChartSeries.h"
#include "chart/view/ChartCanvas.h"
#include "chart/view/ChartLimits.h"
#include "platform/Property.h"

template <typename T>
void TSeriesPointer::Change(T& field, const T& value) {
  SetProperty(field, value, [this] { FSeries->RequestRepaint(); });
}

void TSeriesPointer::SetVisible(bool value) {
  Change(FVisible, value);
}
void TSeriesPointer::SetStyle(TSeriesPointerStyle value) {
  Change(FStyle, value);
}
void TSeriesPointer::SetColor(TColor value) {
  Change(FColor, value);
}
void TSeriesPointer::SetInflateMargins(bool value) {
  Change(FInflateMargins, value);
}
void TSeriesPointer::SetHorizSize(int value) {
  Change(FHorizSize, std::clamp(value, 1, kMaxSize));
}
void TSeriesPointer::SetVertSize(int value) {
  Change(FVertSize, std::clamp(value, 1, kMaxSize));
}
void TSeriesPointer::SetPen(const TChartPen& value) {
  Change(FPen, ClampPen(value));
}

void TSeriesPointer::Draw(TChartCanvas3D& canvas, TPoint c, TColor pointColor) const {
  if (!FVisible) return;
  canvas.Pen() = FPen.Effective();
  canvas.Brush() = TBrush{FColor == clDefault ? pointColor : FColor, bsSolid, clWhite};
  const int w = FHorizSize, h = FVertSize;
  const int left = c.x - w, right = c.x + w, top = c.y - h, bottom = c.y + h;
  switch (FStyle) {
    case psCircle:
      canvas.DrawEllipse2D(Rect(left, top, right + 1, bottom + 1));
      break;
    case psTriangle:
      canvas.DrawTriangle2D({left, bottom}, {c.x, top}, {right, bottom});
      break;
    case psDownTriangle:
      canvas.DrawTriangle2D({left, top}, {right, top}, {c.x, bottom});
      break;
    case psDiamond:
      canvas.DrawPolygon2D({{c.x, top}, {right, c.y}, {c.x, bottom}, {left, c.y}});
      break;
    case psStar:
      canvas.DrawLine2D(left, top, right + 1, bottom + 1);
      canvas.DrawLine2D(left, bottom, right + 1, top - 1);
      [[fallthrough]];
    case psCross:
      canvas.DrawLine2D(left, c.y, right + 1, c.y);
      canvas.DrawLine2D(c.x, top, c.x, bottom + 1);
      break;
    case psDiagCross:
      canvas.DrawLine2D(left, top, right + 1, bottom + 1);
      canvas.DrawLine2D(left, bottom, right + 1, top - 1);
      break;
    case psSmallDot:
      canvas.DrawRect2D(c.x - 1, c.y - 1, c.x + 2, c.y + 2);
      break;
    default:
      canvas.DrawRect2D(left, top, right + 1, bottom + 1);
  }
}

bool TSeriesPointer::Contains(TPoint centre, TPoint p) const {
  return FVisible && std::abs(p.x - centre.x) <= FHorizSize &&
         std::abs(p.y - centre.y) <= FVertSize;
}
