#include <string_view>

#include "game/BoardModel.h"

void TBoardModel::StartMove(const TMoveCommand& move) {
  if (!Playing || ShuffleCount != 0) return;
  if (MoveIndex != 0 && move != Move()) return;
  // A command naming no line would shift outside the board.
  if (!Layout().ValidMove(move)) return;
  MoveAxis = move.Axis;
  MoveIndex = move.Index;
  MoveReleased = false;
  View.DrawArrow(move);
  DoMove();
}

void TBoardModel::DoMove() {
  const TBoardLayout layout = Layout();
  const int32_t line = layout.MoveLine(Move());
  switch (layout.MoveDirection(Move())) {
    case TDirection::Up:
      ShiftColumnUp(line);
      break;
    case TDirection::Down:
      ShiftColumnDown(line);
      break;
    case TDirection::Left:
      ShiftRowLeft(line);
      break;
    case TDirection::Right:
      ShiftRowRight(line);
      break;
  }
  MoveStep = 0;
  TimerMode = TTimerMode::Move;
  Window.SetTimerInterval(MoveInterval);
  Window.SetTimerEnabled(true);
}

void TBoardModel::FinishMove() {
  const int32_t index = MoveIndex;
  MoveIndex = 0;
  if (!Playing) return;
  View.DrawArrow({MoveAxis, index});
  View.ShowSurface(true);
  if (IsSolved()) {
    Playing = false;
    Solved = true;
    NeedsDeal = true;
    Window.EnableControls(true);
    RedrawBothBoards();
  }
  Window.BoardNews(TBoardNews::MoveDone, {MoveAxis, index});
}

void TBoardModel::TimerTick() {
  if (TimerMode == TTimerMode::Shuffle) {
    Window.SetTimerEnabled(ShuffleBatch());
  } else if (TimerMode == TTimerMode::Move) {
    ++MoveStep;
    if (MoveStep >= 5) {
      DoMove();
    } else if (MoveStep == 4) {
      if (MoveReleased) {
        FinishMove();
        Window.SetTimerEnabled(false);
      } else {
        View.ShowSurface(true);
      }
    } else {
      View.DrawMoveFrame();
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
    return TMoveCommand{TAxis::Column, static_cast<int32_t>(column) + 1};
  }
  const size_t row = rowKeys.substr(0, 2 * Rows).find(upper);
  if (row != std::string_view::npos) return TMoveCommand{TAxis::Row, static_cast<int32_t>(row) + 1};
  return std::nullopt;
}

void TBoardModel::KeyPress(char32_t key) {
  if (const auto move = KeyToMove(key)) StartMove(*move);
}

void TBoardModel::Release() {
  if (MoveIndex != 0) MoveReleased = true;
}
