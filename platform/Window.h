// A top-level window as the game sees the window system: what the system delivers to the window
// (WindowClient) and what the window asks of the system (WindowHost). A toolkit implements the
// host; the window layer implements the client. Co-ordinates are client pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "platform/Accessible.h"
#include "platform/Device.h"
#include "platform/LogicalPalette.h"

namespace platform {

enum class MouseButton : uint8_t { Left, Right, Middle };

// The shapes a window shows over its parts: the system's arrow, or custom cursor 1 (the hand
// over everything clickable) or 2 (the link) of the application's cursor table.
enum class CursorId : uint8_t { Default = 0, Hand = 1, Link = 2 };

// The keys that move the keyboard focus and press what has it.
enum class FocusKey : uint8_t { Next, Previous, Press };

struct ClientSize {
  int Width = 0;
  int Height = 0;

  friend bool operator==(const ClientSize&, const ClientSize&) = default;
};

// What the window system delivers, one event at a time, on the one thread.
class WindowClient {
 public:
  virtual ~WindowClient() = default;

  // Paints the part of the client area in the device's clip box.
  virtual void Paint(Device& device) = 0;
  virtual void MouseDown(MouseButton button, int x, int y) = 0;
  virtual void MouseMove(int x, int y) = 0;
  virtual void MouseUp(MouseButton button, int x, int y) = 0;
  // A typed character. Keys held with Ctrl, Alt or Meta are shortcuts and never arrive here.
  virtual void KeyPress(char32_t character) = 0;
  // A key let go; the keyboard's own repeat sends presses only.
  virtual void KeyUp() = 0;
  // The client area now has this size.
  virtual void Resized(ClientSize size) = 0;
  // The window became the active one.
  virtual void Activated() = 0;
  // The window lost the mouse and the keyboard while a button or key may be held: it was
  // deactivated, lost the keyboard focus, or a modal window opened over it. No release of the
  // buttons or keys held now will arrive.
  virtual void CaptureLost() = 0;
  // The window appeared for the first time.
  virtual void Shown() = 0;
  // One tick of the window's timer.
  virtual void TimerTick() = 0;
  // Tab, Shift+Tab, or Enter and Space (which also arrive as characters when typed).
  virtual void FocusKeyPress(FocusKey key) = 0;
  // What assistive technology reads of the window now.
  virtual AccessibleNode Accessible() = 0;
  // Assistive technology pressed the part `id`: what a click on it does.
  virtual void AccessiblePress(const std::string& id) = 0;

  // The palette messages of a palette display (only Windows sends them). The window may realise
  // its palette now: the number of entries that changed.
  virtual int QueryNewPalette() { return 0; }
  // A window, this one or another, changed the system palette.
  virtual void PaletteChanged(bool byThisWindow) { (void)byThisWindow; }
};

// Paints through a device whose clip box is the area being painted.
using PaintFunction = std::function<void(Device& device)>;

// What a window asks of the window system.
class WindowHost {
 public:
  virtual ~WindowHost() = default;

  virtual ClientSize Size() const = 0;
  // The area is painted at the system's next opportunity, through WindowClient::Paint.
  virtual void Invalidate(const TRect& area) = 0;
  // Paints now, before returning: first whatever was invalidated, through WindowClient::Paint,
  // then `paint` over `area`. Nothing is painted while the window cannot be (not shown).
  virtual void PaintNow(const TRect& area, const PaintFunction& paint) = 0;
  virtual void SetCursor(CursorId cursor) = 0;
  // The window's one timer: ticks every `milliseconds` from now on, until StopTimer. Starting
  // a running timer starts its count afresh.
  virtual void StartTimer(int milliseconds) = 0;
  virtual void StopTimer() = 0;
  // Selects `palette` into the window's device and realises it: the number of screen palette
  // entries that changed (none on a true-colour screen).
  virtual int RealizePalette(const LogicalPalette& palette) = 0;
  // What the screen tells of its palette, which the window's library palette is built for.
  virtual ScreenPalette ScreenPaletteFacts() const { return {}; }
  // Another window changed the system palette: with `palette` selected as a background palette,
  // the window's pixels are mapped to the system palette as it is now (UpdateColors). Nothing
  // to do on a true-colour screen.
  virtual void UpdateColors(const LogicalPalette& palette) { (void)palette; }
  // Raises the window, restores it when minimised, and gives it the input focus.
  virtual void BringToFront() = 0;
  // A plain message box over the window, with the application title.
  virtual void ShowMessage(const std::string& text) = 0;

  // Whether assistive technology reads the window: without it the window spares the work.
  virtual bool AccessibilityActive() const { return false; }
  // The parts of the accessible tree that changed since it was last published.
  virtual void AccessibleChanged(const std::vector<AccessibleEvent>&) {}
  // Says `text` politely, after whatever is being said.
  virtual void Announce(const std::string&) {}
};

}  // namespace platform
