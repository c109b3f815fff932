#include "widgets/ControlWidget.h"

#include <QEvent>
#include <QVBoxLayout>

#include "platform/Control.h"
#include "platform/QtControlHost.h"

TControlWidget::TControlWidget(QWidget* parent) : QWidget(parent) {
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
  FollowWidgetPalette(FHost);  // the palette Qt resolves for this widget, like any other
  setFocusProxy(FHost);
  // The control's own surface takes the focus (when the control takes any): the face says so.
  const QWidget* surface = FHost->focusProxy() ? FHost->focusProxy() : FHost;
  setFocusPolicy(surface->focusPolicy());
}

void TControlWidget::EndHosting() {
  delete FHost;
  FHost = nullptr;
  FControl = nullptr;
}

void TControlWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && FControl != nullptr) FControl->Invalidate();
}
