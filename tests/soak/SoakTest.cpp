// The whole game played for a long time by a seeded random stream of events: clicks and drags
// anywhere with any button, keys and their releases, timer ticks, the size buttons, the
// captions, resizes. After every event the game must hold together:
// - no exception leaves a handler;
// - the player's board holds the back board's cells in some arrangement, and exactly the back
//   board's when the game reports a win;
// - while nothing moves, the library holds the pictures it held at rest, with the same use
//   counts, and no damage list grows without bound;
// - what the window shows after a repaint equals a fresh window's rendering of the same state.
// ZELTORIA_SOAK_EVENTS sets the length of the stream (a short one by default).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "controls/VexoButton.h"
#include "game/FormZelto.h"
#include "platform/MemoryHost.h"
#include "tests/support/GameProbe.h"
#include "tests/support/TempFile.h"
#include "tests/window/WindowRig.h"
#include "ui/PaintBox.h"

namespace {

using platform::MouseButton;

class TStream {
 public:
  explicit TStream(uint32_t seed) : State(seed) {}
  uint32_t Next(uint32_t n) {
    State = State * 6364136223846793005ull + 1442695040888963407ull;
    return uint32_t((State >> 33) % n);
  }
  bool OneIn(uint32_t n) { return Next(n) == 0; }

 private:
  uint64_t State;
};

// The library's loaded pictures by name, with their use counts.
std::map<std::string, std::vector<int32_t>> Loaded(const TVX8Library& library) {
  std::map<std::string, std::vector<int32_t>> loaded;
  for (const TVexoNode* n = library.LoadedImages().First; n; n = n->Next) {
    const auto* entry = static_cast<const TImageNode*>(n);
    loaded[entry->Name].push_back(entry->UseCount);
  }
  for (auto& [name, counts] : loaded) std::sort(counts.begin(), counts.end());
  return loaded;
}

size_t LongestDamageList(const TVX8Library& library) {
  size_t longest = 0;
  for (const TVexoNode* n = library.LoadedImages().First; n; n = n->Next) {
    const auto* entry = static_cast<const TImageNode*>(n);
    if (!entry->ImageData) continue;
    size_t length = 0;
    for (const TVexoNode* d = entry->ImageData->DamageList().First; d; d = d->Next) ++length;
    longest = std::max(longest, length);
  }
  return longest;
}

std::vector<uint8_t> CellsInPlay(const TCells& cells, const TBoardState& m) {
  std::vector<uint8_t> values;
  for (int c = 1; c <= m.Cols; ++c)
    for (int r = 1; r <= m.Rows; ++r) values.push_back(cells(c, r));
  return values;
}

class TSoak {
 public:
  explicit TSoak(uint32_t seed) : Events(seed) {
    vx8test::WriteBytes(DataDir() + "zelto.vx8",
                        vx8test::LibraryBytes(windowtest::WindowRecords()));
    TFormZeltoSetup setup = Setup();
    Form.emplace(Host, Random, std::move(setup));
    Host.SetClient(&*Form);
    Host.Show();
    Baseline = Loaded(*Form->Library());
  }
  ~TSoak() { Host.SetClient(nullptr); }

  std::string DataDir() const { return Folder.Path() + "/"; }
  TFormZeltoSetup Setup() {
    TFormZeltoSetup setup;
    setup.DataDir = DataDir();
    setup.AboutWhenShown = false;
    setup.ShowAbout = [this] { ++AboutShown; };
    return setup;
  }

