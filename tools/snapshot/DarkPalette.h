#pragma once

#include <QPalette>

// A fixed dark desktop palette (light text on dark grey, blue selection), so that pictures of
// the window in a dark theme are the same on every machine.
QPalette FixedDarkPalette();
