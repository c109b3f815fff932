#include "platform/QtControlHost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScrollBar>
#include <QSet>
#include <QTimer>
#include <QTimerEvent>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Control.h"
#include "platform/QtAccessible.h"
#include "platform/QtImage.h"

namespace {

std::function<void(const std::string&)>& ErrorHandler() {
  static std::function<void(const std::string&)> handler;
  return handler;
}

int VirtualKey(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return '0' + (qtKey - Qt::Key_0);
  switch (qtKey) {
    case Qt::Key_Backspace:
      return vkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vkReturn;
    case Qt::Key_Shift:
      return vkShift;
    case Qt::Key_Control:
      return vkControl;
    case Qt::Key_Alt:
      return vkMenu;
    case Qt::Key_Escape:
      return vkEscape;
    case Qt::Key_Space:
      return vkSpace;
    case Qt::Key_PageUp:
      return vkPrior;
    case Qt::Key_PageDown:
      return vkNext;
    case Qt::Key_End:
      return vkEnd;
    case Qt::Key_Home:
      return vkHome;
    case Qt::Key_Left:
      return vkLeft;
    case Qt::Key_Up:
      return vkUp;
    case Qt::Key_Right:
      return vkRight;
    case Qt::Key_Down:
      return vkDown;
    case Qt::Key_Insert:
      return vkInsert;
    case Qt::Key_Delete:
      return vkDelete;
    case Qt::Key_Asterisk:
      return vkMultiply;
    case Qt::Key_Plus:
      return vkAdd;
    case Qt::Key_Minus:
      return vkSubtract;
    case Qt::Key_Slash:
      return vkDivide;
    case Qt::Key_F1:
      return vkF1;
    case Qt::Key_F2:
      return vkF2;
    default:
      return 0;
  }
}

// What a key types: printable text as the system gives it, control characters by one rule
// for every host (the systems disagree on Ctrl+letter and on Delete).
std::string TypedText(const QString& text, int vk, TShiftState shift) {
  if (shift & ssAlt) return {};  // Alt keys are the window's (menus, mnemonics)
  const QByteArray bytes = text.toUtf8();
  const unsigned char first = bytes.isEmpty() ? 0 : static_cast<unsigned char>(bytes[0]);
  if (first >= 0x20 && first != 0x7F && !(shift & ssCtrl)) return bytes.toStdString();
  const char c = TypedCharacter(vk, shift);
  return c ? std::string(1, c) : std::string();
}

TShiftState Shift(Qt::KeyboardModifiers m, Qt::MouseButtons b) {
  TShiftState s = 0;
  if (m & Qt::ShiftModifier) s |= ssShift;
  if (m & Qt::AltModifier) s |= ssAlt;
  if (m & Qt::ControlModifier) s |= ssCtrl;
  if (b & Qt::LeftButton) s |= ssLeft;
  if (b & Qt::RightButton) s |= ssRight;
  if (b & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

bool Button(Qt::MouseButton qb, TMouseButton& out) {
  switch (qb) {
    case Qt::LeftButton:
      out = mbLeft;
      return true;
    case Qt::RightButton:
      out = mbRight;
      return true;
    case Qt::MiddleButton:
      out = mbMiddle;
      return true;
    default:
      return false;
  }
}

// A drag started by a control of this program: its data, known to every window of the
// program by the serial number the drag's mime data carries. Other programs see the text.
constexpr const char* kDragFormat = "application/x-tankdemo-drag";
struct TCurrentDrag {
  TDragData Data;
  QByteArray Serial;
  bool Running = false;
};
TCurrentDrag& CurrentDrag() {
  static TCurrentDrag drag;
  return drag;
}

TDragData DragDataOf(const QMimeData* mime) {
  const TCurrentDrag& current = CurrentDrag();
  if (current.Running && mime->hasFormat(kDragFormat) && mime->data(kDragFormat) == current.Serial)
    return current.Data;
  TDragData data;
  if (mime->hasText()) data.Text = mime->text().toStdString();
  return data;
}

class Viewport;

class Host final : public QWidget, public TWindowHost {
 public:
  Host(TControl& control, QWidget* parent);
  ~Host() override;

  // TWindowHost
  TSize ClientSize() const override;
  void Invalidate(const TRect& r) override;
  void InvalidateAll() override;
  void Update() override;
  void ScrollContents(int dx, int dy, const TRect& area) override;
  TCanvas& ScreenCanvas() override {
    FFlush = true;
    return FBacking.Canvas();
  }
  void SetCapture(bool capture) override;
  bool HasCapture() const override { return FCaptured; }
  void SetCursorShape(TCursorShape shape) override;
  void SetFocus() override;
  bool Focused() const override;
  bool KeyPressed(int key) const override;
  TPoint CursorPos() const override;
  void SetTimer(int id, int milliseconds) override;
  void KillTimer(int id) override;
  void SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) override;
  TScrollInfo ScrollInfo(TScrollBarKind kind) const override {
    return kind == sbVertical ? FVinfo : FHinfo;
  }
  int WheelScrollLines() const override { return QApplication::wheelScrollLines(); }
  int DoubleClickTime() const override { return QApplication::doubleClickInterval(); }
  void MoveFocus(bool forward) override { focusNextPrevChild(forward); }
  void BeginDragImage(const TBitmap& image, TPoint hotspot) override;
  void MoveDragImage(TPoint position) override;
  void ShowDragImage(bool show) override;
  void EndDragImage() override;
  bool StartDrag(const TDragData& data, const TBitmap& image, TPoint hotspot) override;
  std::unique_ptr<TToolWindow> OpenToolWindow(TControl& content,
                                              const TToolWindowParams& params) override;
  void AccessibleEvent(TAccessibleEvent event, int child) override;

  // Runs a control handler: an escaping exception is shown and the program goes on. The
  // handler may close this window (a tool window): then nothing of it is touched afterwards.
  template <typename F>
  void Guard(F f) {
    if (FClosing) return;
    const QPointer<Host> alive(this);
    RunReportingErrors(this, f);
    if (!alive || FClosing) return;
    if (FFlush) {
      FFlush = false;
      RepaintViewport();
    }
  }

  // The grab is gone (the focus left the window meanwhile): a drag of the control ends.
  void DropCapture();
  void ReleaseKeyboard();

  void PaintViewport(QPaintEvent* e);
  void RepaintViewport();
  void FollowPalette() { FFollowsPalette = true; }
  void Resized();
  void ForgetKeys() { FKeys.clear(); }
  // A tool window's end: the control is let go of at once and hears nothing more; the widget
  // goes when the event loop gets back to it, as one of its own events may be running.
  void Detach();
  // The user's close box of a tool window asks its owner, after the event, to close it.
  void SetCloseHandler(std::function<void()> handler) { FOnClose = std::move(handler); }
  void NoteKey(int vk, bool down) {
    if (vk == 0) return;
    if (down)
      FKeys.insert(vk);
    else
      FKeys.remove(vk);
  }

  TControl& FControl;
  Viewport* FViewport = nullptr;

 protected:
  void timerEvent(QTimerEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void ApplyScrollBar(QScrollBar* bar, const TScrollInfo& info);
  void OnScrollAction(TScrollBarKind kind, QScrollBar* bar, int action);

  TBitmap FBacking;
  QRegion FInvalid;
  bool FFollowsPalette = false;
  bool FFlush = false;
  bool FCaptured = false;
  bool FKeyboardGrabbed = false;
  QScrollBar* FHbar = nullptr;
  QScrollBar* FVbar = nullptr;
  TScrollInfo FHinfo, FVinfo;
  bool FApplying = false;
  std::map<int, int> FTimers;  // control's id -> Qt's id
  QSet<int> FKeys;
  QLabel* FDrag = nullptr;
  TPoint FDragHotspot;
  bool FClosing = false;
  bool FDetached = false;
  std::function<void()> FOnClose;
};

// The close box only asks: the owner destroys the handle, which detaches the control.
void Host::closeEvent(QCloseEvent* e) {
  if (!FOnClose || FClosing) return QWidget::closeEvent(e);
  e->ignore();
  // Not once the owner let the window go meanwhile (it may be gone itself).
  QTimer::singleShot(0, this, [this] {
    if (!FClosing && FOnClose) FOnClose();
  });
}

class Viewport final : public QWidget {
 public:
  Viewport(Host& host, QWidget* parent) : QWidget(parent), FHost(host) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(host.FControl.TakesFocus() ? Qt::StrongFocus : Qt::NoFocus);
    setMouseTracking(true);
    setAcceptDrops(true);
  }
  TControl& Control() const { return FHost.FControl; }

 protected:
  void paintEvent(QPaintEvent* e) override { FHost.PaintViewport(e); }
  void resizeEvent(QResizeEvent*) override { FHost.Resized(); }
  void mousePressEvent(QMouseEvent* e) override { Press(e, 0); }
  void mouseDoubleClickEvent(QMouseEvent* e) override { Press(e, ssDouble); }
  void mouseMoveEvent(QMouseEvent* e) override {
    const QPoint p = e->position().toPoint();
    FHost.Guard(
        [&] { FHost.FControl.MouseMove(Shift(e->modifiers(), e->buttons()), p.x(), p.y()); });
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    TMouseButton b;
    if (!Button(e->button(), b)) return;
    const QPoint p = e->position().toPoint();
    FHost.Guard(
        [&] { FHost.FControl.MouseUp(b, Shift(e->modifiers(), e->buttons()), p.x(), p.y()); });
  }
  void wheelEvent(QWheelEvent* e) override {
    const QPoint angle = e->angleDelta();
    const int down = TakeNotches(FWheelRest, angle.y());
    const int left = TakeNotches(FWheelRestX, angle.x());
    // A part of a notch waits for the rest of it; the window gets nothing of it either.
    if (down == 0 && left == 0) return;
    const QPoint p = e->position().toPoint();
    const TShiftState shift = Shift(e->modifiers(), e->buttons());
    bool used = false;
    FHost.Guard([&] {
      if (down != 0) used = FHost.FControl.MouseWheel(shift, down, p.x(), p.y());
      if (left != 0) used = FHost.FControl.MouseWheelHorizontal(shift, left, p.x(), p.y()) || used;
    });
    if (!used) e->ignore();
  }
  void leaveEvent(QEvent*) override {
    FHost.Guard([&] { FHost.FControl.MouseLeave(); });
  }
  void keyPressEvent(QKeyEvent* e) override {
    const int vk = VirtualKey(e->key());
    FHost.NoteKey(vk, true);
    const TShiftState shift = Shift(e->modifiers(), Qt::NoButton);
    bool used = false;
    FHost.Guard([&] {
      // The window keeps Tab for moving the focus unless the control asks for it.
      if (vk == vkTab && !FHost.FControl.WantsKey(vk, shift)) {
        FHost.MoveFocus(!(shift & ssShift) && e->key() != Qt::Key_Backtab);
        used = true;
        return;
      }
      int key = vk;
      if (key != 0) FHost.FControl.KeyDown(key, shift);
      if (key == 0 && vk != 0) {
        used = true;
        return;
      }
      for (char c : TypedText(e->text(), vk, shift)) {
        FHost.FControl.KeyPress(c);
        used = used || c == 0;
      }
    });
    // What the control left alone is the window's: Esc closes a dialog, Enter presses its
    // default button.
    if (!used) e->ignore();
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    int key = VirtualKey(e->key());
    FHost.NoteKey(key, false);
    if (key == 0) return;
    const TShiftState shift = Shift(e->modifiers(), Qt::NoButton);
    // The window used a Tab the control did not want; its release is the window's too.
    if (key == vkTab && !FHost.FControl.WantsKey(key, shift)) return;
    FHost.Guard([&] { FHost.FControl.KeyUp(key, shift); });
  }
  void focusInEvent(QFocusEvent*) override {
    FHost.Guard([&] { FHost.FControl.FocusChanged(true); });
  }
  // A window that stops being the active one takes the keyboard grab of a gesture with it;
  // a control that is no focus stop hears no focus change, so it hears it here.
  bool event(QEvent* e) override {
    if (e->type() == QEvent::WindowDeactivate) FHost.Guard([&] { FHost.DropCapture(); });
    return QWidget::event(e);
  }
  void focusOutEvent(QFocusEvent*) override {
    // The releases of keys held now go to the widget that has the focus.
    FHost.ForgetKeys();
    FHost.Guard([&] {
      FHost.DropCapture();
      FHost.FControl.FocusChanged(false);
    });
  }
  // Drag and drop as a target: the control decides at every move whether it takes a drop.
  void dragEnterEvent(QDragEnterEvent* e) override { DragMove(e); }
  void dragMoveEvent(QDragMoveEvent* e) override { DragMove(e); }
  void dragLeaveEvent(QDragLeaveEvent*) override {
    FHost.Guard([&] { FHost.FControl.DragLeave(); });
  }
  void dropEvent(QDropEvent* e) override {
    const QPoint p = e->position().toPoint();
    const TDragData data = DragDataOf(e->mimeData());
    bool taken = false;
    FHost.Guard([&] {
      taken = FHost.FControl.DragOver(data, p.x(), p.y());
      if (taken)
        FHost.FControl.DragDrop(data, p.x(), p.y());
      else
        FHost.FControl.DragLeave();
    });
    if (taken)
      e->acceptProposedAction();
    else
      e->ignore();
  }
  void DragMove(QDropEvent* e) {
    const QPoint p = e->position().toPoint();
    const TDragData data = DragDataOf(e->mimeData());
    bool taken = false;
    FHost.Guard([&] { taken = FHost.FControl.DragOver(data, p.x(), p.y()); });
    // Enter must be accepted for moves to follow; a move says whether a drop is taken.
    if (taken || e->type() == QEvent::DragEnter) e->acceptProposedAction();
    if (!taken) e->setDropAction(Qt::IgnoreAction);
  }
  // Tab belongs to the control when it wants it; the default moves focus away.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  void Press(QMouseEvent* e, TShiftState extra) {
    TMouseButton b;
    if (!Button(e->button(), b)) return;
    const QPoint p = e->position().toPoint();
    FHost.Guard([&] {
      FHost.FControl.MouseDown(b, Shift(e->modifiers(), e->buttons()) | extra, p.x(), p.y());
    });
  }

  // Whole notches of a wheel's delta; a part of one is kept for the next event of the same
  // direction, and dropped when the wheel turns the other way.
  static int TakeNotches(int& rest, int delta) {
    if (delta == 0) return 0;
    if ((rest > 0 && delta < 0) || (rest < 0 && delta > 0)) rest = 0;
    rest += delta;
    const int notches = rest / 120;
    rest -= notches * 120;
    return notches;
  }

  Host& FHost;
  int FWheelRest = 0, FWheelRestX = 0;
};

Host::Host(TControl& control, QWidget* parent) : QWidget(parent), FControl(control) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  FViewport = new Viewport(*this, this);
  FHbar = new QScrollBar(Qt::Horizontal, this);
  FVbar = new QScrollBar(Qt::Vertical, this);
  FHbar->hide();
  FVbar->hide();
  grid->addWidget(FViewport, 0, 0);
  grid->addWidget(FVbar, 0, 1);
  grid->addWidget(FHbar, 1, 0);
  setFocusProxy(FViewport);
  QObject::connect(FHbar, &QScrollBar::actionTriggered, this,
                   [this](int a) { OnScrollAction(sbHorizontal, FHbar, a); });
  QObject::connect(FVbar, &QScrollBar::actionTriggered, this,
                   [this](int a) { OnScrollAction(sbVertical, FVbar, a); });
  QObject::connect(FHbar, &QScrollBar::sliderReleased, this, [this] {
    Guard([&] { FControl.Scroll(sbHorizontal, scEndScroll, FHbar->value()); });
  });
  QObject::connect(FVbar, &QScrollBar::sliderReleased, this, [this] {
    Guard([&] { FControl.Scroll(sbVertical, scEndScroll, FVbar->value()); });
  });
  FControl.SetHost(this);
}

