#include "about/win32/Win32About.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "platform/Cursors.h"
#include "platform/ResourceFacts.h"
#include "platform/win32/LateBound.h"
#include "platform/win32/Win32Text.h"

namespace {

using platform::win32::Wide;

// The ids of the controls that speak to the dialog.
enum : int { IdWhatIs = 101, IdIKnow = 102, IdUrl = 103 };

constexpr wchar_t PanelClass[] = L"ZeltoriaAboutPanel";

// The one box whose title line the process-wide timer turns.
TWin32About* Flashing = nullptr;

COLORREF ColorRef(uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

HFONT Font(const wchar_t* face, int pixels, bool bold = false, bool underline = false) {
  return CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

// The smallest a translation is drawn; below it a text would be unreadable rather than long.
constexpr int SmallestPixelSize = 7;

// The room `text` takes in `font`, wrapped into `width` when `wrap`.
SIZE TextRoom(HFONT font, const std::wstring& text, int width, bool wrap) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT room{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), -1, &room,
            DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {room.right - room.left, room.bottom - room.top};
}

// The lowered panel: it hands its buttons' clicks and its labels' colours to the dialog.
LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message == WM_CTLCOLORSTATIC)
    return SendMessageW(GetParent(hwnd), message, wParam, lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterPanel() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  WNDCLASSW type{};
  type.lpfnWndProc = PanelProc;
  type.hInstance = GetModuleHandleW(nullptr);
  type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  type.lpszClassName = PanelClass;
  RegisterClassW(&type);
}

// A dialog with no controls of its own: they are made at their places in pixels.
std::vector<WORD> EmptyTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
  dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | WS_CLIPCHILDREN;
  return words;  // no menu, the default class, no title
}

}  // namespace

TWin32About::TWin32About(TRandom& random, uint32_t seed, std::string title, int scale,
                         language::TLanguage words)
    : Box(random), Title(std::move(title)), Scale(scale), Words(words) {
  Box.Create(seed);
  Flashing = this;
  Timer = SetTimer(nullptr, 0, about::FlashInterval, &TWin32About::FlashTimer);
  const int s = Scale;
  Name = Font(L"Times New Roman", 56 * s, true);
  Meaning = Font(L"Times New Roman", 16 * s);
  Normal = Font(L"Arial", 12 * s);
  Small = Font(L"Arial", 11 * s);
  Bold = Font(L"Arial", 16 * s, true);
  BoldLink = Font(L"Arial", 16 * s, true);
  HotLink = Font(L"Arial", 16 * s, true, true);
  Yellow = CreateSolidBrush(RGB(255, 255, 0));
  White = CreateSolidBrush(RGB(255, 255, 255));
  Face = GetSysColorBrush(COLOR_BTNFACE);
  LogoPicture = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), L"LOGO", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

TWin32About::~TWin32About() {
  if (Timer) KillTimer(nullptr, Timer);
  if (Flashing == this) Flashing = nullptr;
  for (HGDIOBJ object : std::initializer_list<HGDIOBJ>{Name, Meaning, Normal, Small, Bold, BoldLink,
                                                       HotLink, Yellow, White, LogoPicture})
    if (object) DeleteObject(object);
  for (HFONT font : FittedFonts) DeleteObject(font);
}

void CALLBACK TWin32About::FlashTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (!Flashing) return;
  Flashing->Box.ShowNextHomeOf();
  if (Flashing->Hwnd) Flashing->ShowHomeOf();
}

void TWin32About::ShowModal(HWND owner) {
  if (Hwnd) return;
  // The manifest asks for the common controls' version 6: its buttons and labels are made by
  // comctl32, which is told so before the first of them.
  static const bool controls = [] {
    const auto start = platform::win32::LateBound<decltype(InitCommonControlsEx)>(
        L"comctl32.dll", "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX which{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    return start && start(&which);
  }();
  (void)controls;
  RegisterPanel();
  std::vector<WORD> dialog = EmptyTemplate();
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(dialog.data()),
                          owner, &TWin32About::DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK TWin32About::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    reinterpret_cast<TWin32About*>(lParam)->Hwnd = hwnd;
  }
  auto* box = reinterpret_cast<TWin32About*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  return box ? box->Handle(message, wParam, lParam) : FALSE;
}

RECT TWin32About::Scaled(int left, int top, int width, int height) const {
  return {left * Scale, top * Scale, (left + width) * Scale, (top + height) * Scale};
}

