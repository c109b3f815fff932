// What keeps the window usable on today's desktops: text readable on the colours the
// application fixes, and glyphs drawn for the screen's density with a distinct disabled look.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "app/ActionGlyphs.h"
#include "app/ReadableText.h"
#include "support/GuiApp.h"

namespace {

TEST(DesktopLookTest, TextOnAFixedColourStaysOrTurnsReadable) {
  struct TCase {
    TColor background, text, expected;
  };
  const TCase cases[] = {
      {clYellow, clBlack, clBlack},                // light theme: unchanged
      {clYellow, RGB(0xee, 0xee, 0xec), clBlack},  // dark theme's light text on yellow
      {clYellow, clNavy, clNavy},                  // dark enough already
      {RGB(0x35, 0x35, 0x35), clBlack, clWhite},   // black text on a dark panel
      {RGB(0x35, 0x35, 0x35), RGB(0xee, 0xee, 0xec), RGB(0xee, 0xee, 0xec)},
      {clGray, clGray, clBlack}};
  for (const TCase& c : cases) {
    const TColor got = ReadableTextColor(c.background, c.text);
    EXPECT_EQ(got, c.expected) << std::hex << c.background << " " << c.text;
    EXPECT_GE(ContrastRatio(c.background, got), 4.5);
  }
  EXPECT_NEAR(ContrastRatio(clBlack, clWhite), 21.0, 1e-9);
}

TEST(DesktopLookTest, GlyphsAreDrawnAtTheDeviceSizeAndLookDifferentWhenDisabled) {
  EnsureGuiApplication();
  for (const TActionGlyph glyph :
       {agCut, agCopy, agPaste, agNew, agOpen, agSave, agSend, agExpand, agAnimate}) {
    const QIcon icon = OwnActionIcon(glyph);
    const QImage normal = icon.pixmap(QSize(16, 16), 1.0, QIcon::Normal).toImage();
    const QImage disabled = icon.pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage();
    const QPixmap sharp = icon.pixmap(QSize(16, 16), 2.0, QIcon::Normal);
    ASSERT_EQ(normal.size(), QSize(16, 16)) << glyph;
    EXPECT_NE(normal, disabled) << glyph;
    EXPECT_EQ(sharp.size(), QSize(32, 32)) << glyph;
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0) << glyph;
    // The same drawing over four times the device pixels.
    auto inked = [](const QImage& image) {
      int n = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) != 0;
      return n;
    };
    const int small = inked(normal), large = inked(sharp.toImage());
    EXPECT_GT(small, 0) << glyph;
    EXPECT_EQ(large, 4 * small) << glyph;
    // At whole ratios every design pixel becomes a square of device pixels, in place.
    for (const int ratio : {2, 3}) {
      const QImage device = icon.pixmap(QSize(16, 16), ratio).toImage();
      for (int y = 0; y < device.height(); ++y)
        for (int x = 0; x < device.width(); ++x)
          ASSERT_EQ(device.pixel(x, y), normal.pixel(x / ratio, y / ratio))
              << glyph << " at " << ratio << ": " << x << "," << y;
    }
  }
  EXPECT_EQ(ProgramIcon().pixmap(QSize(48, 48), 1.0).size(), QSize(48, 48));
}

}  // namespace
