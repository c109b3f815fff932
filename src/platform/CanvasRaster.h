#pragma once

// Internal to the platform: the canvas's own aliased rasterisation. Fills, thin lines and
// solid polygons write the picture's rows directly instead of going through a QPainter per
// figure, with the same pixels as before.

#include <QImage>
#include <QRegion>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <span>
#include <vector>

#include "platform/Geometry.h"
#include "platform/QtImage.h"

// The picture's 32-bit pixels; the image is detached once here, never per pixel.
class TRaster {
 public:
  explicit TRaster(QImage& image)
      : FBits(image.isNull() ? nullptr : Writable(image)),
        FStride(image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb))),
        FWidth(image.width()),
        FHeight(image.height()) {}

  bool Empty() const { return FBits == nullptr; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  QRgb* Row(int y) const { return FBits + static_cast<qsizetype>(y) * FStride; }

 private:
  static QRgb* Writable(QImage& image) {
    CountCopyBeforeWrite(image);
    return reinterpret_cast<QRgb*>(image.bits());
  }
  QRgb* FBits;
  qsizetype FStride;
  int FWidth, FHeight;
};

// The drawable part of a picture: its bounds, narrowed by a clip region when there is one.
// QRegion keeps its rectangles in bands from the top (one band: same top and bottom, sorted
// by x), so a row's visible spans are the rectangles of one band; the last band looked up is
// kept, as figures are drawn row after row.
class TClipArea {
 public:
  TClipArea(int width, int height, const QRegion* clip)
      : FWidth(width), FHeight(height), FClip(clip) {
    if (FClip) {
      FBegin = FClip->begin();
      FEnd = FClip->end();
    }
  }

