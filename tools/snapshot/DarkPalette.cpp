#include "DarkPalette.h"

#include <QColor>

QPalette FixedDarkPalette() {
  const QColor window(0x35, 0x35, 0x35), base(0x2d, 0x2d, 0x2d), text(0xee, 0xee, 0xec);
  QPalette p(text, window, QColor(0x4a, 0x4a, 0x4a), QColor(0x1b, 0x1b, 0x1b),
             QColor(0x28, 0x28, 0x28), text, QColor(0xff, 0xff, 0xff), base, window);
  p.setColor(QPalette::Midlight, QColor(0x40, 0x40, 0x40));
  p.setColor(QPalette::Shadow, QColor(0x12, 0x12, 0x12));
  p.setColor(QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
  p.setColor(QPalette::HighlightedText, QColor(0xff, 0xff, 0xff));
  p.setColor(QPalette::ToolTipBase, QColor(0x26, 0x26, 0x26));
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::PlaceholderText, QColor(0x91, 0x91, 0x91));
  for (const QPalette::ColorRole role :
       {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
    p.setColor(QPalette::Disabled, role, QColor(0x91, 0x91, 0x91));
  return p;
}
