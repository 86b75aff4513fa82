#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <stdexcept>
#include <vector>

#include "about/DlgAbout.h"
#include "about/ShapeWidget.h"
#include "game/Random.h"
#include "platform/qt/AppCursors.h"

namespace {

constexpr uint32_t KnownSeed = 20240611;

// The application's generator, as the dialog is given it.
TRandom TestRandom;

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

TAboutServices TestServices(std::vector<QString>* opened = nullptr) {
  TAboutServices services;
  services.OpenLink = [opened](const QString& link) {
    if (opened) opened->push_back(link);
  };
  services.SeedSource = [] { return KnownSeed; };
  services.LogoPath = QStringLiteral(":/test/test_logo.xpm");
  return services;
}

QColor TextColor(const QWidget* w) {
  return w->palette().color(QPalette::WindowText);
}

QWidget* NextTabStop(QWidget* from) {
  for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain())
    if (w->focusPolicy() & Qt::TabFocus) return w;
  return nullptr;
}

struct Place {
  const char* Name;
  QRect Rect;
  QString Family;  // empty: the dialog's own font
  int PixelSize;
  bool Bold;
};

TEST(DlgAboutLayout, EveryComponentSitsAtItsPlaceWithItsFont) {
  TDlgAbout dialog(nullptr, TestRandom, TestServices());
  EXPECT_EQ(dialog.size(), QSize(427, 286));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "the user cannot resize it";
  EXPECT_EQ(dialog.font().family(), "Liberation Sans");
  EXPECT_EQ(dialog.font().pixelSize(), 12);

  const QString sans = "Liberation Sans", serif = "Liberation Serif";
  const Place places[] = {
      {"Bevel1", {7, 8, 413, 237}, {}, 0, false},
      {"imgLogo", {17, 18, 98, 98}, {}, 0, false},
      {"Label1", {126, 27, 278, 63}, serif, 56, true},
      {"lblVersion", {360, 36, 30, 14}, sans, 11, false},
      {"cmdWhatIs", {121, 15, 89, 21}, {}, 0, false},
      {"Label2", {174, 95, 182, 19}, sans, 16, true},
      {"Shape1", {19, 123, 76, 37}, {}, 0, false},
      {"Label3", {31, 126, 52, 30}, {}, 0, false},
      {"Shape2", {332, 123, 76, 37}, {}, 0, false},
      {"Label8", {338, 126, 64, 30}, {}, 0, false},
      {"Shape3", {97, 129, 233, 25}, {}, 0, false},
      {"lblURL", {101, 132, 224, 19}, sans, 16, true},
      {"lblHomeOf", {16, 172, 397, 19}, sans, 16, true},
      {"Label5", {41, 204, 346, 14}, sans, 11, false},
      {"Label6", {123, 220, 181, 14}, sans, 11, false},
      {"pnlWhatIs", {15, 122, 397, 116}, {}, 0, false},
      {"Label9", {13, 7, 374, 79}, serif, 16, false},
      {"cmdIKnow", {300, 88, 89, 21}, {}, 0, false},
      {"cmdOK", {176, 254, 75, 25}, {}, 0, false},
  };
  for (const Place& p : places) {
    SCOPED_TRACE(p.Name);
    const auto* w = dialog.findChild<QWidget*>(p.Name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), p.Rect);
    const QString family = p.Family.isEmpty() ? sans : p.Family;
    EXPECT_EQ(w->font().family(), family);
    EXPECT_EQ(w->font().pixelSize(), p.PixelSize ? p.PixelSize : 12);
    EXPECT_EQ(w->font().bold(), p.Bold);
  }
  EXPECT_EQ(dialog.Label9->parentWidget(), dialog.pnlWhatIs);
  EXPECT_EQ(dialog.cmdIKnow->parentWidget(), dialog.pnlWhatIs);
  EXPECT_EQ(TextColor(dialog.Label2), QColor(Qt::red));
  EXPECT_EQ(dialog.Shape1->Fill(), QColor(Qt::yellow));
  EXPECT_EQ(dialog.Shape2->Fill(), QColor(Qt::yellow));
  EXPECT_TRUE(dialog.cmdOK->isDefault());
  EXPECT_FALSE(dialog.Bevel1->isEnabled());
  EXPECT_EQ(dialog.lblVersion->text(), "1.5.0");
  EXPECT_EQ(dialog.Label3->text(), "Come by for a visit!");
  EXPECT_EQ(dialog.Label8->text(), "Lots to see and do!");
  EXPECT_EQ(dialog.cmdWhatIs->text(), "What is a...");
  EXPECT_EQ(dialog.cmdIKnow->text(), "Now I know");
  EXPECT_EQ(dialog.tmrFlash->interval(), 4000);
  EXPECT_TRUE(dialog.tmrFlash->isActive());
  EXPECT_EQ(NextTabStop(dialog.cmdOK), dialog.cmdWhatIs);
  EXPECT_EQ(NextTabStop(dialog.cmdWhatIs), dialog.cmdIKnow) << "the panel's button comes third";
}

