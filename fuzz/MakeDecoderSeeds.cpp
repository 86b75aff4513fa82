// Writes the seed corpus of fuzz_decoder: bands of a few pictures in each stored coding.
#include <cstdio>
#include <string>

#include "tests/support/DecoderAgreement.h"
#include "tests/support/TestLibraryWriter.h"

using namespace vx8test;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_decoder_seeds FOLDER\n");
    return 2;
  }
  int n = 0;
  for (uint16_t width : {5, 16, 61, 200}) {
    Pixels p(width, 9);
    for (int y = 0; y < p.Height; ++y)
      for (int x = 0; x < width; ++x)
        p.At(x, y) = uint8_t(y % 3 == 1 ? x / 9 : (x * width + y * 7) % 5 + 240);
    for (Coding coding : {Coding::LineCode, Coding::PlainRows, Coding::PlainRuns}) {
      const Segment s = CodeBand(p, 0, coding);
      const StoredBand band{{width, p.Height, uint16_t((width + 3) & ~3)},
                            {s.RunEscape, s.TripleEscape},
                            coding == Coding::LineCode    ? StoredCoding::LineCode
                            : coding == Coding::PlainRows ? StoredCoding::PlainRows
                                                          : StoredCoding::PlainRuns,
                            s.Stored};
      WriteBytes(std::string(argv[1]) + "/seed-" + std::to_string(n++), StoredBandBytes(band));
    }
  }
  return 0;
}
