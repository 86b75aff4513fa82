#include "game/BoardModel.h"

TBoardModel::TBoardModel(TBoardWindow& window, TBoardView& view, TRandom& random)
    : Window(window), View(view), Rand(random) {}

void TBoardModel::SetCols(uint8_t n) {
  if (n >= MinLines && n <= MaxLines) {
    Cols = n;
    BoardLeft = TBoardLayout::GridStart(n);
  }
  Window.EnableControls(true);
}

void TBoardModel::SetRows(uint8_t n) {
  if (n >= MinLines && n <= MaxLines) {
    Rows = n;
    BoardTop = TBoardLayout::GridStart(n);
  }
  Window.EnableControls(true);
}

void TBoardModel::ShiftColumnUp(int32_t col) {
  const uint8_t first = Board(col, 1);
  for (int32_t r = 2; r <= Rows; ++r) Board(col, r - 1) = Board(col, r);
  Board(col, Rows) = first;
  DrawColumn(col);
}

void TBoardModel::ShiftColumnDown(int32_t col) {
  const uint8_t last = Board(col, Rows);
  for (int32_t r = Rows - 1; r >= 1; --r) Board(col, r + 1) = Board(col, r);
  Board(col, 1) = last;
  DrawColumn(col);
}

void TBoardModel::ShiftRowLeft(int32_t row) {
  const uint8_t first = Board(1, row);
  for (int32_t c = 2; c <= Cols; ++c) Board(c - 1, row) = Board(c, row);
  Board(Cols, row) = first;
  DrawRow(row);
}

void TBoardModel::ShiftRowRight(int32_t row) {
  const uint8_t last = Board(Cols, row);
  for (int32_t c = Cols - 1; c >= 1; --c) Board(c + 1, row) = Board(c, row);
  Board(1, row) = last;
  DrawRow(row);
}

// The shuffle redraws the whole grid once per batch instead.
void TBoardModel::DrawColumn(int32_t col) {
  if (ShuffleCount == 0) View.DrawCells(col, 1, col, Rows);
}

void TBoardModel::DrawRow(int32_t row) {
  if (ShuffleCount == 0) View.DrawCells(1, row, Cols, row);
}

bool TBoardModel::IsSolved() const {
  for (int32_t c = 1; c <= Cols; ++c) {
    for (int32_t r = 1; r <= Rows; ++r) {
      if (Board(c, r) != BackBoard(c, r)) return false;
    }
  }
  return true;
}

void TBoardModel::RedrawBothBoards() {
  View.DrawBoard(true);
  View.DrawBoard(false);
  View.ShowSurface(true);
  View.ShowSurface(false);
}

void TBoardModel::Start() {
  if (NeedsDeal) Deal();
  Solved = false;
  Playing = true;
  MoveStep = 0;
  Window.EnableControls(false);
  RedrawBothBoards();
  StartShuffle();
}

void TBoardModel::Exit() {
  Playing = false;
  MoveIndex = 0;
  Window.SetTimerEnabled(false);
  Window.EnableControls(true);
  Deal();
  RedrawBothBoards();
  Window.BoardNews(TBoardNews::Dealt, {});
}

void TBoardModel::ColRowButtonClick(int32_t tag) {
  switch (tag) {
    case 1:
      SetCols(static_cast<uint8_t>(Cols - 1));
      break;
    case 2:
      SetRows(static_cast<uint8_t>(Rows - 1));
      break;
    case 3:
      SetCols(static_cast<uint8_t>(Cols + 1));
      break;
    case 4:
      SetRows(static_cast<uint8_t>(Rows + 1));
      break;
    default:
      break;
  }
  Deal();
  Solved = false;
  RedrawBothBoards();
  Window.BoardNews(TBoardNews::Resized, {});
}

void TBoardModel::SizeLabelDeal() {
  if (Playing) return;
  Deal();
  View.DrawBoard(true);
  View.ShowSurface(true);
  Window.BoardNews(TBoardNews::Dealt, {});
}
