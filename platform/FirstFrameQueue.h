// Work the window's first frame does not need: it waits until that frame is painted, then each
// step runs as an event of its own (so that one which opens a modal dialog holds up no other).
#pragma once

#include <functional>
#include <vector>

namespace platform {

class FirstFrameQueue {
 public:
  using Step = std::function<void()>;
  // `post` runs a step from the event loop, after the event that posts it.
  explicit FirstFrameQueue(std::function<void(Step)> post) : Post(std::move(post)) {}

  // Posted at once when the first frame is already painted.
  void Add(Step step);
  // The first frame is on the screen: the steps waiting for it are posted, in order.
  void FramePainted();
  bool Painted() const { return Painted_; }

 private:
  std::function<void(Step)> Post;
  std::vector<Step> Waiting;
  bool Painted_ = false;
};

}  // namespace platform
