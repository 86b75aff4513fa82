// The application object of the Windows entry: makes the main window on its Win32 host and the
// about dialog, hooks the application's activation and every queued message to the window, and
// runs the message loop.
#pragma once

#include <memory>
#include <string>

#include "app/Startup.h"
#include "language/Language.h"

class TFormZelto;
class TRandom;
class TWin32About;

namespace platform {
class MessageBoxes;
namespace win32 {
class Win32WindowHost;
}  // namespace win32
}  // namespace platform

class TWin32ApplicationHost : public TApplicationHost {
 public:
  // `boxes` shows the main window's messages; both it and `random` outlive the host. The
  // windows' texts are in `words`.
  TWin32ApplicationHost(TRandom& random, platform::MessageBoxes& boxes,
                        language::TLanguage words = {}, bool aboutWhenShown = true);
  ~TWin32ApplicationHost() override;

  void ProcessMessages() override;
  void SetTitle(const std::string& title) override { Title = title; }
  void CreateMainWindow() override;
  // Made once the main window has painted its first frame; at once when there is no window.
  void CreateAboutDialog() override;
  int Run() override;

  TFormZelto* MainWindow() const { return Form.get(); }
  platform::win32::Win32WindowHost* MainWindowHost() const { return WindowHost.get(); }

 private:
  TRandom& Random;
  platform::MessageBoxes& Boxes;
  language::TLanguage Words;
  bool AboutWhenShown;
  std::string Title;
  std::unique_ptr<platform::win32::Win32WindowHost> WindowHost;
  std::unique_ptr<TFormZelto> Form;
  std::unique_ptr<TWin32About> About;
};
