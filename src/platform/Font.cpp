#include "platform/Font.h"

#include "platform/Geometry.h"

void TFont::CopyValue(const TFont& other) {
  name_ = other.name_;
  height_ = other.height_;
  style_ = other.style_;
  color_ = other.color_;
  orientation_ = other.orientation_;
  pixels_per_inch_ = other.pixels_per_inch_;
}

bool TFont::SameValue(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && color_ == o.color_ &&
         orientation_ == o.orientation_ && pixels_per_inch_ == o.pixels_per_inch_;
}

void TFont::Assign(const TFont& other) {
  if (this == &other || SameValue(other)) return;
  CopyValue(other);
  Changed();
}

void TFont::SetName(const std::string& v) {
  if (v == name_) return;
  name_ = v;
  Changed();
}

int TFont::Size() const {
  return MulDiv(height_, 72, pixels_per_inch_);
}

void TFont::SetSize(int points) {
  SetHeight(MulDiv(points, pixels_per_inch_, 72));
}

void TFont::SetHeight(int pixels) {
  if (pixels < 1) pixels = 1;
  if (pixels == height_) return;
  height_ = pixels;
  Changed();
}

void TFont::SetStyle(TFontStyles v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

void TFont::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Changed();
}

void TFont::SetOrientation(int tenths) {
  if (tenths == orientation_) return;
  orientation_ = tenths;
  Changed();
}
