#pragma once

#include <QImage>
#include <string>

// The first page of a PDF file as the desktop's reader (pdftoppm) draws it at dpi dots per
// inch; a null image when it cannot.
QImage ReadPdfPage(const std::string& pdf, int dpi);

// How many pixels of read, from its offset in read onwards over drawn's size, lie outside the
// colours drawn has around the same place (its 3x3 neighbourhood, give or take 8 a channel):
// the reader smooths a page's picture by up to half a pixel. Pixels beyond read count too.
int PixelsUnlikeDrawn(const QImage& read, const QImage& drawn, int offsetX = 0, int offsetY = 0);
