#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "support/GuiApp.h"

namespace {

// A small white picture with a drawing pen and brush.
struct Surface {
  TBitmap bitmap{12, 10};
  TCanvas& c = bitmap.Canvas();
  TColor At(int x, int y) const { return bitmap.Pixel(x, y); }
  int Count(TColor color) const {
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) n += At(x, y) == color;
    return n;
  }
};

void Solid(TCanvas& c, TColor color) {
  c.Brush() = TBrush{color, bsSolid, color};
}

}  // namespace

TEST(CanvasTest, FillAndFrameLeaveOutRightAndBottomEdge) {
  Surface s;
  Solid(s.c, clRed);
  s.c.FillRect(Rect(2, 3, 6, 7));
  EXPECT_EQ(s.At(2, 3), clRed);
  EXPECT_EQ(s.At(5, 6), clRed);
  EXPECT_EQ(s.At(6, 6), clWhite);
  EXPECT_EQ(s.At(5, 7), clWhite);
  EXPECT_EQ(s.Count(clRed), 16);

  Solid(s.c, clBlue);
  s.c.FrameRect(Rect(0, 0, 4, 3));
  EXPECT_EQ(s.At(3, 2), clBlue);
  EXPECT_EQ(s.At(4, 2), clWhite);
  EXPECT_EQ(s.At(1, 1), clWhite);  // inside stays
  EXPECT_EQ(s.Count(clBlue), 10);

  // Partly outside the picture, inverted or empty rectangles are harmless.
  s.c.FillRect(Rect(-5, -5, 1, 1));
  s.c.FillRect(Rect(8, 8, 2, 2));
  s.c.FillRect(Rect(10, 8, 100, 100));
  EXPECT_EQ(s.At(0, 0), clBlue);
  EXPECT_EQ(s.At(11, 9), clBlue);
}

TEST(CanvasTest, EdgeKindsPaintTheirSides) {
  const TSystemPalette p = TSystemPalette::Classic();
  {
    Surface s;
    s.c.DrawEdge(Rect(0, 0, 6, 6), edgeRaised, bfsRect);
    EXPECT_EQ(s.At(0, 2), p.Get(sci3DLight));       // outer left
    EXPECT_EQ(s.At(2, 0), p.Get(sci3DLight));       // outer top
    EXPECT_EQ(s.At(5, 2), p.Get(sci3DDkShadow));    // outer right
    EXPECT_EQ(s.At(2, 5), p.Get(sci3DDkShadow));    // outer bottom
    EXPECT_EQ(s.At(1, 2), p.Get(sciBtnHighlight));  // inner left
    EXPECT_EQ(s.At(4, 2), p.Get(sciBtnShadow));     // inner right
    EXPECT_EQ(s.At(5, 0), p.Get(sci3DDkShadow));    // corners go to the dark side
    EXPECT_EQ(s.At(2, 2), clWhite);
  }
  {
    Surface s;
    s.c.DrawEdge(Rect(0, 0, 6, 6), edgeSunken, bfsRect);
    EXPECT_EQ(s.At(0, 2), p.Get(sciBtnShadow));
    EXPECT_EQ(s.At(5, 2), p.Get(sciBtnHighlight));
    EXPECT_EQ(s.At(1, 2), p.Get(sci3DDkShadow));
    EXPECT_EQ(s.At(2, 4), p.Get(sci3DLight));
  }
  {
    // One side only: the others, and the ring inside, stay untouched.
    Surface s;
    s.c.DrawEdge(Rect(0, 0, 6, 6), bdRaisedInner, bfsBottom);
    EXPECT_EQ(s.At(2, 5), p.Get(sciBtnShadow));
    EXPECT_EQ(s.Count(clWhite), 12 * 10 - 6);
  }
}

