#include "tools/artbuilder/IndexCanvas.h"

#include <algorithm>

namespace art {

IndexCanvas::IndexCanvas(int width, int height, uint8_t fill)
    : W(width), H(height), Pixels(size_t(width) * height, fill) {}

void IndexCanvas::Draw(const vx8::Picture& src, int sx, int sy, int sw, int sh, int dx, int dy) {
  for (int y = 0; y < sh; ++y) {
    const int py = sy + y;
    if (py < 0 || py >= src.Height) continue;
    for (int x = 0; x < sw; ++x) {
      const int px = sx + x;
      if (px < 0 || px >= src.Width) continue;
      const uint8_t v = src.Pixels[size_t(py) * src.Width + px];
      if (src.TransparentIndex && v == *src.TransparentIndex) continue;
      Put(dx + x, dy + y, v);
    }
  }
}

void IndexCanvas::Draw(const IndexCanvas& src, int sx, int sy, int sw, int sh, int dx, int dy) {
  // Through a copy, so a canvas can be drawn onto itself.
  const IndexCanvas copy = src;
  for (int y = 0; y < sh; ++y) {
    for (int x = 0; x < sw; ++x) {
      const int px = sx + x, py = sy + y;
      if (px >= 0 && py >= 0 && px < copy.W && py < copy.H) Put(dx + x, dy + y, copy.At(px, py));
    }
  }
}

void IndexCanvas::HorzLine(int x, int y, int length, uint8_t index) {
  for (int i = 0; i < length; ++i) Put(x + i, y, index);
}

void IndexCanvas::VertLine(int x, int y, int length, uint8_t index) {
  for (int i = 0; i < length; ++i) Put(x, y + i, index);
}

void IndexCanvas::PaintTiles(const vx8::Picture& tile, int originX, int originY) {
  const int tw = tile.Width, th = tile.Height;
  for (int y = -(originY % th); y < H; y += th) {
    for (int x = -(originX % tw); x < W; x += tw) Draw(tile, x, y);
  }
}

QImage IndexCanvas::ToImage(const vx8::Palette& palette) const {
  QImage image(W, H, QImage::Format_RGB32);
  for (int y = 0; y < H; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < W; ++x) {
      const vx8::PaletteColor& c = palette[At(x, y)];
      row[x] = qRgb(c.Red, c.Green, c.Blue);
    }
  }
  return image;
}

}  // namespace art
