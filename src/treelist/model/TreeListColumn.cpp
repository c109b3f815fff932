#include "treelist/model/TreeListColumn.h"

#include <algorithm>
#include <cctype>

#include "platform/LocaleText.h"
#include "treelist/model/TreeListBands.h"
#include "treelist/model/TreeListControl.h"

TTreeListColumn::~TTreeListColumn() = default;

void TTreeListColumn::Changed() {
  if (FTreeList) FTreeList->ColumnChanged(this);
}

TAlignment TTreeListColumn::Alignment() const {
  return Assigned(cavAlignment) ? FAlignment : DefaultAlignment();
}

void TTreeListColumn::SetAlignment(TAlignment value) {
  if (StoreAssigned(FAlignment, value, cavAlignment)) Changed();
}

std::string TTreeListColumn::Caption() const {
  return Assigned(cavCaption) ? FCaption : DefaultCaption();
}

void TTreeListColumn::SetCaption(const std::string& value) {
  if (!StoreAssigned(FCaption, value, cavCaption)) return;
  if (!Assigned(cavWidth)) FWidth = DefaultWidth();
  Changed();
}

bool TTreeListColumn::ReadOnly() const {
  return Assigned(cavReadOnly) ? FReadOnly : DefaultReadOnly();
}

void TTreeListColumn::SetReadOnly(bool value) {
  if (StoreAssigned(FReadOnly, value, cavReadOnly)) Changed();
}

int TTreeListColumn::Width() const {
  return Assigned(cavWidth) ? FWidth : DefaultWidth();
}

void TTreeListColumn::SetWidth(int value) {
  value = std::clamp(value, FMinWidth, kMaxColumnWidth);
  if (!Assigned(cavWidth) && value == DefaultWidth()) return;
  if (StoreAssigned(FWidth, value, cavWidth)) Changed();
}

TColor TTreeListColumn::Color() const {
  if (Assigned(cavColor)) return FColor;
  return FTreeList ? FTreeList->Color() : clWindow;
}

void TTreeListColumn::SetColor(TColor value) {
  if (StoreAssigned(FColor, value, cavColor)) Changed();
}

const TFont& TTreeListColumn::Font() const {
  if (Assigned(cavFont) || !FTreeList) return FFont;
  return FTreeList->Font();
}

void TTreeListColumn::SetFont(const TFont& value) {
  if (StoreAssigned(FFont, value, cavFont)) Changed();
}

int TTreeListColumn::MaxLength() const {
  return Assigned(cavMaxLength) ? FMaxLength : DefaultMaxLength();
}

void TTreeListColumn::SetMaxLength(int value) {
  if (StoreAssigned(FMaxLength, value, cavMaxLength)) Changed();
}

void TTreeListColumn::RestoreDefaults() {
  FAssignedValues = 0;
  FFont = TFont();
  FDisableEditor = FDisableCaption = FDisableCustomizing = false;
  FHeaderAlignment = taLeftJustify;
  FMinWidth = 20;
  FSizing = true;
  FSorted = csNone;
  if (FTreeList) std::erase(FTreeList->FSortColumns, this);  // no sort key on an unsorted column
  FTabStop = true;
  FVertAlignment = tlTop;
  Changed();
}

void TTreeListColumn::SetMinWidth(int value) {
  SetProperty(FMinWidth, std::clamp(value, 0, kMaxColumnWidth), [this] {
    SetWidth(Width());
    Changed();
  });
}

void TTreeListColumn::SetHeaderMaxLineCount(int value) {
  Change(FHeaderMaxLineCount, std::max(value, 0));
}

void TTreeListColumn::SetSorted(TTreeListColumnSort value) {
  if (value == FSorted) return;
  if (FTreeList && !FTreeList->Loading()) {
    FTreeList->SetColumnSorted(this, value);
    return;
  }
  FSorted = value;
  // While loading, the sort keys keep the order they are set in.
  if (FTreeList) {
    std::vector<TTreeListColumn*>& keys = FTreeList->FSortColumns;
    if (value == csNone)
      std::erase(keys, this);
    else if (std::find(keys.begin(), keys.end(), this) == keys.end())
      keys.push_back(this);
  }
  Changed();
}

int TTreeListColumn::Index() const {
  return FTreeList ? FTreeList->IndexOfColumn(this) : -1;
}

void TTreeListColumn::SetIndex(int value) {
  if (!FTreeList) return;
  value = std::clamp(value, 0, FTreeList->ColumnCount() - 1);
  const int from = Index();
  if (value == from) return;
  FTreeList->MoveColumn(from, value);
}

bool TTreeListColumn::Displayed() const {
  if (!FTreeList || !FVisible || FBandIndex < 0) return false;
  const TTreeListBand* band = FTreeList->Bands().Items(FBandIndex);
  return band && band->Visible();
}

int TTreeListColumn::ColIndex() const {
  if (!FTreeList) return -1;
  const int row = RowIndex();
  int count = 0;
  for (int i = 0; i < FTreeList->ColumnCount(); ++i) {
    const TTreeListColumn* c = FTreeList->Columns(i);
    if (c->FVisible && c->FBandIndex == FBandIndex && c->RowIndex() == row) ++count;
    if (c == this) return count - 1;
  }
  return -1;
}

void TTreeListColumn::SetColIndex(int value) {
  if (!FTreeList || FBandIndex == -1 || value == ColIndex()) return;
  const int row = RowIndex();
  const int count = FTreeList->ColumnsInBandRow(FBandIndex, row);
  if (count == 0) return;
  value = std::clamp(value, 0, count - 1);
  int target = FTreeList->ColumnAt(FBandIndex, row, value)->Index();
  if (count == value + 1) ++target;
  SetIndex(target);
}

void TTreeListColumn::SetBandIndex(int value) {
  if (FTreeList) value = std::clamp(value, -1, FTreeList->Bands().Count() - 1);
  Change(FBandIndex, std::max(value, -1));
}

int TTreeListColumn::RowIndex() const {
  if (!FTreeList) return FRowIndex;
  const int rows = FTreeList->HeaderPanelRowCount();
  return FRowIndex >= rows ? rows - 1 : FRowIndex;
}

void TTreeListColumn::SetRowIndex(int value) {
  value = std::max(value, 0);
  if (FTreeList) value = std::min(value, FTreeList->HeaderRowLimit());
  Change(FRowIndex, value);
}

std::string TTreeListColumn::DisplayText(const std::string& text) const {
  if (FPasswordChar != '\0') {
    // One mark a character as the text would show, an invalid byte included.
    return std::string(static_cast<size_t>(CharacterCount(text)), FPasswordChar);
  }
  if (FCharCase == ecNormal) return text;
  const bool upper = FCharCase == ecUpperCase;
  // Letters beyond ASCII have cases too; plain ASCII, the usual text, is converted here.
  if (std::any_of(text.begin(), text.end(), [](char c) { return c & 0x80; }))
    return upper ? AnsiUpperCase(text) : AnsiLowerCase(text);
  std::string result = text;
  for (char& c : result) {
    const auto u = static_cast<unsigned char>(c);
    c = static_cast<char>(upper ? std::toupper(u) : std::tolower(u));
  }
  return result;
}

std::string TTreeListColumn::CellText(const TTreeListNode* node) const {
  const TTreeListColumn* shown = ShownColumn();
  return shown->DisplayText(node->Strings(shown->ValueIndex()));
}
