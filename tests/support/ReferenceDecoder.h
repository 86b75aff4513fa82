// The decoders in their simplest form, one checked byte at a time: the yardstick the fast
// decoders of image/LineCodec.h are tested and fuzzed against. Same results, same messages.
#pragma once

#include "image/LineCodec.h"

namespace vx8ref {

void DecodeLineCode(const uint8_t* src, size_t srcSize, uint8_t* dst, const vx8::BandShape& shape,
                    vx8::Escapes escapes, bool rawRows);
void DecodeRuns(const uint8_t* src, size_t srcSize, uint8_t* dst, const vx8::BandShape& shape,
                vx8::Escapes escapes);

}  // namespace vx8ref
