#include "ui/Timer.h"

#include <stdexcept>

#include "ui/Form.h"

namespace ui {

TTimer::TTimer(TForm& form, int interval) : Form(form), Interval_(interval) {
  if (Form.Timer) throw std::logic_error("a form has one timer");
  Form.Timer = this;
}

TTimer::~TTimer() {
  if (Enabled_) Form.Host().StopTimer();
  Form.Timer = nullptr;
}

void TTimer::SetInterval(int milliseconds) {
  if (milliseconds == Interval_) return;
  Interval_ = milliseconds;
  if (Enabled_) Form.Host().StartTimer(Interval_);
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == Enabled_) return;
  Enabled_ = enabled;
  if (enabled) {
    Form.Host().StartTimer(Interval_);
  } else {
    Form.Host().StopTimer();
  }
}

void TTimer::Tick() {
  if (Enabled_ && OnTimer) OnTimer();
}

}  // namespace ui
