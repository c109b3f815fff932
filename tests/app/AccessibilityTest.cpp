// The controls through Qt's own accessibility API, as a screen reader meets them: the chart's
// segments and axis, the tree-list's headers, rows and cells, with their texts, states and
// places, and the events a focus move, an expansion and a timer tick raise.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <QWidget>
#include <vector>

#include "app/MainWindow.h"
#include "app/Site.h"
#include "chart/Chart.h"
#include "platform/Color.h"
#include "platform/QtAccessible.h"
#include "support/GuiApp.h"
#include "support/ScriptedDialogs.h"
#include "treelist/TreeList.h"

namespace {

struct TRecordedEvent {
  QAccessible::Event type;
  QObject* object;
  int child;
};
std::vector<TRecordedEvent> gEvents;

// Records every accessibility event for the test's lifetime: through Qt's update handler
// where the platform switches accessibility on, and at the hosts otherwise (the off-screen
// platform never does).
class AccessibilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    SetCurrentPalette(TSystemPalette::Classic());
    gEvents.clear();
    QAccessible::installUpdateHandler(Record);
    if (!QAccessible::isActive()) SetAccessibleEventObserver(Record);
  }
  void TearDown() override {
    SetAccessibleEventObserver(nullptr);
    QAccessible::installUpdateHandler(nullptr);
  }
  static void Record(QAccessibleEvent* e) {
    // Every event must lead to the interface it is about.
    EXPECT_NE(e->accessibleInterface(), nullptr);
    gEvents.push_back({e->type(), e->object(), e->child()});
  }

  static QWidget* ViewportOf(QWidget& window, TControl& control) {
    for (QWidget* w : window.findChildren<QWidget*>())
      if (ControlOfViewport(w) == &control) return w;
    return nullptr;
  }

  // The events of a type about one viewport, with their children.
  static std::vector<int> ChildrenOf(QAccessible::Event type, QWidget* viewport) {
    std::vector<int> children;
    for (const TRecordedEvent& e : gEvents)
      if (e.type == type && e.object == viewport) children.push_back(e.child);
    return children;
  }
};