TEST(CanvasTest, NotXorFigureDrawnTwiceRestoresEveryPixel) {
  Surface s;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) s.c.SetPixel(x, y, RGB(x * 20, y * 25, (x * y) % 256));
  TBitmap before(12, 10);
  before.Canvas().CopyRect(Rect(0, 0, 12, 10), s.c, Rect(0, 0, 12, 10));

  s.c.Pen() = TPen{clBlack, 1, psSolid, pmNotXor};
  s.c.Brush().style = bsClear;
  s.c.Rectangle(Rect(1, 1, 9, 8));
  s.c.MoveTo(0, 9);
  s.c.LineTo(11, 0);
  EXPECT_NE(s.At(1, 1), before.Pixel(1, 1));
  EXPECT_EQ(s.At(1, 1), RGB(255 - 20, 255 - 25, 255 - 1));  // black pen inverts
  s.c.Rectangle(Rect(1, 1, 9, 8));
  s.c.MoveTo(0, 9);
  s.c.LineTo(11, 0);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(s.At(x, y), before.Pixel(x, y)) << x << "," << y;

  s.c.InvertRect(Rect(0, 0, 12, 10));
  s.c.InvertRect(Rect(0, 0, 12, 10));
  EXPECT_EQ(s.At(5, 5), before.Pixel(5, 5));

  // The focus frame inverts every other pixel of its ring.
  s.c.DrawFocusRect(Rect(2, 2, 8, 6));
  EXPECT_NE(s.At(2, 2), before.Pixel(2, 2));
  EXPECT_EQ(s.At(3, 2), before.Pixel(3, 2));
  EXPECT_EQ(s.At(4, 4), before.Pixel(4, 4));  // inside untouched
  s.c.DrawFocusRect(Rect(2, 2, 8, 6));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(s.At(x, y), before.Pixel(x, y)) << x << "," << y;
}

TEST(CanvasTest, CheckerBrushIsAnchoredAtTheOrigin) {
  Surface s;
  s.c.Brush() = TBrush{clBlack, bsChecker, clSilver};
  s.c.FillRect(Rect(3, 2, 7, 5));  // odd left edge: the phase must not follow the rectangle
  EXPECT_EQ(s.At(3, 2), clSilver);
  EXPECT_EQ(s.At(4, 2), clBlack);
  EXPECT_EQ(s.At(3, 3), clBlack);
  s.c.FillRect(Rect(4, 6, 5, 7));
  EXPECT_EQ(s.At(4, 6), clBlack);

  // Hatches paint the background only when it is opaque.
  Surface h;
  h.c.Brush() = TBrush{clRed, bsHorizontal, clRed};
  h.c.SetBkColor(clGreen);
  h.c.SetBkMode(bkTransparent);
  h.c.FillRect(Rect(0, 0, 12, 10));
  EXPECT_EQ(h.At(3, 8), clRed);
  EXPECT_EQ(h.At(3, 7), clWhite);
  h.c.SetBkMode(bkOpaque);
  h.c.FillRect(Rect(0, 0, 12, 10));
  EXPECT_EQ(h.At(3, 7), clGreen);
}

TEST(CanvasTest, ClipNestsAndRestores) {
  Surface s;
  s.c.SetClipRect(Rect(2, 2, 10, 8));
  s.c.SaveClip();
  s.c.IntersectClipRect(Rect(0, 0, 4, 4));
  s.c.ExcludeClipRect(Rect(3, 3, 4, 4));
  EXPECT_FALSE(s.c.RectVisible(Rect(5, 5, 6, 6)));
  Solid(s.c, clRed);
  s.c.FillRect(Rect(0, 0, 12, 10));
  EXPECT_EQ(s.Count(clRed), 3);  // (2,2) (3,2) (2,3)
  s.c.RestoreClip();
  Solid(s.c, clBlue);
  s.c.FillRect(Rect(0, 0, 12, 10));
  EXPECT_EQ(s.Count(clBlue), 48);
  s.c.RestoreClip();  // nothing saved: stays as it is
  EXPECT_TRUE(s.c.HasClip());

  // A triangular clip, and lines honour the clip too.
  s.c.ClearClip();
  Solid(s.c, clWhite);
  s.c.FillRect(Rect(0, 0, 12, 10));
  s.c.SetClipPolygon({{0, 0}, {10, 0}, {0, 10}});
  s.c.Pen().color = clRed;
  s.c.MoveTo(0, 8);
  s.c.LineTo(12, 8);
  EXPECT_EQ(s.At(0, 8), clRed);
  EXPECT_EQ(s.At(9, 8), clWhite);
}

