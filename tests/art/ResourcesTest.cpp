#include <gtest/gtest.h>

#include <QImage>
#include <iterator>

#include "platform/ResourceFacts.h"
#include "platform/qt/AppCursors.h"
#include "tools/artbuilder/IconArt.h"

namespace {

// These load from the resources compiled into the test binary, as the game loads them.

QString ResourcePath(const char* file) {
  return QString::fromLatin1(resources::QtPrefix) + QLatin1String(file);
}

TEST(ArtResources, CursorsAreCompiledInWithTheirHotSpotsOnTheFingertip) {
  for (const resources::Cursor& c : {resources::HandCursor, resources::LinkCursor}) {
    const QImage image(ResourcePath(c.File));
    ASSERT_FALSE(image.isNull()) << c.File;
    EXPECT_EQ(image.size(), QSize(resources::CursorSize, resources::CursorSize)) << c.File;
    ASSERT_TRUE(image.rect().contains(c.HotX, c.HotY)) << c.File;
    // The hot spot is on the hand, near its top: the pixel above or to the left may be clear,
    // but the hot spot itself is drawn.
    EXPECT_GT(qAlpha(image.pixel(c.HotX, c.HotY)), 128) << c.File;
    int above = 0;
    for (int y = 0; y < c.HotY; ++y) above += qAlpha(image.pixel(c.HotX, y)) > 128;
    EXPECT_LE(above, 1) << c.File << ": the hot spot should be the topmost point";
    EXPECT_EQ(qAlpha(image.pixel(resources::CursorSize - 1, 0)), 0) << c.File;
  }
  EXPECT_NE(QImage(ResourcePath(resources::HandCursor.File)),
            QImage(ResourcePath(resources::LinkCursor.File)));
}

// Loaded when a cursor is first asked for, as the game leaves it until then.
TEST(ArtResources, TheGamesCursorTableLoadsTheseCursorsAtTheirHotSpots) {
  platform::ClearAppCursors();
  EXPECT_EQ(platform::AppCursor(platform::CursorId::Hand).hotSpot(),
            QPoint(resources::HandCursor.HotX, resources::HandCursor.HotY));
  EXPECT_EQ(platform::AppCursor(platform::CursorId::Link).hotSpot(),
            QPoint(resources::LinkCursor.HotX, resources::LinkCursor.HotY));
  platform::ClearAppCursors();
}

TEST(ArtResources, LogoAndIconsAreRoundEmblemsOfEverySize) {
  QImage logo(ResourcePath(resources::LogoFile));
  ASSERT_FALSE(logo.isNull());
  EXPECT_EQ(logo.size(), QSize(resources::LogoSize, resources::LogoSize));
  ASSERT_EQ(std::size(resources::IconSizes), std::size(resources::IconFiles));
  for (size_t i = 0; i < std::size(resources::IconFiles); ++i) {
    const char* file = resources::IconFiles[i];
    const QImage icon(ResourcePath(file));
    ASSERT_FALSE(icon.isNull()) << file;
    const int n = resources::IconSizes[i];
    EXPECT_EQ(icon.size(), QSize(n, n)) << file;
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << file;
    EXPECT_EQ(qAlpha(icon.pixel(n / 2, n / 2)), 255) << file;
  }
}

// A platform may cut the maskable icon to any shape that keeps the middle circle of 80 % of its
// width: the whole square is the background colour, and the emblem stays inside that circle.
TEST(ArtResources, TheWebAppsMaskableIconKeepsTheEmblemInTheSafeZone) {
  const int n = resources::WebMaskableIconSize;
  const QImage icon = art::DrawWebIcon(n, resources::WebMaskableEmblemPercent);
  ASSERT_EQ(icon.size(), QSize(n, n));
  const QRgb background = art::WebBackground().rgb();
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const double dx = x + 0.5 - n / 2.0, dy = y + 0.5 - n / 2.0;
      if (dx * dx + dy * dy > 0.4 * n * 0.4 * n) {
        ASSERT_EQ(icon.pixel(x, y), background) << x << "," << y;
      }
    }
  }
  EXPECT_NE(icon.pixel(n / 2, n / 2), background);
}

}  // namespace
