#include "ui/Form.h"

#include <utility>

#include "ui/ControlDevice.h"
#include "ui/Timer.h"

namespace ui {

namespace {

unsigned Bit(platform::MouseButton button) {
  return 1u << unsigned(button);
}

}  // namespace

TForm::TForm(platform::WindowHost& host) : Host_(host), Size(host.Size()) {}

TForm::~TForm() = default;

TControl* TForm::ControlAt(TPoint p) const {
  for (auto it = Controls_.rbegin(); it != Controls_.rend(); ++it) {
    TControl& control = **it;
    if (control.Visible() && control.WindowEnabled() && control.Bounds().Contains(p))
      return &control;
  }
  return nullptr;
}

void TForm::SetCursor(platform::CursorId cursor) {
  if (cursor == Cursor_) return;
  Cursor_ = cursor;
  UpdateCursor();
}

// While the mouse is captured the cursor stays as it was at the press.
void TForm::UpdateCursor() {
  if (Capturing) return;
  const TControl* control = ControlAt(Mouse);
  const platform::CursorId cursor = control ? control->Cursor() : Cursor_;
  // Asked after every move of the mouse: the host hears only of a change.
  if (cursor == CursorShown) return;
  CursorShown = cursor;
  Host_.SetCursor(cursor);
}

void TForm::InvalidateRect(const TRect& area) {
  if (!area.IsEmpty()) Host_.Invalidate(area);
}

void TForm::Invalidate() {
  InvalidateRect({0, 0, Size.Width, Size.Height});
}

size_t TForm::IndexOf(const TControl& control) const {
  for (size_t i = 0; i < Controls_.size(); ++i)
    if (Controls_[i].get() == &control) return i;
  return Controls_.size();
}

void TForm::PaintControlNow(TControl& control, const platform::PaintFunction& paint) {
  const size_t index = IndexOf(control);
  const TRect bounds = control.Bounds();
  Host_.PaintNow(bounds, [&](platform::Device& device) {
    TControlDevice canvas(device, bounds);
    paint(canvas);
    PaintControls(device, index + 1);
  });
}

// Only the controls that meet the area being painted, which may be uneven.
void TForm::PaintControls(platform::Device& device, size_t first) {
  for (size_t i = first; i < Controls_.size(); ++i) {
    TControl& control = *Controls_[i];
    if (!control.Visible() || !device.RectVisible(control.Bounds())) continue;
    TControlDevice canvas(device, control.Bounds());
    control.Paint(canvas);
  }
}

void TForm::Paint(platform::Device& device) {
  FormPaint(device);
  PaintControls(device, 0);
}

void TForm::MouseDown(platform::MouseButton button, int x, int y) {
  Mouse = {x, y};
  ButtonsDown |= Bit(button);
  TControl* target = Capturing ? Captured : ControlAt(Mouse);
  if (button == platform::MouseButton::Left && !Capturing) {
    Capturing = true;
    Captured = target;
  }
  if (target) {
    target->MouseDown(button, x - target->Left(), y - target->Top());
  } else {
    FormMouseDown(button, x, y);
  }
}

void TForm::MouseMove(int x, int y) {
  Mouse = {x, y};
  TControl* target = Capturing ? Captured : ControlAt(Mouse);
  if (target) {
    target->MouseMove(x - target->Left(), y - target->Top());
  } else {
    FormMouseMove(x, y);
  }
  UpdateCursor();
}

void TForm::MouseUp(platform::MouseButton button, int x, int y) {
  Mouse = {x, y};
  // The release of a press this form never saw, or whose capture was lost, belongs to nobody.
  if (!(ButtonsDown & Bit(button))) return;
  ButtonsDown &= ~Bit(button);
  TControl* target = Capturing ? Captured : ControlAt(Mouse);
  if (button == platform::MouseButton::Left) {
    Capturing = false;
    Captured = nullptr;
  }
  if (target) {
    target->MouseUp(button, x - target->Left(), y - target->Top());
  } else {
    FormMouseUp(button, x, y);
  }
  UpdateCursor();
}

void TForm::CaptureLost() {
  ButtonsDown = 0;
  TControl* captured = std::exchange(Captured, nullptr);
  if (!std::exchange(Capturing, false)) return;
  if (captured) captured->CaptureLost();
  UpdateCursor();
}

void TForm::KeyPress(char32_t character) {
  FormKeyPress(character);
}

void TForm::KeyUp() {
  FormKeyUp();
}

void TForm::Resized(platform::ClientSize size) {
  if (size == Size) return;
  Size = size;
  Invalidate();
  FormResize();
}

void TForm::Activated() {
  FormActivate();
}

void TForm::Shown() {
  FormShow();
}

void TForm::TimerTick() {
  if (Timer) Timer->Tick();
}

void TForm::FormPaint(platform::Device&) {}
void TForm::FormMouseDown(platform::MouseButton, int, int) {}
void TForm::FormMouseMove(int, int) {}
void TForm::FormMouseUp(platform::MouseButton, int, int) {}
void TForm::FormKeyPress(char32_t) {}
void TForm::FormKeyUp() {}
void TForm::FormResize() {}
void TForm::FormActivate() {}
void TForm::FormShow() {}

}  // namespace ui
