#include "app/ReadableText.h"

#include <algorithm>
#include <cmath>

namespace {

// Text below this ratio counts as hard to read.
constexpr double kMinimumContrast = 4.5;

double Channel(int v) {
  const double c = v / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(TColor c) {
  const TColor p = ColorToRGB(c);
  return 0.2126 * Channel(GetRValue(p)) + 0.7152 * Channel(GetGValue(p)) +
         0.0722 * Channel(GetBValue(p));
}

}  // namespace

double ContrastRatio(TColor a, TColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TColor ReadableTextColor(TColor background, TColor text) {
  if (ContrastRatio(background, text) >= kMinimumContrast) return text;
  return ContrastRatio(background, clBlack) >= ContrastRatio(background, clWhite) ? clBlack
                                                                                  : clWhite;
}
