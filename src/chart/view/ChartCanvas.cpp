#include "chart/view/ChartCanvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/PixelCopies.h"

// --- flat drawing -------------------------------------------------------------------------

void TChartCanvas::ResetTools() {
  FPen = TPen{};
  FBrush = TBrush{};
  FFont.SetColor(clBlack);
  FFont.SetSize(10);
  FBkColor = clWhite;
  FBkMode = bkTransparent;
}

bool TChartCanvas::Prepare(const TBrush& brush) {
  if (!FTarget) return false;
  FTarget->Pen() = FPen;
  FTarget->Brush() = brush;
  FTarget->Font() = FFont;
  FTarget->SetBkMode(FBkMode);
  FTarget->SetBkColor(FBkColor);
  FTarget->SetTextAlign(FTextAlign);
  return true;
}

bool TChartCanvas::Prepare() {
  return Prepare(FBrush);
}

void TChartCanvas::DrawLine2D(int x0, int y0, int x1, int y1) {
  if (!Prepare()) return;
  FTarget->MoveTo(x0, y0);
  FTarget->LineTo(x1, y1);
}

void TChartCanvas::DrawRect2D(int left, int top, int right, int bottom) {
  if (Prepare()) FTarget->Rectangle(Rect(left, top, right, bottom));
}

void TChartCanvas::FillWithBrush(const TRect& r) {
  if (Prepare()) FTarget->FillRect(r);
}

void TChartCanvas::DrawPolygon2D(const std::vector<TPoint>& points) {
  if (Prepare()) FTarget->Polygon(points);
}

void TChartCanvas::DrawPolyline2D(const std::vector<TPoint>& points) {
  if (Prepare()) FTarget->Polyline(points);
}

void TChartCanvas::DrawEllipse2D(const TRect& r) {
  if (Prepare()) FTarget->Ellipse(r);
}

void TChartCanvas::FillGradient(const TRect& r, TColor color1, TGradientDirection direction,
                                TColor color2) {
  if (IsRectEmpty(r) || !Prepare()) return;
  const TColor a = ColorToRGB(color1), b = ColorToRGB(color2);
  auto mix = [&](int step, int steps) {
    auto one = [&](int ca, int cb) { return ca + MulDiv(cb - ca, step, std::max(1, steps)); };
    return RGB(one(GetRValue(a), GetRValue(b)), one(GetGValue(a), GetGValue(b)),
               one(GetBValue(a), GetBValue(b)));
  };
  TBrush solid{clBlack, bsSolid, clBlack};
  auto band = [&](const TRect& part, TColor c) {
    solid.color = c;
    FTarget->Brush() = solid;
    FTarget->FillRect(part);
  };
  const int w = r.Width(), h = r.Height();
  switch (direction) {
    case gdTopBottom:
    case gdBottomTop:
      for (int i = 0; i < h; ++i) {
        const int y = direction == gdTopBottom ? r.top + i : r.bottom - 1 - i;
        band(Rect(r.left, y, r.right, y + 1), mix(i, h - 1));
      }
      break;
    case gdLeftRight:
    case gdRightLeft:
      for (int i = 0; i < w; ++i) {
        const int x = direction == gdLeftRight ? r.left + i : r.right - 1 - i;
        band(Rect(x, r.top, x + 1, r.bottom), mix(i, w - 1));
      }
      break;
    case gdFromCenter: {
      // Nested frames from the outside in; the innermost takes colour 1.
      const int rings = (std::min(w, h) + 1) / 2;
      TRect ring = r;
      for (int i = 0; i < rings; ++i) {
        band(ring, mix(rings - 1 - i, rings - 1));
        InflateRect(ring, -1, -1);
      }
      break;
    }
  }
}

int TChartCanvas::MeasureTextWidth(const std::string& text) {
  return Prepare() ? FTarget->TextWidth(text) : 0;
}

int TChartCanvas::MeasureTextHeight(const std::string& text) {
  return Prepare() ? FTarget->TextHeight(text) : 0;
}

TColor DarkenColor(TColor color, int n) {
  const TColor c = ColorToRGB(color);
  auto one = [n](int v) { return v > n ? v - n : 0; };
  return RGB(one(GetRValue(c)), one(GetGValue(c)), one(GetBValue(c)));
}