  bool Contains(int x, int y) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return false;
    if (!FClip) return true;
    if (y < FBandTop || y > FBandBottom) FindBand(y);
    for (const QRect* q = FBandBegin; q != FBandEnd; ++q)
      if (x >= q->left() && x <= q->right()) return true;
    return false;
  }

  // Whether every pixel of r is drawable, so that a figure inside it needs no checks.
  bool ContainsAll(const TRect& r) const {
    if (r.left < 0 || r.top < 0 || r.right > FWidth || r.bottom > FHeight) return false;
    if (!FClip) return true;
    // Band by band over r's rows: each band needs one rectangle spanning r's columns. A
    // clip of slanted sides (a box seen in depth) has a band per row there, and one wide
    // band for most of its height.
    int y = r.top;
    for (const QRect* q =
             std::partition_point(FBegin, FEnd, [y](const QRect& c) { return c.bottom() < y; });
         y < r.bottom;) {
      if (q == FEnd || q->top() > y) return false;  // rows outside the clip
      bool spanned = false;
      const int bandTop = q->top(), bandBottom = q->bottom();
      for (; q != FEnd && q->top() == bandTop; ++q)
        spanned = spanned || (q->left() <= r.left && q->right() + 1 >= r.right);
      if (!spanned) return false;
      y = bandBottom + 1;
    }
    return true;
  }

  // Calls f(from, to) for each drawable part [from, to) of [x0, x1) on row y.
  template <typename F>
  void ForEachSpan(int y, int x0, int x1, F f) {
    if (y < 0 || y >= FHeight) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, FWidth);
    if (x0 >= x1) return;
    if (!FClip) {
      f(x0, x1);
      return;
    }
    if (y < FBandTop || y > FBandBottom) FindBand(y);
    for (const QRect* q = FBandBegin; q != FBandEnd; ++q) {
      const int from = std::max(x0, q->left()), to = std::min(x1, q->right() + 1);
      if (from < to) f(from, to);
    }
  }

  // Calls f(y, from, to) for each drawable row part of r.
  template <typename F>
  void ForEachSpanIn(const TRect& r, F f) const {
    const int left = std::max(r.left, 0), right = std::min(r.right, FWidth);
    const int top = std::max(r.top, 0), bottom = std::min(r.bottom, FHeight);
    if (left >= right || top >= bottom) return;
    if (!FClip) {
      for (int y = top; y < bottom; ++y) f(y, left, right);
      return;
    }
    // Bands wholly above r are skipped by their bottoms, which rise with the bands.
    const QRect* q =
        std::partition_point(FBegin, FEnd, [top](const QRect& c) { return c.bottom() < top; });
    for (; q != FEnd && q->top() < bottom; ++q) {
      const int from = std::max(left, q->left()), to = std::min(right, q->right() + 1);
      if (from >= to) continue;
      const int last = std::min(bottom, q->bottom() + 1);
      for (int y = std::max(top, q->top()); y < last; ++y) f(y, from, to);
    }
  }

 private:
  void FindBand(int y) {
    // Figures walk row by row: try the bands next to the last one before searching.
    const QRect* q = nullptr;
    if (FBandEnd && FBandEnd != FEnd && y == FBandBottom + 1 && FBandEnd->top() <= y) {
      q = FBandEnd;
    } else if (FBandBegin && FBandBegin != FBegin && y == FBandTop - 1 &&
               (FBandBegin - 1)->bottom() == y) {
      q = FBandBegin - 1;
      while (q != FBegin && (q - 1)->top() == q->top()) --q;
    } else {
      q = std::partition_point(FBegin, FEnd, [y](const QRect& c) { return c.bottom() < y; });
    }
    FBandBegin = FBandEnd = q;
    if (q == FEnd) {
      FBandTop = y;
      FBandBottom = INT_MAX;
      return;
    }
    if (q->top() > y) {  // between two bands
      FBandTop = q == FBegin ? INT_MIN : (q - 1)->bottom() + 1;
      FBandBottom = q->top() - 1;
      return;
    }
    while (FBandEnd != FEnd && FBandEnd->top() == q->top()) ++FBandEnd;
    FBandTop = q->top();
    FBandBottom = q->bottom();
  }

  int FWidth, FHeight;
  const QRegion* FClip;
  const QRect* FBegin = nullptr;
  const QRect* FEnd = nullptr;
  const QRect* FBandBegin = nullptr;
  const QRect* FBandEnd = nullptr;
  int FBandTop = 1, FBandBottom = 0;  // no band yet
};

// Polygon scan conversion with QPainter's aliased fill rule, odd-even: each edge crosses
// row y at its 16.16 fixed-point x at y + 0.5 (the slope truncated, the first row's x
// computed directly, later rows by adding the slope), and a span runs from one crossing's
// integer part to the next's. Calls f(y, x0, x1) for the spans [x0, x1) within the width and
// rows 0..height-1. Returns false, drawing nothing, for coordinates beyond what the fixed
// point holds.
class TPolygonScan {
 public:
  static constexpr int kCoordinateLimit = 8192;

