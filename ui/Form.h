// A top-level window of windowless controls: it keeps its controls in their stored order
// (later ones on top), paints them on its device, routes the mouse to the control under it
// with a capture from a press to its release, previews every key, keeps the cursor, and owns
// the window's one timer slot. What a toolkit must do is behind platform::WindowHost.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/Window.h"
#include "ui/Control.h"

namespace ui {

class TTimer;

class TForm : public platform::WindowClient {
 public:
  // The host outlives the form. The client size is the host's.
  explicit TForm(platform::WindowHost& host);
  ~TForm() override;
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  platform::WindowHost& Host() const { return Host_; }
  int ClientWidth() const { return Size.Width; }
  int ClientHeight() const { return Size.Height; }

  // A new control on top of the others; the form owns it.
  template <class Control, class... Args>
  Control* Make(Args&&... args) {
    static_assert(std::is_base_of_v<TControl, Control>);
    auto control = std::make_unique<Control>(*this, std::forward<Args>(args)...);
    Control* made = control.get();
    Controls_.push_back(std::move(control));
    return made;
  }
  const std::vector<std::unique_ptr<TControl>>& Controls() const { return Controls_; }

  // The top-most visible, enabled control at a point of the client area; none over the form's
  // own area.
  TControl* ControlAt(TPoint p) const;
  // The form's own cursor, shown where no control is.
  platform::CursorId Cursor() const { return Cursor_; }
  void SetCursor(platform::CursorId cursor);
  // Shows the cursor of whatever lies under the pointer now.
  void UpdateCursor();

  void InvalidateRect(const TRect& area);
  void Invalidate();
  // Paints `control` now with `paint` in place of its own painting, and the controls above it,
  // over its area.
  void PaintControlNow(TControl& control, const platform::PaintFunction& paint);

  // platform::WindowClient: the form's side of the window system.
  void Paint(platform::Device& device) final;
  void MouseDown(platform::MouseButton button, int x, int y) final;
  void MouseMove(int x, int y) final;
  void MouseUp(platform::MouseButton button, int x, int y) final;
  void KeyPress(char32_t character) final;
  void KeyUp() final;
  void Resized(platform::ClientSize size) final;
  void Activated() final;
  void CaptureLost() final;
  void Shown() final;
  void TimerTick() final;
  void FocusKeyPress(platform::FocusKey key) final;
  platform::AccessibleNode Accessible() final;
  void AccessiblePress(const std::string& id) final;
  int QueryNewPalette() final;
  void PaletteChanged(bool byThisWindow) final;

  // The window's name for assistive technology.
  std::string AccessibleName;
  // The part that has the keyboard focus, if any; its mark shows from the first Tab on.
  const std::string& FocusId() const { return FocusId_; }

  // The form's own handlers: painting before its controls, input that no control takes, and
  // every key (the form previews them all).
  virtual void FormPaint(platform::Device& canvas);
  virtual void FormMouseDown(platform::MouseButton button, int x, int y);
  virtual void FormMouseMove(int x, int y);
  virtual void FormMouseUp(platform::MouseButton button, int x, int y);
  virtual void FormKeyPress(char32_t key);
  virtual void FormKeyUp();
  virtual void FormResize();
  virtual void FormActivate();
  virtual void FormShow();
  // The window's parts for assistive technology, in the keyboard's focus order: by default
  // what the controls describe; and the press of a part that is no control.
  virtual void FormDescribe(std::vector<platform::AccessibleNode>& into);
  virtual void FormAccessiblePress(const std::string& id);
  // The palette messages' handlers: the entries realised, and another window's change.
  virtual int FormQueryNewPalette();
  virtual void FormPaletteChanged(bool byThisWindow);

 private:
  friend class TTimer;

  void PaintControls(platform::Device& device, size_t first);
  void PaintFocusMark(platform::Device& device) const;
  // After each event: keeps the focus on a part that can have it, and publishes what changed.
  void AfterEvent();
  platform::AccessibleNode Tree();
  void SetFocus(const platform::AccessibleNode* node);
  size_t IndexOf(const TControl& control) const;

  platform::WindowHost& Host_;
  platform::ClientSize Size;
  std::vector<std::unique_ptr<TControl>> Controls_;
  platform::CursorId Cursor_ = platform::CursorId::Default;
  TPoint Mouse{-1, -1};
  // Which buttons are down, as the presses this form saw tell; and the mouse capture, from a
  // left press until its release, with the control that has it (none while the form itself
  // has it).
  unsigned ButtonsDown = 0;
  bool Capturing = false;
  TControl* Captured = nullptr;
  // A key was pressed and no release has come since.
  bool KeyHeld = false;
  std::optional<platform::CursorId> CursorShown;  // what the host was last told
  TTimer* Timer = nullptr;
  std::string FocusId_;
  TRect FocusBounds;
  size_t FocusIndex = 0;  // the focus's place in the chain when it was last seen
  bool FocusShown = false;
  std::optional<platform::AccessibleNode> Published;
};

}  // namespace ui
