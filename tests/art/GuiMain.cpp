// Test entry: drawing needs a QGuiApplication for its fonts, never a display.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "tools/artbuilder/Paint.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  art::UseOnlyTheArtsFonts();
  ::testing::InitGoogleTest(&argc, argv);
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
