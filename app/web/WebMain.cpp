// The game's entry in a web page: the page script hands over the data file it fetched, then
// starts the game here and passes it the page's input, the timer's ticks and the about box's
// events. There is no installation folder, settings store, single-instance guard or colour-depth
// check in a browser: each page is a game of its own with 24-bit colour.
#include <emscripten.h>

#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "about/AboutBox.h"
#include "app/InstallFolder.h"
#include "app/MainWindow.h"
#include "app/ProcessValues.h"
#include "app/web/WebGame.h"
#include "game/FormZelto.h"
#include "platform/KeyInput.h"
#include "platform/ResourceFacts.h"
#include "platform/web/PageFiles.h"
#include "platform/web/WebHost.h"

EM_JS(void, PageShowAbout, (), { zeltoriaPage.showAbout(); });

namespace {

struct TWebGame {
  TRandom Random;
  // A shared link's about box draws its title line's colours from a generator of its own, so
  // that the game's follows from the link's seed alone, whenever Start is pressed.
  TRandom AboutRandom;
  language::TLanguage Words;
  platform::WebHost Host{TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight};
  std::unique_ptr<TFormZelto> Form;
  std::unique_ptr<about::TAboutBox> About;

  ~TWebGame() { Host.SetClient(nullptr); }
};

// The one game of the page, owned here as the desktop entry owns its windows.
std::unique_ptr<TWebGame> Game;

// The page's language by its place among the shipped catalogues, counted from 1; 0 and any
// other number is English.
language::TLanguage LanguageNumber(int number) {
  const auto catalogues = language::ShippedCatalogues();
  if (number < 1 || size_t(number) > catalogues.size()) return {};
  return language::TLanguage(catalogues[size_t(number - 1)]);
}

// Paints what the event invalidated, as the window system does after each event.
template <class Event>
void Deliver(Event&& event) {
  if (!Game || !Game->Form) return;
  event(*Game->Form);
  Game->Host.Flush();
}

platform::MouseButton ButtonOf(int button) {
  return button == 2   ? platform::MouseButton::Right
         : button == 1 ? platform::MouseButton::Middle
                       : platform::MouseButton::Left;
}

}  // namespace

namespace web {

const TFormZelto* PlayerForm() {
  return Game ? Game->Form.get() : nullptr;
}

}  // namespace web

