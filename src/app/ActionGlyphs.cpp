#include "app/ActionGlyphs.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPolygon>
#include <cmath>
#include <functional>

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

// Strokes that stand on the toolbar itself rather than on a filled shape take the desktop's
// button text colour, so that they show on a dark toolbar too.
QColor BareInk() {
  return QGuiApplication::palette().color(QPalette::Active, QPalette::ButtonText);
}

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
  p.setPen(QPen(BareInk(), 1));
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
  p.setPen(BareInk());
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

void DrawProgramGlyph(QPainter& p) {
  p.setPen(kInk);
  p.setBrush(kPaper);
  p.drawRect(2, 2, 11, 11);
  p.fillRect(QRectF(3, 7, 10, 6), QColor(0, 128, 0));
}

// The disabled look: the drawing in grey, partly transparent.
void Fade(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = QColor::fromRgba(qUnpremultiply(line[x]));
      const int grey = 96 + qGray(c.rgb()) * 5 / 8;
      line[x] = qPremultiply(qRgba(grey, grey, grey, c.alpha() * 3 / 5));
    }
  }
}

// A glyph drawn from its 16 x 16 design at whatever size and device pixel ratio it is asked
// for, so it stays sharp on a scaled screen. Whole multiples of the design keep its pixels
// square; other sizes are smoothed.
class TGlyphEngine final : public QIconEngine {
 public:
  explicit TGlyphEngine(std::function<void(QPainter&)> draw) : FDraw(std::move(draw)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }
  // The size is in device pixels already; the scale only labels the picture.
  QPixmap scaledPixmap(const QSize& device, QIcon::Mode mode, QIcon::State /*state*/,
                       qreal scale) override {
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!image.isNull()) {
      QPainter p(&image);
      const qreal unit = std::min(device.width(), device.height()) / qreal(kDesign);
      if (unit >= 1 && unit == std::floor(unit)) {
        // The design's own pixels, each made a square: a scaled painter would centre its
        // strokes on the pixel edges and put them half a design pixel up and left.
        const int size = static_cast<int>(unit) * kDesign;
        p.drawImage(0, 0,
                    Design().scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
      } else {
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(unit, unit);
        FDraw(p);
      }
    }
    if (mode == QIcon::Disabled) Fade(image);
    QPixmap picture = QPixmap::fromImage(image);
    picture.setDevicePixelRatio(scale);
    return picture;
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48)};
  }
  QIconEngine* clone() const override { return new TGlyphEngine(FDraw); }

 private:
  QImage Design() const {
    QImage design(kDesign, kDesign, QImage::Format_ARGB32_Premultiplied);
    design.fill(Qt::transparent);
    QPainter p(&design);
    FDraw(p);
    return design;
  }

  static constexpr int kDesign = 16;
  std::function<void(QPainter&)> FDraw;
};

}  // namespace

QIcon OwnActionIcon(TActionGlyph glyph) {
  return QIcon(new TGlyphEngine([glyph](QPainter& p) { DrawGlyph(p, glyph); }));
}

QIcon ActionIcon(TActionGlyph glyph) {
  const QString name = QString::fromLatin1(ThemeName(glyph));
  if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
  return OwnActionIcon(glyph);
}

QIcon ProgramIcon() {
  return QIcon(new TGlyphEngine(DrawProgramGlyph));
}
