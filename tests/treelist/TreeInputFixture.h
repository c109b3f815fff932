#pragma once

#include <gtest/gtest.h>

#include "TreeViewTestTree.h"
#include "platform/Bitmap.h"

// The application's tree-list for input: its options, focused in its window.
class TreeInputFixture : public TreeViewFixture {
 protected:
  void SetUp() override {
    TreeViewFixture::SetUp();
    tree.SetOptions(
        {aoColumnSizing, aoColumnMoving, aoTabThrough, aoRowSelect, aoAutoWidth, aoAutoSort});
    tree.SetFocus();
    host.Paint(true);
    host.ClearRecords();
  }

  // Adds sites until the tree has this many visible rows.
  void GrowTo(int rows) {
    for (int i = tree.VisibleCount(); i < rows; ++i)
      AddRow(tree, nullptr, {"Site " + std::to_string(i), "1", "1", "1", "On-line"});
  }
};

// Switches one extended option on or off.
inline void SetOptionEx(TTreeList& tree, TTreeListOptionEx option, bool on) {
  TTreeListOptionsEx options = tree.OptionsEx();
  if (on)
    options.Include(option);
  else
    options.Exclude(option);
  tree.SetOptionsEx(options);
}

// After a gesture the window must show what a full paint of the control draws now.
inline ::testing::AssertionResult ShowsFreshPaint(TTestWindowHost& host, TControl& control) {
  host.Paint();
  TBitmap fresh;
  fresh.SetSize(host.Picture().Width(), host.Picture().Height());
  const TRect all = Rect(0, 0, fresh.Width(), fresh.Height());
  fresh.Canvas().SetClipRect(all);
  control.Paint(fresh.Canvas(), all);
  for (int y = 0; y < fresh.Height(); ++y)
    for (int x = 0; x < fresh.Width(); ++x)
      if (fresh.Pixel(x, y) != host.PixelAt(x, y))
        return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << ")";
  return ::testing::AssertionSuccess();
}
