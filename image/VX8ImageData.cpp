#include "image/VX8ImageData.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "image/ByteWords.h"
#include "image/SegmentGeometry.h"
#include "image/VX8Exception.h"

namespace {

// Unlocks the segment it follows when the scope ends, however it ends: a copy that fails half
// way leaves no segment pinned.
class TSegmentUnlock {
 public:
  explicit TSegmentUnlock(TVX8ImageSegment* segment) : Segment(segment) {}
  ~TSegmentUnlock() {
    if (Segment) Segment->Unlock();
  }
  TSegmentUnlock(const TSegmentUnlock&) = delete;
  TSegmentUnlock& operator=(const TSegmentUnlock&) = delete;
  // A walk moved on into another segment (and unlocked the one it left).
  void Follow(TVX8ImageSegment* segment) { Segment = segment; }

 private:
  TVX8ImageSegment* Segment;
};

}  // namespace

void TVX8ImageData::Initialize(uint16_t width, uint16_t height, uint8_t segmentCount,
                               std::vector<TVX8ImageSegment*> segments, uint8_t transparentColor,
                               bool transparent, platform::BitmapInfo* pbmInfo) {
  Width_ = width;
  Height_ = height;
  SegmentCount_ = segmentCount;
  Segments_ = std::move(segments);
  Segments_.resize(segmentCount, nullptr);
  TransparentColor_ = transparentColor;
  Transparent_ = transparent;
  PBMInfo_ = pbmInfo;
  LineBytes_ = vx8::LineBytes(width);
  // A size that cannot be banded has no segment to reach; 1 keeps the line arithmetic defined
  // and sends every line to a segment that is not there.
  BandLines_ = vx8::SegmentRows(width, height, 0);
  if (BandLines_ == 0) BandLines_ = 1;
  ResetClipRect();
}

void TVX8ImageData::NormalizeRect(TRect& r) const {
  if (r.Left > r.Right) std::swap(r.Left, r.Right);
  if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
  if (r.Left < 0) r.Left = 0;
  if (r.Top < 0) r.Top = 0;
  if (r.Right > Width_) r.Right = Width_;
  if (r.Bottom > Height_) r.Bottom = Height_;
}

void TVX8ImageData::ClipToDrawArea(TRect& rect) const {
  NormalizeRect(rect);
  rect = Intersection(rect, ClipRect_);
}

void TVX8ImageData::CheckLine(int32_t x, int32_t y, const char* message) const {
  if (x < 0 || y < 0 || x >= Width_ || y >= Height_) throw VX8Exception(message);
}

uint8_t* TVX8ImageData::LockBand(uint8_t index) {
  TVX8ImageSegment* segment = index < Segments_.size() ? Segments_[index] : nullptr;
  if (!segment) return nullptr;
  uint8_t* p = segment->Lock();
  // Lines are reached by address arithmetic alone, so the whole band must be there.
  if (!p || segment->Size() < vx8::SegmentBytes(Width_, Height_, index)) return nullptr;
  return p;
}

TVX8ImageSegment* TVX8ImageData::SegmentOfLine(int32_t y) const {
  if (y < 0 || y >= Height_) return nullptr;
  const size_t s = size_t((Height_ - 1 - y) / BandLines_);
  return s < Segments_.size() ? Segments_[s] : nullptr;
}

uint8_t* TVX8ImageData::StartLine(int32_t x, int32_t y) {
  CheckLine(x, y, "StartLine: co-ordinates outside drawing area");
  const int32_t r = Height_ - 1 - y;
  const int32_t s = r / BandLines_;
  const int32_t k = r % BandLines_;
  uint8_t* base = nullptr;
  try {
    base = LockBand(uint8_t(s));
  } catch (const std::exception&) {
    base = nullptr;
  }
  if (!base) throw VX8Exception("StartLine: Lock failed");
  return base + size_t(k) * LineBytes_ + size_t(x);
}

uint8_t* TVX8ImageData::NextStartLine(uint8_t* address, int32_t x, int32_t& y) {
  ++y;
  CheckLine(x, y, "NextStartLine: co-ordinates outside drawing area");
  const int32_t r = Height_ - 1 - y;
  if (r / BandLines_ == (r + 1) / BandLines_) return address - LineBytes_;
  UnlockSegment(x, y - 1);
  return StartLine(x, y);
}

