// The modal about box on Windows: a native dialog laid out in client pixels as the box is
// stored, in its own fonts (Arial, Times New Roman), the logo with its transparency, the link
// opened with ShellExecuteA under the hourglass, and the title line cycling every four seconds
// from the box's creation on, shown or not.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "about/AboutBox.h"
#include "platform/win32/WindowsApi.h"

class TWin32About {
 public:
  // The box's creation: `random` is seeded again with `seed` and gives the title line its
  // colours; it outlives the box. `scale` is the main window's device pixels per pixel; the
  // texts are in `words`.
  TWin32About(TRandom& random, uint32_t seed, std::string title, int scale,
              language::TLanguage words = {});
  ~TWin32About();
  TWin32About(const TWin32About&) = delete;
  TWin32About& operator=(const TWin32About&) = delete;

  // Shows the box over `owner` until it is closed.
  void ShowModal(HWND owner);
  // The dialog while it shows, else none.
  HWND Dialog() const { return Hwnd; }

  about::TAboutBox Box;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static void CALLBACK FlashTimer(HWND, UINT, UINT_PTR, DWORD);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  HWND Make(const wchar_t* type, const std::string& text, DWORD style, RECT place, HFONT font,
            int id = 0, HWND parent = nullptr);
  // A control whose text is `english` in the box's language, in `font` or as much smaller as a
  // longer translation needs to fit where the English text does.
  HWND MakeSaid(const wchar_t* type, std::string_view english, DWORD style, RECT place, HFONT font,
                int id = 0, HWND parent = nullptr);
  HFONT Fitted(HFONT font, std::string_view english, RECT place, bool button);
  void ShowPanelState();
  void ShowHomeOf();
  void SetLinkHot(bool hot);
  void OpenLink();
  void Paint();
  RECT Scaled(int left, int top, int width, int height) const;

  std::string Title;
  int Scale;
  language::TLanguage Words;
  std::vector<HFONT> FittedFonts;  // the smaller fonts translations took
  std::map<std::pair<HFONT, std::string_view>, HFONT> FontFor;  // by font and English text
  UINT_PTR Timer = 0;
  HWND Hwnd = nullptr;
  HWND Logo = nullptr;
  HWND WhatIs = nullptr, Panel = nullptr, Url = nullptr, HomeOf = nullptr, Family = nullptr;
  HWND Visit = nullptr, See = nullptr;
  HFONT Name = nullptr, Small = nullptr, Normal = nullptr, Bold = nullptr, BoldLink = nullptr,
        HotLink = nullptr, Meaning = nullptr;
  HBRUSH Yellow = nullptr, White = nullptr, Face = nullptr;
  HBITMAP LogoPicture = nullptr;
};
