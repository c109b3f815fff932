// The customizing box: hidden bands and columns drawn as their headers, one under the other,
// scrolled by whole items, and dragged out onto the tree-list.
#include "treelist/customize/TreeListCustomizingBox.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Font.h"
#include "treelist/TreeList.h"
#include "treelist/view/TreeListPainter.h"

namespace {

constexpr int kMargin = 4;  // around the items
constexpr int kGap = 2;     // between two items

// A header without a caption still needs a name the user can pick it by.
std::string ShownCaption(const std::string& caption, const char* kind, int index) {
  return caption.empty() ? std::string(kind) + " " + std::to_string(index + 1) : caption;
}

}  // namespace

TTreeListCustomizingBox::TTreeListCustomizingBox(TTreeList& tree) : FTree(tree) {
  Refresh();
}

void TTreeListCustomizingBox::Refresh() {
  std::vector<TTreeListCustomizingItem> items;
  const TTreeListBands& bands = FTree.Bands();
  for (int i = 0; i < bands.Count(); ++i) {
    TTreeListBand* band = bands.Items(i);
    if (!band->Visible() && !band->DisableCustomizing())
      items.push_back({band, nullptr, ShownCaption(band->Caption(), "Band", i)});
  }
  for (int i = 0; i < FTree.ColumnCount(); ++i) {
    TTreeListColumn* column = FTree.Columns(i);
    // A column whose band was deleted is not shown either, though still visible.
    const bool inNoBand = column->BandIndex() < 0 || column->BandIndex() >= bands.Count();
    if ((!column->Visible() || inNoBand) && !column->DisableCustomizing())
      items.push_back({nullptr, column, ShownCaption(column->Caption(), "Column", i)});
  }
  FItems = std::move(items);
  // A press on an item that went away ends.
  if (FPressed >= static_cast<int>(FItems.size())) EndPress();
  if (FDragging) {
    const bool still = std::any_of(FItems.begin(), FItems.end(), [&](const auto& item) {
      return item.Band == FDragged.Band && item.Column == FDragged.Column;
    });
    if (!still) FDragged = TTreeListCustomizingItem{};
  }
  SetTopIndex(FTopIndex);
  UpdateScrollBar();
  Invalidate();
}

int TTreeListCustomizingBox::ItemHeight() const {
  const int lines = std::max(MeasureText(FTree.HeaderFont(), "Wg").height,
                             MeasureText(FTree.BandFont(), "Wg").height);
  return lines + (FTree.LookAndFeel() == lfStandard ? 1 : 0) + 5;
}

int TTreeListCustomizingBox::PageItems() const {
  return std::max((ClientHeight() - 2 * kMargin + kGap) / (ItemHeight() + kGap), 1);
}

TSize TTreeListCustomizingBox::SizeFor(int items) const {
  const int shown = std::max(items, 1);
  return {160, 2 * kMargin + shown * ItemHeight() + (shown - 1) * kGap};
}

TRect TTreeListCustomizingBox::ItemRect(int index) const {
  if (index < 0 || index >= static_cast<int>(FItems.size())) return TRect{};
  const int top = kMargin + (index - FTopIndex) * (ItemHeight() + kGap);
  return Rect(kMargin, top, std::max(ClientWidth() - kMargin, kMargin), top + ItemHeight());
}

int TTreeListCustomizingBox::ItemAt(TPoint p) const {
  for (int i = FTopIndex; i < static_cast<int>(FItems.size()); ++i)
    if (PtInRect(ItemRect(i), p)) return i;
  return -1;
}

void TTreeListCustomizingBox::SetTopIndex(int value) {
  value = std::clamp(value, 0, std::max(static_cast<int>(FItems.size()) - PageItems(), 0));
  if (value == FTopIndex) return;
  FTopIndex = value;
  UpdateScrollBar();
  Invalidate();
}

void TTreeListCustomizingBox::UpdateScrollBar() {
  SetScrollInfo(sbVertical,
                {0, std::max(static_cast<int>(FItems.size()) - 1, 0), PageItems(), FTopIndex});
}

const TTreeListCustomizingItem* TTreeListCustomizingBox::DraggedItem() const {
  return FDragging && (FDragged.Band || FDragged.Column) ? &FDragged : nullptr;
}

