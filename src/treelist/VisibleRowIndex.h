#pragma once

#include <cstdint>
#include <vector>

class TTreeListNode;

// Maps visible rows to nodes and nodes to rows without walking the tree: the rows in display
// order, plus (creation sequence, row) pairs in sequence order for a binary-search lookup.
class TVisibleRowIndex {
 public:
  bool Built() const { return FBuilt; }
  bool Usable() const { return FBuilt && !FRows.empty(); }
  int Count() const { return static_cast<int>(FRows.size()); }

  void Clear();
  // A rebuild row by row, in display order: each node is read once, and the storage of the
  // previous rows is reused.
  void StartRebuild();
  void AppendRow(TTreeListNode* node);
  void FinishRebuild();

  int RowOf(const TTreeListNode* node) const;  // -1 when absent
  TTreeListNode* NodeAt(int row) const;        // none outside the rows

  void Insert(TTreeListNode* node, int row);
  void Remove(const TTreeListNode* node);

 private:
  struct TEntry {
    uint64_t Sequence;
    int32_t Row;
  };
  template <class It>
  static It LowerBound(It first, It last, uint64_t sequence);

  std::vector<TTreeListNode*> FRows;
  std::vector<TEntry> FOrder;
  bool FBuilt = false;
};
