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
void DrawLabelLine(QPainter& p, const QString& text, const QFont& font, QPointF centre) {
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

QImage DrawSizeCaption(CaptionWords& words) {
  const QSize size(112, 58);
  QImage image = NewArt(size.width(), size.height());
  QPainter p;
  BeginSmooth(p, image);
  // Each line in its half of the picture.
  const struct {
    std::string_view English;
    QPointF Centre;
    QRect Box;
  } lines[] = {
      // TRANSLATORS: the caption beside the buttons that change the number of columns.
      {N_("Columns"), QPointF(56, 13.5), QRect(0, 0, 112, 29)},
      // TRANSLATORS: the caption beside the buttons that change the number of rows.
      {N_("Rows"), QPointF(56, 43.5), QRect(0, 29, 112, 29)},
  };
  for (const auto& line : lines) {
    const QString text = words.Say(line.English);
    const TextPlace place = words.Fit(text, 15, line.Box, size, [&](QPainter& q, const QFont& f) {
      DrawLabelLine(q, text, f, line.Centre);
    });
    DrawLabelLine(p, text, place.Font, line.Centre + QPointF(0, place.Shift));
  }
  p.end();
  return image;
}

}  // namespace art
