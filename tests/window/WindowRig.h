// The real main window over a small library written for the test, on a memory-device host:
// shown, driven by the window system's events and ticked by hand.
#pragma once

#include <memory>
#include <string>
#include <vector>

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
};

class TWindowRig {
 public:
  explicit TWindowRig(const TWindowOptions& options = {});
  ~TWindowRig();

  TFormZelto& Form() { return *Form_; }
  TBoardModel& Model() { return Form_->Model; }
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
};

// Ready to move on a 3 × 3 board: shown, started and shuffled.
void StartAndShuffle(TWindowRig& rig);

}  // namespace windowtest
