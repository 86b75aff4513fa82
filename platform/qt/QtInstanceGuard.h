// The single-instance guard: a locked file "<name>.lock" in the user's runtime folder (the temp
// folder when there is none), free again when its owner dies, and a QLocalServer beside it on
// which later starts send the registered notice.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "platform/InstanceGuard.h"

class QLocalServer;
class QLocalSocket;

namespace platform {

class QtInstanceGuard : public QObject, public InstanceGuard {
  Q_OBJECT

 public:
  explicit QtInstanceGuard(QObject* parent = nullptr);
  ~QtInstanceGuard() override;

  uint16_t RegisterMessage(const std::string& name) override;
  // Created also starts listening for the notices of later starts (see MessageReceived).
  // The lock goes to the runtime folder, or to the temp folder when it cannot be made there.
  MutexResult CreateMutex(const std::string& name) override;
  std::string MutexFailure() const override { return Failure; }
  // Connects to the running instance, sends the message and returns; gives up after a second.
  void PostToAllWindows(uint16_t message) override;

  // $XDG_RUNTIME_DIR when it names a folder, else the temp folder.
  static QString RuntimeFolder();
  // The local socket of the notice registered as `name`, per user.
  static QString NoticeServerName(const std::string& name);

 signals:
  // A later start sent `message`; the main window takes the input focus when it equals
  // InstanceMessage. Emitted from the event loop.
  void MessageReceived(quint16 message);

 private:
  void Listen();
  void ReadNotice(QLocalSocket* socket);

  // Takes the lock at `path`: Created, AlreadyExists, or Failed with Failure set.
  MutexResult TakeLock(const QString& path);

  QString NoticeName;
  std::string Failure;
  int LockFd = -1;  // the open lock file while it is held
  std::unique_ptr<QLocalServer> Server;
};

}  // namespace platform
