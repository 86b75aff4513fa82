#include <gtest/gtest.h>

#include "FakeServices.h"
#include "game/Random.h"
#include "tests/support/PseudoLanguage.h"

namespace {

const std::string MonochromeBox =
    "error box: This program cannot be played on a monochrome display.";
const std::string SixteenColorBox =
    "warning box: This program is designed for a minimum 256-color display. You are running a "
    "16-color display. This will adversely affect the appearance of the graphics used in the "
    "game. Continue anyway?";
const Log Guard = {"register Check for Zeltoria instance", "mutex ZE32"};
const Log Windows = {"process messages", "title Zeltoria", "create main window",
                     "create about dialog"};

Log Join(std::initializer_list<Log> parts) {
  Log all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class Startup : public ::testing::Test, protected TStartupRig {
 protected:
  Startup() {
    // The settings key exists already, so its creation does not show in the logs.
    Settings.Keys["Software\\VEXO! Software\\Zelto"];
  }
  int Start() { return RunStartup(Services, Host); }
};

TEST_F(Startup, AllChecksPassedHandsOverToTheWindowsAndTheLoop) {
  Random.Seed = 0;
  Host.LoopStatus = 7;
  EXPECT_EQ(Start(), 7);
  EXPECT_EQ(Events, Join({{"query depth"}, Guard, Windows, {"run loop"}}));
  EXPECT_EQ(Random.Seed, ClockValue);
  EXPECT_EQ(InstanceMessage, 0xC0DE);
  EXPECT_EQ(DataDir, "/opt/zeltoria/");
  EXPECT_FALSE(StartupFailed);
}

TEST_F(Startup, AMissingInstallationFolderStopsBeforeAnythingElse) {
  Settings.Keys["Software\\VEXO! Software"]["DevHome"] = "/home/dev";
  EXPECT_EQ(Start(), ExitFailure);
  EXPECT_EQ(Events, (Log{"plain box: Unable to locate installation folder \"/home/dev/Zelto\". "
                         "Please re-install and try again."}));
  EXPECT_TRUE(StartupFailed);
}

TEST_F(Startup, AnyOtherInitialisationErrorShowsItsMessage) {
  Settings.Throws = true;
  EXPECT_EQ(Start(), ExitFailure);
  EXPECT_EQ(Events, (Log{"plain box: Access denied to the settings"}));
  EXPECT_TRUE(StartupFailed);
}

TEST_F(Startup, AMonochromeScreenIsRefused) {
  Screen.Depth = {1, 1};
  EXPECT_EQ(Start(), ExitFailure);
  EXPECT_EQ(Events, (Log{"query depth", MonochromeBox}));
}

TEST_F(Startup, ASixteenColourScreenAsksFirst) {
  for (const platform::ColorDepth depth : {platform::ColorDepth{4, 1}, {1, 4}}) {
    Events.clear();
    Boxes.AnswerYes = false;
    Screen.Depth = depth;
    EXPECT_EQ(Start(), ExitSuccess);
    EXPECT_EQ(Events, (Log{"query depth", SixteenColorBox}));

    Events.clear();
    Boxes.AnswerYes = true;
    EXPECT_EQ(Start(), 0);
    EXPECT_EQ(Events, Join({{"query depth", SixteenColorBox}, Guard, Windows, {"run loop"}}));
  }
}

TEST_F(Startup, OtherDepthsStartWithoutAMessage) {
  for (int bits : {2, 8, 15, 16, 24, 32}) {
    Events.clear();
    Screen.Depth = {bits, 1};
    EXPECT_EQ(Start(), 0) << bits;
    EXPECT_EQ(Events, Join({{"query depth"}, Guard, Windows, {"run loop"}})) << bits;
  }
}

TEST_F(Startup, ASecondStartNotifiesTheFirstAndExitsSilentlyEvenWithoutTheDataFile) {
  Instance.Mutex = platform::MutexResult::AlreadyExists;
  Files.Files.clear();
  EXPECT_EQ(Start(), ExitSuccess);
  EXPECT_EQ(Events, Join({{"query depth"}, Guard, {"post " + std::to_string(0xC0DE)}}));

  // A lock held by something that does not answer is no reason to stop without a word.
  Events.clear();
  Instance.Answers = false;
  EXPECT_EQ(Start(), ExitFailure);
  EXPECT_EQ(Events.back(),
            "error box: Zeltoria cannot start: Zeltoria seems to be running already, but it does "
            "not answer. Close it and try again.");
}

TEST_F(Startup, AMutexThatCannotBeCreatedEndsTheStartSayingWhy) {
  Instance.Mutex = platform::MutexResult::Failed;
  EXPECT_EQ(Start(), ExitFailure);
  EXPECT_EQ(Events, Join({{"query depth"},
                          Guard,
                          {"error box: Zeltoria cannot start: the lock folder is full."}}));
}

TEST_F(Startup, AMissingDataFileIsReportedBeforeAnyWindow) {
  Files.Files.erase("/opt/zeltoria/zelto.vx8");
  EXPECT_EQ(Start(), ExitFailure);
  EXPECT_EQ(Events, Join({{"query depth"},
                          Guard,
                          {"error box: Sorry! Zeltoria cannot find the needed file "
                           "\"/opt/zeltoria/zelto.vx8\"."}}));
}

TEST_F(Startup, AFailedMainWindowSkipsTheLoop) {
  Host.MainWindowFails = true;
  EXPECT_EQ(Start(), ExitFailure);
  EXPECT_EQ(Events, Join({{"query depth"}, Guard, Windows}));
}

// In a language of the catalogue every box speaks it, and the language's own data file is used
// where there is one.
TEST(StartupInALanguage, EveryBoxComesFromTheCatalogueAndTheLanguagesDataFileIsUsed) {
  const std::function<void(TStartupRig&)> cases[] = {
      [](TStartupRig& rig) {
        rig.Screen.Depth = {1, 1};
      },
      [](TStartupRig& rig) {
        rig.Screen.Depth = {4, 1};
      },
      [](TStartupRig& rig) { rig.Instance.Mutex = platform::MutexResult::Failed; },
      [](TStartupRig& rig) {
        rig.Instance.Mutex = platform::MutexResult::AlreadyExists;
        rig.Instance.Answers = false;
      },
      [](TStartupRig& rig) { rig.Files.Files.erase("/opt/zeltoria/zelto.vx8"); },
      [](TStartupRig& rig) {
        rig.Settings.Keys["Software\\VEXO! Software"]["DevHome"] = "/nowhere";
      },
  };
  for (const auto& setUp : cases) {
    TStartupRig rig;
    rig.Words = language::TLanguage(language::PseudoCatalogues()[0]);
    setUp(rig);
    RunStartup(rig.Services, rig.Host);
    size_t boxes = 0;
    for (const std::string& event : rig.Events) {
      const size_t box = event.find(" box: ");
      if (box == std::string::npos) continue;
      ++boxes;
      EXPECT_TRUE(event.substr(box + 6).starts_with("[[")) << event;
    }
    EXPECT_EQ(boxes, 1u);
  }
  TStartupRig rig;
  rig.Words = language::TLanguage(language::PseudoCatalogues()[0]);
  rig.Files.Files.insert("/opt/zeltoria/x_TEST/zelto.vx8");
  RunStartup(rig.Services, rig.Host);
  EXPECT_EQ(DataDir, "/opt/zeltoria/x_TEST/");
}

}  // namespace
