#include "tools/artbuilder/CaptionWords.h"

#include <QImage>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "tools/artbuilder/Paint.h"

namespace art {
namespace {

// Where `draw` puts ink, found by drawing it alone onto a canvas larger than the picture on
// every side, so that ink outside the picture shows too.
QRect InkOf(QSize picture, const QFont& font,
            const std::function<void(QPainter&, const QFont&)>& draw) {
  const int pad = picture.height();
  QImage canvas = NewArt(picture.width() + 2 * pad, picture.height() + 2 * pad);
  QPainter p;
  BeginSmooth(p, canvas);
  p.translate(pad, pad);
  draw(p, font);
  p.end();
  int left = canvas.width(), top = canvas.height(), right = -1, bottom = -1;
  for (int y = 0; y < canvas.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
    for (int x = 0; x < canvas.width(); ++x) {
      if (qAlpha(row[x]) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return QRect(QPoint(left - pad, top - pad), QPoint(right - pad, bottom - pad));
}

}  // namespace

QString CaptionWords::Say(std::string_view english) const {
  const std::string_view said = Words.Tr(english);
  return QString::fromUtf8(said.data(), qsizetype(said.size()));
}

QStringList CaptionWords::Lines(std::string_view english, int count) const {
  const QStringList lines = Say(english).split(QLatin1Char('\n'));
  if (lines.size() != count)
    throw std::runtime_error(std::string(Words.Code()) + ": \"" + Say(english).toStdString() +
                             "\" must be written over " + std::to_string(count) + " lines");
  return lines;
}

QFont CaptionWords::Font(double pixelSize) const {
  const std::string_view code = Words.Code();
  if (code == "ja" || code.starts_with("zh") || code == "ko") return CjkFont(pixelSize);
  return ArtFont(Face::Sans, pixelSize, true);
}

TextPlace CaptionWords::Fit(const QString& text, double designSize, QRect box, QSize picture,
                            const std::function<void(QPainter&, const QFont&)>& draw) {
  const QRect room = box.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
  const double smallest = std::ceil(designSize * kSmallestTextShare);
  for (double size = designSize; size >= smallest; size -= 1) {
    const QFont font = Font(size);
    const QRect ink = InkOf(picture, font, draw);
    if (room.contains(ink)) {
      Fits.push_back({text, box, ink, designSize, size});
      return {font, 0};
    }
    // Ink as tall as the room but placed off its centre by the line's own metrics.
    const int shift = (room.top() + room.bottom() - ink.top() - ink.bottom()) / 2;
    if (room.contains(ink.translated(0, shift))) {
      Fits.push_back({text, box, ink.translated(0, shift), designSize, size});
      return {font, shift};
    }
  }
  throw std::runtime_error(std::string(Words.Code()) + ": \"" + text.toStdString() +
                           "\" does not fit its place even at half its size: shorten it");
}

std::vector<TextFit> CaptionWords::TakeFits() {
  return std::exchange(Fits, {});
}

}  // namespace art
