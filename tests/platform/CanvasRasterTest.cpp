// The canvas draws fills, lines, solid polygons and text itself; these compare its pixels
// with Qt's painter (the reference the pictures were made with) and with plain per-pixel
// rules, on random figures under every kind of clip.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <random>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/PixelCopies.h"
#include "platform/QtImage.h"
#include "platform/SpanFill.h"
#include "support/GuiApp.h"

namespace {

struct Random {
  std::mt19937 engine;
  explicit Random(unsigned seed) : engine(seed) {}
  int In(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine); }
};

// A clip of the given kind: none, a rectangle, a polygon, or a rectangle with a hole.
std::optional<QRegion> MakeClip(TCanvas& c, Random& r, int kind, int w, int h) {
  switch (kind) {
    case 1: {
      const TRect rect =
          Rect(r.In(-5, w / 2), r.In(-5, h / 2), r.In(w / 2, w + 5), r.In(h / 2, h + 5));
      c.SetClipRect(rect);
      return QRegion(rect.left, rect.top, rect.Width(), rect.Height());
    }
    case 2: {
      std::vector<TPoint> points;
      QPolygon poly;
      for (int i = 0; i < 6; ++i) {
        points.push_back({r.In(-10, w + 10), r.In(-10, h + 10)});
        poly << QPoint(points.back().x, points.back().y);
      }
      c.SetClipPolygon(points);
      return QRegion(poly, Qt::OddEvenFill);
    }
    case 3: {
      c.ClearClip();
      const TRect hole = Rect(r.In(0, w / 2), r.In(0, h / 2), r.In(w / 2, w), r.In(h / 2, h));
      c.ExcludeClipRect(hole);
      return QRegion(0, 0, w, h)
          .subtracted(QRegion(hole.left, hole.top, hole.Width(), hole.Height()));
    }
    default:
      c.ClearClip();
      return std::nullopt;
  }
}

bool Inside(const std::optional<QRegion>& clip, int x, int y) {
  return !clip || clip->contains(QPoint(x, y));
}

}  // namespace

TEST(CanvasRasterTest, SolidPolygonsMatchThePainterUnderEveryClip) {
  Random r(11);
  for (int round = 0; round < 400; ++round) {
    const int w = r.In(8, 160), h = r.In(8, 120);
    TBitmap ours(w, h);
    QImage painted(w, h, QImage::Format_RGB32);
    painted.fill(qRgb(255, 255, 255));
    const auto clip = MakeClip(ours.Canvas(), r, round % 4, w, h);
    std::vector<TPoint> points;
    QPolygon poly;
    const int n = r.In(3, 8), reach = round % 3 == 0 ? 60 : 8;
    for (int i = 0; i < n; ++i) {
      // Some corners beyond the picture, and the 45-degree sides of projected boxes.
      TPoint p{r.In(-reach, w + reach), r.In(-reach, h + reach)};
      if (i > 0 && r.In(0, 2) == 0) {
        const int d = r.In(-20, 20);
        p = {points.back().x + d, points.back().y - d};
      }
      points.push_back(p);
      poly << QPoint(p.x, p.y);
    }
    if (round % 6 == 1) {
      // Upright rectangles, the front faces of boxes, in either winding and from any corner.
      const int left = r.In(-reach, w + reach), right = r.In(-reach, w + reach);
      const int top = r.In(-reach, h + reach), bottom = r.In(-reach, h + reach);
      points = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
      if (r.In(0, 1)) std::reverse(points.begin(), points.end());
      std::rotate(points.begin(), points.begin() + r.In(0, 3), points.end());
      poly.clear();
      for (const TPoint& p : points) poly << QPoint(p.x, p.y);
    }
    const bool notXor = round % 5 == 0;
    ours.Canvas().Brush() = TBrush{clRed, bsSolid, clRed};
    ours.Canvas().Pen().style = psClear;
    ours.Canvas().Pen().mode = notXor ? pmNotXor : pmCopy;
    ours.Canvas().Polygon(points);
    {
      QPainter p(&painted);
      p.setRenderHint(QPainter::Antialiasing, false);
      if (clip) p.setClipRegion(*clip);
      if (notXor) p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 0, 0));
      p.drawPolygon(poly, Qt::OddEvenFill);
    }
    ASSERT_TRUE(ours.Image().image == painted) << "round " << round;
  }
}

