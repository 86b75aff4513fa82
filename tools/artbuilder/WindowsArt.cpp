#include "tools/artbuilder/WindowsArt.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <stdexcept>

#include "platform/ResourceFacts.h"
#include "tools/artbuilder/IconArt.h"

namespace art {

namespace {

void Put16(QByteArray& out, uint32_t v) {
  out.append(char(v & 0xFF));
  out.append(char((v >> 8) & 0xFF));
}

void Put32(QByteArray& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// BITMAPINFOHEADER, bottom-up rows of `format` (ARGB32 is the bytes B, G, R, A in memory).
QByteArray Dib(const QImage& image, QImage::Format format, bool withMask) {
  const QImage argb = image.convertToFormat(format);
  const int w = argb.width();
  const int h = argb.height();
  const int maskStride = ((w + 31) / 32) * 4;
  QByteArray dib;
  Put32(dib, 40);
  Put32(dib, uint32_t(w));
  Put32(dib, uint32_t(withMask ? 2 * h : h));  // an icon's height counts its mask too
  Put16(dib, 1);
  Put16(dib, 32);
  Put32(dib, 0);  // BI_RGB
  Put32(dib, uint32_t(w * h * 4 + (withMask ? maskStride * h : 0)));
  for (int i = 0; i < 4; ++i) Put32(dib, 0);
  for (int y = h - 1; y >= 0; --y)
    dib.append(reinterpret_cast<const char*>(argb.constScanLine(y)), w * 4);
  if (withMask) {
    // Set where the picture is clear: those pixels show the screen beneath.
    for (int y = h - 1; y >= 0; --y) {
      QByteArray row(maskStride, '\0');
      for (int x = 0; x < w; ++x)
        if (qAlpha(argb.pixel(x, y)) == 0) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
      dib.append(row);
    }
  }
  return dib;
}

QByteArray Png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG", 0)) throw std::runtime_error("cannot make an icon's PNG");
  return bytes;
}

// The directory and the images of an .ico (type 1) or .cur (type 2) file.
QByteArray Directory(uint16_t type, const std::vector<QImage>& images,
                     const std::vector<QByteArray>& data, int hotX, int hotY) {
  QByteArray file;
  Put16(file, 0);
  Put16(file, type);
  Put16(file, uint16_t(images.size()));
  uint32_t offset = 6 + 16 * uint32_t(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int size = images[i].width();
    file.append(char(size >= 256 ? 0 : size));
    file.append(char(size >= 256 ? 0 : images[i].height()));
    file.append('\0');
    file.append('\0');
    Put16(file, type == 1 ? 1 : uint32_t(hotX));   // planes, or the hot spot's x
    Put16(file, type == 1 ? 32 : uint32_t(hotY));  // bits, or its y
    Put32(file, uint32_t(data[i].size()));
    Put32(file, offset);
    offset += uint32_t(data[i].size());
  }
  for (const QByteArray& d : data) file.append(d);
  return file;
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace

QByteArray IconFile(const std::vector<QImage>& images) {
  std::vector<QByteArray> data;
  for (const QImage& image : images)
    data.push_back(image.width() >= 128 ? Png(image) : Dib(image, QImage::Format_ARGB32, true));
  return Directory(1, images, data, 0, 0);
}

QByteArray CursorFile(const QImage& image, int hotX, int hotY) {
  return Directory(2, {image}, {Dib(image, QImage::Format_ARGB32, true)}, hotX, hotY);
}

QByteArray BitmapFile(const QImage& image) {
  const QByteArray dib = Dib(image, QImage::Format_ARGB32_Premultiplied, false);
  QByteArray file("BM");
  Put32(file, uint32_t(14 + dib.size()));
  Put32(file, 0);
  Put32(file, 14 + 40);
  file.append(dib);
  return file;
}

void WriteWindowsResources(const QString& dir) {
  QDir().mkpath(dir);
  std::vector<QImage> icons;
  for (const int size : resources::IconSizes) icons.push_back(DrawEmblem(size));
  Write(dir + "/zeltoria.ico", IconFile(icons));
  Write(dir + "/hand.cur",
        CursorFile(DrawHandCursor(), resources::HandCursor.HotX, resources::HandCursor.HotY));
  Write(dir + "/link.cur",
        CursorFile(DrawLinkCursor(), resources::LinkCursor.HotX, resources::LinkCursor.HotY));
  Write(dir + "/logo.bmp", BitmapFile(DrawEmblem(resources::LogoSize)));
}

}  // namespace art
