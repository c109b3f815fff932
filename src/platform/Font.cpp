#include "platform/Font.h"

#include "platform/Geometry.h"

void TFont::CopyValue(const TFont& other) {
  FName = other.FName;
  FHeight = other.FHeight;
  FStyle = other.FStyle;
  FColor = other.FColor;
  FOrientation = other.FOrientation;
  FPixelsPerInch = other.FPixelsPerInch;
}

bool TFont::SameValue(const TFont& o) const {
  return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor &&
         FOrientation == o.FOrientation && FPixelsPerInch == o.FPixelsPerInch;
}

void TFont::Assign(const TFont& other) {
  if (this == &other || SameValue(other)) return;
  CopyValue(other);
  Changed();
}

void TFont::SetName(const std::string& v) {
  if (v == FName) return;
  FName = v;
  Changed();
}

int TFont::Size() const {
  return MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int points) {
  SetHeight(MulDiv(points, FPixelsPerInch, 72));
}

void TFont::SetHeight(int pixels) {
  if (pixels < 1) pixels = 1;
  if (pixels == FHeight) return;
  FHeight = pixels;
  Changed();
}

void TFont::SetStyle(TFontStyles v) {
  if (v == FStyle) return;
  FStyle = v;
  Changed();
}

void TFont::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  Changed();
}

void TFont::SetOrientation(int tenths) {
  if (tenths == FOrientation) return;
  FOrientation = tenths;
  Changed();
}
