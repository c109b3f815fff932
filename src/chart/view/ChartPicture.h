#pragma once

#include "chart/ChartExport.h"
#include "platform/Geometry.h"

class TBitmap;
class TCanvas;

// How a picture fills a rectangle: stretched over it, repeated from its top-left corner, or
// once at its centre (cut to it either way).
enum TBackImageMode { pbmStretch, pbmTile, pbmCenter };

// Draws a picture into a rectangle of the target as the mode says; an empty one draws nothing.
LISTCHART_CHART_API void DrawPicture(TCanvas& target, const TRect& r, const TBitmap& picture,
                                     TBackImageMode mode);
