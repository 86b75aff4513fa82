// A form's one timer that keeps its rhythm: setting the interval it already has, or enabling a
// running timer, changes nothing; only a new interval restarts a running count. A held key that
// sets the same interval at every repeat thus still gets its ticks.
#pragma once

#include <functional>

namespace ui {

class TForm;

class TTimer {
 public:
  // Off, with the given interval. The form has at most one timer.
  TTimer(TForm& form, int interval);
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  int Interval() const { return Interval_; }
  void SetInterval(int milliseconds);
  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool enabled);

  // What a tick does while the timer is on.
  std::function<void()> OnTimer;
  // A tick from the window system; ignored while off.
  void Tick();

 private:
  TForm& Form;
  int Interval_;
  bool Enabled_ = false;
};

}  // namespace ui
