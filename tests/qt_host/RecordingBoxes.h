// Message boxes that keep what they were asked to show.
#pragma once

#include <string>
#include <vector>

#include "platform/MessageBoxes.h"

namespace windowtest {

class TRecordingBoxes : public platform::MessageBoxes {
 public:
  std::vector<std::string> Shown;
  void ShowError(const std::string& text) override { Shown.push_back("error: " + text); }
  bool AskWarningYesNo(const std::string& text) override {
    Shown.push_back("warning: " + text);
    return false;
  }
  void ShowMessage(const std::string& text) override { Shown.push_back(text); }
};

}  // namespace windowtest