HWND TWin32About::Make(const wchar_t* type, const std::string& text, DWORD style, RECT place,
                       HFONT font, int id, HWND parent) {
  // Siblings clip each other: the panel, made first, lies on top of what it covers.
  HWND control = CreateWindowExW(
      0, type, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, place.left,
      place.top, place.right - place.left, place.bottom - place.top, parent ? parent : Hwnd,
      reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

// The dialog was laid out for English: a translation gets at least the room the English text
// takes, and a smaller size of the font where it needs more.
HFONT TWin32About::Fitted(HFONT font, std::string_view english, RECT place, bool button) {
  const std::string_view said = Words.Tr(english);
  if (said == english) return font;
  const auto known = FontFor.find({font, english});
  if (known != FontFor.end()) return known->second;
  const HFONT design = font;
  const std::wstring text = Wide(said);
  // A button's frame keeps a few pixels each side; a label wraps its words.
  const int width = place.right - place.left - (button ? 8 * Scale : 0);
  const int height = place.bottom - place.top;
  const SIZE needs = TextRoom(font, Wide(english), width, !button);
  const LONG roomWidth = std::max<LONG>(width, needs.cx),
             roomHeight = std::max<LONG>(height, needs.cy);
  LOGFONTW face{};
  GetObjectW(font, sizeof face, &face);
  for (int pixels = -face.lfHeight - 1; pixels >= SmallestPixelSize * Scale; --pixels) {
    const SIZE room = TextRoom(font, text, int(roomWidth), !button);
    if (room.cx <= roomWidth && room.cy <= roomHeight) break;
    face.lfHeight = -pixels;
    HFONT smaller = CreateFontIndirectW(&face);
    if (!smaller) break;
    FittedFonts.push_back(smaller);
    font = smaller;
  }
  FontFor[{design, english}] = font;
  return font;
}

HWND TWin32About::MakeSaid(const wchar_t* type, std::string_view english, DWORD style, RECT place,
                           HFONT font, int id, HWND parent) {
  const bool button = type == std::wstring_view(L"BUTTON");
  return Make(type, std::string(Words.Tr(english)), style, place,
              Fitted(font, english, place, button), id, parent);
}

// In the tab order OK, "What is a...", then the panel; the first made lies on top.
void TWin32About::CreateControls() {
  using std::string;
  const DWORD label = SS_CENTER | SS_NOPREFIX;
  MakeSaid(L"BUTTON", about::OkButton, WS_TABSTOP | BS_DEFPUSHBUTTON, Scaled(176, 254, 75, 25),
           Normal, IDOK);
  WhatIs = MakeSaid(L"BUTTON", about::WhatIsButton, WS_TABSTOP | BS_PUSHBUTTON,
                    Scaled(121, 15, 89, 21), Normal, IdWhatIs);
  const RECT panel = Scaled(15, 122, 397, 116);
  Panel = CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_CONTROLPARENT, PanelClass, L"",
                          WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP, panel.left, panel.top,
                          panel.right - panel.left, panel.bottom - panel.top, Hwnd, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  MakeSaid(L"STATIC", about::NameMeaning, label, Scaled(13, 7, 374, 79), Meaning, 0, Panel);
  MakeSaid(L"BUTTON", about::IKnowButton, WS_TABSTOP | BS_PUSHBUTTON, Scaled(300, 88, 89, 21),
           Normal, IdIKnow, Panel);

  Make(L"STATIC", string(about::GameName), label, Scaled(126, 27, 278, 63), Name);
  Make(L"STATIC", resources::Version, SS_LEFT, Scaled(360, 36, 30, 14), Small);
  Family = MakeSaid(L"STATIC", about::FamilyLine, label, Scaled(174, 95, 182, 19), Bold);
  Visit = MakeSaid(L"STATIC", about::VisitNote, label, Scaled(31, 126, 52, 30), Normal);
  See = MakeSaid(L"STATIC", about::SeeNote, label, Scaled(338, 126, 64, 30), Normal);
  Url = Make(L"STATIC", string(about::Link), label | SS_NOTIFY, Scaled(101, 132, 224, 19), BoldLink,
             IdUrl);
  HomeOf = Make(L"STATIC", "", label, Scaled(16, 172, 397, 19), Bold);
  MakeSaid(L"STATIC", about::NoticeLine, SS_LEFT | SS_NOPREFIX, Scaled(41, 204, 346, 14), Small);
  MakeSaid(L"STATIC", about::CreditLine, label, Scaled(123, 220, 181, 14), Small);
}

INT_PTR TWin32About::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowTextW(Hwnd,
                     Wide(language::Format(Words.Tr(about::CaptionPattern), {Title})).c_str());
      RECT frame = Scaled(0, 0, about::ClientWidth, about::ClientHeight);
      AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(Hwnd, GWL_STYLE)), FALSE,
                         DWORD(GetWindowLongPtrW(Hwnd, GWL_EXSTYLE)));
      const int width = frame.right - frame.left, height = frame.bottom - frame.top;
      SetWindowPos(Hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                   (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER);
      CreateControls();
      // FormShow: the panel hidden, its button enabled; the timer runs on.
      Box.Show();
      ShowPanelState();
      ShowHomeOf();
      SetFocus(GetDlgItem(Hwnd, IDOK));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
          EndDialog(Hwnd, IDOK);
          Hwnd = nullptr;
          return TRUE;
        case IdWhatIs:
          Box.WhatIsClick();
          ShowPanelState();
          return TRUE;
        case IdIKnow:
          Box.IKnowClick();
          ShowPanelState();
          return TRUE;
        case IdUrl:
          if (HIWORD(wParam) == STN_CLICKED) OpenLink();
          return TRUE;
        default:
          return FALSE;
      }
    case WM_SETCURSOR: {
      // Over the link or its frame the link is highlighted; over the rest, and the logo, not.
      POINT p{};
      GetCursorPos(&p);
      ScreenToClient(Hwnd, &p);
      const RECT frame = Scaled(97, 129, 233, 25);
      const bool onLink = reinterpret_cast<HWND>(wParam) == Url ||
                          (reinterpret_cast<HWND>(wParam) == Hwnd && PtInRect(&frame, p));
      SetLinkHot(onLink);
      if (reinterpret_cast<HWND>(wParam) == Url) {
        ::SetCursor(LoadCursorW(
            GetModuleHandleW(nullptr),
            MAKEINTRESOURCEW(platform::CursorResourceNumber(platform::CursorId::Link))));
        SetWindowLongPtrW(Hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    }
    case WM_CTLCOLORSTATIC: {
      auto dc = reinterpret_cast<HDC>(wParam);
      const auto control = reinterpret_cast<HWND>(lParam);
      SetBkMode(dc, TRANSPARENT);
      COLORREF color = RGB(0, 0, 0);
      HBRUSH back = Face;
      if (control == Family) color = RGB(255, 0, 0);
      if (control == HomeOf) color = ColorRef(Box.HomeOfColor());
      if (control == Url) {
        color = ColorRef(Box.LinkTextColor());
        back = White;
      }
      if (control == Visit || control == See) back = Yellow;
      SetTextColor(dc, color);
      return reinterpret_cast<INT_PTR>(back);
    }
    case WM_PAINT:
      Paint();
      return TRUE;
    default:
      return FALSE;
  }
}

