#include <gtest/gtest.h>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Exception.h"
#include "platform/ImageList.h"

namespace {

// A red 4 x 4 square in a magenta 6 x 6 picture: magenta is transparent.
int AddSquare(TImageList& list) {
  TBitmap b(6, 6);
  b.Canvas().Brush() = TBrush{clFuchsia, bsSolid, clFuchsia};
  b.Canvas().FillRect(Rect(0, 0, 6, 6));
  b.Canvas().Brush() = TBrush{clRed, bsSolid, clRed};
  b.Canvas().FillRect(Rect(1, 1, 5, 5));
  return list.AddMasked(b, clFuchsia);
}

}  // namespace

TEST(ImageList, PicturesKeepTheListSizeTheirTransparencyAndADisabledLook) {
  TImageList list(8, 8);
  EXPECT_EQ(AddSquare(list), 0);
  EXPECT_EQ(list.Count(), 1);
  TBitmap target(20, 10);
  target.Canvas().Brush() = TBrush{clBlue, bsSolid, clBlue};
  target.Canvas().FillRect(Rect(0, 0, 20, 10));
  list.Draw(target.Canvas(), 0, 0, 0);
  list.Draw(target.Canvas(), 10, 0, 0, false);
  list.Draw(target.Canvas(), 10, 0, 5);  // no such picture: nothing
  // Centred: the square covers 2..6 of the 8 pixels; around it the blue shows.
  EXPECT_EQ(target.Pixel(1, 1), clBlue);
  EXPECT_EQ(target.Pixel(2, 2), clRed);
  EXPECT_EQ(target.Pixel(5, 5), clRed);
  EXPECT_EQ(target.Pixel(6, 6), clBlue);
  const TColor disabled = target.Pixel(13, 3);
  EXPECT_EQ(GetRValue(disabled), GetGValue(disabled));
  EXPECT_EQ(GetGValue(disabled), GetBValue(disabled));
  EXPECT_EQ(GetRValue(disabled), 128 + 87 / 2);  // half of red's grey, lightened by half
  const TImageList empty(0, -3);  // a list always holds pictures of at least one pixel
  EXPECT_EQ(empty.Width(), 1);
  EXPECT_EQ(empty.Height(), 1);
  EXPECT_EQ(target.Pixel(11, 1), clBlue);
  // Drawing keeps to the canvas's clip.
  target.Canvas().SetClipRect(Rect(0, 0, 4, 10));
  list.Draw(target.Canvas(), 0, 2, 0, false);
  EXPECT_NE(target.Pixel(3, 5), clRed);
  EXPECT_EQ(target.Pixel(5, 5), clRed);
}

TEST(ImageList, PngFilesLoadAndAFileThatIsNoPictureRaises) {
  TBitmap b(4, 4);
  b.Canvas().Brush() = TBrush{clGreen, bsSolid, clGreen};
  b.Canvas().FillRect(Rect(0, 0, 4, 4));
  const std::string path = ::testing::TempDir() + "imagelist.png";
  b.SaveToPng(path);
  TImageList list(4, 4);
  EXPECT_EQ(list.AddFromPng(path), 0);
  TBitmap target(4, 4);
  list.Draw(target.Canvas(), 0, 0, 0);
  EXPECT_EQ(target.Pixel(1, 1), clGreen);
  EXPECT_THROW(list.AddFromPng(::testing::TempDir() + "no-such-picture.png"), Exception);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}
