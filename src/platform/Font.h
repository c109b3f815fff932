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
  // The pixels per inch at which sizes in points convert: a screen's 96.
  static constexpr int kScreenPixelsPerInch = 96;

  TFont() = default;
  // Copies the value, not the change handler.
  TFont(const TFont& other) { CopyValue(other); }
  // Takes the value as Assign does; the change handler stays.
  TFont& operator=(const TFont& other) {
    Assign(other);
    return *this;
  }

  // Takes the value of another font, notifying once if anything changed.
  void Assign(const TFont& other);
  // Whether both fonts have the same family, height, style, colour, orientation and pixels
  // per inch.
  bool SameValue(const TFont& other) const;

  // The font family, as the platform names it.
  const std::string& Name() const { return FName; }
  // Sets the family; each setter notifies only when the value changes.
  void SetName(const std::string& v);
  // Size in points (rounded from the pixel height).
  int Size() const;
  // Sets the size in points, as a pixel height at PixelsPerInch; 8 points by default.
  void SetSize(int points);
  // Height in pixels of the character cell's em box.
  int Height() const { return FHeight; }
  // Sets the height in pixels; less than 1 counts as 1.
  void SetHeight(int pixels);
  // The styles, an or-ed set of TFontStyle; none by default.
  TFontStyles Style() const { return FStyle; }
  // Sets the styles.
  void SetStyle(TFontStyles v);
  // Whether the style is in the set.
  bool HasStyle(TFontStyle s) const { return (FStyle & s) != 0; }
  // The text colour; clWindowText by default.
  TColor Color() const { return FColor; }
  // Sets the text colour.
  void SetColor(TColor v);
  // Rotation of the text baseline in tenths of a degree, counter-clockwise.
  int Orientation() const { return FOrientation; }
  // Sets the baseline's rotation in tenths of a degree.
  void SetOrientation(int tenths);
  // The pixels per inch that sizes in points convert at: kScreenPixelsPerInch.
  int PixelsPerInch() const { return FPixelsPerInch; }

  // Called after a change of the value; copies do not carry it.
  std::function<void()> OnChange;

  // Equal when SameValue says so.
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
  // Width in pixels.
  int width = 0;
  // Height in pixels: the font's line height.
  int height = 0;
};
LISTCHART_PLATFORM_API TTextSize MeasureText(const TFont& font, const std::string& text);
// How many lines a text takes when broken at spaces to fit the width, as DrawText with
// dtWordBreak writes it; 0 for no text.
LISTCHART_PLATFORM_API int WrappedLineCount(const TFont& font, const std::string& text, int width);
// The lines themselves.
LISTCHART_PLATFORM_API std::vector<std::string> WrappedLines(const TFont& font,
                                                             const std::string& text, int width);
