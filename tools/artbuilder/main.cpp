// artbuilder: draws the game's pictures, maps them onto its palette and writes the data file;
// draws the cursors, logo and icons; and, for people, the pictures and a window mock as PNGs.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "image/VX8Writer.h"
#include "language/Language.h"
#include "platform/ResourceFacts.h"
#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/ArtSet.h"
#include "tools/artbuilder/IconArt.h"
#include "tools/artbuilder/Paint.h"
#include "tools/artbuilder/WindowMock.h"
#include "tools/artbuilder/WindowsArt.h"

namespace {

struct Options {
  QString DataFile;
  QString LanguageDir;
  QString PngDir;
  QString MockDir;
  QString ResourceDir;
};

int Usage() {
  std::fprintf(stderr,
               "usage: artbuilder [OUT.vx8] [--languages DIR] [--resources-dir DIR] "
               "[--png-dir DIR] [--mock-dir DIR]\n"
               "  OUT.vx8              the data file: palette and every picture\n"
               "  --languages DIR      the data file of each shipped language, its pictures'\n"
               "                       words translated, as DIR/LL/zelto.vx8\n"
               "  --resources-dir DIR  the cursors, logo and icons as PNG files, and in windows/\n"
               "                       as Windows' icon, cursor and bitmap files\n"
               "  --png-dir DIR        every picture as DIR/NAME.png, as mapped onto the palette\n"
               "  --mock-dir DIR       the main window composed from the pictures\n");
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
    bool ok = true;
    if (a == "--png-dir")
      ok = value(o.PngDir);
    else if (a == "--mock-dir")
      ok = value(o.MockDir);
    else if (a == "--resources-dir")
      ok = value(o.ResourceDir);
    else if (a == "--languages")
      ok = value(o.LanguageDir);
    else if (a.starts_with("-") || !o.DataFile.isEmpty())
      ok = false;
    else
      o.DataFile = QString::fromLocal8Bit(argv[i]);
    if (!ok) return false;
  }
  return !(o.DataFile.isEmpty() && o.PngDir.isEmpty() && o.MockDir.isEmpty() &&
           o.ResourceDir.isEmpty() && o.LanguageDir.isEmpty());
}

void Save(const QImage& image, const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  // The smallest files zlib makes: the site downloads some of them.
  if (!image.save(path, "PNG", 0)) throw std::runtime_error("cannot write " + path.toStdString());
}

void WriteMocks(const std::vector<vx8::Picture>& pictures, const QString& dir) {
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
    // Twice the size with square pixels, and the boards at four times, for looking closely.
    Save(mock.scaled(mock.size() * 2), QString(path).replace(".png", "_x2.png"));
    Save(mock.copy(37, 104, 208, 208).scaled(832, 832),
         QString(path).replace(".png", "_board_x4.png"));
    Save(mock.copy(273, 104, 208, 208).scaled(832, 832),
         QString(path).replace(".png", "_back_x4.png"));
  }
}

void WriteWebColours(const QString& path) {
  const std::string colour = art::WebBackground().name().toStdString();
  const std::string text = "theme_color " + colour + "\nbackground_color " + colour + "\n";
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), qint64(text.size())) != qint64(text.size()))
    throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace

int main(int argc, char** argv) {
  // Drawing needs fonts, not a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  art::UseOnlyTheArtsFonts();
  QGuiApplication app(argc, argv);
  Options options;
  if (!Parse(argc, argv, options)) return Usage();
  try {
    const std::vector<vx8::Picture> pictures = art::MapGameArt(art::DrawGameArt());
    if (!options.DataFile.isEmpty())
      vx8::WriteLibrary(options.DataFile.toStdString(), art::GamePalette(), pictures);
    for (const language::TCatalogue& catalogue : language::ShippedCatalogues()) {
      if (options.LanguageDir.isEmpty()) break;
      const QString folder = options.LanguageDir + "/" +
                             QLatin1String(catalogue.Code.data(), qsizetype(catalogue.Code.size()));
      QDir().mkpath(folder);
      vx8::WriteLibrary((folder + "/zelto.vx8").toStdString(), art::GamePalette(),
                        art::MapGameArt(art::DrawGameArt(language::TLanguage(catalogue))));
    }
    if (!options.ResourceDir.isEmpty()) {
      for (const art::ResourceImage& r : art::DrawResourceImages())
        Save(r.Image, options.ResourceDir + "/" + r.File);
      WriteWebColours(options.ResourceDir + "/" + QLatin1String(resources::WebColoursFile));
      art::WriteWindowsResources(options.ResourceDir + "/windows");
    }
    if (!options.PngDir.isEmpty()) {
      for (const vx8::Picture& p : pictures)
        Save(art::PictureImage(p, art::GamePalette()),
             options.PngDir + "/" + QString::fromStdString(p.Name) + ".png");
    }
    if (!options.MockDir.isEmpty()) WriteMocks(pictures, options.MockDir);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "artbuilder: %s\n", e.what());
    return 1;
  }
  return 0;
}
