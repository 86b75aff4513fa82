#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include "app/InstallFolder.h"
#include "app/ProcessValues.h"
#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtInstanceGuard.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtScreen.h"
#include "platform/qt/QtSettingsStore.h"

namespace {

constexpr char VendorKey[] = "Software\\VEXO! Software";
constexpr char GameKey[] = "Software\\VEXO! Software\\Zelto";

// Each test gets a config home of its own.
class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Home.isValid());
    SavedConfigHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", Home.path().toUtf8());
  }
  void TearDown() override {
    if (SavedConfigHome.isNull()) {
      qunsetenv("XDG_CONFIG_HOME");
    } else {
      qputenv("XDG_CONFIG_HOME", SavedConfigHome);
    }
  }

  // Every file under the config home, relative and sorted.
  QStringList FilesInHome() const {
    QStringList files;
    QDirIterator it(Home.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(Home.path()).relativeFilePath(it.next());
    files.sort();
    return files;
  }

  void WriteFile(const QString& relative, const QByteArray& content) {
    const QString path = Home.filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }

  QByteArray ReadFile(const QString& relative) const {
    QFile file(Home.filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }

  QTemporaryDir Home;
  QByteArray SavedConfigHome;
  platform::QtSettingsStore Store;
};

TEST_F(SettingsStore, KeysMapToFilesUnderTheConfigHome) {
  EXPECT_EQ(platform::QtSettingsStore::KeyFile(VendorKey), Home.filePath("VEXO! Software.conf"));
  EXPECT_EQ(platform::QtSettingsStore::KeyFile(GameKey),
            Home.filePath("VEXO! Software/Zelto.conf"));
  for (const char* bad : {"Software", "Hardware\\VEXO! Software", "Software\\..\\x",
                          "Software\\a/b", "Software\\\\Zelto", "Software\\VEXO! Software\\"}) {
    EXPECT_TRUE(platform::QtSettingsStore::KeyFile(bad).isEmpty()) << bad;
    EXPECT_EQ(Store.OpenKey(bad, true), nullptr) << bad;
  }
  EXPECT_TRUE(FilesInHome().isEmpty());

  // Without XDG_CONFIG_HOME the files live in ~/.config.
  const QByteArray savedHome = qgetenv("HOME");
  qunsetenv("XDG_CONFIG_HOME");
  qputenv("HOME", Home.path().toUtf8());
  const QString file = platform::QtSettingsStore::KeyFile(GameKey);
  qputenv("HOME", savedHome);
  EXPECT_EQ(file, Home.filePath(".config/VEXO! Software/Zelto.conf"));
}

TEST_F(SettingsStore, OpeningWithCreationMakesOnlyTheEmptyKeyFile) {
  EXPECT_EQ(Store.OpenKey(VendorKey, false), nullptr);
  EXPECT_EQ(Store.OpenKey(GameKey, false), nullptr);
  EXPECT_TRUE(FilesInHome().isEmpty());
  {
    const auto key = Store.OpenKey(GameKey, true);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadString("Directory"), std::nullopt);
  }
  EXPECT_EQ(FilesInHome(), QStringList{"VEXO! Software/Zelto.conf"});
  EXPECT_EQ(ReadFile("VEXO! Software/Zelto.conf"), QByteArray());
  EXPECT_NE(Store.OpenKey(GameKey, false), nullptr);
}

TEST_F(SettingsStore, ValuesReadAsWrittenAndTheFileIsLeftAsItWas) {
  {
    QSettings writer(Home.filePath("VEXO! Software/Zelto.conf"), QSettings::NativeFormat);
    writer.setValue("Directory", "/srv/my games/zelto, the second");
  }
  const QByteArray hand = "[General]\nDevHome=/home/dev\nPlaces=a, b\n";
  WriteFile("VEXO! Software.conf", hand);
  const QByteArray written = ReadFile("VEXO! Software/Zelto.conf");

  {
    const auto game = Store.OpenKey(GameKey, true);
    const auto vendor = Store.OpenKey(VendorKey, false);
    ASSERT_NE(game, nullptr);
    ASSERT_NE(vendor, nullptr);
    EXPECT_EQ(game->ReadString("Directory"), "/srv/my games/zelto, the second");
    EXPECT_EQ(vendor->ReadString("DevHome"), "/home/dev");
    EXPECT_EQ(vendor->ReadString("Places"), std::nullopt);  // a list, not a path
    EXPECT_EQ(vendor->ReadString("Missing"), std::nullopt);
  }
  EXPECT_EQ(ReadFile("VEXO! Software.conf"), hand);
  EXPECT_EQ(ReadFile("VEXO! Software/Zelto.conf"), written);
}

// The whole folder search on the real services.
class InstallFolderOnQt : public SettingsStore {
 protected:
  platform::QtFileSystem Files;
  platform::QtScreen Screen;
  platform::QtInstanceGuard Instance;
  platform::QtMessageBoxes Boxes{ApplicationTitle};
  TRandom Random;
  language::TLanguage Words;
  TStartupServices Services{Store, Screen, Instance, Boxes, Files, nullptr, Random, Words};
};

TEST_F(InstallFolderOnQt, WithNoSettingsTheExecutablesFolderIsUsedAndOnlyTheKeyIsCreated) {
  FindInstallFolder(Services);
  const QString folder = QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath();
  EXPECT_EQ(DataDir, folder.toStdString() + "/");
  EXPECT_EQ(InstallDir, DataDir);
  EXPECT_EQ(FilesInHome(), QStringList{"VEXO! Software/Zelto.conf"});
  EXPECT_EQ(ReadFile("VEXO! Software/Zelto.conf"), QByteArray());
}

// A settings folder that cannot be read or made (here a file stands in its place, which also
// stops root) is no settings at all: the game starts from its own folder.
TEST_F(InstallFolderOnQt, ASettingsFolderThatCannotBeUsedLeavesTheGameToItsOwnFolder) {
  WriteFile("blocked", "not a folder");
  qputenv("XDG_CONFIG_HOME", Home.filePath("blocked").toUtf8());
  FindInstallFolder(Services);
  const QString folder = QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath();
  EXPECT_EQ(DataDir, folder.toStdString() + "/");
  EXPECT_EQ(ReadFile("blocked"), QByteArray("not a folder"));
}

TEST_F(InstallFolderOnQt, ADevHomeLeadsToItsZeltoFolder) {
  QTemporaryDir dev;
  ASSERT_TRUE(QDir(dev.path()).mkdir("Zelto"));
  WriteFile("VEXO! Software.conf", "[General]\nDevHome=" + dev.path().toUtf8() + "\n");
  FindInstallFolder(Services);
  EXPECT_EQ(DataDir, dev.path().toStdString() + "/Zelto/");
  EXPECT_EQ(InstallDir, DataDir);
}

}  // namespace
