#include "app/AboutBox.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

// The stored layout, in pixels at 120 pixels per inch.
constexpr int kWidth = 367, kHeight = 257, kPanelHeight = 41, kOkLeft = 144;

int Scaled(int pixels, double scale) {
  return static_cast<int>(std::lround(pixels * scale));
}

}  // namespace

const std::vector<std::string>& AboutLines() {
  static const std::vector<std::string> lines = {
      "Velmora Tank Monitoring Demo Version 1.0",
      "",
      "Tree/list shows current liquid levels at each",
      "site. Expand tree nodes to show current levels",
      "in each tank. Columns can be sorted and/or",
      "rearranged by clicking/dragging headers.",
      "",
      "Chart shows 'stacked' tank levels for each site.",
      "Position cursor over bar for site details. ",
      "Click on bar to open associated tree node.",
      "",
      "Press 'play' button to start (crude) simulation",
      "of tank level changes.",
  };
  return lines;
}

TAboutBox::TAboutBox(QWidget* parent, double scale) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About"));
  // A dialog border: fixed size, no minimise or maximise.
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  FMemo = new QPlainTextEdit(this);
  FMemo->setReadOnly(true);
  FMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  FMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  QPalette memoPalette = FMemo->palette();
  memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::ToolTipBase));
  memoPalette.setColor(QPalette::Text, memoPalette.color(QPalette::ToolTipText));
  FMemo->setPalette(memoPalette);
  QStringList text;
  for (const std::string& line : AboutLines()) text << QString::fromStdString(line);
  FMemo->setPlainText(text.join(QLatin1Char('\n')));

  // The stored size, or more when the desktop's font needs it to show every line whole.
  const QSize memo = MemoSizeForText();
  const int panelHeight = Scaled(kPanelHeight, scale);
  setFixedSize(std::max(Scaled(kWidth, scale), memo.width()),
               std::max(Scaled(kHeight, scale), memo.height() + panelHeight));

  auto* panel = new QWidget(this);
  panel->setFixedHeight(panelHeight);
  FOk = new QPushButton(QStringLiteral("OK"), panel);
  // Where the layout puts it, moved by half of any width the text added.
  const int okLeft = Scaled(kOkLeft, scale) + (width() - Scaled(kWidth, scale)) / 2;
  FOk->setGeometry(okLeft, Scaled(4, scale), Scaled(80, scale), Scaled(32, scale));
  FOk->setDefault(true);
  connect(FOk, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(FMemo, 1);
  layout->addWidget(panel);

  // Centred on the screen, not on the owner.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

// The memo's size at which every line shows whole, without a horizontal scroll bar.
QSize TAboutBox::MemoSizeForText() const {
  const QFontMetrics metrics(FMemo->font());
  int widest = 0;
  for (const std::string& line : AboutLines())
    widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line)));
  const int margin = static_cast<int>(std::ceil(FMemo->document()->documentMargin()));
  const int frame = 2 * FMemo->frameWidth();
  const int scrollBar = FMemo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, FMemo);
  // The text cursor's column after the widest line counts too.
  const int width = widest + 2 * margin + FMemo->cursorWidth() + 1 + frame + scrollBar;
  // A line takes its font's height rounded up; the memo scrolls unless one pixel is left
  // below the last line.
  const QFontMetricsF exact(FMemo->font());
  const int lineHeight = static_cast<int>(std::ceil(std::max(exact.height(), exact.lineSpacing())));
  const int lines = static_cast<int>(AboutLines().size());
  const int height = lines * lineHeight + 2 * margin + 1 + frame;
  return {width, height};
}
