// The user's settings as QSettings files in native format under $XDG_CONFIG_HOME: key
// "Software\Org" is the file "Org.conf", key "Software\Org\App" the file "Org/App.conf".
#pragma once

#include <QString>

#include "platform/SettingsStore.h"

namespace platform {

class QtSettingsStore : public SettingsStore {
 public:
  // A missing key opens only with `create`, which makes its empty file and nothing else.
  std::unique_ptr<SettingsKey> OpenKey(const std::string& path, bool create) override;

  // The file that holds key `path`; empty for a path that names no such file (not under
  // "Software", an empty, "." or ".." part, or a part with a '/').
  static QString KeyFile(const std::string& path);
};

}  // namespace platform
