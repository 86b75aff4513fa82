#include "game/BoardModel.h"

bool TBoardState::IsSolved() const {
  for (int32_t c = 1; c <= Cols; ++c) {
    for (int32_t r = 1; r <= Rows; ++r) {
      if (Board(c, r) != BackBoard(c, r)) return false;
    }
  }
  return true;
}

TBoardModel::TBoardModel(TBoardWindow& window, TBoardView& view, TRandom& random)
    : Window(window), View(view), Rand(random) {}

void TBoardModel::SetCols(uint8_t n) {
  if (n >= MinLines && n <= MaxLines) {
    S.Cols = n;
    S.BoardLeft = TBoardLayout::GridStart(n);
  }
  Window.EnableControls(true);
}

void TBoardModel::SetRows(uint8_t n) {
  if (n >= MinLines && n <= MaxLines) {
    S.Rows = n;
    S.BoardTop = TBoardLayout::GridStart(n);
  }
  Window.EnableControls(true);
}

void TBoardModel::ShiftColumnUp(int32_t col) {
  const uint8_t first = S.Board(col, 1);
  for (int32_t r = 2; r <= S.Rows; ++r) S.Board(col, r - 1) = S.Board(col, r);
  S.Board(col, S.Rows) = first;
  DrawColumn(col);
}

void TBoardModel::ShiftColumnDown(int32_t col) {
  const uint8_t last = S.Board(col, S.Rows);
  for (int32_t r = S.Rows - 1; r >= 1; --r) S.Board(col, r + 1) = S.Board(col, r);
  S.Board(col, 1) = last;
  DrawColumn(col);
}

void TBoardModel::ShiftRowLeft(int32_t row) {
  const uint8_t first = S.Board(1, row);
  for (int32_t c = 2; c <= S.Cols; ++c) S.Board(c - 1, row) = S.Board(c, row);
  S.Board(S.Cols, row) = first;
  DrawRow(row);
}

void TBoardModel::ShiftRowRight(int32_t row) {
  const uint8_t last = S.Board(S.Cols, row);
  for (int32_t c = S.Cols - 1; c >= 1; --c) S.Board(c + 1, row) = S.Board(c, row);
  S.Board(1, row) = last;
  DrawRow(row);
}

// The shuffle redraws the whole grid once per batch instead.
void TBoardModel::DrawColumn(int32_t col) {
  if (S.ShuffleCount == 0) View.DrawCells(S, col, 1, col, S.Rows);
}

void TBoardModel::DrawRow(int32_t row) {
  if (S.ShuffleCount == 0) View.DrawCells(S, 1, row, S.Cols, row);
}

void TBoardModel::RedrawBothBoards() {
  View.DrawBoard(S, true);
  View.DrawBoard(S, false);
  View.ShowSurface(true);
  View.ShowSurface(false);
}

void TBoardModel::Start() {
  if (S.NeedsDeal) Deal();
  S.Solved = false;
  S.Playing = true;
  S.MoveStep = 0;
  Window.EnableControls(false);
  RedrawBothBoards();
  StartShuffle();
}

void TBoardModel::Exit() {
  S.Playing = false;
  S.MoveIndex = 0;
  Window.SetTimerEnabled(false);
  Window.EnableControls(true);
  Deal();
  RedrawBothBoards();
  Window.BoardNews(TBoardNews::Dealt, {});
}

void TBoardModel::ColRowButtonClick(int32_t tag) {
  switch (tag) {
    case 1:
      SetCols(static_cast<uint8_t>(S.Cols - 1));
      break;
    case 2:
      SetRows(static_cast<uint8_t>(S.Rows - 1));
      break;
    case 3:
      SetCols(static_cast<uint8_t>(S.Cols + 1));
      break;
    case 4:
      SetRows(static_cast<uint8_t>(S.Rows + 1));
      break;
    default:
      break;
  }
  Deal();
  S.Solved = false;
  RedrawBothBoards();
  Window.BoardNews(TBoardNews::Resized, {});
}

void TBoardModel::SizeLabelDeal() {
  if (S.Playing) return;
  Deal();
  View.DrawBoard(S, true);
  View.ShowSurface(true);
  Window.BoardNews(TBoardNews::Dealt, {});
}
