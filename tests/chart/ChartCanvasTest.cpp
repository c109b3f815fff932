#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "chart/view/ChartCanvas.h"
#include "chart/view/ChartLayout.h"

namespace {

// A surface mid-frame over a small window picture, with the plot centred on (50, 40).
struct Frame {
  TBitmap window{100, 80};
  TChartCanvas3D surface;
  explicit Frame(bool view3D, TView3DSettings options = {}) {
    surface.SetBuffered(false);
    surface.BeginFrame(window.Canvas(), options, view3D, Rect(0, 0, 100, 80));
    surface.SetupProjection(20, Rect(0, 0, 100, 80), Rect(10, 10, 90, 70));
    surface.ResetTools();
  }
  TColor At(int x, int y) const { return window.Pixel(x, y); }
};

void SolidBrush(TChartCanvas& s, TColor c) {
  s.Brush() = TBrush{c, bsSolid, c};
}

}  // namespace

TEST(ChartCanvasTest, OrthogonalProjectionAndItsInverse) {
  Frame f(true);
  EXPECT_EQ(f.surface.ProjectPoint(10, 50, 12), Point(22, 38));
  EXPECT_EQ(f.surface.UnprojectPoint(22, 38, 12), Point(10, 50));

  TView3DSettings zoomed;
  zoomed.zoom = 150;
  zoomed.horizOffset = 7;
  zoomed.vertOffset = -4;
  Frame z(true, zoomed);
  for (int x : {-3, 10, 51, 90})
    for (int zd : {0, 5, 20}) {
      const TPoint p = z.surface.ProjectPoint(x, 33, zd);
      EXPECT_EQ(z.surface.UnprojectPoint(p.x, p.y, zd), Point(x, 33)) << x << " " << zd;
    }

  Frame flat(false);
  EXPECT_EQ(flat.surface.ProjectPoint(10, 50, 12), Point(10, 50));
  EXPECT_EQ(flat.surface.UnprojectPoint(10, 50, 12), Point(10, 50));

  TView3DSettings none;
  none.zoom = 0;
  Frame zero(true, none);
  EXPECT_EQ(zero.surface.UnprojectPoint(10, 50, 12), Point(10, 50));

  // Flat drawing nests inside a 3D frame and restores it.
  f.surface.BeginFlatDrawing();
  EXPECT_EQ(f.surface.ProjectPoint(10, 50, 12), Point(10, 50));
  f.surface.EndFlatDrawing();
  EXPECT_EQ(f.surface.ProjectPoint(10, 50, 12), Point(22, 38));
}

TEST(ChartCanvasTest, RotatedProjectionInvertsAtItsDepth) {
  TView3DSettings o;
  o.orthogonal = false;
  Frame f(true, o);
  for (int x : {10, 50, 85})
    for (int y : {12, 40, 66})
      for (int z : {0, 10, 20}) {
        const TPoint p = f.surface.ProjectPoint(x, y, z);
        const TPoint back = f.surface.UnprojectPoint(p.x, p.y, z);
        EXPECT_NEAR(back.x, x, 1) << x << "," << y << "," << z;
        EXPECT_NEAR(back.y, y, 1) << x << "," << y << "," << z;
      }
  // Farther points come closer to the centre: a depth line shrinks.
  const TPoint front = f.surface.ProjectPoint(90, 40, 0);
  const TPoint back = f.surface.ProjectPoint(90, 40, 2000);
  EXPECT_NE(front, back);
}

TEST(ChartCanvasTest, DarkeningTakesComponentsDownToZero) {
  EXPECT_EQ(DarkenColor(clRed, 128), 0x00007Fu);
  EXPECT_EQ(DarkenColor(clRed, 64), 0x0000BFu);
  EXPECT_EQ(DarkenColor(clGreen, 128), 0u);
  EXPECT_EQ(DarkenColor(clGreen, 64), 0x004000u);
  EXPECT_EQ(DarkenColor(RGB(64, 65, 10), 64), RGB(0, 1, 0));
  SetCurrentPalette(TSystemPalette::Classic());
  EXPECT_EQ(DarkenColor(clBtnFace, 64), 0x00808080u);  // system colours resolve first
}

