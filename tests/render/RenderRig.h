// A board state, its pictures and a renderer over a small library written for the test: every
// picture holds values of its own, so a pixel tells which picture, tile or frame put it there.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/BoardModel.h"
#include "game/BoardRenderer.h"
#include "game/Captions.h"
#include "tests/support/TempFile.h"
#include "tests/support/TestLibraryWriter.h"

namespace rendertest {

// Values in the test pictures.
constexpr uint8_t EmptyValue = 10;
// Road tile (pass, row): rows 0..7 are the roads, row 8 the cap.
constexpr uint8_t RoadValue(int pass, int row) {
  return uint8_t(20 + 10 * pass + row);
}
constexpr uint8_t ConnectorValue(int pass, int kind) {
  return uint8_t(60 + 10 * pass + kind);
}
constexpr uint8_t ArrowValue(int picture, int frame) {
  return uint8_t(120 + 7 * picture + frame);
}
// The background under window pixel (x, y).
constexpr uint8_t BackgroundValue(int x, int y) {
  return uint8_t(200 + (x + 3 * y) % 30);
}
constexpr uint8_t ClickStartValue = 231;
constexpr uint8_t WellDoneValue = 232;
constexpr uint8_t TitleValue = 233;
constexpr uint8_t SizeLabelValue = 234;

// Where a road tile's own mark lies inside the tile: a 2 × 2 block per (pass, row).
constexpr TPoint RoadMark(int pass, int row) {
  return {3 * row + 1, 4 + 8 * pass};
}
// Every road tile also paints this pixel, so it shows which tile was drawn last.
constexpr TPoint RoadTop{30, 29};

// The pictures, in an order different from the one the window takes them in; `leaveOut`
// names one not to write.
std::vector<vx8test::Record> TestRecords(const std::string& leaveOut = "");

// The value at (x, y) of a surface.
uint8_t PixelAt(TVX8ImageData& surface, int x, int y);
// Writes values straight into the lines, without recording damage.
void FillWith(TVX8ImageData& surface, uint8_t (*value)(int x, int y));

struct TRenderRig {
  vx8test::TempFile File{"render.vx8"};
  TVX8Library Library;
  TBoardState State;  // what the renderer is given to draw
  TBoardPictures Pictures;
  TBoardRenderer Renderer{Pictures, nullptr, Background()};
  std::vector<TPoint> BackgroundOrigins;

  explicit TRenderRig(const std::string& leaveOut = "");
  // The state at that size with every cell in play set to `value`.
  void SetBoard(uint8_t cols, uint8_t rows, uint8_t value);
  // The background painter the window would pass: the test background at `origin`.
  TBackgroundPainter Background();
};

}  // namespace rendertest
