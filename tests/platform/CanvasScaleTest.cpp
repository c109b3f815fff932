// A canvas on the picture of a scaled screen: at a whole ratio every figure of straight
// edges is the ratio-1 picture with each pixel made a square of device pixels, so that edges
// stay sharp; text keeps its logical size for layout and is drawn in the device's font.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Control.h"
#include "platform/ImageList.h"
#include "platform/QtImage.h"
#include "support/GuiApp.h"

namespace {

// The same random figures of upright edges, on any canvas.
void DrawUprightFigures(TCanvas& c, unsigned seed) {
  std::mt19937 engine(seed);
  auto in = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(engine);
  };
  const TColor colors[] = {clRed, clNavy, clYellow, clGreen, clWhite};
  for (int i = 0; i < 40; ++i) {
    const TColor color = colors[in(0, 4)];
    const TRect r = Rect(in(-4, 40), in(-4, 30), in(-4, 44), in(-4, 34));
    if (i % 7 == 0) c.SetClipRect(Rect(in(0, 10), in(0, 10), in(20, 40), in(15, 30)));
    if (i % 7 == 3) c.ClearClip();
    switch (in(0, 6)) {
      case 0:
        c.Brush() = TBrush{color, bsSolid, color};
        c.FillRect(r);
        break;
      case 1:
        c.Brush() = TBrush{color, bsChecker, clBlack};
        c.FillRect(r);
        break;
      case 2:
        c.Brush() = TBrush{color, static_cast<TBrushStyle>(in(bsHorizontal, bsDiagCross)), color};
        c.SetBkMode(in(0, 1) ? bkOpaque : bkTransparent);
        c.FillRect(r);
        break;
      case 3:
        c.Brush() = TBrush{color, bsSolid, color};
        c.FrameRect(r);
        break;
      case 4:
        c.DrawFocusRect(r);
        break;
      case 5:
        c.DrawEdge(r, edgeRaised, bfsRect);
        break;
      default:
        c.Pen() = TPen{color, 1, in(0, 1) ? psSolid : psDot, in(0, 1) ? pmCopy : pmNotXor};
        c.MoveTo(r.left, r.top);
        if (in(0, 1))
          c.LineTo(r.right, r.top);
        else
          c.LineTo(r.left, r.bottom);
        break;
    }
  }
  // A staircase: more corners than a box face has.
  const int x = in(-4, 30), y = in(-4, 20);
  const TPoint stairs[] = {{x, y},           {x + 3, y},     {x + 3, y + 2}, {x + 6, y + 2},
                           {x + 6, y + 4},   {x + 9, y + 4}, {x + 9, y + 6}, {x + 12, y + 6},
                           {x + 12, y + 10}, {x, y + 10}};
  c.Pen() = TPen{clNavy, 1, psSolid, pmCopy};
  c.Brush() = TBrush{clYellow, bsSolid, clYellow};
  c.Polygon(stairs);
}

TEST(CanvasScaleTest, WholeRatiosDrawEachPixelAsASquare) {
  EnsureGuiApplication();
  for (const int ratio : {2, 3})
    for (unsigned seed = 1; seed <= 30; ++seed) {
      TBitmap plain(40, 30), scaled(40, 30, ratio);
      EXPECT_EQ(scaled.Width(), 40);
      EXPECT_EQ(scaled.Image().image.width(), 40 * ratio);
      DrawUprightFigures(plain.Canvas(), seed);
      DrawUprightFigures(scaled.Canvas(), seed);
      const QImage& device = scaled.Image().image;
      int differing = 0;
      for (int y = 0; y < device.height(); ++y)
        for (int x = 0; x < device.width(); ++x)
          differing += FromQRgb(device.pixel(x, y)) != plain.Pixel(x / ratio, y / ratio);
      ASSERT_EQ(differing, 0) << "ratio " << ratio << " seed " << seed;
    }
}

// Inverting feedback must erase itself at any ratio, slanted lines and frames included.
TEST(CanvasScaleTest, NotXorFiguresDrawnTwiceRestoreThePicture) {
  EnsureGuiApplication();
  for (const double ratio : {1.25, 1.5, 2.0, 3.0}) {
    TBitmap b(50, 40, ratio);
    TCanvas& c = b.Canvas();
    c.Brush() = TBrush{clTeal, bsChecker, clYellow};
    c.FillRect(Rect(0, 0, 50, 40));
    const QImage before = b.Image().image.copy();
    c.Pen() = TPen{clBlack, 1, psSolid, pmNotXor};
    for (int pass = 0; pass < 2; ++pass) {
      c.MoveTo(3, 4);
      c.LineTo(45, 31);
      c.LineTo(20, 2);
      c.DrawFocusRect(Rect(5, 5, 30, 25));
      c.InvertRect(Rect(10, 12, 18, 30));
      c.Pen().style = psDot;
      c.MoveTo(40, 2);
      c.LineTo(40, 38);
      c.Pen().style = psSolid;
    }
    EXPECT_TRUE(b.Image().image == before) << ratio;
  }
}

