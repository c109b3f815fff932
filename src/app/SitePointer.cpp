#include "app/SitePointer.h"

#include <cmath>

#include "platform/Geometry.h"
#include "treelist/TreeList.h"

int SiteIndexAtX(double x, int siteCount) {
  if (std::isnan(x)) return -1;  // no position at all, not site 0
  const int index = Nearest(x);
  return index >= 0 && index < siteCount ? index : -1;
}

std::string SiteStatusText(const TSite& site) {
  return site.Name() + ": " + std::to_string(site.GetLevel()) + "/" +
         std::to_string(site.GetCapacity()) + "gals (" + std::to_string(site.GetPercent()) +
         "% full)";
}

void OpenSiteNode(TTreeList& tree, const TSite& site) {
  TTreeListNode* node = static_cast<TTreeListNode*>(site.Node);
  if (!node) return;
  tree.FullCollapse();
  node->SetFocused(true);
  node->SetExpanded(true);
}
