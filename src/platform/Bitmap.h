#pragma once

#include <memory>
#include <string>

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/PlatformExport.h"

class TCanvas;
struct TBitmapImage;

// An off-screen picture (32-bit, opaque) with its own canvas. Starts empty (0 x 0).
class LISTCHART_PLATFORM_API TBitmap {
 public:
  TBitmap();
  // A white picture of width x height pixels at scale 1.
  TBitmap(int width, int height);
  // A picture for a screen of the given device pixel ratio: width x height logical pixels,
  // each scale x scale device pixels. Its canvas takes logical coordinates.
  TBitmap(int width, int height, double scale);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  // Width in logical pixels.
  int Width() const;
  // Height in logical pixels.
  int Height() const;
  // Device pixels per logical pixel; 1 by default.
  double Scale() const;
  // Changing the scale keeps the logical size and nothing of the picture.
  void SetScale(double scale);
  // Resizing keeps nothing of the old picture: the new one is filled with white.
  void SetSize(int width, int height);
  // Whether the picture has no pixels.
  bool Empty() const { return Width() == 0 || Height() == 0; }

  // The canvas that draws on the picture, owned by it.
  TCanvas& Canvas() { return *FCanvas; }
  // The canvas, read-only.
  const TCanvas& Canvas() const { return *FCanvas; }

  // The plain colour of one logical pixel (its first device pixel); clNone outside.
  TColor Pixel(int x, int y) const;
  // Writes the picture, in device pixels, as a PNG file; throws Exception naming the file on
  // failure.
  void SaveToPng(const std::string& path) const;
  // Writes the picture as a one-page PDF file: the page is its logical size at 96 logical pixels
  // to the inch (shrunk to 200 inches at the most a side, as readers require), printed at its
  // device pixels (a scale of 3.125 is 300 dots per inch). The file is replaced whole or not at
  // all; throws Exception naming the file on failure.
  void SaveToPdf(const std::string& path) const;

  // The platform's own access to the pixels (Qt types live behind this).
  TBitmapImage& Image() { return *FImage; }
  // The platform's pixels, read-only.
  const TBitmapImage& Image() const { return *FImage; }

 private:
  std::unique_ptr<TBitmapImage> FImage;
  std::unique_ptr<TCanvas> FCanvas;
};
