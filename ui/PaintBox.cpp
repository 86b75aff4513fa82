#include "ui/PaintBox.h"

namespace ui {

void TPaintBox::Paint(platform::Device& canvas) {
  if (OnPaint) OnPaint(canvas);
}

void TPaintBox::MouseDown(platform::MouseButton button, int x, int y) {
  if (OnMouseDown) OnMouseDown(button, x, y);
}

void TPaintBox::MouseMove(int x, int y) {
  if (OnMouseMove) OnMouseMove(x, y);
}

void TPaintBox::MouseUp(platform::MouseButton button, int x, int y) {
  if (OnMouseUp) OnMouseUp(button, x, y);
}

void TPaintBox::CaptureLost() {
  if (OnCaptureLost) OnCaptureLost();
}

}  // namespace ui
