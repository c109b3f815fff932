#pragma once

#include "SnapshotArgs.h"
#include "platform/Bitmap.h"

// Draws what the arguments ask for into picture (resized to the asked size). Needs a Qt GUI
// application; the caller installs the palette. Throws Exception for a sort caption that no
// column has.
void DrawSnapshot(const TSnapshotArgs& args, TBitmap& picture);
