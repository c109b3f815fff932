#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWidget>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Control.h"
#include "platform/QtControlHost.h"
#include "support/GuiApp.h"

namespace {

class Probe : public TControl {
 public:
  int paints = 0, ticks = 0;
  bool fail = false;
  void Paint(TCanvas& c, const TRect&) override {
    ++paints;
    c.Brush() = TBrush{clWhite, bsSolid, clWhite};
    c.FillRect(ClientRect());
  }
  void MouseDown(TMouseButton, TShiftState, int x, int y) override {
    if (fail) throw std::runtime_error("handler failed");
    // Immediate inverting feedback outside a paint pass.
    ScreenCanvas()->InvertRect(Rect(x, y, x + 2, y + 2));
  }
  void Timer(int) override { ++ticks; }
};

void Pump(int ms = 0) {
  QElapsedTimer t;
  t.start();
  do QApplication::processEvents(QEventLoop::AllEvents, 10);
  while (t.elapsed() < ms);
}

void Click(QWidget* viewport, int x, int y) {
  QMouseEvent e(QEvent::MouseButtonPress, QPointF(x, y), viewport->mapToGlobal(QPointF(x, y)),
                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &e);
}

}  // namespace

TEST(QtControlHostTest, PaintsFeedbackTimersScrollBarsAndSurvivesErrors) {
  EnsureGuiApplication();
  std::string shown;
  SetQtControlHostErrorHandler([&](const std::string& m) { shown = m; });
  Probe probe;
  std::unique_ptr<QWidget> host(CreateQtControlHost(probe));
  host->resize(60, 40);
  host->show();
  for (int i = 0; i < 200 && probe.paints == 0; ++i) Pump(10);
  EXPECT_GE(probe.paints, 1);
  EXPECT_EQ(probe.ClientWidth(), 60);
  QWidget* viewport = host->focusProxy();
  ASSERT_NE(viewport, nullptr);

  // Inverting feedback reaches the screen and is erased by drawing it again.
  Click(viewport, 10, 10);
  Pump(20);
  EXPECT_EQ(viewport->grab().toImage().pixel(10, 10) & 0xFFFFFF, 0u);
  Click(viewport, 10, 10);
  Pump(20);
  EXPECT_EQ(viewport->grab().toImage().pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);

  // An exception from a handler is reported, and the window goes on working.
  probe.fail = true;
  Click(viewport, 5, 5);
  EXPECT_EQ(shown, "handler failed");
  probe.fail = false;
  Click(viewport, 20, 20);
  Pump(20);
  EXPECT_EQ(viewport->grab().toImage().pixel(20, 20) & 0xFFFFFF, 0u);

  probe.SetTimer(3, 5);
  for (int i = 0; i < 200 && probe.ticks < 2; ++i) Pump(5);
  EXPECT_GE(probe.ticks, 2);
  probe.KillTimer(3);

  // A range beyond the page shows the bar, which takes room from the client.
  probe.SetScrollInfo(sbVertical, {0, 99, 10, 0});
  Pump(20);
  EXPECT_LT(probe.ClientWidth(), 60);
  probe.SetScrollInfo(sbVertical, {0, 5, 10, 0});
  Pump(20);
  EXPECT_EQ(probe.ClientWidth(), 60);

  host.reset();
  EXPECT_EQ(probe.Host(), nullptr);
  SetQtControlHostErrorHandler(nullptr);
}

namespace {

// Draws rows of alternating colour that follow a scroll offset, as a list scrolls its rows.
class Stripes : public TControl {
 public:
  int offset = 0;
  void Paint(TCanvas& c, const TRect& r) override {
    for (int y = r.top; y < r.bottom; ++y) {
      const TColor colour = ((y + offset) / 4) % 2 ? clBlack : clWhite;
      c.Brush() = TBrush{colour, bsSolid, colour};
      c.FillRect(Rect(r.left, y, r.right, y + 1));
    }
  }
  void ScrollBy(int pixels) {
    offset += pixels;
    ScrollWindow(0, -pixels);
  }
};

}  // namespace

// Two scrolls before a paint: the strip the first left for painting moves with the second,
// so the window still ends as a fresh paint draws it.
TEST(QtControlHostTest, ScrollsBeforeAPaintMoveThePendingPaintAlong) {
  EnsureGuiApplication();
  Stripes stripes;
  std::unique_ptr<QWidget> host(CreateQtControlHost(stripes));
  host->resize(40, 60);
  host->show();
  QWidget* viewport = host->focusProxy();
  Pump(20);
  stripes.ScrollBy(6);
  stripes.ScrollBy(6);
  Pump(20);
  const QImage shown = viewport->grab().toImage();
  for (int y = 0; y < 60; ++y) {
    const bool dark = ((y + stripes.offset) / 4) % 2;
    ASSERT_EQ(shown.pixel(5, y) & 0xFFFFFF, dark ? 0u : 0xFFFFFFu) << "row " << y;
  }
}

