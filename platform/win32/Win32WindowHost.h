// The Windows host of one form: a window of the game's own class whose client area is the
// form's, at a whole number of device pixels per pixel on a scaled screen. It turns the
// window's messages into the form's events (the mouse held with SetCapture, characters and key
// releases through the shared key policy, activation, the palette messages, the one timer),
// paints through the window's device context, shows the cursors of the executable's resources
// and publishes the form's accessible tree through MSAA. It holds no game logic.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "platform/FirstFrameQueue.h"
#include "platform/MessageBoxes.h"
#include "platform/Window.h"
#include "platform/win32/Win32Device.h"
#include "platform/win32/WindowsApi.h"

namespace platform::win32 {

class Win32Accessibility;

class Win32WindowHost : public WindowHost {
 public:
  // A top-level window of a fixed client size, centred on the screen, not yet shown; `boxes`
  // shows the form's messages and outlives the host. Closing it ends the message loop.
  Win32WindowHost(ClientSize size, const std::string& title, MessageBoxes& boxes);
  ~Win32WindowHost() override;
  Win32WindowHost(const Win32WindowHost&) = delete;
  Win32WindowHost& operator=(const Win32WindowHost&) = delete;

  // The form whose events this host delivers; not owned. Clear it before the form goes.
  void SetClient(WindowClient* client) { Client = client; }
  HWND Window() const { return Hwnd; }
  // Device pixels per client pixel.
  int Scale() const { return Scale_; }
  void Show(int how = SW_SHOWNORMAL);
  // Runs `then` as an event of its own once the window has painted its first frame.
  void AfterFirstFrame(std::function<void()> then) { AfterFirstFrame_.Add(std::move(then)); }
  // What the application hears when it becomes the active one (WM_ACTIVATEAPP).
  std::function<void()> OnAppActivate;
  // Whether the window's timer runs (tests that tick it themselves ask).
  bool TimerRunning() const { return TimerRunning_; }

  // WindowHost.
  ClientSize Size() const override { return Size_; }
  void Invalidate(const TRect& area) override;
  void PaintNow(const TRect& area, const PaintFunction& paint) override;
  void SetCursor(CursorId cursor) override;
  void StartTimer(int milliseconds) override;
  void StopTimer() override;
  int RealizePalette(const LogicalPalette& palette) override;
  void UpdateColors(const LogicalPalette& palette) override;
  ScreenPalette ScreenPaletteFacts() const override;
  void BringToFront() override;
  void ShowMessage(const std::string& text) override { Boxes.ShowMessage(text); }
  bool AccessibilityActive() const override;
  void AccessibleChanged(const std::vector<AccessibleEvent>& events) override;
  void Announce(const std::string& text) override;

  // The window's tree as assistive technology reads it, and a press by it.
  AccessibleNode AccessibleTree();
  void AccessiblePress(const std::string& id);
  // A client rectangle in screen pixels.
  RECT ScreenRect(const TRect& r) const;
  // The client point under a screen point.
  TPoint ClientPoint(POINT screen) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void Mouse(UINT message, WPARAM wParam, LPARAM lParam);
  void Character(WPARAM wParam, LPARAM lParam);
  void Rescale(int dpi, const RECT* suggested);
  // A client rectangle in the window's device pixels.
  RECT DeviceRect(const TRect& r) const;
  void RunPosted();

  MessageBoxes& Boxes;
  WindowClient* Client = nullptr;
  HWND Hwnd = nullptr;
  ClientSize Size_;
  int Scale_ = 1;
  Win32Palettes Palettes;
  HCURSOR CursorNow;
  bool TimerRunning_ = false;
  bool Capturing = false;
  bool ShownOnce = false;
  wchar_t HighSurrogate = 0;
  FirstFrameQueue AfterFirstFrame_;
  std::deque<FirstFrameQueue::Step> Posted;
  // The painting asked for by PaintNow while it runs.
  const PaintFunction* PaintingNow = nullptr;
  TRect PaintingNowArea;
  std::unique_ptr<Win32Accessibility> Accessibility;
};

}  // namespace platform::win32
