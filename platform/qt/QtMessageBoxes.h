// The start-up's message boxes as QMessageBoxes titled with the application's title.
#pragma once

#include <QString>
#include <memory>

#include "platform/MessageBoxes.h"

class QMessageBox;

namespace platform {

class QtMessageBoxes : public MessageBoxes {
 public:
  enum class Kind { Error, WarningYesNo, Plain };

  explicit QtMessageBoxes(QString title);

  void ShowError(const std::string& text) override;
  bool AskWarningYesNo(const std::string& text) override;
  void ShowMessage(const std::string& text) override;

  // The box a call of that kind shows, ready to exec. The text is plain, never markup.
  std::unique_ptr<QMessageBox> MakeBox(Kind kind, const std::string& text) const;

 private:
  QString Title;
};

}  // namespace platform
