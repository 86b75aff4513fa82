#include "platform/qt/QtInstanceGuard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <cerrno>
#include <cstring>

namespace platform {

namespace {

constexpr int NoticeBytes = 2;  // the message number, little-endian
constexpr int PostTimeoutMs = 1000;

// Numbers 0xC000..0xFFFF, the range of registered window messages; the same in every process.
uint16_t MessageNumber(const std::string& name) {
  uint32_t hash = 2166136261u;  // FNV-1a
  for (const unsigned char c : name) hash = (hash ^ c) * 16777619u;
  return static_cast<uint16_t>(0xC000u | (hash & 0x3FFFu));
}

}  // namespace

QtInstanceGuard::QtInstanceGuard(QObject* parent) : QObject(parent) {}

// The lock goes with its guard; the kernel would drop it anyway when the process ends, however
// it ends. The file stays: removing it would let a start that opened it just before hold a lock
// on a file no later start can see.
QtInstanceGuard::~QtInstanceGuard() {
  if (LockFd >= 0) ::close(LockFd);
}

QString QtInstanceGuard::RuntimeFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime;
  return QDir::tempPath();
}

QString QtInstanceGuard::NoticeServerName(const std::string& name) {
  return RuntimeFolder() + QLatin1Char('/') + QString::fromStdString(name) + QLatin1Char('-') +
         QString::number(getuid());
}

uint16_t QtInstanceGuard::RegisterMessage(const std::string& name) {
  NoticeName = NoticeServerName(name);
  return MessageNumber(name);
}

MutexResult QtInstanceGuard::CreateMutex(const std::string& name) {
  const QString file = QString::fromStdString(name) + QLatin1String(".lock");
  MutexResult result = TakeLock(RuntimeFolder() + QLatin1Char('/') + file);
  // A runtime folder the game cannot write to should not keep it from running.
  if (result == MutexResult::Failed && RuntimeFolder() != QDir::tempPath())
    result = TakeLock(QDir::tempPath() + QLatin1Char('/') + file);
  if (result == MutexResult::Created) Listen();
  return result;
}

// An advisory lock (flock) on the file: held while the process lives, whatever the file's age,
// and let go by the kernel when it dies, so no dead instance can leave a lock that holds.
MutexResult QtInstanceGuard::TakeLock(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    LockFd = fd;
    return MutexResult::Created;
  }
  const int error = errno;
  if (fd >= 0) ::close(fd);
  if (fd >= 0 && error == EWOULDBLOCK) return MutexResult::AlreadyExists;
  Failure = "it cannot create its lock file \"" + path.toStdString() + "\" (" +
            (error == EACCES || error == EPERM || error == EROFS ? std::string("no permission")
                                                                 : std::strerror(error)) +
            ")";
  return MutexResult::Failed;
}

void QtInstanceGuard::Listen() {
  if (NoticeName.isEmpty()) return;
  Server = std::make_unique<QLocalServer>();
  // In a folder only the user can enter (the runtime folder is one) the socket needs no rules of
  // its own; elsewhere Qt makes it the user's alone, at the cost of a temporary folder.
  const QFileInfo folder(QFileInfo(NoticeName).path());
  const auto othersMayEnter = QFile::ExeGroup | QFile::ExeOther;
  if (folder.ownerId() != getuid() || (folder.permissions() & othersMayEnter))
    Server->setSocketOptions(QLocalServer::UserAccessOption);
  // Holding the lock, a socket left here can only be a dead instance's.
  QLocalServer::removeServer(NoticeName);
  if (!Server->listen(NoticeName)) {
    Server.reset();  // no notices then; the game itself runs as usual
    return;
  }
  connect(Server.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = Server->nextPendingConnection()) {
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadNotice(socket); });
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      ReadNotice(socket);
    }
  });
}

void QtInstanceGuard::ReadNotice(QLocalSocket* socket) {
  if (socket->bytesAvailable() < NoticeBytes) return;
  const QByteArray bytes = socket->read(NoticeBytes);
  const auto low = static_cast<uint8_t>(bytes[0]);
  const auto high = static_cast<uint8_t>(bytes[1]);
  socket->disconnect(this);
  socket->disconnectFromServer();
  emit MessageReceived(static_cast<quint16>(low | (high << 8)));
}

void QtInstanceGuard::PostToAllWindows(uint16_t message) {
  if (NoticeName.isEmpty()) return;
  QLocalSocket socket;
  socket.connectToServer(NoticeName);
  if (!socket.waitForConnected(PostTimeoutMs)) return;
  const char bytes[NoticeBytes] = {static_cast<char>(message & 0xFF),
                                   static_cast<char>(message >> 8)};
  socket.write(bytes, NoticeBytes);
  socket.waitForBytesWritten(PostTimeoutMs);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(PostTimeoutMs);
}

}  // namespace platform