// --- frames and the retained picture ----------------------------------------------------

TChartCanvas3D::TChartCanvas3D() = default;
TChartCanvas3D::~TChartCanvas3D() = default;

TRect TChartCanvas3D::BeginFrame(TCanvas& target, const TView3DSettings& options, bool view3D,
                                 const TRect& targetRect) {
  SetProjection(TChartProjection(options, view3D));
  if (!FBuffered) {
    FTarget = &target;
    return targetRect;
  }
  const int w = std::max(0, targetRect.Width()), h = std::max(0, targetRect.Height());
  if (FPicture && SharesPixels(*FPicture)) std::swap(FPicture, FSpare);
  if (FPicture &&
      (FPicture->Width() != w || FPicture->Height() != h || FPicture->Scale() != target.Scale()))
    FPicture.reset();
  if (!FPicture) FPicture = std::make_unique<TBitmap>(w, h, target.Scale());
  FTarget = &FPicture->Canvas();
  return Rect(0, 0, w, h);
}

void TChartCanvas3D::EndFrame(TCanvas& target, TCanvas& window, const TRect& targetRect) {
  if (FBuffered && FPicture) {
    target.Draw(targetRect.left, targetRect.top, *FPicture);
    FStale = false;
  }
  FTarget = &window;
}

TCanvas& TChartCanvas3D::MeasuringCanvas() {
  if (FPicture) return FPicture->Canvas();
  if (!FMeasuring) FMeasuring = std::make_unique<TBitmap>(1, 1);
  return FMeasuring->Canvas();
}

bool TChartCanvas3D::RepaintFromPicture() {
  if (FStale || !FPicture || !FTarget || FTarget == &FPicture->Canvas()) return false;
  FTarget->Draw(0, 0, *FPicture);
  return true;
}

// --- projection --------------------------------------------------------------------------

void TChartCanvas3D::SetupProjection(int depth, const TRect& /*bounds*/, const TRect& plot) {
  TChartProjection centred = FProjection;
  centred.Centre(depth, plot);
  SetProjection(centred);
}

void TChartCanvas3D::SetProjection(const TChartProjection& projection) {
  FProjection = projection;
  FIs3d = projection.Is3D();
  FSaved3d.clear();
}

TPoint TChartCanvas3D::ProjectPoint(int x, int y, int z) const {
  return FIs3d ? FProjection.Project(x, y, z) : TPoint{x, y};
}

TPoint TChartCanvas3D::UnprojectPoint(int x, int y, int z) const {
  return FIs3d ? FProjection.Unproject(x, y, z) : TPoint{x, y};
}

void TChartCanvas3D::BeginFlatDrawing() {
  FSaved3d.push_back(FIs3d);
  FIs3d = false;
}

void TChartCanvas3D::EndFlatDrawing() {
  if (FSaved3d.empty()) return;
  FIs3d = FSaved3d.back();
  FSaved3d.pop_back();
}

std::vector<TPoint> TChartCanvas3D::Project(const std::vector<TPoint3D>& points) const {
  std::vector<TPoint> out;
  out.reserve(points.size());
  for (const TPoint3D& p : points) out.push_back(ProjectPoint(p.x, p.y, p.z));
  return out;
}

// --- lines, planes and text ---------------------------------------------------------------

void TChartCanvas3D::DrawLineAtDepth(int x0, int y0, int x1, int y1, int z) {
  const TPoint a = ProjectPoint(x0, y0, z), b = ProjectPoint(x1, y1, z);
  DrawLine2D(a.x, a.y, b.x, b.y);
}

void TChartCanvas3D::DrawHorizontalAtDepth(int left, int right, int y, int z) {
  DrawLineAtDepth(left, y, right, y, z);
}

void TChartCanvas3D::DrawVerticalAtDepth(int x, int top, int bottom, int z) {
  DrawLineAtDepth(x, top, x, bottom, z);
}

void TChartCanvas3D::DrawDepthLine(int x, int y, int z0, int z1) {
  const TPoint a = ProjectPoint(x, y, z0), b = ProjectPoint(x, y, z1);
  DrawLine2D(a.x, a.y, b.x, b.y);
}

