// The game's Qt application object: an error that escapes an event handler is shown in a
// message box, as the window framework's default handling does, instead of ending the game.
#pragma once

#include <QApplication>

class TZeltoriaApplication : public QApplication {
 public:
  TZeltoriaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

  bool notify(QObject* receiver, QEvent* event) override;
};
