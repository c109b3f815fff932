#pragma once

#include <cstdint>
#include <initializer_list>

// A set of option members stored as bits in member order from bit 0.
template <class E>
class TOptionSet {
 public:
  constexpr TOptionSet() = default;
  // A set holding the members listed.
  constexpr TOptionSet(std::initializer_list<E> members) {
    for (E m : members) FBits |= Bit(m);
  }
  // A set from its bits, as Bits() gave them.
  static constexpr TOptionSet FromBits(uint32_t bits) {
    TOptionSet s;
    s.FBits = bits;
    return s;
  }
  // The members as bits: bit n set for the member of value n.
  constexpr uint32_t Bits() const { return FBits; }
  // Whether the member is in the set.
  constexpr bool Contains(E m) const { return (FBits & Bit(m)) != 0; }
  // Adds the member; returns this set.
  constexpr TOptionSet& Include(E m) {
    FBits |= Bit(m);
    return *this;
  }
  // Removes the member; returns this set.
  constexpr TOptionSet& Exclude(E m) {
    FBits &= ~Bit(m);
    return *this;
  }
  // Sets are equal when they hold the same members.
  friend constexpr bool operator==(TOptionSet a, TOptionSet b) { return a.FBits == b.FBits; }

 private:
  static constexpr uint32_t Bit(E m) { return uint32_t{1} << static_cast<int>(m); }
  uint32_t FBits = 0;
};

enum TTreeListOption {
  aoColumnSizing,
  aoColumnMoving,
  aoEditing,
  aoTabs,
  aoTabThrough,
  aoRowSelect,
  aoMultiSelect,
  aoImmediateEditor,
  aoPreview,
  aoDrawEndEllipsis,
  aoAutoWidth,
  aoExtMultiSelect,
  aoExtCustomizing,
  aoHideFocusRect,
  aoAutoSort,
  aoCaseInsensitive,
  aoStoreToRegistry,
  aoStoreToIniFile
};

// The further options. Members keep their bit order, as stored settings rely on it, so two
// stay that have no effect here: aoUseBitmap (every paint goes through the window's back
// buffer on this platform, so there is no unbuffered drawing to choose) and aoCellMultiSelect
// (the selection holds nodes, not single cells; it serves in-place editors, which are not
// built). aoBandButtonClicking and aoHeaderButtonClicking let the buttons left of the band and
// header panels (shown with the indicator) open and close the customizing box.
enum TTreeListOptionEx {
  aoInvertSelect,
  aoUseBitmap,
  aoBandHeaderWidth,
  aoAutoCalcPreviewLines,
  aoBandSizing,
  aoBandMoving,
  aoHorzThrough,
  aoVertThrough,
  aoCellMultiSelect,
  aoEnterThrough,
  aoEnterShowEditor,
  aoFullSizing,
  aoDragScroll,
  aoDragExpand,
  aoDragCollapse,
  aoRowAutoHeight,
  aoShowHourGlass,
  aoBandButtonClicking,
  aoBandPanelSizing,
  aoHeaderButtonClicking,
  aoHeaderPanelSizing,
  aoRowSizing,
  aoMultiSort,
  aoAutoSortRefresh,
  aoShowButtonAlways,
  aoAutoHeaderPanelHeight,
  aoKeepColumnWidth,
  aoAnsiSort,
  aoMouseScroll,
  aoAutoSearch,
  aoHotTrack,
  aoAutoCopySelectedToClipboard
};

using TTreeListOptions = TOptionSet<TTreeListOption>;
using TTreeListOptionsEx = TOptionSet<TTreeListOptionEx>;

inline constexpr TTreeListOptions kDefaultTreeListOptions{aoColumnSizing, aoColumnMoving, aoEditing,
                                                          aoTabThrough, aoRowSelect};
inline constexpr TTreeListOptionsEx kDefaultTreeListOptionsEx{
    aoUseBitmap,  aoBandHeaderWidth, aoAutoCalcPreviewLines, aoBandSizing, aoBandMoving,
    aoDragScroll, aoDragExpand};

// Which scroll bars a control may show (a memo column's bars too).
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