TEST(CanvasRasterTest, FillsLinesAndCopiesKeepToTheClip) {
  Random r(5);
  for (int round = 0; round < 200; ++round) {
    const int w = r.In(4, 70), h = r.In(4, 50);
    TBitmap bitmap(w, h);
    TCanvas& c = bitmap.Canvas();
    const auto clip = MakeClip(c, r, round % 4, w, h);
    const TRect fill = Rect(r.In(-10, w), r.In(-10, h), r.In(-5, w + 10), r.In(-5, h + 10));
    const TBrushStyle style = static_cast<TBrushStyle>(round % 9);
    c.Brush() = TBrush{clBlue, style, clYellow};
    c.SetBkColor(clLime);
    c.SetBkMode(round % 2 ? bkOpaque : bkTransparent);
    c.FillRect(fill);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const TColor got = bitmap.Pixel(x, y);
        if (!Inside(clip, x, y) || !PtInRect(fill, {x, y}) || style == bsClear) {
          ASSERT_EQ(got, clWhite) << x << "," << y << " round " << round;
          continue;
        }
        const bool covers = style == bsSolid || style == bsChecker || c.BkMode() == bkOpaque;
        if (covers) {
          ASSERT_NE(got, clWhite) << x << "," << y << " round " << round;
        }
      }

    // A long line crossing the whole picture touches only drawable pixels.
    TBitmap lined(w, h);
    TCanvas& l = lined.Canvas();
    const auto lineClip = MakeClip(l, r, round % 4, w, h);
    l.Pen() = TPen{clBlack, 1, round % 3 == 0 ? psDot : psSolid, pmCopy};
    l.MoveTo(r.In(-20, w + 20), r.In(-20, h + 20));
    l.LineTo(r.In(-20, w + 20), r.In(-20, h + 20));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (!Inside(lineClip, x, y)) {
          ASSERT_EQ(lined.Pixel(x, y), clWhite) << x << "," << y;
        }

    // A dotted level or upright line inks every other pixel counted from its start, its end
    // left out, whichever way it runs.
    TBitmap dotted(w, h);
    TCanvas& d = dotted.Canvas();
    d.Pen() = TPen{clBlack, 1, psDot, pmCopy};
    const bool level = round % 2 == 0;
    const TPoint from{r.In(0, w - 1), r.In(0, h - 1)};
    const TPoint to = level ? TPoint{r.In(0, w - 1), from.y} : TPoint{from.x, r.In(0, h - 1)};
    d.MoveTo(from.x, from.y);
    d.LineTo(to.x, to.y);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int along = level ? x - from.x : y - from.y,
                  length = level ? to.x - from.x : to.y - from.y;
        const int i = length < 0 ? -along : along;
        const bool on =
            (level ? y == from.y : x == from.x) && i >= 0 && i < std::abs(length) && i % 2 == 0;
        ASSERT_EQ(dotted.Pixel(x, y), on ? clBlack : clWhite)
            << x << "," << y << " round " << round;
      }

    // A copy within one picture reads the pixels as they were before it.
    TBitmap copied(w, h);
    TCanvas& k = copied.Canvas();
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) k.SetPixel(x, y, RGB(x * 3, y * 5, 7));
    const auto copyClip = MakeClip(k, r, round % 4, w, h);
    const int sw = r.In(1, w), sh = r.In(1, h), sx = r.In(0, w - sw), sy = r.In(0, h - sh);
    const int dx = r.In(-sw, w), dy = r.In(-sh, h);
    k.CopyRect(Bounds(dx, dy, sw, sh), k, Bounds(sx, sy, sw, sh));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool moved = PtInRect(Bounds(dx, dy, sw, sh), {x, y}) && Inside(copyClip, x, y);
        const TColor want =
            moved ? RGB((x - dx + sx) * 3, (y - dy + sy) * 5, 7) : RGB(x * 3, y * 5, 7);
        ASSERT_EQ(copied.Pixel(x, y), want) << x << "," << y << " round " << round;
      }

    // A whole picture copied onto one of its size shares its pixels until either is written;
    // a write then changes only the picture written.
    TBitmap whole(w, h);
    const long long before = CopiedPixels();
    whole.Canvas().Draw(0, 0, copied);
    EXPECT_TRUE(SharesPixels(whole));
    EXPECT_EQ(CopiedPixels(), before);
    whole.Canvas().SetPixel(0, 0, clFuchsia);
    EXPECT_EQ(CopiedPixels() - before, static_cast<long long>(w) * h);
    ASSERT_EQ(whole.Pixel(0, 0), clFuchsia);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (x > 0 || y > 0) {
          ASSERT_EQ(whole.Pixel(x, y), copied.Pixel(x, y)) << x << "," << y;
        }
    EXPECT_NE(copied.Pixel(0, 0), clFuchsia);
  }
}

