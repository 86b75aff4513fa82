#include "app/MainWindow.h"

#include "app/ProcessValues.h"

std::unique_ptr<TFormZelto> CreateMainWindow(platform::WindowHost& host, TRandom& random,
                                             const language::TLanguage& words,
                                             std::function<void()> showAbout, bool aboutWhenShown) {
  TFormZeltoSetup setup;
  setup.Language = words;
  setup.DataDir = DataDir;
  setup.Title = ApplicationTitle;
  setup.ShowAbout = std::move(showAbout);
  setup.AboutWhenShown = aboutWhenShown;
  setup.InstanceMessage = InstanceMessage;
  auto form = std::make_unique<TFormZelto>(host, random, std::move(setup));
  if (form->StartupFailed()) StartupFailed = true;
  return form;
}
