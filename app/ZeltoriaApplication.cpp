#include "app/ZeltoriaApplication.h"

#include <QMessageBox>
#include <exception>

#include "app/ProcessValues.h"

bool TZeltoriaApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    QMessageBox::critical(activeWindow(), QString::fromLatin1(ApplicationTitle),
                          QString::fromLocal8Bit(error.what()));
  }
  return false;
}
