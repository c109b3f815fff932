#include "platform/SettingsFile.h"

#include <QSettings>
#include <QStandardPaths>

#include "platform/Exception.h"

namespace {

QString ToQt(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A slash or a backslash would open a subgroup: they are escaped, and so is the escape
// character, so that no two names share a place.
QString Escaped(const std::string& name) {
  QString s = ToQt(name);
  s.replace('%', QStringLiteral("%25"));
  s.replace('/', QStringLiteral("%2F"));
  s.replace('\\', QStringLiteral("%5C"));
  return s;
}

// Section and key form one path.
QString KeyPath(const std::string& section, const std::string& key) {
  return Escaped(section) + '/' + Escaped(key);
}

class TIniSettingsFile final : public TSettingsFile {
 public:
  explicit TIniSettingsFile(const QString& path) : FSettings(path, QSettings::IniFormat) {}

  std::optional<std::string> Read(const std::string& section,
                                  const std::string& key) const override {
    const QVariant value = FSettings.value(KeyPath(section, key));
    if (FSettings.status() != QSettings::NoError)
      throw Exception("Cannot read the settings file \"" + FSettings.fileName().toStdString() +
                      "\"");
    if (!value.isValid()) return std::nullopt;
    return value.toString().toStdString();
  }

  void Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    FSettings.setValue(KeyPath(section, key), ToQt(value));
  }

  void Flush() override {
    FSettings.sync();
    if (FSettings.status() != QSettings::NoError)
      throw Exception("Cannot write the settings file \"" + FSettings.fileName().toStdString() +
                      "\"");
  }

 private:
  QSettings FSettings;
};

}  // namespace

std::string UserConfigFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
}

std::unique_ptr<TSettingsFile> OpenUserSettings(const std::string& name) {
  const QString path = name.find('/') != std::string::npos
                           ? ToQt(name)
                           : ToQt(UserConfigFolder()) + '/' + ToQt(name);
  return std::make_unique<TIniSettingsFile>(path);
}
