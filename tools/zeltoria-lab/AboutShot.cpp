#include "tools/zeltoria-lab/AboutShot.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <memory>

#include "about/DlgAbout.h"
#include "platform/qt/AppCursors.h"

bool PhotographAbout(TRandom& random, const language::TLanguage& words, const std::string& path,
                     std::string& error) {
  std::unique_ptr<QApplication> application;
  if (!QApplication::instance()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zeltoria-lab";
    static char* argv[] = {name, nullptr};
    application = std::make_unique<QApplication>(argc, argv);
  }
  platform::LoadCursors();
  const uint32_t seed = random.Seed;
  TAboutServices services = TAboutServices::Default();
  services.OpenLink = [](const QString&) {};
  services.SeedSource = [seed] { return seed; };
  services.Language = words;
  TDlgAbout dialog(nullptr, random, services);
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) {
    error = "the about dialog did not appear";
    return false;
  }
  QApplication::processEvents();
  QImage shot;
  if (QScreen* screen = dialog.screen()) shot = screen->grabWindow(dialog.winId()).toImage();
  if (shot.size() != dialog.size()) shot = dialog.grab().toImage();
  if (!shot.save(QString::fromStdString(path), "PNG")) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
