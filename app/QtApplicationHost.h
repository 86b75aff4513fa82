// The application object of the real entry: makes the main window on its Qt host and the about
// dialog, wires the application's events to the window, and runs the event loop.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "app/Startup.h"
#include "language/Language.h"

class TDlgAbout;
class TFormZelto;
class TRandom;

namespace platform {
class MessageBoxes;
class QtInstanceGuard;
class QtWindowHost;
}  // namespace platform

struct TQtHostSetup {
  platform::MessageBoxes* Boxes = nullptr;        // the main window's messages
  platform::QtInstanceGuard* Instance = nullptr;  // later starts' notices
  TRandom* Random = nullptr;                      // the application's generator
  language::TLanguage Language;                   // what the windows' texts are in
  // The loop; none: QApplication::exec. Tests put their own.
  std::function<int()> Loop;
  // The main window shows the about dialog once it has painted its first frame.
  bool AboutWhenShown = true;
};

class TQtApplicationHost : public TApplicationHost {
 public:
  explicit TQtApplicationHost(TQtHostSetup setup);
  ~TQtApplicationHost() override;

  void ProcessMessages() override;
  void SetTitle(const std::string& title) override;
  // The window opens DataDir + "zelto.vx8"; its failure sets StartupFailed.
  void CreateMainWindow() override;
  // Made once the main window has painted its first frame; at once when there is no window.
  void CreateAboutDialog() override;
  // Shows the main window and runs the loop until it closes; the window's icon is set once its
  // first frame is painted.
  int Run() override;

  TFormZelto* MainWindow() const { return Form.get(); }
  platform::QtWindowHost* MainWindowHost() const { return WindowHost.get(); }
  TDlgAbout* AboutDialog() const { return About.get(); }

 private:
  TQtHostSetup Setup;
  std::unique_ptr<platform::QtWindowHost> WindowHost;
  std::unique_ptr<TFormZelto> Form;
  std::unique_ptr<TDlgAbout> About;
  QString Title;
};
