// The start-up's services on Windows, each the system's own: file attributes and the running
// executable, the current user's registry, the screen's colour depth, the named mutex with the
// registered notice posted to every top-level window, and message boxes.
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/InstanceGuard.h"
#include "platform/MessageBoxes.h"
#include "platform/Screen.h"
#include "platform/SettingsStore.h"

namespace platform::win32 {

class Win32FileSystem : public FileSystem {
 public:
  std::optional<FileAttributes> GetFileAttributes(const std::string& path) const override;
  bool FileExists(const std::string& path) const override;
  std::string ExecutablePath() const override;
  char Separator() const override { return '\\'; }
};

// The user's display languages, the most wanted first, as Windows names them ("de-DE").
std::vector<std::string> PreferredUILanguages();

// Keys under HKEY_CURRENT_USER; a value is read as a string only when it is one.
class Win32SettingsStore : public SettingsStore {
 public:
  std::unique_ptr<SettingsKey> OpenKey(const std::string& path, bool create) override;
};

// Bits per pixel times colour planes of a screen device.
class Win32Screen : public Screen {
 public:
  ColorDepth ScreenColorDepth() const override;
};

class Win32InstanceGuard : public InstanceGuard {
 public:
  ~Win32InstanceGuard() override;
  uint16_t RegisterMessage(const std::string& name) override;
  MutexResult CreateMutex(const std::string& name) override;
  std::string MutexFailure(const language::TLanguage& words) const override;
  // Posts the notice to every top-level window; true once a window of the game is there to take
  // it (a first start may still be making its window: it is given a few seconds).
  bool PostToAllWindows(uint16_t message) override;

 private:
  void* Mutex = nullptr;  // the mutex's handle, held while the guard lives
  // Why CreateMutex failed: the guard's name and the system's error.
  std::string FailedName;
  unsigned long Failure = 0;
};

// The boxes of the start-up, titled with the application's title.
class Win32MessageBoxes : public MessageBoxes {
 public:
  explicit Win32MessageBoxes(std::string title) : Title(std::move(title)) {}
  void ShowError(const std::string& text) override;
  bool AskWarningYesNo(const std::string& text) override;
  void ShowMessage(const std::string& text) override;
  // The window the boxes belong to (a window's handle); none until one is set.
  void SetOwner(void* owner) { Owner = owner; }

 private:
  int Show(const std::string& text, unsigned type) const;
  std::string Title;
  void* Owner = nullptr;
};

// The class name of the game's windows, by which a later start finds the running one.
inline constexpr wchar_t FormClassName[] = L"ZeltoriaForm";

}  // namespace platform::win32