// Text dragged in from another program reaches the control as a drag with no source; the
// control's answer to each move decides whether the drop is taken.
TEST(QtControlHostTest, ADropFromOutsideArrivesAsText) {
  EnsureGuiApplication();
  struct Target : Probe {
    std::vector<std::string> seen;
    bool DragOver(const TDragData& data, int x, int) override {
      seen.push_back("over " + data.Text + (data.Source ? " inside" : ""));
      return x < 30;  // only the left half takes a drop
    }
    void DragDrop(const TDragData& data, int x, int y) override {
      seen.push_back("drop " + data.Text + " at " + std::to_string(x) + "," + std::to_string(y));
    }
  } target;
  std::unique_ptr<QWidget> host(CreateQtControlHost(target));
  host->resize(60, 40);
  host->show();
  Pump(20);
  QWidget* viewport = host->focusProxy();
  QMimeData mime;
  mime.setText(QStringLiteral("tank 7"));
  auto send = [&](QEvent::Type type, int x) {
    if (type == QEvent::Drop) {
      QDropEvent e(QPointF(x, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(viewport, &e);
      return e.isAccepted() && e.dropAction() != Qt::IgnoreAction;
    }
    QDragMoveEvent e(QPoint(x, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier, type);
    QApplication::sendEvent(viewport, &e);
    return e.isAccepted() && e.dropAction() != Qt::IgnoreAction;
  };
  send(QEvent::DragEnter, 50);
  EXPECT_FALSE(send(QEvent::DragMove, 50));
  EXPECT_TRUE(send(QEvent::DragMove, 10));
  send(QEvent::Drop, 12);
  ASSERT_FALSE(target.seen.empty());
  EXPECT_EQ(target.seen.back(), "drop tank 7 at 12,5");
  EXPECT_EQ(target.seen.front(), "over tank 7");
}

namespace {

// Takes the Down key and, when told to, the wheel; records the notches that reach it.
class Listener : public TControl {
 public:
  std::vector<int> down, left;
  bool useWheel = true;
  void Paint(TCanvas& c, const TRect&) override {
    c.Brush() = TBrush{clWhite, bsSolid, clWhite};
    c.FillRect(ClientRect());
  }
  bool MouseWheel(TShiftState, int notches, int, int) override {
    down.push_back(notches);
    return useWheel;
  }
  bool MouseWheelHorizontal(TShiftState, int notches, int, int) override {
    left.push_back(notches);
    return useWheel;
  }
  void KeyDown(int& key, TShiftState) override {
    if (key == vkDown || (key == vkEscape && HasCapture())) key = 0;
  }
  void KeyPress(char& key) override {
    if (key == 'x') key = 0;
  }
  // Not a focus stop: it hears keys only while a press holds the capture.
  bool focusStop = true;
  bool TakesFocus() const override { return focusStop; }
  void MouseDown(TMouseButton, TShiftState, int, int) override { SetCapture(true); }
  void MouseUp(TMouseButton, TShiftState, int, int) override { SetCapture(false); }
};

// A dialog around a hosted control, recording what reaches it past the control.
class Dialog : public QDialog {
 public:
  std::vector<int> keys;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    keys.push_back(e->key());
    QDialog::keyPressEvent(e);
  }
};

// Whether the viewport kept the event; one it ignores goes on to the window around it.
bool Turn(QWidget* viewport, QPoint angle) {
  QWheelEvent e(QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)), QPoint(), angle, Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(viewport, &e);
  return e.isAccepted();
}

}  // namespace

// Parts of notches add up in one direction only; a wheel or key the control leaves alone
// reaches the dialog around it; keys held are forgotten when the focus leaves.
TEST(QtControlHostTest, WheelsAndKeysTheControlLeavesReachTheWindowAround) {
  EnsureGuiApplication();
  struct TCase {
    std::vector<QPoint> angles;
    std::vector<int> down, left;
  } cases[] = {
      {{{0, 90}, {0, -120}}, {-1}, {}},
      {{{0, 60}, {0, 60}}, {1}, {}},
      {{{0, -30}, {0, -90}, {0, -120}}, {-1, -1}, {}},
      {{{0, 240}}, {2}, {}},
      {{{0, 119}, {0, 1}}, {1}, {}},
      {{{0, 120}, {0, 119}}, {1}, {}},
      {{{0, -60}, {0, 1}, {0, 119}}, {1}, {}},
      {{{120, 0}}, {}, {1}},
      {{{-90, 0}, {60, 0}, {60, 0}}, {}, {1}},
      // Each axis keeps its own part of a notch.
      {{{60, 60}, {60, 60}}, {1}, {1}},
      {{{90, 0}, {0, 120}, {30, 0}}, {1}, {1}},
      {{{0, 90}, {-120, 0}, {0, 30}}, {1}, {-1}},
      {{{0, -360}, {0, 370}}, {-3, 3}, {}},
  };
  for (const TCase& c : cases) {
    Listener listener;
    std::unique_ptr<QWidget> host(CreateQtControlHost(listener));
    for (const QPoint& angle : c.angles) EXPECT_TRUE(Turn(host->focusProxy(), angle));
    EXPECT_EQ(listener.down, c.down);
    EXPECT_EQ(listener.left, c.left);
    listener.useWheel = false;
    EXPECT_FALSE(Turn(host->focusProxy(), {0, 120}));
    EXPECT_FALSE(Turn(host->focusProxy(), {-120, 0}));
  }

  Listener listener;
  Dialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  QWidget* host = CreateQtControlHost(listener, &dialog);
  layout->addWidget(host);
  dialog.show();
  QWidget* viewport = host->focusProxy();
  QTest::keyClick(viewport, Qt::Key_Down);
  QTest::keyClick(viewport, Qt::Key_X);
  QTest::keyClick(viewport, Qt::Key_Tab);  // the window's, used by the host to move on
  QTest::keyClick(viewport, Qt::Key_F5);
  QTest::keyClick(viewport, Qt::Key_Y);
  EXPECT_EQ(dialog.keys, std::vector<int>({Qt::Key_F5, Qt::Key_Y}));
  QTest::keyPress(viewport, Qt::Key_A);
  EXPECT_TRUE(listener.KeyPressed('A'));
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(viewport, &out);
  EXPECT_FALSE(listener.KeyPressed('A'));
  QTest::keyClick(viewport, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);

  // A dragged picture follows the pointer above everything once it moves, until it ends.
  auto pictureShown = [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<QLabel*>(w) && w->isVisible()) return true;
    return false;
  };
  TBitmap picture(6, 4);
  listener.BeginDragImage(picture, {1, 1});
  EXPECT_FALSE(pictureShown());
  listener.MoveDragImage({5, 5});
  EXPECT_TRUE(pictureShown());
  for (QWidget* w : QApplication::topLevelWidgets()) {  // the target shows through it
    if (qobject_cast<QLabel*>(w) && w->isVisible()) {
      EXPECT_LT(w->windowOpacity(), 1.0);
    }
  }
  listener.ShowDragImage(false);
  EXPECT_FALSE(pictureShown());
  listener.EndDragImage();

  // A control that is no focus stop hears Esc while it holds the capture, and only then.
  Listener chart;
  chart.focusStop = false;
  std::unique_ptr<QWidget> other(CreateQtControlHost(chart, &dialog));
  QWidget* plot = other->focusProxy();
  EXPECT_EQ(plot->focusPolicy(), Qt::NoFocus);
  Click(plot, 3, 3);
  EXPECT_EQ(QWidget::keyboardGrabber(), plot);
  EXPECT_EQ(QWidget::mouseGrabber(), plot);
  chart.SetCapture(false);
  EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
}

