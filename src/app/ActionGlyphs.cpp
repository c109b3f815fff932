#include "app/ActionGlyphs.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace {

const char* ThemeName(TActionGlyph glyph) {
  switch (glyph) {
    case agCut:
      return "edit-cut";
    case agCopy:
      return "edit-copy";
    case agPaste:
      return "edit-paste";
    case agNew:
      return "document-new";
    case agOpen:
      return "document-open";
    case agSave:
      return "document-save";
    case agSend:
      return "mail-send";
    case agExpand:
      return "view-list-tree";
    case agAnimate:
      return "media-playback-start";
  }
  return "";
}

const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);

void Page(QPainter& p, int x, int y, int w, int h) {
  p.setPen(kInk);
  p.setBrush(kPaper);
  p.drawRect(x, y, w - 1, h - 1);
}

void DrawNew(QPainter& p) {
  Page(p, 3, 1, 10, 14);
  p.drawLine(10, 1, 12, 3);
}

void DrawOpen(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(QColor(255, 215, 90));
  p.drawRect(1, 4, 13, 10);
  p.drawRect(1, 2, 5, 2);
}

void DrawSave(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(QColor(40, 60, 160));
  p.drawRect(1, 1, 13, 13);
  p.setBrush(kPaper);
  p.drawRect(4, 1, 7, 5);
  p.fillRect(5, 10, 6, 4, QColor(190, 190, 190));
}

void DrawSend(QPainter& p) {
  Page(p, 1, 3, 14, 10);
  p.drawLine(1, 3, 8, 9);
  p.drawLine(14, 3, 8, 9);
}

void DrawCut(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(2, 10, 4, 4);
  p.drawEllipse(9, 10, 4, 4);
  p.drawLine(5, 10, 11, 1);
  p.drawLine(10, 10, 4, 1);
}

void DrawCopy(QPainter& p) {
  Page(p, 1, 1, 9, 11);
  Page(p, 6, 4, 9, 11);
}

void DrawPaste(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(QColor(170, 120, 60));
  p.drawRect(2, 2, 11, 13);
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(5, 1, 5, 3);
  Page(p, 7, 6, 8, 9);
}

void DrawExpand(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(kPaper);
  p.drawRect(1, 1, 8, 8);
  p.drawLine(3, 5, 7, 5);
  p.drawLine(5, 3, 5, 7);
  p.drawLine(5, 10, 5, 13);
  p.drawLine(5, 13, 9, 13);
  p.drawLine(9, 6, 14, 6);
  p.fillRect(10, 12, 5, 3, QColor(40, 120, 40));
}

void DrawAnimate(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(QColor(30, 150, 30));
  p.drawPolygon(QPolygon({QPoint(4, 2), QPoint(13, 8), QPoint(4, 14)}));
}

void DrawGlyph(QPainter& p, TActionGlyph glyph) {
  switch (glyph) {
    case agCut:
      return DrawCut(p);
    case agCopy:
      return DrawCopy(p);
    case agPaste:
      return DrawPaste(p);
    case agNew:
      return DrawNew(p);
    case agOpen:
      return DrawOpen(p);
    case agSave:
      return DrawSave(p);
    case agSend:
      return DrawSend(p);
    case agExpand:
      return DrawExpand(p);
    case agAnimate:
      return DrawAnimate(p);
  }
}

}  // namespace

QIcon OwnActionIcon(TActionGlyph glyph) {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  DrawGlyph(painter, glyph);
  painter.end();
  return QIcon(picture);
}

QIcon ActionIcon(TActionGlyph glyph) {
  const QString name = QString::fromLatin1(ThemeName(glyph));
  if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
  return OwnActionIcon(glyph);
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    const int m = size / 8;
    const QRect tank(m, m, size - 2 * m - 1, size - 2 * m - 1);
    p.setPen(QColor(0, 0, 0));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(tank);
    const int level = tank.height() * 3 / 5;
    p.fillRect(tank.left() + 1, tank.bottom() - level + 1, tank.width() - 1, level,
               QColor(0, 128, 0));
    p.end();
    icon.addPixmap(picture);
  }
  return icon;
}
