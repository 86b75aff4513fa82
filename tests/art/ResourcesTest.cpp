#include <gtest/gtest.h>

#include <QImage>
#include <iterator>

#include "platform/qt/AppCursors.h"
#include "tools/artbuilder/ArtResources.h"

namespace {

// These load from the resources compiled into the test binary, as the game loads them.

TEST(ArtResources, CursorsAreCompiledInWithTheirHotSpotsOnTheFingertip) {
  for (const art::CursorResource& c : {art::kHandCursor, art::kLinkCursor}) {
    const QImage image(QString::fromLatin1(c.Path));
    ASSERT_FALSE(image.isNull()) << c.Path;
    EXPECT_EQ(image.size(), QSize(art::kCursorSize, art::kCursorSize)) << c.Path;
    ASSERT_TRUE(image.rect().contains(c.HotX, c.HotY)) << c.Path;
    // The hot spot is on the hand, near its top: the pixel above or to the left may be clear,
    // but the hot spot itself is drawn.
    EXPECT_GT(qAlpha(image.pixel(c.HotX, c.HotY)), 128) << c.Path;
    int above = 0;
    for (int y = 0; y < c.HotY; ++y) above += qAlpha(image.pixel(c.HotX, y)) > 128;
    EXPECT_LE(above, 1) << c.Path << ": the hot spot should be the topmost point";
    EXPECT_EQ(qAlpha(image.pixel(art::kCursorSize - 1, 0)), 0) << c.Path;
  }
  EXPECT_NE(QImage(art::kHandCursor.Path), QImage(art::kLinkCursor.Path));
}

TEST(ArtResources, TheGamesCursorTableLoadsTheseCursorsAtTheirHotSpots) {
  const auto table = platform::CursorResources();
  ASSERT_EQ(table.size(), 2u);
  const art::CursorResource drawn[] = {art::kHandCursor, art::kLinkCursor};
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(table[i].Number, 3000 + int(i));
    EXPECT_EQ(table[i].Path, QString::fromLatin1(drawn[i].Path));
    EXPECT_EQ(table[i].HotSpot, QPoint(drawn[i].HotX, drawn[i].HotY)) << drawn[i].Path;
  }
  platform::ClearAppCursors();
  EXPECT_EQ(platform::LoadCursors(), 2);
  EXPECT_EQ(platform::AppCursor(platform::HandCursor).hotSpot(),
            QPoint(art::kHandCursor.HotX, art::kHandCursor.HotY));
  platform::ClearAppCursors();
}

TEST(ArtResources, LogoAndIconsAreRoundEmblemsOfEverySize) {
  QImage logo(QString::fromLatin1(art::kLogo));
  ASSERT_FALSE(logo.isNull());
  EXPECT_EQ(logo.size(), QSize(art::kLogoSize, art::kLogoSize));
  ASSERT_EQ(std::size(art::kIconSizes), std::size(art::kIconPaths));
  for (size_t i = 0; i < std::size(art::kIconPaths); ++i) {
    const QImage icon(QString::fromLatin1(art::kIconPaths[i]));
    ASSERT_FALSE(icon.isNull()) << art::kIconPaths[i];
    const int n = art::kIconSizes[i];
    EXPECT_EQ(icon.size(), QSize(n, n)) << art::kIconPaths[i];
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << art::kIconPaths[i];
    EXPECT_EQ(qAlpha(icon.pixel(n / 2, n / 2)), 255) << art::kIconPaths[i];
  }
}

}  // namespace
