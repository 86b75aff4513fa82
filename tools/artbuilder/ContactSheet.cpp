#include "tools/artbuilder/ContactSheet.h"

#include <QPainter>
#include <algorithm>

#include "tools/artbuilder/Paint.h"

namespace art {
namespace {

constexpr int kScale = 2;
constexpr int kGap = 16;
constexpr int kLabel = 18;
constexpr int kSheetWidth = 1100;

QImage Enlarged(const vx8::Picture& p, const vx8::Palette& palette) {
  QImage image(p.Width * kScale, p.Height * kScale, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    const uint8_t* src = p.Pixels.data() + size_t(y / kScale) * p.Width;
    for (int x = 0; x < image.width(); ++x) {
      const uint8_t v = src[x / kScale];
      if (p.TransparentIndex && v == *p.TransparentIndex) {
        // Checkerboard of 8-pixel squares on the enlarged picture.
        row[x] = ((x / 8 + y / 8) & 1) ? qRgb(0xC8, 0xC8, 0xC8) : qRgb(0x98, 0x98, 0x98);
      } else {
        row[x] = qRgb(palette[v].Red, palette[v].Green, palette[v].Blue);
      }
    }
  }
  return image;
}

}  // namespace

QImage DrawContactSheet(const std::vector<vx8::Picture>& pictures, const vx8::Palette& palette) {
  // Lay the pictures out in rows, left to right, wrapping at the sheet's width.
  struct Place {
    int X, Y;
  };
  std::vector<Place> places;
  int x = kGap, y = kGap, rowHeight = 0, width = 0;
  for (const vx8::Picture& p : pictures) {
    const int w = std::max(p.Width * kScale, 90), h = p.Height * kScale + kLabel;
    if (x > kGap && x + w > kSheetWidth) {
      x = kGap;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    places.push_back({x, y});
    x += w + kGap;
    width = std::max(width, x);
    rowHeight = std::max(rowHeight, h);
  }
  QImage sheet(std::max(width, 200), y + rowHeight + kGap, QImage::Format_RGB32);
  sheet.fill(qRgb(0x30, 0x30, 0x34));
  QPainter painter(&sheet);
  painter.setFont(ArtFont(Face::Sans, 12, true));
  painter.setPen(Qt::white);
  for (size_t i = 0; i < pictures.size(); ++i) {
    const vx8::Picture& p = pictures[i];
    const QString label =
        QString::fromStdString(p.Name) + QStringLiteral("  %1×%2").arg(p.Width).arg(p.Height);
    painter.drawText(places[i].X, places[i].Y + 12, label);
    painter.drawImage(places[i].X, places[i].Y + kLabel, Enlarged(p, palette));
  }
  painter.end();
  return sheet;
}

}  // namespace art
