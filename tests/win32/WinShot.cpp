// zeltoria-wintest: the real main window on the Win32 host, for the tests under Wine.
//   shot OUT.ppm [ACTION ...]   the actions of `zeltoria-lab shot` sent to the window as its
//                               messages, the timer ticked only when told; writes the client
//                               area as a PPM and prints the game as the lab prints it
//   play STATE [seed=N]         the window with its real timer and message loop; after every
//                               message the game and the client area's place are in STATE, and
//                               the palette messages the window took are counted there
//   hog                         has the live game open a window that takes the screen's palette
//                               with colours of its own
//   box                         prints the text of the message box that shows, and answers it
//   foreground                  prints the class of the window in the foreground
//   depth                       prints the screen's colours as the start-up counts them
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/ProcessValues.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32WindowHost.h"
#include "tools/zeltoria-lab/ShotActions.h"
#include "tools/zeltoria-lab/ShotPlayer.h"

namespace {

using platform::win32::Win32WindowHost;

std::string FolderOfExecutable() {
  platform::win32::Win32FileSystem files;
  const std::string path = files.ExecutablePath();
  return path.substr(0, path.rfind('\\') + 1);
}

// A test never waits for a box: what a box would say is printed.
struct TPrintedBoxes : platform::MessageBoxes {
  void ShowError(const std::string& text) override { ShowMessage(text); }
  bool AskWarningYesNo(const std::string& text) override {
    ShowMessage(text);
    return false;
  }
  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

struct TGameWindow {
  TPrintedBoxes Boxes;
  TRandom Random;
  Win32WindowHost Host{
      {TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight}, ApplicationTitle, Boxes};
  language::TLanguage Words;
  std::unique_ptr<TFormZelto> Form;

