// A form of windowless controls on a memory host: painting in stored order, painting now over
// what waits, the mouse routed to the control under it and held by it from press to release,
// cursors, invalidation when controls move, and the timer's rhythm.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/RecordingHost.h"
#include "ui/Form.h"
#include "ui/Timer.h"

namespace {

using platform::CursorId;
using platform::MouseButton;

std::vector<std::string> Log;

// Fills its area with its colour and writes what reaches it into the log.
class TPatch : public ui::TControl {
 public:
  TPatch(ui::TForm& form, std::string name, uint32_t rgb)
      : TControl(form, std::move(name)), Rgb(rgb) {}
  void Paint(platform::Device& canvas) override {
    Log.push_back(Name() + " paint");
    canvas.FillRect({0, 0, Width(), Height()}, Rgb);
  }
  void MouseDown(MouseButton, int x, int y) override { Note("down", x, y); }
  void MouseMove(int x, int y) override { Note("move", x, y); }
  void MouseUp(MouseButton, int x, int y) override { Note("up", x, y); }
  void CaptureLost() override { Log.push_back(Name() + " lost"); }

 private:
  void Note(const char* what, int x, int y) {
    Log.push_back(Name() + " " + what + " " + std::to_string(x) + "," + std::to_string(y));
  }
  uint32_t Rgb;
};

class TTestForm : public ui::TForm {
 public:
  using TForm::TForm;
  void FormPaint(platform::Device& canvas) override {
    Log.push_back("form paint");
    canvas.FillRect({0, 0, ClientWidth(), ClientHeight()}, 0x000080);
  }
  void FormMouseDown(MouseButton, int x, int y) override { Note("down", x, y); }
  void FormMouseMove(int x, int y) override { Note("move", x, y); }
  void FormMouseUp(MouseButton, int x, int y) override { Note("up", x, y); }

 private:
  void Note(const char* what, int x, int y) {
    Log.push_back(std::string("form ") + what + " " + std::to_string(x) + "," + std::to_string(y));
  }
};

struct FormFixture : ::testing::Test {
  testsupport::TRecordingHost Host{100, 60};
  TTestForm Form{Host};
  TPatch* Under = nullptr;
  TPatch* Over = nullptr;

