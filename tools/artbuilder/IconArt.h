// The pictures that live outside the data file: the two cursors, the about dialog's logo and
// the window icon. True colour with alpha.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace art {

// resources::CursorSize square; the cursors' hot spot lies on the tip of the index finger.
QImage DrawHandCursor();
QImage DrawLinkCursor();

// The emblem: eight roads leaving a crossing, framed in gold; any size from 16 up.
QImage DrawEmblem(int size);

// A web app icon: the emblem, `emblemPercent` of the width, on a square of the web app's
// background colour, mapped onto the game palette (8-bit).
QImage DrawWebIcon(int size, int emblemPercent);

// A true-colour picture with alpha in the game's own colours, for the web page: each visible
// pixel the nearest palette colour at one of eight levels of coverage, an 8-bit picture of a
// third of the size with the same edges.
QImage InGamePalette(const QImage& image);

// The web app's colours from the palette: the window's night blue behind the game, for both the
// theme and the background shown while the page loads.
QColor WebBackground();

struct ResourceImage {
  QString File;  // its file name under the resources folder (platform/ResourceFacts.h)
  QImage Image;
};

// Every cursor, the logo and every icon size, the web page's own too, under their file names.
std::vector<ResourceImage> DrawResourceImages();

}  // namespace art
