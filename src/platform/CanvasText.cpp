#include <QCoreApplication>
#include <QFontMetrics>
#include <QString>
#include <QStringList>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <unordered_map>

#include "platform/CanvasState.h"
#include "platform/SpanFill.h"

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

// A text as the font draws it at one angle and alignment: the rows of pixels it sets,
// relative to the reference point.
struct TTextMask {
  struct TRun {
    int y, x0, x1;  // x1 exclusive
  };
  bool usable = false;  // false when the text has pixels in between (then drawn by a painter)
  std::vector<TRun> runs;
};

// What a font costs to build and shape, kept between calls: the Qt font and its metrics,
// text widths and drawn texts. Only the GUI thread draws and measures text.
struct TFontEntry {
  explicit TFontEntry(const TFont& f)
      : name(f.Name()), height(f.Height()), style(f.Style()), font(MakeQFont(f)), metrics(font) {}
  bool Matches(const TFont& f) const {
    return f.Height() == height && f.Style() == style && f.Name() == name;
  }
  int Width(const QString& s) {
    const auto found = widths.find(s);
    if (found != widths.end()) return found->second;
    if (widths.size() >= kMaxTexts) widths.clear();
    return widths[s] = metrics.horizontalAdvance(s);
  }
  const TTextMask& Mask(const QString& s, int angle, int left, int top);

  static constexpr size_t kMaxTexts = 512;
  // Masks cost memory by their runs: a few huge texts in a huge font must not hold more than
  // this many. A text whose picture exceeds kMaxMaskPixels is left to the painter: building
  // its mask would scan every pixel of that picture.
  static constexpr size_t kMaxRuns = size_t{1} << 18;
  static constexpr qint64 kMaxMaskPixels = qint64{1} << 16;
  size_t runsHeld = 0;
  std::string name;
  int height;
  TFontStyles style;
  QFont font;
  QFontMetrics metrics;
  std::unordered_map<QString, int> widths;
  std::map<std::tuple<QString, int, int, int>, TTextMask> masks;
};

// Qt's fonts must not outlive the application, so the cache is emptied as it ends.
class TFontCache {
 public:
  TFontEntry& For(const TFont& font) {
    for (auto& entry : FEntries)
      if (entry->Matches(font)) return *entry;
    if (!FRegistered) {
      qAddPostRoutine([] { Instance().Clear(); });
      FRegistered = true;
    }
    if (FEntries.size() >= kMaxFonts) FEntries.erase(FEntries.begin());
    FEntries.push_back(std::make_unique<TFontEntry>(font));
    return *FEntries.back();
  }
  static TFontCache& Instance() {
    static TFontCache cache;
    return cache;
  }

 private:
  void Clear() {
    FEntries.clear();
    FRegistered = false;
  }
  static constexpr size_t kMaxFonts = 16;
  std::vector<std::unique_ptr<TFontEntry>> FEntries;
  bool FRegistered = false;
};

QString ToQString(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const TTextMask& TFontEntry::Mask(const QString& s, int angle, int left, int top) {
  const auto key = std::make_tuple(s, angle, left, top);
  const auto found = masks.find(key);
  if (found != masks.end()) return found->second;
  if (masks.size() >= kMaxTexts || runsHeld >= kMaxRuns) {
    masks.clear();
    runsHeld = 0;
  }
  TTextMask& mask = masks[key];
  // Drawn white on black into a picture with room around the text's cell; glyphs may
  // overhang the cell, but not by more than the line height.
  const int w = Width(s), h = metrics.height(), margin = std::max(h, 8);
  QTransform turn;
  turn.rotate(-angle / 10.0);
  const QRect box =
      turn.mapRect(QRect(left - margin, top - margin, w + 2 * margin, h + 2 * margin));
  if (qint64{box.width()} * box.height() > kMaxMaskPixels) return mask;
  QImage image(box.width(), box.height(), QImage::Format_RGB32);
  image.fill(qRgb(0, 0, 0));
  {
    QPainter p;
    BeginPainter(p, image, std::nullopt);
    p.translate(-box.left(), -box.top());
    if (angle != 0) p.rotate(-angle / 10.0);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255));
    p.drawText(QPoint(left, top + metrics.ascent()), s);
  }
  const QRgb on = qRgb(255, 255, 255), off = qRgb(0, 0, 0);
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (line[x] == off) continue;
      const bool border = x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1;
      if (line[x] != on || border) {
        mask.runs.clear();
        return mask;
      }
      const int start = x;
      while (x + 1 < image.width() && line[x + 1] == on) ++x;
      mask.runs.push_back({y + box.top(), start + box.left(), x + 1 + box.left()});
    }
  }
  mask.usable = true;
  runsHeld += mask.runs.size();
  return mask;
}

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

// The lines DrawText writes a text in (carriage returns already removed).
QStringList BreakLines(const QString& s, const QFontMetrics& fm, int width, unsigned flags) {
  QStringList lines;
  if (flags & dtSingleLine) {
    lines << QString(s).replace(u'\n', u' ');
    return lines;
  }
  for (const QString& para : s.split(u'\n')) {
    if (flags & dtWordBreak)
      WrapInto(lines, para, fm, width);
    else
      lines << para;
  }
  return lines;
}

// The font a scaled picture draws text in: the same font at the device's pixel size, so
// glyphs are drawn sharp rather than enlarged.
TFont DeviceFont(const TFont& font, double scale) {
  TFont device(font);
  device.SetHeight(static_cast<int>(std::lround(font.Height() * scale)));
  return device;
}

}  // namespace

