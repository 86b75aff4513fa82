// A memory host that also keeps what the window asked of its timer and its palette, for the
// tests of both.
#pragma once

#include "platform/MemoryHost.h"

namespace testsupport {

class TRecordingHost : public platform::MemoryHost {
 public:
  using MemoryHost::MemoryHost;

  int TimerInterval() const { return Interval; }
  // How often the timer was started, also from a running state: each start restarts its count.
  int TimerStarts() const { return Starts; }
  int Realizations() const { return Realized; }

  void StartTimer(int milliseconds) override {
    MemoryHost::StartTimer(milliseconds);
    Interval = milliseconds;
    ++Starts;
  }
  int RealizePalette(const platform::LogicalPalette& palette) override {
    ++Realized;
    return MemoryHost::RealizePalette(palette);
  }

 private:
  int Interval = 0;
  int Starts = 0;
  int Realized = 0;
};

}  // namespace testsupport
