// Creating the real window: each failure of its creation shows the one message.
#include <gtest/gtest.h>

#include "tests/window/WindowRig.h"

namespace {

using namespace windowtest;

const std::string Lead = "Zeltoria encountered a problem on start-up: ";

TEST(Startup, EachFailureOfTheWindowsCreationShowsOneMessage) {
  TWindowOptions noFile;
  noFile.WriteLibrary = false;
  TWindowRig missing(noFile);
  EXPECT_TRUE(missing.Form().StartupFailed());
  EXPECT_EQ(missing.Messages(),
            std::vector<std::string>{Lead + "Cannot open file " + missing.DataDir() + "zelto.vx8"});

  TWindowRig corrupt(noFile);
  vx8test::WriteBytes(corrupt.DataDir() + "zelto.vx8", vx8test::Bytes(2000, 0x56));
  TFormZeltoSetup setup;
  setup.DataDir = corrupt.DataDir();
  testsupport::TRecordingHost host(517, 403);
  TRandom random;
  TFormZelto again(host, random, setup);
  EXPECT_TRUE(again.StartupFailed());
  EXPECT_EQ(host.Messages,
            std::vector<std::string>{Lead + "ValidateVX8FileHeader: header invalid"});

  // Pictures that could not all be held decoded at once: three of 65280 x 255 (16.6 MB each,
  // about 1 KB in the file) pass the half of the game's 64 MiB kept for the file's pictures.
  TWindowRig huge(noFile);
  std::vector<vx8test::Record> records = WindowRecords("");
  for (char n = '1'; n <= '3'; ++n)
    records.push_back({std::string("huge") + n, 65280, 255, 1, 0, 0, 3, std::nullopt,
                       std::vector<vx8test::Segment>(255, {0, 0, 8, {}})});
  vx8test::WriteBytes(huge.DataDir() + "zelto.vx8", vx8test::LibraryBytes(records));
  setup.DataDir = huge.DataDir();
  testsupport::TRecordingHost hugeHost(517, 403);
  TFormZelto refused(hugeHost, random, setup);
  EXPECT_TRUE(refused.StartupFailed());
  EXPECT_EQ(
      hugeHost.Messages,
      std::vector<std::string>{Lead + "OpenLibrary: image \"huge3\" takes the pictures to 49977088 "
                                      "bytes decoded, over the limit of 33554432"});

  // Missing pictures, in the order the window takes them; the back board's picture only when
  // the first puzzle is drawn.
  for (const char* name : {"arru_up", "arrr_dn", "empty", "conndiag", "clicksr"}) {
    TWindowOptions lacking;
    lacking.LeaveOut = name;
    TWindowRig rig(lacking);
    EXPECT_TRUE(rig.Form().StartupFailed()) << name;
    EXPECT_EQ(rig.Messages(),
              std::vector<std::string>{Lead + "Image \"" + name + "\" does not exist"});
  }
  // The buttons' and background's pictures are no failure: they show their placeholders.
  for (const char* name : {"tile", "start", "plus_btn"}) {
    TWindowOptions lacking;
    lacking.LeaveOut = name;
    TWindowRig rig(lacking);
    EXPECT_FALSE(rig.Form().StartupFailed()) << name;
    EXPECT_TRUE(rig.Messages().empty()) << name;
  }
}

}  // namespace
