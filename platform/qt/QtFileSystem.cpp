#include "platform/qt/QtFileSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace platform {

std::optional<FileAttributes> QtFileSystem::GetFileAttributes(const std::string& path) const {
  if (path.empty()) return std::nullopt;
  const QFileInfo info(QString::fromStdString(path));
  if (!info.exists()) return std::nullopt;
  return FileAttributes{info.isDir()};
}

bool QtFileSystem::FileExists(const std::string& path) const {
  return !path.empty() && QFileInfo(QString::fromStdString(path)).isFile();
}

std::string QtFileSystem::ExecutablePath() const {
  // Without an application object Qt does not know its own path; the kernel does.
  const QString path = QCoreApplication::instance()
                           ? QCoreApplication::applicationFilePath()
                           : QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
  return QFileInfo(path).canonicalFilePath().toStdString();
}

}  // namespace platform