  // One event of the stream, then the painting the window system does after it.
  std::string Play() {
    TFormZelto& f = *Form;
    const int w = f.ClientWidth(), h = f.ClientHeight();
    const uint32_t kind = Finishing ? 30 : Events.Next(100);
    std::string what;
    if (kind < 30) {
      what = "tick";
      Host.Tick();
    } else if (kind < 45) {
      const char keys[] = "ABCDEFGHIJKabcdefghijk1234567890 xz!";
      // The last move of a game that is one move from its end, when one is.
      const char key = Finishing ? 'a' : keys[Events.Next(sizeof keys - 1)];
      Finishing = false;
      what = std::string("key ") + key;
      f.KeyPress(char32_t(key));
    } else if (kind < 55) {
      what = "keyup";
      f.KeyUp();
    } else if (kind < 75) {
      // Presses on the arrows, mostly, where the game is played.
      const TRect r = f.State().Layout().ArrowRect(
          {Events.OneIn(2) ? TAxis::Column : TAxis::Row, int32_t(1 + Events.Next(10))});
      const TPoint board = f.BoardOrigin(true);
      const TPoint p{board.X + r.Left + int(Events.Next(22)) - 1,
                     board.Y + r.Top + int(Events.Next(22)) - 1};
      what = Click(p, p);
    } else if (kind < 85) {
      const char* targets[] = {"cmdStart", "cmdExit", "cmdColM", "cmdColP", "cmdRowM", "cmdRowP"};
      const TRect t = windowtest::PartBounds(f, targets[Events.Next(6)]);
      const TPoint p{t.Left + int(Events.Next(uint32_t(t.Width()))),
                     t.Top + int(Events.Next(uint32_t(t.Height())))};
      what = Click(p, Events.OneIn(5) ? TPoint{int(Events.Next(w)), int(Events.Next(h))} : p);
    } else if (kind < 90) {
      const TRect r = windowtest::PartBounds(f, Events.OneIn(2) ? "title" : "size");
      const TPoint p{r.Left + int(Events.Next(uint32_t(std::max(1, r.Width())))),
                     r.Top + int(Events.Next(uint32_t(std::max(1, r.Height()))))};
      what = Click(p, p);
    } else if (kind < 91) {
      // Random play hardly ever wins; a game one move from its end now and then brings wins
      // into the stream. The player's board is redrawn, as a move would.
      TBoardState& m = TGameProbe::State(f);
      if (m.Playing && m.ShuffleCount == 0 && m.MoveIndex == 0) {
        m.Board = m.BackBoard;
        TGameProbe::Model(f).ShiftColumnDown(1);
        TGameProbe::Redraw(f);
        Finishing = Events.OneIn(2);
        what = "one move from the end";
      }
    } else if (kind < 98) {
      // Anywhere, dragged anywhere, with any button, passing by on the way.
      const TPoint a{int(Events.Next(w + 40)) - 20, int(Events.Next(h + 40)) - 20};
      const TPoint b{int(Events.Next(w + 40)) - 20, int(Events.Next(h + 40)) - 20};
      what = Click(a, b);
    } else {
      const int width =
          Events.OneIn(3) ? TFormZelto::StoredClientWidth : 400 + int(Events.Next(400));
      const int height =
          Events.OneIn(3) ? TFormZelto::StoredClientHeight : 300 + int(Events.Next(300));
      what = "resize " + std::to_string(width) + "x" + std::to_string(height);
      Host.Resize(width, height);
    }
    Host.Flush();
    return what;
  }

  // The faults the state shows now; empty when it holds together.
  std::string Check() {
    TFormZelto& f = *Form;
    const TBoardState& m = f.State();
    std::vector<uint8_t> board = CellsInPlay(m.Board, m), back = CellsInPlay(m.BackBoard, m);
    if (m.Solved && board != back) return "a won game whose board is not the pattern";
    std::sort(board.begin(), board.end());
    std::sort(back.begin(), back.end());
    if (board != back) return "the board lost or gained a cell";
    if (LongestDamageList(*f.Library()) > 64) return "a damage list keeps growing";
    if (!AtRest()) return "";
    if (Loaded(*f.Library()) != Baseline) return "the library's pictures at rest changed";
    return "";
  }

  // Nothing moves, no button is held: the window's picture is its state's.
  bool AtRest() const {
    const TBoardState& m = Form->State();
    return m.MoveIndex == 0 && !Host.TimerRunning() && !Held;
  }