  void SetUp() override {
    Log.clear();
    Host.SetClient(&Form);
    Under = Form.Make<TPatch>("under", 0xFF0000);
    Under->SetBounds(10, 10, 40, 30);  // (10, 10) to (50, 40)
    Over = Form.Make<TPatch>("over", 0x00FF00);
    Over->SetBounds(40, 20, 30, 30);  // (40, 20) to (70, 50)
    Over->SetCursor(CursorId::Hand);
    Host.Show();
    Log.clear();
  }
  void TearDown() override { Host.SetClient(nullptr); }
  uint32_t At(int x, int y) const { return Host.Screen().Pixel(x, y) & 0xFFFFFF; }
};

TEST_F(FormFixture, PaintsTheFormThenItsControlsInStoredOrderOverWhatIsInvalid) {
  EXPECT_EQ(At(5, 5), 0x000080u);
  EXPECT_EQ(At(20, 20), 0xFF0000u);
  EXPECT_EQ(At(45, 25), 0x00FF00u) << "the later control lies on top";
  Form.InvalidateRect({0, 0, 20, 20});
  Host.Flush();
  EXPECT_EQ(Log, (std::vector<std::string>{"form paint", "under paint"}))
      << "a control outside the area is not painted";

  // Moving a control repaints where it was and where it is.
  Log.clear();
  Over->SetVisible(false);
  Host.Flush();
  EXPECT_EQ(At(60, 45), 0x000080u);
  Over->SetVisible(true);
  Over->MoveTo({60, 30});
  Host.Flush();
  EXPECT_EQ(At(45, 25), 0xFF0000u);
  EXPECT_EQ(At(65, 35), 0x00FF00u);
}

TEST_F(FormFixture, PaintingNowCoversWhatWaitsAndPaintsTheControlsAbove) {
  Form.InvalidateRect({0, 0, 100, 60});
  Under->PaintNow([](platform::Device& canvas) {
    Log.push_back("frame");
    EXPECT_EQ(canvas.ClipBox(), (TRect{0, 0, 40, 30}));
    canvas.FillRect({0, 0, 100, 100}, 0xFFFF00);
  });
  // What was invalid outside the control first, then the frame, then the control above it.
  EXPECT_EQ(Log, (std::vector<std::string>{"form paint", "over paint", "frame", "over paint"}));
  EXPECT_EQ(At(20, 20), 0xFFFF00u);
  EXPECT_EQ(At(45, 25), 0x00FF00u);
  EXPECT_EQ(At(55, 45), 0x00FF00u);
  Log.clear();
  Host.Flush();
  EXPECT_TRUE(Log.empty()) << "nothing waits any more";
  EXPECT_EQ(At(20, 20), 0xFFFF00u) << "the frame stays until the next painting there";
}

TEST_F(FormFixture, OnlyALeftPressHoldsTheMouseUntilItsReleaseOrTheCaptureIsLost) {
  Form.MouseDown(MouseButton::Right, 20, 20);  // captures nothing
  Form.MouseDown(MouseButton::Left, 60, 45);   // the other control, right still held
  Form.MouseMove(95, 55);                      // outside both
  Form.MouseUp(MouseButton::Right, 95, 55);
  Form.MouseUp(MouseButton::Left, 95, 55);
  Form.MouseDown(MouseButton::Middle, 95, 55);
  Form.MouseMove(20, 20);
  Form.MouseUp(MouseButton::Middle, 20, 20);
  // The form's own area holds a left press too.
  Form.MouseDown(MouseButton::Left, 95, 55);
  Form.MouseMove(20, 20);
  Form.MouseUp(MouseButton::Left, 20, 20);
  // A lost capture ends the press: its release no longer arrives, the next press acts.
  Form.MouseDown(MouseButton::Left, 20, 20);
  Form.CaptureLost();
  Form.MouseUp(MouseButton::Left, 20, 20);
  Form.MouseDown(MouseButton::Left, 60, 45);
  Form.MouseUp(MouseButton::Left, 60, 45);
  EXPECT_EQ(Log, (std::vector<std::string>{"under down 10,10", "over down 20,25", "over move 55,35",
                                           "over up 55,35", "over up 55,35", "form down 95,55",
                                           "under move 10,10", "under up 10,10", "form down 95,55",
                                           "form move 20,20", "form up 20,20", "under down 10,10",
                                           "under lost", "over down 20,25", "over up 20,25"}));
}

TEST_F(FormFixture, ADisabledControlLetsTheMouseThroughToWhatLiesBeneath) {
  Over->SetWindowEnabled(false);
  EXPECT_EQ(Form.ControlAt({45, 25}), Under);
  Form.MouseDown(MouseButton::Left, 45, 25);
  Form.MouseUp(MouseButton::Left, 45, 25);
  Form.MouseDown(MouseButton::Left, 65, 45);
  Form.MouseUp(MouseButton::Left, 65, 45);
  EXPECT_EQ(Log, (std::vector<std::string>{"under down 35,15", "under up 35,15", "form down 65,45",
                                           "form up 65,45"}));
}

TEST_F(FormFixture, EachControlShowsItsOwnCursorAndTheFormItsOwnElsewhere) {
  Form.SetCursor(CursorId::Link);
  Form.MouseMove(5, 5);
  EXPECT_EQ(Host.CursorShown(), CursorId::Link);
  Form.MouseMove(20, 20);
  EXPECT_EQ(Host.CursorShown(), CursorId::Default) << "a control's default is not the form's";
  Form.MouseMove(60, 45);
  EXPECT_EQ(Host.CursorShown(), CursorId::Hand);
  // A change under the pointer shows at once; during a press the cursor stays.
  Over->SetCursor(CursorId::Default);
  EXPECT_EQ(Host.CursorShown(), CursorId::Default);
  Form.MouseDown(MouseButton::Left, 60, 45);
  Form.MouseMove(5, 5);
  EXPECT_EQ(Host.CursorShown(), CursorId::Default);
  Form.MouseUp(MouseButton::Left, 5, 5);
  EXPECT_EQ(Host.CursorShown(), CursorId::Link);
  Form.MouseDown(MouseButton::Right, 5, 5);
  Form.MouseMove(20, 20);
  EXPECT_EQ(Host.CursorShown(), CursorId::Default) << "a right press holds no cursor";
}

TEST(FormTimer, KeepsItsRhythmOnlyANewIntervalRestartsIt) {
  testsupport::TRecordingHost host(10, 10);
  ui::TForm form(host);
  host.SetClient(&form);
  ui::TTimer timer(form, 60);
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetInterval(100);
  EXPECT_FALSE(host.TimerRunning()) << "a new interval does not start a stopped timer";
  timer.SetEnabled(true);
  EXPECT_EQ(host.TimerStarts(), 1);
  EXPECT_EQ(host.TimerInterval(), 100);
  timer.SetEnabled(true);
  timer.SetInterval(100);
  EXPECT_EQ(host.TimerStarts(), 1) << "the same interval and enabling a running timer: nothing";
  timer.SetInterval(55);
  EXPECT_EQ(host.TimerStarts(), 2);
  EXPECT_EQ(host.TimerInterval(), 55);
  EXPECT_TRUE(host.Tick());
  timer.SetEnabled(false);
  EXPECT_FALSE(host.Tick());
  form.TimerTick();  // a late tick of a stopped timer
  EXPECT_EQ(ticks, 1);
  EXPECT_THROW(ui::TTimer(form, 10), std::logic_error) << "a form has one timer";
  host.SetClient(nullptr);
}

}  // namespace
