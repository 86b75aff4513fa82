// A small pixel font: lower-case letters (upper case shows as lower case), digits and a few
// signs, 5 x 8 pixels each, for labels drawn where no font library is at hand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "foundation/Geometry.h"

namespace platform {

constexpr int kLetterWidth = 5;
constexpr int kLetterHeight = 8;
constexpr int kLetterAdvance = 6;

// Writes `text` with its top-left at (x, y) into rows of 0xAARRGGBB pixels (`stride` pixels
// apart), each font pixel `scale` x `scale` pixels, only inside `clip`; characters without a
// glyph show as a hollow box.
void DrawPixelText(uint32_t* pixels, size_t stride, const TRect& clip, int x, int y, int scale,
                   std::string_view text, uint32_t colour);

}  // namespace platform
