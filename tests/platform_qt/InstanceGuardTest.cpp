#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/qt/QtInstanceGuard.h"

namespace {

// Starts of the probe in a runtime folder of their own, so that they meet only each other.
class InstanceGuard : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Runtime.isValid()); }
  void TearDown() override {
    for (auto& process : Processes) {
      if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(5000);
      }
    }
  }

  QProcessEnvironment Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", Runtime.path());
    return env;
  }

  QProcess& Start(const QProcessEnvironment& env) {
    Processes.push_back(std::make_unique<QProcess>());
    QProcess& process = *Processes.back();
    process.setProcessEnvironment(env);
    process.start(INSTANCE_PROBE, {"start"});
    EXPECT_TRUE(process.waitForStarted(10000));
    return process;
  }
  QProcess& Start() { return Start(Environment()); }

  // The next line the process prints, without its newline; empty after 20 s without one.
  static std::string NextLine(QProcess& process) {
    QElapsedTimer clock;
    clock.start();
    while (!process.canReadLine() && clock.elapsed() < 20000) {
      if (!process.waitForReadyRead(500) && process.state() == QProcess::NotRunning &&
          !process.canReadLine())
        break;
    }
    return process.readLine().trimmed().toStdString();
  }

  // A first start that holds the guard; returns its message line.
  std::string StartFirst(QProcess*& first) {
    first = &Start();
    const std::string message = NextLine(*first);
    EXPECT_EQ(message.rfind("message ", 0), 0u) << message;
    EXPECT_EQ(NextLine(*first), "created");
    return message;
  }

  // A later start: it must notify and exit at once.
  void StartSecond(const std::string& message) {
    QProcess& second = Start();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardOutput().toStdString(), message + "\nexists\nposted\n");
  }

  QTemporaryDir Runtime;
  std::vector<std::unique_ptr<QProcess>> Processes;
};

TEST_F(InstanceGuard, ASecondStartNotifiesTheFirstAndExitsAtOnce) {
  QProcess* first = nullptr;
  const std::string message = StartFirst(first);
  EXPECT_TRUE(QFileInfo::exists(Runtime.filePath("ZE32.lock")));
  StartSecond(message);
  EXPECT_EQ(NextLine(*first), "notice " + message.substr(8));
  ASSERT_TRUE(first->waitForFinished(10000));
  EXPECT_EQ(first->exitCode(), 0);
}

TEST_F(InstanceGuard, ALockLeftByAKilledProcessDoesNotStopTheNextStart) {
  QProcess* dead = nullptr;
  const std::string message = StartFirst(dead);
  dead->kill();
  ASSERT_TRUE(dead->waitForFinished(10000));
  ASSERT_TRUE(QFileInfo::exists(Runtime.filePath("ZE32.lock")));  // left behind

  QProcess* next = nullptr;
  EXPECT_EQ(StartFirst(next), message);
  // The dead instance's socket is gone too: the new one hears later starts.
  StartSecond(message);
  EXPECT_EQ(NextLine(*next), "notice " + message.substr(8));
}

TEST_F(InstanceGuard, AnOldLockOfALiveInstanceStillHolds) {
  QProcess* first = nullptr;
  const std::string message = StartFirst(first);
  // As if the game had been running for hours.
  QFile lock(Runtime.filePath("ZE32.lock"));
  ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
  ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3 * 3600),
                               QFileDevice::FileModificationTime));
  lock.close();
  StartSecond(message);
  EXPECT_EQ(NextLine(*first), "notice " + message.substr(8));
}

TEST_F(InstanceGuard, WithoutARuntimeFolderTheTempFolderHoldsTheLock) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("XDG_RUNTIME_DIR");
  env.insert("TMPDIR", Runtime.path());
  QProcess& first = Start(env);
  NextLine(first);
  EXPECT_EQ(NextLine(first), "created");
  const QFileInfo own(Runtime.filePath("zeltoria-" + QString::number(getuid())));
  EXPECT_TRUE(QFileInfo::exists(own.filePath() + "/ZE32.lock"));
  EXPECT_EQ(own.permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                  QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
            QFile::Permissions())
      << "the user's own folder";

  QProcess& second = Start(env);
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_TRUE(second.readAllStandardOutput().contains("\nexists\nposted\n"));
  EXPECT_TRUE(NextLine(first).rfind("notice ", 0) == 0);
}

// No file can be made in /proc/self, not even by root: a runtime folder that cannot hold the
// lock.
TEST_F(InstanceGuard, ALockTheRuntimeFolderCannotHoldGoesToTheTempFolderOrSaysWhyNot) {
  QTemporaryDir temp;
  const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
  const QByteArray savedTemp = qgetenv("TMPDIR");
  qputenv("XDG_RUNTIME_DIR", "/proc/self");
  qputenv("TMPDIR", temp.path().toUtf8());
  {
    platform::QtInstanceGuard guard;
    EXPECT_EQ(guard.CreateMutex("ZE32"), platform::MutexResult::Created);
    EXPECT_TRUE(QFileInfo(platform::QtInstanceGuard::TempUserFolder() + "/ZE32.lock").isFile());
  }
  qputenv("TMPDIR", "/proc/self");
  {
    platform::QtInstanceGuard guard;
    EXPECT_EQ(guard.CreateMutex("ZE32"), platform::MutexResult::Failed);
    const std::string folder = platform::QtInstanceGuard::TempUserFolder().toStdString();
    EXPECT_NE(guard.MutexFailure(language::TLanguage())
                  .find("cannot create its folder \"" + folder + "\""),
              std::string::npos)
        << guard.MutexFailure(language::TLanguage());
  }
  for (const auto& [name, value] :
       {std::pair{"XDG_RUNTIME_DIR", savedRuntime}, std::pair{"TMPDIR", savedTemp}}) {
    if (value.isNull()) {
      qunsetenv(name);
    } else {
      qputenv(name, value);
    }
  }
}