void TChartCanvas3D::DrawPlane(const std::vector<TPoint3D>& corners) {
  DrawPolygon2D(Project(corners));
}

void TChartCanvas3D::DrawRectAtDepth(const TRect& r, int z) {
  DrawPlane(
      {{r.left, r.top, z}, {r.right, r.top, z}, {r.right, r.bottom, z}, {r.left, r.bottom, z}});
}

void TChartCanvas3D::DrawSidePlane(int x, int top, int bottom, int z0, int z1) {
  DrawPlane({{x, top, z0}, {x, top, z1}, {x, bottom, z1}, {x, bottom, z0}});
}

void TChartCanvas3D::DrawFloorPlane(int left, int right, int y, int z0, int z1) {
  DrawPlane({{left, y, z0}, {left, y, z1}, {right, y, z1}, {right, y, z0}});
}

void TChartCanvas3D::DrawPolygonAtDepth(const std::vector<TPoint>& points, int z) {
  std::vector<TPoint3D> p;
  p.reserve(points.size());
  for (const TPoint& q : points) p.push_back({q.x, q.y, z});
  DrawPlane(p);
}

void TChartCanvas3D::DrawEllipseAtDepth(const TRect& r, int z) {
  const TPoint a = ProjectPoint(r.left, r.top, z), b = ProjectPoint(r.right, r.bottom, z);
  DrawEllipse2D(NormalizedRect(Rect(a.x, a.y, b.x, b.y)));
}

TFont TChartCanvas3D::ZoomedFont() const {
  TFont f = FFont;
  f.OnChange = nullptr;
  const double zoom = FProjection.ZoomFactor();
  if (FProjection.ZoomText() && zoom != 1.0) f.SetSize(std::max(1, Nearest(FFont.Size() * zoom)));
  if (FPrinting && ColorToRGB(f.Color()) == clWhite) f.SetColor(clBlack);
  return f;
}

void TChartCanvas3D::DrawTextAtDepth(int x, int y, const std::string& text, int z) {
  if (!Prepare()) return;
  const TPoint p = ProjectPoint(x, y, z);
  FTarget->Font() = ZoomedFont();
  FTarget->TextOut(p.x, p.y, text);
}

TPoint TChartCanvas3D::MeasureZoomedText(const std::string& text) {
  if (!Prepare()) return {};
  FTarget->Font() = ZoomedFont();
  return {FTarget->TextWidth(text), FTarget->TextHeight(text)};
}

void TChartCanvas3D::DrawRotatedText(int x, int y, int angle, const std::string& text, int z) {
  if (!Prepare()) return;
  if (angle > 360) angle -= 360;
  const TPoint p = ProjectPoint(x, y, z);
  TFont f = ZoomedFont();
  f.SetOrientation(angle * 10);
  FTarget->Font() = f;
  FTarget->SetBkMode(bkTransparent);
  FTarget->TextOut(p.x, p.y, text);
}

// --- clipping ---------------------------------------------------------------------------

void TChartCanvas3D::ClipToBox(const TRect& plot, int z0, int z1) {
  if (!FTarget) return;
  RemoveClip();
  FTarget->SaveClip();
  FClipped = true;
  if (!FIs3d) {
    FTarget->IntersectClipRect(Rect(plot.left + 1, plot.top + 1, plot.right, plot.bottom - 1));
    return;
  }
  const TPoint backTopLeft = ProjectPoint(plot.left, plot.top, z1);
  const TPoint frontTopRight = ProjectPoint(plot.right, plot.top, z0);
  FTarget->SetClipPolygon(
      {ProjectPoint(plot.left, plot.bottom, z0), ProjectPoint(plot.left, plot.top, z0),
       backTopLeft.y < frontTopRight.y ? backTopLeft : frontTopRight,
       ProjectPoint(plot.right, plot.top, z1), ProjectPoint(plot.right, plot.bottom, z1),
       ProjectPoint(plot.right, plot.bottom, z0)});
}

void TChartCanvas3D::RemoveClip() {
  if (!FClipped || !FTarget) return;
  FTarget->RestoreClip();
  FClipped = false;
}
