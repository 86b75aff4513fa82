#include "app/QtApplicationHost.h"

#include <QApplication>

#include "about/DlgAbout.h"
#include "app/ProcessValues.h"
#include "game/FormZelto.h"

TQtApplicationHost::TQtApplicationHost(TQtHostSetup setup) : Setup(std::move(setup)) {}

// The dialog goes before the window it is shown from.
TQtApplicationHost::~TQtApplicationHost() {
  About.reset();
  Form.reset();
}

void TQtApplicationHost::ProcessMessages() {
  QCoreApplication::processEvents();
}

void TQtApplicationHost::SetTitle(const std::string& title) {
  QGuiApplication::setApplicationDisplayName(QString::fromStdString(title));
}

void TQtApplicationHost::CreateMainWindow() {
  TFormZeltoSetup setup;
  setup.DataDir = DataDir;
  setup.Title = ApplicationTitle;
  setup.Boxes = Setup.Boxes;
  setup.ShowAbout = [this] {
    if (About) About->exec();
  };
  setup.AboutWhenShown = Setup.AboutWhenShown;
  setup.Instance = Setup.Instance;
  setup.InstanceMessage = InstanceMessage;
  Form = std::make_unique<TFormZelto>(std::move(setup));
  if (Form->StartupFailed()) StartupFailed = true;
}

void TQtApplicationHost::CreateAboutDialog() {
  About = std::make_unique<TDlgAbout>(nullptr, TAboutServices::Default());
}

int TQtApplicationHost::Run() {
  Form->show();
  return Setup.Loop ? Setup.Loop() : QApplication::exec();
}
