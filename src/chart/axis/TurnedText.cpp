#include "chart/axis/TurnedText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct TVector {
  double x, y;
};

// The text's reading direction and its downward direction on the screen (y grows down).
void Directions(int angle, TVector& reading, TVector& down) {
  const double theta = angle * std::numbers::pi / 180.0;
  const double c = std::cos(theta), s = std::sin(theta);
  // Whole quarter turns exactly, so that level and upright text lands on whole pixels.
  const auto exact = [](double v) { return std::fabs(v) < 1e-12 ? 0.0 : v; };
  reading = {exact(c), exact(-s)};
  down = {exact(s), exact(c)};
}

}  // namespace

double TTurnedText::Across(bool horizontalAxis) const {
  TVector u{}, v{};
  Directions(angle, u, v);
  return horizontalAxis ? width * std::fabs(u.y) + height * std::fabs(v.y)
                        : width * std::fabs(u.x) + height * std::fabs(v.x);
}

double TTurnedText::Along(bool horizontalAxis) const {
  return Across(!horizontalAxis);
}

double TTurnedText::NearEnd(bool horizontalAxis, bool farSide) const {
  TVector u{}, v{};
  Directions(angle, u, v);
  // Which end of the middle line lies nearest the axis; the middle when both ends are as near.
  const double towardsAxis = horizontalAxis ? (farSide ? u.y : -u.y) : (farSide ? -u.x : u.x);
  return towardsAxis > 1e-9 ? width : towardsAxis < -1e-9 ? 0 : width / 2.0;
}

TPoint TTurnedText::Anchor(bool horizontalAxis, bool farSide, int tick, int labelsPos) const {
  TVector u{}, v{};
  Directions(angle, u, v);
  const double a = NearEnd(horizontalAxis, farSide);
  // The corners of the cell from that point; the cell is pushed off the axis until its nearest
  // corner touches the labels' edge.
  double lowest = 1e300, highest = -1e300;
  for (double corner : {0.0, 1.0})
    for (double row : {0.0, 1.0}) {
      const double x = (corner * width - a) * u.x + (row - 0.5) * height * v.x;
      const double y = (corner * width - a) * u.y + (row - 0.5) * height * v.y;
      const double across = horizontalAxis ? y : x;
      lowest = std::min(lowest, across);
      highest = std::max(highest, across);
    }
  double px, py;
  if (horizontalAxis) {
    px = tick;
    py = farSide ? labelsPos - highest : labelsPos - lowest;
  } else {
    py = tick;
    px = farSide ? labelsPos - lowest : labelsPos - highest;
  }
  return {static_cast<int>(std::lround(px - a * u.x - 0.5 * height * v.x)),
          static_cast<int>(std::lround(py - a * u.y - 0.5 * height * v.y))};
}
