#include "app/QtApplicationHost.h"

#include <QApplication>
#include <QIcon>

#include "about/DlgAbout.h"
#include "app/ProcessValues.h"
#include "game/FormZelto.h"
#include "platform/ResourceFacts.h"
#include "platform/qt/AppCursors.h"
#include "platform/qt/QtInstanceGuard.h"
#include "platform/qt/QtWindowHost.h"

namespace {

// The icon at every size it is drawn in, from the program's resources.
QIcon GameIcon() {
  QIcon icon;
  for (const char* file : resources::IconFiles)
    icon.addFile(QString::fromLatin1(resources::QtPrefix) + QLatin1String(file));
  return icon;
}

}  // namespace

TQtApplicationHost::TQtApplicationHost(TQtHostSetup setup) : Setup(std::move(setup)) {}

// The dialog goes before the window it is shown from; the window before its host.
TQtApplicationHost::~TQtApplicationHost() {
  About.reset();
  if (WindowHost) WindowHost->SetClient(nullptr);
  Form.reset();
  WindowHost.reset();
}

void TQtApplicationHost::ProcessMessages() {
  QCoreApplication::processEvents();
}

void TQtApplicationHost::SetTitle(const std::string& title) {
  QGuiApplication::setApplicationDisplayName(QString::fromStdString(title));
}

void TQtApplicationHost::CreateMainWindow() {
  platform::LoadCursors();
  WindowHost = std::make_unique<platform::QtWindowHost>(
      platform::ClientSize{TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight},
      QString::fromLatin1(ApplicationTitle), *Setup.Boxes);
  WindowHost->setWindowIcon(GameIcon());

  TFormZeltoSetup setup;
  setup.DataDir = DataDir;
  setup.Title = ApplicationTitle;
  setup.ShowAbout = [this] {
    if (About) About->exec();
  };
  setup.AboutWhenShown = Setup.AboutWhenShown;
  setup.InstanceMessage = InstanceMessage;
  Form = std::make_unique<TFormZelto>(*WindowHost, *Setup.Random, std::move(setup));
  WindowHost->SetClient(Form.get());

  TFormZelto* form = Form.get();
  QObject::connect(qApp, &QGuiApplication::applicationStateChanged, WindowHost.get(),
                   [form](Qt::ApplicationState state) {
                     if (state == Qt::ApplicationActive) form->AppActivate();
                   });
  if (Setup.Instance) {
    QObject::connect(Setup.Instance, &platform::QtInstanceGuard::MessageReceived, WindowHost.get(),
                     [form](quint16 message) { form->AppMessage(message); });
  }
  if (Form->StartupFailed()) StartupFailed = true;
}

void TQtApplicationHost::CreateAboutDialog() {
  About = std::make_unique<TDlgAbout>(nullptr, *Setup.Random, TAboutServices::Default());
}

int TQtApplicationHost::Run() {
  WindowHost->show();
  return Setup.Loop ? Setup.Loop() : QApplication::exec();
}
