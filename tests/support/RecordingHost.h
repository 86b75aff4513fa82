// A memory host that also keeps what the window asked of it: the cursor shown, the messages,
// what it announced, its timer and its palette, for the tests of each.
#pragma once

#include <string>
#include <vector>

#include "platform/MemoryHost.h"

namespace testsupport {

class TRecordingHost : public platform::MemoryHost {
 public:
  using MemoryHost::MemoryHost;

  std::vector<std::string> Messages;
  std::vector<std::string> Announcements;
  platform::CursorId CursorShown() const { return Cursor; }
  int TimerInterval() const { return Interval; }
  // How often the timer was started, also from a running state: each start restarts its count.
  int TimerStarts() const { return Starts; }
  int Realizations() const { return Realized; }
  int ColorUpdates() const { return Updated; }

  void SetCursor(platform::CursorId cursor) override { Cursor = cursor; }
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  void Announce(const std::string& text) override { Announcements.push_back(text); }
  void StartTimer(int milliseconds) override {
    MemoryHost::StartTimer(milliseconds);
    Interval = milliseconds;
    ++Starts;
  }
  int RealizePalette(const platform::LogicalPalette& palette) override {
    ++Realized;
    return MemoryHost::RealizePalette(palette);
  }
  void UpdateColors(const platform::LogicalPalette&) override { ++Updated; }

 private:
  platform::CursorId Cursor = platform::CursorId::Default;
  int Interval = 0;
  int Starts = 0;
  int Realized = 0;
  int Updated = 0;
};

}  // namespace testsupport