// The viewport goes first, while this is still a whole Host: losing the focus on the way
// must not reach a control that is being detached.
Host::~Host() {
  // A gesture in progress ends with the window; the control hears it while it can answer.
  if (FCaptured && !FDetached) RunReportingErrors(this, [&] { DropCapture(); });
  FClosing = true;
  EndDragImage();
  delete FViewport;
  FViewport = nullptr;
  if (!FDetached) FControl.SetHost(nullptr);
}

void Host::Detach() {
  if (FDetached) return;
  FClosing = FDetached = true;
  EndDragImage();
  for (const auto& [id, qtId] : FTimers) killTimer(qtId);
  FTimers.clear();
  if (FCaptured) {
    FCaptured = false;
    FViewport->releaseMouse();
    ReleaseKeyboard();
  }
  hide();
  if (FControl.Host() == this) FControl.SetHost(nullptr);
}

// The tool window sits at the right of the window that opened it, as a palette does.
class TQtToolWindow final : public TToolWindow {
 public:
  TQtToolWindow(TControl& content, const TToolWindowParams& params, QWidget* owner)
      : FWindow(new Host(content, nullptr)) {
    FWindow->setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    FWindow->setWindowTitle(QString::fromStdString(params.Caption));
    FWindow->SetCloseHandler(params.OnClose);
    FWindow->resize(std::max(params.Size.cx, 1), std::max(params.Size.cy, 1));
    if (owner) {
      QWidget* top = owner->window();
      const QPoint corner = top->mapToGlobal(QPoint(top->width(), 0));
      FWindow->move(corner.x() + 8, corner.y());
    }
    FWindow->show();
  }
  ~TQtToolWindow() override {
    if (!FWindow) return;
    FWindow->Detach();
    FWindow->deleteLater();
  }
  void Raise() override {
    if (!FWindow) return;
    FWindow->show();
    FWindow->raise();
  }