extern "C" {

// Room for the data file, `size` bytes, which the page fills before it starts the game; null
// when there is no memory for it. Without it the game reports the file missing, as on the
// desktop.
EMSCRIPTEN_KEEPALIVE uint8_t* zeltoria_data_file(uint32_t size) {
  try {
    return platform::AddPageFile(std::string(web::PageDataDir) + "zelto.vx8", size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

// Starts the game, its first puzzle dealt from `seed` when `seeded`, else from the clock, its
// texts in the language numbered `language` (see LanguageNumber) and its pictures from the
// data file the page handed over, that language's. Returns 0, or 1 when the window could not
// be made (it has shown why).
EMSCRIPTEN_KEEPALIVE int zeltoria_start(uint32_t seed, int seeded, int language) {
  Game = std::make_unique<TWebGame>();
  Game->Words = LanguageNumber(language);
  Game->Random.Seed = seeded ? seed : ClockSeed();
  DataDir = web::PageDataDir;
  // The about box shows once the window is on the screen, as the desktop shows it.
  Game->Form = CreateMainWindow(Game->Host, Game->Random, Game->Words,
                                [] { Game->Host.AfterFirstFrame(PageShowAbout); });
  Game->Host.SetClient(Game->Form.get());
  // The about box is made right after the window and seeds its generator again.
  Game->About = std::make_unique<about::TAboutBox>(seeded ? Game->AboutRandom : Game->Random);
  Game->About->Create(seeded ? seed : ClockSeed());
  if (StartupFailed) return 1;
  Game->Host.Show();
  return 0;
}

EMSCRIPTEN_KEEPALIVE void zeltoria_mouse_down(int button, int x, int y) {
  Deliver([&](TFormZelto& f) { f.MouseDown(ButtonOf(button), x, y); });
}
EMSCRIPTEN_KEEPALIVE void zeltoria_mouse_move(int x, int y) {
  Deliver([&](TFormZelto& f) { f.MouseMove(x, y); });
}
EMSCRIPTEN_KEEPALIVE void zeltoria_mouse_up(int button, int x, int y) {
  Deliver([&](TFormZelto& f) { f.MouseUp(ButtonOf(button), x, y); });
}
// A key pressed: what it types (0 for nothing), the letter or digit at its place on a US
// keyboard (0 for none), and `flags`: its kind in bits 0-1 (1 Tab, 2 Enter, 3 Space), then
// 4 Shift and 8 the keyboard's repeat. Shortcuts stay the browser's and never come here.
EMSCRIPTEN_KEEPALIVE void zeltoria_key_down(uint32_t typed, uint32_t place, int flags) {
  platform::KeyStroke key;
  key.Kind = platform::KeyKind(flags & 3);
  key.Typed = char32_t(typed);
  key.UsPlace = char32_t(place);
  key.Shift = (flags & 4) != 0;
  key.AutoRepeat = (flags & 8) != 0;
  Deliver([&](TFormZelto& f) { platform::DeliverKeyPress(f, key); });
}
EMSCRIPTEN_KEEPALIVE void zeltoria_key_up(int repeat) {
  Deliver([&](TFormZelto& f) { platform::DeliverKeyRelease(f, repeat != 0); });
}
EMSCRIPTEN_KEEPALIVE void zeltoria_tick() {
  if (Game) Game->Host.Tick();
  Deliver([](TFormZelto&) {});
}
EMSCRIPTEN_KEEPALIVE void zeltoria_activate() {
  Deliver([](TFormZelto& f) {
    f.Activated();
    f.AppActivate();
  });
}
// The browser has shown the game's first frame.
EMSCRIPTEN_KEEPALIVE void zeltoria_frame_shown() {
  if (Game) Game->Host.FramePainted();
}
// A step that waited for the first frame, run as an event of its own.
EMSCRIPTEN_KEEPALIVE void zeltoria_run_step() {
  Deliver([](TFormZelto&) { Game->Host.RunPostedStep(); });
}
// The page mirrors the window's parts from now on: the window tells it what changes.
EMSCRIPTEN_KEEPALIVE void zeltoria_accessibility_on() {
  if (Game) Game->Host.SetAccessibilityActive(true);
}
// The window's parts as JSON for the page's mirror (see platform::AccessibleJson).
EMSCRIPTEN_KEEPALIVE const char* zeltoria_accessible_tree() {
  static std::string json;
  json = Game && Game->Form ? platform::AccessibleJson(Game->Form->Accessible()) : "{}";
  return json.c_str();
}
// Assistive technology pressed the part at `index` of a depth-first walk of the tree.
EMSCRIPTEN_KEEPALIVE void zeltoria_accessible_press(int index) {
  Deliver([&](TFormZelto& f) {
    std::vector<const platform::AccessibleNode*> order;
    const platform::AccessibleNode tree = f.Accessible();
    const auto walk = [&](const auto& self, const platform::AccessibleNode& node) -> void {
      order.push_back(&node);
      for (const platform::AccessibleNode& child : node.Children) self(self, child);
    };
    walk(walk, tree);
    if (index >= 0 && size_t(index) < order.size()) f.AccessiblePress(order[size_t(index)]->Id);
  });
}
// The window no longer has the mouse or the keyboard: the page lost the focus or was hidden.
EMSCRIPTEN_KEEPALIVE void zeltoria_capture_lost() {
  Deliver([](TFormZelto& f) { f.CaptureLost(); });
}
// The message for a data file the page could not fetch, in the language numbered `language`,
// with "%s" where its address goes.
EMSCRIPTEN_KEEPALIVE const char* zeltoria_missing_data_file(int language) {
  static std::string text;
  text = MissingDataFileMessage(LanguageNumber(language), "%s");
  return text.c_str();
}

// The about box's link cursor for the page's CSS: its file, then its hot spot, apart by spaces.
EMSCRIPTEN_KEEPALIVE const char* zeltoria_link_cursor() {
  static const std::string text = std::string(resources::LinkCursor.File) + " " +
                                  std::to_string(resources::LinkCursor.HotX) + " " +
                                  std::to_string(resources::LinkCursor.HotY);
  return text.c_str();
}

// The about box's texts, a line each: the part of the page they go to, "=", the text. The
// title lines are "homeof0" to "homeof2".
EMSCRIPTEN_KEEPALIVE const char* zeltoria_about_texts() {
  static std::string text;
  const std::pair<std::string_view, std::string_view> parts[] = {
      {"name", about::GameName},
      {"version", resources::Version},
      {"whatis", about::WhatIsButton},
      {"family", about::FamilyLine},
      {"visit", about::VisitNote},
      {"see", about::SeeNote},
      {"link", about::Link},
      {"notice", about::NoticeLine},
      {"credit", about::CreditLine},
      {"meaning", about::NameMeaning},
      {"iknow", about::IKnowButton},
      {"ok", about::OkButton},
      {"homeof0", about::HomeOfLines[0]},
      {"homeof1", about::HomeOfLines[1]},
      {"homeof2", about::HomeOfLines[2]}};
  const language::TLanguage& words = Game ? Game->Words : language::TLanguage();
  text = "caption=" + language::Format(words.Tr(about::CaptionPattern), {ApplicationTitle}) + "\n";
  for (const auto& [part, english] : parts) {
    text += part;
    text += '=';
    text += words.Tr(english);
    text += '\n';
  }
  return text.c_str();
}
// The main window's client size, which the page's canvas takes.
EMSCRIPTEN_KEEPALIVE int zeltoria_client_width() {
  return TFormZelto::StoredClientWidth;
}
EMSCRIPTEN_KEEPALIVE int zeltoria_client_height() {
  return TFormZelto::StoredClientHeight;
}
EMSCRIPTEN_KEEPALIVE void zeltoria_about_show() {
  if (Game) Game->About->Show();
}
EMSCRIPTEN_KEEPALIVE void zeltoria_about_what_is() {
  if (Game) Game->About->WhatIsClick();
}
EMSCRIPTEN_KEEPALIVE void zeltoria_about_i_know() {
  if (Game) Game->About->IKnowClick();
}
EMSCRIPTEN_KEEPALIVE int zeltoria_about_panel_shown() {
  return Game && Game->About->PanelShown();
}
EMSCRIPTEN_KEEPALIVE int zeltoria_about_what_is_enabled() {
  return Game && Game->About->WhatIsEnabled();
}
// The title line's timer: the next line, its colour drawn from the game's generator.
EMSCRIPTEN_KEEPALIVE void zeltoria_about_next() {
  if (Game) Game->About->ShowNextHomeOf();
}
EMSCRIPTEN_KEEPALIVE int zeltoria_about_line() {
  return Game ? Game->About->FlashTag() : 0;
}
EMSCRIPTEN_KEEPALIVE uint32_t zeltoria_about_line_color() {
  return Game ? Game->About->HomeOfColor() : 0;
}
// Returns 1 when the link's look changed.
EMSCRIPTEN_KEEPALIVE int zeltoria_about_link_hot(int hot) {
  return Game && Game->About->SetLinkHot(hot != 0);
}
EMSCRIPTEN_KEEPALIVE uint32_t zeltoria_about_link_color() {
  return Game ? Game->About->LinkTextColor() : about::LinkColor;
}

}  // extern "C"
