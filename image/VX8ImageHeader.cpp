#include "image/VX8ImageHeader.h"

#include <cstring>

TVX8ImageHeader TVX8ImageHeader::FromBytes(const uint8_t b[Bytes]) {
  TVX8ImageHeader h;
  std::memcpy(h.Name, b, 8);
  h.Width = uint16_t(b[8] | b[9] << 8);
  h.Height = uint16_t(b[10] | b[11] << 8);
  h.SegmentCount = b[12];
  h.State = b[13];
  h.TransparentColor = b[14];
  h.Transparent = b[15];
  h.Format = uint16_t(b[16] | b[17] << 8);
  return h;
}

void TVX8ImageHeader::ToBytes(uint8_t b[Bytes]) const {
  std::memcpy(b, Name, 8);
  b[8] = uint8_t(Width);
  b[9] = uint8_t(Width >> 8);
  b[10] = uint8_t(Height);
  b[11] = uint8_t(Height >> 8);
  b[12] = SegmentCount;
  b[13] = State;
  b[14] = TransparentColor;
  b[15] = Transparent;
  b[16] = uint8_t(Format);
  b[17] = uint8_t(Format >> 8);
}
