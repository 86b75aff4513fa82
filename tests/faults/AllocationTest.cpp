// Allocation failures injected one at a time: at each allocation of the main window's start-up
// in turn, and at each allocation of a move's animation frame. The start ends in its one
// message (or copes), the game stays playable, and nothing leaks (the sanitizer build checks).
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "controls/VexoButton.h"
#include "game/FormZelto.h"
#include "tests/faults/FailingAllocator.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TempFile.h"
#include "tests/window/WindowRig.h"

namespace {

const std::string Lead = "Zeltoria encountered a problem on start-up: ";

struct TDataFolder {
  vx8test::TempFolder Folder;
  TDataFolder() {
    vx8test::WriteBytes(Folder.Path() + "/zelto.vx8",
                        vx8test::LibraryBytes(windowtest::WindowRecords()));
  }
  TFormZeltoSetup Setup() const {
    TFormZeltoSetup setup;
    setup.DataDir = Folder.Path() + "/";
    setup.AboutWhenShown = false;
    return setup;
  }
};

// Makes the window with the n-th allocation of its creation failing (none for -1), and shows
// it when it started; returns whether that allocation came. The window is made in place: the
// entry's own allocation of it is no part of its start-up.
bool StartWithFailure(const TDataFolder& data, long n, testsupport::TRecordingHost& host,
                      std::optional<TFormZelto>& form, TRandom& random) {
  TFormZeltoSetup setup = data.Setup();
  faults::FailAllocation(n);
  form.emplace(host, random, std::move(setup));
  const bool failed = faults::StopFailing();
  host.SetClient(&*form);
  if (!form->StartupFailed()) host.Show();
  return failed;
}

TEST(AllocationFailure, EachAllocationOfTheStartFailingEndsInTheStartUpMessageOrIsBorne) {
  TDataFolder data;
  long allocations = 0;
  {
    testsupport::TRecordingHost host(517, 403);
    TRandom random(5);
    std::optional<TFormZelto> form;
    TFormZeltoSetup setup = data.Setup();
    faults::CountedAllocations();
    form.emplace(host, random, std::move(setup));
    allocations = faults::CountedAllocations();
    ASSERT_FALSE(form->StartupFailed());
  }
  ASSERT_GT(allocations, 100);

  int failedStarts = 0;
  for (long n = 0; n < allocations; ++n) {
    testsupport::TRecordingHost host(517, 403);
    TRandom random(5);
    std::optional<TFormZelto> form;
    faults::CountedAllocations();
    try {
      ASSERT_TRUE(StartWithFailure(data, n, host, form, random)) << n;
    } catch (const std::exception& error) {
      faults::StopFailing();
      ADD_FAILURE() << "allocation " << n << " let " << error.what() << " out of the start";
      continue;
    }
    if (form->StartupFailed()) {
      ++failedStarts;
      ASSERT_EQ(host.Messages.size(), 1u) << n;
      EXPECT_EQ(host.Messages[0].rfind(Lead, 0), 0u) << n << ": " << host.Messages[0];
      EXPECT_EQ(host.Messages[0], Lead + "Allocate: out of memory") << n;
    } else {
      // Borne: a caption or a face left out, to be made again at the next painting. The
      // window plays on.
      EXPECT_TRUE(host.Messages.empty()) << n;
      form->MouseDown(platform::MouseButton::Left, 377, 343);
      form->MouseUp(platform::MouseButton::Left, 377, 343);
      while (host.Tick()) host.Flush();
      EXPECT_TRUE(form->State().Playing) << n;
    }
    host.SetClient(nullptr);
  }
  EXPECT_GT(failedStarts, allocations / 2);
  RecordProperty("allocations", int(allocations));
  RecordProperty("failed_starts", failedStarts);
}

TEST(AllocationFailure, AFrameThatCannotBeMadeLeavesTheGamePlayable) {
  TDataFolder data;
  testsupport::TRecordingHost host(517, 403);
  TRandom random(9);
  std::optional<TFormZelto> form;
  ASSERT_FALSE(StartWithFailure(data, -1, host, form, random));
  const TBoardState& m = form->State();
  form->MouseDown(platform::MouseButton::Left, 377, 343);
  form->MouseUp(platform::MouseButton::Left, 377, 343);
  while (host.Tick()) host.Flush();
  ASSERT_TRUE(m.Playing);

  for (long n = 0;; ++n) {
    const TCells before = m.Board;
    form->KeyPress(U'A');
    form->KeyUp();
    faults::FailAllocation(n);
    ASSERT_NO_THROW(host.Tick()) << n;  // the first frame
    const bool failed = faults::StopFailing();
    int ticks = 1;
    while (host.Tick()) ++ticks;
    EXPECT_EQ(ticks, 4) << n;
    EXPECT_EQ(m.MoveIndex, 0) << n;
    // Column 1 went up by one cell all the same.
    for (int r = 1; r <= m.Rows; ++r) EXPECT_EQ(m.Board(1, r), before(1, r % m.Rows + 1)) << n;
    if (!failed) break;
  }
  host.SetClient(nullptr);
}

}  // namespace