  template <typename F>
  bool Run(std::span<const TPoint> points, int width, int height, F f) {
    if (IsUprightRectangle(points)) return RunRectangle(points, width, height, f);
    FEdges.clear();
    const size_t n = points.size();
    for (size_t i = 0; i < n; ++i) {
      TPoint a = points[i], b = points[(i + 1) % n];
      // Both ends: after the swap below either may be the one scaled by kOne.
      for (const TPoint& p : {a, b})
        if (std::abs(p.x) > kCoordinateLimit || std::abs(p.y) > kCoordinateLimit) return false;
      if (a.y == b.y) continue;
      if (a.y > b.y) std::swap(a, b);
      const int top = std::max(a.y, 0), bottom = std::min(b.y - 1, height - 1);
      if (top > bottom) continue;
      TEdge e{top, bottom, kHalf + a.x * kOne, 0};
      if (a.x != b.x) {
        e.slope = static_cast<int>(static_cast<double>(b.x - a.x) / (b.y - a.y) * 65536.0);
        const long long rows = static_cast<long long>(top - a.y) * kOne + kHalf;
        e.x += static_cast<int>((e.slope * rows) >> 16);
      }
      FEdges.push_back(e);
    }
    if (FEdges.empty()) return true;
    std::sort(FEdges.begin(), FEdges.end(),
              [](const TEdge& p, const TEdge& q) { return p.top < q.top; });
    FActive.clear();
    FEnds = INT_MAX;
    size_t next = 0;
    for (int y = FEdges.front().top; next < FEdges.size() || !FActive.empty(); ++y) {
      while (next < FEdges.size() && FEdges[next].top == y) {
        FActive.push_back(&FEdges[next]);
        FEnds = std::min(FEnds, FEdges[next++].bottom);
      }
      if (FEnds < y) {
        std::erase_if(FActive, [y](const TEdge* e) { return e->bottom < y; });
        FEnds = INT_MAX;
        for (const TEdge* e : FActive) FEnds = std::min(FEnds, e->bottom);
      }
      if (FActive.empty()) {
        if (next < FEdges.size()) y = FEdges[next].top - 1;
        continue;
      }
      if (FActive.size() == 2) {  // most rows of most faces: no list, no sort
        TEdge& p = *FActive[0];
        TEdge& q = *FActive[1];
        const int a = p.x >> 16, b = q.x >> 16;
        p.x += p.slope;
        q.x += q.slope;
        const int x0 = std::max(std::min(a, b), 0), x1 = std::min(std::max(a, b), width);
        if (x0 < x1) f(y, x0, x1);
        continue;
      }
      FCrossings.clear();
      for (TEdge* e : FActive) {
        FCrossings.push_back(e->x >> 16);
        e->x += e->slope;
      }
      // Few crossings per row: an insertion sort beats a general one here.
      for (size_t i = 1; i < FCrossings.size(); ++i)
        for (size_t j = i; j > 0 && FCrossings[j] < FCrossings[j - 1]; --j)
          std::swap(FCrossings[j], FCrossings[j - 1]);
      for (size_t k = 0; k + 1 < FCrossings.size(); k += 2) {
        const int x0 = std::max(FCrossings[k], 0), x1 = std::min(FCrossings[k + 1], width);
        if (x0 < x1) f(y, x0, x1);
      }
    }
    return true;
  }

 private:
  static constexpr int kOne = 65536, kHalf = 32768;

  static bool IsUprightRectangle(std::span<const TPoint> p) {
    if (p.size() != 4) return false;
    return (p[0].x == p[1].x && p[1].y == p[2].y && p[2].x == p[3].x && p[3].y == p[0].y) ||
           (p[0].y == p[1].y && p[1].x == p[2].x && p[2].y == p[3].y && p[3].x == p[0].x);
  }
  // The front of every box: no edges to set up, and the same spans the general scan gives
  // (its upright edges cross every row at their own x, so rows top..bottom-1 each run from
  // the left x to the right one).
  template <typename F>
  static bool RunRectangle(std::span<const TPoint> p, int width, int height, F f) {
    for (const TPoint& q : p)
      if (std::abs(q.x) > kCoordinateLimit || std::abs(q.y) > kCoordinateLimit) return false;
    const auto [left, right] = std::minmax({p[0].x, p[1].x, p[2].x, p[3].x});
    const auto [top, bottom] = std::minmax({p[0].y, p[1].y, p[2].y, p[3].y});
    const int x0 = std::max(left, 0), x1 = std::min(right, width);
    if (x0 >= x1) return true;
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) f(y, x0, x1);
    return true;
  }
  struct TEdge {
    int top, bottom;  // rows, inclusive
    int x, slope;     // 16.16
  };
  std::vector<TEdge> FEdges;
  std::vector<TEdge*> FActive;
  std::vector<int> FCrossings;
  int FEnds = INT_MAX;  // the first row after which an active edge ends
};