 private:
  QPointer<Host> FWindow;
};

TSize Host::ClientSize() const {
  return {FViewport->width(), FViewport->height()};
}

void Host::Invalidate(const TRect& r) {
  if (IsRectEmpty(r)) return;
  FInvalid += QRect(r.left, r.top, r.Width(), r.Height());
  FViewport->update(QRect(r.left, r.top, r.Width(), r.Height()));
}

void Host::InvalidateAll() {
  FInvalid = QRegion(FViewport->rect());
  FViewport->update();
}

void Host::Update() {
  FViewport->repaint(FInvalid);
}

void Host::RepaintViewport() {
  FViewport->update();
}

void Host::PaintViewport(QPaintEvent* e) {
  // The backing picture follows the screen the window is on, in device pixels.
  const double ratio = FViewport->devicePixelRatioF();
  if (FBacking.Width() != FViewport->width() || FBacking.Height() != FViewport->height() ||
      FBacking.Scale() != ratio) {
    FBacking.SetScale(ratio);
    FBacking.SetSize(FViewport->width(), FViewport->height());
    FInvalid = QRegion(FViewport->rect());
  }
  if (!FInvalid.isEmpty() && !FBacking.Empty()) {
    const QRect b = FInvalid.boundingRect();
    const TRect update = Rect(b.left(), b.top(), b.right() + 1, b.bottom() + 1);
    TCanvas& c = FBacking.Canvas();
    FInvalid = QRegion();
    c.SaveClip();
    c.SetClipRect(update);
    const TSystemPalette program = CurrentPalette();
    if (FFollowsPalette) SetCurrentPalette(TSystemPalette::FromQt(FViewport->palette()));
    Guard([&] { FControl.Paint(c, update); });
    SetCurrentPalette(program);
    c.RestoreClip();
  }
  QPainter p(FViewport);
  ShowPicture(p, e->rect(), FBacking);
}