// The bevel, the rounded shapes and the logo, under the controls.
void TWin32About::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Hwnd, &ps);
  RECT bevel = Scaled(7, 8, 413, 237);
  DrawEdge(dc, &bevel, EDGE_ETCHED, BF_RECT);
  const int corner = 12 * Scale;
  HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  for (const auto& [place, brush] :
       {std::pair{Scaled(19, 123, 76, 37), Yellow}, std::pair{Scaled(332, 123, 76, 37), Yellow},
        std::pair{Scaled(97, 129, 233, 25), White}}) {
    HGDIOBJ before = SelectObject(dc, brush);
    RoundRect(dc, place.left, place.top, place.right, place.bottom, corner, corner);
    SelectObject(dc, before);
  }
  SelectObject(dc, pen);
  BITMAP picture{};
  if (LogoPicture && GetObjectW(LogoPicture, sizeof(picture), &picture)) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ before = SelectObject(source, LogoPicture);
    const RECT logo = Scaled(17, 18, 98, 98);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    static const auto alphaBlend =
        platform::win32::LateBound<decltype(AlphaBlend)>(L"msimg32.dll", "AlphaBlend");
    if (alphaBlend)
      alphaBlend(dc, logo.left, logo.top, logo.right - logo.left, logo.bottom - logo.top, source, 0,
                 0, picture.bmWidth, picture.bmHeight, blend);
    SelectObject(source, before);
    DeleteDC(source);
  }
  EndPaint(Hwnd, &ps);
}

void TWin32About::ShowPanelState() {
  ShowWindow(Panel, Box.PanelShown() ? SW_SHOW : SW_HIDE);
  EnableWindow(WhatIs, Box.WhatIsEnabled());
}

void TWin32About::ShowHomeOf() {
  RECT place;
  GetWindowRect(HomeOf, &place);
  SendMessageW(HomeOf, WM_SETFONT,
               reinterpret_cast<WPARAM>(Fitted(Bold, Box.HomeOfLine(), place, false)), FALSE);
  SetWindowTextW(HomeOf, Wide(Words.Tr(Box.HomeOfLine())).c_str());
  InvalidateRect(HomeOf, nullptr, TRUE);
}

void TWin32About::SetLinkHot(bool hot) {
  if (!Box.SetLinkHot(hot)) return;
  SendMessageW(Url, WM_SETFONT, reinterpret_cast<WPARAM>(hot ? HotLink : BoldLink), TRUE);
  InvalidateRect(Url, nullptr, TRUE);
}

// The hourglass shows while the shell opens the link, and goes however that ends.
void TWin32About::OpenLink() {
  wchar_t shown[80] = {};
  GetWindowTextW(Url, shown, 80);
  const std::string link(about::LinkToOpen(platform::win32::Utf8(shown)));
  HCURSOR before = ::SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
  static const auto open =
      platform::win32::LateBound<decltype(ShellExecuteA)>(L"shell32.dll", "ShellExecuteA");
  if (open) open(nullptr, nullptr, link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  ::SetCursor(before);
}
