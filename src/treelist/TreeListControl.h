#pragma once

#include <memory>
#include <vector>

#include "platform/Color.h"
#include "platform/Font.h"
#include "treelist/CustomTreeList.h"
#include "treelist/TreeListBands.h"
#include "treelist/TreeListColumn.h"
#include "treelist/TreeListOptions.h"

// The tree-list with its columns, bands and options: it creates text nodes and maps each
// column to the node value it shows.
class TCustomTreeListControl : public TCustomTreeList {
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

  // Column and band change notifications.
  void ColumnChanged(TTreeListColumn* column);
  void BandChanged();
  void MoveColumn(int from, int to);

 protected:
  std::unique_ptr<TTreeListNode> CreateNode() override;

 private:
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

class TTreeList : public TCustomTreeListControl {};
