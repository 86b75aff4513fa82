#include "app/InstallFolder.h"

#include "app/ProcessValues.h"

namespace {

constexpr char VendorKey[] = "Software\\VEXO! Software";
constexpr char GameKey[] = "Software\\VEXO! Software\\Zelto";
constexpr char DataFileName[] = "zelto.vx8";

// A value that cannot be read counts as empty.
std::string ReadValue(platform::SettingsStore& store, const char* key, bool create,
                      const char* name) {
  const auto opened = store.OpenKey(key, create);
  if (!opened) return {};
  return opened->ReadString(name).value_or(std::string());
}

std::string FolderPart(const std::string& path, char separator) {
  const size_t slash = path.rfind(separator);
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void EndWithSeparator(std::string& folder, char separator) {
  if (folder.empty() || folder.back() != separator) folder += separator;
}

}  // namespace

bool FolderExists(const platform::FileSystem& files, const std::string& path) {
  const auto attributes = files.GetFileAttributes(path);
  return attributes && attributes->Directory;
}

void FindInstallFolder(TStartupServices& services) {
  const char separator = services.Files.Separator();
  DataDir = FolderPart(services.Files.ExecutablePath(), separator);
  InstallDir.clear();
  const std::string devHome = ReadValue(services.Settings, VendorKey, false, "DevHome");
  InstallDir = ReadValue(services.Settings, GameKey, true, "Directory");

  if ((!InstallDir.empty() && FolderExists(services.Files, InstallDir)) || devHome.empty()) {
    InstallDir = DataDir;
  } else {
    InstallDir = devHome + separator + "Zelto";
    DataDir = InstallDir;
  }

  if (!FolderExists(services.Files, InstallDir)) {
    const std::string_view pattern = services.Language.Tr(
        // TRANSLATORS: {0} is the folder's path.
        "Unable to locate installation folder \"{0}\". Please re-install and try again.");
    throw TStartupError(language::Format(pattern, {InstallDir}));
  }
  EndWithSeparator(InstallDir, separator);
  EndWithSeparator(DataDir, separator);
}

bool CheckDataFile(TStartupServices& services) {
  const std::string path = DataDir + DataFileName;
  if (services.Files.FileExists(path)) return true;
  services.Boxes.ShowError(MissingDataFileMessage(services.Language, path));
  return false;
}

std::string MissingDataFileMessage(const language::TLanguage& words, const std::string& path) {
  // TRANSLATORS: {0} is the missing file's path.
  return language::Format(words.Tr("Sorry! Zeltoria cannot find the needed file \"{0}\"."), {path});
}

void UseLanguageDataFile(TStartupServices& services) {
  if (services.Language.IsEnglish()) return;  // its file is the one already checked
  const std::string folder =
      language::LanguageFolder(DataDir, services.Language, services.Files.Separator());
  if (services.Files.FileExists(folder + DataFileName)) DataDir = folder;
}
