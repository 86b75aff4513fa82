// Writes the seed corpus of fuzz_pack: PNG pictures of every kind, with and without a
// transparent index and exact colours, and manifests like the tests' ones.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/PngKinds.h"
#include "tests/support/TestLibraryWriter.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_pack_seeds FOLDER\n");
    return 2;
  }
  const std::string dir = argv[1];
  int n = 0;
  const uint8_t modes[] = {0, 2, 4, 6};
  for (const vx8test::PngSample& sample : vx8test::PngSamples()) {
    std::vector<uint8_t> seed{modes[n % 4], 7};
    seed.insert(seed.end(), sample.Bytes.begin(), sample.Bytes.end());
    vx8test::WriteBytes(dir + "/" + sample.Name + ".seed", seed);
    ++n;
  }
  const char* manifests[] = {
      "palette palette.png\nimage tile tile.png\nimage arrow arrow.png transparent=240\n",
      "# the game's art\npalette pal.png # the colours\n\nimage a a.png\nimage B dir/b.png\n",
      "palette /abs/p.png\nimage x#y x#y.png transparent=0\n",
      "image early e.png\npalette late.png\n",
      "palette p.png\nimage toolongname t.png\n",
      "palette p.png\nimage n n.png transparent=256\n",
  };
  int m = 0;
  for (const char* text : manifests) {
    std::vector<uint8_t> seed{1};
    for (const char* c = text; *c; ++c) seed.push_back(uint8_t(*c));
    vx8test::WriteBytes(dir + "/manifest-" + std::to_string(m++) + ".seed", seed);
  }
  return 0;
}
