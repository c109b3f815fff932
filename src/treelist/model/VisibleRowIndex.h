#pragma once

#include <cstdint>
#include <vector>

#include "treelist/TreeListExport.h"

class TTreeListNode;

// Maps visible rows to nodes and nodes to rows without walking the tree: the rows in display
// order, plus (creation sequence, row) pairs in sequence order for a binary-search lookup.
// Opening or closing one node moves a block of rows; rather than renumbering every pair, the
// move is noted (as a shift, and in a short table of where the settled rows went) and lookups
// apply it; the pairs are renumbered only after many moves.
class LISTCHART_TREELIST_API TVisibleRowIndex {
 public:
  // Whether a rebuild has finished since the last Clear.
  bool Built() const { return FBuilt; }
  // Whether it is built and has rows.
  bool Usable() const { return FBuilt && !FRows.empty(); }
  // The number of rows.
  int Count() const { return static_cast<int>(FRows.size()); }

  // Forgets every row; not built until a rebuild finishes.
  void Clear();
  // A rebuild row by row, in display order: each node is read once, and the storage of the
  // previous rows is reused.
  void StartRebuild();
  // Adds the next row of a rebuild.
  void AppendRow(TTreeListNode* node);
  // Ends a rebuild: sorts the pairs by sequence, and the index is built.
  void FinishRebuild();

  int RowOf(const TTreeListNode* node) const;  ///< The node's row; -1 when absent.
  TTreeListNode* NodeAt(int row) const;        ///< The row's node; nullptr outside the rows.

  // Inserts one node's row at row (clamped to 0..Count).
  void Insert(TTreeListNode* node, int row);
  // Removes a node's row; a node without one is ignored.
  void Remove(const TTreeListNode* node);
  // A block of rows appearing at row (an expanded node's rows) or vanishing from it.
  void InsertRows(int row, const std::vector<TTreeListNode*>& nodes);
  // Removes count rows from row on (both clamped to the rows).
  void RemoveRows(int row, int count);

 private:
  struct TEntry {
    uint64_t Sequence;
    int32_t Row;
    int32_t Epoch;  // the shifts before this one are already in Row
  };
  struct TShift {
    int32_t From;   // rows at or after this...
    int32_t Delta;  // ...move by this; a negative move first removes the rows it covers
  };
  // Where the rows of the settled pairs are now: from Start on (a settled row) they moved by
  // Offset, or were removed. Kept in Start order as the shifts arrive.
  struct TSegment {
    int32_t Start;
    int32_t Offset;
    bool Removed;
  };
  template <class It>
  static It LowerBound(It first, It last, uint64_t sequence);
  int Resolve(const TEntry& e, const TTreeListNode* node) const;
  // The row now of a pair's row: -1 when it was removed since.
  int Moved(const TEntry& e) const;
  void NoteShift(TShift shift);
  void SplitAt(int currentRow);
  // Folds the shifts and the added pairs into the sorted pairs.
  void Settle();

  std::vector<TTreeListNode*> FRows;
  std::vector<TEntry> FOrder;
  std::vector<TEntry> FAdded;  // pairs of rows inserted since the last settle, by sequence
  std::vector<TShift> FShifts;
  std::vector<TSegment> FSegments{{0, 0, false}};
  bool FBuilt = false;
};
