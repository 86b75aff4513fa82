// A paint box: a control that leaves its painting and its mouse input to the form's handlers.
#pragma once

#include <functional>

#include "ui/Control.h"

namespace ui {

class TPaintBox : public TControl {
 public:
  using TMouseEvent = std::function<void(platform::MouseButton button, int x, int y)>;
  using TMouseMoveEvent = std::function<void(int x, int y)>;

  using TControl::TControl;

  platform::PaintFunction OnPaint;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  // A left press ended without its release (see TControl::CaptureLost).
  std::function<void()> OnCaptureLost;

  void Paint(platform::Device& canvas) override;
  void MouseDown(platform::MouseButton button, int x, int y) override;
  void MouseMove(int x, int y) override;
  void MouseUp(platform::MouseButton button, int x, int y) override;
  void CaptureLost() override;
};

}  // namespace ui
