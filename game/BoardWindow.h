// What the board model asks of the main window: enabling its controls, drawing into the two
// board pictures, showing them, the move animation and the one timer.
#pragma once

#include <cstdint>

// A move's axis: the lines are columns or rows.
constexpr bool ColumnAxis = true;
constexpr bool RowAxis = false;

// Implemented by the main window. Every call comes from inside one of TBoardModel's operations,
// after the model's fields already hold the state to draw; the window reads them from the model.
// "Draw" calls only change a board picture; only ShowSurface and DrawMoveFrame reach the screen.
class TBoardWindow {
 public:
  virtual ~TBoardWindow() = default;

  // Enables Start when idle, Exit when playing, and each size button when idle and its size can
  // still go that way. Called by SetCols and SetRows (always with idle = true), by Start (false),
  // by Exit (true) and by FinishMove on a win (true).
  virtual void EnableControls(bool idle) = 0;

  // Redraws the cells firstCol..lastCol × firstRow..lastRow of the player's board (`Board`) into
  // its picture in the playing style, with grid lines; not shown. Called after each single
  // shift outside the shuffle with that one column or row, and once per shuffle batch with the
  // whole grid (1, 1, Cols, Rows) right before ShowSurface(player).
  virtual void DrawCells(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) = 0;

  // Redraws one arrow of the player's board: pressed when (axis, index) equals the model's
  // (MoveAxis, MoveIndex), normal otherwise. Called by StartMove (pressed, before the shift)
  // and by FinishMove (normal, MoveIndex already 0).
  virtual void DrawArrow(bool axis, int32_t index) = 0;

  // Redraws a whole board picture, not shown: the player's board (`player`) or the back board,
  // in the style that Playing, Solved and the board call for. Every transition that redraws
  // both boards calls DrawBoard(true), DrawBoard(false), ShowSurface(true), ShowSurface(false).
  virtual void DrawBoard(bool player) = 0;

  // Puts the player's board picture (`player`) or the back board picture on screen at once.
  // Besides the both-boards sequence: ShowSurface(true) after each shuffle batch's DrawCells,
  // at the fourth tick of a held move, after FinishMove's DrawArrow, and after the size
  // label's DrawBoard(true).
  virtual void ShowSurface(bool player) = 0;

  // Draws and shows animation frame MoveStep (1, 2 or 3) of the move (MoveAxis, MoveIndex).
  virtual void DrawMoveFrame() = 0;

  // The timer that drives TBoardModel::TimerTick. Setting the interval restarts a running
  // timer's countdown; enabling a running timer, or disabling a stopped one, changes nothing.
  // Every start sets the interval first: 55 ms for the shuffle, 100 ms for a move.
  virtual void SetTimerInterval(int32_t milliseconds) = 0;
  virtual void SetTimerEnabled(bool enabled) = 0;
};
