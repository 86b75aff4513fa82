#include "tools/artbuilder/IconArt.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "platform/ResourceFacts.h"
#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/Paint.h"
#include "tools/artbuilder/PaletteMapper.h"

namespace art {
namespace {

QPainterPath RoundedBox(QRectF r, double radius) {
  QPainterPath p;
  p.addRoundedRect(r, radius, radius);
  return p;
}

QPainterPath Capsule(QPointF a, QPointF b, double width) {
  QPainterPath line;
  line.moveTo(a);
  line.lineTo(b);
  QPainterPathStroker s;
  s.setWidth(width);
  s.setCapStyle(Qt::RoundCap);
  return s.createStroke(line);
}

// A pointing hand, index finger up with its tip at about (6, 1).
QPainterPath HandOutline() {
  QPainterPath hand = RoundedBox(QRectF(8, 0.5, 5, 18), 2.5);
  hand = hand.united(RoundedBox(QRectF(12.5, 9, 4.6, 10), 2.3));
  hand = hand.united(RoundedBox(QRectF(16.6, 10, 4.6, 10), 2.3));
  hand = hand.united(RoundedBox(QRectF(20.7, 11.5, 4.2, 9), 2.1));
  hand = hand.united(RoundedBox(QRectF(7.5, 14, 17.4, 12.5), 4));
  hand = hand.united(Capsule(QPointF(9.5, 21), QPointF(6, 16.5), 4.2));
  hand = hand.united(RoundedBox(QRectF(10, 23, 13.5, 7.5), 1.5));
  return hand.simplified();
}

void DrawHand(QPainter& p) {
  p.translate(-4, 0);
  const QPainterPath hand = HandOutline();
  p.setPen(QPen(QColor(0x10, 0x18, 0x20), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QLinearGradient g(4, 0, 26, 30);
  g.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
  g.setColorAt(0.6, QColor(0xF2, 0xF0, 0xEA));
  g.setColorAt(1, QColor(0xCC, 0xCA, 0xC4));
  p.setBrush(g);
  p.drawPath(hand);
  // The cuff and the folds between the bent fingers.
  p.setBrush(QColor(0x2E, 0x80, 0x52));
  p.drawRoundedRect(QRectF(10, 25.5, 13.5, 5), 1.2, 1.2);
  p.setPen(QPen(QColor(0x60, 0x66, 0x6C), 1.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(16.6, 12.5), QPointF(16.6, 15.5));
  p.drawLine(QPointF(20.7, 13.5), QPointF(20.7, 16.5));
  p.translate(4, 0);
}

// Eight roads leaving a crossing: the four straight ones run out to the rim, the diagonal
// ones end in turning circles, as dead ends do on the boards.
struct RoadNetwork {
  QPainterPath Roads;
  std::vector<QLineF> CentreLines;
};

RoadNetwork MakeRoadNetwork(QPointF c, double reach, double width, double capRadius, bool caps) {
  RoadNetwork net;
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  QPainterPath lines;
  const double hub = width * 0.85;
  for (int k = 0; k < 8; ++k) {
    const double a = -M_PI / 2 + k * M_PI / 4;
    const bool diagonal = k % 2 == 1;
    const double r = diagonal ? reach * 0.68 : reach;
    const QPointF dir(std::cos(a), std::sin(a));
    const QPointF end = c + dir * r;
    lines.moveTo(c);
    lines.lineTo(end);
    if (diagonal && caps) {
      QPainterPath cap;
      cap.addEllipse(end, capRadius, capRadius);
      net.Roads = net.Roads.united(cap);
    }
    if (!diagonal) net.CentreLines.push_back(QLineF(c + dir * (hub + width * 0.4), end));
  }
  net.Roads = net.Roads.united(stroker.createStroke(lines));
  QPainterPath centre;
  centre.addEllipse(c, hub, hub);
  net.Roads = net.Roads.united(centre).simplified();
  return net;
}

QPainterPath Widened(const QPainterPath& path, double by) {
  QPainterPathStroker stroker;
  stroker.setWidth(2 * by);
  stroker.setJoinStyle(Qt::RoundJoin);
  return path.united(stroker.createStroke(path)).simplified();
}

}  // namespace

QImage DrawHandCursor() {
  QImage image = NewArt(resources::CursorSize, resources::CursorSize);
  QPainter p;
  BeginSmooth(p, image);
  DrawHand(p);
  p.end();
  return image;
}

QImage DrawLinkCursor() {
  QImage image = NewArt(resources::CursorSize, resources::CursorSize);
  QPainter p;
  BeginSmooth(p, image);
  DrawHand(p);
  // A small globe: the link leads to the web.
  const QPointF c(22.5, 24.5);
  const double r = 6.6;
  p.setPen(QPen(QColor(0x10, 0x18, 0x20), 1.4));
  QRadialGradient g(c - QPointF(2, 2), r * 1.4);
  g.setColorAt(0, QColor(0x6C, 0xB8, 0xF0));
  g.setColorAt(1, QColor(0x1A, 0x5C, 0xA8));
  p.setBrush(g);
  p.drawEllipse(c, r, r);
  p.setPen(QPen(QColor(0xE8, 0xF4, 0xFF), 0.9));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, r * 0.42, r - 0.8);
  p.drawLine(QPointF(c.x() - r + 0.8, c.y()), QPointF(c.x() + r - 0.8, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - r + 0.8), QPointF(c.x(), c.y() + r - 0.8));
  p.end();
  return image;
}

QImage DrawEmblem(int size) {
  QImage image = NewArt(size, size);
  QPainter p;
  BeginSmooth(p, image);
  // Drawn on a 100-unit square; small icons get relatively bolder strokes.
  const double s = size / 100.0;
  p.scale(s, s);
  const double bold = std::max(1.0, 24.0 / size);
  const QPointF c(50, 50);

  p.setPen(Qt::NoPen);
  p.setBrush(RampColor(kFrame, 0));
  p.drawEllipse(c, 49.5, 49.5);
  QLinearGradient gold(0, 2, 0, 98);
  gold.setColorAt(0, RampColor(kCaption, 15));
  gold.setColorAt(0.45, RampColor(kCaption, 10));
  gold.setColorAt(1, RampColor(kCaption, 6));
  p.setBrush(gold);
  p.drawEllipse(c, 47, 47);
  p.setBrush(RampColor(kFrame, 1));
  p.drawEllipse(c, 39.5, 39.5);
  QRadialGradient field(QPointF(40, 36), 52);
  field.setColorAt(0, RampColor(kGround, 22));
  field.setColorAt(1, RampColor(kGround, 10));
  p.setBrush(field);
  p.drawEllipse(c, 38, 38);

  QPainterPath inside;
  inside.addEllipse(c, 38, 38);
  p.setClipPath(inside);
  const double width = 8 * bold;
  const RoadNetwork net = MakeRoadNetwork(c, 40, width, 5.5 * bold, size >= 32);
  p.setPen(Qt::NoPen);
  if (size >= 32) {
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(Widened(net.Roads, width * 0.16).translated(1.4 * bold, 2 * bold));
    p.setBrush(RampColor(kRoad, 8));
    p.drawPath(Widened(net.Roads, width * 0.16));
  }
  QLinearGradient sand(0, 10, 0, 90);
  sand.setColorAt(0, RampColor(kRoad, 27));
  sand.setColorAt(1, RampColor(kRoad, 21));
  p.setBrush(sand);
  p.drawPath(net.Roads);
  if (size >= 48) {
    QPen dash(RampColor(kRoad, 14), width * 0.14, Qt::CustomDashLine, Qt::FlatCap);
    dash.setDashPattern({3, 2.5});
    p.setPen(dash);
    for (const QLineF& l : net.CentreLines) p.drawLine(l);
  }
  p.end();
  return image;
}

QColor WebBackground() {
  return RampColor(kBackground, 6);
}

QImage DrawWebIcon(int size, int emblemPercent) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(WebBackground());
  // Of the square's parity, so that it lies centred to the pixel.
  int emblem = size * emblemPercent / 100;
  if ((size - emblem) % 2 != 0) --emblem;
  QPainter p(&image);
  p.drawImage((size - emblem) / 2, (size - emblem) / 2, DrawEmblem(emblem));
  p.end();
  // In the game's own colours: a palette picture is a quarter of the true-colour one's size.
  const vx8::Palette& palette = GamePalette();
  PaletteMapper mapper = GameMapper();
  const std::vector<uint8_t> indices = mapper.MapOpaque(image, WebBackground());
  QImage mapped(size, size, QImage::Format_Indexed8);
  QList<QRgb> table;
  for (const vx8::PaletteColor& c : palette) table.push_back(qRgb(c.Red, c.Green, c.Blue));
  mapped.setColorTable(table);
  for (int y = 0; y < size; ++y)
    std::copy_n(indices.begin() + ptrdiff_t(y) * size, size, mapped.scanLine(y));
  return mapped;
}

QImage InGamePalette(const QImage& image) {
  constexpr int CoverageLevels = 8;
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  PaletteMapper mapper = GameMapper();
  QImage mapped(argb.size(), QImage::Format_Indexed8);
  QList<QRgb> table;
  std::map<QRgb, uint8_t> entries;  // by colour with its coverage
  for (int y = 0; y < argb.height(); ++y) {
    const QRgb* from = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    uchar* to = mapped.scanLine(y);
    for (int x = 0; x < argb.width(); ++x) {
      const int alpha = qAlpha(from[x]);
      QRgb entry = 0;
      if (alpha > 0) {
        const int level = std::max(1, (alpha * CoverageLevels + 127) / 255);
        const vx8::PaletteColor& c = GamePalette()[mapper.Nearest(from[x] | 0xFF000000u)];
        entry = qRgba(c.Red, c.Green, c.Blue, level * 255 / CoverageLevels);
      }
      const auto [at, added] = entries.try_emplace(entry, uint8_t(table.size()));
      if (added) {
        if (table.size() == 256) throw std::runtime_error("a picture of more than 256 colours");
        table.push_back(entry);
      }
      to[x] = at->second;
    }
  }
  mapped.setColorTable(table);
  return mapped;
}

std::vector<ResourceImage> DrawResourceImages() {
  using namespace resources;
  std::vector<ResourceImage> images;
  images.push_back({QString::fromLatin1(HandCursor.File), DrawHandCursor()});
  images.push_back({QString::fromLatin1(LinkCursor.File), DrawLinkCursor()});
  images.push_back({QString::fromLatin1(LogoFile), DrawEmblem(LogoSize)});
  for (size_t i = 0; i < std::size(IconSizes); ++i)
    images.push_back({QString::fromLatin1(IconFiles[i]), DrawEmblem(IconSizes[i])});
  for (size_t i = 0; i < std::size(WebIconSizes); ++i)
    images.push_back({QString::fromLatin1(WebIconFiles[i]), DrawWebIcon(WebIconSizes[i], 100)});
  images.push_back({QString::fromLatin1(WebMaskableIconFile),
                    DrawWebIcon(WebMaskableIconSize, WebMaskableEmblemPercent)});
  // The page's cursors and logo: the same pictures in the game's colours.
  for (const ResourceImage& same : std::vector<ResourceImage>(images.begin(), images.begin() + 3))
    images.push_back({QStringLiteral("web/") + same.File, InGamePalette(same.Image)});
  return images;
}

}  // namespace art
