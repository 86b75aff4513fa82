#include "platform/win32/Win32WindowHost.h"

#include <windowsx.h>

#include <algorithm>
#include <array>

#include "platform/Cursors.h"
#include "platform/KeyInput.h"
#include "platform/win32/Win32Accessibility.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Text.h"

namespace platform::win32 {

namespace {

constexpr UINT_PTR TimerId = 1;
// A step that waited for the first frame.
constexpr UINT RunPostedMessage = WM_APP + 1;
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Whole device pixels per pixel, as many as the screen's scale rounds to: 150 % shows them at 2.
int ScaleFor(int dpi) {
  return std::max(1, (dpi + USER_DEFAULT_SCREEN_DPI / 2) / USER_DEFAULT_SCREEN_DPI);
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi;
}

// The application's cursor table: custom cursors 1 and 2 from the executable's cursor resources,
// loaded when first asked for. The first one missing stops the loading; those not loaded show
// the system's arrow.
HCURSOR CursorFor(CursorId id) {
  static std::array<HCURSOR, 3> table{};
  static bool loaded = false;
  if (!loaded) {
    loaded = true;
    for (const CursorId custom : {CursorId::Hand, CursorId::Link}) {
      HCURSOR cursor =
          LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(CursorResourceNumber(custom)));
      if (!cursor) break;
      table[size_t(custom)] = cursor;
    }
  }
  HCURSOR cursor = table[size_t(id)];
  return cursor ? cursor : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
}

void RegisterFormClass() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.lpfnWndProc = DefWindowProcW;
  type.hInstance = GetModuleHandleW(nullptr);
  type.hIcon = LoadIconW(type.hInstance, MAKEINTRESOURCEW(1));
  type.hIconSm = static_cast<HICON>(LoadImageW(type.hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
  type.lpszClassName = FormClassName;
  RegisterClassExW(&type);
}

}  // namespace

Win32WindowHost::Win32WindowHost(ClientSize size, const std::string& title, MessageBoxes& boxes)
    : Boxes(boxes),
      Size_(size),
      Scale_(ScaleFor(SystemDpi())),
      CursorNow(CursorFor(CursorId::Default)),
      AfterFirstFrame_([this](FirstFrameQueue::Step step) {
        Posted.push_back(std::move(step));
        PostMessageW(Hwnd, RunPostedMessage, 0, 0);
      }),
      Accessibility(std::make_unique<Win32Accessibility>(*this)) {
  RegisterFormClass();
  RECT frame{0, 0, size.Width * Scale_, size.Height * Scale_};
  AdjustWindowRectEx(&frame, Style, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = std::max<int>(work.left, work.left + (work.right - work.left - width) / 2);
  const int top = std::max<int>(work.top, work.top + (work.bottom - work.top - height) / 2);
  Hwnd = CreateWindowExW(0, FormClassName, Wide(title).c_str(), Style, left, top, width, height,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (Hwnd) {
    SetWindowLongPtrW(Hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(Hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
  }
}

Win32WindowHost::~Win32WindowHost() {
  Client = nullptr;
  Accessibility.reset();
  if (Hwnd) {
    SetWindowLongPtrW(Hwnd, GWLP_USERDATA, 0);
    DestroyWindow(Hwnd);
  }
}

void Win32WindowHost::Show(int how) {
  ShowWindow(Hwnd, how);
  UpdateWindow(Hwnd);
}

LRESULT CALLBACK Win32WindowHost::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* host = reinterpret_cast<Win32WindowHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!host) return DefWindowProcW(hwnd, message, wParam, lParam);
  return host->Handle(message, wParam, lParam);
}

LRESULT Win32WindowHost::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the form paints every pixel
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      Mouse(message, wParam, lParam);
      return 0;
    case WM_CAPTURECHANGED:
      // Taken by another window while a button is held: its release will not come here.
      if (Capturing && reinterpret_cast<HWND>(lParam) != Hwnd) {
        Capturing = false;
        if (Client) Client->CaptureLost();
      }
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == Hwnd) {
        ::SetCursor(CursorNow);
        return TRUE;
      }
      break;
    case WM_CHAR:
      Character(wParam, lParam);
      return 0;
    case WM_KEYUP:
      if (Client) DeliverKeyRelease(*Client, false);
      return 0;
    case WM_SYSKEYUP:
      if (Client) DeliverKeyRelease(*Client, false);
      break;  // Alt and F10 still reach the system menu
    case WM_ACTIVATE:
      if (Client) {
        if (LOWORD(wParam) == WA_INACTIVE)
          Client->CaptureLost();
        else
          Client->Activated();
      }
      return 0;
    case WM_KILLFOCUS:
      if (Client) Client->CaptureLost();
      return 0;
    case WM_ACTIVATEAPP:
      if (wParam && OnAppActivate) OnAppActivate();
      return 0;
    case WM_TIMER:
      if (wParam == TimerId && Client) Client->TimerTick();
      return 0;
    case WM_QUERYNEWPALETTE:
      return Client ? Client->QueryNewPalette() : 0;
    case WM_PALETTECHANGED:
      if (Client) Client->PaletteChanged(reinterpret_cast<HWND>(wParam) == Hwnd);
      return 0;
    case WM_GETOBJECT:
      if (LRESULT answer = Accessibility->GetObject(wParam, lParam)) return answer;
      break;
    case WM_DPICHANGED:
      Rescale(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SHOWWINDOW:
      // The first time the window appears, once its first frame is painted: the form may open
      // a modal dialog over it.
      if (wParam && !ShownOnce) {
        ShownOnce = true;
        AfterFirstFrame([this] {
          if (Client) Client->Shown();
        });
      }
      break;
    case RunPostedMessage:
      RunPosted();
      return 0;
    case WM_DESTROY:
      KillTimer(Hwnd, TimerId);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(Hwnd, message, wParam, lParam);
}

void Win32WindowHost::RunPosted() {
  if (Posted.empty()) return;
  const FirstFrameQueue::Step step = std::move(Posted.front());
  Posted.pop_front();
  step();
}

// The area asked for by PaintNow is painted by its own function, the rest that waited through
// the form.
void Win32WindowHost::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Hwnd, &ps);
  if (PaintingNow) {
    const RECT now = DeviceRect(PaintingNowArea);
    ExcludeClipRect(dc, now.left, now.top, now.right, now.bottom);
  }
  RECT box{};
  if (Client && GetClipBox(dc, &box) != NULLREGION) {
    Win32Device device(dc, Scale_, Palettes);
    Client->Paint(device);
  }
  if (PaintingNow) {
    SelectClipRgn(dc, nullptr);
    const RECT now = DeviceRect(PaintingNowArea);
    IntersectClipRect(dc, now.left, now.top, now.right, now.bottom);
    Win32Device device(dc, Scale_, Palettes);
    (*PaintingNow)(device);
  }
  EndPaint(Hwnd, &ps);
  AfterFirstFrame_.FramePainted();
}

