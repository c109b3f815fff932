#include <gtest/gtest.h>

#include <vector>

#include "support/TestWindowHost.h"

namespace {

// Paints its background in one colour and records what reaches it.
class Probe : public TControl {
 public:
  TColor color = clRed;
  int paints = 0;
  std::vector<int> ticks;
  std::vector<TScrollCode> scrolls;
  void Paint(TCanvas& c, const TRect&) override {
    ++paints;
    c.Brush() = TBrush{color, bsSolid, color};
    c.FillRect(ClientRect());
  }
  void Timer(int id) override { ticks.push_back(id); }
  void MouseDown(TMouseButton, TShiftState, int, int) override { SetCapture(true); }
  void MouseUp(TMouseButton, TShiftState, int, int) override { SetCapture(false); }
  void Scroll(TScrollBarKind, TScrollCode code, int) override { scrolls.push_back(code); }
  void KeyDown(int& key, TShiftState shift) override {
    if (key == vkDown && (shift & ssShift)) key = 0;
  }
};

}  // namespace

TEST(TestWindowHostTest, PaintsOnlyWhatIsPending) {
  Probe p;
  TTestWindowHost host(p, 20, 10);
  EXPECT_TRUE(host.Paint());
  EXPECT_FALSE(host.Paint());
  EXPECT_EQ(p.paints, 1);

  // The paint pass is clipped to what was invalidated.
  p.color = clBlue;
  host.ClearRecords();
  p.InvalidateRect(Rect(0, 0, 5, 5));
  p.InvalidateRect(Rect(2, 2, 6, 6));
  EXPECT_EQ(host.Invalidations().size(), 2u);
  host.Paint();
  EXPECT_EQ(p.paints, 2);
  EXPECT_EQ(host.PixelAt(5, 5), clBlue);
  EXPECT_EQ(host.PixelAt(6, 6), clRed);
}

TEST(TestWindowHostTest, TimersCaptureKeysAndScrollBars) {
  Probe p;
  TTestWindowHost host(p, 20, 10);
  EXPECT_FALSE(host.FireTimer(7));
  p.SetTimer(7, 2000);
  EXPECT_EQ(host.TimerInterval(7), 2000);
  EXPECT_TRUE(host.FireTimer(7));
  EXPECT_TRUE(host.FireTimer(7));
  p.KillTimer(7);
  EXPECT_FALSE(host.FireTimer(7));
  EXPECT_EQ(p.ticks, (std::vector<int>{7, 7}));

  host.MouseDown(mbLeft, 3, 4);
  EXPECT_TRUE(p.HasCapture());
  EXPECT_TRUE(p.KeyPressed(vkLButton));
  EXPECT_EQ(p.CursorPos(), Point(3, 4));
  host.MouseUp(mbLeft, 5, 4);
  EXPECT_FALSE(p.HasCapture());
  EXPECT_FALSE(p.KeyPressed(vkLButton));

  EXPECT_EQ(host.KeyDown(vkDown), vkDown);
  host.SetKey(vkShift, true);  // the key state the control sees is the test's
  EXPECT_EQ(host.KeyDown(vkDown), 0);

  host.ScrollBarRequest(sbVertical, scPageDown, 0);
  EXPECT_EQ(p.scrolls, std::vector<TScrollCode>{scPageDown});
}

TEST(TestWindowHostTest, ScrollingMovesPixelsAndInvalidatesTheUncoveredStrip) {
  Probe p;
  TTestWindowHost host(p, 20, 10);
  host.Paint();
  host.Picture().Canvas().SetPixel(4, 6, clGreen);
  host.ClearRecords();
  p.ScrollWindow(0, -3);
  ASSERT_EQ(host.Scrolls().size(), 1u);
  EXPECT_EQ(host.PixelAt(4, 3), clGreen);
  ASSERT_EQ(host.Invalidations().size(), 1u);
  EXPECT_EQ(host.Invalidations()[0], Rect(0, 7, 20, 10));

  host.ClearRecords();
  p.ScrollWindow(5, 0, Rect(0, 0, 10, 10));  // only part of the window moves
  EXPECT_EQ(host.PixelAt(9, 3), clGreen);
  EXPECT_EQ(host.PixelAt(14, 3), clRed);
  ASSERT_EQ(host.Invalidations().size(), 1u);
  EXPECT_EQ(host.Invalidations()[0], Rect(0, 0, 5, 10));

  host.ClearRecords();
  p.ScrollWindow(0, 50);  // further than the window: all of it is new
  ASSERT_EQ(host.Invalidations().size(), 1u);
  EXPECT_EQ(host.Invalidations()[0], Rect(0, 0, 20, 10));
}