TEST(DlgAboutLayout, CaptionFollowsTheApplicationTitle) {
  TAboutServices services = TestServices();
  services.Title = QStringLiteral("Zeltoria");
  TDlgAbout dialog(nullptr, TestRandom, std::move(services));
  EXPECT_EQ(dialog.windowTitle(), "Zeltoria: About");
}

TEST(DlgAboutLayout, LinkCarriesTheLinkCursor) {
  platform::LoadCursors({});
  {
    TDlgAbout dialog(nullptr, TestRandom, TestServices());
    EXPECT_EQ(dialog.lblURL->cursor().shape(), Qt::ArrowCursor) << "no custom cursor loaded";
  }
  const std::vector<platform::CursorResource> resources{
      {3000, ":/test/test_logo.xpm", QPoint(1, 1)}, {3001, ":/test/test_logo.xpm", QPoint(7, 9)}};
  ASSERT_EQ(platform::LoadCursors(resources), 2);
  TDlgAbout dialog(nullptr, TestRandom, TestServices());
  EXPECT_EQ(dialog.lblURL->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(dialog.lblURL->cursor().hotSpot(), QPoint(7, 9));
  platform::ClearAppCursors();
}

TEST(DlgAboutLayout, LogoIsShownWhenPresentAndMissingLogoIsNoFailure) {
  TDlgAbout dialog(nullptr, TestRandom, TestServices());
  ASSERT_FALSE(dialog.imgLogo->pixmap().isNull());
  EXPECT_EQ(dialog.imgLogo->pixmap().size(), QSize(20, 20));
  EXPECT_TRUE(dialog.imgLogo->hasScaledContents());

  TAboutServices missing = TestServices();
  missing.LogoPath = ":/test/no_such_logo.png";
  TDlgAbout bare(nullptr, TestRandom, missing);
  EXPECT_TRUE(bare.imgLogo->pixmap().isNull());
  bare.show();
  EXPECT_TRUE(bare.isVisible());
}

TEST(DlgAboutTitleLine, CyclesFromTheSecondLineWithColoursFromTheGenerator) {
  // The colours the generator gives after the dialog's seed, one draw per line.
  TRandom colours(KnownSeed);
  std::vector<QColor> expected;
  for (int i = 0; i < 5; ++i)
    expected.push_back(QColor::fromRgb(about::HomeOfColors[colours.Random(6)]));
  TestRandom.Seed = 1;

  TDlgAbout dialog(nullptr, TestRandom, TestServices());
  const int order[] = {1, 2, 0, 1, 2};
  for (int step = 0; step < 5; ++step) {
    SCOPED_TRACE(step);
    if (step > 0) dialog.tmrFlashTimer();
    EXPECT_EQ(dialog.lblHomeOf->text(), Text(about::HomeOfLines[size_t(order[step])]));
    EXPECT_EQ(TextColor(dialog.lblHomeOf), expected[step]);
    EXPECT_EQ(dialog.Box.FlashTag(), order[step]);
  }
}

TEST(DlgAboutTitleLine, ColoursAreTheSixOfTheTableInOrder) {
  const QRgb table[] = {0x000000, 0x800000, 0x000080, 0xFF0000, 0x0000FF, 0x008000};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(about::HomeOfColors[size_t(i)], table[i]) << i;
}

TEST(DlgAboutTitleLine, TheTimerTickShowsTheNextLine) {
  TDlgAbout dialog(nullptr, TestRandom, TestServices());
  dialog.tmrFlash->setInterval(1);
  dialog.tmrFlash->start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.Box.FlashTag() == 2; }, 2000));
  EXPECT_EQ(dialog.lblHomeOf->text(), Text(about::HomeOfLines[2]));
}

