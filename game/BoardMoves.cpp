#include <string_view>

#include "game/BoardModel.h"

bool TBoardModel::ValidMove(bool axis, int32_t index) const {
  const int32_t lines = axis == ColumnAxis ? Cols : Rows;
  return index >= 1 && index <= 2 * lines;
}

void TBoardModel::StartMove(bool axis, int32_t index) {
  if (!Playing || ShuffleCount != 0) return;
  if (MoveIndex != 0 && (axis != MoveAxis || index != MoveIndex)) return;
  // A command naming no line would shift outside the board.
  if (!ValidMove(axis, index)) return;
  MoveAxis = axis;
  MoveIndex = index;
  MoveReleased = false;
  Window.DrawArrow(axis, index);
  DoMove();
}

void TBoardModel::DoMove() {
  if (MoveAxis == ColumnAxis) {
    if (MoveIndex > Cols) {
      ShiftColumnDown(MoveIndex - Cols);
    } else {
      ShiftColumnUp(MoveIndex);
    }
  } else {
    if (MoveIndex > Rows) {
      ShiftRowRight(MoveIndex - Rows);
    } else {
      ShiftRowLeft(MoveIndex);
    }
  }
  MoveStep = 0;
  TimerMode = TimerMove;
  Window.SetTimerInterval(MoveInterval);
  Window.SetTimerEnabled(true);
}

void TBoardModel::FinishMove() {
  const int32_t index = MoveIndex;
  MoveIndex = 0;
  if (!Playing) return;
  Window.DrawArrow(MoveAxis, index);
  Window.ShowSurface(true);
  if (IsSolved()) {
    Playing = false;
    Solved = true;
    NeedsDeal = true;
    Window.EnableControls(true);
    RedrawBothBoards();
  }
}

void TBoardModel::TimerTick() {
  if (TimerMode == TimerShuffle) {
    Window.SetTimerEnabled(ShuffleBatch());
  } else if (TimerMode == TimerMove) {
    ++MoveStep;
    if (MoveStep >= 5) {
      DoMove();
    } else if (MoveStep == 4) {
      if (MoveReleased) {
        FinishMove();
        Window.SetTimerEnabled(false);
      } else {
        Window.ShowSurface(true);
      }
    } else {
      Window.DrawMoveFrame();
    }
  }
}

std::optional<TMoveCommand> TBoardModel::KeyToMove(char32_t key) const {
  constexpr std::string_view columnKeys = "ABCDEFGHIJK";
  constexpr std::string_view rowKeys = "1234567890";
  if (key >= U'a' && key <= U'z') key = key - U'a' + U'A';
  if (key > 0x7F) return std::nullopt;
  const char upper = static_cast<char>(key);
  const size_t column = columnKeys.substr(0, 2 * Cols).find(upper);
  if (column != std::string_view::npos) {
    return TMoveCommand{ColumnAxis, static_cast<int32_t>(column) + 1};
  }
  const size_t row = rowKeys.substr(0, 2 * Rows).find(upper);
  if (row != std::string_view::npos) return TMoveCommand{RowAxis, static_cast<int32_t>(row) + 1};
  return std::nullopt;
}

void TBoardModel::KeyPress(char32_t key) {
  if (const auto move = KeyToMove(key)) StartMove(move->Axis, move->Index);
}

void TBoardModel::Release() {
  if (MoveIndex != 0) MoveReleased = true;
}
