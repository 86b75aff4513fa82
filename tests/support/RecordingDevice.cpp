#include "tests/support/RecordingDevice.h"

namespace vx8test {

int RecordingDevice::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc,
                                   int ySrc, int srcWidth, int srcHeight, const uint8_t* bits,
                                   const platform::BitmapInfo& info, platform::RasterOp rop) {
  const int lines = MemoryDevice::StretchDIBits(xDest, yDest, destWidth, destHeight, xSrc, ySrc,
                                                srcWidth, srcHeight, bits, info, rop);
  Copies.push_back(
      {xDest, yDest, destWidth, destHeight, xSrc, ySrc, info.Header.Height, rop, lines});
  return lines;
}

}  // namespace vx8test
