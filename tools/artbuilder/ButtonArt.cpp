#include "tools/artbuilder/ButtonArt.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <functional>

#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/Paint.h"
#include "tools/artbuilder/TileArt.h"

namespace art {
namespace {

enum class Look { Up, Down, Disabled };

struct SignColors {
  QColor Outline, FaceTop, FaceBottom, Border, Ink, InkShadow;
};

SignColors ColorsFor(Look look) {
  switch (look) {
    case Look::Up:
      return {RampColor(kFrame, 0),  RampColor(kButton, 24), RampColor(kButton, 15),
              RampColor(kLight, 12), RampColor(kLight, 12),  RampColor(kButton, 4)};
    case Look::Down:
      return {RampColor(kFrame, 0), RampColor(kButton, 9), RampColor(kButton, 15),
              RampColor(kLight, 6), RampColor(kLight, 6),  RampColor(kButton, 2)};
    case Look::Disabled:
      return {RampColor(kFrame, 2),           RampColor(kButtonDisabled, 7),
              RampColor(kButtonDisabled, 5),  RampColor(kButtonDisabled, 10),
              RampColor(kButtonDisabled, 10), RampColor(kButtonDisabled, 3)};
  }
  return {};
}

QPainterPath Rounded(QRectF r, double radius) {
  QPainterPath p;
  p.addRoundedRect(r, radius, radius);
  return p;
}

// One frame: dark outline, face with a soft top light, the sign's white border inset, and the
// ink drawn by `ink` into the face. A held-down sign sinks by one pixel.
void DrawSign(QPainter& p, int width, Look look, const std::function<void(QPainter&)>& ink) {
  const SignColors c = ColorsFor(look);
  const double sink = look == Look::Down ? 1 : 0;
  p.fillRect(QRectF(0, 0, width, kButtonHeight), BackgroundMatte());
  p.setPen(Qt::NoPen);
  p.setBrush(c.Outline);
  p.drawPath(Rounded(QRectF(0, 0, width, kButtonHeight), 5));

  QLinearGradient g(0, 1, 0, kButtonHeight - 1);
  g.setColorAt(0, c.FaceTop);
  g.setColorAt(1, c.FaceBottom);
  p.setBrush(g);
  p.drawPath(Rounded(QRectF(1, 1, width - 2, kButtonHeight - 2), 4));
  if (look == Look::Down) {
    // Shadow of the frame's upper edge on the sunken face.
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(Rounded(QRectF(1, 1, width - 2, kButtonHeight - 2), 4)
                   .subtracted(Rounded(QRectF(1, 3, width - 2, kButtonHeight - 3), 4)));
  } else {
    p.setBrush(QColor(255, 255, 255, look == Look::Up ? 70 : 40));
    p.drawPath(Rounded(QRectF(1, 1, width - 2, kButtonHeight - 2), 4)
                   .subtracted(Rounded(QRectF(1, 2.2, width - 2, kButtonHeight - 2.2), 4)));
  }

  QPen border(c.Border, 1.5);
  p.setPen(border);
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(3.75, 3.75 + sink, width - 7.5, kButtonHeight - 7.5 - sink), 2.5, 2.5);

  p.save();
  p.translate(0, sink);
  p.translate(0, 1);
  ink(p);  // shadow pass
  p.restore();
  p.save();
  p.translate(0, sink);
  ink(p);
  p.restore();
}

QImage DrawStrip(int width, const std::function<void(QPainter&, Look, bool shadow)>& ink) {
  QImage image = NewArt(width, 3 * kButtonHeight);
  QPainter p;
  BeginSmooth(p, image);
  const Look looks[3] = {Look::Up, Look::Down, Look::Disabled};
  for (int f = 0; f < 3; ++f) {
    p.save();
    p.translate(0, kButtonHeight * f);
    p.setClipRect(0, 0, width, kButtonHeight);
    int pass = 0;
    DrawSign(p, width, looks[f], [&](QPainter& q) { ink(q, looks[f], pass++ == 0); });
    p.restore();
  }
  p.end();
  return image;
}

}  // namespace

QImage DrawWideButton(CaptionWords& words, std::string_view english) {
  constexpr int width = 156;
  const QString label = words.Say(english);
  const auto write = [&](QPainter& p, const QFont& font) {
    p.setFont(font);
    p.drawText(QRectF(0, 0, width, kButtonHeight), Qt::AlignCenter, label);
  };
  // Inside the sign's white border, on the face of every frame: from a raised face's ink down to
  // a pressed face's shadow, two pixels lower.
  const TextPlace place = words.Fit(label, 16, QRect(5, 5, width - 10, kButtonHeight - 9),
                                    QSize(width, kButtonHeight), [&](QPainter& p, const QFont& f) {
                                      write(p, f);
                                      p.translate(0, 2);
                                      write(p, f);
                                    });
  return DrawStrip(width, [&](QPainter& p, Look look, bool shadow) {
    const SignColors c = ColorsFor(look);
    p.setPen(shadow ? c.InkShadow : c.Ink);
    p.translate(0, place.Shift);
    write(p, place.Font);
  });
}

QImage DrawSizeButton(bool plus) {
  return DrawStrip(40, [plus](QPainter& p, Look look, bool shadow) {
    const SignColors c = ColorsFor(look);
    p.setPen(Qt::NoPen);
    p.setBrush(shadow ? c.InkShadow : c.Ink);
    // Pixel-aligned bars keep the signs crisp.
    p.drawRect(QRectF(12, 12, 16, 4));
    if (plus) p.drawRect(QRectF(18, 6, 4, 16));
  });
}

}  // namespace art
