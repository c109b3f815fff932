#pragma once

#include <gtest/gtest.h>

#include "treelist/model/CustomTreeList.h"
#include "treelist/model/TreeListConsistency.h"

// After any operation every row query agrees with a plain walk of the tree, whether it is
// answered by the index or by walking.
inline ::testing::AssertionResult RowsAgree(const TCustomTreeList& tree) {
  const std::string fault = RowIndexFault(tree);
  if (fault.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << fault;
}
