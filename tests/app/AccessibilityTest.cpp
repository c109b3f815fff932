// The controls through Qt's own accessibility API, as a screen reader meets them: the chart's
// segments and axis with their texts and places, and the events a timer tick raises.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <QWidget>
#include <vector>

#include "app/MainWindow.h"
#include "app/Site.h"
#include "platform/Color.h"
#include "platform/QtAccessible.h"
#include "support/GuiApp.h"
#include "support/ScriptedDialogs.h"

namespace {

std::vector<std::pair<QAccessible::Event, QObject*>> gEvents;

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
    gEvents.push_back({e->type(), e->object()});
  }

  static QWidget* ViewportOf(QWidget& window, TControl& control) {
    for (QWidget* w : window.findChildren<QWidget*>())
      if (ControlOfViewport(w) == &control) return w;
    return nullptr;
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

  // A tick changes the values: once repainted, the chart says so, and its texts follow.
  QTest::qWait(20);
  gEvents.clear();
  window.Timer1Timer();
  QTest::qWait(50);
  int valueChanges = 0;
  for (const auto& [type, object] : gEvents)
    valueChanges += type == QAccessible::ValueChanged && object == viewport;
  EXPECT_EQ(valueChanges, 1);
  const TSite& first = sites.GetSite(0);
  EXPECT_EQ(chart->child(0)->text(QAccessible::Name).toStdString(),
            first.Name() + ", tank 1: " + std::to_string(first.GetTank(0).Level()) + " of " +
                std::to_string(first.GetTank(0).Capacity()) + " gallons");
}

}  // namespace
