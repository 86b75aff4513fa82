// The real main window on a memory-device host, played by the actions of `zeltoria-lab shot`:
// the timer ticks only when told, so the same seed and actions always give the same picture.
// No toolkit: the browser's lab plays shots with it too.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/FormZelto.h"
#include "platform/MemoryHost.h"
#include "tools/zeltoria-lab/ShotActions.h"

// A game's state as `zeltoria-lab shot` prints it: the player's board, a blank line, the back
// board, then the state line.
std::string ShotText(const TBoardState& model);

// The lab's host: what the window shows, and the messages and announcements the lab prints.
class TLabHost : public platform::MemoryHost {
 public:
  using MemoryHost::MemoryHost;

  std::vector<std::string> Messages;
  std::vector<std::string> Announcements;

  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  void Announce(const std::string& text) override { Announcements.push_back(text); }
};

class TShotPlayer {
 public:
  // Creates the window with the data file from `dataDir` (ending with '/'), or from its folder
  // of `words`' language, the generator seeded with `seed` before the first puzzle is dealt,
  // and shows it. A click on the title opens no dialog.
  TShotPlayer(const std::string& dataDir, uint32_t seed, language::TLanguage words = {});
  ~TShotPlayer();

  // The window's start-up failed; Messages() says why.
  bool Failed() const { return Form->StartupFailed(); }
  const std::vector<std::string>& Messages() const { return Host_.Messages; }

  // Plays one action and lets the window paint what it invalidated. `About` is no action of
  // the window: it is ignored here.
  void Play(const TShotAction& action);

  // The client area as it is on the screen now.
  const platform::MemoryDevice& Screen() const { return Host_.Screen(); }
  std::string Text() const { return ShotText(Form->State()); }

  TRandom& Random() { return Random_; }
  TLabHost& Host() { return Host_; }
  // The window's accessible tree now.
  platform::AccessibleNode Accessible() { return Form->Accessible(); }

 private:
  void Ticks(int count);

  TRandom Random_;
  TLabHost Host_;
  std::unique_ptr<TFormZelto> Form;
};