// Another user's files never stop a start, and no one can make a start write elsewhere: each
// user plays in a folder of their own in the shared temp folder, which must be theirs alone.
TEST_F(InstanceGuard, TwoUsersPlayTheirOwnGamesAndNoOtherUserCanTrapAStart) {
  if (getuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
    GTEST_SKIP() << "acting as several users needs root and setpriv";
  QTemporaryDir shared;  // as /tmp is: anyone may create, only the owner may remove
  ASSERT_TRUE(shared.isValid());
  ASSERT_EQ(::chmod(QFile::encodeName(shared.path()).constData(), 01777), 0);
  const QString probe = shared.filePath("probe");
  ASSERT_TRUE(QFile::copy(INSTANCE_PROBE, probe));
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("XDG_RUNTIME_DIR");
  env.insert("TMPDIR", shared.path());
  const auto startAs = [&](int uid) -> QProcess& {
    Processes.push_back(std::make_unique<QProcess>());
    QProcess& process = *Processes.back();
    process.setProcessEnvironment(env);
    const QString id = QString::number(uid);
    process.start("setpriv", {"--reuid=" + id, "--regid=" + id, "--clear-groups", probe, "start"});
    EXPECT_TRUE(process.waitForStarted(10000));
    NextLine(process);  // the message number
    return process;
  };
  const auto folderOf = [&](int uid) {
    return shared.filePath("zeltoria-" + QString::number(uid));
  };

  // Users 61001 and 61002 each hold their own game, both at once.
  EXPECT_EQ(NextLine(startAs(61001)), "created");
  EXPECT_EQ(NextLine(startAs(61002)), "created");
  // 61001 plants traps for 61003 (a folder of its own, open to all) and 61004 (a link to it).
  const QString trap = shared.filePath("trap");
  ASSERT_TRUE(QDir().mkpath(trap));
  ASSERT_EQ(::chmod(QFile::encodeName(trap).constData(), 0777), 0);
  ASSERT_EQ(::symlink(QFile::encodeName(trap).constData(), QFile::encodeName(folderOf(61004))), 0);
  ASSERT_TRUE(QDir().mkpath(folderOf(61003)));
  ASSERT_EQ(::chmod(QFile::encodeName(folderOf(61003)).constData(), 0777), 0);
  for (const QString& path : {trap, folderOf(61003)})
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 61001, 61001), 0);
  for (const auto& [uid, why] :
       {std::pair{61003, "another user's folder"}, std::pair{61004, "not a folder"}}) {
    EXPECT_EQ(NextLine(startAs(uid)), "failed: its folder \"" + folderOf(uid).toStdString() +
                                          "\" is not private (" + why + ")");
  }
  EXPECT_TRUE(QDir(trap).isEmpty()) << "nothing was made where the link points";
}

// A held lock that nothing answers for is said, not taken as another running game.
TEST_F(InstanceGuard, ALockHeldByWhatDoesNotAnswerIsNoSilentExit) {
  const int fd =
      ::open(QFile::encodeName(Runtime.filePath("ZE32.lock")).constData(), O_RDWR | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  QProcess& second = Start();
  NextLine(second);
  EXPECT_EQ(NextLine(second), "exists");
  EXPECT_EQ(NextLine(second), "unanswered");
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitCode(), 4);
  ::close(fd);
}

TEST_F(InstanceGuard, TheSameNameGivesTheSameRegisteredNumberInTheRegisteredRange) {
  platform::QtInstanceGuard a, b;
  const uint16_t number = a.RegisterMessage("Check for Zeltoria instance");
  EXPECT_EQ(b.RegisterMessage("Check for Zeltoria instance"), number);
  EXPECT_GE(number, 0xC000);
}

TEST_F(InstanceGuard, ASecondGuardInTheSameProcessFindsTheMutexTaken) {
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", Runtime.path().toUtf8());
  {
    platform::QtInstanceGuard first, second;
    first.RegisterMessage("probe notice");
    EXPECT_EQ(first.CreateMutex("ZE32"), platform::MutexResult::Created);
    EXPECT_EQ(second.CreateMutex("ZE32"), platform::MutexResult::AlreadyExists);
    second.PostToAllWindows(1);  // with no notice registered: nothing, and no hang
  }
  // The lock goes with its guard.
  {
    platform::QtInstanceGuard third;
    EXPECT_EQ(third.CreateMutex("ZE32"), platform::MutexResult::Created);
  }

  // A runtime folder that is not a folder falls back to the temp folder.
  qputenv("XDG_RUNTIME_DIR", Runtime.filePath("probe notice").toUtf8());
  EXPECT_EQ(platform::QtInstanceGuard::RuntimeFolder(), QDir::tempPath());
  if (saved.isNull()) {
    qunsetenv("XDG_RUNTIME_DIR");
  } else {
    qputenv("XDG_RUNTIME_DIR", saved);
  }
}

}  // namespace
