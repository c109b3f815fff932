// A canvas on the picture of a scaled screen: at a whole ratio every figure of straight
// edges is the ratio-1 picture with each pixel made a square of device pixels, so that edges
// stay sharp; text keeps its logical size for layout and is drawn in the device's font.
#include <gtest/gtest.h>

#include <random>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
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
}

TEST(CanvasScaleTest, WholeRatiosDrawEachPixelAsASquare) {
  EnsureGuiApplication();
  for (unsigned seed = 1; seed <= 30; ++seed) {
    TBitmap plain(40, 30), scaled(40, 30, 2);
    EXPECT_EQ(scaled.Width(), 40);
    EXPECT_EQ(scaled.Image().image.width(), 80);
    DrawUprightFigures(plain.Canvas(), seed);
    DrawUprightFigures(scaled.Canvas(), seed);
    const QImage& device = scaled.Image().image;
    int differing = 0;
    for (int y = 0; y < device.height(); ++y)
      for (int x = 0; x < device.width(); ++x)
        differing += FromQRgb(device.pixel(x, y)) != plain.Pixel(x / 2, y / 2);
    ASSERT_EQ(differing, 0) << "seed " << seed;
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

}  // namespace