namespace {

// No focus stop, it pans while a press holds the capture; Esc cancels the pan.
class Panner : public TControl {
 public:
  bool panning = false;
  int lost = 0;
  void Paint(TCanvas& c, const TRect&) override {
    c.Brush() = TBrush{clWhite, bsSolid, clWhite};
    c.FillRect(ClientRect());
  }
  bool TakesFocus() const override { return false; }
  void MouseDown(TMouseButton, TShiftState, int, int) override {
    panning = true;
    SetCapture(true);
  }
  void MouseUp(TMouseButton, TShiftState, int, int) override {
    panning = false;
    SetCapture(false);
  }
  void KeyDown(int& key, TShiftState) override {
    if (key != vkEscape || !panning) return;
    panning = false;
    SetCapture(false);
    key = 0;
  }
  void CaptureLost() override {
    ++lost;
    panning = false;
  }
};

void DropGrabs() {
  if (QWidget* w = QWidget::mouseGrabber()) w->releaseMouse();
  if (QWidget* w = QWidget::keyboardGrabber()) w->releaseKeyboard();
}

}  // namespace

// A control that is no focus stop holds the keyboard only while its gesture runs: Esc typed
// in its window (the focus elsewhere) ends the gesture and goes no further, and the grab
// ends however the gesture does: Esc, the window losing activation, the host going away.
TEST(QtControlHostTest, AGestureOfANonFocusControlHoldsTheKeyboardUntilItEnds) {
  EnsureGuiApplication();
  // The controls outlive the dialog that holds their hosts.
  Listener field, last;
  Panner panner, second;
  Dialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  QWidget* fieldHost = CreateQtControlHost(field, &dialog);
  layout->addWidget(fieldHost);
  QWidget* host = CreateQtControlHost(panner, &dialog);
  layout->addWidget(host);
  dialog.resize(200, 200);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  fieldHost->focusProxy()->setFocus();
  Pump(10);
  QWidget* plot = host->focusProxy();

  Click(plot, 5, 5);
  ASSERT_EQ(QWidget::keyboardGrabber(), plot);
  QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
  Pump(10);
  EXPECT_FALSE(panner.panning);
  EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
  EXPECT_TRUE(dialog.isVisible()) << "the Esc that ended the pan closed the dialog";
  EXPECT_TRUE(fieldHost->focusProxy()->hasFocus());

  // Another window takes the activation mid-pan: the pan ends and the keyboard is free.
  Click(plot, 5, 5);
  ASSERT_EQ(QWidget::keyboardGrabber(), plot);
  QWidget other;
  other.resize(50, 50);
  other.show();
  other.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
  Pump(10);
  EXPECT_EQ(QWidget::keyboardGrabber(), nullptr) << "keys typed elsewhere still go to the pan";
  EXPECT_FALSE(panner.panning);
  DropGrabs();

  // Tab and Backtab pass the control that is no focus stop by, both ways.
  QWidget* lastHost = CreateQtControlHost(last, &dialog);
  layout->addWidget(lastHost);
  dialog.activateWindow();
  fieldHost->focusProxy()->setFocus();
  Pump(10);
  QTest::keyClick(fieldHost->focusProxy(), Qt::Key_Tab);
  EXPECT_TRUE(lastHost->focusProxy()->hasFocus());
  QTest::keyClick(lastHost->focusProxy(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(fieldHost->focusProxy()->hasFocus());

  // The host destroyed mid-pan: no grab outlives it, and the control hears its pan is over.
  QWidget* secondHost = CreateQtControlHost(second, &dialog);
  layout->addWidget(secondHost);
  dialog.activateWindow();
  Pump(10);
  Click(secondHost->focusProxy(), 5, 5);
  ASSERT_EQ(QWidget::keyboardGrabber(), secondHost->focusProxy());
  delete secondHost;
  EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_TRUE(!second.panning || second.lost > 0) << "the control still thinks it pans";
  DropGrabs();
}

namespace {

// A control in a tool window: a press may close the window it is shown in.
class Palette : public TControl {
 public:
  std::function<void()> onPress;
  int presses = 0;
  void Paint(TCanvas& c, const TRect&) override {
    c.Brush() = TBrush{clWhite, bsSolid, clWhite};
    c.FillRect(ClientRect());
  }
  void MouseDown(TMouseButton, TShiftState, int, int) override {
    ++presses;
    if (onPress) onPress();
  }
};

QWidget* ToolWindowTitled(const QString& title) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->windowTitle() == title && w->isVisible()) return w;
  return nullptr;
}

}  // namespace

