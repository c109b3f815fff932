// Feeds untrusted bytes to the stored-layout reader. A restore either succeeds, and the layout
// the control then writes restores to the same layout in a fresh control, or fails and
// changes nothing.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "support/GuiApp.h"
#include "treelist/TreeList.h"
#include "treelist/model/TreeListErrors.h"

namespace {

// Two bands, one captioned, and columns with a name, captions and none.
void Columns(TTreeList& tree) {
  tree.SetOptionsEx(TTreeListOptionsEx(kDefaultTreeListOptionsEx).Include(aoMultiSort));
  tree.SetOptions(tree.Options().Include(aoAutoSort));
  tree.Bands().Add()->SetCaption("Levels");
  tree.CreateColumn()->SetName("site");
  tree.CreateColumn()->SetCaption("Capacity");
  tree.CreateColumn()->SetCaption("Level");
  tree.CreateColumn();
  for (int n = 0; n < 3; ++n)
    for (int i = 0; i < tree.ColumnCount(); ++i)
      (n == 0 ? tree.Add() : tree.Items(n - 1)->AddChild())->SetStrings(i, std::to_string(n));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);  // fonts are measured without a display
  EnsureGuiApplication();
  TTreeList tree;
  Columns(tree);
  const std::string before = tree.LayoutText();
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  try {
    tree.RestoreLayout(in);
  } catch (const ELayoutError&) {
    if (tree.LayoutText() != before) std::abort();
    return 0;
  }
  const std::string written = tree.LayoutText();
  TTreeList copy;
  Columns(copy);
  copy.RestoreLayoutText(written);
  if (copy.LayoutText() != written) std::abort();
  return 0;
}