TEST(ChartCanvasTest, BoxFacesIn2DAnd3D) {
  {
    // Flat: only the front face; nothing right of or above it.
    Frame f(false);
    SolidBrush(f.surface, clRed);
    f.surface.Pen().style = psClear;
    f.surface.DrawBox(20, 40, 30, 60, 0, 15, true);
    EXPECT_EQ(f.At(30, 45), clRed);
    EXPECT_EQ(f.At(45, 45), clWhite);
    EXPECT_EQ(f.At(30, 25), clWhite);
    EXPECT_EQ(f.At(41, 29), clWhite);
  }
  {
    // Depth goes right and up: a dark right side and a lighter top.
    Frame f(true);
    SolidBrush(f.surface, clRed);
    f.surface.Pen().style = psClear;
    f.surface.DrawBox(20, 40, 30, 60, 0, 10, true);
    EXPECT_EQ(f.At(30, 45), clRed);
    EXPECT_EQ(f.At(45, 45), 0x00007Fu);
    EXPECT_EQ(f.At(35, 25), 0x0000BFu);
    EXPECT_EQ(f.At(19, 45), clWhite);
    EXPECT_EQ(f.At(30, 61), clWhite);
  }
  {
    // Without dark sides every face takes the brush; a pen outlines them.
    Frame f(true);
    SolidBrush(f.surface, clRed);
    f.surface.Pen().color = clBlack;
    f.surface.DrawBox(20, 40, 30, 60, 0, 10, false);
    EXPECT_EQ(f.At(45, 45), clRed);
    EXPECT_EQ(f.At(20, 45), clBlack);
    EXPECT_EQ(f.At(40, 45), clBlack);
  }
}

TEST(ChartCanvasTest, PlanesAndLinesAtDepth) {
  Frame f(true);
  f.surface.Pen().color = clBlue;
  f.surface.DrawHorizontalAtDepth(10, 30, 50, 5);  // (15, 45) to (35, 45)
  EXPECT_EQ(f.At(15, 45), clBlue);
  EXPECT_EQ(f.At(34, 45), clBlue);
  EXPECT_EQ(f.At(14, 45), clWhite);
  f.surface.DrawDepthLine(60, 60, 0, 10);  // (60, 60) to (70, 50)
  EXPECT_EQ(f.At(65, 55), clBlue);

  SolidBrush(f.surface, clYellow);
  f.surface.Pen().style = psClear;
  f.surface.DrawFloorPlane(10, 40, 70, 0, 10);
  EXPECT_EQ(f.At(30, 65), clYellow);  // the floor rises to the back
  EXPECT_EQ(f.At(30, 72), clWhite);
}

TEST(ChartCanvasTest, ClipToBoxKeepsDrawingInsideThePlot) {
  {
    Frame f(false);
    f.surface.ClipToBox(Rect(10, 10, 90, 70), 0, 10);
    SolidBrush(f.surface, clRed);
    f.surface.FillWithBrush(Rect(0, 0, 100, 80));
    EXPECT_EQ(f.At(10, 40), clWhite);
    EXPECT_EQ(f.At(11, 11), clRed);
    EXPECT_EQ(f.At(89, 68), clRed);
    EXPECT_EQ(f.At(89, 69), clWhite);
    EXPECT_EQ(f.At(90, 40), clWhite);
    f.surface.RemoveClip();
    SolidBrush(f.surface, clBlue);
    f.surface.FillWithBrush(Rect(0, 0, 100, 80));
    EXPECT_EQ(f.At(0, 0), clBlue);
  }
  {
    // In 3D the outline of the box: the back top-right corner is inside, the front one's
    // far corner above the front is not.
    Frame f(true);
    f.surface.ClipToBox(Rect(10, 10, 90, 70), 0, 10);
    SolidBrush(f.surface, clRed);
    f.surface.FillWithBrush(Rect(0, 0, 100, 80));
    EXPECT_EQ(f.At(95, 5), clRed);     // behind the plot's top-right corner
    EXPECT_EQ(f.At(12, 5), clWhite);   // left of the back top-left corner
    EXPECT_EQ(f.At(95, 75), clWhite);  // below the back bottom-right corner
    EXPECT_EQ(f.At(15, 65), clRed);
    f.surface.RemoveClip();
  }
}

