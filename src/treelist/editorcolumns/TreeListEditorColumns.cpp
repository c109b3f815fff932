#include "treelist/editorcolumns/TreeListEditorColumns.h"

int TEditButton::Index() const {
  return FCollection->IndexOf(this);
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

TTreeListColumn* TTreeListWrapperColumn::ReferenceColumn() {
  TTreeListColumn* reference = nullptr;
  if (OnGetReferenceColumn) OnGetReferenceColumn(this, reference);
  SetValueIndex(reference && reference != this ? reference->ValueIndex() : -1);
  return reference;
}
