// The game's whole entry on Qt: the application object, the start-up checks on the Qt services,
// the windows and the loop. The program's main is this; the start-up benchmark runs it too.
#pragma once

#include <functional>

class TQtApplicationHost;

// Runs the game as `zeltoria` does and returns its exit status. With `loop`, that runs the
// event loop in place of QApplication::exec, once the main window is shown.
int RunQtEntry(char* programName, std::function<int(TQtApplicationHost&)> loop = {});
