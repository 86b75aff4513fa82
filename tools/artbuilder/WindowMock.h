// Composes the main window from the mapped pictures the way the game draws it, to judge the
// art as a whole before the game exists.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

#include "image/VX8Writer.h"

namespace art {

enum class MockState { Idle, Playing, Won };

struct MockScene {
  MockState State = MockState::Playing;
  int Cols = 4;
  int Rows = 4;
  uint32_t Seed = 1;
  bool PressedColumn = true;  // the held arrow while playing: axis and move index
  int PressedIndex = 2;
};

// The 517 x 403 client area.
QImage DrawWindowMock(const std::vector<vx8::Picture>& pictures, const vx8::Palette& palette,
                      const MockScene& scene);

}  // namespace art
