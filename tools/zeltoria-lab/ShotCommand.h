// zeltoria-lab shot: the real main window on a memory device, played by the actions and
// photographed.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "game/Random.h"
#include "language/Language.h"

// Photographs the about dialog in `words` made with `random` as the game's generator (it seeds
// it again and draws from it), into `path`; false with `error` saying why. The dialog needs a
// toolkit: none in a build without one.
using TAboutPhotographer = std::function<bool(TRandom& random, const language::TLanguage& words,
                                              const std::string& path, std::string& error)>;

// The shot with the data file taken from `dataDir` (ending with '/'): the main window's
// client area, or the about dialog, written as PNG; then the player's board, a blank line, the
// back board and the state line. Returns the exit status.
int RunShot(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const std::string& dataDir, const TAboutPhotographer& about);
