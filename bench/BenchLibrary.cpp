#include "bench/BenchLibrary.h"

#include <vector>

#include "image/VX8Writer.h"

namespace benchlib {

namespace {

// A small pattern so that the pictures are not one colour; index 0 is transparent where used.
vx8::Picture Make(const std::string& name, uint16_t w, uint16_t h, bool transparent) {
  vx8::Picture p;
  p.Name = name;
  p.Width = w;
  p.Height = h;
  p.Pixels.resize(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      p.Pixels[size_t(y) * w + size_t(x)] = uint8_t(1 + (x / 3 + y / 5) % 200);
  if (transparent) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; x += 2) p.Pixels[size_t(y) * w + size_t(x)] = 0;
    p.TransparentIndex = 0;
  }
  return p;
}

}  // namespace

void WriteWindowLibrary(const std::string& folder) {
  vx8::Palette palette;
  for (int i = 0; i < 256; ++i) palette[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)};
  std::vector<vx8::Picture> pictures = {
      Make("tile", 32, 32, false),     Make("empty", 32, 32, true),
      Make("roads", 96, 288, true),    Make("conndiag", 21, 14, true),
      Make("start", 156, 84, false),   Make("exit", 156, 84, false),
      Make("min_btn", 40, 84, false),  Make("plus_btn", 40, 84, false),
      Make("clicksr", 206, 206, true), Make("welldone", 206, 206, true),
      Make("zelto", 375, 80, true),    Make("colrow", 112, 58, true)};
  for (const char* arrow :
       {"arru_up", "arru_dn", "arrd_up", "arrd_dn", "arrl_up", "arrl_dn", "arrr_up", "arrr_dn"})
    pictures.push_back(Make(arrow, 20, 140, true));
  vx8::WriteLibrary(folder + "zelto.vx8", palette, pictures);
}

}  // namespace benchlib