TEST(CanvasScaleTest, TextMeasuresInLogicalPixelsAndDrawsInTheDeviceFont) {
  EnsureGuiApplication();
  TBitmap plain(120, 30), scaled(120, 30, 2);
  const std::string text = "Walpole 2300";
  EXPECT_EQ(scaled.Canvas().TextExtent(text), plain.Canvas().TextExtent(text));
  const TSize size = plain.Canvas().TextExtent(text);
  scaled.Canvas().SetBkMode(bkTransparent);
  scaled.Canvas().TextOut(10, 5, text);
  // Ink only inside the text's cell, and more than a doubled low-resolution glyph would
  // leave in rows of odd device y (a blown-up picture has rows in identical pairs).
  const QImage& device = scaled.Image().image;
  int ink = 0, unpaired = 0;
  for (int y = 0; y < device.height(); ++y)
    for (int x = 0; x < device.width(); ++x) {
      const bool on = device.pixel(x, y) != qRgb(255, 255, 255);
      if (!on) continue;
      ++ink;
      EXPECT_TRUE(x >= 20 && x < 2 * (10 + size.cx) + 2 && y >= 10 && y < 2 * (5 + size.cy))
          << x << "," << y;
      if (y % 2 == 0 && device.pixel(x, y + 1) != device.pixel(x, y)) ++unpaired;
    }
  EXPECT_GT(ink, 0);
  EXPECT_GT(unpaired, 0);
}

// Logical pixels of many colours, following a scroll offset, as a list draws its rows.
void PaintScene(TCanvas& c, const TRect& r, int dx, int dy) {
  const TColor colours[] = {clRed, clNavy, clYellow, clGreen, clWhite, clBlack, clTeal};
  c.SaveClip();
  c.SetClipRect(r);
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      const int index = ((x + dx) / 3 + (y + dy) * 5) % 7;
      const TColor colour = colours[index < 0 ? index + 7 : index];
      c.Brush() = TBrush{colour, bsSolid, colour};
      c.FillRect(Rect(x, y, x + 1, y + 1));
    }
  c.RestoreClip();
}

// The smallest rectangle holding every pixel that is not white.
TRect InkBox(const QImage& o) {
  int left = o.width(), top = o.height(), right = 0, bottom = 0;
  for (int y = 0; y < o.height(); ++y)
    for (int x = 0; x < o.width(); ++x)
      if (o.pixel(x, y) != qRgb(255, 255, 255)) {
        left = std::min(left, x), top = std::min(top, y);
        right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
      }
  return Rect(left, top, right, bottom);
}

int DifferingPixels(const QImage& a, const QImage& b) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
  return differing;
}

