#pragma once

#include "treelist/TreeList.h"
#include "widgets/ControlWidget.h"
#include "widgets/WidgetsExport.h"

// The tree-list as a QWidget: it owns the control, reachable through TreeList() for columns,
// nodes, options and events.
class LISTCHART_WIDGETS_API TTreeListWidget : public TControlWidget {
 public:
  explicit TTreeListWidget(QWidget* parent = nullptr);
  ~TTreeListWidget() override;

  TTreeList& TreeList() { return FTreeList; }
  const TTreeList& TreeList() const { return FTreeList; }

 private:
  TTreeList FTreeList;
};
