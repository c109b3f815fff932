#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Color.h"
#include "platform/PlatformExport.h"

class TBitmap;
class TCanvas;
struct TImageListPicture;

// A list of pictures of one fixed size, with transparency, drawn by index. Pictures come
// from PNG files (their alpha channel is kept) or from bitmaps drawn in code with one colour
// standing for transparent. Each can be drawn as it is or in the disabled look.
class LISTCHART_PLATFORM_API TImageList {
 public:
  // An empty list of pictures width x height pixels.
  TImageList(int width, int height);
  ~TImageList();
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;

  // The pictures' width in pixels.
  int Width() const { return FWidth; }
  // The pictures' height in pixels.
  int Height() const { return FHeight; }
  // The number of pictures.
  int Count() const { return static_cast<int>(FPictures.size()); }

  // Each returns the new picture's index. A picture of another size is centred in the
  // list's size: cut where larger, transparent around where smaller.
  int AddMasked(const TBitmap& bitmap, TColor transparent);
  // Throws Exception naming the file when it cannot be read as a picture.
  int AddFromPng(const std::string& path);
  // Removes every picture.
  void Clear();

  // Draws picture index with its top-left corner at (x, y); an index outside the list draws
  // nothing. The disabled look is the picture in light greys.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

 private:
  int Add(std::unique_ptr<TImageListPicture> picture);

  int FWidth;
  int FHeight;
  std::vector<std::unique_ptr<TImageListPicture>> FPictures;
  mutable std::vector<std::unique_ptr<TImageListPicture>> FDisabled;  // made on first use
};
