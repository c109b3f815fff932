#pragma once

#include <string>
#include <vector>

#include "platform/Control.h"
#include "treelist/TreeListExport.h"

class TTreeList;
class TTreeListBand;
class TTreeListColumn;

// One entry of the customizing box: a hidden band or a hidden column, as its header shows it.
struct LISTCHART_TREELIST_API TTreeListCustomizingItem {
  // The band, or null for a column.
  TTreeListBand* Band = nullptr;
  // The column, or null for a band.
  TTreeListColumn* Column = nullptr;
  // The text its header shows.
  std::string Caption;
};

// The customizing box's contents: the bands and columns the user has hidden and may show
// again (those with DisableCustomizing are not offered), each drawn as its header. An item
// pressed and moved is dragged through the window's drag and drop onto the tree-list's band or
// header panel, where it lands as a dragged header would.
class LISTCHART_TREELIST_API TTreeListCustomizingBox : public TControl {
 public:
  // The box of a tree-list, which owns it.
  explicit TTreeListCustomizingBox(TTreeList& tree);

  // The hidden bands first, then the hidden columns, each in collection or list order.
  const std::vector<TTreeListCustomizingItem>& Items() const { return FItems; }
  // Lists the items again from the tree-list and repaints; an item dragged meanwhile that is
  // no longer hidden is let go of.
  void Refresh();
  // The item's place in the box, scrolled; empty when it is out of range.
  TRect ItemRect(int index) const;
  // The item at a client point, -1 for none.
  int ItemAt(TPoint p) const;
  // The first item shown; the box scrolls by whole items.
  int TopIndex() const { return FTopIndex; }
  // Scrolls so that this item comes first, within the items there are.
  void SetTopIndex(int value);
  // The item a drag out of the box carries now; null while none runs.
  const TTreeListCustomizingItem* DraggedItem() const;
  // The item held down by the mouse, drawn pressed while over it; -1 for none.
  int PressedItem() const { return FPressed; }
  // A client size that shows this many items without scrolling.
  TSize SizeFor(int items) const;

  void Paint(TCanvas& canvas, const TRect& updateRect) override;
  void Resized() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool MouseWheel(TShiftState shift, int notches, int x, int y) override;
  void KeyDown(int& key, TShiftState shift) override;
  void Scroll(TScrollBarKind kind, TScrollCode code, int position) override;
  void EndDrag(bool dropped) override;
  void CaptureLost() override;

 private:
  int ItemHeight() const;
  int PageItems() const;
  void UpdateScrollBar();
  void SetPressed(int index);
  void StartItemDrag(int index);
  void EndPress();

  TTreeList& FTree;
  std::vector<TTreeListCustomizingItem> FItems;
  int FTopIndex = 0;
  int FPressed = -1;
  bool FPressShown = false;
  TPoint FPressPoint;
  TTreeListCustomizingItem FDragged;
  bool FDragging = false;
};
