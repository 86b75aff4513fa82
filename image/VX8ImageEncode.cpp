// The writing side of images and segments: a picture coded band by band from raw rows.
#include <cstring>
#include <vector>

#include "image/SegmentEncoder.h"
#include "image/VX8Image.h"
#include "image/VX8ImageSegment.h"

static_assert(vx8::SegmentFlag::RawRows == TVX8ImageSegment::RawRows &&
              vx8::SegmentFlag::PlainRuns == TVX8ImageSegment::PlainRuns &&
              vx8::SegmentFlag::Encoded == TVX8ImageSegment::Encoded);

void TVX8ImageSegment::Encode(platform::Stream& stream, uint16_t width, uint16_t height) {
  if (Flags & Encoded) return;
  try {
    const uint8_t index = uint8_t(Index_);
    const vx8::BandShape shape{width, SegmentRows(width, height, index), vx8::LineBytes(width)};
    FreeBuffer();
    std::vector<uint8_t> band(size_t(shape.Rows) * shape.LineBytes);
    stream.Seek(int64_t(SegmentBytes(width, height, 0)) * index);
    stream.Read(band.data(), band.size());
    const vx8::CodedBand coded = vx8::Encode(band.data(), shape);
    Allocate(uint32_t(coded.Bytes.size()), MovableBlock);
    std::memcpy(Lock(), coded.Bytes.data(), coded.Bytes.size());
    Unlock();
    RunEscape = coded.Escape.Run;
    TripleEscape = coded.Escape.Triple;
    Flags = uint8_t((Flags & ~(RawRows | PlainRuns)) | coded.Flags);
  } catch (...) {
    RunEscape = TripleEscape = Flags = 0;
    FreeBuffer();
    throw;
  }
}

void TVX8Image::Init(const std::string& name, platform::Stream& stream, uint16_t width,
                     uint16_t height) {
  try {
    StartPicture(name, width, height);
    for (auto& segment : Segments_) segment->Encode(stream, width, height);
    Header_.State = 1;
  } catch (...) {
    Release();
    throw;
  }
}
