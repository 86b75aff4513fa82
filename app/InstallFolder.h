// Finding the installation and data folders from the executable's place and the user's
// settings, and checking that the data file is there.
#pragma once

#include <stdexcept>
#include <string>

#include "app/StartupServices.h"

// A start-up step that cannot go on; its message is shown to the user as it is.
class TStartupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// True when the path's attributes can be read and mark a folder.
bool FolderExists(const platform::FileSystem& files, const std::string& path);

// Sets DataDir and InstallDir, both ending with the folder separator. The data file is read
// from the executable's folder, unless "DevHome" is set and no valid "Directory" is registered:
// then from DevHome + "/Zelto" ("\Zelto" on Windows). Creates the key "Software\VEXO!
// Software\Zelto" when missing. Throws TStartupError when the chosen folder does not exist.
void FindInstallFolder(TStartupServices& services);

// True when DataDir + "zelto.vx8" exists; otherwise shows the error box and returns false.
bool CheckDataFile(TStartupServices& services);
// What the error box says when the data file at `path` is missing.
std::string MissingDataFileMessage(const language::TLanguage& words, const std::string& path);
// Moves DataDir to the language's folder in it (DataDir + "de/") when that holds a data file:
// the pictures with words in the player's language. Without one the English file is used.
void UseLanguageDataFile(TStartupServices& services);
