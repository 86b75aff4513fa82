#include "tools/artbuilder/ArrowArt.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QTransform>

#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/Paint.h"

namespace art {
namespace {

bool FirstSet(ArrowSide side) {
  return side == ArrowSide::Above || side == ArrowSide::Left;
}
bool ColumnSide(ArrowSide side) {
  return side == ArrowSide::Above || side == ArrowSide::Below;
}

// The sign's outline pointing up: a point on top and a square body for the key, with rounded
// lower corners. Other sides are the same shape turned.
QPainterPath UpShape() {
  const double l = 0.5, r = 19.5, t = 0.5, b = 19.5, shoulder = 9.5, round = 3;
  QPainterPath p;
  p.moveTo(10, t);
  p.lineTo(r, shoulder);
  p.lineTo(r, b - round);
  p.quadTo(r, b, r - round, b);
  p.lineTo(l + round, b);
  p.quadTo(l, b, l, b - round);
  p.lineTo(l, shoulder);
  p.closeSubpath();
  return p;
}

QPainterPath Shape(ArrowSide side) {
  QTransform t;
  t.translate(10, 10);
  switch (side) {
    case ArrowSide::Above:
      break;
    case ArrowSide::Below:
      t.rotate(180);
      break;
    case ArrowSide::Left:
      t.rotate(-90);
      break;
    case ArrowSide::Right:
      t.rotate(90);
      break;
  }
  t.translate(-10, -10);
  return t.map(UpShape());
}

// Where the key sits: in the middle of the sign's body, away from its point.
QRectF KeyBox(ArrowSide side) {
  switch (side) {
    case ArrowSide::Above:
      return QRectF(0, 7, 20, 13);
    case ArrowSide::Below:
      return QRectF(0, 0, 20, 13);
    case ArrowSide::Left:
      return QRectF(7, 0, 13, 20);
    case ArrowSide::Right:
      return QRectF(0, 0, 13, 20);
  }
  return {};
}

QPainterPath Shrunk(const QPainterPath& path, double by) {
  QPainterPathStroker stroker;
  stroker.setWidth(2 * by);
  stroker.setJoinStyle(Qt::MiterJoin);
  return path.subtracted(stroker.createStroke(path)).simplified();
}

void DrawArrow(QPainter& p, ArrowSide side, bool pressed, char key) {
  const Ramp face = pressed ? kArrowPressed : kArrow;
  const int top = face.Count - 1;
  const QPainterPath outer = Shape(side);
  const QPainterPath inner = Shrunk(outer, 1.0);
  p.setPen(Qt::NoPen);
  p.setBrush(RampColor(kFrame, 1));
  p.drawPath(outer);

  // Bevel: a rim lit from the top left, or shadowed there when the key is held down.
  const QColor lit = pressed ? RampColor(face, top * 3 / 10) : RampColor(face, top);
  const QColor shade = pressed ? RampColor(face, top * 7 / 10) : RampColor(face, top * 4 / 10);
  p.setBrush(shade);
  p.drawPath(inner);
  p.setBrush(lit);
  p.drawPath(inner.intersected(inner.translated(-1.5, -1.5)));
  QLinearGradient g(0, 0, 20, 20);
  if (pressed) {
    g.setColorAt(0, RampColor(face, top * 6 / 10));
    g.setColorAt(1, RampColor(face, top * 8 / 10));
  } else {
    g.setColorAt(0, RampColor(face, top * 82 / 100));
    g.setColorAt(1, RampColor(face, top * 66 / 100));
  }
  p.setBrush(g);
  p.drawPath(inner.intersected(inner.translated(-1, -1)).intersected(inner.translated(1, 1)));

  // The key, pressed one pixel in with the sign.
  QRectF box = KeyBox(side);
  if (pressed) box.translate(1, 1);
  p.setFont(ArtFont(Face::Sans, 11, true));
  p.setPen(pressed ? RampColor(kFrame, 0) : RampColor(kArrow, 1));
  p.drawText(box, Qt::AlignCenter, QString(QChar(key)));
}

}  // namespace

int ArrowFrameCount(ArrowSide side) {
  return FirstSet(side) ? 5 : 7;
}

char ArrowKey(ArrowSide side, int frame) {
  const int index = FirstSet(side) ? frame + 1 : frame + 4;  // the move command's index
  const char* keys = ColumnSide(side) ? "ABCDEFGHIJK" : "1234567890";
  return keys[index - 1];
}

QImage DrawArrowStrip(ArrowSide side, bool pressed) {
  const int frames = ArrowFrameCount(side);
  QImage image = NewArt(kArrowSize, kArrowSize * frames);
  QPainter p;
  BeginSmooth(p, image);
  for (int f = 0; f < frames; ++f) {
    p.save();
    p.translate(0, kArrowSize * f);
    p.setClipRect(0, 0, kArrowSize, kArrowSize);
    DrawArrow(p, side, pressed, ArrowKey(side, f));
    p.restore();
  }
  p.end();
  return image;
}

}  // namespace art
