#include "platform/qt/QtMessageBoxes.h"

#include <QMessageBox>

namespace platform {

QtMessageBoxes::QtMessageBoxes(QString title) : Title(std::move(title)) {}

std::unique_ptr<QMessageBox> QtMessageBoxes::MakeBox(Kind kind, const std::string& text) const {
  auto box = std::make_unique<QMessageBox>();
  box->setWindowTitle(Title);
  box->setTextFormat(Qt::PlainText);
  box->setText(QString::fromStdString(text));
  switch (kind) {
    case Kind::Error:
      box->setIcon(QMessageBox::Critical);
      box->setStandardButtons(QMessageBox::Ok);
      break;
    case Kind::WarningYesNo:
      box->setIcon(QMessageBox::Warning);
      box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box->setDefaultButton(QMessageBox::Yes);
      box->setEscapeButton(QMessageBox::No);
      break;
    case Kind::Plain:
      box->setIcon(QMessageBox::NoIcon);
      box->setStandardButtons(QMessageBox::Ok);
      break;
  }
  return box;
}

void QtMessageBoxes::ShowError(const std::string& text) {
  MakeBox(Kind::Error, text)->exec();
}

bool QtMessageBoxes::AskWarningYesNo(const std::string& text) {
  return MakeBox(Kind::WarningYesNo, text)->exec() == QMessageBox::Yes;
}

void QtMessageBoxes::ShowMessage(const std::string& text) {
  MakeBox(Kind::Plain, text)->exec();
}

}  // namespace platform
