#pragma once

#include "platform/Geometry.h"

// The geometry of text turned by an angle (degrees, counter-clockwise) beside an axis.
struct TTurnedText {
  int angle = 0;
  // The text's cell before it is turned.
  int width = 0, height = 0;

  // How far the turned cell reaches across an axis of this direction, and along it.
  double Across(bool horizontalAxis) const;
  double Along(bool horizontalAxis) const;
  // How far along the text (0, half or all of its width) lies the end nearest the axis; lines
  // of a block are aligned to that end.
  double NearEnd(bool horizontalAxis, bool farSide) const;
  // Where the top-left corner of the unturned cell goes so that the text's end nearest the
  // axis touches the labels' edge (labelsPos, on the side the axis stands) and the middle line
  // of the text meets the tick.
  TPoint Anchor(bool horizontalAxis, bool farSide, int tick, int labelsPos) const;
};
