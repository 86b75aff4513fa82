// The single-instance guard: a locked file "<name>.lock" in a folder only the user can write to
// (the runtime folder, else a private folder of the user's in the temp folder), free again when
// its owner dies, and a QLocalServer beside it on which later starts send the registered notice.
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
  // The lock goes to the runtime folder when it is the user's private folder and can hold it,
  // else to the user's private folder in the temp folder.
  MutexResult CreateMutex(const std::string& name) override;
  std::string MutexFailure(const language::TLanguage& words) const override;
  // Connects to the running instance and sends the message; gives up after a second.
  bool PostToAllWindows(uint16_t message) override;

  // $XDG_RUNTIME_DIR when it names a folder, else the temp folder.
  static QString RuntimeFolder();
  // The private folder of this user's in the temp folder: "<temp>/zeltoria-<uid>".
  static QString TempUserFolder();

 signals:
  // A later start sent `message`; the main window takes the input focus when it equals
  // InstanceMessage. Emitted from the event loop.
  void MessageReceived(quint16 message);

 private:
  void Listen();
  void ReadNotice(QLocalSocket* socket);
  QString NoticePath() const;

  // Takes the lock `file` in `folder`: Created, AlreadyExists, or Failed with Failure set.
  MutexResult TakeLock(const QString& folder, const QString& file);

  std::string NoticeName;
  QString Folder;  // where the lock was taken or found held
  // Why CreateMutex failed: a text of the catalogue with the path and the reason for it.
  struct {
    std::string_view Pattern;
    std::string Path;
    std::string Reason;
  } Failure;
  int LockFd = -1;  // the open lock file while it is held
  std::unique_ptr<QLocalServer> Server;
};

}  // namespace platform