void Host::Resized() {
  Guard([&] { FControl.Resized(); });
  InvalidateAll();
}

void Host::ScrollContents(int dx, int dy, const TRect& area) {
  if (FBacking.Empty()) return;
  // Pixels waiting for their paint move with the rest: where they land needs the paint too.
  const QRect moved = IsRectEmpty(area) ? FViewport->rect()
                                        : QRect(area.left, area.top, area.Width(), area.Height());
  FInvalid += (FInvalid & moved).translated(dx, dy) & moved;
  for (const TRect& r : ScrollCanvasArea(FBacking.Canvas(), dx, dy, area)) Invalidate(r);
  FViewport->update();
}

void Host::BeginDragImage(const TBitmap& image, TPoint hotspot) {
  EndDragImage();
  if (image.Empty()) return;
  FDrag = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
  FDrag->setAttribute(Qt::WA_TransparentForMouseEvents);
  FDrag->setAttribute(Qt::WA_ShowWithoutActivating);
  QPixmap pixmap = QPixmap::fromImage(image.Image().image);
  pixmap.setDevicePixelRatio(image.Scale());
  FDrag->setPixmap(pixmap);
  FDrag->setWindowOpacity(0.7);
  FDrag->resize(image.Width(), image.Height());
  FDragHotspot = hotspot;
}

