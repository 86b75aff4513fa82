// artbuilder: draws the game's pictures, maps them onto its palette and writes them out.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/ArtSet.h"
#include "tools/artbuilder/ContactSheet.h"
#include "tools/artbuilder/IconArt.h"
#include "tools/artbuilder/WindowMock.h"

namespace {

struct Options {
  QString PngDir;
  QString MockDir;
  QString Sheet;
  QString ResourceDir;
};

int Usage() {
  std::fprintf(stderr,
               "usage: artbuilder [--png-dir DIR] [--mock-dir DIR] [--sheet FILE.png]\n"
               "                  [--resources-dir DIR]\n"
               "  --png-dir DIR   every picture as DIR/NAME.png, as mapped onto the palette\n"
               "  --mock-dir DIR  the main window composed from the pictures\n"
               "  --sheet FILE    a contact sheet of every picture at twice its size\n"
               "  --resources-dir DIR  the cursors, logo and icons as PNG files\n");
  return 2;
}

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&](QString& target) {
      if (i + 1 >= argc) return false;
      target = QString::fromLocal8Bit(argv[++i]);
      return true;
    };
    if (a == "--png-dir") {
      if (!value(o.PngDir)) return false;
    } else if (a == "--mock-dir") {
      if (!value(o.MockDir)) return false;
    } else if (a == "--resources-dir") {
      if (!value(o.ResourceDir)) return false;
    } else if (a == "--sheet") {
      if (!value(o.Sheet)) return false;
    } else {
      return false;
    }
  }
  return true;
}

void Save(const QImage& image, const QString& path) {
  if (!image.save(path, "PNG")) throw std::runtime_error("cannot write " + path.toStdString());
}

void WriteMocks(const std::vector<vx8::Picture>& pictures, const QString& dir) {
  QDir().mkpath(dir);
  const struct {
    const char* File;
    art::MockScene Scene;
  } mocks[] = {
      {"mock_playing.png", {art::MockState::Playing, 4, 4, 3, true, 2}},
      {"mock_playing_5x5.png", {art::MockState::Playing, 5, 5, 7, false, 8}},
      {"mock_idle.png", {art::MockState::Idle, 3, 3, 5, true, 0}},
      {"mock_won.png", {art::MockState::Won, 5, 3, 9, true, 0}},
  };
  for (const auto& m : mocks) {
    const QImage mock = art::DrawWindowMock(pictures, art::GamePalette(), m.Scene);
    const QString path = dir + "/" + m.File;
    Save(mock, path);
    // Twice the size, pixels kept square, for looking closely.
    Save(mock.scaled(mock.size() * 2), QString(path).replace(".png", "_x2.png"));
    Save(mock.copy(37, 104, 208, 208).scaled(832, 832),
         QString(path).replace(".png", "_board_x4.png"));
    Save(mock.copy(273, 104, 208, 208).scaled(832, 832),
         QString(path).replace(".png", "_back_x4.png"));
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Drawing needs fonts, not a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  Options options;
  if (!Parse(argc, argv, options)) return Usage();
  try {
    const std::vector<vx8::Picture> pictures = art::MapGameArt(art::DrawGameArt());
    if (!options.PngDir.isEmpty()) {
      QDir().mkpath(options.PngDir);
      for (const vx8::Picture& p : pictures)
        Save(art::PictureImage(p, art::GamePalette()),
             options.PngDir + "/" + QString::fromStdString(p.Name) + ".png");
    }
    if (!options.MockDir.isEmpty()) WriteMocks(pictures, options.MockDir);
    if (!options.ResourceDir.isEmpty()) {
      for (const art::ResourceImage& r : art::DrawResourceImages()) {
        const QString path = options.ResourceDir + "/" + art::ResourceFileName(r.Path);
        QDir().mkpath(QFileInfo(path).path());
        Save(r.Image, path);
      }
    }
    if (!options.Sheet.isEmpty())
      Save(art::DrawContactSheet(pictures, art::GamePalette()), options.Sheet);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "artbuilder: %s\n", e.what());
    return 1;
  }
  return 0;
}
