#pragma once

// How often a frame's pixels are copied on their way to the screen. A copy of a whole
// picture onto another of its size shares the pixels instead; they are copied only when one
// of the two is written while shared.

#include "platform/PlatformExport.h"

class TBitmap;

// Pixels copied since start: between pictures, by a shared picture made private before a
// write, and by a window showing its picture.
LISTCHART_PLATFORM_API long long CopiedPixels();

// Whether writing the bitmap would first copy its pixels (another picture shares them).
LISTCHART_PLATFORM_API bool SharesPixels(const TBitmap& bitmap);
