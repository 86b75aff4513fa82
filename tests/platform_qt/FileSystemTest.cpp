#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/qt/QtFileSystem.h"

namespace {

TEST(FileSystem, AttributesAndExistenceOfFoldersFilesAndNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile file(dir.filePath("zelto.vx8"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  ASSERT_TRUE(QDir(dir.path()).mkdir("Zelto"));
  const std::string root = dir.path().toStdString();
  const platform::QtFileSystem files;

  for (const std::string& folder : {root + "/Zelto", root + "/Zelto/"}) {
    ASSERT_TRUE(files.GetFileAttributes(folder).has_value()) << folder;
    EXPECT_TRUE(files.GetFileAttributes(folder)->Directory) << folder;
    EXPECT_FALSE(files.FileExists(folder)) << folder;
  }
  ASSERT_TRUE(files.GetFileAttributes(root + "/zelto.vx8").has_value());
  EXPECT_FALSE(files.GetFileAttributes(root + "/zelto.vx8")->Directory);
  EXPECT_TRUE(files.FileExists(root + "/zelto.vx8"));
  for (const std::string& nothing : {root + "/missing", root + "/missing/", std::string()}) {
    EXPECT_FALSE(files.GetFileAttributes(nothing).has_value()) << nothing;
    EXPECT_FALSE(files.FileExists(nothing)) << nothing;
  }
}

TEST(FileSystem, TheExecutablePathIsTheRealOneWhenStartedThroughALink) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString link = dir.filePath("zeltoria");
  ASSERT_TRUE(QFile::link(INSTANCE_PROBE, link));
  QProcess probe;
  probe.start(link, {"exe"});
  ASSERT_TRUE(probe.waitForFinished(10000));
  EXPECT_EQ(probe.readAllStandardOutput().trimmed().toStdString(),
            QFileInfo(INSTANCE_PROBE).canonicalFilePath().toStdString());
}

}  // namespace
