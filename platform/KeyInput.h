// How a key reaches the window, the same on every host: a host describes the key as its toolkit
// reports it, and DeliverKeyPress and DeliverKeyRelease turn that into the window's events.
#pragma once

#include "platform/Window.h"

namespace platform {

// The keys that move or press the keyboard focus; every other key is Other.
enum class KeyKind : uint8_t { Other, Tab, Enter, Space };

struct KeyStroke {
  KeyKind Kind = KeyKind::Other;
  // What the key types with the layout in use; 0 when it types nothing.
  char32_t Typed = 0;
  // What the key at the same place types on a US keyboard without Shift, when that is a letter
  // or a digit ('a' to 'z', '0' to '9'); 0 for any other key or a place the host cannot tell.
  char32_t UsPlace = 0;
  bool Shift = false;
  // Ctrl, Alt or Meta: the key is a shortcut, not the game's.
  bool Shortcut = false;
  // Sent by the keyboard's own repeat while the key is held.
  bool AutoRepeat = false;
};

// The character the game hears: a Latin letter or a digit as typed, so that the letters printed
// on any Latin keyboard keep their meaning; any other character by the key's place on a US
// keyboard, so that the digit row of an AZERTY keyboard and the letters of a Cyrillic one still
// move rows and columns.
char32_t GameCharacter(const KeyStroke& key);

// Tab and Shift+Tab move the focus; Enter and Space arrive as characters and also press the
// focused part, once however long they are held; a shortcut reaches nothing.
void DeliverKeyPress(WindowClient& window, const KeyStroke& key);
// The keyboard's own repeat sends presses only: its releases are no letting go.
void DeliverKeyRelease(WindowClient& window, bool autoRepeat);

// The US-keyboard place of the letter and digit keys, by the keycode of the X keyboard
// extension (Linux's evdev code + 8, which Qt's xcb and Wayland platforms report as the native
// scan code) and by the set-1 scan code that Windows reports; 0 for other keys.
char32_t UsPlaceOfXkbKeycode(unsigned keycode);
char32_t UsPlaceOfScanCode(unsigned scanCode);

}  // namespace platform
