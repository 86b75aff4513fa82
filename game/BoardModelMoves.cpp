#include <string_view>

#include "game/BoardModel.h"

void TBoardModel::StartMove(const TMoveCommand& move) {
  if (!S.Playing || S.ShuffleCount != 0) return;
  if (S.MoveIndex != 0 && move != S.Move()) return;
  // A command naming no line would shift outside the board.
  if (!S.Layout().ValidMove(move)) return;
  S.MoveAxis = move.Axis;
  S.MoveIndex = move.Index;
  S.MoveReleased = false;
  View.DrawArrow(S, move);
  DoMove();
}

void TBoardModel::DoMove() {
  const TBoardLayout layout = S.Layout();
  const int32_t line = layout.MoveLine(S.Move());
  switch (layout.MoveDirection(S.Move())) {
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
  S.MoveStep = 0;
  S.TimerMode = TTimerMode::Move;
  Window.SetTimerInterval(MoveInterval);
  Window.SetTimerEnabled(true);
}

void TBoardModel::FinishMove() {
  const int32_t index = S.MoveIndex;
  S.MoveIndex = 0;
  if (!S.Playing) return;
  View.DrawArrow(S, {S.MoveAxis, index});
  View.ShowSurface(true);
  if (S.IsSolved()) {
    S.Playing = false;
    S.Solved = true;
    S.NeedsDeal = true;
    Window.EnableControls(true);
    RedrawBothBoards();
  }
  Window.BoardNews(TBoardNews::MoveDone, {S.MoveAxis, index});
}

void TBoardModel::TimerTick() {
  if (S.TimerMode == TTimerMode::Shuffle) {
    Window.SetTimerEnabled(ShuffleBatch());
  } else if (S.TimerMode == TTimerMode::Move) {
    ++S.MoveStep;
    if (S.MoveStep >= 5) {
      DoMove();
    } else if (S.MoveStep == 4) {
      if (S.MoveReleased) {
        FinishMove();
        Window.SetTimerEnabled(false);
      } else {
        View.ShowSurface(true);
      }
    } else {
      View.DrawMoveFrame(S);
    }
  }
}

std::optional<TMoveCommand> TBoardModel::KeyToMove(char32_t key) const {
  constexpr std::string_view columnKeys = "ABCDEFGHIJK";
  constexpr std::string_view rowKeys = "1234567890";
  if (key >= U'a' && key <= U'z') key = key - U'a' + U'A';
  if (key > 0x7F) return std::nullopt;
  const char upper = static_cast<char>(key);
  const size_t column = columnKeys.substr(0, 2 * S.Cols).find(upper);
  if (column != std::string_view::npos) {
    return TMoveCommand{TAxis::Column, static_cast<int32_t>(column) + 1};
  }
  const size_t row = rowKeys.substr(0, 2 * S.Rows).find(upper);
  if (row != std::string_view::npos) return TMoveCommand{TAxis::Row, static_cast<int32_t>(row) + 1};
  return std::nullopt;
}

void TBoardModel::KeyPress(char32_t key) {
  if (const auto move = KeyToMove(key)) StartMove(*move);
}

void TBoardModel::Release() {
  if (S.MoveIndex != 0) S.MoveReleased = true;
}
