// A palette-indexed picture to compose the game's screens from its pictures, drawing the way
// the game's surfaces do: whole rectangles, the source's transparent index skipped.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

#include "image/VX8Writer.h"

namespace art {

class IndexCanvas {
 public:
  IndexCanvas(int width, int height, uint8_t fill = 0);

  int Width() const { return W; }
  int Height() const { return H; }
  uint8_t At(int x, int y) const { return Pixels[size_t(y) * W + x]; }

  // Copies the rectangle (sx, sy, sw, sh) of `src` to (dx, dy), clipped to both pictures.
  void Draw(const vx8::Picture& src, int sx, int sy, int sw, int sh, int dx, int dy);
  void Draw(const vx8::Picture& src, int dx, int dy) {
    Draw(src, 0, 0, src.Width, src.Height, dx, dy);
  }
  void Draw(const IndexCanvas& src, int sx, int sy, int sw, int sh, int dx, int dy);
  void HorzLine(int x, int y, int length, uint8_t index);
  void VertLine(int x, int y, int length, uint8_t index);

  // Repeats `tile` over the canvas as if its top-left corner lay at `origin` of a background
  // tiled from (0, 0).
  void PaintTiles(const vx8::Picture& tile, int originX, int originY);

  QImage ToImage(const vx8::Palette& palette) const;

 private:
  void Put(int x, int y, uint8_t v) {
    if (x >= 0 && y >= 0 && x < W && y < H) Pixels[size_t(y) * W + x] = v;
  }

  int W, H;
  std::vector<uint8_t> Pixels;
};

}  // namespace art
