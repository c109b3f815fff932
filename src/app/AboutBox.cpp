#include "app/AboutBox.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <cmath>

namespace {

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
  setFixedSize(Scaled(367, scale), Scaled(257, scale));

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

  auto* panel = new QWidget(this);
  panel->setFixedHeight(Scaled(41, scale));
  FOk = new QPushButton(QStringLiteral("OK"), panel);
  FOk->setGeometry(Scaled(144, scale), Scaled(4, scale), Scaled(80, scale), Scaled(32, scale));
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
