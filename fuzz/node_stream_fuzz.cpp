// Feeds untrusted bytes to the node-stream reader. A read either succeeds, and the tree then
// writes a stream that reads back to the same tree, or fails and leaves the tree unchanged.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "treelist/TreeList.h"
#include "treelist/model/NodeStream.h"
#include "treelist/model/TreeListErrors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TTreeList tree;
  tree.Add()->SetStrings(0, "kept");
  tree.Items(0)->AddChild()->SetStrings(1, "child");
  const std::vector<uint8_t> before = WriteNodeStream(tree);
  try {
    ReadNodeStream(tree, data, size);
  } catch (const ENodeStreamError&) {
    if (WriteNodeStream(tree) != before) std::abort();
    return 0;
  }
  if (tree.VisibleCount() != tree.Count()) std::abort();
  const std::vector<uint8_t> written = WriteNodeStream(tree);
  TTreeList copy;
  ReadNodeStream(copy, written.data(), written.size());
  if (WriteNodeStream(copy) != written) std::abort();
  return 0;
}
