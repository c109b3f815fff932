#pragma once

#include "platform/Color.h"

// How far apart two colours are for reading, as the ratio of their relative luminances
// (plus a little flare): 1 for equal colours, 21 for black on white.
double ContrastRatio(TColor a, TColor b);

// The colour for text on a background the application fixes (the yellow site rows, the
// chart's panel): the text's own colour where it reads well there, else black or white,
// whichever stands out more. Light desktop themes keep their colours; dark ones get text
// that can still be read on a light fill.
TColor ReadableTextColor(TColor background, TColor text);
