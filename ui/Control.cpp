#include "ui/Control.h"

#include "ui/Form.h"

namespace ui {

TControl::TControl(TForm& form, std::string name) : Form_(form), Name_(std::move(name)) {}

void TControl::SetBounds(int left, int top, int width, int height) {
  const TRect bounds{left, top, left + width, top + height};
  if (bounds == Bounds_) return;
  Invalidate();
  Bounds_ = bounds;
  Invalidate();
  Form_.UpdateCursor();
}

void TControl::SetVisible(bool visible) {
  if (visible == Visible_) return;
  Visible_ = visible;
  Form_.InvalidateRect(Bounds_);
  Form_.UpdateCursor();
}

void TControl::SetWindowEnabled(bool enabled) {
  if (enabled == WindowEnabled_) return;
  WindowEnabled_ = enabled;
  Form_.UpdateCursor();
}

void TControl::SetCursor(platform::CursorId cursor) {
  if (cursor == Cursor_) return;
  Cursor_ = cursor;
  Form_.UpdateCursor();
}

void TControl::Invalidate() {
  if (Visible_) Form_.InvalidateRect(Bounds_);
}

void TControl::PaintNow(const platform::PaintFunction& paint) {
  if (Visible_) Form_.PaintControlNow(*this, paint);
}

void TControl::Paint(platform::Device&) {}
void TControl::MouseDown(platform::MouseButton, int, int) {}
void TControl::MouseMove(int, int) {}
void TControl::MouseUp(platform::MouseButton, int, int) {}
void TControl::CaptureLost() {}
void TControl::Describe(std::vector<platform::AccessibleNode>&) const {}
void TControl::AccessiblePress() {}

}  // namespace ui
