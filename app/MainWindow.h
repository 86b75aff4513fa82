// The main window as the application makes it on every host: its data file from DataDir, the
// application title, the notice of a later start. A window whose start-up failed has said why
// and sets StartupFailed.
#pragma once

#include <functional>
#include <memory>

#include "game/FormZelto.h"

// The window's texts are in `words`; `showAbout` shows the about dialog modally; with
// `aboutWhenShown` the window shows it when it first appears.
std::unique_ptr<TFormZelto> CreateMainWindow(platform::WindowHost& host, TRandom& random,
                                             const language::TLanguage& words,
                                             std::function<void()> showAbout,
                                             bool aboutWhenShown = true);
