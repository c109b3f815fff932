#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
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

// The most header rows and band panel lines a tree-list takes: far beyond any screen, and
// what a stored layout may hold.
inline constexpr int kMaxPanelRowCount = 100;

// The tree-list with its columns, bands and options: it creates text nodes and maps each
// column to the node value it shows.
class LISTCHART_TREELIST_API TCustomTreeListControl : public TCustomTreeList {
 public:
  // Starts with one band, no columns and the default options.
  TCustomTreeListControl();
  ~TCustomTreeListControl() override;

  // Nodes keep their Data value here.
  bool AllowNodeData() const override { return true; }

  // Columns, in list order; the order is both the left-to-right order inside a band row and
  // the default value index.
  int ColumnCount() const { return static_cast<int>(FColumns.size()); }
  // The column at a list index; null out of range.
  TTreeListColumn* Columns(int index) const;
  // The list index of a column; -1 when it is not one of these.
  int IndexOfColumn(const TTreeListColumn* column) const;
  // Makes a column of type T at the end of the list and returns it, owned by the tree-list.
  template <class T = TTreeListColumn>
  T* CreateColumn() {
    auto column = std::make_unique<T>();
    T* result = column.get();
    AddColumn(std::move(column));
    return result;
  }
  // Adds a column at the end of the list, taking ownership, and returns it; null for null.
  TTreeListColumn* AddColumn(std::unique_ptr<TTreeListColumn> column);
  // Detaches a column; the node values at its value index are deleted, later ones move down.
  std::unique_ptr<TTreeListColumn> RemoveColumn(TTreeListColumn* column);
  // Removes a column as RemoveColumn does and destroys it.
  void DeleteColumn(TTreeListColumn* column) { RemoveColumn(column); }

  // Bands.
  TTreeListBands& Bands() { return FBands; }
  // The bands, read-only.
  const TTreeListBands& Bands() const { return FBands; }
  // The number of visible bands.
  int VisibleBandCount() const { return FBands.VisibleCount(); }
  // The visible band at a visible index; null out of range.
  TTreeListBand* VisibleBands(int visibleIndex) const;

  // Header rows and positions inside bands, read by layout and painting.
  int HeaderRowsInBand(int band) const;
  // How many visible columns stand in a band's header row.
  int ColumnsInBandRow(int band, int row) const;
  // The visible column at a position in a band's header row; null for none.
  TTreeListColumn* ColumnAt(int band, int row, int position) const;

  // The most text lines the band panel may be sized to; 5 by default.
  int BandMaxRowCount() const { return FBandMaxRowCount; }
  // Sets that limit (1 to kMaxPanelRowCount), lowering BandRowCount to it if needed.
  void SetBandMaxRowCount(int value);
  // Text lines of the band panel's height; 1 by default.
  int BandRowCount() const { return FBandRowCount; }
  // Sets the band panel's lines, clamped to 1 and BandMaxRowCount.
  void SetBandRowCount(int value);
  // Whether the columns stand in one band and one header row, as at the start; true by
  // default. Adding a band or a header row turns it off.
  bool DefaultLayout() const { return FDefaultLayout; }
  // True goes back to that layout: bands hidden, one header row, one visible band holding every
  // column. False only clears the flag.
  void SetDefaultLayout(bool value);
  // The least text lines a column header is high; 1 by default.
  int HeaderMinRowCount() const { return FHeaderMinRowCount; }
  // Sets that count; values below 1 count as 1.
  void SetHeaderMinRowCount(int value);
  // The most header rows the header panel may have; 5 by default.
  int HeaderPanelMaxRowCount() const { return FHeaderPanelMaxRowCount; }
  // Sets that limit (1 to kMaxPanelRowCount), lowering HeaderPanelRowCount to it if needed.
  void SetHeaderPanelMaxRowCount(int value);
  // How many header rows the columns may stand in; 1 by default. With aoAutoHeaderPanelHeight
  // as many rows as the highest row set of a column shown needs, whatever was set.
  int HeaderPanelRowCount() const {
    return FOptionsEx.Contains(aoAutoHeaderPanelHeight) ? FAutoHeaderRows : FHeaderPanelRowCount;
  }
  // The count as set, which the header follows while aoAutoHeaderPanelHeight is off.
  int StoredHeaderPanelRowCount() const { return FHeaderPanelRowCount; }
  // The highest header row a column may be put in: with aoAutoHeaderPanelHeight a new row
  // below the others makes the panel grow.
  int HeaderRowLimit() const {
    return FOptionsEx.Contains(aoAutoHeaderPanelHeight) ? FHeaderPanelMaxRowCount - 1
                                                        : HeaderPanelRowCount() - 1;
  }
  // Sets the header rows, clamped to 1 and HeaderPanelMaxRowCount; more than one ends
  // DefaultLayout.
  void SetHeaderPanelRowCount(int value);
  // Whether the band panel shows above the column headers; false by default.
  bool ShowBands() const { return FShowBands; }
  // Shows or hides the band panel.
  void SetShowBands(bool value);

