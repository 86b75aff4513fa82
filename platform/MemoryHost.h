// A window host without a toolkit: the client area is a memory device, painting happens when
// the owner flushes (as a window system paints between events), and the timer ticks only when
// the owner ticks it. Tools and tests run the real windows on it, and the browser host builds
// on it.
#pragma once

#include <string>
#include <vector>

#include "platform/MemoryDevice.h"
#include "platform/Window.h"

namespace platform {

class MemoryHost : public WindowHost {
 public:
  MemoryHost(int width, int height, PixelOrder order = PixelOrder::Argb);

  // The window whose events this host delivers; not owned.
  void SetClient(WindowClient* client) { Client = client; }

  // The first showing: everything is painted, then the window hears that it is shown.
  void Show();
  // Paints what was invalidated, as the window system does between events.
  void Flush();
  // The window system gives the client area another size.
  void Resize(int width, int height);
  // One tick, delivered only while the timer runs; returns whether it was.
  bool Tick();

  // What the screen shows.
  const MemoryDevice& Screen() const { return Device; }
  bool TimerRunning() const { return TimerRunning_; }
  // Assistive technology reads the window only once the owner says so.
  void SetAccessibilityActive(bool active) { AccessibilityActive_ = active; }

  // WindowHost.
  ClientSize Size() const override { return {Device.Width(), Device.Height()}; }
  void Invalidate(const TRect& area) override;
  void PaintNow(const TRect& area, const PaintFunction& paint) override;
  // No pointer, no box and no voice: a host that shows them says how.
  void SetCursor(CursorId) override {}
  void StartTimer(int milliseconds) override;
  void StopTimer() override { TimerRunning_ = false; }
  int RealizePalette(const LogicalPalette& palette) override;
  void BringToFront() override {}
  void ShowMessage(const std::string&) override {}
  bool AccessibilityActive() const override { return AccessibilityActive_; }

 protected:
  // Everything painted lies within `area` now; a host that shows the picture elsewhere copies
  // it from Screen().
  virtual void Painted(const TRect& area);

 private:
  void PaintPending(const TRect& except);

  MemoryDevice Device;
  WindowClient* Client = nullptr;
  bool Shown = false;
  std::vector<TRect> Pending;
  bool TimerRunning_ = false;
  bool AccessibilityActive_ = false;
};

}  // namespace platform
