#pragma once

#include <string>

class TCustomTreeList;
class TCustomTreeListControl;

// Checks of the tree-list's derived state against the tree itself, for fuzzers, random-input
// drivers and tests. Each returns an empty text when all is well, else what is wrong.

// The visible-row index (row of a node, node at a row, visible neighbours, last row) agrees
// with a plain walk of the expanded tree.
std::string RowIndexFault(const TCustomTreeList& tree);

// The focused node, the top row and every selected node are live nodes of this tree.
std::string NodeReferenceFault(const TCustomTreeList& tree);

// The sort list holds only columns of this control that are sorted, each once.
std::string SortColumnsFault(const TCustomTreeListControl& tree);
