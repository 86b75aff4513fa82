// The pictures that live outside the data file: the two cursors, the about dialog's logo and
// the window icon. True colour with alpha.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace art {

// 32 x 32; the hot spot of ArtResources.h lies on the tip of the index finger.
QImage DrawHandCursor();
QImage DrawLinkCursor();

// The emblem: eight roads leaving a crossing, framed in gold; any size from 16 up.
QImage DrawEmblem(int size);

struct ResourceImage {
  QString Path;  // the resource path of ArtResources.h
  QImage Image;
};

// Every cursor, the logo and every icon size, under their resource paths.
std::vector<ResourceImage> DrawResourceImages();

// The file under which a resource's picture is written and compiled in: its path after
// ":/zeltoria/".
QString ResourceFileName(const QString& resourcePath);

}  // namespace art
