#include "tools/artbuilder/SignArt.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <functional>
#include <vector>

#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/Paint.h"

namespace art {
namespace {

const QRectF kStartPanel(14, 14, 178, 112);
const QRectF kWinPanel(14, 30, 178, 100);

void DrawPost(QPainter& p, double x, double top, double bottom) {
  const QRectF post(x - 4, top, 8, bottom - top);
  p.setPen(Qt::NoPen);
  p.setBrush(RampColor(kFrame, 1));
  p.drawRoundedRect(post, 2, 2);
  QLinearGradient g(post.left(), 0, post.right(), 0);
  g.setColorAt(0, RampColor(kGreys, 13));
  g.setColorAt(0.4, RampColor(kGreys, 10));
  g.setColorAt(1, RampColor(kGreys, 5));
  p.setBrush(g);
  p.drawRect(post.adjusted(1, 0, -1, -1));
}

// The green panel with its white border; `inside` draws the message.
void DrawPanel(QPainter& p, const QRectF& panel, const std::function<void(QPainter&)>& inside) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(4, 8, 12, 170));
  p.drawRoundedRect(panel.translated(3, 4), 11, 11);
  p.setBrush(RampColor(kFrame, 0));
  p.drawRoundedRect(panel, 11, 11);
  QLinearGradient g(0, panel.top(), 0, panel.bottom());
  g.setColorAt(0, RampColor(kButton, 23));
  g.setColorAt(1, RampColor(kButton, 14));
  p.setBrush(g);
  p.drawRoundedRect(panel.adjusted(1.5, 1.5, -1.5, -1.5), 9.5, 9.5);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(RampColor(kLight, 12), 2.5));
  p.drawRoundedRect(panel.adjusted(6, 6, -6, -6), 6, 6);
  inside(p);
}

void Text(QPainter& p, const QString& text, const QFont& font, QRectF box, QColor ink) {
  p.setFont(font);
  p.setPen(RampColor(kButton, 3));
  p.drawText(box.translated(0, 1.5), Qt::AlignCenter, text);
  p.setPen(ink);
  p.drawText(box, Qt::AlignCenter, text);
}

struct SignLine {
  double Size;
  QRectF Box;
};

// The lines of `english` on the panel, each at its size or smaller, inside the panel's white
// border.
void WriteLines(QPainter& p, CaptionWords& words, std::string_view english,
                const std::vector<SignLine>& lines, const QRectF& panel) {
  const QStringList texts = words.Lines(english, int(lines.size()));
  const QColor ink = RampColor(kLight, 12);
  const int inside = int(panel.left()) + 8, width = int(panel.width()) - 16;
  for (size_t i = 0; i < lines.size(); ++i) {
    const SignLine& line = lines[i];
    const QRect room(inside, int(std::floor(line.Box.top())), width,
                     int(std::ceil(line.Box.height())) + 2);
    const TextPlace place =
        words.Fit(texts[int(i)], line.Size, room, QSize(kBackPictureSize, kBackPictureSize),
                  [&](QPainter& q, const QFont& f) { Text(q, texts[int(i)], f, line.Box, ink); });
    Text(p, texts[int(i)], place.Font, line.Box.translated(0, place.Shift), ink);
  }
}

// A yellow sign with a chevron pointing down, mounted between the posts.
void DrawDownSign(QPainter& p, QPointF c) {
  QPolygonF diamond;
  const double r = 27;
  diamond << QPointF(c.x(), c.y() - r) << QPointF(c.x() + r, c.y()) << QPointF(c.x(), c.y() + r)
          << QPointF(c.x() - r, c.y());
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(4, 8, 12, 170));
  p.drawPolygon(diamond.translated(3, 3));
  p.setBrush(RampColor(kFrame, 1));
  p.drawPolygon(diamond);
  QPolygonF inner;
  for (const QPointF& q : diamond) inner << c + (q - c) * 0.9;
  QLinearGradient g(c.x() - r, c.y() - r, c.x() + r, c.y() + r);
  g.setColorAt(0, RampColor(kArrow, 27));
  g.setColorAt(1, RampColor(kArrow, 20));
  p.setBrush(g);
  p.drawPolygon(inner);
  QPolygonF chevron;
  chevron << QPointF(c.x() - 11, c.y() - 8) << QPointF(c.x(), c.y() + 3)
          << QPointF(c.x() + 11, c.y() - 8) << QPointF(c.x() + 11, c.y() + 1)
          << QPointF(c.x(), c.y() + 12) << QPointF(c.x() - 11, c.y() + 1);
  p.setBrush(RampColor(kArrow, 1));
  p.drawPolygon(chevron);
}

