// One picture of the image library: its record header and its bands of pixel rows, read from
// the library's stream on demand, decoded, painted band by band or wrapped in a drawing surface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "image/VX8ImageHeader.h"
#include "image/VX8ImageSegment.h"
#include "platform/BitmapInfo.h"
#include "platform/Device.h"
#include "platform/Stream.h"

class TVX8ImageData;

class TVX8Image {
 public:
  TVX8Image() = default;
  virtual ~TVX8Image() { Release(); }
  TVX8Image(const TVX8Image&) = delete;
  TVX8Image& operator=(const TVX8Image&) = delete;

  static uint16_t LineBytes(uint16_t width) { return vx8::LineBytes(width); }
  static uint32_t ImageBytes(uint16_t width, uint16_t height) {
    return vx8::ImageBytes(width, height);
  }
  // "Invalid VX8 image header" unless width, height and segment count are not 0, the state is
  // 1 or 2 and the format 3.
  static void ValidateHeader(const TVX8ImageHeader& header);
  static void InitHeader(TVX8ImageHeader& header, const std::string& name, uint16_t width,
                         uint16_t height);
  // The name of the record at the stream's position (up to its first zero byte, at most 8
  // characters); the header is not validated. The stream is left behind the header.
  static std::string RecordName(platform::Stream& stream);
  // The size of the record at the stream's position, its last segment-table entry. Refuses, as
  // "Invalid VX8 image header", a bad header, a segment count that does not fit the size, and
  // a record that is too small for its table or reaches past the end of the stream.
  static uint32_t RecordSize(platform::Stream& stream);

  // Reads the header and segment table of the record at the stream's position; the segments
  // stay unloaded. The stream must outlive the image.
  void Open(platform::Stream& stream);
  void DecodeSegments();
  // Reads segment `index`'s stored bytes, as stored, into it.
  virtual void LoadSegment(uint8_t index);
  // A new blank picture of zero pixels (state 2).
  virtual void Init(const std::string& name, uint16_t width, uint16_t height);
  // A new coded picture (state 1): each segment codes its band of the raw rows in `stream`,
  // bottom row first. On a failure the image is released and the error goes on.
  void Init(const std::string& name, platform::Stream& stream, uint16_t width, uint16_t height);
  void Release();

  // A drawing surface over the decoded segments, or none when that fails.
  std::unique_ptr<TVX8ImageData> CreateImageData(platform::BitmapInfo* bitmapInfo);
  void ReleaseImageData(std::unique_ptr<TVX8ImageData> imageData);
  // Paints the picture with its top-left at (x, y); only a picture in state 2 paints.
  void DrawToDevice(platform::Device& dc, int x, int y, platform::BitmapInfo& bitmapInfo);

  const TVX8ImageHeader& Header() const { return Header_; }
  std::string Name() const;
  uint16_t Width() const { return Header_.Width; }
  uint16_t Height() const { return Header_.Height; }
  uint8_t SegmentCount() const { return Header_.SegmentCount; }
  uint8_t State() const { return Header_.State; }
  uint8_t TransparentColor() const { return Header_.TransparentColor; }
  bool Transparent() const { return Header_.Transparent != 0; }
  // Null past the last segment, and while the image has none.
  TVX8ImageSegment* Segment(size_t index) const {
    return index < Segments_.size() ? Segments_[index].get() : nullptr;
  }
  uint32_t RecordStart() const { return RecordStart_; }

 protected:
  // Release, then the header of a new picture and one empty segment for each of its bands.
  // Refuses a size that cannot be cut into bands.
  void StartPicture(const std::string& name, uint16_t width, uint16_t height);

 private:
  TVX8ImageHeader Header_;
  std::vector<std::unique_ptr<TVX8ImageSegment>> Segments_;
  platform::Stream* Stream_ = nullptr;
  uint32_t RecordStart_ = 0;
};
