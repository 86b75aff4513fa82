// Shared tools of the picture drawers: blank art images, the game's fonts, colour mixing and
// tileable noise.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <cstdint>

namespace art {

// A fully transparent true-colour image to draw on.
QImage NewArt(int width, int height);

// A painter with antialiasing for shapes and text.
void BeginSmooth(QPainter& painter, QImage& image);

// Lets fontconfig see only the font folders the art is drawn with, whatever else the machine
// has installed (another package's Liberation 1.x would otherwise be chosen by family name and
// change the pictures). Call before the QGuiApplication is made.
void UseOnlyTheArtsFonts();

enum class Face { Sans, Serif };

// Liberation Sans or Liberation Serif (DejaVu when missing) at a pixel size.
QFont ArtFont(Face face, double pixelSize, bool bold = true, bool italic = false);

// The bold face for the words of Chinese and Japanese, which Liberation lacks: WenQuanYi Micro
// Hei (Debian's fonts-wqy-microhei, needed only to draw the art). Throws when it is missing.
QFont CjkFont(double pixelSize);

QColor Mix(QColor a, QColor b, double t);

// Where to put the baseline origin of `text` so its ink is centred on `centre`, on whole
// pixels so that hinted stems stay sharp.
QPoint CentredTextOrigin(const QString& text, const QFont& font, QPointF centre);

// Smooth value noise in [0, 1]; repeats every `period` pixels in x and y. `cell` is the
// lattice spacing and must divide `period`.
double TileNoise(int x, int y, int period, int cell, uint32_t seed);

// White noise in [0, 1] for pixel (x, y).
double PixelNoise(int x, int y, uint32_t seed);

}  // namespace art