TTextSize MeasureText(const TFont& font, const std::string& text) {
  TFontEntry& entry = TFontCache::Instance().For(font);
  return {entry.Width(ToQString(text)), entry.metrics.height()};
}

namespace {

QStringList WrapForMeasure(const TFont& font, const std::string& text, int width) {
  QString s = ToQString(text);
  s.remove(u'\r');
  const QFontMetrics& fm = TFontCache::Instance().For(font).metrics;
  return BreakLines(s, fm, std::max(width, 1), dtWordBreak);
}

}  // namespace

int WrappedLineCount(const TFont& font, const std::string& text, int width) {
  return text.empty() ? 0 : static_cast<int>(WrapForMeasure(font, text, width).size());
}

std::vector<std::string> WrappedLines(const TFont& font, const std::string& text, int width) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  for (const QString& line : WrapForMeasure(font, text, width)) lines.push_back(line.toStdString());
  return lines;
}

TSize TCanvas::TextExtent(const std::string& text) const {
  const TTextSize s = MeasureText(FFont, text);
  return {s.width, s.height};
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (FTarget.image.isNull()) return;
  // From here on everything is in device pixels.
  TFontEntry& entry = TFontCache::Instance().For(Scaled() ? DeviceFont(FFont, Scale()) : FFont);
  x = Dev(x);
  y = Dev(y);
  const QFontMetrics& fm = entry.metrics;
  const QString s = ToQString(text);
  const int w = entry.Width(s), h = fm.height();
  int left = 0, top = 0;  // of the text cell, relative to the reference point
  if ((FTextAlign & taCenterH) == taCenterH)
    left = -w / 2;
  else if (FTextAlign & taRight)
    left = -w;
  if ((FTextAlign & taBaseline) == taBaseline)
    top = -fm.ascent();
  else if (FTextAlign & taBottom)
    top = -h;

  const int angle = FFont.Orientation();
  // Level text whose cell (with a line's height for overhanging glyphs) misses the picture
  // draws nothing: it is not even laid out, however long it is.
  if (angle == 0) {
    const int margin = h;
    const QRect cell(x + left - margin, y + top - margin, w + 2 * margin, h + 2 * margin);
    if (!cell.intersects(FTarget.image.rect())) return;
  }
  // A turned opaque cell is left to the painter.
  if (angle == 0 || FBkMode == bkTransparent) {
    const TTextMask& mask = entry.Mask(s, angle, left, top);
    if (mask.usable) {
      const TRaster raster(FTarget.image);
      TClipArea area(raster.Width(), raster.Height(), FState->clip ? &*FState->clip : nullptr);
      if (FBkMode == bkOpaque) {
        const QRgb bk = ToQRgb(FBkColor);
        area.ForEachSpanIn(Bounds(x + left, y + top, w, h), [&](int row, int x0, int x1) {
          FillSpan(raster.Row(row) + x0, static_cast<size_t>(x1 - x0), bk);
        });
      }
      const QRgb ink = ToQRgb(FFont.Color());
      for (const TTextMask::TRun& run : mask.runs)
        area.ForEachSpan(y + run.y, x + run.x0, x + run.x1, [&](int x0, int x1) {
          FillSpan(raster.Row(y + run.y) + x0, static_cast<size_t>(x1 - x0), ink);
        });
      return;
    }
  }
  QPainter p;
  BeginPainter(p, FTarget.image, FState->clip);
  p.translate(x, y);
  if (angle != 0) p.rotate(-angle / 10.0);
  if (FBkMode == bkOpaque) p.fillRect(QRect(left, top, w, h), ToQColor(FBkColor));
  p.setFont(entry.font);
  p.setPen(ToQColor(FFont.Color()));
  p.drawText(QPoint(left, top + fm.ascent()), s);
}

int TCanvas::DrawText(const std::string& text, TRect& r, unsigned flags) {
  const TFontEntry& entry = TFontCache::Instance().For(FFont);
  const QFontMetrics& fm = entry.metrics;
  QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  if (!(flags & dtNoPrefix)) s = StripPrefix(s);
  if (flags & dtExpandTabs) s = ExpandTabs(s, fm);
  s.remove(u'\r');

  const int width = r.Width();
  QStringList lines = BreakLines(s, fm, width, flags);
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
  if (FTarget.image.isNull()) return total;

  int y = r.top;
  if (flags & dtVCenter)
    y = r.top + (r.Height() - total) / 2;
  else if (flags & dtBottom)
    y = r.bottom - total;

  // Lines are broken and placed in logical pixels, then drawn in the device's font.
  const TFontEntry& ink = Scaled() ? TFontCache::Instance().For(DeviceFont(FFont, Scale())) : entry;
  const QFontMetrics& im = ink.metrics;
  const TRect device = DevRect(r);
  QPainter p;
  BeginPainter(p, FTarget.image, FState->clip);
  if (!(flags & dtNoClip)) {
    const QRect box(device.left, device.top, device.Width(), device.Height());
    p.setClipRegion(FState->clip ? (*FState->clip & box) : QRegion(box));
  }
  p.setFont(ink.font);
  p.setPen(ToQColor(FFont.Color()));
  for (const QString& line : lines) {
    const int w = im.horizontalAdvance(line), top = Dev(y);
    int x = device.left;
    if (flags & dtCenter)
      x = device.left + (device.Width() - w) / 2;
    else if (flags & dtRight)
      x = device.right - w;
    if (FBkMode == bkOpaque)
      p.fillRect(QRect(x, top, w, Dev(y + lineHeight) - top), ToQColor(FBkColor));
    p.drawText(QPoint(x, top + im.ascent()), line);
    y += lineHeight;
  }
  return total;
}