// A tool window shows its control in a window of its own; the close box only asks the owner,
// after the event, and the owner may close it from anywhere, the control's own events included.
TEST(QtControlHostTest, AToolWindowClosesThroughItsOwnerAlsoFromItsOwnEvents) {
  EnsureGuiApplication();
  Probe owner;
  std::unique_ptr<QWidget> host(CreateQtControlHost(owner));
  host->resize(200, 100);
  host->show();
  Pump();
  Palette content;
  std::unique_ptr<TToolWindow> window;
  int closes = 0;
  const TToolWindowParams params{"Palette", {120, 80}, [&] {
                                   ++closes;
                                   window.reset();
                                 }};
  window = owner.OpenToolWindow(content, params);
  ASSERT_TRUE(window);
  Pump();
  QWidget* tool = ToolWindowTitled("Palette");
  ASSERT_TRUE(tool);
  EXPECT_EQ(tool->windowType(), Qt::Tool);
  EXPECT_EQ(content.ClientWidth(), 120);
  const QPointer<QWidget> closed(tool);
  tool->close();
  EXPECT_EQ(closes, 0);
  Pump();
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(window);
  EXPECT_EQ(content.Host(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(closed);
  // Closed by the owner from the control's own press: the press returns, nothing more of the
  // window reaches the control, and the window goes afterwards.
  window = owner.OpenToolWindow(content, params);
  Pump();
  tool = ToolWindowTitled("Palette");
  ASSERT_TRUE(tool);
  const QPointer<QWidget> going(tool);
  content.onPress = [&] { window.reset(); };
  Click(tool->focusProxy(), 10, 10);
  EXPECT_EQ(content.presses, 1);
  EXPECT_EQ(content.Host(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(going);
  EXPECT_EQ(closes, 1);
}
