#include <QFontMetrics>
#include <QString>
#include <QStringList>
#include <algorithm>

#include "platform/CanvasState.h"

QFont MakeQFont(const TFont& font) {
  QFont f(QString::fromStdString(font.Name()));
  f.setPixelSize(std::max(1, font.Height()));
  f.setBold(font.HasStyle(fsBold));
  f.setItalic(font.HasStyle(fsItalic));
  f.setUnderline(font.HasStyle(fsUnderline));
  f.setStrikeOut(font.HasStyle(fsStrikeOut));
  // Exact, reproducible pixels: no antialiasing, no sub-pixel positioning.
  f.setStyleStrategy(QFont::NoAntialias);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

namespace {

QString StripPrefix(const QString& s) {
  QString out;
  out.reserve(s.size());
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s[i] == u'&') {
      if (i + 1 < s.size()) out += s[++i];
      continue;
    }
    out += s[i];
  }
  return out;
}

// Tab stops every eight average character widths, like a screen device context.
QString ExpandTabs(const QString& s, const QFontMetrics& fm) {
  const int stop = std::max(1, 8 * fm.averageCharWidth());
  QString out;
  for (QChar c : s) {
    if (c != u'\t') {
      out += c;
      continue;
    }
    const int w = fm.horizontalAdvance(out);
    const int next = (w / stop + 1) * stop;
    do out += u' ';
    while (fm.horizontalAdvance(out) < next);
  }
  return out;
}

QString Ellipsize(const QString& s, const QFontMetrics& fm, int width) {
  if (fm.horizontalAdvance(s) <= width) return s;
  const QString dots = QStringLiteral("...");
  QString cut = s;
  while (!cut.isEmpty() && fm.horizontalAdvance(cut + dots) > width) cut.chop(1);
  return cut + dots;
}

// Breaks one paragraph into lines that fit the width, at spaces where possible.
void WrapInto(QStringList& lines, const QString& para, const QFontMetrics& fm, int width) {
  if (para.isEmpty()) {
    lines << QString();
    return;
  }
  QString line;
  const QStringList words = para.split(u' ');
  for (const QString& word : words) {
    const QString candidate = line.isEmpty() ? word : line + u' ' + word;
    if (line.isEmpty() || fm.horizontalAdvance(candidate) <= width) {
      line = candidate;
      continue;
    }
    lines << line;
    line = word;
  }
  lines << line;
}

}  // namespace

TTextSize MeasureText(const TFont& font, const std::string& text) {
  const QFontMetrics fm(MakeQFont(font));
  return {fm.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))),
          fm.height()};
}

TSize TCanvas::TextExtent(const std::string& text) const {
  const TTextSize s = MeasureText(font_, text);
  return {s.width, s.height};
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (target_.image.isNull()) return;
  const QFont qf = MakeQFont(font_);
  const QFontMetrics fm(qf);
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const int w = fm.horizontalAdvance(s), h = fm.height();
  int left = 0, top = 0;  // of the text cell, relative to the reference point
  if ((text_align_ & taCenterH) == taCenterH)
    left = -w / 2;
  else if (text_align_ & taRight)
    left = -w;
  if ((text_align_ & taBaseline) == taBaseline)
    top = -fm.ascent();
  else if (text_align_ & taBottom)
    top = -h;

  QPainter p;
  BeginPainter(p, target_.image, state_->clip);
  p.translate(x, y);
  if (font_.Orientation() != 0) p.rotate(-font_.Orientation() / 10.0);
  if (bk_mode_ == bkOpaque) p.fillRect(QRect(left, top, w, h), ToQColor(bk_color_));
  p.setFont(qf);
  p.setPen(ToQColor(font_.Color()));
  p.drawText(QPoint(left, top + fm.ascent()), s);
}

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned flags) {
  const QFont qf = MakeQFont(font_);
  const QFontMetrics fm(qf);
  QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  if (!(flags & dtNoPrefix)) s = StripPrefix(s);
  if (flags & dtExpandTabs) s = ExpandTabs(s, fm);
  s.remove(u'\r');

  const int width = r.Width();
  QStringList lines;
  if (flags & dtSingleLine) {
    lines << QString(s).replace(u'\n', u' ');
  } else {
    for (const QString& para : s.split(u'\n')) {
      if (flags & dtWordBreak)
        WrapInto(lines, para, fm, width);
      else
        lines << para;
    }
  }
  if (flags & dtEndEllipsis)
    for (QString& line : lines) line = Ellipsize(line, fm, width);

  const int lineHeight = fm.height();
  const int total = lineHeight * static_cast<int>(lines.size());
  if (flags & dtCalcRect) {
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, fm.horizontalAdvance(line));
    if (!(flags & dtWordBreak) || widest > width) r.right = r.left + widest;
    r.bottom = r.top + total;
    return total;
  }
  if (target_.image.isNull()) return total;

  int y = r.top;
  if (flags & dtVCenter)
    y = r.top + (r.Height() - total) / 2;
  else if (flags & dtBottom)
    y = r.bottom - total;

  QPainter p;
  BeginPainter(p, target_.image, state_->clip);
  if (!(flags & dtNoClip)) {
    const QRect box(r.left, r.top, r.Width(), r.Height());
    p.setClipRegion(state_->clip ? (*state_->clip & box) : QRegion(box));
  }
  p.setFont(qf);
  p.setPen(ToQColor(font_.Color()));
  for (const QString& line : lines) {
    const int w = fm.horizontalAdvance(line);
    int x = r.left;
    if (flags & dtCenter)
      x = r.left + (width - w) / 2;
    else if (flags & dtRight)
      x = r.right - w;
    if (bk_mode_ == bkOpaque) p.fillRect(QRect(x, y, w, lineHeight), ToQColor(bk_color_));
    p.drawText(QPoint(x, y + fm.ascent()), line);
    y += lineHeight;
  }
  return total;
}