TEST_F(AccessibilityTest, TheChartNamesEverySegmentAndItsAxisAndAnnouncesATick) {
  TFMain window(std::make_unique<TScriptedDialogs>(), 1.0);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QWidget* viewport = ViewportOf(window, window.Chart());
  ASSERT_NE(viewport, nullptr);
  QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(viewport);
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->role(), QAccessible::Chart);

  // One segment per tank (37 with the demo plant), then the left axis.
  const TSiteList& sites = *window.SiteList();
  ASSERT_EQ(chart->childCount(), 37 + 1);
  int index = 0;
  const QRect area(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
  for (int tank = 0; tank < 5; ++tank)
    for (int s = 0; s < sites.Count(); ++s) {
      const TSite& site = sites.GetSite(s);
      if (tank >= site.Count()) continue;
      QAccessibleInterface* segment = chart->child(index);
      ASSERT_NE(segment, nullptr);
      const std::string expected = site.Name() + ", tank " + std::to_string(tank + 1) + ": " +
                                   std::to_string(site.GetTank(tank).Level()) + " of " +
                                   std::to_string(site.GetTank(tank).Capacity()) + " gallons";
      EXPECT_EQ(segment->text(QAccessible::Name).toStdString(), expected);
      EXPECT_EQ(segment->role(), QAccessible::Graphic);
      EXPECT_EQ(segment->parent(), chart);
      EXPECT_EQ(chart->indexOfChild(segment), index);
      const QRect r = segment->rect();
      EXPECT_TRUE(area.contains(r.topLeft()) && area.contains(r.bottomRight())) << expected;
      if (r.width() > 2 && r.height() > 2) {
        EXPECT_EQ(chart->childAt(r.center().x(), r.center().y()), segment) << expected;
      }
      ++index;
    }
  QAccessibleInterface* axis = chart->child(37);
  EXPECT_EQ(axis->text(QAccessible::Name), QStringLiteral("Vertical axis Level"));
  EXPECT_EQ(axis->text(QAccessible::Value), QStringLiteral("0 to 10000"));
  EXPECT_EQ(chart->child(38), nullptr);
  TAccessibleSource* source = window.Chart().AccessibleSource();  // past either end: nothing
  EXPECT_EQ(source->Child(-1).name, "");
  EXPECT_EQ(source->Child(38).name, "");
  // The axis stands left of the plot, from its labels to its line, along the plot's height.
  TChart& shown = window.Chart();
  const TRect plot = shown.PlotRect();
  const QRect line = axis->rect().translated(-area.topLeft());
  EXPECT_TRUE(line.left() < plot.left - 10 && line.right() >= plot.left) << line.left();
  EXPECT_EQ(line.top(), plot.top);
  EXPECT_EQ(line.bottom(), plot.bottom);
  // The chart is no stop for Tab: it has no keyboard use outside a drag.
  EXPECT_EQ(viewport->focusPolicy(), Qt::NoFocus);

  // Zoomed in on three sites and part of the levels: a segment is on screen exactly when its
  // site and its stretch of the stack reach into the ranges shown, and then inside the
  // plot's box.
  // The same with either axis inverted and in 2D.
  struct TView {
    bool invertBottom, invertLeft, flat;
  } views[] = {{false, false, false},
               {true, false, false},
               {false, true, false},
               {false, false, true},
               {true, true, true}};
  const bool view3D = shown.View3D();
  for (const TView& view : views) {
    SCOPED_TRACE(std::to_string(view.invertBottom) + std::to_string(view.invertLeft) +
                 std::to_string(view.flat));
    shown.BottomAxis().SetInverted(view.invertBottom);
    shown.LeftAxis().SetInverted(view.invertLeft);
    shown.SetView3D(view.flat ? false : view3D);
    shown.BottomAxis().SetAxisRange(2.6, 5.4);
    shown.LeftAxis().SetAxisRange(1000, 4000);
    QTest::qWait(20);
    const TRect box = shown.PlotRect();
    const int depthX = shown.View3D() ? shown.Depth3DX() : 0;
    const int depthY = shown.View3D() ? shown.Depth3DY() : 0;
    index = 0;
    for (int tank = 0; tank < 5; ++tank)
      for (int s = 0; s < sites.Count(); ++s) {
        const TSite& site = sites.GetSite(s);
        if (tank >= site.Count()) continue;
        int below = 0;
        for (int t = 0; t < tank; ++t) below += site.GetTank(t).Level();
        const int top = below + site.GetTank(tank).Level();
        const bool inView = s >= 3 && s <= 5 && top >= 1000 && below <= 4000;
        QAccessibleInterface* segment = chart->child(index++);
        const QRect r = segment->rect().translated(-area.topLeft());
        EXPECT_EQ(!segment->state().invisible, inView) << s << " " << tank;
        if (!inView) {
          EXPECT_TRUE(r.isEmpty());
          continue;
        }
        EXPECT_TRUE(r.left() >= box.left && r.right() <= box.right + depthX) << s;
        EXPECT_TRUE(r.top() >= box.top - depthY && r.bottom() <= box.bottom) << s;
        if (r.width() > 2 && r.height() > 2) {
          EXPECT_EQ(chart->childAt(r.center().x() + area.left(), r.center().y() + area.top()),
                    segment)
              << s << " " << tank;
        }
      }
    shown.RevertZoom();
  }
  shown.BottomAxis().SetInverted(false);
  shown.LeftAxis().SetInverted(false);
  shown.SetView3D(view3D);
  shown.RevertZoom();

  // A tick changes the values: once repainted, the chart says so, and its texts follow.
  QTest::qWait(20);
  gEvents.clear();
  window.Timer1Timer();
  QTest::qWait(50);
  int valueChanges = 0;
  for (const auto& [type, object, child] : gEvents)
    valueChanges += type == QAccessible::ValueChanged && object == viewport;
  EXPECT_EQ(valueChanges, 1);
  const TSite& first = sites.GetSite(0);
  EXPECT_EQ(chart->child(0)->text(QAccessible::Name).toStdString(),
            first.Name() + ", tank 1: " + std::to_string(first.GetTank(0).Level()) + " of " +
                std::to_string(first.GetTank(0).Capacity()) + " gallons");
}

