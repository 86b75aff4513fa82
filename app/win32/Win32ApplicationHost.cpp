#include "app/win32/Win32ApplicationHost.h"

#include "about/win32/Win32About.h"
#include "app/MainWindow.h"
#include "app/ProcessValues.h"
#include "platform/win32/Win32WindowHost.h"

TWin32ApplicationHost::TWin32ApplicationHost(TRandom& random, platform::MessageBoxes& boxes,
                                             language::TLanguage words, bool aboutWhenShown)
    : Random(random), Boxes(boxes), Words(words), AboutWhenShown(aboutWhenShown) {}

// The dialog goes before the window it is shown from; the window before its host.
TWin32ApplicationHost::~TWin32ApplicationHost() {
  About.reset();
  if (WindowHost) WindowHost->SetClient(nullptr);
  Form.reset();
  WindowHost.reset();
}

void TWin32ApplicationHost::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void TWin32ApplicationHost::CreateMainWindow() {
  WindowHost = std::make_unique<platform::win32::Win32WindowHost>(
      platform::ClientSize{TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight}, Title,
      Boxes);
  Form = ::CreateMainWindow(
      *WindowHost, Random, Words,
      [this] {
        if (About) About->ShowModal(WindowHost->Window());
      },
      AboutWhenShown);
  WindowHost->SetClient(Form.get());
  TFormZelto* form = Form.get();
  WindowHost->OnAppActivate = [form] { form->AppActivate(); };
}

// The dialog is no part of the main window's first frame, so it is made once that is painted,
// before the form hears that its window is shown (and may open the dialog).
void TWin32ApplicationHost::CreateAboutDialog() {
  const auto make = [this] {
    if (!About)
      About = std::make_unique<TWin32About>(Random, ClockSeed(), Title,
                                            WindowHost ? WindowHost->Scale() : 1, Words);
  };
  if (WindowHost && !StartupFailed)
    WindowHost->AfterFirstFrame(make);
  else
    make();
}

// Every message taken from the queue passes the main window's hook first, which is how a later
// start's notice reaches it.
int TWin32ApplicationHost::Run() {
  WindowHost->Show();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message <= 0xFFFF) Form->AppMessage(uint16_t(message.message));
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return int(message.wParam);
}
