// The game's pictures in Windows' own resource files, for the Windows build's resource
// compiler: the icon at every size, the two cursors with their hot spots, the about box's logo.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace art {

// An .ico file of `images` (square, 256 pixels at most): the large ones PNG, the small ones
// device-independent bitmaps with an AND mask, as every Windows reads them.
QByteArray IconFile(const std::vector<QImage>& images);
// A .cur file of one picture with the pixel that points.
QByteArray CursorFile(const QImage& image, int hotX, int hotY);
// A .bmp file, 32 bits with premultiplied alpha, as AlphaBlend draws it.
QByteArray BitmapFile(const QImage& image);

// Writes zeltoria.ico, hand.cur, link.cur and logo.bmp into `dir`.
void WriteWindowsResources(const QString& dir);

}  // namespace art