QPainterPath Star(QPointF c, double outer, double inner) {
  QPainterPath path;
  for (int i = 0; i < 10; ++i) {
    const double a = -M_PI / 2 + i * M_PI / 5;
    const double r = i % 2 == 0 ? outer : inner;
    const QPointF q(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0)
      path.moveTo(q);
    else
      path.lineTo(q);
  }
  path.closeSubpath();
  return path;
}

void DrawStar(QPainter& p, QPointF c, double size) {
  const QPainterPath s = Star(c, size, size * 0.45);
  p.setPen(QPen(RampColor(kCaption, 1), 1.5));
  QLinearGradient g(c.x(), c.y() - size, c.x(), c.y() + size);
  g.setColorAt(0, RampColor(kCaption, 13));
  g.setColorAt(1, RampColor(kCaption, 8));
  p.setBrush(g);
  p.drawPath(s);
}

// A chequered finish banner strung between the posts, waving a little.
void DrawFinishBanner(QPainter& p, const QRectF& area) {
  const int columns = 12, rows = 4;
  const double cw = area.width() / columns, ch = area.height() / rows;
  auto at = [&](double i, double j) {
    const double x = area.left() + i * cw;
    return QPointF(x, area.top() + j * ch + 3.0 * std::sin((i / columns) * 2 * M_PI));
  };
  QPolygonF outline;
  for (int i = 0; i <= columns; ++i) outline << at(i, 0);
  for (int i = columns; i >= 0; --i) outline << at(i, rows);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(4, 8, 12, 170));
  p.drawPolygon(outline.translated(2, 3));
  p.setBrush(RampColor(kLight, 12));
  p.drawPolygon(outline);
  p.setBrush(RampColor(kGreys, 1));
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < columns; ++i) {
      if ((i + j) % 2) continue;
      QPolygonF square;
      square << at(i, j) << at(i + 1, j) << at(i + 1, j + 1) << at(i, j + 1);
      p.drawPolygon(square);
    }
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(RampColor(kFrame, 0), 1.5));
  p.drawPolygon(outline);
}

}  // namespace

QImage DrawClickStart(CaptionWords& words) {
  QImage image = NewArt(kBackPictureSize, kBackPictureSize);
  QPainter p;
  BeginSmooth(p, image);
  DrawPost(p, 64, 100, 200);
  DrawPost(p, 142, 100, 200);
  DrawPanel(p, kStartPanel, [&](QPainter& q) {
    // TRANSLATORS: the sign on the pattern's board between games, over three lines: the
    // middle one, the Start button's name, is written large.
    WriteLines(q, words, N_("Click\nStart\nto play"),
               {{19, QRectF(14, 26, 178, 24)},
                {40, QRectF(14, 46, 178, 44)},
                {17, QRectF(14, 90, 178, 22)}},
               kStartPanel);
  });
  DrawDownSign(p, QPointF(103, 162));
  p.end();
  return image;
}

QImage DrawWellDone(CaptionWords& words) {
  QImage image = NewArt(kBackPictureSize, kBackPictureSize);
  QPainter p;
  BeginSmooth(p, image);
  DrawPost(p, 64, 110, 200);
  DrawPost(p, 142, 110, 200);
  DrawFinishBanner(p, QRectF(60, 146, 86, 26));
  DrawPanel(p, kWinPanel, [&](QPainter& q) {
    // TRANSLATORS: the sign on the pattern's board after a win, over two lines.
    WriteLines(q, words, N_("Well\ndone!"),
               {{34, QRectF(14, 44, 178, 38)}, {34, QRectF(14, 80, 178, 38)}}, kWinPanel);
  });
  DrawStar(p, QPointF(103, 27), 19);
  DrawStar(p, QPointF(64, 32), 12);
  DrawStar(p, QPointF(142, 32), 12);
  p.end();
  return image;
}

}  // namespace art
