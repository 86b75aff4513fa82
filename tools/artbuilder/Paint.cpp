#include "tools/artbuilder/Paint.h"

#include <unistd.h>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace art {
namespace {

const char FontFolder[] = "/usr/share/fonts/truetype/";

// Registers the font files themselves, so the art does not depend on what fontconfig prefers.
QString FamilyOf(Face face) {
  static const std::array<QString, 2> families = [] {
    auto load = [](QStringList files, const char* fallback) {
      for (const QString& f : files) {
        const int id = QFontDatabase::addApplicationFont(f);
        if (id >= 0) {
          const QStringList names = QFontDatabase::applicationFontFamilies(id);
          if (!names.isEmpty()) return names.first();
        }
      }
      return QString::fromLatin1(fallback);
    };
    // The Liberation family's four styles, then DejaVu's bold and regular as the fallback.
    auto files = [](const QString& liberation, const QString& dejavu) {
      const QString base = QString::fromLatin1(FontFolder);
      QStringList list;
      for (const char* style : {"Bold", "Regular", "Italic", "BoldItalic"})
        list << base + "liberation2/" + liberation + "-" + style + ".ttf";
      return list << base + "dejavu/" + dejavu + "-Bold.ttf" << base + "dejavu/" + dejavu + ".ttf";
    };
    QString sans = load(files("LiberationSans", "DejaVuSans"), "Liberation Sans");
    QString serif = load(files("LiberationSerif", "DejaVuSerif"), "Liberation Serif");
    return std::array<QString, 2>{sans, serif};
  }();
  return families[face == Face::Sans ? 0 : 1];
}

const char CjkFontFile[] = "wqy/wqy-microhei.ttc";

uint32_t Hash(uint32_t x, uint32_t y, uint32_t seed) {
  uint32_t h = x * 0x8DA6B343u ^ y * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  h ^= h >> 15;
  return h;
}

double Unit(uint32_t h) {
  return double(h & 0xFFFFFF) / double(0xFFFFFF);
}

}  // namespace

void UseOnlyTheArtsFonts() {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("zeltoria-art-fonts-" + std::to_string(::getuid()));
  std::error_code ignored;
  fs::create_directories(folder / "cache", ignored);
  const fs::path config = folder / "fonts.conf";
  std::ofstream(config) << "<?xml version=\"1.0\"?>\n"
                           "<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                           "<fontconfig>\n"
                        << "  <dir>" << FontFolder << "liberation2</dir>\n"
                        << "  <dir>" << FontFolder << "dejavu</dir>\n"
                        << "  <dir>" << FontFolder << "wqy</dir>\n"
                        << "  <cachedir>" << (folder / "cache").string() << "</cachedir>\n"
                        << "</fontconfig>\n";
  ::setenv("FONTCONFIG_FILE", config.c_str(), 1);
}

QImage NewArt(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void BeginSmooth(QPainter& painter, QImage& image) {
  painter.begin(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QFont ArtFont(Face face, double pixelSize, bool bold, bool italic) {
  QFont font(FamilyOf(face));
  font.setPixelSize(std::max(1, int(std::lround(pixelSize))));
  font.setBold(bold);
  font.setItalic(italic);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QFont CjkFont(double pixelSize) {
  static const QString family = [] {
    const QString file = QString::fromLatin1(FontFolder) + QLatin1String(CjkFontFile);
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList names = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    if (names.isEmpty())
      throw std::runtime_error("cannot read " + file.toStdString() +
                               " (Debian's fonts-wqy-microhei) to draw Chinese and Japanese");
    return names.first();
  }();
  QFont font(family);
  font.setPixelSize(std::max(1, int(std::lround(pixelSize))));
  font.setBold(true);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QColor Mix(QColor a, QColor b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto m = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
  return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()),
                m(a.alpha(), b.alpha()));
}

QPoint CentredTextOrigin(const QString& text, const QFont& font, QPointF centre) {
  const QRect ink = QFontMetrics(font).tightBoundingRect(text);
  return QPoint(int(std::floor(centre.x() - ink.width() / 2.0 + 0.5)) - ink.left(),
                int(std::floor(centre.y() - ink.height() / 2.0 + 0.5)) - ink.top());
}

double TileNoise(int x, int y, int period, int cell, uint32_t seed) {
  const int n = period / cell;
  auto wrap = [n](int i) { return uint32_t(((i % n) + n) % n); };
  const int ix = int(std::floor(double(x) / cell)), iy = int(std::floor(double(y) / cell));
  const double fx = double(x - ix * cell) / cell, fy = double(y - iy * cell) / cell;
  auto smooth = [](double t) { return t * t * (3 - 2 * t); };
  const double sx = smooth(fx), sy = smooth(fy);
  auto at = [&](int i, int j) { return Unit(Hash(wrap(i), wrap(j), seed)); };
  const double top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * sx;
  const double bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * sx;
  return top + (bottom - top) * sy;
}

double PixelNoise(int x, int y, uint32_t seed) {
  return Unit(Hash(uint32_t(x), uint32_t(y), seed));
}

}  // namespace art
