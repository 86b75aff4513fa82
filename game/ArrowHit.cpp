#include "game/ArrowHit.h"

// The arrows of one set lie in one row (or column), one every 32 pixels from the set's first.
std::optional<TMoveCommand> HitArrow(const TBoardRenderer& renderer, const TBoardModel& model,
                                     int32_t x, int32_t y) {
  for (const bool axis : {RowAxis, ColumnAxis}) {
    const int32_t lines = axis == ColumnAxis ? model.Cols : model.Rows;
    for (const int32_t first : {lines + 1, 1}) {
      const TRect r = renderer.ArrowRect(axis, first);
      const bool acrossInside =
          axis == ColumnAxis ? r.Top <= y && y < r.Bottom : r.Left <= x && x < r.Right;
      if (!acrossInside) continue;
      const int32_t along = axis == ColumnAxis ? x - r.Left : y - r.Top;
      if (along >= 0 && along % CellPitch < ArrowSize && along / CellPitch < lines)
        return TMoveCommand{axis, first + along / CellPitch};
    }
  }
  return std::nullopt;
}