  // The background of the rows and of cells without a colour of their own; clWindow by
  // default.
  TColor Color() const { return FColor; }
  // Sets the background and repaints.
  void SetColor(TColor value);
  // The control's font, which the cells and panels use unless given their own.
  const TFont& Font() const { return FFont; }
  // Copies a font into the control's font and lays the control out again.
  void SetFont(const TFont& value);

  // The behaviour options; kDefaultTreeListOptions at the start.
  TTreeListOptions Options() const { return FOptions; }
  // Sets the options. aoRowSelect turns aoInvertSelect off, aoAutoSort starts without sort
  // marks; the selection is reset to the focused node.
  void SetOptions(TTreeListOptions value);
  // The further options; kDefaultTreeListOptionsEx at the start.
  TTreeListOptionsEx OptionsEx() const { return FOptionsEx; }
  // Sets the further options; aoInvertSelect turns aoRowSelect off, and leaving aoMultiSort or
  // changing aoAnsiSort clears the sort marks.
  void SetOptionsEx(TTreeListOptionsEx value);

  // Sorting. A column's SetSorted runs the sort; these are the rest of it.
  const std::vector<TTreeListColumn*>& SortColumns() const { return FSortColumns; }
  // Non-zero while sort marks change without sorting in between.
  int SortLockCount() const { return FSortLockCount; }
  // Whether a re-sort waits for the end of the update (aoAutoSortRefresh).
  bool ResortPending() const { return FResortPending; }
  // A header click as the mouse handling reports it, with the Shift and Ctrl state.
  void ColumnHeaderClick(TTreeListColumn* column, bool shift, bool ctrl);
  // Reorders sibling lists: level -1 every list, level k the lists at that depth.
  virtual void SortNodes(int level, int valueIndex, bool descending);
  // The text a node sorts by in a value index: upper-cased with aoCaseInsensitive.
  virtual std::string SortKey(const TTreeListNode* node, int valueIndex) const;
  // Sorts again by the current primary sorted column.
  virtual void Resort();
  // Re-sorts with aoAutoSortRefresh: at once, or at the end of an open update.
  void RequestResort() override;
  // Replaces the sort marks with these, in this order (the first sorts first), and sorts
  // again; columns of another tree-list and csNone entries are skipped.
  void RestoreSortColumns(
      const std::vector<std::pair<TTreeListColumn*, TTreeListColumnSort>>& sorts);
  // The mark a column header shows.
  TTreeListColumnSort ColumnSortMark(TTreeListColumn* column);

  // A column header was clicked; before any sort.
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column)> OnColumnClick;
  // With aoAutoSort, a header click is about to sort; set allow to false to refuse.
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column, bool& allow)>
      OnColumnSorting;
  // Replaces the built-in comparison: a negative compare puts node1 first.
  std::function<void(TCustomTreeListControl* sender, TTreeListNode* node1, TTreeListNode* node2,
                     int& compare)>
      OnCompare;
  // Asked for the sort mark a header shows: sorted starts as the column's Sorted().
  std::function<void(TCustomTreeListControl* sender, TTreeListColumn* column,
                     TTreeListColumnSort& sorted)>
      OnColumnSorted;

  // Text export: one TAB-separated line per visible row, under a line of captions.
  // The columns shown, in display order: header row by header row, band by band.
  std::vector<TTreeListColumn*> DisplayedColumns() const;
  // The captions of the shown columns, TAB-separated; ends in CR LF itself.
  std::string HeaderLine() const;
  // A node's texts in the shown columns, TAB-separated; empty for null.
  std::string NodeLine(const TTreeListNode* node) const;
  // Adds the header line and a line for every visible row.
  virtual void SaveAllToStrings(TStrings& lines);
  // Adds the header line and a line for every selected node in tree order (the focused node
  // without aoMultiSelect).
  virtual void SaveSelectedToStrings(TStrings& lines);
  // Replaces the file only once all of it is written; on failure raises, naming the file,
  // and leaves an existing file as it was.
  void SaveToTextFile(const std::string& fileName, TFileOps* ops = nullptr);
  // Without a clipboard (the default: the control works without a desktop) this does nothing.
  void CopySelectedToClipboard();
  // The clipboard CopySelectedToClipboard writes to; null by default, not owned.
  TClipboard* Clipboard() const { return FClipboard; }
  // Sets the clipboard (not owned; null for none).
  void SetClipboard(TClipboard* clipboard) { FClipboard = clipboard; }

  // Column and band change notifications.
  void ColumnChanged(TTreeListColumn* column);
  // Relayouts after a band changed; with other than one band, DefaultLayout ends.
  void BandChanged();
  // Moves a column between list positions, its node values with it; out-of-range positions
  // do nothing.
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
  // Stores a value and repaints when it changed.
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
  // Counts the header rows the columns shown need, for aoAutoHeaderPanelHeight.
  void CountAutoHeaderRows();
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
  int FAutoHeaderRows = 1;
  bool FShowBands = false;
  TColor FColor = clWindow;
  TFont FFont;
  TTreeListOptions FOptions = kDefaultTreeListOptions;
  TTreeListOptionsEx FOptionsEx = kDefaultTreeListOptionsEx;
};
