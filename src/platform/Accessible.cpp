#include "platform/Accessible.h"

int TAccessibleSource::ChildAt(TPoint p) const {
  // Later children are drawn over earlier ones: the last one holding the point wins.
  for (int i = ChildCount() - 1; i >= 0; --i)
    if (PtInRect(Child(i).rect, p)) return i;
  return -1;
}
