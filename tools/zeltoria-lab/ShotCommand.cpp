// zeltoria-lab shot OUT.png [ACTION ...]. The seed is set before the window deals its first
// puzzle and is never taken from the clock; `about` photographs the about dialog instead of
// the window, and asking for it changes nothing else.
#include "tools/zeltoria-lab/ShotCommand.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "tools/png/PngFile.h"
#include "tools/zeltoria-lab/LabCommand.h"
#include "tools/zeltoria-lab/ShotPlayer.h"

int RunShot(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const std::string& dataDir, const TAboutPhotographer& about) {
  std::string fault;
  const auto plan = ParseShot(args, fault);
  if (!plan) {
    err << "zeltoria-lab shot: " << fault << '\n';
    return UsageExit;
  }
  const bool wantsAbout =
      std::any_of(plan->Actions.begin(), plan->Actions.end(),
                  [](const TShotAction& a) { return a.What == TShotAction::About; });
  if (wantsAbout && !about) {
    err << "zeltoria-lab shot: the about dialog needs the desktop build\n";
    return 1;
  }

  TShotPlayer player(dataDir, plan->Seed, plan->Language);
  if (player.Failed()) {
    for (const std::string& message : player.Messages()) err << message << '\n';
    return 1;
  }
  // The dialog is made when its action comes, seeded with the generator's state then; it
  // draws from a generator of its own, so the game's deals stay as they were.
  std::optional<uint32_t> aboutSeed;
  try {
    for (const TShotAction& action : plan->Actions) {
      if (action.What == TShotAction::About && !aboutSeed) aboutSeed = player.Random().Seed;
      player.Play(action);
    }
  } catch (const std::length_error& error) {  // a window too large to hold
    err << "zeltoria-lab shot: " << error.what() << '\n';
    return 1;
  }

  try {
    if (aboutSeed) {
      TRandom dialogRandom(*aboutSeed);
      std::string error;
      if (!about(dialogRandom, plan->Language, plan->Output, error)) {
        err << "zeltoria-lab shot: " << error << '\n';
        return 1;
      }
    } else {
      png::SavePng(player.Screen(), plan->Output);
    }
  } catch (const png::PngError& error) {
    err << "zeltoria-lab shot: " << error.what() << '\n';
    return 1;
  }
  out << player.Text();
  return 0;
}
