#include "MonkeyEvent.h"

namespace {

const char* const kKindNames[mkKindCount] = {"move",   "click",   "double-click", "drag",
                                             "wheel",  "key",     "tick",         "resize",
                                             "expand", "animate", "file-command"};
const char* const kAreaNames[maAreaCount] = {
    "tree row",  "tree expand box", "tree header", "tree header edge", "tree below rows",
    "chart bar", "chart plot",      "chart axis",  "chart outside",    "splitter"};

// How often each kind comes, out of the sum: mostly pointer and keys, now and then the rest.
const int kKindWeights[mkKindCount] = {18, 18, 6, 12, 6, 20, 8, 3, 3, 2, 4};

int Draw(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

TMonkeyKind DrawKind(std::mt19937& random) {
  int total = 0;
  for (int w : kKindWeights) total += w;
  int pick = Draw(random, 0, total - 1);
  for (int k = 0; k < mkKindCount; ++k) {
    if (pick < kKindWeights[k]) return static_cast<TMonkeyKind>(k);
    pick -= kKindWeights[k];
  }
  return mkMove;
}

// Drag lengths of every size, short ones most often: around the thresholds matter most.
int DragLength(std::mt19937& random) {
  switch (Draw(random, 0, 3)) {
    case 0:
      return Draw(random, -8, 8);
    case 1:
      return Draw(random, -30, 30);
    case 2:
      return Draw(random, -300, 300);
    default:
      return Draw(random, -2000, 2000);
  }
}

}  // namespace

TMonkeyEvent NextMonkeyEvent(std::mt19937& random) {
  TMonkeyEvent e;
  e.Kind = DrawKind(random);
  e.Area = Draw(random, 0, maAreaCount - 1);
  e.A = random();
  e.B = random();
  e.Dx = DragLength(random);
  e.Dy = DragLength(random);
  e.Button = Draw(random, 0, 3) == 0 ? 1 : 0;
  e.Modifiers = Draw(random, 0, 5) == 0 ? Draw(random, 1, 3) : 0;
  if (e.Kind == mkWheel) e.Dy = Draw(random, -3, 3);
  return e;
}

std::string DescribeMonkeyEvent(const TMonkeyEvent& e) {
  std::string text = kKindNames[e.Kind];
  text += " area=" + std::string(kAreaNames[e.Area]) + " a=" + std::to_string(e.A) +
          " b=" + std::to_string(e.B) + " dx=" + std::to_string(e.Dx) +
          " dy=" + std::to_string(e.Dy) + " button=" + (e.Button ? "right" : "left") +
          " modifiers=" + std::to_string(e.Modifiers);
  return text;
}
