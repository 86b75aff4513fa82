// The about dialog of the desktop build, photographed for `zeltoria-lab shot ... about`.
#pragma once

#include "tools/zeltoria-lab/ShotCommand.h"

// Shows the dialog in `words` on Qt's offscreen platform (starting Qt when it is not running),
// seeded with the generator's present state, and writes it as PNG.
bool PhotographAbout(TRandom& random, const language::TLanguage& words, const std::string& path,
                     std::string& error);
