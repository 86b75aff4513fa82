// The colour depth of the primary screen, from QScreen::depth() with one plane.
#pragma once

#include "platform/Screen.h"

namespace platform {

class QtScreen : public Screen {
 public:
  // Needs a QGuiApplication; with no screen at all the depth reads 0.
  ColorDepth ScreenColorDepth() const override;
};

}  // namespace platform
