// Scrolling: the first row shown (in rows) and the horizontal offset (in pixels), driven by
// the scroll bars and the wheel.
#include <algorithm>
#include <cstdlib>

#include "treelist/TreeList.h"
#include "treelist/view/TreeListScreenView.h"

int TTreeList::TopIndex() const {
  const TTreeListNode* top = TopVisibleNode();
  return ClampTopRow(top ? top->AbsoluteIndex() : 0, VisibleCount(), View().LastPageRows());
}

void TTreeList::SetTopIndex(int value) {
  ScrollToRow(value);
}

void TTreeList::Scroll(TScrollBarKind kind, TScrollCode code, int position) {
  const TTreeListEventScope scope(*FScreenView);
  if (kind == sbVertical)
    ScrollVertically(code, position);
  else
    ScrollHorizontally(code, position);
}

void TTreeList::ScrollVertically(TScrollCode code, int position) {
  const int top = TopIndex();
  const int page = View().PageRows();
  switch (code) {
    case scLineUp:
      return SetTopIndex(top - 1);
    case scLineDown:
      return SetTopIndex(top + 1);
    case scPageUp:
      return SetTopIndex(top - View().PageRowsEndingAt(top - 1));
    case scPageDown:
      return SetTopIndex(top + page);
    case scTop:
      return SetTopIndex(0);
    case scBottom:
      return SetTopIndex(VisibleCount() - 1);
    case scTrack:
    case scPosition:
      return SetTopIndex(std::clamp(position, 0, std::max(VisibleCount() - 1, 0)));
    default:
      return;
  }
}

void TTreeList::ScrollHorizontally(TScrollCode code, int position) {
  if (ColumnCount() == 0) return;
  const TTreeListGeometry g = Geometry();
  const int line = std::max(Metrics().ZeroWidth, 1);
  const int visible = g.Client.Width();
  switch (code) {
    case scLineUp:
      return SetLeftCoord(g.LeftCoord - line);
    case scLineDown:
      return SetLeftCoord(g.LeftCoord + line);
    case scPageUp:
      return SetLeftCoord(g.LeftCoord - visible);
    case scPageDown:
      return SetLeftCoord(g.LeftCoord + visible);
    case scTop:
      return SetLeftCoord(0);
    case scBottom:
      return SetLeftCoord(g.TotalWidth);
    case scTrack:
    case scPosition: {
      // Thumb positions snap to 4 pixels, except at the right end.
      const int snapped = (position + 1) / 4 * 4;
      const int end = std::max(g.TotalWidth - visible, 0);
      return SetLeftCoord(snapped >= end ? end : snapped);
    }
    default:
      return;
  }
}

// One line per wheel line of the system; the focus stays where it is. A wheel that moves
// nothing is left to the window around the tree.
bool TTreeList::MouseWheel(TShiftState /*shift*/, int notches, int /*x*/, int /*y*/) {
  const TTreeListEventScope scope(*FScreenView);
  const int top = TopIndex();
  const int lines = std::max(WheelScrollLines(), 1);
  for (int i = 0; i < std::abs(notches) * lines; ++i)
    ScrollVertically(notches > 0 ? scLineUp : scLineDown, 0);
  return TopIndex() != top;
}

// A sideways wheel moves the columns as the horizontal scroll bar's arrows do.
bool TTreeList::MouseWheelHorizontal(TShiftState /*shift*/, int notches, int /*x*/, int /*y*/) {
  const TTreeListEventScope scope(*FScreenView);
  const int left = FLeftCoord;
  const int lines = std::max(WheelScrollLines(), 1);
  for (int i = 0; i < std::abs(notches) * lines; ++i)
    ScrollHorizontally(notches > 0 ? scLineUp : scLineDown, 0);
  return FLeftCoord != left;
}

void TTreeList::SetLeftCoord(int value) {
  value = std::max(value, 0);
  if (Host()) {
    const TTreeListGeometry g = Geometry();
    value = std::min(value, std::max(g.TotalWidth - g.Client.Width(), 0));
  }
  if (value == FLeftCoord) return;
  const int shift = FLeftCoord - value;
  FLeftCoord = value;
  FScreenView->DropGeometry();
  View().UpdateScrollRanges();
  FScreenView->ScrolledHorizontally(shift);
}
