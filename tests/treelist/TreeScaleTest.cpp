// The tree-list on a screen of another device pixel ratio: what its gestures draw over the
// picture (the sizing line, the drop arrows over saved pixels) goes away to the last device
// pixel, and the pictures it makes of its own are at the screen's ratio.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "TreeViewTestTree.h"
#include "platform/QtImage.h"

namespace {

class TreeScale : public ::testing::TestWithParam<double> {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    tree.SetFont(SixteenPixelFont());
    tree.SetOptions({aoColumnSizing, aoColumnMoving, aoRowSelect, aoAutoWidth});
    AddTankColumns(tree);
    TTreeListNode* site = AddRow(tree, nullptr, {"Alpha", "10", "5", "50", "On-line"});
    AddRow(tree, site, {"1/Alpha", "5", "2", "40", "On-line"});
    AddRow(tree, nullptr, {"Beta", "20", "9", "45", "On-line"});
    site->SetExpanded(true);
    host = std::make_unique<TTestWindowHost>(tree, 500, 120, GetParam());
    tree.SetFocus();
    host->Paint(true);
  }
  QImage Screen() { return host->Picture().Image().image.copy(); }
  static std::string FirstDifference(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        if (a.pixel(x, y) != b.pixel(x, y))
          return "first difference at device pixel (" + std::to_string(x) + ", " +
                 std::to_string(y) + ")";
    return "none";
  }

  TTreeList tree;
  std::unique_ptr<TTestWindowHost> host;
};

TEST_P(TreeScale, GesturesLeaveNoDevicePixelBehindWhenCancelled) {
  const QImage before = Screen();
  EXPECT_EQ(before.width(), static_cast<int>(500 * GetParam() + 0.5));
  // Header drags that show the drop arrows at several places, then Esc.
  for (const int to : {250, 330, 420, 30}) {
    host->MouseDown(mbLeft, 150, 10);
    host->MouseMove(150 + 20, 10);
    host->MouseMove(to, 10);
    host->Paint();
    EXPECT_TRUE(host->DragImageActive());
    host->PressKey(vkEscape);
    host->Paint();
    EXPECT_TRUE(Screen() == before)
        << "header dragged to " << to << ", " << FirstDifference(Screen(), before);
    host->MouseUp(mbLeft, to, 10);
    host->Paint();
  }
  // The sizing line, moved and taken back.
  const int edge = tree.CellRect(tree.Items(0), tree.Columns(1)).right - 1;
  host->MouseDown(mbLeft, edge, 10);
  host->MouseMove(edge + 17, 10);
  host->MouseMove(edge - 23, 10);
  host->PressKey(vkEscape);
  host->MouseUp(mbLeft, edge - 23, 10);
  host->Paint();
  EXPECT_TRUE(Screen() == before) << "sizing line";
}

INSTANTIATE_TEST_SUITE_P(Ratios, TreeScale, ::testing::Values(1.0, 1.25, 1.5, 2.0, 3.0));

}  // namespace
