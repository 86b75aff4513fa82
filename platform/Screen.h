// The screen's colour depth, which decides whether the game can be shown as designed.
#pragma once

namespace platform {

struct ColorDepth {
  int BitsPerPixel = 0;
  int Planes = 1;
};

class Screen {
 public:
  virtual ~Screen() = default;
  virtual ColorDepth ScreenColorDepth() const = 0;
};

}  // namespace platform
