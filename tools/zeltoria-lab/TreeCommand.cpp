// zeltoria-lab tree [seed=N] [ACTION ...]: the actions of `shot` played with assistive
// technology listening, then the window's accessible tree and what the window announced.
#include <ostream>

#include "tools/zeltoria-lab/LabCommand.h"
#include "tools/zeltoria-lab/ShotPlayer.h"
#include "tools/zeltoria-lab/TreeText.h"

namespace {

int RunTree(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> shot{"-"};
  shot.insert(shot.end(), args.begin(), args.end());
  std::string fault;
  const auto plan = ParseShot(shot, fault);
  if (!plan) {
    err << "zeltoria-lab tree: " << fault << '\n';
    return UsageExit;
  }
  TShotPlayer player(ProgramFolder(), plan->Seed, plan->Language);
  if (player.Failed()) {
    for (const std::string& message : player.Messages()) err << message << '\n';
    return 1;
  }
  player.Host().SetAccessibilityActive(true);
  player.Host().Announcements.clear();  // the deal made with the window, before it showed
  for (const TShotAction& action : plan->Actions) player.Play(action);
  out << AccessibleText(player.Accessible());
  for (const std::string& said : player.Host().Announcements) out << "said: " << said << '\n';
  return 0;
}

}  // namespace

const TLabCommand TreeCommand{"tree", "[seed=N] [lang=LL] [ACTION of shot]...", RunTree};
