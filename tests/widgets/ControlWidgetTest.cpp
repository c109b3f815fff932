#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QPalette>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "chart/series/BarSeries.h"
#include "platform/Color.h"
#include "support/GuiApp.h"
#include "widgets/ChartWidget.h"
#include "widgets/TreeListWidget.h"

namespace {

// The widget the host draws the control in and sends it the mouse from.
QWidget* Viewport(QWidget* face) {
  QWidget* host = face->focusProxy();
  return host ? host->focusProxy() : nullptr;
}

}  // namespace

// Placed in a layout below another widget, each face passes the mouse to its control at the
// control's own coordinates: a click where the chart's hit test finds a bar reports that bar.
TEST(ControlWidgetTest, FacesInALayoutTakeFocusAndClicksWhereTheControlDraws) {
  EnsureGuiApplication();
  TBarSeries bars;
  QWidget window;
  auto* list = new TTreeListWidget;
  auto* view = new TChartWidget;
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(list);
  layout->addWidget(view);
  TChart& chart = view->Chart();
  for (int i = 0; i < 4; ++i) bars.AddPoint(i, 10 + i, "", clDefault);
  chart.AttachSeries(&bars);
  window.resize(400, 600);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  QWidget* viewport = Viewport(view);
  ASSERT_NE(viewport, nullptr);
  EXPECT_EQ(chart.ClientWidth(), viewport->width());
  EXPECT_EQ(chart.ClientHeight(), viewport->height());
  int clicked = -1;
  chart.OnClickSeries = [&](TCustomChart*, TChartSeries*, int index, TMouseButton, TShiftState, int,
                            int) { clicked = index; };
  const int y = chart.ClientHeight() * 3 / 4;
  int tried = 0;
  for (int x = 0; x < chart.ClientWidth(); x += 3) {
    const TChartClickedPart part = chart.FindClickedPart({x, y});
    if (part.Part != cpSeries) continue;
    clicked = -1;
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    EXPECT_EQ(clicked, part.PointIndex) << "at x " << x;
    ++tried;
  }
  EXPECT_GT(tried, 4);

  // Assistive technology finds each control in its face.
  QAccessibleInterface* treeAccess = QAccessible::queryAccessibleInterface(Viewport(list));
  QAccessibleInterface* chartAccess = QAccessible::queryAccessibleInterface(viewport);
  ASSERT_TRUE(treeAccess && chartAccess);
  EXPECT_EQ(treeAccess->role(), QAccessible::Tree);
  EXPECT_EQ(chartAccess->role(), QAccessible::Chart);

  // The tree-list takes the keyboard focus through its face; the chart takes none.
  list->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(list->TreeList().Focused());
  EXPECT_EQ(view->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(list->focusPolicy(), Qt::StrongFocus);  // the face says what its control takes
  chart.DetachAllSeries();
}

// A face shown while the application's palette changes repaints with the new one.
TEST(ControlWidgetTest, AShownFaceFollowsTheApplicationPalette) {
  EnsureGuiApplication();
  TTreeListWidget list;
  list.resize(200, 150);
  list.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  auto middle = [&] {
    QApplication::processEvents();
    const QImage picture = list.grab().toImage();
    return picture.pixelColor(picture.width() / 2, picture.height() / 2);
  };
  const QPalette before = QApplication::palette();
  QPalette changed = before;
  changed.setColor(QPalette::Base, QColor(12, 34, 56));
  QApplication::setPalette(changed);
  EXPECT_EQ(middle(), QColor(12, 34, 56));
  QApplication::setPalette(before);
  EXPECT_EQ(middle(), before.color(QPalette::Base));
}

// A face follows the palette it is shown with, whenever it is made: one made after every
// earlier face has gone and the application's palette has changed meanwhile, and one whose
// window was given a palette of its own (the usual way to theme a part of a program).
TEST(ControlWidgetTest, FacesDrawWithThePaletteTheyAreShownWith) {
  EnsureGuiApplication();
  const QPalette before = QApplication::palette();
  QPalette dark = before;
  dark.setColor(QPalette::Base, QColor(20, 20, 20));
  auto windowColourOf = [](QWidget& window, TTreeListWidget& list) {
    window.resize(200, 150);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    const QImage picture = list.grab().toImage();
    return picture.pixelColor(picture.width() / 2, picture.height() / 2).name().toStdString();
  };

  delete new TTreeListWidget;
  QApplication::setPalette(dark);
  {
    QWidget window;
    auto* list = new TTreeListWidget(&window);
    (new QVBoxLayout(&window))->addWidget(list);
    EXPECT_EQ(windowColourOf(window, *list), "#141414") << "a face made later";
  }
  QApplication::setPalette(before);
  QApplication::processEvents();
  {
    QWidget window;
    auto* list = new TTreeListWidget(&window);
    (new QVBoxLayout(&window))->addWidget(list);
    window.setPalette(dark);
    EXPECT_EQ(windowColourOf(window, *list), "#141414") << "a window's own palette";
  }
}

// A face closed while its control holds the mouse ends the gesture before the control goes.
TEST(ControlWidgetTest, ClosingDuringAZoomDragEndsIt) {
  EnsureGuiApplication();
  auto view = std::make_unique<TChartWidget>();
  view->resize(300, 200);
  view->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
  QWidget* viewport = Viewport(view.get());
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(60, 60));
  QTest::mouseMove(viewport, QPoint(120, 120));
  EXPECT_TRUE(view->Chart().HasCapture());
  view.reset();  // the sanitizers see any use of the host or the chart after this
}
