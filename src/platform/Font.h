#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Color.h"
#include "platform/PlatformExport.h"

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;  // an or-ed set of TFontStyle

// A font as a value: family, size, style and colour. Size is held as a pixel height; a size
// in points converts at the font's pixels per inch (96, a screen's). Copies carry the value
// but not the change handler, so a copy never notifies the original's owner.
class LISTCHART_PLATFORM_API TFont {
 public:
  static constexpr int kScreenPixelsPerInch = 96;

  TFont() = default;
  TFont(const TFont& other) { CopyValue(other); }
  TFont& operator=(const TFont& other) {
    Assign(other);
    return *this;
  }

  // Takes the value of another font, notifying once if anything changed.
  void Assign(const TFont& other);
  bool SameValue(const TFont& other) const;

  const std::string& Name() const { return FName; }
  void SetName(const std::string& v);
  // Size in points (rounded from the pixel height).
  int Size() const;
  void SetSize(int points);
  // Height in pixels of the character cell's em box.
  int Height() const { return FHeight; }
  void SetHeight(int pixels);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles v);
  bool HasStyle(TFontStyle s) const { return (FStyle & s) != 0; }
  TColor Color() const { return FColor; }
  void SetColor(TColor v);
  // Rotation of the text baseline in tenths of a degree, counter-clockwise.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int tenths);
  int PixelsPerInch() const { return FPixelsPerInch; }

  std::function<void()> OnChange;

  friend bool operator==(const TFont& a, const TFont& b) { return a.SameValue(b); }

 private:
  void CopyValue(const TFont& other);
  void Changed() {
    if (OnChange) OnChange();
  }

  std::string FName = "DejaVu Sans";
  int FHeight = 11;  // 8 points at 96 pixels per inch
  TFontStyles FStyle = 0;
  TColor FColor = clWindowText;
  int FOrientation = 0;
  int FPixelsPerInch = kScreenPixelsPerInch;
};

// Width and height of a text in the font, as a screen device context measures it (the
// height is the font's line height whatever the text). Needs a Qt GUI application.
struct LISTCHART_PLATFORM_API TTextSize {
  int width = 0;
  int height = 0;
};
LISTCHART_PLATFORM_API TTextSize MeasureText(const TFont& font, const std::string& text);
// How many lines a text takes when broken at spaces to fit the width, as DrawText with
// dtWordBreak writes it; 0 for no text.
LISTCHART_PLATFORM_API int WrappedLineCount(const TFont& font, const std::string& text, int width);
// The lines themselves.
LISTCHART_PLATFORM_API std::vector<std::string> WrappedLines(const TFont& font,
                                                             const std::string& text, int width);
