// Writes the seed corpus of fuzz_vx8tool: small libraries in every stored coding for each
// command, and PNG pictures of every kind for pack.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/PngKinds.h"
#include "tests/support/TestLibraryWriter.h"

using namespace vx8test;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_vx8tool_seeds FOLDER\n");
    return 2;
  }
  const std::string dir = argv[1];
  Pixels picture(9, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) picture.At(x, y) = uint8_t(y % 2 ? x / 3 + 1 : x * 5 + y);
  const Bytes library = LibraryBytes({MakeRecord("tile", picture, Coding::LineCode),
                                      MakeRecord("arrow", picture, Coding::PlainRuns, 1),
                                      MakeRecord("rows", picture, Coding::PlainRows),
                                      MakeRecord("TILE", picture, Coding::Finished, 2)});
  for (uint8_t command = 0; command < 5; ++command) {
    Bytes seed{command};
    seed.insert(seed.end(), library.begin(), library.end());
    WriteBytes(dir + "/library-" + std::to_string(command) + ".seed", seed);
  }
  for (const PngSample& sample : PngSamples()) {
    Bytes seed{5};
    seed.insert(seed.end(), sample.Bytes.begin(), sample.Bytes.end());
    WriteBytes(dir + "/" + sample.Name + ".seed", seed);
  }
  return 0;
}
