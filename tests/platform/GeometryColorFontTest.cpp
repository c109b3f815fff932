#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Geometry.h"

TEST(GeometryTest, MulDivRoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, -1, 2), -3);
  EXPECT_EQ(MulDiv(-5, -1, -2), -3);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);
  EXPECT_EQ(MulDiv(8, 1, 3), 3);
  EXPECT_EQ(MulDiv(2000000000, 3, 4), 1500000000);  // product beyond 32 bits
  EXPECT_EQ(MulDiv(1, 2, 0), -1);
  EXPECT_EQ(MulDiv(2000000000, 2000000000, 1), -1);
}

TEST(GeometryTest, NearestRoundsHalvesToEven) {
  EXPECT_EQ(Nearest(0.5), 0);
  EXPECT_EQ(Nearest(1.5), 2);
  EXPECT_EQ(Nearest(2.5), 2);
  EXPECT_EQ(Nearest(-0.5), 0);
  EXPECT_EQ(Nearest(-1.5), -2);
  EXPECT_EQ(Nearest(-2.6), -3);
  EXPECT_EQ(Nearest(2.4999), 2);
  EXPECT_EQ(Nearest(1e20), 2147483647);
  EXPECT_EQ(Nearest(-1e20), -2147483647 - 1);
  EXPECT_EQ(Nearest(std::nan("")), 0);
  EXPECT_EQ(Nearest(2147483646.5), 2147483646);
  EXPECT_EQ(Nearest(2147483646.7), 2147483647);
  EXPECT_EQ(Nearest(-2147483647.5), -2147483647 - 1);
  // The quick in-range path and the clamping one agree everywhere they both answer.
  std::mt19937 random(5);
  std::uniform_int_distribution<int> whole(-3000000, 3000000), part(0, 7);
  for (int i = 0; i < 20000; ++i) {
    const double v = whole(random) / 2.0 + part(random) / 8.0 * (i % 2 ? 1 : -1);
    ASSERT_EQ(Nearest(v), NearestClamped(v)) << v;
  }
}

TEST(GeometryTest, RectangleHelpers) {
  TRect r;
  EXPECT_FALSE(IntersectRect(r, Rect(0, 0, 5, 5), Rect(5, 0, 9, 5)));  // touching only
  EXPECT_EQ(r, TRect{});
  EXPECT_TRUE(IntersectRect(r, Rect(0, 0, 5, 5), Rect(3, -2, 9, 4)));
  EXPECT_EQ(r, Rect(3, 0, 5, 4));
  EXPECT_TRUE(PtInRect(r, Point(3, 0)));
  EXPECT_FALSE(PtInRect(r, Point(5, 0)));
  EXPECT_EQ(UnionRect(TRect{}, Rect(1, 1, 2, 2)), Rect(1, 1, 2, 2));
  EXPECT_EQ(NormalizedRect(Rect(5, 6, 1, 2)), Rect(1, 2, 5, 6));
}

TEST(ColorTest, SystemAndSpecialColoursResolve) {
  SetCurrentPalette(TSystemPalette::Classic());
  EXPECT_EQ(ColorToRGB(clBtnFace), 0x00C0C0C0u);
  EXPECT_EQ(ColorToRGB(clHighlight), 0x00800000u);
  EXPECT_EQ(ColorToRGB(clInfoBk), 0x00E1FFFFu);
  EXPECT_EQ(ColorToRGB(clYellow), 0x0000FFFFu);
  EXPECT_EQ(ColorToRGB(clNone), clBlack);
  EXPECT_EQ(ColorToRGB(clDefault), clBlack);
  EXPECT_FALSE(IsSystemColor(clNone));
  EXPECT_FALSE(IsSystemColor(0x80000099));  // no such system colour
  TSystemPalette p = TSystemPalette::Classic();
  p.Set(sciWindow, clNavy);
  SetCurrentPalette(p);
  EXPECT_EQ(ColorToRGB(clWindow), clNavy);
  SetCurrentPalette(TSystemPalette::Classic());
}

TEST(FontTest, NotifiesOnlyOnRealChangesAndCopiesNoHandler) {
  TFont f;
  int changes = 0;
  f.OnChange = [&] { ++changes; };
  f.SetSize(10);
  EXPECT_EQ(f.Height(), 13);
  EXPECT_EQ(f.Size(), 10);
  f.SetSize(10);
  f.SetName(f.Name());
  EXPECT_EQ(changes, 1);

  TFont copy = f;
  EXPECT_FALSE(copy.OnChange);
  EXPECT_EQ(copy, f);
  copy.SetStyle(fsBold | fsItalic);
  EXPECT_EQ(changes, 1);

  f = copy;  // assignment keeps the handler and notifies once
  EXPECT_TRUE(f.OnChange);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(f.HasStyle(fsItalic));
  f.Assign(copy);
  EXPECT_EQ(changes, 2);
}
