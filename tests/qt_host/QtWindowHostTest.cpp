// The desktop host of a form: Qt's events reach the form translated, the form's painting and
// cursors reach Qt, the timer keeps its rhythm on a real QTimer, and pixels stay crisp squares
// on a scaled screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "controls/VexoButton.h"
#include "game/FormZelto.h"
#include "platform/qt/AppCursors.h"
#include "platform/qt/QtWindowHost.h"
#include "tests/qt_host/RecordingBoxes.h"
#include "tests/window/WindowRig.h"
#include "ui/Form.h"

namespace {

// A point on Start, which lies at its stored place at the stored client size.
const QPoint StartButton(299 + 10, 329 + 10);

using platform::ClientSize;
using platform::CursorId;
using platform::MouseButton;
using platform::QtWindowHost;

// Writes every event it gets as one line.
class TRecordingClient : public platform::WindowClient {
 public:
  std::vector<std::string> Events;
  int Paints = 0;
  int PaintsWhenShown = -1;  // the paints before the first Shown

  void Paint(platform::Device&) override { ++Paints; }
  void MouseDown(MouseButton b, int x, int y) override { Add("down", b, x, y); }
  void MouseMove(int x, int y) override { Events.push_back(Point("move", x, y)); }
  void MouseUp(MouseButton b, int x, int y) override { Add("up", b, x, y); }
  void KeyPress(char32_t c) override { Events.push_back("key " + std::string(1, char(c))); }
  void KeyUp() override { Events.push_back("keyup"); }
  void Resized(ClientSize s) override { Events.push_back(Point("resized", s.Width, s.Height)); }
  void Activated() override {}
  void CaptureLost() override { Events.push_back("capture lost"); }
  void Shown() override {
    Events.push_back("shown");
    if (PaintsWhenShown < 0) PaintsWhenShown = Paints;
  }
  void TimerTick() override { Events.push_back("tick"); }
  void FocusKeyPress(platform::FocusKey) override {}
  platform::AccessibleNode Accessible() override { return {}; }
  void AccessiblePress(const std::string&) override {}

 private:
  static std::string Point(const char* what, int x, int y) {
    return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y);
  }
  void Add(const char* what, MouseButton b, int x, int y) {
    const char* name = b == MouseButton::Left ? "left" : b == MouseButton::Right ? "right" : "mid";
    Events.push_back(Point(what, x, y) + " " + name);
  }
};

struct HostFixture : ::testing::Test {
  windowtest::TRecordingBoxes Boxes;
  QtWindowHost Host{{120, 80}, QStringLiteral("Test"), Boxes};
  TRecordingClient Client;

  void SetUp() override {
    Host.SetClient(&Client);
    Host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Host));
    QApplication::processEvents();
    Client.Events.clear();
  }
  void TearDown() override { Host.SetClient(nullptr); }
  void Key(Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers = {},
           bool press = true, bool repeat = false) {
    QTest::simulateEvent(Host.windowHandle(), press, key, modifiers, text, repeat);
  }
};

TEST_F(HostFixture, MouseAndKeysReachTheFormTranslated) {
  QWindow* window = Host.windowHandle();
  QTest::mousePress(window, Qt::LeftButton, {}, QPoint(10, 20));
  QTest::mouseMove(window, QPoint(30, 40));
  QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(30, 40));
  QTest::mouseClick(window, Qt::RightButton, {}, QPoint(5, 6));
  QTest::mouseClick(window, Qt::MiddleButton, {}, QPoint(7, 8));
  QTest::mouseClick(window, Qt::BackButton, {}, QPoint(9, 9));  // no button of the game's
  // QTest moves the pointer to each new place before it presses there.
  EXPECT_EQ(Client.Events,
            (std::vector<std::string>{"move 10,20", "down 10,20 left", "move 30,40",
                                      "up 30,40 left", "move 5,6", "down 5,6 right", "up 5,6 right",
                                      "move 7,8", "down 7,8 mid", "up 7,8 mid", "move 9,9"}));

  // A press holds the mouse: moves and the release outside the window still arrive, in client
  // co-ordinates.
  Client.Events.clear();
  QTest::mousePress(window, Qt::LeftButton, {}, QPoint(10, 20));
  QTest::mouseMove(window, QPoint(-30, 200));
  QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(-30, 200));
  EXPECT_EQ(Client.Events, (std::vector<std::string>{"move 10,20", "down 10,20 left",
                                                     "move -30,200", "up -30,200 left"}));

  Client.Events.clear();
  Key(Qt::Key_A, QStringLiteral("a"));
  Key(Qt::Key_A, QStringLiteral("a"), Qt::ControlModifier);
  Key(Qt::Key_A, QStringLiteral("a"), Qt::AltModifier);
  Key(Qt::Key_A, QStringLiteral("a"), Qt::MetaModifier);
  Key(Qt::Key_B, QStringLiteral("B"), Qt::ShiftModifier);
  Key(Qt::Key_B, QStringLiteral("B"), Qt::ShiftModifier, false, true);  // the keyboard's repeat
  Key(Qt::Key_B, QStringLiteral("B"), Qt::ShiftModifier, true, true);
  Key(Qt::Key_B, QStringLiteral("B"), Qt::ShiftModifier, false);
  Key(Qt::Key_Shift, QString(), {}, true);  // no character: nothing to type
  // A Russian layout's "ef" at the place of A (keycode 38) is the A key.
  QKeyEvent ef(QEvent::KeyPress, Qt::Key_unknown, {}, 38, 0, 0, QString(QChar(0x0444)));
  QApplication::sendEvent(&Host, &ef);
  EXPECT_EQ(Client.Events, (std::vector<std::string>{"key a", "key B", "key B", "keyup", "key a"}));
}

