#include "platform/win32/Win32Services.h"

#include "platform/win32/WindowsApi.h"

#include <vector>

#include "platform/win32/Win32Text.h"

namespace platform::win32 {

std::optional<FileAttributes> Win32FileSystem::GetFileAttributes(const std::string& path) const {
  if (path.empty()) return std::nullopt;
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return FileAttributes{(attributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

bool Win32FileSystem::FileExists(const std::string& path) const {
  const auto attributes = GetFileAttributes(path);
  return attributes && !attributes->Directory;
}

std::string Win32FileSystem::ExecutablePath() const {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n == 0) return {};
    if (n < path.size()) return Utf8({path.data(), n});
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

namespace {

class RegistryKey : public SettingsKey {
 public:
  explicit RegistryKey(HKEY key) : Key(key) {}
  ~RegistryKey() override { RegCloseKey(Key); }

  std::optional<std::string> ReadString(const std::string& name) const override {
    const std::wstring value = Wide(name);
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(Key, value.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || bytes > 1 << 20)
      return std::nullopt;
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(Key, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &bytes) != ERROR_SUCCESS)
      return std::nullopt;
    // The stored string may or may not end with its zero.
    size_t length = bytes / sizeof(wchar_t);
    while (length > 0 && text[length - 1] == L'\0') --length;
    return Utf8({text.data(), length});
  }

 private:
  HKEY Key;
};

}  // namespace

std::unique_ptr<SettingsKey> Win32SettingsStore::OpenKey(const std::string& path, bool create) {
  HKEY key = nullptr;
  const LONG result =
      create ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_READ, nullptr, &key, nullptr)
             : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
  if (result != ERROR_SUCCESS) return nullptr;
  return std::make_unique<RegistryKey>(key);
}

ColorDepth Win32Screen::ScreenColorDepth() const {
  HDC screen = GetDC(nullptr);
  if (!screen) return {};
  const ColorDepth depth{GetDeviceCaps(screen, BITSPIXEL), GetDeviceCaps(screen, PLANES)};
  ReleaseDC(nullptr, screen);
  return depth;
}

Win32InstanceGuard::~Win32InstanceGuard() {
  if (Mutex) CloseHandle(static_cast<HANDLE>(Mutex));
}

uint16_t Win32InstanceGuard::RegisterMessage(const std::string& name) {
  return uint16_t(RegisterWindowMessageA(name.c_str()));
}

MutexResult Win32InstanceGuard::CreateMutex(const std::string& name) {
  Mutex = CreateMutexA(nullptr, FALSE, name.c_str());
  const DWORD error = GetLastError();
  if (!Mutex) {
    FailedName = name;
    Failure = error;
    return MutexResult::Failed;
  }
  return error == ERROR_ALREADY_EXISTS ? MutexResult::AlreadyExists : MutexResult::Created;
}

std::vector<std::string> PreferredUILanguages() {
  ULONG count = 0, size = 0;
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0)
    return {};
  std::wstring names(size, L'\0');
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size)) return {};
  // Names apart by nulls, ended by an empty one.
  std::vector<std::string> languages;
  for (size_t start = 0; start < names.size() && names[start] != L'\0';) {
    const size_t end = std::min(names.find(L'\0', start), names.size());
    languages.push_back(Utf8(names.substr(start, end - start)));
    start = end + 1;
  }
  return languages;
}

std::string Win32InstanceGuard::MutexFailure(const language::TLanguage& words) const {
  const std::string_view pattern = words.Tr(
      // TRANSLATORS: {0} is the guard's name, {1} the system's error number.
      "the single-instance guard \"{0}\" could not be made (error {1})");
  return language::Format(pattern, {FailedName, std::to_string(Failure)});
}

bool Win32InstanceGuard::PostToAllWindows(uint16_t message) {
  for (int wait = 0; wait < 50; ++wait) {
    if (FindWindowW(FormClassName, nullptr))
      return PostMessageW(HWND_BROADCAST, message, 0, 0) != 0;
    Sleep(100);
  }
  PostMessageW(HWND_BROADCAST, message, 0, 0);
  return false;
}

int Win32MessageBoxes::Show(const std::string& text, unsigned type) const {
  return MessageBoxW(static_cast<HWND>(Owner), Wide(text).c_str(), Wide(Title).c_str(),
                     type | MB_SETFOREGROUND);
}

void Win32MessageBoxes::ShowError(const std::string& text) {
  Show(text, MB_ICONERROR | MB_OK);
}

bool Win32MessageBoxes::AskWarningYesNo(const std::string& text) {
  return Show(text, MB_ICONWARNING | MB_YESNO) == IDYES;
}

void Win32MessageBoxes::ShowMessage(const std::string& text) {
  Show(text, MB_OK);
}

}  // namespace platform::win32
