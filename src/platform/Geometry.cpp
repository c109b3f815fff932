#include "platform/Geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

bool IntersectRect(TRect& result, const TRect& a, const TRect& b) {
  TRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
  if (IsRectEmpty(r)) {
    result = TRect{};
    return false;
  }
  result = r;
  return true;
}

TRect UnionRect(const TRect& a, const TRect& b) {
  if (IsRectEmpty(a)) return IsRectEmpty(b) ? TRect{} : b;
  if (IsRectEmpty(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

TRect NormalizedRect(const TRect& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t n = static_cast<std::int64_t>(a) * b;
  const std::int64_t d = c;
  const bool negative = (n < 0) != (d < 0);
  // Work on magnitudes so the half-way case rounds away from zero on both sides.
  const std::uint64_t un =
      n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
  const std::uint64_t ud =
      d < 0 ? 0 - static_cast<std::uint64_t>(d) : static_cast<std::uint64_t>(d);
  const std::uint64_t q = (un + ud / 2) / ud;
  if (negative) {
    if (q > static_cast<std::uint64_t>(std::numeric_limits<int>::max()) + 1) return -1;
    return static_cast<int>(-static_cast<std::int64_t>(q));
  }
  if (q > static_cast<std::uint64_t>(std::numeric_limits<int>::max())) return -1;
  return static_cast<int>(q);
}

int NearestClamped(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(std::numeric_limits<int>::max()))
    return std::numeric_limits<int>::max();
  if (v <= static_cast<double>(std::numeric_limits<int>::min()))
    return std::numeric_limits<int>::min();
  // In range now, so the parity of the integer below decides a half.
  const double f = std::floor(v);
  const double diff = v - f;
  const int below = static_cast<int>(f);
  return diff > 0.5 || (diff == 0.5 && (below & 1) != 0) ? below + 1 : below;
}
