#pragma once

#include "platform/Exception.h"
#include "treelist/TreeListExport.h"

// A tree-list operation on a node or argument that does not belong to it.
class LISTCHART_TREELIST_API EInvalidTreeListOperation : public Exception {
 public:
  // An error with the given message.
  using Exception::Exception;
};

// The streamed node data is short, damaged or exceeds the reader's limits.
class LISTCHART_TREELIST_API ENodeStreamError : public Exception {
 public:
  // An error with the given message.
  using Exception::Exception;
};

inline constexpr const char* SInvalidOwner = "Invalid Owner TTreeListNode";
