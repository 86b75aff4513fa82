// A memory device that also records every block copy it is asked for, for tests that check
// how a picture reaches the device and not only what ends there.
#pragma once

#include <vector>

#include "platform/MemoryDevice.h"

namespace vx8test {

struct BlockCopy {
  int XDest, YDest, Width, Height, XSrc, YSrc;
  int InfoHeight;  // the block's array height as the caller described it
  platform::RasterOp Rop;
  int Lines;  // what the copy reported
};

class RecordingDevice : public platform::MemoryDevice {
 public:
  using MemoryDevice::MemoryDevice;

  int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, const uint8_t* bits,
                    const platform::BitmapInfo& info, platform::RasterOp rop) override;

  std::vector<BlockCopy> Copies;
};

}  // namespace vx8test
