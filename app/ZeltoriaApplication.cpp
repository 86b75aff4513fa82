#include "app/ZeltoriaApplication.h"

#include <QMessageBox>
#include <exception>

bool TZeltoriaApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    QMessageBox::critical(activeWindow(), applicationDisplayName(),
                          QString::fromLocal8Bit(error.what()));
  }
  return false;
}
