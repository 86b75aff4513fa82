// The puzzle and its rules: the two boards, dealing, row and column shifts, the shuffle, the
// move cycle driven by the timer, and the game's transitions. Drawing goes through TBoardView,
// the buttons and the timer through TBoardWindow.
#pragma once

#include <cstdint>
#include <optional>

#include "game/BoardCells.h"
#include "game/BoardLayout.h"
#include "game/BoardWindow.h"
#include "game/Random.h"

// What the timer drives: the move animation or the shuffle batches.
enum class TTimerMode : uint8_t { Move = 0, Shuffle = 1 };

constexpr int32_t ShuffleInterval = 55;  // ms per shuffle batch
constexpr int32_t MoveInterval = 100;    // ms per animation step
constexpr int32_t ShuffleBatches = 10;

// The game's state, in the order the game keeps it. Only TBoardModel changes it; everything
// else reads it.
struct TBoardState {
  uint8_t Cols = 3;                                // columns in play, 3 to 5
  uint8_t Rows = 3;                                // rows in play, 3 to 5
  TCells Board;                                    // the player's board
  TCells BackBoard;                                // the pattern to reach
  int32_t BoardLeft = TBoardLayout::GridStart(3);  // x of column 1 on a board picture
  int32_t BoardTop = TBoardLayout::GridStart(3);   // y of row 1 on a board picture
  int32_t ShuffleCount = 0;                        // shuffle batches still to run
  TAxis MoveAxis = TAxis::Column;  // axis of the move in progress, or of the last one
  int32_t MoveIndex = 0;           // the move in progress, 0 when none
  int32_t MoveStep = 0;            // animation step of the move in progress
  bool MoveReleased = false;       // the key or button that started the move has been let go
  bool Playing = false;            // a game is running
  bool NeedsDeal = false;          // the puzzle was solved; Start deals a new one
  bool Solved = false;             // the last game was won
  TTimerMode TimerMode = TTimerMode::Move;

  // The geometry of the board at its present size.
  TBoardLayout Layout() const { return {Cols, Rows}; }
  // The move in progress (MoveAxis, MoveIndex); index 0 when none.
  TMoveCommand Move() const { return {MoveAxis, MoveIndex}; }
  // Board equals BackBoard on every cell in play.
  bool IsSolved() const;
};

// Driven by the operations below: a size and Exit once when the window is made, then typed
// keys, releases, presses on arrows, the timer and the buttons; every change of state goes
// through them.
class TBoardModel {
 public:
  // All three outlive the model. It starts at 3 × 3, idle, undealt, and draws its deals and
  // shuffles from `random`.
  TBoardModel(TBoardWindow& window, TBoardView& view, TRandom& random);

  // The state, read-only: only the operations below change it.
  const TBoardState& State() const { return S; }

  // Sizes: a value outside 3..5 keeps the old size. Both end in EnableControls(idle).
  void SetCols(uint8_t n);
  void SetRows(uint8_t n);

  // A new connected road pattern into Board, copied whole to BackBoard; NeedsDeal := false.
  // Draws nothing.
  void Deal();

  // One-cell rotations of a line in play. Outside the shuffle each redraws its line (DrawCells)
  // without showing it; while shuffling they only change Board.
  void ShiftColumnUp(int32_t col);
  void ShiftColumnDown(int32_t col);
  void ShiftRowLeft(int32_t row);
  void ShiftRowRight(int32_t row);

  // ShuffleCount := 10, TimerMode := shuffle, SetTimerInterval(55), SetTimerEnabled(true).
  void StartShuffle();
  // One batch of 30 line moves, then DrawCells(whole grid), ShowSurface(player). Returns
  // whether the timer keeps running: batches remain, or the batch happened to solve the board
  // (then ShuffleCount is back at 10).
  bool ShuffleBatch();

  // A move from a key or an arrow. Taken only while Playing, not shuffling, and either no move
  // runs or it repeats the running one; then DrawArrow(pressed) and DoMove. Others are ignored.
  void StartMove(const TMoveCommand& move);
  // Applies (MoveAxis, MoveIndex) once (the shift redraws its line), MoveStep := 0,
  // TimerMode := move, SetTimerInterval(100), SetTimerEnabled(true).
  void DoMove();
  // Ends the move: DrawArrow(normal), ShowSurface(player); on a win the game goes idle:
  // EnableControls(idle) and both boards redrawn and shown.
  void FinishMove();

  // One timer tick. Shuffle: SetTimerEnabled(ShuffleBatch()). Move: steps 1..3 DrawMoveFrame;
  // step 4 ShowSurface(player), or after a release FinishMove and SetTimerEnabled(false);
  // step 5 DoMove again (a held key repeats every fifth tick).
  void TimerTick();

  // The move a typed character stands for: the first 2 × Cols of "ABCDEFGHIJK" name columns,
  // else the first 2 × Rows of "1234567890" name rows; either case. None for any other key.
  std::optional<TMoveCommand> KeyToMove(char32_t key) const;
  // A typed character: its move, if any, through StartMove.
  void KeyPress(char32_t key);
  // Any key let go, or the mouse button after a press on the player's board.
  void Release();

  // Start button (idle only): deals first if the last puzzle was solved, then playing:
  // EnableControls(playing), both boards redrawn and shown, StartShuffle.
  void Start();
  // Exit button, also run once at start-up: drops any game without a message, stops the
  // timer, EnableControls(idle), deals, both boards redrawn and shown.
  void Exit();
  // A size button (idle only), by its tag: 1 Cols − 1, 2 Rows − 1, 3 Cols + 1, 4 Rows + 1,
  // another tag no size change. Then deals, Solved := false, both boards redrawn and shown.
  void ColRowButtonClick(int32_t tag);
  // A click on the size label: between games deals and shows a new puzzle on the player's
  // board only (DrawBoard(player), ShowSurface(player)); ignored while Playing.
  void SizeLabelDeal();

 private:
  void MatchRoads(int32_t colA, int32_t rowA, uint8_t roadA, int32_t colB, int32_t rowB,
                  uint8_t roadB);
  void DrawColumn(int32_t col);
  void DrawRow(int32_t row);
  void RedrawBothBoards();

  // Tests set up states that play reaches only slowly, such as one move from a win.
  friend class TGameProbe;

  TBoardState S;
  TBoardWindow& Window;
  TBoardView& View;
  TRandom& Rand;
};
