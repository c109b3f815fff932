#include "treelist/editorcolumns/TreeListEditorColumns.h"

#include <algorithm>
#include <utility>

int TEditButton::Index() const {
  return FCollection->IndexOf(this);
}

void TEditButton::SetKind(TButtonKind value) {
  const bool newlyAssigned = !std::exchange(FKindAssigned, true);
  if (StoreProperty(FKind, value) || newlyAssigned) Changed();
}

void TEditButton::Changed() {
  if (FCollection->FChanged) FCollection->FChanged();
}

TEditButton* TEditButtons::Items(int index) const {
  return index >= 0 && index < Count() ? FButtons[index].get() : nullptr;
}

TEditButton* TEditButtons::Add() {
  FButtons.push_back(std::make_unique<TEditButton>(this));
  if (FChanged) FChanged();
  return FButtons.back().get();
}

void TEditButtons::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  FButtons.erase(FButtons.begin() + index);
  if (FChanged) FChanged();
}

void TEditButtons::Clear() {
  if (FButtons.empty()) return;
  FButtons.clear();
  if (FChanged) FChanged();
}

int TEditButtons::IndexOf(const TEditButton* button) const {
  for (int i = 0; i < Count(); ++i)
    if (FButtons[i].get() == button) return i;
  return -1;
}

TTreeListButtonColumn::TTreeListButtonColumn() : FButtons([this] { Changed(); }) {
  FButtons.Add();
}

TButtonKind TTreeListButtonColumn::ButtonFace(const TEditButton& button) const {
  if (button.KindAssigned()) return button.Kind();
  return FEditButtonStyle == ebsDown ? bkDown : FEditButtonStyle == ebsGlyph ? bkGlyph : bkEllipsis;
}

const TBitmap* TTreeListButtonColumn::FaceGlyph(const TEditButton& button) const {
  const TBitmap* own = button.FindGlyph();
  return own ? own : FGlyph.Find();
}

// A glyph wider than the default button widens an automatic one: the raised edges and a pixel
// each side, and the default frame.
int TTreeListButtonColumn::ButtonWidth(const TEditButton& button) const {
  constexpr int kEditButtonWidth = 16, kEdge = 2;
  if (button.Width() > 0) return button.Width();
  const TBitmap* glyph = ButtonFace(button) == bkGlyph ? FaceGlyph(button) : nullptr;
  if (!glyph) return kEditButtonWidth;
  const int frame = button.Default() ? 1 : 0;
  return std::max(kEditButtonWidth, glyph->Width() + 2 * (kEdge + 1 + frame));
}

int TTreeListButtonColumn::VisibleButtonsWidth() const {
  int width = 0;
  for (int i = 0; i < FButtons.Count(); ++i)
    if (FButtons.Items(i)->Visible()) width += ButtonWidth(*FButtons.Items(i));
  return width;
}

TTreeListColumn* TTreeListWrapperColumn::ReferenceColumn() {
  TTreeListColumn* reference = nullptr;
  if (OnGetReferenceColumn) OnGetReferenceColumn(this, reference);
  SetValueIndex(reference && reference != this ? reference->ValueIndex() : -1);
  return reference;
}

const TTreeListColumn* TTreeListWrapperColumn::ShownColumn() const {
  if (!OnGetReferenceColumn) return this;
  TTreeListColumn* reference = nullptr;
  // The handler is told which column asks; asking changes nothing in it.
  OnGetReferenceColumn(const_cast<TTreeListWrapperColumn*>(this), reference);
  // A wrapper named in turn could name this one back.
  if (!reference || reference->TreeList() != TreeList() ||
      dynamic_cast<const TTreeListWrapperColumn*>(reference))
    return this;
  return reference;
}
