// One running instance per user: a named mutex that the first start holds for its whole life,
// and a registered notice that a second start sends to the running one before it exits.
#pragma once

#include <cstdint>
#include <string>

#include "language/Language.h"

namespace platform {

enum class MutexResult { Created, AlreadyExists, Failed };

class InstanceGuard {
 public:
  virtual ~InstanceGuard() = default;
  // The message number for `name`: every process that registers the same name gets the same
  // number. The guard listens for and sends notices under the name registered last.
  virtual uint16_t RegisterMessage(const std::string& name) = 0;
  // Takes the mutex `name`, held until the guard goes. Created means this process is the only
  // instance, and from then on it receives the notices of later starts.
  virtual MutexResult CreateMutex(const std::string& name) = 0;
  // After CreateMutex answered Failed: why, in words for the user.
  virtual std::string MutexFailure(const language::TLanguage& words) const = 0;
  // Sends `message` to the running instance's windows: false when none took it in a short
  // while.
  virtual bool PostToAllWindows(uint16_t message) = 0;
};

}  // namespace platform