void Host::MoveDragImage(TPoint position) {
  if (!FDrag) return;
  const QPoint g = FViewport->mapToGlobal(QPoint(position.x, position.y));
  FDrag->move(g.x() - FDragHotspot.x, g.y() - FDragHotspot.y);
  if (!FDrag->isVisible()) FDrag->show();
}

void Host::ShowDragImage(bool show) {
  if (FDrag) FDrag->setVisible(show);
}

void Host::AccessibleEvent(TAccessibleEvent event, int child) {
  RaiseAccessibleEvent(FViewport, event, child);
}

// The platform's drag runs its own loop until the drop; the source hears the end after it.
bool Host::StartDrag(const TDragData& data, const TBitmap& image, TPoint hotspot) {
  static qulonglong serial = 0;
  auto* mime = new QMimeData;
  mime->setText(QString::fromStdString(data.Text));
  TCurrentDrag& current = CurrentDrag();
  current.Data = data;
  current.Serial = QByteArray::number(++serial);
  current.Running = true;
  mime->setData(kDragFormat, current.Serial);
  auto* drag = new QDrag(FViewport);
  drag->setMimeData(mime);
  if (!image.Empty()) {
    QPixmap pixmap = QPixmap::fromImage(image.Image().image);
    pixmap.setDevicePixelRatio(image.Scale());
    drag->setPixmap(pixmap);
    drag->setHotSpot(QPoint(hotspot.x, hotspot.y));
  }
  const QPointer<Host> alive(this);
  const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
  current.Running = false;
  current.Data = TDragData{};
  // A drop may close the window the drag came from (a tool window).
  if (alive && !FClosing) FControl.EndDrag(action != Qt::IgnoreAction);
  return true;
}

