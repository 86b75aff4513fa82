// A small pixel font for the labels of vx8tool's contact sheet: lower-case letters, digits and
// a few signs, 5 x 8 pixels each, so the tool needs no font library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx8tool {

constexpr int kLetterWidth = 5;
constexpr int kLetterHeight = 8;
constexpr int kLetterAdvance = 6;

// Writes `text` with its top-left at (x, y) into an image of 0xAARRGGBB pixels, each font
// pixel `scale` x `scale` pixels; characters without a glyph show as a hollow box.
void DrawLabel(std::vector<uint32_t>& image, int width, int height, int x, int y, int scale,
               const std::string& text, uint32_t colour);

}  // namespace vx8tool