uint8_t* TVX8ImageData::PrevStartLine(uint8_t* address, int32_t x, int32_t& y) {
  --y;
  CheckLine(x, y, "PrevStartLine: co-ordinates outside drawing area");
  const int32_t r = Height_ - 1 - y;
  if (r / BandLines_ == (r - 1) / BandLines_) return address + LineBytes_;
  UnlockSegment(x, y + 1);
  return StartLine(x, y);
}

void TVX8ImageData::UnlockSegment(int32_t x, int32_t y) {
  CheckLine(x, y, "UnlockSegment: co-ordinates outside drawing area");
  TVX8ImageSegment* segment = SegmentOfLine(y);
  if (!segment) throw VX8Exception("UnlockSegment: Unlock failed");
  segment->Unlock();
}

void TVX8ImageData::FillRect(TRect rect, uint8_t color) {
  ClipToDrawArea(rect);
  if (!rect.IsEmpty()) {
    const size_t w = size_t(rect.Width());
    for (int32_t y = rect.Top; y < rect.Bottom; ++y) std::memset(StartLine(rect.Left, y), color, w);
  }
  Changed(rect);
}

void TVX8ImageData::HorzLine(TPoint at, int32_t length, uint8_t color) {
  FillRect({at.X, at.Y, at.X + length, at.Y + 1}, color);
}

void TVX8ImageData::VertLine(TPoint at, int32_t length, uint8_t color) {
  FillRect({at.X, at.Y, at.X + 1, at.Y + length}, color);
}

int32_t TVX8ImageData::LinesLeftInBand(int32_t y) const {
  return (Height_ - 1 - y) % BandLines_ + 1;
}

namespace {

// One line of Draw: `key` (0 to 255) is the source's transparent colour, -1 for none.
void CopyLine(uint8_t* d, const uint8_t* s, size_t w, int key) {
  if (key < 0) {
    std::memmove(d, s, w);  // a surface may be drawn onto itself
  } else if (d + w <= s || s + w <= d) {
    vx8::words::CopyExcept(d, s, w, uint8_t(key));
  } else {  // onto itself, overlapping: pixel by pixel, as it always was
    for (size_t i = 0; i < w; ++i)
      if (s[i] != key) d[i] = s[i];
  }
}

}  // namespace

void TVX8ImageData::Draw(TPoint at, TVX8ImageData& source, TRect srcRect) {
  const int t = source.GetTransparentColor();
  // A negative source offset moves the picture right or down.
  if (srcRect.Left < 0) {
    at.X -= srcRect.Left;
    srcRect.Left = 0;
  }
  if (srcRect.Top < 0) {
    at.Y -= srcRect.Top;
    srcRect.Top = 0;
  }
  source.NormalizeRect(srcRect);
  const TRect dstRect =
      Intersection({at.X, at.Y, at.X + srcRect.Width(), at.Y + srcRect.Height()}, ClipRect_);
  srcRect.Left += dstRect.Left - at.X;
  srcRect.Right = srcRect.Left + dstRect.Width();
  srcRect.Top += dstRect.Top - at.Y;
  srcRect.Bottom = srcRect.Top + dstRect.Height();
  if (srcRect.IsEmpty()) return;

  const size_t w = size_t(dstRect.Width());
  int32_t sy = srcRect.Top;
  int32_t dy = dstRect.Top;
  TSegmentUnlock sourceLock(source.SegmentOfLine(sy));
  TSegmentUnlock destinationLock(SegmentOfLine(dy));
  uint8_t* s = source.StartLine(srcRect.Left, sy);
  uint8_t* d = StartLine(dstRect.Left, dy);
  for (;;) {
    // The lines before either surface crosses into another segment are a fixed step apart.
    const int32_t run =
        std::min(dstRect.Bottom - dy, std::min(source.LinesLeftInBand(sy), LinesLeftInBand(dy)));
    for (int32_t i = 0;; ++i) {
      CopyLine(d, s, w, t);
      if (i + 1 == run) break;
      s -= source.LineBytes_;
      d -= LineBytes_;
    }
    sy += run - 1;
    dy += run - 1;
    if (dy + 1 == dstRect.Bottom) break;
    s = source.NextStartLine(s, srcRect.Left, sy);
    sourceLock.Follow(source.SegmentOfLine(sy));
    d = NextStartLine(d, dstRect.Left, dy);
    destinationLock.Follow(SegmentOfLine(dy));
  }
  Changed(dstRect);
}

