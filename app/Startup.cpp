#include "app/Startup.h"

#include <exception>

#include "app/InstallFolder.h"
#include "app/ProcessValues.h"

namespace {

constexpr char InstanceMessageName[] = "Check for Zeltoria instance";
constexpr char InstanceMutexName[] = "ZE32";

constexpr std::string_view MonochromeText =
    N_("This program cannot be played on a monochrome display.");
constexpr std::string_view SixteenColorText =
    N_("This program is designed for a minimum 256-color display. You are running a 16-color "
       "display. This will adversely affect the appearance of the graphics used in the game. "
       "Continue anyway?");

}  // namespace

void Initialise(TStartupServices& services) {
  try {
    services.Random.Seed = services.Clock();
    FindInstallFolder(services);
  } catch (const std::exception& error) {
    services.Boxes.ShowMessage(error.what());
    StartupFailed = true;
  }
}

int RunStartup(TStartupServices& services, TApplicationHost& host) {
  Initialise(services);
  if (StartupFailed) return ExitFailure;

  const platform::ColorDepth depth = services.Screen.ScreenColorDepth();
  const int colors = depth.BitsPerPixel * depth.Planes;
  const language::TLanguage& words = services.Language;
  if (colors == 1) {
    services.Boxes.ShowError(std::string(words.Tr(MonochromeText)));
    return ExitFailure;
  }
  if (colors == 4 && !services.Boxes.AskWarningYesNo(std::string(words.Tr(SixteenColorText))))
    return ExitSuccess;

  InstanceMessage = services.Instance.RegisterMessage(InstanceMessageName);
  const platform::MutexResult mutex = services.Instance.CreateMutex(InstanceMutexName);

  // The data file is checked only by the one instance that may run.
  if (mutex == platform::MutexResult::Created) {
    if (!CheckDataFile(services)) return ExitFailure;
    UseLanguageDataFile(services);
    host.ProcessMessages();
    host.SetTitle(ApplicationTitle);
    host.CreateMainWindow();
    host.CreateAboutDialog();
    if (StartupFailed) return ExitFailure;
    return host.Run();
  }
  if (mutex == platform::MutexResult::AlreadyExists) {
    if (services.Instance.PostToAllWindows(InstanceMessage)) return ExitSuccess;
    // The lock is held, but by nothing that answers: leaving without a word would look like
    // a game that does not start.
    const std::string_view pattern = words.Tr(
        // TRANSLATORS: {0} is the game's name.
        "{0} cannot start: {0} seems to be running already, but it does not answer. Close it "
        "and try again.");
    services.Boxes.ShowError(language::Format(pattern, {ApplicationTitle}));
    return ExitFailure;
  }
  // Without its guard the game could run twice; it says why it stops instead of stopping mute.
  // TRANSLATORS: {0} is the game's name, {1} why it cannot make sure it runs only once, as in
  // "it cannot create its folder "/tmp/zeltoria-1000" (no permission)".
  const std::string_view pattern = words.Tr("{0} cannot start: {1}.");
  services.Boxes.ShowError(
      language::Format(pattern, {ApplicationTitle, services.Instance.MutexFailure(words)}));
  return ExitFailure;
}
