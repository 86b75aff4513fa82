// Runs one stored band through the fast decoders and the reference decoders and says whether
// they agree: the same message, or the same pixels and padding. Shared by the tests and the
// decoder's fuzzer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/LineCodec.h"

namespace vx8test {

enum class StoredCoding { LineCode, PlainRows, PlainRuns };

struct StoredBand {
  vx8::BandShape Shape;
  vx8::Escapes Escape;
  StoredCoding Coding = StoredCoding::LineCode;
  std::vector<uint8_t> Bytes;
};

// Empty when both decoders agree; else what differs.
std::string DecoderDisagreement(const StoredBand& band);

// A band from arbitrary bytes: width (1 to 512), rows (1 to 16), coding and escapes from the
// first six, the stored bytes after them. Null shape (width 0) when there are fewer than six.
StoredBand StoredBandFromBytes(const uint8_t* data, size_t size);
// The inverse, for writing seeds.
std::vector<uint8_t> StoredBandBytes(const StoredBand& band);

}  // namespace vx8test