TEST(CanvasTest, LinesAndShapes) {
  Surface s;
  s.c.Pen().color = clRed;
  s.c.MoveTo(1, 1);
  s.c.LineTo(6, 1);
  EXPECT_EQ(s.At(5, 1), clRed);
  EXPECT_EQ(s.At(6, 1), clWhite);  // the end point is left out
  EXPECT_EQ(s.c.PenPos(), Point(6, 1));

  s.c.Pen() = TPen{clBlue, 1, psDot, pmCopy};
  s.c.MoveTo(0, 3);
  s.c.LineTo(8, 3);
  EXPECT_EQ(s.At(0, 3), clBlue);
  EXPECT_EQ(s.At(1, 3), clWhite);
  EXPECT_EQ(s.At(2, 3), clBlue);

  // A rectangle's outline covers its outer pixels; without a pen the fill stops one short.
  Surface r;
  r.c.Pen().color = clBlack;
  Solid(r.c, clRed);
  r.c.Rectangle(Rect(0, 0, 5, 4));
  EXPECT_EQ(r.At(4, 3), clBlack);
  EXPECT_EQ(r.At(1, 1), clRed);
  EXPECT_EQ(r.At(5, 3), clWhite);
  r.c.Pen().style = psClear;
  Solid(r.c, clGreen);
  r.c.Rectangle(Rect(6, 0, 10, 4));
  EXPECT_EQ(r.Count(clGreen), 9);

  // A filled polygon with an outline.
  Surface p;
  p.c.Pen().color = clBlack;
  Solid(p.c, clYellow);
  p.c.Polygon({{1, 1}, {8, 1}, {8, 7}, {1, 7}});
  EXPECT_EQ(p.At(1, 1), clBlack);
  EXPECT_EQ(p.At(8, 7), clBlack);
  EXPECT_EQ(p.At(4, 4), clYellow);
  EXPECT_EQ(p.At(9, 4), clWhite);
}

TEST(CanvasTest, CopiesBetweenCanvases) {
  TBitmap src(4, 4);
  Solid(src.Canvas(), clRed);
  src.Canvas().FillRect(Rect(1, 1, 3, 3));
  Surface s;
  s.c.Draw(5, 5, src);
  EXPECT_EQ(s.At(6, 6), clRed);
  EXPECT_EQ(s.At(5, 5), clWhite);
  EXPECT_EQ(s.Count(clRed), 4);
  // Overlapping copy within one picture.
  s.c.CopyRect(Rect(6, 5, 10, 9), s.c, Rect(5, 5, 9, 9));
  EXPECT_EQ(s.Count(clRed), 4);
  EXPECT_EQ(s.At(8, 7), clRed);
  EXPECT_EQ(s.At(6, 6), clWhite);
}

TEST(CanvasTest, TextPlacementAndFormattedText) {
  EnsureGuiApplication();
  TBitmap b(200, 60);
  TCanvas& c = b.Canvas();
  c.Font().SetHeight(13);
  c.Font().SetColor(clBlack);
  const TSize wg = c.TextExtent("Wg");
  EXPECT_GT(wg.cx, 10);
  EXPECT_GE(wg.cy, 13);
  EXPECT_EQ(c.TextWidth(""), 0);

  // Opaque background fills exactly the text cell at the reference point.
  c.SetBkMode(bkOpaque);
  c.SetBkColor(clYellow);
  c.SetTextAlign(taRight | taBottom);
  c.TextOut(100, 30, "Wg");
  EXPECT_EQ(b.Pixel(100 - wg.cx, 30 - wg.cy), clYellow);
  EXPECT_NE(b.Pixel(100, 30 - 1), clYellow);
  EXPECT_NE(b.Pixel(100 - wg.cx - 1, 29), clYellow);

  // Word break measures several lines; ellipsis keeps a long line within the width.
  TRect r = Rect(0, 0, c.TextWidth("alpha beta") + 2, 0);
  const int h = c.DrawText("alpha beta alpha", r, dtWordBreak | dtCalcRect);
  EXPECT_EQ(h, 2 * wg.cy);
  EXPECT_EQ(r.bottom, h);

  TBitmap e(200, 30);
  e.Canvas().Font().SetHeight(13);
  e.Canvas().SetBkMode(bkTransparent);
  TRect cell = Rect(10, 0, 60, 20);
  e.Canvas().DrawText("a rather long text that will not fit", cell,
                      dtSingleLine | dtVCenter | dtEndEllipsis | dtNoPrefix);
  int inked = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 200; ++x)
      if (e.Pixel(x, y) != clWhite) {
        ++inked;
        EXPECT_TRUE(x >= 10 && x < 60) << x;
      }
  EXPECT_GT(inked, 0);

  // A prefix ampersand is not drawn unless asked for.
  TRect m1 = Rect(0, 0, 100, 20), m2 = m1;
  c.DrawText("&Save", m1, dtCalcRect | dtSingleLine);
  c.DrawText("&Save", m2, dtCalcRect | dtSingleLine | dtNoPrefix);
  EXPECT_EQ(m1.right, c.TextWidth("Save"));
  EXPECT_GT(m2.right, m1.right);
}

