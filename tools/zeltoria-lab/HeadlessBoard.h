// The board model without a window, for the lab's commands: the puzzle's arguments, a window
// that only keeps the timer's state, and the board as text.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "game/BoardModel.h"

// Draws nothing; the timer is just a flag that the caller ticks by hand.
class THeadlessWindow : public TBoardWindow, public TBoardView {
 public:
  bool TimerOn = false;

  void EnableControls(bool) override {}
  void DrawCells(const TBoardState&, int32_t, int32_t, int32_t, int32_t) override {}
  void DrawArrow(const TBoardState&, const TMoveCommand&) override {}
  void DrawBoard(const TBoardState&, bool) override {}
  void ShowSurface(bool) override {}
  void DrawMoveFrame(const TBoardState&) override {}
  void SetTimerInterval(int32_t) override {}
  void SetTimerEnabled(bool enabled) override { TimerOn = enabled; }
};

// A board model with its own generator and no window.
struct THeadlessBoard {
  THeadlessWindow Window;
  TRandom Random;
  TBoardModel Model{Window, Window, Random};
};

struct TDealArguments {
  uint32_t Seed = 0;
  uint8_t Cols = 3;
  uint8_t Rows = 3;
};

// SEED COLS ROWS: a decimal 32-bit seed and two sizes from 3 to 5; none when they do not fit.
std::optional<TDealArguments> ParseDealArguments(const std::vector<std::string>& args);

// Seeds the generator, sets the size and deals, as the game would.
void DealFrom(THeadlessBoard& board, const TDealArguments& deal);

// The cells of a board in play, top row first, each cell as two lower-case hex digits, one
// space apart, each row ending in a new line.
std::string CellsText(const TCells& cells, const TBoardState& state);
// The player's board as CellsText gives it.
void PrintBoard(const TBoardState& state, std::ostream& out);
