// A windowless control: a named area of its form that paints on the form's device and takes
// the mouse input the form routes to it.
#pragma once

#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "platform/Window.h"

namespace ui {

class TForm;

class TControl {
 public:
  // Made by TForm::Make, which places it on top of the form's other controls.
  TControl(TForm& form, std::string name);
  virtual ~TControl() = default;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  const std::string& Name() const { return Name_; }
  TForm& Form() const { return Form_; }

  // In the form's client co-ordinates.
  const TRect& Bounds() const { return Bounds_; }
  int Left() const { return Bounds_.Left; }
  int Top() const { return Bounds_.Top; }
  int Width() const { return Bounds_.Width(); }
  int Height() const { return Bounds_.Height(); }
  // Moves or sizes the control; the form repaints where it was and where it is.
  void SetBounds(int left, int top, int width, int height);
  void MoveTo(TPoint topLeft) { SetBounds(topLeft.X, topLeft.Y, Width(), Height()); }
  void Resize(int width, int height) { SetBounds(Left(), Top(), width, height); }

  bool Visible() const { return Visible_; }
  void SetVisible(bool visible);
  // The window system's enabled state: only an enabled control takes the mouse; a disabled
  // one lets it through to whatever lies beneath.
  bool WindowEnabled() const { return WindowEnabled_; }
  void SetWindowEnabled(bool enabled);
  // The cursor over the control: its own, never inherited from the form.
  platform::CursorId Cursor() const { return Cursor_; }
  void SetCursor(platform::CursorId cursor);

  int Tag = 0;
  // The control's name as a player would say it, for assistive technology.
  std::string AccessibleName;

  // Painted again at the form's next painting.
  void Invalidate();
  // Shows what `paint` draws on the control now (in the control's co-ordinates), in place of
  // its own painting; the controls above it are painted over it.
  void PaintNow(const platform::PaintFunction& paint);

  // The control's own painting; `canvas` has the control's co-ordinates and clip.
  virtual void Paint(platform::Device& canvas);
  // Input in the control's co-ordinates. A left press captures the mouse for the control until
  // the left button is let go: moves, other buttons and the release come here wherever the
  // pointer goes. Other buttons capture nothing.
  virtual void MouseDown(platform::MouseButton button, int x, int y);
  virtual void MouseMove(int x, int y);
  virtual void MouseUp(platform::MouseButton button, int x, int y);
  // The capture of a left press on the control ended without a release (the window was
  // deactivated, or a modal window opened): the press is over, and no release follows.
  virtual void CaptureLost();

  // What the control tells assistive technology, added to `into`: nothing unless it says so.
  virtual void Describe(std::vector<platform::AccessibleNode>& into) const;
  // Assistive technology or the keyboard pressed the control: what a click on it does.
  virtual void AccessiblePress();

 private:
  TForm& Form_;
  std::string Name_;
  TRect Bounds_;
  bool Visible_ = true;
  bool WindowEnabled_ = true;
  platform::CursorId Cursor_ = platform::CursorId::Default;
};

}  // namespace ui