  // The window in `words`, with that language's data file from its folder.
  explicit TGameWindow(uint32_t seed, language::TLanguage words = {}) : Random(seed), Words(words) {
    DataDir = language::LanguageFolder(FolderOfExecutable(), Words, '\\');
    Form = CreateMainWindow(Host, Random, Words, nullptr, false);
    Host.SetClient(Form.get());
    Host.OnAppActivate = [this] { Form->AppActivate(); };
  }
  ~TGameWindow() { Host.SetClient(nullptr); }
};

LPARAM At(const Win32WindowHost& host, int x, int y) {
  return MAKELPARAM(x * host.Scale(), y * host.Scale());
}

// The action sent as the window system sends it; the timer's ticks only while it runs.
void Play(TGameWindow& game, const TShotAction& action) {
  HWND w = game.Host.Window();
  const LPARAM at = At(game.Host, action.X, action.Y);
  const auto tick = [&] {
    if (!game.Host.TimerRunning()) return false;
    SendMessageW(w, WM_TIMER, 1, 0);
    UpdateWindow(w);
    return true;
  };
  switch (action.What) {
    case TShotAction::Click:
      SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
      UpdateWindow(w);
      SendMessageW(w, WM_LBUTTONUP, 0, at);
      break;
    case TShotAction::Press:
      SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
      break;
    case TShotAction::Move:
      SendMessageW(w, WM_MOUSEMOVE, 0, at);
      break;
    case TShotAction::Release:
      SendMessageW(w, WM_LBUTTONUP, 0, at);
      break;
    case TShotAction::Key:
      SendMessageW(w, WM_CHAR, WPARAM(static_cast<unsigned char>(action.Character)), 1);
      break;
    case TShotAction::KeyUp:
      SendMessageW(w, WM_KEYUP, 0, LPARAM(0xC0000001));
      break;
    case TShotAction::Tick:
      for (int i = 0; i < action.Count && tick(); ++i) {
      }
      break;
    case TShotAction::Run:
      for (int i = 0; i < MaxRunTicks && tick(); ++i) {
      }
      break;
    case TShotAction::Focus:
      SendMessageW(w, WM_CHAR, action.FocusKey == platform::FocusKey::Press ? L'\r' : L'\t', 1);
      break;
    case TShotAction::Resize:
    case TShotAction::Act:
    case TShotAction::About:
      break;
  }
  UpdateWindow(w);
}

// The client area as the screen shows it, red, green, blue.
bool WritePpm(const Win32WindowHost& host, const std::string& path) {
  RECT client{};
  GetClientRect(host.Window(), &client);
  const int w = client.right, h = client.bottom;
  HDC window = GetDC(host.Window());
  HDC memory = CreateCompatibleDC(window);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ before = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, w, h, window, 0, 0, SRCCOPY);
  GdiFlush();
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << w << " " << h << "\n255\n";
  const auto* pixels = static_cast<const uint8_t*>(bits);
  for (int i = 0; i < w * h; ++i)
    out.put(char(pixels[4 * i + 2])).put(char(pixels[4 * i + 1])).put(char(pixels[4 * i]));
  SelectObject(memory, before);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(host.Window(), window);
  return bool(out);
}

int Shot(const std::vector<std::string>& args) {
  std::string error;
  const auto plan = ParseShot(args, error);
  if (!plan) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  TGameWindow game(plan->Seed, plan->Language);
  if (game.Form->StartupFailed()) return 1;
  game.Host.Show();
  for (const TShotAction& action : plan->Actions) Play(game, action);
  if (!WritePpm(game.Host, plan->Output)) return 1;
  std::fputs(ShotText(game.Form->State()).c_str(), stdout);
  return 0;
}

// A window of the game's process whose palette is a ramp of its own (Wine keeps each process's
// system palette apart: the game hears of another palette on the screen only from its own),
// realised in the foreground while it is active.
HPALETTE Ramp = nullptr;
LRESULT CALLBACK HogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_QUERYNEWPALETTE || message == WM_PAINT) {
    HDC dc = GetDC(hwnd);
    HPALETTE before = SelectPalette(dc, Ramp, FALSE);
    const UINT realised = RealizePalette(dc);
    RECT r{};
    GetClientRect(hwnd, &r);
    for (int i = 0; i < 236; ++i) {
      HBRUSH b = CreateSolidBrush(PALETTEINDEX(i));
      RECT band{r.right * i / 236, 0, r.right * (i + 1) / 236, r.bottom};
      FillRect(dc, &band, b);
      DeleteObject(b);
    }
    SelectPalette(dc, before, FALSE);
    ReleaseDC(hwnd, dc);
    if (message == WM_PAINT) ValidateRect(hwnd, nullptr);
    return message == WM_QUERYNEWPALETTE ? LRESULT(realised) : 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void OpenPaletteHog() {
  std::vector<std::byte> block(sizeof(LOGPALETTE) + 236 * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = 236;
  PALETTEENTRY* entries = logical->palPalEntry;
  for (int i = 0; i < 236; ++i) {
    const auto v = BYTE(i);
    entries[i] = {v, BYTE(255 - v), BYTE(v / 2), PC_NOCOLLAPSE};
  }
  Ramp = CreatePalette(logical);
  WNDCLASSW type{};
  type.lpfnWndProc = HogProc;
  type.hInstance = GetModuleHandleW(nullptr);
  type.lpszClassName = L"ZeltoriaPaletteHog";
  RegisterClassW(&type);
  HWND w = CreateWindowExW(0, type.lpszClassName, L"Palette hog", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           600, 420, 300, 200, nullptr, nullptr, type.hInstance, nullptr);
  SetForegroundWindow(w);
}

// What `hog` asks of the live game.
constexpr UINT OpenHogMessage = WM_APP + 7;

// Counts the palette messages before the host sees them.
WNDPROC HostProc = nullptr;
int PaletteChanges = 0;
int NewPalettes = 0;
LRESULT Realised = 0;  // the entries the last WM_QUERYNEWPALETTE changed
LRESULT CALLBACK Counting(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == OpenHogMessage) {
    OpenPaletteHog();
    return 0;
  }
  if (message == WM_PALETTECHANGED && reinterpret_cast<HWND>(wParam) != hwnd) ++PaletteChanges;
  const LRESULT result = CallWindowProcW(HostProc, hwnd, message, wParam, lParam);
  if (message == WM_QUERYNEWPALETTE) {
    ++NewPalettes;
    Realised = result;
  }
  return result;
}

int PlayLive(const std::string& statePath, uint32_t seed) {
  TGameWindow game(seed);
  if (game.Form->StartupFailed()) return 1;
  HostProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(game.Host.Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Counting)));
  game.Host.Show();
  std::string written;
  MSG message;
  for (;;) {
    POINT origin{0, 0};
    ClientToScreen(game.Host.Window(), &origin);
    const std::string state = ShotText(game.Form->State()) + "origin=" + std::to_string(origin.x) +
                              "," + std::to_string(origin.y) +
                              " scale=" + std::to_string(game.Host.Scale()) +
                              " palettechanged=" + std::to_string(PaletteChanges) +
                              " querynewpalette=" + std::to_string(NewPalettes) +
                              " realised=" + std::to_string(Realised) + "\n";
    if (state != written) {
      const std::string part = statePath + ".part";
      std::ofstream(part, std::ios::binary) << state;
      MoveFileExW(platform::win32::Wide(part).c_str(), platform::win32::Wide(statePath).c_str(),
                  MOVEFILE_REPLACE_EXISTING);
      written = state;
    }
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

int Hog() {
  HWND game = FindWindowW(platform::win32::FormClassName, nullptr);
  return game && PostMessageW(game, OpenHogMessage, 0, 0) ? 0 : 1;
}

// The first message box of the game's that shows: its text, then OK or No pressed.
int Box() {
  for (int wait = 0; wait < 200; ++wait) {
    HWND box = FindWindowW(L"#32770", platform::win32::Wide(ApplicationTitle).c_str());
    if (box) {
      wchar_t text[1024] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 1024);
      std::fputs((platform::win32::Utf8(text) + "\n").c_str(), stdout);
      PostMessageW(box, WM_COMMAND, GetDlgItem(box, IDNO) ? IDNO : IDOK, 0);
      return 0;
    }
    Sleep(50);
  }
  std::fputs("no message box\n", stderr);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Screen readers reach the window's parts through COM, as in the game.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "shot") return Shot({args.begin() + 1, args.end()});
  if (args.size() >= 2 && args[0] == "play") {
    uint32_t seed = 1;
    if (args.size() >= 3 && args[2].rfind("seed=", 0) == 0)
      seed = uint32_t(std::stoul(args[2].substr(5)));
    return PlayLive(args[1], seed);
  }
  if (!args.empty() && args[0] == "hog") return Hog();
  if (!args.empty() && args[0] == "box") return Box();
  if (!args.empty() && args[0] == "depth") {
    const platform::ColorDepth depth = platform::win32::Win32Screen().ScreenColorDepth();
    std::printf("%d\n", depth.BitsPerPixel * depth.Planes);
    return 0;
  }
  if (!args.empty() && args[0] == "foreground") {
    wchar_t name[128] = {};
    GetClassNameW(GetForegroundWindow(), name, 128);
    std::fputs((platform::win32::Utf8(name) + "\n").c_str(), stdout);
    return 0;
  }
  std::fputs(
      "usage: zeltoria-wintest shot OUT.ppm [ACTION ...] | play STATE [seed=N] | hog | box | "
      "foreground | depth\n",
      stderr);
  return 2;
}
