// A small bold pixel font for the keys on the arrows: at 20 x 20 hand-placed pixels read
// better than any outline font.
#pragma once

namespace art {

constexpr int kGlyphWidth = 6;
constexpr int kGlyphHeight = 8;

// Rows of the glyph for one of "ABCDEFGHIJK1234567890", top first, '#' for ink; null for
// any other character.
const char* const* KeyGlyph(char key);

}  // namespace art
