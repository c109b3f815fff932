#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Property.h"
#include "platform/StringList.h"
#include "treelist/TreeListExport.h"
#include "treelist/model/CustomTreeList.h"
#include "treelist/model/TreeListBands.h"
#include "treelist/model/TreeListColumn.h"
#include "treelist/model/TreeListOptions.h"

class TFileOps;

// The tree-list with its columns, bands and options: it creates text nodes and maps each
// column to the node value it shows.
class LISTCHART_TREELIST_API TCustomTreeListControl : public TCustomTreeList {
 public:
  TCustomTreeListControl();
  ~TCustomTreeListControl() override;

  bool AllowNodeData() const override { return true; }

  // Columns, in list order; the order is both the left-to-right order inside a band row and
  // the default value index.
  int ColumnCount() const { return static_cast<int>(FColumns.size()); }
  TTreeListColumn* Columns(int index) const;
  int IndexOfColumn(const TTreeListColumn* column) const;
  template <class T = TTreeListColumn>
  T* CreateColumn() {
    auto column = std::make_unique<T>();
    T* result = column.get();
    AddColumn(std::move(column));
    return result;
  }
  TTreeListColumn* AddColumn(std::unique_ptr<TTreeListColumn> column);
  // Detaches a column; the node values at its value index are deleted, later ones move down.
  std::unique_ptr<TTreeListColumn> RemoveColumn(TTreeListColumn* column);
  void DeleteColumn(TTreeListColumn* column) { RemoveColumn(column); }

  // Bands.
  TTreeListBands& Bands() { return FBands; }
  const TTreeListBands& Bands() const { return FBands; }
  int VisibleBandCount() const { return FBands.VisibleCount(); }
  TTreeListBand* VisibleBands(int visibleIndex) const;

  // Header rows and positions inside bands, read by layout and painting.
  int HeaderRowsInBand(int band) const;
  int ColumnsInBandRow(int band, int row) const;
  TTreeListColumn* ColumnAt(int band, int row, int position) const;

  int BandMaxRowCount() const { return FBandMaxRowCount; }
  void SetBandMaxRowCount(int value);
  int BandRowCount() const { return FBandRowCount; }
  void SetBandRowCount(int value);
  bool DefaultLayout() const { return FDefaultLayout; }
  void SetDefaultLayout(bool value);
  int HeaderMinRowCount() const { return FHeaderMinRowCount; }
  void SetHeaderMinRowCount(int value);
  int HeaderPanelMaxRowCount() const { return FHeaderPanelMaxRowCount; }
  void SetHeaderPanelMaxRowCount(int value);
  int HeaderPanelRowCount() const { return FHeaderPanelRowCount; }
  void SetHeaderPanelRowCount(int value);
  bool ShowBands() const { return FShowBands; }
  void SetShowBands(bool value);

  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& value);

  TTreeListOptions Options() const { return FOptions; }
  void SetOptions(TTreeListOptions value);
  TTreeListOptionsEx OptionsEx() const { return FOptionsEx; }
  void SetOptionsEx(TTreeListOptionsEx value);

  // Sorting. A column's SetSorted runs the sort; these are the rest of it.
  const std::vector<TTreeListColumn*>& SortColumns() const { return FSortColumns; }
  int SortLockCount() const { return FSortLockCount; }
  bool ResortPending() const { return FResortPending; }
  // A header click as the mouse handling reports it, with the Shift and Ctrl state.
  void ColumnHeaderClick(TTreeListColumn* column, bool shift, bool ctrl);
  // Reorders sibling lists: level -1 every list, level k the lists at that depth.
  virtual void SortNodes(int level, int valueIndex, bool descending);
  virtual std::string SortKey(const TTreeListNode* node, int valueIndex) const;
  // Sorts again by the current primary sorted column.
  virtual void Resort();
  void RequestResort() override;
  // The mark a column header shows.
  TTreeListColumnSort ColumnSortMark(TTreeListColumn* column);

  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column)> OnColumnClick;
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column, bool& allow)>
      OnColumnSorting;
  // Replaces the built-in comparison: a negative compare puts node1 first.
  std::function<void(TCustomTreeListControl* sender, TTreeListNode* node1, TTreeListNode* node2,
                     int& compare)>
      OnCompare;
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column,
                     TTreeListColumnSort& sorted)>
      OnColumnSorted;

  // Text export: one TAB-separated line per visible row, under a line of captions.
  std::vector<TTreeListColumn*> DisplayedColumns() const;  // in display order
  std::string HeaderLine() const;                          // ends in CR LF itself
  std::string NodeLine(const TTreeListNode* node) const;
  virtual void SaveAllToStrings(TStrings& lines);
  virtual void SaveSelectedToStrings(TStrings& lines);
  // Replaces the file only once all of it is written; on failure raises, naming the file,
  // and leaves an existing file as it was.
  void SaveToTextFile(const std::string& fileName, TFileOps* ops = nullptr);
  // Without a clipboard (the default: the control works without a desktop) this does nothing.
  void CopySelectedToClipboard();
  TClipboard* Clipboard() const { return FClipboard; }
  void SetClipboard(TClipboard* clipboard) { FClipboard = clipboard; }

  // Column and band change notifications.
  void ColumnChanged(TTreeListColumn* column);
  void BandChanged();
  void MoveColumn(int from, int to);

 protected:
  std::unique_ptr<TTreeListNode> CreateNode() override;
  bool HasOption(TTreeListOption option) const override { return FOptions.Contains(option); }
  int DisplayedColumnCount() const override;
  void PerformPendingResort() override;
  void Loaded() override;

  // The setters of published values: a change of what is measured lays the control out
  // again, a change of colour or line style only repaints.
  template <typename T>
  void ChangeLayout(T& field, const T& value) {
    SetProperty(field, value, [this] { View().RecomputeMetrics(); });
  }
  template <typename T>
  void ChangeLook(T& field, const T& value) {
    SetProperty(field, value, [this] { View().RepaintAll(); });
  }

 private:
  friend class TTreeListColumn;
  struct TSortKeyColumn {
    int ValueIndex;
    bool Descending;
  };
  void SetColumnSorted(TTreeListColumn* column, TTreeListColumnSort value);
  void ClearSortStates();
  struct TSortScratch;
  void SortList(TTreeListNode::TNodeList& list, const std::vector<TSortKeyColumn>& keys,
                TSortScratch& scratch);

  std::vector<TTreeListColumn*> FSortColumns;
  int FSortLockCount = 0;
  bool FResortPending = false;
  bool FMultiAdd = false;
  bool FClearFlag = false;
  TClipboard* FClipboard = nullptr;
  std::vector<std::unique_ptr<TTreeListColumn>> FColumns;
  TTreeListBands FBands{this};
  int FBandMaxRowCount = 5;
  int FBandRowCount = 1;
  bool FDefaultLayout = true;
  bool FApplyingLayout = false;
  int FHeaderMinRowCount = 1;
  int FHeaderPanelMaxRowCount = 5;
  int FHeaderPanelRowCount = 1;
  bool FShowBands = false;
  TColor FColor = clWindow;
  TFont FFont;
  TTreeListOptions FOptions = kDefaultTreeListOptions;
  TTreeListOptionsEx FOptionsEx = kDefaultTreeListOptionsEx;
};
