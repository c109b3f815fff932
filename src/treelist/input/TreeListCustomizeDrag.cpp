// The tree-list as the target of a band or column dragged out of its customizing box: the
// drop arrows of header dragging mark where it would land, and the drop shows it there.
// Also the buttons left of the panels, which open and close the box.
#include "treelist/TreeList.h"
#include "treelist/customize/TreeListCustomizingBox.h"
#include "treelist/input/TreeListInput.h"
#include "treelist/view/TreeListScreenView.h"

bool TTreeListInput::BoxDragOver(const TTreeListCustomizingItem& item, int x, int y) {
  const TPoint p{x, y};
  int edge = 0;
  TRect box;
  bool accept = false;
  if (item.Band) {
    const int drop = BandDropAt(p, item.Band, &edge);
    accept = drop >= 0;
    if (accept) box = BandArrowBox(edge);
  } else {
    const THeaderPosInfo drop = DropPositionAt(p, item.Column);
    accept = drop.Valid();
    if (accept) box = ArrowBox(drop);
  }
  if (FArrowsShown && box == FArrowBox) return accept;
  HideArrows();
  if (accept) ShowArrows(box);
  return accept;
}

void TTreeListInput::BoxDragLeave() {
  HideArrows();
}

void TTreeListInput::BoxDrop(const TTreeListCustomizingItem& item, int x, int y) {
  HideArrows();
  const TPoint p{x, y};
  if (item.Band) {
    const int drop = BandDropAt(p, item.Band);
    if (drop >= 0) FTree.ShowBand(item.Band, drop);
    return;
  }
  const TTreeListGeometry g = FTree.Geometry();
  const THeaderPosInfo drop = DropPositionAt(p, item.Column);
  if (drop.Valid())
    FTree.ShowHeader(item.Column, g.Bands[drop.BandIndex].Index, drop.RowIndex, drop.ColIndex);
}

// Each button works only with its option.
void TTreeListInput::PressPanelButton(const TTreeListHitInfo& hit) {
  const TTreeListOptionEx option =
      hit.Kind == HitBandButton ? aoBandButtonClicking : aoHeaderButtonClicking;
  if (!FTree.OptionsEx().Contains(option)) return;
  FState = msPanelButtonPressed;
  FPanelButton = hit.Kind;
  FTree.SetPressedPanelButton(hit.Kind);
}

void TTreeListInput::MovePressedPanelButton(int x, int y) {
  const bool over = FTree.GetHitInfo({x, y}).Kind == FPanelButton;
  FTree.SetPressedPanelButton(over ? FPanelButton : HitNowhere);
}

// Released over the button it pressed: the customizing box opens, or closes when open.
void TTreeListInput::ReleasePanelButton(int x, int y) {
  const bool over = FTree.GetHitInfo({x, y}).Kind == FPanelButton;
  FTree.SetPressedPanelButton(HitNowhere);
  FState = msNone;
  if (!over) return;
  if (FTree.CustomizingBoxVisible())
    FTree.HideCustomizingBox();
  else
    FTree.ShowCustomizingBox();
}

// A drag out of this tree-list's customizing box is one of its bands or columns; any other
// drag may carry a node.
namespace {

const TTreeListCustomizingItem* BoxItem(const TTreeList& tree, const TDragData& data) {
  const TTreeListCustomizingBox* box = tree.CustomizingBox();
  return box && data.Source == box ? box->DraggedItem() : nullptr;
}

bool FromBox(const TTreeList& tree, const TDragData& data) {
  return tree.CustomizingBox() && data.Source == tree.CustomizingBox();
}

}  // namespace

bool TTreeList::DragOver(const TDragData& data, int x, int y) {
  const TTreeListEventScope scope(*FScreenView);
  if (!FromBox(*this, data)) return FInput->DragOver(data, x, y);
  const TTreeListCustomizingItem* item = BoxItem(*this, data);
  if (item) return FInput->BoxDragOver(*item, x, y);
  FInput->BoxDragLeave();
  return false;
}

void TTreeList::DragLeave() {
  const TTreeListEventScope scope(*FScreenView);
  FInput->BoxDragLeave();
  FInput->DragLeave();
}

void TTreeList::DragDrop(const TDragData& data, int x, int y) {
  const TTreeListEventScope scope(*FScreenView);
  if (!FromBox(*this, data)) return FInput->DragDrop(data, x, y);
  // A copy: showing the item refreshes the box, which lists it no longer.
  if (const TTreeListCustomizingItem* item = BoxItem(*this, data)) {
    const TTreeListCustomizingItem dropped = *item;
    FInput->BoxDrop(dropped, x, y);
  } else {
    FInput->BoxDragLeave();
  }
}
