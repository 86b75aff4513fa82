// A bevel: a lowered frame line around its area, in the light grey shadow and the highlight of
// the desktop style.
#pragma once

#include "ui/Control.h"

namespace ui {

class TBevel : public TControl {
 public:
  using TControl::TControl;

  static constexpr uint32_t Shadow = 0xBEBEBE;
  static constexpr uint32_t Highlight = 0xFFFFFF;

  void Paint(platform::Device& canvas) override;
};

}  // namespace ui
