// Where everything lies on a board picture for a board of Cols × Rows: the grid centred on the
// 208 × 208 picture, its cells 32 pixels apart, the arrows around it and the strip a moving
// line slides in. Every piece of board geometry comes from here. Also the move commands the
// arrows and keys stand for.
#pragma once

#include <cstdint>
#include <optional>

#include "foundation/Geometry.h"

// The lines of a board: columns or rows.
enum class TAxis : uint8_t { Row, Column };

// Which way a move shifts its line by one cell.
enum class TDirection : uint8_t { Up, Down, Left, Right };

// A move: shift one line by one cell. Column index 1..Cols shifts that column up, Cols + 1 ..
// 2 × Cols shifts column (index − Cols) down; row index 1..Rows shifts that row left, Rows + 1 ..
// 2 × Rows shifts row (index − Rows) right. Arrows and keys use the same numbering.
struct TMoveCommand {
  TAxis Axis = TAxis::Column;
  int32_t Index = 0;

  friend bool operator==(const TMoveCommand&, const TMoveCommand&) = default;
};

class TBoardLayout {
 public:
  static constexpr int32_t PictureSize = 208;  // both board pictures are square
  static constexpr int32_t CellPitch = 32;
  static constexpr int32_t ArrowSize = 20;

  // x of column 1 for `lines` columns (y of row 1 for rows): 57, 41, 25 for 3, 4, 5.
  static constexpr int32_t GridStart(int32_t lines) { return 105 - 16 * lines; }

  TBoardLayout(int32_t cols, int32_t rows)
      : Cols(cols), Rows(rows), Left(GridStart(cols)), Top(GridStart(rows)) {}

  const int32_t Cols;
  const int32_t Rows;
  const int32_t Left;  // of column 1
  const int32_t Top;   // of row 1

  int32_t Lines(TAxis axis) const { return axis == TAxis::Column ? Cols : Rows; }
  // The top-left pixel of cell (col, row), both counted from 1.
  TPoint CellOrigin(int32_t col, int32_t row) const {
    return {Left + CellPitch * (col - 1), Top + CellPitch * (row - 1)};
  }
  // The cells in play: Cols × Rows cells from (Left, Top).
  TRect Grid() const { return {Left, Top, Left + CellPitch * Cols, Top + CellPitch * Rows}; }

  // The line a move shifts and the way it goes.
  int32_t MoveLine(const TMoveCommand& move) const;
  TDirection MoveDirection(const TMoveCommand& move) const;
  // Whether the command names a line in play.
  bool ValidMove(const TMoveCommand& move) const;

  // The 20 × 20 arrow of a move: above or below its column, left or right of its row, 4
  // pixels from the grid's outer line.
  TRect ArrowRect(const TMoveCommand& move) const;
  // The move whose arrow lies under (x, y); none between and beside the arrows.
  std::optional<TMoveCommand> HitArrow(int32_t x, int32_t y) const;
  // The strip that line `line` slides in: its cells without their grid line, 31 pixels across.
  TRect LineStrip(TAxis axis, int32_t line) const;
};
