// The real main window over a small library written for the test, on a memory-device host:
// shown, driven by the window system's events and ticked by hand.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/VexoButton.h"
#include "game/FormZelto.h"
#include "platform/MemoryHost.h"
#include "tests/render/RenderRig.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TempFile.h"

namespace windowtest {

// Values of the window's own test pictures; frame k of a button strip is value + k.
constexpr uint8_t TileValue = 200;
constexpr uint8_t MinusValue = 84;
constexpr uint8_t PlusValue = 87;
constexpr uint8_t StartValue = 90;
constexpr uint8_t ExitValue = 93;

// Every picture the window asks for; `leaveOut` names one not to write.
std::vector<vx8test::Record> WindowRecords(const std::string& leaveOut = "");

struct TWindowOptions {
  std::string LeaveOut;      // a picture the library lacks
  bool WriteLibrary = true;  // false: no data file at all
  bool AboutWhenShown = false;
  language::TLanguage Language;  // the window's words
};

// Where a part of the window lies, as assistive technology is told; throws when there is none.
TRect PartBounds(TFormZelto& form, const std::string& id);

class TWindowRig {
 public:
  explicit TWindowRig(const TWindowOptions& options = {});
  ~TWindowRig();

  TFormZelto& Form() { return *Form_; }
  const TBoardState& State() const { return Form_->State(); }
  // The window's control of that name, as the type it is; throws when there is none.
  template <class Control = ui::TControl>
  Control* Find(const std::string& name) const {
    for (const auto& control : Form_->Controls())
      if (control->Name() == name)
        if (auto* found = dynamic_cast<Control*>(control.get())) return found;
    throw std::logic_error("the window has no such control: " + name);
  }
  TVexoButton* Button(const std::string& name) const { return Find<TVexoButton>(name); }
  TRect PartBounds(const std::string& id) { return windowtest::PartBounds(*Form_, id); }
  testsupport::TRecordingHost& Host() { return Host_; }
  std::string DataDir() const { return Folder.Path() + "/"; }
  // The messages the window showed.
  const std::vector<std::string>& Messages() const { return Host_.Messages; }

  void Show();

  // Input as the window system delivers it, at client co-ordinates; the window then paints
  // what it invalidated.
  void Click(TPoint at, platform::MouseButton button = platform::MouseButton::Left);
  void Press(TPoint at, platform::MouseButton button = platform::MouseButton::Left);
  void MoveTo(TPoint at);
  void Release(TPoint at, platform::MouseButton button = platform::MouseButton::Left);
  void Key(char key);
  void KeyUp();

  // Timer ticks, delivered while the timer runs; returns how many were.
  int Tick(int count = 1);
  int RunTimer();

  // Where things are in the client area.
  TPoint OnBoard(int x, int y) const;
  TPoint ArrowCentre(TAxis axis, int index) const;
  static TPoint Centre(const ui::TControl* control);

  // What the screen shows at a point, and the colour of a palette index there.
  uint32_t ScreenAt(TPoint p) const { return Host_.Screen().Pixel(p.X, p.Y); }
  uint32_t Color(uint8_t index) const;

  int AboutShown = 0;

 private:
  vx8test::TempFolder Folder;
  TRandom Random;
  testsupport::TRecordingHost Host_{TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight};
  std::unique_ptr<TFormZelto> Form_;
  mutable std::unique_ptr<TVX8Library> Colours;
};

// Ready to move on a 3 × 3 board: shown, started and shuffled.
void StartAndShuffle(TWindowRig& rig);

}  // namespace windowtest
