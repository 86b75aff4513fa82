// Fake platform services and application host for the start-up: every call that the user or
// another process could notice goes into one shared log, in order.
#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/ProcessValues.h"
#include "app/Startup.h"
#include "app/StartupServices.h"

using Log = std::vector<std::string>;

class TFakeSettings : public platform::SettingsStore {
 public:
  explicit TFakeSettings(Log& log) : Events(log) {}

  // key path -> value name -> text; a value named in Unreadable is there but not a string.
  std::map<std::string, std::map<std::string, std::string>> Keys;
  std::set<std::string> Unreadable;
  bool Throws = false;

  std::unique_ptr<platform::SettingsKey> OpenKey(const std::string& path, bool create) override {
    if (Throws) throw std::runtime_error("Access denied to the settings");
    auto found = Keys.find(path);
    if (found == Keys.end()) {
      if (!create) return nullptr;
      Events.push_back("create key " + path);
      found = Keys.emplace(path, std::map<std::string, std::string>()).first;
    }
    return std::make_unique<Key>(found->second, Unreadable);
  }

 private:
  class Key : public platform::SettingsKey {
   public:
    Key(const std::map<std::string, std::string>& values, const std::set<std::string>& unreadable)
        : Values(values), Unreadable(unreadable) {}
    std::optional<std::string> ReadString(const std::string& name) const override {
      const auto found = Values.find(name);
      if (found == Values.end() || Unreadable.count(name)) return std::nullopt;
      return found->second;
    }

   private:
    const std::map<std::string, std::string>& Values;
    const std::set<std::string>& Unreadable;
  };

  Log& Events;
};

class TFakeScreen : public platform::Screen {
 public:
  explicit TFakeScreen(Log& log) : Events(log) {}
  platform::ColorDepth Depth{32, 1};
  platform::ColorDepth ScreenColorDepth() const override {
    Events.push_back("query depth");
    return Depth;
  }

 private:
  Log& Events;
};

class TFakeInstance : public platform::InstanceGuard {
 public:
  explicit TFakeInstance(Log& log) : Events(log) {}
  platform::MutexResult Mutex = platform::MutexResult::Created;
  bool Answers = true;

  uint16_t RegisterMessage(const std::string& name) override {
    Events.push_back("register " + name);
    return 0xC0DE;
  }
  platform::MutexResult CreateMutex(const std::string& name) override {
    Events.push_back("mutex " + name);
    return Mutex;
  }
  std::string MutexFailure(const language::TLanguage&) const override {
    return "the lock folder is full";
  }
  bool PostToAllWindows(uint16_t message) override {
    Events.push_back("post " + std::to_string(message));
    return Answers;
  }

 private:
  Log& Events;
};

class TFakeBoxes : public platform::MessageBoxes {
 public:
  explicit TFakeBoxes(Log& log) : Events(log) {}
  bool AnswerYes = false;

  void ShowError(const std::string& text) override { Events.push_back("error box: " + text); }
  bool AskWarningYesNo(const std::string& text) override {
    Events.push_back("warning box: " + text);
    return AnswerYes;
  }
  void ShowMessage(const std::string& text) override { Events.push_back("plain box: " + text); }

 private:
  Log& Events;
};

class TFakeFiles : public platform::FileSystem {
 public:
  std::set<std::string> Folders;  // without a final '/'; a query finds them either way
  std::set<std::string> Files;
  std::string Executable = "/opt/zeltoria/zeltoria";

  std::optional<platform::FileAttributes> GetFileAttributes(
      const std::string& path) const override {
    std::string folder = path;
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (Folders.count(folder)) return platform::FileAttributes{true};
    if (Files.count(path)) return platform::FileAttributes{false};
    return std::nullopt;
  }
  bool FileExists(const std::string& path) const override { return Files.count(path) > 0; }
  std::string ExecutablePath() const override { return Executable; }
};

class TFakeHost : public TApplicationHost {
 public:
  explicit TFakeHost(Log& log) : Events(log) {}
  bool MainWindowFails = false;
  int LoopStatus = 0;

  void ProcessMessages() override { Events.push_back("process messages"); }
  void SetTitle(const std::string& title) override { Events.push_back("title " + title); }
  void CreateMainWindow() override {
    Events.push_back("create main window");
    if (MainWindowFails) StartupFailed = true;
  }
  void CreateAboutDialog() override { Events.push_back("create about dialog"); }
  int Run() override {
    Events.push_back("run loop");
    return LoopStatus;
  }

 private:
  Log& Events;
};

// All the fakes wired together, with the process-wide values reset: an installed game in
// /opt/zeltoria with its data file, nothing in the settings, a 32-bit screen, no other instance.
struct TStartupRig {
  Log Events;
  TFakeSettings Settings{Events};
  TFakeScreen Screen{Events};
  TFakeInstance Instance{Events};
  TFakeBoxes Boxes{Events};
  TFakeFiles Files;
  TFakeHost Host{Events};
  TRandom Random;
  language::TLanguage Words;
  TStartupServices Services{Settings, Screen, Instance, Boxes, Files, &Clock, Random, Words};

  static constexpr uint32_t ClockValue = 45296789;  // 12:34:56.789
  static uint32_t Clock() { return ClockValue; }

  TStartupRig() {
    DataDir = "stale";
    InstallDir = "stale";
    StartupFailed = false;
    InstanceMessage = 0;
    Files.Folders = {"/opt/zeltoria", "/srv/games"};
    Files.Files = {"/opt/zeltoria/zeltoria", "/opt/zeltoria/zelto.vx8"};
  }
};
