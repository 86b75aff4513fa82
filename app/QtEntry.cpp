#include "app/QtEntry.h"

#include <cstdlib>

#include "app/ProcessValues.h"
#include "app/QtApplicationHost.h"
#include "app/Startup.h"
#include "app/ZeltoriaApplication.h"
#include "game/Random.h"
#include "platform/ResourceFacts.h"
#include "platform/qt/CatalogueTranslator.h"
#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtInstanceGuard.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtScreen.h"
#include "platform/qt/QtSettingsStore.h"

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The player's language as gettext finds it in the environment.
language::TLanguage PlayersLanguage() {
  return language::ChooseLanguage(language::GettextLanguages(
      {Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")}));
}

}  // namespace

int RunQtEntry(char* programName, std::function<int(TQtApplicationHost&)> loop) {
  // Pixels stay whole on a scaled screen: a factor of 1.5 shows them at 2.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  // The game reads no command line: Qt is given the program's name only.
  int qtArgc = 1;
  char* qtArgv[] = {programName, nullptr};
  TZeltoriaApplication application(qtArgc, qtArgv);
  // The desktop entry's name: a Wayland compositor matches the window to it by this.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(resources::AppId));
  const language::TLanguage words = PlayersLanguage();
  // Qt's own words, such as the message boxes' buttons, from the game's catalogue.
  platform::TCatalogueTranslator translator(words);
  QCoreApplication::installTranslator(&translator);

  platform::QtSettingsStore settings;
  platform::QtScreen screen;
  platform::QtInstanceGuard instance;
  platform::QtMessageBoxes boxes(QString::fromLatin1(ApplicationTitle));
  platform::QtFileSystem files;
  TRandom random;
  TStartupServices services{settings, screen, instance, boxes, files, ClockSeed, random, words};

  TQtHostSetup setup;
  setup.Boxes = &boxes;
  setup.Instance = &instance;
  setup.Random = &random;
  setup.Language = words;
  TQtApplicationHost* running = nullptr;
  if (loop) setup.Loop = [&running, &loop] { return loop(*running); };
  TQtApplicationHost host(std::move(setup));
  running = &host;
  return RunStartup(services, host);
}
