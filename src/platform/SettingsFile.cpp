#include "platform/SettingsFile.h"

#include <QSettings>
#include <QStandardPaths>

#include "platform/Exception.h"

namespace {

QString ToQt(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Section and key form one path; a slash inside either would open a subgroup.
QString KeyPath(const std::string& section, const std::string& key) {
  QString s = ToQt(section), k = ToQt(key);
  s.replace('/', '_');
  k.replace('/', '_');
  return s + '/' + k;
}

class TIniSettingsFile final : public TSettingsFile {
 public:
  explicit TIniSettingsFile(const QString& path) : FSettings(path, QSettings::IniFormat) {}

  std::optional<std::string> Read(const std::string& section,
                                  const std::string& key) const override {
    const QVariant value = FSettings.value(KeyPath(section, key));
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