// Every kind of span fill the processor runs writes exactly its span, for every length up to
// past the widest stores' unrolled loops and from every place within their alignment.
TEST(CanvasRasterTest, SpanFillsWriteExactlyTheirSpan) {
  alignas(64) std::uint32_t buffer[8 + 130 + 8 + 16];
  for (const TSpanFillKind& kind : SpanFillKinds())
    for (std::size_t offset = 0; offset < 8; ++offset)
      for (std::size_t length = 0; length <= 130; ++length) {
        std::fill(std::begin(buffer), std::end(buffer), 0xDEADBEEFu);
        kind.fill(buffer + 8 + offset, length, 0x00123456u);
        for (std::size_t i = 0; i < std::size(buffer); ++i) {
          const bool in = i >= 8 + offset && i < 8 + offset + length;
          ASSERT_EQ(buffer[i], in ? 0x00123456u : 0xDEADBEEFu)
              << kind.name << " offset " << offset << " length " << length << " at " << i;
        }
      }
  EXPECT_GE(SpanFillKinds().size(), 1u);
}

TEST(CanvasRasterTest, TextDrawnAgainLandsOnTheSamePixelsWherever) {
  // The second drawing of a text comes from what the first left behind; both must equal a
  // painter's drawing at that place.
  EnsureGuiApplication();
  TBitmap a(90, 40), b(90, 40);
  for (TBitmap* bitmap : {&a, &b}) {
    TCanvas& c = bitmap->Canvas();
    c.Font().SetHeight(13);
    c.Font().SetStyle(fsItalic | fsUnderline);
    c.Font().SetColor(clNavy);
    c.SetBkMode(bkTransparent);
    c.SetClipRect(Rect(3, 2, 80, 30));
  }
  a.Canvas().TextOut(10, 5, "Wg 120");
  a.Canvas().TextOut(-4, 20, "Wg 120");
  b.Canvas().TextOut(-4, 20, "Wg 120");
  b.Canvas().TextOut(10, 5, "Wg 120");
  EXPECT_TRUE(a.Image().image == b.Image().image);
  TBitmap reference(90, 40);
  {
    TFont font;
    font.SetHeight(13);
    font.SetStyle(fsItalic | fsUnderline);
    QFont qf(QString::fromStdString(font.Name()));
    qf.setPixelSize(13);
    qf.setItalic(true);
    qf.setUnderline(true);
    qf.setStyleStrategy(QFont::NoAntialias);
    qf.setHintingPreference(QFont::PreferFullHinting);
    QPainter p(&reference.Image().image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setClipRect(QRect(3, 2, 77, 28));
    p.setFont(qf);
    p.setPen(QColor(0, 0, 128));
    const int ascent = QFontMetrics(qf).ascent();
    p.drawText(QPoint(10, 5 + ascent), "Wg 120");
    p.drawText(QPoint(-4, 20 + ascent), "Wg 120");
  }
  EXPECT_TRUE(a.Image().image == reference.Image().image);
  int inked = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 90; ++x) inked += a.Pixel(x, y) == clNavy;
  EXPECT_GT(inked, 20);
}
