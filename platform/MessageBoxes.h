// The modal message boxes of the start-up, titled with the application's title.
#pragma once

#include <string>

namespace platform {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Error icon, OK button.
  virtual void ShowError(const std::string& text) = 0;
  // Warning icon, Yes and No buttons; true only when the answer is Yes.
  virtual bool AskWarningYesNo(const std::string& text) = 0;
  // No icon, OK button.
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace platform
