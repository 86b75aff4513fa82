// zeltoria-lab shot: its command line, and runs on the real window over a test library.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <sstream>

#include "tests/window/WindowRig.h"
#include "tools/zeltoria-lab/AboutShot.h"
#include "tools/zeltoria-lab/LabCommand.h"
#include "tools/zeltoria-lab/ShotActions.h"
#include "tools/zeltoria-lab/ShotCommand.h"

namespace {

TEST(ShotCommandLine, TakesEveryActionAndTheSeedOnlyFirst) {
  std::string error;
  const auto plan =
      ParseShot({"out.png", "seed=42", "click=377,343", "press=-1,5", "move=9,9", "release=0,0",
                 "key=a", "keyup", "tick", "tick=7", "run", "resize=600,450", "about"},
                error);
  ASSERT_TRUE(plan) << error;
  EXPECT_EQ(plan->Output, "out.png");
  EXPECT_EQ(plan->Seed, 42u);
  ASSERT_EQ(plan->Actions.size(), 11u);
  EXPECT_EQ(plan->Actions[0].What, TShotAction::Click);
  EXPECT_EQ(plan->Actions[0].X, 377);
  EXPECT_EQ(plan->Actions[1].X, -1);
  EXPECT_EQ(plan->Actions[4].Character, 'a');
  EXPECT_EQ(plan->Actions[7].Count, 7);
  EXPECT_EQ(plan->Actions[9].What, TShotAction::Resize);
  EXPECT_EQ(plan->Actions[9].Y, 450);
  EXPECT_EQ(ParseShot({"out.png"}, error)->Seed, 1u);

  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{},
                                             {"o.png", "tick", "seed=3"},
                                             {"o.png", "seed=-3"},
                                             {"o.png", "click=3"},
                                             {"o.png", "click=3,x"},
                                             {"o.png", "key=ab"},
                                             {"o.png", "key="},
                                             {"o.png", "tick=-1"},
                                             {"o.png", "resize=0,10"},
                                             {"o.png", "jump"},
                                             {"o.png", "about=1"}}) {
    error.clear();
    EXPECT_FALSE(ParseShot(bad, error)) << (bad.empty() ? "" : bad.back());
    EXPECT_FALSE(error.empty());
  }
}

struct Result {
  int Status;
  std::string Out;
  std::string Err;
};

struct Shots : ::testing::Test {
  QTemporaryDir Data;
  QTemporaryDir Pictures;
  std::string DataDir() const { return Data.path().toStdString() + "/"; }
  std::string Picture(const char* name) const { return Pictures.path().toStdString() + "/" + name; }
  void SetUp() override {
    vx8test::WriteBytes(DataDir() + "zelto.vx8",
                        vx8test::LibraryBytes(windowtest::WindowRecords()));
  }
  Result Shot(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = RunShot(args, out, err, DataDir(), PhotographAbout);
    return {status, out.str(), err.str()};
  }
};

std::string Deal(const std::string& seed) {
  std::ostringstream out, err;
  RunLab({"deal", seed, "3", "3"}, out, err);
  return out.str();
}

TEST_F(Shots, AnIdleShotPrintsTheSeedsDealOnBothBoards) {
  const Result idle = Shot({Picture("idle.png")});
  ASSERT_EQ(idle.Status, 0) << idle.Err;
  const std::string dealt = Deal("1");
  EXPECT_EQ(idle.Out, dealt + "\n" + dealt + "playing=0 shuffle=0 move=0 solved=0\n");
  const QImage png(QString::fromStdString(Picture("idle.png")));
  EXPECT_EQ(png.size(), QSize(517, 403));

  const Result other = Shot({Picture("other.png"), "seed=20240601"});
  EXPECT_EQ(other.Out.substr(0, Deal("20240601").size()), Deal("20240601"));
}

TEST_F(Shots, ActionsPlayTheGameAndTheSameActionsGiveTheSamePicture) {
  const Result ready = Shot({Picture("ready.png"), "seed=5", "click=377,343", "run"});
  ASSERT_EQ(ready.Status, 0) << ready.Err;
  EXPECT_NE(ready.Out.find("playing=1 shuffle=0 move=0 solved=0"), std::string::npos);
  const Result moving =
      Shot({Picture("moving.png"), "seed=5", "click=377,343", "run", "key=A", "tick"});
  EXPECT_NE(moving.Out.find("playing=1 shuffle=0 move=1 solved=0"), std::string::npos);
  const Result again =
      Shot({Picture("again.png"), "seed=5", "click=377,343", "run", "key=A", "tick"});
  EXPECT_EQ(again.Out, moving.Out);
  EXPECT_EQ(QImage(QString::fromStdString(Picture("again.png"))),
            QImage(QString::fromStdString(Picture("moving.png"))));
  // A frame of the move is not the board at rest.
  const Result rest =
      Shot({Picture("rest.png"), "seed=5", "click=377,343", "run", "key=A", "keyup", "run"});
  EXPECT_NE(rest.Out.find("move=0"), std::string::npos);
  EXPECT_NE(QImage(QString::fromStdString(Picture("rest.png"))),
            QImage(QString::fromStdString(Picture("moving.png"))));
  // Ticks arrive only while the timer runs.
  const Result idleTicks = Shot({Picture("ticks.png"), "tick=50"});
  EXPECT_NE(idleTicks.Out.find("playing=0"), std::string::npos);
}

TEST_F(Shots, ResizeAndAboutChangeWhatIsPhotographed) {
  const Result wide = Shot({Picture("wide.png"), "resize=600,450"});
  ASSERT_EQ(wide.Status, 0) << wide.Err;
  EXPECT_EQ(QImage(QString::fromStdString(Picture("wide.png"))).size(), QSize(600, 450));
  const Result about = Shot({Picture("about.png"), "about"});
  ASSERT_EQ(about.Status, 0) << about.Err;
  EXPECT_EQ(QImage(QString::fromStdString(Picture("about.png"))).size(), QSize(427, 286));
  // Asking for the dialog leaves the game's generator where it was.
  const Result withAbout = Shot({Picture("a.png"), "about", "click=377,343", "run"});
  const Result without = Shot({Picture("b.png"), "click=377,343", "run"});
  EXPECT_EQ(withAbout.Out, without.Out);
}

TEST_F(Shots, FailuresSayWhatWentWrong) {
  const Result bad = Shot({Picture("x.png"), "fly"});
  EXPECT_EQ(bad.Status, UsageExit);
  EXPECT_EQ(bad.Err, "zeltoria-lab shot: bad action 'fly'\n");
  std::ostringstream out, err;
  EXPECT_EQ(RunShot({Picture("y.png")}, out, err, Pictures.path().toStdString() + "/none/",
                    PhotographAbout),
            1);
  EXPECT_NE(err.str().find("encountered a problem on start-up: Cannot open file"),
            std::string::npos);
  const Result unwritable = Shot({Pictures.path().toStdString() + "/no/such/folder/z.png"});
  EXPECT_EQ(unwritable.Status, 1);
  EXPECT_NE(unwritable.Err.find("cannot write"), std::string::npos);
  // A build without the desktop toolkit has no about dialog to photograph.
  std::ostringstream noOut, noErr;
  EXPECT_EQ(RunShot({Picture("w.png"), "about"}, noOut, noErr, DataDir(), nullptr), 1);
  EXPECT_NE(noErr.str().find("about dialog needs the desktop build"), std::string::npos);
}

}  // namespace