TEST(ChartCanvasTest, RetainedPictureDrawsOnceAndCopiesAfterwards) {
  TBitmap window(60, 40);
  TChartCanvas3D surface;
  int draws = 0;
  auto paint = [&] {
    surface.SetTarget(&window.Canvas());
    if (surface.RepaintFromPicture()) return;
    const TRect r = surface.BeginFrame(window.Canvas(), {}, false, Rect(0, 0, 60, 40));
    ++draws;
    surface.Brush() = TBrush{clGreen, bsSolid, clGreen};
    surface.FillWithBrush(r);
    surface.EndFrame(window.Canvas(), window.Canvas(), Rect(0, 0, 60, 40));
  };
  paint();
  EXPECT_EQ(window.Pixel(59, 39), clGreen);
  EXPECT_FALSE(surface.Stale());
  window.Canvas().Brush() = TBrush{clWhite, bsSolid, clWhite};
  window.Canvas().FillRect(Rect(0, 0, 60, 40));
  paint();  // the second paint only copies the picture back
  EXPECT_EQ(draws, 1);
  EXPECT_EQ(window.Pixel(10, 10), clGreen);

  surface.MarkStale();
  paint();
  EXPECT_EQ(draws, 2);

  // A new size makes a new picture of that size.
  surface.BeginFrame(window.Canvas(), {}, false, Rect(0, 0, 30, 20));
  ASSERT_NE(surface.Picture(), nullptr);
  EXPECT_EQ(surface.Picture()->Width(), 30);
  EXPECT_EQ(surface.Picture()->Height(), 20);
}

// The part of a segment inside a box, against points sampled along it: a sample lies on the
// clipped segment exactly when it lies inside the box.
TEST(ChartCanvasTest, ClippedSegmentsKeepExactlyTheirPartInsideTheBox) {
  const TRect box = Rect(0, 0, 10, 10);
  const struct {
    TExactPoint a, b;
  } cases[] = {{{9.5, 5}, {10.5, 5}}, {{5, 9.5}, {5, 10.5}}, {{0.5, 5}, {-0.5, 5}},
               {{5, -3}, {6, 13}},    {{-5, -5}, {15, 15}},  {{11, 0}, {11, 10}},
               {{2, 3}, {7, 8}},      {{-1, 5}, {0, 5}},     {{3, 11}, {4, 11}}};
  for (const auto& c : cases) {
    TExactPoint a = c.a, b = c.b;
    const bool kept = ClipSegment(box, a, b);
    const bool alongX = std::abs(c.b.x - c.a.x) >= std::abs(c.b.y - c.a.y);
    auto at = [&](const TExactPoint& p) {  // where a point lies along the original segment
      return alongX ? (p.x - c.a.x) / (c.b.x - c.a.x) : (p.y - c.a.y) / (c.b.y - c.a.y);
    };
    const double from = std::min(at(a), at(b)), to = std::max(at(a), at(b));
    for (int i = 0; i <= 100; ++i) {
      const double s = i / 100.0;
      const double x = c.a.x + s * (c.b.x - c.a.x), y = c.a.y + s * (c.b.y - c.a.y);
      const bool inside = x >= 0 && x <= 10 && y >= 0 && y <= 10;
      EXPECT_EQ(kept && s >= from - 1e-9 && s <= to + 1e-9, inside)
          << c.a.x << "," << c.a.y << " " << c.b.x << "," << c.b.y << " at " << s;
    }
  }
}