TEST_F(HostFixture, TheFormsPaintingCursorAndSizeGoThroughQt) {
  const int paints = Client.Paints;
  Host.Invalidate({0, 0, 10, 10});
  EXPECT_EQ(Client.Paints, paints) << "later, not now";
  QApplication::processEvents();
  EXPECT_EQ(Client.Paints, paints + 1);

  // Now: what waits is painted through the form, then the painting asked for.
  Host.Invalidate({50, 50, 60, 60});
  int painted = 0;
  TRect clip;
  Host.PaintNow({0, 0, 20, 20}, [&](platform::Device& device) {
    ++painted;
    clip = device.ClipBox();
  });
  EXPECT_EQ(painted, 1);
  EXPECT_EQ(clip, (TRect{0, 0, 20, 20}));
  EXPECT_EQ(Client.Paints, paints + 2);

  const std::vector<platform::CursorResource> cursors{
      {3000, QStringLiteral(":/test/test_hand.xpm"), QPoint(3, 4)},
      {3001, QStringLiteral(":/test/test_link.xpm"), QPoint(5, 2)}};
  ASSERT_EQ(platform::LoadCursors(cursors), 2);
  Host.SetCursor(CursorId::Hand);
  EXPECT_EQ(Host.cursor().hotSpot(), QPoint(3, 4));
  Host.SetCursor(CursorId::Default);
  EXPECT_EQ(Host.cursor().shape(), Qt::ArrowCursor);
  platform::ClearAppCursors();

  Host.setFixedSize(150, 90);
  QApplication::processEvents();
  EXPECT_EQ(Client.Events.back(), "resized 150,90");
  EXPECT_EQ(Host.Size(), (ClientSize{150, 90}));
}

// Once, and only after the window has painted its first frame: the form may open a dialog then.
TEST_F(HostFixture, TheFormIsToldOnceThatItIsShown) {
  QtWindowHost other({50, 50}, QStringLiteral("Other"), Boxes);
  TRecordingClient client;
  other.SetClient(&client);
  other.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return client.PaintsWhenShown >= 0; }, 2000));
  EXPECT_GE(client.PaintsWhenShown, 1);
  other.hide();
  other.show();
  QApplication::processEvents();
  const auto shown = std::count(client.Events.begin(), client.Events.end(), "shown");
  EXPECT_EQ(shown, 1);
  other.SetClient(nullptr);
}

// A form whose one control paints a checkerboard of two palette colours, pixel by pixel.
class TCheckerForm : public ui::TForm {
 public:
  explicit TCheckerForm(platform::WindowHost& host) : TForm(host) {
    Palette.Entries[1] = {200, 10, 10, 0};
    Palette.Entries[2] = {10, 10, 200, 0};
  }
  void FormPaint(platform::Device& canvas) override {
    constexpr int size = 8;
    uint8_t bits[size * size];
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) bits[y * size + x] = uint8_t(1 + (x + y) % 2);
    platform::BitmapInfo info = platform::BitmapInfo::Identity();
    info.Header.Width = size;
    info.Header.Height = size;
    canvas.SelectPalette(&Palette, false);
    canvas.StretchDIBits(4, 4, size, size, 0, 0, size, size, bits, info,
                         platform::RasterOp::SrcCopy);
  }
  platform::LogicalPalette Palette;
};