void Win32WindowHost::Invalidate(const TRect& area) {
  if (area.IsEmpty()) return;
  const RECT r = DeviceRect(area);
  InvalidateRect(Hwnd, &r, FALSE);
}

// What else waits is painted in the same paint, then `paint` over `area`.
void Win32WindowHost::PaintNow(const TRect& area, const PaintFunction& paint) {
  if (!IsWindowVisible(Hwnd) || area.IsEmpty()) return;
  PaintingNow = &paint;
  PaintingNowArea = area;
  Invalidate(area);
  UpdateWindow(Hwnd);
  PaintingNow = nullptr;
}

void Win32WindowHost::Mouse(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!Client) return;
  const int x = FloorDiv(GET_X_LPARAM(lParam), Scale_);
  const int y = FloorDiv(GET_Y_LPARAM(lParam), Scale_);
  const auto down = [&](MouseButton button) {
    // Held, the mouse stays this window's wherever it goes, so that the release comes here.
    if (!Capturing) {
      Capturing = true;
      SetCapture(Hwnd);
    }
    Client->MouseDown(button, x, y);
  };
  const auto up = [&](MouseButton button) {
    if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && Capturing) {
      Capturing = false;
      ReleaseCapture();
    }
    Client->MouseUp(button, x, y);
  };
  switch (message) {
    case WM_LBUTTONDOWN:
      return down(MouseButton::Left);
    case WM_RBUTTONDOWN:
      return down(MouseButton::Right);
    case WM_MBUTTONDOWN:
      return down(MouseButton::Middle);
    case WM_LBUTTONUP:
      return up(MouseButton::Left);
    case WM_RBUTTONUP:
      return up(MouseButton::Right);
    case WM_MBUTTONUP:
      return up(MouseButton::Middle);
    default:
      Client->MouseMove(x, y);
  }
}

// A typed character, in UTF-16: a character beyond the first plane comes in two messages.
void Win32WindowHost::Character(WPARAM wParam, LPARAM lParam) {
  const auto unit = wchar_t(wParam);
  if (IS_HIGH_SURROGATE(unit)) {
    HighSurrogate = unit;
    return;
  }
  char32_t typed = unit;
  if (IS_LOW_SURROGATE(unit) && HighSurrogate)
    typed = 0x10000 + ((char32_t(HighSurrogate) - 0xD800) << 10) + (char32_t(unit) - 0xDC00);
  HighSurrogate = 0;
  if (!Client) return;
  KeyStroke key;
  key.Kind = typed == U'\t'   ? KeyKind::Tab
             : typed == U'\r' ? KeyKind::Enter
             : typed == U' '  ? KeyKind::Space
                              : KeyKind::Other;
  key.Typed = typed;
  const bool extended = (lParam & (1 << 24)) != 0;
  key.UsPlace = extended ? 0 : UsPlaceOfScanCode(unsigned(lParam >> 16) & 0xFF);
  key.Shift = GetKeyState(VK_SHIFT) < 0;
  // AltGr is Ctrl and Alt together: it types characters and makes no shortcut.
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  key.Shortcut = (control && !alt) || GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0;
  key.AutoRepeat = (lParam & (1 << 30)) != 0;
  DeliverKeyPress(*Client, key);
}

