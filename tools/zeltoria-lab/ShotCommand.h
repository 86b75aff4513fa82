// zeltoria-lab shot: the real main window on Qt's offscreen platform, driven by real input
// events and the timer's ticks, photographed.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The shot with the data file taken from `dataDir` (ending with '/'): the main window's
// client area, or the about dialog, written as PNG; then the player's board, a blank line, the
// back board and the state line. Returns the exit status.
int RunShot(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const std::string& dataDir);