TEST_F(AccessibilityTest, TheTreeListsHeadersAndRowsAndAnnouncesFocusExpandAndTick) {
  TFMain window(std::make_unique<TScriptedDialogs>(), 1.0);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  TTreeList& tree = window.Tree();
  QWidget* viewport = ViewportOf(window, tree);
  ASSERT_NE(viewport, nullptr);
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(viewport);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->role(), QAccessible::Tree);

  // The five headers, then one row per site (all closed, all on screen).
  const TSiteList& sites = *window.SiteList();
  const QStringList captions{"Site/Tank", "Capacity", "Level", "Level %", "Status"};
  ASSERT_EQ(list->childCount(), 5 + sites.Count());
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(list->child(i)->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(list->child(i)->text(QAccessible::Name), captions[i]);
  }
  auto rowText = [](TTreeListNode* node) {
    std::string text;
    for (int c = 0; c < 5; ++c) text += (c ? ", " : "") + node->Strings(c);
    return text;
  };
  const QRect area(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
  for (int s = 0; s < sites.Count(); ++s) {
    QAccessibleInterface* row = list->child(5 + s);
    TTreeListNode* node = sites.GetSite(s).Node;
    ASSERT_EQ(tree.AbsoluteNodes(s), node);
    EXPECT_EQ(row->role(), QAccessible::Row);
    EXPECT_EQ(row->text(QAccessible::Name).toStdString(), rowText(node));
    EXPECT_TRUE(row->state().expandable && row->state().collapsed && !row->state().expanded);
    EXPECT_EQ(row->state().focused, node == tree.FocusedNode());
    EXPECT_TRUE(area.contains(row->rect()));
    EXPECT_EQ(list->childAt(row->rect().center().x(), row->rect().center().y()), row);
    ASSERT_EQ(row->childCount(), 5);
    EXPECT_EQ(row->child(0)->role(), QAccessible::Cell);
    EXPECT_EQ(row->child(0)->text(QAccessible::Name).toStdString(), sites.GetSite(s).Name());
    EXPECT_EQ(row->child(0)->parent(), row);
    EXPECT_EQ(row->indexOfChild(row->child(4)), 4);
    EXPECT_EQ(row->actionInterface()->actionNames(), QStringList({"expand", "select"}));
  }

  // A focus move by key: the focus and the selection follow to the row below.
  tree.SetFocusedNode(tree.Items(0), 0, true);
  QTest::qWait(20);
  gEvents.clear();
  QTest::keyClick(viewport, Qt::Key_Down);
  EXPECT_EQ(tree.FocusedNode(), tree.Items(1));
  EXPECT_EQ(ChildrenOf(QAccessible::Focus, viewport), std::vector<int>{5 + 1});
  EXPECT_EQ(ChildrenOf(QAccessible::Selection, viewport), std::vector<int>{5 + 1});
  EXPECT_TRUE(list->child(5 + 1)->state().focused && list->child(5 + 1)->state().selected);
  EXPECT_FALSE(list->child(5)->state().focused);

  // Expanding the first site through its action: its tanks join the rows below it.
  gEvents.clear();
  list->child(5)->actionInterface()->doAction(QStringLiteral("expand"));
  EXPECT_TRUE(tree.Items(0)->Expanded());
  EXPECT_EQ(ChildrenOf(QAccessible::StateChanged, viewport), std::vector<int>{5});
  EXPECT_TRUE(list->child(5)->state().expanded);
  EXPECT_EQ(list->child(5)->actionInterface()->actionNames(), QStringList({"collapse", "select"}));
  EXPECT_EQ(list->childCount(), 5 + sites.Count() + sites.GetSite(0).Count());
  EXPECT_EQ(list->child(6)->text(QAccessible::Name).toStdString(), rowText(tree.AbsoluteNodes(1)));
  // Other rows stand where the children were: once shown, the list is read anew.
  QTest::qWait(20);
  EXPECT_EQ(ChildrenOf(QAccessible::ObjectReorder, viewport).size(), 1u);

  // A tick changes the levels: once repainted, the list says so, and its texts follow.
  QTest::qWait(20);
  gEvents.clear();
  window.Timer1Timer();
  QTest::qWait(50);
  EXPECT_EQ(ChildrenOf(QAccessible::ValueChanged, viewport).size(), 1u);
  EXPECT_TRUE(ChildrenOf(QAccessible::ObjectReorder, viewport).empty());
  EXPECT_EQ(list->child(5)->text(QAccessible::Name).toStdString(), rowText(tree.AbsoluteNodes(0)));
}

}  // namespace
