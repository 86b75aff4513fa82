#include "game/BoardLayout.h"

int32_t TBoardLayout::MoveLine(const TMoveCommand& move) const {
  const int32_t lines = Lines(move.Axis);
  return move.Index > lines ? move.Index - lines : move.Index;
}

TDirection TBoardLayout::MoveDirection(const TMoveCommand& move) const {
  const bool second = move.Index > Lines(move.Axis);
  if (move.Axis == TAxis::Column) return second ? TDirection::Down : TDirection::Up;
  return second ? TDirection::Right : TDirection::Left;
}

bool TBoardLayout::ValidMove(const TMoveCommand& move) const {
  return move.Index >= 1 && move.Index <= 2 * Lines(move.Axis);
}

TRect TBoardLayout::ArrowRect(const TMoveCommand& move) const {
  const int32_t lines = Lines(move.Axis);
  const int32_t across = Lines(move.Axis == TAxis::Column ? TAxis::Row : TAxis::Column);
  // Along the grid: centred on its line. Across: outside the grid, before or after it.
  const int32_t along =
      (move.Axis == TAxis::Column ? Left : Top) + 6 + CellPitch * ((move.Index - 1) % lines);
  const int32_t side = move.Index <= lines ? 16 * (5 - across) : 109 + 16 * across;
  const int32_t left = move.Axis == TAxis::Column ? along : side;
  const int32_t top = move.Axis == TAxis::Column ? side : along;
  return {left, top, left + ArrowSize, top + ArrowSize};
}

// The arrows of one set lie in one row (or column), one every 32 pixels from the set's first.
std::optional<TMoveCommand> TBoardLayout::HitArrow(int32_t x, int32_t y) const {
  for (const TAxis axis : {TAxis::Row, TAxis::Column}) {
    const int32_t lines = Lines(axis);
    for (const int32_t first : {lines + 1, 1}) {
      const TRect r = ArrowRect({axis, first});
      const bool acrossInside =
          axis == TAxis::Column ? r.Top <= y && y < r.Bottom : r.Left <= x && x < r.Right;
      if (!acrossInside) continue;
      const int32_t along = axis == TAxis::Column ? x - r.Left : y - r.Top;
      if (along >= 0 && along % CellPitch < ArrowSize && along / CellPitch < lines)
        return TMoveCommand{axis, first + along / CellPitch};
    }
  }
  return std::nullopt;
}

TRect TBoardLayout::LineStrip(TAxis axis, int32_t line) const {
  const TRect grid = Grid();
  if (axis == TAxis::Column) {
    const int32_t x = Left + CellPitch * (line - 1);
    return {x, grid.Top, x + CellPitch - 1, grid.Bottom};
  }
  const int32_t y = Top + CellPitch * (line - 1);
  return {grid.Left, y, grid.Right, y + CellPitch - 1};
}
