#pragma once

#include "treelist/TreeList.h"
#include "widgets/ControlWidget.h"
#include "widgets/WidgetsExport.h"

// The tree-list as a QWidget: it owns the control, reachable through TreeList() for columns,
// nodes, options and events.
class LISTCHART_WIDGETS_API TTreeListWidget : public TControlWidget {
 public:
  // Makes the widget with an empty tree-list and starts hosting it.
  explicit TTreeListWidget(QWidget* parent = nullptr);
  ~TTreeListWidget() override;

  // The hosted tree-list, owned by this widget.
  TTreeList& TreeList() { return FTreeList; }
  // The hosted tree-list, read-only.
  const TTreeList& TreeList() const { return FTreeList; }

 private:
  TTreeList FTreeList;
};
