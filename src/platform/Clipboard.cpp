#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

std::string TSystemClipboard::Text() const {
  return QGuiApplication::clipboard()->text().toUtf8().toStdString();
}

void TSystemClipboard::SetText(const std::string& text) {
  QGuiApplication::clipboard()->setText(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}
