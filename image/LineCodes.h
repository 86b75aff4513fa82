// The byte codes of a segment's line code and of plain runs, as the decoder reads them and the
// encoder writes them; image/FORMAT.md describes the format around them.
#pragma once

#include <cstdint>

namespace vx8::code {

// Line codes: the first byte of a row, or of the rest of it.
inline constexpr uint8_t Literal = 0;    // the rest of the row follows as it is
inline constexpr uint8_t Tokens = 1;     // tokens up to the row's end; 3, 4 and 5 mean the same
inline constexpr uint8_t Delta = 2;      // tokens, then the row XOR the previous row
inline constexpr uint8_t Fill = 6;       // one byte, the value of the rest of the row
inline constexpr uint8_t Same = 7;       // the rest of the row as the previous row has it
inline constexpr uint8_t FirstCopy = 8;  // 8 to 255: that many pixels of the previous row, and
                                         // another line code follows
// Codes the first row of a segment cannot have: it has no previous row.
constexpr bool NeedsPreviousRow(uint8_t code) {
  return code == Delta || code >= Same;
}

// The byte after the run escape A.
inline constexpr uint8_t OneEscape = 0;      // A,0: the pixel A
inline constexpr uint8_t TwoEscapes = 1;     // A,1: the pixels A, A
inline constexpr uint8_t CopyPrevious = 2;   // A,2,n: n pixels of the previous row (0: the rest)
inline constexpr uint8_t ShortestRun = 3;    // A,d,v with d of 3 to 255: d pixels v
inline constexpr uint32_t LongestRun = 255;  // a run or a copy longer than this takes two tokens
// After the triple escape B: B,A is the pixel B, B,B the pixels B, B, and B,v the pixels v, v, v.
inline constexpr uint32_t TripleRun = 3;

}  // namespace vx8::code