std::unique_ptr<TToolWindow> Host::OpenToolWindow(TControl& content,
                                                  const TToolWindowParams& params) {
  return std::make_unique<TQtToolWindow>(content, params, this);
}

void Host::EndDragImage() {
  delete FDrag;
  FDrag = nullptr;
}

// A control that is no focus stop hears the keys while it holds the capture, so Esc can end
// its gesture.
void Host::SetCapture(bool capture) {
  if (capture == FCaptured) return;
  FCaptured = capture;
  if (capture) {
    FViewport->grabMouse();
    if (!FViewport->hasFocus()) {
      FViewport->grabKeyboard();
      FKeyboardGrabbed = true;
    }
  } else {
    FViewport->releaseMouse();
    ReleaseKeyboard();
  }
}

void Host::ReleaseKeyboard() {
  if (!FKeyboardGrabbed) return;
  FKeyboardGrabbed = false;
  FViewport->releaseKeyboard();
  FKeys.clear();
}

void Host::DropCapture() {
  if (!FCaptured) return;
  FCaptured = false;
  FViewport->releaseMouse();
  ReleaseKeyboard();
  FControl.CaptureLost();
}

void Host::SetCursorShape(TCursorShape shape) {
  static const Qt::CursorShape shapes[] = {Qt::ArrowCursor, Qt::SplitHCursor, Qt::SplitVCursor,
                                           Qt::ForbiddenCursor, Qt::WaitCursor};
  FViewport->setCursor(shapes[shape]);
}

void Host::SetFocus() {
  FViewport->setFocus(Qt::OtherFocusReason);
}
bool Host::Focused() const {
  return FViewport->hasFocus();
}

// Modifiers and buttons are asked of the system; other keys are tracked from this window's
// own key events.
bool Host::KeyPressed(int key) const {
  const Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
  const Qt::MouseButtons b = QGuiApplication::mouseButtons();
  switch (key) {
    case vkShift:
      return m & Qt::ShiftModifier;
    case vkControl:
      return m & Qt::ControlModifier;
    case vkMenu:
      return m & Qt::AltModifier;
    case vkLButton:
      return b & Qt::LeftButton;
    case vkRButton:
      return b & Qt::RightButton;
    case vkMButton:
      return b & Qt::MiddleButton;
    default:
      return FKeys.contains(key);
  }
}

