// Node pictures: the image and state image lists, their room in the indentation and the row
// height, their drawing and their hit kinds.
#include <memory>

#include "TreeInputFixture.h"
#include "platform/Canvas.h"
#include "platform/ImageList.h"

namespace {

// A list of plain squares, one per colour, each with a white (transparent) border.
std::unique_ptr<TImageList> Squares(int size, std::initializer_list<TColor> colors) {
  auto list = std::make_unique<TImageList>(size, size);
  for (TColor color : colors) {
    TBitmap b(size, size);
    b.Canvas().Brush() = TBrush{color, bsSolid, color};
    b.Canvas().FillRect(Rect(2, 2, size - 2, size - 2));
    list->AddMasked(b, clWhite);
  }
  return list;
}

class TreeImages : public TreeInputFixture {
 protected:
  void SetUp() override {
    TreeInputFixture::SetUp();
    images = Squares(16, {clRed, clGreen, clBlue});
    states = Squares(16, {clYellow});
    tree.SetImages(images.get());
    tree.SetStateImages(states.get());
    tank1->SetStateIndex(0);
    tank2->SetImageIndex(1);
    host.Paint(true);
  }
  std::unique_ptr<TImageList> images, states;
};

}  // namespace

TEST_F(TreeImages, PicturesTakeRoomInTheIndentationAndAreDrawnAndHit) {
  // Alpha (row 0): button 0..16, image 16..32. Tank 1 (row 1): state 32..48, image 48..64.
  EXPECT_EQ(tree.NodeIndent(site1), 32);
  EXPECT_EQ(tree.NodeIndent(tank1), 64);
  EXPECT_EQ(tree.NodeIndent(tank2), 48);
  struct {
    int x, row;
    TTreeListHitKind kind;
    TColor color;
  } const cases[] = {
      {8, 0, HitButton, clNone},       {24, 0, HitIcon, clRed}, {20, 1, HitIndent, clNone},
      {40, 1, HitStateIcon, clYellow}, {56, 1, HitIcon, clRed}, {40, 2, HitIcon, clGreen},
      {70, 1, HitCell, clNone},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tree.GetHitInfo({c.x, RowMid(c.row)}).Kind, c.kind) << c.x << ", " << c.row;
    if (c.color != clNone) {
      EXPECT_EQ(At(c.x, RowMid(c.row)), c.color) << c.x << ", " << c.row;
    }
  }
  // The border of each picture is transparent: the row's background shows.
  EXPECT_EQ(At(17, RowMid(0)), ColorToRGB(clWindow));
}

TEST_F(TreeImages, AFocusedNodeShowsItsSelectedPicture) {
  tank2->SetSelectedIndex(2);
  int asked = 0;
  tree.OnGetImageIndex = [&](TCustomTreeList*, TTreeListNode*, int&) { ++asked; };
  host.Click(mbLeft, 40, RowMid(2));  // on the image: focuses the node
  EXPECT_EQ(tree.FocusedNode(), tank2);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  EXPECT_EQ(At(40, RowMid(2)), clBlue);
  host.PressKey(vkUp);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
  EXPECT_EQ(At(40, RowMid(2)), clGreen);
  tree.OnGetImageIndex = [](TCustomTreeList*, TTreeListNode*, int& index) { index = 0; };
  tree.Invalidate();
  host.Paint();
  EXPECT_EQ(At(40, RowMid(2)), clRed);
  EXPECT_GT(asked, 0);
}

TEST_F(TreeImages, ATallPictureRaisesTheRowsAndRemovingTheListsGivesTheRoomBack) {
  auto tall = Squares(24, {clRed});
  tree.SetImages(tall.get());
  EXPECT_EQ(tree.DefaultRowHeight(), 24);
  EXPECT_EQ(tree.NodeIndent(site1), 40);
  tree.SetImages(nullptr);
  tree.SetStateImages(nullptr);
  EXPECT_EQ(tree.DefaultRowHeight(), 19);
  EXPECT_EQ(tree.NodeIndent(tank1), 32);
  EXPECT_TRUE(ShowsFreshPaint(host, tree));
}
