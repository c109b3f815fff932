#include "widgets/TreeListWidget.h"

TTreeListWidget::TTreeListWidget(QWidget* parent) : TControlWidget(parent) {
  Host(FTreeList);
}

TTreeListWidget::~TTreeListWidget() {
  EndHosting();
}
