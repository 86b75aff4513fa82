// zeltoria-lab deal SEED COLS ROWS: the puzzle the game deals from that seed at that size.
#include "tools/zeltoria-lab/HeadlessBoard.h"
#include "tools/zeltoria-lab/LabCommand.h"

namespace {

int RunDeal(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
  const auto deal = ParseDealArguments(args);
  if (!deal) return UsageExit;
  THeadlessBoard board;
  DealFrom(board, *deal);
  PrintBoard(board.Model.State(), out);
  return 0;
}

}  // namespace

const TLabCommand DealCommand{"deal", "SEED COLS ROWS", RunDeal};
