#include "platform/qt/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace platform {

namespace {

class QtSettingsKey : public SettingsKey {
 public:
  explicit QtSettingsKey(const QString& file) : Settings(file, QSettings::NativeFormat) {}

  std::optional<std::string> ReadString(const std::string& name) const override {
    const QVariant value = Settings.value(QString::fromStdString(name));
    // A list or a byte array is not the text of a path.
    if (value.typeId() != QMetaType::QString) return std::nullopt;
    return value.toString().toStdString();
  }

 private:
  QSettings Settings;  // only read, so it never writes the file back
};

}  // namespace

QString QtSettingsStore::KeyFile(const std::string& path) {
  QStringList parts = QString::fromStdString(path).split(QLatin1Char('\\'));
  if (parts.size() < 2 || parts.takeFirst().compare(QLatin1String("Software"), Qt::CaseInsensitive))
    return {};
  for (const QString& part : parts) {
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..") ||
        part.contains(QLatin1Char('/')))
      return {};
  }
  const QString configHome =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return configHome + QLatin1Char('/') + parts.join(QLatin1Char('/')) + QLatin1String(".conf");
}

std::unique_ptr<SettingsKey> QtSettingsStore::OpenKey(const std::string& path, bool create) {
  const QString file = KeyFile(path);
  if (file.isEmpty()) return nullptr;
  if (!QFileInfo(file).isFile()) {
    if (!create) return nullptr;
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) return nullptr;
    QFile created(file);
    if (!created.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return nullptr;
  }
  return std::make_unique<QtSettingsKey>(file);
}

}  // namespace platform
