// The command line of `zeltoria-lab shot`: the output file and the actions to play on the
// main window before the picture is taken.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "language/Language.h"
#include "platform/Window.h"

struct TShotAction {
  enum Kind { Click, Press, Move, Release, Key, KeyUp, Tick, Run, Resize, About, Focus, Act };
  Kind What = Click;
  int X = 0;  // client co-ordinates, or the new client size for Resize
  int Y = 0;
  int Count = 1;                                           // ticks of Tick
  char Character = 0;                                      // the key of Key
  platform::FocusKey FocusKey = platform::FocusKey::Next;  // of Focus: tab, backtab, enter
  std::string Part;  // the part that Act presses as assistive technology does
};

struct TShotPlan {
  std::string Output;
  uint32_t Seed = 1;
  language::TLanguage Language;  // the window's texts, and the pictures of its data file
  std::vector<TShotAction> Actions;
};

// Ticks `run` delivers at most.
constexpr int MaxRunTicks = 10000;

// OUT.png [seed=N] [lang=LL] [click=X,Y | press=X,Y | move=X,Y | release=X,Y | key=C | keyup |
// tick | tick=N | run | resize=W,H | about | tab | backtab | enter | act=PART]...; seed only
// first, the language (a shipped catalogue's code, or "en") before every action. None, with
// `error` saying why, for anything else.
std::optional<TShotPlan> ParseShot(const std::vector<std::string>& args, std::string& error);
