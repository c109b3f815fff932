#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Property.h"
#include "platform/TextTypes.h"
#include "treelist/TreeListExport.h"

class TCustomTreeListControl;
class TTreeListBands;

enum TGridBandFixed { bfNone, bfLeft, bfRight };

// A group of columns side by side under one band header.
class LISTCHART_TREELIST_API TTreeListBand {
 public:
  explicit TTreeListBand(TTreeListBands* collection) : FCollection(collection) {}

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  bool DisableCustomizing() const { return FDisableCustomizing; }
  void SetDisableCustomizing(bool value);
  bool DisableDragging() const { return FDisableDragging; }
  void SetDisableDragging(bool value);
  TGridBandFixed Fixed() const { return FFixed; }
  void SetFixed(TGridBandFixed value);
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int value);
  bool OnlyOwnColumns() const { return FOnlyOwnColumns; }
  void SetOnlyOwnColumns(bool value);
  bool Sizing() const { return FSizing; }
  void SetSizing(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  int Width() const { return FWidth; }
  void SetWidth(int value);

  // Position in the collection; moving a band keeps its columns with it.
  int Index() const;
  void SetIndex(int value);
  int VisibleIndex() const;

 private:
  friend class TTreeListBands;
  void Changed();
  template <typename T>
  void Change(T& field, const T& value) {
    SetProperty(field, value, [this] { Changed(); });
  }

  TTreeListBands* FCollection;
  TAlignment FAlignment = taCenter;
  std::string FCaption;
  bool FDisableCustomizing = false;
  bool FDisableDragging = false;
  TGridBandFixed FFixed = bfNone;
  int FMinWidth = 30;
  bool FOnlyOwnColumns = false;
  bool FSizing = true;
  bool FVisible = true;
  int FWidth = 250;
};

// The bands of one tree-list in collection order.
class LISTCHART_TREELIST_API TTreeListBands {
 public:
  explicit TTreeListBands(TCustomTreeListControl* treeList) : FTreeList(treeList) {}

  TCustomTreeListControl* TreeList() const { return FTreeList; }
  int Count() const { return static_cast<int>(FBands.size()); }
  TTreeListBand* Items(int index) const;
  TTreeListBand* Add();
  // Deletes a band; its columns leave every band and later bands' columns follow them.
  void Delete(int index);
  int IndexOf(const TTreeListBand* band) const;

  // Visible index: rank among the visible bands in collection order; -1 for none.
  int VisibleCount() const;
  int VisibleIndexToIndex(int visibleIndex) const;
  int IndexToVisibleIndex(int index) const;
  // The tree-list keeps a list of the visible bands between relayouts; without it the
  // mapping counts.
  void RebuildVisibleCache();
  void DropVisibleCache() { FVisibleCacheBuilt = false; }

  // At most a visible first band may be fixed left and the last visible band fixed right.
  void NormalizeFixed();

 private:
  friend class TTreeListBand;
  void Move(int from, int to);
  void FixBand(TTreeListBand* band, TGridBandFixed value);
  void BandChanged();

  TCustomTreeListControl* FTreeList;
  std::vector<std::unique_ptr<TTreeListBand>> FBands;
  std::vector<int> FVisibleCache;
  bool FVisibleCacheBuilt = false;
  bool FNormalizing = false;
};