TEST(DlgAboutWhatIs, PanelOpensDisablingItsButtonUntilDismissedOrShownAgain) {
  TDlgAbout dialog(nullptr, TestRandom, TestServices());
  dialog.show();
  EXPECT_FALSE(dialog.pnlWhatIs->isVisible());
  EXPECT_TRUE(dialog.cmdWhatIs->isEnabled());

  QTest::mouseClick(dialog.cmdWhatIs, Qt::LeftButton);
  EXPECT_TRUE(dialog.pnlWhatIs->isVisible());
  EXPECT_FALSE(dialog.cmdWhatIs->isEnabled());

  QTest::mouseClick(dialog.cmdIKnow, Qt::LeftButton);
  EXPECT_FALSE(dialog.pnlWhatIs->isVisible());
  EXPECT_TRUE(dialog.cmdWhatIs->isEnabled());

  // Closing with the panel open: the next showing starts without it and with the timer on.
  QTest::mouseClick(dialog.cmdWhatIs, Qt::LeftButton);
  dialog.tmrFlash->stop();
  QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  dialog.show();
  EXPECT_FALSE(dialog.pnlWhatIs->isVisible());
  EXPECT_TRUE(dialog.cmdWhatIs->isEnabled());
  EXPECT_TRUE(dialog.tmrFlash->isActive());
}

class DlgAboutLink : public ::testing::Test {
 protected:
  void SetUp() override {
    Dialog = std::make_unique<TDlgAbout>(nullptr, TestRandom, TestServices(&Opened));
    Dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Dialog.get()));
  }

  // Moves the pointer to a point of the dialog as the window system would.
  void MoveTo(QPoint p) { QTest::mouseMove(Dialog.get(), p); }

  bool LooksHot() const {
    const QFont f = Dialog->lblURL->font();
    return f.bold() && f.underline() && TextColor(Dialog->lblURL) == QColor(0, 0, 255);
  }
  bool LooksCold() const {
    const QFont f = Dialog->lblURL->font();
    return f.bold() && !f.underline() && TextColor(Dialog->lblURL) == QColor(Qt::black);
  }

  std::vector<QString> Opened;
  std::unique_ptr<TDlgAbout> Dialog;
};

TEST_F(DlgAboutLink, HighlightFollowsThePointer) {
  EXPECT_FALSE(Dialog->LinkHot());
  EXPECT_TRUE(LooksCold());

  MoveTo(Dialog->lblURL->geometry().center());
  EXPECT_TRUE(Dialog->LinkHot());
  EXPECT_TRUE(LooksHot());

  MoveTo(Dialog->imgLogo->geometry().center());
  EXPECT_FALSE(Dialog->LinkHot());
  EXPECT_TRUE(LooksCold());

  MoveTo(Dialog->Shape3->geometry().topLeft() + QPoint(2, 2));  // the frame, outside the label
  EXPECT_TRUE(LooksHot());

  MoveTo(QPoint(3, 280));  // bare dialog
  EXPECT_TRUE(LooksCold());

  MoveTo(Dialog->lblURL->geometry().center());
  MoveTo(QPoint(200, 240));  // inside the bevel's frame
  EXPECT_TRUE(LooksCold());

  MoveTo(Dialog->lblURL->geometry().center());
  MoveTo(Dialog->Label1->geometry().center());  // a plain label passes the move on
  EXPECT_TRUE(LooksCold());
}

