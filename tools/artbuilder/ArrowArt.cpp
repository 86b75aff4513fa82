#include "tools/artbuilder/ArrowArt.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QTransform>
#include <optional>

#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/KeyGlyphs.h"
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

// Top-left pixel of the key's glyph: centred on the sign's body, away from its point.
QPoint KeyOrigin(ArrowSide side) {
  switch (side) {
    case ArrowSide::Above:
      return {7, 9};
    case ArrowSide::Below:
      return {7, 2};
    case ArrowSide::Left:
      return {11, 6};
    case ArrowSide::Right:
      return {3, 6};
  }
  return {};
}

// The key's pixels in ink; with an edge colour, each gets a one-pixel light edge below it, as
// if stamped into the sign.
void DrawKey(QPainter& p, char key, QPoint origin, QColor ink, std::optional<QColor> edge) {
  const char* const* rows = KeyGlyph(key);
  if (!rows) return;
  auto inked = [rows](int x, int y) {
    return x >= 0 && y >= 0 && x < kGlyphWidth && y < kGlyphHeight && rows[y][x] == '#';
  };
  for (int y = 0; y <= kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      if (inked(x, y))
        p.fillRect(origin.x() + x, origin.y() + y, 1, 1, ink);
      else if (edge && inked(x, y - 1))
        p.fillRect(origin.x() + x, origin.y() + y, 1, 1, *edge);
    }
  }
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
  QPoint origin = KeyOrigin(side);
  if (pressed) origin += QPoint(1, 1);
  if (pressed)
    DrawKey(p, key, origin, RampColor(kFrame, 0), std::nullopt);
  else
    DrawKey(p, key, origin, RampColor(kArrow, 1), RampColor(kArrow, 29));
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
