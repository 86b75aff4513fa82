// The current user's settings: keys named by backslash-separated paths, each holding named
// string values; the start-up reads the game's folders from them.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace platform {

class SettingsKey {
 public:
  virtual ~SettingsKey() = default;
  // The value's text; none when the value is missing or is not a string.
  virtual std::optional<std::string> ReadString(const std::string& name) const = 0;
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // Opens a key such as "Software\\VEXO! Software\\Zelto"; with `create`, a missing key is
  // created first and nothing else is written. Null when the key does not open. The key is
  // closed when the returned object goes.
  virtual std::unique_ptr<SettingsKey> OpenKey(const std::string& path, bool create) = 0;
};

}  // namespace platform
