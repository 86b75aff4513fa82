#include "platform/qt/QtScreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

ColorDepth QtScreen::ScreenColorDepth() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return ColorDepth{screen ? screen->depth() : 0, 1};
}

}  // namespace platform