  // Repaints the whole window and compares it with a fresh window brought to the same state;
  // the first differing pixel, or none.
  std::optional<TPoint> CompareWithAFreshWindow() {
    TFormZelto& f = *Form;
    f.Invalidate();
    Host.Flush();
    platform::MemoryHost freshHost(TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight);
    TRandom freshRandom(1);
    TFormZelto fresh(freshHost, freshRandom, Setup());
    freshHost.SetClient(&fresh);
    freshHost.Resize(f.ClientWidth(), f.ClientHeight());
    TGameProbe::State(fresh) = f.State();
    TGameProbe::Redraw(fresh);
    freshHost.Show();
    std::optional<TPoint> differs;
    const platform::MemoryDevice& a = Host.Screen();
    const platform::MemoryDevice& b = freshHost.Screen();
    for (int y = 0; y < a.Height() && !differs; ++y)
      for (int x = 0; x < a.Width() && !differs; ++x)
        if (a.Pixel(x, y) != b.Pixel(x, y)) differs = TPoint{x, y};
    freshHost.SetClient(nullptr);
    return differs;
  }

  const TBoardState& State() const { return Form->State(); }
  int AboutShown = 0;

 private:
  // A press at `from`, moves on the way, and the release at `to`; sometimes the release is
  // left for later, so that other events come while the button is held.
  std::string Click(TPoint from, TPoint to) {
    TFormZelto& f = *Form;
    const MouseButton buttons[] = {MouseButton::Left, MouseButton::Left, MouseButton::Left,
                                   MouseButton::Right, MouseButton::Middle};
    if (Held) {
      f.MouseUp(HeldButton, from.X, from.Y);
      Held = false;
      return "release held";
    }
    const MouseButton button = buttons[Events.Next(5)];
    f.MouseMove(from.X, from.Y);
    f.MouseDown(button, from.X, from.Y);
    Host.Flush();
    f.MouseMove((from.X + to.X) / 2, (from.Y + to.Y) / 2);
    f.MouseMove(to.X, to.Y);
    if (Events.OneIn(8)) {
      Held = true;
      HeldButton = button;
      return "press held";
    }
    f.MouseUp(button, to.X, to.Y);
    return "click";
  }

  TStream Events;
  vx8test::TempFolder Folder;
  platform::MemoryHost Host{TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight};
  TRandom Random{42};
  std::optional<TFormZelto> Form;
  std::map<std::string, std::vector<int32_t>> Baseline;
  bool Held = false;
  MouseButton HeldButton = MouseButton::Left;
  bool Finishing = false;
};

long SoakEvents() {
  const char* value = std::getenv("ZELTORIA_SOAK_EVENTS");
  return value ? std::max(1L, std::atol(value)) : 4000;
}

TEST(Soak, AlongRandomGameEveryEventLeavesTheGameWhole) {
  const long events = SoakEvents();
  TSoak soak(20261208);
  int wins = 0, comparisons = 0;
  bool wasSolved = false;
  std::vector<std::string> recent;
  const TBoardState& model = soak.State();
  for (long i = 0; i < events; ++i) {
    std::string what;
    try {
      what = soak.Play();
    } catch (const std::exception& error) {
      FAIL() << "event " << i << " let an exception out: " << error.what();
    }
    recent.push_back(what);
    if (recent.size() > 8) recent.erase(recent.begin());
    const std::string fault = soak.Check();
    if (!fault.empty()) {
      std::string last;
      for (const std::string& r : recent) last += r + "; ";
      FAIL() << "event " << i << ": " << fault << " (after: " << last << ")";
    }
    if (model.Solved && !wasSolved) ++wins;
    wasSolved = model.Solved;
    if (i % 250 == 0 && soak.AtRest()) {
      ++comparisons;
      const auto differs = soak.CompareWithAFreshWindow();
      ASSERT_FALSE(differs) << "event " << i << ": the window differs from a fresh rendering at "
                            << differs->X << "," << differs->Y;
    }
  }
  EXPECT_GT(comparisons, 0);
  EXPECT_GT(wins, 0);
  std::printf("%ld events, %d wins, %d comparisons with a fresh window\n", events, wins,
              comparisons);
}

}  // namespace
