#pragma once

// Internal to the platform: the Qt side of a TCanvas, shared by its drawing and text halves.

#include <QFont>
#include <QPainter>
#include <QRegion>
#include <optional>
#include <utility>
#include <vector>

#include "platform/Canvas.h"
#include "platform/CanvasRaster.h"
#include "platform/QtImage.h"

struct TCanvas::State {
  std::optional<QRegion> clip;  // none: the whole picture
  std::vector<std::optional<QRegion>> saved;
  TPolygonScan scan;  // kept for its buffers
};

QFont MakeQFont(const TFont& font);

// Begins a painter on the picture with antialiasing off and the canvas's clip applied.
void BeginPainter(QPainter& p, QImage& image, const std::optional<QRegion>& clip);
