#pragma once

#include <array>
#include <cstdint>

#include "platform/PlatformExport.h"

// A colour: 0x00BBGGRR for plain colours (red in the low byte), 0x80000000 | index for the
// system colours, which a palette turns into a plain colour when drawing.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x00000000;
constexpr TColor clMaroon = 0x00000080;
constexpr TColor clGreen = 0x00008000;
constexpr TColor clOlive = 0x00008080;
constexpr TColor clNavy = 0x00800000;
constexpr TColor clPurple = 0x00800080;
constexpr TColor clTeal = 0x00808000;
constexpr TColor clGray = 0x00808080;
constexpr TColor clSilver = 0x00C0C0C0;
constexpr TColor clRed = 0x000000FF;
constexpr TColor clLime = 0x0000FF00;
constexpr TColor clYellow = 0x0000FFFF;
constexpr TColor clBlue = 0x00FF0000;
constexpr TColor clFuchsia = 0x00FF00FF;
constexpr TColor clAqua = 0x00FFFF00;
constexpr TColor clWhite = 0x00FFFFFF;
constexpr TColor clLtGray = 0x00C0C0C0;
constexpr TColor clDkGray = 0x00808080;
constexpr TColor clMoneyGreen = 0x00C0DCC0;
constexpr TColor clSkyBlue = 0x00F0CAA6;
constexpr TColor clCream = 0x00F0FBFF;
constexpr TColor clMedGray = 0x00A4A0A0;

// No colour at all (a null chart point; a colour property left unset).
constexpr TColor clNone = 0x1FFFFFFF;
// No colour of its own: take the owner's default.
constexpr TColor clDefault = 0x20000000;

constexpr TColor clSystemColor = 0x80000000;
enum TSystemColorIndex : int {
  sciScrollBar,
  sciBackground,
  sciActiveCaption,
  sciInactiveCaption,
  sciMenu,
  sciWindow,
  sciWindowFrame,
  sciMenuText,
  sciWindowText,
  sciCaptionText,
  sciActiveBorder,
  sciInactiveBorder,
  sciAppWorkSpace,
  sciHighlight,
  sciHighlightText,
  sciBtnFace,
  sciBtnShadow,
  sciGrayText,
  sciBtnText,
  sciInactiveCaptionText,
  sciBtnHighlight,
  sci3DDkShadow,
  sci3DLight,
  sciInfoText,
  sciInfoBk,
  sciCount
};

constexpr TColor clScrollBar = clSystemColor | sciScrollBar;
constexpr TColor clBackground = clSystemColor | sciBackground;
constexpr TColor clActiveCaption = clSystemColor | sciActiveCaption;
constexpr TColor clInactiveCaption = clSystemColor | sciInactiveCaption;
constexpr TColor clMenu = clSystemColor | sciMenu;
constexpr TColor clWindow = clSystemColor | sciWindow;
constexpr TColor clWindowFrame = clSystemColor | sciWindowFrame;
constexpr TColor clMenuText = clSystemColor | sciMenuText;
constexpr TColor clWindowText = clSystemColor | sciWindowText;
constexpr TColor clCaptionText = clSystemColor | sciCaptionText;
constexpr TColor clActiveBorder = clSystemColor | sciActiveBorder;
constexpr TColor clInactiveBorder = clSystemColor | sciInactiveBorder;
constexpr TColor clAppWorkSpace = clSystemColor | sciAppWorkSpace;
constexpr TColor clHighlight = clSystemColor | sciHighlight;
constexpr TColor clHighlightText = clSystemColor | sciHighlightText;
constexpr TColor clBtnFace = clSystemColor | sciBtnFace;
constexpr TColor clBtnShadow = clSystemColor | sciBtnShadow;
constexpr TColor clGrayText = clSystemColor | sciGrayText;
constexpr TColor clBtnText = clSystemColor | sciBtnText;
constexpr TColor clInactiveCaptionText = clSystemColor | sciInactiveCaptionText;
constexpr TColor clBtnHighlight = clSystemColor | sciBtnHighlight;
constexpr TColor cl3DDkShadow = clSystemColor | sci3DDkShadow;
constexpr TColor cl3DLight = clSystemColor | sci3DLight;
constexpr TColor clInfoText = clSystemColor | sciInfoText;
constexpr TColor clInfoBk = clSystemColor | sciInfoBk;

constexpr bool IsSystemColor(TColor c) {
  return (c & clSystemColor) != 0 && (c & 0x7FFFFFFF) < static_cast<TColor>(sciCount);
}
constexpr std::uint8_t GetRValue(TColor c) {
  return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t GetGValue(TColor c) {
  return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t GetBValue(TColor c) {
  return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}
constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

class QPalette;

// Plain colours for every system colour.
class LISTCHART_PLATFORM_API TSystemPalette {
 public:
  // The fixed classic palette used by tests and snapshots; its values are in Color.cpp.
  static TSystemPalette Classic();
  // The desktop's current palette, read from the running Qt application (Classic without one).
  static TSystemPalette Desktop();
  // The system colours a Qt palette gives (a widget's own, its window's or the application's).
  static TSystemPalette FromQt(const QPalette& palette);

  // The plain colour of a system colour.
  TColor Get(TSystemColorIndex i) const { return FColors[i]; }
  // Sets the plain colour of a system colour (only its low 24 bits are kept).
  void Set(TSystemColorIndex i, TColor c) { FColors[i] = c & 0x00FFFFFF; }

 private:
  std::array<TColor, sciCount> FColors{};
};

// The palette drawing resolves through; starts as the classic one. The application installs
// the desktop palette at start-up.
LISTCHART_PLATFORM_API const TSystemPalette& CurrentPalette();
LISTCHART_PLATFORM_API void SetCurrentPalette(const TSystemPalette& palette);

// A plain 0x00BBGGRR colour: system colours through the current palette; clNone and
// clDefault (which have no colour) give black; other values keep their low 24 bits.
LISTCHART_PLATFORM_API TColor ColorToRGB(TColor c);
