#include "platform/qt/QtInstanceGuard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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

std::string Reason(int error) {
  // TRANSLATORS: why the game cannot make its lock file or folder.
  return error == EACCES || error == EPERM || error == EROFS ? std::string(N_("no permission"))
                                                             : std::strerror(error);
}

// Empty when `path` is a folder itself (no link), owned by this user, that no one else may
// write to or enter; otherwise why not.
std::string NotPrivate(const QString& path) {
  struct stat info {};
  if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return Reason(errno);
  // TRANSLATORS: why the game's own folder for its lock is not private.
  if (!S_ISDIR(info.st_mode)) return std::string(N_("not a folder"));
  // TRANSLATORS: why the game's own folder for its lock is not private.
  if (info.st_uid != ::getuid()) return std::string(N_("another user's folder"));
  // TRANSLATORS: why the game's own folder for its lock is not private.
  if (info.st_mode & (S_IRWXG | S_IRWXO)) return std::string(N_("others may enter it"));
  return {};
}

}  // namespace

QtInstanceGuard::QtInstanceGuard(QObject* parent) : QObject(parent) {}

std::string QtInstanceGuard::MutexFailure(const language::TLanguage& words) const {
  return language::Format(words.Tr(Failure.Pattern), {Failure.Path, words.Tr(Failure.Reason)});
}

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

QString QtInstanceGuard::TempUserFolder() {
  return QDir::tempPath() + QLatin1String("/zeltoria-") + QString::number(::getuid());
}

uint16_t QtInstanceGuard::RegisterMessage(const std::string& name) {
  NoticeName = name;
  return MessageNumber(name);
}

QString QtInstanceGuard::NoticePath() const {
  return Folder + QLatin1Char('/') + QString::fromStdString(NoticeName);
}

// Every user has a folder of their own, so another user's files never stop a start and no
// one else can plant a link or a lock where the game looks.
MutexResult QtInstanceGuard::CreateMutex(const std::string& name) {
  const QString file = QString::fromStdString(name) + QLatin1String(".lock");
  const QString runtime = RuntimeFolder();
  MutexResult result = MutexResult::Failed;
  if (runtime != QDir::tempPath() && NotPrivate(runtime).empty()) result = TakeLock(runtime, file);
  if (result == MutexResult::Failed) {
    const QString own = TempUserFolder();
    // Made private; one that is already there must have been made so by this user.
    if (::mkdir(QFile::encodeName(own).constData(), 0700) != 0 && errno != EEXIST) {
      // TRANSLATORS: {0} is the folder's path, {1} the reason.
      Failure = {N_("it cannot create its folder \"{0}\" ({1})"), own.toStdString(), Reason(errno)};
      return MutexResult::Failed;
    }
    if (const std::string why = NotPrivate(own); !why.empty()) {
      // TRANSLATORS: {0} is the folder's path, {1} the reason.
      Failure = {N_("its folder \"{0}\" is not private ({1})"), own.toStdString(), why};
      return MutexResult::Failed;
    }
    result = TakeLock(own, file);
  }
  if (result == MutexResult::Created) Listen();
  return result;
}

// An advisory lock (flock) on the file: held while the process lives, whatever the file's age,
// and let go by the kernel when it dies, so no dead instance can leave a lock that holds.
MutexResult QtInstanceGuard::TakeLock(const QString& folder, const QString& file) {
  const QString path = folder + QLatin1Char('/') + file;
  const int fd = ::open(QFile::encodeName(path).constData(),
                        O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (fd < 0) {
    // TRANSLATORS: {0} is the file's path, {1} the reason.
    Failure = {N_("it cannot create its lock file \"{0}\" ({1})"), path.toStdString(),
               Reason(errno)};
    return MutexResult::Failed;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::getuid()) {
    ::close(fd);
    // TRANSLATORS: {0} is the file's path.
    Failure = {N_("its lock file \"{0}\" is not the user's own file"), path.toStdString(), {}};
    return MutexResult::Failed;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    LockFd = fd;
    Folder = folder;
    return MutexResult::Created;
  }
  const int error = errno;
  ::close(fd);
  if (error == EWOULDBLOCK) {
    Folder = folder;
    return MutexResult::AlreadyExists;
  }
  // TRANSLATORS: {0} is the file's path, {1} the reason.
  Failure = {N_("it cannot lock its lock file \"{0}\" ({1})"), path.toStdString(), Reason(error)};
  return MutexResult::Failed;
}

void QtInstanceGuard::Listen() {
  if (NoticeName.empty()) return;
  Server = std::make_unique<QLocalServer>();
  // Holding the lock, a socket left here can only be a dead instance's.
  QLocalServer::removeServer(NoticePath());
  if (!Server->listen(NoticePath())) {
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

bool QtInstanceGuard::PostToAllWindows(uint16_t message) {
  if (NoticeName.empty() || Folder.isEmpty()) return false;
  QLocalSocket socket;
  socket.connectToServer(NoticePath());
  if (!socket.waitForConnected(PostTimeoutMs)) return false;
  const char bytes[NoticeBytes] = {static_cast<char>(message & 0xFF),
                                   static_cast<char>(message >> 8)};
  socket.write(bytes, NoticeBytes);
  const bool sent = socket.waitForBytesWritten(PostTimeoutMs) || socket.bytesToWrite() == 0;
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(PostTimeoutMs);
  return sent;
}

}  // namespace platform