TPoint Host::CursorPos() const {
  const QPoint p = FViewport->mapFromGlobal(QCursor::pos());
  return {p.x(), p.y()};
}

void Host::SetTimer(int id, int milliseconds) {
  KillTimer(id);
  FTimers[id] = startTimer(std::max(1, milliseconds));
}

void Host::KillTimer(int id) {
  const auto it = FTimers.find(id);
  if (it == FTimers.end()) return;
  killTimer(it->second);
  FTimers.erase(it);
}

void Host::timerEvent(QTimerEvent* e) {
  for (const auto& [id, qtId] : FTimers)
    if (qtId == e->timerId()) {
      const int ours = id;
      Guard([&] { FControl.Timer(ours); });
      return;
    }
}

void Host::ApplyScrollBar(QScrollBar* bar, const TScrollInfo& info) {
  FApplying = true;
  const int page = std::max(0, info.page);
  bar->setRange(info.min, std::max(info.min, info.max - std::max(0, page - 1)));
  bar->setPageStep(std::max(1, page));
  bar->setValue(info.position);
  bar->setVisible(info.max - info.min + 1 > page && info.max > info.min);
  FApplying = false;
}

void Host::SetScrollInfo(TScrollBarKind kind, const TScrollInfo& info) {
  (kind == sbVertical ? FVinfo : FHinfo) = info;
  ApplyScrollBar(kind == sbVertical ? FVbar : FHbar, info);
}

void Host::OnScrollAction(TScrollBarKind kind, QScrollBar* bar, int action) {
  if (FApplying) return;
  TScrollCode code = scPosition;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      code = scLineDown;
      break;
    case QAbstractSlider::SliderSingleStepSub:
      code = scLineUp;
      break;
    case QAbstractSlider::SliderPageStepAdd:
      code = scPageDown;
      break;
    case QAbstractSlider::SliderPageStepSub:
      code = scPageUp;
      break;
    case QAbstractSlider::SliderToMinimum:
      code = scTop;
      break;
    case QAbstractSlider::SliderToMaximum:
      code = scBottom;
      break;
    case QAbstractSlider::SliderMove:
      code = bar->isSliderDown() ? scTrack : scPosition;
      break;
    default:
      return;
  }
  const int pos = bar->sliderPosition();
  // The control decides the new position and sets it back through SetScrollInfo.
  const TScrollInfo before = ScrollInfo(kind);
  bar->setSliderPosition(before.position);
  Guard([&] { FControl.Scroll(kind, code, pos); });
}

}  // namespace

QWidget* CreateQtControlHost(TControl& control, QWidget* parent) {
  InstallControlAccessibility();
  return new Host(control, parent);
}

void FollowWidgetPalette(QWidget* host) {
  if (auto* h = dynamic_cast<Host*>(host)) h->FollowPalette();
}

TControl* ControlOfViewport(QObject* object) {
  const auto* viewport = dynamic_cast<const Viewport*>(object);
  return viewport ? &viewport->Control() : nullptr;
}

void SetQtControlHostErrorHandler(std::function<void(const std::string&)> handler) {
  ErrorHandler() = std::move(handler);
}

void ReportHandlerError(QWidget* parent, const std::string& message) {
  if (ErrorHandler()) {
    ErrorHandler()(message);
    return;
  }
  QMessageBox::critical(parent, QStringLiteral("Error"), QString::fromStdString(message));
}

void ShowPicture(QPainter& painter, const QRect& r, const TBitmap& picture) {
  if (picture.Empty()) return;
  const double ratio = picture.Scale();
  const TRect d = Rect(ToDevicePixel(r.left(), ratio), ToDevicePixel(r.top(), ratio),
                       ToDevicePixel(r.right() + 1, ratio), ToDevicePixel(r.bottom() + 1, ratio));
  CountCopiedPixels(static_cast<long long>(d.Width()) * d.Height());
  painter.drawImage(QRectF(r), picture.Image().image, QRectF(d.left, d.top, d.Width(), d.Height()));
}
