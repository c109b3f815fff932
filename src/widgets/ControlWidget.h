#pragma once

#include <QWidget>

#include "widgets/WidgetsExport.h"

class TControl;

// The part the two control widgets share: a QWidget that hosts one self-drawn control, so a
// program places the control in a layout like any widget. The host gives the control the
// keyboard focus (this widget's focus goes to it), the screen's pixel ratio, real scroll bars
// and timers, and describes it to assistive technology. The control paints with the palette Qt
// resolves for the widget (its own, its window's or the application's) and repaints when it
// changes.
class LISTCHART_WIDGETS_API TControlWidget : public QWidget {
 public:
  ~TControlWidget() override;
  TControlWidget(const TControlWidget&) = delete;
  TControlWidget& operator=(const TControlWidget&) = delete;

  // 400 x 300 pixels, whatever the control holds.
  QSize sizeHint() const override { return {400, 300}; }

 protected:
  // Lays out the widget without margins; the derived widget then calls Host().
  explicit TControlWidget(QWidget* parent);
  // Starts hosting the control, a member of the derived widget (made after this base).
  void Host(TControl& control);
  // The host draws the control: a derived widget ends it in its destructor, before its
  // control goes.
  void EndHosting();
  // Repaints the control when the widget's palette changes.
  void changeEvent(QEvent* event) override;

 private:
  QWidget* FHost = nullptr;
  TControl* FControl = nullptr;
};