TEST(CanvasTest, RotatedTextTurnsAboutTheReferencePoint) {
  EnsureGuiApplication();
  TBitmap b(80, 120);
  TCanvas& c = b.Canvas();
  c.SetBkMode(bkTransparent);
  c.Font().SetHeight(16);
  c.Font().SetOrientation(900);  // reads upwards
  const TTextSize size = MeasureText(c.Font(), "Level");
  EXPECT_EQ(size.width, c.TextWidth("Level"));
  c.TextOut(30, 100, "Level");
  TRect ink = Rect(1000, 1000, -1, -1);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 80; ++x)
      if (b.Pixel(x, y) != clWhite) {
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x + 1);
        ink.top = std::min(ink.top, y);
        ink.bottom = std::max(ink.bottom, y + 1);
      }
  ASSERT_FALSE(IsRectEmpty(ink));
  EXPECT_GT(ink.Height(), ink.Width());
  EXPECT_LE(ink.bottom, 101);  // the text runs up from the reference point
  EXPECT_GE(ink.top, 100 - size.width - 1);
  EXPECT_GE(ink.left, 30);  // the cell's top is to the left of the baseline
  EXPECT_LE(ink.right, 30 + size.height + 1);
}

TEST(CanvasTest, PatternedPolygonsFarBeyondThePictureFillWhatTheyCover) {
  // Reaching far outside, the polygon is cut to the picture first; what it covers inside
  // must come out as the fill of the same area.
  Surface expected, cut;
  for (Surface* s : {&expected, &cut}) {
    s->c.Pen().style = psClear;
    s->c.Brush() = TBrush{clBlue, bsCross, clBlue};
  }
  expected.c.FillRect(Rect(0, 0, 6, 10));
  cut.c.Polygon({{-1000000, -2000000}, {6, -2000000}, {6, 3000000}, {-1000000, 3000000}});
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(cut.At(x, y), expected.At(x, y)) << x << "," << y;
  // The same for a clip polygon.
  Surface clipped;
  clipped.c.SetClipPolygon(
      {{-1000000, -2000000}, {6, -2000000}, {6, 3000000}, {-1000000, 3000000}});
  clipped.c.Brush() = TBrush{clBlue, bsCross, clBlue};
  clipped.c.FillRect(Rect(0, 0, 12, 10));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(clipped.At(x, y), expected.At(x, y)) << x << "," << y;
}

TEST(CanvasTest, SolidPolygonWithACornerFarAwayFillsItsRows) {
  // Corners beyond the row scanner's reach leave the polygon to the painter.
  Surface s;
  s.c.Pen().style = psClear;
  Solid(s.c, clBlue);
  s.c.Polygon({{0, 2}, {300000, 2}, {300000, 8}, {0, 8}});
  EXPECT_EQ(s.At(5, 5), clBlue);
  EXPECT_EQ(s.At(11, 2), clBlue);
  EXPECT_EQ(s.At(5, 1), clWhite);
  EXPECT_EQ(s.At(5, 8), clWhite);
  EXPECT_EQ(s.Count(clBlue), 12 * 6);
  // The far corner first met as the lower end of an edge that runs upwards.
  Surface t;
  t.c.Pen().style = psClear;
  Solid(t.c, clBlue);
  t.c.Polygon({{0, 8}, {300000, 2}, {300000, 8}});
  EXPECT_EQ(t.Count(clBlue), 0);
}
