#include "platform/LocaleText.h"

#include <QList>
#include <QString>

namespace {
QString Q(const std::string& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
int Sign(int v) {
  return v < 0 ? -1 : (v > 0 ? 1 : 0);
}
}  // namespace

std::string AnsiUpperCase(const std::string& s) {
  return Q(s).toUpper().toUtf8().toStdString();
}

std::string AnsiLowerCase(const std::string& s) {
  return Q(s).toLower().toUtf8().toStdString();
}

int AnsiCompareStr(const std::string& a, const std::string& b) {
  return Sign(QString::localeAwareCompare(Q(a), Q(b)));
}

int AnsiCompareText(const std::string& a, const std::string& b) {
  return Sign(QString::localeAwareCompare(Q(a).toUpper(), Q(b).toUpper()));
}

int CharacterCount(const std::string& s) {
  return static_cast<int>(Q(s).toUcs4().size());
}
