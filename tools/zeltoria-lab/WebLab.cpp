// The lab of the test build of the page (build-web/lab): `zeltoria_lab_shot` plays
// `zeltoria-lab shot` actions on a window of its own, which leaves the player's game as it was,
// and the player's game is read without touching it. The shipped page has none of this.
#include <emscripten.h>

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/web/WebGame.h"
#include "game/FormZelto.h"
#include "platform/web/WebHost.h"
#include "tools/zeltoria-lab/ShotPlayer.h"

namespace {

struct TLabResult {
  std::string Text;
  std::string Error;
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgba;
};

TLabResult LabResult;

TRect PlayerArrow(int column, int index) {
  const TFormZelto& form = *web::PlayerForm();
  const TRect r = form.State().Layout().ArrowRect({column ? TAxis::Column : TAxis::Row, index});
  const TPoint origin = form.BoardOrigin(true);
  return {origin.X + r.Left, origin.Y + r.Top, origin.X + r.Right, origin.Y + r.Bottom};
}

}  // namespace

extern "C" {

// Plays a shot on a window of its own: `actions` holds the actions of `zeltoria-lab shot`, one
// per line. Returns 0 with the result below, 2 for actions that do not parse and 1 when the
// window fails to start or a size is beyond the memory; then zeltoria_lab_error says why.
EMSCRIPTEN_KEEPALIVE int zeltoria_lab_shot(const char* actions) {
  LabResult = {};
  std::vector<std::string> args{"lab.png"};
  // One action per line; no string stream, which would bring the C++ locale machinery in.
  for (std::string_view rest = actions ? actions : ""; !rest.empty();) {
    const size_t end = std::min(rest.find('\n'), rest.size());
    if (end > 0) args.emplace_back(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  std::string fault;
  const auto plan = ParseShot(args, fault);
  if (!plan) {
    LabResult.Error = "zeltoria-lab shot: " + fault;
    return 2;
  }
  if (!plan->Language.IsEnglish()) {
    LabResult.Error = "zeltoria-lab shot: the page's lab has the English pictures only";
    return 2;
  }
  for (const TShotAction& action : plan->Actions) {
    if (action.What == TShotAction::About) {
      LabResult.Error = "zeltoria-lab shot: the page's lab photographs the window only";
      return 2;
    }
  }
  try {
    TShotPlayer player(web::PageDataDir, plan->Seed);
    if (player.Failed()) {
      for (const std::string& message : player.Messages()) LabResult.Error += message;
      return 1;
    }
    for (const TShotAction& action : plan->Actions) player.Play(action);
    const platform::MemoryDevice& screen = player.Screen();
    LabResult.Text = player.Text();
    LabResult.Width = screen.Width();
    LabResult.Height = screen.Height();
    // Red, green, blue, alpha bytes, as a canvas takes them.
    LabResult.Rgba.clear();
    LabResult.Rgba.reserve(screen.Pixels().size() * 4);
    for (const uint32_t pixel : screen.Pixels())
      for (const int shift : {16, 8, 0, 24}) LabResult.Rgba.push_back(uint8_t(pixel >> shift));
  } catch (const std::bad_alloc&) {
    LabResult = {};
    LabResult.Error = "zeltoria-lab shot: no memory for a window of that size";
    return 1;
  } catch (const std::length_error& error) {
    LabResult = {};
    LabResult.Error = std::string("zeltoria-lab shot: ") + error.what();
    return 1;
  }
  return 0;
}
EMSCRIPTEN_KEEPALIVE const char* zeltoria_lab_text() {
  return LabResult.Text.c_str();
}
EMSCRIPTEN_KEEPALIVE const char* zeltoria_lab_error() {
  return LabResult.Error.c_str();
}
EMSCRIPTEN_KEEPALIVE int zeltoria_lab_width() {
  return LabResult.Width;
}
EMSCRIPTEN_KEEPALIVE int zeltoria_lab_height() {
  return LabResult.Height;
}
EMSCRIPTEN_KEEPALIVE const uint8_t* zeltoria_lab_pixels() {
  return LabResult.Rgba.data();
}

// The player's game as zeltoria-lab shot prints a game, for tests that play the page.
EMSCRIPTEN_KEEPALIVE const char* zeltoria_state() {
  static std::string text;
  text = web::PlayerForm() ? ShotText(web::PlayerForm()->State()) : std::string();
  return text.c_str();
}

// Where the centre of a move's arrow lies in the client area of the player's game.
EMSCRIPTEN_KEEPALIVE int zeltoria_arrow_x(int column, int index) {
  if (!web::PlayerForm()) return 0;
  const TRect r = PlayerArrow(column, index);
  return (r.Left + r.Right) / 2;
}
EMSCRIPTEN_KEEPALIVE int zeltoria_arrow_y(int column, int index) {
  if (!web::PlayerForm()) return 0;
  const TRect r = PlayerArrow(column, index);
  return (r.Top + r.Bottom) / 2;
}

}  // extern "C"
