#include "platform/KeyInput.h"

#include <string_view>

namespace platform {

namespace {

bool IsLatinLetterOrDigit(char32_t c) {
  return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9');
}

// The four rows of letter and digit keys, each a run of consecutive codes from its first key.
struct KeyRow {
  unsigned First;
  std::string_view Keys;
};

char32_t InRows(unsigned code, const KeyRow (&rows)[4]) {
  for (const KeyRow& row : rows)
    if (code >= row.First && code < row.First + row.Keys.size())
      return char32_t(row.Keys[code - row.First]);
  return 0;
}

}  // namespace

char32_t GameCharacter(const KeyStroke& key) {
  if (IsLatinLetterOrDigit(key.Typed) || key.UsPlace == 0) return key.Typed;
  return key.UsPlace;
}

void DeliverKeyPress(WindowClient& window, const KeyStroke& key) {
  if (key.Shortcut) return;
  if (key.Kind == KeyKind::Tab) {
    window.FocusKeyPress(key.Shift ? FocusKey::Previous : FocusKey::Next);
    return;
  }
  if (const char32_t c = GameCharacter(key)) window.KeyPress(c);
  if ((key.Kind == KeyKind::Enter || key.Kind == KeyKind::Space) && !key.AutoRepeat)
    window.FocusKeyPress(FocusKey::Press);
}

void DeliverKeyRelease(WindowClient& window, bool autoRepeat) {
  if (!autoRepeat) window.KeyUp();
}

char32_t UsPlaceOfXkbKeycode(unsigned keycode) {
  static constexpr KeyRow rows[4] = {
      {10, "1234567890"}, {24, "qwertyuiop"}, {38, "asdfghjkl"}, {52, "zxcvbnm"}};
  return InRows(keycode, rows);
}

char32_t UsPlaceOfScanCode(unsigned scanCode) {
  static constexpr KeyRow rows[4] = {
      {0x02, "1234567890"}, {0x10, "qwertyuiop"}, {0x1E, "asdfghjkl"}, {0x2C, "zxcvbnm"}};
  return InRows(scanCode, rows);
}

}  // namespace platform
