// The one key policy of every host: which window events a key stroke becomes, on any layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/KeyInput.h"

namespace {

using platform::KeyKind;
using platform::KeyStroke;

// Writes the key events it gets, the rest of the window left out.
struct TKeyLog : platform::WindowClient {
  std::string Log;

  void KeyPress(char32_t c) override {
    Log += c < 0x80 ? std::string("key ") + char(c) : "key U+" + std::to_string(unsigned(c));
    Log += ';';
  }
  void KeyUp() override { Log += "up;"; }
  void FocusKeyPress(platform::FocusKey key) override {
    Log += key == platform::FocusKey::Next       ? "next;"
           : key == platform::FocusKey::Previous ? "previous;"
                                                 : "press;";
  }
  void Paint(platform::Device&) override {}
  void MouseDown(platform::MouseButton, int, int) override {}
  void MouseMove(int, int) override {}
  void MouseUp(platform::MouseButton, int, int) override {}
  void Resized(platform::ClientSize) override {}
  void Activated() override {}
  void CaptureLost() override {}
  void Shown() override {}
  void TimerTick() override {}
  platform::AccessibleNode Accessible() override { return {}; }
  void AccessiblePress(const std::string&) override {}
};

TEST(KeyInput, AStrokeBecomesTheWindowsEvents) {
  struct Case {
    const char* What;
    KeyStroke Key;
    const char* Events;
  };
  const Case cases[] = {
      {"a letter as typed", {.Typed = U'b', .UsPlace = U'b'}, "key b;"},
      {"AZERTY: the letter printed on the key, not its US place",
       {.Typed = U'a', .UsPlace = U'q'},
       "key a;"},
      {"AZERTY: the digit row by its place", {.Typed = U'&', .UsPlace = U'1'}, "key 1;"},
      {"AZERTY: an accented letter is no Latin letter of the game's",
       {.Typed = U'\u00E9', .UsPlace = U'2'},
       "key 2;"},
      {"AZERTY with Shift: the digit as typed",
       {.Typed = U'3', .UsPlace = U'3', .Shift = true},
       "key 3;"},
      {"Russian: the A key by its place", {.Typed = U'\u0444', .UsPlace = U'a'}, "key a;"},
      {"a character at no letter or digit place", {.Typed = U'\u00E8'}, "key U+232;"},
      {"a dead key at a digit place", {.UsPlace = U'4'}, "key 4;"},
      {"a key that types nothing", {}, ""},
      {"Ctrl, Alt or Meta: a shortcut", {.Typed = U'a', .UsPlace = U'a', .Shortcut = true}, ""},
      {"Tab", {.Kind = KeyKind::Tab, .Typed = U'\t'}, "next;"},
      {"Shift+Tab", {.Kind = KeyKind::Tab, .Shift = true}, "previous;"},
      {"Enter: a character and a press", {.Kind = KeyKind::Enter, .Typed = U'\r'}, "key \r;press;"},
      {"Space held: the press once",
       {.Kind = KeyKind::Space, .Typed = U' ', .AutoRepeat = true},
       "key  ;"},
  };
  for (const Case& c : cases) {
    TKeyLog window;
    platform::DeliverKeyPress(window, c.Key);
    EXPECT_EQ(window.Log, c.Events) << c.What;
  }
  TKeyLog window;
  platform::DeliverKeyRelease(window, true);
  platform::DeliverKeyRelease(window, false);
  EXPECT_EQ(window.Log, "up;") << "the keyboard's repeat lets nothing go";
}

TEST(KeyInput, LetterAndDigitPlacesByKeycodeAndScanCode) {
  const std::pair<unsigned, char32_t> xkb[] = {{9, 0},     {10, U'1'}, {19, U'0'}, {20, 0},
                                               {24, U'q'}, {38, U'a'}, {46, U'l'}, {47, 0},
                                               {52, U'z'}, {58, U'm'}, {59, 0}};
  for (const auto& [code, place] : xkb)
    EXPECT_EQ(platform::UsPlaceOfXkbKeycode(code), place) << code;
  const std::pair<unsigned, char32_t> scan[] = {{0x01, 0},    {0x02, U'1'}, {0x0B, U'0'},
                                                {0x10, U'q'}, {0x1E, U'a'}, {0x2C, U'z'},
                                                {0x32, U'm'}, {0x33, 0}};
  for (const auto& [code, place] : scan)
    EXPECT_EQ(platform::UsPlaceOfScanCode(code), place) << code;
}

}  // namespace