void Win32WindowHost::SetCursor(CursorId cursor) {
  CursorNow = CursorFor(cursor);
  POINT p{};
  RECT client{};
  if (GetCursorPos(&p) && ScreenToClient(Hwnd, &p) && GetClientRect(Hwnd, &client) &&
      PtInRect(&client, p) && (GetCapture() == nullptr || GetCapture() == Hwnd))
    ::SetCursor(CursorNow);
}

// Setting the timer again starts its count afresh; the form's timer decides when that happens.
void Win32WindowHost::StartTimer(int milliseconds) {
  SetTimer(Hwnd, TimerId, UINT(std::max(1, milliseconds)), nullptr);
  TimerRunning_ = true;
}

void Win32WindowHost::StopTimer() {
  KillTimer(Hwnd, TimerId);
  TimerRunning_ = false;
}

int Win32WindowHost::RealizePalette(const LogicalPalette& palette) {
  HDC dc = GetDC(Hwnd);
  if (!dc) return 0;
  int changed = 0;
  {
    Win32Device device(dc, Scale_, Palettes);
    device.SelectPalette(&palette, false);
    changed = device.RealizePalette();
  }
  ReleaseDC(Hwnd, dc);
  return changed;
}

void Win32WindowHost::UpdateColors(const LogicalPalette& palette) {
  HDC dc = GetDC(Hwnd);
  if (!dc) return;
  {
    Win32Device device(dc, Scale_, Palettes);
    device.SelectPalette(&palette, true);
    ::UpdateColors(dc);
  }
  ReleaseDC(Hwnd, dc);
}

// Wine tells a palette display's reserved colours only as NUMRESERVED; Windows as NUMCOLORS.
ScreenPalette Win32WindowHost::ScreenPaletteFacts() const {
  ScreenPalette facts;
  HDC screen = GetDC(nullptr);
  if (!screen) return facts;
  facts.Static = GetSystemPaletteUse(screen) == SYSPAL_STATIC;
  facts.ReservedColors = GetDeviceCaps(screen, NUMCOLORS);
  if (facts.ReservedColors < 0 && (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE))
    facts.ReservedColors = GetDeviceCaps(screen, NUMRESERVED);
  std::array<PALETTEENTRY, 256> entries{};
  if (GetSystemPaletteEntries(screen, 0, 256, entries.data()) == 256)
    for (size_t i = 0; i < 256; ++i)
      facts.System[i] = {entries[i].peRed, entries[i].peGreen, entries[i].peBlue,
                         entries[i].peFlags};
  ReleaseDC(nullptr, screen);
  return facts;
}

void Win32WindowHost::BringToFront() {
  if (IsIconic(Hwnd)) ShowWindow(Hwnd, SW_RESTORE);
  SetForegroundWindow(Hwnd);
  SetFocus(Hwnd);
}

void Win32WindowHost::Rescale(int dpi, const RECT* suggested) {
  const int scale = ScaleFor(dpi);
  if (scale != Scale_) {
    Scale_ = scale;
    RECT frame{0, 0, Size_.Width * Scale_, Size_.Height * Scale_};
    AdjustWindowRectEx(&frame, Style, FALSE, 0);
    const int left = suggested ? suggested->left : 0;
    const int top = suggested ? suggested->top : 0;
    SetWindowPos(Hwnd, nullptr, left, top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (suggested ? 0 : SWP_NOMOVE));
  }
  InvalidateRect(Hwnd, nullptr, FALSE);
}

RECT Win32WindowHost::DeviceRect(const TRect& r) const {
  return {r.Left * Scale_, r.Top * Scale_, r.Right * Scale_, r.Bottom * Scale_};
}

RECT Win32WindowHost::ScreenRect(const TRect& r) const {
  RECT scaled = DeviceRect(r);
  MapWindowPoints(Hwnd, nullptr, reinterpret_cast<POINT*>(&scaled), 2);
  return scaled;
}

TPoint Win32WindowHost::ClientPoint(POINT screen) const {
  ScreenToClient(Hwnd, &screen);
  return {FloorDiv(screen.x, Scale_), FloorDiv(screen.y, Scale_)};
}

bool Win32WindowHost::AccessibilityActive() const {
  return Accessibility->Active();
}

void Win32WindowHost::AccessibleChanged(const std::vector<AccessibleEvent>& events) {
  Accessibility->Changed(events);
}

void Win32WindowHost::Announce(const std::string& text) {
  if (IsWindowVisible(Hwnd)) Accessibility->Announce(text);
}

AccessibleNode Win32WindowHost::AccessibleTree() {
  return Client ? Client->Accessible() : AccessibleNode{};
}

// From the event loop, as a click would come: a dialog it opens holds up no reader.
void Win32WindowHost::AccessiblePress(const std::string& id) {
  Posted.push_back([this, id] {
    if (Client) Client->AccessiblePress(id);
  });
  PostMessageW(Hwnd, RunPostedMessage, 0, 0);
}

}  // namespace platform::win32
