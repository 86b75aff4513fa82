#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "platform/qt/QtScreen.h"

namespace {

TEST(Screen, DepthIsThePrimaryScreensBitsOnOnePlane) {
  int argc = 1;
  char name[] = "screen";
  char* argv[] = {name, nullptr};
  const platform::QtScreen screen;
  EXPECT_EQ(screen.ScreenColorDepth().BitsPerPixel, 0);  // no application, no screen
  QGuiApplication app(argc, argv);
  ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
  const platform::ColorDepth depth = screen.ScreenColorDepth();
  EXPECT_EQ(depth.BitsPerPixel, QGuiApplication::primaryScreen()->depth());
  EXPECT_GE(depth.BitsPerPixel, 8);
  EXPECT_EQ(depth.Planes, 1);
}

}  // namespace
