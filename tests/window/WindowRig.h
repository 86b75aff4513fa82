// The real main window over a small library written for the test, shown on the offscreen
// platform and driven by real mouse and key events; the timer ticks only when told.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "game/FormZelto.h"
#include "platform/MessageBoxes.h"
#include "tests/render/RenderRig.h"

namespace windowtest {

// Values of the window's own test pictures; frame k of a button strip is value + k.
constexpr uint8_t TileValue = 200;
constexpr uint8_t MinusValue = 84;
constexpr uint8_t PlusValue = 87;
constexpr uint8_t StartValue = 90;
constexpr uint8_t ExitValue = 93;

// Every picture the window asks for; `leaveOut` names one not to write.
std::vector<vx8test::Record> WindowRecords(const std::string& leaveOut = "");

class TRecordingBoxes : public platform::MessageBoxes {
 public:
  std::vector<std::string> Shown;
  void ShowError(const std::string& text) override { Shown.push_back("error: " + text); }
  bool AskWarningYesNo(const std::string& text) override {
    Shown.push_back("warning: " + text);
    return false;
  }
  void ShowMessage(const std::string& text) override { Shown.push_back(text); }
};

struct TWindowOptions {
  std::string LeaveOut;      // a picture the library lacks
  bool WriteLibrary = true;  // false: no data file at all
  bool ManualTimer = true;
  bool AboutWhenShown = false;
};

class TWindowRig {
 public:
  explicit TWindowRig(const TWindowOptions& options = {});
  ~TWindowRig();

  TFormZelto& Form() { return *Form_; }
  TBoardModel& Model() { return Form_->Model; }
  std::string DataDir() const;

  void Show();

  // Real input, delivered to the window at client co-ordinates.
  void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton);
  void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton);
  void MoveTo(QPoint at);
  void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton);
  void Key(char key, bool autoRepeat = false);
  void KeyUp(char key, bool autoRepeat = false);

  // Timer ticks, delivered while the timer runs; returns how many were.
  int Tick(int count = 1);
  int RunTimer();

  // Where things are in the client area.
  QPoint OnBoard(int x, int y) const;
  QPoint ArrowCentre(bool axis, int index) const;
  QPoint Centre(QWidget* child) const;

  // What the screen shows of the window, and the colour of a palette index there.
  QImage Screen();
  uint32_t Color(uint8_t index) const;

  TRecordingBoxes Boxes;
  int AboutShown = 0;

 private:
  QTemporaryDir Dir;
  std::unique_ptr<TFormZelto> Form_;
};

// Ready to move on a 3 × 3 board: shown, started and shuffled.
void StartAndShuffle(TWindowRig& rig);

}  // namespace windowtest
