#include "platform/StringList.h"
#include "treelist/model/TreeListControl.h"

namespace {

// The texts sit at each column's position in the column list; a wrapper column writes those
// of the column it shows.
std::vector<int> TextIndexes(const std::vector<TTreeListColumn*>& columns) {
  std::vector<int> indexes;
  for (const TTreeListColumn* c : columns) indexes.push_back(c->ShownColumn()->ValueIndex());
  return indexes;
}

std::string JoinTexts(const TTreeListNode* node, const std::vector<int>& indexes) {
  std::string line;
  for (size_t i = 0; i < indexes.size(); ++i) {
    if (i > 0) line += '\t';
    line += node->Strings(indexes[i]);
  }
  return line;
}

}  // namespace

// Header row by header row; in each, the visible bands from the left, each band's columns in
// list order.
std::vector<TTreeListColumn*> TCustomTreeListControl::DisplayedColumns() const {
  std::vector<TTreeListColumn*> columns;
  for (int row = 0; row < HeaderPanelRowCount(); ++row)
    for (int band = 0; band < FBands.Count(); ++band) {
      const TTreeListBand* b = FBands.Items(band);
      if (!b->Visible()) continue;
      for (auto& c : FColumns)
        if (c->Visible() && c->BandIndex() == band && c->RowIndex() == row)
          columns.push_back(c.get());
    }
  return columns;
}

int TCustomTreeListControl::DisplayedColumnCount() const {
  return static_cast<int>(DisplayedColumns().size());
}

std::string TCustomTreeListControl::HeaderLine() const {
  std::string line;
  const auto columns = DisplayedColumns();
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) line += '\t';
    if (!columns[i]->DisableCaption()) line += columns[i]->Caption();
  }
  return line + "\r\n";
}

std::string TCustomTreeListControl::NodeLine(const TTreeListNode* node) const {
  return node ? JoinTexts(node, TextIndexes(DisplayedColumns())) : std::string();
}

void TCustomTreeListControl::SaveAllToStrings(TStrings& lines) {
  lines.Add(HeaderLine());
  const auto columns = TextIndexes(DisplayedColumns());
  ForEachVisibleNode([&](TTreeListNode* node) { lines.Add(JoinTexts(node, columns)); });
}

void TCustomTreeListControl::SaveSelectedToStrings(TStrings& lines) {
  lines.Add(HeaderLine());
  const auto columns = TextIndexes(DisplayedColumns());
  if (HasOption(aoMultiSelect)) {
    // Tree order, collapsed parts included: one pass over the whole tree finds them in it.
    if (SelectionList().empty()) return;
    ForEachNode([&](TTreeListNode* node) {
      if (node->Selected()) lines.Add(JoinTexts(node, columns));
    });
  } else if (FocusedNode()) {
    lines.Add(JoinTexts(FocusedNode(), columns));
  }
}

void TCustomTreeListControl::SaveToTextFile(const std::string& fileName, TFileOps* ops) {
  TStringList lines;
  SaveAllToStrings(lines);
  lines.SaveToFile(fileName, ops);
}

void TCustomTreeListControl::CopySelectedToClipboard() {
  if (!FClipboard) return;
  TStringList lines;
  SaveSelectedToStrings(lines);
  FClipboard->SetText(lines.Text());
}
