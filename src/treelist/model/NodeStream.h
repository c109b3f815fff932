#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "treelist/TreeListExport.h"

class TCustomTreeList;

// The binary node record stored with a form under "Data": pre-order, 32-bit little-endian.
// Version -1 (a leading marker) stores text lengths as 32-bit integers; version 0 (no marker)
// as single bytes.
constexpr int kNodeStreamMaxDepth = 1000;

// Writes every node of the tree. Version 0 cannot hold a text longer than 255 bytes and
// raises ENodeStreamError instead of cutting it.
LISTCHART_TREELIST_API std::vector<uint8_t> WriteNodeStream(const TCustomTreeList& tree,
                                                            int version = -1);

// Replaces the tree's nodes with those of the stream. The bytes are untrusted: the whole
// stream is checked before any node changes, and a short or damaged one raises
// ENodeStreamError and leaves the tree as it was.
LISTCHART_TREELIST_API void ReadNodeStream(TCustomTreeList& tree, const uint8_t* data, size_t size);
