#pragma once

#include "platform/Geometry.h"
#include "treelist/TreeListExport.h"
#include "treelist/view/TreeListLayout.h"

class TTreeList;
class TTreeListNode;

enum TTreeListHitKind {
  HitOutside,
  HitNowhere,
  HitColumnHeader,
  HitColumnEdge,
  HitBandHeader,
  HitBandEdge,
  HitBandPanelEdge,
  HitHeaderPanelEdge,
  HitBandButton,
  HitHeaderButton,
  HitIndicator,
  HitRowEdge,
  HitIndent,
  HitButton,
  HitStateIcon,
  HitIcon,
  HitCell,
  HitRowRight,
  HitPreview,
  HitNewItemRow,
  HitFooter,
  HitRowFooter,
  HitStatusPanel
};

// What lies under a client point.
struct LISTCHART_TREELIST_API TTreeListHitInfo {
  // The client point tested.
  TPoint Point;
  // The visible band index; -1 for none.
  int Band = -1;
  // The column index; -1 for none.
  int Column = -1;
  // The node of the row hit (a row footer's group); nullptr for none.
  TTreeListNode* Node = nullptr;
  // The header row of a header hit; -1 otherwise.
  int Row = -1;
  // Which row footer below the row was hit, 0 the innermost; -1 otherwise.
  int FooterIndex = -1;
  // What kind of place it is.
  TTreeListHitKind Kind = HitOutside;
};

// Sizing zones reach this far on either side of an edge, and up from a panel's bottom.
inline constexpr int kSizingZone = 4;

// Names what lies under p, reading only the geometry record.
LISTCHART_TREELIST_API TTreeListHitInfo HitTest(const TTreeList& tree, const TTreeListGeometry& g,
                                                TPoint p);

// Whether the hit lands on a node row (its cells, images or button), which a press focuses.
LISTCHART_TREELIST_API bool IsNodeHit(TTreeListHitKind kind);
