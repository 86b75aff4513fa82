// What the board model asks of the world around it: the board view draws and shows the two
// board pictures; the board window enables the main window's buttons and runs its one timer.
#pragma once

#include <cstdint>

#include "game/BoardLayout.h"

struct TBoardState;

// Implemented by the board rendering. Every call comes from inside one of TBoardModel's
// operations with the state to draw, which already holds the operation's outcome. "Draw" calls only
// change a board picture; only ShowSurface and DrawMoveFrame reach the screen.
class TBoardView {
 public:
  virtual ~TBoardView() = default;

  // Redraws the cells firstCol..lastCol × firstRow..lastRow of the player's board (`Board`) into
  // its picture in the playing style, with grid lines; not shown. Called after each single
  // shift outside the shuffle with that one column or row, and once per shuffle batch with the
  // whole grid (1, 1, Cols, Rows) right before ShowSurface(player).
  virtual void DrawCells(const TBoardState& state, int32_t firstCol, int32_t firstRow,
                         int32_t lastCol, int32_t lastRow) = 0;

  // Redraws the arrow of `move` on the player's board: pressed when it is the model's move in
  // progress (as the move starts, before its shift), normal otherwise (as it finishes, with
  // MoveIndex already 0).
  virtual void DrawArrow(const TBoardState& state, const TMoveCommand& move) = 0;

  // Redraws a whole board picture, not shown: the player's board (`player`) or the back board,
  // in the style that Playing, Solved and the board call for. Every transition that redraws
  // both boards calls DrawBoard(true), DrawBoard(false), ShowSurface(true), ShowSurface(false).
  virtual void DrawBoard(const TBoardState& state, bool player) = 0;

  // Puts the player's board picture (`player`) or the back board picture on screen at once.
  // Besides the both-boards sequence: ShowSurface(true) after each shuffle batch's DrawCells,
  // at the fourth tick of a held move, after FinishMove's DrawArrow, and after the size
  // label's DrawBoard(true).
  virtual void ShowSurface(bool player) = 0;

  // Draws and shows animation frame MoveStep (1, 2 or 3) of the move in progress.
  virtual void DrawMoveFrame(const TBoardState& state) = 0;
};

// What the game tells the player in words: the shuffle ended, a move finished (the move), a new
// puzzle was dealt, the board changed size.
enum class TBoardNews : uint8_t { Scrambled, MoveDone, Dealt, Resized };

// Implemented by the main window.
class TBoardWindow {
 public:
  virtual ~TBoardWindow() = default;

  // Enables Start when idle, Exit when playing, and each size button when idle and its size can
  // still go that way. A size change and Exit leave the game idle, Start leaves it playing, and
  // a winning move idle again.
  virtual void EnableControls(bool idle) = 0;

  // The timer that drives TBoardModel::TimerTick. Setting the interval it already has, or
  // enabling a running timer, changes nothing; a new interval restarts a running timer's
  // count. Every start sets the interval first: 55 ms for the shuffle, 100 ms for a move.
  virtual void SetTimerInterval(int32_t milliseconds) = 0;
  virtual void SetTimerEnabled(bool enabled) = 0;

  // News of the game, after the model's fields hold its outcome; `move` only for MoveDone.
  virtual void BoardNews(TBoardNews, const TMoveCommand& /*move*/) {}
};
