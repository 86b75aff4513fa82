#include "platform/FirstFrameQueue.h"

#include <utility>

namespace platform {

void FirstFrameQueue::Add(Step step) {
  if (Painted_)
    Post(std::move(step));
  else
    Waiting.push_back(std::move(step));
}

void FirstFrameQueue::FramePainted() {
  if (Painted_) return;
  Painted_ = true;
  for (Step& step : std::exchange(Waiting, {})) Post(std::move(step));
}

}  // namespace platform
