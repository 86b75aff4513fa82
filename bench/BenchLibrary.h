// A library holding every picture the main window asks for, at the sizes the game's own
// pictures have, for the window benchmarks.
#pragma once

#include <string>

namespace benchlib {

// Writes it as `folder` + "zelto.vx8".
void WriteWindowLibrary(const std::string& folder);

}  // namespace benchlib
