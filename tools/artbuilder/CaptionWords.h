// The words drawn into the pictures, in one language: each text at its design size, or as much
// smaller as it needs for its ink to stay inside its box with a margin, so that a translation
// longer than the English words is drawn smaller and never clipped. Every fit is kept, for the
// tests and for a person to check.
#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <string_view>
#include <vector>

#include "language/Language.h"

namespace art {

// The room kept free around a text's ink inside its box, in pixels.
inline constexpr int kTextMargin = 1;
// The smallest share of its design size a text may be drawn at; a translation that needs less
// is refused, to be shortened.
inline constexpr double kSmallestTextShare = 0.5;

struct TextFit {
  QString Text;
  QRect Box;  // where the ink must stay, margin included, in the picture's pixels
  QRect Ink;  // where it is drawn (shadow included)
  double DesignSize;
  double Size;  // the pixel size it is drawn at
};

// How a text is drawn where it fits: its font, and how far it is moved up or down from where
// its line would put it (an accent or a descender can push a short word's ink out of its box).
struct TextPlace {
  QFont Font;
  int Shift = 0;
};

class CaptionWords {
 public:
  explicit CaptionWords(language::TLanguage words) : Words(words) {}

  // `english` as the language says it.
  QString Say(std::string_view english) const;
  // The lines of a text written over `count` lines ("Well\ndone!"); throws when a translation
  // has another number of lines.
  QStringList Lines(std::string_view english, int count) const;
  // The language's bold face for captions at `pixelSize`: Liberation Sans, or a CJK face for
  // the languages it lacks the letters of.
  QFont Font(double pixelSize) const;

  // The font, at `designSize` or smaller, at which `draw` puts the ink of `text` inside `box`
  // (a picture of `picture`'s size), where it is drawn or else centred up or down in the box;
  // throws when even the smallest does not fit.
  TextPlace Fit(const QString& text, double designSize, QRect box, QSize picture,
                const std::function<void(QPainter&, const QFont&)>& draw);

  // The fits made since the last call, for the picture just drawn.
  std::vector<TextFit> TakeFits();

 private:
  language::TLanguage Words;
  std::vector<TextFit> Fits;
};

}  // namespace art
