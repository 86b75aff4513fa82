// The game's entry on Windows: the start-up on the system's own services.
#include "app/ProcessValues.h"
#include "app/Startup.h"
#include "app/win32/Win32ApplicationHost.h"
#include "game/Random.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/WindowsApi.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const language::TLanguage words =
      language::ChooseLanguage(platform::win32::PreferredUILanguages());
  platform::win32::Win32SettingsStore settings;
  platform::win32::Win32Screen screen;
  platform::win32::Win32InstanceGuard instance;
  platform::win32::Win32MessageBoxes boxes(ApplicationTitle);
  platform::win32::Win32FileSystem files;
  TRandom random;
  TStartupServices services{settings, screen, instance, boxes, files, ClockSeed, random, words};
  TWin32ApplicationHost host(random, boxes, words);
  return RunStartup(services, host);
}
