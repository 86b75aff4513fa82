#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
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
  EXPECT_TRUE(QFileInfo::exists(Runtime.filePath("ZE32.lock")));

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
    EXPECT_TRUE(QFileInfo(temp.filePath("ZE32.lock")).isFile());
  }
  qputenv("TMPDIR", "/proc/self");
  {
    platform::QtInstanceGuard guard;
    EXPECT_EQ(guard.CreateMutex("ZE32"), platform::MutexResult::Failed);
    const std::string lock = QDir::tempPath().toStdString() + "/ZE32.lock";
    EXPECT_NE(guard.MutexFailure().find("cannot create its lock file \"" + lock + "\""),
              std::string::npos)
        << guard.MutexFailure();
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

// In a folder others may enter, the notice socket is made the user's alone.
TEST_F(InstanceGuard, TheNoticeSocketIsTheUsersAloneWhereOthersMayEnter) {
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", Runtime.path().toUtf8());
  const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
  ASSERT_TRUE(QFile::setPermissions(Runtime.path(), everyone));
  {
    platform::QtInstanceGuard guard;
    guard.RegisterMessage("probe notice");
    ASSERT_EQ(guard.CreateMutex("ZE32"), platform::MutexResult::Created);
    const QFileInfo socket(platform::QtInstanceGuard::NoticeServerName("probe notice"));
    ASSERT_TRUE(socket.exists());
    EXPECT_FALSE(socket.permissions() &
                 (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
  }
  if (saved.isNull()) {
    qunsetenv("XDG_RUNTIME_DIR");
  } else {
    qputenv("XDG_RUNTIME_DIR", saved);
  }
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
