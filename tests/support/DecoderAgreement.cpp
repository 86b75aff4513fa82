#include "tests/support/DecoderAgreement.h"

#include <algorithm>

#include "image/SegmentGeometry.h"
#include "image/VX8Exception.h"
#include "tests/support/ReferenceDecoder.h"

namespace vx8test {

namespace {

struct Outcome {
  std::string Error;
  std::vector<uint8_t> Pixels;
};

// The output starts filled with `junk`, so that a byte a decoder leaves unwritten shows.
template <typename LineCodeFn, typename RunsFn>
Outcome Decode(const StoredBand& band, uint8_t junk, LineCodeFn lineCode, RunsFn runs) {
  Outcome out;
  out.Pixels.assign(size_t(band.Shape.Rows) * band.Shape.LineBytes, junk);
  try {
    if (band.Coding == StoredCoding::PlainRuns)
      runs(band.Bytes.data(), band.Bytes.size(), out.Pixels.data(), band.Shape, band.Escape);
    else
      lineCode(band.Bytes.data(), band.Bytes.size(), out.Pixels.data(), band.Shape, band.Escape,
               band.Coding == StoredCoding::PlainRows);
  } catch (const VX8Exception& e) {
    out.Error = e.what();
    out.Pixels.clear();  // a failed band is thrown away; what was written does not count
  }
  return out;
}

}  // namespace

std::string DecoderDisagreement(const StoredBand& band) {
  const Outcome fast = Decode(band, 0xEE, vx8::DecodeLineCode, vx8::DecodeRuns);
  const Outcome reference = Decode(band, 0x11, vx8ref::DecodeLineCode, vx8ref::DecodeRuns);
  if (fast.Error != reference.Error)
    return "fast decoder: \"" + fast.Error + "\", reference: \"" + reference.Error + "\"";
  for (size_t i = 0; i < fast.Pixels.size(); ++i)
    if (fast.Pixels[i] != reference.Pixels[i])
      return "byte " + std::to_string(i) + " (row " + std::to_string(i / band.Shape.LineBytes) +
             "): fast decoder " + std::to_string(fast.Pixels[i]) + ", reference " +
             std::to_string(reference.Pixels[i]);
  return "";
}

StoredBand StoredBandFromBytes(const uint8_t* data, size_t size) {
  StoredBand band;
  if (size < 6) return band;
  const uint16_t width = uint16_t(1 + (data[0] | (data[1] & 1) << 8));
  band.Shape = {width, uint16_t(1 + (data[2] & 15)), vx8::LineBytes(width)};
  band.Coding = StoredCoding(data[3] % 3);
  band.Escape = {data[4], data[5]};
  band.Bytes.assign(data + 6, data + size);
  return band;
}

std::vector<uint8_t> StoredBandBytes(const StoredBand& band) {
  const unsigned w = band.Shape.Width - 1u;
  std::vector<uint8_t> bytes(6 + band.Bytes.size());
  bytes[0] = uint8_t(w);
  bytes[1] = uint8_t(w >> 8);
  bytes[2] = uint8_t(band.Shape.Rows - 1);
  bytes[3] = uint8_t(band.Coding);
  bytes[4] = band.Escape.Run;
  bytes[5] = band.Escape.Triple;
  std::copy(band.Bytes.begin(), band.Bytes.end(), bytes.begin() + 6);
  return bytes;
}

}  // namespace vx8test
