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
  // Made by TTreeListBands::Add, which owns the band.
  explicit TTreeListBand(TTreeListBands* collection) : FCollection(collection) {}

  // Horizontal alignment of the band header's caption; taCenter by default.
  TAlignment Alignment() const { return FAlignment; }
  // Sets the caption's alignment.
  void SetAlignment(TAlignment value);
  // The band header's text; empty by default.
  const std::string& Caption() const { return FCaption; }
  // Sets the band header's text.
  void SetCaption(const std::string& value);
  // Whether the user may not hide the band by dragging it off the band panel, nor find it in
  // the customizing box while hidden; false by default.
  bool DisableCustomizing() const { return FDisableCustomizing; }
  // Sets DisableCustomizing.
  void SetDisableCustomizing(bool value);
  // Whether the band header cannot be dragged to another place; false by default.
  bool DisableDragging() const { return FDisableDragging; }
  // Sets DisableDragging.
  void SetDisableDragging(bool value);
  // Whether the band stays put at the left (bfLeft) or right (bfRight) edge while the
  // others scroll; bfNone by default.
  TGridBandFixed Fixed() const { return FFixed; }
  // Fixes the band, moving it first (bfLeft) or last (bfRight) and unfixing the band fixed
  // there before; a hidden band is moved but not fixed.
  void SetFixed(TGridBandFixed value);
  // The narrowest the user can size the band, in pixels; 30 by default.
  int MinWidth() const { return FMinWidth; }
  // Sets the minimum (0 to kMaxColumnWidth) and widens the band to it if needed.
  void SetMinWidth(int value);
  // Whether a dragged column from another band may not be dropped here; false by default.
  bool OnlyOwnColumns() const { return FOnlyOwnColumns; }
  // Sets OnlyOwnColumns.
  void SetOnlyOwnColumns(bool value);
  // Whether the user may size the band; true by default.
  bool Sizing() const { return FSizing; }
  // Sets Sizing.
  void SetSizing(bool value);
  // Whether the band and its columns show; true by default.
  bool Visible() const { return FVisible; }
  // Shows or hides the band; hiding it unfixes it.
  void SetVisible(bool value);
  // The band's width in pixels as set; 250 by default.
  int Width() const { return FWidth; }
  // Sets the width, kept between MinWidth and kMaxColumnWidth.
  void SetWidth(int value);

  // Position in the collection; moving a band keeps its columns with it.
  int Index() const;
  // Moves the band to a position, clamped; a fixed band does not move.
  void SetIndex(int value);
  // The band's rank among the visible bands; -1 while hidden.
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
  // Made by the tree-list, which owns the collection.
  explicit TTreeListBands(TCustomTreeListControl* treeList) : FTreeList(treeList) {}

  // The tree-list the bands belong to.
  TCustomTreeListControl* TreeList() const { return FTreeList; }
  // The number of bands, hidden ones included.
  int Count() const { return static_cast<int>(FBands.size()); }
  // The band at index; null out of range.
  TTreeListBand* Items(int index) const;
  // Adds a band at the end and returns it, owned by the collection.
  TTreeListBand* Add();
  // Deletes a band; its columns leave every band and later bands' columns follow them.
  void Delete(int index);
  // The index of a band; -1 when it is not one of these.
  int IndexOf(const TTreeListBand* band) const;

  // Visible index: rank among the visible bands in collection order; -1 for none.
  int VisibleCount() const;
  // The collection index of the visible band at a visible index; -1 for none.
  int VisibleIndexToIndex(int visibleIndex) const;
  // The visible index of the band at a collection index; -1 when it is hidden or absent.
  int IndexToVisibleIndex(int index) const;
  // The tree-list keeps a list of the visible bands between relayouts; without it the
  // mapping counts.
  void RebuildVisibleCache();
  // Forgets the list of visible bands; the mapping counts again until the next rebuild.
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
