// zeltoria-lab start SEED COLS ROWS: the deal, then Start and every shuffle batch the timer
// runs, each board followed by a blank line, and last the number of batches.
#include <ostream>

#include "tools/zeltoria-lab/HeadlessBoard.h"
#include "tools/zeltoria-lab/LabCommand.h"

namespace {

int RunStart(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
  const auto deal = ParseDealArguments(args);
  if (!deal) return UsageExit;
  THeadlessBoard board;
  TBoardModel& model = board.Model;
  DealFrom(board, *deal);
  PrintBoard(model.State(), out);
  out << '\n';

  model.Start();
  int batches = 0;
  while (board.Window.TimerOn) {
    model.TimerTick();
    ++batches;
    PrintBoard(model.State(), out);
    out << '\n';
  }
  out << "batches " << batches << '\n';
  return 0;
}

}  // namespace

const TLabCommand StartCommand{"start", "SEED COLS ROWS", RunStart};
