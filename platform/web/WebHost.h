// The browser host of the main window: the client area is a memory device whose painted parts
// are copied to the page's canvas, the timer runs on setTimeout, the cursors are the page's CSS
// cursors and messages are written into the page. The page script delivers the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/MemoryHost.h"

namespace platform {

// Copies `area` of `screen` into `rgba` (the whole screen's size, red, green, blue, alpha bytes
// as a canvas takes them), each pixel at its place.
void CopyCanvasBytes(const MemoryDevice& screen, const TRect& area, uint8_t* rgba);

// The tree as the page reads it: JSON objects of id, role (AccessibleRole's number), name,
// description, states, bounds [left, top, right, bottom], press, index (the part's place in a
// depth-first walk, which the page hands back to press it) and children.
std::string AccessibleJson(const AccessibleNode& root);

class WebHost : public MemoryHost {
 public:
  WebHost(int width, int height) : MemoryHost(width, height) {}
  ~WebHost() override;

  void SetCursor(CursorId cursor) override;
  // The page keeps the count: each tick is planned one interval after the last one planned.
  void StartTimer(int milliseconds) override;
  void StopTimer() override;
  void ShowMessage(const std::string& text) override;
  // The page mirrors the window's parts for assistive technology whenever it runs.
  bool AccessibilityActive() const override { return true; }
  void AccessibleChanged(const std::vector<AccessibleEvent>& events) override;
  void Announce(const std::string& text) override;

 protected:
  void Painted(const TRect& area) override;

 private:
  // The client area as the canvas takes it: red, green, blue, alpha bytes, kept here so the
  // page hands a painted part to the canvas without touching single pixels.
  std::unique_ptr<uint8_t[]> canvasBytes_;
  size_t canvasSize_ = 0;
};

}  // namespace platform
