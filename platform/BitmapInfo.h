// The bitmap-information block that accompanies every 8-bit pixel copy: a 40-byte header
// followed by 256 16-bit colour-table entries (palette-index form), 552 bytes in all.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

#pragma pack(push, 1)
struct BitmapInfoHeader {
  uint32_t Size = 40;
  int32_t Width = 0;
  int32_t Height = 0;  // positive: rows stored bottom-up
  uint16_t Planes = 1;
  uint16_t BitCount = 8;
  uint32_t Compression = 0;
  uint32_t SizeImage = 0;
  int32_t XPelsPerMeter = 0;
  int32_t YPelsPerMeter = 0;
  uint32_t ClrUsed = 0;
  uint32_t ClrImportant = 0;
};

struct BitmapInfo {
  BitmapInfoHeader Header;
  // Each entry is an index into the logical palette selected into the device.
  uint16_t Colors[256] = {};

  // Header for 8 bits per pixel and the identity table 0, 1, ..., 255.
  static BitmapInfo Identity() {
    BitmapInfo info;
    for (int i = 0; i < 256; ++i) info.Colors[i] = static_cast<uint16_t>(i);
    return info;
  }
};
#pragma pack(pop)

static_assert(sizeof(BitmapInfoHeader) == 40);
static_assert(sizeof(BitmapInfo) == 552);

}  // namespace platform