TRect TVX8ImageData::SegmentRect(uint8_t index) const {
  if (index >= SegmentCount_) return {};
  const int32_t below = int32_t(index) * BandLines_;
  const int32_t rows = vx8::SegmentRows(Width_, Height_, index);
  return {0, Height_ - (below + rows), Width_, Height_ - below};
}

int TVX8ImageData::Display(platform::Device& device, TPoint at, TRect srcRect) {
  if (!PBMInfo_) throw VX8Exception("PBMInfo not initialized for Display");
  PBMInfo_->Header.Width = Width_;
  // Transparent pixels: AND with white (mask 255) keeps the device, OR with black (image 0)
  // leaves it; every other pixel is cleared by mask 0 and then painted.
  platform::BitmapInfo mask;
  platform::BitmapInfo image;
  if (Transparent_) {
    mask = *PBMInfo_;
    std::memset(mask.Colors, 0, sizeof mask.Colors);
    mask.Colors[TransparentColor_] = 255;
    image = *PBMInfo_;
    image.Colors[TransparentColor_] = 0;
  }
  int lines = 0;
  int32_t y = at.Y + srcRect.Height();
  for (uint8_t i = 0; i < SegmentCount_; ++i) {
    const TRect band = SegmentRect(i);
    const TRect part = Intersection(srcRect, band);
    if (part.IsEmpty()) continue;
    const int w = part.Width();
    const int h = part.Height();
    y -= h;
    const int rows = band.Height();
    const uint32_t size = uint32_t(LineBytes_) * uint32_t(rows);
    const int xSrc = part.Left;
    const int ySrc = band.Bottom - part.Bottom;
    TSegmentUnlock unlock(Segments_[i]);
    const uint8_t* bits = LockBand(i);
    if (!bits) throw VX8Exception("Segment Lock: segment buffer not allocated");
    if (Transparent_) {
      mask.Header.Width = image.Header.Width = Width_;
      mask.Header.Height = image.Header.Height = rows;
      mask.Header.SizeImage = image.Header.SizeImage = size;
      device.StretchDIBits(at.X, y, w, h, xSrc, ySrc, w, h, bits, mask, platform::RasterOp::SrcAnd);
      lines += device.StretchDIBits(at.X, y, w, h, xSrc, ySrc, w, h, bits, image,
                                    platform::RasterOp::SrcPaint);
    } else {
      PBMInfo_->Header.Height = rows;
      PBMInfo_->Header.SizeImage = size;
      lines += device.StretchDIBits(at.X, y, w, h, xSrc, ySrc, w, h, bits, *PBMInfo_,
                                    platform::RasterOp::SrcCopy);
    }
  }
  return lines;
}

void TVX8ImageData::AddDamage(TRect rect) {
  NormalizeRect(rect);
  for (TVexoNode* n = DamageList_.First; n; n = n->Next) {
    auto* node = static_cast<TDamageNode*>(n);
    TRect common;
    if (!IntersectRect(common, node->Area, rect)) continue;
    if (common == rect) return;  // already covered
    if (common == node->Area) {  // the new rectangle covers this node
      node->Area = rect;
      return;
    }
  }
  DamageList_.Add(new TDamageNode(rect));
}

void TVX8ImageData::DisplayDamage(platform::Device& device, TPoint origin) {
  for (TVexoNode* n = DamageList_.First; n; n = n->Next) {
    const TRect& area = static_cast<TDamageNode*>(n)->Area;
    Display(device, {origin.X + area.Left, origin.Y + area.Top}, area);
  }
  ClearDamage();
}
