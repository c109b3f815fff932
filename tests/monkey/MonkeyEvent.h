#pragma once

#include <cstdint>
#include <random>
#include <string>

// One thing a person might do to the window. The numbers are drawn raw; the driver turns them
// into places on the window as it stands when the event comes, so the same seed always gives
// the same run.
enum TMonkeyKind {
  mkMove,         // the pointer to a place
  mkClick,        // press and release at a place
  mkDoubleClick,  // press, release, double press, release
  mkDrag,         // press, moves, release, with either button
  mkWheel,        // notches at a place
  mkKey,          // a key with modifiers to the focused control
  mkTick,         // one timer tick
  mkResize,       // the window to a new size
  mkExpand,       // the Expand action
  mkAnimate,      // the Animate action
  mkFileCommand,  // New, Open, Save, Save As or Send, with the dialogs' answers queued
  mkKindCount
};

// Where on the window a pointer event lands.
enum TMonkeyArea {
  maTreeRow,
  maTreeButton,
  maTreeHeader,
  maTreeHeaderEdge,
  maTreeBelowRows,
  maChartBar,
  maChartPlot,
  maChartAxis,
  maChartOutside,
  maSplitter,
  maAreaCount
};

struct TMonkeyEvent {
  TMonkeyKind Kind = mkMove;
  int Area = 0;           // a TMonkeyArea for pointer events
  uint32_t A = 0, B = 0;  // where inside the area, or which key, size or command
  int Dx = 0, Dy = 0;     // a drag's length, a wheel's notches
  int Button = 0;         // 0 left, 1 right
  int Modifiers = 0;      // bit 0 Shift, bit 1 Ctrl
};

// Draws the next event from the generator.
TMonkeyEvent NextMonkeyEvent(std::mt19937& random);

// A line naming the event, for failure reports.
std::string DescribeMonkeyEvent(const TMonkeyEvent& event);
