// Arbitrary bytes as one stored band (shape, coding and escapes from the first six): the fast
// decoders must give what the reference decoders give, the same pixels or the same message,
// and never touch a byte outside their buffers.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "tests/support/DecoderAgreement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const vx8test::StoredBand band = vx8test::StoredBandFromBytes(data, size);
  if (band.Shape.Width == 0) return 0;
  const std::string difference = vx8test::DecoderDisagreement(band);
  if (!difference.empty()) {
    std::fprintf(stderr, "decoders disagree: %s\n", difference.c_str());
    __builtin_trap();
  }
  return 0;
}
