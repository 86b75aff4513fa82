#include "tools/artbuilder/CaptionArt.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPainterPathStroker>

#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/Paint.h"

namespace art {
namespace {

constexpr int kTitleWidth = 375;
constexpr int kTitleHeight = 90;

// Text as an outline path centred on `centre`.
QPainterPath TextPath(const QString& text, const QFont& font, QPointF centre) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF box = path.boundingRect();
  path.translate(centre - box.center());
  return path;
}

QPainterPath Widened(const QPainterPath& path, double by) {
  QPainterPathStroker stroker;
  stroker.setWidth(2 * by);
  stroker.setJoinStyle(Qt::RoundJoin);
  stroker.setCapStyle(Qt::RoundCap);
  return path.united(stroker.createStroke(path)).simplified();
}

// One line of the size label: cream letters with a dark rim so their edges sit well on any
// part of the background.
void DrawLabelLine(QPainter& p, const QString& text, QPointF centre) {
  const QFont font = ArtFont(Face::Sans, 15, true);
  QFontMetricsF m(font);
  const QPointF origin(centre.x() - m.horizontalAdvance(text) / 2,
                       centre.y() + (m.capHeight()) / 2);
  QPainterPath path;
  path.addText(origin, font, text);
  p.setPen(Qt::NoPen);
  p.setBrush(RampColor(kFrame, 1));
  p.drawPath(Widened(path.translated(0.6, 1.2), 1.1));
  p.setBrush(RampColor(kLight, 2));
  p.setPen(Qt::NoPen);
  p.setFont(font);
  p.setPen(RampColor(kLight, 2));
  p.drawText(origin, text);
}

}  // namespace

QImage DrawTitle() {
  QImage image = NewArt(kTitleWidth, kTitleHeight);
  QPainter p;
  BeginSmooth(p, image);
  const QFont font = ArtFont(Face::Serif, 72, true, true);
  const QPainterPath text = TextPath(QStringLiteral("Zeltoria"), font, QPointF(187.5, 42));
  const QRectF box = text.boundingRect();

  // Shadow, dark rim, then the gold letters with a bright upper edge.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(4, 8, 12, 200));
  p.drawPath(Widened(text.translated(3, 4), 2.5));
  p.setBrush(RampColor(kFrame, 0));
  p.drawPath(Widened(text, 2.5));
  p.setBrush(RampColor(kCaption, 4));
  p.drawPath(Widened(text, 1.2));
  QLinearGradient g(0, box.top(), 0, box.bottom());
  g.setColorAt(0.0, RampColor(kCaption, 15));
  g.setColorAt(0.35, RampColor(kCaption, 12));
  g.setColorAt(0.55, RampColor(kCaption, 9));
  g.setColorAt(1.0, RampColor(kCaption, 12));
  p.setBrush(g);
  p.drawPath(text);
  p.end();
  return image;
}

QImage DrawSizeCaption() {
  QImage image = NewArt(112, 58);
  QPainter p;
  BeginSmooth(p, image);
  DrawLabelLine(p, QStringLiteral("Columns"), QPointF(56, 13.5));
  DrawLabelLine(p, QStringLiteral("Rows"), QPointF(56, 43.5));
  p.end();
  return image;
}

}  // namespace art