TEST_F(HostFixture, OnAScaledScreenEveryPixelIsASharpSquare) {
  TCheckerForm form(Host);
  Host.SetClient(&form);
  for (const qreal ratio : {2.0, 3.0}) {
    const int scale = int(ratio);
    QImage image(120 * scale, 80 * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    Host.render(&image, QPoint(), QRegion(0, 0, 120, 80));
    // The block's rows are stored bottom-up: its top line is stored row 7.
    for (int y = 4; y < 12; ++y)
      for (int x = 4; x < 12; ++x) {
        const QRgb expected = form.Palette.Rgb32(uint8_t(1 + ((x - 4) + (11 - y)) % 2));
        for (int dy = 0; dy < scale; ++dy)
          for (int dx = 0; dx < scale; ++dx)
            ASSERT_EQ(image.pixel(x * scale + dx, y * scale + dy), expected)
                << "ratio " << ratio << " pixel " << x << "," << y;
      }
  }
  Host.SetClient(&Client);
}

// Counts the paintings of a widget.
class TPaintCounter : public QObject {
 public:
  explicit TPaintCounter(QWidget* watched) { watched->installEventFilter(this); }
  int Paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints;
    return false;
  }
};

// The real main window over a test library, on the Qt host.
struct TGameOnQt {
  windowtest::TRecordingBoxes Boxes;
  QtWindowHost Host{{TFormZelto::StoredClientWidth, TFormZelto::StoredClientHeight},
                    QStringLiteral("Zeltoria"),
                    Boxes};
  vx8test::TempFolder Data;
  TRandom Random{3};
  TFormZeltoSetup Setup;
  std::unique_ptr<TFormZelto> Form;

  TGameOnQt() {
    vx8test::WriteBytes(Data.Path() + "/zelto.vx8",
                        vx8test::LibraryBytes(windowtest::WindowRecords()));
    Setup.DataDir = Data.Path() + "/";
    Setup.AboutWhenShown = false;
  }
  ~TGameOnQt() { Host.SetClient(nullptr); }
  TFormZelto& Show() {
    Form = std::make_unique<TFormZelto>(Host, Random, Setup);
    Host.SetClient(Form.get());
    Host.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Host));
    return *Form;
  }
};

// The keyboard's own repeat on a real timer: a press of the same key every 30 ms for a second.
// Each one sets the move's 100 ms interval again, which must not restart the count, or no tick
// and no frame would come while the key is held.
TEST(QtHostTimer, AHeldKeyKeepsTheTicksAndFramesComing) {
  TGameOnQt game;
  QtWindowHost& host = game.Host;
  TFormZelto& form = game.Show();
  QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, StartButton);
  ASSERT_TRUE(form.State().Playing);
  // The host's one timer, seen as Qt sees it.
  const QTimer* timer = host.findChild<QTimer*>();
  ASSERT_NE(timer, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !timer->isActive(); }, 10000));

  TPaintCounter frames(&host);
  QElapsedTimer clock;
  clock.start();
  QTest::simulateEvent(host.windowHandle(), true, Qt::Key_B, {}, QStringLiteral("b"), false);
  while (clock.elapsed() < 1000) {
    QTest::qWait(30);
    QTest::simulateEvent(host.windowHandle(), true, Qt::Key_B, {}, QStringLiteral("b"), true);
  }
  EXPECT_GE(frames.Paints, 5) << "frames of the held move reached the screen";
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 100);
  QTest::simulateEvent(host.windowHandle(), false, Qt::Key_B, {}, QStringLiteral("b"), false);
  EXPECT_TRUE(QTest::qWaitFor([&] { return form.State().MoveIndex == 0; }, 2000));
}

// The title opens the about box on its press, in a modal loop: the release happens over the
// dialog, and the first click after it must act.
TEST(QtHostModal, AfterADialogOpenedByAPressTheFirstClickActs) {
  TGameOnQt game;
  QtWindowHost& host = game.Host;
  const QPoint title(71 + 20, 9 + 8);
  game.Setup.ShowAbout = [&] {
    QDialog dialog(&host);
    dialog.setModal(true);
    QTimer::singleShot(0, &dialog, [&] {
      QTest::mouseRelease(host.windowHandle(), Qt::LeftButton, {}, title);  // blocked: lost
      dialog.accept();
    });
    dialog.exec();
  };
  TFormZelto& form = game.Show();
  QTest::mousePress(host.windowHandle(), Qt::LeftButton, {}, title);
  QTest::mouseClick(host.windowHandle(), Qt::LeftButton, {}, StartButton);
  EXPECT_TRUE(form.State().Playing);
}

}  // namespace
