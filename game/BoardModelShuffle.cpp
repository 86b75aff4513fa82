#include <bitset>

#include "game/BoardModel.h"

void TBoardModel::StartShuffle() {
  S.ShuffleCount = ShuffleBatches;
  S.TimerMode = TTimerMode::Shuffle;
  Window.SetTimerInterval(ShuffleInterval);
  Window.SetTimerEnabled(true);
}

bool TBoardModel::ShuffleBatch() {
  TAxis axis = Rand.Random(100) < 50 ? TAxis::Column : TAxis::Row;
  std::bitset<MaxLines + 1> used;
  int32_t moved = 0;
  for (int move = 0; move < 30; ++move) {
    const int32_t lines = axis == TAxis::Column ? S.Cols : S.Rows;
    const int32_t length = axis == TAxis::Column ? S.Rows : S.Cols;

    // At most lines − 1 lines are ever used before the set is emptied, so this ends.
    int32_t line = 0;
    do {
      line = static_cast<int32_t>(Rand.Random(lines * 1000) % lines) + 1;
    } while (used[line]);
    used[line] = true;
    ++moved;

    // Move the line by d cells the shorter way round.
    const int32_t d = static_cast<int32_t>(Rand.Random((length - 1) * 1000) % (length - 1)) + 1;
    if (2 * d > length) {
      for (int32_t i = 0; i < length - d; ++i) {
        axis == TAxis::Column ? ShiftColumnDown(line) : ShiftRowRight(line);
      }
    } else {
      for (int32_t i = 0; i < d; ++i)
        axis == TAxis::Column ? ShiftColumnUp(line) : ShiftRowLeft(line);
    }

    if (moved >= lines - 1 || static_cast<int32_t>(Rand.Random(10)) < lines) {
      axis = axis == TAxis::Column ? TAxis::Row : TAxis::Column;
      used.reset();
      moved = 0;
    }
  }

  View.DrawCells(S, 1, 1, S.Cols, S.Rows);
  View.ShowSurface(true);

  --S.ShuffleCount;
  const bool solved = S.IsSolved();
  // A game must never start solved: run the whole shuffle again.
  if (solved) S.ShuffleCount = ShuffleBatches;
  if (S.ShuffleCount == 0) Window.BoardNews(TBoardNews::Scrambled, {});
  return S.ShuffleCount > 0 || solved;
}