// At every ratio: a bitmap lands one device pixel for one; a scroll by any logical amount,
// with the uncovered strip repainted, equals a fresh paint; an outlined ellipse fills its
// device box; a picture blended from an image list leaves what lies under it untouched.
TEST(CanvasScaleTest, CopiesScrollsEllipsesAndBlendsAreExactAtEveryRatio) {
  EnsureGuiApplication();
  for (const double ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
    SCOPED_TRACE(ratio);
    TBitmap glyph(5, 4, ratio);
    PaintScene(glyph.Canvas(), Rect(0, 0, 5, 4), 1, 2);
    const QImage& g = glyph.Image().image;
    for (const TPoint at : {TPoint{3, 7}, TPoint{5, 2}, TPoint{1, 1}, TPoint{7, 9}}) {
      TBitmap target(20, 16, ratio);
      target.Canvas().Draw(at.x, at.y, glyph);
      const QImage& t = target.Image().image;
      const int left = ToDevicePixel(at.x, ratio), top = ToDevicePixel(at.y, ratio);
      EXPECT_EQ(t.copy(left, top, g.width(), g.height()), g) << at.x << "," << at.y;
    }

    for (const TPoint by :
         {TPoint{0, 1}, TPoint{0, 2}, TPoint{0, -3}, TPoint{2, 0}, TPoint{4, 4}}) {
      TBitmap scrolled(24, 18, ratio), fresh(24, 18, ratio);
      PaintScene(scrolled.Canvas(), Rect(0, 0, 24, 18), 0, 0);
      for (const TRect& r : ScrollCanvasArea(scrolled.Canvas(), -by.x, -by.y, Rect(0, 2, 24, 18)))
        PaintScene(scrolled.Canvas(), r, by.x, by.y);
      PaintScene(fresh.Canvas(), Rect(0, 0, 24, 18), 0, 0);
      PaintScene(fresh.Canvas(), Rect(0, 2, 24, 18), by.x, by.y);
      EXPECT_EQ(DifferingPixels(scrolled.Image().image, fresh.Image().image), 0)
          << by.x << "," << by.y;
    }

    TBitmap oval(24, 18, ratio);
    oval.Canvas().Pen() = TPen{clBlack, 1, psSolid, pmCopy};
    oval.Canvas().Brush().style = bsClear;
    oval.Canvas().Ellipse(Rect(3, 4, 17, 13));
    EXPECT_EQ(InkBox(oval.Image().image), Rect(ToDevicePixel(3, ratio), ToDevicePixel(4, ratio),
                                               ToDevicePixel(17, ratio), ToDevicePixel(13, ratio)));

    TBitmap dot(4, 4);
    dot.Canvas().Brush() = TBrush{clRed, bsSolid, clRed};
    dot.Canvas().FillRect(Rect(1, 1, 2, 2));
    TImageList list(4, 4);
    list.AddMasked(dot, clWhite);
    TBitmap under(20, 16, ratio);
    PaintScene(under.Canvas(), Rect(0, 0, 20, 16), 0, 0);
    const QImage before = under.Image().image.copy();
    list.Draw(under.Canvas(), 7, 5, 0, true);
    // Only the red design pixel, made a square of device pixels, may change.
    const int most = static_cast<int>(std::ceil(ratio) * std::ceil(ratio));
    EXPECT_LE(DifferingPixels(before, under.Image().image), most);
    EXPECT_GT(DifferingPixels(before, under.Image().image), 0);
  }
}

// The scene of PaintScene inside r, narrowing whatever clip the canvas already has.
void PaintSceneIn(TCanvas& c, const TRect& r, int dx, int dy) {
  const TColor colours[] = {clRed, clNavy, clYellow, clGreen, clWhite, clBlack, clTeal};
  c.SaveClip();
  c.IntersectClipRect(r);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const TColor colour = colours[(((x + dx) / 3 + (y + dy) * 5) % 7 + 7) % 7];
      c.Brush() = TBrush{colour, bsSolid, colour};
      c.FillRect(Rect(x, y, x + 1, y + 1));
    }
  c.RestoreClip();
}

