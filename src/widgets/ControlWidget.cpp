#include "widgets/ControlWidget.h"

#include <QEvent>
#include <QVBoxLayout>

#include "platform/Color.h"
#include "platform/Control.h"
#include "platform/QtControlHost.h"

namespace {

// Programs that never chose a palette get the desktop's, as the demo's window does.
void InstallDesktopPaletteOnce() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  SetCurrentPalette(TSystemPalette::Desktop());
}

}  // namespace

TControlWidget::TControlWidget(QWidget* parent) : QWidget(parent) {
  InstallDesktopPaletteOnce();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
}

TControlWidget::~TControlWidget() {
  EndHosting();
}

void TControlWidget::Host(TControl& control) {
  FControl = &control;
  FHost = CreateQtControlHost(control, this);
  layout()->addWidget(FHost);
  setFocusProxy(FHost);
  setFocusPolicy(FHost->focusPolicy());
}

void TControlWidget::EndHosting() {
  delete FHost;
  FHost = nullptr;
  FControl = nullptr;
}

void TControlWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::PaletteChange || FControl == nullptr) return;
  SetCurrentPalette(TSystemPalette::Desktop());
  FControl->Invalidate();
}
