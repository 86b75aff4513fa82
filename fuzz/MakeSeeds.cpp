// Writes the seed corpus of fuzz_library: small library files in every stored coding.
#include <cstdio>
#include <string>

#include "tests/support/TestLibraryWriter.h"

using namespace vx8test;

namespace {

Pixels Picture(uint16_t w, uint16_t h, int seed) {
  Pixels p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      p.At(x, y) = uint8_t(y % 3 == 1 ? x / 4 + seed : (x * seed + y * 7) % 11 + 240);
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_library_seeds FOLDER\n");
    return 2;
  }
  const std::string dir = argv[1];
  const std::vector<std::vector<Record>> libraries = {
      {},
      {MakeRecord("tile", Picture(16, 8, 1), Coding::LineCode)},
      {MakeRecord("arrow", Picture(9, 9, 2), Coding::PlainRuns, 240)},
      {MakeRecord("rows", Picture(13, 5, 3), Coding::PlainRows)},
      {MakeRecord("done", Picture(5, 3, 4), Coding::Finished, 241)},
      {MakeRecord("wide", Pixels(256, 256, 9), Coding::LineCode)},  // two bands
      {MakeRecord("a", Picture(7, 6, 5), Coding::LineCode),
       MakeRecord("B", Picture(6, 7, 6), Coding::PlainRuns),
       MakeRecord("A", Picture(3, 2, 7), Coding::Finished)},
  };
  int n = 0;
  for (const auto& records : libraries)
    WriteBytes(dir + "/seed-" + std::to_string(n++) + ".vx8", LibraryBytes(records));
  return 0;
}