// The edges of the ratio table: ellipses with wide, clear and not-xor pens and tiny boxes;
// scrolls by negative, sideways and oversized amounts of an odd area under a clip, at 1.75
// too; bitmaps partly off the picture.
TEST(CanvasScaleTest, EllipsesScrollsAndBitmapsHoldAtTheEdgesOfTheTable) {
  EnsureGuiApplication();
  const TRect boxes[] = {Rect(3, 4, 17, 13), Rect(5, 5, 6, 6), Rect(5, 5, 7, 7), Rect(2, 9, 5, 10)};
  const TPen pens[] = {TPen{clBlack, 1, psSolid, pmCopy}, TPen{clBlack, 3, psSolid, pmCopy},
                       TPen{clBlack, 1, psClear, pmCopy}};
  auto oval = [&](double ratio, const TPen& pen, bool filled, const TRect& box) {
    auto b = std::make_unique<TBitmap>(24, 18, ratio);
    b->Canvas().Pen() = pen;
    b->Canvas().Brush() = TBrush{clRed, filled ? bsSolid : bsClear, clRed};
    b->Canvas().Ellipse(box);
    return b;
  };
  for (const TRect& box : boxes)
    for (const TPen& pen : pens)
      for (const bool filled : {false, true}) {
        if (pen.style == psClear && !filled) continue;
        SCOPED_TRACE("box " + std::to_string(box.left) + "," + std::to_string(box.top) + " pen " +
                     std::to_string(pen.width) + (pen.style == psClear ? " clear" : "") +
                     (filled ? " filled" : ""));
        const auto plain = oval(1.0, pen, filled, box);
        // At a whole ratio the ellipse covers the ratio-1 ellipse's box scaled.
        for (const int ratio : {2, 3}) {
          const auto scaled = oval(ratio, pen, filled, box);
          const TRect one = InkBox(plain->Image().image), many = InkBox(scaled->Image().image);
          EXPECT_EQ(many,
                    Rect(one.left * ratio, one.top * ratio, one.right * ratio, one.bottom * ratio))
              << "ratio " << ratio;
        }
      }
  // Not-xor outlines drawn twice leave the picture as it was.
  for (const double ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0}) {
    TBitmap b(24, 18, ratio);
    PaintScene(b.Canvas(), Rect(0, 0, 24, 18), 0, 0);
    const QImage before = b.Image().image.copy();
    b.Canvas().Brush().style = bsClear;
    for (const int width : {1, 3}) {
      b.Canvas().Pen() = TPen{clBlack, width, psSolid, pmNotXor};
      for (int pass = 0; pass < 2; ++pass)
        for (const TRect& box : boxes) b.Canvas().Ellipse(box);
    }
    EXPECT_EQ(DifferingPixels(before, b.Image().image), 0) << "not-xor at " << ratio;
  }

  const TRect area = Rect(3, 5, 21, 17), clip = Rect(2, 7, 19, 16);
  for (const double ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0})
    for (const TPoint by : {TPoint{0, 4}, TPoint{0, -4}, TPoint{4, 0}, TPoint{-8, 0},
                            TPoint{0, 100}, TPoint{-100, 0}, TPoint{4, -4}, TPoint{0, 1}}) {
      TBitmap scrolled(24, 18, ratio), fresh(24, 18, ratio);
      PaintScene(scrolled.Canvas(), Rect(0, 0, 24, 18), 0, 0);
      PaintScene(fresh.Canvas(), Rect(0, 0, 24, 18), 0, 0);
      TCanvas& s = scrolled.Canvas();
      s.SaveClip();
      s.IntersectClipRect(clip);
      for (const TRect& r : ScrollCanvasArea(s, -by.x, -by.y, area)) PaintSceneIn(s, r, by.x, by.y);
      s.RestoreClip();
      TRect both;
      IntersectRect(both, area, clip);
      PaintSceneIn(fresh.Canvas(), both, by.x, by.y);
      EXPECT_EQ(DifferingPixels(scrolled.Image().image, fresh.Image().image), 0)
          << "ratio " << ratio << " by " << by.x << "," << by.y;
    }

  // A bitmap partly off the picture: what lands is the bitmap's own device pixels, one for one.
  for (const double ratio : {1.25, 1.5, 1.75, 2.0, 3.0}) {
    TBitmap glyph(5, 4, ratio);
    PaintScene(glyph.Canvas(), Rect(0, 0, 5, 4), 1, 2);
    const QImage& g = glyph.Image().image;
    for (const TPoint at : {TPoint{-2, -1}, TPoint{-3, 5}, TPoint{17, 14}, TPoint{-1, 15}}) {
      TBitmap target(20, 16, ratio);
      target.Canvas().Draw(at.x, at.y, glyph);
      const QImage& t = target.Image().image;
      const int left = ToDevicePixel(at.x, ratio), top = ToDevicePixel(at.y, ratio);
      int differing = 0, landed = 0;
      for (int y = 0; y < g.height(); ++y)
        for (int x = 0; x < g.width(); ++x) {
          if (!t.valid(left + x, top + y)) continue;
          ++landed;
          differing += t.pixel(left + x, top + y) != g.pixel(x, y);
        }
      EXPECT_GT(landed, 0);
      EXPECT_EQ(differing, 0) << "ratio " << ratio << " at " << at.x << "," << at.y;
    }
  }
}

}  // namespace

