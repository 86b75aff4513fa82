#include "app/QtApplicationHost.h"

#include <QApplication>
#include <QIcon>
#include <iterator>

#include "about/DlgAbout.h"
#include "app/MainWindow.h"
#include "app/ProcessValues.h"
#include "game/FormZelto.h"
#include "platform/ResourceFacts.h"
#include "platform/qt/QtInstanceGuard.h"
#include "platform/qt/QtWindowHost.h"

namespace {

// The icon at every size it is drawn in, from the program's resources; each image is read when
// that size is first drawn.
QIcon GameIcon() {
  static_assert(std::size(resources::IconFiles) == std::size(resources::IconSizes));
  QIcon icon;
  for (size_t i = 0; i < std::size(resources::IconFiles); ++i)
    icon.addFile(QString::fromLatin1(resources::QtPrefix) + QLatin1String(resources::IconFiles[i]),
                 QSize(resources::IconSizes[i], resources::IconSizes[i]));
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

// Not Qt's application display name: the window system would show it after every other title,
// and the about box's caption is the title and ": About", nothing more.
void TQtApplicationHost::SetTitle(const std::string& title) {
  Title = QString::fromStdString(title);
}

void TQtApplicationHost::CreateMainWindow() {
  WindowHost = std::make_unique<platform::QtWindowHost>(
      platform::ClientSize{TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight},
      QString::fromLatin1(ApplicationTitle), *Setup.Boxes);

  Form = ::CreateMainWindow(
      *WindowHost, *Setup.Random, Setup.Language,
      [this] {
        if (About) About->exec();
      },
      Setup.AboutWhenShown);
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
}

// The dialog is no part of the main window's first frame, so it is made once that is painted,
// before the form hears that its window is shown (and may open the dialog). Without a window
// to show, it is made at once.
void TQtApplicationHost::CreateAboutDialog() {
  const auto make = [this] {
    if (About) return;
    TAboutServices services = TAboutServices::Default();
    services.Title = Title;
    services.Language = Setup.Language;
    About = std::make_unique<TDlgAbout>(nullptr, *Setup.Random, std::move(services));
  };
  if (WindowHost && !StartupFailed)
    WindowHost->AfterFirstFrame(make);
  else
    make();
}

int TQtApplicationHost::Run() {
  // The icon waits until the window has shown its first frame, which does not need it: with
  // it, the window system reads every size of it first.
  WindowHost->AfterFirstFrame([host = WindowHost.get()] { host->setWindowIcon(GameIcon()); });
  WindowHost->show();
  return Setup.Loop ? Setup.Loop() : QApplication::exec();
}
