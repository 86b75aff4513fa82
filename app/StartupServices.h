// The platform services that the start-up runs on: the real ones in the game, fakes in tests.
#pragma once

#include <cstdint>

#include "game/Random.h"
#include "language/Language.h"
#include "platform/FileSystem.h"
#include "platform/InstanceGuard.h"
#include "platform/MessageBoxes.h"
#include "platform/Screen.h"
#include "platform/SettingsStore.h"

struct TStartupServices {
  platform::SettingsStore& Settings;
  platform::Screen& Screen;
  platform::InstanceGuard& Instance;
  platform::MessageBoxes& Boxes;
  platform::FileSystem& Files;
  // Milliseconds since midnight UTC, to seed the random generator with.
  uint32_t (*Clock)();
  // The application's one generator, seeded at initialisation.
  TRandom& Random;
  // What the messages are in; the language's own data file is opened where there is one.
  const language::TLanguage& Language;
};
