// Starting the real window: each failure of its creation shows the one message and stops the
// start before the loop; a second start hands the focus to the running window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "about/DlgAbout.h"
#include "app/QtApplicationHost.h"
#include "platform/qt/QtInstanceGuard.h"
#include "tests/app/FakeServices.h"
#include "tests/window/WindowRig.h"

namespace {

using namespace windowtest;

const std::string Lead = "Zeltoria encountered a problem on start-up: ";

TEST(Startup, EachFailureOfTheWindowsCreationShowsOneMessage) {
  TWindowOptions noFile;
  noFile.WriteLibrary = false;
  TWindowRig missing(noFile);
  EXPECT_TRUE(missing.Form().StartupFailed());
  EXPECT_EQ(missing.Boxes.Shown,
            std::vector<std::string>{Lead + "Cannot open file " + missing.DataDir() + "zelto.vx8"});

  TWindowRig corrupt(noFile);
  vx8test::WriteBytes(corrupt.DataDir() + "zelto.vx8", vx8test::Bytes(2000, 0x56));
  TFormZeltoSetup setup;
  setup.DataDir = corrupt.DataDir();
  setup.Boxes = &corrupt.Boxes;
  corrupt.Boxes.Shown.clear();
  TFormZelto again(setup);
  EXPECT_TRUE(again.StartupFailed());
  EXPECT_EQ(corrupt.Boxes.Shown,
            std::vector<std::string>{Lead + "ValidateVX8FileHeader: header invalid"});

  // Missing pictures, in the order the window takes them; the back board's picture only when
  // the first puzzle is drawn.
  for (const char* name : {"arru_up", "arrr_dn", "empty", "conndiag", "clicksr"}) {
    TWindowOptions lacking;
    lacking.LeaveOut = name;
    TWindowRig rig(lacking);
    EXPECT_TRUE(rig.Form().StartupFailed()) << name;
    EXPECT_EQ(rig.Boxes.Shown,
              std::vector<std::string>{Lead + "Image \"" + name + "\" does not exist"});
  }
  // The buttons' and background's pictures are no failure: they show their placeholders.
  for (const char* name : {"tile", "start", "plus_btn"}) {
    TWindowOptions lacking;
    lacking.LeaveOut = name;
    TWindowRig rig(lacking);
    EXPECT_FALSE(rig.Form().StartupFailed()) << name;
    EXPECT_TRUE(rig.Boxes.Shown.empty()) << name;
  }
}

// The real entry's host behind the start-up checks, on fake services around a data folder.
struct Entry : ::testing::Test {
  QTemporaryDir Folder;
  TStartupRig Start;
  TRecordingBoxes WindowBoxes;
  int Loops = 0;
  std::unique_ptr<TQtApplicationHost> Host;

  void SetUp() override {
    const std::string dir = Folder.path().toStdString();
    Start.Files.Executable = dir + "/zeltoria";
    Start.Files.Folders = {dir};
    Start.Files.Files = {dir + "/zeltoria", dir + "/zelto.vx8"};
    TQtHostSetup setup;
    setup.Boxes = &WindowBoxes;
    setup.AboutWhenShown = false;
    setup.Loop = [this] {
      ++Loops;
      return 7;
    };
    Host = std::make_unique<TQtApplicationHost>(std::move(setup));
  }
  void TearDown() override {
    Host.reset();
    StartupFailed = false;
  }
  void WriteLibrary(const vx8test::Bytes& bytes) {
    vx8test::WriteBytes(Folder.path().toStdString() + "/zelto.vx8", bytes);
  }
};

TEST_F(Entry, AGoodDataFileShowsTheWindowAndRunsTheLoop) {
  WriteLibrary(vx8test::LibraryBytes(WindowRecords()));
  EXPECT_EQ(RunStartup(Start.Services, *Host), 7);
  EXPECT_EQ(Loops, 1);
  ASSERT_NE(Host->MainWindow(), nullptr);
  EXPECT_TRUE(Host->MainWindow()->isVisible());
  EXPECT_NE(Host->AboutDialog(), nullptr);
  EXPECT_TRUE(WindowBoxes.Shown.empty());
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Zeltoria");
}

TEST_F(Entry, ACorruptDataFileShowsTheWindowsMessageAndSkipsTheLoop) {
  WriteLibrary(vx8test::Bytes(1030, 0));
  EXPECT_EQ(RunStartup(Start.Services, *Host), ExitFailure);
  EXPECT_TRUE(StartupFailed);
  EXPECT_EQ(Loops, 0);
  EXPECT_EQ(WindowBoxes.Shown,
            std::vector<std::string>{Lead + "ValidateVX8FileHeader: header invalid"});
  ASSERT_NE(Host->MainWindow(), nullptr);
  EXPECT_FALSE(Host->MainWindow()->isVisible());
  // The about dialog is made all the same.
  EXPECT_NE(Host->AboutDialog(), nullptr);
}

TEST_F(Entry, AMissingPictureShowsTheWindowsMessageAndSkipsTheLoop) {
  WriteLibrary(vx8test::LibraryBytes(WindowRecords("roads")));
  EXPECT_EQ(RunStartup(Start.Services, *Host), ExitFailure);
  EXPECT_EQ(Loops, 0);
  EXPECT_EQ(WindowBoxes.Shown, std::vector<std::string>{Lead + "Image \"roads\" does not exist"});
}

TEST_F(Entry, AMissingDataFileIsTheStartUpsOwnMessageAndNoWindowIsMade) {
  Start.Files.Files.erase(Folder.path().toStdString() + "/zelto.vx8");
  EXPECT_EQ(RunStartup(Start.Services, *Host), ExitFailure);
  EXPECT_EQ(Loops, 0);
  EXPECT_EQ(Host->MainWindow(), nullptr);
  EXPECT_TRUE(WindowBoxes.Shown.empty());
  const std::string sorry = "error box: Sorry! Zeltoria cannot find the needed file \"" +
                            Folder.path().toStdString() + "/zelto.vx8\".";
  EXPECT_NE(std::find(Start.Events.begin(), Start.Events.end(), sorry), Start.Events.end());
}

TEST(Instance, ASecondStartGivesTheRunningWindowTheFocus) {
  QTemporaryDir runtime;
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
  const std::string name = "Check for Zeltoria instance";

  platform::QtInstanceGuard first;
  const uint16_t message = first.RegisterMessage(name);
  ASSERT_EQ(first.CreateMutex("ZE32"), platform::MutexResult::Created);
  // The window wired to the guard as the entry wires it.
  QTemporaryDir data;
  TFormZeltoSetup setup;
  setup.DataDir = data.path().toStdString() + "/";
  vx8test::WriteBytes(setup.DataDir + "zelto.vx8", vx8test::LibraryBytes(WindowRecords()));
  setup.Instance = &first;
  setup.InstanceMessage = message;
  TFormZelto form(setup);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

  QWidget other;
  other.resize(100, 100);
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &other; }, 2000));

  // Another notice number is no concern of the window.
  emit first.MessageReceived(uint16_t(message + 1));
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &other);

  platform::QtInstanceGuard second;
  EXPECT_EQ(second.RegisterMessage(name), message);
  ASSERT_EQ(second.CreateMutex("ZE32"), platform::MutexResult::AlreadyExists);
  second.PostToAllWindows(message);
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &form; }, 5000));

  if (saved.isNull()) {
    qunsetenv("XDG_RUNTIME_DIR");
  } else {
    qputenv("XDG_RUNTIME_DIR", saved);
  }
}

}  // namespace
