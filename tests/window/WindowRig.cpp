#include "tests/window/WindowRig.h"

#include <gtest/gtest.h>

#include "controls/VexoButton.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "game/Captions.h"
#include "game/PaintBox.h"
#include "tests/support/TestLibraryWriter.h"

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
  TitlePos = StoredTitlePos;
  SizeLabelPos = StoredSizeLabelPos;
  if (options.WriteLibrary)
    vx8test::WriteBytes(DataDir() + "zelto.vx8",
                        vx8test::LibraryBytes(WindowRecords(options.LeaveOut)));
  TFormZeltoSetup setup;
  setup.DataDir = DataDir();
  setup.Boxes = &Boxes;
  setup.ShowAbout = [this] { ++AboutShown; };
  setup.AboutWhenShown = options.AboutWhenShown;
  setup.ManualTimer = options.ManualTimer;
  Form_ = std::make_unique<TFormZelto>(setup);
}

TWindowRig::~TWindowRig() {
  Form_.reset();
  TitlePos = StoredTitlePos;
  SizeLabelPos = StoredSizeLabelPos;
}

std::string TWindowRig::DataDir() const {
  return Dir.path().toStdString() + "/";
}

void TWindowRig::Show() {
  Form_->show();
  if (!QTest::qWaitForWindowExposed(Form_.get())) ADD_FAILURE() << "the window did not appear";
}

void TWindowRig::Click(QPoint at, Qt::MouseButton button) {
  QTest::mouseClick(Form_->windowHandle(), button, {}, at);
}

void TWindowRig::Press(QPoint at, Qt::MouseButton button) {
  QTest::mousePress(Form_->windowHandle(), button, {}, at);
}

void TWindowRig::MoveTo(QPoint at) {
  QTest::mouseMove(Form_->windowHandle(), at);
}

void TWindowRig::Release(QPoint at, Qt::MouseButton button) {
  QTest::mouseRelease(Form_->windowHandle(), button, {}, at);
}

void TWindowRig::Key(char key, bool autoRepeat) {
  QTest::simulateEvent(Form_->windowHandle(), true, QTest::asciiToKey(key), {},
                       QString(QChar::fromLatin1(key)), autoRepeat);
}

void TWindowRig::KeyUp(char key, bool autoRepeat) {
  QTest::simulateEvent(Form_->windowHandle(), false, QTest::asciiToKey(key), {},
                       QString(QChar::fromLatin1(key)), autoRepeat);
}

int TWindowRig::Tick(int count) {
  int delivered = 0;
  for (; delivered < count && Form_->TimerEnabled(); ++delivered) Form_->tmrZeltoTimer();
  return delivered;
}

int TWindowRig::RunTimer() {
  return Tick(10000);
}

QPoint TWindowRig::OnBoard(int x, int y) const {
  return Form_->pbxBoard->pos() + QPoint(x, y);
}

QPoint TWindowRig::ArrowCentre(bool axis, int index) const {
  const TRect r = Form_->Renderer.ArrowRect(axis, index);
  return OnBoard((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

QPoint TWindowRig::Centre(QWidget* child) const {
  return child->geometry().center();
}

QImage TWindowRig::Screen() {
  QApplication::processEvents();
  const QImage shot = Form_->screen()->grabWindow(Form_->winId()).toImage();
  return shot.convertToFormat(QImage::Format_RGB32);
}

uint32_t TWindowRig::Color(uint8_t index) const {
  return Form_->Library()->GetHPal()->Rgb32(index);
}

void StartAndShuffle(TWindowRig& rig) {
  rig.Show();
  rig.Click(rig.Centre(rig.Form().cmdStart));
  rig.RunTimer();
  ASSERT_TRUE(rig.Model().Playing);
  ASSERT_EQ(rig.Model().ShuffleCount, 0);
}

}  // namespace windowtest
