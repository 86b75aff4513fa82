// The drawing surface of the image engine: an 8-bit off-screen picture whose lines live in an
// image record's decoded segments, with line access, fills, transparent copies between surfaces,
// damage recording and display to a device through palette indices.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/Geometry.h"
#include "image/DamageList.h"
#include "image/VX8ImageSegment.h"
#include "platform/BitmapInfo.h"
#include "platform/Device.h"

class TVX8ImageData {
 public:
  TVX8ImageData() = default;
  TVX8ImageData(const TVX8ImageData&) = delete;
  TVX8ImageData& operator=(const TVX8ImageData&) = delete;

  // The segments stay the image record's; `pbmInfo` is shared and may be null.
  void Initialize(uint16_t width, uint16_t height, uint8_t segmentCount,
                  std::vector<TVX8ImageSegment*> segments, uint8_t transparentColor,
                  bool transparent, platform::BitmapInfo* pbmInfo);

  TRect GetBounds() const { return {0, 0, Width_, Height_}; }
  void ResetClipRect() { ClipRect_ = GetBounds(); }
  // Orders the corners and clamps the rectangle to the surface.
  void NormalizeRect(TRect& rect) const;
  void ClipToDrawArea(TRect& rect) const;

  // Line access, y counted from the top. StartLine locks the segment of line y; the steps
  // move one line down (Next) or up (Prev), changing y first, and lock and unlock segments
  // as they cross them; UnlockSegment ends a walk.
  uint8_t* StartLine(int32_t x, int32_t y);
  uint8_t* PrevStartLine(uint8_t* address, int32_t x, int32_t& y);
  uint8_t* NextStartLine(uint8_t* address, int32_t x, int32_t& y);
  void UnlockSegment(int32_t x, int32_t y);

  void FillRect(TRect rect, uint8_t color);
  void HorzLine(TPoint at, int32_t length, uint8_t color);
  void VertLine(TPoint at, int32_t length, uint8_t color);
  // TransparentColor when Transparent is set, else -1.
  int GetTransparentColor() const { return Transparent_ ? TransparentColor_ : -1; }
  // Copies `srcRect` of `source` here with its top-left at `at`, leaving the pixels where the
  // source holds its transparent colour.
  void Draw(TPoint at, TVX8ImageData& source, TRect srcRect);
  // Copies `srcRect` to the device with its top-left at `at`, band by band; the lines copied.
  int Display(platform::Device& device, TPoint at, TRect srcRect);
  // The part of the picture that segment `index` holds, in top-down co-ordinates.
  TRect SegmentRect(uint8_t index) const;

  void Changed(const TRect& rect) { AddDamage(rect); }
  void AddDamage(TRect rect);
  void DisplayDamage(platform::Device& device, TPoint origin);
  void ClearDamage() { DamageList_.Clear(); }

  uint16_t Width() const { return Width_; }
  uint16_t Height() const { return Height_; }
  uint16_t LineBytes() const { return LineBytes_; }
  uint8_t SegmentCount() const { return SegmentCount_; }
  uint8_t TransparentColor() const { return TransparentColor_; }
  bool Transparent() const { return Transparent_; }
  TRect ClipRect() const { return ClipRect_; }
  platform::BitmapInfo* PBMInfo() const { return PBMInfo_; }
  const TDamageList& DamageList() const { return DamageList_; }

 private:
  // Segment `index` locked, with a buffer that holds its whole band; null otherwise.
  uint8_t* LockBand(uint8_t index);
  // The segment that holds line y (0 at the top); null for a line outside the surface.
  TVX8ImageSegment* SegmentOfLine(int32_t y) const;
  // How many of the lines y, y + 1, ... lie in the segment of line y.
  int32_t LinesLeftInBand(int32_t y) const;
  void CheckLine(int32_t x, int32_t y, const char* message) const;

  std::vector<TVX8ImageSegment*> Segments_;
  uint8_t SegmentCount_ = 0;
  uint16_t Width_ = 0;
  uint16_t Height_ = 0;
  uint16_t LineBytes_ = 0;
  uint16_t BandLines_ = 0;  // lines of every band but the last
  uint8_t TransparentColor_ = 0;
  bool Transparent_ = false;
  TDamageList DamageList_;
  platform::BitmapInfo* PBMInfo_ = nullptr;
  TRect ClipRect_;
};
