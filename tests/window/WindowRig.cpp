#include "tests/window/WindowRig.h"

#include <gtest/gtest.h>

#include "controls/VexoButton.h"
#include "tests/support/TestLibraryWriter.h"
#include "ui/PaintBox.h"

namespace windowtest {

using vx8test::Coding;
using vx8test::MakeRecord;
using vx8test::Pixels;

namespace {

Pixels Strip(uint16_t w, uint16_t frameHeight, uint8_t value) {
  Pixels p(w, uint16_t(3 * frameHeight));
  for (int y = 0; y < p.Height; ++y)
    for (int x = 0; x < w; ++x) p.At(x, y) = uint8_t(value + y / frameHeight);
  return p;
}

Pixels Tile() {
  Pixels p(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) p.At(x, y) = uint8_t(TileValue + (x + y) % 8);
  return p;
}

}  // namespace

std::vector<vx8test::Record> WindowRecords(const std::string& leaveOut) {
  std::vector<vx8test::Record> records = rendertest::TestRecords(leaveOut);
  auto add = [&](const std::string& name, const Pixels& p) {
    if (name != leaveOut) records.push_back(MakeRecord(name, p, Coding::PlainRuns));
  };
  add("tile", Tile());
  add("start", Strip(156, 28, StartValue));
  add("exit", Strip(156, 28, ExitValue));
  add("min_btn", Strip(40, 28, MinusValue));
  add("plus_btn", Strip(40, 28, PlusValue));
  return records;
}

TWindowRig::TWindowRig(const TWindowOptions& options) {
  if (options.WriteLibrary)
    vx8test::WriteBytes(DataDir() + "zelto.vx8",
                        vx8test::LibraryBytes(WindowRecords(options.LeaveOut)));
  TFormZeltoSetup setup;
  setup.DataDir = DataDir();
  setup.ShowAbout = [this] { ++AboutShown; };
  setup.AboutWhenShown = options.AboutWhenShown;
  setup.Language = options.Language;
  Form_ = std::make_unique<TFormZelto>(Host_, Random, setup);
  Host_.SetClient(Form_.get());
}

TWindowRig::~TWindowRig() {
  Host_.SetClient(nullptr);
}

void TWindowRig::Show() {
  Host_.Show();
}

void TWindowRig::Click(TPoint at, platform::MouseButton button) {
  Press(at, button);
  Release(at, button);
}

void TWindowRig::Press(TPoint at, platform::MouseButton button) {
  Form_->MouseDown(button, at.X, at.Y);
  Host_.Flush();
}

void TWindowRig::MoveTo(TPoint at) {
  Form_->MouseMove(at.X, at.Y);
  Host_.Flush();
}

void TWindowRig::Release(TPoint at, platform::MouseButton button) {
  Form_->MouseUp(button, at.X, at.Y);
  Host_.Flush();
}

void TWindowRig::Key(char key) {
  Form_->KeyPress(char32_t(static_cast<unsigned char>(key)));
  Host_.Flush();
}

void TWindowRig::KeyUp() {
  Form_->KeyUp();
  Host_.Flush();
}

int TWindowRig::Tick(int count) {
  int delivered = 0;
  for (; delivered < count && Host_.Tick(); ++delivered) Host_.Flush();
  return delivered;
}

int TWindowRig::RunTimer() {
  return Tick(10000);
}

TPoint TWindowRig::OnBoard(int x, int y) const {
  const TPoint board = Form_->BoardOrigin(true);
  return {board.X + x, board.Y + y};
}

TPoint TWindowRig::ArrowCentre(TAxis axis, int index) const {
  const TRect r = Form_->State().Layout().ArrowRect({axis, index});
  return OnBoard((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

TPoint TWindowRig::Centre(const ui::TControl* control) {
  const TRect& b = control->Bounds();
  return {(b.Left + b.Right - 1) / 2, (b.Top + b.Bottom - 1) / 2};
}

// Read from a library of the rig's own over the same file: the window's is its own business.
uint32_t TWindowRig::Color(uint8_t index) const {
  if (!Colours) {
    Colours = std::make_unique<TVX8Library>();
    Colours->OpenLibrary(DataDir() + "zelto.vx8");
  }
  return Colours->GetHPal()->Rgb32(index);
}

void StartAndShuffle(TWindowRig& rig) {
  rig.Show();
  rig.Click(TWindowRig::Centre(rig.Button("cmdStart")));
  rig.RunTimer();
  ASSERT_TRUE(rig.State().Playing);
  ASSERT_EQ(rig.State().ShuffleCount, 0);
}

TRect PartBounds(TFormZelto& form, const std::string& id) {
  const platform::AccessibleNode tree = form.Accessible();
  const platform::AccessibleNode* part = platform::FindAccessible(tree, id);
  if (!part) throw std::logic_error("the window has no such part: " + id);
  return part->Bounds;
}

}  // namespace windowtest
