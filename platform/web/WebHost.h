// The browser host of the main window: the client area is a memory device whose painted parts
// the page puts on its canvas, the timer runs on setTimeout, the cursors are the page's CSS
// cursors and messages are written into the page. The page script delivers the input.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/FirstFrameQueue.h"
#include "platform/MemoryHost.h"

namespace platform {

// The tree as the page reads it: JSON objects of id, role (AccessibleRole's number), name,
// description, states, bounds [left, top, right, bottom], press, index (the part's place in a
// depth-first walk, which the page hands back to press it) and children.
std::string AccessibleJson(const AccessibleNode& root);

class WebHost : public MemoryHost {
 public:
  // The client area is kept in the canvas's own byte order: painted parts go to the page as
  // they are.
  WebHost(int width, int height);
  ~WebHost() override;

  void SetCursor(CursorId cursor) override;
  // The page keeps the count: each tick is planned one interval after the last one planned.
  void StartTimer(int milliseconds) override;
  void StopTimer() override;
  void ShowMessage(const std::string& text) override;
  // Once the page mirrors the window's parts (SetAccessibilityActive), it hears of each change.
  void AccessibleChanged(const std::vector<AccessibleEvent>& events) override;

  // Runs `step` as an event of its own once the first frame is on the page's screen.
  void AfterFirstFrame(std::function<void()> step) { AfterFirstFrame_.Add(std::move(step)); }
  // The browser has shown the first frame.
  void FramePainted() { AfterFirstFrame_.FramePainted(); }
  // Runs the oldest step posted (the page calls it from its own event).
  void RunPostedStep();
  void Announce(const std::string& text) override;

 protected:
  void Painted(const TRect& area) override;

 private:
  std::vector<FirstFrameQueue::Step> Posted;  // oldest first
  FirstFrameQueue AfterFirstFrame_;
};

}  // namespace platform
