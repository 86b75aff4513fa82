// The real entry's Qt host behind the start-up checks, on fake services around a data folder,
// and a second start handing the focus to the running window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "about/DlgAbout.h"
#include "app/ProcessValues.h"
#include "app/QtApplicationHost.h"
#include "game/FormZelto.h"
#include "platform/qt/QtInstanceGuard.h"
#include "platform/qt/QtWindowHost.h"
#include "tests/app/FakeServices.h"
#include "tests/qt_host/RecordingBoxes.h"
#include "tests/window/WindowRig.h"

namespace {

const std::string Lead = "Zeltoria encountered a problem on start-up: ";

// The real entry's host behind the start-up checks, on fake services around a data folder.
struct Entry : ::testing::Test {
  QTemporaryDir Folder;
  TStartupRig Start;
  windowtest::TRecordingBoxes WindowBoxes;
  int Loops = 0;
  std::unique_ptr<TQtApplicationHost> Host;

  void SetUp() override {
    const std::string dir = Folder.path().toStdString();
    Start.Files.Executable = dir + "/zeltoria";
    Start.Files.Folders = {dir};
    Start.Files.Files = {dir + "/zeltoria", dir + "/zelto.vx8"};
    TQtHostSetup setup;
    setup.Boxes = &WindowBoxes;
    setup.Random = &Start.Random;
    setup.AboutWhenShown = false;
    // The loop runs until the main window has painted its first frame and what waits for it
    // is done.
    setup.Loop = [this] {
      ++Loops;
      EXPECT_TRUE(
          QTest::qWaitFor([this] { return !Host->MainWindowHost()->windowIcon().isNull(); }, 5000));
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
  WriteLibrary(vx8test::LibraryBytes(windowtest::WindowRecords()));
  EXPECT_EQ(RunStartup(Start.Services, *Host), 7);
  EXPECT_EQ(Loops, 1);
  ASSERT_NE(Host->MainWindow(), nullptr);
  EXPECT_TRUE(Host->MainWindowHost()->isVisible());
  // Both wait for the first frame.
  EXPECT_NE(Host->AboutDialog(), nullptr);
  EXPECT_FALSE(Host->MainWindowHost()->windowIcon().isNull());
  EXPECT_TRUE(WindowBoxes.Shown.empty());
  // Qt would append a display name to the titles the window manager shows.
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
  EXPECT_EQ(Host->AboutDialog()->windowTitle(), "Zeltoria: About");
}

TEST_F(Entry, ACorruptDataFileShowsTheWindowsMessageAndSkipsTheLoop) {
  WriteLibrary(vx8test::Bytes(1030, 0));
  EXPECT_EQ(RunStartup(Start.Services, *Host), ExitFailure);
  EXPECT_TRUE(StartupFailed);
  EXPECT_EQ(Loops, 0);
  EXPECT_EQ(WindowBoxes.Shown,
            std::vector<std::string>{Lead + "ValidateVX8FileHeader: header invalid"});
  ASSERT_NE(Host->MainWindow(), nullptr);
  EXPECT_FALSE(Host->MainWindowHost()->isVisible());
  // The about dialog is made all the same.
  EXPECT_NE(Host->AboutDialog(), nullptr);
}

TEST_F(Entry, AMissingPictureShowsTheWindowsMessageAndSkipsTheLoop) {
  WriteLibrary(vx8test::LibraryBytes(windowtest::WindowRecords("roads")));
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
  // The window wired to the guard by the entry's host.
  QTemporaryDir data;
  DataDir = data.path().toStdString() + "/";
  InstanceMessage = message;
  vx8test::WriteBytes(DataDir + "zelto.vx8", vx8test::LibraryBytes(windowtest::WindowRecords()));
  windowtest::TRecordingBoxes boxes;
  TRandom random;
  TQtHostSetup setup;
  setup.Boxes = &boxes;
  setup.Instance = &first;
  setup.Random = &random;
  setup.AboutWhenShown = false;
  TQtApplicationHost host(std::move(setup));
  host.CreateMainWindow();
  ASSERT_FALSE(StartupFailed);
  QWidget& window = *host.MainWindowHost();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

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
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, 5000));

  if (saved.isNull()) {
    qunsetenv("XDG_RUNTIME_DIR");
  } else {
    qputenv("XDG_RUNTIME_DIR", saved);
  }
}

}  // namespace
