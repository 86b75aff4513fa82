#include <bitset>

#include "game/BoardModel.h"
#include "game/Random.h"

void TBoardModel::StartShuffle() {
  ShuffleCount = ShuffleBatches;
  TimerMode = TimerShuffle;
  Window.SetTimerInterval(ShuffleInterval);
  Window.SetTimerEnabled(true);
}

bool TBoardModel::ShuffleBatch() {
  bool axis = Random(100) < 50 ? ColumnAxis : RowAxis;
  std::bitset<MaxLines + 1> used;
  int32_t moved = 0;
  for (int move = 0; move < 30; ++move) {
    const int32_t lines = axis == ColumnAxis ? Cols : Rows;
    const int32_t length = axis == ColumnAxis ? Rows : Cols;

    // At most lines − 1 lines are ever used before the set is emptied, so this ends.
    int32_t line = 0;
    do {
      line = static_cast<int32_t>(Random(lines * 1000) % lines) + 1;
    } while (used[line]);
    used[line] = true;
    ++moved;

    // Move the line by d cells the shorter way round.
    const int32_t d = static_cast<int32_t>(Random((length - 1) * 1000) % (length - 1)) + 1;
    if (2 * d > length) {
      for (int32_t i = 0; i < length - d; ++i) {
        axis == ColumnAxis ? ShiftColumnDown(line) : ShiftRowRight(line);
      }
    } else {
      for (int32_t i = 0; i < d; ++i) axis == ColumnAxis ? ShiftColumnUp(line) : ShiftRowLeft(line);
    }

    if (moved >= lines - 1 || static_cast<int32_t>(Random(10)) < lines) {
      axis = !axis;
      used.reset();
      moved = 0;
    }
  }

  Window.DrawCells(1, 1, Cols, Rows);
  Window.ShowSurface(true);

  --ShuffleCount;
  const bool solved = IsSolved();
  // A game must never start solved: run the whole shuffle again.
  if (solved) ShuffleCount = ShuffleBatches;
  return ShuffleCount > 0 || solved;
}
