// The tree-list's side of customizing: opening and closing the customizing box, showing a
// hidden band again, and the buttons left of the panels that open the box.
#include <utility>

#include "treelist/TreeList.h"
#include "treelist/customize/TreeListCustomizingBox.h"
#include "treelist/view/TreeListScreenView.h"

void TTreeList::ShowCustomizingBox() {
  if (FCustomizingWindow) return FCustomizingWindow->Raise();
  // A box asked for before the tree-list had a window gets its window when asked again.
  const bool opening = !FCustomizingBox;
  if (opening) FCustomizingBox = std::make_unique<TTreeListCustomizingBox>(*this);
  TToolWindowParams params;
  params.Caption = "Customize";
  params.Size = FCustomizingBox->SizeFor(6);
  params.OnClose = [this] { HideCustomizingBox(); };
  FCustomizingWindow = OpenToolWindow(*FCustomizingBox, params);
  // Its window gives it a size and a scroll bar to set.
  FCustomizingBox->Refresh();
  if (opening && OnShowCustomizingBox) OnShowCustomizingBox(this);
}

// The window goes first: it lets go of the control, also while one of the control's own
// events runs, and is destroyed when that event is over.
void TTreeList::HideCustomizingBox() {
  if (!FCustomizingBox) return;
  std::unique_ptr<TToolWindow> window = std::move(FCustomizingWindow);
  std::unique_ptr<TTreeListCustomizingBox> box = std::move(FCustomizingBox);
  window.reset();
  box.reset();
  if (OnHideCustomizingBox) OnHideCustomizingBox(this);
}

bool TTreeList::CustomizingActive() const {
  return Options().Contains(aoExtCustomizing) || CustomizingBoxVisible();
}

void TTreeList::RefreshCustomizingBox() {
  if (FCustomizingBox) FCustomizingBox->Refresh();
}

void TTreeList::ShowBand(TTreeListBand* band, int index) {
  if (!band || band->Visible() || Bands().IndexOf(band) < 0) return;
  {
    const auto update = UpdateScope();
    band->SetVisible(true);
    band->SetIndex(index);
  }
  if (OnShowBand) OnShowBand(this, band, band->Index());
}

void TTreeList::SetPressedPanelButton(TTreeListHitKind kind) {
  if (kind == FPressedPanelButton) return;
  FPressedPanelButton = kind;
  if (!Host()) return;
  const TTreeListGeometry g = Geometry();
  InvalidateRect(Rect(g.Indicator.left, g.Indicator.top, g.Indicator.right, g.RowsArea.top));
}
