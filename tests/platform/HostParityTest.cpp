#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/Control.h"
#include "platform/QtControlHost.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"

// The test window must deliver what the desktop window delivers for the same user action,
// or a gesture tested without a display would run differently on screen.

namespace {

// Writes down every input call with the shift state it came with.
class Recorder : public TControl {
 public:
  std::vector<std::string> log;
  bool wantTab = false;
  void Paint(TCanvas&, const TRect&) override {}
  void MouseDown(TMouseButton b, TShiftState s, int, int) override {
    log.push_back("down" + Button(b) + Shift(s));
    SetCapture(true);
  }
  void MouseMove(TShiftState s, int, int) override { log.push_back("move" + Shift(s)); }
  void MouseUp(TMouseButton b, TShiftState s, int, int) override {
    log.push_back("up" + Button(b) + Shift(s));
  }
  void KeyDown(int& key, TShiftState s) override {
    log.push_back("keydown " + std::to_string(key) + Shift(s));
  }
  void KeyUp(int& key, TShiftState) override { log.push_back("keyup " + std::to_string(key)); }
  void KeyPress(char& c) override { log.push_back("char " + std::to_string(int(c))); }
  bool WantsKey(int key, TShiftState s) const override {
    return wantTab || TControl::WantsKey(key, s);
  }
  void CaptureLost() override { log.push_back("capture lost"); }

 private:
  static std::string Button(TMouseButton b) { return b == mbLeft ? " left" : " right"; }
  static std::string Shift(TShiftState s) {
    std::string r;
    if (s & ssCtrl) r += " ctrl";
    if (s & ssLeft) r += " +left";
    if (s & ssRight) r += " +right";
    if (s & ssDouble) r += " double";
    return r;
  }
};

const std::vector<std::string> kDragAndDoubleClick = {
    "down left +left",        "move +left", "up left",         "down left +left", "up left",
    "down left +left double", "up left",    "down left +left", "capture lost"};

const std::vector<std::string> kKeys = {"keydown 67 ctrl", "char 3",    "keyup 67",   "keydown 107",
                                        "char 43",         "keyup 107", "keydown 27", "char 27",
                                        "keyup 27",        "keydown 9", "char 9",     "keyup 9"};

void SendMouse(QWidget* w, QEvent::Type type, Qt::MouseButtons held) {
  QMouseEvent e(type, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)),
                type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void SendKey(QWidget* w, int key, Qt::KeyboardModifiers m, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, m, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, m, text);
  QApplication::sendEvent(w, &release);
}

}  // namespace

TEST(HostParityTest, TheTestWindowDeliversDragsDoubleClicksAndKeysAsTheDesktopDoes) {
  Recorder r;
  TTestWindowHost host(r, 20, 20);
  host.MouseDown(mbLeft, 5, 5);
  host.MouseMove(6, 5);
  host.MouseUp(mbLeft, 6, 5);
  host.DoubleClick(mbLeft, 5, 5);
  host.MouseDown(mbLeft, 5, 5);
  host.LoseCapture();
  EXPECT_EQ(r.log, kDragAndDoubleClick);

  r.log.clear();
  host.SetKey(vkControl, true);
  host.PressKey('C');
  host.SetKey(vkControl, false);
  host.PressKey(vkAdd);
  host.PressKey(vkEscape);
  host.PressKey(vkTab);  // not wanted: the window moves the focus and the control sees nothing
  EXPECT_EQ(host.FocusMoves(), std::vector<int>{1});
  r.wantTab = true;
  host.PressKey(vkTab);
  EXPECT_EQ(r.log, kKeys);
}

TEST(HostParityTest, TheDesktopWindowDeliversTheSameSequences) {
  EnsureGuiApplication();
  Recorder r;
  std::unique_ptr<QWidget> host(CreateQtControlHost(r));
  host->resize(20, 20);
  QWidget* viewport = host->focusProxy();
  SendMouse(viewport, QEvent::MouseButtonPress, Qt::LeftButton);
  SendMouse(viewport, QEvent::MouseMove, Qt::LeftButton);
  SendMouse(viewport, QEvent::MouseButtonRelease, Qt::NoButton);
  SendMouse(viewport, QEvent::MouseButtonPress, Qt::LeftButton);
  SendMouse(viewport, QEvent::MouseButtonRelease, Qt::NoButton);
  SendMouse(viewport, QEvent::MouseButtonDblClick, Qt::LeftButton);
  SendMouse(viewport, QEvent::MouseButtonRelease, Qt::NoButton);
  SendMouse(viewport, QEvent::MouseButtonPress, Qt::LeftButton);
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(viewport, &out);
  EXPECT_EQ(r.log, kDragAndDoubleClick);

  r.log.clear();
  SendKey(viewport, Qt::Key_C, Qt::ControlModifier, QString(QChar(3)));
  SendKey(viewport, Qt::Key_Plus, Qt::NoModifier, "+");
  SendKey(viewport, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
  SendKey(viewport, Qt::Key_Tab, Qt::NoModifier, "\t");
  r.wantTab = true;
  SendKey(viewport, Qt::Key_Tab, Qt::NoModifier, "\t");
  EXPECT_EQ(r.log, kKeys);
}