void TTreeListCustomizingBox::Paint(TCanvas& canvas, const TRect& updateRect) {
  canvas.Brush() = TBrush{clBtnFace, bsSolid, clBtnFace};
  canvas.FillRect(updateRect);
  const TTreeListGeometry none;
  TTreeListPainter painter(FTree, none, canvas, updateRect);
  for (int i = FTopIndex; i < static_cast<int>(FItems.size()); ++i) {
    const TRect r = ItemRect(i);
    if (r.top >= ClientHeight()) break;
    const TTreeListCustomizingItem& item = FItems[i];
    const bool band = item.Band != nullptr;
    painter.DrawLoneHeader(r, item.Caption, band ? FTree.BandColor() : FTree.HeaderColor(),
                           band ? FTree.BandFont() : FTree.HeaderFont(),
                           band ? item.Band->Alignment() : item.Column->HeaderAlignment(),
                           i == FPressed && FPressShown);
  }
}

void TTreeListCustomizingBox::Resized() {
  SetTopIndex(FTopIndex);
  UpdateScrollBar();
}

void TTreeListCustomizingBox::SetPressed(int index) {
  const bool shown = index >= 0 && index == FPressed;
  if (shown == FPressShown) return;
  FPressShown = shown;
  InvalidateRect(ItemRect(FPressed));
}

void TTreeListCustomizingBox::MouseDown(TMouseButton button, TShiftState, int x, int y) {
  if (FPressed >= 0) {
    if (button == mbRight) EndPress();  // a right press lets go, as in the header
    return;
  }
  if (button != mbLeft) return;
  const int index = ItemAt({x, y});
  if (index < 0) return;
  FPressed = index;
  FPressPoint = {x, y};
  SetPressed(index);
  SetCapture(true);
}

// Far enough from the press the item leaves the box as a drag; until then it is drawn down
// while the pointer stays over it.
void TTreeListCustomizingBox::MouseMove(TShiftState shift, int x, int y) {
  if (FPressed < 0) return;
  if (!(shift & ssLeft)) return EndPress();
  SetPressed(ItemAt({x, y}));
  if (std::abs(x - FPressPoint.x) > kDragThreshold || std::abs(y - FPressPoint.y) > kDragThreshold)
    StartItemDrag(FPressed);
}

void TTreeListCustomizingBox::MouseUp(TMouseButton button, TShiftState, int, int) {
  if (button == mbLeft) EndPress();
}

void TTreeListCustomizingBox::EndPress() {
  if (FPressed < 0) return;
  FPressShown = false;
  InvalidateRect(ItemRect(FPressed));
  FPressed = -1;
  SetCapture(false);
}

void TTreeListCustomizingBox::CaptureLost() {
  EndPress();
}

void TTreeListCustomizingBox::KeyDown(int& key, TShiftState) {
  if (key == vkEscape && FPressed >= 0) {
    EndPress();
    key = 0;
  }
}

// The drag carries the item's caption and a picture of it as drawn.
void TTreeListCustomizingBox::StartItemDrag(int index) {
  const TRect r = ItemRect(index);
  const TPoint hotspot{FPressPoint.x - r.left, FPressPoint.y - r.top};
  FDragged = FItems[index];
  EndPress();
  TBitmap image;
  if (ScreenCanvas() && !IsRectEmpty(r)) {
    image.SetSize(r.Width(), r.Height());
    image.Canvas().CopyRect(Rect(0, 0, r.Width(), r.Height()), *ScreenCanvas(), r);
  }
  FDragging = true;
  StartDrag(TDragData{FDragged.Caption, this}, image, hotspot);
}

void TTreeListCustomizingBox::EndDrag(bool) {
  FDragging = false;
  FDragged = TTreeListCustomizingItem{};
}

bool TTreeListCustomizingBox::MouseWheel(TShiftState, int notches, int, int) {
  const int before = FTopIndex;
  SetTopIndex(FTopIndex - notches * WheelScrollLines());
  return FTopIndex != before;
}

void TTreeListCustomizingBox::Scroll(TScrollBarKind kind, TScrollCode code, int position) {
  if (kind != sbVertical) return;
  switch (code) {
    case scLineUp:
      return SetTopIndex(FTopIndex - 1);
    case scLineDown:
      return SetTopIndex(FTopIndex + 1);
    case scPageUp:
      return SetTopIndex(FTopIndex - PageItems());
    case scPageDown:
      return SetTopIndex(FTopIndex + PageItems());
    case scTop:
      return SetTopIndex(0);
    case scBottom:
      return SetTopIndex(static_cast<int>(FItems.size()));
    case scPosition:
    case scTrack:
      return SetTopIndex(position);
    default:
      return;
  }
}
