// A tree-list and a chart linked: one bar per group, and a click on a bar opens that group
// in the tree.
#include <QApplication>
#include <QSplitter>
#include <string>

#include "ExampleRun.h"
#include "chart/Chart.h"
#include "chart/series/BarSeries.h"
#include "widgets/ChartWidget.h"
#include "widgets/TreeListWidget.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TBarSeries bars;
  QSplitter window(Qt::Vertical);
  auto* list = new TTreeListWidget(&window);
  auto* view = new TChartWidget(&window);
  TTreeList& tree = list->TreeList();
  TChart& chart = view->Chart();

  tree.CreateColumn<TTreeListColumn>()->SetCaption("Group/Item");
  tree.CreateColumn<TTreeListColumn>()->SetCaption("Amount");
  for (int g = 0; g < 6; ++g) {
    TTreeListNode* group = tree.Add();
    group->SetValues(0, "Group " + std::to_string(g + 1));
    int sum = 0;
    for (int i = 0; i < 3; ++i) {
      TTreeListNode* item = group->AddChild();
      item->SetValues(0, "Item " + std::to_string(i + 1));
      const int amount = 10 + (g * 7 + i * 5) % 23;
      item->SetValues(1, amount);
      sum += amount;
    }
    group->SetValues(1, sum);
    bars.AddPoint(g, sum, group->Values(0), clDefault);
  }
  chart.Legend().SetVisible(false);
  bars.Marks().SetVisible(false);
  chart.AttachSeries(&bars);
  chart.OnClickSeries = [&tree](TCustomChart*, TChartSeries*, int index, TMouseButton, TShiftState,
                                int, int) {
    tree.FullCollapse();
    TTreeListNode* group = tree.Items(index);
    group->Expand(false);
    tree.SetFocusedNode(group, 0, true);
  };
  window.resize(480, 480);
  return RunExample(app, window);
}
