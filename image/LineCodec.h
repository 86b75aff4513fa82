// Decoders of a segment's stored bytes into its band of pixel rows: the line code (with plain
// rows as its code-0-only form) and plain runs. They never read or write outside the buffers
// they are given and report bad input with the exact VX8Exception messages.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vx8 {

struct BandShape {
  uint16_t Width = 0;      // pixels per row (W)
  uint16_t Rows = 0;       // rows in the band (R)
  uint16_t LineBytes = 0;  // bytes per row in the output, W rounded up to 4 (L)
};

struct Escapes {
  uint8_t Run = 0;     // A
  uint8_t Triple = 0;  // B
};

// Decodes R rows of line code into `dst` (R x L bytes). With `rawRows` every line code is
// taken as 0 and none is read. Row padding is zeroed.
void DecodeLineCode(const uint8_t* src, size_t srcSize, uint8_t* dst, const BandShape& shape,
                    Escapes escapes, bool rawRows);

// Decodes a plain-run pixel stream over the whole band, rows bottom first. Besides the A
// tokens it reads the B tokens (B,A; B,B; B,v) that the run writer emits. Row padding is
// zeroed; a run that goes past the band's last pixel is cut there.
void DecodeRuns(const uint8_t* src, size_t srcSize, uint8_t* dst, const BandShape& shape,
                Escapes escapes);

}  // namespace vx8
