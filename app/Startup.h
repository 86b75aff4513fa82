// The game's entry sequence before and up to its windows: initialisation, colour depth,
// single instance, data file, then the hand-over to the windows and the message loop.
#pragma once

#include <string>

#include "app/StartupServices.h"

// The application object that the real entry provides: it makes the windows and runs the
// loop. Called only by RunStartup, in the order of the declarations below, once every check
// has passed.
class TApplicationHost {
 public:
  virtual ~TApplicationHost() = default;
  // Handles the window-system events already pending.
  virtual void ProcessMessages() = 0;
  // Sets the title the window system shows for the application ("Zeltoria").
  virtual void SetTitle(const std::string& title) = 0;
  // Creates the main window, which opens DataDir + "zelto.vx8" and deals the first puzzle. A
  // failure there has shown its own message; the host then sets StartupFailed.
  virtual void CreateMainWindow() = 0;
  // Creates the about dialog; called whether or not the main window failed.
  virtual void CreateAboutDialog() = 0;
  // Runs the message loop until the main window closes and returns its exit status. Not
  // called when StartupFailed is set.
  virtual int Run() = 0;
};

// Exit statuses of a start that ends without running the loop.
constexpr int ExitSuccess = 0;  // a second start handed over, or the user declined
constexpr int ExitFailure = 1;  // a start-up step failed and said so

// Seeds the random generator from the clock and finds the folders. A failure shows its message
// in a plain box and sets StartupFailed.
void Initialise(TStartupServices& services);

// The whole start: Initialise, then the checks in order, each ending the start when it fails,
// then the host's windows and loop. Returns the process's exit status.
int RunStartup(TStartupServices& services, TApplicationHost& host);