// A fill reaching far beyond the picture keeps to the device pixels of its part inside.
TEST(CanvasScaleTest, FillsFarBeyondThePictureFillTheirPartInside) {
  EnsureGuiApplication();
  constexpr int kFar = 1'500'000'000;
  for (const double ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
    SCOPED_TRACE(ratio);
    // Fills by the device pixels of their logical edges; a rectangle that is empty or turned
    // round fills nothing.
    const TRect fills[] = {Rect(-kFar, 2, 5, 6), Rect(3, -kFar, 9, 4),
                           Rect(3, 2, kFar, 6),  Rect(-kFar, -kFar, kFar, kFar),
                           Rect(4, 4, 4, 9),     Rect(4, 4, 5, 5),
                           Rect(9, 4, 3, 7)};
    for (const TRect& r : fills) {
      TBitmap b(20, 12, ratio);
      b.Canvas().Brush() = TBrush{clRed, bsSolid, clRed};
      b.Canvas().FillRect(r);
      const QImage& device = b.Image().image;
      auto edge = [&](int v, int limit) {
        return v <= -kFar ? 0 : v >= kFar ? limit : std::min(ToDevicePixel(v, ratio), limit);
      };
      const TRect want = Rect(edge(r.left, device.width()), edge(r.top, device.height()),
                              edge(r.right, device.width()), edge(r.bottom, device.height()));
      int differing = 0;
      for (int y = 0; y < device.height(); ++y)
        for (int x = 0; x < device.width(); ++x) {
          const bool in = x >= want.left && x < want.right && y >= want.top && y < want.bottom;
          differing += FromQRgb(device.pixel(x, y)) != (in ? clRed : clWhite);
        }
      EXPECT_EQ(differing, 0) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
  }
}

// A dotted line a hundred million pixels long, cut to the picture before it is walked, inks
// every other pixel counted from its start.
TEST(CanvasScaleTest, DottedLinesFarBeyondThePictureKeepTheirDots) {
  EnsureGuiApplication();
  for (const double ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
    SCOPED_TRACE(ratio);
    TBitmap dots(20, 12, ratio);
    TCanvas& c = dots.Canvas();
    c.Pen() = TPen{clBlack, 1, psDot, pmCopy};
    c.MoveTo(4, -100'000'000);
    c.LineTo(4, 12);
    c.MoveTo(-100'000'001, 7);
    c.LineTo(20, 7);
    c.MoveTo(0, -100'000'000);  // an axis far above the picture
    c.LineTo(20, -100'000'000);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool on = (x == 4 && y % 2 == 0) || (y == 7 && x % 2 != 0);
        ASSERT_EQ(dots.Pixel(x, y), on ? clBlack : clWhite) << x << "," << y;
      }
  }
}

// A whole picture copied onto another shares its pixels: a write on either side afterwards
// must leave the other as it was, whatever draws the write.
TEST(CanvasScaleTest, APictureCopiedWholeIsWrittenOnEitherSideAlone) {
  EnsureGuiApplication();
  using TWrite = void (*)(TCanvas&);
  const std::pair<const char*, TWrite> writes[] = {
      {"fill",
       [](TCanvas& c) {
         c.Brush() = TBrush{clRed, bsSolid, clRed};
         c.FillRect(Rect(2, 2, 9, 7));
       }},
      {"dotted line",
       [](TCanvas& c) {
         c.Pen() = TPen{clNavy, 1, psDot, pmCopy};
         c.MoveTo(1, 3);
         c.LineTo(15, 3);
       }},
      {"not-xor frame",
       [](TCanvas& c) {
         c.Pen() = TPen{clBlack, 1, psSolid, pmNotXor};
         c.Brush().style = bsClear;
         c.Rectangle(Rect(1, 1, 12, 9));
       }},
      {"polygon",
       [](TCanvas& c) {
         c.Pen() = TPen{clBlack, 1, psSolid, pmCopy};
         c.Brush() = TBrush{clGreen, bsSolid, clGreen};
         const TPoint p[] = {{1, 1}, {14, 3}, {6, 10}};
         c.Polygon(p);
       }},
      {"text", [](TCanvas& c) { c.TextOut(1, 1, "Wg"); }},
      {"pixel", [](TCanvas& c) { c.SetPixel(3, 3, clFuchsia); }},
  };
  for (const double ratio : {1.0, 1.5, 2.0})
    for (const bool onSource : {false, true})
      for (const auto& [name, write] : writes) {
        TBitmap source(16, 12, ratio), copy(16, 12, ratio);
        PaintScene(source.Canvas(), Rect(0, 0, 16, 12), 0, 0);
        copy.Canvas().Draw(0, 0, source);
        const QImage scene = source.Image().image.copy();
        write((onSource ? source : copy).Canvas());
        const QImage& untouched = (onSource ? copy : source).Image().image;
        const QImage& written = (onSource ? source : copy).Image().image;
        EXPECT_EQ(DifferingPixels(untouched, scene), 0)
            << name << (onSource ? " on the source" : " on the copy") << " at " << ratio;
        EXPECT_GT(DifferingPixels(written, scene), 0) << name << " at " << ratio;
      }
}
