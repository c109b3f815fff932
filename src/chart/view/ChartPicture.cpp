#include "chart/view/ChartPicture.h"

#include <memory>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ScopeGuard.h"

namespace {

// Tiles of at least this many pixels each way: a tiny picture is repeated into one this large
// first, so that a large rectangle takes few copies.
constexpr int kTileSide = 64;

}  // namespace

void DrawPicture(TCanvas& target, const TRect& r, const TBitmap& picture, TBackImageMode mode) {
  const int w = picture.Width(), h = picture.Height();
  if (picture.Empty() || w <= 0 || h <= 0 || IsRectEmpty(r)) return;
  if (mode == pbmStretch) return target.CopyRect(r, picture.Canvas(), Rect(0, 0, w, h));
  target.SaveClip();
  const auto restore = OnScopeExit([&target] { target.RestoreClip(); });
  target.IntersectClipRect(r);
  if (mode == pbmCenter)
    return target.Draw((r.left + r.right - w) / 2, (r.top + r.bottom - h) / 2, picture);
  const TBitmap* tile = &picture;
  std::unique_ptr<TBitmap> larger;
  if (w < kTileSide || h < kTileSide) {
    const int across = (kTileSide + w - 1) / w, down = (kTileSide + h - 1) / h;
    larger = std::make_unique<TBitmap>(w * across, h * down);
    for (int y = 0; y < down; ++y)
      for (int x = 0; x < across; ++x) larger->Canvas().Draw(x * w, y * h, picture);
    tile = larger.get();
  }
  for (int y = r.top; y < r.bottom; y += tile->Height())
    for (int x = r.left; x < r.right; x += tile->Width()) target.Draw(x, y, *tile);
}