TEST_F(DlgAboutLink, ClickOpensTheLinkTextUnderTheHourglass) {
  Qt::CursorShape during = Qt::ArrowCursor;
  TAboutServices services = TestServices();
  services.OpenLink = [&](const QString& link) {
    Opened.push_back(link);
    during = QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape()
                                               : Qt::ArrowCursor;
  };
  TDlgAbout dialog(nullptr, TestRandom, services);
  dialog.show();
  QTest::mouseClick(dialog.lblURL, Qt::LeftButton, {}, QPoint(20, 8));
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_EQ(Opened[0], dialog.lblURL->text());
  EXPECT_TRUE(Opened[0].startsWith("www.example.com/")) << "a reserved example address";
  EXPECT_EQ(during, Qt::WaitCursor);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  QTest::mouseClick(dialog.lblURL, Qt::RightButton, {}, QPoint(20, 8));
  EXPECT_EQ(Opened.size(), 1u) << "only the left button clicks";
}

TEST_F(DlgAboutLink, ReleaseOffTheLinkOpensNothing) {
  QTest::mousePress(Dialog->lblURL, Qt::LeftButton, {}, QPoint(20, 8));
  QTest::mouseRelease(Dialog->lblURL, Qt::LeftButton, {}, QPoint(20, 40));
  EXPECT_TRUE(Opened.empty());
}

TEST_F(DlgAboutLink, CursorComesBackWhenOpeningFails) {
  TAboutServices services = TestServices();
  services.OpenLink = [](const QString&) { throw std::runtime_error("no browser"); };
  TDlgAbout dialog(nullptr, TestRandom, services);
  EXPECT_THROW(dialog.lblURLClick(), std::runtime_error);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// The rendered box: the yellow shapes, the red family line and dark title text are where they
// belong. The picture is kept in the build folder for a look.
TEST(DlgAboutPicture, RendersItsComponentsInPlace) {
  TDlgAbout dialog(nullptr, TestRandom, TestServices());
  dialog.show();
  const QImage shot = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
  shot.save(QDir(ZELTORIA_BINARY_DIR).filePath("tests/about_dialog.png"));
  ASSERT_EQ(shot.size(), QSize(427, 286));

  auto countIn = [](const QImage& image, QRect r, auto pred) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) n += pred(QColor(image.pixel(x, y)));
    return n;
  };
  auto count = [&](QRect r, auto pred) { return countIn(shot, r, pred); };
  auto yellow = [](QColor c) { return c.red() == 255 && c.green() == 255 && c.blue() == 0; };
  auto reddish = [](QColor c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; };
  auto dark = [](QColor c) { return c.lightness() < 60; };
  EXPECT_GT(count(QRect(20, 124, 10, 30), yellow), 150) << "Shape1's left margin";
  EXPECT_GT(count(QRect(396, 124, 10, 30), yellow), 150) << "Shape2's right margin";
  EXPECT_GT(count(dialog.Label2->geometry(), reddish), 100);
  EXPECT_EQ(count(QRect(0, 95, 170, 19), reddish), 0);
  EXPECT_GT(count(dialog.Label1->geometry(), dark), 1000);
  EXPECT_GT(count(dialog.lblURL->geometry(), dark), 100);

  dialog.SetLinkHot(true);
  const QImage hot = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
  hot.save(QDir(ZELTORIA_BINARY_DIR).filePath("tests/about_dialog_hot.png"));
  auto blue = [](QColor c) { return c.blue() > 200 && c.red() < 80 && c.green() < 80; };
  EXPECT_GT(countIn(hot, dialog.lblURL->geometry(), blue), 100);
  EXPECT_EQ(count(dialog.lblURL->geometry(), blue), 0);
  dialog.SetLinkHot(false);

  // With the panel open its paragraph covers the link and the lines below it.
  dialog.cmdWhatIsClick();
  const QImage panel = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
  panel.save(QDir(ZELTORIA_BINARY_DIR).filePath("tests/about_dialog_whatis.png"));
  EXPECT_EQ(countIn(panel, QRect(20, 124, 10, 30), yellow), 0);
  const QRect paragraph = dialog.Label9->geometry().translated(dialog.pnlWhatIs->pos());
  int ink = 0, lastInkRow = -1;
  for (int y = paragraph.top(); y <= paragraph.bottom(); ++y)
    for (int x = paragraph.left(); x <= paragraph.right(); ++x)
      if (QColor(panel.pixel(x, y)).lightness() < 60) ++ink, lastInkRow = y;
  EXPECT_GT(ink, 1000);
  EXPECT_LT(lastInkRow, paragraph.bottom() - 2) << "the paragraph fits its label";
}

}  // namespace
