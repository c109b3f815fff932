#include "treelist/model/TreeListBands.h"

#include <algorithm>

#include "platform/ScopeGuard.h"
#include "treelist/model/TreeListControl.h"

void TTreeListBand::SetAlignment(TAlignment value) {
  Change(FAlignment, value);
}
void TTreeListBand::SetCaption(const std::string& value) {
  Change(FCaption, value);
}
void TTreeListBand::SetDisableCustomizing(bool value) {
  Change(FDisableCustomizing, value);
}
void TTreeListBand::SetDisableDragging(bool value) {
  Change(FDisableDragging, value);
}
void TTreeListBand::SetOnlyOwnColumns(bool value) {
  Change(FOnlyOwnColumns, value);
}
void TTreeListBand::SetSizing(bool value) {
  Change(FSizing, value);
}

void TTreeListBand::SetMinWidth(int value) {
  SetProperty(FMinWidth, std::clamp(value, 0, kMaxColumnWidth), [this] {
    SetWidth(FWidth);
    Changed();
  });
}

void TTreeListBand::SetWidth(int value) {
  Change(FWidth, std::clamp(value, FMinWidth, kMaxColumnWidth));
}

void TTreeListBand::SetVisible(bool value) {
  SetProperty(FVisible, value, [this] {
    if (!FVisible) FFixed = bfNone;
    Changed();
  });
}

void TTreeListBand::SetFixed(TGridBandFixed value) {
  if (value == FFixed) return;
  if (value == bfNone)
    FFixed = bfNone;
  else
    FCollection->FixBand(this, value);
  Changed();
}

int TTreeListBand::Index() const {
  return FCollection->IndexOf(this);
}

void TTreeListBand::SetIndex(int value) {
  value = std::clamp(value, 0, FCollection->Count() - 1);
  const int from = Index();
  if (value == from || FFixed != bfNone) return;
  FCollection->Move(from, value);
  Changed();
}

int TTreeListBand::VisibleIndex() const {
  return FCollection->IndexToVisibleIndex(Index());
}

void TTreeListBand::Changed() {
  FCollection->BandChanged();
}

TTreeListBand* TTreeListBands::Items(int index) const {
  return index >= 0 && index < Count() ? FBands[index].get() : nullptr;
}

TTreeListBand* TTreeListBands::Add() {
  FBands.push_back(std::make_unique<TTreeListBand>(this));
  BandChanged();
  return FBands.back().get();
}

int TTreeListBands::IndexOf(const TTreeListBand* band) const {
  for (int i = 0; i < Count(); ++i)
    if (FBands[i].get() == band) return i;
  return -1;
}

void TTreeListBands::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  if (!FTreeList->Loading() && !FTreeList->Locked() && !FTreeList->Destroying()) {
    for (int i = 0; i < FTreeList->ColumnCount(); ++i) {
      TTreeListColumn* column = FTreeList->Columns(i);
      if (column->BandIndex() == index)
        column->SetBandIndex(-1);
      else if (column->BandIndex() > index)
        column->SetBandIndex(column->BandIndex() - 1);
    }
  }
  FBands.erase(FBands.begin() + index);
  BandChanged();
}

void TTreeListBands::Move(int from, int to) {
  for (int i = 0; i < FTreeList->ColumnCount(); ++i) {
    TTreeListColumn* column = FTreeList->Columns(i);
    const int b = column->BandIndex();
    if (b == from)
      column->SetBandIndex(to);
    else if (from < to && b > from && b <= to)
      column->SetBandIndex(b - 1);
    else if (from > to && b >= to && b < from)
      column->SetBandIndex(b + 1);
  }
  auto band = std::move(FBands[from]);
  FBands.erase(FBands.begin() + from);
  FBands.insert(FBands.begin() + to, std::move(band));
}

void TTreeListBands::FixBand(TTreeListBand* band, TGridBandFixed value) {
  for (auto& other : FBands)
    if (other.get() != band && other->FFixed == value) other->FFixed = bfNone;
  const int from = IndexOf(band);
  const int to = value == bfLeft ? 0 : Count() - 1;
  if (from != to) Move(from, to);
  if (band->FVisible) band->FFixed = value;
}

void TTreeListBands::NormalizeFixed() {
  int lastVisible = -1;
  for (int i = 0; i < Count(); ++i)
    if (FBands[i]->FVisible) lastVisible = i;
  bool broken = false;
  TTreeListBand* left = nullptr;
  TTreeListBand* right = nullptr;
  for (int i = 0; i < Count(); ++i) {
    TTreeListBand* band = FBands[i].get();
    if (band->FFixed == bfLeft) {
      if (!left) left = band;
      broken |= i != 0 || !band->FVisible;
    } else if (band->FFixed == bfRight) {
      if (!right) right = band;
      broken |= i != lastVisible;
    }
  }
  if (!broken) return;
  for (auto& band : FBands) band->FFixed = bfNone;
  if (left) FixBand(left, bfLeft);
  if (right) FixBand(right, bfRight);
}

int TTreeListBands::VisibleCount() const {
  if (FVisibleCacheBuilt) return static_cast<int>(FVisibleCache.size());
  return static_cast<int>(
      std::count_if(FBands.begin(), FBands.end(), [](const auto& b) { return b->FVisible; }));
}

int TTreeListBands::VisibleIndexToIndex(int visibleIndex) const {
  if (visibleIndex < 0) return -1;
  if (FVisibleCacheBuilt)
    return visibleIndex < static_cast<int>(FVisibleCache.size()) ? FVisibleCache[visibleIndex] : -1;
  for (int i = 0, seen = 0; i < Count(); ++i)
    if (FBands[i]->FVisible && seen++ == visibleIndex) return i;
  return -1;
}

int TTreeListBands::IndexToVisibleIndex(int index) const {
  const TTreeListBand* band = Items(index);
  if (!band || !band->FVisible) return -1;
  if (FVisibleCacheBuilt) {
    auto it = std::find(FVisibleCache.begin(), FVisibleCache.end(), index);
    return it == FVisibleCache.end() ? -1 : static_cast<int>(it - FVisibleCache.begin());
  }
  int visible = 0;
  for (int i = 0; i < index; ++i)
    if (FBands[i]->FVisible) ++visible;
  return visible;
}

void TTreeListBands::RebuildVisibleCache() {
  FVisibleCache.clear();
  for (int i = 0; i < Count(); ++i)
    if (FBands[i]->FVisible) FVisibleCache.push_back(i);
  FVisibleCacheBuilt = true;
}

void TTreeListBands::BandChanged() {
  if (FNormalizing) return;
  FNormalizing = true;
  const auto normalized = OnScopeExit([this] { FNormalizing = false; });
  FTreeList->BandChanged();
}
