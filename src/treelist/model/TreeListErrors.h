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

// A stored layout is short, damaged or does not belong to a tree-list; nothing was applied.
class LISTCHART_TREELIST_API ELayoutError : public Exception {
 public:
  // Carries the message that says what is wrong.
  using Exception::Exception;
};

inline constexpr const char* SInvalidOwner = "Invalid Owner TTreeListNode";
