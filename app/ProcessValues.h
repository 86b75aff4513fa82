// The process-wide values that the start-up sets before any window exists: where the data
// file lies, whether the start-up has failed, and the number of the instance notice.
#pragma once

#include <cstdint>
#include <string>

// Folder of "zelto.vx8"; ends with the folder separator once FindInstallFolder has passed.
extern std::string DataDir;
// The installation folder FindInstallFolder chose; ends with the separator afterwards.
extern std::string InstallDir;
// A start-up step has shown its failure message: the message loop must not run.
extern bool StartupFailed;
// The registered number of the notice "Check for Zeltoria instance".
extern uint16_t InstanceMessage;

inline constexpr char ApplicationTitle[] = "Zeltoria";
