#include "ui/Form.h"

#include <algorithm>
#include <utility>

#include "ui/ControlDevice.h"
#include "ui/Timer.h"

namespace ui {

namespace {

unsigned Bit(platform::MouseButton button) {
  return 1u << unsigned(button);
}

using platform::AccessibleNode;
using platform::AccessibleState::Enabled;
using platform::AccessibleState::Focusable;
using platform::AccessibleState::Focused;

// The parts the keyboard's focus goes through, in order.
void CollectFocusable(const AccessibleNode& node, std::vector<const AccessibleNode*>& chain) {
  if (node.Has(Focusable | Enabled)) chain.push_back(&node);
  for (const AccessibleNode& child : node.Children) CollectFocusable(child, chain);
}

std::vector<const AccessibleNode*> FocusChain(const AccessibleNode& tree) {
  std::vector<const AccessibleNode*> chain;
  CollectFocusable(tree, chain);
  return chain;
}

// The place of part `id` in the chain; the chain's size when it is not there.
size_t PlaceIn(const std::vector<const AccessibleNode*>& chain, const std::string& id) {
  const auto at = std::find_if(chain.begin(), chain.end(),
                               [&](const AccessibleNode* n) { return n->Id == id; });
  return size_t(at - chain.begin());
}

AccessibleNode* FindMutable(AccessibleNode& node, const std::string& id) {
  if (node.Id == id) return &node;
  for (AccessibleNode& child : node.Children)
    if (AccessibleNode* found = FindMutable(child, id)) return found;
  return nullptr;
}

// The focus mark: a frame two pixels wide, one pixel clear of the part.
constexpr int FocusMarkGap = 1;
constexpr int FocusMarkWidth = 2;
constexpr uint32_t FocusMarkColor = 0xFFFFFF;

TRect Inflated(const TRect& r, int by) {
  return {r.Left - by, r.Top - by, r.Right + by, r.Bottom + by};
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
    PaintFocusMark(device);
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
  PaintFocusMark(device);
}

void TForm::PaintFocusMark(platform::Device& device) const {
  if (!FocusShown || FocusBounds.IsEmpty()) return;
  const TRect outer = Inflated(FocusBounds, FocusMarkGap + FocusMarkWidth);
  const TRect inner = Inflated(FocusBounds, FocusMarkGap);
  for (const TRect& side : {TRect{outer.Left, outer.Top, outer.Right, inner.Top},
                            TRect{outer.Left, inner.Bottom, outer.Right, outer.Bottom},
                            TRect{outer.Left, inner.Top, inner.Left, inner.Bottom},
                            TRect{inner.Right, inner.Top, outer.Right, inner.Bottom}})
    if (device.RectVisible(side)) device.FillRect(side, FocusMarkColor);
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
  AfterEvent();
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
  AfterEvent();
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
  AfterEvent();
}

// Whatever was held is let go where its release will never reach the window: as if every
// held button and key were released here.
void TForm::CaptureLost() {
  ButtonsDown = 0;
  TControl* captured = std::exchange(Captured, nullptr);
  const bool mouse = std::exchange(Capturing, false);
  const bool keys = std::exchange(KeyHeld, false);
  if (!mouse && !keys) return;
  if (captured) captured->CaptureLost();
  if (keys) FormKeyUp();
  UpdateCursor();
  AfterEvent();
}

void TForm::KeyPress(char32_t character) {
  KeyHeld = true;
  FormKeyPress(character);
  AfterEvent();
}

void TForm::KeyUp() {
  KeyHeld = false;
  FormKeyUp();
  AfterEvent();
}

void TForm::Resized(platform::ClientSize size) {
  if (size == Size) return;
  Size = size;
  Invalidate();
  FormResize();
  AfterEvent();
}

void TForm::Activated() {
  FormActivate();
  AfterEvent();
}

void TForm::Shown() {
  FormShow();
  AfterEvent();
}

void TForm::TimerTick() {
  if (Timer) Timer->Tick();
  AfterEvent();
}

AccessibleNode TForm::Tree() {
  AccessibleNode root;
  root.Id = "window";
  root.Role = platform::AccessibleRole::Window;
  root.Name = AccessibleName;
  root.Bounds = {0, 0, Size.Width, Size.Height};
  FormDescribe(root.Children);
  return root;
}

AccessibleNode TForm::Accessible() {
  AccessibleNode tree = Tree();
  if (AccessibleNode* focused = FocusShown ? FindMutable(tree, FocusId_) : nullptr)
    focused->States |= Focused;
  return tree;
}

void TForm::SetFocus(const AccessibleNode* node) {
  if (FocusShown) InvalidateRect(Inflated(FocusBounds, FocusMarkGap + FocusMarkWidth));
  FocusId_ = node ? node->Id : std::string();
  FocusBounds = node ? node->Bounds : TRect{};
  if (FocusShown) InvalidateRect(Inflated(FocusBounds, FocusMarkGap + FocusMarkWidth));
}

// Tab and Shift+Tab go round the parts that can have the focus; Enter and Space press the one
// that has it.
void TForm::FocusKeyPress(platform::FocusKey key) {
  const AccessibleNode tree = Tree();
  const std::vector<const AccessibleNode*> chain = FocusChain(tree);
  const size_t n = chain.size();
  const size_t at = PlaceIn(chain, FocusId_);
  if (key == platform::FocusKey::Press) {
    if (FocusShown && at < n) {
      AccessiblePress(FocusId_);
      return;
    }
  } else if (n > 0) {
    if (key == platform::FocusKey::Next) {
      FocusIndex = at < n ? (at + 1) % n : 0;
    } else {
      FocusIndex = at < n && at > 0 ? at - 1 : n - 1;
    }
    FocusShown = true;
    SetFocus(chain[FocusIndex]);
  }
  AfterEvent();
}

void TForm::AccessiblePress(const std::string& id) {
  const auto control = std::find_if(Controls_.begin(), Controls_.end(),
                                    [&](const auto& c) { return c->Visible() && c->Name() == id; });
  if (control != Controls_.end()) {
    (*control)->AccessiblePress();
  } else {
    FormAccessiblePress(id);
  }
  AfterEvent();
}

void TForm::AfterEvent() {
  const bool reading = Host_.AccessibilityActive();
  if (!FocusShown && !reading) {
    Published.reset();
    return;
  }
  AccessibleNode tree = Tree();
  if (FocusShown) {
    // A part that lost the focus (disabled, gone) hands it on to the part now at its place in
    // the chain, as a dialog moves it on from a button that was disabled.
    const std::vector<const AccessibleNode*> chain = FocusChain(tree);
    const size_t at = PlaceIn(chain, FocusId_);
    if (at < chain.size()) {
      FocusIndex = at;
      if (chain[at]->Bounds != FocusBounds) SetFocus(chain[at]);
    } else {
      SetFocus(chain.empty() ? nullptr : chain[std::min(FocusIndex, chain.size() - 1)]);
    }
    if (AccessibleNode* focused = FindMutable(tree, FocusId_)) focused->States |= Focused;
  }
  if (!reading) return;
  if (Published) {
    const std::vector<platform::AccessibleEvent> changes =
        platform::AccessibleChanges(*Published, tree);
    if (!changes.empty()) {
      Published = std::move(tree);
      Host_.AccessibleChanged(changes);
      return;
    }
  }
  Published = std::move(tree);
}

int TForm::QueryNewPalette() {
  const int changed = FormQueryNewPalette();
  AfterEvent();
  return changed;
}

void TForm::PaletteChanged(bool byThisWindow) {
  FormPaletteChanged(byThisWindow);
  AfterEvent();
}

int TForm::FormQueryNewPalette() {
  return 0;
}
void TForm::FormPaletteChanged(bool) {}
void TForm::FormPaint(platform::Device&) {}
void TForm::FormMouseDown(platform::MouseButton, int, int) {}
void TForm::FormMouseMove(int, int) {}
void TForm::FormMouseUp(platform::MouseButton, int, int) {}
void TForm::FormKeyPress(char32_t) {}
void TForm::FormKeyUp() {}
void TForm::FormResize() {}
void TForm::FormActivate() {}
void TForm::FormShow() {}

void TForm::FormDescribe(std::vector<platform::AccessibleNode>& into) {
  for (const auto& control : Controls_)
    if (control->Visible()) control->Describe(into);
}

void TForm::FormAccessiblePress(const std::string&) {}

}  // namespace ui
