#include "platform/Color.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace {

TColor FromQColor(const QColor& c) {
  return RGB(c.red(), c.green(), c.blue());
}

TSystemPalette& Current() {
  static TSystemPalette palette = TSystemPalette::Classic();
  return palette;
}

}  // namespace

// The classic palette: the grey 3D look with navy selection, fixed so that test pixels and
// snapshots never depend on the desktop theme. Values as 0x00BBGGRR.
TSystemPalette TSystemPalette::Classic() {
  TSystemPalette p;
  p.Set(sciScrollBar, 0x00C0C0C0);
  p.Set(sciBackground, 0x00808000);
  p.Set(sciActiveCaption, 0x00800000);
  p.Set(sciInactiveCaption, 0x00808080);
  p.Set(sciMenu, 0x00C0C0C0);
  p.Set(sciWindow, 0x00FFFFFF);
  p.Set(sciWindowFrame, 0x00000000);
  p.Set(sciMenuText, 0x00000000);
  p.Set(sciWindowText, 0x00000000);
  p.Set(sciCaptionText, 0x00FFFFFF);
  p.Set(sciActiveBorder, 0x00C0C0C0);
  p.Set(sciInactiveBorder, 0x00C0C0C0);
  p.Set(sciAppWorkSpace, 0x00808080);
  p.Set(sciHighlight, 0x00800000);
  p.Set(sciHighlightText, 0x00FFFFFF);
  p.Set(sciBtnFace, 0x00C0C0C0);
  p.Set(sciBtnShadow, 0x00808080);
  p.Set(sciGrayText, 0x00808080);
  p.Set(sciBtnText, 0x00000000);
  p.Set(sciInactiveCaptionText, 0x00C0C0C0);
  p.Set(sciBtnHighlight, 0x00FFFFFF);
  p.Set(sci3DDkShadow, 0x00000000);
  p.Set(sci3DLight, 0x00DFDFDF);
  p.Set(sciInfoText, 0x00000000);
  p.Set(sciInfoBk, 0x00E1FFFF);
  return p;
}

TSystemPalette TSystemPalette::Desktop() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return Classic();
  return FromQt(QGuiApplication::palette());
}

TSystemPalette TSystemPalette::FromQt(const QPalette& q) {
  TSystemPalette p = Classic();
  auto set = [&](TSystemColorIndex i, QPalette::ColorGroup g, QPalette::ColorRole r) {
    p.Set(i, FromQColor(q.color(g, r)));
  };
  const auto a = QPalette::Active;
  set(sciWindow, a, QPalette::Base);
  set(sciWindowText, a, QPalette::Text);
  set(sciBtnFace, a, QPalette::Button);
  set(sciMenu, a, QPalette::Button);
  set(sciScrollBar, a, QPalette::Button);
  set(sciActiveBorder, a, QPalette::Button);
  set(sciInactiveBorder, a, QPalette::Button);
  set(sciBtnText, a, QPalette::ButtonText);
  set(sciMenuText, a, QPalette::ButtonText);
  set(sciBtnShadow, a, QPalette::Dark);
  set(sciBtnHighlight, a, QPalette::Light);
  set(sci3DLight, a, QPalette::Midlight);
  set(sci3DDkShadow, a, QPalette::Shadow);
  set(sciHighlight, a, QPalette::Highlight);
  set(sciHighlightText, a, QPalette::HighlightedText);
  set(sciGrayText, QPalette::Disabled, QPalette::Text);
  set(sciInfoBk, a, QPalette::ToolTipBase);
  set(sciInfoText, a, QPalette::ToolTipText);
  set(sciAppWorkSpace, a, QPalette::Mid);
  set(sciActiveCaption, a, QPalette::Highlight);
  set(sciCaptionText, a, QPalette::HighlightedText);
  return p;
}

const TSystemPalette& CurrentPalette() {
  return Current();
}
void SetCurrentPalette(const TSystemPalette& palette) {
  Current() = palette;
}

TColor ColorToRGB(TColor c) {
  if (IsSystemColor(c)) return Current().Get(static_cast<TSystemColorIndex>(c & 0xFF));
  if (c == clNone || c == clDefault) return clBlack;
  return c & 0x00FFFFFF;
}
